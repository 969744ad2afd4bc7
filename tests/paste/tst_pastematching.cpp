#include "core/analysis/lineamounts.h"
#include "core/analysis/recipelines.h"
#include "core/exchange/mealmaster.h"
#include "core/exchange/recipeimport.h"
#include "core/paste/eachfood.h"
#include "core/paste/foodindex.h"
#include "core/paste/kitchenmeasures.h"
#include "core/paste/linereview.h"
#include "core/store/ingtable.h"
#include "core/store/recipestore.h"
#include "testsupport.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>

using namespace zestora;
using namespace zestora::paste;

namespace {

// The starter database and its matching tables, as the build made them.
struct Starter {
    IngTable table{std::make_unique<DataFile>(QStringLiteral(STARTER_DIR "/Ing.dat"))};
    MatchingTables tables = MatchingTables::load(QStringLiteral(STARTER_DIR));

    Starter() { table.loadIngTable(); }
};

struct Run {
    int exitCode;
    QString out;
    QString err;
};

Run runZestora(const QStringList& arguments, const QByteArray& input = {})
{
    QProcess process;
    process.start(QStringLiteral(ZESTORA_PATH), arguments);
    process.write(input);
    process.closeWriteChannel();
    process.waitForFinished(60000);
    return Run{process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
               QString::fromUtf8(process.readAllStandardError())};
}

// A table's rows: each line read in the measures the table names for it on a row of its own
// ("#measures\tau"; American before any), with the row's columns. A line of one amount for each
// of several foods stands for its first food.
std::vector<std::pair<IngredientLine, QStringList>> readTable(const QString& file)
{
    std::vector<std::pair<IngredientLine, QStringList>> rows;
    KitchenMeasures measures = KitchenMeasures::US;
    for (const QByteArray& row :
         testing::readFile(QStringLiteral(PASTE_DIR "/") + file).split('\n')) {
        if (row.startsWith("#measures\t"))
            measures = *measuresNamed(QString::fromLatin1(row.sliced(10)));
        if (row.isEmpty() || row.startsWith('#'))
            continue;
        const QStringList fields = QString::fromUtf8(row).split(u'\t');
        IngredientLine line = readIngredientLine(linesOfEachFood(fields[0]).front());
        readInMeasures(line, measures);
        rows.emplace_back(std::move(line), fields);
    }
    return rows;
}

// The rows of a table-driven test of written lines, as line-tables.tsv lists them for it: the
// file of lines and the share of them that must come out right.
void addLineTables(const QByteArray& test)
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<double>("share");
    for (const QByteArray& row :
         testing::readFile(QStringLiteral(PASTE_DIR "/line-tables.tsv")).split('\n')) {
        const QList<QByteArray> fields = row.split('\t');
        if (fields.size() == 4 && fields[0] == test)
            QTest::newRow(fields[1].constData())
                << QString::fromUtf8(fields[2]) << fields[3].toDouble();
    }
}

} // namespace

class TestPasteMatching : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void matchesLinesFirstTime_data();
    void matchesLinesFirstTime();
    void weighsLinesAsAnAnalystWould_data();
    void weighsLinesAsAnAnalystWould();
    void analyzePrintsJson();
    void analyzeCountsWhatIsEaten_data();
    void analyzeCountsWhatIsEaten();
    void analyzeTellsWhatItCannotAnalyze_data();
    void analyzeTellsWhatItCannotAnalyze();
    void theIndexFollowsTheTable();
    void aRecipeMadeIngredientIsMatchedByItsName();
    void importStoresEachRecipeOnce_data();
    void importStoresEachRecipeOnce();
};

void TestPasteMatching::matchesLinesFirstTime_data()
{
    addLineTables("matched");
}

void TestPasteMatching::matchesLinesFirstTime()
{
    QFETCH(QString, file);
    QFETCH(double, share);
    const Starter starter;
    const FoodMatcher matcher(starter.table, starter.tables.names, nullptr, starter.tables.forms);
    int lines = 0;
    int right = 0;
    int marked = 0;
    int markedWrong = 0;
    for (const auto& [line, fields] : readTable(file)) {
        QCOMPARE(fields.size(), 3);
        const ReviewedLine reviewed =
            reviewLine(line, matcher, starter.table, starter.tables.weights);
        const QString food = reviewed.matched() ? starter.table.at(reviewed.food).name : QString();
        const QString unit = reviewed.measure.usable() ? reviewed.measure.unit : QString();
        ++lines;
        if (food == fields[1] && unit == fields[2])
            ++right;
        else
            qInfo("%s: %s, %s", qPrintable(fields[0]), qPrintable(food), qPrintable(unit));
        // How well the mark that asks for a look at the food points at the wrong foods.
        if (reviewed.note() == u"Check the food"_s) {
            ++marked;
            markedWrong += food != fields[1];
        }
    }
    QVERIFY(lines >= 80);
    qInfo("%d of %d lines (%.1f %%) matched to the right food and unit on the first try; %d "
          "marked to check the food, %d of them with a wrong food",
          right, lines, 100.0 * right / lines, marked, markedWrong);
    QVERIFY(right >= share * lines);
}

void TestPasteMatching::weighsLinesAsAnAnalystWould_data()
{
    addLineTables("weighed");
}

void TestPasteMatching::weighsLinesAsAnAnalystWould()
{
    QFETCH(QString, file);
    QFETCH(double, share);
    const Starter starter;
    const FoodMatcher matcher(starter.table, starter.tables.names, nullptr, starter.tables.forms);
    int lines = 0;
    int right = 0;
    for (const auto& [read, fields] : readTable(file)) {
        QCOMPARE(fields.size(), 3);
        const ReviewedLine reviewed =
            reviewLine(read, matcher, starter.table, starter.tables.weights);
        const std::optional<OrdinaryLine> line = acceptedLine(reviewed, starter.table);
        const auto amount =
            line ? nutrition::lineAmount(line->entry(), starter.table, 1) : std::nullopt;
        const double grams = amount && amount->grams ? *amount->grams : 0;
        ++lines;
        if (line && line->name == fields[1] &&
            std::abs(grams - fields[2].toDouble()) <= 0.1 * fields[2].toDouble())
            ++right;
        else
            qInfo("%s: %s, %g g", qPrintable(fields[0]), qPrintable(line ? line->name : QString()),
                  grams);
    }
    qInfo("%d of %d lines (%.1f %%) weighed as an analyst would", right, lines,
          100.0 * right / lines);
    QVERIFY(right >= share * lines);
}

void TestPasteMatching::analyzePrintsJson()
{
    testing::TempWorkDir dir;
    testing::writeFile(u"recipe.txt"_s, "Pancakes\n\n1 1/2 cups all-purpose flour\n2 large eggs\n"
                                        "1 cup chopped onion\n1 bay leaf\nSalt to taste\n"
                                        "1 cup zorbles\n");
    const Run run = runZestora({u"analyze"_s, u"--data-dir"_s, dir.path(), u"--servings"_s, u"4"_s,
                                u"--json"_s, u"recipe.txt"_s});
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(
        run.out,
        u"{\n"
        "  \"title\": \"Pancakes\",\n"
        "  \"servings\": 4,\n"
        "  \"lines\": [\n"
        "    {\"text\": \"1 1/2 cups all-purpose flour\", \"food\": \"Wheat flour, "
        "white, all-purpose, enriched, bleached\", \"quantity\": \"1 1/2\", "
        "\"unit\": \"cup\", \"grams\": 188, \"matched\": true, \"doubt\": false, \"estimate\": "
        "null},\n"
        "    {\"text\": \"2 large eggs\", \"food\": \"Egg, whole, raw, fresh\", "
        "\"quantity\": \"2\", \"unit\": \"large\", \"grams\": 100, "
        "\"matched\": true, \"doubt\": false, \"estimate\": null},\n"
        "    {\"text\": \"1 cup chopped onion\", \"food\": \"Onions, raw\", "
        "\"quantity\": \"160\", \"unit\": \"g\", \"grams\": 160, "
        "\"matched\": true, \"doubt\": false, \"estimate\": null},\n"
        "    {\"text\": \"1 bay leaf\", \"food\": \"Spices, bay leaf\", \"quantity\": "
        "\"0.2\", \"unit\": \"g\", \"grams\": 0.2, \"matched\": true, \"doubt\": false, "
        "\"estimate\": \"estimated: a typical bay leaf weighs 0.2 g\"},\n"
        "    {\"text\": \"Salt to taste\", \"food\": \"Salt, table\", \"quantity\": "
        "null, \"unit\": null, \"grams\": null, \"matched\": true, \"doubt\": false, "
        "\"estimate\": null},\n"
        "    {\"text\": \"1 cup zorbles\", \"food\": null, \"quantity\": null, "
        "\"unit\": null, \"grams\": null, \"matched\": false, \"doubt\": false, "
        "\"estimate\": null}\n"
        "  ],\n"
        "  \"coverage\": {\"lines\": 6, \"weighed\": 4, \"estimated\": 1, \"notCounted\": "
        "[\"Salt to taste\", \"1 cup zorbles\"]},\n"
        "  \"perServing\": {\"calories\": 217, \"caloriesFromFat\": 25, \"fat\": "
        "2.9, \"satFat\": 0.9, \"cholesterol\": 93, \"sodium\": 38, "
        "\"carbohydrate\": 39.7, \"fiber\": 2, \"protein\": 8.3},\n"
        "  \"servingGrams\": 112,\n  \"servingGramsFrom\": \"raw lines\",\n"
        "  \"per100g\": {\"calories\": 194, \"caloriesFromFat\": 22, \"fat\": 2.6, \"satFat\": "
        "0.8, \"cholesterol\": 83, \"sodium\": 34, \"carbohydrate\": 35.5, \"fiber\": 1.8, "
        "\"protein\": 7.4}\n"
        "}\n"_s);
}

void TestPasteMatching::analyzeCountsWhatIsEaten_data()
{
    QTest::addColumn<QByteArray>("recipe");
    QTest::addColumn<QString>("measures");
    QTest::addColumn<QString>("line");
    QTest::addColumn<QJsonValue>("grams"); // what the line counts
    QTest::addColumn<QString>("said");     // of its measure or its count; empty: nothing
    const QByteArray fries = "Chips\n\n1kg floury potatoes\n";
    const QString fryer = u"deep-frying oil: counted as what the fried foods take up, 10 % of "
                          "their weight"_s;
    const QString pan =
        u"frying oil: counted as what the fried foods take up, 4 % of their weight"_s;
    QTest::newRow("a deep fryer's oil counts a tenth of the fried food")
        << fries + "2 litres sunflower oil, for deep-frying\n"
        << QString() << u"2 litres sunflower oil, for deep-frying"_s << QJsonValue(100) << fryer;
    QTest::newRow("frying oil without an amount counts the same")
        << fries + "Vegetable oil\n\nMethod\nDeep-fry the chips in two batches.\n"
        << QString() << u"Vegetable oil"_s << QJsonValue(100) << fryer;
    QTest::newRow("oil for frying in a pan counts what a pan's food takes up")
        << fries + "1 cup oil, for frying\n"
        << QString() << u"1 cup oil, for frying"_s << QJsonValue(40) << pan;
    QTest::newRow("no more than the oil there is")
        << fries + "1 tbsp oil, for frying\n"
        << QString() << u"1 tbsp oil, for frying"_s << QJsonValue(14) << pan;
    QTest::newRow("the amount beside the extra for frying goes into the dish")
        << fries + "2 tbsp olive oil, plus extra for frying\n"
        << QString() << u"2 tbsp olive oil, plus extra for frying"_s << QJsonValue(27) << QString();
    QTest::newRow("an extra with a nonsense amount leaves the line's own")
        << "Dressing\n\n1/4 cup olive oil, plus 1/0 tbsp extra\n"_ba << QString()
        << u"1/4 cup olive oil, plus 1/0 tbsp extra"_s << QJsonValue(54) << QString();
    const QByteArray greased = "Sponge\n\n225g self-raising flour\n225g butter, softened, plus "
                               "extra for greasing\nbutter, for greasing\n"_ba;
    QTest::newRow("fat to grease a tin without an amount is left out")
        << greased << QString() << u"butter, for greasing"_s << QJsonValue()
        << u"fat to grease or brush with: not counted"_s;
    QTest::newRow("the amount beside the extra for greasing counts whole")
        << greased << QString() << u"225g butter, softened, plus extra for greasing"_s
        << QJsonValue(225) << QString();
    const QByteArray brine = "Brined chicken\n\n1.5kg whole chicken\n180g sea salt flakes\n1 tsp "
                             "salt\n8 wooden skewers\n\nMethod\nDissolve the salt in 4 litres of "
                             "water to make a brine.\n";
    QTest::newRow("the salt of a brine is poured away")
        << brine << QString() << u"180g sea salt flakes"_s << QJsonValue()
        << u"the salt of a brine: not counted"_s;
    QTest::newRow("salt that seasons a brined dish counts")
        << brine << QString() << u"1 tsp salt"_s << QJsonValue(6.1) << QString();
    QTest::newRow("skewers are no food")
        << brine << QString() << u"8 wooden skewers"_s << QJsonValue() << u"no food: not counted"_s;
    QTest::newRow("a marinade poured away counts what clings")
        << "Lamb\n\n500g lamb leg\n\nFor the marinade:\n4 tbsp olive oil\n\nMethod\nLift the "
           "lamb out and discard the marinade.\n"_ba
        << QString() << u"4 tbsp olive oil"_s << QJsonValue(5.4)
        << u"marinade poured away: counted as what clings to the food, 10 % of it"_s;
    const QByteArray optional = "Muffins\n\n2 cups all-purpose flour\n1/2 cup chopped walnuts "
                                "(optional)\n2 teaspoons salt, optional\n\nOptional garnish:\n1 "
                                "cup shredded cheddar cheese\n"_ba;
    const QString leftOut = u"optional: not counted"_s;
    QTest::newRow("what the cook may leave out is left out")
        << optional << QString() << u"1/2 cup chopped walnuts (optional)"_s << QJsonValue()
        << leftOut;
    QTest::newRow("optional after a comma")
        << optional << QString() << u"2 teaspoons salt, optional"_s << QJsonValue() << leftOut;
    QTest::newRow("under an optional heading")
        << optional << QString() << u"1 cup shredded cheddar cheese"_s << QJsonValue() << leftOut;
    QTest::newRow("the rest counts")
        << optional << QString() << u"2 cups all-purpose flour"_s << QJsonValue(250) << QString();
    const QByteArray swaps =
        "Chili\n\n1 lb lean ground beef\n1 can (15 oz) black beans\nCan substitute kidney or "
        "pinto beans\nYou may substitute ground turkey for the beef\nSubstitute 1 cup plain "
        "yogurt for the sour cream if desired\n*You can also use 2 cups frozen spinach\nSwap the "
        "beef for veggie mince if you like\n1/2 cup egg substitute\n"_ba;
    const QString aNote = u"a cook's note of another food: not counted"_s;
    for (const char* note :
         {"Can substitute kidney or pinto beans", "You may substitute ground turkey for the beef",
          "Substitute 1 cup plain yogurt for the sour cream if desired",
          "You can also use 2 cups frozen spinach", "Swap the beef for veggie mince if you like"})
        QTest::newRow(note) << swaps << QString() << QString::fromUtf8(note) << QJsonValue()
                            << aNote;
    QTest::newRow("a substitute that is the food counts")
        << swaps << QString() << u"1/2 cup egg substitute"_s << QJsonValue(126) << QString();
    QTest::newRow("an Australian tablespoon")
        << "Dressing\n\n2 tbs olive oil\n"_ba << u"au"_s << u"2 tbs olive oil"_s << QJsonValue(36)
        << u"Australian tablespoon, 20 ml"_s;
    QTest::newRow("an American one") << "Dressing\n\n2 tbs olive oil\n"_ba << u"us"_s
                                     << u"2 tbs olive oil"_s << QJsonValue(27) << QString();
    QTest::newRow("cream is measured before it is whipped")
        << "Topping\n\n1 cup heavy cream, whipped\n"_ba << QString()
        << u"1 cup heavy cream, whipped"_s << QJsonValue(238) << QString();
    const QByteArray perPerson = "Roast turkey\nServes 4\n\n1 tsp cranberry sauce, per person, to "
                                 "serve\n2 sausages per person\n"_ba;
    QTest::newRow("an amount per person is each diner's")
        << perPerson << QString() << u"1 tsp cranberry sauce, per person, to serve"_s
        << QJsonValue(23) << QString();
    QTest::newRow("so is a count per person")
        << perPerson << u"uk"_s << u"2 sausages per person"_s << QJsonValue(536)
        << u"each diner's, for 4 servings"_s;
    QTest::newRow("one diner's is one serving")
        << "Supper\nServes 1\n\n2 sausages per person\n"_ba << u"uk"_s << u"2 sausages per person"_s
        << QJsonValue(134) << u"each diner's, for 1 serving"_s;
    // Lines a laid-out page or a narrow column broke in two, copied as they stand.
    const QByteArray wrapped = "Chef's salad\n\n8 cups chopped romaine and/or\niceberg lettuce\n1 "
                               "medium cucumber, seeded and\nchopped\n12 ounces reduced-sodium "
                               "canned tuna,\npacked in water, drained\n4 small skinless chicken "
                               "breasts\n(about 4 ounces each)\nSalt to taste\n"_ba;
    QTest::newRow("a line ending in and/or goes on below")
        << wrapped << QString() << u"8 cups chopped romaine and/or iceberg lettuce"_s
        << QJsonValue(376) << QString();
    QTest::newRow("so does one ending in and")
        << wrapped << QString() << u"1 medium cucumber, seeded and chopped"_s << QJsonValue(301)
        << QString();
    QTest::newRow("and one ending in a comma before a word in small letters")
        << wrapped << QString()
        << u"12 ounces reduced-sodium canned tuna, packed in water, drained"_s << QJsonValue(255)
        << QString();
    QTest::newRow("a line wholly in brackets belongs to the one above")
        << wrapped << QString() << u"4 small skinless chicken breasts (about 4 ounces each)"_s
        << QJsonValue(454) << QString();
    QTest::newRow("a whole line below a finished one stands alone")
        << wrapped << QString() << u"Salt to taste"_s << QJsonValue() << QString();
    QTest::newRow("a cup of pasta dry is no cup of it cooked")
        << "Bake\n\n2 cups uncooked spaghetti noodles\n"_ba << QString()
        << u"2 cups uncooked spaghetti noodles"_s << QJsonValue(198) << QString();
}

void TestPasteMatching::analyzeCountsWhatIsEaten()
{
    QFETCH(QByteArray, recipe);
    QFETCH(QString, measures);
    QFETCH(QString, line);
    testing::TempWorkDir dir;
    QStringList arguments{u"analyze"_s, u"--data-dir"_s, dir.path(), u"--json"_s, u"-"_s};
    if (!measures.isEmpty())
        arguments << u"--measures"_s << measures;
    const Run run = runZestora(arguments, recipe);
    QCOMPARE(run.exitCode, 0);
    const QJsonArray lines = QJsonDocument::fromJson(run.out.toUtf8())[u"lines"_s].toArray();
    const auto found = std::find_if(lines.begin(), lines.end(), [&](const QJsonValue& value) {
        return value[u"text"_s].toString() == line;
    });
    QVERIFY(found != lines.end());
    QTEST((*found)[u"grams"_s], "grams");
    const QJsonValue said = (*found)[measures.isEmpty() ? u"counted"_s : u"measure"_s];
    QTEST(said.toString(), "said");
}

void TestPasteMatching::analyzeTellsWhatItCannotAnalyze_data()
{
    QTest::addColumn<QString>("file"); // "-" for the input
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("says"); // on standard output when it succeeds, else on error
    const QStringList none;
    QTest::newRow("a file that is not there") << u"no-such-recipe.txt"_s << QByteArray() << none
                                              << 1 << u"Cannot read no-such-recipe.txt: "_s;
    QTest::newRow("standard input is a recipe too")
        << u"-"_s << "2 cups milk\n"_ba << none << 0 << u"2  cup     Milk, whole, 3.25% milkfat"_s;
    QTest::newRow("an empty file has no ingredient lines")
        << u"recipe.txt"_s << QByteArray() << none << 1
        << u"There are no ingredient lines in recipe.txt: nothing to analyze.\n"_s;
    QTest::newRow("nor has empty input")
        << u"-"_s << "\n\n"_ba << none << 1 << u"There are no ingredient lines in the input"_s;
    QTest::newRow("no calories give no shares, in the screens' words")
        << u"-"_s << "1 cup water\n"_ba << none << 0
        << u"0% of calories from Fat, 0% from Carbohydrates, 0% from Protein\n"_s;
    QTest::newRow("measures it does not know")
        << u"-"_s << "2 cups milk\n"_ba << QStringList{u"--measures"_s, u"metric"_s} << 2
        << u"The measures are us, uk or au, not metric.\n"_s;
    QTest::newRow("a weighed dish gives the serving's weight and 100 g's nutrients")
        << u"-"_s << "Serves 2\n2 cups milk\n"_ba << QStringList{u"--cooked-weight"_s, u"400"_s}
        << 0
        << u"Serving 200 g; per 100 g: 75 calories, 4g fat, 5.8g carbohydrate, 3.8g protein\n"_s;
    QTest::newRow("a weight when cooked is grams above zero")
        << u"-"_s << "2 cups milk\n"_ba << QStringList{u"--cooked-weight"_s, u"0"_s} << 2
        << u"The cooked weight must be grams above zero, not 0.\n"_s;
    QTest::newRow("an amount no measure can hold says so")
        << u"-"_s << "100000 cups sugar\n"_ba << none << 0
        << u"Sugars, granulated: amount too large for a recipe line, counts for nothing"_s;
    QTest::newRow("so does an extra no measure can hold")
        << u"-"_s << "50g butter, plus 99999999999999 tbsp extra\n"_ba << none << 0
        << u"Butter, salted: amount too large for a recipe line, counts for nothing"_s;
    QTest::newRow("an amount with an exponent is that amount, not its first figure")
        << u"-"_s << "1e20 tbsp vanilla pudding mix\n"_ba << none << 0
        << u"Puddings, vanilla, dry mix, regular: amount too large for a recipe line, counts for "
           u"nothing"_s;
    QTest::newRow("a run of measuring words is read, not a crash")
        << u"-"_s << "Sugar\n" + QByteArray("scant ").repeated(60000) + "1 cup sugar\n"
        << none << 0 << u"Sugars, granulated: no amount, counts for nothing"_s;
}

void TestPasteMatching::analyzeTellsWhatItCannotAnalyze()
{
    QFETCH(QString, file);
    QFETCH(QByteArray, input);
    QFETCH(QStringList, options);
    QFETCH(int, exitCode);
    QFETCH(QString, says);
    testing::TempWorkDir dir;
    if (file == u"recipe.txt"_s)
        testing::writeFile(file, input);
    const Run run = runZestora(QStringList{u"analyze"_s, u"--data-dir"_s, dir.path()} + options +
                                   QStringList{file},
                               file == u"-"_s ? input : QByteArray());
    QCOMPARE(run.exitCode, exitCode);
    QVERIFY2((exitCode == 0 ? run.out : run.err).contains(says), qPrintable(run.out + run.err));
    if (exitCode != 0)
        QVERIFY(run.out.isEmpty());
}

void TestPasteMatching::theIndexFollowsTheTable()
{
    testing::TempWorkDir dir;
    IngTable table;
    table.loadIngTable();
    FoodIndex index(table, dir.path());
    const auto best = [&](const QString& words) {
        const QList<FoodMatch> foods = index.matcher().bestFoods(words);
        return foods.isEmpty() ? QString() : table.at(foods.front().index).name;
    };
    QCOMPARE(best(u"zorbles"_s), QString());
    QVERIFY(table.appendIng(testing::food(u"Zorbles, raw"_s, 1, u"cup"_s)));
    QCOMPARE(best(u"zorbles"_s), u"Zorbles, raw"_s);
    // Made on a thread of its own for the table as it is, and of no use once the table changed
    // while it was made.
    for (const QString& name : {u"Quibbles, dried"_s, u"Wibbles, dried"_s}) {
        QVERIFY(table.appendIng(testing::food(name, 1, u"cup"_s)));
        index.prepare();
    }
    QVERIFY(table.appendIng(testing::food(u"Zibbles, dried"_s, 1, u"cup"_s)));
    for (const QString& name : {u"Quibbles, dried"_s, u"Wibbles, dried"_s, u"Zibbles, dried"_s})
        QCOMPARE(best(name.section(u',', 0, 0)), name);
}

void TestPasteMatching::aRecipeMadeIngredientIsMatchedByItsName()
{
    testing::TempWorkDir dir;
    testing::writeFile(IngTable::fileName,
                       testing::readFile(QStringLiteral(STARTER_DIR "/Ing.dat")));
    IngTable table;
    table.loadIngTable();
    // As "Use as Ingredient" makes it of the recipe Basic Pie Crust, among the starter's crusts.
    QVERIFY(table.appendIng(testing::food(u"Basic Pie Crust"_s, 1, u"serving"_s, 45, u"g"_s)));
    FoodIndex index(table, QStringLiteral(STARTER_DIR));
    const auto foodOf = [&table](const ReviewedLine& line) {
        return line.matched() ? table.at(line.food).trimmedName() : QString();
    };
    QCOMPARE(foodOf(index.review(readIngredientLine(u"1 cup basic pie crust"_s))),
             u"Basic Pie Crust"_s);
    mealmaster::Recipe pie;
    pie.ingredients = {{u"1"_s, u"c"_s, u"basic pie crust"_s, false}};
    QCOMPARE(foodOf(exchange::importedRecipe(pie, index).lines.front()), u"Basic Pie Crust"_s);
}

void TestPasteMatching::importStoresEachRecipeOnce_data()
{
    QTest::addColumn<QByteArray>("file");   // the file imported; empty: two-recipes.mmf
    QTest::addColumn<QByteArray>("before"); // Recipe.Dat before the import
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QStringList>("stored");
    QTest::addColumn<QString>("said");
    const QString stew =
        lines::recipeRecord(u"Zorble Stew"_s, u"1"_s, {lines::headingEntry(u"Old"_s)}, u"Old."_s);
    QTest::newRow("a recipe with a line that matches no food waits for --accept-best")
        << QByteArray() << QByteArray() << QStringList() << 1
        << QStringList{u"Buttermilk Pancakes"_s}
        << u"Not stored: Zorble Stew, whose lines below are to be checked (--accept-best stores "
           "it with the best matches):\n    1 cup Zorbles: no food found\n"_s;
    QTest::newRow("--accept-best keeps the lines without a food in the directions")
        << QByteArray() << QByteArray() << QStringList{u"--accept-best"_s} << 0
        << QStringList{u"Buttermilk Pancakes"_s, u"Zorble Stew"_s}
        << u"Stored 2 of 2 recipes in "_s;
    QTest::newRow("a stored recipe of the same name is never replaced")
        << QByteArray() << stew.toLatin1() + "\r\n"
        << QStringList{u"--accept-best"_s} << 1
        << QStringList{u"Zorble Stew"_s, u"Buttermilk Pancakes"_s}
        << u"Not stored: Zorble Stew: another recipe of that name is stored."_s;
    QTest::newRow("a title too long for a name is cut after a whole word")
        << "MMMMM----- Recipe via Meal-Master (tm) v8.05\n\n      Title: Grandmother's "
           "Old-Fashioned Buttermilk Pancakes with Warm Maple Syrup\n\n      2 c  Milk\n\n  "
           "Stir.\n\nMMMMM\n"_ba
        << QByteArray() << QStringList() << 0
        << QStringList{u"Grandmother's Old-Fashioned Buttermilk Pancakes"_s}
        << u"Stored: Grandmother's Old-Fashioned Buttermilk Pancakes: its ingredient line "
           "counted.\n"_s;
    QTest::newRow("a character the recipe file cannot hold comes in in its plain form")
        << "MMMMM----- Recipe via Meal-Master (tm) v8.05\n\n      Title: Odd \xc2\xbc Soup\n\n"
           "      2 c  Milk\n\n  Stir in \xe2\x85\x93 of it.\n\nMMMMM\n"_ba
        << QByteArray() << QStringList{u"--accept-best"_s} << 0 << QStringList{u"Odd 1/4 Soup"_s}
        << u"Stored: Odd 1/4 Soup: its ingredient line counted."_s;
    QTest::newRow("one amount for each of two foods is a line for each")
        << "MMMMM----- Recipe via Meal-Master (tm) v8.05\n\n      Title: Base\n\n"
           "      1 c  each onion and celery, chopped\n\n  Stir.\n\nMMMMM\n"_ba
        << QByteArray() << QStringList() << 0 << QStringList{u"Base"_s}
        << u"Stored: Base: all 2 ingredient lines counted."_s;
}

void TestPasteMatching::importStoresEachRecipeOnce()
{
    QFETCH(QByteArray, file);
    QFETCH(QByteArray, before);
    QFETCH(QStringList, options);
    QFETCH(int, exitCode);
    QFETCH(QStringList, stored);
    QFETCH(QString, said);
    testing::TempWorkDir dir;
    QVERIFY(QDir().mkdir(u"data"_s));
    if (!before.isEmpty())
        testing::writeFile(u"data/Recipe.Dat"_s, before);
    if (!file.isEmpty())
        testing::writeFile(u"odd.mmf"_s, file);
    const QStringList arguments =
        QStringList{u"import"_s,
                    file.isEmpty() ? QStringLiteral(PASTE_DIR "/two-recipes.mmf") : u"odd.mmf"_s,
                    u"--data-dir"_s, dir.filePath(u"data"_s)} +
        options;
    const Run first = runZestora(arguments);
    QCOMPARE(first.exitCode, exitCode);
    QVERIFY2(first.out.contains(said), qPrintable(first.out));
    RecipeStore store(std::make_unique<DataFile>(u"data/Recipe.Dat"_s));
    QVERIFY(!store.load());
    QCOMPARE(store.recipeNames(), stored);
    const bool stew = stored.contains(u"Zorble Stew"_s);
    QCOMPARE(store.bigRecipe().contains(u"an hour.\r\n\r\nNot counted in the nutrition:\r\n1 cup "
                                        "Zorbles\r\nSalt to taste"_s),
             stew && before.isEmpty());
    // A line's note is kept, a word its food's name holds is not ("all-purpose" flour).
    QCOMPARE(store.bigRecipe().contains(u"ingredients:\r\n2 tbs Butter, salted: melted\r\n\r\nW"_s),
             stored.contains(u"Buttermilk Pancakes"_s));
    // Importing the file again stores nothing twice.
    const QByteArray after = testing::readFile(u"data/Recipe.Dat"_s);
    const Run second = runZestora(arguments);
    QCOMPARE(second.exitCode, exitCode);
    QCOMPARE(testing::readFile(u"data/Recipe.Dat"_s), after);
    QCOMPARE(second.out.contains(u"Already stored: Buttermilk Pancakes\n"_s),
             stored.contains(u"Buttermilk Pancakes"_s));
}

QTEST_GUILESS_MAIN(TestPasteMatching)
#include "tst_pastematching.moc"
