#include "core/analysis/recipelines.h"

#include "core/store/recipemarks.h"
#include "core/store/recipestore.h"
#include "core/text.h"
#include "core/textpattern.h"

namespace zestora::lines {

namespace {
QString mark(char m)
{
    return QString(marks::asChar(m));
}
} // namespace

QString ingredientEntry(const QString& name, bool fractionMode, const QString& quantity,
                        const QString& unit)
{
    return mark(marks::lineStart) + name + mark(marks::nameEnd) +
           mark(fractionMode ? marks::fractionMode : marks::decimalMode) + quantity +
           mark(marks::quantityEnd) + unit + mark(marks::lineEnd);
}

QString ingredientRow(const QString& name, const QString& quantity, const QString& unit)
{
    const QString row = quantity + QStringLiteral("  ") + unit;
    if (TextPattern(name).matches(unit))
        return row;
    return row + QStringLiteral("     ") + name;
}

QString headingEntry(const QString& text)
{
    return mark(marks::lineStart) + mark(marks::headingMark) + text + mark(marks::lineEnd);
}

QString headingRow(const QString& text)
{
    return text;
}

EntryFields entryFields(const QString& entry)
{
    const auto between = [&entry](char start, char end) {
        const QChar bounds[] = {marks::asChar(start), marks::asChar(end)};
        return textBetween(entry, QStringView(bounds, 1), QStringView(bounds + 1, 1));
    };
    EntryFields fields;
    fields.name = between(marks::lineStart, marks::nameEnd);
    fields.quantity = between(marks::decimalMode, marks::quantityEnd);
    if (fields.quantity.isEmpty())
        fields.quantity = between(marks::fractionMode, marks::quantityEnd);
    fields.unit = between(marks::quantityEnd, marks::lineEnd);
    return fields;
}

QString withCrLf(QStringView text)
{
    QString result;
    result.reserve(text.size() + text.size() / 8);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'\r' || c == u'\n' || c == QChar::ParagraphSeparator ||
            c == QChar::LineSeparator) {
            result += QStringLiteral("\r\n");
            if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
                ++i;
        } else {
            result += c;
        }
    }
    return result;
}

QString recipeRecord(const QString& name, const QString& servingsText, const QStringList& entries,
                     const QString& directions)
{
    return mark(marks::recordStart) + trimSpaces(name) + mark(marks::bodyStart) +
           trimSpaces(servingsText) + mark(marks::servingsEnd) + entries.join(QString()) +
           mark(marks::linesEnd) + mark(marks::directionsStart) + trimSpaces(directions) +
           mark(marks::recordEnd);
}

} // namespace zestora::lines
