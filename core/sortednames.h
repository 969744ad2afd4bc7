#pragma once

#include <QList>
#include <QStringList>

#include <functional>

namespace zestora {

// The order of name lists for people: names compare as their lower-case forms (lowerCase) do, and
// names whose lower-case forms are equal keep the order in which they came. The positions of the
// names in that order.
QList<int> orderForPeople(const QStringList& names);
// The same for count names given one by one, so that a caller holding its names in another form
// (views of trimmed names) need not copy them into a list first.
QList<int> orderForPeople(qsizetype count, const std::function<QStringView(qsizetype)>& nameAt);

} // namespace zestora
