#pragma once

#include "core/store/storesload.h"
#include "shell/splashwindow.h"

#include <QObject>

#include <functional>
#include <memory>
#include <optional>

class QThread;

namespace zestora {

class HelpViewer;
class MainWindow;
class Settings;
struct Session;

// The start of a run. The splash window comes first. During its second the main window and its
// screens are made, hidden, both data files are read on a second thread and taken in, and the
// window is laid out and drawn once off screen; the splash timer then only has to show it.
class StartUp : public QObject {
    Q_OBJECT
public:
    StartUp(Session& session, Settings& settings, HelpViewer& help, const QString& programDir);
    ~StartUp() override;

    // Shows the splash window; the rest follows in the event loop.
    void start();
    // For timing the start-up from outside: report is told of each step ("splash on screen",
    // "splash timer", "main window on screen"), and the program quits once the main window's
    // first paint has reached the screen, with no tune.
    void quitWhenShown(std::function<void(const char* step)> report);

    SplashWindow& splash() { return m_splash; }
    MainWindow* mainWindow() const { return m_window.get(); }

private:
    void prepareMainWindow();
    void takeStores();
    MainWindow* showMainWindow();
    void showWhenReady();
    void afterFirstPaint();
    bool eventFilter(QObject* watched, QEvent* event) override;

    Session& m_session;
    Settings& m_settings;
    HelpViewer& m_help;
    QString m_programDir;
    SplashWindow m_splash;
    std::unique_ptr<MainWindow> m_window;
    QThread* m_reader = nullptr;
    std::optional<StoresLoad> m_read; // written by the reader, taken once it has finished
    QList<LoadProblem> m_problems;
    bool m_ready = false;
    bool m_showWanted = false;
    bool m_painted = false;
    std::function<void(const char*)> m_report;
};

} // namespace zestora
