#include "core/store/backups.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zestora::backups {

namespace {

constexpr int newestKept = 20;
constexpr int daysKept = 14;
constexpr int sizeFactor = 10;
constexpr qint64 largestCopy = 50 * 1024 * 1024;
constexpr qint64 block = 4096;

const QString timeFormat = QStringLiteral("yyyy-MM-dd_HH-mm-ss");

QRegularExpression backupName(const QString& fileName)
{
    return QRegularExpression(QRegularExpression::anchoredPattern(
        QRegularExpression::escape(fileName) +
        QStringLiteral("\\.\\d{4}-\\d\\d-\\d\\d_\\d\\d-\\d\\d-\\d\\d(-\\d+)?")));
}

// A name not taken yet: the time the version was written, numbered when two share a second.
QString freeName(const QString& fileName, const QDateTime& written)
{
    const QString base =
        folder + QLatin1Char('/') + fileName + QLatin1Char('.') + written.toString(timeFormat);
    QString name = base;
    for (int n = 2; QFileInfo::exists(name); ++n)
        name = base + QStringLiteral("-%1").arg(n);
    return name;
}

} // namespace

qint64 sizeOnDisk(const QString& path)
{
    struct stat status {};
    if (::stat(QFile::encodeName(path).constData(), &status) != 0)
        return block;
    return std::max<qint64>(qint64(status.st_blocks) * 512, block);
}

QString keep(const QString& fileName)
{
    const QFileInfo file(fileName);
    // An empty file holds nothing to go back to.
    if (!file.isFile() || file.size() == 0 || !QDir().mkpath(folder))
        return QString();
    const QDateTime written = file.lastModified();
    const QString name = freeName(fileName, written);
    if (::link(QFile::encodeName(fileName).constData(), QFile::encodeName(name).constData()) == 0) {
        // The old version is rarely read again: let the system drop it from memory, as it did
        // when the rename freed the old file, instead of pushing out what the program uses.
        const int fd = ::open(QFile::encodeName(name).constData(), O_RDONLY);
        if (fd >= 0) {
            ::posix_fadvise(fd, 0, 0, POSIX_FADV_DONTNEED);
            ::close(fd);
        }
        return name;
    }
    // Another file system, or one without hard links: a copy, as long as it costs little.
    if (file.size() >= largestCopy || !QFile::copy(fileName, name))
        return QString();
    QFile copy(name);
    if (copy.open(QIODevice::ReadWrite))
        copy.setFileTime(written, QFileDevice::FileModificationTime);
    return name;
}

QList<Backup> list(const QString& fileName)
{
    QList<Backup> found;
    const QRegularExpression pattern = backupName(fileName);
    const QDir dir(folder);
    for (const QFileInfo& info : dir.entryInfoList({fileName + QStringLiteral(".*")}, QDir::Files))
        if (pattern.match(info.fileName()).hasMatch())
            found.append(Backup{folder + QLatin1Char('/') + info.fileName(), info.lastModified(),
                                sizeOnDisk(info.filePath())});
    std::sort(found.begin(), found.end(), [](const Backup& a, const Backup& b) {
        return a.time != b.time ? a.time > b.time : a.path > b.path;
    });
    return found;
}

void prune(const QString& fileName, const QDateTime& now)
{
    const QList<Backup> backups = list(fileName);
    const qint64 budget = sizeFactor * sizeOnDisk(fileName);
    const QDate today = now.date();
    QDate lastDayKept;
    qint64 total = 0;
    bool full = false;
    for (qsizetype i = 0; i < backups.size(); ++i) {
        const Backup& backup = backups[i];
        const QDate day = backup.time.date();
        const bool newest = i < newestKept;
        const bool daily = day != lastDayKept && day.daysTo(today) < daysKept;
        bool kept = (newest || daily) && !full;
        if (kept) {
            total += backup.sizeOnDisk;
            // The backups are newest first, so the ones that do not fit are the oldest.
            full = i > 0 && total > budget;
            kept = !full;
        }
        if (kept)
            lastDayKept = day;
        else
            QFile::remove(backup.path);
    }
}

} // namespace zestora::backups
