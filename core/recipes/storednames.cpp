#include "core/recipes/storednames.h"

#include "core/store/recipestore.h"
#include "core/text.h"

namespace zestora {

StoredNames::StoredNames(const QList<RecipeEntry>& stored)
{
    m_indexes.reserve(stored.size());
    m_names.reserve(stored.size());
    for (qsizetype i = 0; i < stored.size(); ++i) {
        add(stored[i].recipeName);
        m_indexes[key(stored[i].recipeName)].last() = static_cast<int>(i);
    }
}

QString StoredNames::key(const QString& name)
{
    return trimSpaces(name).toCaseFolded();
}

void StoredNames::add(const QString& name)
{
    const QString trimmed = trimSpaces(name);
    m_indexes[key(trimmed)].append(-1);
    m_names.append(trimmed);
    TextPattern pattern(trimmed);
    if (!pattern.isPlain())
        m_patterns.append(std::move(pattern));
}

QList<int> StoredNames::sameNames(const QString& name) const
{
    return m_indexes.value(key(name));
}

bool StoredNames::matches(const QString& name, bool typedNameIsPattern) const
{
    // Equal names always count, whichever of the two is taken as a pattern: "Pie [v2]" as a
    // pattern does not match itself.
    if (m_indexes.contains(key(name)))
        return true;
    const QString typed = trimSpaces(name);
    if (typedNameIsPattern) {
        const TextPattern pattern(typed);
        if (pattern.isPlain())
            return false; // a plain name matches only its equals, looked up above
        for (const QString& stored : m_names)
            if (pattern.matches(stored))
                return true;
        return false;
    }
    for (const TextPattern& stored : m_patterns)
        if (stored.matches(typed))
            return true;
    return false;
}

} // namespace zestora
