#include "core/analysis/ingredientsearch.h"

#include "core/text.h"

#include <QSet>

#include <algorithm>

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

QStringList loadSearchList(const QStringList& names, const QStringList& words, Mode mode)
{
    // Each name is lowered once, not once per word.
    QStringList lowered;
    lowered.reserve(names.size());
    for (const QString& name : names)
        lowered.append(name.toLower());
    QStringList loweredWords;
    for (const QString& word : words)
        loweredWords.append(word.toLower());

    QStringList found;
    // The trimmed names listed so far, so that each result is checked against the list at once
    // instead of by a scan.
    QSet<QString> listed;
    const auto add = [&](qsizetype i) {
        const QString key = trimSpaces(names[i]);
        if (!listed.contains(key)) {
            listed.insert(key);
            found.append(names[i]);
        }
    };
    if (mode == Mode::All) {
        for (qsizetype i = 0; i < names.size(); ++i)
            if (std::all_of(loweredWords.cbegin(), loweredWords.cend(),
                            [&](const QString& word) { return lowered[i].contains(word); }))
                add(i);
    } else {
        for (const QString& word : loweredWords)
            for (qsizetype i = 0; i < names.size(); ++i)
                if (lowered[i].contains(word))
                    add(i);
    }
    return found;
}

} // namespace zestora::search
