#include "core/exchange/linenotes.h"

#include "core/recipes/recipefields.h"
#include "core/text.h"

#include <QRegularExpression>
#include <QSet>

namespace zestora::exchange {

QString keptNote(const QStringList& notes, const QString& foodName)
{
    static const QRegularExpression nonWord(QStringLiteral("[^\\w%]+"));
    const QStringList named = foodName.toLower().split(nonWord, Qt::SkipEmptyParts);
    const QSet<QString> said(named.cbegin(), named.cend());
    QStringList kept;
    for (const QString& note : notes) {
        const QStringList words = note.toLower().split(nonWord, Qt::SkipEmptyParts);
        if (!std::all_of(words.cbegin(), words.cend(),
                         [&said](const QString& word) { return said.contains(word); }))
            kept.append(note.trimmed());
    }
    return kept.join(QStringLiteral(", "));
}

QString lineNotesParagraph(const QStringList& entries, const QStringList& notes)
{
    QStringList paragraph;
    for (qsizetype i = 0; i < entries.size(); ++i) {
        if (notes[i].isEmpty())
            continue;
        const QByteArray entry = encodeCp1252(entries[i]);
        paragraph.append(decodeCp1252(cookLine(recipefields::entry(QByteArrayView(entry)))) +
                         QStringLiteral(": ") + notes[i]);
    }
    if (paragraph.isEmpty())
        return QString();
    paragraph.prepend(QLatin1StringView(lineNotesLabel));
    return paragraph.join(QStringLiteral("\r\n"));
}

QString withLineNotes(const QString& directions, const QStringList& entries,
                      const QStringList& notes)
{
    const QString paragraph = lineNotesParagraph(entries, notes);
    if (paragraph.isEmpty())
        return directions;
    // The notes already there are followed by the new ones.
    if (directions.startsWith(paragraph.first(lineNotesLabel.size() + 2))) {
        const qsizetype end = directions.indexOf(QStringLiteral("\r\n\r\n"));
        return directions.first(end < 0 ? directions.size() : end) +
               paragraph.sliced(lineNotesLabel.size()) +
               (end < 0 ? QString() : directions.sliced(end));
    }
    return trimSpaces(directions).isEmpty() ? paragraph
                                            : paragraph + QStringLiteral("\r\n\r\n") + directions;
}

std::optional<QList<QByteArrayView>> readLineNotes(QByteArrayView paragraph,
                                                   const QList<StoredRecipe::Line>& lines)
{
    if (!paragraph.startsWith(lineNotesLabel) ||
        !paragraph.sliced(lineNotesLabel.size()).startsWith("\r\n"))
        return std::nullopt;
    QList<QByteArrayView> notes(lines.size());
    qsizetype next = 0; // the lines before it have had their turn
    QByteArray line;
    const QByteArrayView all = paragraph.sliced(lineNotesLabel.size() + 2);
    for (qsizetype start = 0; start < all.size();) {
        qsizetype end = all.indexOf("\r\n", start);
        if (end < 0)
            end = all.size();
        const QByteArrayView said = all.sliced(start, end - start);
        start = end + 2;
        bool found = false;
        for (; next < lines.size() && !found; ++next) {
            if (lines[next].heading)
                continue;
            line = cookLine(lines[next]);
            found = said.size() > line.size() + 2 && said.startsWith(line) &&
                    said.sliced(line.size()).startsWith(": ");
            if (found)
                notes[next] = said.sliced(line.size() + 2);
        }
        if (!found)
            return std::nullopt;
    }
    return notes;
}

} // namespace zestora::exchange
