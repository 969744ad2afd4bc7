#include "core/session.h"
#include "core/sortednamemodel.h"
#include "platform/helpviewer.h"
#include "platform/messagebox.h"
#include "platform/settings.h"
#include "platform/toolbar.h"
#include "shell/mainwindow.h"
#include "testsupport.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QListView>
#include <QMenu>
#include <QStackedWidget>
#include <QTextBrowser>

using namespace zestora;
using zestora::testing::readFile;
using zestora::testing::TempWorkDir;
using zestora::testing::writeFile;

namespace {

// A main window over a fresh session, settings file and working directory.
struct Fixture {
    TempWorkDir dir;
    Session session;
    Settings settings{dir.filePath(QStringLiteral("settings.ini"))};
    HelpViewer help;
    MainWindow window{session, settings, help, QStringLiteral(HELP_DIR)};
    QList<MessageBox::Shown> messages;
    int tipWindowsOpened = 0;

    Fixture()
    {
        MessageBox::setAnswerer([this](const MessageBox::Shown& shown) {
            messages.append(shown);
            return MessageBox::Answer::Ok;
        });
        window.setTipWindowOpener([this] { ++tipWindowsOpened; });
    }
    ~Fixture() { MessageBox::clearAnswerer(); }

    void start() { window.showLoadProblems(window.mdiFormLoad()); }
    void click(const char* tool)
    {
        QAction* action = window.topBar()->tool(QString::fromLatin1(tool));
        QVERIFY2(action, tool);
        action->trigger();
    }
    QString title() const { return window.findChild<QLabel*>(QStringLiteral("TopLbl"))->text(); }
    QString screenOnView() const
    {
        return window.findChild<QStackedWidget*>(QStringLiteral("Screens"))
            ->currentWidget()
            ->objectName();
    }
    QStringList listed(const QString& screen, const QString& list) const
    {
        const QWidget* form = window.findChild<QWidget*>(screen);
        const QAbstractItemView* view = form->findChild<QAbstractItemView*>(list);
        QStringList names;
        if (view) {
            for (int row = 0; row < view->model()->rowCount(); ++row)
                names.append(view->model()->index(row, 0).data().toString());
        } else {
            const QComboBox* combo = form->findChild<QComboBox*>(list);
            for (int row = 0; row < combo->count(); ++row)
                names.append(combo->itemText(row));
        }
        return names;
    }
};

QByteArray ingredientFile(const QStringList& names)
{
    QList<IngRecord> records;
    for (const QString& name : names) {
        IngRecord record;
        record.name = name;
        records.append(record);
    }
    return IngTable::toBytes(records);
}

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
    void titleAndToolsAreThoseOfTheProgram();
    void toolsSwitchScreens_data();
    void toolsSwitchScreens();
    void startUpFillsTheListsSorted();
    void damagedFilesAreReportedOncePerFile();
    void storedRecipesSelectTheFirstRecipeOnlyTheFirstTime();
    void activationFollowsTheTipsSetting_data();
    void activationFollowsTheTipsSetting();
    void optionToolsToggleTheirSettings();
    void contentsOpensHelpAndExitClosesIt();
};

void TestMainWindow::titleAndToolsAreThoseOfTheProgram()
{
    Fixture f;
    f.start();
    QCOMPARE(f.window.windowTitle(), QStringLiteral(" Zestora  v3.0"));
    QCOMPARE(f.window.objectName(), QStringLiteral("InterfaceFrm"));
    QCOMPARE(f.title(), QStringLiteral("Recipe / Diet Analysis Screen"));
    ToolBar* bar = f.window.topBar();
    QCOMPARE(bar->objectName(), QStringLiteral("TopBar"));
    QStringList onBar;
    for (QAction* action : bar->actions())
        onBar.append(action->objectName());
    QCOMPARE(onBar, (QStringList{QStringLiteral("Filemnu"), QStringLiteral("Help"),
                                 QStringLiteral("NewRecipe"), QStringLiteral("Recipes"),
                                 QStringLiteral("AddIngredient"),
                                 QStringLiteral("StoredIngredients"), QStringLiteral("Exit")}));
    const struct {
        const char* name;
        const char* caption;
        const char* description;
    } tools[] = {
        {"Filemnu", "File", ""},
        {"Help", "Help", ""},
        {"NewRecipe", "Analyze Recipe", "Click here to Create and Analyze a New Recipe"},
        {"Recipes", "Stored Recipes", "Click to View , Print , or Edit Your Saved Recipes"},
        {"AddIngredient", "New Ingredient", "Click to Add a New Ingredient "},
        {"StoredIngredients", "Stored Ingredients",
         "Click to View, Edit, or Delete Your Stored Ingredient List"},
        {"Exit", "Exit", "Exit Zestora"},
        {"PrintTool", "Print Recipes", ""},
        {"Email", "Email Recipes", "Email Selected Recipe"},
        {"FileExit", "Exit", ""},
        {"Contents", "Contents", ""},
        {"AboutTool", "About Zestora", ""},
        {"mnuTips", "Show Tips At StartUp", ""},
        {"mnuMusic", "Play Music on Start", ""},
        {"OptionsMnu", "Options", ""},
    };
    for (const auto& tool : tools) {
        const QAction* action = bar->tool(QString::fromLatin1(tool.name));
        QVERIFY2(action, tool.name);
        QCOMPARE(action->text(), QString::fromLatin1(tool.caption));
        if (*tool.description)
            QCOMPARE(action->toolTip(), QString::fromLatin1(tool.description));
    }
    const auto bandOf = [&](const char* menuTool) {
        QStringList names;
        for (QAction* action : bar->tool(QString::fromLatin1(menuTool))->menu()->actions())
            names.append(action->objectName());
        return names;
    };
    QCOMPARE(bandOf("Filemnu"), (QStringList{QStringLiteral("PrintTool"), QStringLiteral("Email"),
                                             QStringLiteral("FileExit")}));
    QCOMPARE(bandOf("Help"), (QStringList{QStringLiteral("Contents"), QStringLiteral("AboutTool"),
                                          QStringLiteral("mnuTips"), QStringLiteral("mnuMusic")}));
    QCOMPARE(bar->tool(QStringLiteral("Help"))->menu()->objectName(), QStringLiteral("SubHelp"));
    QCOMPARE(bar->tool(QStringLiteral("Help"))->menu()->windowTitle(), QStringLiteral("Sub Help"));
    QCOMPARE(bar->tool(QStringLiteral("Filemnu"))->menu()->objectName(), QStringLiteral("SubFile"));
}

void TestMainWindow::toolsSwitchScreens_data()
{
    QTest::addColumn<QString>("tool");
    QTest::addColumn<QString>("screen");
    QTest::addColumn<QString>("title");
    QTest::newRow("Stored Recipes") << "Recipes"
                                    << "ViewFrm"
                                    << "Stored Recipes Screen";
    QTest::newRow("Print goes to the stored recipes") << "PrintTool"
                                                      << "ViewFrm"
                                                      << "Stored Recipes Screen";
    QTest::newRow("Email goes to the stored recipes") << "Email"
                                                      << "ViewFrm"
                                                      << "Stored Recipes Screen";
    QTest::newRow("New Ingredient") << "AddIngredient"
                                    << "frmIngrediant"
                                    << "Add / Edit Ingredient Screen";
    QTest::newRow("Stored Ingredients") << "StoredIngredients"
                                        << "DeleteIngFrm"
                                        << "Stored Ingredient Screen";
    QTest::newRow("an unknown tool changes nothing") << "OptionsMnu"
                                                     << "frmIngrediant"
                                                     << "Add / Edit Ingredient Screen";
}

void TestMainWindow::toolsSwitchScreens()
{
    QFETCH(QString, tool);
    QFETCH(QString, screen);
    QFETCH(QString, title);
    Fixture f;
    f.start();
    QCOMPARE(f.screenOnView(), QStringLiteral("CalcFrm"));
    f.click("AddIngredient");
    f.click(tool.toLatin1().constData());
    QCOMPARE(f.screenOnView(), screen);
    QCOMPARE(f.title(), title);
    f.click("NewRecipe");
    QCOMPARE(f.screenOnView(), QStringLiteral("CalcFrm"));
    QCOMPARE(f.title(), QStringLiteral("Recipe / Diet Analysis Screen"));
}

void TestMainWindow::startUpFillsTheListsSorted()
{
    Fixture f;
    writeFile(QStringLiteral("Ing.dat"),
              ingredientFile({QStringLiteral("milk"), QStringLiteral("  Butter"),
                              QStringLiteral("apple"), QStringLiteral("Apple")}));
    writeFile(QStringLiteral("Recipe.Dat"),
              recipeFile({QStringLiteral("Stew"), QStringLiteral("salad"), QStringLiteral("Pie")}));
    f.start();
    QVERIFY(f.messages.isEmpty());
    const QStringList ingredients{QStringLiteral("apple"), QStringLiteral("Apple"),
                                  QStringLiteral("Butter"), QStringLiteral("milk")};
    QCOMPARE(f.listed(QStringLiteral("CalcFrm"), QStringLiteral("IngLst")), ingredients);
    QCOMPARE(f.listed(QStringLiteral("DeleteIngFrm"), QStringLiteral("IngLst")), ingredients);
    QCOMPARE(f.listed(QStringLiteral("ViewFrm"), QStringLiteral("RecipeLst")),
             (QStringList{QStringLiteral("Pie"), QStringLiteral("salad"), QStringLiteral("Stew")}));
    QCOMPARE(f.session.ingredients.count(), 4);
    QCOMPARE(f.session.recipes.count(), 3);

    // A name added later goes to its place in both lists at once.
    f.window.ingredientNames()->insertName(QStringLiteral("Bread"));
    QCOMPARE(f.listed(QStringLiteral("DeleteIngFrm"), QStringLiteral("IngLst"))
                 .indexOf(QStringLiteral("Bread")),
             2);
}

void TestMainWindow::damagedFilesAreReportedOncePerFile()
{
    Fixture f;
    writeFile(QStringLiteral("Ing.dat"), ingredientFile({QStringLiteral("Milk")}) + "xx");
    writeFile(QStringLiteral("Recipe.Dat"), recipeFile({QStringLiteral("Stew")}) + "\xae"
                                                                                   "Cut\xa7\r\n");
    f.start();
    QCOMPARE(f.messages.size(), 2);
    QVERIFY(f.messages[0].text.contains(QStringLiteral("Ing.dat.damaged")));
    QVERIFY(f.messages[1].text.contains(QStringLiteral("Recipe.Dat.damaged")));
    QCOMPARE(f.messages[1].icon, MessageBox::Icon::Exclamation);
    QCOMPARE(f.listed(QStringLiteral("ViewFrm"), QStringLiteral("RecipeLst")),
             QStringList{QStringLiteral("Stew")});
    QCOMPARE(f.listed(QStringLiteral("CalcFrm"), QStringLiteral("IngLst")),
             QStringList{QStringLiteral("Milk")});
}

void TestMainWindow::storedRecipesSelectTheFirstRecipeOnlyTheFirstTime()
{
    Fixture f;
    writeFile(QStringLiteral("Recipe.Dat"),
              recipeFile({QStringLiteral("Stew"), QStringLiteral("Pie")}));
    f.start();
    auto* recipes = f.window.findChild<QComboBox*>(QStringLiteral("RecipeLst"));
    QCOMPARE(recipes->currentIndex(), -1);
    f.click("Recipes");
    QCOMPARE(recipes->currentText(), QStringLiteral("Pie"));
    recipes->setCurrentIndex(1);
    f.click("NewRecipe");
    f.click("Recipes");
    QCOMPARE(recipes->currentText(), QStringLiteral("Stew"));

    Fixture empty;
    empty.start();
    empty.click("Recipes");
    QCOMPARE(empty.window.findChild<QComboBox*>(QStringLiteral("RecipeLst"))->currentIndex(), -1);
}

void TestMainWindow::activationFollowsTheTipsSetting_data()
{
    QTest::addColumn<QString>("setting");
    QTest::addColumn<bool>("checked");
    QTest::addColumn<int>("tipWindows");
    QTest::newRow("first run: checked and the tip window opens") << QString() << true << 1;
    QTest::newRow("off: unchecked, no tip window") << QStringLiteral("0") << false << 0;
    QTest::newRow("2: unchecked but the tip window opens") << QStringLiteral("2") << false << 1;
}

void TestMainWindow::activationFollowsTheTipsSetting()
{
    QFETCH(QString, setting);
    QFETCH(bool, checked);
    QFETCH(int, tipWindows);
    Fixture f;
    if (!setting.isNull())
        f.settings.write(Settings::showTips, setting);
    f.start();
    f.window.mdiFormActivate();
    QCOMPARE(f.window.topBar()->isChecked(QStringLiteral("mnuTips")), checked);
    QCOMPARE(f.tipWindowsOpened, tipWindows);
    // Once the tip window has been shown, activating again does not reopen it.
    f.session.tipsShown = true;
    f.window.mdiFormActivate();
    QCOMPARE(f.tipWindowsOpened, tipWindows);
}

void TestMainWindow::optionToolsToggleTheirSettings()
{
    Fixture f;
    f.start();
    const QString ini = f.dir.filePath(QStringLiteral("settings.ini"));
    QVERIFY(f.window.topBar()->isChecked(QStringLiteral("mnuMusic")));
    f.click("mnuTips");
    QCOMPARE(f.settings.readString(Settings::showTips, QString()), QStringLiteral("0"));
    QVERIFY(!f.window.topBar()->isChecked(QStringLiteral("mnuTips")));
    f.click("mnuTips");
    QCOMPARE(f.settings.readString(Settings::showTips, QString()), QStringLiteral("1"));
    f.click("mnuMusic");
    QCOMPARE(Settings(ini).readString(Settings::playMusic, QString()), QStringLiteral("0"));
    QVERIFY(!f.window.topBar()->isChecked(QStringLiteral("mnuMusic")));
}

void TestMainWindow::contentsOpensHelpAndExitClosesIt()
{
    Fixture f;
    f.start();
    f.window.show();
    f.click("Contents");
    QVERIFY(f.help.browser());
    QCOMPARE(f.help.browser()->source().fragment(), QStringLiteral("topic-340"));
    QVERIFY(f.help.browser()->window()->isVisible());
    f.click("Exit");
    QVERIFY(!f.window.isVisible());
    QVERIFY(!f.help.browser()->window()->isVisible());
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
