#pragma once

#include "core/store/storesload.h"

#include <QMainWindow>
#include <QPointer>

#include <functional>
#include <memory>

namespace Ui {
class MainWindow;
}

class QAction;
class QTimer;

namespace zestora {

class AnalysisScreen;
class DataFile;
class HelpViewer;
class IngredientWizard;
class Settings;
class SortedNameModel;
class StoredIngredientsScreen;
class StoredRecipesScreen;
class ToolBar;
struct Session;

namespace paste {
class FoodIndex;
}

// The main window: the program's toolbar and menus, the title of the work screen on view, and the
// four work screens of which one is visible at a time. It runs the start-up (help, both data
// files, the screens) and the shutdown.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    MainWindow(Session& session, Settings& settings, HelpViewer& help, const QString& programDir,
               QWidget* parent = nullptr);
    ~MainWindow() override;

    // Start-up: help, the screens, both data files, the name lists. Returns what was found wrong
    // in the files, for showLoadProblems once the window is on screen. The files are read here
    // unless read holds what loadStores found in the session's stores beforehand.
    QList<LoadProblem> startUp(std::optional<StoresLoad> read = std::nullopt);
    // The part of the start-up that needs no data: help and the screens that are made before the
    // files are read. startUp does it when it has not been done.
    void loadScreens();
    // Tells the user, once per damaged file, what could not be read, and offers the newest backup
    // of it that reads cleanly.
    void showLoadProblems(const QList<LoadProblem>& problems);
    // Runs each time the window becomes active: the tips option and the tip window.
    void mdiFormActivate();

    // Opens the tip window (the tip of the day); the window of the tips file beside the program
    // unless another opener is set.
    void setTipWindowOpener(std::function<void()> opener) { m_openTipWindow = std::move(opener); }
    // The splash window, which tmrStopSplash closes 100 ms after the main window is first shown.
    void setSplashWindow(QWidget* splash) { m_splash = splash; }

    ToolBar* topBar() const { return m_topBar; }
    // The check tool of the start-up music, which the splash window clears when it plays none.
    QAction* musicTool() const { return m_musicTool; }
    SortedNameModel* ingredientNames() const { return m_ingredientNames; }
    SortedNameModel* recipeNames() const { return m_recipeNames; }

protected:
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    // Files of recipes dropped on the window are imported as Import Recipes imports them.
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    // Files dragged over a box that takes text, anywhere on the window, come to those two.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildTopBar();
    void showScreen(QWidget* screen, const QString& title);
    void showAnalysisScreen();
    void showStoredRecipes();
    void restoreFromBackup(const QString& fileName, const QString& backupPath);
    // Reads a data file again and shows what it holds now.
    void reload(DataFile& file);
    void pasteIngredients();
    void importRecipes();
    void importRecipeFile(const QString& fileName);

    Session& m_session;
    Settings& m_settings;
    HelpViewer& m_help;
    QString m_programDir;
    const std::unique_ptr<Ui::MainWindow> m_ui;
    ToolBar* m_topBar = nullptr;
    QAction* m_tipsTool = nullptr;
    QAction* m_musicTool = nullptr;
    SortedNameModel* m_ingredientNames = nullptr;
    SortedNameModel* m_recipeNames = nullptr;
    AnalysisScreen* m_analysisScreen = nullptr;
    StoredRecipesScreen* m_storedRecipesScreen = nullptr;
    IngredientWizard* m_ingredientWizard = nullptr;
    StoredIngredientsScreen* m_storedIngredientsScreen = nullptr;
    bool m_recipesShown = false;       // the stored recipes screen was opened from the toolbar
    bool m_storedRecipesStale = false; // the ingredients changed while it was out of view
    bool m_shownBefore = false;
    bool m_tipsShown = false;
    std::function<void()> m_openTipWindow;
    QPointer<QWidget> m_tipWindow;
    // Matching pasted and imported lines to the stored foods, indexed once a run.
    std::unique_ptr<paste::FoodIndex> m_foodIndex;
    QTimer* m_tmrStopSplash;
    QPointer<QWidget> m_splash;
};

} // namespace zestora
