#pragma once

#include "core/paste/householdweights.h"

#include <QSet>
#include <QString>

// Which of a food's household measures the words of a cook's line mean: "1 cup grated Monterey
// Jack" is USDA's "cup, shredded", "4 plum tomatoes" its "plum tomato", "1 large potato" its
// "potato large".
namespace zestora::paste {

// How well a household measure fits the line's words, higher the better: a word the line says
// ("shredded") or one of its kind ("grated") counts most; a form the line does not say ("cup,
// whipped", "cup, melted") counts against it, and the plain form ("cup, fluid") a little for it.
int measureFit(const QString& measure, const QSet<QString>& lineWords);

// What one word of the measure that the line itself says adds to its fit.
inline constexpr int fitOfAWordSaid = 10;

// The food's own piece of that size ("large": "potato large", "large whole (3\" dia)"), not a
// part of it ("slice, large"); none when USDA does not weigh that size.
const HouseholdWeights::Measure* sizedPiece(const QList<HouseholdWeights::Measure>& measures,
                                            const QString& size, const QString& foodName);

// Whether the line names the size of a piece the measure is: "fun size", "miniature", "king size"
// of a candy bar.
bool namesPieceSize(const QString& measureUnit, const QStringList& lineFoodWords);

// A piece of a kind the line names that the food's name does not ("plum tomato" and "cherry" of
// "Tomatoes, red, ripe, raw"), or of a size the line names ("fun size" of "SNICKERS Bar"); of a
// kind kept in sizes the plain one unless the line names another; none when the line names no
// such piece.
const HouseholdWeights::Measure* namedPiece(const QList<HouseholdWeights::Measure>& measures,
                                            const QStringList& lineFoodWords,
                                            const QString& foodName);

// The food's plain piece of the same kind as its own sized or shaped one: "cracker square" where
// the food keeps "cracker, round large", "roll (1 oz)" for a dinner roll where it keeps "roll
// medium submarine, hoagie", or any plain piece where its own is named by its size alone
// ("large"); unless the line names that shape; none when its own piece is plain.
const HouseholdWeights::Measure* plainPiece(const QList<HouseholdWeights::Measure>& measures,
                                            const QString& own, const QStringList& lineFoodWords);

} // namespace zestora::paste
