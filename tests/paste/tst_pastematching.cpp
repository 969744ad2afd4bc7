#include "core/analysis/recipelines.h"
#include "core/paste/foodindex.h"
#include "core/paste/linereview.h"
#include "core/store/ingtable.h"
#include "core/store/recipestore.h"
#include "testsupport.h"

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

} // namespace

class TestPasteMatching : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void matchesLinesFirstTime_data();
    void matchesLinesFirstTime();
    void analyzePrintsJson();
    void analyzeRefusesWhatItCannotRead();
    void theIndexFollowsTheTable();
    void importStoresEachRecipeOnce_data();
    void importStoresEachRecipeOnce();
};

void TestPasteMatching::matchesLinesFirstTime_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<double>("share"); // of the lines matched to the right food and unit
    QTest::newRow("lines the matcher was made with") << u"ingredient-lines.tsv"_s << 0.95;
    QTest::newRow("lines written apart from it") << u"unseen-lines.tsv"_s << 0.95;
    QTest::newRow("lines written after it") << u"later-lines.tsv"_s << 0.9;
    QTest::newRow("lines from a broad mix of sources") << u"varied-lines.tsv"_s << 0.95;
    QTest::newRow("the common names of foods") << u"common-names.tsv"_s << 0.97;
    QTest::newRow("lines as other cooks write them") << u"other-cooks-lines.tsv"_s << 0.87;
    QTest::newRow("lines written after the last change, run once") << u"last-lines.tsv"_s << 0.85;
    QTest::newRow("lines written for the closing count, run once")
        << u"closing-lines.tsv"_s << 0.96;
}

void TestPasteMatching::matchesLinesFirstTime()
{
    QFETCH(QString, file);
    QFETCH(double, share);
    const Starter starter;
    const FoodMatcher matcher(starter.table, starter.tables.names);
    const QByteArray rows = testing::readFile(QStringLiteral(PASTE_DIR "/") + file);
    int lines = 0;
    int right = 0;
    int marked = 0;
    int markedWrong = 0;
    for (const QByteArray& row : rows.split('\n')) {
        if (row.isEmpty() || row.startsWith('#'))
            continue;
        const QStringList fields = QString::fromUtf8(row).split(u'\t');
        QCOMPARE(fields.size(), 3);
        const ReviewedLine reviewed = reviewLine(readIngredientLine(fields[0]), matcher,
                                                 starter.table, starter.tables.weights);
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

void TestPasteMatching::analyzePrintsJson()
{
    testing::TempWorkDir dir;
    testing::writeFile(u"recipe.txt"_s, "Pancakes\n\n1 1/2 cups all-purpose flour\n2 large eggs\n"
                                        "1 cup chopped onion\nSalt to taste\n1 cup zorbles\n");
    const Run run = runZestora({u"analyze"_s, u"--data-dir"_s, dir.path(), u"--servings"_s, u"4"_s,
                                u"--json"_s, u"recipe.txt"_s});
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.out, u"{\n"
                      "  \"title\": \"Pancakes\",\n"
                      "  \"servings\": 4,\n"
                      "  \"lines\": [\n"
                      "    {\"text\": \"1 1/2 cups all-purpose flour\", \"food\": \"Wheat flour, "
                      "white, all-purpose, enriched, bleached\", \"quantity\": \"1 1/2\", "
                      "\"unit\": \"cup\", \"grams\": 188, \"matched\": true},\n"
                      "    {\"text\": \"2 large eggs\", \"food\": \"Egg, whole, raw, fresh\", "
                      "\"quantity\": \"2\", \"unit\": \"large\", \"grams\": 100, "
                      "\"matched\": true},\n"
                      "    {\"text\": \"1 cup chopped onion\", \"food\": \"Onions, raw\", "
                      "\"quantity\": \"160\", \"unit\": \"g\", \"grams\": 160, "
                      "\"matched\": true},\n"
                      "    {\"text\": \"Salt to taste\", \"food\": \"Salt, table\", \"quantity\": "
                      "null, \"unit\": null, \"grams\": null, \"matched\": true},\n"
                      "    {\"text\": \"1 cup zorbles\", \"food\": null, \"quantity\": null, "
                      "\"unit\": null, \"grams\": null, \"matched\": false}\n"
                      "  ],\n"
                      "  \"perServing\": {\"calories\": 217, \"caloriesFromFat\": 25, \"fat\": "
                      "2.9, \"satFat\": 0.9, \"cholesterol\": 93, \"sodium\": 38, "
                      "\"carbohydrate\": 39.7, \"fiber\": 2, \"protein\": 8.3}\n"
                      "}\n"_s);
}

void TestPasteMatching::analyzeRefusesWhatItCannotRead()
{
    testing::TempWorkDir dir;
    const Run missing =
        runZestora({u"analyze"_s, u"--data-dir"_s, dir.path(), u"no-such-recipe.txt"_s});
    QCOMPARE(missing.exitCode, 1);
    QVERIFY(missing.err.startsWith(u"Cannot read no-such-recipe.txt: "_s));
    QVERIFY(missing.out.isEmpty());
    // Standard input is a recipe too.
    const Run piped =
        runZestora({u"analyze"_s, u"--data-dir"_s, dir.path(), u"-"_s}, "2 cups milk\n");
    QCOMPARE(piped.exitCode, 0);
    QVERIFY(piped.out.contains(u"2  cup     Milk, whole, 3.25% milkfat"_s));
}

void TestPasteMatching::theIndexFollowsTheTable()
{
    testing::TempWorkDir dir;
    IngTable table;
    table.loadIngTable();
    FoodIndex index(table, dir.path());
    const auto best = [&] {
        const QList<FoodMatch> foods = index.matcher().bestFoods(u"zorbles"_s);
        return foods.isEmpty() ? QString() : table.at(foods.front().index).name;
    };
    QCOMPARE(best(), QString());
    QVERIFY(table.appendIng(testing::food(u"Zorbles, raw"_s, 1, u"cup"_s)));
    QCOMPARE(best(), u"Zorbles, raw"_s);
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
