#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// Which of USDA's household measures a food is given: the one a cook counts it by.
namespace zestora::usda {

// One row of measures.tsv: amount of unit weighs grams; seq is USDA's order, 1 first.
struct HouseholdMeasure {
    int seq = 0;
    double amount = 0;
    QString unit;
    double grams = 0;
};

// The measure a cook counts the food of this description by, among its measures in USDA's
// order: a fruit or a clove; else the middle size of a food USDA gives in sizes (a large egg, a
// medium apple); else a slice where USDA counts the food mostly in slices (bread); else one of
// the food itself (an avocado); else the first volume, weight, other piece, serving or package,
// in that order. Pieces are counted one at a time and, but for cloves, weigh 10 g or more.
// nullptr when there are no measures.
const HouseholdMeasure* cooksMeasure(const QList<HouseholdMeasure>& measures,
                                     const QString& description);

// The words, in lower case, of the sizes a piece is sold smaller or larger than the regular one:
// a candy bar's fun size, snack size, bite size, miniature or king size.
const QStringList& pieceSizeWords();

} // namespace zestora::usda
