#pragma once

#include "core/analysis/recipedraft.h"
#include "core/paste/coverage.h"
#include "core/store/ingrecord.h"

#include <QWidget>

#include <memory>
#include <optional>

class QTimer;

namespace Ui {
class AnalysisScreen;
}

namespace zestora {

class DishWeightBox;
class HelpViewer;
class QuantityEntry;
class RecipeExplainer;
class SortedNameModel;
class ToolBar;
struct RecipeView;
struct Session;
namespace recipeingredients {
class RecipeLinks;
}

// The recipe / diet analysis screen: a view of the recipe being built (RecipeDraft). The user
// names it, adds lines from the ingredient list with a Nutrition Facts panel for one serving after
// every line, and saves it; a stored recipe comes here to be edited.
class AnalysisScreen : public QWidget {
    Q_OBJECT
public:
    AnalysisScreen(Session& session, HelpViewer& help, SortedNameModel* ingredientNames,
                   SortedNameModel* recipeNames, QWidget* parent);
    ~AnalysisScreen() override;

    // Screen set-up: warns when the screen is too small for the window, then empties it.
    void setUp();
    // Empties the screen for a new recipe and puts the focus on its name.
    void startOver();
    // A stored recipe, as the stored recipes screen shows it, to be edited here; unless the user
    // keeps the recipe on the screen (see mayReplaceRecipe), which the answer false says.
    bool editStoredRecipe(const QString& name, const RecipeView& recipe);
    // Before the recipe on the screen gives way (the program closes, the user starts over,
    // another recipe is handed over): unsaved changes are saved, or dropped, as the user
    // answers. False when the recipe is to stay.
    bool mayReplaceRecipe();

    ToolBar* calcBar() const { return m_calcBar; }

    // Lines pasted and reviewed, added where the next line would go, the panel shown once; how
    // many of the pasted lines count is shown under the recipe's lines. The servings the pasted
    // text gave become the recipe's when it had no lines yet.
    void addPastedLines(const QList<RecipeDraft::NewLine>& lines, const paste::Coverage& coverage,
                        std::optional<float> servings);

Q_SIGNALS:
    // "Paste Ingredients" was pressed, or Ctrl+Shift+V: the paste window is wanted.
    void pasteWanted();
    // A stored recipe was replaced; the stored recipes list wants its first entry chosen.
    void firstStoredRecipeWanted();
    // The user asked to save from another screen and the recipe could not be saved: this screen
    // is to be shown, so that it can be mended.
    void attentionWanted();
    // Something the user should know of a save that asks for no answer: for the status line.
    void statusNote(const QString& note);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Brings the ingredients made from the saved recipe up to date, and says so.
    void followSavedRecipe(const QString& name, const recipeingredients::RecipeLinks& links);
    void takePastedServings(float servings);
    void setUpSpinners();
    void buildCalcBar();
    void connectControls();
    void reset();
    void startOverFromToolBar();

    // Ingredient choice and measures.
    void openSearch();
    void chooseIngredient();
    void chooseIngredientFromSearch(const QString& name);
    void showIngredientList(bool show);
    // Shows the large list with the focus in it, for the next ingredient.
    void openIngredientList();

    // Servings entry.
    void servingsChanged(int value);
    void stopFlashing();

    // Lines and headings.
    void addLine();
    void editLine(int row);
    void addHeading();
    void showLinesAdded(const QList<int>& positions);
    void showLineRemoved(int row);

    // What the recipe shows: the panel, its shares, the saved status.
    void showTotals();
    void showSavedStatus();
    void setChanged();
    paste::Coverage shownCoverage() const;
    void showCoverage();

    // The finished dish: the serving's weight and per 100 g, the weight when cooked as stored
    // for a recipe, checked before a save, and kept after it.
    void setUpDishWeight();
    void showServingWeight();
    void showCookedWeightOf(const QString& recipe);
    bool cookedWeightTyped();
    void keepCookedWeight(const QString& recipe);

    // Name, OK and saving.
    void nameChanged();
    // OK: the servings change taken in. While saving, the name is checked first and a name
    // conflict settled; false when the user cancelled it.
    bool confirmServings(bool saving);
    void save();
    bool storedNameMatches(const QString& name, bool typedNameIsPattern) const;
    std::optional<QString> unstorableText() const;
    QString directionsText() const;
    void directionsChanged();

    Session& m_session;
    HelpViewer& m_help;
    SortedNameModel* m_recipeNames;
    const std::unique_ptr<Ui::AnalysisScreen> m_ui;
    ToolBar* m_calcBar;
    QTimer* m_flashTmr;
    QTimer* m_passTmr;
    RecipeExplainer* m_explainer = nullptr;
    DishWeightBox* m_dishWeight = nullptr;
    QuantityEntry* m_quantity = nullptr;

    // The ingredient of the line being entered, and its name as chosen in the list.
    IngRecord m_currentIng;
    QString m_chosenName;
    RecipeDraft m_draft;
    // Of the lines that came from outside (pasted, or kept uncounted by an import of the recipe
    // edited), how many count.
    paste::Coverage m_coverage;
    int m_ingredientLinesCovered = 0; // the recipe's ingredient lines when m_coverage was taken
};

} // namespace zestora
