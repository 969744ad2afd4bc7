#pragma once

#include <QDateTime>
#include <QList>
#include <QString>

// Earlier versions of the data files, kept in the folder backups/ beside them. A rewrite renames
// a new file over the old one, so keeping the old version costs one hard link, not a copy.
namespace zestora::backups {

inline const QString folder = QStringLiteral("backups");

// One kept version of a data file.
struct Backup {
    QString path;   // in the data folder, e.g. backups/Recipe.Dat.2026-12-05_14-02-11
    QDateTime time; // when that version was written
    qint64 sizeOnDisk = 0;
};

// Keeps the version of the file now on disk as a backup named after the time it was written: a
// hard link, or a copy where no link can be made and the file is under 50 MB. Returns the
// backup's path; empty when there is no file, it is empty, or it could not be kept.
QString keep(const QString& fileName);

// Removes the backups of a file that are no longer kept. Kept are the newest 20 and the newest of
// each of the last 14 days, as far as they fit into ten times the file's own size on disk
// (the oldest go first); the newest backup is always kept.
void prune(const QString& fileName, const QDateTime& now = QDateTime::currentDateTime());

// The backups of a file, newest first.
QList<Backup> list(const QString& fileName);

// Bytes a file takes on disk, counting whole blocks; at least one block.
qint64 sizeOnDisk(const QString& path);

} // namespace zestora::backups
