#pragma once

#include <QList>
#include <QString>

namespace zestora {
class IngTable;
}

// A cut of one animal is never a cook's cut of another: "pork stew meat" is no beef chuck for
// stew, however many words of the cut the beef's name shares.
namespace zestora::paste {

struct FoodMatch;

// Whether the food's name is of an animal the cook's food words do not name ("Beef, chuck for
// stew" for "pork stew meat"); a line naming no animal, or a food of none ("beef tomatoes" are
// tomatoes), never is.
bool ofAnotherAnimal(const QString& cooksFood, const QString& foodName);

// Of the foods, those not of another animal than the line names, in their order; all of them
// where none is or the best of them scores below least: a cut of the wrong animal still counts
// more nearly than nothing.
QList<FoodMatch> ofTheNamedAnimal(const QString& cooksFood, const QList<FoodMatch>& foods,
                                  const IngTable& ingredients, double least);

} // namespace zestora::paste
