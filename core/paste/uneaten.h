#pragma once

#include "core/paste/linemeasure.h"

#include <QList>
#include <QString>

namespace zestora {
class IngTable;
}

// What a recipe uses but nobody eats: the oil of a deep fryer, the salt of a brine, a marinade
// poured away, the skewers. Such a line counts only what stays in the food, or nothing.
namespace zestora::paste {

struct ReviewedLine;
class HouseholdWeights;

enum class Eaten {
    All,      // the whole amount, as any other line
    Absorbed, // frying oil: what the fried foods take up
    Clinging, // a marinade or a soak poured away: what clings to the food
    Nothing,  // poured away, or no food at all
};

// Deep-fried foods come out of the fryer with about a tenth of their raw weight in oil (battered
// fish, chips, doughnuts and fried chicken take up 8 to 15 % in published frying studies); foods
// fried in a pan or in shallow oil take up 2 to 5 %. A marinade poured away leaves about a tenth
// of itself on the food.
constexpr double deepFryingUptake = 0.10;
constexpr double panFryingUptake = 0.04;
constexpr double clingingShare = 0.10;

// Why a line counts less than its amount, from its words, the heading it stands under and the
// directions: frying oil, the salt of a brine, a marinade the directions discard, what is no food.
// Lines counted in full are left as they are.
void findUneaten(QList<ReviewedLine>& lines, QStringView directions, const IngTable& ingredients);

// What the lines that count a part count, in their food's units: frying oil the share the other
// foods take up (never more than the oil, and that share when the line gives no amount): deep
// frying's where the line or the directions say so, else a pan's; a soak
// poured away the share that clings. Called again after any line changed, since the fried foods'
// weight changes with them.
void countParts(QList<ReviewedLine>& lines, const IngTable& ingredients,
                const HouseholdWeights& weights);

// The choices a user has for a line, in the order the review table offers them, and what each is
// called there and on the command line.
QList<Eaten> eatenChoices();
QString eatenName(Eaten eaten);
// The line's count as the review table and the command line say it: "frying oil: what the food
// takes up, 10 % of its weight"; empty for a line counted in full.
QString eatenText(const ReviewedLine& line);

} // namespace zestora::paste
