#pragma once

#include "core/analysis/lineamounts.h"
#include "widgets/nutritionpanel.h"
#include "widgets/recipelinesmodel.h"

#include <QObject>

class QLabel;
class QListView;

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
        QListView* rows; // R_IngLst
        NutritionPanel* panel;
        std::array<QLabel*, 3> shareLabels; // fat, carbohydrates, protein
        CalorieBar* bar;
        RecipeLinesModel::Lines lines;
    };
    RecipeExplainer(QWidget* screen, const IngTable& ingredients, Source source);

    // The list's model, which the screen tells of every change of its lines.
    RecipeLinesModel* lines() const { return m_lines; }
    // After the panel changed: what a screen reader says for it, and the chart of the shares.
    void showTotals(const std::optional<std::array<double, 3>>& calorieShares);

    // Marks each line's share of the nutrient; the same nutrient again, or none, clears them.
    void toggleShares(nutrition::Nutrient nutrient);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void linesChanged();
    void describePanel();

    Source m_source;
    RecipeLinesModel* m_lines;
};

} // namespace zestora
