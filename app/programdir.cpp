#include "app/programdir.h"

#include "core/shell/helptopics.h"
#include "core/shell/tips.h"
#include "shell/programfiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace zestora {

QString programDataDir()
{
    const QDir programDir(QCoreApplication::applicationDirPath());
    const QString installed =
        QDir::cleanPath(programDir.filePath(QStringLiteral(ZESTORA_DATA_FROM_BIN)));
    return QFileInfo(installed).isDir() ? installed : programDir.path();
}

QStringList missingProgramFiles(const QString& dir)
{
    const QDir folder(dir);
    QStringList missing;
    for (const QString& name : QStringList{
             help::fileName, tips::fileName, programfiles::splashBackground,
             programfiles::splashGif, programfiles::secondGif, programfiles::programPicture,
             programfiles::music, starterIngredients, usdaTables + QStringLiteral("/foods.tsv"),
             usdaTables + QStringLiteral("/measures.tsv")})
        if (!QFileInfo(folder.filePath(name)).isFile())
            missing.append(name);
    return missing;
}

} // namespace zestora
