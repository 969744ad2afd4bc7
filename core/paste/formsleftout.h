#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <utility>

namespace zestora::paste {

// How starter foods were cooked where their names, shortened to fit the file, leave it out:
// "Cereals, corn grits, yellow, regular, quick, enriched" are grits "cooked, salted". The matcher
// reads a name with them, so that a cook's "cooked grits" finds the cooked food and plain "grits"
// the dry one. The table lies beside the starter database; its rows are the food's stored name and
// what its name leaves out, separated by a tab.
class FormsLeftOut {
public:
    inline static const QString fileName = QStringLiteral("forms-left-out.tsv");

    FormsLeftOut() = default;
    explicit FormsLeftOut(const QByteArray& table);
    // The table of the foods, each with its name and the forms it leaves out; foods whose names
    // leave out none have no row.
    static QByteArray table(const QList<std::pair<QString, QString>>& foods);

    // The names as the matcher reads them: each followed by what it leaves out, if anything.
    QStringList namesWithForms(QStringList names) const;

private:
    QHash<QString, QString> m_forms; // by the case-folded name
};

} // namespace zestora::paste
