#include "app/launcher.h"
#include "testsupport.h"

using namespace zestora;
using zestora::testing::TempWorkDir;

class TestLauncher : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void options_data();
    void options();
    void dataDirIsMadeAndEntered();
    void starterIngredientsOnlyForANewFolder_data();
    void starterIngredientsOnlyForANewFolder();
};

void TestLauncher::options_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<QString>("dataDir");
    QTest::newRow("no arguments: the user's folder") << QStringList{} << true << QString();
    QTest::newRow("a data folder")
        << QStringList{QStringLiteral("--data-dir"), QStringLiteral("/tmp/x")} << true
        << QStringLiteral("/tmp/x");
    QTest::newRow("an unknown option")
        << QStringList{QStringLiteral("--frobnicate")} << false << QString();
    QTest::newRow("a stray argument") << QStringList{QStringLiteral("file")} << false << QString();
}

void TestLauncher::options()
{
    QFETCH(QStringList, arguments);
    QFETCH(bool, valid);
    QFETCH(QString, dataDir);
    QString error;
    const std::optional<LaunchOptions> options = parseLaunchOptions(arguments, &error);
    QCOMPARE(options.has_value(), valid);
    if (valid)
        QCOMPARE(options->dataDir, dataDir);
    else
        QVERIFY(error.contains(QStringLiteral("--data-dir")));
}

void TestLauncher::dataDirIsMadeAndEntered()
{
    const TempWorkDir dir;
    const QString wanted = dir.filePath(QStringLiteral("new/folder"));
    QCOMPARE(enterDataDir(wanted), QString());
    QCOMPARE(QDir::currentPath(), wanted);
    QVERIFY(!enterDataDir(QStringLiteral("/proc/no/such/place")).isEmpty());
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
    const QString starter = dir.filePath(QStringLiteral("starter.dat"));
    zestora::testing::writeFile(starter, "starter");
    if (!ownFile.isEmpty())
        zestora::testing::writeFile(QStringLiteral("Ing.dat"), ownFile);
    if (copiedBefore)
        QCOMPARE(copyStarterIngredients(starter), QString());
    if (copiedBefore)
        QFile::remove(QStringLiteral("Ing.dat"));
    QCOMPARE(copyStarterIngredients(starter), QString());
    QCOMPARE(zestora::testing::readFile(QStringLiteral("Ing.dat")), result);
}

QTEST_GUILESS_MAIN(TestLauncher)
#include "tst_launcher.moc"
