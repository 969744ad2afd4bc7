#include "core/shell/desktop.h"
#include "core/shell/helptopics.h"
#include "platform/helpviewer.h"
#include "platform/settings.h"
#include "testsupport.h"

#include <QAction>
#include <QRegularExpression>
#include <QTextBrowser>

using namespace zestora;
using namespace zestora::testing;

class TestPlatform : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void cleanup();
    void desktopHelp_data();
    void desktopHelp();
    void helpFilePath_data();
    void helpFilePath();
    void helpFileHasATopicForEveryContext();
    void helpOpensAtTheTopicAndCloses();
};

void TestPlatform::cleanup()
{
    QVERIFY(QApplication::topLevelWidgets().isEmpty() ||
            std::none_of(QApplication::topLevelWidgets().begin(),
                         QApplication::topLevelWidgets().end(),
                         [](QWidget* w) { return w->isVisible(); }));
}

void TestPlatform::desktopHelp_data()
{
    QTest::addColumn<QString>("currentDesktop");
    QTest::addColumn<QString>("help");
    QTest::newRow("one desktop") << u"GNOME"_s << u"GNOME Help"_s;
    QTest::newRow("the most particular first") << u"ubuntu:GNOME"_s << u"ubuntu Help"_s;
    QTest::newRow("an unregistered name") << u"X-Cinnamon"_s << u"Cinnamon Help"_s;
    QTest::newRow("no desktop") << QString() << u"your desktop's Help"_s;
}

void TestPlatform::desktopHelp()
{
    QFETCH(QString, currentDesktop);
    QFETCH(QString, help);
    QCOMPARE(zestora::desktopHelp(currentDesktop), help);
}

void TestPlatform::helpFilePath_data()
{
    QTest::addColumn<QString>("programDir");
    QTest::addColumn<QString>("path");
    QTest::newRow("a folder") << u"/opt/apps"_s << u"/opt/apps/Zestora Help.html"_s;
    QTest::newRow("the root folder has no doubled separator") << u"/"_s << u"/Zestora Help.html"_s;
    QTest::newRow("a folder ending in a separator")
        << u"/opt/apps/"_s << u"/opt/apps/Zestora Help.html"_s;
    QTest::newRow("spaces around the folder are trimmed")
        << u" /opt/apps "_s << u"/opt/apps/Zestora Help.html"_s;
}

void TestPlatform::helpFilePath()
{
    QFETCH(QString, programDir);
    QFETCH(QString, path);
    QCOMPARE(help::helpFilePath(programDir), path);
}

void TestPlatform::helpFileHasATopicForEveryContext()
{
    const QString html = QString::fromUtf8(readFile(help::helpFilePath(QStringLiteral(HELP_DIR))));
    QVERIFY(!html.isEmpty());
    const QList<int> contexts = help::contextNumbers();
    QCOMPARE(contexts.size(), 16);
    QVERIFY(contexts.contains(470)); // the wizard's step 4
    for (int context : contexts) {
        const QString anchor = u"name=\"%1\""_s.arg(help::topicAnchor(context));
        QVERIFY2(html.contains(anchor), qPrintable(anchor));
    }
    // Every topic has a heading and some text a user can follow.
    QCOMPARE(html.count(QRegularExpression(u"<h[12]><a name=\"topic-"_s)), 16);
}

void TestPlatform::helpOpensAtTheTopicAndCloses()
{
    QWidget owner;
    HelpViewer help;
    help.initHelp(&owner, QStringLiteral(HELP_DIR));
    help.showHelp(470);
    QVERIFY(help.browser());
    QCOMPARE(help.browser()->source().fragment(), u"topic-470"_s);
    QVERIFY(help.browser()->toPlainText().contains(u"how many of the second measure"_s));
    // A window of its own at the side of the screen, closed with Escape.
    QWidget* window = help.browser()->window();
    QVERIFY(window->isVisible());
    QVERIFY(!window->parentWidget());
    QVERIFY(window->x() >= window->screen()->availableGeometry().center().x());
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window));
    QTest::keyClick(help.browser(), Qt::Key_Escape);
    QVERIFY(!window->isVisible());
    help.showHelp(340);
    QCOMPARE(help.browser()->source().fragment(), u"topic-340"_s);
    QVERIFY(window->isVisible());
    help.closeHelp();
    QVERIFY(!window->isVisible());

    HelpViewer missing;
    missing.initHelp(&owner, u"/nonexistent"_s);
    missing.showHelp(320);
    QVERIFY(missing.browser()->toPlainText().contains(u"could not be found"_s));
    missing.closeHelp();
}

QTEST_MAIN(TestPlatform)
#include "tst_platform.moc"
