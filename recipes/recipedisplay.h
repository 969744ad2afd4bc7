#pragma once

#include "core/analysis/nutrition.h"
#include "core/recipes/recipeview.h"
#include "core/sharing/recipehtml.h"
#include "recipes/recipepage.h"

#include <optional>

namespace Ui {
class StoredRecipesScreen;
}

namespace zestora {

class DishWeightBox;
class IngTable;
class RecipeExplainer;
class RecipeLinesModel;

// One stored recipe as the stored recipes form shows it: its lines, the Nutrition Facts panel
// worked out again from the ingredient database, the calorie shares and their chart, the
// serving's weight and the directions. The screen shows the chosen recipe through it, and the
// printed pages are laid out through it on a form of their own, so that both print alike.
class RecipeDisplay {
public:
    // Sets up the panel, the lines and the serving's weight of the form set up on form.
    RecipeDisplay(Ui::StoredRecipesScreen& ui, QWidget* form, const IngTable& ingredients);

    void clear();
    // Shows recipe, stored as name, in place of what was shown. A recipe whose ingredient the
    // database lacks shows what was worked out before it, and answers that ingredient.
    std::optional<QString> show(const QString& name, RecipeView recipe);

    const RecipeView& recipe() const { return m_shown; }
    RecipeLinesModel* lines() const;
    // The texts on display that an e-mail of the recipe carries.
    ShownRecipe shownRecipe() const;
    // The printed page, the form's frame laid out for a moment at frameSize, never drawn so.
    RecipePage page(QSize frameSize) const;

private:
    // Empties all but the calorie chart.
    void clearValues();

    Ui::StoredRecipesScreen& m_ui;
    RecipeExplainer* m_explainer = nullptr;
    DishWeightBox* m_dishWeight = nullptr;
    QString m_name;
    RecipeView m_shown;
    // What the panel and the shares show of it: nothing until an ingredient line was worked out.
    std::optional<nutrition::PanelTexts> m_panel;
    nutrition::CalorieShares m_shares;
};

} // namespace zestora
