#pragma once

#include "core/textpattern.h"

#include <QHash>
#include <QList>
#include <QMultiHash>
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

    // Whether one name is taken, in one pass over the stored names: for a single save, where
    // making the index would cost more than the pass.
    static bool taken(const QList<RecipeEntry>& stored, const QString& name,
                      bool typedNameIsPattern);

    // Whether the name is taken, the name taken as the pattern when typedNameIsPattern, else
    // each stored name. Spaces around the names do not count.
    bool matches(const QString& name, bool typedNameIsPattern) const;
    // The stored recipes whose names equal this one ignoring letter case, by index; -1 stands for
    // a name added since.
    QList<int> sameNames(const QString& name) const;
    // A name stored, or about to be, since the list was made.
    void add(const QString& name);

private:
    static QString key(QStringView trimmedName);
    void add(const QString& name, int index);

    QHash<QString, int> m_indexes;        // the first of each name, by its lower-case form
    QMultiHash<QString, int> m_sameNames; // the names after the first that equal it
    QStringList m_names;                  // trimmed, for a name that is a pattern
    QList<TextPattern> m_patterns;        // the stored names that hold pattern characters
};

} // namespace zestora
