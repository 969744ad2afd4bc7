#pragma once

#include <QString>

#include <optional>

namespace zestora {
class IngTable;
}

// Ground meat is sold by its share of lean: "93% lean", "80/20", British mince by its fat
// ("5% fat"). USDA keeps a row for each of the common grinds of beef, pork and turkey.
namespace zestora::paste {

class FoodMatcher;
class HouseholdWeights;

// The lean share in percent that a line gives its meat; none where it gives none.
std::optional<int> leanShare(QStringView text);

// Of the grinds of the food's kind, the foods whose names differ from its name only in their
// shares ("Beef, ground, 80% lean meat / 20% fat, raw"), the one whose lean share is nearest to
// lean, the leaner on a tie. A food whose name gives no share takes the nearest grind of the
// animal its name starts with, raw where it is raw; the food itself where there is none.
int nearestGrind(int food, int lean, const FoodMatcher& matcher, const IngTable& ingredients);

// Whether a line says its meat is trimmed of its fat: "lean top sirloin", "trimmed of visible
// fat", "trimmed of the majority of visible fat", "chuck steak with fat removed", "all visible
// fat discarded". "Trimmed" alone is not: a butcher's trim leaves the fat.
bool saysTrimmedOfFat(QStringView text);

// The lean only row of the food's cut ("Beef, flank, steak, lean only, ...") where the food is
// the cut's lean and fat; the food itself where USDA keeps no lean only row of it.
int leanOnlyCut(int food, const FoodMatcher& matcher, const IngTable& ingredients);

// Whether a line's notes say the meat is cooked and its fat poured off: "browned and drained",
// "brown and drain", "cooked until crisp" (bacon cooked crisp leaves its fat in the pan). Not
// "do not drain".
bool saysFatDrained(QStringView notes);

// The food as the pan leaves it once its fat is poured off, where USDA keeps it: of a raw grind
// its crumbles ("Beef, ground, 85% lean meat / 15% fat, crumbles, cooked"), of raw bacon the
// cooked slices. None for a food that is not raw or has no such cooked form.
std::optional<int> drainedForm(int food, const FoodMatcher& matcher, const IngTable& ingredients);

// What share of the raw food's weight its cooked form weighs, from USDA's measures: the yield the
// cooked food gives ("portion (yield from 1/2 lb raw meat)", 149 g of crumbles), else a piece
// both weigh ("slice raw" 29 g, "slice cooked" 8 g of bacon). None where USDA gives neither.
std::optional<double> cookedYield(const QString& rawName, const QString& cookedName,
                                  const HouseholdWeights& weights);

} // namespace zestora::paste
