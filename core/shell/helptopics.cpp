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
    QList<int> numbers{analysisContext, headingContext, contentsContext};
    for (int step = 0; step <= 10; ++step)
        numbers.append(wizardContext + 10 * step);
    numbers.append({searchContext, emailContext, pasteContext, saveAsContext});
    return numbers;
}

} // namespace zestora::help
