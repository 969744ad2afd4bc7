#include "core/shell/tips.h"

#include "core/text.h"

#include <QFile>
#include <QRegularExpression>

namespace zestora::tips {

std::optional<QStringList> loadTips(const QString& path)
{
    if (path.isEmpty())
        return std::nullopt;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QString text = decodeCp1252(file.readAll());
    if (text.isEmpty())
        return QStringList();
    static const QRegularExpression lineEnd(QStringLiteral("\r\n|\r|\n"));
    QStringList lines = text.split(lineEnd);
    // The end of the last line is no further line.
    if (text.endsWith(u'\n') || text.endsWith(u'\r'))
        lines.removeLast();
    return lines;
}

int nextTip(int position, int count)
{
    return position + 1 > count ? 1 : position + 1;
}

} // namespace zestora::tips
