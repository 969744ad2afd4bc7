#pragma once

#include <QFile>
#include <QFileInfo>
#include <QString>

#include <cstdio>

namespace zestora {

// Opens the file a command reads, "-" being standard input as for other command-line tools.
// Empty when it opened, otherwise why it did not.
inline QString openInputFile(QFile& file, const QString& name)
{
    if (name == QLatin1String("-"))
        return file.open(stdin, QIODevice::ReadOnly) ? QString() : file.errorString();
    file.setFileName(name);
    if (!file.open(QIODevice::ReadOnly))
        return file.errorString();
    return QFileInfo(name).isDir() ? QStringLiteral("it is a folder") : QString();
}

} // namespace zestora
