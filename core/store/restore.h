#pragma once

#include "core/store/backups.h"
#include "core/store/ingtable.h"

#include <optional>

namespace zestora {

class DataFile;

// What a backup of Ing.dat or Recipe.Dat holds, read as the program reads the file itself.
struct BackupContents {
    int count = 0; // ingredients or recipes
    std::optional<LoadProblem> problem;
    QString countText() const; // "212 recipes", "1 ingredient"
    QString fileName;
    QStringList firstNames; // of the recipes, in file order, so that versions can be told apart
    // "The backup Recipe.Dat.2026-12-05_14-02-11 is damaged: ..." when it does not load cleanly.
    QString damage(const QString& path) const;
};
// Reads without ever creating or changing anything, so that a program holding the folder may
// prune the backups meanwhile.
BackupContents readBackup(const QString& fileName, const QString& path);

// A backup to offer in place of a damaged or unreadable file: the newest that loads cleanly.
struct RestoreOffer {
    backups::Backup backup;
    BackupContents contents;
    // "Restore Recipe.Dat from 5 December 2026, 14:02 (212 recipes)?"
    QString question() const;
};
std::optional<RestoreOffer> newestCleanBackup(const QString& fileName);

enum class Restore {
    Done,
    Damaged, // the backup does not load cleanly and was not forced: nothing changed
    Failed,
};
// Puts a backup back in place of its file; the version it replaces becomes a backup first. A
// backup that does not load cleanly goes back only when forced. Anything but Done sets error.
Restore restoreBackup(DataFile& file, const QString& path, bool force, QString* error);

// "5 December 2026, 14:02", as backups and locks are named to the user.
QString backupTimeText(const QDateTime& time);

} // namespace zestora
