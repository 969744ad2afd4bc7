#include "core/shell/helptopics.h"
#include "platform/helpviewer.h"
#include "platform/messagebox.h"
#include "platform/settings.h"
#include "platform/toolbar.h"
#include "testsupport.h"

#include <QAction>
#include <QMenu>
#include <QRegularExpression>
#include <QTextBrowser>

using namespace zestora;
using zestora::testing::readFile;
using zestora::testing::TempWorkDir;

class TestPlatform : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void cleanup();
    void checkToolKeepsItsMarkForTheHandler();
    void toolsCarryNamesCaptionsAndDescriptions();
    void messageBoxAnswererSeesEveryBox();
    void settingsReadWholeNumbers_data();
    void settingsReadWholeNumbers();
    void helpFilePath_data();
    void helpFilePath();
    void helpFileHasATopicForEveryContext();
    void helpOpensAtTheTopicAndCloses();
};

void TestPlatform::cleanup()
{
    MessageBox::clearAnswerer();
    QVERIFY(QApplication::topLevelWidgets().isEmpty() ||
            std::none_of(QApplication::topLevelWidgets().begin(),
                         QApplication::topLevelWidgets().end(),
                         [](QWidget* w) { return w->isVisible(); }));
}

void TestPlatform::checkToolKeepsItsMarkForTheHandler()
{
    QWidget window;
    ToolBar bar(QStringLiteral("Bar"), &window);
    QMenu* band = bar.addBand(QStringLiteral("Band"), QStringLiteral("Sub Band"));
    bar.addCheckTool(QStringLiteral("mnuOption"), QStringLiteral("Option"), band);
    QStringList clicked;
    QList<bool> markWhenClicked;
    connect(&bar, &ToolBar::toolClick, &bar, [&](const QString& name) {
        clicked.append(name);
        markWhenClicked.append(bar.isChecked(name));
        bar.setChecked(name, !bar.isChecked(name));
    });
    QAction* tool = bar.findChild<QAction*>(QStringLiteral("mnuOption"));
    QVERIFY(tool);
    tool->trigger();
    QCOMPARE(bar.isChecked(QStringLiteral("mnuOption")), true);
    tool->trigger();
    QCOMPARE(bar.isChecked(QStringLiteral("mnuOption")), false);
    QCOMPARE(clicked, QStringList(2, QStringLiteral("mnuOption")));
    QCOMPARE(markWhenClicked, (QList<bool>{false, true}));
}

void TestPlatform::toolsCarryNamesCaptionsAndDescriptions()
{
    QWidget window;
    ToolBar bar(QStringLiteral("Bar"), &window);
    QMenu* band = bar.addBand(QStringLiteral("SubFile"), QStringLiteral("File"));
    bar.addTool(QStringLiteral("Email"), QStringLiteral("Email Recipes"),
                QStringLiteral("Email Selected Recipe"), band);
    bar.addMenuTool(QStringLiteral("Filemnu"), QStringLiteral("File"), band);
    bar.addTool(QStringLiteral("Exit"), QStringLiteral("Exit"), QStringLiteral("Exit Zestora"));
    bar.defineTool(QStringLiteral("Hidden"), QStringLiteral("Hidden"));
    QCOMPARE(bar.tool(QStringLiteral("Email"))->text(), QStringLiteral("Email Recipes"));
    QCOMPARE(bar.tool(QStringLiteral("Email"))->toolTip(), QStringLiteral("Email Selected Recipe"));
    QCOMPARE(bar.tool(QStringLiteral("Filemnu"))->menu(), band);
    QCOMPARE(bar.actions().size(), 2); // the menu tool and Exit; Email sits in the band
    QVERIFY(bar.tool(QStringLiteral("Hidden")));
    QVERIFY(!bar.tool(QStringLiteral("exit")));
    QStringList clicked;
    connect(&bar, &ToolBar::toolClick, &bar, [&](const QString& name) { clicked.append(name); });
    bar.tool(QStringLiteral("Email"))->trigger();
    bar.tool(QStringLiteral("Exit"))->trigger();
    QCOMPARE(clicked, (QStringList{QStringLiteral("Email"), QStringLiteral("Exit")}));
}

void TestPlatform::messageBoxAnswererSeesEveryBox()
{
    QList<MessageBox::Shown> shown;
    MessageBox::setAnswerer([&](const MessageBox::Shown& box) {
        shown.append(box);
        return MessageBox::Answer::Yes;
    });
    const MessageBox::Answer answer =
        MessageBox::show(nullptr, QStringLiteral("Delete it?"), QStringLiteral("Sure?"),
                         MessageBox::Icon::Question, MessageBox::Buttons::YesNo);
    QCOMPARE(answer, MessageBox::Answer::Yes);
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown[0].text, QStringLiteral("Delete it?"));
    QCOMPARE(shown[0].title, QStringLiteral("Sure?"));
    QCOMPARE(shown[0].icon, MessageBox::Icon::Question);
    QCOMPARE(shown[0].buttons, MessageBox::Buttons::YesNo);
}

void TestPlatform::settingsReadWholeNumbers_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<int>("number");
    QTest::newRow("absent reads as the default") << QString() << 1;
    QTest::newRow("off") << QStringLiteral("0") << 0;
    QTest::newRow("on") << QStringLiteral("1") << 1;
    QTest::newRow("another number") << QStringLiteral("2") << 2;
    QTest::newRow("not a number reads as the default") << QStringLiteral("yes") << 1;
}

void TestPlatform::settingsReadWholeNumbers()
{
    QFETCH(QString, stored);
    QFETCH(int, number);
    const TempWorkDir dir;
    const QString file = dir.filePath(QStringLiteral("settings.ini"));
    {
        Settings settings(file);
        if (!stored.isNull())
            settings.write(Settings::showTips, stored);
    }
    const Settings settings(file);
    QCOMPARE(settings.readNumber(Settings::showTips, 1), number);
    if (!stored.isNull())
        QVERIFY(readFile(file).contains(
            QByteArray(QByteArray("[Options]\nShow%20Tips%20at%20Startup=") + stored.toLatin1())));
}

void TestPlatform::helpFilePath_data()
{
    QTest::addColumn<QString>("programDir");
    QTest::addColumn<QString>("path");
    QTest::newRow("a folder") << QStringLiteral("/opt/apps")
                              << QStringLiteral("/opt/apps/Zestora Help.html");
    QTest::newRow("the root folder has no doubled separator")
        << QStringLiteral("/") << QStringLiteral("/Zestora Help.html");
    QTest::newRow("a folder ending in a separator")
        << QStringLiteral("/opt/apps/") << QStringLiteral("/opt/apps/Zestora Help.html");
    QTest::newRow("spaces around the folder are trimmed")
        << QStringLiteral(" /opt/apps ") << QStringLiteral("/opt/apps/Zestora Help.html");
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
        const QString anchor = QStringLiteral("name=\"%1\"").arg(help::topicAnchor(context));
        QVERIFY2(html.contains(anchor), qPrintable(anchor));
    }
    // Every topic has a heading and some text a user can follow.
    QCOMPARE(html.count(QRegularExpression(QStringLiteral("<h[12]><a name=\"topic-"))), 16);
}

void TestPlatform::helpOpensAtTheTopicAndCloses()
{
    QWidget owner;
    HelpViewer help;
    help.initHelp(&owner, QStringLiteral(HELP_DIR));
    help.showHelp(470);
    QVERIFY(help.browser());
    QCOMPARE(help.browser()->source().fragment(), QStringLiteral("topic-470"));
    QVERIFY(
        help.browser()->toPlainText().contains(QStringLiteral("how many of the second measure")));
    QVERIFY(help.browser()->window()->isVisible());
    help.showHelp(340);
    QCOMPARE(help.browser()->source().fragment(), QStringLiteral("topic-340"));
    help.closeHelp();
    QVERIFY(!help.browser()->window()->isVisible());

    HelpViewer missing;
    missing.initHelp(&owner, QStringLiteral("/nonexistent"));
    missing.showHelp(320);
    QVERIFY(missing.browser()->toPlainText().contains(QStringLiteral("could not be found")));
    missing.closeHelp();
}

QTEST_MAIN(TestPlatform)
#include "tst_platform.moc"
