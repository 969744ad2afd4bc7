// Replays the fuzzing corpora, and inputs that once failed, through the fuzzed entry points, then
// seeded random changes of them: a regression fails here without a fuzzing compiler.
#include "core/store/recipemarks.h"
#include "fuzz/targets.h"
#include "testsupport.h"

#include <QDirIterator>
#include <QRandomGenerator>

using namespace zestora;

namespace {

using Target = QString (*)(QByteArrayView);
const QList<std::pair<QString, Target>> targets{
    {u"ingredientFile"_s, fuzz::ingredientFile}, {u"recipeFile"_s, fuzz::recipeFile},
    {u"quantityText"_s, fuzz::quantityText},     {u"webRecipes"_s, fuzz::webRecipes},
    {u"mealMasterFile"_s, fuzz::mealMasterFile}, {u"ingredientLines"_s, fuzz::ingredientLines}};

QStringList corpus(const QString& target)
{
    QStringList files;
    QDirIterator found(QStringLiteral(FUZZ_CORPUS "/") + target, QDir::Files);
    while (found.hasNext())
        files.append(found.next());
    return files;
}

// Random changes: flipped bytes, marks dropped in, cuts and repeats.
QByteArray mutate(QByteArray bytes, QRandomGenerator& random)
{
    const int changes = static_cast<int>(random.bounded(1, 8));
    for (int i = 0; i < changes; ++i) {
        const int at = static_cast<int>(random.bounded(static_cast<int>(bytes.size()) + 1));
        switch (random.bounded(4)) {
        case 0:
            bytes.insert(at, static_cast<char>(random.bounded(256)));
            break;
        case 1:
            bytes.insert(at, marks::all[random.bounded(static_cast<int>(marks::all.size()))]);
            break;
        case 2:
            bytes.remove(at, random.bounded(1, 40));
            break;
        default:
            bytes.insert(at, bytes.mid(random.bounded(static_cast<int>(bytes.size()) + 1), 30));
            break;
        }
    }
    return bytes;
}

} // namespace

class TestFuzzCorpus : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void corpusInputsHold_data();
    void corpusInputsHold();
    void changedInputsHold_data();
    void changedInputsHold();
};

void TestFuzzCorpus::corpusInputsHold_data()
{
    QTest::addColumn<int>("target");
    QTest::addColumn<QString>("file");
    for (int t = 0; t < targets.size(); ++t)
        for (const QString& file : corpus(targets[t].first))
            QTest::addRow("%s",
                          qPrintable(QDir(QStringLiteral(FUZZ_CORPUS)).relativeFilePath(file)))
                << t << file;
}

void TestFuzzCorpus::corpusInputsHold()
{
    QFETCH(int, target);
    QFETCH(QString, file);
    const QString failure = targets[target].second(testing::readFile(file));
    QVERIFY2(failure.isEmpty(), qPrintable(failure));
}

void TestFuzzCorpus::changedInputsHold_data()
{
    QTest::addColumn<int>("target");
    for (int t = 0; t < targets.size(); ++t)
        QTest::newRow(qPrintable(targets[t].first)) << t;
}

void TestFuzzCorpus::changedInputsHold()
{
    QFETCH(int, target);
    QList<QByteArray> inputs;
    for (const QString& file : corpus(targets[target].first))
        inputs.append(testing::readFile(file));
    QVERIFY(!inputs.isEmpty());
    QRandomGenerator random(99);
    for (int round = 0; round < 3000; ++round) {
        const QByteArray input =
            mutate(inputs[random.bounded(static_cast<int>(inputs.size()))], random);
        const QString failure = targets[target].second(input);
        QVERIFY2(failure.isEmpty(),
                 qPrintable(failure + u": "_s + QString::fromLatin1(input.toHex())));
    }
}

QTEST_GUILESS_MAIN(TestFuzzCorpus)
#include "tst_fuzzcorpus.moc"
