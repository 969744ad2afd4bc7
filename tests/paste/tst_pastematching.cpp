#include "core/paste/linereview.h"
#include "core/store/ingtable.h"
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

Run analyze(const QStringList& arguments, const QByteArray& input = {})
{
    QProcess process;
    process.start(QStringLiteral(ZESTORA_PATH), QStringList{u"analyze"_s} + arguments);
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
    void nineLinesInTenMatchFirstTime();
    void analyzePrintsJson();
    void analyzeRefusesWhatItCannotRead();
};

void TestPasteMatching::nineLinesInTenMatchFirstTime()
{
    const Starter starter;
    const FoodMatcher matcher(starter.table, starter.tables.names);
    QFile file(QStringLiteral(LINES_FILE));
    QVERIFY(file.open(QIODevice::ReadOnly));
    int lines = 0;
    int right = 0;
    for (const QByteArray& row : file.readAll().split('\n')) {
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
    }
    QVERIFY(lines >= 100);
    qInfo("%d of %d lines (%.1f %%) matched to the right food and unit on the first try", right,
          lines, 100.0 * right / lines);
    QVERIFY(right * 10 >= lines * 9);
}

void TestPasteMatching::analyzePrintsJson()
{
    testing::TempWorkDir dir;
    testing::writeFile(u"recipe.txt"_s, "Pancakes\n\n1 1/2 cups all-purpose flour\n2 large eggs\n"
                                        "1 cup chopped onion\nSalt to taste\n1 cup zorbles\n");
    const Run run = analyze(
        {u"--data-dir"_s, dir.path(), u"--servings"_s, u"4"_s, u"--json"_s, u"recipe.txt"_s});
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
    const Run missing = analyze({u"--data-dir"_s, dir.path(), u"no-such-recipe.txt"_s});
    QCOMPARE(missing.exitCode, 1);
    QVERIFY(missing.err.startsWith(u"Cannot read no-such-recipe.txt: "_s));
    QVERIFY(missing.out.isEmpty());
    // Standard input is a recipe too.
    const Run piped = analyze({u"--data-dir"_s, dir.path(), u"-"_s}, "2 cups milk\n");
    QCOMPARE(piped.exitCode, 0);
    QVERIFY(piped.out.contains(u"2  cup     Milk, whole, 3.25% milkfat"_s));
}

QTEST_GUILESS_MAIN(TestPasteMatching)
#include "tst_pastematching.moc"
