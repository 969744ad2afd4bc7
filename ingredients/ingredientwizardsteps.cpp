// The ingredient wizard's steps, Finish with the save, and the loading of a stored ingredient.
#include "ingredients/ingredientwizard.h"

#include "ui_ingredientwizard.h"

#include "core/ingredients/caloriecheck.h"
#include "core/numbers.h"
#include "core/session.h"
#include "core/sortednamemodel.h"
#include "core/text.h"
#include "platform/messagebox.h"
#include "platform/visiblefocus.h"
#include "widgets/quantityentry.h"

namespace zestora {

using Step = IngredientDraft::Step;

bool IngredientWizard::takeStep(Step step)
{
    bool taken = true;
    switch (step) {
    case Step::Name:
        taken = takeName(true);
        break;
    case Step::FirstMeasure:
        // A typed measure is checked again: it may have been changed after it was first taken.
        taken = m_draft.ingredient().customMeasure == 0 || takeOwnMeasure();
        if (taken)
            askForQuantity(step);
        if (!m_goingForward)
            m_ui->cmdBack->setEnabled(false);
        break;
    case Step::FirstQuantity:
        taken = takeQuantity(*m_first, step, true);
        break;
    case Step::SecondMeasure:
        askForQuantity(step);
        break;
    case Step::SecondQuantity:
        taken = takeQuantity(*m_second, step, !trimSpaces(m_draft.ingredient().measure2).isEmpty());
        break;
    default:
        taken = takeNutrients(step);
        break;
    }
    if (taken)
        m_draft.setTaken(step, true);
    else
        m_ui->cmdNext->setEnabled(false);
    return taken;
}

void IngredientWizard::loadStep(Step step)
{
    switch (step) {
    case Step::Name:
        takeName(false);
        break;
    case Step::FirstMeasure:
    case Step::SecondMeasure:
        // Loaded for editing, the quantity steps still say which measure they ask for.
        askForQuantity(step);
        break;
    case Step::FirstQuantity:
        takeQuantity(*m_first, step, true);
        break;
    case Step::SecondQuantity:
        takeQuantity(*m_second, step, false);
        break;
    default:
        wizard::takeNutrientStep(IngredientDraft::indexOf(step), nutrientTexts(),
                                 m_draft.ingredient(), m_draft.preview());
        showPreview();
        break;
    }
}

void IngredientWizard::askForQuantity(Step measureStep)
{
    (measureStep == Step::FirstMeasure ? m_ui->lblDialog_2 : m_ui->lblDialog_4)
        ->setText(wizard::quantityInstruction(m_draft.measureOf(measureStep)));
}

bool IngredientWizard::takeOwnMeasure()
{
    if (trimSpaces(m_draft.ingredient().measure1).isEmpty()) {
        MessageBox::show(this,
                         QStringLiteral("Type the name of the unique measure in the box, for "
                                        "example slice,\r\nthen press next."),
                         QStringLiteral("There's a Problem"), MessageBox::Icon::Information);
        m_ui->txtUnique->setFocus();
        return false;
    }
    if (!checkTypedText(m_draft.ingredient().measure1, QStringLiteral("the measure"))) {
        m_ui->txtUnique->setFocus();
        return false;
    }
    return true;
}

bool IngredientWizard::takeName(bool checked)
{
    const QString text = m_ui->txtName->text();
    if (checked) {
        if (text.size() > IngRecord::nameWidth || trimSpaces(text).isEmpty()) {
            MessageBox::show(this,
                             QStringLiteral("60 letters is the maximum for the \r\nname of the "
                                            "ingrediant.\r\n\r\nOr you did not enter anything, "
                                            "the \r\ningrediant must have a name.\r\n\r\nPlease "
                                            "enter it again."),
                             QStringLiteral("There's a Problem"), MessageBox::Icon::Information);
            m_ui->txtName->clear();
            m_ui->txtName->setFocus();
            return false;
        }
        if (!checkTypedText(text, QStringLiteral("the name"))) {
            m_ui->txtName->setFocus();
            return false;
        }
    }
    m_draft.ingredient().name = text;
    m_ui->Picture1->setName(text);
    if (checked && m_goingForward)
        m_ui->cmdBack->setEnabled(true);
    return true;
}

bool IngredientWizard::takeQuantity(QuantityEntry& q, Step step, bool checkZero)
{
    const quantity::Entry entry = q.entry();
    const float amount = m_draft.takeQuantity(step, entry);
    if (checkZero && amount == 0) {
        MessageBox::show(this,
                         QStringLiteral("The quantity must be greater than zero.  Please enter it "
                                        "again."),
                         QStringLiteral("Error"), MessageBox::Icon::Exclamation);
        m_ui->cmdNext->setEnabled(false);
        m_draft.setTaken(step, false);
        return false;
    }
    q.blankZeroParts();
    const QString serving = m_draft.servingText(step, entry);
    if (step == Step::FirstQuantity)
        m_ui->Picture1->setServing(serving);
    else
        m_ui->Picture1->setSecondServing(serving);
    return true;
}

bool IngredientWizard::takeNutrients(Step step)
{
    // The boxes are checked again, since Finish takes every step with the boxes as they are now.
    QLineEdit* const boxes[][2] = {{m_ui->txtCal, nullptr},
                                   {m_ui->txtFat, m_ui->txtSatFat},
                                   {m_ui->txtChol, nullptr},
                                   {m_ui->txtSodium, nullptr},
                                   {m_ui->txtTotalCarbs, m_ui->txtFiber},
                                   {m_ui->txtProtein, nullptr}};
    for (QLineEdit* box :
         boxes[IngredientDraft::indexOf(step) - IngredientDraft::indexOf(Step::Calories)]) {
        if (!box)
            continue;
        const wizard::Entry entry = wizard::checkIt(box->text(), boxOf(box));
        if (entry == wizard::Entry::Valid)
            continue;
        if (entry == wizard::Entry::Refused)
            MessageBox::show(this, wizard::checkItMessage, wizard::checkItTitle,
                             MessageBox::Icon::Information);
        moveFocusVisibly(box);
        return false;
    }
    wizard::takeNutrientStep(IngredientDraft::indexOf(step), nutrientTexts(), m_draft.ingredient(),
                             m_draft.preview());
    showPreview();
    return true;
}

void IngredientWizard::finish()
{
    const QString name = trimSpaces(m_ui->txtName->text());
    // The stored version an answer of Yes replaces; found once, as nothing can change the table
    // while the wizard asks.
    const int replaced = m_session.ingredients.indexOfName(name);
    if (replaced >= 0) {
        const MessageBox::Answer answer = MessageBox::show(
            this,
            name + QStringLiteral(" is already stored.\r\n\r\nWould you like to replace the "
                                  "stored version with this one?"),
            QStringLiteral("Duplicate"), MessageBox::Icon::Exclamation, MessageBox::Buttons::YesNo,
            MessageBox::Default::No);
        if (answer != MessageBox::Answer::Yes) {
            m_draft.goTo(Step::Name);
            showStep();
            m_ui->txtName->setFocus();
            return;
        }
    }
    // Every step is taken again from the boxes as they are now. A step that refuses its data
    // stops the save and is shown, with its message, for the user to correct.
    for (int index = 0; index < IngredientDraft::stepCount; ++index) {
        const auto step = static_cast<Step>(index);
        if (!takeStep(step)) {
            m_draft.goTo(step);
            showStep();
            if (!m_pages[static_cast<size_t>(index)]->isAncestorOf(focusWidget()))
                focusStep(step);
            return;
        }
    }
    m_draft.goBeyondLast();

    const QString added = m_draft.ingredient().name + QStringLiteral(" has now been added ") +
                          QStringLiteral("to you list of ingredients.");
    const CalorieCheck check = checkIngredient(m_draft.ingredient());
    if (!check.problem()) {
        if (!save(replaced))
            return;
        MessageBox::show(this, added, QString(), MessageBox::Icon::None);
        reset();
        if (roomForNewIngredient())
            m_ui->txtName->setFocus();
        return;
    }
    if (MessageBox::show(this, check.message, QStringLiteral("Houston we have a problem."),
                         MessageBox::Icon::Exclamation,
                         MessageBox::Buttons::YesNo) == MessageBox::Answer::Yes) {
        // Saved as the user confirmed; the wizard keeps what it shows.
        if (save(replaced))
            MessageBox::show(this, added, QString(), MessageBox::Icon::None);
        return;
    }
    m_ui->cmdNext->setEnabled(false);
    m_draft.goTo(Step::Protein);
    m_ui->cmdStartOver->setFocus();
}

bool IngredientWizard::save(int replaced)
{
    const QString name = trimSpaces(m_ui->txtName->text());
    m_draft.ingredient().measureKind =
        volumeWeight(m_draft.ingredient().measure1, m_draft.ingredient().measure2);
    IngTable& ingredients = m_session.ingredients;
    const bool replace = replaced >= 0;
    // The table holds the texts as they read back from the file, without the blanks that pad
    // their fields (a measure loaded for editing comes with them).
    IngRecord record = m_draft.ingredient();
    for (QString* text : {&record.name, &record.measure1, &record.measure2})
        while (text->endsWith(u' '))
            text->chop(1);
    if (!(replace ? ingredients.replaceIngAt(replaced, record) : ingredients.appendIng(record))) {
        MessageBox::show(this, ingredients.errorString(), QStringLiteral("Ingredient Not Saved"),
                         MessageBox::Icon::Critical);
        return false;
    }
    // Both ingredient lists show this one model: the replaced name leaves it, the new one goes
    // to its sorted place.
    if (replace)
        m_ingredientNames->removeRow(m_ingredientNames->lastRowOfTrimmed(name));
    m_ingredientNames->insertName(record.trimmedName());
    return true;
}

void IngredientWizard::editIngredient(const IngRecord& stored, const QString& calories,
                                      const QString& fatCalories)
{
    // Each box is set as typing would set it, so its own handler runs even when the text was
    // already there.
    const auto type = [](QLineEdit* box, const QString& text) {
        if (box->text() == text)
            Q_EMIT box->textChanged(text);
        else
            box->setText(text);
    };
    m_editLoading = true;
    m_ui->txtName->setEnabled(true);
    type(m_ui->txtName, stored.trimmedName());
    if (stored.customMeasure != 0) {
        selectOption(m_firstMeasures, wizard::ownUnit);
        m_ui->picUnique->setVisible(true);
        // The measure's whole field, blanks included, as the file holds it.
        type(m_ui->txtUnique, stored.measure1.leftJustified(IngRecord::measureWidth));
    } else if (const int unit = wizard::firstUnitIndex(stored.measure1); unit >= 0) {
        selectOption(m_firstMeasures, unit);
    } else {
        unselectAll(m_firstMeasures);
        // No option shows this measure: the ingredient keeps it rather than a measure chosen
        // earlier in the wizard.
        m_draft.ingredient().measure1 = stored.measure1;
        m_draft.ingredient().customMeasure = stored.customMeasure;
    }
    m_first->setEntry(wizard::spinnerEntry(stored.amount1));
    m_draft.ingredient().measure2 = stored.measure2; // kept where no option shows it
    if (stored.measureKind != 0)
        selectOption(m_secondMeasures, wizard::ownUnit);
    if (const int unit = wizard::secondUnitIndex(stored.measure2); unit >= 0)
        selectOption(m_secondMeasures, unit);
    m_second->setEntry(wizard::spinnerEntry(stored.amount2));
    type(m_ui->txtCal, calories);
    type(m_ui->txtFat, fatCalories);
    m_ui->optFatCals_0->setChecked(true);
    m_ui->txtFat->setFocus();
    type(m_ui->txtSatFat, floatText(stored.satFat));
    type(m_ui->txtChol, QString::number(stored.cholesterol));
    type(m_ui->txtSodium, floatText(stored.sodium));
    type(m_ui->txtTotalCarbs, floatText(stored.totalCarbs));
    type(m_ui->txtFiber, floatText(stored.fiber));
    // The protein box comes last: its change ends the load.
    type(m_ui->txtProtein, floatText(stored.protein));
}

void IngredientWizard::finishLoading()
{
    for (int index = 0; index < IngredientDraft::stepCount; ++index) {
        const auto step = static_cast<Step>(index);
        m_draft.setTaken(step, true);
        loadStep(step);
    }
    m_ui->cmdFinish->setEnabled(true);
    m_draft.goTo(Step::Name);
    showStep();
    m_ui->cmdBack->setEnabled(false); // there is no step before the first
    focusStep(Step::Name);
    m_editLoading = false;
}

} // namespace zestora
