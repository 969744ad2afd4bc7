#include "analysis/analysisscreen.h"
#include "analysis/headingdialog.h"
#include "analysis/lineeditordialog.h"
#include "core/analysis/recipelines.h"
#include "core/recipes/recipeview.h"
#include "core/session.h"
#include "core/shell/helptopics.h"
#include "core/sortednamemodel.h"
#include "core/store/backups.h"
#include "platform/helpviewer.h"
#include "platform/messagebox.h"
#include "platform/settings.h"
#include "platform/toolbar.h"
#include "shared/nameconflictdialog.h"
#include "shared/searchdialog.h"
#include "sharing/emailwindow.h"
#include "sharing/saveaswindow.h"
#include "shell/aboutbox.h"
#include "shell/mainwindow.h"
#include "shell/tipwindow.h"
#include "widgetsupport.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QPlainTextEdit>
#include <QStackedWidget>
#include <QTextBrowser>
#include <QTimer>

using namespace zestora;
using namespace zestora::testing;

namespace {

enum class Asking { Heading, Search, NameConflict, LineEditor, Email, SaveAs, About, Tip, Wizard };

// A main window over a fresh session, settings file and working directory.
struct Fixture : TestSession {
    MainWindow window{session, settings, help, QStringLiteral(HELP_DIR)};
    int tipWindowsOpened = 0;

    Fixture()
    {
        window.setTipWindowOpener([this] { ++tipWindowsOpened; });
    }

    void start() { window.showLoadProblems(window.startUp()); }
    void click(const char* tool)
    {
        QAction* action = window.topBar()->tool(QString::fromLatin1(tool));
        QVERIFY2(action, tool);
        action->trigger();
    }
    QString title() const { return window.findChild<QLabel*>(u"TopLbl"_s)->text(); }
    QString screenOnView() const
    {
        return window.findChild<QStackedWidget*>(u"Screens"_s)->currentWidget()->objectName();
    }
    QStringList listed(const QString& screen, const QString& list) const
    {
        return texts(window.findChild<QWidget*>(screen)->findChild<QWidget*>(list));
    }
};

QByteArray recipeFile(const QStringList& names)
{
    QByteArray text;
    for (const QString& name : names)
        text += "\xae" + name.toLatin1() +
                "\xa7"
                "1\xc8\xce\xa5 \x90\xc6\xbf\xdf";
    return text + "\r\n";
}

} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void menusOpenByTheirKeys_data();
    void menusOpenByTheirKeys();
    void toolsSwitchScreens_data();
    void toolsSwitchScreens();
    void damagedFileOffersTheNewestCleanBackup();
    void fileChangedUnderWhatWasReadIsToldAtOnce();
    void optionToolsToggleTheirSettings();
    void unsavedWorkIsAskedAbout_data();
    void unsavedWorkIsAskedAbout();
    void helpComesInFrontOfEveryWindow_data();
    void helpComesInFrontOfEveryWindow();
    void escapeAsksBeforeTypingGoes_data();
    void escapeAsksBeforeTypingGoes();
};

void TestMainWindow::toolsSwitchScreens_data()
{
    QTest::addColumn<QString>("tool");
    QTest::addColumn<QString>("screen");
    QTest::addColumn<QString>("title");
    const auto row = [](const char* name, const char* tool, const char* screen, const char* title) {
        QTest::newRow(name) << tool << screen << title;
    };
    row("Stored Recipes", "Recipes", "ViewFrm", "Stored Recipes Screen");
    row("Print goes to the stored recipes", "PrintTool", "ViewFrm", "Stored Recipes Screen");
    row("New Ingredient", "AddIngredient", "frmIngrediant", "Add / Edit Ingredient Screen");
    row("Stored Ingredients", "StoredIngredients", "DeleteIngFrm", "Stored Ingredient Screen");
}

void TestMainWindow::menusOpenByTheirKeys_data()
{
    QTest::addColumn<QString>("keys"); // the first to the name box, the others to the open band
    QTest::addColumn<QStringList>("opened"); // each band with the tool highlighted in it
    const QString file = u"SubFile PrintTool"_s;
    const QString help = u"SubHelp Contents"_s;
    QTest::newRow("Alt+F opens File") << u"Alt+F"_s << QStringList{file};
    QTest::newRow("Alt+H opens Help") << u"Alt+H"_s << QStringList{help};
    QTest::newRow("F10 opens the first, Right the next")
        << u"F10, Right"_s << QStringList{file, help};
    QTest::newRow("Left from the first goes round to the last")
        << u"Alt+F, Left"_s << QStringList{file, help};
}

void TestMainWindow::menusOpenByTheirKeys()
{
    QFETCH(QString, keys);
    QFETCH(QStringList, opened);
    Fixture f;
    f.start();
    f.window.show();
    QVERIFY(QTest::qWaitForWindowActive(&f.window));
    auto* name = f.window.findChild<AnalysisScreen*>()->findChild<QLineEdit*>(u"NameTxt"_s);
    name->setFocus();
    // Each band that opens takes the next key, or closes when none is left.
    const QKeySequence sequence(keys);
    QStringList seen;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &poll, [&] {
        auto* band = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!band || !band->isVisible() || !band->activeAction())
            return;
        seen.append(band->objectName() + u' ' + band->activeAction()->objectName());
        if (seen.size() < sequence.count())
            QTest::keyClick(band, sequence[seen.size()].key(),
                            sequence[seen.size()].keyboardModifiers());
        else
            band->close();
    });
    poll.start(5);
    QTest::keyClick(name, sequence[0].key(), sequence[0].keyboardModifiers());
    QTRY_COMPARE(seen, opened);
    QCOMPARE(name->text(), QString());
}

void TestMainWindow::toolsSwitchScreens()
{
    QFETCH(QString, tool);
    QFETCH(QString, screen);
    QFETCH(QString, title);
    Fixture f;
    f.start();
    QCOMPARE(f.screenOnView(), u"CalcFrm"_s);
    f.click("AddIngredient");
    f.click(tool.toLatin1().constData());
    QCOMPARE(f.screenOnView(), screen);
    QCOMPARE(f.title(), title);
    f.click("NewRecipe");
    QCOMPARE(f.screenOnView(), u"CalcFrm"_s);
    QCOMPARE(f.title(), u"Recipe / Diet Analysis Screen"_s);
}

void TestMainWindow::damagedFileOffersTheNewestCleanBackup()
{
    Fixture f;
    // Two saved versions, the first kept as a backup of the second; a newer backup is damaged.
    const auto keepAs = [](const QString& time) {
        QVERIFY(QFile::rename(backups::list(u"Recipe.Dat"_s).front().path,
                              u"backups/Recipe.Dat."_s + time));
    };
    DataFile file(u"Recipe.Dat"_s);
    QVERIFY(file.replace({recipeFile({u"Soup"_s})}));
    QVERIFY(file.replace({"damaged"}));
    keepAs(u"2026-12-05_14-02-30"_s);
    QVERIFY(file.replace({recipeFile({u"Stew"_s})}));
    keepAs(u"2026-12-05_15-00-00"_s);
    writeFile(u"Recipe.Dat"_s, recipeFile({u"Stew"_s}) + "\xae"
                                                         "Cut");
    const QByteArray damaged = readFile(u"Recipe.Dat"_s);

    f.answers = {MessageBox::Answer::Yes};
    // Read while the splash waits, as the program does.
    f.window.showLoadProblems(
        f.window.startUp(loadStores(f.session.ingredients, f.session.recipes)));
    QCOMPARE(f.messages.size(), 1);
    QVERIFY2(f.messages[0].text.endsWith(
                 u"\r\n\r\nRestore Recipe.Dat from 5 December 2026, 14:02 (1 recipe)?"_s),
             qPrintable(f.messages[0].text));
    QCOMPARE(f.messages[0].buttons, MessageBox::Buttons::YesNo);
    QCOMPARE(f.listed(u"ViewFrm"_s, u"RecipeLst"_s), QStringList{u"Soup"_s});
    QCOMPARE(readFile(u"Recipe.Dat"_s), recipeFile({u"Soup"_s}));
    // The damaged file is kept twice over: as promised, and as the newest backup.
    QCOMPARE(readFile(u"Recipe.Dat.damaged"_s), damaged);
    QCOMPARE(readFile(backups::list(u"Recipe.Dat"_s).front().path), damaged);
}

void TestMainWindow::fileChangedUnderWhatWasReadIsToldAtOnce()
{
    Fixture f;
    writeFile(u"Recipe.Dat"_s, recipeFile({u"Soup"_s}));
    f.start();
    // Another program changes the file without waiting for Zestora to let go of what it read.
    QFile file(u"Recipe.Dat"_s);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.setFileTime(QDateTime(QDate(2001, 1, 1), QTime(12, 0)),
                             QFileDevice::FileModificationTime));
    f.answers = {MessageBox::Answer::Yes};
    QTRY_COMPARE(f.messages.size(), 1);
    QVERIFY2(f.messages[0].text.contains(u"Recipe.Dat changed on disk"_s) &&
                 f.messages[0].text.endsWith(u"Read the file again from the disk now?"_s),
             qPrintable(f.messages[0].text));
    QCOMPARE(f.messages[0].buttons, MessageBox::Buttons::YesNo);
    // Read again, the file is the store's own once more: a change is saved.
    QVERIFY(!f.session.recipes.file().readBytesLost());
    QVERIFY(f.session.recipes.file().replace({recipeFile({u"Stew"_s})}));
}

void TestMainWindow::optionToolsToggleTheirSettings()
{
    Fixture f;
    f.settings.write(Settings::showTips, u"2"_s);
    f.start();
    // Activation checks the tips tool only for 1, opens the tip window for any other than 0,
    // and only once in a run.
    f.window.mdiFormActivate();
    f.window.mdiFormActivate();
    QCOMPARE(f.tipWindowsOpened, 1);
    QVERIFY(!f.window.topBar()->tool(u"mnuTips"_s)->isChecked());
    const QString ini = f.dir.filePath(u"settings.ini"_s);
    QVERIFY(f.window.topBar()->tool(u"mnuMusic"_s)->isChecked());
    f.click("mnuTips");
    QCOMPARE(f.settings.readString(Settings::showTips, QString()), u"1"_s);
    f.click("mnuTips");
    QCOMPARE(f.settings.readString(Settings::showTips, QString()), u"0"_s);
    QVERIFY(!f.window.topBar()->tool(u"mnuTips"_s)->isChecked());
    f.click("mnuMusic");
    QCOMPARE(Settings(ini).readString(Settings::playMusic, QString()), u"0"_s);
    QVERIFY(!f.window.topBar()->tool(u"mnuMusic"_s)->isChecked());
    f.window.findChild<QAbstractButton*>(u"Per100gChk"_s)->click();
    // Per 100 g, chosen on one screen, is on both; the next run starts with it and no music.
    MainWindow next(f.session, f.settings, f.help, QStringLiteral(HELP_DIR));
    QVERIFY(!next.topBar()->tool(u"mnuMusic"_s)->isChecked());
    next.startUp();
    for (const MainWindow* window : {&f.window, &next})
        for (const QAbstractButton* box : window->findChildren<QAbstractButton*>(u"Per100gChk"_s))
            QVERIFY(box->isChecked());
}

enum class Leaving { StartOver, Edit, Exit };

void TestMainWindow::unsavedWorkIsAskedAbout_data()
{
    QTest::addColumn<Leaving>("leaving");
    QTest::addColumn<bool>("withLine");
    QTest::addColumn<MessageBox::Answer>("answer");
    QTest::addColumn<QStringList>("titles");
    QTest::addColumn<QString>("onView"); // the screen on view afterwards; empty: closed
    QTest::addColumn<QString>("name");   // the analysis screen's recipe afterwards
    QTest::addColumn<int>("stored");
    const QStringList question{u"Save Changes?"_s};
    const QString calc = u"CalcFrm"_s;
    const QString view = u"ViewFrm"_s;
    using Answer = MessageBox::Answer;
    QTest::newRow("Ctrl+N, Discard: a new recipe")
        << Leaving::StartOver << true << Answer::Discard << question << calc << QString() << 1;
    QTest::newRow("Ctrl+N, Save: stored, then a new recipe")
        << Leaving::StartOver << true << Answer::Save << question << calc << QString() << 2;
    QTest::newRow("Edit, Cancel: the recipe stays, so does the stored recipes screen")
        << Leaving::Edit << true << Answer::Cancel << question << view << u"Soup"_s << 1;
    QTest::newRow("Edit, Discard: the stored recipe comes over")
        << Leaving::Edit << true << Answer::Discard << question << calc << u"Stew"_s << 1;
    QTest::newRow("Edit, Save that cannot store: the recipe stays on view to be mended")
        << Leaving::Edit << false << Answer::Save << question + QStringList{u"Strange Recipe"_s}
        << calc << u"Soup"_s << 1;
    QTest::newRow("Exit, Save: stored, then closed")
        << Leaving::Exit << true << Answer::Save << question << QString() << u"Soup"_s << 2;
}

void TestMainWindow::unsavedWorkIsAskedAbout()
{
    QFETCH(Leaving, leaving);
    QFETCH(bool, withLine);
    QFETCH(MessageBox::Answer, answer);
    QFETCH(QStringList, titles);
    QFETCH(QString, onView);
    QFETCH(QString, name);
    QFETCH(int, stored);
    Fixture f;
    writeFile(u"Ing.dat"_s, IngTable::toBytes({food(u"Milk"_s, 1, u"cup"_s)}));
    writeFile(u"Recipe.Dat"_s, recipeFile({u"Stew"_s}));
    f.start();
    f.window.show();
    f.window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&f.window));
    auto* calc = f.window.findChild<AnalysisScreen*>();
    auto* nameBox = calc->findChild<QLineEdit*>(u"NameTxt"_s);
    if (withLine) {
        const QString record = lines::recipeRecord(
            u"Soup"_s, u"1"_s, {lines::ingredientEntry(u"Milk"_s, true, u"1"_s, u"cup"_s)},
            u"Heat."_s);
        QVERIFY(calc->editStoredRecipe(
            u"Soup"_s, viewRecipe(record.mid(record.indexOf(QChar(0xa7))), f.session.ingredients)));
        QTest::keyClicks(calc->findChild<QPlainTextEdit*>(u"DirectionsTxt"_s), u" Stir."_s);
    } else {
        QTest::keyClicks(nameBox, u"Soup"_s);
    }
    f.answers = {answer};
    if (leaving == Leaving::StartOver) {
        QTest::keyClick(nameBox, Qt::Key_N, Qt::ControlModifier);
    } else {
        // Also while another screen is on view.
        QTest::keyClick(&f.window, Qt::Key_2, Qt::ControlModifier);
        const Qt::Key key = leaving == Leaving::Edit ? Qt::Key_E : Qt::Key_Q;
        QTest::keyClick(f.window.findChild<QWidget*>(u"RecipeLst"_s), key, Qt::ControlModifier);
    }
    QCOMPARE(f.titles(), titles);
    QCOMPARE(f.messages[0].text, u"Save changes to Soup?"_s);
    QCOMPARE(f.messages[0].buttons, MessageBox::Buttons::SaveDiscardCancel);
    QCOMPARE(f.window.isVisible() ? f.screenOnView() : QString(), onView);
    QCOMPARE(nameBox->text(), name);
    QCOMPARE(f.session.recipes.count(), stored);
}

void TestMainWindow::helpComesInFrontOfEveryWindow_data()
{
    QTest::addColumn<Asking>("asking");
    QTest::addColumn<int>("context");
    QTest::newRow("heading dialog") << Asking::Heading << help::headingContext;
    QTest::newRow("search") << Asking::Search << help::searchContext;
    QTest::newRow("name conflict") << Asking::NameConflict << help::analysisContext;
    QTest::newRow("line editor") << Asking::LineEditor << help::analysisContext;
    QTest::newRow("e-mail window") << Asking::Email << help::emailContext;
    QTest::newRow("save as window") << Asking::SaveAs << help::saveAsContext;
    QTest::newRow("about box") << Asking::About << help::contentsContext;
    QTest::newRow("tip window") << Asking::Tip << help::contentsContext;
    QTest::newRow("wizard") << Asking::Wizard << help::wizardContext;
}

void TestMainWindow::helpComesInFrontOfEveryWindow()
{
    QFETCH(Asking, asking);
    QFETCH(int, context);
    Fixture f;
    f.start();
    f.window.show();
    // F1 opens the window's topic in front of it with the keys; Escape closes help alone.
    const auto helpAndEscape = [&f, context](QWidget* window) {
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F1);
        QTextBrowser* browser = f.help.browser();
        QVERIFY(browser);
        QCOMPARE(browser->source().fragment(), help::topicAnchor(context));
        QVERIFY(QTest::qWaitForWindowActive(browser->window()));
        // Wholly on screen, its title bar within reach of the mouse.
        QVERIFY(
            browser->screen()->availableGeometry().contains(browser->window()->frameGeometry()));
        QCOMPARE(QApplication::focusWidget(), browser);
        QTest::keyClick(browser, Qt::Key_Escape);
        QVERIFY(!browser->window()->isVisible());
        QVERIFY(window->isVisible());
    };
    const auto inDialog = [&helpAndEscape](QDialog* dialog) {
        helpAndEscape(dialog);
        dialog->reject();
    };
    switch (asking) {
    case Asking::Heading:
        onNextDialog(inDialog);
        HeadingDialog::ask(&f.window, f.help);
        break;
    case Asking::Search:
        onNextDialog(inDialog);
        SearchDialog::search(&f.window, f.help, *f.window.ingredientNames(), [](const QString&) {});
        break;
    case Asking::NameConflict:
        onNextDialog(inDialog);
        NameConflictDialog::ask(&f.window, u"Soup"_s, f.session.recipes, *f.window.recipeNames(),
                                {});
        break;
    case Asking::LineEditor:
        onNextDialog(inDialog);
        LineEditorDialog::ask(&f.window, u"1 cup   Milk"_s);
        break;
    case Asking::Email:
        onNextDialog(inDialog);
        EmailWindow::sendRecipe(&f.window, f.settings, f.help, ShownRecipe{});
        break;
    case Asking::SaveAs: {
        SaveAsWindow window(f.session, f.settings, f.help, QString(), &f.window);
        onNextDialog(inDialog);
        window.exec();
        break;
    }
    case Asking::About:
        onNextDialog(inDialog);
        AboutBox::run(&f.window, QStringLiteral(HELP_DIR));
        break;
    case Asking::Tip: {
        TipWindow* tip = TipWindow::open(&f.window, f.settings, QStringLiteral(HELP_DIR));
        helpAndEscape(tip);
        tip->close();
        break;
    }
    case Asking::Wizard:
        f.click("AddIngredient");
        helpAndEscape(&f.window);
        break;
    }
}

void TestMainWindow::escapeAsksBeforeTypingGoes_data()
{
    QTest::addColumn<Asking>("asking");
    QTest::addColumn<QString>("box");
    QTest::newRow("heading dialog") << Asking::Heading << u"SubHeadTxt"_s;
    QTest::newRow("save as window") << Asking::SaveAs << u"FileTxt"_s;
}

void TestMainWindow::escapeAsksBeforeTypingGoes()
{
    QFETCH(Asking, asking);
    QFETCH(QString, box);
    Fixture f;
    f.start();
    f.window.show();
    QVERIFY(QTest::qWaitForWindowActive(&f.window));
    bool keptOnNo = false;
    onNextDialog([&f, &keptOnNo, box](QDialog* dialog) {
        auto* typed = dialog->findChild<QLineEdit*>(box);
        QTest::keyClicks(typed, u"Crust"_s);
        f.answers = {MessageBox::Answer::No, MessageBox::Answer::Yes};
        QTest::keyClick(typed, Qt::Key_Escape);
        keptOnNo = dialog->isVisible() && typed->text().endsWith(u"Crust"_s);
        QTest::keyClick(typed, Qt::Key_Escape);
    });
    if (asking == Asking::Heading) {
        QCOMPARE(HeadingDialog::ask(&f.window, f.help), std::nullopt);
    } else {
        SaveAsWindow window(f.session, f.settings, f.help, QString(), &f.window);
        QCOMPARE(window.exec(), int(QDialog::Rejected));
    }
    QVERIFY(keptOnNo);
    QCOMPARE(f.messages.size(), 2);
    QCOMPARE(f.messages[0].defaultButton, MessageBox::Default::No);
    QTRY_COMPARE(QApplication::activeWindow(), &f.window); // the keys go back to it
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
