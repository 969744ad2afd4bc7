#include "app/launcher.h"
#include "app/usdaimport.h"
#include "core/store/ingtable.h"

#include "testsupport.h"
#include <QProcess>
#include <QTextStream>

using namespace zestora;
using zestora::testing::TempWorkDir;

class TestLauncher : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void dataDirIsMadeAndEntered();
    void starterIngredientsOnlyForANewFolder_data();
    void starterIngredientsOnlyForANewFolder();
    void importAddsOnlyNamesNotStored();
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
    zestora::testing::writeFile(starter, "starter");
    if (!ownFile.isEmpty())
        zestora::testing::writeFile(u"Ing.dat"_s, ownFile);
    if (copiedBefore)
        QCOMPARE(copyStarterIngredients(starter), QString());
    if (copiedBefore)
        QFile::remove(u"Ing.dat"_s);
    QCOMPARE(copyStarterIngredients(starter), QString());
    QCOMPARE(zestora::testing::readFile(u"Ing.dat"_s), result);
}

void TestLauncher::importAddsOnlyNamesNotStored()
{
    const TempWorkDir dir;
    zestora::testing::writeFile(u"foods.tsv"_s,
                                "ndb_no\tdescription\tenergy_kcal\tprotein_g\tfat_g\tsat_fat_g\t"
                                "carbs_g\tfiber_g\tsodium_mg\tcholesterol_mg\n"
                                "1\tHoney\t304\t0.3\t0\t0\t82.4\t0.2\t4\t0\n"
                                "2\tOats\t389\t16.9\t6.9\t1.2\t66.3\t10.6\t2\t0\n");
    zestora::testing::writeFile(u"measures.tsv"_s, "ndb_no\tseq\tamount\tunit\tgrams\n"
                                                   "1\t1\t1.0\ttbsp\t21\n");
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
    QVERIFY(table.appendIng(zestora::testing::food(u"HONEY"_s, 1, u"cup"_s)));
    output.clear();
    QCOMPARE(importUsda(arguments, QString(), out), 0);
    QVERIFY2(output.contains(u"Added 1 of 2"_s), qPrintable(output));
    QVERIFY(!table.loadIngTable());
    QCOMPARE(table.trimmedNames(), (QStringList{u"Honey"_s, u"HONEY"_s, u"Oats"_s}));

    QCOMPARE(importUsda({u"--source"_s, u"/no/such/folder"_s}, QString(), out), 1);
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
    zestora::testing::writeFile(u"foods.tsv"_s,
                                "ndb_no\tdescription\tenergy_kcal\tprotein_g\tfat_g\tsat_fat_g\t"
                                "carbs_g\tfiber_g\tsodium_mg\tcholesterol_mg\n");
    zestora::testing::writeFile(u"measures.tsv"_s, "ndb_no\tseq\tamount\tunit\tgrams\n");
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
