#pragma once

#include <QStringListModel>

namespace zestora {

// A name list kept in alphabetical order for people (orderForPeople): letter case is ignored, and
// names that compare equal keep the order in which they were added. Filled in one batch at
// start-up, then kept sorted by inserting each new name at its place. The names' lower-case
// forms, by which the list is searched, are made when first asked for and from then on kept up
// to date with every change.
class SortedNameModel : public QStringListModel {
    Q_OBJECT
public:
    explicit SortedNameModel(QObject* parent = nullptr);
    explicit SortedNameModel(const QStringList& names, QObject* parent = nullptr);

    void fill(QStringList names);
    // Names already in the model's order, as sortedForPeople gives them: nothing is sorted again.
    void fillSorted(QStringList names);
    // The names in the model's order, for a list that is filled elsewhere.
    static QStringList sortedForPeople(QStringList names);
    // The row the name went to.
    int insertName(const QString& name);
    // The first row holding exactly this name, or -1.
    int rowOf(const QString& name) const;
    // The last row whose name equals this one after trimming both, or -1.
    int lastRowOfTrimmed(const QString& name) const;
    QString nameAt(int row) const;
    // The lower-case form of every name, row by row.
    const QStringList& keys() const;

    static bool lessForPeople(const QString& a, const QString& b);

private:
    void keepKeysInStep();
    void lowerRows(int first, int last);
    // The rows whose names equal this one ignoring letter case: where they are, or would be.
    std::pair<int, int> rowsOfName(QStringView name) const;

    mutable QStringList m_keys;
    mutable bool m_keysKept = false;
};

} // namespace zestora
