#pragma once

#include "core/analysis/lineamounts.h"

#include <QObject>

#include <functional>

class QLabel;
class QListWidget;
class QTimer;

namespace zestora {

class CalorieBar;
class IngTable;

// Shows where a screen's numbers come from: beside each recipe line the grams it stands for (its
// workings on hover), each line's share of the nutrient whose panel row was clicked or chosen by
// keyboard, a bar of the calorie shares, and what a screen reader says for every panel row.
// The lines' texts and entries stay as they are: all of it is drawn beside them.
class RecipeExplainer : public QObject {
    Q_OBJECT
public:
    struct Source {
        QListWidget* rows;                    // R_IngLst
        std::function<QStringList()> entries; // the marked-up entry of every row
        std::function<float()> servings;      // the divisor the panel was worked out with
        // The calorie shares the chart shows, none when it is hidden.
        std::function<std::optional<std::array<double, 3>>()> chart;
        std::array<QLabel*, 3> shareLabels; // fat, carbohydrates, protein
    };
    // The panel's labels are found on the screen by their names; the bar goes in after the last
    // share label.
    RecipeExplainer(QWidget* screen, const IngTable& ingredients, Source source);

    // After the panel or the lines changed; line changes are also caught on their own.
    void refresh();
    // Marks each line's share of the nutrient; the same nutrient again, or none, clears them.
    void toggleShares(nutrition::Nutrient nutrient);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Row {
        nutrition::Nutrient nutrient;
        QLabel* value;            // focusable: the row's place in the tab order
        QList<QLabel*> clickable; // caption, value and percentage
        QLabel* percent = nullptr;
    };
    void describePanel();
    void markLines();
    void showActiveRow();

    const IngTable& m_ingredients;
    Source m_source;
    CalorieBar* m_bar;
    QTimer* m_pending;
    QList<Row> m_panelRows;
    std::optional<nutrition::Nutrient> m_nutrient;
};

} // namespace zestora
