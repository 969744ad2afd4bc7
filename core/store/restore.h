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
};
BackupContents readBackup(const QString& fileName, const QString& path);

// A backup to offer in place of a damaged or unreadable file: the newest that loads cleanly.
struct RestoreOffer {
    backups::Backup backup;
    BackupContents contents;
    // "Restore Recipe.Dat from 5 December 2026, 14:02 (212 recipes)?"
    QString question() const;
};
std::optional<RestoreOffer> newestCleanBackup(const QString& fileName);

// Puts a backup back in place of its file; the version it replaces becomes a backup first.
bool restoreBackup(DataFile& file, const QString& path, QString* error);

// "5 December 2026, 14:02", as backups are named to the user.
QString backupTimeText(const QDateTime& time);

} // namespace zestora
