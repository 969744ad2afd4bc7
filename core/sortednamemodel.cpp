#include "core/sortednamemodel.h"

#include "core/text.h"

#include <algorithm>
#include <numeric>
#include <vector>

namespace zestora {

SortedNameModel::SortedNameModel(QObject* parent)
    : QStringListModel(parent)
{
    keepKeysInStep();
}

SortedNameModel::SortedNameModel(const QStringList& names, QObject* parent)
    : QStringListModel(parent)
{
    keepKeysInStep();
    fill(names);
}

void SortedNameModel::keepKeysInStep()
{
    // Connected before any view is, so the keys are up to date when the views hear of a change.
    const auto lowerAll = [this] {
        m_keys.clear();
        m_keys.resize(rowCount());
        lowerRows(0, rowCount() - 1);
    };
    connect(this, &QAbstractItemModel::modelReset, this, [this, lowerAll] {
        if (!std::exchange(m_keysGiven, false))
            lowerAll();
    });
    connect(this, &QAbstractItemModel::layoutChanged, this, lowerAll);
    connect(this, &QAbstractItemModel::rowsMoved, this, lowerAll);
    connect(this, &QAbstractItemModel::rowsInserted, this,
            [this](const QModelIndex&, int first, int last) {
                m_keys.insert(first, last - first + 1, QString());
                lowerRows(first, last);
            });
    connect(this, &QAbstractItemModel::rowsRemoved, this,
            [this](const QModelIndex&, int first, int last) {
                m_keys.remove(first, last - first + 1);
            });
    connect(this, &QAbstractItemModel::dataChanged, this,
            [this](const QModelIndex& topLeft, const QModelIndex& bottomRight) {
                lowerRows(topLeft.row(), bottomRight.row());
            });
}

void SortedNameModel::lowerRows(int first, int last)
{
    const QStringList names = stringList();
    for (int row = first; row <= last; ++row)
        m_keys[row] = lowerCase(names[row]);
}

bool SortedNameModel::lessForPeople(const QString& a, const QString& b)
{
    return lowerCase(a) < lowerCase(b);
}

void SortedNameModel::fill(QStringList names)
{
    fillSorted(sortedWithKeys(std::move(names)));
}

void SortedNameModel::fillSorted(Sorted sorted)
{
    // Names that come without their lower-case forms are lowered here.
    m_keysGiven = sorted.keys.size() == sorted.names.size();
    if (m_keysGiven)
        m_keys = std::move(sorted.keys);
    setStringList(sorted.names);
}

QStringList SortedNameModel::sortedForPeople(QStringList names)
{
    return sortedWithKeys(std::move(names)).names;
}

SortedNameModel::Sorted SortedNameModel::sortedWithKeys(QStringList names)
{
    // Each name is lowered once, not at every comparison; equal keys keep their order.
    QStringList keys;
    keys.reserve(names.size());
    for (const QString& name : std::as_const(names))
        keys.append(lowerCase(name));
    std::vector<qsizetype> order(static_cast<size_t>(names.size()));
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [&keys](qsizetype a, qsizetype b) { return keys[a] < keys[b]; });
    Sorted sorted;
    sorted.names.reserve(names.size());
    sorted.keys.reserve(names.size());
    for (const qsizetype i : order) {
        sorted.names.append(std::move(names[i]));
        sorted.keys.append(std::move(keys[i]));
    }
    return sorted;
}

std::pair<int, int> SortedNameModel::rowsOfKey(const QString& key) const
{
    const auto [first, end] = std::equal_range(m_keys.cbegin(), m_keys.cend(), key);
    return {static_cast<int>(first - m_keys.cbegin()), static_cast<int>(end - m_keys.cbegin())};
}

int SortedNameModel::insertName(const QString& name)
{
    const int row = rowsOfKey(lowerCase(name)).second;
    insertRows(row, 1);
    setData(index(row), name);
    return row;
}

int SortedNameModel::rowOf(const QString& name) const
{
    // Equal names under the people's order sit together; search only that run.
    const auto [first, end] = rowsOfKey(lowerCase(name));
    const QStringList names = stringList();
    for (int row = first; row < end; ++row)
        if (names[row] == name)
            return row;
    return -1;
}

int SortedNameModel::lastRowOfTrimmed(const QString& name) const
{
    // The names are kept trimmed, so equal ones stand in the run of the trimmed name.
    const QStringView trimmed = trimmedSpacesView(name);
    const auto [first, end] = rowsOfKey(lowerCase(trimmed));
    const QStringList names = stringList();
    for (int row = end - 1; row >= first; --row)
        if (trimmedSpacesView(names[row]) == trimmed)
            return row;
    return -1;
}

QString SortedNameModel::nameAt(int row) const
{
    return index(row).data().toString();
}

} // namespace zestora
