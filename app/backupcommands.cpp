#include "app/backupcommands.h"

#include "app/folderlock.h"
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

const QString dataDir = QStringLiteral("data-dir");
const QString force = QStringLiteral("force");

// Reads the command's options and the expected number of other arguments; false (with the
// usage written out) when they make no sense.
bool parse(QCommandLineParser& parser, const QString& command, const QStringList& arguments,
           qsizetype positional, QTextStream& out)
{
    parser.addOption(
        QCommandLineOption(dataDir, QStringLiteral("The data folder."), QStringLiteral("DIR")));
    if (parser.parse(QStringList{command} + arguments) &&
        parser.positionalArguments().size() == positional)
        return true;
    out << parser.errorText() << Qt::endl << usage;
    return false;
}

QString backupsFolder()
{
    return QDir::toNativeSeparators(QDir::current().filePath(backups::folder));
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
    if (!contents.firstNames.isEmpty())
        text += QStringLiteral(": ") + contents.firstNames.join(QStringLiteral(", ")) +
                (contents.count > contents.firstNames.size() ? QStringLiteral(", ...") : QString());
    return text;
}

} // namespace

int listBackups(const QStringList& arguments, QTextStream& out)
{
    QCommandLineParser parser;
    if (!parse(parser, QStringLiteral("zestora backups"), arguments, 0, out))
        return 1;
    // Listing only reads, so it needs no lock: it works while Zestora has the folder open.
    if (const QString error = enterExistingDataDir(parser.value(dataDir)); !error.isEmpty()) {
        out << error << Qt::endl;
        return 1;
    }
    out << "Backups in " << backupsFolder() << ", newest first:" << Qt::endl;
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
    const QString command = QStringLiteral("zestora restore");
    QCommandLineParser parser;
    parser.addOption(
        QCommandLineOption(force, QStringLiteral("Restore a damaged backup all the same.")));
    if (!parse(parser, command, arguments, 1, out))
        return 1;
    QString error;
    const std::unique_ptr<QLockFile> lock =
        openDataDir(parser.value(dataDir), &error, Claimant{command, {}});
    if (!lock) {
        out << error << Qt::endl;
        return 1;
    }
    // The backup is named as the list shows it, with or without its folder.
    const QString name = QFileInfo(parser.positionalArguments().front()).fileName();
    const QString path = backups::folder + QLatin1Char('/') + name;
    for (const QString& fileName : {IngTable::fileName, RecipeStore::fileName}) {
        for (const backups::Backup& backup : backups::list(fileName)) {
            if (backup.path != path)
                continue;
            DataFile file(fileName);
            reportNotices(file, out);
            switch (restoreBackup(file, path, parser.isSet(force), &error)) {
            case Restore::Done:
                out << "Restored " << fileName << " from " << backupTimeText(backup.time) << " ("
                    << readBackup(fileName, fileName).countText()
                    << "). The version it replaced is now the newest backup." << Qt::endl;
                return 0;
            case Restore::Damaged:
                out << error << " Nothing was changed. To put it in place all the same: " << command
                    << " --force " << name << Qt::endl;
                return 1;
            case Restore::Failed:
                out << error << Qt::endl;
                return 1;
            }
        }
    }
    out << "There is no backup " << name << " in " << backupsFolder()
        << ". zestora backups lists them." << Qt::endl;
    return 1;
}

} // namespace zestora
