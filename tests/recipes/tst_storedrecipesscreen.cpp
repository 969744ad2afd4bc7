#include "analysis/analysisscreen.h"
#include "core/analysis/recipelines.h"
#include "core/session.h"
#include "core/sortednamemodel.h"
#include "core/text.h"
#include "platform/helpviewer.h"
#include "platform/messagebox.h"
#include "platform/printer.h"
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
    return {zestora::testing::food(u"Milk"_s, 1, u"cup"_s, 0, {}, {8, 5, 12, 0, 8, 24, 105}),
            zestora::testing::food(u"Water"_s, 1, u"cup"_s)};
}

const QByteArray longWord = "Supercalifragilisticexpialidociouslyandevenlongerthanthecolumnitself";

QByteArray recipes()
{
    return record("Pudding", "2",
                  {heading("Base"), line("Milk", "2", "cup"), heading(" "),
                   line("water", "1/2", "cup")},
                  u"Warm the milk slowly.\r\nStir in "_s + QString::fromLatin1(longWord) +
                      u" and serve."_s) +
           record("Headings only", "1", {heading("Nothing yet")}, QString()) +
           record("Lost", "1",
                  {line("Milk", "1", "cup"), line("Saffron", "1", "tsp"), line("Milk", "1", "cup")},
                  u"Never shown."_s) +
           record("Plain water", "1", {line("Water", "2", "cup")}, u"Pour."_s) +
           record("Twice", "1", {line("Milk", "1", "cup")}, u"The first one."_s) +
           record("TWICE", "1/2", {line("Milk", "1", "cup")}, u"The later one."_s) + "\r\n";
}

// The stored recipes screen inside a main window, over the pantry and the recipes above.
struct Fixture : zestora::testing::StartedMainWindow {
    StoredRecipesScreen* screen = window->findChild<StoredRecipesScreen*>();

    explicit Fixture(const QByteArray& recipeFile = recipes())
        : StartedMainWindow(IngTable::toBytes(pantry()), recipeFile)
    {
    }

    QComboBox* list() const { return screen->findChild<QComboBox*>(u"RecipeLst"_s); }
    void show(const QString& name) { list()->setCurrentIndex(list()->findText(name)); }
    QString text(const char* label) const
    {
        return screen->findChild<QLabel*>(QString::fromLatin1(label))->text();
    }
    QStringList rows() const
    {
        return zestora::testing::texts(screen->findChild<QListWidget*>(u"R_IngLst"_s));
    }
    QPlainTextEdit* directions() const
    {
        return screen->findChild<QPlainTextEdit*>(u"DirectionsTxt"_s);
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
    // Printed recipes go to PDF files in the documents folder: a folder of the test's.
    qputenv("HOME", m_home.path().toLocal8Bit());
    qunsetenv("XDG_DOCUMENTS_DIR");
    Printer::ignoreSystemPrinters(true);
}

void TestStoredRecipesScreen::firstOpeningShowsTheFirstRecipe()
{
    Fixture f;
    QCOMPARE(f.list()->currentIndex(), -1);
    f.window->topBar()->tool(u"Recipes"_s)->trigger();
    QCOMPARE(f.list()->currentText(), u"Headings only"_s);
    QCOMPARE(f.rows(), QStringList{u"Nothing yet"_s});
}

void TestStoredRecipesScreen::aRecipeIsShownWithItsNutrition()
{
    Fixture f;
    f.show(u"Plain water"_s);
    f.show(u"Pudding"_s);
    QCOMPARE(f.rows(), (QStringList{u"Base"_s, u"2 cup   Milk"_s, u" "_s, u"1/2 cup   water"_s}));
    QCOMPARE(f.text("lbl1M"), u"makes 2 servings"_s);
    QCOMPARE(f.text("lblFg"), u"8g"_s);
    QCOMPARE(f.text("lblFP"), u"12%"_s);
    QCOMPARE(f.text("lblCals"), u"152"_s);
    QCOMPARE(f.text("lblCg"), u"24mg"_s);
    QCOMPARE(f.text("lblPP"), QString());
    QCOMPARE(f.text("Label20"), u"47.4% of calories from Fat"_s);
    QCOMPARE(f.text("Label21"), u"31.6% from Carbohydrates"_s);
    QCOMPARE(f.text("Label22"), u"21.1% from Protein"_s);
    QVERIFY(f.directions()->toPlainText().startsWith(u"Warm the milk slowly."_s));
    QVERIFY(f.messages.isEmpty());
}

void TestStoredRecipesScreen::headingsOnlyLeaveThePanelEmpty()
{
    Fixture f;
    f.show(u"Pudding"_s);
    f.show(u"Headings only"_s);
    for (const char* label : {"lblCals", "lblFg", "Label20", "Label21", "Label22"})
        QCOMPARE(f.text(label), QString());
}

void TestStoredRecipesScreen::aMissingIngredientStopsTheRecipe()
{
    Fixture f;
    f.show(u"Lost"_s);
    QCOMPARE(f.messages.size(), 1);
    QCOMPARE(f.messages[0].title, u"Error"_s);
    QCOMPARE(f.messages[0].text,
             u"Unable to load this recipe.\r\nCould not find one of the ingrediants, "
             "(Saffron)\r\nTo correct problem, delete this recipe and enter it again."_s);
    QCOMPARE(f.rows(), QStringList{u"1 cup   Milk"_s});
    QCOMPARE(f.text("lblFg"), u"8g"_s);
    QCOMPARE(f.directions()->toPlainText(), u"\n   ERROR  "_s);
    QVERIFY(f.directions()->font().bold());
    QCOMPARE(f.directions()->font().pointSize(), 20);
    QCOMPARE(f.text("Label20"), QString());
    // The next recipe is shown normally again.
    f.show(u"Plain water"_s);
    QVERIFY(!f.directions()->font().bold());
    QCOMPARE(f.directions()->toPlainText(), u"Pour."_s);
}

void TestStoredRecipesScreen::theLaterOfTwoNamesIsShown()
{
    Fixture f;
    for (int row = 0; row < f.list()->count(); ++row) {
        if (f.list()->itemText(row).compare(u"twice"_s, Qt::CaseInsensitive) != 0)
            continue;
        f.list()->setCurrentIndex(row);
        QCOMPARE(f.text("lbl1M"), u"makes 1/2 servings"_s);
        QCOMPARE(f.text("lblFg"), u"16g"_s);
        QCOMPARE(f.directions()->toPlainText(), u"The later one."_s);
    }
}

void TestStoredRecipesScreen::commandsWithoutARecipe_data()
{
    QTest::addColumn<QString>("tool");
    QTest::addColumn<QString>("message");
    QTest::newRow("Edit") << u"Edit"_s << u"There are no recipes to edit."_s;
    QTest::newRow("Delete") << u"Delete"_s << u"There are no recipes to delete."_s;
    QTest::newRow("Print") << u"Print"_s << u"There are no recipes to print."_s;
    QTest::newRow("Email") << u"email"_s << u"You must select a recipe before Emailing"_s;
}

void TestStoredRecipesScreen::commandsWithoutARecipe()
{
    QFETCH(QString, tool);
    QFETCH(QString, message);
    Fixture f;
    f.screen->viewBarToolClick(tool);
    QCOMPARE(f.messages.size(), 1);
    QCOMPARE(f.messages[0].text, message);
    QCOMPARE(f.messages[0].title, u"No Recipes"_s);
    QCOMPARE(f.messages[0].icon, MessageBox::Icon::Exclamation);
}

void TestStoredRecipesScreen::deleting()
{
    Fixture f(record("Soup", "1", {line("Milk", "1", "cup")}, u"Heat."_s) +
              record("Bread", "1", {line("Water", "1", "cup")}, u"Bake."_s) + "\r\n");
    f.show(u"Soup"_s);
    f.answers = {MessageBox::Answer::No};
    f.tool("Delete");
    QCOMPARE(f.messages.last().text, u"Are you sure you want to delete Soup?"_s);
    QCOMPARE(f.messages.last().title, u"Delete?"_s);
    QCOMPARE(f.session.recipes.count(), 2);

    f.answers = {MessageBox::Answer::Yes};
    f.tool("Delete");
    QCOMPARE(f.session.recipes.recipeNames(), QStringList{u"Bread"_s});
    QCOMPARE(f.list()->count(), 1);
    QCOMPARE(f.list()->currentText(), u"Bread"_s);
    QCOMPARE(f.directions()->toPlainText(), u"Bake."_s);

    f.answers = {MessageBox::Answer::Yes};
    f.tool("Delete");
    QCOMPARE(f.list()->count(), 0);
    QCOMPARE(f.rows(), QStringList{});
    QCOMPARE(f.text("lblFg"), QString());
    QVERIFY(!QFile::exists(u"Recipe.Dat"_s));
}

void TestStoredRecipesScreen::editHandsTheRecipeToTheAnalysisScreen()
{
    Fixture f;
    f.window->topBar()->tool(u"Recipes"_s)->trigger();
    f.show(u"Plain water"_s);
    f.show(u"Pudding"_s);
    f.tool("Edit");
    auto* calc = f.window->findChild<AnalysisScreen*>();
    QCOMPARE(f.window->findChild<QStackedWidget*>(u"Screens"_s)->currentWidget(), calc);
    QCOMPARE(f.window->findChild<QLabel*>(u"TopLbl"_s)->text(), u"Recipe / Diet Analysis Screen"_s);
    const auto calcText = [calc](const char* name) {
        return calc->findChild<QLabel*>(QString::fromLatin1(name))->text();
    };
    QCOMPARE(calc->findChild<QLineEdit*>(u"NameTxt"_s)->text(), u"Pudding"_s);
    QCOMPARE(calcText("lblFg"), u"8g"_s);
    QCOMPARE(calcText("Label24"), u"47.4% of calories from Fat"_s);
    QCOMPARE(calcText("ServingsLbl"), u"2"_s);
    QCOMPARE(calcText("lbl1M"), u"Makes 2 servings"_s);
    QCOMPARE(calcText("StatusLbl"), u"Changes Saved"_s);
    QCOMPARE(calc->recipeTotals().totFat, 8.0f);
    QCOMPARE(calc->servingsDivisor(), 2.0f);
    auto* calcRows = calc->findChild<QListWidget*>(u"R_IngLst"_s);
    QCOMPARE(calcRows->count(), 4);
    QCOMPARE(calcRows->item(1)->text(), u"2 cup   Milk"_s);
    QVERIFY(calc->findChild<QPlainTextEdit*>(u"DirectionsTxt"_s)
                ->toPlainText()
                .startsWith(u"Warm the milk"_s));

    // Saving it again replaces the stored recipe with the same text.
    const QByteArray before = readFile(u"Recipe.Dat"_s);
    zestora::testing::clickInNextDialog(u"ReplaceCmd"_s);
    calc->calcBarToolClick(u"Save"_s);
    QCOMPARE(f.session.recipes.count(), 6);
    QVERIFY(
        readFile(u"Recipe.Dat"_s)
            .contains(record("Pudding", "2", {heading("Base"), line("Milk", "2", "cup")}, QString())
                          .left(20)));
    QVERIFY(readFile(u"Recipe.Dat"_s) != before);
}

void TestStoredRecipesScreen::printingMakesOnePage()
{
    Fixture f;
    f.show(u"Pudding"_s);
    f.tool("Print");
    QCOMPARE(f.messages.size(), 1);
    QCOMPARE(f.messages[0].title, u"Saved as PDF"_s);
    const QString pdf = f.messages[0].text.section(u"\r\n"_s, 1);
    QVERIFY2(pdf.startsWith(m_home.path()), qPrintable(pdf));
    QVERIFY(QFile::exists(pdf));
    QVERIFY(run(u"pdfinfo"_s, {pdf}).contains(QRegularExpression(u"Pages:\\s+1\\n"_s)));
    QVERIFY(run(u"pdffonts"_s, {pdf}).contains(u"Bold"_s));
    const QString text = run(u"pdftotext"_s, {pdf, u"-"_s}).simplified();
    QStringList inOrder{u"Pudding"_s, u"Nutrition Facts"_s, u"makes 2 servings"_s,
                        u"Total Fat 8g"_s, u"12%"_s};
    qsizetype at = 0;
    for (const QString& piece : inOrder) {
        const qsizetype found = text.indexOf(piece, at);
        QVERIFY2(found >= 0, qPrintable(piece + u" in "_s + text));
        at = found + piece.size();
    }
    for (const QString& piece :
         {u"Additional Information:"_s, u"47.4% of calories from Fat"_s, u"List of Ingredients:"_s,
          u"2 cup Milk"_s, u"1/2 cup water"_s, u"Instructions for preparation"_s})
        QVERIFY2(text.contains(piece), qPrintable(piece + u" in "_s + text));
    // Every word of the directions once, the one wider than the column too.
    const QString words = text.mid(text.indexOf(u"Instructions for preparation"_s));
    for (const QString& word : {u"Warm"_s, u"slowly."_s, u"Stir"_s, u"serve."_s})
        QCOMPARE(words.count(word), 1);
    QCOMPARE(QString(words).remove(u' ').count(QString::fromLatin1(longWord)), 1);

    // A second print of the same recipe does not overwrite the first.
    f.tool("Print");
    QVERIFY(f.messages.last().text.contains(u"Pudding (2).pdf"_s));
}

void TestStoredRecipesScreen::noSharesWithoutCalories()
{
    Fixture f;
    f.show(u"Plain water"_s);
    QCOMPARE(f.text("lblCals"), u"0"_s);
    f.tool("Print");
    const QString pdf = f.messages.last().text.section(u"\r\n"_s, 1);
    const QString text = run(u"pdftotext"_s, {pdf, u"-"_s});
    QVERIFY(text.contains(u"Pour."_s));
    QVERIFY(!text.contains(u"Additional Information"_s));
}

QTEST_MAIN(TestStoredRecipesScreen)
#include "tst_storedrecipesscreen.moc"
