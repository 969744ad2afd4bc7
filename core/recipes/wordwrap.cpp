#include "core/recipes/wordwrap.h"

#include <QRegularExpression>

namespace zestora {

QStringList wrapText(const QString& text, double width,
                     const std::function<double(const QString&)>& measure)
{
    const auto fits = [&](const QString& line) {
        return measure(line) < width;
    };
    QString paragraphs = text;
    while (paragraphs.endsWith(u' '))
        paragraphs.chop(1);
    QStringList lines;
    static const QRegularExpression lineBreak(QStringLiteral("\r\n|\r|\n"));
    for (const QString& paragraph : paragraphs.split(lineBreak)) {
        QString line;
        for (const QString& word : paragraph.split(u' ', Qt::SkipEmptyParts)) {
            const QString longer = line.isEmpty() ? word : line + u' ' + word;
            if (fits(longer)) {
                line = longer;
                continue;
            }
            if (!line.isEmpty())
                lines.append(line);
            line = word;
            // A word wider than the whole width is broken between letters.
            while (!fits(line) && line.size() > 1) {
                qsizetype take = line.size() - 1;
                while (take > 1 && !fits(line.left(take)))
                    --take;
                lines.append(line.left(take));
                line = line.mid(take);
            }
        }
        lines.append(line);
    }
    return lines;
}

} // namespace zestora
