#pragma once

#include "core/textpattern.h"

#include <QHash>
#include <QList>
#include <QString>

namespace zestora {

struct RecipeEntry;

// The names of the stored recipes as a new recipe's name is compared with them before it is
// saved: a name is taken when it equals a stored one ignoring letter case, or matches it with one
// of the two taken as a text pattern ("Pie*" and "Pie, apple"). Names without pattern characters,
// nearly all of them, are looked up at once rather than compared one by one.
class StoredNames {
public:
    explicit StoredNames(const QList<RecipeEntry>& stored);

    // Whether the name is taken, the name taken as the pattern when typedNameIsPattern, else
    // each stored name. Spaces around the names do not count.
    bool matches(const QString& name, bool typedNameIsPattern) const;
    // The stored recipes whose names equal this one ignoring letter case, by index; -1 stands for
    // a name added since.
    QList<int> sameNames(const QString& name) const;
    // A name stored, or about to be, since the list was made.
    void add(const QString& name);

private:
    static QString key(const QString& name);

    QHash<QString, QList<int>> m_indexes; // by the case-folded trimmed name
    QStringList m_names;                  // trimmed, for a name that is a pattern
    QList<TextPattern> m_patterns;        // the stored names that hold pattern characters
};

} // namespace zestora
