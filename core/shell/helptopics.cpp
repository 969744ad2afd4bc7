#include "core/shell/helptopics.h"

#include "core/text.h"

namespace zestora::help {

QString helpFilePath(const QString& programDir)
{
    QString path = trimSpaces(programDir);
    if (!path.endsWith(QLatin1Char('/')))
        path += QLatin1Char('/');
    return path + fileName;
}

QString topicAnchor(int context)
{
    return QStringLiteral("topic-%1").arg(context);
}

QList<int> contextNumbers()
{
    // Analysis screen, heading dialog, contents, the wizard's eleven steps, ingredient search,
    // e-mail window.
    QList<int> numbers{320, 330, 340};
    for (int step = 0; step <= 10; ++step)
        numbers.append(430 + 10 * step);
    numbers.append({540, 590});
    return numbers;
}

} // namespace zestora::help
