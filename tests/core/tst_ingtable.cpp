#include "core/sortednamemodel.h"
#include "core/store/ingtable.h"
#include "core/store/recipestore.h"
#include "core/text.h"
#include "testsupport.h"

#include <QRandomGenerator>
#include <QtEndian>

using namespace zestora;
using namespace zestora::testing;

namespace {

IngRecord record(const QString& name, float calories = 100)
{
    return food(name, 1, u"cup"_s, 240, u"g"_s,
                {.fat = 2.5f, .cholesterol = 25, .calories = calories});
}

} // namespace

class TestIngTable : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void recordBytesAreTheFileLayout();
    void textFieldsArePaddedOrCut_data();
    void textFieldsArePaddedOrCut();
    void partialRecordCount_data();
    void partialRecordCount();
    void absentFileIsCreatedEmptyAndDeletedWithItsLastRecord();
    void namesAreFoundAndListedAfterEveryChange();
    void randomRecordsRoundTripByteForByte();
    void damagedFileIsCopiedAsideBeforeTheNextRewrite();
    void refusedAppendLeavesTableAndFileAsTheyWere_data();
    void refusedAppendLeavesTableAndFileAsTheyWere();
    void unreadableFileIsLeftAloneAndTheOtherStillSaves_data();
    void unreadableFileIsLeftAloneAndTheOtherStillSaves();
    void deleteOrReplaceIsOneRewrite_data();
    void deleteOrReplaceIsOneRewrite();
    void refusesMoreThanTheLargestTable();
    void volumeWeight_data();
    void volumeWeight();
};

void TestIngTable::recordBytesAreTheFileLayout()
{
    IngRecord r = food(u"Flour"_s, 1, u"cup"_s, 240, u"g"_s,
                       {2.5f, 0.5f, 95.5f, 3.25f, 13, 25, 5, 100}, true);
    r.measureKind = 3;
    const QByteArray bytes = r.toBytes();
    QCOMPARE(bytes.size(), 164);
    QCOMPARE(bytes.first(60), QByteArray("Flour") + QByteArray(55, ' '));
    QCOMPARE(bytes.sliced(64, 30), QByteArray("cup") + QByteArray(27, ' '));
    QCOMPARE(bytes.sliced(98, 30), QByteArray("g") + QByteArray(29, ' '));
    const struct {
        int at;
        float value;
    } singles[] = {{60, 1},  {94, 240},    {128, 100},   {132, 2.5f}, {136, 0.5f},
                   {144, 5}, {148, 95.5f}, {152, 3.25f}, {156, 13}};
    for (const auto& single : singles)
        QCOMPARE(qFromLittleEndian<float>(bytes.constData() + single.at), single.value);
    // Cholesterol a 32-bit integer, the measure kind and the own-measure flag 16-bit ones.
    QCOMPARE(bytes.sliced(140, 4), QByteArray::fromHex("19000000"));
    QCOMPARE(bytes.sliced(160, 4), QByteArray::fromHex("0300ffff"));
}

void TestIngTable::textFieldsArePaddedOrCut_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<QString>("shown");
    QTest::newRow("a 70-character name keeps its first 60")
        << QString(70, QLatin1Char('x')) << QByteArray(60, 'x') << QString(60, QLatin1Char('x'));
    QTest::newRow("leading spaces are stored and trimmed when shown")
        << u"  Oats"_s << QByteArray("  Oats") + QByteArray(54, ' ') << u"Oats"_s;
    QTest::newRow("code page 1252 letters are single bytes")
        << u"Cr\u00e8me br\u00fbl\u00e9e \u20ac"_s
        << QByteArray("Cr\xe8me br\xfbl\xe9"
                      "e \x80") +
               QByteArray(46, ' ')
        << u"Cr\u00e8me br\u00fbl\u00e9e \u20ac"_s;
}

void TestIngTable::textFieldsArePaddedOrCut()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, stored);
    QFETCH(QString, shown);
    const TempWorkDir dir;
    IngTable table;
    QVERIFY(!table.loadIngTable());
    QVERIFY(table.appendIng(record(name)));
    QCOMPARE(readFile(u"Ing.dat"_s).first(60), stored);
    IngTable reloaded;
    QVERIFY(!reloaded.loadIngTable());
    QCOMPARE(reloaded.trimmedNames(), QStringList{shown});
}

void TestIngTable::partialRecordCount_data()
{
    QTest::addColumn<int>("fileSize");
    QTest::addColumn<int>("count");
    QTest::addColumn<bool>("damaged");
    QTest::newRow("three whole records") << 3 * 164 << 3 << false;
    QTest::newRow("a piece under half a record is ignored") << 164 + 81 << 1 << true;
    QTest::newRow("half a record after one record rounds to two") << 164 + 82 << 2 << true;
    QTest::newRow("half a record after two records rounds to two") << 2 * 164 + 82 << 2 << true;
    QTest::newRow("a piece over half a record counts as one") << 164 + 83 << 2 << true;
    QTest::newRow("half a record alone rounds to none") << 82 << 0 << true;
    QTest::newRow("one byte") << 1 << 0 << true;
}

void TestIngTable::partialRecordCount()
{
    QFETCH(int, fileSize);
    QFETCH(int, count);
    QFETCH(bool, damaged);
    const TempWorkDir dir;
    const QByteArray whole = IngTable::toBytes({record(u"A"_s), record(u"B"_s), record(u"C"_s)});
    writeFile(u"Ing.dat"_s, whole.first(fileSize));
    IngTable table;
    const std::optional<LoadProblem> problem = table.loadIngTable();
    QCOMPARE(table.count(), count);
    QCOMPARE(problem.has_value(), damaged);
    if (count >= 1)
        QCOMPARE(table.at(0).name, u"A"_s);
    if (damaged) {
        QVERIFY(problem->message().contains(u"Ing.dat"_s));
        QVERIFY(problem->message().contains(u"Ing.dat.damaged"_s));
    }
}

void TestIngTable::absentFileIsCreatedEmptyAndDeletedWithItsLastRecord()
{
    const TempWorkDir dir;
    IngTable table;
    QVERIFY(!table.loadIngTable());
    QVERIFY(QFile::exists(u"Ing.dat"_s));
    QCOMPARE(table.count(), 0);
    QVERIFY(!table.ingNameStored(u"Milk"_s));
    QVERIFY(table.saveIngTable());
    QCOMPARE(readFile(u"Ing.dat"_s).size(), 0);
    QVERIFY(table.appendIng(record(u"Milk"_s)));
    QCOMPARE(readFile(u"Ing.dat"_s), record(u"Milk"_s).toBytes());
    // Only the stored names are trimmed.
    QVERIFY(!table.ingNameStored(u" Milk "_s) && !table.ingNameStored(u"milk"_s));
    QVERIFY(table.deleteIngByName(u" Milk "_s));
    QCOMPARE(table.count(), 0);
    QVERIFY(!QFile::exists(u"Ing.dat"_s));
    QVERIFY(table.saveIngTable());
    QCOMPARE(readFile(u"Ing.dat"_s).size(), 0);
}

void TestIngTable::namesAreFoundAndListedAfterEveryChange()
{
    const TempWorkDir dir;
    // Few names, in several cases and some with a space in front, so that equal names abound.
    const QStringList names{u"Egg"_s,  u"egg"_s,  u" Egg"_s,        u"EGG"_s,        u"Milk"_s,
                            u"milk"_s, u"Rice"_s, u"\u00c9clair"_s, u"\u00e9clair"_s};
    QRandomGenerator random(4711);
    const auto anyRecord = [&] {
        return record(names[random.bounded(names.size())], float(random.bounded(500)));
    };
    QList<IngRecord> expected;
    for (int i = 0; i < 40; ++i)
        expected.append(anyRecord());
    writeFile(u"Ing.dat"_s, IngTable::toBytes(expected));
    IngTable table;
    QVERIFY(!table.loadIngTable());
    const auto removeAt = [&expected](int index) {
        expected[index] = expected.last();
        expected.removeLast();
    };
    for (int change = 0; change < 60; ++change) {
        const int index = expected.isEmpty() ? -1 : int(random.bounded(expected.size()));
        const IngRecord added = anyRecord();
        switch (index < 0 ? 0 : random.bounded(4)) {
        case 0:
            QVERIFY(table.appendIng(added));
            expected.append(added);
            break;
        case 1:
            table.deleteIngAt(index);
            removeAt(index);
            break;
        case 2:
            QVERIFY(table.replaceIngAt(index, added));
            removeAt(index);
            expected.append(added);
            break;
        default: {
            // The first of the records so named goes.
            const QString name = expected[index].name;
            int first = 0;
            while (trimSpaces(expected[first].name) != trimSpaces(name))
                ++first;
            QVERIFY(table.deleteIngAndSave(name));
            removeAt(first);
        }
        }
        QCOMPARE(table.records(), expected);
        QStringList listed;
        for (const IngRecord& r : std::as_const(expected))
            listed.append(trimSpaces(r.name));
        std::stable_sort(listed.begin(), listed.end(), SortedNameModel::lessForPeople);
        QCOMPARE(table.namesForPeople(), listed);
        for (const QString& name : names) {
            int first = -1;
            int last = -1;
            int lastIgnoringCase = -1;
            for (int i = 0; i < expected.size(); ++i) {
                const QString stored = trimSpaces(expected[i].name);
                if (first < 0 && stored == trimSpaces(name))
                    first = i;
                if (stored == name)
                    last = i;
                if (lowerCase(stored) == lowerCase(trimSpaces(name)))
                    lastIgnoringCase = i;
            }
            QCOMPARE(table.indexOfName(name), first);
            QCOMPARE(table.lastIndexOfName(name), last);
            QCOMPARE(table.lastIndexOfNameIgnoringCase(name), lastIgnoringCase);
        }
    }
    IngTable reloaded;
    QVERIFY(!reloaded.loadIngTable());
    QCOMPARE(reloaded.records(), expected);
}

void TestIngTable::randomRecordsRoundTripByteForByte()
{
    const TempWorkDir dir;
    QRandomGenerator random(20261205);
    QByteArray expected;
    for (int i = 0; i < 2000; ++i) {
        // Random bytes make every field value possible: odd texts, NaNs, negative integers.
        QByteArray raw(164, Qt::Uninitialized);
        for (char& c : raw)
            c = static_cast<char>(random.bounded(256));
        expected.append(IngRecord::fromBytes(raw).toBytes());
    }
    writeFile(u"Ing.dat"_s, expected);
    IngTable table;
    QVERIFY(!table.loadIngTable());
    QCOMPARE(table.count(), 2000);
    QVERIFY(table.saveIngTable());
    QVERIFY(readFile(u"Ing.dat"_s) == expected);
}

void TestIngTable::damagedFileIsCopiedAsideBeforeTheNextRewrite()
{
    const TempWorkDir dir;
    const QByteArray damaged = IngTable::toBytes({record(u"A"_s)}) + QByteArray("tail");
    writeFile(u"Ing.dat"_s, damaged);
    IngTable table;
    const std::optional<LoadProblem> problem = table.loadIngTable();
    QVERIFY(problem);
    QCOMPARE(problem->backupName, u"Ing.dat.damaged"_s);
    QVERIFY(!QFile::exists(u"Ing.dat.damaged"_s));
    QVERIFY(table.appendIng(record(u"B"_s)));
    QCOMPARE(readFile(u"Ing.dat.damaged"_s), damaged);
    QVERIFY(table.appendIng(record(u"C"_s)));
    QCOMPARE(readFile(u"Ing.dat.damaged"_s), damaged);
    QCOMPARE(readFile(u"Ing.dat"_s).size(), 3 * 164);

    // A second damaged load does not overwrite the first copy.
    writeFile(u"Ing.dat"_s, QByteArray("x"));
    IngTable again;
    QCOMPARE(again.loadIngTable()->backupName, u"Ing.dat.damaged-2"_s);
}

void TestIngTable::refusedAppendLeavesTableAndFileAsTheyWere_data()
{
    QTest::addColumn<bool>("diskFull");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("why");
    QTest::newRow("a full disk") << true << u"B"_s << u"No space left on device"_s;
    QTest::newRow("a name outside the code page") << false << u"Miso \u5473\u564c"_s << u"\u5473"_s;
}

void TestIngTable::refusedAppendLeavesTableAndFileAsTheyWere()
{
    QFETCH(bool, diskFull);
    QFETCH(QString, name);
    QFETCH(QString, why);
    const TempWorkDir dir;
    auto file = std::make_unique<FailingFile>(u"Ing.dat"_s);
    FailingFile& failing = *file;
    IngTable table(std::move(file));
    QVERIFY(!table.loadIngTable());
    QVERIFY(table.appendIng(record(u"A"_s)));
    failing.failWrites = diskFull;
    QVERIFY(!table.appendIng(record(name)));
    if (diskFull)
        QVERIFY(table.errorString().contains(u"Ing.dat"_s));
    QVERIFY2(table.errorString().contains(why), qPrintable(table.errorString()));
    QCOMPARE(table.count(), 1);
    QCOMPARE(readFile(u"Ing.dat"_s), record(u"A"_s).toBytes());
}

void TestIngTable::unreadableFileIsLeftAloneAndTheOtherStillSaves_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<bool>("asLink");
    QTest::addColumn<QString>("why");
    QTest::newRow("the ingredient file is a folder")
        << u"Ing.dat"_s << false << u"Zestora cannot read the file Ing.dat: it is a folder"_s;
    QTest::newRow("the recipe file is a link to nothing")
        << u"Recipe.Dat"_s << true
        << u"Zestora cannot read the file Recipe.Dat: it is a link to /nonexistent/Recipe.Dat, "
           u"which does not exist."_s;
}

void TestIngTable::unreadableFileIsLeftAloneAndTheOtherStillSaves()
{
    QFETCH(QString, fileName);
    QFETCH(bool, asLink);
    QFETCH(QString, why);
    const TempWorkDir dir;
    if (asLink)
        QVERIFY(QFile::link(u"/nonexistent/Recipe.Dat"_s, fileName));
    else
        QVERIFY(QDir().mkdir(fileName));
    IngTable table;
    RecipeStore store;
    std::optional<LoadProblem> problem = table.loadIngTable();
    if (!problem)
        problem = store.load();
    QVERIFY(problem && problem->unreadable);
    const QString message = problem->message();
    QVERIFY2(message.startsWith(why), qPrintable(message));
    QVERIFY(!message.contains(u".damaged"_s));

    const bool ingredientsSaved = table.appendIng(record(u"Salt"_s));
    const bool recipeSaved = store.appendRecipe(
        u"Tea"_s, u"\u00aeTea\u00a71\u00c8\u00ce\u00a5Hot\u0090\u00c6\u00bf\u00df"_s);
    QCOMPARE(ingredientsSaved, fileName != u"Ing.dat"_s);
    QCOMPARE(recipeSaved, fileName != u"Recipe.Dat"_s);
    const QString refused = ingredientsSaved ? store.errorString() : table.errorString();
    QVERIFY2(refused.contains(u"could not be read when Zestora started"_s), qPrintable(refused));
    QCOMPARE(QFileInfo(fileName).isSymLink(), asLink);
    QCOMPARE(QFileInfo(fileName).isDir(), !asLink);
    QCOMPARE(QDir().entryList(QDir::Files).size(), 1);
}

void TestIngTable::deleteOrReplaceIsOneRewrite_data()
{
    QTest::addColumn<QString>("replacement"); // empty: delete
    QTest::addColumn<int>("removed");
    QTest::addColumn<QStringList>("after");
    QTest::newRow("delete the first") << QString() << 0 << QStringList{u"C"_s, u"B"_s};
    QTest::newRow("delete the last") << QString() << 2 << QStringList{u"A"_s, u"B"_s};
    QTest::newRow("replace the first") << u"A"_s << 0 << QStringList{u"C"_s, u"B"_s, u"A"_s};
    QTest::newRow("replace the middle") << u"B"_s << 1 << QStringList{u"A"_s, u"C"_s, u"B"_s};
}

void TestIngTable::deleteOrReplaceIsOneRewrite()
{
    QFETCH(QString, replacement);
    QFETCH(int, removed);
    QFETCH(QStringList, after);
    const TempWorkDir dir;
    const QList<IngRecord> before{record(u"A"_s), record(u"B"_s), record(u"C"_s)};
    writeFile(u"Ing.dat"_s, IngTable::toBytes(before));
    auto file = std::make_unique<FailingFile>(u"Ing.dat"_s);
    FailingFile& failing = *file;
    IngTable table(std::move(file));
    QVERIFY(!table.loadIngTable());
    const QString name = before[removed].name;
    const IngRecord edited = record(replacement, 250);
    const auto change = [&] {
        return replacement.isEmpty() ? table.deleteIngAndSave(name)
                                     : table.replaceIngAt(table.indexOfName(name), edited);
    };
    // A failed rewrite leaves the table and the file as they were.
    failing.failWrites = true;
    QVERIFY(!change());
    QCOMPARE(table.records(), before);
    QCOMPARE(readFile(u"Ing.dat"_s), IngTable::toBytes(before));

    failing.failWrites = false;
    QVERIFY(change());
    QCOMPARE(table.trimmedNames(), after);
    if (!replacement.isEmpty())
        QCOMPARE(table.records().last(), edited);
    QCOMPARE(readFile(u"Ing.dat"_s), IngTable::toBytes(table.records()));
}

void TestIngTable::refusesMoreThanTheLargestTable()
{
    const TempWorkDir dir;
    QList<IngRecord> full(IngTable::maxCount + 1, record(u"Same"_s));
    writeFile(u"Ing.dat"_s, IngTable::toBytes(full));
    IngTable table;
    const std::optional<LoadProblem> problem = table.loadIngTable();
    QVERIFY(problem);
    QVERIFY(problem->what.contains(u"32,767"_s));
    QCOMPARE(table.count(), IngTable::maxCount);
    QVERIFY(!table.appendIng(record(u"More"_s)));
    QVERIFY(table.errorString().contains(u"32,767"_s));
}

void TestIngTable::volumeWeight_data()
{
    QTest::addColumn<QString>("measure1");
    QTest::addColumn<QString>("measure2");
    QTest::addColumn<int>("kind");
    QTest::newRow("volume and weight") << u"cup"_s << u"g"_s << 0;
    QTest::newRow("weight and volume") << u"lb"_s << u"quart"_s << 0;
    QTest::newRow("two volumes") << u"ml"_s << u"tsp"_s << 1;
    QTest::newRow("volume and neither") << u"tbs"_s << u"slice"_s << 1;
    QTest::newRow("neither and volume") << u"slice"_s << u"pint"_s << 1;
    QTest::newRow("two weights") << u"oz"_s << u"g"_s << 2;
    QTest::newRow("weight and nothing") << u"g"_s << u""_s << 2;
    QTest::newRow("own measure and weight") << u"slice"_s << u"oz"_s << 2;
    QTest::newRow("two own measures") << u"slice"_s << u"piece"_s << 3;
    QTest::newRow("kg and l are neither") << u"kg"_s << u"l"_s << 3;
    QTest::newRow("letter case counts") << u"Cup"_s << u"G"_s << 3;
    QTest::newRow("spaces are trimmed") << u" cup "_s << u"g   "_s << 0;
}

void TestIngTable::volumeWeight()
{
    QFETCH(QString, measure1);
    QFETCH(QString, measure2);
    QFETCH(int, kind);
    QCOMPARE(zestora::volumeWeight(measure1, measure2), kind);
}

QTEST_GUILESS_MAIN(TestIngTable)
#include "tst_ingtable.moc"
