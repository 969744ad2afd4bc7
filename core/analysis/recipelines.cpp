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
    EntryFields fields;
    fields.name = textBetween(entry, mark(marks::lineStart), mark(marks::nameEnd));
    fields.quantity = textBetween(entry, mark(marks::decimalMode), mark(marks::quantityEnd));
    if (fields.quantity.isEmpty())
        fields.quantity = textBetween(entry, mark(marks::fractionMode), mark(marks::quantityEnd));
    fields.unit = textBetween(entry, mark(marks::quantityEnd), mark(marks::lineEnd));
    return fields;
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
