#include "core/store/restore.h"

#include "core/store/datafile.h"
#include "core/store/recipestore.h"

#include <QFile>
#include <QFileInfo>
#include <QLocale>

namespace zestora {

namespace {

constexpr int namesShown = 3;

// A backup is only ever read: one that has gone is reported as unreadable, not created anew.
class BackupFile : public DataFile {
public:
    using DataFile::DataFile;
    std::optional<QByteArray> readAll() override
    {
        if (QFileInfo(fileName()).isSymLink() || !QFileInfo(fileName()).isFile()) {
            setReadFailure(QStringLiteral("it is not a file Zestora made"));
            return std::nullopt;
        }
        return DataFile::readAll();
    }
};

} // namespace

QString BackupContents::countText() const
{
    const bool recipes = fileName == RecipeStore::fileName;
    const QString what =
        count == 1 ? (recipes ? QStringLiteral("recipe") : QStringLiteral("ingredient"))
                   : (recipes ? QStringLiteral("recipes") : QStringLiteral("ingredients"));
    return QLocale(QLocale::English).toString(count) + QLatin1Char(' ') + what;
}

QString BackupContents::damage(const QString& path) const
{
    if (!problem)
        return QString();
    const QString name = QFileInfo(path).fileName();
    if (problem->unreadable)
        return QStringLiteral("The backup %1 cannot be read: %2.").arg(name, problem->what);
    return QStringLiteral("The backup %1 is damaged: %2").arg(name, problem->what);
}

BackupContents readBackup(const QString& fileName, const QString& path)
{
    BackupContents contents;
    contents.fileName = fileName;
    if (fileName == RecipeStore::fileName) {
        RecipeStore recipes(std::make_unique<BackupFile>(path));
        contents.problem = recipes.load();
        contents.count = recipes.count();
        for (int i = 0; i < std::min(namesShown, recipes.count()); ++i)
            contents.firstNames.append(recipes.recipeList().at(i).recipeName.trimmed());
    } else {
        IngTable ingredients(std::make_unique<BackupFile>(path));
        contents.problem = ingredients.loadIngTable();
        contents.count = ingredients.count();
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

Restore restoreBackup(DataFile& file, const QString& path, bool force, QString* error)
{
    const BackupContents contents = readBackup(file.fileName(), path);
    if (contents.problem && !force) {
        *error = contents.damage(path);
        return Restore::Damaged;
    }
    QFile backup(path);
    QByteArray bytes;
    if (backup.open(QIODevice::ReadOnly))
        bytes = backup.readAll();
    if (backup.error() != QFileDevice::NoError) {
        *error = QStringLiteral("Zestora could not read the backup %1: %2")
                     .arg(path, backup.errorString());
        return Restore::Failed;
    }
    if (!file.restore(bytes)) {
        *error = file.errorString();
        return Restore::Failed;
    }
    return Restore::Done;
}

} // namespace zestora
