#include "core/shell/desktop.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace zestora {

QString desktopHelp(const QString& currentDesktop)
{
    QString name = currentDesktop.section(u':', 0, 0).trimmed();
    // Names not registered with freedesktop.org carry a prefix that is no part of the name.
    if (name.startsWith(QLatin1String("X-")))
        name = name.mid(2);
    if (name.isEmpty())
        return QStringLiteral("your desktop's Help");
    return name + QStringLiteral(" Help");
}

QString documentsFolder()
{
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return QFileInfo(documents).isDir() ? documents : QDir::homePath();
}

} // namespace zestora
