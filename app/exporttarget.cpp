#include "app/exporttarget.h"

#include "app/folderlock.h"
#include "core/store/backups.h"
#include "core/store/ingtable.h"
#include "core/store/recipestore.h"

#include <QDir>
#include <QFileInfo>

#include <sys/stat.h>

namespace zestora {

namespace {

const QStringList ownNames{IngTable::fileName, RecipeStore::fileName};

bool sameFile(const QString& a, const QString& b)
{
    struct stat first {};
    struct stat second {};
    return ::stat(QFile::encodeName(a).constData(), &first) == 0 &&
           ::stat(QFile::encodeName(b).constData(), &second) == 0 &&
           first.st_dev == second.st_dev && first.st_ino == second.st_ino;
}

// A folder Zestora keeps data in: it holds one of the data files.
bool isDataFolder(const QDir& dir)
{
    return dir.exists(IngTable::fileName) || dir.exists(RecipeStore::fileName);
}

} // namespace

QString exportTargetRefusal(const QString& path, const QString& dataDir)
{
    // What is written is the file a link leads to, which may lie anywhere.
    const QFileInfo named(path);
    const QFileInfo target(named.isSymLink()
                               ? named.absoluteDir().absoluteFilePath(named.symLinkTarget())
                               : named.absoluteFilePath());
    const QString shown = QDir::toNativeSeparators(named.absoluteFilePath());
    const QDir folder = target.absoluteDir();
    const QDir data(QFileInfo(dataDir).absoluteFilePath());
    bool own = false;
    for (const QString& name : ownNames)
        own = own || target.fileName().compare(name, Qt::CaseInsensitive) == 0 ||
              sameFile(target.filePath(), data.filePath(name));
    if (own)
        return QStringLiteral("Zestora does not export to %1: that is one of its own data files.")
            .arg(shown);
    const QString parent = QFileInfo(folder.absolutePath()).absolutePath();
    if (folder.dirName().compare(backups::folder, Qt::CaseInsensitive) == 0 &&
        (isDataFolder(QDir(parent)) || sameFile(parent, data.absolutePath())))
        return QStringLiteral("Zestora does not export to %1: that is its folder of backups.")
            .arg(shown);
    if ((target.exists() || named.isSymLink()) && openByZestora(folder.absolutePath()))
        return QStringLiteral("Zestora does not write over %1: Zestora has that data folder "
                              "open. Choose a new file, or one elsewhere.")
            .arg(shown);
    return QString();
}

} // namespace zestora
