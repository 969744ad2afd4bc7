#include "analysis/analysisscreen.h"

#include "ui_analysisscreen.h"

#include "core/analysis/quantity.h"
#include "core/session.h"
#include "core/shell/desktop.h"
#include "core/shell/helptopics.h"
#include "core/sortednamemodel.h"
#include "core/units.h"
#include "platform/helpviewer.h"
#include "platform/keeproom.h"
#include "platform/messagebox.h"
#include "platform/toolbar.h"
#include "platform/visiblefocus.h"
#include "shared/searchdialog.h"
#include "widgets/dishweightbox.h"
#include "widgets/plainrowdelegate.h"
#include "widgets/quantityentry.h"
#include "widgets/recipeexplainer.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QScreen>
#include <QShortcut>
#include <QStyle>
#include <QTimer>

namespace zestora {

namespace {
const QString selectFromThisList = QStringLiteral("Select From This List");
constexpr int flashInterval = 800;
constexpr int passInterval = 10;
constexpr int onesMaximum = 1000;

// The panel's servings line as the spinner sets it.
QString makesServings(const QString& servings)
{
    return QStringLiteral("Makes ") + servings + QStringLiteral(" servings");
}

QPixmap standardPicture(const QWidget* widget, QStyle::StandardPixmap which)
{
    return widget->style()->standardIcon(which).pixmap(20, 20);
}
} // namespace

AnalysisScreen::AnalysisScreen(Session& session, HelpViewer& help, SortedNameModel* ingredientNames,
                               SortedNameModel* recipeNames, QWidget* parent)
    : QWidget(parent)
    , m_session(session)
    , m_help(help)
    , m_recipeNames(recipeNames)
    , m_ui(std::make_unique<Ui::AnalysisScreen>())
    , m_calcBar(new ToolBar(QStringLiteral("CalcBar"), this))
    , m_flashTmr(new QTimer(this))
    , m_passTmr(new QTimer(this))
    , m_draft(session.ingredients)
{
    m_ui->setupUi(this);
    // The names the help file and the program's checks know the share labels by.
    for (const auto& [label, name] : {std::pair{m_ui->fatShare, "Label24"},
                                      {m_ui->carbsShare, "Label23"},
                                      {m_ui->proteinShare, "Label21"}})
        label->setObjectName(QLatin1String(name));
    m_ui->IngLst->setModel(ingredientNames);
    m_ui->IngLst->setItemDelegate(new PlainRowDelegate(m_ui->IngLst));
    m_ui->IngLst->installEventFilter(this);
    m_ui->NameTxt->installEventFilter(this);
    m_ui->R_IngLst->installEventFilter(this);
    m_ui->OnesVs->installEventFilter(this);
    m_ui->FracVs->installEventFilter(this);
    m_ui->MeasureLst->installEventFilter(this);
    setUpSpinners();
    // The reminder to press OK, the large ingredient list where the drop-down takes its place,
    // and the quantity's caption, which hides while that list is open.
    keepRoomWhenHidden({m_ui->FlashImg, m_ui->LblPress, m_ui->IngLst, m_ui->Label3});
    m_ui->FlashImg->setPixmap(standardPicture(this, QStyle::SP_MessageBoxWarning));
    m_ui->SearchImg->setPixmap(standardPicture(this, QStyle::SP_FileDialogContentsView));
    // At the start the ingredient list is open for the first choice.
    showIngredientList(true);
    m_ui->Frame1->setForm(NutritionPanel::Form::Recipe);
    m_explainer = new RecipeExplainer(
        this, m_session.ingredients,
        {m_ui->R_IngLst,
         m_ui->Frame1,
         {m_ui->fatShare, m_ui->carbsShare, m_ui->proteinShare},
         m_ui->CalorieBar,
         {[this] { return m_draft.lineCount(); },
          [this](int line) -> const QString& { return m_draft.lines().at(line).row; },
          [this](int line) -> const QString& { return m_draft.lines().at(line).entry; },
          [this] {
              return m_draft.totalsServings();
          }}});
    // The entries the recipe is saved from, a hidden view of the same lines.
    m_ui->InvisLst->setModel(new RecipeEntriesModel(m_explainer->lines(), this));
    // From the directions the Tab key goes on to the panel's rows.
    m_ui->Frame1->makeRowsFocusable(m_ui->DirectionsTxt);
    setUpDishWeight();

    buildCalcBar();

    m_flashTmr->setObjectName(QStringLiteral("FlashTmr"));
    m_flashTmr->setInterval(flashInterval);
    connect(m_flashTmr, &QTimer::timeout, this,
            [this] { m_ui->FlashImg->setVisible(!m_ui->FlashImg->isVisible()); });
    m_passTmr->setObjectName(QStringLiteral("PassTmr"));
    m_passTmr->setInterval(passInterval);
    m_passTmr->setSingleShot(true);
    // The search's choice is taken a moment later, as a click in the list would take it.
    connect(m_passTmr, &QTimer::timeout, this, [this] {
        showIngredientList(true);
        chooseIngredient();
    });

    connectControls();
}

AnalysisScreen::~AnalysisScreen() = default;

void AnalysisScreen::setUpSpinners()
{
    m_ui->OnesVs->setRange(0, onesMaximum);
    m_quantity = new QuantityEntry({m_ui->OnesVs, m_ui->OnesTxt, m_ui->FracVs, m_ui->FracTxt,
                                    m_ui->DLbl, m_ui->F_DOpt_0, m_ui->F_DOpt_1},
                                   QuantityEntry::ModeChange::ShowAtOnce, this);
    m_ui->ServingsVs->setRange(quantity::servingsMinimum, quantity::servingsMaximum);
    // The boxes beside the spinners take typed numbers, as the text fields they look like do:
    // whole numbers and servings as they read, the decimal digit as the quantity's mode allows.
    m_ui->OnesVs->setBox(m_ui->OnesTxt);
    m_ui->OnesVs->setTyping([](int number) { return number; });
    m_ui->FracVs->setBox(m_ui->FracTxt);
    m_ui->ServingsVs->setBox(m_ui->ServingsLbl);
    m_ui->ServingsVs->setTyping([](int number) -> std::optional<int> {
        if (number < 1)
            return std::nullopt;
        return quantity::servingsSpinnerValue(QString::number(number), static_cast<float>(number));
    });
}

void AnalysisScreen::buildCalcBar()
{
    m_calcBar->setAccessibleName(QStringLiteral("CalcBand"));
    // The Instructions have F1, which the main window gives the topic of the screen on view.
    connect(m_calcBar->addTool(QStringLiteral("Start"), QStringLiteral("Start Over"), QString(),
                               QKeySequence(Qt::CTRL | Qt::Key_N)),
            &QAction::triggered, this, &AnalysisScreen::startOverFromToolBar);
    connect(m_calcBar->addTool(QStringLiteral("Help"), QStringLiteral("Instructions")),
            &QAction::triggered, this, [this] { m_help.showHelp(help::analysisContext); });
    connect(m_calcBar->addTool(QStringLiteral("Heading"), QStringLiteral("Add a New Heading"),
                               QString(), QKeySequence(Qt::CTRL | Qt::Key_H)),
            &QAction::triggered, this, &AnalysisScreen::addHeading);
    connect(m_calcBar->addTool(QStringLiteral("Save"), QStringLiteral("Finish and Save"), QString(),
                               QKeySequence(Qt::CTRL | Qt::Key_S)),
            &QAction::triggered, this, &AnalysisScreen::save);
    m_ui->outerLayout->insertWidget(0, m_calcBar);
}

void AnalysisScreen::connectControls()
{
    connect(m_ui->IngLst, &QListView::clicked, this, &AnalysisScreen::chooseIngredient);
    // Opening the drop-down opens the large list instead, to choose again.
    connect(m_ui->IngLst2, &DropDownBox::dropDown, this, &AnalysisScreen::openIngredientList);
    connect(m_quantity, &QuantityEntry::changed, this,
            [this] { m_ui->MeasureLst->setEnabled(true); });
    connect(m_ui->ServingsVs, &Spinner::valueChanged, this, &AnalysisScreen::servingsChanged);
    connect(m_ui->Addcmd, &QPushButton::clicked, this, &AnalysisScreen::addLine);
    connect(m_ui->PasteCmd, &QPushButton::clicked, this, &AnalysisScreen::pasteWanted);
    auto* pasteKey = new QShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_V), this);
    pasteKey->setContext(Qt::WidgetWithChildrenShortcut);
    connect(pasteKey, &QShortcut::activated, this, &AnalysisScreen::pasteWanted);
    connect(m_ui->R_IngLst, &QListView::clicked, this,
            [this](const QModelIndex& line) { editLine(line.row()); });
    connect(m_ui->NameTxt, &QLineEdit::textChanged, this, &AnalysisScreen::nameChanged);
    connect(m_ui->OkCmd, &QPushButton::clicked, this, [this] { confirmServings(false); });
    connect(m_ui->DirectionsTxt, &QPlainTextEdit::textChanged, this, &AnalysisScreen::setChanged);
    for (ClickableLabel* status : {m_ui->StatusImg, m_ui->StatusLbl})
        connect(status, &ClickableLabel::clicked, this, [this] {
            MessageBox::show(this,
                             QStringLiteral("This box lets you know if the changes to your work "
                                            "have been saved or not."),
                             QString(), MessageBox::Icon::Information);
        });
    for (ClickableLabel* search : {m_ui->SearchImg, m_ui->SearchLbl})
        connect(search, &ClickableLabel::clicked, this, &AnalysisScreen::openSearch);
    connect(new QShortcut(QKeySequence::Find, this), &QShortcut::activated, this,
            &AnalysisScreen::openSearch);
}

void AnalysisScreen::setUp()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen && minimumSizeHint().width() > screen->availableGeometry().width())
        MessageBox::show(this,
                         QStringLiteral("This program runs best at screen resolutions ") +
                             QStringLiteral("of 800x600 or greater.") + QStringLiteral("\r\n") +
                             QStringLiteral("If you don't know how to change to this, ") +
                             QStringLiteral("consult ") +
                             desktopHelp(qEnvironmentVariable("XDG_CURRENT_DESKTOP")) +
                             QStringLiteral(" under SCREEN ") +
                             QStringLiteral("RESOLUTION, CHANGING."),
                         QStringLiteral("Helpful Tip"), MessageBox::Icon::Information);
    reset();
}

void AnalysisScreen::reset()
{
    // In this order: handlers that run on the way (the spinners', the name's) see the screen as it
    // is at that step.
    m_draft.reset();
    m_explainer->lines()->linesReset(0);
    m_coverage = {};
    m_ingredientLinesCovered = 0;
    showCoverage();
    m_ui->Frame1->setName(QString());
    m_quantity->clear();
    m_ui->DirectionsTxt->clear();
    m_ui->NameTxt->clear();
    m_ui->IngLst->setEnabled(true);
    m_ui->IngLst2->setText(selectFromThisList);
    m_ui->R_IngLst->setEnabled(true);
    m_ui->MeasureLst->setEnabled(true);
    m_ui->MeasureLst->clear();
    m_ui->QuantityFrame->setTitle(QString());
    m_ui->QuantityFrame->setEnabled(true);
    m_ui->ServingsVs->setValue(quantity::servingsForOne);
    m_ui->ServingsLbl->setText(m_draft.servingsText());
    // The panel says what it is for from the start, whatever fills the recipe.
    m_ui->Frame1->setServing(makesServings(m_draft.servingsText()));
    m_chosenName.clear();
    m_ui->R_IngLstText->clear();
    m_ui->OkCmd->setEnabled(true);
    m_ui->NameTxt->setEnabled(true);
    m_ui->Addcmd->setEnabled(true);
    m_ui->DirectionsLbl->clear();
    m_dishWeight->setCookedText(QString());
    // The ingredient list stays open or closed as it is; the layout keeps it in its place.
    m_ui->Label3->setVisible(true);
    stopFlashing();
    m_draft.setSaved(false);
    showSavedStatus();
    showTotals();
}

void AnalysisScreen::startOver()
{
    reset();
    m_ui->NameTxt->setFocus();
}

void AnalysisScreen::startOverFromToolBar()
{
    if (!mayReplaceRecipe())
        return;
    reset();
    showIngredientList(false);
    m_ui->NameTxt->setFocus();
}

void AnalysisScreen::chooseIngredientFromSearch(const QString& name)
{
    const auto* names = static_cast<SortedNameModel*>(m_ui->IngLst->model());
    // Of equal names the last is chosen; with none the list keeps its choice.
    const int row = names->lastRowOfTrimmed(name);
    if (row >= 0)
        m_ui->IngLst->setCurrentIndex(names->index(row));
    m_passTmr->start();
}

bool AnalysisScreen::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        const bool enter = key == Qt::Key_Return || key == Qt::Key_Enter;
        if (enter && watched == m_ui->IngLst) {
            chooseIngredient();
            return true;
        }
        // Enter on the quantity or its unit adds the line, as Add does.
        if (enter &&
            (watched == m_ui->OnesVs || watched == m_ui->FracVs || watched == m_ui->MeasureLst)) {
            addLine();
            return true;
        }
        if (enter && watched == m_ui->NameTxt) {
            m_ui->ServingsVs->setFocus();
            return true;
        }
        // Enter or Space on a recipe line opens it as a click does, so that a line can be
        // changed, removed or given a line before it without the mouse.
        if ((enter || key == Qt::Key_Space) && watched == m_ui->R_IngLst &&
            m_ui->R_IngLst->currentIndex().isValid()) {
            editLine(m_ui->R_IngLst->currentIndex().row());
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

// --- Ingredient choice and measures -----------------------------------------------------------

void AnalysisScreen::openSearch()
{
    const auto* names = static_cast<SortedNameModel*>(m_ui->IngLst->model());
    SearchDialog::search(this, m_help, *names,
                         [this](const QString& name) { chooseIngredientFromSearch(name); });
}

void AnalysisScreen::openIngredientList()
{
    showIngredientList(true);
    moveFocusVisibly(m_ui->IngLst);
}

void AnalysisScreen::showIngredientList(bool show)
{
    m_ui->IngLst->setVisible(show);
    m_ui->IngLst2->setVisible(!show);
    m_ui->Label3->setVisible(!show);
}

void AnalysisScreen::chooseIngredient()
{
    m_ui->QuantityFrame->setEnabled(true);
    m_ui->Frame1->setServing(makesServings(m_draft.servingsText()));
    const QModelIndex chosen = m_ui->IngLst->currentIndex();
    m_chosenName = chosen.isValid() ? chosen.data().toString() : QString();
    // The last record of the name, ignoring case; with none the ingredient stays as it was.
    const int index = m_session.ingredients.lastIndexOfNameIgnoringCase(m_chosenName);
    if (index >= 0)
        m_currentIng = m_session.ingredients.at(index);
    m_ui->MeasureLst->clear();
    m_ui->MeasureLst->addItems(units::measureChoices(m_currentIng));
    m_ui->MeasureLst->setCurrentIndex(m_ui->MeasureLst->count() > 0 ? 0 : -1);
    m_ui->R_IngLstText->setText(m_chosenName);
    m_ui->Addcmd->setEnabled(true);
    if (chosen.isValid()) {
        m_ui->IngLst2->setText(m_chosenName);
        showIngredientList(false);
    }
    m_ui->Label3->setVisible(true);
    // The quantity comes next, however the ingredient was chosen; the list that had the focus
    // may have closed, which would have sent it on to the search.
    moveFocusVisibly(m_ui->OnesVs);
}

// --- Servings -----------------------------------------------------------------------------------

void AnalysisScreen::servingsChanged(int value)
{
    m_flashTmr->start();
    m_ui->FlashImg->setVisible(true);
    m_ui->LblPress->setVisible(true);
    const quantity::Servings servings = quantity::servingsFor(value);
    m_draft.chooseServings(servings);
    m_ui->ServingsLbl->setText(servings.text);
    m_ui->Frame1->setServing(makesServings(servings.text));
    showSavedStatus();
}

void AnalysisScreen::stopFlashing()
{
    m_flashTmr->stop();
    m_ui->FlashImg->setVisible(false);
    m_ui->LblPress->setVisible(false);
}

// --- What the recipe shows ----------------------------------------------------------------------

void AnalysisScreen::showTotals()
{
    m_ui->Frame1->setValues(m_draft.panel().value_or(nutrition::PanelTexts{}));
    const nutrition::CalorieShares& shares = m_draft.shares();
    m_ui->fatShare->setText(shares.fat);
    m_ui->carbsShare->setText(shares.carbs);
    m_ui->proteinShare->setText(shares.protein);
    m_explainer->showTotals(shares.chart());
    showServingWeight();
    showCoverage();
}

void AnalysisScreen::showSavedStatus()
{
    const bool saved = m_draft.isSaved();
    m_ui->StatusImg->setPixmap(
        standardPicture(this, saved ? QStyle::SP_DialogApplyButton : QStyle::SP_MessageBoxWarning));
    m_ui->StatusLbl->setText(saved ? QStringLiteral("Changes Saved")
                                   : QStringLiteral("Changes not Saved"));
}

void AnalysisScreen::setChanged()
{
    m_draft.setSaved(false);
    showSavedStatus();
}

} // namespace zestora
