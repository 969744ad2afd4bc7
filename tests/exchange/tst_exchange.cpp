#include "core/exchange/exportfile.h"
#include "core/exchange/mealmaster.h"
#include "core/exchange/recipeexport.h"
#include "core/exchange/recipefile.h"
#include "core/exchange/recipeimport.h"
#include "core/exchange/storedrecipe.h"
#include "core/paste/foodindex.h"
#include "core/recipes/recipefields.h"
#include "core/store/recipestore.h"
#include "samplerecipes.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

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
    QStringList fields{r.title, r.yield, r.categories.join(u','), ingredients.join(u'/'),
                       r.directions.join(u'/')};
    if (!r.notes.isEmpty())
        fields.append(r.notes.join(u'/'));
    return fields.join(u'|');
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
    void exportsComeBackByteForByte_data();
    void exportsComeBackByteForByte();
    void webRecipes_data();
    void webRecipes();
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
         {u"<h1>Mac &amp; Cheese</h1>"_s,
          u"<th scope=\"row\">Total Fat</th><td class=\"amount\">8.5g</td>"_s,
          u"<li>2 large Egg</li>"_s, u"before frying.</p>\n<p>Fry by the ladle"_s,
          u"</article>\n<article class=\"recipe\">"_s, u"break-before: page"_s,
          u"ingredient database.</p>"_s})
        QVERIFY2(page.contains(part), qPrintable(part));
    // Layout comes from the style sheet alone, and the line end mark is never written.
    for (const QString& old : {u"<font"_s, u"<u>"_s, u"width=\""_s, u"\u0090"_s})
        QVERIFY2(!page.contains(old), qPrintable(old));
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
    QTest::newRow("fields one column late, every unit code, an amount + food after a line of text")
        << QByteArray("MMMMM----- Recipe via Meal-Master (tm) v8.05\n\n      Title: Coffee Cake\n"
                      "      Yield: 1 cake\n\n    1/2   c Unsalted butter\n      1 st Butter\n"
                      "      2 cv Garlic\n      1 sp Thyme\n      1 Tb Oil\n      2 t  Salt\n"
                      "      3 T  Sugar\n      1 pn Pepper\n      2 ds Tabasco\n      1 cn Corn\n"
                      "      1 ct Cream\n  1 1/2 C  Flour\nA note the cook left\n      2 lg Eggs\n"
                      "\n  Bake.\nMMMMM\n")
        << u"Coffee Cake|1 cake||1/2;c;Unsalted butter/1;st;Butter/2;cv;Garlic/1;sp;Thyme/1;Tb;Oil/"
           "2;t;Salt/3;T;Sugar/1;pn;Pepper/2;ds;Tabasco/1;cn;Corn/1;ct;Cream/1 1/2;C;Flour/2;lg;"
           "Eggs|A note the cook left/Bake."_s
        << 0;
    QTest::newRow("another program's headers are kept with their labels, blank lines between "
                  "ingredients kept, a sentence after the list is a direction, labelled lines "
                  "after the directions stand alone")
        << QByteArray("MMMMM----- Recipe via Meal-Master (tm) v8.05\n\n"
                      "      Title: Apple Crisp\nRecipe By     : Ann Smith\n"
                      "Serving Size  : 6    Preparation Time :0:45\n"
                      "Categories    : Desserts, Fruit\n          Source: Old card\n\n"
                      "      4 c  Apples, sliced\n\n      1 c  Oats\n            Salt\n\n"
                      "  350 degrees is the oven's heat for it.\n\n  Bake.\n  Recipe By : Ann\n"
                      "  Serving Size : 6\nMMMMM\n")
        << u"Apple Crisp|6|Desserts,Fruit|4;c;Apples, sliced/#/1;c;Oats/;;Salt|350 degrees is the "
           "oven's heat for it./Bake./Recipe By : Ann/Serving Size : 6|Recipe By: Ann Smith/"
           "Preparation Time: 0:45/Source: Old card"_s
        << 0;
    QTest::newRow("two columns two columns further right, and headings after directions")
        << QByteArray("MMMMM----- Recipe via Meal-Master (tm) v8.05\n\n      Title: Tacos\n\n"
                      "    1/4 c  Oil                                   1 ts Hot sauce\n"
                      "      2 lb Beef                                  2 c  Lettuce\n\n"
                      "  Fry the beef.\n"
                      "MMMMM------------------------------SALSA-------------------------------\n"
                      "      2    Tomatoes\n\n  Chop.\nMMMMM\n")
        << u"Tacos|||1/4;c;Oil/2;lb;Beef/1;ts;Hot sauce/2;c;Lettuce/#SALSA/2;;Tomatoes|Fry the "
           "beef./Chop."_s
        << 0;
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
        {QString(words + u" and then some more words, "_s).repeated(4) + u"the end."_s},
        {}};
    QTest::newRow("blanks inside and before lines, empty lines between and long words are kept")
        << mealmaster::Recipe{
               u"Blanks"_s,
               {},
               u"1/2 servings"_s,
               {ingredient(u"1"_s, u"ts"_s, u"Salt"_s)},
               {u"   Indented step"_s,
                {},
                {},
                u"After two  empty lines, "_s + QString(80, u'x') + u"  and   more   blanks"_s},
               {u"Source: Grandma"_s}};
    QTest::newRow("headings, a separating line, no unit and letters of code page 1252")
        << mealmaster::Recipe{u"Crème brûlée"_s,
                              {},
                              u"6 servings"_s,
                              {{{}, {}, u"Crème"_s, true},
                               {{}, {}, {}, true},
                               ingredient(u"2.5"_s, {}, u"Œufs frais"_s)},
                              {u"Caramélisez."_s},
                              {}};
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

// Recipes as the analysis screen stores them, varied the ways an export can lose something: units
// with and without a code, a food's own measure, decimal and fraction mode, headings and blank
// lines, directions whose wrapped lines would start with a number, blank lines and indents, and
// lines an import could not count.
QByteArray variedRecipes(int count)
{
    const struct {
        const char16_t* name;
        const char16_t* unit;
    } uses[] = {{u"Celery, raw", u"stalk, medium"},
                {u"Tomatoes, red, ripe, raw", u"cup"},
                {u"Tomatoes, red, ripe, canned", u"cup"},
                {u"Egg", u"large"},
                {u"Egg", u"g"},
                {u"Milk", u"pint"},
                {u"Milk", u"tbs"},
                {u"Wheat flour, white, all-purpose, enriched", u"oz"},
                {u"Maple syrup", u"tsp"},
                {u"Maple syrup", u"ml"}};
    const char16_t* quantities[] = {u"1", u"2 1/2", u"1/3", u"7/8", u"12", u"1000 1/8"};
    const char16_t* decimals[] = {u"2", u"0.5", u"1.5", u"10"};
    const QString paragraph = u"Bake at 350 degrees for 25 minutes, then 10 more at 400 degrees "
                              "and 2 at 450 so that 3 of the 12 brown; 1 hour in all."_s;
    QString all;
    for (int i = 0; i < count; ++i) {
        QStringList entries;
        for (int line = 0; line < 1 + i % 7; ++line) {
            const auto& use = uses[(i + line * 3) % std::size(uses)];
            if ((i + line) % 5 == 4)
                entries.append(lines::headingEntry((i + line) % 2 ? u""_s : u"For the Sauce"_s));
            const bool decimal = (i * 7 + line) % 3 == 0;
            entries.append(lines::ingredientEntry(
                QString::fromUtf16(use.name), !decimal,
                QString::fromUtf16(decimal ? decimals[(i + line) % std::size(decimals)]
                                           : quantities[(i + line) % std::size(quantities)]),
                QString::fromUtf16(use.unit)));
        }
        const QStringList directions[] = {
            {paragraph.repeated(1 + i % 3)},
            {u"Mix."_s, {}, {}, u"   Indented, and a word"_s + QString(90, u'x') + u" after."_s},
            {},
            {u"Stir \u2019til smooth \u2014 \u201cthick\u201d; 1 \u00bd cups."_s, paragraph,
             u"Not counted in the nutrition:"_s, u"1 cup Zorbles"_s}};
        QStringList lines = directions[i % std::size(directions)];
        if (i % 4 == 3) // the lines an import keeps apart from the others
            lines.insert(lines.size() - 2, QString());
        const QString servings = QStringList{u"1/2"_s, u"1"_s, u"4"_s, u"991"_s}[i % 4];
        QString name = u"Recipe %1 of the %2 varied ones"_s.arg(i).arg(count);
        // What an import keeps of a source's title, yield, categories, notes of a line and
        // description.
        if (i % 5 == 4) {
            const QString title = name + u", with a title longer than a name may be"_s;
            const QByteArray last = encodeCp1252(entries.constLast());
            lines = QStringList{title,
                                {},
                                u"Makes %1 cookies"_s.arg(servings),
                                u"Categories: Cookies, Quick"_s,
                                {},
                                u"Notes on the ingredients:"_s,
                                decodeCp1252(cookLine(recipefields::entry(QByteArrayView(last)))) +
                                    u": finely chopped, divided"_s,
                                {},
                                u"Description: Old and good."_s} +
                    (lines.isEmpty() ? lines : QStringList{QString()} + lines);
            name = title.left(title.lastIndexOf(u' ', lines::maxNameLength));
        }
        all += lines::recipeRecord(name, servings, entries, lines.join(u"\r\n"_s));
    }
    return encodeCp1252(all) + "\r\n";
}

void TestExchange::exportsComeBackByteForByte_data()
{
    QTest::addColumn<exchange::Format>("format");
    QTest::newRow("MealMaster") << exchange::Format::MealMaster;
    QTest::newRow("JSON-LD") << exchange::Format::Json;
}

void TestExchange::exportsComeBackByteForByte()
{
    QFETCH(exchange::Format, format);
    const TempWorkDir dir;
    const auto own = [](const QString& name, const QString& measure) {
        return testing::food(name, 1, measure, 40, u"g"_s, {.calories = 10}, true);
    };
    writeFile(IngTable::fileName,
              IngTable::toBytes(
                  {own(u"Celery, raw"_s, u"stalk, medium"_s),
                   testing::food(u"Tomatoes, red, ripe, raw"_s, 1, u"cup"_s, 180, u"g"_s),
                   testing::food(u"Tomatoes, red, ripe, canned"_s, 1, u"cup"_s, 240, u"g"_s),
                   own(u"Egg"_s, u"large"_s), testing::food(u"Milk"_s, 1, u"cup"_s),
                   testing::food(u"Wheat flour, white, all-purpose, enriched"_s, 1, u"cup"_s, 125,
                                 u"g"_s),
                   testing::food(u"Maple syrup"_s, 1, u"tbs"_s)}));
    writeFile(RecipeStore::fileName, variedRecipes(400));
    IngTable ingredients;
    RecipeStore recipes;
    QVERIFY(!ingredients.loadIngTable());
    QVERIFY(!recipes.load());
    ExportFile file(u"out"_s);
    QVERIFY(file.open(ExportFile::Existing::Keep));
    QVERIFY(
        exchange::writeRecipes(format, recipes, ingredients, exchange::allRecipes(recipes), file)
            .written);
    QVERIFY(file.commit());
    const exchange::RecipeFile read = exchange::readRecipeFile(u"out"_s, readFile(u"out"_s));
    QCOMPARE(read.recipes.size(), recipes.count());
    // Other readers take a line of directions that starts with a number for an ingredient.
    static const QRegularExpression numberFirst(u"\n  \\d[^\r]{4}[^ \r]"_s);
    if (format == exchange::Format::MealMaster)
        QVERIFY(!numberFirst.match(QString::fromLatin1(readFile(u"out"_s))).hasMatch());
    else // the kept notes and description in the fields consumers read
        QVERIFY(readFile(u"out"_s).contains("raw; finely chopped, divided\",") &&
                readFile(u"out"_s).contains("\"description\": \"Old and good.\","));
    paste::FoodIndex index(ingredients, u"no-starter"_s);
    const QList<int> order = exchange::allRecipes(recipes);
    for (qsizetype i = 0; i < read.recipes.size(); ++i) {
        const exchange::ImportedRecipe imported = exchange::importedRecipe(read.recipes[i], index);
        QString problem;
        const QString record = imported.record(imported.name, ingredients, &problem);
        QVERIFY2(problem.isEmpty(), qPrintable(problem));
        const RecipeEntry& stored = recipes.recipeList()[order[i]];
        QCOMPARE(record, QChar(u'\u00ae') + stored.recipeName + recipes.recipeBody(order[i]));
    }
}

void TestExchange::webRecipes_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("recipes");
    const QByteArray pie =
        R"({"@type": ["Recipe"], "name": "Pie &amp; Cream", "recipeYield": ["8", "1 pie"],
            "recipeCategory": "Dessert", "description": "A good pie.",
            "recipeIngredient": ["2 1/2 cups flour", "For the filling:", "1/2 cup sugar"],
            "recipeInstructions": [{"@type": "HowToSection", "name": "Crust",
              "itemListElement": [{"@type": "HowToStep", "text": "Roll<br>thin."}]},
              {"@type": "HowToStep", "text": "Bake."}]})";
    const QString pieRead = u"Pie & Cream|1 pie|Dessert|2 1/2;;cups flour/#For the filling/1/2;;"
                            "cup sugar|Crust//Roll/thin.//Bake.|Description: A good pie."_s;
    QTest::newRow("a saved page: the Recipe in an @graph, markup and references in its texts")
        << QByteArray("<!DOCTYPE html><html><head><script type=\"application/ld+json\">"
                      "{\"@context\": \"https://schema.org\", \"@graph\": [{\"@type\": "
                      "\"WebPage\"}, " +
                      pie + "]}</script></head><body>Pie</body></html>")
        << pieRead;
    QTest::newRow("a JSON-LD file of an array, steps as texts, a yield as a number")
        << QByteArray(R"([{"@type": "Recipe", "name": "Tea", "recipeYield": 2,
                          "recipeIngredient": ["1 cup water", ""],
                          "recipeInstructions": "Boil.\nSteep."},
                         {"@type": "Thing"}, {"@type": "Recipe", "name": "Toast"}])")
        << u"Tea|2||1;;cup water/#|Boil./Steep. ~ Toast||||"_s;
    QTest::newRow("a page whose data is in a comment, among data that is no JSON")
        << QByteArray("<html><script type='application/ld+json'>{broken</script>"
                      "<SCRIPT TYPE=\"application/ld+json\"><!--" +
                      pie + "--></SCRIPT></html>")
        << pieRead;
    QTest::newRow("a page without recipe data says so")
        << QByteArray("<html><body><p>Just a page.</p></body></html>") << QString();
}

void TestExchange::webRecipes()
{
    QFETCH(QByteArray, file);
    const exchange::RecipeFile read = exchange::readRecipeFile(u"page.html"_s, file);
    QStringList recipes;
    for (const mealmaster::Recipe& recipe : read.recipes)
        recipes.append(summary(recipe));
    QTEST(recipes.join(u" ~ "_s), "recipes");
    QCOMPARE(read.noRecipe.isEmpty(), !recipes.isEmpty());
}

QTEST_GUILESS_MAIN(TestExchange)
#include "tst_exchange.moc"
