#include "analysis/analysisscreen.h"
#include "core/analysis/recipelines.h"
#include "core/session.h"
#include "core/sortednamemodel.h"
#include "core/text.h"
#include "platform/helpviewer.h"
#include "platform/messagebox.h"
#include "platform/settings.h"
#include "platform/toolbar.h"
#include "recipes/storedrecipesscreen.h"
#include "shell/mainwindow.h"
#include "widgetsupport.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProcess>
#include <QStackedWidget>

using namespace zestora;
using zestora::testing::readFile;
using zestora::testing::TempWorkDir;
using zestora::testing::writeFile;

namespace {

// The recipe file's bytes of a recipe, its lines and headings as the analysis screen writes them.
QByteArray record(const char* name, const char* servings, const QStringList& lines,
                  const QString& directions)
{
    return encodeCp1252(lines::recipeRecord(QString::fromLatin1(name),
                                            QString::fromLatin1(servings), lines, directions));
}

QString line(const char* name, const char* quantity, const char* unit)
{
    return lines::ingredientEntry(QString::fromLatin1(name), true, QString::fromLatin1(quantity),
                                  QString::fromLatin1(unit));
}

QString heading(const char* text)
{
    return lines::headingEntry(QString::fromLatin1(text));
}

QList<IngRecord> pantry()
{
    IngRecord milk;
    milk.name = QStringLiteral("Milk");
    milk.amount1 = 1;
    milk.measure1 = QStringLiteral("cup");
    milk.fat = 8;
    milk.satFat = 5;
    milk.totalCarbs = 12;
    milk.protein = 8;
    milk.cholesterol = 24;
    milk.sodium = 105;
    milk.measureKind = 1;
    IngRecord water;
    water.name = QStringLiteral("Water");
    water.amount1 = 1;
    water.measure1 = QStringLiteral("cup");
    water.measureKind = 1;
    return {milk, water};
}

const QByteArray longWord = "Supercalifragilisticexpialidociouslyandevenlongerthanthecolumnitself";

QByteArray recipes()
{
    return record("Pudding", "2",
                  {heading("Base"), line("Milk", "2", "cup"), heading(" "),
                   line("water", "1/2", "cup")},
                  QStringLiteral("Warm the milk slowly.\r\nStir in ") +
                      QString::fromLatin1(longWord) + QStringLiteral(" and serve.")) +
           record("Headings only", "1", {heading("Nothing yet")}, QString()) +
           record("Lost", "1",
                  {line("Milk", "1", "cup"), line("Saffron", "1", "tsp"), line("Milk", "1", "cup")},
                  QStringLiteral("Never shown.")) +
           record("Plain water", "1", {line("Water", "2", "cup")}, QStringLiteral("Pour.")) +
           record("Twice", "1", {line("Milk", "1", "cup")}, QStringLiteral("The first one.")) +
           record("TWICE", "1/2", {line("Milk", "1", "cup")}, QStringLiteral("The later one.")) +
           "\r\n";
}

// The stored recipes screen inside a main window, over the pantry and the recipes above.
struct Fixture {
    TempWorkDir dir;
    Session session;
    Settings settings{dir.filePath(QStringLiteral("settings.ini"))};
    HelpViewer help;
    std::unique_ptr<MainWindow> window;
    StoredRecipesScreen* screen = nullptr;
    QList<MessageBox::Shown> messages;
    QList<MessageBox::Answer> answers;

    explicit Fixture(const QByteArray& recipeFile = recipes())
    {
        writeFile(QStringLiteral("Ing.dat"), IngTable::toBytes(pantry()));
        writeFile(QStringLiteral("Recipe.Dat"), recipeFile);
        MessageBox::setAnswerer([this](const MessageBox::Shown& shown) {
            messages.append(shown);
            return answers.isEmpty() ? MessageBox::Answer::Ok : answers.takeFirst();
        });
        window = std::make_unique<MainWindow>(session, settings, help, QString());
        window->mdiFormLoad();
        window->show();
        screen = window->findChild<StoredRecipesScreen*>();
    }
    ~Fixture() { MessageBox::clearAnswerer(); }

    QComboBox* list() const { return screen->findChild<QComboBox*>(QStringLiteral("RecipeLst")); }
    void show(const QString& name) { list()->setCurrentIndex(list()->findText(name)); }
    QString text(const char* label) const
    {
        return screen->findChild<QLabel*>(QString::fromLatin1(label))->text();
    }
    QStringList rows() const
    {
        QStringList texts;
        auto* rows = screen->findChild<QListWidget*>(QStringLiteral("R_IngLst"));
        for (int i = 0; i < rows->count(); ++i)
            texts.append(rows->item(i)->text());
        return texts;
    }
    QPlainTextEdit* directions() const
    {
        return screen->findChild<QPlainTextEdit*>(QStringLiteral("DirectionsTxt"));
    }
    void tool(const char* name) { screen->viewBar()->tool(QString::fromLatin1(name))->trigger(); }
};

QString run(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished();
    return QString::fromUtf8(process.readAllStandardOutput());
}

} // namespace

class TestStoredRecipesScreen : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void firstOpeningShowsTheFirstRecipe();
    void aRecipeIsShownWithItsNutrition();
    void headingsOnlyLeaveThePanelEmpty();
    void aMissingIngredientStopsTheRecipe();
    void theLaterOfTwoNamesIsShown();
    void commandsWithoutARecipe_data();
    void commandsWithoutARecipe();
    void deleting();
    void editHandsTheRecipeToTheAnalysisScreen();
    void printingMakesOnePage();
    void noSharesWithoutCalories();

private:
    QTemporaryDir m_home;
};

void TestStoredRecipesScreen::initTestCase()
{
    // Printed recipes go to the documents folder when there is no printer: a folder of the test's.
    qputenv("HOME", m_home.path().toLocal8Bit());
    qunsetenv("XDG_DOCUMENTS_DIR");
}

void TestStoredRecipesScreen::firstOpeningShowsTheFirstRecipe()
{
    Fixture f;
    QCOMPARE(f.list()->currentIndex(), -1);
    f.window->topBar()->tool(QStringLiteral("Recipes"))->trigger();
    QCOMPARE(f.list()->currentText(), QStringLiteral("Headings only"));
    QCOMPARE(f.rows(), QStringList{QStringLiteral("Nothing yet")});
}

void TestStoredRecipesScreen::aRecipeIsShownWithItsNutrition()
{
    Fixture f;
    f.show(QStringLiteral("Plain water"));
    f.show(QStringLiteral("Pudding"));
    QCOMPARE(f.rows(), (QStringList{QStringLiteral("Base"), QStringLiteral("2 cup   Milk"),
                                    QStringLiteral(" "), QStringLiteral("1/2 cup   water")}));
    QCOMPARE(f.text("lbl1M"), QStringLiteral("makes 2 servings"));
    QCOMPARE(f.text("lblFg"), QStringLiteral("8g"));
    QCOMPARE(f.text("lblFP"), QStringLiteral("12%"));
    QCOMPARE(f.text("lblCals"), QStringLiteral("152"));
    QCOMPARE(f.text("lblCg"), QStringLiteral("24mg"));
    QCOMPARE(f.text("lblPP"), QString());
    QCOMPARE(f.text("Label20"), QStringLiteral("47.4% of calories from Fat"));
    QCOMPARE(f.text("Label21"), QStringLiteral("31.6% from Carbohydrates"));
    QCOMPARE(f.text("Label22"), QStringLiteral("21.1% from Protein"));
    QVERIFY(f.directions()->toPlainText().startsWith(QStringLiteral("Warm the milk slowly.")));
    QVERIFY(f.messages.isEmpty());
}

void TestStoredRecipesScreen::headingsOnlyLeaveThePanelEmpty()
{
    Fixture f;
    f.show(QStringLiteral("Pudding"));
    f.show(QStringLiteral("Headings only"));
    for (const char* label : {"lblCals", "lblFg", "Label20", "Label21", "Label22"})
        QCOMPARE(f.text(label), QString());
}

void TestStoredRecipesScreen::aMissingIngredientStopsTheRecipe()
{
    Fixture f;
    f.show(QStringLiteral("Lost"));
    QCOMPARE(f.messages.size(), 1);
    QCOMPARE(f.messages[0].title, QStringLiteral("Error"));
    QCOMPARE(
        f.messages[0].text,
        QStringLiteral("Unable to load this recipe.\r\nCould not find one of the ingrediants, "
                       "(Saffron)\r\nTo correct problem, delete this recipe and enter it again."));
    QCOMPARE(f.rows(), QStringList{QStringLiteral("1 cup   Milk")});
    QCOMPARE(f.text("lblFg"), QStringLiteral("8g"));
    QCOMPARE(f.directions()->toPlainText(), QStringLiteral("\n   ERROR  "));
    QVERIFY(f.directions()->font().bold());
    QCOMPARE(f.directions()->font().pointSize(), 20);
    QCOMPARE(f.text("Label20"), QString());
    // The next recipe is shown normally again.
    f.show(QStringLiteral("Plain water"));
    QVERIFY(!f.directions()->font().bold());
    QCOMPARE(f.directions()->toPlainText(), QStringLiteral("Pour."));
}

void TestStoredRecipesScreen::theLaterOfTwoNamesIsShown()
{
    Fixture f;
    for (int row = 0; row < f.list()->count(); ++row) {
        if (f.list()->itemText(row).compare(QStringLiteral("twice"), Qt::CaseInsensitive) != 0)
            continue;
        f.list()->setCurrentIndex(row);
        QCOMPARE(f.text("lbl1M"), QStringLiteral("makes 1/2 servings"));
        QCOMPARE(f.text("lblFg"), QStringLiteral("16g"));
        QCOMPARE(f.directions()->toPlainText(), QStringLiteral("The later one."));
    }
}

void TestStoredRecipesScreen::commandsWithoutARecipe_data()
{
    QTest::addColumn<QString>("tool");
    QTest::addColumn<QString>("message");
    QTest::newRow("Edit") << QStringLiteral("Edit")
                          << QStringLiteral("There are no recipes to edit.");
    QTest::newRow("Delete") << QStringLiteral("Delete")
                            << QStringLiteral("There are no recipes to delete.");
    QTest::newRow("Print") << QStringLiteral("Print")
                           << QStringLiteral("There are no recipes to print.");
    QTest::newRow("Email") << QStringLiteral("email")
                           << QStringLiteral("You must select a recipe before Emailing");
}

void TestStoredRecipesScreen::commandsWithoutARecipe()
{
    QFETCH(QString, tool);
    QFETCH(QString, message);
    Fixture f;
    f.screen->viewBarToolClick(tool);
    QCOMPARE(f.messages.size(), 1);
    QCOMPARE(f.messages[0].text, message);
    QCOMPARE(f.messages[0].title, QStringLiteral("No Recipes"));
    QCOMPARE(f.messages[0].icon, MessageBox::Icon::Exclamation);
}

void TestStoredRecipesScreen::deleting()
{
    Fixture f(record("Soup", "1", {line("Milk", "1", "cup")}, QStringLiteral("Heat.")) +
              record("Bread", "1", {line("Water", "1", "cup")}, QStringLiteral("Bake.")) + "\r\n");
    f.show(QStringLiteral("Soup"));
    f.answers = {MessageBox::Answer::No};
    f.tool("Delete");
    QCOMPARE(f.messages.last().text, QStringLiteral("Are you sure you want to delete Soup?"));
    QCOMPARE(f.messages.last().title, QStringLiteral("Delete?"));
    QCOMPARE(f.session.recipes.count(), 2);

    f.answers = {MessageBox::Answer::Yes};
    f.tool("Delete");
    QCOMPARE(f.session.recipes.recipeNames(), QStringList{QStringLiteral("Bread")});
    QCOMPARE(f.list()->count(), 1);
    QCOMPARE(f.list()->currentText(), QStringLiteral("Bread"));
    QCOMPARE(f.directions()->toPlainText(), QStringLiteral("Bake."));

    f.answers = {MessageBox::Answer::Yes};
    f.tool("Delete");
    QCOMPARE(f.list()->count(), 0);
    QCOMPARE(f.rows(), QStringList{});
    QCOMPARE(f.text("lblFg"), QString());
    QVERIFY(!QFile::exists(QStringLiteral("Recipe.Dat")));
}

void TestStoredRecipesScreen::editHandsTheRecipeToTheAnalysisScreen()
{
    Fixture f;
    f.window->topBar()->tool(QStringLiteral("Recipes"))->trigger();
    f.show(QStringLiteral("Plain water"));
    f.show(QStringLiteral("Pudding"));
    f.tool("Edit");
    auto* calc = f.window->findChild<AnalysisScreen*>();
    QCOMPARE(f.window->findChild<QStackedWidget*>(QStringLiteral("Screens"))->currentWidget(),
             calc);
    QCOMPARE(f.window->findChild<QLabel*>(QStringLiteral("TopLbl"))->text(),
             QStringLiteral("Recipe / Diet Analysis Screen"));
    const auto calcText = [calc](const char* name) {
        return calc->findChild<QLabel*>(QString::fromLatin1(name))->text();
    };
    QCOMPARE(calc->findChild<QLineEdit*>(QStringLiteral("NameTxt"))->text(),
             QStringLiteral("Pudding"));
    QCOMPARE(calcText("lblFg"), QStringLiteral("8g"));
    QCOMPARE(calcText("Label24"), QStringLiteral("47.4% of calories from Fat"));
    QCOMPARE(calcText("ServingsLbl"), QStringLiteral("2"));
    QCOMPARE(calcText("lbl1M"), QStringLiteral("Makes 2 servings"));
    QCOMPARE(calcText("StatusLbl"), QStringLiteral("Changes Saved"));
    QCOMPARE(calc->recipeTotals().totFat, 8.0f);
    QCOMPARE(calc->servingsDivisor(), 2.0f);
    auto* calcRows = calc->findChild<QListWidget*>(QStringLiteral("R_IngLst"));
    QCOMPARE(calcRows->count(), 4);
    QCOMPARE(calcRows->item(1)->text(), QStringLiteral("2 cup   Milk"));
    QVERIFY(calc->findChild<QPlainTextEdit*>(QStringLiteral("DirectionsTxt"))
                ->toPlainText()
                .startsWith(QStringLiteral("Warm the milk")));

    // Saving it again replaces the stored recipe with the same text.
    const QByteArray before = readFile(QStringLiteral("Recipe.Dat"));
    zestora::testing::clickInNextDialog(QStringLiteral("ReplaceCmd"));
    calc->calcBarToolClick(QStringLiteral("Save"));
    QCOMPARE(f.session.recipes.count(), 6);
    QVERIFY(
        readFile(QStringLiteral("Recipe.Dat"))
            .contains(record("Pudding", "2", {heading("Base"), line("Milk", "2", "cup")}, QString())
                          .left(20)));
    QVERIFY(readFile(QStringLiteral("Recipe.Dat")) != before);
}

void TestStoredRecipesScreen::printingMakesOnePage()
{
    Fixture f;
    f.show(QStringLiteral("Pudding"));
    f.tool("Print");
    QCOMPARE(f.messages.size(), 1);
    QCOMPARE(f.messages[0].title, QStringLiteral("Saved as PDF"));
    const QString pdf = f.messages[0].text.section(QStringLiteral("\r\n"), 1);
    QVERIFY2(pdf.startsWith(m_home.path()), qPrintable(pdf));
    QVERIFY(QFile::exists(pdf));
    QVERIFY(run(QStringLiteral("pdfinfo"), {pdf})
                .contains(QRegularExpression(QStringLiteral("Pages:\\s+1\\n"))));
    QVERIFY(run(QStringLiteral("pdffonts"), {pdf}).contains(QStringLiteral("Bold")));
    const QString text = run(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")}).simplified();
    QStringList inOrder{QStringLiteral("Pudding"), QStringLiteral("Nutrition Facts"),
                        QStringLiteral("makes 2 servings"), QStringLiteral("Total Fat 8g"),
                        QStringLiteral("12%")};
    qsizetype at = 0;
    for (const QString& piece : inOrder) {
        const qsizetype found = text.indexOf(piece, at);
        QVERIFY2(found >= 0, qPrintable(piece + QStringLiteral(" in ") + text));
        at = found + piece.size();
    }
    for (const QString& piece :
         {QStringLiteral("Additional Information:"), QStringLiteral("47.4% of calories from Fat"),
          QStringLiteral("List of Ingredients:"), QStringLiteral("2 cup Milk"),
          QStringLiteral("1/2 cup water"), QStringLiteral("Instructions for preparation")})
        QVERIFY2(text.contains(piece), qPrintable(piece + QStringLiteral(" in ") + text));
    // Every word of the directions once, the one wider than the column too.
    const QString words = text.mid(text.indexOf(QStringLiteral("Instructions for preparation")));
    for (const QString& word : {QStringLiteral("Warm"), QStringLiteral("slowly."),
                                QStringLiteral("Stir"), QStringLiteral("serve.")})
        QCOMPARE(words.count(word), 1);
    QCOMPARE(QString(words).remove(u' ').count(QString::fromLatin1(longWord)), 1);

    // A second print of the same recipe does not overwrite the first.
    f.tool("Print");
    QVERIFY(f.messages.last().text.contains(QStringLiteral("Pudding (2).pdf")));
}

void TestStoredRecipesScreen::noSharesWithoutCalories()
{
    Fixture f;
    f.show(QStringLiteral("Plain water"));
    QCOMPARE(f.text("lblCals"), QStringLiteral("0"));
    f.tool("Print");
    const QString pdf = f.messages.last().text.section(QStringLiteral("\r\n"), 1);
    const QString text = run(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
    QVERIFY(text.contains(QStringLiteral("Pour.")));
    QVERIFY(!text.contains(QStringLiteral("Additional Information")));
}

QTEST_MAIN(TestStoredRecipesScreen)
#include "tst_storedrecipesscreen.moc"
