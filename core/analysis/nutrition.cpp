#include "core/analysis/nutrition.h"

#include "core/numbers.h"
#include "core/text.h"
#include "core/units.h"

#include <array>

namespace zestora::nutrition {

namespace {

// Row: the chosen unit; column: the stored unit, both in the order of units::recipeUnits (ml, tsp,
// tbs, cup, pint, quart, oz, g, lb); the number of stored units in one chosen unit.
constexpr size_t unitCount = units::recipeUnits.size();
constexpr float factors[unitCount][unitCount] = {
    {1, 0.2f, 0.0666666f, 0.0041666f, 0.00208333f, 1.0f / 960, 0, 0, 0},
    {5, 1, 0.3333f, 0.0208333f, 0.01041666f, 0.005208333f, 0, 0, 0},
    {15, 3, 1, 0.0625f, 0.03125f, 0.015625f, 0, 0, 0},
    {240, 48, 16, 1, 0.5f, 0.25f, 0, 0, 0},
    {480, 96, 32, 2, 1, 0.5f, 0, 0, 0},
    {960, 192, 64, 4, 2, 1, 0, 0, 0},
    {0, 0, 0, 0, 0, 0, 1, 28.35f, 0.0625f},
    {0, 0, 0, 0, 0, 0, 0.035f, 1, 0.0021875f},
    {0, 0, 0, 0, 0, 0, 16, 453.6f, 1},
};

// p converted to a single, added to the total, kept to tenths.
float tenths(float part, float total)
{
    const float sum = part + total;
    return static_cast<float>(roundToInt32(sum * 10.0f) / 10.0);
}

// Rescaled grams and percentages are held in 32 bits, not 16: a panel showing 3,276.7 g or
// 32,767 % for larger amounts would contradict its own calories.
float rescaledTenths(float r, float total)
{
    return static_cast<float>(roundToInt32(r * total * 10.0f) / 10.0);
}

// A gram total's percentage is worked out in single precision, a whole number's in double, as
// the totals' own types dictate.
QString percentOf(float total, int dailyValue)
{
    return QString::number(roundToInt32(total / static_cast<float>(dailyValue) * 100.0f)) +
           QLatin1Char('%');
}

QString percentOf(qint32 total, int dailyValue)
{
    return QString::number(roundToInt32(static_cast<double>(total) / dailyValue * 100)) +
           QLatin1Char('%');
}

// The number at the start of a text, as the panel's texts are read back: "12.3g" is 12.3.
double leadingNumber(QStringView text)
{
    text = text.trimmed();
    qsizetype end = 0;
    while (end < text.size() &&
           (text[end].isDigit() || text[end] == u'.' || (end == 0 && text[end] == u'-')))
        ++end;
    bool ok = false;
    const double value = text.first(end).toDouble(&ok);
    return ok ? value : 0;
}

} // namespace

int unitIndex(QStringView unit)
{
    return units::recipeUnitIndex(unit, Qt::CaseInsensitive);
}

float conversionFactor(int chosenUnit, int storedUnit)
{
    return chosenUnit < 0 || storedUnit < 0 ? 0 : factors[chosenUnit][storedUnit];
}

float conversionFactor(const QString& chosen, const QString& stored)
{
    return conversionFactor(unitIndex(chosen), unitIndex(stored));
}

MeasureUnits measureUnits(const IngRecord& ingredient)
{
    return {unitIndex(ingredient.measure1), unitIndex(ingredient.measure2)};
}

float portionShare(const IngRecord& ingredient, MeasureUnits stored, int unit, float quantity)
{
    float factor = conversionFactor(unit, stored.first);
    float amount = ingredient.amount1;
    if (factor == 0) {
        factor = conversionFactor(unit, stored.second);
        amount = ingredient.amount2;
    }
    if (factor == 0) {
        // The ingredient's own measure, or a unit of the other kind: a count of the first measure.
        factor = 1;
        amount = ingredient.amount1;
    }
    return quantity / amount * factor;
}

float portionShare(const IngRecord& ingredient, const QString& measure, float quantity)
{
    return portionShare(ingredient, measureUnits(ingredient), unitIndex(measure), quantity);
}

void addLineNutrients(RecipeTotals& totals, const IngRecord& ingredient, const QString& measure,
                      float quantity, float servingsDivisor, Clamp clamp)
{
    addPortions(totals, ingredient, portionShare(ingredient, measure, quantity), servingsDivisor,
                clamp);
}

void addPortions(RecipeTotals& totals, const IngRecord& ingredient, float share,
                 float servingsDivisor, Clamp clamp)
{
    const auto part = [&](float nutrient) {
        return share * nutrient / servingsDivisor;
    };
    // Cholesterol is a whole number, so its part is worked out in double precision.
    const double cholesterolPart =
        static_cast<double>(share) * ingredient.cholesterol / static_cast<double>(servingsDivisor);

    totals.totFatCalories =
        addClamped(totals.totFatCalories, roundToInt32(part(ingredient.fat) * 9.0f));
    totals.totFat = tenths(part(ingredient.fat), totals.totFat);
    totals.totCholesterol = addClamped(totals.totCholesterol, roundToInt32(cholesterolPart));
    totals.totSodium = addClamped(totals.totSodium, roundToInt32(part(ingredient.sodium)));
    totals.totCarbs = tenths(part(ingredient.totalCarbs), totals.totCarbs);
    totals.totProtein = tenths(part(ingredient.protein), totals.totProtein);
    totals.totFiber = tenths(part(ingredient.fiber), totals.totFiber);
    totals.totSatFat = tenths(part(ingredient.satFat), totals.totSatFat);
    // Calories are always 4 a gram of carbohydrate and protein plus the fat calories.
    totals.totCalories =
        roundToInt32(static_cast<double>(totals.totCarbs * 4.0f) + totals.totFatCalories +
                     static_cast<double>(totals.totProtein * 4.0f));
    if (clamp == Clamp::AtZero)
        ifLessThanZero(totals);
}

void ifLessThanZero(RecipeTotals& totals)
{
    for (qint32* whole :
         {&totals.totCalories, &totals.totFatCalories, &totals.totCholesterol, &totals.totSodium})
        if (*whole < 1)
            *whole = 0;
    for (float* grams : {&totals.totFat, &totals.totSatFat, &totals.totCarbs, &totals.totFiber,
                         &totals.totProtein})
        if (*grams < 0 || std::isnan(*grams))
            *grams = 0;
}

void rescale(RecipeTotals& totals, float oldServings, float newServings)
{
    const float r = oldServings / newServings;
    for (qint32* whole :
         {&totals.totCalories, &totals.totFatCalories, &totals.totCholesterol, &totals.totSodium})
        *whole = roundToInt32(static_cast<double>(r) * *whole);
    for (float* grams : {&totals.totFat, &totals.totSatFat, &totals.totCarbs, &totals.totProtein,
                         &totals.totFiber})
        *grams = rescaledTenths(r, *grams);
}

PanelTexts panelTexts(const RecipeTotals& t)
{
    const QString grams = QStringLiteral("g");
    const QString milligrams = QStringLiteral("mg");
    return PanelTexts{
        QString::number(t.totCalories),
        QString::number(t.totFatCalories),
        floatText(t.totFat) + grams,
        percentOf(t.totFat, dailyFat),
        floatText(t.totSatFat) + grams,
        percentOf(t.totSatFat, dailySatFat),
        QString::number(t.totCholesterol) + milligrams,
        percentOf(t.totCholesterol, dailyCholesterol),
        QString::number(t.totSodium) + milligrams,
        percentOf(t.totSodium, dailySodium),
        floatText(t.totCarbs) + grams,
        percentOf(t.totCarbs, dailyCarbs),
        floatText(t.totFiber) + grams,
        percentOf(t.totFiber, dailyFiber),
        floatText(t.totProtein) + grams,
    };
}

std::optional<CalorieShares> calorieShares(const RecipeTotals& totals)
{
    if (totals.totCalories < 1)
        return std::nullopt;
    // The grams as the panel writes them, so that the shares agree with what it shows.
    const PanelTexts panel = panelTexts(totals);
    const double fatCalories = totals.totFatCalories;
    const double carbGrams = leadingNumber(QStringView(panel.carbsG).chopped(1));
    const double proteinGrams = leadingNumber(QStringView(panel.proteinG).chopped(1));
    float base = static_cast<float>(fatCalories + 4 * carbGrams + 4 * proteinGrams);
    if (base <= 0)
        base = static_cast<float>(totals.totCalories);
    // Carbohydrates and protein stop at 100 %; the fat share is shown as it comes.
    const auto share = [base](double part, int caloriesPerUnit, double maximum) {
        return std::min(roundToInt16(part / base * 1000 * caloriesPerUnit) / 10.0, maximum);
    };
    const double fatShare = share(fatCalories, 1, std::numeric_limits<double>::infinity());
    const double carbShare = share(carbGrams, 4, 100);
    const double proteinShare = share(proteinGrams, 4, 100);
    return CalorieShares{
        doubleText(fatShare) + QStringLiteral("% of calories from Fat"),
        floatText(static_cast<float>(carbShare)) + QStringLiteral("% from Carbohydrates"),
        floatText(static_cast<float>(proteinShare)) + QStringLiteral("% from Protein"),
        {fatShare, carbShare, proteinShare}};
}

CalorieShares noLineShares()
{
    return CalorieShares{QStringLiteral("0% calories from Fat"),
                         QStringLiteral("0% from Carbohydrates"),
                         QStringLiteral("0% from Protein"),
                         {}};
}

std::optional<std::array<double, 3>> CalorieShares::chart() const
{
    if (fat.isEmpty() || values[0] + values[1] + values[2] <= 0)
        return std::nullopt;
    return values;
}

} // namespace zestora::nutrition
