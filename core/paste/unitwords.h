#pragma once

#include <QHash>
#include <QString>

#include <optional>
#include <utility>

// The units of measure as cooks spell them, and what kind of amount each one is.
namespace zestora::paste {

// Units as the reader names them: the program's own units ("cup", "tbs", "tsp", "pint", "quart",
// "ml", "oz", "g", "lb"), the other common ones ("fl oz", "l", "kg", "gallon"), or a count word in
// the singular ("large", "clove", "slice", "stick", "pinch", "can", ...).
enum class UnitClass { None, Volume, Weight, Count };
UnitClass unitClass(const QString& unit);
// Whether the unit measures out a volume or a weight, as a count word does not.
bool isMeasure(const QString& unit);

// The unit a word names ("Tbsp." is "tbs", "T" a tablespoon and "t" a teaspoon), or an empty text.
QString unitNamed(QStringView word);

// Whether the unit is a size of piece the line counts: "2 large onions", "1 extra large egg".
bool isSize(const QString& unit);

// Count words a cook also puts after the food ("2 garlic cloves"), by spelling.
const QHash<QString, QString>& trailingCountWords();

// A measure written as a part of one the program's units hold: a tenth or less of a litre or a
// gram ("cl", "dl", "mg", "cg", "dg") as so many millilitres or grams, and the gill and the
// breakfastcup of old British cards as a quarter and a half of a pint.
std::optional<std::pair<double, QString>> partOfHeldUnit(const QString& unit);

// A cook's loose measure ("pinch", "dash", "knob", "splash", "handful") as so much of a spoon or
// a cup.
std::optional<std::pair<double, QString>> looseMeasure(const QString& unit);

// What a food comes in: a can, a package, a jar...
bool isPackage(const QString& unit);

} // namespace zestora::paste
