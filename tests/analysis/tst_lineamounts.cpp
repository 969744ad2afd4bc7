#include "core/analysis/lineamounts.h"
#include "core/analysis/recipelines.h"
#include "core/store/ingtable.h"
#include "testsupport.h"

#include <cmath>

using namespace zestora;
using namespace zestora::nutrition;
using zestora::testing::food;

namespace {

// Four servings of: 2 cup milk (a cup is 244 g), 3 slices of bread (a slice is 28 g), 1 tsp of
// oil (stored by the tablespoon of 14 g), a heading, 1/2 tsp of salt (no weight known) and a
// line whose ingredient has gone from the table.
struct Recipe {
    zestora::testing::TempWorkDir dir;
    IngTable table;
    QStringList entries;
    Recipe()
    {
        table.loadIngTable();
        table.appendIngs({
            food(u"Milk"_s, 1, u"cup"_s, 244, u"g"_s, {.fat = 8, .carbs = 12, .protein = 8}),
            food(u"Bread"_s, 1, u"slice"_s, 28, u"g"_s, {.fat = 1, .carbs = 14, .protein = 3},
                 true),
            food(u"Oil"_s, 1, u"tbs"_s, 14, u"g"_s, {.fat = 14}),
            food(u"Salt"_s, 1, u"tsp"_s, 0, {}, {.sodium = 2300}),
        });
        entries = {lines::ingredientEntry(u"milk"_s, true, u"2"_s, u"cup"_s),
                   lines::ingredientEntry(u"Bread"_s, true, u"3"_s, u"slice"_s),
                   lines::ingredientEntry(u"Oil"_s, false, u"1.0"_s, u"tsp"_s),
                   lines::headingEntry(u"Topping"_s),
                   lines::ingredientEntry(u"Salt"_s, true, u"1/2"_s, u"tsp"_s),
                   lines::ingredientEntry(u"Gone"_s, true, u"1"_s, u"cup"_s)};
    }
};

using Shares = QList<std::optional<double>>;

QList<std::optional<LineAmount>> amountsOf(const Recipe& recipe)
{
    QList<std::optional<LineAmount>> amounts;
    for (const QString& entry : recipe.entries)
        amounts.append(lineAmount(entry, recipe.table, 4));
    return amounts;
}

} // namespace

class TestLineAmounts : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void linesShowWeightAndWorkings();
    void shares_data();
    void shares();
};

void TestLineAmounts::linesShowWeightAndWorkings()
{
    const Recipe recipe;
    const auto amounts = amountsOf(recipe);
    QCOMPARE(amounts.size(), 6);
    QVERIFY(!amounts[3] && !amounts[5]);
    QCOMPARE(gramsText(*amounts[0]->grams), u"488 g"_s);
    QCOMPARE(gramsText(*amounts[1]->grams), u"84 g"_s);
    QCOMPARE(gramsText(*amounts[2]->grams), u"4.7 g"_s);
    QVERIFY(!amounts[4]->grams);
    QCOMPARE(amounts[0]->workings, u"2 cup = 2 x 244 g; 152 kcal per cup; 4 servings"_s);
    QCOMPARE(amounts[1]->workings, u"3 slice = 3 x 28 g; 77 kcal per slice; 4 servings"_s);
    QCOMPARE(amounts[4]->workings, u"1/2 tsp; 0 kcal per tsp; 4 servings"_s);
    // Per serving: 2 cups hold 16 g fat, 24 g carbohydrate, 16 g protein.
    QCOMPARE(amounts[0]->amount(Nutrient::TotalFat), 4.0);
    QCOMPARE(amounts[0]->amount(Nutrient::Calories), 76.0);
    QCOMPARE(amounts[4]->amount(Nutrient::Sodium), 287.5);
}

void TestLineAmounts::shares_data()
{
    QTest::addColumn<Nutrient>("nutrient");
    QTest::addColumn<Shares>("expected");
    const std::nullopt_t none = std::nullopt;
    // Fat per serving: 4, 0.75, 14 x 0.3333 / 4 = 1.16655, 0: 5.91655 g in all.
    QTest::newRow("fat is shared by the lines that hold it")
        << Nutrient::TotalFat << Shares{67.607, 12.676, 19.717, none, 0.0, none};
    // Sodium: only the salt, 1150 mg / 4, and nothing else.
    QTest::newRow("a nutrient of one line is all its")
        << Nutrient::Sodium << Shares{0.0, 0.0, 0.0, none, 100.0, none};
    // Calories: 76, 57.75, 10.49895, 0.
    QTest::newRow("calories count fat, carbohydrate and protein")
        << Nutrient::Calories << Shares{52.687, 40.035, 7.278, none, 0.0, none};
    QTest::newRow("a nutrient no line holds marks no line")
        << Nutrient::Fiber << Shares{none, none, none, none, none, none};
}

void TestLineAmounts::shares()
{
    QFETCH(Nutrient, nutrient);
    QFETCH(Shares, expected);
    const Recipe recipe;
    const Shares shares = lineShares(amountsOf(recipe), nutrient);
    QCOMPARE(shares.size(), expected.size());
    for (qsizetype i = 0; i < shares.size(); ++i) {
        QCOMPARE(shares[i].has_value(), expected[i].has_value());
        if (shares[i])
            QVERIFY2(std::abs(*shares[i] - *expected[i]) < 0.001, qPrintable(QString::number(i)));
    }
}

QTEST_GUILESS_MAIN(TestLineAmounts)
#include "tst_lineamounts.moc"
