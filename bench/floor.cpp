// Qt's floor, a bare widgets window, shown as the program shows its main window and closed once its
// first paint is on screen. Its peak memory is what any Qt widgets program costs here.
//
// With --quit-when-shown it is also the floor of the main window's start on an X server: a main
// window with a menu bar and one empty list, made, framed, laid out and drawn ahead as the
// program prepares its own while the splash shows, then shown maximized when a timer fires. It
// reports the timer and the moment its first paint is on screen as the program does.
#include "platform/displayround.h"
#include "platform/framedgeometry.h"
#include "platform/warmbackingstore.h"

#include <QApplication>
#include <QDateTime>
#include <QListWidget>
#include <QMainWindow>
#include <QMenuBar>
#include <QTimer>

#include <cstdio>

namespace {

void reportTime(const char* step)
{
    std::printf("%s at %lld ms\n", step, QDateTime::currentMSecsSinceEpoch());
    std::fflush(stdout);
}

void quitOnScreen()
{
    QTimer::singleShot(0, qApp, [] {
        zestora::waitForDisplayServer();
        reportTime("main window on screen");
        QApplication::quit();
    });
}

class BareWindow : public QWidget {
protected:
    void paintEvent(QPaintEvent* event) override
    {
        QWidget::paintEvent(event);
        QTimer::singleShot(0, qApp, [] {
            QGuiApplication::sync();
            QApplication::quit();
        });
    }
};

class BareMainWindow : public QMainWindow {
public:
    BareMainWindow()
    {
        menuBar()->addMenu(QStringLiteral("&File"))->addAction(QStringLiteral("E&xit"));
        setCentralWidget(new QListWidget(this));
        zestora::FramedGeometry::ask(this);
    }

    // Laid out and drawn at the size the window manager will leave it, once it has answered, and
    // its backing store filled, as the program prepares its main window.
    void prepare()
    {
        setGeometry(zestora::FramedGeometry::take(this));
        grab();
        zestora::warmBackingStore(this);
    }

    void showWatched()
    {
        qApp->installEventFilter(this);
        showMaximized();
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        // The window's widgets are painted together and put on screen in one go after the first.
        if (event->type() == QEvent::Paint && watched->isWidgetType() &&
            static_cast<QWidget*>(watched)->window() == this) {
            qApp->removeEventFilter(this);
            quitOnScreen();
        }
        return QMainWindow::eventFilter(watched, event);
    }
};

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    if (!QCoreApplication::arguments().contains(QStringLiteral("--quit-when-shown"))) {
        BareWindow window;
        window.showMaximized();
        return QApplication::exec();
    }
    // A splash first, as the program's: the first window a process shows costs more, on both
    // sides of the connection, than the next.
    QWidget splash(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint);
    splash.resize(480, 280);
    splash.show();
    BareMainWindow window;
    // As long as the program's splash waits for its timer, give or take: time for the window
    // manager to answer.
    QTimer::singleShot(200, &window, [&window] { window.prepare(); });
    QTimer::singleShot(400, Qt::PreciseTimer, &window, [&window] {
        reportTime("splash timer");
        window.showWatched();
    });
    return QApplication::exec();
}
