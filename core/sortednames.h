#pragma once

#include <QList>
#include <QStringList>

namespace zestora {

// The order of name lists for people: names compare as their lower-case forms (lowerCase) do, and
// names whose lower-case forms are equal keep the order in which they came. The positions of the
// names in that order.
QList<int> orderForPeople(const QStringList& names);

} // namespace zestora
