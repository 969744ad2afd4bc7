#include "core/usda/usdameasures.h"

#include "core/store/ingrecord.h"
#include "core/usda/usdafoods.h"

#include <QHash>
#include <QRegularExpression>
#include <QSet>

#include <algorithm>
#include <vector>

namespace zestora::usda {

namespace {

// What a USDA household measure counts.
enum class Kind { Volume, Weight, Piece, Package };

// A household measure and what it says about the food it belongs to.
struct Measure {
    const HouseholdMeasure* usda = nullptr;
    Kind kind = Kind::Piece;
    QString firstWord;         // lower case
    bool typicalPiece = false; // USDA's typical whole piece: a fruit, a clove
    bool foodItself = false;
    int size = -1;  // 0 extra small, 1 small, 2 medium, 3 large, 4 extra large, 5 jumbo
    QString sizeOf; // what is sized ("stalk"); empty for the food itself
};

// The words of a text in lower case, without what is in brackets.
QStringList lowerWords(const QString& text)
{
    static const QRegularExpression notLetters(QStringLiteral("[^a-z]+"));
    return text.section(u'(', 0, 0).toLower().split(notLetters, Qt::SkipEmptyParts);
}

// "avocado" names the food "Avocados, raw"; "potato" names "Potatoes, raw".
bool namesFood(const QString& word, const QString& foodWord)
{
    return !word.isEmpty() &&
           (foodWord == word || foodWord == word + u's' || foodWord == word + QStringLiteral("es"));
}

Measure describe(const HouseholdMeasure& usda, const QString& foodWord)
{
    // Measures a recipe does not count by: servings, packages and the like.
    static const QSet<QString> packages{
        QStringLiteral("serving"), QStringLiteral("nlea"),       QStringLiteral("package"),
        QStringLiteral("packet"),  QStringLiteral("container"),  QStringLiteral("jar"),
        QStringLiteral("can"),     QStringLiteral("bottle"),     QStringLiteral("bag"),
        QStringLiteral("box"),     QStringLiteral("envelope"),   QStringLiteral("carton"),
        QStringLiteral("unit"),    QStringLiteral("portion"),    QStringLiteral("recipe"),
        QStringLiteral("order"),   QStringLiteral("individual"), QStringLiteral("cubic"),
        QStringLiteral("pouch"),   QStringLiteral("wrapper"),    QStringLiteral("bowl"),
        QStringLiteral("meal")};
    static const QHash<QString, int> sizes{{QStringLiteral("small"), 1},
                                           {QStringLiteral("medium"), 2},
                                           {QStringLiteral("large"), 3},
                                           {QStringLiteral("jumbo"), 5}};
    Measure measure;
    measure.usda = &usda;
    const QStringList words = lowerWords(usda.unit);
    measure.firstWord = words.value(0);
    if (const UnitMatch standard = standardUnit(usda.unit); !standard.unit.isEmpty()) {
        measure.kind = volumeWeight(standard.unit, QString()) == 1 ? Kind::Volume : Kind::Weight;
        return measure;
    }
    // "medium cup 21 fl oz size cup" is a serving of a drink, not a medium one.
    const auto isPackage = [](const QString& word) {
        return packages.contains(word) || word == QStringLiteral("cup") ||
               word == QStringLiteral("fl");
    };
    if (std::any_of(words.begin(), words.end(), isPackage)) {
        measure.kind = Kind::Package;
        return measure;
    }
    measure.kind = Kind::Piece;
    // A cook counts single pieces: not ten raspberries, six oysters or half a turkey.
    if (usda.amount != 1)
        return measure;
    measure.typicalPiece = measure.firstWord == QStringLiteral("fruit") ||
                           measure.firstWord == QStringLiteral("clove");
    // A piece lighter than 10 g (a cherry, a peanut) goes by the spoon or the cup instead; a
    // clove of garlic is the one such piece cooks count.
    if (usda.grams < 10)
        return measure;
    measure.foodItself = namesFood(measure.firstWord, foodWord);
    for (qsizetype i = 0; i < words.size(); ++i) {
        if (!sizes.contains(words[i]))
            continue;
        QStringList sized = words.mid(0, i);
        measure.size = sizes.value(words[i]);
        if (!sized.isEmpty() && sized.back() == QStringLiteral("extra")) {
            measure.size = measure.size == 1 ? 0 : 4;
            sized.removeLast();
        }
        measure.sizeOf = sized.join(u' ');
        if (namesFood(measure.sizeOf, foodWord))
            measure.sizeOf.clear();
        return measure;
    }
    return measure;
}

// The middle size of the first piece USDA gives in sizes, the larger of two middles: a large
// egg of small to jumbo, a medium apple of extra small to large. A size of the food itself
// counts alone; one of a part (a slice, a leaf) only where USDA gives several.
const Measure* middleSize(const QList<Measure>& list)
{
    QStringList sizedThings;
    for (const Measure& measure : list)
        if (measure.size >= 0 && !sizedThings.contains(measure.sizeOf))
            sizedThings.append(measure.sizeOf);
    for (const QString& thing : sizedThings) {
        std::vector<const Measure*> sizes;
        for (const Measure& measure : list)
            if (measure.size >= 0 && measure.sizeOf == thing)
                sizes.push_back(&measure);
        if (!thing.isEmpty() && sizes.size() < 2)
            continue;
        std::stable_sort(sizes.begin(), sizes.end(),
                         [](const Measure* a, const Measure* b) { return a->size < b->size; });
        return sizes[sizes.size() / 2];
    }
    return nullptr;
}

const Measure* chooseAmong(const QList<Measure>& list)
{
    const auto first = [&list](const auto& wanted) -> const Measure* {
        const auto found = std::find_if(list.begin(), list.end(), wanted);
        return found != list.end() ? &*found : nullptr;
    };
    if (const Measure* typical = first([](const Measure& m) { return m.typicalPiece; }))
        return typical;
    if (const Measure* sized = middleSize(list))
        return sized;
    // Bread and the like: where USDA counts a food mostly in slices, so does the cook.
    const auto isSlice = [](const Measure& m) {
        return m.firstWord.startsWith(u"slice");
    };
    const auto isVolume = [](const Measure& m) {
        return m.kind == Kind::Volume;
    };
    if (std::count_if(list.begin(), list.end(), isSlice) >
        std::count_if(list.begin(), list.end(), isVolume))
        return first(isSlice);
    if (const Measure* itself = first([](const Measure& m) { return m.foodItself; }))
        return itself;
    // A volume offers every volume and weight unit, so it comes first.
    for (const Kind kind : {Kind::Volume, Kind::Weight, Kind::Piece, Kind::Package})
        if (const Measure* measure = first([kind](const Measure& m) { return m.kind == kind; }))
            return measure;
    return nullptr;
}

} // namespace

const QStringList& pieceSizeWords()
{
    static const QStringList words{QStringLiteral("fun"),  QStringLiteral("snack"),
                                   QStringLiteral("bite"), QStringLiteral("miniature"),
                                   QStringLiteral("mini"), QStringLiteral("king")};
    return words;
}

const HouseholdMeasure* cooksMeasure(const QList<HouseholdMeasure>& measures,
                                     const QString& description)
{
    // A candy bar counted is the bar as sold, not its fun-size, bite-size or king-size one nor a
    // spoonful of its bits: "serving 2.1 oz bar", "bar (2 oz)".
    const QStringList& barSizes = pieceSizeWords();
    // Where USDA names no such bar, the package of one bar is it ("package 1.76 oz").
    if (lowerWords(description).contains(QStringLiteral("bar")))
        for (const QString& piece : {QStringLiteral("bar"), QStringLiteral("package")})
            for (const HouseholdMeasure& measure : measures) {
                const QStringList words = lowerWords(measure.unit);
                if (measure.amount == 1 && words.contains(piece) &&
                    std::none_of(barSizes.begin(), barSizes.end(),
                                 [&](const QString& size) { return words.contains(size); }))
                    return &measure;
            }
    const QString foodWord = lowerWords(description).value(0);
    QList<Measure> described;
    for (const HouseholdMeasure& measure : measures)
        described.append(describe(measure, foodWord));
    // A piece "yield from 1 lb ready-to-cook chicken" is what a small bird gives, lighter than
    // the piece a cook buys, which USDA weighs beside it: that one comes first.
    static const QRegularExpression birdsYield(QStringLiteral("yield from .* ready.to.cook"));
    std::stable_partition(described.begin(), described.end(), [](const Measure& measure) {
        return !birdsYield.match(measure.usda->unit).hasMatch();
    });
    const Measure* chosen = chooseAmong(described);
    return chosen ? chosen->usda : nullptr;
}

} // namespace zestora::usda
