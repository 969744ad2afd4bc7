#pragma once

#include "core/analysis/nutrition.h"
#include "core/store/ingrecord.h"

#include <QWidget>

#include <memory>

class QTimer;

namespace Ui {
class AnalysisScreen;
}

namespace zestora {

class HelpViewer;
class RecipeExplainer;
class SortedNameModel;
class ToolBar;
struct Session;

// The recipe / diet analysis screen: a recipe is named, built line by line from the ingredient
// list with a Nutrition Facts panel for one serving after every line, and saved.
class AnalysisScreen : public QWidget {
    Q_OBJECT
public:
    AnalysisScreen(Session& session, HelpViewer& help, SortedNameModel* ingredientNames,
                   SortedNameModel* recipeNames, QWidget* parent);
    ~AnalysisScreen() override;

    // Screen set-up: warns when the screen is too small for the window, then empties it.
    void formLoad();
    void reset();
    void cmdStartOverClick();
    void focusIt();
    void calcBarToolClick(const QString& toolName);

    // A stored recipe handed over for editing: the session carries its totals, servings and panel
    // texts; this writes its name, rows, entries and directions.
    void editStoredRecipe(const QString& name, const QStringList& rows, const QStringList& entries,
                          const QString& directions);
    // Before the program closes: a recipe with unsaved changes is saved, or dropped, as the user
    // answers. False when the program is to stay open.
    bool mayClose();

    // The ingredient search's hand-over: selects the name in the list and, a moment later,
    // chooses it as a click would.
    void chooseIngredientFromSearch(const QString& name);

    // Takes recipe line row out, with its nutrients, as the Edit Window's Delete does.
    void removeLine(int row);

    ToolBar* calcBar() const { return m_calcBar; }
    const nutrition::RecipeTotals& recipeTotals() const { return m_recipeTotals; }
    float servingsDivisor() const { return m_servingsDivisor; }
    const IngRecord& currentIng() const { return m_currentIng; }

Q_SIGNALS:
    // A stored recipe was replaced; the stored recipes list wants its first entry chosen.
    void firstStoredRecipeWanted();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Ingredient choice and measures.
    void ingLstClick();
    void ingLst2DropDown();
    void selectIngredient(const QString& name);
    void loadMeasureLst();
    void showIngredientList(bool show);

    // Quantity and servings entry.
    void onesVsChange(int value);
    void fracVsChange(int value);
    void fDOptClick();
    void servingsVsChange(int value);
    bool fractionMode() const;
    void clearQuantityEntry();

    // Lines and headings.
    void addcmdClick();
    void rIngLstClick(int row);
    void addHeading();
    void insertLine(int position, const QString& row, const QString& entry);
    float panelServings() const;

    // The panel.
    void writePanel();
    void showCaloriePercentages();
    void showSavedStatus();
    void setChanged();
    void stopFlashing();

    // Name, OK and saving.
    void nameTxtChange();
    void takeOverStoredRecipe();
    void okCmdClick();
    void save();
    bool storedNameMatches(const QString& name, bool typedNameIsPattern) const;
    std::optional<QString> unstorableText() const;
    QString directionsText() const;
    void directionsTxtChange();

    Session& m_session;
    HelpViewer& m_help;
    SortedNameModel* m_recipeNames;
    const std::unique_ptr<Ui::AnalysisScreen> m_ui;
    ToolBar* m_calcBar;
    QTimer* m_flashTmr;
    QTimer* m_passTmr;
    RecipeExplainer* m_explainer = nullptr;

    qint16 m_stepIndex = 0;
    IngRecord m_currentIng;
    float m_quantityValue = 0;
    float m_fractionValue = 0;
    float m_servingsDivisor = 1;
    nutrition::RecipeTotals m_recipeTotals;
    bool m_savingNow = false;
};

} // namespace zestora
