#include "core/store/ingtable.h"
#include "testsupport.h"

#include <QRandomGenerator>
#include <QtEndian>

using namespace zestora;
using zestora::testing::readFile;
using zestora::testing::TempWorkDir;
using zestora::testing::writeFile;

namespace {

IngRecord record(const QString& name, float calories = 100)
{
    IngRecord r;
    r.name = name;
    r.amount1 = 1;
    r.measure1 = QStringLiteral("cup");
    r.amount2 = 240;
    r.measure2 = QStringLiteral("g");
    r.calories = calories;
    r.fat = 2.5f;
    r.cholesterol = 25;
    r.measureKind = 0;
    return r;
}

QByteArray fileOf(const QList<IngRecord>& records)
{
    return IngTable::toBytes(records);
}

QStringList namesOf(const IngTable& table)
{
    return table.trimmedNames();
}

// A data file whose writes can be made to fail, like a full disk.
class FailingFile : public DataFile {
public:
    using DataFile::DataFile;
    bool failWrites = false;

protected:
    bool writeAtomically(std::initializer_list<QByteArrayView> parts) override
    {
        if (failWrites) {
            setError(QStringLiteral("save"), QStringLiteral("No space left on device"));
            return false;
        }
        return DataFile::writeAtomically(parts);
    }
};

} // namespace

class TestIngTable : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void recordBytesAreTheFileLayout();
    void textFieldsArePaddedOrCut_data();
    void textFieldsArePaddedOrCut();
    void partialRecordCount_data();
    void partialRecordCount();
    void loadsRecordsInFileOrder();
    void absentFileIsCreatedEmptyAndAppendWritesOneRecord();
    void deleteByNameMovesTheLastRecordIntoThePlace();
    void deletingTheOnlyRecordDeletesTheFile();
    void deleteAtAndNameLookupCompareTrimmedExactly();
    void randomRecordsRoundTripByteForByte();
    void damagedFileIsCopiedAsideBeforeTheNextRewrite();
    void failedSaveLeavesTableAndFileAsTheyWere();
    void refusesTextTheFileCannotHold();
    void refusesMoreThanTheLargestTable();
    void volumeWeight_data();
    void volumeWeight();
};

void TestIngTable::recordBytesAreTheFileLayout()
{
    IngRecord r = record(QStringLiteral("Flour"));
    r.satFat = 0.5f;
    r.sodium = 5;
    r.totalCarbs = 95.5f;
    r.fiber = 3.25f;
    r.protein = 13;
    r.customMeasure = -1;
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
    // 2.5 as a little-endian single is 00 00 20 40.
    QCOMPARE(bytes.sliced(132, 4), QByteArray::fromHex("00002040"));
    QCOMPARE(bytes.sliced(140, 4), QByteArray::fromHex("19000000"));
    QCOMPARE(bytes.sliced(160, 2), QByteArray::fromHex("0300"));
    QCOMPARE(bytes.sliced(162, 2), QByteArray::fromHex("ffff"));
}

void TestIngTable::textFieldsArePaddedOrCut_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<QString>("shown");
    QTest::newRow("a short name is padded with spaces")
        << QStringLiteral("Salt") << QByteArray("Salt") + QByteArray(56, ' ')
        << QStringLiteral("Salt");
    QTest::newRow("a 70-character name keeps its first 60")
        << QString(70, QLatin1Char('x')) << QByteArray(60, 'x') << QString(60, QLatin1Char('x'));
    QTest::newRow("leading spaces are stored and trimmed when shown")
        << QStringLiteral("  Oats") << QByteArray("  Oats") + QByteArray(54, ' ')
        << QStringLiteral("Oats");
    QTest::newRow("code page 1252 letters are single bytes")
        << QStringLiteral("Cr\u00e8me br\u00fbl\u00e9e \u20ac")
        << QByteArray("Cr\xe8me br\xfbl\xe9"
                      "e \x80") +
               QByteArray(46, ' ')
        << QStringLiteral("Cr\u00e8me br\u00fbl\u00e9e \u20ac");
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
    QCOMPARE(readFile(QStringLiteral("Ing.dat")).first(60), stored);
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
    const QByteArray whole = fileOf(
        {record(QStringLiteral("A")), record(QStringLiteral("B")), record(QStringLiteral("C"))});
    writeFile(QStringLiteral("Ing.dat"), whole.first(fileSize));
    IngTable table;
    const std::optional<LoadProblem> problem = table.loadIngTable();
    QCOMPARE(table.count(), count);
    QCOMPARE(problem.has_value(), damaged);
    if (count >= 1)
        QCOMPARE(table.at(0).name, QStringLiteral("A"));
    if (damaged) {
        QVERIFY(problem->message().contains(QStringLiteral("Ing.dat")));
        QVERIFY(problem->message().contains(QStringLiteral("Ing.dat.damaged")));
    }
}

void TestIngTable::loadsRecordsInFileOrder()
{
    const TempWorkDir dir;
    writeFile(QStringLiteral("Ing.dat"),
              fileOf({record(QStringLiteral("Zucchini  ")), record(QStringLiteral("apple")),
                      record(QStringLiteral("Milk"))}));
    IngTable table;
    QVERIFY(!table.loadIngTable());
    QCOMPARE(namesOf(table), (QStringList{QStringLiteral("Zucchini"), QStringLiteral("apple"),
                                          QStringLiteral("Milk")}));
}

void TestIngTable::absentFileIsCreatedEmptyAndAppendWritesOneRecord()
{
    const TempWorkDir dir;
    IngTable table;
    QVERIFY(!table.loadIngTable());
    QVERIFY(QFile::exists(QStringLiteral("Ing.dat")));
    QCOMPARE(table.count(), 0);
    QVERIFY(!table.ingNameStored(QStringLiteral("Milk")));
    QVERIFY(table.saveIngTable());
    QCOMPARE(readFile(QStringLiteral("Ing.dat")).size(), 0);
    QVERIFY(table.appendIng(record(QStringLiteral("Milk"))));
    QCOMPARE(readFile(QStringLiteral("Ing.dat")), record(QStringLiteral("Milk")).toBytes());
}

void TestIngTable::deleteByNameMovesTheLastRecordIntoThePlace()
{
    const TempWorkDir dir;
    IngTable table;
    QVERIFY(!table.loadIngTable());
    for (const char* name : {"One", "Two", "Three", "Four"})
        QVERIFY(table.appendIng(record(QString::fromLatin1(name))));
    QVERIFY(table.deleteIngByName(QStringLiteral(" Two ")));
    QVERIFY(table.saveIngTable());
    IngTable reloaded;
    QVERIFY(!reloaded.loadIngTable());
    QCOMPARE(namesOf(reloaded),
             (QStringList{QStringLiteral("One"), QStringLiteral("Four"), QStringLiteral("Three")}));
    QVERIFY(table.deleteIngByName(QStringLiteral("missing")));
    QCOMPARE(table.count(), 3);
}

void TestIngTable::deletingTheOnlyRecordDeletesTheFile()
{
    const TempWorkDir dir;
    IngTable table;
    QVERIFY(!table.loadIngTable());
    QVERIFY(table.appendIng(record(QStringLiteral("Milk"))));
    QVERIFY(table.deleteIngByName(QStringLiteral("Milk")));
    QCOMPARE(table.count(), 0);
    QVERIFY(!QFile::exists(QStringLiteral("Ing.dat")));
    QVERIFY(table.saveIngTable());
    QCOMPARE(readFile(QStringLiteral("Ing.dat")).size(), 0);
}

void TestIngTable::deleteAtAndNameLookupCompareTrimmedExactly()
{
    const TempWorkDir dir;
    IngTable table;
    QVERIFY(!table.loadIngTable());
    for (const char* name : {"Salt", "Sugar", "Eggs"})
        QVERIFY(table.appendIng(record(QString::fromLatin1(name))));
    QVERIFY(table.ingNameStored(QStringLiteral("  Sugar ")));
    QVERIFY(!table.ingNameStored(QStringLiteral("sugar")));
    table.deleteIngAt(0);
    QCOMPARE(namesOf(table), (QStringList{QStringLiteral("Eggs"), QStringLiteral("Sugar")}));
    table.deleteIngAt(1);
    table.deleteIngAt(0);
    QCOMPARE(table.count(), 0);
}

void TestIngTable::randomRecordsRoundTripByteForByte()
{
    const TempWorkDir dir;
    QRandomGenerator random(20261205);
    QList<IngRecord> records;
    QByteArray expected;
    for (int i = 0; i < 2000; ++i) {
        // Random bytes make every field value possible: odd texts, NaNs, negative integers.
        QByteArray raw(164, Qt::Uninitialized);
        for (char& c : raw)
            c = static_cast<char>(random.bounded(256));
        IngRecord r = IngRecord::fromBytes(raw);
        records.append(r);
        expected.append(r.toBytes());
    }
    writeFile(QStringLiteral("Ing.dat"), expected);
    IngTable table;
    QVERIFY(!table.loadIngTable());
    QCOMPARE(table.count(), 2000);
    QVERIFY(table.saveIngTable());
    QVERIFY(readFile(QStringLiteral("Ing.dat")) == expected);
    for (int i = 0; i < table.count(); ++i)
        QCOMPARE(table.at(i).toBytes(), records[i].toBytes());
}

void TestIngTable::damagedFileIsCopiedAsideBeforeTheNextRewrite()
{
    const TempWorkDir dir;
    const QByteArray damaged = fileOf({record(QStringLiteral("A"))}) + QByteArray("tail");
    writeFile(QStringLiteral("Ing.dat"), damaged);
    IngTable table;
    const std::optional<LoadProblem> problem = table.loadIngTable();
    QVERIFY(problem);
    QCOMPARE(problem->backupName, QStringLiteral("Ing.dat.damaged"));
    QVERIFY(!QFile::exists(QStringLiteral("Ing.dat.damaged")));
    QVERIFY(table.appendIng(record(QStringLiteral("B"))));
    QCOMPARE(readFile(QStringLiteral("Ing.dat.damaged")), damaged);
    QVERIFY(table.appendIng(record(QStringLiteral("C"))));
    QCOMPARE(readFile(QStringLiteral("Ing.dat.damaged")), damaged);
    QCOMPARE(readFile(QStringLiteral("Ing.dat")).size(), 3 * 164);

    // A second damaged load does not overwrite the first copy.
    writeFile(QStringLiteral("Ing.dat"), QByteArray("x"));
    IngTable again;
    QCOMPARE(again.loadIngTable()->backupName, QStringLiteral("Ing.dat.damaged-2"));
}

void TestIngTable::failedSaveLeavesTableAndFileAsTheyWere()
{
    const TempWorkDir dir;
    auto file = std::make_unique<FailingFile>(QStringLiteral("Ing.dat"));
    FailingFile& failing = *file;
    IngTable table(std::move(file));
    QVERIFY(!table.loadIngTable());
    QVERIFY(table.appendIng(record(QStringLiteral("A"))));
    failing.failWrites = true;
    QVERIFY(!table.appendIng(record(QStringLiteral("B"))));
    QVERIFY(table.errorString().contains(QStringLiteral("Ing.dat")));
    QVERIFY(table.errorString().contains(QStringLiteral("No space left on device")));
    QCOMPARE(table.count(), 1);
    QCOMPARE(readFile(QStringLiteral("Ing.dat")), record(QStringLiteral("A")).toBytes());
}

void TestIngTable::refusesTextTheFileCannotHold()
{
    const TempWorkDir dir;
    IngTable table;
    QVERIFY(!table.loadIngTable());
    QVERIFY(!table.appendIng(record(QStringLiteral("Miso \u5473\u564c"))));
    QVERIFY(table.errorString().contains(QStringLiteral("\u5473")));
    QCOMPARE(table.count(), 0);
    QCOMPARE(readFile(QStringLiteral("Ing.dat")).size(), 0);
}

void TestIngTable::refusesMoreThanTheLargestTable()
{
    const TempWorkDir dir;
    QList<IngRecord> full(IngTable::maxCount + 1, record(QStringLiteral("Same")));
    writeFile(QStringLiteral("Ing.dat"), fileOf(full));
    IngTable table;
    const std::optional<LoadProblem> problem = table.loadIngTable();
    QVERIFY(problem);
    QVERIFY(problem->what.contains(QStringLiteral("32,767")));
    QCOMPARE(table.count(), IngTable::maxCount);
    QVERIFY(!table.appendIng(record(QStringLiteral("More"))));
    QVERIFY(table.errorString().contains(QStringLiteral("32,767")));
}

void TestIngTable::volumeWeight_data()
{
    QTest::addColumn<QString>("measure1");
    QTest::addColumn<QString>("measure2");
    QTest::addColumn<int>("kind");
    QTest::newRow("volume and weight") << QStringLiteral("cup") << QStringLiteral("g") << 0;
    QTest::newRow("weight and volume") << QStringLiteral("lb") << QStringLiteral("quart") << 0;
    QTest::newRow("two volumes") << QStringLiteral("ml") << QStringLiteral("tsp") << 1;
    QTest::newRow("volume and neither") << QStringLiteral("tbs") << QStringLiteral("slice") << 1;
    QTest::newRow("neither and volume") << QStringLiteral("slice") << QStringLiteral("pint") << 1;
    QTest::newRow("two weights") << QStringLiteral("oz") << QStringLiteral("g") << 2;
    QTest::newRow("weight and nothing") << QStringLiteral("g") << QStringLiteral("") << 2;
    QTest::newRow("own measure and weight") << QStringLiteral("slice") << QStringLiteral("oz") << 2;
    QTest::newRow("two own measures") << QStringLiteral("slice") << QStringLiteral("piece") << 3;
    QTest::newRow("kg and l are neither") << QStringLiteral("kg") << QStringLiteral("l") << 3;
    QTest::newRow("letter case counts") << QStringLiteral("Cup") << QStringLiteral("G") << 3;
    QTest::newRow("spaces are trimmed") << QStringLiteral(" cup ") << QStringLiteral("g   ") << 0;
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
