#include "core/paste/measurewords.h"

#include "core/paste/foodmatcher.h"
#include "core/paste/unitwords.h"
#include "core/usda/usdafoods.h"
#include "core/usda/usdameasures.h"

#include <QHash>

namespace zestora::paste {

namespace {

// Words of one kind: a cook's "grated" cheese is USDA's "shredded", a "diced" onion its
// "chopped" one.
QString kindOf(const QString& word)
{
    static const QHash<QString, QString> kinds{
        {QStringLiteral("diced"), QStringLiteral("chopped")},
        {QStringLiteral("minced"), QStringLiteral("chopped")},
        {QStringLiteral("cubed"), QStringLiteral("chopped")},
        {QStringLiteral("cube"), QStringLiteral("chopped")},
        {QStringLiteral("grated"), QStringLiteral("shredded")},
        {QStringLiteral("slice"), QStringLiteral("sliced")},
        // Words reach here stemmed: "halves" is already "half".
        {QStringLiteral("halve"), QStringLiteral("half")},
        {QStringLiteral("halved"), QStringLiteral("half")},
        {QStringLiteral("liquid"), QStringLiteral("fluid")},
        {QStringLiteral("roma"), QStringLiteral("plum")},
        // Guacamole is the avocado mashed: its cup is the pureed one.
        {QStringLiteral("guacamole"), QStringLiteral("pureed")},
        // Corkscrew pasta is USDA's "spiral shaped" cup, lighter than its elbows.
        {QStringLiteral("rotini"), QStringLiteral("spiral")},
        {QStringLiteral("fusilli"), QStringLiteral("spiral")},
        {QStringLiteral("corkscrew"), QStringLiteral("spiral")},
        // A lettuce's large leaves are its outer ones.
        {QStringLiteral("large"), QStringLiteral("outer")},
        // Littlenecks are the smallest clams sold.
        {QStringLiteral("littleneck"), QStringLiteral("small")},
        // Peppercorns are the whole pepper, not the ground one.
        {QStringLiteral("peppercorn"), QStringLiteral("whole")},
        // Milled seed and seed meal are the ground seed.
        {QStringLiteral("milled"), QStringLiteral("ground")},
        {QStringLiteral("meal"), QStringLiteral("ground")},
        // Frozen fruit goes into the cup straight from the bag, before it thaws.
        {QStringLiteral("frozen"), QStringLiteral("unthawed")},
    };
    return kinds.value(word, word);
}

// Forms a food is brought to that change what a cup of it weighs: the cook says them.
bool changedForm(const QString& word)
{
    static const QSet<QString> words{QStringLiteral("whipped"),  QStringLiteral("melted"),
                                     QStringLiteral("mashed"),   QStringLiteral("pureed"),
                                     QStringLiteral("crushed"),  QStringLiteral("sifted"),
                                     QStringLiteral("crumbled"), QStringLiteral("cooked")};
    return words.contains(word);
}

// Ways a cook cuts a food, each of its own kind (see kindOf).
bool isCut(const QString& kind)
{
    static const QSet<QString> kinds{QStringLiteral("chopped"), QStringLiteral("sliced"),
                                     QStringLiteral("shredded"), QStringLiteral("half")};
    return kinds.contains(kind);
}

QSet<QString> kindsOf(const QSet<QString>& words)
{
    QSet<QString> kinds;
    for (const QString& word : words)
        kinds.insert(kindOf(word));
    return kinds;
}

// A measure's words outside its brackets: "cup, fluid (yields 2 cups whipped)" is a fluid cup.
QStringList outerWords(const QString& measure)
{
    return matchWords(measure.section(u'(', 0, 0));
}

// How the pieces of a measure are cut where only its brackets say it: "cup shelled (50 halves)"
// is a cup of halves.
QStringList bracketedCuts(const QString& measure)
{
    QStringList cuts;
    for (const QString& word : matchWords(measure.section(u'(', 1)))
        if (isCut(kindOf(word)))
            cuts.append(word);
    return cuts;
}

bool isPiece(const QString& measure)
{
    const QString first = outerWords(measure).value(0);
    return usda::standardUnit(measure).unit.isEmpty() && !isPackage(first) &&
           first != QLatin1String("serving") && first != QLatin1String("nlea");
}

// The sizes of a piece sold small or large, as the words of a line are matched.
const QStringList& pieceSizeWords()
{
    static const QStringList words = matchWords(usda::pieceSizeWords().join(u' '));
    return words;
}

} // namespace

int measureFit(const QString& measure, const QSet<QString>& lineWords)
{
    const QSet<QString> said = kindsOf(lineWords);
    const QStringList words = outerWords(measure);
    int fit = 0;
    for (const QString& word : words + bracketedCuts(measure)) {
        // How the cook cut the food tells its cup more than a word naming the food does: a cup
        // of chopped tomatoes is the chopped cup, not "cup cherry tomatoes".
        const int cutBonus = isCut(kindOf(word)) ? 3 : 0;
        if (lineWords.contains(word))
            fit += fitOfAWordSaid + cutBonus;
        else if (said.contains(kindOf(word)))
            fit += 8 + cutBonus;
        else if (changedForm(word))
            fit -= 4;
    }
    if (words.size() == 1 || words.contains(QLatin1String("fluid")))
        fit += 2;
    return fit;
}

const HouseholdWeights::Measure* sizedPiece(const QList<HouseholdWeights::Measure>& measures,
                                            const QString& size, const QString& foodName)
{
    const QStringList sizeWords = matchWords(size);
    const QStringList food = matchWords(foodName);
    static const QSet<QString> pieceWords{QStringLiteral("whole"), QStringLiteral("head"),
                                          QStringLiteral("fruit"), QStringLiteral("bulb"),
                                          QStringLiteral("each")};
    for (const HouseholdWeights::Measure& measure : measures) {
        if (!isPiece(measure.unit))
            continue;
        const QStringList words = outerWords(measure.unit);
        const qsizetype at = words.indexOf(sizeWords.back());
        // "large" is not the "extra large" one.
        const qsizetype from = at - (sizeWords.size() - 1);
        if (at < 0 || from < 0 || words.mid(from, sizeWords.size()) != sizeWords ||
            (sizeWords.size() == 1 && from > 0 && words[from - 1] == QLatin1String("extra")))
            continue;
        const bool itself = std::all_of(words.cbegin(), words.cend(), [&](const QString& word) {
            return sizeWords.contains(word) || food.contains(word) || pieceWords.contains(word);
        });
        if (itself)
            return &measure;
    }
    return nullptr;
}

bool namesPieceSize(const QString& measureUnit, const QStringList& lineFoodWords)
{
    const QStringList& sizes = pieceSizeWords();
    const QStringList words = outerWords(measureUnit);
    return std::any_of(words.cbegin(), words.cend(), [&](const QString& word) {
        return sizes.contains(word) && lineFoodWords.contains(word);
    });
}

const HouseholdWeights::Measure* namedPiece(const QList<HouseholdWeights::Measure>& measures,
                                            const QStringList& lineFoodWords,
                                            const QString& foodName)
{
    const QStringList food = matchWords(foodName);
    // Of a kind kept in sizes ("bar, miniature" and "bar (1.55 oz)" of milk chocolate), the size
    // the line names, else the plain one, else the first.
    const QStringList& sizes = pieceSizeWords();
    const HouseholdWeights::Measure* named = nullptr;
    int namedFit = -1;
    for (const HouseholdWeights::Measure& measure : measures) {
        if (!isPiece(measure.unit))
            continue;
        // The kind comes first in the measure: "plum tomato", "cherry".
        const QStringList words = outerWords(measure.unit);
        const QString kind = words.value(0);
        const bool sizeSaid = namesPieceSize(measure.unit, lineFoodWords);
        const bool kindSaid =
            std::any_of(lineFoodWords.cbegin(), lineFoodWords.cend(),
                        [&](const QString& said) { return kindOf(said) == kind; });
        if (!sizeSaid && (food.contains(kind) || !kindSaid))
            continue;
        const bool sized = std::any_of(words.cbegin(), words.cend(),
                                       [&](const QString& word) { return sizes.contains(word); });
        const int fit = sizeSaid ? 2 : sized ? 0 : 1;
        if (fit > namedFit) {
            named = &measure;
            namedFit = fit;
        }
    }
    return named;
}

const HouseholdWeights::Measure* plainPiece(const QList<HouseholdWeights::Measure>& measures,
                                            const QString& own, const QStringList& lineFoodWords)
{
    static const QSet<QString> sizes{QStringLiteral("small"), QStringLiteral("large"),
                                     QStringLiteral("extra"), QStringLiteral("jumbo")};
    // Rolls baked long for a sandwich or a sausage, which a cook names as such.
    static const QStringList shaped = matchWords(u"submarine hoagie hamburger frankfurter hot dog");
    const auto sized = [&](const QString& unit) {
        const QStringList words = outerWords(unit);
        return std::any_of(words.cbegin(), words.cend(),
                           [&](const QString& word) { return sizes.contains(word); });
    };
    const auto unsaidShape = [&](const QString& unit) {
        const QStringList words = matchWords(unit);
        return std::any_of(words.cbegin(), words.cend(), [&](const QString& word) {
            return shaped.contains(word) && !lineFoodWords.contains(word);
        });
    };
    const QString kind = outerWords(own).value(0);
    if (!sized(own) && !unsaidShape(own))
        return nullptr;
    // A piece kept under its size alone ("large (approx 3-1/2\" dia)" of gingersnaps) is of the
    // same kind as any plain piece the food keeps ("cookie").
    const QStringList ownWords = outerWords(own);
    const bool sizeAlone = std::all_of(ownWords.cbegin(), ownWords.cend(),
                                       [&](const QString& word) { return sizes.contains(word); });
    // A sized piece of another make ("large waffle cone" of cake cones) counts the piece its last
    // word names, which the food also keeps plain ("cone").
    const QString counted = ownWords.value(ownWords.size() - 1);
    const auto plain = std::find_if(measures.cbegin(), measures.cend(), [&](const auto& measure) {
        const QString first = outerWords(measure.unit).value(0);
        return isPiece(measure.unit) && (sizeAlone || first == kind || first == counted) &&
               !sized(measure.unit) && !unsaidShape(measure.unit);
    });
    return plain == measures.cend() ? nullptr : &*plain;
}

} // namespace zestora::paste
