#include "core/store/backups.h"
#include "core/store/datafile.h"
#include "testsupport.h"

#include <sys/stat.h>

using namespace zestora;
using namespace zestora::testing;

namespace {

ino_t inodeOf(const QString& path)
{
    struct stat status {};
    ::stat(QFile::encodeName(path).constData(), &status);
    return status.st_ino;
}

void writeBackup(const QDateTime& written, qsizetype size)
{
    QDir().mkpath(backups::folder);
    QString name = backups::folder + u"/Recipe.Dat."_s + written.toString(u"yyyy-MM-dd_HH-mm-ss"_s);
    writeFile(name, QByteArray(size, 'r'));
    setModified(name, written);
}

} // namespace

class TestBackups : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void eachChangeKeepsTheReplacedVersionAsALink();
    void pruneKeeps_data();
    void pruneKeeps();
};

void TestBackups::eachChangeKeepsTheReplacedVersionAsALink()
{
    const TempWorkDir dir;
    DataFile file(u"Recipe.Dat"_s);
    QVERIFY(file.replace({"first"}));
    QVERIFY(backups::list(u"Recipe.Dat"_s).isEmpty());
    const ino_t first = inodeOf(u"Recipe.Dat"_s);
    QVERIFY(file.replace({"second"}));
    QVERIFY(file.remove());
    const QList<backups::Backup> kept = backups::list(u"Recipe.Dat"_s);
    QCOMPARE(kept.size(), 2);
    QCOMPARE(readFile(kept[0].path), QByteArray("second"));
    QCOMPARE(readFile(kept[1].path), QByteArray("first"));
    // Not a copy: the very file that was replaced.
    QCOMPARE(inodeOf(kept[1].path), first);
    QVERIFY(backups::list(u"Ing.dat"_s).isEmpty());
}

void TestBackups::pruneKeeps_data()
{
    QTest::addColumn<int>("perDay");
    QTest::addColumn<int>("days");
    QTest::addColumn<qsizetype>("backupSize");
    QTest::addColumn<qsizetype>("fileSize");
    QTest::addColumn<int>("kept");
    constexpr qsizetype large = 4 * 1024 * 1024;
    QTest::newRow("the newest twenty of a busy day") << 25 << 1 << qsizetype(100) << large << 20;
    QTest::newRow("and the newest of each of the last fourteen days")
        << 2 << 20 << qsizetype(100) << large << 20 + 4;
    QTest::newRow("as far as ten times the file's size on disk, oldest out first")
        << 15 << 1 << qsizetype(8192) << qsizetype(4096) << 5;
    QTest::newRow("but never without the newest")
        << 3 << 1 << qsizetype(100'000) << qsizetype(10) << 1;
}

void TestBackups::pruneKeeps()
{
    QFETCH(int, perDay);
    QFETCH(int, days);
    QFETCH(qsizetype, backupSize);
    QFETCH(qsizetype, fileSize);
    QFETCH(int, kept);
    const TempWorkDir dir;
    writeFile(u"Recipe.Dat"_s, QByteArray(fileSize, 'f'));
    const QDateTime now(QDate(2026, 12, 5), QTime(23, 0));
    for (int day = 0; day < days; ++day)
        for (int n = 0; n < perDay; ++n)
            writeBackup(now.addDays(-day).addSecs(-60 * (n + 1)), backupSize);
    const QString newest = backups::list(u"Recipe.Dat"_s).front().path;
    backups::prune(u"Recipe.Dat"_s, now);
    const QList<backups::Backup> left = backups::list(u"Recipe.Dat"_s);
    QCOMPARE(left.size(), kept);
    QCOMPARE(left.front().path, newest);
}

QTEST_GUILESS_MAIN(TestBackups)
#include "tst_backups.moc"
