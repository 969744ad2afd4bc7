#include "core/analysis/lineamounts.h"

#include "core/analysis/nutrition.h"
#include "core/analysis/quantity.h"
#include "core/analysis/recipelines.h"
#include "core/numbers.h"
#include "core/store/ingtable.h"

namespace zestora::nutrition {

namespace {

// The grams in the ingredient's stored portion, from whichever of its measures is a weight.
std::optional<double> portionGrams(const IngRecord& ingredient, MeasureUnits units)
{
    static const int gram = unitIndex(u"g");
    for (const auto& [amount, unit] : {std::pair{ingredient.amount1, units.first},
                                       std::pair{ingredient.amount2, units.second}}) {
        const float perUnit = conversionFactor(unit, gram);
        if (perUnit > 0)
            return static_cast<double>(amount) * perUnit;
    }
    return std::nullopt;
}

QString rounded(double value)
{
    return doubleText(roundToInt32(value * 10) / 10.0);
}

LineAmount amountOf(const IngRecord& ingredient, const lines::EntryFields& line, float servings)
{
    const float quantity = quantity::quantityValue(line.quantity);
    // The measures are looked up once for both the portions and the weight.
    const MeasureUnits stored = measureUnits(ingredient);
    const double portions = portionShare(ingredient, stored, unitIndex(line.unit), quantity);
    const auto part = [&](float nutrient) {
        return portions * nutrient / servings;
    };
    LineAmount result;
    result.perServing = {
        part(ingredient.fat) * 9 + part(ingredient.totalCarbs) * 4 + part(ingredient.protein) * 4,
        part(ingredient.fat),
        part(ingredient.satFat),
        part(static_cast<float>(ingredient.cholesterol)),
        part(ingredient.sodium),
        part(ingredient.totalCarbs),
        part(ingredient.fiber),
        part(ingredient.protein),
    };
    if (const std::optional<double> grams = portionGrams(ingredient, stored))
        result.grams = portions * *grams;

    result.quantityText = line.quantity;
    result.quantity = quantity;
    result.unit = line.unit.trimmed();
    result.servings = servings;
    return result;
}

} // namespace

QString LineAmount::workings() const
{
    QStringList parts;
    if (grams && quantity != 0)
        parts.append(quantityText + QLatin1Char(' ') + unit + QStringLiteral(" = ") + quantityText +
                     QStringLiteral(" x ") + rounded(*grams / quantity) + QStringLiteral(" g"));
    else
        parts.append(quantityText + QLatin1Char(' ') + unit);
    if (quantity != 0)
        parts.append(rounded(amount(Nutrient::Calories) * servings / quantity) +
                     QStringLiteral(" kcal per ") + unit);
    parts.append(servingsText(servings));
    return parts.join(QStringLiteral("; "));
}

QString nutrientName(Nutrient nutrient)
{
    static const std::array<QString, nutrientCount> names{
        QStringLiteral("Calories"),      QStringLiteral("Total Fat"),
        QStringLiteral("Saturated Fat"), QStringLiteral("Cholesterol"),
        QStringLiteral("Sodium"),        QStringLiteral("Total Carbohydrate"),
        QStringLiteral("Dietary Fiber"), QStringLiteral("Protein")};
    return names[static_cast<size_t>(nutrient)];
}

std::optional<LineAmount> lineAmount(const QString& entry, const IngTable& ingredients,
                                     float servings)
{
    const lines::EntryFields line = lines::entryFields(entry);
    const int index = line.name.isEmpty() ? -1 : ingredients.lastIndexOfNameIgnoringCase(line.name);
    if (index < 0 || servings <= 0)
        return std::nullopt;
    return amountOf(ingredients.at(index), line, servings);
}

QList<std::optional<double>> lineShares(const QList<std::optional<LineAmount>>& amounts,
                                        Nutrient nutrient)
{
    double total = 0;
    for (const std::optional<LineAmount>& line : amounts)
        if (line)
            total += line->amount(nutrient);
    QList<std::optional<double>> shares;
    shares.reserve(amounts.size());
    for (const std::optional<LineAmount>& line : amounts)
        shares.append(line && total > 0 ? std::optional(line->amount(nutrient) / total * 100)
                                        : std::nullopt);
    return shares;
}

QString gramsText(double grams)
{
    const double shown = grams < 10 ? roundToInt32(grams * 10) / 10.0 : roundToInt32(grams);
    return doubleText(shown) + QStringLiteral(" g");
}

} // namespace zestora::nutrition
