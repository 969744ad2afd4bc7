#include "core/units.h"

#include "core/store/ingrecord.h"
#include "core/text.h"

#include <span>

namespace zestora::units {

int recipeUnitIndex(QStringView unit, Qt::CaseSensitivity sensitivity)
{
    const QStringView trimmed = trimmedSpacesView(unit);
    for (size_t i = 0; i < recipeUnits.size(); ++i)
        if (trimmed.compare(recipeUnits[i].name, sensitivity) == 0)
            return static_cast<int>(i);
    return -1;
}

std::optional<Kind> kindOf(QAnyStringView unit)
{
    for (const auto& table :
         {std::span<const Unit>(recipeUnits), std::span<const Unit>(otherUnits)})
        for (const Unit& known : table)
            if (QAnyStringView::compare(unit, known.name) == 0)
                return known.kind;
    return std::nullopt;
}

QStringList measureChoices(const IngRecord& ingredient)
{
    QStringList choices;
    if (ingredient.customMeasure != 0)
        choices.append(ingredient.measure1.trimmed());
    const qint16 measureKind = ingredient.measureKind;
    for (const Unit& unit : recipeUnits)
        if (measureKind == 0 || (measureKind == 1 && unit.kind == Kind::Volume) ||
            (measureKind == 2 && unit.kind == Kind::Weight))
            choices.append(unit.name);
    return choices;
}

} // namespace zestora::units
