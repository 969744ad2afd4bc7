#include "core/analysis/nutrition.h"
#include "core/numbers.h"
#include "testsupport.h"

#include <cmath>

using namespace zestora;
using namespace zestora::nutrition;

namespace {

IngRecord ingredient(float amount1, const QString& measure1, float amount2, const QString& measure2)
{
    IngRecord r;
    r.name = QStringLiteral("Test");
    r.amount1 = amount1;
    r.measure1 = measure1;
    r.amount2 = amount2;
    r.measure2 = measure2;
    return r;
}

IngRecord withNutrients(IngRecord r, float fat, float carbs, float protein, qint32 cholesterol = 0,
                        float sodium = 0)
{
    r.fat = fat;
    r.satFat = fat / 2;
    r.totalCarbs = carbs;
    r.fiber = carbs / 4;
    r.protein = protein;
    r.cholesterol = cholesterol;
    r.sodium = sodium;
    return r;
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
    void panelTexts();
    void calorieShares_data();
    void calorieShares();
    void hugeValuesAreClampedNotUndefined();
    void numberText_data();
    void numberText();
};

void TestNutrition::conversionFactorsAgreeWithUnitSizes()
{
    // Each unit's size in millilitres or grams, independent of the factor table.
    const QList<std::pair<QString, double>> volumes{
        {QStringLiteral("tsp"), 5},    {QStringLiteral("tbs"), 15},    {QStringLiteral("cup"), 240},
        {QStringLiteral("pint"), 480}, {QStringLiteral("quart"), 960}, {QStringLiteral("ml"), 1}};
    const QList<std::pair<QString, double>> weights{
        {QStringLiteral("oz"), 28.35}, {QStringLiteral("g"), 1}, {QStringLiteral("lb"), 453.6}};
    const auto spellings = [](const QString& unit) {
        return QStringList{unit, unit.toUpper(), QStringLiteral(" ") + unit + QStringLiteral(" "),
                           unit.left(1).toUpper() + unit.mid(1)};
    };
    for (const auto& kind : {volumes, weights}) {
        for (const auto& [chosen, chosenSize] : kind) {
            for (const auto& [stored, storedSize] : kind) {
                for (const QString& spelled : spellings(chosen)) {
                    const double factor = conversionFactor(spelled, stored);
                    QVERIFY2(std::abs(factor / (chosenSize / storedSize) - 1) < 0.01,
                             qPrintable(spelled + QStringLiteral(" in ") + stored));
                }
            }
        }
    }
    for (const auto& [volume, ignored] : volumes)
        for (const auto& [weight, alsoIgnored] : weights) {
            QCOMPARE(conversionFactor(volume, weight), 0.0f);
            QCOMPARE(conversionFactor(weight, volume), 0.0f);
        }
    QCOMPARE(conversionFactor(QStringLiteral("slice"), QStringLiteral("slice")), 0.0f);
    QCOMPARE(conversionFactor(QStringLiteral("kg"), QStringLiteral("g")), 0.0f);
    QCOMPARE(conversionFactor(QStringLiteral("ml"), QStringLiteral("quart")), 0.00104166f);
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

    IngRecord spoon = ingredient(1, QStringLiteral("tbs"), 15, QStringLiteral("g"));
    spoon.fat = 10;
    QTest::newRow("2 tsp of a tablespoon measure: factor 0.3333")
        << spoon << QStringLiteral("tsp") << 2.0f << 1.0f << 6.7f << 60 << 60;
    IngRecord byWeight =
        withNutrients(ingredient(100, QStringLiteral("g"), 240, QStringLiteral("ml")), 4, 10, 2);
    QTest::newRow("1 cup of 100 g / 240 ml: the second measure counts one portion")
        << byWeight << QStringLiteral("cup") << 1.0f << 1.0f << 4.0f << 36 << 84;
    IngRecord slice =
        withNutrients(ingredient(1, QStringLiteral("slice"), 28, QStringLiteral("g")), 1, 12, 3);
    QTest::newRow("own measure: the quantity counts slices")
        << slice << QStringLiteral("slice") << 3.0f << 1.0f << 3.0f << 27 << 207;
    QTest::newRow("a unit of the other kind counts the first measure too")
        << slice << QStringLiteral("cup") << 2.0f << 1.0f << 2.0f << 18 << 138;
    IngRecord half = ingredient(1, QStringLiteral("cup"), 0, QString());
    half.fat = 0.25f;
    QTest::newRow("tenths round half to even: 0.25 to 0.2")
        << half << QStringLiteral("cup") << 1.0f << 1.0f << 0.2f << 2 << 2;
    half.fat = 0.35f;
    QTest::newRow("tenths: 0.35 as a single is just above, to 0.4")
        << half << QStringLiteral("cup") << 1.0f << 1.0f << 0.4f << 3 << 3;
    IngRecord macros = withNutrients(ingredient(1, QStringLiteral("cup"), 0, QString()), 3, 10, 5);
    QTest::newRow("calories from macronutrients: 10*4 + 27 + 5*4")
        << macros << QStringLiteral("cup") << 1.0f << 1.0f << 3.0f << 27 << 87;
    QTest::newRow("divided by four servings")
        << macros << QStringLiteral("cup") << 1.0f << 4.0f << 0.8f << 7 << 22;
    QTest::newRow("a third of a serving counted as 0.333")
        << macros << QStringLiteral("cup") << 1.0f << 0.333f << 9.0f << 81 << 261;
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
    const IngRecord flour =
        withNutrients(ingredient(1, QStringLiteral("cup"), 125, QStringLiteral("g")), 1.2f, 95.4f,
                      12.9f, 0, 2.5f);
    const IngRecord egg = withNutrients(
        ingredient(1, QStringLiteral("each"), 50, QStringLiteral("g")), 4.8f, 0.4f, 6.3f, 186, 71);
    // Each total is rounded to tenths at every step, so what is left after taking every line out
    // is at most a rounding step per line; the screen zeroes it when no line is left.
    RecipeTotals totals;
    addLineNutrients(totals, flour, QStringLiteral("cup"), 2.5f, 4);
    addLineNutrients(totals, egg, QStringLiteral("each"), 3, 4);
    addLineNutrients(totals, flour, QStringLiteral("tbs"), 1, 4);
    addLineNutrients(totals, flour, QStringLiteral("tbs"), -1, 4);
    addLineNutrients(totals, egg, QStringLiteral("each"), -3, 4);
    addLineNutrients(totals, flour, QStringLiteral("cup"), -2.5f, 4);
    for (auto member : {&RecipeTotals::totFat, &RecipeTotals::totSatFat, &RecipeTotals::totCarbs,
                        &RecipeTotals::totFiber, &RecipeTotals::totProtein})
        QVERIFY(totals.*member <= 0.31f);
    QVERIFY(totals.totCalories <= 3);

    // Taking out more than was put in stops at zero.
    totals = RecipeTotals{};
    addLineNutrients(totals, egg, QStringLiteral("each"), -1, 1);
    QCOMPARE(totals, RecipeTotals{});
}

void TestNutrition::rescaleRoundTrips_data()
{
    QTest::addColumn<float>("from");
    QTest::addColumn<float>("to");
    QTest::newRow("1 to 4 and back") << 1.0f << 4.0f;
    QTest::newRow("1 to 2 and back") << 1.0f << 2.0f;
    QTest::newRow("4 to 1/2 and back") << 4.0f << 0.5f;
    QTest::newRow("1 to 1/8 and back") << 1.0f << 0.125f;
}

void TestNutrition::rescaleRoundTrips()
{
    QFETCH(float, from);
    QFETCH(float, to);
    RecipeTotals totals;
    totals.totCalories = 400;
    totals.totFatCalories = 120;
    totals.totFat = 13.6f;
    totals.totSatFat = 4.8f;
    totals.totCholesterol = 80;
    totals.totSodium = 960;
    totals.totCarbs = 40.4f;
    totals.totFiber = 6.4f;
    totals.totProtein = 12.8f;
    const RecipeTotals original = totals;
    rescale(totals, from, to);
    QCOMPARE(totals.totCalories, roundToInt32(400.0 * from / to));
    QCOMPARE(totals.totFat, static_cast<float>(roundToInt16(13.6f * (from / to) * 10) / 10.0));
    rescale(totals, to, from);
    // Whole numbers come back exactly where the rescale had no remainder; grams within a tenth.
    QVERIFY(std::abs(totals.totCalories - original.totCalories) <= 1);
    for (auto member : {&RecipeTotals::totFat, &RecipeTotals::totSatFat, &RecipeTotals::totCarbs,
                        &RecipeTotals::totFiber, &RecipeTotals::totProtein})
        QVERIFY(std::abs(totals.*member - original.*member) <= 0.1f * from / to + 0.051f);
}

void TestNutrition::panelTexts()
{
    RecipeTotals totals;
    totals.totCalories = 87;
    totals.totFatCalories = 27;
    totals.totFat = 3;
    totals.totSatFat = 1.5f;
    totals.totCholesterol = 45;
    totals.totSodium = 600;
    totals.totCarbs = 10;
    totals.totFiber = 0.1f;
    totals.totProtein = 5;
    const PanelTexts panel = nutrition::panelTexts(totals);
    QCOMPARE(panel,
             (PanelTexts{QStringLiteral("87"), QStringLiteral("27"), QStringLiteral("3g"),
                         QStringLiteral("5%"), QStringLiteral("1.5g"), QStringLiteral("8%"),
                         QStringLiteral("45mg"), QStringLiteral("15%"), QStringLiteral("600mg"),
                         QStringLiteral("25%"), QStringLiteral("10g"), QStringLiteral("3%"),
                         QStringLiteral("0.1g"), QStringLiteral("0%"), QStringLiteral("5g")}));
}

void TestNutrition::calorieShares_data()
{
    QTest::addColumn<QString>("cals");
    QTest::addColumn<QString>("fatCals");
    QTest::addColumn<QString>("carbs");
    QTest::addColumn<QString>("protein");
    QTest::addColumn<QString>("fatShare");
    QTest::addColumn<QString>("carbShare");
    QTest::addColumn<QString>("proteinShare");
    QTest::newRow("shares of 87 calories")
        << QStringLiteral("87") << QStringLiteral("27") << QStringLiteral("10g")
        << QStringLiteral("5g") << QStringLiteral("31% of calories from Fat")
        << QStringLiteral("46% from Carbohydrates") << QStringLiteral("23% from Protein");
    QTest::newRow("a share in tenths")
        << QStringLiteral("100") << QStringLiteral("31") << QStringLiteral("10g")
        << QStringLiteral("7.3g") << QStringLiteral("30.9% of calories from Fat")
        << QStringLiteral("39.9% from Carbohydrates") << QStringLiteral("29.1% from Protein");
    QTest::newRow("no macronutrients: the calories are the base")
        << QStringLiteral("50") << QStringLiteral("0") << QStringLiteral("0g")
        << QStringLiteral("0g") << QStringLiteral("0% of calories from Fat")
        << QStringLiteral("0% from Carbohydrates") << QStringLiteral("0% from Protein");
}

void TestNutrition::calorieShares()
{
    QFETCH(QString, cals);
    QFETCH(QString, fatCals);
    QFETCH(QString, carbs);
    QFETCH(QString, protein);
    QFETCH(QString, fatShare);
    QFETCH(QString, carbShare);
    QFETCH(QString, proteinShare);
    PanelTexts panel;
    panel.cals = cals;
    panel.fatCals = fatCals;
    panel.carbsG = carbs;
    panel.proteinG = protein;
    const std::optional<CalorieShares> shares = caloriePercentages(panel);
    QVERIFY(shares);
    QCOMPARE(shares->fat, fatShare);
    QCOMPARE(shares->carbs, carbShare);
    QCOMPARE(shares->protein, proteinShare);

    panel.cals = QStringLiteral("0");
    QVERIFY(!caloriePercentages(panel));
    panel.cals.clear();
    QVERIFY(!caloriePercentages(panel));
}

void TestNutrition::hugeValuesAreClampedNotUndefined()
{
    IngRecord huge = withNutrients(ingredient(0.001f, QStringLiteral("g"), 0, QString()), 3e38f,
                                   3e38f, 3e38f, 2147483647, 3e38f);
    RecipeTotals totals;
    addLineNutrients(totals, huge, QStringLiteral("lb"), 1000, 0.125f);
    addLineNutrients(totals, huge, QStringLiteral("lb"), 1000, 0.125f);
    QCOMPARE(totals.totCholesterol, std::numeric_limits<qint32>::max());
    QCOMPARE(totals.totFatCalories, std::numeric_limits<qint32>::max());
    QCOMPARE(totals.totCalories, std::numeric_limits<qint32>::max());
    const PanelTexts panel = nutrition::panelTexts(totals);
    QCOMPARE(panel.cholPct, QStringLiteral("32767%"));
    rescale(totals, 1, 0.125f);
    QCOMPARE(totals.totSodium, std::numeric_limits<qint32>::max());
    QVERIFY(caloriePercentages(panel));
}

void TestNutrition::numberText_data()
{
    QTest::addColumn<float>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("twelve point three") << 12.3f << QStringLiteral("12.3");
    QTest::newRow("five") << 5.0f << QStringLiteral("5");
    QTest::newRow("one tenth") << 0.1f << QStringLiteral("0.1");
    QTest::newRow("a third: seven digits") << 1.0f / 3 << QStringLiteral("0.3333333");
    QTest::newRow("negative") << -2.5f << QStringLiteral("-2.5");
    QTest::newRow("large") << 1234567.0f << QStringLiteral("1234567");
    QTest::newRow("too large for plain digits") << 1.5e12f << QStringLiteral("1.5E+12");
    QTest::newRow("zero") << 0.0f << QStringLiteral("0");
}

void TestNutrition::numberText()
{
    QFETCH(float, value);
    QFETCH(QString, text);
    QCOMPARE(floatText(value), text);
}

QTEST_GUILESS_MAIN(TestNutrition)
#include "tst_nutrition.moc"
