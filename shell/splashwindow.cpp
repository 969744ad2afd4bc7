#include "shell/splashwindow.h"

#include "ui_splashwindow.h"

#include "platform/centreform.h"
#include "platform/settings.h"
#include "platform/sound.h"
#include "shell/mainwindow.h"
#include "shell/programfiles.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QMovie>
#include <QSysInfo>
#include <QTimer>

namespace zestora {

namespace {
constexpr int twoInterval = 1000;
constexpr int splashInterval = 1000;

// The desktop the program runs on, as the splash names it.
QString desktopName()
{
    return QSysInfo::kernelType() == QLatin1String("linux") ? QStringLiteral("Linux")
                                                            : QSysInfo::prettyProductName();
}

void playGif(QLabel* label, const QString& file)
{
    auto* movie = new QMovie(file, QByteArray(), label);
    label->setMovie(movie);
    movie->start();
}
} // namespace

SplashWindow::SplashWindow(Settings& settings, const QString& programDir,
                           std::function<MainWindow*()> showMainWindow)
    : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint)
    , m_settings(settings)
    , m_programDir(programDir)
    , m_showMainWindow(std::move(showMainWindow))
    , m_ui(std::make_unique<Ui::SplashWindow>())
    , m_twoTmr(new QTimer(this))
    , m_splashTmr(new QTimer(this))
{
    m_ui->setupUi(this);
    setFixedSize(480, 280);
    const QDir dir(programDir);
    QPalette background = m_ui->Picture1->palette();
    background.setBrush(QPalette::Window, QPixmap(dir.filePath(programfiles::splashBackground)));
    m_ui->Picture1->setPalette(background);
    playGif(m_ui->Gif89a1, dir.filePath(programfiles::splashGif));
    playGif(m_ui->Gif89a2, dir.filePath(programfiles::secondGif));
    m_ui->Gif89a2->setVisible(false);
    m_ui->Label2->setText(QStringLiteral("for ") + desktopName());

    setCursor(Qt::WaitCursor);
    centreForm(this);

    m_twoTmr->setObjectName(QStringLiteral("TwoTmr"));
    m_twoTmr->setInterval(twoInterval);
    connect(m_twoTmr, &QTimer::timeout, this, [this] {
        m_ui->Gif89a2->setVisible(true);
        m_twoTmr->stop();
    });
    m_twoTmr->start();
    // Started by the first paint; it keeps running, and a later tick finds the work done.
    m_splashTmr->setObjectName(QStringLiteral("SplashTmr"));
    m_splashTmr->setInterval(splashInterval);
    // The main window is ready and waits for this tick, which a coarse timer moves by up to 5 %.
    m_splashTmr->setTimerType(Qt::PreciseTimer);
    connect(m_splashTmr, &QTimer::timeout, this, &SplashWindow::openMainWindow);
    m_ui->Picture1->installEventFilter(this);
}

SplashWindow::~SplashWindow() = default;

bool SplashWindow::eventFilter(QObject* watched, QEvent* event)
{
    // The picture covers the whole window, so its first paint is the window's.
    if (watched == m_ui->Picture1 && event->type() == QEvent::Paint && !m_painted) {
        m_painted = true;
        m_splashTmr->start();
        Q_EMIT firstPainted();
    }
    return QWidget::eventFilter(watched, event);
}

void SplashWindow::openMainWindow()
{
    // A tick while the main window loads (a message box there runs events) finds it started.
    if (m_mainWindowStarted)
        return;
    m_mainWindowStarted = true;
    Q_EMIT startingMainWindow();
    m_mainWindow = m_showMainWindow();
}

void SplashWindow::closeEvent(QCloseEvent* event)
{
    m_splashTmr->stop();
    if (m_settings.readNumber(Settings::playMusic) != 0) {
        const QString here = QDir::current().filePath(programfiles::music);
        Sound::playToEnd(QFile::exists(here) ? here
                                             : QDir(m_programDir).filePath(programfiles::music));
    } else if (m_mainWindow) {
        m_mainWindow->musicTool()->setChecked(false);
    }
    unsetCursor();
    QWidget::closeEvent(event);
}

} // namespace zestora
