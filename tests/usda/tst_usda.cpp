#include "core/analysis/nutrition.h"
#include "core/ingredients/caloriecheck.h"
#include "core/store/ingtable.h"
#include "core/usda/usdafoods.h"
#include "testsupport.h"

#include <QRegularExpression>
#include <QSet>

using namespace zestora;
using namespace zestora::usda;

namespace {

const QByteArray foodsHeader = "ndb_no\tdescription\tenergy_kcal\tprotein_g\tfat_g\tsat_fat_g\t"
                               "carbs_g\tfiber_g\tsodium_mg\tcholesterol_mg\n";
const QByteArray measuresHeader = "ndb_no\tseq\tamount\tunit\tgrams\n";

// The starter database as the build made it from the USDA tables.
IngTable& starter()
{
    static IngTable table(std::make_unique<DataFile>(QStringLiteral(STARTER_FILE)));
    static const bool loaded = !table.loadIngTable();
    Q_UNUSED(loaded);
    return table;
}

} // namespace

class TestUsda : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void shortNames_data();
    void shortNames();
    void measuresAndNutrients();
    void damagedTablesAreReported();
    void starterDatabaseIsSound();
    void calorieCheck_data();
    void calorieCheck();
};

void TestUsda::shortNames_data()
{
    QTest::addColumn<QString>("description");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("formsLeftOut"); // how it was cooked, if the name leaves it out
    QTest::newRow("a long phrase takes its short form")
        << QStringLiteral(
               "Beef, rib, eye, small end (ribs 10-12), separable lean only, choice, raw")
        << u"Beef, rib, eye, small end (ribs 10-12), lean only, choice"_s << u"raw"_s;
    QTest::newRow("cooked grits lose the state the matcher must still see")
        << u"Cereals, corn grits, yellow, regular, quick, enriched, cooked with water, with salt"_s
        << u"Cereals, corn grits, yellow, regular, quick, enriched"_s << u"cooked, salted"_s;
    QTest::newRow("a short form of a cooking phrase keeps what it says")
        << u"Beans, snap, yellow, canned, no salt added, drained solids, cooked, boiled, drained"_s
        << u"Beans, snap, yellow, canned, no salt added, drained solids"_s << u"boiled"_s;
    QTest::newRow("a can's food rinsed says so when the name leaves it out")
        << u"Corn, sweet, yellow, canned, drained solids, rinsed with tap water"_s
        << u"Corn, sweet, yellow, canned, drained solids"_s << u"rinsed"_s;
    QTest::newRow("meat injected with salted broth says so when the name leaves it out")
        << u"Chicken, broilers or fryers, breast, skinless, boneless, meat only, enhanced, raw"_s
        << u"Chicken, broilers or fryers, breast, skinless, boneless, raw"_s << u"enhanced"_s;
    QTest::newRow("a cut's separable fat says so, leaving out an earlier detail")
        << u"Lamb, domestic, composite of trimmed retail cuts, separable fat, trimmed to 1/4\" "
           "fat, choice, raw"_s
        << u"Lamb, domestic, separable fat, trimmed to 1/4\" fat, choice"_s << u"raw"_s;
    QTest::newRow("details that do not fit after the earlier ones are left out")
        << u"Infant formula, MEAD JOHNSON, ENFAMIL, PROSOBEE LIPIL, with iron, "
           "powder, not reconstituted, with ARA and DHA"_s
        << u"Infant formula, MEAD JOHNSON, ENFAMIL, PROSOBEE LIPIL"_s << QString();
    QTest::newRow("a bracket too long to keep leaves its part, not the words around it")
        << u"Grapes, red or green (European type, such as Thompson seedless), raw"_s
        << u"Grapes, red or green, raw"_s << QString();
    QTest::newRow("a cut does not end on a word that joins it to the rest")
        << u"Brand Chicken and Vegetables in a light sauce of herbs with Vermicelli, frozen"_s
        << u"Brand Chicken and Vegetables in a light sauce of herbs"_s << QString();
    QTest::newRow("a first part longer than a name is cut between words")
        << u"Abcdefghij abcdefghij abcdefghij abcdefghij abcdefghij abcdefghij "
           "abcdefghij, raw"_s
        << u"Abcdefghij abcdefghij abcdefghij abcdefghij abcdefghij, raw"_s << QString();
}

void TestUsda::shortNames()
{
    QFETCH(QString, description);
    QFETCH(QString, name);
    QFETCH(QString, formsLeftOut);
    QCOMPARE(nameCandidates(description).front(), name);
    QVERIFY(name.size() <= 60);
    QCOMPARE(usda::formsLeftOut(description, name), formsLeftOut);
}

void TestUsda::measuresAndNutrients()
{
    const QByteArray foods =
        foodsHeader + "01001\tButter, salted\t717.0\t0.85\t81.11\t51.368\t0.06\t0.0\t714.0\t215.0\n"
                      "02001\tBread\t250\t10\t3\t\t50\t5\t500\t\n"
                      "03001\tSoup mix\t100\t5\t5\t1\t10\t1\t1000\t5\n"
                      "04001\tSalt, table\t0\t0\t0\t0\t0\t0\t38758\t0\n";
    const QByteArray measures = measuresHeader + "01001\t1\t1.0\toz\t28.35\n"
                                                 "01001\t2\t1.0\tcup\t227.0\n"
                                                 "02001\t1\t1.0\tslice\t28.0\n"
                                                 "02001\t2\t1.0\tloaf\t454.0\n"
                                                 "03001\t1\t8.0\tfl oz\t240\n";
    const ImportResult result = readFoods(foods, measures);
    QCOMPARE(result.error, QString());
    // A volume comes first even when USDA lists a weight before it; with measures of its own
    // only, the first one and its weight; fluid ounces become tablespoons; no measure, 100 g.
    // The nutrients are per 100 g, rounded where the record keeps whole numbers; a missing
    // value counts 0.
    QStringList read;
    QList<MeasureSource> sources;
    const auto number = [](double value) {
        return QString::number(value);
    };
    for (const Food& food : result.foods) {
        const IngRecord& r = food.record;
        sources.append(food.measure);
        read.append(u"%1 %2 = %3 %4 (%5): %6 kcal, %7 mg sodium, %8 mg cholesterol"_s.arg(
            number(r.amount1), r.measure1, number(r.amount2), r.measure2, number(r.customMeasure),
            number(r.calories), number(r.sodium), number(r.cholesterol)));
    }
    QCOMPARE(read,
             (QStringList{u"1 cup = 227 g (0): 1628 kcal, 1621 mg sodium, 488 mg cholesterol"_s,
                          u"1 slice = 28 g (-1): 70 kcal, 140 mg sodium, 0 mg cholesterol"_s,
                          u"16 tbs = 240 g (0): 240 kcal, 2400 mg sodium, 12 mg cholesterol"_s,
                          u"100 g = 0  (0): 0 kcal, 38758 mg sodium, 0 mg cholesterol"_s}));
    QCOMPARE(sources,
             (QList<MeasureSource>{MeasureSource::StandardUnit, MeasureSource::OwnMeasure,
                                   MeasureSource::StandardUnit, MeasureSource::HundredGrams}));
    QCOMPARE(result.foods[0].record.fat, static_cast<float>(81.11 * 2.27));
}

void TestUsda::damagedTablesAreReported()
{
    QVERIFY(readFoods(QByteArray("ndb_no\tdescription\n1\tx\n"), measuresHeader)
                .error.contains(u"energy_kcal"_s));
    QVERIFY(readFoods(foodsHeader, QByteArray()).error.contains(u"measures.tsv"_s));
    // Text where numbers belong reads as no value.
    const ImportResult odd =
        readFoods(foodsHeader + "1\tOdd\tlots\tnan\t\t\t\t\t\t\n", measuresHeader);
    QCOMPARE(odd.foods.size(), 1);
    QCOMPARE(odd.foods[0].record.calories, 0.0f);
    QCOMPARE(odd.foods[0].record.protein, 0.0f);
    // A row without energy is a placeholder, not a food.
    QVERIFY(
        readFoods(foodsHeader + "2\tCalculator\t\t\t\t\t\t\t\t\n", measuresHeader).foods.isEmpty());
}

void TestUsda::starterDatabaseIsSound()
{
    IngTable& table = starter();
    QVERIFY(table.count() > 8000); // the whole table, not a part cut short
    QSet<QString> names;
    for (const IngRecord& record : table.records()) {
        const QString key = record.trimmedName().toCaseFolded();
        QVERIFY2(!names.contains(key), qPrintable(record.name));
        names.insert(key);
        QVERIFY(record.name.size() <= 60);
        QCOMPARE(record.measureKind, volumeWeight(record.measure1, record.measure2));
        QVERIFY2(record.amount1 > 0, qPrintable(record.name));
        if (!record.measure2.trimmed().isEmpty())
            QVERIFY2(record.amount2 > 0, qPrintable(record.name));
        QCOMPARE(record.calories, std::round(record.calories));
        QCOMPARE(record.sodium, std::round(record.sodium));
    }
}

void TestUsda::calorieCheck_data()
{
    QTest::addColumn<float>("calories");
    QTest::addColumn<float>("fat");
    QTest::addColumn<float>("carbs");
    QTest::addColumn<float>("protein");
    QTest::addColumn<QStringList>("items");
    const QString moreAdded = u"2) There are more calories from adding up"_s;
    const QStringList fewerAdded{u"1) There are fewer calories from adding up"_s};
    QTest::newRow("within the tolerance") << 100.0f << 5.0f << 10.0f << 2.0f << QStringList{};
    QTest::newRow("too much fat") << 100.0f << 13.0f << 0.0f << 0.0f
                                  << QStringList{u"1) There are more calories from Fat"_s,
                                                 moreAdded};
    QTest::newRow("too many carbohydrates")
        << 100.0f << 0.0f << 29.0f << 0.0f
        << QStringList{u"1) There are more calories from Carbohydrates"_s, moreAdded};
    QTest::newRow("calories and nothing else") << 100.0f << 0.0f << 0.0f << 0.0f << fewerAdded;
    QTest::newRow("just below the lower limit") << 100.0f << 0.0f << 21.9f << 0.0f << fewerAdded;
}

void TestUsda::calorieCheck()
{
    QFETCH(float, calories);
    QFETCH(float, fat);
    QFETCH(float, carbs);
    QFETCH(float, protein);
    QFETCH(QStringList, items);
    IngRecord record;
    record.calories = calories;
    record.fat = fat;
    record.totalCarbs = carbs;
    record.protein = protein;
    const CalorieCheck check = checkCalories(record);
    QCOMPARE(check.problem(), !items.isEmpty());
    const QRegularExpression item(u"\\d\\) There are [a-z]+ calories from [A-Za-z]+( up)?"_s);
    QStringList found;
    for (const QRegularExpressionMatch& match : item.globalMatch(check.message))
        found.append(match.captured());
    QCOMPARE(found, items);
    QVERIFY(check.message.startsWith(u"The following has caused an error:\r\n\r\n"_s +
                                     QString(43, u'-')));
}

QTEST_GUILESS_MAIN(TestUsda)
#include "tst_usda.moc"
