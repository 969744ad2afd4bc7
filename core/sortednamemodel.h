#pragma once

#include <QStringListModel>

namespace zestora {

// A name list kept in alphabetical order for people: letter case is ignored, and names that
// compare equal keep the order in which they were added. Filled in one batch at start-up, then
// kept sorted by inserting each new name at its place.
class SortedNameModel : public QStringListModel {
    Q_OBJECT
public:
    using QStringListModel::QStringListModel;

    void fill(QStringList names);
    // The names in the model's order, for a list that is filled elsewhere.
    static QStringList sortedForPeople(QStringList names);
    // The row the name went to.
    int insertName(const QString& name);
    // The first row holding exactly this name, or -1.
    int rowOf(const QString& name) const;
    // The last row whose name equals this one after trimming both, or -1.
    int lastRowOfTrimmed(const QString& name) const;
    QString nameAt(int row) const;

    static bool lessForPeople(const QString& a, const QString& b);
};

} // namespace zestora
