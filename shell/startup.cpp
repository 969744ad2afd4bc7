#include "shell/startup.h"

#include "core/session.h"
#include "platform/displayround.h"
#include "platform/framedgeometry.h"
#include "platform/warmbackingstore.h"
#include "shell/mainwindow.h"

#include <QApplication>
#include <QThread>
#include <QTimer>

namespace zestora {

StartUp::StartUp(Session& session, Settings& settings, HelpViewer& help, const QString& programDir)
    : m_session(session)
    , m_settings(settings)
    , m_help(help)
    , m_programDir(programDir)
    , m_splash(settings, programDir, [this] { return showMainWindow(); })
{
    // Only once the splash is on screen, so that none of the work delays it.
    connect(&m_splash, &SplashWindow::firstPainted, this,
            [this] { QTimer::singleShot(0, this, &StartUp::prepareMainWindow); });
}

StartUp::~StartUp()
{
    if (m_reader)
        m_reader->wait();
}

void StartUp::start()
{
    m_splash.show();
}

void StartUp::quitWhenShown(std::function<void(const char*)> report)
{
    m_report = std::move(report);
    connect(&m_splash, &SplashWindow::firstPainted, this, [this] { m_report("splash on screen"); });
    connect(&m_splash, &SplashWindow::startingMainWindow, this,
            [this] { m_report("splash timer"); });
}

void StartUp::prepareMainWindow()
{
    if (m_window)
        return;
    m_window = std::make_unique<MainWindow>(m_session, m_settings, m_help, m_programDir);
    m_window->setSplashWindow(&m_splash);
    // The screens are made before the reading starts, so nothing reads the stores while the
    // other thread fills them; nothing here touches them until it has finished.
    m_window->loadScreens();
    // The window manager answers while the files are read.
    FramedGeometry::ask(m_window.get());
    m_reader =
        QThread::create([this] { m_read = loadStores(m_session.ingredients, m_session.recipes); });
    m_reader->setParent(this);
    connect(m_reader, &QThread::finished, this, &StartUp::takeStores);
    m_reader->start();
}

void StartUp::takeStores()
{
    m_problems = m_window->startUp(std::move(m_read));
    m_read.reset();
    // Laid out and drawn once while hidden: the first paint on screen then finds the layouts
    // done and the glyphs and pictures in their caches. (Drawing the hidden screens as well made
    // every later switch to them slower.) The window system's window is made now too, unmapped:
    // showing it then only maps it. All at the size the window manager will leave the window,
    // so that the show lays nothing out again.
    m_window->setGeometry(FramedGeometry::take(m_window.get()));
    m_window->grab();
    // That drawing laid the lists out and their scroll bars came or went; the resizes of their
    // viewports wait for the show, where the ingredient list's walks every name. Drawing one
    // pixel delivers them now, while the splash still waits.
    m_window->grab(QRect(0, 0, 1, 1));
    m_window->winId();
    warmBackingStore(m_window.get());
    m_ready = true;
    if (m_showWanted)
        showWhenReady();
}

MainWindow* StartUp::showMainWindow()
{
    // The timer fires a second after the splash painted; should the files take longer, the
    // window shows as soon as they are in.
    prepareMainWindow();
    m_showWanted = true;
    if (m_ready)
        showWhenReady();
    return m_window.get();
}

void StartUp::showWhenReady()
{
    if (m_report)
        qApp->installEventFilter(this);
    m_window->showMaximized();
    if (!m_report)
        QTimer::singleShot(0, m_window.get(), [window = m_window.get(), problems = m_problems] {
            window->showLoadProblems(problems);
        });
}

bool StartUp::eventFilter(QObject* watched, QEvent* event)
{
    // A window's widgets are painted together and then put on screen in one go: once the first
    // of them is painted, what follows in the event loop comes after that.
    if (event->type() == QEvent::Paint && !m_painted && watched->isWidgetType() &&
        static_cast<QWidget*>(watched)->window() == m_window.get()) {
        m_painted = true;
        qApp->removeEventFilter(this);
        QTimer::singleShot(0, this, &StartUp::afterFirstPaint);
    }
    return QObject::eventFilter(watched, event);
}

void StartUp::afterFirstPaint()
{
    // Waits until the display has drawn everything sent to it, the painted window included, and
    // no longer: what the window's activation starts (the tip window) is not the window's start.
    waitForDisplayServer();
    m_report("main window on screen");
    m_splash.hide();
    QApplication::quit();
}

} // namespace zestora
