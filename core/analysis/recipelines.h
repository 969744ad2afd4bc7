#pragma once

#include <QString>
#include <QStringList>

// The two forms of every recipe line on the analysis screen: the row the user reads and the
// marked-up entry the recipe text is saved from.
namespace zestora::lines {

// The longest recipe name and the longest heading, in characters.
constexpr int maxNameLength = 50;
constexpr int maxHeadingLength = 50;
// What the user is told when a typed recipe name is longer.
inline const QString nameTooLongMessage = QStringLiteral(
    "50 letters is the maximum for the \r\nname of the recipe.\r\n\r\nPlease enter it again.");

QString ingredientEntry(const QString& name, bool fractionMode, const QString& quantity,
                        const QString& unit);
// The quantity, two blanks and the unit, then five blanks and the name unless the unit is the
// name itself (an ingredient whose own measure is its name).
QString ingredientRow(const QString& name, const QString& quantity, const QString& unit);

// A heading; an empty text is the blank separating line.
QString headingEntry(const QString& text);
QString headingRow(const QString& text);
inline const QString blankLine = QStringLiteral(" ");

// The fields of an ingredient entry; all empty for a heading.
struct EntryFields {
    QString name;
    QString quantity;
    QString unit;
};
EntryFields entryFields(const QString& entry);

// Every line break of a text box (LF, CR, CR LF, a paragraph or line separator) as the recipe file
// writes it: CR LF.
QString withCrLf(QStringView text);

// The stored record of a recipe: name, servings, entries, directions, with their marks.
QString recipeRecord(const QString& name, const QString& servingsText, const QStringList& entries,
                     const QString& directions);

} // namespace zestora::lines
