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
        QStringLiteral("\\.(\\d{4}-\\d\\d-\\d\\d_\\d\\d-\\d\\d-\\d\\d)(?:-(\\d+))?")));
}

// A name not taken yet, not even by a link to nothing: the time the version is kept, numbered
// when two share a second.
QString freeName(const QString& fileName, const QDateTime& kept)
{
    const QString base =
        folder + QLatin1Char('/') + fileName + QLatin1Char('.') + kept.toString(timeFormat);
    QString name = base;
    for (int n = 2; QFileInfo::exists(name) || QFileInfo(name).isSymLink(); ++n)
        name = base + QStringLiteral("-%1").arg(n);
    return name;
}

} // namespace

Kept keep(const QString& fileName, const QDateTime& now)
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
    const QString name = freeName(fileName, now);
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
    return Kept{name, QString()};
}

QList<Backup> list(const QString& fileName)
{
    struct Named {
        Backup backup;
        int number; // of two kept in the same second, the later has the higher number
    };
    QList<Named> found;
    const QRegularExpression pattern = backupName(fileName);
    const QDir dir(folder);
    for (const QFileInfo& info :
         dir.entryInfoList({fileName + QStringLiteral(".*")}, QDir::Files | QDir::NoSymLinks)) {
        const QRegularExpressionMatch m = pattern.match(info.fileName());
        if (!info.isFile() || info.isSymLink() || !m.hasMatch())
            continue;
        const QDateTime kept = QDateTime::fromString(m.captured(1), timeFormat);
        if (kept.isValid())
            found.append(Named{Backup{folder + QLatin1Char('/') + info.fileName(), kept},
                               m.hasCaptured(2) ? m.captured(2).toInt() : 1});
    }
    std::sort(found.begin(), found.end(), [](const Named& a, const Named& b) {
        return a.backup.time != b.backup.time ? a.backup.time > b.backup.time : a.number > b.number;
    });
    QList<Backup> backups;
    backups.reserve(found.size());
    for (const Named& named : std::as_const(found))
        backups.append(named.backup);
    return backups;
}

void prune(const QString& fileName, const QString& justKept, const QDateTime& now)
{
    const QList<Backup> backups = list(fileName);
    QList<bool> kept(backups.size(), false);
    std::fill_n(kept.begin(), std::min<qsizetype>(newestKept, backups.size()), true);
    // Each backup holds the version that stood until it was kept. So the version that stood when
    // a day began is the first one kept at or after its start, and the first version written that
    // day, if it was replaced too, is the one kept next. Oldest first:
    qsizetype first = backups.size() - 1;
    for (int day = daysKept - 1; day >= 0; --day) {
        const QDateTime start(now.date().addDays(-day), QTime(0, 0));
        while (first >= 0 && backups[first].time < start)
            --first;
        if (first < 0)
            break;
        kept[first] = true;
        if (first > 0 && backups[first].time < start.addDays(1))
            kept[first - 1] = true;
    }
    for (qsizetype i = 0; i < backups.size(); ++i)
        if (!kept[i] && backups[i].path != justKept)
            QFile::remove(backups[i].path);
}

} // namespace zestora::backups
