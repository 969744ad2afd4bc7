#include "core/shell/desktop.h"

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

} // namespace zestora
