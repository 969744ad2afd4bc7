#pragma once

#include "core/analysis/lineamounts.h"
#include "widgets/nutritionpanel.h"

#include <QObject>

#include <functional>

class QLabel;
class QListWidget;

namespace zestora {

class CalorieBar;
class IngTable;

// A recipe's lines as a list shows them, with where its numbers come from: beside each line the
// grams it stands for (its workings on hover), each line's share of the nutrient whose panel row
// was clicked or chosen by keyboard, a bar of the calorie shares, and what a screen reader says
// for every panel row and line. The lines' texts stay as they are: all of it is drawn beside them.
//
// A line is worked out once, when it is added; the shares and the spoken texts are worked out
// when they are drawn or read, so that adding a line costs the same for any length of recipe.
class RecipeExplainer : public QObject {
    Q_OBJECT
public:
    struct Source {
        QListWidget* rows; // R_IngLst
        NutritionPanel* panel;
        std::array<QLabel*, 3> shareLabels; // fat, carbohydrates, protein
        // The servings the panel is worked out for; each line's amounts are per serving.
        std::function<float()> servings;
    };
    // The bar goes in after the last share label.
    RecipeExplainer(QWidget* screen, const IngTable& ingredients, Source source);

    // Lines shown at a position: each row as the user reads it, with the marked-up entry it is
    // stored as. Headings are bold.
    void insertLines(int at, const QStringList& rows, const QStringList& entries);
    void removeLine(int row);
    void clearLines();
    // Every line worked out again: the servings changed, or the ingredients may have.
    void reworkLines();
    // After the panel changed: what a screen reader says for it, and the chart of the shares.
    void showTotals(const std::optional<std::array<double, 3>>& calorieShares);

    // Marks each line's share of the nutrient; the same nutrient again, or none, clears them.
    void toggleShares(nutrition::Nutrient nutrient);

    // For the lines: the nutrient whose shares are shown, each line's share of it, and the
    // largest share; worked out when first asked for after a change.
    struct Shares {
        std::optional<nutrition::Nutrient> nutrient;
        QList<std::optional<double>> perLine;
        double largest = 0;
    };
    const Shares& shares() const;
    const CalorieBar* calorieBar() const { return m_bar; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void linesChanged();
    void describePanel();
    void showActiveRow();

    const IngTable& m_ingredients;
    Source m_source;
    CalorieBar* m_bar;
    std::optional<nutrition::Nutrient> m_nutrient;
    mutable std::optional<Shares> m_shares;
};

} // namespace zestora
