#include "core/analysis/nutrition.h"
#include "core/numbers.h"
#include "testsupport.h"

#include <cmath>

using namespace zestora;
using namespace zestora::testing;
using namespace zestora::nutrition;

namespace {

// An ingredient with half its fat saturated and a quarter of its carbohydrate fibre.
IngRecord ingredient(float amount1, const QString& measure1, float amount2, const QString& measure2,
                     float fat = 0, float carbs = 0, float protein = 0, qint32 cholesterol = 0,
                     float sodium = 0)
{
    return food(u"Test"_s, amount1, measure1, amount2, measure2,
                {fat, fat / 2, carbs, carbs / 4, protein, cholesterol, sodium});
}

} // namespace

class TestNutrition : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void conversionFactorsAgreeWithUnitSizes();
    void lineContribution_data();
    void lineContribution();
    void removingEveryLineBringsTotalsBackToZero();
    void rescaleRoundTrips_data();
    void rescaleRoundTrips();
    void calorieShares_data();
    void calorieShares();
    void hugeValuesAreClampedNotUndefined();
    void numberText_data();
    void numberText();
};

void TestNutrition::conversionFactorsAgreeWithUnitSizes()
{
    // Each unit's size in millilitres or grams, independent of the factor table.
    const QList<std::pair<QString, double>> volumes{{u"tsp"_s, 5},     {u"tbs"_s, 15},
                                                    {u"cup"_s, 240},   {u"pint"_s, 480},
                                                    {u"quart"_s, 960}, {u"ml"_s, 1}};
    const QList<std::pair<QString, double>> weights{
        {u"oz"_s, 28.35}, {u"g"_s, 1}, {u"lb"_s, 453.6}};
    const auto spellings = [](const QString& unit) {
        return QStringList{unit, unit.toUpper(), u" "_s + unit + u" "_s,
                           unit.left(1).toUpper() + unit.mid(1)};
    };
    for (const auto& kind : {volumes, weights}) {
        for (const auto& [chosen, chosenSize] : kind) {
            for (const auto& [stored, storedSize] : kind) {
                for (const QString& spelled : spellings(chosen)) {
                    const double factor = conversionFactor(spelled, stored);
                    QVERIFY2(std::abs(factor / (chosenSize / storedSize) - 1) < 0.01,
                             qPrintable(spelled + u" in "_s + stored));
                }
            }
        }
    }
    for (const auto& [volume, ignored] : volumes)
        for (const auto& [weight, alsoIgnored] : weights) {
            QCOMPARE(conversionFactor(volume, weight), 0.0f);
            QCOMPARE(conversionFactor(weight, volume), 0.0f);
        }
    QCOMPARE(conversionFactor(u"slice"_s, u"slice"_s), 0.0f);
    QCOMPARE(conversionFactor(u"kg"_s, u"g"_s), 0.0f);
    // Exactly the single nearest 1/960, which QCOMPARE's fuzzy float comparison would not tell.
    QVERIFY(conversionFactor(u"ml"_s, u"quart"_s) == 1.0f / 960);
}

void TestNutrition::lineContribution_data()
{
    QTest::addColumn<IngRecord>("record");
    QTest::addColumn<QString>("measure");
    QTest::addColumn<float>("quantity");
    QTest::addColumn<float>("servings");
    QTest::addColumn<float>("fat");
    QTest::addColumn<qint32>("fatCalories");
    QTest::addColumn<qint32>("calories");

    IngRecord spoon = ingredient(1, u"tbs"_s, 15, u"g"_s, 10);
    QTest::newRow("2 tsp of a tablespoon measure: factor 0.3333")
        << spoon << u"tsp"_s << 2.0f << 1.0f << 6.7f << 60 << 60;
    IngRecord byWeight = ingredient(100, u"g"_s, 240, u"ml"_s, 4, 10, 2);
    QTest::newRow("1 cup of 100 g / 240 ml: the second measure counts one portion")
        << byWeight << u"cup"_s << 1.0f << 1.0f << 4.0f << 36 << 84;
    IngRecord slice = ingredient(1, u"slice"_s, 28, u"g"_s, 1, 12, 3);
    QTest::newRow("own measure: the quantity counts slices")
        << slice << u"slice"_s << 3.0f << 1.0f << 3.0f << 27 << 207;
    QTest::newRow("a unit of the other kind counts the first measure too")
        << slice << u"cup"_s << 2.0f << 1.0f << 2.0f << 18 << 138;
    IngRecord half = ingredient(1, u"cup"_s, 0, QString());
    half.fat = 0.25f;
    QTest::newRow("tenths round half to even: 0.25 to 0.2")
        << half << u"cup"_s << 1.0f << 1.0f << 0.2f << 2 << 2;
    half.fat = 0.35f;
    QTest::newRow("tenths: 0.35 as a single is just above, to 0.4")
        << half << u"cup"_s << 1.0f << 1.0f << 0.4f << 3 << 3;
    IngRecord macros = ingredient(1, u"cup"_s, 0, QString(), 3, 10, 5);
    QTest::newRow("calories from macronutrients: 10*4 + 27 + 5*4")
        << macros << u"cup"_s << 1.0f << 1.0f << 3.0f << 27 << 87;
    QTest::newRow("divided by four servings")
        << macros << u"cup"_s << 1.0f << 4.0f << 0.8f << 7 << 22;
    QTest::newRow("a third of a serving counted as 0.333")
        << macros << u"cup"_s << 1.0f << 0.333f << 9.0f << 81 << 261;
}

void TestNutrition::lineContribution()
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

void TestNutrition::removingEveryLineBringsTotalsBackToZero()
{
    const IngRecord flour = ingredient(1, u"cup"_s, 125, u"g"_s, 1.2f, 95.4f, 12.9f, 0, 2.5f);
    const IngRecord egg = ingredient(1, u"each"_s, 50, u"g"_s, 4.8f, 0.4f, 6.3f, 186, 71);
    // Each total is rounded to tenths at every step, so what is left after taking every line out
    // is at most a rounding step per line; the screen zeroes it when no line is left.
    RecipeTotals totals;
    addLineNutrients(totals, flour, u"cup"_s, 2.5f, 4);
    addLineNutrients(totals, egg, u"each"_s, 3, 4);
    addLineNutrients(totals, flour, u"tbs"_s, 1, 4);
    addLineNutrients(totals, flour, u"tbs"_s, -1, 4);
    addLineNutrients(totals, egg, u"each"_s, -3, 4);
    addLineNutrients(totals, flour, u"cup"_s, -2.5f, 4);
    for (auto member : {&RecipeTotals::totFat, &RecipeTotals::totSatFat, &RecipeTotals::totCarbs,
                        &RecipeTotals::totFiber, &RecipeTotals::totProtein})
        QVERIFY(totals.*member <= 0.31f);
    QVERIFY(totals.totCalories <= 3);

    // Taking out more than was put in stops at zero.
    totals = RecipeTotals{};
    addLineNutrients(totals, egg, u"each"_s, -1, 1);
    QCOMPARE(totals, RecipeTotals{});
}

void TestNutrition::rescaleRoundTrips_data()
{
    QTest::addColumn<float>("from");
    QTest::addColumn<float>("to");
    QTest::addColumn<float>("fat");
    QTest::addColumn<float>("fatAfter");
    QTest::newRow("1 to 4 and back") << 1.0f << 4.0f << 13.6f << 3.4f;
    QTest::newRow("1 to 2 and back") << 1.0f << 2.0f << 13.6f << 6.8f;
    QTest::newRow("4 to 1/2 and back") << 4.0f << 0.5f << 13.6f << 108.8f;
    QTest::newRow("1 to 1/8 and back") << 1.0f << 0.125f << 13.6f << 108.8f;
    QTest::newRow("grams past 3,276.7 are not cut") << 1.0f << 0.125f << 500.0f << 4000.0f;
}

void TestNutrition::rescaleRoundTrips()
{
    QFETCH(float, from);
    QFETCH(float, to);
    QFETCH(float, fat);
    QFETCH(float, fatAfter);
    // Calories, fat calories, fat, saturated fat, cholesterol, sodium, carbohydrate, fibre,
    // protein.
    RecipeTotals totals{400, 120, fat, 4.8f, 80, 960, 40.4f, 6.4f, 12.8f};
    const RecipeTotals original = totals;
    rescale(totals, from, to);
    QCOMPARE(totals.totCalories, roundToInt32(400.0 * from / to));
    QCOMPARE(totals.totFat, fatAfter);
    rescale(totals, to, from);
    // Whole numbers come back exactly where the rescale had no remainder; grams within a tenth.
    QVERIFY(std::abs(totals.totCalories - original.totCalories) <= 1);
    for (auto member : {&RecipeTotals::totFat, &RecipeTotals::totSatFat, &RecipeTotals::totCarbs,
                        &RecipeTotals::totFiber, &RecipeTotals::totProtein})
        QVERIFY(std::abs(totals.*member - original.*member) <= 0.1f * from / to + 0.051f);
}

void TestNutrition::calorieShares_data()
{
    QTest::addColumn<qint32>("calories");
    QTest::addColumn<qint32>("fatCalories");
    QTest::addColumn<float>("carbs");
    QTest::addColumn<float>("protein");
    QTest::addColumn<QString>("fatShare");
    QTest::addColumn<QString>("carbShare");
    QTest::addColumn<QString>("proteinShare");
    QTest::addColumn<double>("carbValue");
    QTest::newRow("shares of 87 calories")
        << 87 << 27 << 10.0f << 5.0f << u"31% of calories from Fat"_s << u"46% from Carbohydrates"_s
        << u"23% from Protein"_s << 46.0;
    QTest::newRow("a share in tenths: worked from the grams as shown, 7.3")
        << 100 << 31 << 10.0f << 7.3f << u"30.9% of calories from Fat"_s
        << u"39.9% from Carbohydrates"_s << u"29.1% from Protein"_s << 39.9;
    // Unclamped totals (the stored recipes screen's) can take the shares past 100.
    QTest::newRow("a fat share above 100 is shown as computed")
        << 50 << 90 << -10.0f << 0.0f << u"180% of calories from Fat"_s
        << u"-80% from Carbohydrates"_s << u"0% from Protein"_s << -80.0;
    QTest::newRow("carbohydrate and protein shares stop at 100")
        << 60 << -40 << 10.0f << 10.0f << u"-100% of calories from Fat"_s
        << u"100% from Carbohydrates"_s << u"100% from Protein"_s << 100.0;
    QTest::newRow("no macronutrients: the calories are the base")
        << 50 << 0 << 0.0f << 0.0f << u"0% of calories from Fat"_s << u"0% from Carbohydrates"_s
        << u"0% from Protein"_s << 0.0;
}

void TestNutrition::calorieShares()
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

void TestNutrition::hugeValuesAreClampedNotUndefined()
{
    IngRecord huge =
        ingredient(0.001f, u"g"_s, 0, QString(), 3e38f, 3e38f, 3e38f, 2147483647, 3e38f);
    RecipeTotals totals;
    addLineNutrients(totals, huge, u"lb"_s, 1000, 0.125f);
    addLineNutrients(totals, huge, u"lb"_s, 1000, 0.125f);
    QCOMPARE(totals.totCholesterol, std::numeric_limits<qint32>::max());
    QCOMPARE(totals.totFatCalories, std::numeric_limits<qint32>::max());
    QCOMPARE(totals.totCalories, std::numeric_limits<qint32>::max());
    const PanelTexts panel = nutrition::panelTexts(totals);
    QCOMPARE(panel.cholPct, u"715827882%"_s);
    rescale(totals, 1, 0.125f);
    QCOMPARE(totals.totSodium, std::numeric_limits<qint32>::max());
    QVERIFY(nutrition::calorieShares(totals));
}

void TestNutrition::numberText_data()
{
    QTest::addColumn<float>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("twelve point three") << 12.3f << u"12.3"_s;
    QTest::newRow("five") << 5.0f << u"5"_s;
    QTest::newRow("one tenth") << 0.1f << u"0.1"_s;
    QTest::newRow("a third: seven digits") << 1.0f / 3 << u"0.3333333"_s;
    QTest::newRow("negative") << -2.5f << u"-2.5"_s;
    QTest::newRow("large") << 1234567.0f << u"1234567"_s;
    QTest::newRow("too large for plain digits") << 1.5e12f << u"1.5E+12"_s;
    QTest::newRow("zero") << 0.0f << u"0"_s;
    // Seven digits rounded once, halves to even, as the digit count was found.
    QTest::newRow("a half past seven digits rounds to even") << 4349570.5f << u"4349570"_s;
    QTest::newRow("a tie in the last decimal rounds to even") << 12345.125f << u"12345.12"_s;
    QTest::newRow("small") << 1.5e-8f << u"1.5E-08"_s;
}

void TestNutrition::numberText()
{
    QFETCH(float, value);
    QFETCH(QString, text);
    QCOMPARE(floatText(value), text);
}

QTEST_GUILESS_MAIN(TestNutrition)
#include "tst_nutrition.moc"
