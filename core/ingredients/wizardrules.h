#pragma once

#include "core/analysis/nutrition.h"
#include "core/analysis/quantity.h"
#include "core/store/ingrecord.h"

#include <QString>

#include <optional>

// The ingredient wizard's rules: the measure choices, what a typed nutrient value must be, how the
// typed texts become the ingredient record and the texts of its Nutrition Facts preview, and how a
// stored amount is shown again on the quantity spinners for editing.
namespace zestora::wizard {

// --- Measures --------------------------------------------------------------------------------

// Both measure choices have twelve options; the last is "Unique" (a measure the user types) for
// the first measure and "NONE" for the second.
constexpr int unitCount = 12;
constexpr int ownUnit = 11;
QString firstUnitCaption(int index);
QString secondUnitCaption(int index);
// Whether a second-measure option can be chosen after the first measure `first`: a weight asks
// for a volume and the other way round; after "Unique" every unit can; NONE always can.
bool secondUnitEnabled(int first, int second);
// The option showing a stored measure, or -1: the first measure compares trimmed captions among
// the standard units, the second the captions exactly.
int firstUnitIndex(const QString& measure1);
int secondUnitIndex(const QString& measure2);

// The instruction of a quantity step for its measure.
QString quantityInstruction(const QString& measure);

// A name or measure must fit the ingredient file's code page and must not hold a mark character
// of the recipe file, where it is written when a recipe uses it. The message names the character
// and `what` ("the name").
std::optional<QString> unstorableCharacter(const QString& text, const QString& what);

// --- Quantities ------------------------------------------------------------------------------

// A stored amount on the spinners: the whole part and either a fraction of the kitchen table or
// a tenths digit.
quantity::Entry spinnerEntry(float amount);

// --- Nutrients -------------------------------------------------------------------------------

// The boxes of the nutrient steps; the fat box is read as calories or as grams.
enum class Box {
    Calories,
    FatCalories,
    FatGrams,
    SatFat,
    Cholesterol,
    Sodium,
    Carbs,
    Fiber,
    Protein
};

enum class Entry {
    Valid,
    Empty,      // nothing typed: not yet valid, no message
    Unfinished, // a lone ".", the start of ".5": not yet valid, no message
    Refused,    // not a number this box can take: the message below
};
// A typed value: a plain decimal number, with one optional point and no sign, exponent or
// thousands separator, so that what the user reads is what is stored. Blanks around it are
// allowed. Numbers too large for the record's field, or whose daily-value percentage or panel
// text would overflow, are refused like letters are.
Entry checkIt(const QString& text, Box box);
inline const QString checkItMessage = QStringLiteral("Enter only numbers. Equal to or greater "
                                                     "than zero.");
inline const QString checkItTitle = QStringLiteral("Please enter only number values");

// What the nutrient boxes hold, as typed.
struct NutrientTexts {
    QString calories;
    QString fat;
    bool fatInGrams = false;
    QString satFat;
    QString cholesterol;
    QString sodium;
    QString carbs;
    QString fiber;
    QString protein;
};

// The boxes of one nutrient step (5 to 10) written into the record and into the preview's value
// labels. The boxes must have passed checkIt.
void takeNutrientStep(int step, const NutrientTexts& boxes, IngRecord& ingredient,
                      nutrition::PanelTexts& preview);

// Grams with one decimal and no zero before the point, as the fat preview shows fat worked out
// from its calories: 5 is "5.0", 0.5 is ".5".
QString oneDecimal(float value);

// --- The stored ingredient panel -------------------------------------------------------------

// A stored ingredient's Nutrition Facts: the calories worked out from fat, carbohydrates and
// protein as for a recipe, every percentage ending in "%".
struct IngredientFacts {
    QString name;          // lblName
    QString firstServing;  // lbl1M
    QString secondServing; // lbl2M, empty when there is no second amount
    nutrition::PanelTexts panel;
    std::optional<nutrition::CalorieShares> shares; // none when the calories are not above 0
};
IngredientFacts ingredientFacts(const IngRecord& ingredient);

} // namespace zestora::wizard
