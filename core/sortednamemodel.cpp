#include "core/sortednamemodel.h"

#include "core/text.h"

#include <algorithm>
#include <vector>

namespace zestora {

bool SortedNameModel::lessForPeople(const QString& a, const QString& b)
{
    return a.toCaseFolded() < b.toCaseFolded();
}

void SortedNameModel::fill(QStringList names)
{
    setStringList(sortedForPeople(std::move(names)));
}

QStringList SortedNameModel::sortedForPeople(QStringList names)
{
    // Fold each name once instead of at every comparison; equal keys keep their order.
    struct Keyed {
        QString key;
        qsizetype index;
    };
    std::vector<Keyed> keyed;
    keyed.reserve(static_cast<size_t>(names.size()));
    for (qsizetype i = 0; i < names.size(); ++i)
        keyed.push_back({names[i].toCaseFolded(), i});
    std::stable_sort(keyed.begin(), keyed.end(),
                     [](const Keyed& a, const Keyed& b) { return a.key < b.key; });
    QStringList sorted;
    sorted.reserve(names.size());
    for (const Keyed& entry : keyed)
        sorted.append(std::move(names[entry.index]));
    return sorted;
}

int SortedNameModel::insertName(const QString& name)
{
    const QStringList& names = stringList();
    const int row = static_cast<int>(
        std::upper_bound(names.begin(), names.end(), name, lessForPeople) - names.begin());
    insertRows(row, 1);
    setData(index(row), name);
    return row;
}

int SortedNameModel::rowOf(const QString& name) const
{
    const QStringList& names = stringList();
    // Equal names under the people's order sit together; search only that run.
    auto it = std::lower_bound(names.begin(), names.end(), name, lessForPeople);
    for (; it != names.end() && !lessForPeople(name, *it); ++it)
        if (*it == name)
            return static_cast<int>(it - names.begin());
    return -1;
}

int SortedNameModel::lastRowOfTrimmed(const QString& name) const
{
    const QStringList& names = stringList();
    const QString key = trimSpaces(name);
    // The names are kept trimmed, so equal ones stand in the run of the trimmed name.
    int last = -1;
    auto it = std::lower_bound(names.begin(), names.end(), key, lessForPeople);
    for (; it != names.end() && !lessForPeople(key, *it); ++it)
        if (trimSpaces(*it) == key)
            last = static_cast<int>(it - names.begin());
    return last;
}

QString SortedNameModel::nameAt(int row) const
{
    return index(row).data().toString();
}

} // namespace zestora
