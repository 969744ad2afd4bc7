#include "core/store/faultguard.h"
#include "core/store/ingtable.h"
#include "core/store/recipestore.h"
#include "testsupport.h"

#include <QProcess>
#include <QRandomGenerator>

#include <csignal>
#include <cstdio>

#include <sys/mman.h>
#include <sys/resource.h>

using namespace zestora;
using namespace zestora::testing;

namespace {

QByteArray recipeFile(const QStringList& names)
{
    QString text;
    for (const QString& name : names)
        text += u"\u00ae"_s + name + u"\u00a74\u00c8\u00ce\u00a5Bowl\u0090\u00c6\u00bfMix.\u00df"_s;
    return text.toLatin1() + "\r\n";
}

QByteArray ingredientFile(const QStringList& names)
{
    QList<IngRecord> records;
    for (const QString& name : names)
        records.append(food(name, 1, u"cup"_s, 240, u"g"_s, {.calories = 100}));
    return IngTable::toBytes(records);
}

} // namespace

class TestCrashSafety : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void killedRewriteLeavesAWholeOldOrNewFile();
    void fullDiskFailsTheSaveAndLeavesTheFile_data();
    void fullDiskFailsTheSaveAndLeavesTheFile();
    void filesChangedByAnotherProgramLoseNothing_data();
    void filesChangedByAnotherProgramLoseNothing();
    void aMappingWhoseFileShrinksReadsZeros();
};

void TestCrashSafety::killedRewriteLeavesAWholeOldOrNewFile()
{
    const TempWorkDir dir;
    constexpr qsizetype size = 24 * 1024 * 1024;
    const QByteArray oldFile(size, 'A');
    const QByteArray newFile(size, 'B');
    writeFile(u"Recipe.Dat"_s, oldFile);
    QRandomGenerator random(777);
    int sawNew = 0;
    int rounds = 0;
    // A busy machine makes each rewrite slower: the kills wait longer until one lands after a
    // finished rewrite, so that both outcomes are seen however loaded the machine is.
    int longestWait = 120;
    for (; rounds < 40 || (rounds < 120 && (sawNew == 0 || sawNew == rounds)); ++rounds) {
        const int round = rounds;
        QProcess writer;
        writer.start(QStringLiteral(REWRITER_PATH), {dir.path(), QString::number(size)});
        QVERIFY(writer.waitForStarted());
        // Let it get going, then kill it somewhere inside a rewrite.
        QVERIFY(writer.waitForReadyRead(20000));
        QTest::qWait(static_cast<int>(random.bounded(1, longestWait)));
        writer.kill();
        QVERIFY(writer.waitForFinished());
        const QByteArray now = readFile(u"Recipe.Dat"_s);
        QVERIFY2(now == oldFile || now == newFile,
                 qPrintable(u"round %1: a file of %2 bytes"_s.arg(round).arg(now.size())));
        sawNew += now == newFile;
        if (sawNew == 0 && round % 8 == 7)
            longestWait *= 2;
    }
    // Both outcomes happened, so kills did land in different phases of the rewrites.
    QVERIFY(sawNew > 0 && sawNew < rounds);
}

void TestCrashSafety::fullDiskFailsTheSaveAndLeavesTheFile_data()
{
    QTest::addColumn<qsizetype>("oldSize");
    QTest::addColumn<qsizetype>("newSize");
    QTest::addColumn<rlim_t>("room");
    // Qt buffers up to 16 KB before it writes: a small file fails only when the buffer is flushed.
    QTest::newRow("a small file that fails in the last flush")
        << qsizetype(2000) << qsizetype(7625) << rlim_t(4096);
    QTest::newRow("a large file that fails part way")
        << qsizetype(300'000) << qsizetype(1'000'000) << rlim_t(512 * 1024);
}

void TestCrashSafety::fullDiskFailsTheSaveAndLeavesTheFile()
{
    QFETCH(qsizetype, oldSize);
    QFETCH(qsizetype, newSize);
    QFETCH(rlim_t, room);
    const TempWorkDir dir;
    const QByteArray oldFile(oldSize, 'x');
    writeFile(u"Recipe.Dat"_s, oldFile);
    QProcess writer;
    // No file may grow past the room left: writes beyond it fail as on a full disk.
    writer.setChildProcessModifier([room] {
        const rlimit limit{room, room};
        setrlimit(RLIMIT_FSIZE, &limit);
        std::signal(SIGXFSZ, SIG_IGN);
    });
    writer.start(QStringLiteral(REWRITER_PATH), {dir.path(), QString::number(newSize), u"once"_s});
    QVERIFY(writer.waitForFinished());
    QCOMPARE(writer.exitStatus(), QProcess::NormalExit);
    QCOMPARE(writer.exitCode(), 1);
    const QString error = QString::fromLocal8Bit(writer.readAllStandardError());
    QVERIFY2(error.contains(u"Recipe.Dat: the disk is full"_s), qPrintable(error));
    QVERIFY(readFile(u"Recipe.Dat"_s) == oldFile);
    QCOMPARE(QDir().entryList(QDir::Files | QDir::Hidden), QStringList{u"Recipe.Dat"_s});
}

void TestCrashSafety::filesChangedByAnotherProgramLoseNothing_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("written over in place, as cp does") << u"in place"_s;
    QTest::newRow("replaced by another file") << u"replaced"_s;
    QTest::newRow("held open for writing while Zestora reads them") << u"held open"_s;
}

void TestCrashSafety::filesChangedByAnotherProgramLoseNothing()
{
    QFETCH(QString, how);
    const TempWorkDir dir;
    const QStringList recipeNames{u"Stew"_s, u"Salad"_s, u"Soup"_s};
    const QStringList ingredientNames{u"Flour"_s, u"Milk"_s, u"Egg"_s};
    writeFile(RecipeStore::fileName, recipeFile(recipeNames));
    writeFile(IngTable::fileName, ingredientFile(ingredientNames));
    // The other program's versions are shorter, so that what Zestora mapped would end early.
    const QByteArray otherRecipes = recipeFile({u"Other"_s});
    const QByteArray otherIngredients = ingredientFile({u"Other"_s});
    std::vector<std::unique_ptr<QFile>> held;
    for (const QString& name : {RecipeStore::fileName, IngTable::fileName})
        if (how == u"held open") {
            held.push_back(std::make_unique<QFile>(name));
            QVERIFY(held.back()->open(QIODevice::ReadWrite));
        }

    QProcess zestora;
    zestora.start(QStringLiteral(STOREHOLDER_PATH), {dir.path()});
    QVERIFY(zestora.waitForReadyRead(20000));
    QCOMPARE(zestora.readLine(), QByteArray("loaded\n"));
    for (const auto& [name, other] : {std::pair{RecipeStore::fileName, otherRecipes},
                                      std::pair{IngTable::fileName, otherIngredients}}) {
        if (how == u"replaced") {
            writeFile(name + u".new"_s, other);
            QVERIFY(std::rename(qPrintable(name + u".new"_s), qPrintable(name)) == 0);
        } else if (how == u"in place") {
            // Opening the file to write waits until Zestora has let go of it.
            writeFile(name, other);
        }
    }
    for (const std::unique_ptr<QFile>& file : held) {
        QVERIFY(file->resize(0));
        QVERIFY(file->write(file->fileName() == RecipeStore::fileName ? otherRecipes
                                                                      : otherIngredients) > 0);
        file->close();
    }
    zestora.write("go\n");
    QVERIFY(zestora.waitForFinished(20000));
    QCOMPARE(zestora.exitStatus(), QProcess::NormalExit);
    QCOMPARE(zestora.exitCode(), 0);

    // Zestora went on with what it had read, saved every change from it, and said so once a file.
    const QStringList lines = QString::fromUtf8(zestora.readAllStandardOutput()).split(u'\n');
    QCOMPARE(lines.mid(0, 2), (QStringList{u"shown Soup \u00a74\u00c8\u00ce\u00a5Bowl\u0090"
                                           u"\u00c6\u00bfMix.\u00df"_s,
                                           u"shown Egg"_s}));
    for (const char* change : {"save recipes", "append recipe", "delete recipe", "save ingredients",
                               "append ingredient", "delete ingredient"})
        QVERIFY2(lines.contains(QString::fromLatin1(change) + u" done"_s),
                 qPrintable(lines.join(u'\n')));
    QCOMPARE(readFile(RecipeStore::fileName), recipeFile({u"Pie"_s, u"Salad"_s, u"Soup"_s}));
    IngRecord salt;
    salt.name = u"Salt"_s;
    QCOMPARE(readFile(IngTable::fileName), salt.toBytes() + ingredientFile({u"Milk"_s, u"Egg"_s}));
    const QStringList told = lines.filter(u"told "_s);
    QCOMPARE(told.size(), 2);
    for (const auto& [name, other] : {std::pair{RecipeStore::fileName, otherRecipes},
                                      std::pair{IngTable::fileName, otherIngredients}}) {
        const QString notice = told.filter(u"changed the file "_s + name).value(0);
        QVERIFY2(notice.contains(u"While Zestora was running, another program changed"_s),
                 qPrintable(told.join(u'\n')));
        const QString kept = notice.section(u" is kept as "_s, 1).chopped(1);
        QCOMPARE(readFile(kept), other);
    }
}

void TestCrashSafety::aMappingWhoseFileShrinksReadsZeros()
{
    const TempWorkDir dir;
    constexpr qsizetype size = 1 << 20;
    writeFile(u"Recipe.Dat"_s, QByteArray(size, 'x'));
    QFile file(u"Recipe.Dat"_s);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const uchar* mapped = file.map(0, size);
    QVERIFY(mapped);
    std::atomic<bool> lost = false;
    const FaultGuard guard(mapped, size, &lost);
    QVERIFY(guard.holds());
    QCOMPARE(mapped[size - 1], uchar('x'));
    // Another program cuts the file short: reading past its new end would end the program.
    QCOMPARE(QProcess::execute(u"truncate"_s, {u"-s"_s, u"4096"_s, u"Recipe.Dat"_s}), 0);
    QVERIFY(!lost);
    QCOMPARE(mapped[size - 1], uchar(0));
    QVERIFY(lost);
    QCOMPARE(mapped[0], uchar(0));
}

QTEST_GUILESS_MAIN(TestCrashSafety)
#include "tst_crashsafety.moc"
