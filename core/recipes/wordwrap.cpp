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
    static const QRegularExpression word(QStringLiteral("( *)([^ ]+)"));
    for (const QString& paragraph : paragraphs.split(lineBreak)) {
        // The blanks before a word stay as they are within a line and go where the line breaks.
        QString line;
        for (const QRegularExpressionMatch& match : word.globalMatch(paragraph)) {
            const QString longer = line + match.captured(1) + match.captured(2);
            if (line.isEmpty() || fits(longer)) {
                line = longer;
            } else {
                lines.append(line);
                line = match.captured(2);
            }
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
