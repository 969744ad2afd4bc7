#include "core/shell/desktop.h"
#include "core/shell/helptopics.h"
#include "platform/helpviewer.h"
#include "platform/messagebox.h"
#include "platform/settings.h"
#include "testsupport.h"
#include "widgets/laidoutlabel.h"
#include "widgets/spinner.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QRegularExpression>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTimer>

using namespace zestora;
using namespace zestora::testing;

class TestPlatform : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void cleanup();
    void desktopHelp_data();
    void desktopHelp();
    void helpFileHasATopicForEveryContext();
    void helpOpensAtTheTopicAndCloses();
    void topicOpensAtItsHeading_data();
    void topicOpensAtItsHeading();
    void typingSetsASpinner_data();
    void typingSetsASpinner();
    void messageTitlesShowWhole_data();
    void messageTitlesShowWhole();
    void enterAnswersTheDefault_data();
    void enterAnswersTheDefault();
    void helpTopicOfAWindowWithoutOne();
    void laidOutLabelDrawsAsAQLabel_data();
    void laidOutLabelDrawsAsAQLabel();
};

void TestPlatform::cleanup()
{
    QVERIFY(QApplication::topLevelWidgets().isEmpty() ||
            std::none_of(QApplication::topLevelWidgets().begin(),
                         QApplication::topLevelWidgets().end(),
                         [](QWidget* w) { return w->isVisible(); }));
}

void TestPlatform::typingSetsASpinner_data()
{
    // Keys: digits, "<" for Backspace, "^" for the up arrow. The spinner takes 0 to 1000; odd
    // numbers are refused.
    QTest::addColumn<QString>("keys");
    QTest::addColumn<int>("value");
    QTest::newRow("a number as it reads") << u"12"_s << 12;
    QTest::newRow("a digit past the range starts a new number") << u"10005"_s << 5;
    QTest::newRow("Backspace takes the last digit back") << u"34<"_s << 3;
    QTest::newRow("the arrows step on from a typed number") << u"5^"_s << 6;
    QTest::newRow("a refused number leaves the value") << u"7"_s << 0;
}

void TestPlatform::typingSetsASpinner()
{
    QFETCH(QString, keys);
    QFETCH(int, value);
    Spinner spinner;
    spinner.setRange(0, 1000);
    spinner.setTyping([](int number) -> std::optional<int> {
        if (number % 2 && number > 6)
            return std::nullopt;
        return number;
    });
    for (const QChar key : keys)
        QTest::keyClick(&spinner, key == u'<'   ? Qt::Key_Backspace
                                  : key == u'^' ? Qt::Key_Up
                                                : Qt::Key(key.unicode()));
    QCOMPARE(spinner.value(), value);
}

void TestPlatform::messageTitlesShowWhole_data()
{
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("text");
    QTest::newRow("a title longer than its text")
        << u"Too many Letters"_s << u"Max length is 50."_s;
    QTest::newRow("a long title over one word") << u"Houston we have a problem."_s << u"Fat?"_s;
}

void TestPlatform::messageTitlesShowWhole()
{
    QFETCH(QString, title);
    QFETCH(QString, text);
    // Room in the title bar for the title, in bold, beside an icon and three buttons.
    QFont bold = QApplication::font();
    bold.setBold(true);
    const int needed = QFontMetrics(bold).horizontalAdvance(title) + 4 * 24;
    int width = 0;
    QTimer poll;
    poll.setInterval(5);
    connect(&poll, &QTimer::timeout, this, [&] {
        if (auto* box = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            width = box->width();
            box->reject();
        }
    });
    poll.start();
    MessageBox::show(nullptr, text, title, MessageBox::Icon::Exclamation);
    QVERIFY2(width >= needed, qPrintable(QString::number(width)));
}

void TestPlatform::enterAnswersTheDefault_data()
{
    QTest::addColumn<MessageBox::Default>("defaultButton");
    QTest::addColumn<MessageBox::Answer>("answer");
    QTest::newRow("first button") << MessageBox::Default::First << MessageBox::Answer::Yes;
    QTest::newRow("work at stake") << MessageBox::Default::No << MessageBox::Answer::No;
}

void TestPlatform::enterAnswersTheDefault()
{
    QFETCH(MessageBox::Default, defaultButton);
    QFETCH(MessageBox::Answer, answer);
    QTimer::singleShot(0, this,
                       [] { QTest::keyClick(QApplication::activeModalWidget(), Qt::Key_Return); });
    QCOMPARE(MessageBox::show(nullptr, u"Start over?"_s, u"Start Over"_s,
                              MessageBox::Icon::Question, MessageBox::Buttons::YesNo,
                              defaultButton),
             answer);
}

void TestPlatform::helpTopicOfAWindowWithoutOne()
{
    HelpViewer help;
    QWidget program;
    help.initHelp(&program, QStringLiteral(HELP_DIR));
    help.setOwnerContext([] { return help::wizardContext; });
    QDialog email(&program);
    HelpViewer::setWindowContext(&email, help::emailContext);
    // A message box over the e-mail window, one over the program's window, one over nothing.
    QDialog overEmail(&email);
    QDialog overProgram(&program);
    QDialog alone;
    QCOMPARE(help.contextOf(&overEmail), help::emailContext);
    QCOMPARE(help.contextOf(&overProgram), help::wizardContext);
    QCOMPARE(help.contextOf(&alone), std::nullopt);
}

void TestPlatform::desktopHelp_data()
{
    QTest::addColumn<QString>("currentDesktop");
    QTest::addColumn<QString>("help");
    QTest::newRow("one desktop") << u"GNOME"_s << u"GNOME Help"_s;
    QTest::newRow("no desktop") << QString() << u"your desktop's Help"_s;
}

void TestPlatform::desktopHelp()
{
    QFETCH(QString, currentDesktop);
    QFETCH(QString, help);
    QCOMPARE(zestora::desktopHelp(currentDesktop), help);
}

void TestPlatform::helpFileHasATopicForEveryContext()
{
    const QString html = QString::fromUtf8(readFile(help::helpFilePath(QStringLiteral(HELP_DIR))));
    QVERIFY(!html.isEmpty());
    const QList<int> contexts = help::contextNumbers();
    QVERIFY(contexts.contains(470)); // the wizard's step 4
    for (int context : contexts) {
        const QString anchor = u"name=\"%1\""_s.arg(help::topicAnchor(context));
        QVERIFY2(html.contains(anchor), qPrintable(anchor));
    }
    // Every topic has a heading and some text a user can follow.
    QCOMPARE(html.count(QRegularExpression(u"<h[12]><a name=\"topic-"_s)), contexts.size());
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

void TestPlatform::topicOpensAtItsHeading_data()
{
    QTest::addColumn<int>("context");
    for (int context : {320, 510, 520, 530, 590})
        QTest::addRow("topic %d", context) << context;
}

void TestPlatform::topicOpensAtItsHeading()
{
    QFETCH(int, context);
    QWidget owner;
    HelpViewer help;
    help.initHelp(&owner, QStringLiteral(HELP_DIR));
    help.showHelp(340);
    help.showHelp(context);
    // The line at the top of the window holds the topic's anchor.
    const QTextBlock top = help.browser()->cursorForPosition(QPoint(4, 4)).block();
    QStringList anchors;
    for (auto fragment = top.begin(); !fragment.atEnd(); ++fragment)
        anchors += fragment.fragment().charFormat().anchorNames();
    QVERIFY2(anchors.contains(help::topicAnchor(context)), qPrintable(top.text()));
    help.closeHelp();
}

void TestPlatform::laidOutLabelDrawsAsAQLabel_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("alignment");
    QTest::addColumn<bool>("wrapped");
    QTest::addColumn<bool>("framed");
    QTest::addColumn<QSize>("size");
    const int left = Qt::AlignLeft | Qt::AlignVCenter;
    const int right = Qt::AlignRight | Qt::AlignVCenter;
    const QString footnote = u"* Percent Daily Values based on a 2,000 calorie diet."_s;
    QTest::newRow("a caption") << u" Nutrition Facts"_s << left << false << false << QSize(150, 30);
    QTest::newRow("blanks at the right, aligned right")
        << u" Total "_s << right << false << false << QSize(80, 20);
    QTest::newRow("centred at the top")
        << u"2,000"_s << int(Qt::AlignHCenter | Qt::AlignTop) << false << false << QSize(90, 40);
    QTest::newRow("at the bottom right")
        << u"12%"_s << int(Qt::AlignBottom | Qt::AlignRight) << false << false << QSize(60, 40);
    QTest::newRow("longer than its room") << footnote << right << false << false << QSize(70, 20);
    QTest::newRow("two lines") << u"Calories\r\n2,000"_s << left << false << false << QSize(90, 50);
    QTest::newRow("wrapped") << footnote << left << true << false << QSize(120, 80);
    QTest::newRow("wrapped, higher than its room")
        << footnote << left << true << false << QSize(120, 25);
    QTest::newRow("framed, indented half an x")
        << u"Sodium"_s << left << false << true << QSize(90, 30);
    QTest::newRow("framed, at the bottom")
        << u"Calories\n2,000"_s << int(Qt::AlignBottom | Qt::AlignLeft) << false << true
        << QSize(90, 60);
}

void TestPlatform::laidOutLabelDrawsAsAQLabel()
{
    QFETCH(QString, text);
    QFETCH(int, alignment);
    QFETCH(bool, wrapped);
    QFETCH(bool, framed);
    QFETCH(QSize, size);
    // Under a style sheet, as on the Nutrition Facts panel.
    QWidget panel;
    panel.setStyleSheet(u"QLabel { color: black; }"_s);
    QLabel label(&panel);
    LaidOutLabel laidOut(&panel);
    const auto drawn = [&](QLabel& shown) {
        shown.setText(text);
        shown.setAlignment(Qt::Alignment(alignment));
        shown.setWordWrap(wrapped);
        shown.setFrameShape(framed ? QFrame::Box : QFrame::NoFrame);
        shown.resize(size);
        return shown.grab().toImage();
    };
    QCOMPARE(drawn(laidOut), drawn(label));
    // It asks for the room a QLabel asks for, measured on the layout it draws from.
    QCOMPARE(laidOut.sizeHint(), label.sizeHint());
    QCOMPARE(laidOut.minimumSizeHint(), label.minimumSizeHint());
    // Drawn again from its layout, and laid out again for another text and width.
    QCOMPARE(laidOut.grab().toImage(), label.grab().toImage());
    text = u"0.5g"_s;
    size.rwidth() -= 10;
    QCOMPARE(drawn(laidOut), drawn(label));
    QCOMPARE(laidOut.sizeHint(), label.sizeHint());
}

QTEST_MAIN(TestPlatform)
#include "tst_platform.moc"
