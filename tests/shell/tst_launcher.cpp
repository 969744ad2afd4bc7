#include "app/launcher.h"
#include "testsupport.h"

using namespace zestora;
using zestora::testing::TempWorkDir;

class TestLauncher : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void dataDirIsMadeAndEntered();
    void starterIngredientsOnlyForANewFolder_data();
    void starterIngredientsOnlyForANewFolder();
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

QTEST_GUILESS_MAIN(TestLauncher)
#include "tst_launcher.moc"
