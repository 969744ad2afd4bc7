#pragma once

#include "core/analysis/nutrition.h"

#include <QString>

#include <optional>

namespace zestora::nutrition {

// How heavy one serving is, and what 100 g of the dish holds. A cook who weighed the finished
// dish knows what cooking took out or put in; otherwise the lines' raw grams are all we have.
struct ServingWeight {
    double grams = 0;
    bool cooked = false; // from the weight when cooked, else the sum of the lines' raw grams
    RecipeTotals per100g;

    // "Serving 245 g", and "(raw)" after it when the dish was not weighed.
    QString text() const;
};

// From the per-serving totals and the servings they are for: the cooked weight of the whole dish
// when the cook gave one, else the raw grams of its lines (none when a line has no weight). None
// when neither is known or the weight is not above zero.
std::optional<ServingWeight> servingWeight(const RecipeTotals& perServing, float servings,
                                           std::optional<double> cookedGrams,
                                           std::optional<double> rawGrams);

} // namespace zestora::nutrition
