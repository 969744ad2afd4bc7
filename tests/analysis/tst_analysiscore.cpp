#include "core/analysis/lineamounts.h"
#include "core/analysis/recipedraft.h"
#include "core/analysis/servingweight.h"
#include "core/recipes/recipeview.h"
#include "core/store/ingtable.h"
#include "testsupport.h"

#include <cmath>

using namespace zestora;
using namespace zestora::testing;
using namespace zestora::nutrition;
using Shares = QList<std::optional<double>>;

namespace {

// An ingredient with half its fat saturated and a quarter of its carbohydrate fibre.
IngRecord ingredient(float amount1, const QString& measure1, float amount2, const QString& measure2,
                     float fat = 0, float carbs = 0, float protein = 0, qint32 cholesterol = 0)
{
    return food(u"Test"_s, amount1, measure1, amount2, measure2,
                {fat, fat / 2, carbs, carbs / 4, protein, cholesterol});
}

// Milk (a cup of 244 g: 8 g fat, 12 g carbohydrate, 8 g protein), bread by the slice of 28 g, oil
// by the tablespoon of 14 g, butter by the tablespoon (12 g fat), water, salt (no weight known).
struct Pantry {
    TempWorkDir dir;
    IngTable table;
    Pantry()
    {
        table.loadIngTable();
        table.appendIngs({food(u"Milk"_s, 1, u"cup"_s, 244, u"g"_s, {8, 5, 12, 0, 8, 24}),
                          food(u"Bread"_s, 1, u"slice"_s, 28, u"g"_s,
                               {.fat = 1, .carbs = 14, .protein = 3}, true),
                          food(u"Oil"_s, 1, u"tbs"_s, 14, u"g"_s, {.fat = 14}),
                          food(u"Butter"_s, 1, u"tbs"_s, 0, {}, {.fat = 12}),
                          food(u"Water"_s, 1, u"cup"_s),
                          food(u"Salt"_s, 1, u"tsp"_s, 0, {}, {.sodium = 2300})});
    }
};

// A line of the script: "milk2" is 2 cups of milk (butter by the tablespoon, "milk1/2" half a
// cup), "H:Dough" a heading.
RecipeDraft::NewLine newLine(const IngTable& table, const QString& step)
{
    if (step.startsWith(u"H:"))
        return {std::nullopt, step.mid(2), {}, {}};
    const qsizetype digits = step.indexOf(QRegularExpression(u"\\d"_s));
    const QString amount = step.mid(digits);
    const IngRecord& food = table.at(table.lastIndexOfNameIgnoringCase(step.left(digits)));
    return {food,
            food.name,
            {amount.contains(u'/') ? 0 : amount.toInt(), amount == u"1/2"_s ? 5 : 0, true},
            food.measure1};
}

// Runs a script of the user's steps, one a word: a line of newLine's added, "R1" / "I1" / "D1" is
// Replace / Insert / Delete on line 1, "S4" chooses 4 servings, "OK" confirms them, and
// "[milk1|H:Top]" adds the lines between the brackets at once, as pasted.
void run(RecipeDraft& draft, const IngTable& table, const QString& script)
{
    for (const QString& step : script.split(u' ', Qt::SkipEmptyParts)) {
        if (step.startsWith(u'[')) {
            QList<RecipeDraft::NewLine> lines;
            for (const QString& line : step.mid(1).chopped(1).split(u'|'))
                lines.append(newLine(table, line));
            draft.addLines(lines);
        } else if (step.startsWith(u"H:")) {
            draft.addHeading(step.mid(2));
        } else if (step == u"OK") {
            draft.confirmServings();
        } else if (step[0] == u'S') {
            draft.chooseServings({step.mid(1), step.mid(1).toFloat()});
        } else if (step[0].isUpper()) {
            const RecipeDraft::Edit edit = step[0] == u'R'   ? RecipeDraft::Edit::Replace
                                           : step[0] == u'I' ? RecipeDraft::Edit::Insert
                                                             : RecipeDraft::Edit::Delete;
            draft.edit(step.mid(1).toInt(), edit);
        } else {
            const RecipeDraft::NewLine line = newLine(table, step);
            draft.addIngredient(*line.ingredient, line.name, line.quantity, line.unit);
        }
    }
}

} // namespace

class TestAnalysisCore : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void conversionFactorsAgreeWithUnitSizes();
    void quantityEntry_data();
    void quantityEntry();
    void lineContribution_data();
    void lineContribution();
    void calorieShares_data();
    void calorieShares();
    void hugeValuesAreClampedNotUndefined();
    void servingWeightAndPer100g_data();
    void servingWeightAndPer100g();
    void lineWeightsAndShares();
    void editing_data();
    void editing();
    void storedRecipesComeBackAsStored_data();
    void storedRecipesComeBackAsStored();
};

void TestAnalysisCore::conversionFactorsAgreeWithUnitSizes()
{
    // Each unit's size in millilitres or grams, independent of the factor table.
    const QList<QList<std::pair<QString, double>>> kinds{
        {{u"tsp"_s, 5},
         {u"tbs"_s, 15},
         {u"cup"_s, 240},
         {u"pint"_s, 480},
         {u"quart"_s, 960},
         {u"ml"_s, 1}},
        {{u"oz"_s, 28.35}, {u"g"_s, 1}, {u"lb"_s, 453.6}}};
    for (const auto& kind : kinds)
        for (const auto& [chosen, chosenSize] : kind)
            for (const auto& [stored, storedSize] : kind)
                for (const QString& spelled : QStringList{chosen, u" "_s + chosen.toUpper()})
                    QVERIFY2(
                        std::abs(conversionFactor(spelled, stored) / (chosenSize / storedSize) -
                                 1) < 0.01,
                        qPrintable(spelled + u" in "_s + stored));
    QCOMPARE(conversionFactor(u"cup"_s, u"g"_s), 0.0f);
    QCOMPARE(conversionFactor(u"kg"_s, u"g"_s), 0.0f);
    // Exactly the single nearest 1/960, which QCOMPARE's fuzzy float comparison would not tell.
    QVERIFY(conversionFactor(u"ml"_s, u"quart"_s) == 1.0f / 960);
}

void TestAnalysisCore::quantityEntry_data()
{
    QTest::addColumn<int>("ones");
    QTest::addColumn<int>("fraction");
    QTest::addColumn<bool>("fractionMode");
    QTest::addColumn<QString>("text");
    QTest::addColumn<float>("value");
    QTest::newRow("a third alone, counted 0.333") << 0 << 3 << true << u"1/3"_s << 0.333f;
    QTest::newRow("two and a half") << 2 << 5 << true << u"2 1/2"_s << 2.5f;
    QTest::newRow("nothing in fractions") << 0 << 0 << true << u"Error"_s << 0.0f;
    QTest::newRow("two point five") << 2 << 5 << false << u"2.5"_s << 2.5f;
    QTest::newRow("nothing in decimals") << 0 << 0 << false << u"Error"_s << 0.0f;
}

void TestAnalysisCore::quantityEntry()
{
    QFETCH(int, ones);
    QFETCH(int, fraction);
    QFETCH(bool, fractionMode);
    QFETCH(QString, text);
    QFETCH(float, value);
    const quantity::Entry entry{ones, fraction, fractionMode};
    QCOMPARE(entry.text(), text);
    QCOMPARE(entry.value(), value);
}

void TestAnalysisCore::lineContribution_data()
{
    QTest::addColumn<IngRecord>("record");
    QTest::addColumn<QString>("measure");
    QTest::addColumn<float>("quantity");
    QTest::addColumn<float>("servings");
    QTest::addColumn<float>("fat");
    QTest::addColumn<qint32>("fatCalories");
    QTest::addColumn<qint32>("calories");
    const IngRecord spoon = ingredient(1, u"tbs"_s, 15, u"g"_s, 10);
    QTest::newRow("2 tsp of a tablespoon measure: factor 0.3333")
        << spoon << u"tsp"_s << 2.0f << 1.0f << 6.7f << 60 << 60;
    QTest::newRow("1 cup of 100 g / 240 ml: the second measure counts one portion")
        << ingredient(100, u"g"_s, 240, u"ml"_s, 4, 10, 2) << u"cup"_s << 1.0f << 1.0f << 4.0f << 36
        << 84;
    const IngRecord slice = ingredient(1, u"slice"_s, 28, u"g"_s, 1, 12, 3);
    QTest::newRow("own measure: the quantity counts slices")
        << slice << u"slice"_s << 3.0f << 1.0f << 3.0f << 27 << 207;
    const IngRecord macros = ingredient(1, u"cup"_s, 0, QString(), 3, 10, 5);
    QTest::newRow("divided by four servings")
        << macros << u"cup"_s << 1.0f << 4.0f << 0.8f << 7 << 22;
    QTest::newRow("a third of a serving counted as 0.333")
        << macros << u"cup"_s << 1.0f << 0.333f << 9.0f << 81 << 261;
    QTest::newRow("taking out more than was put in stops at zero")
        << macros << u"cup"_s << -1.0f << 1.0f << 0.0f << 0 << 0;
}

void TestAnalysisCore::lineContribution()
{
    QFETCH(IngRecord, record);
    QFETCH(QString, measure);
    QFETCH(float, quantity);
    QFETCH(float, servings);
    QFETCH(float, fat);
    QFETCH(qint32, fatCalories);
    QFETCH(qint32, calories);
    RecipeTotals totals;
    addLineNutrients(totals, record, measure, quantity, servings);
    QCOMPARE(totals.totFat, fat);
    QCOMPARE(totals.totFatCalories, fatCalories);
    QCOMPARE(totals.totCalories, calories);
}

void TestAnalysisCore::calorieShares_data()
{
    QTest::addColumn<qint32>("calories");
    QTest::addColumn<qint32>("fatCalories");
    QTest::addColumn<float>("carbs");
    QTest::addColumn<float>("protein");
    QTest::addColumn<QString>("fatShare");
    QTest::addColumn<QString>("carbShare");
    QTest::addColumn<QString>("proteinShare");
    QTest::addColumn<double>("carbValue");
    QTest::newRow("a share in tenths: worked from the grams as shown, 7.3")
        << 100 << 31 << 10.0f << 7.3f << u"30.9% of calories from Fat"_s
        << u"39.9% from Carbohydrates"_s << u"29.1% from Protein"_s << 39.9;
    // Unclamped totals (the stored recipes screen's) can take the shares past 100.
    QTest::newRow("a fat share above 100 is shown as computed")
        << 50 << 90 << -10.0f << 0.0f << u"180% of calories from Fat"_s
        << u"-80% from Carbohydrates"_s << u"0% from Protein"_s << -80.0;
    QTest::newRow("no macronutrients: the calories are the base")
        << 50 << 0 << 0.0f << 0.0f << u"0% of calories from Fat"_s << u"0% from Carbohydrates"_s
        << u"0% from Protein"_s << 0.0;
}

void TestAnalysisCore::calorieShares()
{
    QFETCH(qint32, calories);
    QFETCH(qint32, fatCalories);
    QFETCH(float, carbs);
    QFETCH(float, protein);
    QFETCH(QString, fatShare);
    QFETCH(QString, carbShare);
    QFETCH(QString, proteinShare);
    QFETCH(double, carbValue);
    RecipeTotals totals;
    totals.totCalories = calories;
    totals.totFatCalories = fatCalories;
    totals.totCarbs = carbs;
    totals.totProtein = protein;
    const std::optional<CalorieShares> shares = nutrition::calorieShares(totals);
    QVERIFY(shares);
    QCOMPARE(shares->fat, fatShare);
    QCOMPARE(shares->carbs, carbShare);
    QCOMPARE(shares->protein, proteinShare);
    // The chart shows the very numbers the sentences begin with.
    QCOMPARE(shares->values[1], carbValue);
    totals.totCalories = 0;
    QVERIFY(!nutrition::calorieShares(totals));
}

void TestAnalysisCore::servingWeightAndPer100g_data()
{
    QTest::addColumn<std::optional<double>>("cooked");
    QTest::addColumn<std::optional<double>>("raw");
    QTest::addColumn<QString>("serving"); // empty: not known
    QTest::addColumn<PanelTexts>("per100g");
    // 4 servings of 490 kcal and 20.5 g fat each.
    const PanelTexts cooked{u"200"_s, u"76"_s,   u"8.4g"_s, u"13%"_s,  u"0g"_s,
                            u"0%"_s,  u"41mg"_s, u"14%"_s,  u"82mg"_s, u"3%"_s,
                            u"0g"_s,  u"0%"_s,   u"0g"_s,   u"0%"_s,   u"12.2g"_s};
    QTest::newRow("the weight when cooked wins over the raw lines")
        << std::optional(980.0) << std::optional(1200.0) << u"Serving 245 g"_s << cooked;
    QTest::newRow("else the raw lines, and it says so")
        << std::optional<double>() << std::optional(980.0) << u"Serving 245 g (raw)"_s << cooked;
    QTest::newRow("a line without a weight leaves it unknown")
        << std::optional<double>() << std::optional<double>() << QString() << PanelTexts{};
    QTest::newRow("nor is a dish of no weight divided by")
        << std::optional(0.0) << std::optional<double>() << QString() << PanelTexts{};
}

void TestAnalysisCore::servingWeightAndPer100g()
{
    QFETCH(std::optional<double>, cooked);
    QFETCH(std::optional<double>, raw);
    RecipeTotals perServing{490, 185, 20.5f, 0, 100, 200, 0, 0, 30};
    const std::optional<ServingWeight> weight = servingWeight(perServing, 4, cooked, raw);
    QTEST(weight ? weight->text() : QString(), "serving");
    QTEST(weight ? panelTexts(weight->per100g) : PanelTexts{}, "per100g");
}

void TestAnalysisCore::hugeValuesAreClampedNotUndefined()
{
    const IngRecord huge =
        ingredient(0.001f, u"g"_s, 0, QString(), 3e38f, 3e38f, 3e38f, 2147483647);
    RecipeTotals totals;
    addLineNutrients(totals, huge, u"lb"_s, 1000, 0.125f);
    addLineNutrients(totals, huge, u"lb"_s, 1000, 0.125f);
    QCOMPARE(totals.totCholesterol, std::numeric_limits<qint32>::max());
    QCOMPARE(totals.totCalories, std::numeric_limits<qint32>::max());
    QCOMPARE(nutrition::panelTexts(totals).cholPct, u"715827882%"_s);
    nutrition::rescale(totals, 1, 0.125f);
    QCOMPARE(totals.totFatCalories, std::numeric_limits<qint32>::max());
    QVERIFY(nutrition::calorieShares(totals));
}

void TestAnalysisCore::lineWeightsAndShares()
{
    // Four servings of 2 cups of milk, 3 slices of bread, 1 tsp of oil, a heading, 1/2 tsp of
    // salt and a line whose ingredient has gone from the table.
    const Pantry pantry;
    QList<std::optional<LineAmount>> amounts;
    for (const QString& entry : {lines::ingredientEntry(u"milk"_s, true, u"2"_s, u"cup"_s),
                                 lines::ingredientEntry(u"Bread"_s, true, u"3"_s, u"slice"_s),
                                 lines::ingredientEntry(u"Oil"_s, false, u"1.0"_s, u"tsp"_s),
                                 lines::headingEntry(u"Topping"_s),
                                 lines::ingredientEntry(u"Salt"_s, true, u"1/2"_s, u"tsp"_s),
                                 lines::ingredientEntry(u"Gone"_s, true, u"1"_s, u"cup"_s)})
        amounts.append(lineAmount(entry, pantry.table, 4));
    QVERIFY(!amounts[3] && !amounts[5] && !amounts[4]->grams);
    QCOMPARE(gramsText(*amounts[0]->grams), u"488 g"_s);
    QCOMPARE(gramsText(*amounts[2]->grams), u"4.7 g"_s);
    QCOMPARE(amounts[0]->workings(), u"2 cup = 2 x 244 g; 152 kcal per cup; 4 servings"_s);
    QCOMPARE(amounts[4]->workings(), u"1/2 tsp; 0 kcal per tsp; 4 servings"_s);
    QCOMPARE(amounts[0]->amount(Nutrient::Calories), 76.0);
    // Fat per serving: 4, 0.75, 14 x 0.3333 / 4 = 1.16655, 0: 5.91655 g in all.
    const Shares fat = lineShares(amounts, Nutrient::TotalFat);
    const std::nullopt_t none = std::nullopt;
    const Shares expected{67.607, 12.676, 19.717, none, 0.0, none};
    for (qsizetype i = 0; i < fat.size(); ++i)
        QVERIFY(fat[i].has_value() == expected[i].has_value() &&
                std::abs(fat[i].value_or(0) - expected[i].value_or(0)) < 0.001);
    // A nutrient no line holds marks no line.
    QCOMPARE(lineShares(amounts, Nutrient::Fiber), Shares(6, none));
}

void TestAnalysisCore::editing_data()
{
    QTest::addColumn<QString>("script");
    QTest::addColumn<QString>("rows");
    QTest::addColumn<QString>("fat");   // the panel's total fat
    QTest::addColumn<QString>("share"); // the fat share
    QTest::newRow("lines go to the end")
        << u"milk2 butter1"_s << u"2  cup     Milk|1  tbs     Butter"_s << u"28g"_s
        << u"61.2% of calories from Fat"_s;
    QTest::newRow("Replace takes the line and its fat out; the next line takes its place")
        << u"milk1 butter1 water1 R1 milk1/2"_s
        << u"1  cup     Milk|1/2  cup     Milk|1  cup     Water"_s << u"12g"_s
        << u"47.4% of calories from Fat"_s;
    QTest::newRow("Insert puts the next line after the one clicked")
        << u"milk1 water1 I0 butter1"_s << u"1  cup     Milk|1  tbs     Butter|1  cup     Water"_s
        << u"20g"_s << u"69.2% of calories from Fat"_s;
    QTest::newRow("a heading after lines comes after a blank line; deleting it changes nothing")
        << u"H:Dough milk1 H:Top D2 D2"_s << u"Dough|1  cup     Milk"_s << u"8g"_s
        << u"47.4% of calories from Fat"_s;
    QTest::newRow("a heading waits for no Replace, which the next line still takes")
        << u"milk1 water1 R0 H:Glaze butter1"_s << u"1  tbs     Butter|1  cup     Water| |Glaze"_s
        << u"12g"_s << u"100% of calories from Fat"_s;
    QTest::newRow("a Replace still waiting makes Insert take the clicked line out too")
        << u"milk1 water1 butter1 R0 I1"_s << u"1  cup     Water"_s << u"0g"_s
        << u"100% of calories from Fat"_s;
    QTest::newRow("no line left: the panel reads zero")
        << u"milk1 butter1 D0 D0"_s << QString() << u"0g"_s << u"0% calories from Fat"_s;
    QTest::newRow("pasted lines go in together where an Insert waits, a heading after a blank")
        << u"milk1 water1 I0 [butter1|H:Top|milk1/2]"_s
        << u"1  cup     Milk|1  tbs     Butter| |Top|1/2  cup     Milk|1  cup     Water"_s
        << u"24g"_s << u"64.3% of calories from Fat"_s;
    QTest::newRow("pasted lines take a Replace's place")
        << u"milk1 water1 R0 [H:Top|butter1]"_s << u"Top|1  tbs     Butter|1  cup     Water"_s
        << u"12g"_s << u"100% of calories from Fat"_s;
    QTest::newRow("OK rescales once, a line added before it included")
        << u"milk2 S4 milk2 OK"_s << u"2  cup     Milk|2  cup     Milk"_s << u"8g"_s
        << u"47.4% of calories from Fat"_s;
}

void TestAnalysisCore::editing()
{
    QFETCH(QString, script);
    QFETCH(QString, rows);
    QFETCH(QString, fat);
    QFETCH(QString, share);
    const Pantry pantry;
    RecipeDraft draft(pantry.table);
    run(draft, pantry.table, script);
    QStringList shown;
    for (const DraftLine& line : draft.lines())
        shown.append(line.row);
    QCOMPARE(shown.join(u'|'), rows);
    QCOMPARE(draft.panel().value_or(PanelTexts{}).fatG, fat);
    QCOMPARE(draft.shares().fat, share);
    QVERIFY(!draft.isSaved());
    // Start over empties all, the panel too.
    draft.reset();
    QCOMPARE(draft.lineCount(), 0);
    QVERIFY(!draft.panel());
    QCOMPARE(draft.shares(), CalorieShares{});
}

void TestAnalysisCore::storedRecipesComeBackAsStored_data()
{
    QTest::addColumn<QString>("servings");
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<int>("spinner");
    QTest::addColumn<float>("divisor");
    QTest::addColumn<QString>("fat"); // none: the panel is blank
    const QString milk = lines::ingredientEntry(u"Milk"_s, true, u"1"_s, u"cup"_s);
    const QString lost = lines::ingredientEntry(u"Saffron"_s, true, u"1"_s, u"tsp"_s);
    const QString heading = lines::headingEntry(u"Glaze"_s);
    QTest::newRow("a third: the spinner's divisor")
        << u"1/3"_s << QStringList{milk} << 3 << 0.333f << u"24g"_s;
    QTest::newRow("servings the spinner cannot show keep their divisor")
        << u"2.5"_s << QStringList{milk} << 12 << 2.5f << u"3.2g"_s;
    QTest::newRow("headings only: a blank panel")
        << u"1"_s << QStringList{heading} << 10 << 1.0f << QString();
    QTest::newRow("a missing ingredient: the lines after it count too")
        << u"1"_s << QStringList{milk, lost, heading, milk} << 10 << 1.0f << u"16g"_s;
}

void TestAnalysisCore::storedRecipesComeBackAsStored()
{
    QFETCH(QString, servings);
    QFETCH(QStringList, entries);
    QFETCH(int, spinner);
    QFETCH(float, divisor);
    QFETCH(QString, fat);
    const Pantry pantry;
    const QString record = lines::recipeRecord(u"Soup"_s, servings, entries, u"Stir."_s);
    RecipeDraft draft(pantry.table);
    draft.takeOver(viewRecipe(record.mid(record.indexOf(u'\u00a7')), pantry.table));
    QVERIFY(draft.isSaved());
    QCOMPARE(draft.servingsSpinnerValue(), spinner);
    QVERIFY(draft.servings() == divisor && draft.totalsServings() == divisor);
    QCOMPARE(draft.panel() ? draft.panel()->fatG : QString(), fat);
    // Saved again unchanged, the recipe is stored as it was.
    QCOMPARE(draft.record(u"Soup"_s, u"Stir."_s), record);
}

QTEST_GUILESS_MAIN(TestAnalysisCore)
#include "tst_analysiscore.moc"
