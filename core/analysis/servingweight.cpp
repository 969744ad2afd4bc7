#include "core/analysis/servingweight.h"

#include "core/analysis/lineamounts.h"

namespace zestora::nutrition {

QString ServingWeight::text() const
{
    return QStringLiteral("Serving ") + gramsText(grams) +
           (cooked ? QString() : QStringLiteral(" (raw)"));
}

std::optional<ServingWeight> servingWeight(const RecipeTotals& perServing, float servings,
                                           std::optional<double> cookedGrams,
                                           std::optional<double> rawGrams)
{
    const std::optional<double> dish = cookedGrams ? cookedGrams : rawGrams;
    if (!dish || !(*dish > 0) || !(servings > 0))
        return std::nullopt;
    ServingWeight weight{*dish / servings, cookedGrams.has_value(), perServing};
    // Scaled as a change of servings scales the panel, so that 100 g reads to the panel's
    // rounding.
    rescale(weight.per100g, 100, static_cast<float>(weight.grams));
    return weight;
}

} // namespace zestora::nutrition
