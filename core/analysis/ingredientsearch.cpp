#include "core/analysis/ingredientsearch.h"

#include "core/text.h"

#include <QSet>
#include <QStringMatcher>

#include <algorithm>
#include <vector>

namespace zestora::search {

QStringList loadWords(const QString& typed)
{
    QStringList words;
    QString rest = trimSpaces(typed);
    for (qsizetype blank = rest.indexOf(u' '); blank >= 0; blank = rest.indexOf(u' ')) {
        words.append(trimSpaces(QStringView(rest).left(blank)));
        rest = trimSpaces(QStringView(rest).mid(blank));
    }
    words.append(rest);
    return words;
}

SearchableNames::SearchableNames(const QStringList& names)
    : m_names(names)
{
    m_lowered.reserve(names.size());
    for (const QString& name : names)
        m_lowered.append(lowerCase(name));
}

SearchableNames::SearchableNames(const QStringList& names, const QStringList& lowered)
    : m_names(names)
    , m_lowered(lowered)
{
    Q_ASSERT(names.size() == lowered.size());
}

QStringList SearchableNames::loadSearchList(const QStringList& words, Mode mode) const
{
    std::vector<QStringMatcher> matchers;
    for (const QString& word : words)
        matchers.emplace_back(lowerCase(word), Qt::CaseSensitive);
    const auto matches = [this](const QStringMatcher& word, qsizetype i) {
        return word.indexIn(m_lowered[i]) >= 0;
    };

    QStringList found;
    // The trimmed names listed so far, so that each result is checked against the list at once
    // instead of by a scan. The views point into m_names, which outlives the search.
    QSet<QStringView> listed;
    listed.reserve(m_names.size());
    // Names already dealt with, listed or left out as equal to a listed one: a later word of Any
    // passes over them.
    std::vector<bool> done(static_cast<size_t>(m_names.size()), false);
    const auto add = [&](qsizetype i) {
        done[static_cast<size_t>(i)] = true;
        const QStringView key = trimmedSpacesView(m_names[i]);
        if (!listed.contains(key)) {
            listed.insert(key);
            found.append(m_names[i]);
        }
    };
    if (mode == Mode::All) {
        for (qsizetype i = 0; i < m_names.size(); ++i)
            if (std::all_of(matchers.cbegin(), matchers.cend(),
                            [&](const QStringMatcher& word) { return matches(word, i); }))
                add(i);
    } else {
        for (const QStringMatcher& word : matchers)
            for (qsizetype i = 0; i < m_names.size(); ++i)
                if (!done[static_cast<size_t>(i)] && matches(word, i))
                    add(i);
    }
    return found;
}

} // namespace zestora::search
