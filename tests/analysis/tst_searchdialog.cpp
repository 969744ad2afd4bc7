#include "core/sortednamemodel.h"
#include "platform/helpviewer.h"
#include "shared/searchdialog.h"
#include "widgetsupport.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTextBrowser>

using namespace zestora;
using namespace zestora::testing;

class TestSearchDialog : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void searchesClearsAndWarns();
    void resultsByKeysAndMouse_data();
    void resultsByKeysAndMouse();
};

void TestSearchDialog::searchesClearsAndWarns()
{
    MessageRecorder recorder;
    HelpViewer help;
    help.initHelp(nullptr, QStringLiteral(HELP_DIR));
    QStringList chosen;
    bool closed = false;
    onNextDialog([&](QDialog* dialog) {
        QCOMPARE(dialog->windowTitle(), u"Search"_s);
        const auto get = [dialog](const char* name) {
            return dialog->findChild<QWidget*>(QString::fromLatin1(name));
        };
        auto* words = static_cast<QLineEdit*>(get("SearchTxt"));
        auto* results = static_cast<QListWidget*>(get("SearchLst"));
        const auto click = [&](const char* button) {
            static_cast<QPushButton*>(get(button))->click();
        };
        QVERIFY(!results->isVisible());
        words->setText(u"   "_s);
        click("SearchCmd");
        QVERIFY(words->hasFocus());
        QVERIFY(!results->isVisible());

        // The first results change nothing of the window's shape.
        const QRect shape = dialog->geometry();
        const QPoint search = get("SearchCmd")->pos();
        words->setText(u"egg"_s);
        QTest::keyClick(words, Qt::Key_Return);
        QVERIFY(results->isVisible());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
        QCOMPARE(dialog->geometry(), shape);
        QCOMPARE(get("SearchCmd")->pos(), search);
        QCOMPARE(texts(results), (QStringList{u"Egg"_s, u"Eggnog"_s}));

        // Nothing found after a search that found something: the list stays, empty.
        words->setText(u"sugar"_s);
        click("SearchCmd");
        QVERIFY(results->isVisible());
        QCOMPARE(results->count(), 0);

        static_cast<QRadioButton*>(get("AnyAllOpt_0"))->click();
        words->setText(u"milk egg"_s);
        click("SearchCmd");
        QCOMPARE(texts(results), (QStringList{u"Milk"_s, u"Egg"_s, u"Eggnog"_s}));

        click("HelpCmd");
        QCOMPARE(help.browser()->source().fragment(), u"topic-540"_s);
        click("ClearCmd");
        QVERIFY(words->text().isEmpty());
        QVERIFY(!results->isVisible());
        click("ExitCmd");
        closed = !dialog->isVisible();
    });
    const SortedNameModel names(QStringList{u"Egg"_s, u"Eggnog"_s, u"Milk"_s});
    SearchDialog::search(nullptr, help, names,
                         [&chosen](const QString& name) { chosen.append(name); });
    QVERIFY(closed);
    QVERIFY(chosen.isEmpty());
    QCOMPARE(recorder.titles(),
             (QStringList{u"Unable to Search"_s, u"No match"_s, u"This may take some time"_s}));
    QCOMPARE(recorder.messages[0].text, u"You must type something in the box to do a search"_s);
    QCOMPARE(recorder.messages[1].text, u"No match was found."_s);
    QCOMPARE(recorder.messages[2].text,
             u"This option may take a significant amout of time to complete and it may produce "
             "very large list of results."_s);
    QCOMPARE(recorder.messages[2].icon, MessageBox::Icon::Exclamation);
    help.closeHelp();
}

void TestSearchDialog::resultsByKeysAndMouse_data()
{
    QTest::addColumn<QList<int>>("keys"); // pressed once the search has found its results
    QTest::addColumn<int>("clicks");      // on the third result then
    QTest::addColumn<QStringList>("chosen");
    QTest::newRow("the arrows move without taking")
        << QList<int>{Qt::Key_Down, Qt::Key_Down, Qt::Key_Up, Qt::Key_End} << 0 << QStringList();
    QTest::newRow("Enter takes the result the arrows reached")
        << QList<int>{Qt::Key_Down, Qt::Key_Return} << 0 << QStringList{u"Egg white"_s};
    QTest::newRow("a double-click takes a result once")
        << QList<int>() << 2 << QStringList{u"Eggnog"_s};
}

void TestSearchDialog::resultsByKeysAndMouse()
{
    QFETCH(QList<int>, keys);
    QFETCH(int, clicks);
    HelpViewer help;
    QStringList chosen;
    const SortedNameModel names(QStringList{u"Milk"_s, u"Eggnog"_s, u"Egg"_s, u"Egg white"_s});
    onNextDialog([&](QDialog* dialog) {
        QVERIFY(QTest::qWaitForWindowActive(dialog));
        QTest::keyClicks(dialog->findChild<QLineEdit*>(u"SearchTxt"_s), u"egg"_s);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        auto* results = dialog->findChild<QListWidget*>(u"SearchLst"_s);
        for (const int key : keys)
            QTest::keyClick(QApplication::focusWidget(), static_cast<Qt::Key>(key));
        for (int click = 0; click < clicks; ++click)
            QTest::mouseClick(results->viewport(), Qt::LeftButton, {},
                              results->visualItemRect(results->item(2)).center());
        if (dialog->isVisible())
            dialog->reject();
    });
    SearchDialog::search(nullptr, help, names,
                         [&chosen](const QString& name) { chosen.append(name); });
    QTEST(chosen, "chosen");
}

QTEST_MAIN(TestSearchDialog)
#include "tst_searchdialog.moc"
