#pragma once

#include <QStringList>

// Finding ingredients by words in their names.
namespace zestora::search {

enum class Mode {
    Any, // a name matches when it contains any of the words
    All, // a name matches when it contains every word
};

// The words of the typed text, in typed order: split at blanks, runs of blanks counting as one.
// A text without a blank is one word.
QStringList loadWords(const QString& typed);

// The names of the ingredient list, ready to be searched again and again: each is lowered once.
class SearchableNames {
public:
    explicit SearchableNames(const QStringList& names);
    // Names whose lower-case forms (lowerCase) are known already, as a name list keeps them.
    SearchableNames(const QStringList& names, const QStringList& lowered);

    // The names that match the words, in list order for All; for Any grouped by the first word
    // they match, each group in list order. A name contains a word when its lower-case form
    // contains the word's lower-case form. A name is listed once: a later name equal to a listed
    // one after trimming is left out.
    QStringList loadSearchList(const QStringList& words, Mode mode) const;

private:
    QStringList m_names;
    QStringList m_lowered;
};

} // namespace zestora::search
