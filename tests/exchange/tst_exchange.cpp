#include "core/exchange/exportfile.h"
#include "core/exchange/mealmaster.h"
#include "core/exchange/recipeexport.h"
#include "core/exchange/recipefile.h"
#include "core/exchange/recipeimport.h"
#include "core/exchange/storedrecipe.h"
#include "core/paste/foodindex.h"
#include "core/recipes/cookedweights.h"
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

} // namespace

class TestExchange : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void mealMasterAsWrittenByHand();
    void storedLinesInTheFormat_data();
    void storedLinesInTheFormat();
    void jsonAsWrittenByHand();
    void htmlPage();
    void readingFilesOthersWrote_data();
    void readingFilesOthersWrote();
    void unitCodesReadBackAsTheScreensUnits();
    void exportsComeBackByteForByte_data();
    void exportsComeBackByteForByte();
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

// Files as other programs write them (MealMaster of every style, JSON-LD, saved web pages),
// beside what must be read of each.
void TestExchange::readingFilesOthersWrote_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("recipes");
    QTest::addColumn<int>("problems");
    const QList<QStringList> rows =
        testing::tableRows(QStringLiteral(EXCHANGE_DIR "/corpus/expected.tsv"));
    QVERIFY(!rows.isEmpty());
    for (const QStringList& row : rows) {
        QCOMPARE(row.size(), 3);
        QTest::newRow(qPrintable(row[0])) << row[0] << row[1] << row[2].toInt();
    }
}

void TestExchange::readingFilesOthersWrote()
{
    QFETCH(QString, name);
    QList<std::pair<qsizetype, qsizetype>> steps; // done, total
    const exchange::RecipeFile read = exchange::readRecipeFile(
        name, handWritten(qPrintable(u"corpus/"_s + name)), [&steps](auto done, auto total) {
            steps.append({done, total});
            return true;
        });
    // Progress only goes on and ends once with the whole file; a page, always short, tells none.
    QVERIFY(std::adjacent_find(steps.begin(), steps.end(), std::greater_equal<>()) == steps.end());
    QCOMPARE(steps.isEmpty(), name.endsWith(u".html"_s));
    QVERIFY(steps.isEmpty() || steps.last().first == steps.last().second);
    QStringList recipes;
    for (const mealmaster::Recipe& recipe : read.recipes)
        recipes.append(summary(recipe));
    QTEST(recipes.join(u" ~ "_s), "recipes");
    QTEST(static_cast<int>(read.problems.size()), "problems");
    QCOMPARE(read.noRecipe.isEmpty(), !recipes.isEmpty());
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
        // What an import keeps of a source: title, yield, categories, line notes, description.
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
    // The weight of a finished dish of 4 servings goes out and comes back with its recipe.
    const QString weighed = u"Recipe 2 of the 400 varied ones"_s;
    writeFile(CookedWeights::fileName, weighed.toUtf8() + "\t980\n");
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
    if (format == exchange::Format::MealMaster) {
        QVERIFY(!numberFirst.match(QString::fromLatin1(readFile(u"out"_s))).hasMatch());
        // Lines of 79 characters and the CR but for a title kept whole; only a word longer than
        // that stands alone.
        for (const QByteArray& line : readFile(u"out"_s).split('\n'))
            QVERIFY2(line.size() <= 80 || line.startsWith("      Title:") ||
                         !line.trimmed().contains(' '),
                     line.data());
    } else { // the kept notes and description in the fields consumers read
        QVERIFY(readFile(u"out"_s).contains("raw; finely chopped, divided\",") &&
                readFile(u"out"_s).contains("\"description\": \"Old and good.\","));
    }
    paste::FoodIndex index(ingredients, u"no-starter"_s);
    const QList<int> order = exchange::allRecipes(recipes);
    for (qsizetype i = 0; i < read.recipes.size(); ++i) {
        const exchange::ImportedRecipe imported = exchange::importedRecipe(read.recipes[i], index);
        QString problem;
        const QString record = imported.record(imported.name, ingredients, &problem);
        QVERIFY2(problem.isEmpty(), qPrintable(problem));
        const RecipeEntry& stored = recipes.recipeList()[order[i]];
        QCOMPARE(record, QChar(u'\u00ae') + stored.recipeName + recipes.recipeBody(order[i]));
        QCOMPARE(imported.cookedGrams,
                 stored.recipeName.trimmed() == weighed ? std::optional(980.0) : std::nullopt);
    }
}

QTEST_GUILESS_MAIN(TestExchange)
#include "tst_exchange.moc"
