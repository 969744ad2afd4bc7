#include "core/recipes/storednames.h"

#include "core/store/recipestore.h"
#include "core/text.h"

namespace zestora {

namespace {

// Whether a name holds one of TextPattern's special characters; most do not, and need no pattern
// made: they match only their equals.
bool mayBePattern(QStringView name)
{
    for (const QChar c : name)
        if (c == u'?' || c == u'*' || c == u'#' || c == u'[')
            return true;
    return false;
}

} // namespace

bool StoredNames::taken(const QList<RecipeEntry>& stored, const QString& name,
                        bool typedNameIsPattern)
{
    const QString typed = trimSpaces(name);
    const std::optional<TextPattern> typedPattern = typedNameIsPattern && mayBePattern(typed)
                                                        ? std::optional(TextPattern(typed))
                                                        : std::nullopt;
    for (const RecipeEntry& entry : stored) {
        const QStringView storedName = trimmedSpacesView(entry.recipeName);
        if (storedName.compare(typed, Qt::CaseInsensitive) == 0)
            return true;
        if (typedPattern && typedPattern->matches(storedName.toString()))
            return true;
        if (!typedNameIsPattern && mayBePattern(storedName) &&
            TextPattern(storedName.toString()).matches(typed))
            return true;
    }
    return false;
}

StoredNames::StoredNames(const QList<RecipeEntry>& stored)
{
    m_indexes.reserve(stored.size());
    m_names.reserve(stored.size());
    for (qsizetype i = 0; i < stored.size(); ++i)
        add(stored[i].recipeName, static_cast<int>(i));
}

QString StoredNames::key(QStringView trimmedName)
{
    // Letter by letter, as the names compare ignoring case: the names are code page 1252 text,
    // whose letters have one lower case each.
    return lowerCase(trimmedName);
}

void StoredNames::add(const QString& name, int index)
{
    const QString trimmed = trimSpaces(name);
    const QString folded = key(trimmed);
    if (const auto found = m_indexes.constFind(folded); found != m_indexes.cend())
        m_sameNames.insert(folded, index);
    else
        m_indexes.insert(folded, index);
    if (mayBePattern(trimmed))
        m_patterns.append(TextPattern(trimmed));
    m_names.append(trimmed);
}

void StoredNames::add(const QString& name)
{
    add(name, -1);
}

QList<int> StoredNames::sameNames(const QString& name) const
{
    const QString folded = key(trimmedSpacesView(name));
    const auto found = m_indexes.constFind(folded);
    if (found == m_indexes.cend())
        return {};
    QList<int> indexes{found.value()};
    indexes.append(m_sameNames.values(folded));
    return indexes;
}

bool StoredNames::matches(const QString& name, bool typedNameIsPattern) const
{
    const QString typed = trimSpaces(name);
    // Equal names always count, whichever of the two is taken as a pattern: "Pie [v2]" as a
    // pattern does not match itself.
    if (m_indexes.contains(key(typed)))
        return true;
    if (typedNameIsPattern) {
        if (!mayBePattern(typed))
            return false; // a plain name matches only its equals, looked up above
        const TextPattern pattern(typed);
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
