#pragma once

#include <QStringListModel>

namespace zestora {

// A name list kept in alphabetical order for people: letter case is ignored, and names that
// compare equal keep the order in which they were added. Filled in one batch at start-up, then
// kept sorted by inserting each new name at its place. Beside each name it keeps the name's
// lower-case form, by which the list is ordered and searched, up to date with every change.
class SortedNameModel : public QStringListModel {
    Q_OBJECT
public:
    // Names with their lower-case forms, row by row.
    struct Sorted {
        QStringList names;
        QStringList keys;
    };

    explicit SortedNameModel(QObject* parent = nullptr);
    explicit SortedNameModel(const QStringList& names, QObject* parent = nullptr);

    void fill(QStringList names);
    // Names already in the model's order with their lower-case forms, as sortedWithKeys gives
    // them: nothing is sorted or lowered again (names without keys are lowered).
    void fillSorted(Sorted sorted);
    // The names in the model's order, for a list that is filled elsewhere.
    static QStringList sortedForPeople(QStringList names);
    static Sorted sortedWithKeys(QStringList names);
    // The row the name went to.
    int insertName(const QString& name);
    // The first row holding exactly this name, or -1.
    int rowOf(const QString& name) const;
    // The last row whose name equals this one after trimming both, or -1.
    int lastRowOfTrimmed(const QString& name) const;
    QString nameAt(int row) const;
    // The lower-case form of every name, row by row.
    const QStringList& keys() const { return m_keys; }

    static bool lessForPeople(const QString& a, const QString& b);

private:
    void keepKeysInStep();
    void lowerRows(int first, int last);
    // The rows whose names have this lower-case form: where they are, or would be.
    std::pair<int, int> rowsOfKey(const QString& key) const;

    QStringList m_keys;
    bool m_keysGiven = false;
};

} // namespace zestora
