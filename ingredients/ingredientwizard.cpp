#include "ingredients/ingredientwizard.h"

#include "ui_ingredientwizard.h"

#include "core/analysis/quantity.h"
#include "core/session.h"
#include "core/shell/helptopics.h"
#include "platform/helpviewer.h"
#include "platform/messagebox.h"
#include "platform/visiblefocus.h"
#include "widgets/quantityentry.h"

#include <QKeyEvent>
#include <QShowEvent>
#include <QStyle>

#include <algorithm>

namespace zestora {

namespace {
constexpr int onesMaximum = 20000;
const QString problemTitle = QStringLiteral("There's a Problem");

} // namespace

void IngredientWizard::unselectAll(const std::array<QRadioButton*, wizard::unitCount>& options)
{
    // An exclusive group does not let its last selected button go by itself.
    for (QRadioButton* option : options) {
        option->setAutoExclusive(false);
        option->setChecked(false);
        option->setAutoExclusive(true);
    }
}

IngredientWizard::IngredientWizard(Session& session, HelpViewer& help,
                                   SortedNameModel* ingredientNames, QWidget* parent)
    : QWidget(parent)
    , m_session(session)
    , m_help(help)
    , m_ingredientNames(ingredientNames)
    , m_ui(std::make_unique<Ui::IngredientWizard>())
{
    m_ui->setupUi(this);
    m_ui->Picture1->setForm(NutritionPanel::Form::Ingredient);
    // The step title is centred as the longest count would be, its text starting at the same
    // place on every step, so that it does not shift when the count reaches two digits.
    QLabel* title = m_ui->SteppLbl;
    title->setFixedWidth(title->fontMetrics().horizontalAdvance(QStringLiteral("Step 11 of 11")));
    title->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_ui->topRow->setAlignment(title, Qt::AlignCenter);
    m_first = new QuantityEntry({m_ui->vsOnes, m_ui->txtOnes, m_ui->vsFrac, m_ui->txtFrac,
                                 m_ui->lblDecimal, m_ui->optForD_0, m_ui->optForD_1},
                                QuantityEntry::ModeChange::ShowAtOnce, this);
    m_second = new QuantityEntry({m_ui->vsOnes2, m_ui->txtOnes2, m_ui->vsFrac2, m_ui->txtFrac2,
                                  m_ui->lblDecimal2, m_ui->optForD2_0, m_ui->optForD2_1},
                                 QuantityEntry::ModeChange::ShowWhenMoved, this);
    for (int i = 0; i < IngredientDraft::stepCount; ++i) {
        m_pages[static_cast<size_t>(i)] = findChild<QWidget*>(QStringLiteral("PicWiz_%1").arg(i));
        findChild<QLabel*>(QStringLiteral("Label1_%1").arg(i))->setVisible(false);
    }
    for (int i = 0; i < wizard::unitCount; ++i) {
        QRadioButton* first = findChild<QRadioButton*>(QStringLiteral("optUnits_%1").arg(i));
        QRadioButton* second = findChild<QRadioButton*>(QStringLiteral("opt2ndM_%1").arg(i));
        m_firstMeasures[static_cast<size_t>(i)] = first;
        m_secondMeasures[static_cast<size_t>(i)] = second;
        connect(first, &QRadioButton::clicked, this, [this, i] { firstMeasureChosen(i); });
        connect(second, &QRadioButton::clicked, this, [this, i] { secondMeasureChosen(i); });
    }
    m_ui->Image1->setPixmap(QPixmap(QStringLiteral(":/pictures/fruit-and-vegetables.png")));

    connect(m_ui->cmdNext, &QPushButton::clicked, this, &IngredientWizard::next);
    connect(m_ui->cmdBack, &QPushButton::clicked, this, &IngredientWizard::back);
    connect(m_ui->cmdStartOver, &QPushButton::clicked, this, &IngredientWizard::startOver);
    connect(m_ui->cmdHelp, &QPushButton::clicked, this, &IngredientWizard::showStepHelp);
    connect(m_ui->cmdFinish, &QPushButton::clicked, this, &IngredientWizard::finish);
    connect(m_ui->Image1, &ClickableLabel::clicked, this, [this] {
        MessageBox::show(this,
                         QStringLiteral("This is just a picture of some fruit and vegetables."),
                         QStringLiteral("Zestora"), MessageBox::Icon::None);
    });
    connect(m_ui->txtName, &QLineEdit::textChanged, this, [this](const QString& text) {
        m_ui->cmdNext->setEnabled(true);
        if (!checkTypedText(text, QStringLiteral("the name")))
            m_ui->cmdNext->setEnabled(false);
    });
    connect(m_ui->txtUnique, &QLineEdit::textChanged, this, &IngredientWizard::ownMeasureChanged);

    for (QuantityEntry* quantity : {m_first, m_second})
        connect(quantity, &QuantityEntry::changed, this,
                [this] { m_ui->cmdNext->setEnabled(true); });
    for (Spinner* ones : {m_ui->vsOnes, m_ui->vsOnes2}) {
        ones->setRange(0, onesMaximum);
        // Numbers can be typed while a spinner has the focus, which a click on its box gives it:
        // the whole part as into a number field, the tenths digit as the mode allows.
        ones->setNumberField([this](const QString& digits) {
            MessageBox::show(this,
                             digits + QStringLiteral(" is too large.\r\n\r\nEnter a whole number "
                                                     "from 0 to %1.")
                                          .arg(onesMaximum),
                             problemTitle, MessageBox::Icon::Information);
        });
    }
    for (auto [box, spinner] :
         {std::pair{m_ui->txtOnes, m_ui->vsOnes}, std::pair{m_ui->txtFrac, m_ui->vsFrac},
          std::pair{m_ui->txtOnes2, m_ui->vsOnes2}, std::pair{m_ui->txtFrac2, m_ui->vsFrac2}}) {
        box->setFocusPolicy(Qt::ClickFocus);
        box->setFocusProxy(spinner);
    }

    connect(m_ui->txtCal, &QLineEdit::textChanged, this,
            [this] { nutrientTyped(m_ui->txtCal, nullptr); });
    connect(m_ui->txtFat, &QLineEdit::textChanged, this,
            [this] { nutrientTyped(m_ui->txtFat, m_ui->txtSatFat); });
    connect(m_ui->txtSatFat, &QLineEdit::textChanged, this,
            [this] { nutrientTyped(m_ui->txtSatFat, m_ui->txtFat); });
    connect(m_ui->txtChol, &QLineEdit::textChanged, this,
            [this] { nutrientTyped(m_ui->txtChol, nullptr); });
    connect(m_ui->txtSodium, &QLineEdit::textChanged, this,
            [this] { nutrientTyped(m_ui->txtSodium, nullptr); });
    connect(m_ui->txtTotalCarbs, &QLineEdit::textChanged, this,
            [this] { nutrientTyped(m_ui->txtTotalCarbs, m_ui->txtFiber); });
    connect(m_ui->txtFiber, &QLineEdit::textChanged, this,
            [this] { nutrientTyped(m_ui->txtFiber, m_ui->txtTotalCarbs); });
    connect(m_ui->txtProtein, &QLineEdit::textChanged, this, [this] {
        nutrientTyped(m_ui->txtProtein, nullptr);
        if (m_editLoading)
            finishLoading();
    });
    for (QRadioButton* option : {m_ui->optFatCals_0, m_ui->optFatCals_1})
        connect(option, &QRadioButton::clicked, this, [this] {
            m_ui->txtFat->setFocus();
            // The fat box is read by the mode now chosen, so its check may now say otherwise.
            if (!m_ui->txtFat->text().isEmpty())
                nutrientTyped(m_ui->txtFat, m_ui->txtSatFat);
        });

    // Enter moves on from these controls, as Next would.
    for (QWidget* control : std::initializer_list<QWidget*>{
             m_ui->txtName, m_ui->txtUnique, m_ui->vsOnes, m_ui->vsFrac, m_ui->optForD_0,
             m_ui->optForD_1, m_ui->vsOnes2, m_ui->vsFrac2, m_ui->cmdNext, m_ui->txtCal,
             m_ui->txtFat, m_ui->txtSatFat, m_ui->txtChol, m_ui->txtSodium, m_ui->txtTotalCarbs,
             m_ui->txtFiber, m_ui->txtProtein})
        control->installEventFilter(this);

    reset();
}

IngredientWizard::~IngredientWizard() = default;

bool IngredientWizard::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            if (m_ui->cmdNext->isEnabled())
                next();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void IngredientWizard::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    // Brought on view, the wizard takes the keys at the step's input.
    if (!event->spontaneous())
        focusStep(m_draft.step());
}

void IngredientWizard::reset()
{
    m_draft.reset();
    m_ui->cmdHelp->setEnabled(true);
    showPreview();
    m_ui->Picture1->setName(QString());
    m_ui->Picture1->setServing(QString());
    m_ui->Picture1->setSecondServing(QString());
    m_ui->cmdBack->setEnabled(false);
    m_ui->cmdFinish->setEnabled(false);
    m_ui->txtName->clear();
    unselectAll(m_firstMeasures);
    m_ui->picUnique->setVisible(false);
    m_first->setEntry({0, 0, false});
    unselectAll(m_secondMeasures);
    for (QRadioButton* option : m_secondMeasures)
        option->setEnabled(true);
    m_second->setEntry({0, 0, false});
    m_ui->txtCal->clear();
    m_ui->optFatCals_0->setChecked(true);
    for (QLineEdit* box : {m_ui->txtFat, m_ui->txtSatFat, m_ui->txtChol, m_ui->txtSodium,
                           m_ui->txtTotalCarbs, m_ui->txtFiber, m_ui->txtProtein})
        box->clear();
    m_ui->cmdNext->setEnabled(false);
    showStep();
}

bool IngredientWizard::roomForNewIngredient()
{
    const bool room = m_session.ingredients.count() < IngTable::maxCount;
    // A full list takes no new name; a stored ingredient can still be edited.
    m_ui->txtName->setEnabled(room);
    if (room)
        return true;
    MessageBox::show(this, IngTable::fullMessage(), QStringLiteral("Ingredient List Full"),
                     MessageBox::Icon::Exclamation);
    return false;
}

// --- Navigation -------------------------------------------------------------------------------

void IngredientWizard::showStep()
{
    m_ui->PicWizStack->setCurrentWidget(
        m_pages[static_cast<size_t>(IngredientDraft::indexOf(m_draft.step()))]);
    m_ui->SteppLbl->setText(QStringLiteral("Step %1 of 11").arg(m_draft.stepNumber()));
}

void IngredientWizard::focusStep(IngredientDraft::Step step)
{
    // Arriving on a step puts the focus on its own input, never on a button that Enter would
    // press by surprise: the measure chosen or the first that can be, the spinner of a quantity.
    const auto chosenOrFirst = [](const std::array<QRadioButton*, wizard::unitCount>& options) {
        QRadioButton* first = nullptr;
        for (QRadioButton* option : options) {
            if (option->isChecked())
                return option;
            if (!first && option->isEnabled())
                first = option;
        }
        return first;
    };
    QWidget* const inputs[] = {m_ui->txtName,
                               m_ui->optUnits_11->isChecked()
                                   ? static_cast<QWidget*>(m_ui->txtUnique)
                                   : chosenOrFirst(m_firstMeasures),
                               m_ui->vsOnes,
                               chosenOrFirst(m_secondMeasures),
                               m_ui->vsOnes2,
                               m_ui->txtCal,
                               m_ui->txtFat,
                               m_ui->txtChol,
                               m_ui->txtSodium,
                               m_ui->txtTotalCarbs,
                               m_ui->txtProtein};
    if (QWidget* const input = inputs[IngredientDraft::indexOf(step)])
        moveFocusVisibly(input);
}

bool IngredientWizard::anythingEntered() const
{
    const auto anyChecked = [](const std::array<QRadioButton*, wizard::unitCount>& options) {
        return std::any_of(options.begin(), options.end(),
                           [](const QRadioButton* option) { return option->isChecked(); });
    };
    // A measure of its own counts with its option: the box keeps its text while hidden.
    const QLineEdit* const boxes[] = {m_ui->txtName,       m_ui->txtCal,   m_ui->txtFat,
                                      m_ui->txtSatFat,     m_ui->txtChol,  m_ui->txtSodium,
                                      m_ui->txtTotalCarbs, m_ui->txtFiber, m_ui->txtProtein};
    return anyChecked(m_firstMeasures) || anyChecked(m_secondMeasures) ||
           m_first->entry().value() != 0 || m_second->entry().value() != 0 ||
           std::any_of(std::begin(boxes), std::end(boxes),
                       [](const QLineEdit* box) { return !box->text().isEmpty(); });
}

void IngredientWizard::next()
{
    m_goingForward = true;
    // Past the last step (Next after a save the user confirmed despite the calorie check) there
    // is nothing to take.
    const bool taken = m_draft.beyondLast() || takeStep(m_draft.step());
    const IngredientDraft::Move move = m_draft.moveOn(taken, m_ui->opt2ndM_11->isChecked());
    if (move.almostDone)
        MessageBox::show(this,
                         QStringLiteral("Now if all the information looks correct, ") +
                             QStringLiteral("\r\npress the Finish button."),
                         QStringLiteral("Almost Done"), MessageBox::Icon::Information);
    if (move.finished) {
        m_ui->cmdNext->setEnabled(false);
        m_ui->cmdFinish->setEnabled(true);
    }
    showStep();
    if (!m_draft.nextAllowed())
        m_ui->cmdNext->setEnabled(false);
    if (move.finished)
        m_ui->cmdFinish->setFocus();
    else
        focusStep(m_draft.step());
}

void IngredientWizard::back()
{
    using Step = IngredientDraft::Step;
    const bool fromNutrients = m_draft.step() == Step::Calories;
    if (!m_draft.moveBack(m_ui->opt2ndM_11->isChecked()))
        return;
    m_goingForward = false;
    if (m_draft.step() == Step::Name)
        m_ui->cmdBack->setEnabled(false);
    if (fromNutrients)
        setSecondUnitsEnabled();
    showStep();
    focusStep(m_draft.step());
    if (m_draft.nextAllowed())
        m_ui->cmdNext->setEnabled(true);
}

void IngredientWizard::startOver()
{
    // Nothing typed goes without asking.
    if (anythingEntered() &&
        MessageBox::show(this, QStringLiteral("Start over and clear everything entered so far?"),
                         QStringLiteral("Start Over"), MessageBox::Icon::Question,
                         MessageBox::Buttons::YesNo,
                         MessageBox::Default::No) != MessageBox::Answer::Yes)
        return;
    reset();
    m_ui->txtName->setFocus();
}

int IngredientWizard::helpContext() const
{
    return help::wizardContext + 10 * IngredientDraft::indexOf(m_draft.step());
}

void IngredientWizard::showStepHelp()
{
    // The help window takes the keys; the step's input has the focus when the user comes back.
    m_help.showHelp(helpContext());
    focusStep(m_draft.step());
}

// --- Measures ---------------------------------------------------------------------------------

void IngredientWizard::firstMeasureChosen(int index)
{
    m_ui->txtUnique->clear();
    if (index < wizard::ownUnit) {
        m_ui->picUnique->setVisible(false);
        m_draft.ingredient().measure1 = wizard::firstUnitCaption(index);
        m_draft.ingredient().customMeasure = 0;
        m_ui->cmdNext->setEnabled(true);
        m_ui->cmdNext->setFocus();
    } else {
        m_ui->cmdNext->setEnabled(false);
        m_ui->picUnique->setVisible(true);
        m_ui->txtUnique->setFocus();
        m_draft.ingredient().customMeasure = -1;
    }
    setSecondUnitsEnabled();
}

void IngredientWizard::setSecondUnitsEnabled()
{
    int first = -1;
    for (int i = 0; i < wizard::unitCount; ++i)
        if (m_firstMeasures[static_cast<size_t>(i)]->isChecked())
            first = i;
    for (int i = 0; i < wizard::unitCount; ++i)
        m_secondMeasures[static_cast<size_t>(i)]->setEnabled(wizard::secondUnitEnabled(first, i));
}

void IngredientWizard::ownMeasureChanged()
{
    const QString text = m_ui->txtUnique->text();
    if (text.size() <= IngRecord::measureWidth) {
        m_ui->cmdNext->setEnabled(checkTypedText(text, QStringLiteral("the measure")));
        m_draft.ingredient().measure1 = text;
        return;
    }
    MessageBox::show(this,
                     QStringLiteral("30 letters is the maximum for the \r\nname of the "
                                    "ingrediant.\r\n\r\nPlease enter it again."),
                     problemTitle, MessageBox::Icon::Information);
    m_ui->txtUnique->clear();
    m_ui->cmdNext->setEnabled(false);
    m_ui->txtUnique->setFocus();
}

void IngredientWizard::secondMeasureChosen(int index)
{
    m_draft.ingredient().measure2 =
        index < wizard::ownUnit ? wizard::secondUnitCaption(index) : QString();
    m_ui->cmdNext->setEnabled(true);
    m_ui->cmdNext->setFocus();
}

void IngredientWizard::selectOption(const std::array<QRadioButton*, wizard::unitCount>& options,
                                    int index)
{
    // Chosen as a click would, also where the option is disabled.
    options[static_cast<size_t>(index)]->setChecked(true);
    if (&options == &m_firstMeasures)
        firstMeasureChosen(index);
    else
        secondMeasureChosen(index);
}

bool IngredientWizard::checkTypedText(const QString& text, const QString& what)
{
    const std::optional<QString> problem = wizard::unstorableCharacter(text, what);
    if (problem)
        MessageBox::show(this, *problem, problemTitle, MessageBox::Icon::Information);
    return !problem;
}

// --- Nutrients --------------------------------------------------------------------------------

wizard::Box IngredientWizard::boxOf(const QLineEdit* box) const
{
    using wizard::Box;
    if (box == m_ui->txtFat)
        return m_ui->optFatCals_1->isChecked() ? Box::FatGrams : Box::FatCalories;
    const std::pair<const QLineEdit*, Box> boxes[] = {
        {m_ui->txtCal, Box::Calories},     {m_ui->txtSatFat, Box::SatFat},
        {m_ui->txtChol, Box::Cholesterol}, {m_ui->txtSodium, Box::Sodium},
        {m_ui->txtTotalCarbs, Box::Carbs}, {m_ui->txtFiber, Box::Fiber},
    };
    for (const auto& [control, kind] : boxes)
        if (control == box)
            return kind;
    return Box::Protein;
}

void IngredientWizard::nutrientTyped(QLineEdit* changed, QLineEdit* other)
{
    const auto check = [this](QLineEdit* box) {
        const wizard::Entry entry = wizard::checkIt(box->text(), boxOf(box));
        if (entry == wizard::Entry::Refused)
            MessageBox::show(this, wizard::checkItMessage, wizard::checkItTitle,
                             MessageBox::Icon::Information);
        return entry == wizard::Entry::Valid;
    };
    // Both boxes of a step are checked, the changed one first.
    const bool changedValid = check(changed);
    const bool otherValid = !other || check(other);
    m_ui->cmdNext->setEnabled(changedValid && otherValid);
}

wizard::NutrientTexts IngredientWizard::nutrientTexts() const
{
    return {m_ui->txtCal->text(),        m_ui->txtFat->text(),   m_ui->optFatCals_1->isChecked(),
            m_ui->txtSatFat->text(),     m_ui->txtChol->text(),  m_ui->txtSodium->text(),
            m_ui->txtTotalCarbs->text(), m_ui->txtFiber->text(), m_ui->txtProtein->text()};
}

void IngredientWizard::showPreview()
{
    m_ui->Picture1->setValues(m_draft.preview());
}

} // namespace zestora
