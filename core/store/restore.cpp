#include "core/store/restore.h"

#include "core/store/datafile.h"
#include "core/store/recipestore.h"

#include <QFile>
#include <QLocale>

namespace zestora {

QString BackupContents::countText() const
{
    const bool recipes = fileName == RecipeStore::fileName;
    const QString what =
        count == 1 ? (recipes ? QStringLiteral("recipe") : QStringLiteral("ingredient"))
                   : (recipes ? QStringLiteral("recipes") : QStringLiteral("ingredients"));
    return QLocale(QLocale::English).toString(count) + QLatin1Char(' ') + what;
}

BackupContents readBackup(const QString& fileName, const QString& path)
{
    BackupContents contents;
    contents.fileName = fileName;
    if (fileName == RecipeStore::fileName) {
        RecipeStore store(std::make_unique<DataFile>(path));
        contents.problem = store.load();
        contents.count = store.count();
    } else {
        IngTable table(std::make_unique<DataFile>(path));
        contents.problem = table.loadIngTable();
        contents.count = table.count();
    }
    return contents;
}

QString backupTimeText(const QDateTime& time)
{
    return QLocale(QLocale::English).toString(time, QStringLiteral("d MMMM yyyy, HH:mm"));
}

QString RestoreOffer::question() const
{
    return QStringLiteral("Restore %1 from %2 (%3)?")
        .arg(contents.fileName, backupTimeText(backup.time), contents.countText());
}

std::optional<RestoreOffer> newestCleanBackup(const QString& fileName)
{
    for (const backups::Backup& backup : backups::list(fileName)) {
        BackupContents contents = readBackup(fileName, backup.path);
        if (!contents.problem)
            return RestoreOffer{backup, std::move(contents)};
    }
    return std::nullopt;
}

bool restoreBackup(DataFile& file, const QString& path, QString* error)
{
    QFile backup(path);
    QByteArray bytes;
    if (backup.open(QIODevice::ReadOnly))
        bytes = backup.readAll();
    if (backup.error() != QFileDevice::NoError) {
        *error = QStringLiteral("Zestora could not read the backup %1: %2")
                     .arg(path, backup.errorString());
        return false;
    }
    if (!file.restore(bytes)) {
        *error = file.errorString();
        return false;
    }
    return true;
}

} // namespace zestora
