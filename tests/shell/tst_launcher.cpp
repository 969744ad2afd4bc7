#include "app/backupcommands.h"
#include "app/launcher.h"
#include "app/usdaimport.h"
#include "core/store/backups.h"
#include "core/store/ingtable.h"

#include "testsupport.h"
#include <QLockFile>
#include <QProcess>
#include <QSysInfo>
#include <QTextStream>

using namespace zestora;
using namespace zestora::testing;

namespace {
void writeUsdaTables()
{
    writeFile(u"foods.tsv"_s, "ndb_no\tdescription\tenergy_kcal\tprotein_g\tfat_g\tsat_fat_g\t"
                              "carbs_g\tfiber_g\tsodium_mg\tcholesterol_mg\n"
                              "1\tHoney\t304\t0.3\t0\t0\t82.4\t0.2\t4\t0\n"
                              "2\tOats\t389\t16.9\t6.9\t1.2\t66.3\t10.6\t2\t0\n");
    writeFile(u"measures.tsv"_s, "ndb_no\tseq\tamount\tunit\tgrams\n"
                                 "1\t1\t1.0\ttbsp\t21\n");
}
} // namespace

class TestLauncher : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void dataDirIsMadeAndEntered();
    void starterIngredientsOnlyForANewFolder_data();
    void starterIngredientsOnlyForANewFolder();
    void importAddsOnlyNamesNotStored();
    void secondClaimOnAFolderIsRefusedAndTouchesNothing();
    void leftoversOfInterruptedSavesAreRemoved();
    void lockLeftByACrashIsTakenOver_data();
    void lockLeftByACrashIsTakenOver();
    void backupsAreListedAndRestored();
    void startsOnlyWhereAWindowCanOpen_data();
    void startsOnlyWhereAWindowCanOpen();
};

void TestLauncher::dataDirIsMadeAndEntered()
{
    const TempWorkDir dir;
    const QString wanted = dir.filePath(u"new/folder"_s);
    QCOMPARE(enterDataDir(wanted), QString());
    QCOMPARE(QDir::currentPath(), wanted);
    QVERIFY(!enterDataDir(u"/proc/no/such/place"_s).isEmpty());
    writeFile(u"file"_s, "x");
    QCOMPARE(enterDataDir(u"file"_s),
             u"Zestora cannot keep its data in file: that is a file, not a folder."_s);
}

void TestLauncher::starterIngredientsOnlyForANewFolder_data()
{
    QTest::addColumn<QByteArray>("ownFile");
    QTest::addColumn<bool>("copiedBefore");
    QTest::addColumn<QByteArray>("result");
    QTest::newRow("a new folder gets the starter")
        << QByteArray() << false << QByteArray("starter");
    QTest::newRow("the user's file is never overwritten")
        << QByteArray("mine") << false << QByteArray("mine");
    QTest::newRow("an emptied list stays empty") << QByteArray() << true << QByteArray();
}

void TestLauncher::starterIngredientsOnlyForANewFolder()
{
    QFETCH(QByteArray, ownFile);
    QFETCH(bool, copiedBefore);
    QFETCH(QByteArray, result);
    const TempWorkDir dir;
    const QString starter = dir.filePath(u"starter.dat"_s);
    writeFile(starter, "starter");
    if (!ownFile.isEmpty())
        writeFile(u"Ing.dat"_s, ownFile);
    if (copiedBefore) {
        QCOMPARE(copyStarterIngredients(starter), QString());
        QFile::remove(u"Ing.dat"_s);
    }
    QCOMPARE(copyStarterIngredients(starter), QString());
    QCOMPARE(readFile(u"Ing.dat"_s), result);
}

void TestLauncher::importAddsOnlyNamesNotStored()
{
    const TempWorkDir dir;
    writeUsdaTables();
    const QString data = dir.filePath(u"data"_s);
    QString output;
    QTextStream out(&output);
    const QStringList arguments{u"--source"_s, dir.path(), u"--data-dir"_s, data};
    QCOMPARE(importUsda(arguments, QString(), out), 0);
    QVERIFY(output.contains(u"Added 2 of 2"_s));
    // A user's own ingredient of the same name, in other letters, is kept; the rest is there.
    IngTable table;
    QVERIFY(!table.loadIngTable());
    QVERIFY(table.deleteIngByName(u"Oats"_s));
    QVERIFY(table.saveIngTable());
    QVERIFY(table.appendIng(food(u"HONEY"_s, 1, u"cup"_s)));
    output.clear();
    QCOMPARE(importUsda(arguments, QString(), out), 0);
    QVERIFY2(output.contains(u"Added 1 of 2"_s), qPrintable(output));
    QVERIFY(!table.loadIngTable());
    QCOMPARE(table.trimmedNames(), (QStringList{u"Honey"_s, u"HONEY"_s, u"Oats"_s}));

    QCOMPARE(importUsda({u"--source"_s, u"/no/such/folder"_s}, QString(), out), 1);
}

void TestLauncher::secondClaimOnAFolderIsRefusedAndTouchesNothing()
{
    const TempWorkDir dir;
    QString error;
    std::unique_ptr<QLockFile> first = claimDataDir(&error);
    QVERIFY(first && first->isLocked());
    // However long the first has been running.
    const QString lockName = QDir(dir.path()).entryList(QDir::Hidden | QDir::Files).value(0);
    setModified(lockName, QDateTime::currentDateTime().addDays(-1));
    writeFile(u"Ing.dat.AbCd12"_s, "left by an interrupted save");

    QVERIFY(!claimDataDir(&error));
    QVERIFY2(error.startsWith(u"Zestora is already open on the data folder %1."_s.arg(
                 QDir::toNativeSeparators(dir.path()))),
             qPrintable(error));
    QVERIFY(QFile::exists(u"Ing.dat.AbCd12"_s));

    writeUsdaTables();
    QString output;
    QTextStream out(&output);
    QCOMPARE(importUsda({u"--source"_s, dir.path(), u"--data-dir"_s, dir.path()}, QString(), out),
             1);
    QVERIFY(output.contains(u"already open"_s));
    QVERIFY(!QFile::exists(u"Ing.dat"_s));

    first.reset();
    QVERIFY(claimDataDir(&error));
}

void TestLauncher::lockLeftByACrashIsTakenOver_data()
{
    QTest::addColumn<QByteArray>("lock");
    QTest::newRow("its process is gone")
        << "4194300\nzestora\n" + QSysInfo::machineHostName().toUtf8() + "\n";
    QTest::newRow("it was cut short") << QByteArray();
}

void TestLauncher::lockLeftByACrashIsTakenOver()
{
    QFETCH(QByteArray, lock);
    const TempWorkDir dir;
    writeFile(u".zestora-lock"_s, lock);
    setModified(u".zestora-lock"_s, QDateTime::currentDateTime().addSecs(-60));
    QString error;
    const std::unique_ptr<QLockFile> taken = claimDataDir(&error);
    QVERIFY2(taken && taken->isLocked(), qPrintable(error));
}

void TestLauncher::leftoversOfInterruptedSavesAreRemoved()
{
    const TempWorkDir dir;
    const QStringList leftovers{u"Ing.dat.Xy3kQa"_s, u"Recipe.Dat.abcdef"_s};
    const QStringList kept{u"Ing.dat"_s,
                           u"Recipe.Dat"_s,
                           u"Ing.dat.damaged"_s,
                           u"Recipe.Dat.damaged-2"_s,
                           u"Recipe.Dat.abcdefg"_s,
                           u"MyIng.dat.abcdef"_s};
    for (const QString& name : leftovers + kept)
        writeFile(name, "x");
    QString error;
    QVERIFY(claimDataDir(&error));
    QStringList left = QDir().entryList(QDir::Files);
    QStringList expected = kept;
    left.sort();
    expected.sort();
    QCOMPARE(left, expected);
}

void TestLauncher::backupsAreListedAndRestored()
{
    const TempWorkDir dir;
    IngTable table;
    QVERIFY(!table.loadIngTable());
    QVERIFY(table.appendIng(food(u"Salt"_s, 1, u"tsp"_s)));
    QVERIFY(table.appendIng(food(u"Pepper"_s, 1, u"tsp"_s)));
    const QList<backups::Backup> before = backups::list(u"Ing.dat"_s);
    QCOMPARE(before.size(), 1); // the one with salt; the empty file before it holds nothing
    const QString withSalt = QFileInfo(before.front().path).fileName();

    QString output;
    QTextStream out(&output);
    const QStringList here{u"--data-dir"_s, dir.path()};
    QCOMPARE(listBackups(here, out), 0);
    QVERIFY2(output.contains(u"Ing.dat: 1 backup\n"_s) &&
                 output.contains(u"Recipe.Dat: 0 backups"_s),
             qPrintable(output));
    QVERIFY2(output.contains(u"  "_s + withSalt + u"  "_s) &&
                 output.contains(u"  1 ingredient\n"_s),
             qPrintable(output));

    output.clear();
    QCOMPARE(restoreFromBackup(QStringList{u"backups/"_s + withSalt} + here, out), 0);
    QVERIFY2(output.startsWith(u"Restored Ing.dat from "_s), qPrintable(output));
    QVERIFY(!table.loadIngTable());
    QCOMPARE(table.trimmedNames(), QStringList{u"Salt"_s});
    // The version it replaced is the newest backup now.
    IngTable replaced(std::make_unique<DataFile>(backups::list(u"Ing.dat"_s).front().path));
    QVERIFY(!replaced.loadIngTable());
    QCOMPARE(replaced.trimmedNames(), (QStringList{u"Salt"_s, u"Pepper"_s}));

    QCOMPARE(restoreFromBackup(QStringList{u"Ing.dat.1999-01-01_00-00-00"_s} + here, out), 1);
}

void TestLauncher::startsOnlyWhereAWindowCanOpen_data()
{
    QTest::addColumn<QString>("platform");
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QByteArray>("errors");
    const QByteArray noDisplay = "Zestora is a desktop program and needs a graphical session "
                                 "(neither DISPLAY nor WAYLAND_DISPLAY is set).\n";
    QTest::newRow("no display") << QString() << QStringList() << 1 << noDisplay;
    QTest::newRow("X11 asked for without a display") << u"xcb"_s << QStringList() << 1 << noDisplay;
    QTest::newRow("import-usda needs none")
        << QString() << QStringList{u"import-usda"_s, u"--source"_s, u"."_s} << 0 << QByteArray();
}

void TestLauncher::startsOnlyWhereAWindowCanOpen()
{
    QFETCH(QString, platform);
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QByteArray, errors);
    const TempWorkDir dir;
    writeUsdaTables();
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const QString& variable : {u"DISPLAY"_s, u"WAYLAND_DISPLAY"_s, u"QT_QPA_PLATFORM"_s})
        environment.remove(variable);
    if (!platform.isEmpty())
        environment.insert(u"QT_QPA_PLATFORM"_s, platform);
    // The program's settings and data stay in the test's folder.
    for (const QString& variable : {u"HOME"_s, u"XDG_CONFIG_HOME"_s, u"XDG_DATA_HOME"_s})
        environment.insert(variable, dir.path());
    QProcess zestora;
    zestora.setProcessEnvironment(environment);
    zestora.start(QStringLiteral(ZESTORA_PATH),
                  arguments + QStringList{u"--data-dir"_s, u"data"_s});
    QVERIFY(zestora.waitForFinished(60000));
    QCOMPARE(zestora.exitStatus(), QProcess::NormalExit);
    QCOMPARE(zestora.exitCode(), exitCode);
    QCOMPARE(zestora.readAllStandardError(), errors);
}

QTEST_GUILESS_MAIN(TestLauncher)
#include "tst_launcher.moc"
