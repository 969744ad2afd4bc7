#pragma once

#include "core/recipes/recipeview.h"
#include "core/sharing/recipehtml.h"
#include "recipes/recipepage.h"

#include <QWidget>

#include <functional>
#include <memory>

namespace Ui {
class StoredRecipesScreen;
}

namespace zestora {

class RecipeDisplay;
class SortedNameModel;
class ToolBar;
struct Session;

// The stored recipes screen: every stored recipe by name; the one chosen is shown with its lines,
// directions and a Nutrition Facts panel worked out again from the ingredient database, and can
// be edited, deleted, printed or e-mailed.
class StoredRecipesScreen : public QWidget {
    Q_OBJECT
public:
    StoredRecipesScreen(Session& session, SortedNameModel* recipeNames, QWidget* parent);
    ~StoredRecipesScreen() override;

    // Chooses the first recipe of the list and shows it, now or, while the screen is hidden, when
    // it is next shown; an empty list empties the screen.
    void selectFirstRecipe();
    // Shows the recipe chosen in the list; none chosen empties the screen.
    void showChosenRecipe();
    // The printed page of the recipe shown, as the screen lays it out for a sheet of paper.
    RecipePage printedPage();
    // Opens the e-mail window for the recipe shown.
    void setEmailOpener(std::function<void()> opener) { m_openEmail = std::move(opener); }
    // The texts on display that an e-mail of the recipe carries.
    ShownRecipe shownRecipe() const;

    ToolBar* viewBar() const { return m_viewBar; }

protected:
    void showEvent(QShowEvent* event) override;

Q_SIGNALS:
    // Edit: the recipe shown goes to the analysis screen.
    void editRecipe(const QString& name, const RecipeView& recipe);
    // Use as Ingredient stored a new ingredient: the ingredient lists want its name.
    void ingredientMade(const QString& name);
    // Deleting a recipe also deleted the ingredient made from it.
    void ingredientDeleted(const QString& name);

private:
    QString findRecipeBody(const QString& name) const;
    void showError(const QString& ingredient);
    // The tools work on the recipe chosen; without one they say so.
    void runOnChosen(void (StoredRecipesScreen::*command)(const QString&), const QString& noRecipe);
    void deleteRecipe(const QString& name);
    void useAsIngredient(const QString& name);
    // After its recipe was deleted, an ingredient made from it stays as it stands or goes.
    void settleIngredientsOf(const QString& recipe);
    // After a recipe was deleted: its weight when cooked goes with it.
    void forgetCookedWeight(const QString& recipe);
    void editRecipeShown(const QString& name);
    void printRecipe(const QString& name);
    void emailRecipe(const QString& name);

    Session& m_session;
    SortedNameModel* m_recipeNames;
    const std::unique_ptr<Ui::StoredRecipesScreen> m_ui;
    ToolBar* m_viewBar;
    std::function<void()> m_openEmail;
    std::unique_ptr<RecipeDisplay> m_display;
    bool m_showWhenVisible = false;
};

} // namespace zestora
