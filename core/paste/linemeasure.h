#pragma once

#include "core/analysis/quantity.h"
#include "core/paste/ingredientline.h"
#include "core/store/ingrecord.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace zestora::paste {

class HouseholdWeights;

// The units the analysis screen offers for a food: its own measure first when it has one, then
// the volumes and weights its measure kind allows.
QStringList measureList(const IngRecord& food);

// The spinners' quantity nearest to an amount: a kitchen fraction or a tenths digit, whichever
// is nearer, the cook's own way of writing it on a tie. None for nothing or more than the
// spinners hold.
std::optional<quantity::Entry> spinnerQuantity(double amount, bool preferDecimal = false);

enum class MeasureStatus {
    Kept,          // the line's unit is one the food offers, or its own measure
    Converted,     // turned into another of the food's units or into grams
    ChooseMeasure, // the food offers nothing the line's unit converts to
    NoQuantity,    // "Salt to taste"
};

struct LineMeasure {
    MeasureStatus status = MeasureStatus::NoQuantity;
    quantity::Entry quantity;
    QString unit;       // one of measureList(food)
    QString estimate{}; // where an estimated weight came from; none for USDA's weight of it
    QString edible{};   // how much of a weight as bought was counted: "edible part: 68 % of 3 lb"

    bool usable() const
    {
        return status == MeasureStatus::Kept || status == MeasureStatus::Converted;
    }
};

// The line's amount as one of the food's units: the same unit when the food offers it, its own
// measure for a count of it ("2 large eggs"), another unit of the same kind ("1 kg" as 1000 g),
// else grams (or a volume) through USDA's household weights of the food ("1 cup chopped onion" is
// 160 g).
LineMeasure measureLine(const IngredientLine& line, const IngRecord& food,
                        const HouseholdWeights& weights);

// A recipe line exactly as the analysis screen adds it when the same food, quantity and unit are
// chosen by hand: its entry (what the recipe file stores), its row, and the quantity and unit its
// nutrients are worked out from (nutrition::addLineNutrients with quantityValue and unit).
struct OrdinaryLine {
    QString name; // the food's trimmed name, as the ingredient list shows it
    bool fractionMode = true;
    QString quantity;
    float quantityValue = 0;
    QString unit;

    QString entry() const;
    QString row() const;
};

OrdinaryLine ordinaryLine(const IngRecord& food, const quantity::Entry& quantity,
                          const QString& unit);

} // namespace zestora::paste
