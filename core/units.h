#pragma once

#include <QAnyStringView>
#include <QStringList>
#include <QStringView>

#include <array>
#include <optional>

namespace zestora {

struct IngRecord;

// The units of measure the program knows and their class. A recipe line converts between the
// units of one class; no unit converts to the other class.
namespace units {

enum class Kind { Volume, Weight };

struct Unit {
    QLatin1StringView name;
    Kind kind;
};

// The units a recipe line is measured in, in the order the analysis screen offers them.
inline constexpr std::array<Unit, 9> recipeUnits{{
    {QLatin1StringView("ml"), Kind::Volume},
    {QLatin1StringView("tsp"), Kind::Volume},
    {QLatin1StringView("tbs"), Kind::Volume},
    {QLatin1StringView("cup"), Kind::Volume},
    {QLatin1StringView("pint"), Kind::Volume},
    {QLatin1StringView("quart"), Kind::Volume},
    {QLatin1StringView("oz"), Kind::Weight},
    {QLatin1StringView("g"), Kind::Weight},
    {QLatin1StringView("lb"), Kind::Weight},
}};

// Further units, which no recipe unit converts to: an ingredient's measure can be given in kg or
// l on the wizard, and a pasted recipe line can name any of them.
inline constexpr std::array<Unit, 4> otherUnits{{
    {QLatin1StringView("kg"), Kind::Weight},
    {QLatin1StringView("l"), Kind::Volume},
    {QLatin1StringView("fl oz"), Kind::Volume},
    {QLatin1StringView("gallon"), Kind::Volume},
}};

// The position in recipeUnits of a unit trimmed of spaces, or -1.
int recipeUnitIndex(QStringView unit, Qt::CaseSensitivity sensitivity);

// The class of a unit named exactly as in either table.
std::optional<Kind> kindOf(QAnyStringView unit);

// The units the analysis screen offers for an ingredient: its own measure first when it has one,
// then the recipe units its measure kind allows (0 both classes, 1 volumes, 2 weights).
QStringList measureChoices(const IngRecord& ingredient);

} // namespace units
} // namespace zestora
