#include "core/session.h"
#include "core/shell/tips.h"
#include "core/shell/wavelength.h"
#include "core/sortednamemodel.h"
#include "platform/helpviewer.h"
#include "platform/settings.h"
#include "platform/sound.h"
#include "platform/toolbar.h"
#include "shell/mainwindow.h"
#include "shell/splashwindow.h"
#include "shell/startup.h"
#include "shell/tipwindow.h"
#include "widgetsupport.h"

#include <QCheckBox>
#include <QLabel>
#include <QMovie>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QStackedWidget>
#include <QTimer>

#include <algorithm>

using namespace zestora;
using namespace zestora::testing;

namespace {
const QString mediaDir = QStringLiteral(MEDIA_DIR);

using Fixture = TestSession;

QString labelText(const QWidget* window, const char* label)
{
    return window->findChild<QLabel*>(QString::fromLatin1(label))->text();
}
} // namespace

class TestStartUp : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void splashStartsTheMainWindowAndCloses_data();
    void splashStartsTheMainWindowAndCloses();
    void theMainWindowIsLoadedWhileTheSplashWaits();
    void timedStartQuitsOnceTheMainWindowIsPainted();
    void musicNeverHoldsUpTheStart_data();
    void musicNeverHoldsUpTheStart();
    void tipsShowAtRandomAndWrap();
    void tipWindowWithoutTips_data();
    void tipWindowWithoutTips();
    void shippedTipsFitTheWindow();
};

void TestStartUp::splashStartsTheMainWindowAndCloses_data()
{
    QTest::addColumn<QString>("music");
    QTest::addColumn<bool>("musicChecked");
    QTest::newRow("first run: the music plays, its tool stays checked") << QString() << true;
    QTest::newRow("music off: its tool is unchecked") << u"0"_s << false;
}

void TestStartUp::splashStartsTheMainWindowAndCloses()
{
    QFETCH(QString, music);
    QFETCH(bool, musicChecked);
    Fixture f;
    f.settings.write(Settings::showTips, u"0"_s);
    if (!music.isNull())
        f.settings.write(Settings::playMusic, music);
    std::unique_ptr<MainWindow> window;
    int starts = 0;
    SplashWindow splash(f.settings, mediaDir, [&] {
        ++starts;
        window = std::make_unique<MainWindow>(f.session, f.settings, f.help, mediaDir);
        window->setSplashWindow(&splash);
        window->startUp();
        // Events run while the main window loads, as under a message box: the splash timer ticks
        // again and must not start a second main window.
        QTest::qWait(1100);
        window->show();
        return window.get();
    });
    QCOMPARE(splash.objectName(), u"SplashFrm"_s);
    QCOMPARE(labelText(&splash, "Label1"), u"Zestora v3.0"_s);
    QVERIFY(labelText(&splash, "Label2").startsWith(u"for "_s));
    QVERIFY(!labelText(&splash, "Label2").contains(u"Windows"_s));
    auto* secondGif = splash.findChild<QLabel*>(u"Gif89a2"_s);
    QVERIFY(splash.findChild<QLabel*>(u"Gif89a1"_s)->movie()->frameCount() > 1);
    QVERIFY(secondGif->movie()->frameCount() > 1);

    splash.show();
    QVERIFY(QTest::qWaitForWindowExposed(&splash));
    QVERIFY(!secondGif->isVisible());
    QVERIFY(!window);
    QTRY_VERIFY(!secondGif->isHidden());
    QTRY_VERIFY(window);
    // The main window's timer closes the splash, whose close plays the tune or unchecks it.
    QTRY_VERIFY(!splash.isVisible());
    QCOMPARE(window->musicTool()->isChecked(), musicChecked);
    QVERIFY(f.messages.isEmpty());
    QCOMPARE(starts, 1);
}

void TestStartUp::theMainWindowIsLoadedWhileTheSplashWaits()
{
    Fixture f;
    f.settings.write(Settings::showTips, u"0"_s);
    f.settings.write(Settings::playMusic, u"0"_s);
    writeFile(u"Ing.dat"_s,
              IngTable::toBytes({food(u"Flour"_s, 1, u"cup"_s), food(u"Egg"_s, 1, u"g"_s)}));
    // Without its final line break: the message about it comes once the main window is shown.
    writeFile(u"Recipe.Dat"_s, "\xaeStew\xa7"
                               "1\xc8\xce\xa5 \x90\xc6\xbf\xdf");
    StartUp startUp(f.session, f.settings, f.help, mediaDir);
    const auto shown = [&startUp] {
        return startUp.mainWindow() && startUp.mainWindow()->isVisible();
    };
    bool hiddenAtTheTimer = false;
    QObject::connect(&startUp.splash(), &SplashWindow::startingMainWindow, &startUp,
                     [&] { hiddenAtTheTimer = !shown(); });
    QStringList toldOnScreen;
    MessageBox::setAnswerer([&](const MessageBox::Shown& box) {
        toldOnScreen.append(box.title + (shown() ? u" on screen"_s : u" before"_s));
        return MessageBox::Answer::Ok;
    });
    startUp.start();
    QTRY_VERIFY(startUp.mainWindow() && startUp.mainWindow()->ingredientNames()->rowCount() == 2);
    MainWindow& window = *startUp.mainWindow();
    QTRY_VERIFY(window.isVisible());
    QVERIFY(hiddenAtTheTimer);
    QCOMPARE(window.findChild<QStackedWidget*>(u"Screens"_s)->currentWidget()->objectName(),
             u"CalcFrm"_s);
    QCOMPARE(texts(window.findChild<QWidget*>(u"CalcFrm"_s)->findChild<QWidget*>(u"IngLst"_s)),
             (QStringList{u"Egg"_s, u"Flour"_s}));
    QTRY_COMPARE(toldOnScreen, QStringList{u"Damaged Data File on screen"_s});
    QTRY_VERIFY(!startUp.splash().isVisible());
}

void TestStartUp::timedStartQuitsOnceTheMainWindowIsPainted()
{
    const TempWorkDir dir;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const QString& variable : {u"HOME"_s, u"XDG_CONFIG_HOME"_s, u"XDG_DATA_HOME"_s})
        environment.insert(variable, dir.path());
    QProcess zestora;
    zestora.setProcessEnvironment(environment);
    zestora.start(QStringLiteral(ZESTORA_PATH),
                  {u"--data-dir"_s, u"data"_s, u"--quit-when-shown"_s});
    QVERIFY(zestora.waitForFinished(60000));
    QCOMPARE(zestora.exitCode(), 0);
    // Each step once, in order, in milliseconds of the clock.
    QList<qint64> times;
    const QStringList steps{u"splash on screen"_s, u"splash timer"_s, u"main window on screen"_s};
    const QStringList lines =
        QString::fromLocal8Bit(zestora.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), steps.size());
    for (qsizetype i = 0; i < steps.size(); ++i) {
        QVERIFY2(lines[i].startsWith(steps[i] + u" at "_s), qPrintable(lines[i]));
        times.append(lines[i].section(u' ', -2, -2).toLongLong());
    }
    QVERIFY(std::is_sorted(times.cbegin(), times.cend()));
}

void TestStartUp::musicNeverHoldsUpTheStart_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<Sound::Outcome>("outcome");
    QTest::newRow("no sound device: nothing plays")
        << mediaDir + u"/LV6.wav"_s << Sound::Outcome::NoDevice;
    QTest::newRow("no such file") << u"LV6.wav"_s << Sound::Outcome::NoFile;
    QTest::newRow("not a wave file") << mediaDir + u"/TIPOFDAY.TXT"_s << Sound::Outcome::NotAWave;
}

void TestStartUp::musicNeverHoldsUpTheStart()
{
    QFETCH(QString, file);
    QFETCH(Sound::Outcome, outcome);
    const TempWorkDir dir;
    QCOMPARE(Sound::playToEnd(file), outcome);
    // Where a device plays, the start waits at most the tune's length and the margin.
    QFile tune(mediaDir + u"/LV6.wav"_s);
    QVERIFY(tune.open(QIODevice::ReadOnly));
    QVERIFY(waveLengthMs(tune).value_or(0) + Sound::marginMs < 3500);
}

void TestStartUp::tipsShowAtRandomAndWrap()
{
    Fixture f;
    writeFile(u"TIPOFDAY.TXT"_s, "First\r\nSecond\r\nThird\r\n");
    QPointer<TipWindow> window = TipWindow::open(nullptr, f.settings, f.dir.path());
    QVERIFY(window);
    QCOMPARE(window->objectName(), u"frmTip"_s);
    QCOMPARE(window->windowTitle(), u"Tip of the Day"_s);
    QVERIFY(window->isVisible());
    const QRect area = window->screen()->availableGeometry();
    QCOMPARE(window->geometry().top(), area.top() + (area.height() - window->height()) / 4);

    const QStringList tips{u"First"_s, u"Second"_s, u"Third"_s};
    const int first = tips.indexOf(labelText(window, "lblTipText"));
    QVERIFY(first >= 0);
    auto* next = window->findChild<QPushButton*>(u"cmdNextTip"_s);
    for (int step = 1; step <= 3; ++step) {
        next->click();
        QCOMPARE(labelText(window, "lblTipText"), tips[(first + step) % 3]);
    }
    auto* showTips = window->findChild<QCheckBox*>(u"chkLoadTipsAtStartup"_s);
    QVERIFY(showTips->isChecked());
    showTips->click();
    QCOMPARE(f.settings.readString(Settings::showTips, QString()), u"0"_s);
    showTips->click();
    QCOMPARE(f.settings.readString(Settings::showTips, QString()), u"1"_s);

    window->findChild<QPushButton*>(u"cmdOK"_s)->click();
    QTRY_VERIFY(!window);
}

void TestStartUp::tipWindowWithoutTips_data()
{
    QTest::addColumn<QString>("setting");
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("shown");
    QTest::newRow("no tips file: how to make one")
        << QString() << QByteArray()
        << u"That the TIPOFDAY.TXT file was not found? \r\n\r\nCreate a text file named "
           "TIPOFDAY.TXT using a text editor with 1 tip per line. Then place it in the same "
           "directory as the application. "_s;
    QTest::newRow("an empty tips file shows no tip") << QString() << QByteArray("") << QString();
    QTest::newRow("tips turned off: no window") << u"0"_s << QByteArray("Tip\r\n") << QString();
}

void TestStartUp::tipWindowWithoutTips()
{
    QFETCH(QString, setting);
    QFETCH(QByteArray, file);
    QFETCH(QString, shown);
    Fixture f;
    if (!setting.isNull())
        f.settings.write(Settings::showTips, setting);
    if (!file.isNull())
        writeFile(u"TIPOFDAY.TXT"_s, file);
    const std::unique_ptr<TipWindow> window(TipWindow::open(nullptr, f.settings, f.dir.path()));
    QCOMPARE(!window, setting == u"0"_s);
    if (!window)
        return;
    QCOMPARE(labelText(window.get(), "lblTipText"), shown);
    QTest::keyClick(window->focusWidget(), Qt::Key_Tab); // from OK, where it opens, to the left
    QCOMPARE(window->focusWidget()->objectName(), u"chkLoadTipsAtStartup"_s);
    window->findChild<QPushButton*>(u"cmdNextTip"_s)->click();
    QCOMPARE(labelText(window.get(), "lblTipText"), shown);
}

void TestStartUp::shippedTipsFitTheWindow()
{
    QFile file(mediaDir + u"/TIPOFDAY.TXT"_s);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    QVERIFY(bytes.endsWith("\r\n"));
    QCOMPARE(bytes.count('\n'), bytes.count("\r\n"));
    const QStringList tips = *tips::loadTips(file.fileName());
    QVERIFY(tips.size() >= 60);

    Fixture f;
    const std::unique_ptr<TipWindow> window(TipWindow::open(nullptr, f.settings, mediaDir));
    const auto* label = window->findChild<QLabel*>(u"lblTipText"_s);
    const QRect room = label->contentsRect();
    for (const QString& tip : tips) {
        QVERIFY(!tip.trimmed().isEmpty());
        const QRect needed = label->fontMetrics().boundingRect(QRect(0, 0, room.width(), 10000),
                                                               Qt::TextWordWrap, tip);
        QVERIFY2(needed.width() <= room.width() && needed.height() <= room.height(),
                 qPrintable(tip));
    }
}

int main(int argc, char** argv)
{
    // No sound device, whatever the machine has.
    qputenv("PULSE_SERVER", "unix:/nonexistent");
    QApplication app(argc, argv);
    TestStartUp test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_startup.moc"
