#include "core/store/backups.h"
#include "core/store/datafile.h"
#include "testsupport.h"

#include <sys/stat.h>

using namespace zestora;
using namespace zestora::testing;

namespace {

struct stat statusOf(const QString& path)
{
    struct stat status {};
    ::stat(QFile::encodeName(path).constData(), &status);
    return status;
}

void writeBackup(const QDateTime& kept, qsizetype size)
{
    QDir().mkpath(backups::folder);
    QString name = backups::folder + u"/Recipe.Dat."_s + kept.toString(u"yyyy-MM-dd_HH-mm-ss"_s);
    writeFile(name, QByteArray(size, 'r'));
}

} // namespace

class TestBackups : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void eachChangeKeepsTheReplacedVersion_data();
    void eachChangeKeepsTheReplacedVersion();
    void aChangeWithoutABackupIsToldOnce();
    void anOldTimeOnTheFileCostsNoBackup();
    void pruneKeeps_data();
    void pruneKeeps();
};

void TestBackups::eachChangeKeepsTheReplacedVersion_data()
{
    QTest::addColumn<QString>("linkedFrom"); // the folder Recipe.Dat is a link into, if any
    QTest::addColumn<bool>("copied");
    QTest::newRow("a file, kept as a second name of itself") << QString() << false;
    QTest::newRow("a link: the file it leads to, written where it lies") << u"."_s << false;
    QTest::newRow("a link to another disk: copied from there") << u"/dev/shm"_s << true;
}

void TestBackups::eachChangeKeepsTheReplacedVersion()
{
    QFETCH(QString, linkedFrom);
    QFETCH(bool, copied);
    const TempWorkDir dir;
    if (copied && statusOf(linkedFrom).st_dev == statusOf(dir.path()).st_dev)
        QSKIP("no second disk here");
    const QTemporaryDir synced((linkedFrom.isEmpty() ? u"."_s : linkedFrom) + u"/synced-XXXXXX"_s);
    const QString target = linkedFrom.isEmpty() ? u"Recipe.Dat"_s : synced.filePath(u"R.Dat"_s);
    if (!linkedFrom.isEmpty())
        QVERIFY(QFile::link(target, u"Recipe.Dat"_s));
    DataFile file(u"Recipe.Dat"_s);
    QVERIFY(file.replace({"first"}));
    const ino_t first = statusOf(target).st_ino;
    QVERIFY(file.replace({"second"}));
    QVERIFY(file.remove());

    QStringList kept;
    for (const backups::Backup& backup : backups::list(u"Recipe.Dat"_s))
        kept.append(QString::fromLatin1(readFile(backup.path)));
    QCOMPARE(kept, (QStringList{u"second"_s, u"first"_s}));
    QCOMPARE(statusOf(backups::list(u"Recipe.Dat"_s).last().path).st_ino == first, !copied);
    // A link stays where the user put it; the file it leads to is emptied, which loads as none.
    QCOMPARE(QFileInfo(u"Recipe.Dat"_s).symLinkTarget(), linkedFrom.isEmpty() ? QString() : target);
    QCOMPARE(QFileInfo::exists(target), !linkedFrom.isEmpty());
    QCOMPARE(QDir(synced.path()).entryList(QDir::Files).size(), linkedFrom.isEmpty() ? 0 : 1);
}

void TestBackups::aChangeWithoutABackupIsToldOnce()
{
    const TempWorkDir dir;
    writeFile(backups::folder, "a file where the folder should be");
    writeFile(u"Ing.dat"_s, "first");
    DataFile file(u"Ing.dat"_s);
    QStringList told;
    file.setNoticeHandler([&told](const QString& notice) { told.append(notice); });
    QVERIFY(file.replace({"second"}));
    QVERIFY(file.replace({"third"}));
    QCOMPARE(readFile(u"Ing.dat"_s), QByteArray("third"));
    QCOMPARE(told, QStringList{u"Zestora saved Ing.dat, but the version it replaced could not be "
                               u"kept as a backup: the folder backups could not be made. Later "
                               u"changes of Ing.dat may go without a backup too; Zestora does not "
                               u"say so again."_s});
}

void TestBackups::anOldTimeOnTheFileCostsNoBackup()
{
    const TempWorkDir dir;
    const QDateTime now = QDateTime::currentDateTime();
    for (int n = 1; n <= 25; ++n)
        writeBackup(now.addSecs(-60 * n), 100);
    // Put in place by a sync tool or "cp -p", with the time of its first writing.
    writeFile(u"Recipe.Dat"_s, "the synced version");
    setModified(u"Recipe.Dat"_s, QDateTime(QDate(2001, 3, 4), QTime(5, 6)));
    DataFile file(u"Recipe.Dat"_s);
    QVERIFY(file.replace({"a change"}));
    const QList<backups::Backup> kept = backups::list(u"Recipe.Dat"_s);
    QCOMPARE(readFile(kept.front().path), QByteArray("the synced version"));
    QVERIFY(kept.front().time.secsTo(QDateTime::currentDateTime()) < 60);
}

void TestBackups::pruneKeeps_data()
{
    QTest::addColumn<int>("perDay");
    QTest::addColumn<int>("days");
    QTest::addColumn<qsizetype>("backupSize");
    QTest::addColumn<qsizetype>("fileSize");
    QTest::addColumn<int>("kept");
    QTest::newRow("a busy day: the newest twenty, the version it began with and its first")
        << 25 << 1 << qsizetype(100) << qsizetype(100) << 20 + 2;
    QTest::newRow("one save a day for thirty days: the newest twenty")
        << 1 << 30 << qsizetype(100) << qsizetype(100) << 20;
    QTest::newRow("and those two of each of the last fourteen days")
        << 25 << 3 << qsizetype(100) << qsizetype(100) << 20 + 2 * 3;
    QTest::newRow("a file that shrinks costs no history")
        << 25 << 16 << qsizetype(100'000) << qsizetype(10) << 20 + 2 * 14;
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
    backups::prune(u"Recipe.Dat"_s, QString(), now);
    const QList<backups::Backup> left = backups::list(u"Recipe.Dat"_s);
    QCOMPARE(left.size(), kept);
    QCOMPARE(left.front().path, newest);
}

QTEST_GUILESS_MAIN(TestBackups)
#include "tst_backups.moc"
