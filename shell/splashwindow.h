#pragma once

#include <QPointer>
#include <QWidget>

#include <functional>
#include <memory>

class QTimer;

namespace Ui {
class SplashWindow;
}

namespace zestora {

class MainWindow;
class Settings;

// The first window of every run. A second after it first paints it shows the main window, made
// and loaded meanwhile; closed by the main window, it plays the start-up music: the tune in the
// working folder when one lies there, else the one beside the program.
class SplashWindow : public QWidget {
    Q_OBJECT
public:
    // showMainWindow shows the main window and the analysis screen on it, and returns the window.
    SplashWindow(Settings& settings, const QString& programDir,
                 std::function<MainWindow*()> showMainWindow);
    ~SplashWindow() override;

Q_SIGNALS:
    // The splash window is on screen.
    void firstPainted();
    // The main window is about to be shown.
    void startingMainWindow();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void openMainWindow();

    Settings& m_settings;
    QString m_programDir;
    std::function<MainWindow*()> m_showMainWindow;
    const std::unique_ptr<Ui::SplashWindow> m_ui;
    QTimer* m_twoTmr;
    QTimer* m_splashTmr;
    QPointer<MainWindow> m_mainWindow;
    bool m_painted = false;
    bool m_mainWindowStarted = false;
};

} // namespace zestora
