#include "core/exchange/exportfile.h"
#include "core/exchange/mealmaster.h"
#include "core/exchange/recipeexport.h"
#include "core/exchange/storedrecipe.h"
#include "core/store/recipestore.h"
#include "samplerecipes.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

using namespace zestora;
using testing::readFile;
using testing::TempWorkDir;
using testing::writeFile;

namespace {

// The sample recipes exported in a format, as the file's bytes.
QByteArray exported(exchange::Format format, const QStringList& names,
                    QStringList* warnings = nullptr)
{
    const TempWorkDir dir;
    writeFile(IngTable::fileName, testing::sampleIngredients());
    writeFile(RecipeStore::fileName, testing::sampleRecipes());
    IngTable ingredients;
    RecipeStore recipes;
    ingredients.loadIngTable();
    recipes.load();
    QList<int> indexes;
    for (const QString& name : names)
        indexes.append(exchange::recipeNamed(recipes, name).value());
    ExportFile file(u"out"_s);
    file.open(ExportFile::Existing::Keep);
    const exchange::Outcome outcome =
        exchange::writeRecipes(format, recipes, ingredients, indexes, file);
    if (warnings)
        *warnings = outcome.warnings;
    return outcome.written && file.commit() ? readFile(u"out"_s) : QByteArray();
}

QByteArray handWritten(const char* name)
{
    return readFile(QStringLiteral(EXCHANGE_DIR "/") + QLatin1StringView(name));
}

// A recipe read back, in one line: title|yield|categories|ingredients|paragraphs.
QString summary(const mealmaster::Recipe& r)
{
    QStringList ingredients;
    for (const mealmaster::Ingredient& i : r.ingredients)
        ingredients.append(i.heading ? u'#' + i.text
                                     : QStringList{i.quantity, i.unit, i.text}.join(u';'));
    return QStringList{r.title, r.yield, r.categories.join(u','), ingredients.join(u'/'),
                       r.directions.join(u'/')}
        .join(u'|');
}

mealmaster::Ingredient ingredient(const QString& quantity, const QString& unit, const QString& text)
{
    return {quantity, unit, text, false};
}

} // namespace

class TestExchange : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void mealMasterAsWrittenByHand();
    void storedLinesInTheFormat_data();
    void storedLinesInTheFormat();
    void jsonAsWrittenByHand();
    void htmlPage();
    void mealMasterReading_data();
    void mealMasterReading();
    void mealMasterRoundTrip_data();
    void mealMasterRoundTrip();
    void unitCodesReadBackAsTheScreensUnits();
};

void TestExchange::mealMasterAsWrittenByHand()
{
    const QByteArray file = exported(exchange::Format::MealMaster, {u"pancakes"_s});
    QCOMPARE(file, handWritten("pancakes.mmf"));
    // Read back, it is the stored recipe: its units from their codes, its names whole.
    const mealmaster::Recipe read = mealmaster::read(file).recipes.value(0);
    QStringList lines;
    for (const mealmaster::Ingredient& i : read.ingredients)
        lines.append(i.heading
                         ? i.text
                         : i.quantity + u' ' + mealmaster::unitOfCode(i.unit) + u' ' + i.text);
    QCOMPARE(lines, (QStringList{u"1 1/2 cup Wheat flour, white, all-purpose, enriched"_s,
                                 u"2 large Egg"_s, u"1/2 cup Milk"_s, u"Topping"_s,
                                 u"1 tbs Maple syrup"_s}));
}

void TestExchange::storedLinesInTheFormat_data()
{
    QTest::addColumn<QByteArray>("quantity");
    QTest::addColumn<QByteArray>("unit");
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<QByteArray>("line");
    QTest::newRow("a unit without a code leads the text")
        << QByteArray("3") << QByteArray("clove") << QByteArray("Garlic")
        << QByteArray("      3    clove Garlic");
    QTest::newRow("a unit that is the ingredient's name is written once")
        << QByteArray("2") << QByteArray("Egg") << QByteArray("egg")
        << QByteArray("      2    egg");
    QTest::newRow("a quantity too long for its columns goes into the text")
        << QByteArray("1000 7/8") << QByteArray("g") << QByteArray("Rice")
        << QByteArray("           1000 7/8 g Rice");
}

void TestExchange::storedLinesInTheFormat()
{
    QFETCH(QByteArray, quantity);
    QFETCH(QByteArray, unit);
    QFETCH(QByteArray, name);
    StoredRecipe recipe;
    recipe.name = "Test";
    recipe.servings = "1";
    recipe.lines = {{false, {}, quantity, unit, name}};
    QByteArray out;
    mealmaster::appendRecipe(out, recipe);
    QTEST(out.split('\n').value(6).chopped(1), "line");
}

void TestExchange::jsonAsWrittenByHand()
{
    const QJsonObject pancakes = QJsonDocument::fromJson(handWritten("pancakes.json")).object();
    QCOMPARE(QJsonDocument::fromJson(exported(exchange::Format::Json, {u"Pancakes"_s})).object(),
             pancakes);
    // Several recipes make an array; one without its nutrition says why.
    QStringList warnings;
    const QJsonArray both =
        QJsonDocument::fromJson(
            exported(exchange::Format::Json, {u"Pancakes"_s, u"Mac & Cheese"_s}, &warnings))
            .array();
    QCOMPARE(both.size(), 2);
    QCOMPARE(both[0].toObject(), pancakes);
    QVERIFY(!both[1].toObject().contains(u"nutrition"_s));
    QCOMPARE(warnings,
             QStringList{exchange::missingIngredientWarning(u"Mac & Cheese"_s, u"Macaroni"_s)});
}

void TestExchange::htmlPage()
{
    const QString page =
        QString::fromUtf8(exported(exchange::Format::Html, {u"Mac & Cheese"_s, u"Pancakes"_s}));
    QVERIFY(page.startsWith(
        u"<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">"_s));
    for (const QString& part :
         {u"<u>Mac &amp; Cheese</u>"_s, u"<strong>Total Fat 8.5g</strong>"_s,
          u"2 large   Egg<br>"_s, u"before frying.<br>\r\n<br>\r\nFry by the ladle"_s,
          u"</table>\n<hr>\n<table>"_s})
        QVERIFY2(page.contains(part), qPrintable(part));
    QVERIFY(page.endsWith(u"</body>\n</html>\n"_s));
}

void TestExchange::mealMasterReading_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("recipes");
    QTest::addColumn<int>("problems");
    QTest::newRow("the older form: Servings, one-letter units, a continued line, a heading")
        << QByteArray("Text before the recipe is skipped.\r\n"
                      "---------- Recipe via Meal-Master (tm) v8.02\r\n\r\n"
                      "      Title: Onion Soup\r\n Categories: Soups, Quick\r\n"
                      "   Servings: 6\r\n\r\n      2 T  Butter\r\n      1 t  Salt\r\n"
                      "    1/2 c  Onion, chopped very finely\r\n           -and fried\r\n"
                      "-----------------------------BROTH------------------------------\r\n"
                      "      1    Bay leaf\r\n\r\n  Melt the butter,\r\n  add the onion.\r\n"
                      "\r\n  Simmer.\r\n-----\r\n")
        << u"Onion Soup|6|Soups,Quick|2;T;Butter/1;t;Salt/1/2;c;Onion, chopped very finely and "
           "fried/#BROTH/1;;Bay leaf|Melt the butter, add the onion./Simmer."_s
        << 0;
    QTest::newRow("ingredients in two columns, the left one of a group first")
        << QByteArray("MMMMM----- Recipe via Meal-Master (tm) v8.05\n\n      Title: Cannoli\n\n"
                      "  1 1/2 c  Ricotta cheese;                   1/2 c  Dark chocolate;\n"
                      "           -well drained                            -chopped\n"
                      "      3 tb Sugar                             1/4 c  Almonds\n"
                      "------------------------------DOUGH------------------------------\n"
                      "      1 c  Flour                                    -or water\n"
                      "      2 tb Marsala wine\n\n  Fill the shells.\nMMMMM\n")
        << u"Cannoli|||1 1/2;c;Ricotta cheese; well drained/3;tb;Sugar/1/2;c;Dark chocolate; "
           "chopped/1/4;c;Almonds/#DOUGH/1;c;Flour/2;tb;Marsala wine or water|Fill the shells."_s
        << 0;
    QTest::newRow("two recipes in code page 1252, one without directions")
        << QByteArray("MMMMM----- Recipe via Meal-Master (tm) v8.05\n\n      Title: Caf\xe9\n"
                      " Categories: None\n      Yield: 1 serving\n\n      1 c  Caf\xe9 au lait\n"
                      "\nMMMMM\n\nMMMMM----- Recipe via Meal-Master (tm) v8.05\n\n"
                      "      Title: Tea\n\n  Steep.\nMMMMM\n")
        << u"Café|1 serving||1;c;Café au lait| ~ Tea||||Steep."_s << 0;
    QTest::newRow("UTF-8 text, cut off before its end line")
        << QByteArray("MMMMM----- Recipe via Meal-Master (tm) v8.05\n\n"
                      "      Title: Cr\xc3\xa8me br\xc3\xbbl\xc3\xa9\x65\n\n      1 c  Cream\n")
        << u"Crème brûlée|||1;c;Cream|"_s << 1;
}

void TestExchange::mealMasterReading()
{
    QFETCH(QByteArray, file);
    const mealmaster::ReadResult read = mealmaster::read(file);
    QStringList recipes;
    for (const mealmaster::Recipe& recipe : read.recipes)
        recipes.append(summary(recipe));
    QTEST(recipes.join(u" ~ "_s), "recipes");
    QTEST(static_cast<int>(read.problems.size()), "problems");
}

void TestExchange::mealMasterRoundTrip_data()
{
    QTest::addColumn<mealmaster::Recipe>("recipe");
    const QString words = u"a rather long ingredient name that needs three lines of its column"_s;
    QTest::newRow("long texts wrap and join again") << mealmaster::Recipe{
        u"Long"_s,
        {u"Soups"_s, u"Quick"_s},
        u"1 serving"_s,
        {ingredient(u"2"_s, u"c"_s, words)},
        {QString(words + u" and then some more words, "_s).repeated(4) + u"the end."_s}};
    QTest::newRow("blanks inside and before lines, empty lines between and long words are kept")
        << mealmaster::Recipe{
               u"Blanks"_s,
               {},
               u"1/2 servings"_s,
               {ingredient(u"1"_s, u"ts"_s, u"Salt"_s)},
               {u"   Indented step"_s,
                {},
                {},
                u"After two  empty lines, "_s + QString(80, u'x') + u"  and   more   blanks"_s}};
    QTest::newRow("headings, a separating line, no unit and letters of code page 1252")
        << mealmaster::Recipe{u"Crème brûlée"_s,
                              {},
                              u"6 servings"_s,
                              {{{}, {}, u"Crème"_s, true},
                               {{}, {}, {}, true},
                               ingredient(u"2.5"_s, {}, u"Œufs frais"_s)},
                              {u"Caramélisez."_s}};
}

void TestExchange::mealMasterRoundTrip()
{
    QFETCH(mealmaster::Recipe, recipe);
    const QByteArray bytes = mealmaster::write(recipe);
    // Lines of 79 characters and the CR; only a word longer than that stands alone on a longer one.
    for (const QByteArray& line : bytes.split('\n'))
        QVERIFY2(line.size() <= 80 || !line.trimmed().contains(' '), line.data());
    const mealmaster::ReadResult read = mealmaster::read(bytes);
    QCOMPARE(read.recipes.size(), 1);
    QCOMPARE(summary(read.recipes[0]), summary(recipe));
    QCOMPARE(read.recipes[0], recipe);
}

void TestExchange::unitCodesReadBackAsTheScreensUnits()
{
    for (const char* unit : {"ml", "tsp", "tbs", "cup", "pint", "quart", "oz", "g", "lb"})
        QCOMPARE(mealmaster::unitOfCode(mealmaster::unitCode(QString::fromLatin1(unit))),
                 QString::fromLatin1(unit));
}

QTEST_GUILESS_MAIN(TestExchange)
#include "tst_exchange.moc"
