#include "core/store/backups.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <unistd.h>

namespace zestora::backups {

namespace {

constexpr int newestKept = 20;
constexpr int daysKept = 14;
constexpr qint64 largestCopy = 50 * 1024 * 1024;

const QString timeFormat = QStringLiteral("yyyy-MM-dd_HH-mm-ss");

QRegularExpression backupName(const QString& fileName)
{
    return QRegularExpression(QRegularExpression::anchoredPattern(
        QRegularExpression::escape(fileName) +
        QStringLiteral("\\.\\d{4}-\\d\\d-\\d\\d_\\d\\d-\\d\\d-\\d\\d(-\\d+)?")));
}

// A name not taken yet, not even by a link to nothing: the time the version was written,
// numbered when two share a second.
QString freeName(const QString& fileName, const QDateTime& written)
{
    const QString base =
        folder + QLatin1Char('/') + fileName + QLatin1Char('.') + written.toString(timeFormat);
    QString name = base;
    for (int n = 2; QFileInfo::exists(name) || QFileInfo(name).isSymLink(); ++n)
        name = base + QStringLiteral("-%1").arg(n);
    return name;
}

} // namespace

Kept keep(const QString& fileName)
{
    // Through a link, the version to keep is the file it leads to; the link itself would show
    // whatever that file holds later.
    const QFileInfo named(fileName);
    const QFileInfo file(named.isSymLink() ? named.canonicalFilePath() : fileName);
    // An empty file holds nothing to go back to.
    if (!file.isFile() || file.size() == 0)
        return Kept{};
    if (!QDir().mkpath(folder) || !QFileInfo(folder).isDir())
        return Kept{QString(), QStringLiteral("the folder %1 could not be made").arg(folder)};
    const QByteArray source = QFile::encodeName(file.filePath());
    const QDateTime written = file.lastModified();
    const QString name = freeName(fileName, written);
    if (::link(source.constData(), QFile::encodeName(name).constData()) == 0) {
        // The old version is rarely read again: let the system drop it from memory, as it did
        // when the rename freed the old file, instead of pushing out what the program uses.
        const int fd = ::open(QFile::encodeName(name).constData(), O_RDONLY);
        if (fd >= 0) {
            ::posix_fadvise(fd, 0, 0, POSIX_FADV_DONTNEED);
            ::close(fd);
        }
        return Kept{name, QString()};
    }
    // Another file system, or one without hard links: a copy, as long as it costs little.
    const QString noLink = QString::fromLocal8Bit(std::strerror(errno));
    if (file.size() >= largestCopy)
        return Kept{QString(),
                    QStringLiteral("it is over 50 MB, too large to copy, and no link to it "
                                   "can be made in the folder %1 (%2)")
                        .arg(folder, noLink)};
    QFile original(file.filePath());
    if (!original.copy(name))
        return Kept{QString(), QStringLiteral("copying it to the folder %1 failed (%2)")
                                   .arg(folder, original.errorString())};
    QFile copy(name);
    if (copy.open(QIODevice::ReadWrite))
        copy.setFileTime(written, QFileDevice::FileModificationTime);
    return Kept{name, QString()};
}

QList<Backup> list(const QString& fileName)
{
    QList<Backup> found;
    const QRegularExpression pattern = backupName(fileName);
    const QDir dir(folder);
    for (const QFileInfo& info :
         dir.entryInfoList({fileName + QStringLiteral(".*")}, QDir::Files | QDir::NoSymLinks))
        if (info.isFile() && !info.isSymLink() && pattern.match(info.fileName()).hasMatch())
            found.append(Backup{folder + QLatin1Char('/') + info.fileName(), info.lastModified()});
    std::sort(found.begin(), found.end(), [](const Backup& a, const Backup& b) {
        return a.time != b.time ? a.time > b.time : a.path > b.path;
    });
    return found;
}

void prune(const QString& fileName, const QDateTime& now)
{
    const QList<Backup> backups = list(fileName);
    QList<bool> kept(backups.size(), false);
    std::fill_n(kept.begin(), std::min<qsizetype>(newestKept, backups.size()), true);
    // The version that stood when a day began is the newest one written before then, unless the
    // file on disk now is older still.
    const QFileInfo current(fileName);
    const QDateTime currentWritten = current.exists() ? current.lastModified() : QDateTime();
    qsizetype older = 0; // the first backup written before the day's start, newest first
    for (int day = 0; day < daysKept; ++day) {
        const QDateTime start(now.date().addDays(-day), QTime(0, 0));
        if (currentWritten.isValid() && currentWritten < start)
            continue;
        while (older < backups.size() && backups[older].time >= start)
            ++older;
        if (older < backups.size())
            kept[older] = true;
    }
    for (qsizetype i = 0; i < backups.size(); ++i)
        if (!kept[i])
            QFile::remove(backups[i].path);
}

} // namespace zestora::backups
