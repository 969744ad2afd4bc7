#include "app/backupcommands.h"

#include "app/launcher.h"
#include "core/store/datafile.h"
#include "core/store/recipestore.h"
#include "core/store/restore.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QTextStream>

namespace zestora {

namespace {

// Reads --data-dir and the expected number of other arguments, enters the data folder and takes
// it. nullptr (with the reason written out) when the command cannot go on.
std::unique_ptr<QLockFile> enterFolder(const QString& command, const QStringList& arguments,
                                       qsizetype positional, QStringList* rest, QTextStream& out)
{
    QCommandLineParser parser;
    const QCommandLineOption dataDir(QStringLiteral("data-dir"), QStringLiteral("The data folder."),
                                     QStringLiteral("DIR"));
    parser.addOption(dataDir);
    if (!parser.parse(QStringList{command} + arguments) ||
        parser.positionalArguments().size() != positional) {
        out << parser.errorText() << Qt::endl << usage;
        return nullptr;
    }
    *rest = parser.positionalArguments();
    QString error;
    std::unique_ptr<QLockFile> lock = openDataDir(parser.value(dataDir), &error);
    if (!lock)
        out << error << Qt::endl;
    return lock;
}

QString describe(const QString& fileName, const backups::Backup& backup)
{
    const BackupContents contents = readBackup(fileName, backup.path);
    QString text = QStringLiteral("  %1  %2  %3")
                       .arg(QFileInfo(backup.path).fileName(), backupTimeText(backup.time),
                            contents.countText());
    if (contents.problem)
        text += contents.problem->unreadable ? QStringLiteral(" (cannot be read)")
                                             : QStringLiteral(" (damaged)");
    return text;
}

} // namespace

int listBackups(const QStringList& arguments, QTextStream& out)
{
    QStringList rest;
    const std::unique_ptr<QLockFile> lock =
        enterFolder(QStringLiteral("zestora backups"), arguments, 0, &rest, out);
    if (!lock)
        return 1;
    out << "Backups in " << QDir::toNativeSeparators(QDir::current().filePath(backups::folder))
        << ", newest first:" << Qt::endl;
    for (const QString& fileName : {IngTable::fileName, RecipeStore::fileName}) {
        const QList<backups::Backup> found = backups::list(fileName);
        out << fileName << ": " << found.size() << (found.size() == 1 ? " backup" : " backups")
            << Qt::endl;
        for (const backups::Backup& backup : found)
            out << describe(fileName, backup) << Qt::endl;
    }
    return 0;
}

int restoreFromBackup(const QStringList& arguments, QTextStream& out)
{
    QStringList rest;
    const std::unique_ptr<QLockFile> lock =
        enterFolder(QStringLiteral("zestora restore"), arguments, 1, &rest, out);
    if (!lock)
        return 1;
    // The backup is named as the list shows it, with or without its folder.
    const QString name = QFileInfo(rest.front()).fileName();
    const QString path = backups::folder + QLatin1Char('/') + name;
    for (const QString& fileName : {IngTable::fileName, RecipeStore::fileName}) {
        for (const backups::Backup& backup : backups::list(fileName)) {
            if (backup.path != path)
                continue;
            DataFile file(fileName);
            QString error;
            if (!restoreBackup(file, path, &error)) {
                out << error << Qt::endl;
                return 1;
            }
            out << "Restored " << fileName << " from " << backupTimeText(backup.time) << " ("
                << readBackup(fileName, fileName).countText()
                << "). The version it replaced is now the newest backup." << Qt::endl;
            return 0;
        }
    }
    out << "There is no backup " << name << " in "
        << QDir::toNativeSeparators(QDir::current().filePath(backups::folder))
        << ". zestora backups lists them." << Qt::endl;
    return 1;
}

} // namespace zestora
