#include "core/sortednamemodel.h"

#include "core/sortednames.h"
#include "core/text.h"

#include <algorithm>

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
    // Until they are first asked for there are none to keep.
    const auto dropAll = [this] {
        m_keys.clear();
        m_keysKept = false;
    };
    connect(this, &QAbstractItemModel::modelReset, this, dropAll);
    connect(this, &QAbstractItemModel::layoutChanged, this, dropAll);
    connect(this, &QAbstractItemModel::rowsMoved, this, dropAll);
    connect(this, &QAbstractItemModel::rowsInserted, this,
            [this](const QModelIndex&, int first, int last) {
                if (!m_keysKept)
                    return;
                m_keys.insert(first, last - first + 1, QString());
                lowerRows(first, last);
            });
    connect(this, &QAbstractItemModel::rowsRemoved, this,
            [this](const QModelIndex&, int first, int last) {
                if (m_keysKept)
                    m_keys.remove(first, last - first + 1);
            });
    connect(this, &QAbstractItemModel::dataChanged, this,
            [this](const QModelIndex& topLeft, const QModelIndex& bottomRight) {
                if (m_keysKept)
                    lowerRows(topLeft.row(), bottomRight.row());
            });
}

void SortedNameModel::lowerRows(int first, int last)
{
    const QStringList names = stringList();
    for (int row = first; row <= last; ++row)
        m_keys[row] = lowerCase(names[row]);
}

const QStringList& SortedNameModel::keys() const
{
    if (!m_keysKept) {
        const QStringList names = stringList();
        m_keys.clear();
        m_keys.reserve(names.size());
        for (const QString& name : names)
            m_keys.append(lowerCase(name));
        m_keysKept = true;
    }
    return m_keys;
}

bool SortedNameModel::lessForPeople(const QString& a, const QString& b)
{
    return compareLowerCase(a, b) < 0;
}

void SortedNameModel::fill(QStringList names)
{
    fillSorted(sortedForPeople(std::move(names)));
}

void SortedNameModel::fillSorted(QStringList names)
{
    setStringList(names);
}

QStringList SortedNameModel::sortedForPeople(QStringList names)
{
    QStringList sorted;
    sorted.reserve(names.size());
    for (const int i : orderForPeople(names))
        sorted.append(std::move(names[i]));
    return sorted;
}

std::pair<int, int> SortedNameModel::rowsOfName(QStringView name) const
{
    const QStringList names = stringList();
    const auto [first, end] =
        std::equal_range(names.cbegin(), names.cend(), name,
                         [](QStringView a, QStringView b) { return compareLowerCase(a, b) < 0; });
    return {static_cast<int>(first - names.cbegin()), static_cast<int>(end - names.cbegin())};
}

int SortedNameModel::insertName(const QString& name)
{
    const int row = rowsOfName(name).second;
    insertRows(row, 1);
    setData(index(row), name);
    return row;
}

int SortedNameModel::rowOf(const QString& name) const
{
    // Equal names under the people's order sit together; search only that run.
    const auto [first, end] = rowsOfName(name);
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
    const auto [first, end] = rowsOfName(trimmed);
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
