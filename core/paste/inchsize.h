#pragma once

#include "core/paste/householdweights.h"

#include <QString>

#include <optional>

// A piece whose size a cook gives across in inches, as tortillas, pie crusts, pizzas and cakes are
// sold: "4 (10 inch) flour tortillas" are USDA's "tortilla (approx 10\" dia)", not its medium one.
namespace zestora::paste {

// The food's household measure across the inches the line gives right after its amount ("6
// (8-inch)", "2 10\"", "8 (20cm)"), a measure of a range ("7-8\" dia") holding them; none when the
// line gives no such size or USDA weighs none of it.
const HouseholdWeights::Measure* measureAcross(const QList<HouseholdWeights::Measure>& measures,
                                               const QString& lineText);

// How thick a piece USDA gives by its inches is, the last of them: "slice, medium (4\" x 2-1/2\" x
// 1-3/4\")" is 1.75; none when the measure gives no three of them.
std::optional<double> inchesThick(const QString& measureUnit);

// Whether the line says its pieces are cut thick: an inch or more ("1-inch thick", "(1 1/2 inches
// thick)", "2.5cm thick"; of a range the last size, so "1/2- to 3/4-inch thick" is not), or thick
// with no size ("thick-cut").
bool cutAnInchOrThicker(const QString& lineText);

} // namespace zestora::paste
