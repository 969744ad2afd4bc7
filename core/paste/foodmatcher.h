#pragma once

#include "core/paste/formsleftout.h"
#include "core/paste/kitchenmeasures.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <utility>
#include <vector>

namespace zestora {
class IngTable;
}

// Finding the stored food a cook means by the words of an ingredient line: "all-purpose flour" is
// "Wheat flour, white, all-purpose, enriched, bleached" in the USDA's naming pattern.
namespace zestora::paste {

class FoodChoices;

// The words of a food name or of a cook's text as they are compared: lower case, without
// accents, apostrophes and punctuation, hyphenated words apart, plurals and simple endings
// stemmed ("Tomatoes" and "tomato" are one word, "confectioners'" is "confectioner").
QStringList matchWords(QStringView text);
// Whether a match word carries nothing about the food: "of", "some", "taste".
bool isStopWord(const QString& word);
// Whether a match word only says how a food is cut, sized or handled: "whole", "diced", "fresh".
bool isDescribingWord(const QString& word);

// What cooks call foods that the database names otherwise, read from a small table: "baking
// soda" is "Leavening agents, baking soda". Each row is the cook's words, a tab, and either a
// stored food's name or the words the database uses ("scallion" is "onions spring"), which stand
// in for the cook's words also where the named food is not stored, or "-" for a food the
// database lacks whose words would find another ("almond milk" is no milk chocolate with almonds).
// Rows starting with # are comments.
//
// Some names mean another food in another country: British "tomato purée" is the concentrated
// paste, American "tomato puree" the thinner canned purée, and the words are one once accents are
// dropped. A second table holds such names, each row led by the measures word of the country that
// uses it ("uk", "au", "us"); under those measures its row comes before the general one.
class CooksNames {
public:
    inline static const QString fileName = QStringLiteral("cooks-names.tsv");
    inline static const QString byCountryFileName = QStringLiteral("cooks-names-by-country.tsv");

    CooksNames() = default;
    explicit CooksNames(const QByteArray& table, const QByteArray& byCountry = {});

    struct Phrase {
        QStringList words; // the words of what the row says
        QString name;      // what the row says, a stored food's name if it is one
    };
    // The longest row at the start of words, and how many of the words it takes; none: 0.
    std::pair<const Phrase*, int> phraseAt(const QStringList& words, int start,
                                           KitchenMeasures measures) const;
    // The longest row whose words start at start, in order or apart, with describing words
    // between them ("nonfat plain greek yogurt"), the words before its last in any order.
    struct Found {
        const Phrase* phrase = nullptr;
        QList<int> at; // where its words stand
        int end = 0;   // after its last word
    };
    Found phraseFrom(const QStringList& words, int start, KitchenMeasures measures) const;
    bool isEmpty() const { return m_phrases.isEmpty(); }

private:
    void add(QStringView cook, const QString& meant, const QString& country);
    // The country's row for the cook's words joined with blanks, else the general one.
    const Phrase* find(const QString& cook, KitchenMeasures measures) const;

    // By the cook's match words joined with blanks; a country's row after its measures word and
    // a tab.
    QHash<QString, Phrase> m_phrases;
    QHash<QString, QList<QStringList>> m_byLastWord; // the cook's words of rows of two and more
    int m_longest = 0;
};

struct FoodMatch {
    int index = -1; // in the ingredient table
    // How well the food fits the words: about 1 for a food that has them all and little else,
    // down to 0 for none; from 2 up for the food a cook's name points to, and more for the one the
    // user chose before.
    double score = 0;
};

// The stored foods ranked for a cook's food words. The names are indexed once, when the matcher
// is made (a matcher is made again after the table changes): looking up a line visits only the
// foods that share a word with it.
class FoodMatcher {
public:
    // The starter's names are read with the forms they leave out.
    explicit FoodMatcher(const IngTable& ingredients, CooksNames names = {},
                         const FoodChoices* choices = nullptr, const FormsLeftOut& forms = {});
    // The same from the table's trimmed names taken beforehand: made so, the matcher reads
    // nothing of the table while it indexes, and can be made on a thread of its own.
    FoodMatcher(const IngTable& ingredients, const QStringList& foodNames, CooksNames names,
                const FoodChoices* choices);

    // The best foods, best first; fewer when fewer share a word with the food's words. Equal
    // scores keep the table's order. Hints are words the line implies without saying them in the
    // food's words ("canned" for a line counting cans).
    // The cooks' names are those of the country whose measures the line is written in.
    // A matcher is used by one thread at a time: it keeps what it found for the words it was given.
    QList<FoodMatch> bestFoods(const QString& food, int count = 5, const QStringList& hints = {},
                               KitchenMeasures measures = KitchenMeasures::US) const;

    int foodCount() const { return static_cast<int>(m_extra.size()); }

private:
    struct Posting {
        int food;
        float penalty; // what the word costs the food's score when the cook did not say it
        bool inHead;   // in the part of the name that says what the food is ("Wheat flour")
        bool brand;    // written in capitals: a brand's or a product's name ("CHEERIOS")
        bool group;    // in the name's first part: "Cereals ready-to-eat"
    };
    struct Query {
        QStringList required;
        QStringList optional; // words that describe rather than name ("chopped", "fresh")
        QStringList without;  // what the cook says the food lacks: "skin" of "skinless"
        QString head;         // the word naming what the food is: "vinegar" in "rice vinegar"
        QString name;         // the food a cook's name points to
        QStringList named;    // the cook's words that point to it
        QString cookedWay;    // the cook's own word of how the food was cooked: "grilled"
        bool lacking = false; // a cook's name of a food the database lacks
    };
    class Ranking; // one line's ranking of the foods, phase by phase
    // The best foods, the remembered one (an index of the table; none: -1) first.
    QList<FoodMatch> rankFoods(const QString& food, int count, const QStringList& hints,
                               KitchenMeasures measures, int remembered) const;
    // The food's words as the names would write them: without what says how the food was raised or
    // sold, food cooked by steam as cooked, two words the names write as one joined.
    QStringList wordsAsNamed(const QString& food, KitchenMeasures measures) const;
    Query queryFor(const QString& food, const QStringList& hints, KitchenMeasures measures) const;
    // A cook's name found at start that a longer-reaching one starting after it overlaps.
    bool overtaken(const CooksNames::Found& found, const QStringList& words, int start,
                   KitchenMeasures measures) const;
    // The foods whose names have all the words, in the table's order.
    std::vector<int> foodsWithAll(const QStringList& words) const;
    // The cooked form of a raw food, where the names have one: the one cooked the way said
    // (grilled as broiled, poached as stewed), else roasted, else stewed, else the one only called
    // cooked; of a dry staple, the one cooked in water; of a trimmed cut kept only raw, its
    // untrimmed kin's; the food itself otherwise.
    int cookedForm(int food, const QString& way = {}) const;
    // Of a cut a later table keeps only raw and sold trimmed ("skinless, boneless"), the raw cut
    // of the older tables whose cooked forms stand for it: the one with its other words and the
    // fewest besides; -1 for any other food.
    int untrimmedKin(int food) const;
    // Whether the food's name, read with the forms it leaves out, has the word.
    bool hasWord(int food, const QString& stem) const;
    // Whether the other words of the line fit the food a cook's name points to: not when the cook
    // said a word that names another food or another form of it ("frozen strawberries").
    bool otherWordsFit(const Query& query, int named, const QStringList& nameStems,
                       const QStringList& headWords, const QStringList& hinted) const;

    const IngTable& m_ingredients;
    CooksNames m_names;
    const FoodChoices* m_choices;
    QHash<QString, std::vector<Posting>> m_postings;
    std::vector<float> m_extra;      // the penalties of all of a food's words
    std::vector<bool> m_grouped;     // the name's first part is a group: "Spices, cinnamon"
    std::vector<bool> m_branded;     // the name has a brand, written in capitals
    std::vector<float> m_brandExtra; // the penalties of its brand's and its kind of product's words
    std::vector<QString> m_partAlone; // the part it is alone, as matched: "skin", "peel"
    // What the best foods were found for: the words, hints, count, measures and remembered food.
    struct Asked {
        QString food;
        QStringList hints;
        int count;
        KitchenMeasures measures;
        int remembered;
        bool operator==(const Asked&) const = default;
        friend size_t qHash(const Asked& asked, size_t seed)
        {
            return qHashMulti(seed, asked.food, asked.hints, asked.count,
                              static_cast<int>(asked.measures), asked.remembered);
        }
    };
    // The best foods found for the lines matched lately: a long paste names the same foods again
    // and again with other amounts and notes, and ranking is the cost of a line. Emptied when full.
    mutable QHash<Asked, QList<FoodMatch>> m_found;
};

} // namespace zestora::paste
