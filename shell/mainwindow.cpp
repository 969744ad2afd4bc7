#include "shell/mainwindow.h"

#include "ui_mainwindow.h"

#include "analysis/analysisscreen.h"
#include "core/session.h"
#include "core/shell/helptopics.h"
#include "core/sortednamemodel.h"
#include "core/store/restore.h"
#include "ingredients/ingredientwizard.h"
#include "ingredients/storedingredientsscreen.h"
#include "platform/helpviewer.h"
#include "platform/messagebox.h"
#include "platform/settings.h"
#include "platform/toolbar.h"
#include "platform/waitcursor.h"
#include "recipes/storedrecipesscreen.h"
#include "sharing/emailwindow.h"
#include "shell/aboutbox.h"
#include "shell/tipwindow.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QShortcut>
#include <QTimer>

namespace zestora {

namespace {
const QString contextHelpContents = QStringLiteral("Contents");
constexpr int stopSplashInterval = 100;

} // namespace

MainWindow::MainWindow(Session& session, Settings& settings, HelpViewer& help,
                       const QString& programDir, QWidget* parent)
    : QMainWindow(parent)
    , m_session(session)
    , m_settings(settings)
    , m_help(help)
    , m_programDir(programDir)
    , m_ui(std::make_unique<Ui::MainWindow>())
    , m_ingredientNames(new SortedNameModel(this))
    , m_recipeNames(new SortedNameModel(this))
    , m_tmrStopSplash(new QTimer(this))
{
    m_ui->setupUi(this);
    buildTopBar();
    // The tip window opens at most once at a time; closed, it does not open again in this run.
    m_openTipWindow = [this] {
        if (!m_tipWindow)
            m_tipWindow = TipWindow::open(this, m_session, m_settings, m_programDir);
    };
    m_tmrStopSplash->setObjectName(QStringLiteral("tmrStopSplash"));
    m_tmrStopSplash->setInterval(stopSplashInterval);
    // Stopped first: closing the splash plays the tune, and the timer would tick meanwhile.
    connect(m_tmrStopSplash, &QTimer::timeout, this, [this] {
        m_tmrStopSplash->stop();
        if (m_splash)
            m_splash->close();
    });
    // F1 opens the topic of the screen on view: the wizard's is that of its step; the screens
    // without a topic of their own are described in the contents.
    auto* helpKey = new QShortcut(QKeySequence::HelpContents, this);
    connect(helpKey, &QShortcut::activated, this, [this] {
        const QWidget* screen = m_ui->Screens->currentWidget();
        int context = help::contentsContext;
        if (screen && screen == m_calcFrm)
            context = help::analysisContext;
        else if (screen && screen == m_frmIngrediant)
            context = m_frmIngrediant->helpContext();
        m_help.showHelp(context);
    });
}

MainWindow::~MainWindow() = default;

void MainWindow::buildTopBar()
{
    m_topBar = new ToolBar(QStringLiteral("TopBar"), this);
    addToolBar(Qt::TopToolBarArea, m_topBar);
    ToolBar& bar = *m_topBar;

    QMenu* subFile = bar.addBand(QStringLiteral("SubFile"), QStringLiteral("File"));
    bar.addTool(QStringLiteral("PrintTool"), QStringLiteral("Print Recipes"), QString(), subFile);
    bar.addTool(QStringLiteral("Email"), QStringLiteral("Email Recipes"),
                QStringLiteral("Email Selected Recipe"), subFile);
    bar.addTool(QStringLiteral("FileExit"), QStringLiteral("Exit"), QString(), subFile);

    QMenu* subHelp = bar.addBand(QStringLiteral("SubHelp"), QStringLiteral("Sub Help"));
    bar.addTool(contextHelpContents, QStringLiteral("Contents"), QString(), subHelp);
    bar.addTool(QStringLiteral("AboutTool"), QStringLiteral("About Zestora"), QString(), subHelp);
    bar.addCheckTool(QStringLiteral("mnuTips"), QStringLiteral("Show Tips At StartUp"), subHelp);
    bar.addCheckTool(QStringLiteral("mnuMusic"), QStringLiteral("Play Music on Start"), subHelp);
    // The tips option starts checked and activation corrects it. The music option shows the
    // setting from the start, as the splash window leaves it when it closes.
    bar.setChecked(QStringLiteral("mnuTips"), true);
    bar.setChecked(QStringLiteral("mnuMusic"), m_settings.readNumber(Settings::playMusic) != 0);

    bar.addMenuTool(QStringLiteral("Filemnu"), QStringLiteral("File"), subFile);
    bar.addMenuTool(QStringLiteral("Help"), QStringLiteral("Help"), subHelp);
    bar.addTool(QStringLiteral("NewRecipe"), QStringLiteral("Analyze Recipe"),
                QStringLiteral("Click here to Create and Analyze a New Recipe"));
    bar.addTool(QStringLiteral("Recipes"), QStringLiteral("Stored Recipes"),
                QStringLiteral("Click to View , Print , or Edit Your Saved Recipes"));
    bar.addTool(QStringLiteral("AddIngredient"), QStringLiteral("New Ingredient"),
                QStringLiteral("Click to Add a New Ingredient "));
    bar.addTool(QStringLiteral("StoredIngredients"), QStringLiteral("Stored Ingredients"),
                QStringLiteral("Click to View, Edit, or Delete Your Stored Ingredient List"));
    bar.addTool(QStringLiteral("Exit"), QStringLiteral("Exit"), QStringLiteral("Exit Zestora"));
    bar.defineTool(QStringLiteral("OptionsMnu"), QStringLiteral("Options"));
    // The screens' own bars take Ctrl with a letter; F1 is the help of the screen on view.
    bar.setShortcuts({
        {QStringLiteral("PrintTool"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_P)},
        {QStringLiteral("Email"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_M)},
        {QStringLiteral("FileExit"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Q)},
        {contextHelpContents, QKeySequence(Qt::SHIFT | Qt::Key_F1)},
        {QStringLiteral("AboutTool"), QKeySequence(Qt::CTRL | Qt::Key_F1)},
        {QStringLiteral("mnuTips"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_T)},
        {QStringLiteral("mnuMusic"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_U)},
        {QStringLiteral("NewRecipe"), QKeySequence(Qt::CTRL | Qt::Key_1)},
        {QStringLiteral("Recipes"), QKeySequence(Qt::CTRL | Qt::Key_2)},
        {QStringLiteral("AddIngredient"), QKeySequence(Qt::CTRL | Qt::Key_3)},
        {QStringLiteral("StoredIngredients"), QKeySequence(Qt::CTRL | Qt::Key_4)},
        {QStringLiteral("Exit"), QKeySequence(Qt::CTRL | Qt::Key_Q)},
    });

    connect(m_topBar, &ToolBar::toolClick, this, &MainWindow::topBarToolClick);
}

QList<LoadProblem> MainWindow::mdiFormLoad(std::optional<StoresLoad> read)
{
    const WaitCursor wait;
    m_help.initHelp(this, m_programDir);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        setGeometry(screen->availableGeometry());

    m_frmIngrediant = new IngredientWizard(m_session, m_help, m_ingredientNames, m_ui->Screens);
    m_calcFrm =
        new AnalysisScreen(m_session, m_help, m_ingredientNames, m_recipeNames, m_ui->Screens);
    m_deleteIngFrm = new StoredIngredientsScreen(m_session, m_ingredientNames, m_ui->Screens);

    StoresLoad loaded =
        read ? *std::move(read) : loadStores(m_session.ingredients, m_session.recipes);
    // Both ingredient lists show this one model, so they agree position by position. The names
    // come already in the models' order.
    m_ingredientNames->setStringList(loaded.ingredientNames);
    m_recipeNames->setStringList(loaded.recipeNames);
    // Made after the list is filled: the screen starts with no recipe chosen.
    m_viewFrm = new StoredRecipesScreen(m_session, m_recipeNames, m_ui->Screens);

    for (QWidget* screen :
         {static_cast<QWidget*>(m_calcFrm), static_cast<QWidget*>(m_viewFrm),
          static_cast<QWidget*>(m_frmIngrediant), static_cast<QWidget*>(m_deleteIngFrm)})
        m_ui->Screens->addWidget(screen);
    m_ui->Screens->setCurrentWidget(m_calcFrm);
    connect(m_deleteIngFrm, &StoredIngredientsScreen::editIngredient, this,
            [this](const IngRecord& shown, const QString& calories, const QString& fatCalories) {
                showScreen(m_frmIngrediant, QStringLiteral("Add / Edit Ingredient Screen"));
                m_frmIngrediant->editIngredient(shown, calories, fatCalories);
            });
    connect(m_calcFrm, &AnalysisScreen::firstStoredRecipeWanted, m_viewFrm,
            &StoredRecipesScreen::selectFirstRecipe);
    connect(m_viewFrm, &StoredRecipesScreen::editRecipe, this,
            [this](const QString& name, const QStringList& rows, const QStringList& entries,
                   const QString& directions) {
                showScreen(m_calcFrm, QStringLiteral("Recipe / Diet Analysis Screen"));
                m_calcFrm->editStoredRecipe(name, rows, entries, directions);
            });
    m_viewFrm->setEmailOpener([this] {
        EmailWindow::sendRecipe(m_viewFrm, m_settings, m_help, m_viewFrm->shownRecipe());
    });
    m_calcFrm->formLoad();
    m_tmrStopSplash->start();
    return loaded.problems;
}

void MainWindow::showLoadProblems(const QList<LoadProblem>& problems)
{
    for (const LoadProblem& problem : problems) {
        const std::optional<RestoreOffer> offer = newestCleanBackup(problem.fileName);
        if (!offer) {
            MessageBox::show(this, problem.message(), problem.title(),
                             MessageBox::Icon::Exclamation);
            continue;
        }
        if (MessageBox::show(this,
                             problem.message() + QStringLiteral("\r\n\r\n") + offer->question(),
                             problem.title(), MessageBox::Icon::Exclamation,
                             MessageBox::Buttons::YesNo) == MessageBox::Answer::Yes)
            restoreFromBackup(problem.fileName, offer->backup.path);
    }
}

void MainWindow::restoreFromBackup(const QString& fileName, const QString& backupPath)
{
    const bool recipes = fileName == RecipeStore::fileName;
    DataFile& file = recipes ? m_session.recipes.file() : m_session.ingredients.file();
    QString error;
    if (!restoreBackup(file, backupPath, &error)) {
        MessageBox::show(this, error, QStringLiteral("Restore"), MessageBox::Icon::Critical);
        return;
    }
    // The restored file loaded cleanly as a backup, so it loads cleanly here.
    const WaitCursor wait;
    if (recipes) {
        m_session.recipes.load();
        m_recipeNames->fill(m_session.recipes.recipeNames());
    } else {
        m_session.ingredients.loadIngTable();
        m_ingredientNames->fill(m_session.ingredients.trimmedNames());
    }
}

void MainWindow::mdiFormActivate()
{
    const int tips = m_settings.readNumber(Settings::showTips);
    m_topBar->setChecked(QStringLiteral("mnuTips"), tips == 1);
    if (!m_session.tipsShown && tips != 0 && m_openTipWindow)
        m_openTipWindow();
}

void MainWindow::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        mdiFormActivate();
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    // Nothing typed on the analysis screen is lost without asking.
    if (m_calcFrm && !m_calcFrm->mayClose()) {
        event->ignore();
        return;
    }
    m_help.closeHelp();
    QMainWindow::closeEvent(event);
}

void MainWindow::showScreen(QWidget* screen, const QString& title)
{
    m_ui->TopLbl->setText(title);
    m_ui->Screens->setCurrentWidget(screen);
}

void MainWindow::toggleSetting(const QString& toolName, const QString& key)
{
    const bool checked = !m_topBar->isChecked(toolName);
    m_topBar->setChecked(toolName, checked);
    m_settings.write(key, checked ? QStringLiteral("1") : QStringLiteral("0"));
}

void MainWindow::topBarToolClick(const QString& toolName)
{
    QString name = toolName;
    // Printing and e-mail start from the stored recipes screen.
    if (name == QLatin1String("Email") || name == QLatin1String("PrintTool"))
        name = QStringLiteral("Recipes");

    if (name == QLatin1String("AddIngredient")) {
        if (m_frmIngrediant->roomForNewIngredient())
            showScreen(m_frmIngrediant, QStringLiteral("Add / Edit Ingredient Screen"));
    } else if (name == QLatin1String("NewRecipe")) {
        showScreen(m_calcFrm, QStringLiteral("Recipe / Diet Analysis Screen"));
    } else if (name == QLatin1String("Recipes")) {
        {
            const WaitCursor wait;
            showScreen(m_viewFrm, QStringLiteral("Stored Recipes Screen"));
        }
        if (!m_recipesShown)
            m_viewFrm->selectFirstRecipe();
        m_recipesShown = true;
    } else if (name == QLatin1String("StoredIngredients")) {
        showScreen(m_deleteIngFrm, QStringLiteral("Stored Ingredient Screen"));
    } else if (name == QLatin1String("Exit") || name == QLatin1String("FileExit")) {
        close();
    } else if (name == contextHelpContents) {
        m_help.showHelp(help::contentsContext);
    } else if (name == QLatin1String("AboutTool")) {
        AboutBox::run(this, m_programDir);
    } else if (name == QLatin1String("mnuTips")) {
        toggleSetting(name, Settings::showTips);
    } else if (name == QLatin1String("mnuMusic")) {
        toggleSetting(name, Settings::playMusic);
    }
}

} // namespace zestora
