#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

class QIODevice;

namespace zestora {
struct StoredRecipe;
}

// The MealMaster exchange format (.mmf): plain text, one recipe after another, each between a
// header line and an end line:
//
//   MMMMM----- Recipe via Meal-Master (tm) v8.05
//
//         Title: Pancakes
//    Categories: Breakfast, Quick
//         Yield: 4 servings
//
//     1 1/2 c  Flour, all-purpose
//         1 lg Egg
//   MMMMM--------------------------SYRUP---------------------------
//         2 tb Maple syrup
//
//     Mix the flour and the egg.
//
//   MMMMM
//
// An ingredient line keeps fixed columns: the quantity right-aligned in columns 1 to 7, a
// two-letter unit code in columns 9 and 10, the text from column 12 to 39, continued on lines that
// start with a dash in column 12. A heading is a line of dashes with the heading in the middle. The
// directions are paragraphs separated by a blank line, each wrapped to 79 columns. Files written
// with two ingredients side by side put the right one's quantity in columns 42 to 48 (or 41 to
// 47), and list a group down its left column first, then down its right. Files of the
// older form start a recipe with "---------- Recipe via Meal-Master" and end it with "-----".
namespace zestora::mealmaster {

// A line of the ingredient list: an ingredient, or a heading that starts a group.
struct Ingredient {
    QString quantity; // "1 1/2", "2.5", "" (at most seven characters)
    QString unit;     // a unit code ("c", "tb", "lg"), "" for none
    QString text;     // the ingredient, or the heading's text
    bool heading = false;

    bool operator==(const Ingredient&) const = default;
};

struct Recipe {
    QString title;
    QStringList categories;
    QString yield; // "4 servings"; after "Servings:" in the older form, the number alone
    QList<Ingredient> ingredients;
    // Paragraphs, each one line of text; an empty one stands for an empty line.
    QStringList directions;
    // Header lines the format has no field for, each with its label: "Source: Grandma".
    QStringList notes;

    bool operator==(const Recipe&) const = default;
};

// The code of a unit as the analysis screen names it or as an ingredient's own measure reads
// ("cup" is "c", "tbs" is "tb", "large" is "lg"); empty when the format has no code for it.
QString unitCode(const QString& measure);
// The unit a code stands for, in the analysis screen's names where it has the unit ("c" is
// "cup", "T" and "tb" are "tbs"), else in words ("lg" is "large"); empty for an unknown code.
QString unitOfCode(const QString& code);

// One recipe, header line to end line and a blank line after it, in code page 1252 with CR LF
// line ends. A quantity or unit too long for its columns goes into the ingredient's text.
QByteArray write(const Recipe& recipe);

// A stored recipe in the format's terms, appended to out: the unit's code where it has one, else
// the unit leads the ingredient's text; blanks at the ends of the directions' lines and empty
// lines before and after them, which carry nothing, are left out. The finished dish's weight,
// where the cook gave one, is a header line of its own.
void appendRecipe(QByteArray& out, const StoredRecipe& recipe,
                  std::optional<double> cookedGrams = std::nullopt);

struct ReadResult {
    QList<Recipe> recipes;
    QStringList problems; // what could not be read, one sentence each
};

// How far the reading of a long file has come: done of total steps, the reader choosing what a
// step is, so that whoever shows it shows the share done. The last call has done == total. An
// answer of false stops the reading (the user cancelled): what was read until then is given.
using ReadProgress = std::function<bool(qsizetype done, qsizetype total)>;

// Every recipe of a file of either form. Text outside the recipes is skipped; a recipe cut off
// before its end line is kept with a problem noted. UTF-8 text is recognised, any other is read
// as code page 1252. Ingredient text continued over several lines is joined with one blank, as
// are the lines of a paragraph of directions.
ReadResult read(QByteArrayView bytes, const ReadProgress& progress = {});
ReadResult read(QIODevice* device);

} // namespace zestora::mealmaster
