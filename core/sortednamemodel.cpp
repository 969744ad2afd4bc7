#include "core/sortednamemodel.h"

#include <algorithm>

namespace zestora {

bool SortedNameModel::lessForPeople(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) < 0;
}

void SortedNameModel::fill(QStringList names) {
    std::stable_sort(names.begin(), names.end(), lessForPeople);
    setStringList(names);
}

int SortedNameModel::insertName(const QString& name) {
    const QStringList& names = stringList();
    const int row = static_cast<int>(
        std::upper_bound(names.begin(), names.end(), name, lessForPeople) - names.begin());
    insertRows(row, 1);
    setData(index(row), name);
    return row;
}

int SortedNameModel::rowOf(const QString& name) const {
    const QStringList& names = stringList();
    // Equal names under the people's order sit together; search only that run.
    auto it = std::lower_bound(names.begin(), names.end(), name, lessForPeople);
    for (; it != names.end() && !lessForPeople(name, *it); ++it)
        if (*it == name)
            return static_cast<int>(it - names.begin());
    return -1;
}

QString SortedNameModel::nameAt(int row) const {
    return index(row).data().toString();
}

} // namespace zestora
