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
    QDateTime time; // when Zestora kept it, which is when that version was replaced
};

// What keep() did: the backup's path, or why a version on disk could not be kept. Both are
// empty when there was nothing to keep (no file, or an empty one).
struct Kept {
    QString path;
    QString failure; // the end of a sentence: "... could not be kept: <failure>"
};

// Keeps the version of the file now on disk as a backup named after the time it is kept: a hard
// link, or a copy where no link can be made and the file is under 50 MB. When the file is a
// symbolic link, the file it leads to is kept, not the link. The name never comes from the file's
// modification time, which a sync tool, "cp -p" or an unzip sets to whatever it likes.
Kept keep(const QString& fileName, const QDateTime& now = QDateTime::currentDateTime());

// Removes the backups of a file that are no longer kept. Kept are the newest 20, the one just made
// (justKept) whatever its name, and, for each of the last 14 days, the version that stood when
// that day began and the first version written on it. Sizes play no part, so a file that shrinks
// never costs its history.
void prune(const QString& fileName, const QString& justKept = QString(),
           const QDateTime& now = QDateTime::currentDateTime());

// The backups of a file, newest first by the time in their names: regular files named as keep()
// names them. A link or a folder of such a name is none of Zestora's and is left out.
QList<Backup> list(const QString& fileName);

} // namespace zestora::backups
