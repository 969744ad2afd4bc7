#pragma once

#include "core/ingredients/ingredientdraft.h"
#include "core/ingredients/wizardrules.h"

#include <QWidget>

#include <array>
#include <memory>

class QLineEdit;
class QRadioButton;

namespace Ui {
class IngredientWizard;
}

namespace zestora {

class HelpViewer;
class QuantityEntry;
class SortedNameModel;
struct Session;

// The ingredient wizard: eleven steps, one panel each, that build one ingredient (a name, a
// measure and its quantity, an optional second measure and quantity, eight nutrients) beside a
// Nutrition Facts preview that fills in step by step. Finish checks the calories and stores the
// ingredient; a stored ingredient can be loaded for editing.
class IngredientWizard : public QWidget {
    Q_OBJECT
public:
    IngredientWizard(Session& session, HelpViewer& help, SortedNameModel* ingredientNames,
                     QWidget* parent);
    ~IngredientWizard() override;

    // Whether a new ingredient can be added: when the ingredient list is full the user is told
    // before typing anything, and the name box stays disabled until the wizard edits a stored
    // ingredient.
    bool roomForNewIngredient();
    // Fills the wizard from a stored ingredient, control by control as a user would, and opens it
    // on step 1 with Finish enabled. Calories and fat calories are those its panel shows.
    void editIngredient(const IngRecord& stored, const QString& calories,
                        const QString& fatCalories);

    // The help topic of the step on view, for the Help button and for F1.
    int helpContext() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    // Empties every step and shows the first.
    void reset();
    void next();
    void back();
    void startOver();
    void showStepHelp();
    void finish();
    void showStep();
    void focusStep(IngredientDraft::Step step);
    bool anythingEntered() const;

    // Steps: takeStep processes a step's data when the user moves on and answers false when it
    // refuses them; loadStep takes a step's data while an ingredient is loaded.
    bool takeStep(IngredientDraft::Step step);
    void loadStep(IngredientDraft::Step step);
    // The instruction of the quantity step after a measure step.
    void askForQuantity(IngredientDraft::Step measureStep);
    bool takeName(bool checked);
    bool takeOwnMeasure();
    bool takeQuantity(QuantityEntry& q, IngredientDraft::Step step, bool checkZero);
    bool takeNutrients(IngredientDraft::Step step);
    void finishLoading();

    void firstMeasureChosen(int index);
    void secondMeasureChosen(int index);
    void setSecondUnitsEnabled();
    void ownMeasureChanged();
    static void unselectAll(const std::array<QRadioButton*, wizard::unitCount>& options);
    void selectOption(const std::array<QRadioButton*, wizard::unitCount>& options, int index);
    bool checkTypedText(const QString& text, const QString& what);
    void nutrientTyped(QLineEdit* changed, QLineEdit* other);
    wizard::Box boxOf(const QLineEdit* box) const;
    wizard::NutrientTexts nutrientTexts() const;

    // Stores the ingredient, in place of the record at `replaced` when that is not -1.
    bool save(int replaced);
    void showPreview();

    Session& m_session;
    HelpViewer& m_help;
    SortedNameModel* m_ingredientNames;
    const std::unique_ptr<Ui::IngredientWizard> m_ui;
    std::array<QWidget*, IngredientDraft::stepCount> m_pages;
    std::array<QRadioButton*, wizard::unitCount> m_firstMeasures;
    std::array<QRadioButton*, wizard::unitCount> m_secondMeasures;
    QuantityEntry* m_first;
    QuantityEntry* m_second;

    IngredientDraft m_draft;
    bool m_goingForward = false;
    bool m_editLoading = false; // a stored ingredient is being loaded for editing
};

} // namespace zestora
