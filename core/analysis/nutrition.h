#pragma once

#include "core/store/ingrecord.h"

#include <QString>

#include <array>
#include <optional>

// The arithmetic of the Nutrition Facts panel: one recipe line's share of an ingredient, the
// running per-serving totals, their rescale to other servings and the panel's texts.
namespace zestora::nutrition {

struct RecipeTotals {
    qint32 totCalories = 0;
    qint32 totFatCalories = 0;
    float totFat = 0;
    float totSatFat = 0;
    qint32 totCholesterol = 0;
    qint32 totSodium = 0;
    float totCarbs = 0;
    float totFiber = 0;
    float totProtein = 0;

    bool operator==(const RecipeTotals&) const = default;
};

// Daily values of a 2,000-calorie diet.
constexpr int dailyFat = 65;
constexpr int dailySatFat = 20;
constexpr int dailyCholesterol = 300;
constexpr int dailySodium = 2400;
constexpr int dailyCarbs = 300;
constexpr int dailyFiber = 25;

// A unit as its position in units::recipeUnits, trimmed and ignoring letter case; -1 for any
// other unit. Work over many lines finds each unit once and passes the positions on.
int unitIndex(QStringView unit);

// How many stored units make one chosen unit; 0 when the two do not convert. Units are trimmed
// and compared ignoring letter case.
float conversionFactor(const QString& chosen, const QString& stored);
float conversionFactor(int chosenUnit, int storedUnit);

// An ingredient's two measures as unit positions.
struct MeasureUnits {
    int first = -1;
    int second = -1;
};
MeasureUnits measureUnits(const IngRecord& ingredient);

// How many of the ingredient's stored portions (Amount1 of Measure1) a quantity of the measure
// makes: converted through the first measure, else the second; a unit that converts to neither
// counts portions of the first measure.
float portionShare(const IngRecord& ingredient, const QString& measure, float quantity);
float portionShare(const IngRecord& ingredient, MeasureUnits stored, int unit, float quantity);

// Adds one line (quantity of unit measure of the ingredient) divided by the servings; a negative
// quantity takes the line out again. The analysis screen clamps the totals at zero afterwards; the
// stored recipes screen shows them as they come.
enum class Clamp { AtZero, None };
void addLineNutrients(RecipeTotals& totals, const IngRecord& ingredient, const QString& measure,
                      float quantity, float servingsDivisor, Clamp clamp = Clamp::AtZero);
// The same for a line whose share of the stored portions (portionShare) is known.
void addPortions(RecipeTotals& totals, const IngRecord& ingredient, float portions,
                 float servingsDivisor, Clamp clamp = Clamp::AtZero);
void ifLessThanZero(RecipeTotals& totals);

// The totals worked out again for other servings: multiplied by oldServings / newServings,
// whole numbers rounded, grams to tenths.
void rescale(RecipeTotals& totals, float oldServings, float newServings);

// The texts of the panel's value labels.
struct PanelTexts {
    QString cals;      // lblCals
    QString fatCals;   // lblFCals
    QString fatG;      // lblFg
    QString fatPct;    // lblFP
    QString satFatG;   // lblSFg
    QString satFatPct; // lblSFP
    QString cholG;     // lblCg
    QString cholPct;   // lblCP
    QString sodiumG;   // lblSg
    QString sodiumPct; // lblSP
    QString carbsG;    // lblTCg
    QString carbsPct;  // lblTCP
    QString fiberG;    // lblTFg
    QString fiberPct;  // lblTFP
    QString proteinG;  // lblPg

    bool operator==(const PanelTexts&) const = default;
};
PanelTexts panelTexts(const RecipeTotals& totals);

// The three "calories from" shares as the panel's sentences, and the numbers they begin with.
struct CalorieShares {
    QString fat;
    QString carbs;
    QString protein;
    std::array<double, 3> values{}; // fat, carbohydrates, protein, in percent

    bool operator==(const CalorieShares&) const = default;
    // The shares a chart shows: none while the sentences are empty or add up to nothing.
    std::optional<std::array<double, 3>> chart() const;
};
// Worked from the totals as the panel shows them (grams to tenths); nothing under 1 calorie.
std::optional<CalorieShares> calorieShares(const RecipeTotals& totals);
// What the shares read when the recipe has no line.
CalorieShares noLineShares();

} // namespace zestora::nutrition
