#include "shell/mainwindow.h"

#include "ui_mainwindow.h"

#include "analysis/analysisscreen.h"
#include "core/paste/foodindex.h"
#include "core/session.h"
#include "core/shell/desktop.h"
#include "core/shell/helptopics.h"
#include "core/sortednamemodel.h"
#include "core/store/restore.h"
#include "ingredients/ingredientwizard.h"
#include "ingredients/storedingredientsscreen.h"
#include "paste/pastewindow.h"
#include "platform/desktopinput.h"
#include "platform/helpviewer.h"
#include "platform/messagebox.h"
#include "platform/settings.h"
#include "platform/toolbar.h"
#include "platform/waitcursor.h"
#include "recipes/storedrecipesscreen.h"
#include "sharing/emailwindow.h"
#include "sharing/recipeimporter.h"
#include "sharing/saveaswindow.h"
#include "shell/aboutbox.h"
#include "shell/changedondisk.h"
#include "shell/tipwindow.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QGuiApplication>
#include <QMimeData>
#include <QScreen>
#include <QShowEvent>
#include <QStatusBar>
#include <QTimer>

namespace zestora {

namespace {
constexpr int stopSplashInterval = 100;
constexpr int indexDelay = 500;

// The per-100 g column is one choice of the user's, whichever screen it is made on, and the
// next run starts with it as it was left.
void rememberPer100g(const QList<QCheckBox*>& choices, Settings& settings)
{
    for (QCheckBox* choice : choices) {
        choice->setChecked(settings.readNumber(Settings::per100g) != 0);
        QObject::connect(choice, &QCheckBox::toggled, choice, [choices, &settings](bool checked) {
            settings.write(Settings::per100g, checked ? QStringLiteral("1") : QStringLiteral("0"));
            // The same state again raises no signal, so this does not come back here.
            for (QCheckBox* other : choices)
                other->setChecked(checked);
        });
    }
}
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
    , m_foodIndex(std::make_unique<paste::FoodIndex>(
          session.ingredients, QDir(programDir).filePath(QStringLiteral("starter"))))
    , m_tmrStopSplash(new QTimer(this))
{
    m_ui->setupUi(this);
    DesktopInput::install();
    // Pasted and imported lines are read in the measures the user chose last, at first the
    // locale's country's.
    m_foodIndex->setMeasures(
        paste::measuresNamed(m_settings.readString(Settings::measures, QString()))
            .value_or(paste::measuresOfLocale(QLocale::system())));
    setAcceptDrops(true);
    qApp->installEventFilter(this);
    buildTopBar();
    // The tip window opens at most once at a time; closed, it does not open again in this run.
    m_openTipWindow = [this] {
        if (!m_tipWindow)
            m_tipWindow = TipWindow::open(this, m_settings, m_programDir);
    };
    m_tmrStopSplash->setObjectName(QStringLiteral("tmrStopSplash"));
    m_tmrStopSplash->setInterval(stopSplashInterval);
    // Stopped first: closing the splash plays the tune, and the timer would tick meanwhile.
    connect(m_tmrStopSplash, &QTimer::timeout, this, [this] {
        m_tmrStopSplash->stop();
        if (m_splash)
            m_splash->close();
    });
    // F1 opens the topic of the screen on view, also from a message box over it: the wizard's is
    // that of its step; the screens without a topic of their own are described in the contents.
    m_help.setOwnerContext([this] {
        const QWidget* screen = m_ui->Screens->currentWidget();
        if (screen && screen == m_analysisScreen)
            return help::analysisContext;
        if (screen && screen == m_ingredientWizard)
            return m_ingredientWizard->helpContext();
        return help::contentsContext;
    });
}

MainWindow::~MainWindow() = default;

void MainWindow::buildTopBar()
{
    m_topBar = new ToolBar(QStringLiteral("TopBar"), this);
    addToolBar(Qt::TopToolBarArea, m_topBar);
    ToolBar& bar = *m_topBar;
    const auto on = [this](QAction* tool, auto handler) {
        connect(tool, &QAction::triggered, this, handler);
    };
    // The screens' own bars take Ctrl with a letter; F1 is the help of the screen on view.
    // Printing and e-mail start from the stored recipes screen.
    QMenu* subFile = bar.addBand(QStringLiteral("SubFile"), QStringLiteral("File"));
    on(bar.addTool(QStringLiteral("PrintTool"), QStringLiteral("Print Recipes"), QString(),
                   QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_P), subFile),
       &MainWindow::showStoredRecipes);
    on(bar.addTool(QStringLiteral("Email"), QStringLiteral("Email Recipes"),
                   QStringLiteral("Email Selected Recipe"),
                   QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_M), subFile),
       &MainWindow::showStoredRecipes);
    on(bar.addTool(QStringLiteral("ImportTool"), QStringLiteral("Import Recipes..."),
                   QStringLiteral("Store the recipes of a MealMaster file"),
                   QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_I), subFile),
       &MainWindow::importRecipes);
    on(bar.addTool(QStringLiteral("FileExit"), QStringLiteral("Exit"), QString(),
                   QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Q), subFile),
       &MainWindow::close);

    QMenu* subHelp = bar.addBand(QStringLiteral("SubHelp"), QStringLiteral("Sub Help"));
    on(bar.addTool(QStringLiteral("Contents"), QStringLiteral("Contents"), QString(),
                   QKeySequence(Qt::SHIFT | Qt::Key_F1), subHelp),
       [this] { m_help.showHelp(help::contentsContext); });
    on(bar.addTool(QStringLiteral("AboutTool"), QStringLiteral("About Zestora"), QString(),
                   QKeySequence(Qt::CTRL | Qt::Key_F1), subHelp),
       [this] { AboutBox::run(this, m_programDir); });
    m_tipsTool = bar.addCheckTool(QStringLiteral("mnuTips"), QStringLiteral("Show Tips At StartUp"),
                                  QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_T), subHelp);
    m_musicTool =
        bar.addCheckTool(QStringLiteral("mnuMusic"), QStringLiteral("Play Music on Start"),
                         QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_U), subHelp);
    // A click has turned the mark over already; the option follows it.
    for (auto [tool, key] :
         {std::pair{m_tipsTool, Settings::showTips}, std::pair{m_musicTool, Settings::playMusic}})
        on(tool, [this, option = key](bool checked) {
            m_settings.write(option, checked ? QStringLiteral("1") : QStringLiteral("0"));
        });
    // The tips option starts checked and activation corrects it. The music option shows the
    // setting from the start, as the splash window leaves it when it closes.
    m_tipsTool->setChecked(true);
    m_musicTool->setChecked(m_settings.readNumber(Settings::playMusic) != 0);

    bar.addMenuTool(QStringLiteral("Filemnu"), QStringLiteral("File"), subFile,
                    QKeySequence(Qt::ALT | Qt::Key_F));
    bar.addMenuTool(QStringLiteral("Help"), QStringLiteral("Help"), subHelp,
                    QKeySequence(Qt::ALT | Qt::Key_H));
    on(bar.addTool(QStringLiteral("NewRecipe"), QStringLiteral("Analyze Recipe"),
                   QStringLiteral("Click here to Create and Analyze a New Recipe"),
                   QKeySequence(Qt::CTRL | Qt::Key_1)),
       &MainWindow::showAnalysisScreen);
    on(bar.addTool(QStringLiteral("Recipes"), QStringLiteral("Stored Recipes"),
                   QStringLiteral("Click to View , Print , or Edit Your Saved Recipes"),
                   QKeySequence(Qt::CTRL | Qt::Key_2)),
       &MainWindow::showStoredRecipes);
    on(bar.addTool(QStringLiteral("AddIngredient"), QStringLiteral("New Ingredient"),
                   QStringLiteral("Click to Add a New Ingredient "),
                   QKeySequence(Qt::CTRL | Qt::Key_3)),
       [this] {
           if (m_ingredientWizard->roomForNewIngredient())
               showScreen(m_ingredientWizard, QStringLiteral("Add / Edit Ingredient Screen"));
       });
    on(bar.addTool(QStringLiteral("StoredIngredients"), QStringLiteral("Stored Ingredients"),
                   QStringLiteral("Click to View, Edit, or Delete Your Stored Ingredient List"),
                   QKeySequence(Qt::CTRL | Qt::Key_4)),
       [this] {
           showScreen(m_storedIngredientsScreen, QStringLiteral("Stored Ingredient Screen"));
       });
    on(bar.addTool(QStringLiteral("Exit"), QStringLiteral("Exit"), QStringLiteral("Exit Zestora"),
                   QKeySequence(Qt::CTRL | Qt::Key_Q)),
       &MainWindow::close);
    bar.defineTool(QStringLiteral("OptionsMnu"), QStringLiteral("Options"));
}

void MainWindow::loadScreens()
{
    if (m_analysisScreen)
        return;
    m_help.initHelp(this, m_programDir);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        setGeometry(screen->availableGeometry());
    m_ingredientWizard = new IngredientWizard(m_session, m_help, m_ingredientNames, m_ui->Screens);
    m_analysisScreen =
        new AnalysisScreen(m_session, m_help, m_ingredientNames, m_recipeNames, m_ui->Screens);
    m_storedIngredientsScreen =
        new StoredIngredientsScreen(m_session, m_ingredientNames, m_ui->Screens);
}

QList<LoadProblem> MainWindow::startUp(std::optional<StoresLoad> read)
{
    const WaitCursor wait;
    loadScreens();
    StoresLoad loaded =
        read ? *std::move(read) : loadStores(m_session.ingredients, m_session.recipes);
    // Both ingredient lists show this one model, so they agree position by position. The names
    // come already in the models' order.
    m_ingredientNames->fillSorted(std::move(loaded.ingredientNames));
    m_recipeNames->fillSorted(std::move(loaded.recipeNames));
    // Made after the list is filled: the screen starts with no recipe chosen.
    m_storedRecipesScreen = new StoredRecipesScreen(m_session, m_recipeNames, m_ui->Screens);
    rememberPer100g(m_ui->Screens->findChildren<QCheckBox*>(QStringLiteral("Per100gChk")),
                    m_settings);

    for (QWidget* screen :
         {static_cast<QWidget*>(m_analysisScreen), static_cast<QWidget*>(m_storedRecipesScreen),
          static_cast<QWidget*>(m_ingredientWizard),
          static_cast<QWidget*>(m_storedIngredientsScreen)})
        m_ui->Screens->addWidget(screen);
    m_ui->Screens->setCurrentWidget(m_analysisScreen);
    connect(m_storedIngredientsScreen, &StoredIngredientsScreen::editIngredient, this,
            [this](const IngRecord& shown, const QString& calories, const QString& fatCalories) {
                showScreen(m_ingredientWizard, QStringLiteral("Add / Edit Ingredient Screen"));
                m_ingredientWizard->editIngredient(shown, calories, fatCalories);
            });
    connect(m_analysisScreen, &AnalysisScreen::firstStoredRecipeWanted, m_storedRecipesScreen,
            &StoredRecipesScreen::selectFirstRecipe);
    connect(m_analysisScreen, &AnalysisScreen::pasteWanted, this, &MainWindow::pasteIngredients);
    // The stored recipe goes over unless the user keeps the recipe on the analysis screen.
    connect(m_storedRecipesScreen, &StoredRecipesScreen::editRecipe, this,
            [this](const QString& name, const RecipeView& recipe) {
                if (m_analysisScreen->editStoredRecipe(name, recipe))
                    showAnalysisScreen();
            });
    // The stored recipes screen works a recipe's figures out from the ingredients: when they
    // change, the recipe it shows is worked out again before it can be printed or e-mailed, at
    // once when the screen is on view, else as it comes on view.
    const auto ingredientsChanged = [this] {
        // Pasted lines are matched against the foods as they are now.
        m_foodIndex->prepare();
        m_storedRecipesStale = !m_storedRecipesScreen->isVisible();
        if (!m_storedRecipesStale)
            m_storedRecipesScreen->showChosenRecipe();
    };
    connect(m_ingredientNames, &QAbstractItemModel::rowsInserted, this, ingredientsChanged);
    connect(m_ingredientNames, &QAbstractItemModel::rowsRemoved, this, ingredientsChanged);
    connect(m_ingredientNames, &QAbstractItemModel::modelReset, this, ingredientsChanged);
    connect(m_analysisScreen, &AnalysisScreen::attentionWanted, this,
            &MainWindow::showAnalysisScreen);
    connect(m_storedRecipesScreen, &StoredRecipesScreen::ingredientMade, m_ingredientNames,
            &SortedNameModel::insertName);
    connect(m_storedRecipesScreen, &StoredRecipesScreen::ingredientDeleted, this,
            [this](const QString& name) {
                m_ingredientNames->removeRow(m_ingredientNames->lastRowOfTrimmed(name));
            });
    connect(m_analysisScreen, &AnalysisScreen::statusNote, this, [this](const QString& note) {
        // Long enough to be read, and gone before it could be taken for news of a later change.
        constexpr int shownMs = 10000;
        statusBar()->showMessage(note, shownMs);
    });
    m_storedRecipesScreen->setEmailOpener([this] {
        EmailWindow::sendRecipe(m_storedRecipesScreen, m_settings, m_help,
                                m_storedRecipesScreen->shownRecipe());
    });
    // Save As sits with the screen's own tools; the window it opens has help of its own.
    connect(m_storedRecipesScreen->viewBar()->addTool(
                QStringLiteral("SaveAs"), QStringLiteral("Save As..."),
                QStringLiteral("Save the Recipe Shown or All Recipes to a File"),
                QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)),
            &QAction::triggered, this, [this] {
                SaveAsWindow::saveRecipes(m_storedRecipesScreen, m_session, m_settings, m_help,
                                          m_storedRecipesScreen->shownRecipe().name);
            });
    // A change that could not keep the version it replaced says so once, as it happens.
    for (DataFile* file : {&m_session.ingredients.file(), &m_session.recipes.file()})
        file->setNoticeHandler([this](const QString& notice) {
            MessageBox::show(this, notice, QStringLiteral("Zestora"),
                             MessageBox::Icon::Exclamation);
        });
    new ChangedOnDisk(this, {&m_session.ingredients.file(), &m_session.recipes.file()},
                      [this](DataFile& file) { reload(file); });
    m_analysisScreen->setUp();
    return loaded.problems;
}

void MainWindow::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (std::exchange(m_shownBefore, true))
        return;
    m_tmrStopSplash->start();
    // The foods' names are indexed for pasted lines on a thread of their own, once the window is
    // up and the start's own work is done, so that the first Read finds the index made.
    QTimer::singleShot(indexDelay, this, [this] { m_foodIndex->prepare(); });
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
    Restore restored = restoreBackup(file, backupPath, false, &error);
    // A backup that no longer loads cleanly goes back only when the user says so.
    if (restored == Restore::Damaged &&
        MessageBox::show(this,
                         error + QStringLiteral("\r\n\r\nRestore it all the same? What cannot "
                                                "be read in it is left out; the version now in "
                                                "place is kept as a backup first."),
                         QStringLiteral("Restore"), MessageBox::Icon::Exclamation,
                         MessageBox::Buttons::YesNo,
                         MessageBox::Default::No) == MessageBox::Answer::Yes)
        restored = restoreBackup(file, backupPath, true, &error);
    if (restored == Restore::Failed)
        MessageBox::show(this, error, QStringLiteral("Restore"), MessageBox::Icon::Critical);
    if (restored == Restore::Done)
        reload(file);
}

void MainWindow::reload(DataFile& file)
{
    const WaitCursor wait;
    if (&file == &m_session.recipes.file()) {
        m_session.recipes.load();
        m_recipeNames->fillSorted(m_session.recipes.namesForPeople());
    } else {
        m_session.ingredients.loadIngTable();
        m_ingredientNames->fillSorted(m_session.ingredients.namesForPeople());
    }
}

void MainWindow::pasteIngredients()
{
    if (const std::optional<PasteWindow::Pasted> pasted = PasteWindow::ask(
            m_analysisScreen, *m_foodIndex, *m_ingredientNames, m_help, m_settings))
        m_analysisScreen->addPastedLines(pasted->lines, pasted->coverage, pasted->servings);
}

void MainWindow::importRecipes()
{
    // The user's own files, not the data folder, whose own text files are no recipes.
    QFileDialog chooser(
        this, QStringLiteral("Import Recipes"), documentsFolder(),
        QStringLiteral("Recipes (*.mmf *.mm *.mxp *.txt *.json *.jsonld *.html "
                       "*.htm);;MealMaster recipes (*.mmf *.mm *.mxp *.txt);;"
                       "Web recipes (*.json *.jsonld *.html *.htm);;All files (*)"));
    chooser.setFileMode(QFileDialog::ExistingFile);
    HelpViewer::setWindowContext(&chooser, help::pasteContext);
    if (chooser.exec() != QDialog::Accepted || chooser.selectedFiles().isEmpty())
        return;
    importRecipeFile(chooser.selectedFiles().constFirst());
}

void MainWindow::importRecipeFile(const QString& fileName)
{
    RecipeImporter{m_session,
                   *m_foodIndex,
                   *m_recipeNames,
                   *m_ingredientNames,
                   m_help,
                   [this] {
                       m_storedRecipesScreen->selectFirstRecipe();
                   }}
        .importFile(this, fileName);
}

namespace {

QStringList droppedFiles(const QMimeData* data)
{
    QStringList files;
    for (const QUrl& url : data->urls())
        if (url.isLocalFile())
            files.append(url.toLocalFile());
    return files;
}

} // namespace

void MainWindow::dragEnterEvent(QDragEnterEvent* event)
{
    if (!droppedFiles(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event)
{
    const QStringList files = droppedFiles(event->mimeData());
    if (files.isEmpty())
        return;
    event->acceptProposedAction();
    // The import asks questions in windows of its own: it starts once the drop is over, so that
    // the program the files came from is not kept waiting.
    QTimer::singleShot(0, this, [this, files] {
        for (const QString& file : files)
            importRecipeFile(file);
    });
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event)
{
    // A box that takes text would take the files' names as text; the user means the recipes.
    const QEvent::Type type = event->type();
    auto* widget = qobject_cast<QWidget*>(watched);
    if ((type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop) ||
        !widget || widget == this || widget->window() != this ||
        droppedFiles(static_cast<QDropEvent*>(event)->mimeData()).isEmpty())
        return QMainWindow::eventFilter(watched, event);
    if (type == QEvent::Drop)
        dropEvent(static_cast<QDropEvent*>(event));
    else
        static_cast<QDropEvent*>(event)->acceptProposedAction();
    return true;
}

void MainWindow::mdiFormActivate()
{
    const int tips = m_settings.readNumber(Settings::showTips);
    m_tipsTool->setChecked(tips == 1);
    // Once in a run: the tip window is not opened again after it was closed.
    if (!m_tipsShown && tips != 0 && m_openTipWindow) {
        m_tipsShown = true;
        m_openTipWindow();
    }
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
    if (m_analysisScreen && !m_analysisScreen->mayReplaceRecipe()) {
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
    if (screen == m_storedRecipesScreen && std::exchange(m_storedRecipesStale, false))
        m_storedRecipesScreen->showChosenRecipe();
}

void MainWindow::showAnalysisScreen()
{
    showScreen(m_analysisScreen, QStringLiteral("Recipe / Diet Analysis Screen"));
}

void MainWindow::showStoredRecipes()
{
    {
        const WaitCursor wait;
        showScreen(m_storedRecipesScreen, QStringLiteral("Stored Recipes Screen"));
    }
    // The first time only: later the screen keeps the recipe the user chose.
    if (!m_recipesShown)
        m_storedRecipesScreen->selectFirstRecipe();
    m_recipesShown = true;
}

} // namespace zestora
