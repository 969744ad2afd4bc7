#include "app/backupcommands.h"
#include "app/folderlock.h"
#include "app/launcher.h"
#include "app/recipeingredientcommand.h"
#include "app/usdaimport.h"
#include "core/analysis/recipelines.h"
#include "core/store/backups.h"
#include "core/store/ingtable.h"
#include "core/store/recipestore.h"
#include "core/store/restore.h"

#include "testsupport.h"
#include <QLockFile>
#include <QProcess>
#include <QSysInfo>
#include <QTextStream>

#include <csignal>

#include <sys/fsuid.h>
#include <sys/resource.h>
#include <unistd.h>

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
    void ingredientFromRecipeCommand_data();
    void ingredientFromRecipeCommand();
    void aLinkInALoopIsReportedAndTheStartGoesOn_data();
    void aLinkInALoopIsReportedAndTheStartGoesOn();
    void secondClaimOnAFolderIsRefusedAndTouchesNothing();
    void aLockLeftOrHeldElsewhere_data();
    void aLockLeftOrHeldElsewhere();
    void aFolderThatCannotBeWrittenIsOpenedToRead_data();
    void aFolderThatCannotBeWrittenIsOpenedToRead();
    void leftoversOfInterruptedSavesAreRemoved();
    void backupsAreListedAndRestored_data();
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

void TestLauncher::ingredientFromRecipeCommand_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("said"); // the start of what the command says
    QTest::newRow("named after the recipe, any letters")
        << QStringList{u"GRAVY"_s} << 0 << u"Stored the ingredient Gravy: 1 serving = 60 g, "_s;
    QTest::newRow("under a name of its own")
        << QStringList{u"Gravy"_s, u"--as"_s, u"Sunday gravy"_s} << 0
        << u"Stored the ingredient Sunday gravy: "_s;
    QTest::newRow("a taken name is refused") << QStringList{u"Gravy"_s, u"--as"_s, u"stock"_s} << 1
                                             << u"An ingredient named stock is already stored"_s;
    QTest::newRow("a recipe not stored")
        << QStringList{u"Pie"_s} << 1 << u"No recipe named Pie is stored."_s;
}

void TestLauncher::ingredientFromRecipeCommand()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, status);
    QFETCH(QString, said);
    const TempWorkDir dir;
    {
        IngTable table;
        QVERIFY(!table.loadIngTable());
        QVERIFY(table.appendIng(food(u"Stock"_s, 1, u"cup"_s, 240, u"g"_s, {.sodium = 800})));
        RecipeStore recipes;
        QVERIFY(!recipes.load());
        QVERIFY(recipes.appendRecipe(
            u"Gravy"_s,
            lines::recipeRecord(u"Gravy"_s, u"4"_s,
                                {lines::ingredientEntry(u"Stock"_s, true, u"1"_s, u"cup"_s)},
                                u"Simmer."_s)));
    }
    const QByteArray recipesBefore = readFile(u"Recipe.Dat"_s);
    QString output;
    QTextStream out(&output);
    QTextStream err(&output);
    QCOMPARE(ingredientFromRecipe(arguments + QStringList{u"--data-dir"_s, dir.path()}, out, err),
             status);
    QVERIFY2(output.startsWith(said), qPrintable(output));
    IngTable table;
    QVERIFY(!table.loadIngTable());
    QCOMPARE(table.count(), status == 0 ? 2 : 1);
    QCOMPARE(readFile(u"Recipe.Dat"_s), recipesBefore);
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
    const QString since = backupTimeText(QDateTime::currentDateTime().addDays(-1));
    QVERIFY2(error.startsWith(
                 u"Zestora is already open on the data folder %1, on this computer "
                 u"(%2) since %3.\r\n\r\nUse the window that is open"_s.arg(
                     QDir::toNativeSeparators(dir.path()), QSysInfo::machineHostName(), since)),
             qPrintable(error));
    QVERIFY(QFile::exists(u"Ing.dat.AbCd12"_s));

    // A command says what to do in one line; listing the backups only reads, so it goes ahead.
    writeUsdaTables();
    QString output;
    QTextStream out(&output);
    QCOMPARE(importUsda({u"--source"_s, dir.path(), u"--data-dir"_s, dir.path()}, QString(), out),
             1);
    QVERIFY2(output.endsWith(u" since %1: close Zestora first, then run zestora "
                             u"import-usda again.\n"_s.arg(since)),
             qPrintable(output));
    QVERIFY(!QFile::exists(u"Ing.dat"_s));
    QCOMPARE(listBackups({u"--data-dir"_s, dir.path()}, out), 0);

    first.reset();
    QVERIFY(claimDataDir(&error));
}

void TestLauncher::aLinkInALoopIsReportedAndTheStartGoesOn_data()
{
    QTest::addColumn<QString>("through"); // the link Ing.dat leads to; it leads back
    QTest::newRow("a link to itself") << u"Ing.dat"_s;
    QTest::newRow("a loop through another name") << u"Other.dat"_s;
}

void TestLauncher::aLinkInALoopIsReportedAndTheStartGoesOn()
{
    QFETCH(QString, through);
    const TempWorkDir dir;
    writeFile(u"starter.dat"_s, food(u"Salt"_s, 1, u"tsp"_s).toBytes());
    QVERIFY(QFile::link(through, u"Ing.dat"_s));
    if (through != u"Ing.dat"_s)
        QVERIFY(QFile::link(u"Ing.dat"_s, through));
    QCOMPARE(copyStarterIngredients(dir.filePath(u"starter.dat"_s)), QString());
    IngTable table;
    const std::optional<LoadProblem> problem = table.loadIngTable();
    QVERIFY(problem && problem->unreadable && problem->what.contains(u"in a loop"_s));
    QVERIFY(QFileInfo(u"Ing.dat"_s).isSymLink());
}

void TestLauncher::aLockLeftOrHeldElsewhere_data()
{
    QTest::addColumn<QByteArray>("lock");
    QTest::addColumn<QString>("command");
    QTest::addColumn<int>("answer"); // to the window's question: -1 none asked, 0 no, 1 yes
    QTest::addColumn<bool>("taken");
    QTest::addColumn<QString>("refusal"); // %1: when the lock was taken
    const QByteArray elsewhere = "4242\nzestora\nelsewhere.example\n";
    QTest::newRow("left by a crash: its process is gone")
        << "4194300\nzestora\n" + QSysInfo::machineHostName().toUtf8() + "\n"
        << QString() << -1 << true << QString();
    QTest::newRow("left by a crash: cut short")
        << QByteArray() << QString() << -1 << true << QString();
    QTest::newRow("held elsewhere: a command refuses in one line")
        << elsewhere << u"zestora restore"_s << -1 << false
        << u"on the computer elsewhere.example since %1: close Zestora first on "
           u"elsewhere.example, then run zestora restore again."_s;
    QTest::newRow("held elsewhere: the window asks; no")
        << elsewhere << QString() << 0 << false << QString();
    QTest::newRow("held elsewhere: yes opens it here")
        << elsewhere << QString() << 1 << true << QString();
}

void TestLauncher::aLockLeftOrHeldElsewhere()
{
    QFETCH(QByteArray, lock);
    QFETCH(QString, command);
    QFETCH(int, answer);
    QFETCH(bool, taken);
    QFETCH(QString, refusal);
    const TempWorkDir dir;
    writeFile(u".zestora-lock"_s, lock);
    const QDateTime since = QDateTime::currentDateTime().addDays(-1);
    setModified(u".zestora-lock"_s, since);
    QString asked;
    Claimant claimant{command, {}};
    if (answer >= 0)
        claimant.openAnyway = [&](const QString& question) {
            asked = question;
            return answer == 1;
        };
    QString error;
    const std::unique_ptr<QLockFile> claimed = claimDataDir(&error, claimant);
    QCOMPARE(claimed && claimed->isLocked(), taken);
    QVERIFY2(refusal.isEmpty()
                 ? error.isEmpty()
                 : error.endsWith(refusal.arg(backupTimeText(since))) && !error.contains(u'\r'),
             qPrintable(error));
    QCOMPARE(asked.contains(
                 u"on the computer elsewhere.example since %1."_s.arg(backupTimeText(since))) &&
                 asked.contains(u"what was saved on one of them is lost"_s),
             answer >= 0);
    if (!taken)
        QCOMPARE(readFile(u".zestora-lock"_s), lock);
}

void TestLauncher::aFolderThatCannotBeWrittenIsOpenedToRead_data()
{
    QTest::addColumn<QByteArray>("held"); // the lock file's contents; empty: none
    QTest::addColumn<bool>("full");       // else read-only
    QTest::addColumn<QString>("notice");  // %1: the folder
    const QString readOnly = u"The data folder %1 is read-only: Zestora shows your recipes and "
                             u"ingredients, but cannot save any change to them."_s;
    QTest::newRow("read-only") << QByteArray() << false << readOnly;
    QTest::newRow("read-only, with the lock of a Zestora that was killed")
        << "4194300\nzestora\n" + QSysInfo::machineHostName().toUtf8() + "\n"
        << false
        << readOnly + u" It holds the lock of a Zestora that has ended (process 4194300), which "
                      u"cannot be cleared from a read-only folder."_s;
    QTest::newRow("a full disk is not called read-only")
        << QByteArray() << true
        << u"Zestora could not write in the data folder %1: the disk that holds it may be full. "
           u"Zestora shows your recipes and ingredients; make room on the disk before you save "
           u"a change."_s;
}

void TestLauncher::aFolderThatCannotBeWrittenIsOpenedToRead()
{
    QFETCH(QByteArray, held);
    QFETCH(bool, full);
    const TempWorkDir dir;
    if (!held.isEmpty())
        writeFile(u".zestora-lock"_s, held);
    if (!full)
        QVERIFY(QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner |
                                                      QFileDevice::ExeOther));
    // Root writes anywhere: the claim is made with an ordinary user's rights to files. A full
    // disk is a limit of no bytes on every file written.
    ::signal(SIGXFSZ, SIG_IGN);
    const rlimit noRoom{0, RLIM_INFINITY}, unlimited{RLIM_INFINITY, RLIM_INFINITY};
    ::setrlimit(RLIMIT_FSIZE, full ? &noRoom : &unlimited);
    const int ownRights = ::setfsuid(full ? ::getuid() : 65534);
    QString error;
    const std::unique_ptr<QLockFile> lock = claimDataDir(&error);
    QVERIFY(lock && !lock->isLocked());
    // A save that fails leaves the folder unclaimed; the first one that succeeds claims it again.
    DataFile file(IngTable::fileName);
    QStringList told;
    claimAgainOnSave(*lock, {&file}, [&told](const QString& line) { told.append(line); });
    QVERIFY(!file.replace({"x"}));
    ::setrlimit(RLIMIT_FSIZE, &unlimited);
    ::setfsuid(ownRights);
    QVERIFY(QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                  QFileDevice::ExeOwner));
    QFETCH(QString, notice);
    QCOMPARE(readOnlyNotice(*lock), notice.arg(QDir::toNativeSeparators(dir.path())));
    QVERIFY(!lock->isLocked() && told.isEmpty());
    QVERIFY(file.replace({"x"}) && lock->isLocked());
    QCOMPARE(told, QStringList{u"Zestora can write in the data folder %1 again: your changes are "
                               u"saved as usual."_s.arg(QDir::toNativeSeparators(dir.path()))});
}

void TestLauncher::leftoversOfInterruptedSavesAreRemoved()
{
    const TempWorkDir dir;
    // With what a take-over of a stale lock holds while it runs, left by a kill in the midst.
    const QStringList leftovers{u"Ing.dat.Xy3kQa"_s, u"Recipe.Dat.abcdef"_s,
                                u".zestora-lock.rmlock"_s};
    const QStringList kept{u"Ing.dat"_s,
                           u"Recipe.Dat"_s,
                           u"Ing.dat.damaged"_s,
                           u"Recipe.Dat.damaged-2"_s,
                           u"Recipe.Dat.abcdefg"_s,
                           u"MyIng.dat.abcdef"_s};
    for (const QString& name : leftovers + kept)
        writeFile(name, "x");
    // The recipes kept in another folder, through a link: a save there was stopped too.
    QVERIFY(QDir().mkdir(u"synced"_s));
    for (const QString& name : {u"synced/R.dat"_s, u"synced/R.dat.a1B2c3"_s, u"synced/R.dat.old"_s})
        writeFile(name, "x");
    QVERIFY(QFile::remove(u"Recipe.Dat"_s));
    QVERIFY(QFile::link(u"synced/R.dat"_s, u"Recipe.Dat"_s));
    QString error;
    QVERIFY(claimDataDir(&error));
    QStringList left = QDir().entryList(QDir::Files | QDir::Hidden);
    QStringList expected = kept;
    left.sort();
    expected.sort();
    QCOMPARE(left, expected);
    QCOMPARE(QDir(u"synced"_s).entryList(QDir::Files), (QStringList{u"R.dat"_s, u"R.dat.old"_s}));
}

void TestLauncher::backupsAreListedAndRestored_data()
{
    QTest::addColumn<QString>("kind");     // of what restore is given: backup, link or folder
    QTest::addColumn<QByteArray>("bytes"); // what it holds; empty: the version Zestora kept
    QTest::addColumn<bool>("force");
    QTest::addColumn<QString>("outcome"); // the start of what restore says
    const QByteArray damaged = food(u"Salt"_s, 1, u"tsp"_s).toBytes() + "cut";
    const QString restored = u"Restored Ing.dat from "_s;
    QTest::newRow("a backup Zestora kept") << u"backup"_s << QByteArray() << false << restored;
    QTest::newRow("a damaged backup is refused")
        << u"backup"_s << damaged << false
        << u"The backup Ing.dat.2020-01-01_00-00-00 is damaged: "_s;
    QTest::newRow("and put back with --force") << u"backup"_s << damaged << true << restored;
    QTest::newRow("a link in the backups folder is none")
        << u"link"_s << food(u"Salt"_s, 1, u"tsp"_s).toBytes() << true << u"There is no backup"_s;
    QTest::newRow("nor a folder") << u"folder"_s << QByteArray() << true << u"There is no backup"_s;
}

void TestLauncher::backupsAreListedAndRestored()
{
    QFETCH(QString, kind);
    QFETCH(QByteArray, bytes);
    QFETCH(bool, force);
    QFETCH(QString, outcome);
    const TempWorkDir dir;
    // More versions than the newest twenty, so that a restore that pruned would lose some.
    QDir().mkpath(backups::folder);
    for (int n = 0; n < 25; ++n)
        writeFile(u"backups/Ing.dat.2019-12-01_00-00-%1"_s.arg(n + 10), "older");
    IngTable table;
    QVERIFY(!table.loadIngTable());
    QVERIFY(table.appendIng(food(u"Salt"_s, 1, u"tsp"_s)));
    QVERIFY(table.appendIng(food(u"Pepper"_s, 1, u"tsp"_s)));
    QString name = QFileInfo(backups::list(u"Ing.dat"_s).front().path).fileName();
    if (!bytes.isEmpty() || kind != u"backup"_s) {
        name = u"Ing.dat.2020-01-01_00-00-00"_s;
        const QString path = u"backups/"_s + name;
        writeFile(kind == u"backup"_s ? path : u"elsewhere.dat"_s, bytes);
        if (kind == u"backup"_s)
            setModified(path, QDateTime(QDate(2020, 1, 1), QTime(0, 0)));
        else
            QVERIFY(kind == u"link"_s ? QFile::link(dir.filePath(u"elsewhere.dat"_s), path)
                                      : QDir().mkpath(path));
    }
    RecipeStore recipes;
    QVERIFY(!recipes.load());
    for (const QString& recipe :
         {u"Apple Pie"_s, u"Beef Stew"_s, u"Carrot Cake"_s, u"Dumplings"_s, u"Eggnog"_s})
        QVERIFY(recipes.appendRecipe(recipe, lines::recipeRecord(recipe, u"1"_s, {}, u"Mix."_s)));

    QString output;
    QTextStream out(&output);
    const QStringList here{u"--data-dir"_s, dir.path()};
    QCOMPARE(listBackups(here, out), 0);
    QCOMPARE(output.contains(u"  "_s + name + u"  "_s), kind == u"backup"_s);
    QCOMPARE(output.contains(u"1 ingredient (damaged)"_s), bytes.endsWith("cut"));
    // Versions of the recipes can be told apart by their first names.
    QVERIFY2(output.contains(u"  4 recipes: Apple Pie, Beef Stew, Carrot Cake, ...\n"_s) &&
                 output.contains(u"  1 recipe: Apple Pie\n"_s),
             qPrintable(output));

    output.clear();
    const QByteArray before = readFile(u"Ing.dat"_s);
    const qsizetype kept = backups::list(u"Ing.dat"_s).size();
    const bool restores = outcome.startsWith(u"Restored"_s);
    QStringList arguments = QStringList{u"backups/"_s + name} + here;
    if (force)
        arguments.prepend(u"--force"_s);
    QCOMPARE(restoreFromBackup(arguments, out), restores ? 0 : 1);
    QVERIFY2(output.startsWith(outcome), qPrintable(output));
    // The version it replaced is the newest backup now; the others are all still there.
    QCOMPARE(backups::list(u"Ing.dat"_s).size(), kept + restores);
    QCOMPARE(readFile(backups::list(u"Ing.dat"_s).front().path) == before, restores);
    QCOMPARE(readFile(u"Ing.dat"_s) == before, !restores);
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
    QTest::newRow("--help needs none, and its answer is no error")
        << QString() << QStringList{u"--help"_s} << 0 << QByteArray();
    QTest::newRow("backups of a folder that is not there: none made, a refusal")
        << QString() << QStringList{u"backups"_s} << 1 << QByteArray();
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
    // Neither asking for help nor listing backups makes a data folder.
    if (arguments.size() == 1)
        QVERIFY(!QFileInfo::exists(u"data"_s));
}

QTEST_GUILESS_MAIN(TestLauncher)
#include "tst_launcher.moc"
