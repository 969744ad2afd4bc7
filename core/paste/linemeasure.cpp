#include "core/paste/linemeasure.h"

#include "core/analysis/nutrition.h"
#include "core/analysis/quantity.h"
#include "core/analysis/recipelines.h"
#include "core/numbers.h"
#include "core/paste/foodmatcher.h"
#include "core/paste/householdweights.h"
#include "core/paste/inchsize.h"
#include "core/paste/kitchenmeasures.h"
#include "core/paste/measurewords.h"
#include "core/paste/unitwords.h"
#include "core/usda/usdafoods.h"

#include <QHash>
#include <QRegularExpression>
#include <QSet>

#include <algorithm>
#include <cmath>
#include <limits>

namespace zestora::paste {

namespace {

constexpr int largestWhole = 1000; // the whole-part spinner's top

const QStringList& volumeUnits()
{
    static const QStringList units{QStringLiteral("ml"),   QStringLiteral("tsp"),
                                   QStringLiteral("tbs"),  QStringLiteral("cup"),
                                   QStringLiteral("pint"), QStringLiteral("quart")};
    return units;
}

const QStringList& weightUnits()
{
    static const QStringList units{QStringLiteral("oz"), QStringLiteral("g"), QStringLiteral("lb")};
    return units;
}

// A weight past the whole-part spinner's top, in whole grams: a 2 kg joint is 2000 g, which a
// recipe line holds though the spinner does not, rather than 70 1/2 oz.
std::optional<quantity::Entry> wholeGrams(double grams)
{
    constexpr double heaviest = 100000; // more than any pot holds
    if (grams > heaviest)
        return std::nullopt;
    return quantity::Entry{static_cast<int>(std::lround(grams)), 0, false};
}

// Whether an amount the spinners give is the one meant, within a tenth. A pinch, a sixteenth of
// a teaspoon, is finer than their smallest amounts (an eighth, a tenth): kept as a tenth of a
// teaspoon it would count 60 % more salt than the cook adds, so it goes into a finer unit.
bool spinnersHold(double given, double meant)
{
    return std::abs(given - meant) <= 0.1 * meant;
}

// Millilitres in one of a volume unit, grams in one of a weight unit, by the program's own
// conversion table; the units the screen does not offer are counted in the ones it does.
double baseAmount(const QString& unit)
{
    const QString ml = QStringLiteral("ml");
    if (unit == QLatin1String("fl oz"))
        return 2.0 * nutrition::conversionFactor(QStringLiteral("tbs"), ml);
    if (unit == QLatin1String("gallon"))
        return 4.0 * nutrition::conversionFactor(QStringLiteral("quart"), ml);
    if (unit == QLatin1String("l") || unit == QLatin1String("kg"))
        return 1000;
    const float volume = nutrition::conversionFactor(unit, ml);
    return volume > 0 ? volume : nutrition::conversionFactor(unit, QStringLiteral("g"));
}

// An amount of one unit as the best of the target units: the nearest quantity the spinners give,
// among those that come to at least one of the unit; of equally near ones the larger unit.
std::optional<std::pair<quantity::Entry, QString>>
bestFit(double amount, const QString& from, const QStringList& targets, bool preferDecimal)
{
    struct Fit {
        quantity::Entry quantity;
        QString unit;
        double error;
        double size;
        bool belowOne;
    };
    std::optional<Fit> best;
    for (const QString& target : targets) {
        const double size = baseAmount(target);
        if (size <= 0)
            continue;
        const double converted = amount * baseAmount(from) / size;
        const std::optional<quantity::Entry> quantity = spinnerQuantity(converted, preferDecimal);
        if (!quantity)
            continue;
        const Fit fit{*quantity, target, std::abs(quantity->amount() - converted) / converted, size,
                      converted < 1};
        const auto better = [](const Fit& a, const Fit& b) {
            if (a.belowOne != b.belowOne)
                return !a.belowOne;
            if (std::abs(a.error - b.error) > 1e-6)
                return a.error < b.error;
            return a.size > b.size;
        };
        if (!best || better(fit, *best))
            best = fit;
    }
    if (!best)
        return std::nullopt;
    return std::pair{best->quantity, best->unit};
}

QString naturalUnit(const QString& unit)
{
    static const QHash<QString, QString> natural{
        {QStringLiteral("l"), QStringLiteral("ml")},
        {QStringLiteral("kg"), QStringLiteral("g")},
        {QStringLiteral("fl oz"), QStringLiteral("tbs")},
        {QStringLiteral("gallon"), QStringLiteral("quart")}};
    return natural.value(unit);
}

QStringList offered(const QStringList& list, const QStringList& units)
{
    QStringList found;
    for (const QString& unit : units)
        if (list.contains(unit, Qt::CaseInsensitive))
            found.append(unit);
    return found;
}

// A packet, an envelope and a box (of cake or pudding mix) are a package.
QString packageAsOne(const QString& word)
{
    return word == QLatin1String("packet") || word == QLatin1String("pkg") ||
                   word == QLatin1String("envelope") || word == QLatin1String("box")
               ? QStringLiteral("package")
               : word;
}

// The first word of a measure, stemmed: "medium (2-1/2" dia)" is "medium", "cloves" "clove".
QString measureWord(const QString& measure)
{
    return packageAsOne(matchWords(measure).value(0));
}

// Whether the food's own measure counts what the unit counts: "medium (2-1/2" dia)" and "potato
// medium" are both a medium one.
bool ownMeasureCounts(const QString& own, const QString& unit)
{
    const QStringList words = matchWords(own.section(u'(', 0, 0)).mid(0, 2);
    return std::any_of(words.cbegin(), words.cend(), [&](const QString& word) {
        return packageAsOne(word) == measureWord(unit);
    });
}

// Whether a measure is of pieces cut from the food its first word names: "10 watermelon balls",
// never the food counted whole.
bool cutFromTheFood(const QString& measureUnit)
{
    static const QSet<QString> cutPieces = {QStringLiteral("ball"), QStringLiteral("wedge"),
                                            QStringLiteral("slice"), QStringLiteral("cube"),
                                            QStringLiteral("chunk")};
    const QStringList words = matchWords(measureUnit);
    return words.size() > 1 && cutPieces.contains(words.at(1));
}

// A household measure that is one piece of the food, for a count without a unit ("2 carrots"):
// the middle size first, else one of the food itself ("sweetpotato, 5" long" of "Sweet potato"),
// the regular one where USDA sets it beside the miniature (marshmallows), a sausage's link
// ("6 knockwurst"). A piece cut as a share of the whole ("piece (1/8 of 9" dia)" of a pie) is
// not one of the food counted: "6 mince pies" are six small pies, not six slices of a big one.
const HouseholdWeights::Measure* pieceMeasure(const QList<HouseholdWeights::Measure>& measures,
                                              const QString& foodName)
{
    static const QStringList pieces{QStringLiteral("medium"),  QStringLiteral("large"),
                                    QStringLiteral("small"),   QStringLiteral("whole"),
                                    QStringLiteral("fruit"),   QStringLiteral("each"),
                                    QStringLiteral("item"),    QStringLiteral("piece"),
                                    QStringLiteral("regular"), QStringLiteral("link")};
    static const QRegularExpression shareOfWhole(QStringLiteral("\\b1/\\d+\\s+of\\b"));
    for (const QString& piece : pieces)
        for (const HouseholdWeights::Measure& measure : measures)
            if (measureWord(measure.unit) == piece && !shareOfWhole.match(measure.unit).hasMatch())
                return &measure;
    // The "melon" of a watermelon is the watermelon itself, the last part of the food's one word.
    const QStringList head = matchWords(foodName.section(u',', 0, 0));
    for (const HouseholdWeights::Measure& measure : measures) {
        const QString word = measureWord(measure.unit);
        const bool endOfOneWord =
            head.size() == 1 && word.size() > 3 && head.front().endsWith(word);
        if (!cutFromTheFood(measure.unit) &&
            (head.contains(word) || head.join(QString()) == word || endOfOneWord))
            return &measure;
    }
    return nullptr;
}

// The share of the food's own measure a cook's one piece is: half of USDA's breast.
double cooksPieceShare(const IngRecord& food, const QString& own)
{
    return food.amount1 > 0 ? food.amount1 / HouseholdWeights::cooksPieces(food.amount1, own) : 1;
}

// How many pieces of the usual size one of a size is, where USDA weighs only the usual piece:
// its small and large onions, apples, carrots and bananas weigh about three quarters and some
// four thirds of the medium one.
double sizeShare(const QString& size)
{
    static const QHash<QString, double> shares{{QStringLiteral("small"), 0.75},
                                               {QStringLiteral("large"), 1.3},
                                               {QStringLiteral("extra large"), 1.5},
                                               {QStringLiteral("jumbo"), 1.7}};
    return shares.value(size, 1);
}

// How many of the usual slices one cut thick is.
constexpr double thickSliceShare = 1.5;

// The food is cut in thick slices: "thick-cut bacon", "thickly sliced ham", and the food of "2
// thick slices white bread", which reads the slices' word with it.
bool cutThick(const QString& food)
{
    static const QRegularExpression thick(
        QStringLiteral("\\bthick(?:ly)?(?:[\\s-]+(?:cut|sliced))?\\b"),
        QRegularExpression::CaseInsensitiveOption);
    return thick.match(food).hasMatch();
}

// So many of a unit, as a measure states it in its words: "2 tbsp", "1/2 cup".
std::optional<usda::UnitMatch> statedUnit(const QString& amount, const QString& unit)
{
    const std::optional<double> count = readQuantity(amount);
    if (!count || *count <= 0)
        return std::nullopt;
    usda::UnitMatch stated = usda::standardUnit(unit);
    stated.multiplier *= static_cast<float>(*count);
    return stated;
}

// A household measure as a volume: "cup, chopped" is a cup, and a serving that says its volume
// ("serving 2 TBSP" of a spread, "serving 1/2 cup" of a sauce) is that volume, as is a packet
// that gives it in brackets ("envelope (1 tbsp)" of gelatin, which "3 tsp gelatin" weighs by).
usda::UnitMatch householdVolume(const QString& measure)
{
    static const QRegularExpression serving(
        QStringLiteral("^serving\\s+(\\d+(?:[./]\\d+)?)\\s+(.+)$"),
        QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression bracketed(
        QStringLiteral("^[a-z][^()]*\\((\\d+(?:[./]\\d+)?)\\s+([^()]+)\\)$"),
        QRegularExpression::CaseInsensitiveOption);
    const usda::UnitMatch own = usda::standardUnit(measure);
    if (const QRegularExpressionMatch match = serving.match(measure.trimmed()); match.hasMatch())
        return statedUnit(match.captured(1), match.captured(2)).value_or(own);
    if (const QRegularExpressionMatch match = bracketed.match(measure.trimmed());
        match.hasMatch() && unitClass(own.unit) != UnitClass::Volume) {
        if (const auto stated = statedUnit(match.captured(1), match.captured(2));
            stated && unitClass(stated->unit) == UnitClass::Volume)
            return *stated;
    }
    return own;
}

struct VolumeFit {
    double gramsPerMl;
    int fit;   // how well its words fit the line's (measureFit)
    double ml; // what the measure holds
};

// What a sifted cup weighs of one dipped unsifted: cake flour 100 g against 137 g, as baking
// guides and USDA's older handbook weigh it.
constexpr double siftedShare = 0.73;

// The food's household volumes with what a millilitre of each weighs, in the form the line's
// words say: an unsifted cup of flour the line sifts is so much lighter.
QList<std::pair<const HouseholdWeights::Measure*, double>>
householdVolumes(const QList<HouseholdWeights::Measure>& measures,
                 const QSet<QString>& lineWords = {})
{
    const bool sifted = lineWords.contains(QStringLiteral("sifted"));
    QList<std::pair<const HouseholdWeights::Measure*, double>> volumes;
    for (const HouseholdWeights::Measure& measure : measures) {
        const usda::UnitMatch standard = householdVolume(measure.unit);
        if (unitClass(standard.unit) != UnitClass::Volume)
            continue;
        const bool airier = sifted && matchWords(measure.unit).contains(QStringLiteral("unsifted"));
        volumes.append({&measure, measure.gramsPerUnit * (airier ? siftedShare : 1) /
                                      (standard.multiplier * baseAmount(standard.unit))});
    }
    return volumes;
}

// The household volume that fits the line best: the unit the line names first, then its words.
std::optional<VolumeFit> bestVolume(const QList<HouseholdWeights::Measure>& measures,
                                    const QString& unit, const QSet<QString>& lineWords)
{
    std::optional<VolumeFit> best;
    int bestRank = std::numeric_limits<int>::min();
    for (const auto& [measure, perMl] : householdVolumes(measures, lineWords)) {
        const int fit = measureFit(measure->unit, lineWords);
        const usda::UnitMatch volume = householdVolume(measure->unit);
        const bool ofLineUnit = volume.unit == unit;
        const int rank = ofLineUnit * 1000 + fit;
        // Of measures that fit alike the largest, weighed with the least rounding: a cup of sour
        // cream (230 g) rather than its spoon (12 g, where a sixteenth of the cup is 14.4 g).
        const double ml = volume.multiplier * baseAmount(volume.unit);
        if (rank > bestRank || (rank == bestRank && ml > best->ml)) {
            bestRank = rank;
            best = VolumeFit{perMl, fit, ml};
        }
    }
    return best;
}

// Grams in one millilitre of the food by its household volumes, the unit the line names first.
std::optional<double> gramsPerMl(const QList<HouseholdWeights::Measure>& measures,
                                 const QString& unit, const QSet<QString>& lineWords)
{
    const std::optional<VolumeFit> best = bestVolume(measures, unit, lineWords);
    return best ? std::optional(best->gramsPerMl) : std::nullopt;
}

// The words of a text without what it says the food is sold free of: "gluten/wheat-free stock"
// and "gluten and dairy-free broth" are weighed as stock and broth, never as the gluten.
QStringList wordsWithoutWhatItIsFreeOf(const QString& text)
{
    static const QString allergen = QStringLiteral("(?:gluten|wheat|dairy|lactose|egg|nut|soy)");
    static const QRegularExpression freeOf(
        QStringLiteral("\\b(?:%1\\s*(?:/|,|\\band\\b|\\bor\\b)\\s*)*%1[\\s-]*free\\b")
            .arg(allergen),
        QRegularExpression::CaseInsensitiveOption);
    return matchWords(QString(text).remove(freeOf));
}

// The words of the line's food and notes, and the size of its pieces, which picks the head or
// bunch of that size where the food has one.
QSet<QString> wordsOf(const IngredientLine& line)
{
    QSet<QString> words;
    for (const QString& word : wordsWithoutWhatItIsFreeOf(line.food) + matchWords(line.size))
        words.insert(word);
    // Cream is measured before it is whipped: "1 cup heavy cream, whipped" is the fluid cup,
    // where "1 cup whipped cream" is a cup of it whipped.
    for (const QString& note : line.notes)
        for (const QString& word : matchWords(note))
            if (word != QLatin1String("whipped"))
                words.insert(word);
    return words;
}

// A slice of a bread USDA weighs only in chunks an inch thick or more (its French bread's, 1 3/4
// inches, cut from a wide loaf in three sizes) is a slice off a sliced loaf: about its smallest
// chunk, and half again that cut thick. "8 slices sourdough bread" are not eight 64 g chunks.
std::optional<double> sandwichSliceGrams(const IngredientLine& line, const QString& unit,
                                         double amount,
                                         const QList<HouseholdWeights::Measure>& measures)
{
    const QString slice = QStringLiteral("slice");
    if (measureWord(unit) != slice)
        return std::nullopt;
    const HouseholdWeights::Measure* smallest = nullptr;
    for (const HouseholdWeights::Measure& measure : measures) {
        if (measureWord(measure.unit) != slice)
            continue;
        if (inchesThick(measure.unit).value_or(0) < 1)
            return std::nullopt;
        if (!smallest || measure.gramsPerUnit < smallest->gramsPerUnit)
            smallest = &measure;
    }
    if (!smallest)
        return std::nullopt;
    return amount * smallest->gramsPerUnit * (cutThick(line.food) ? thickSliceShare : 1);
}

// The grams of the line's amount by the food's household measures, when they tell.
std::optional<double> householdGrams(const IngredientLine& line, const QString& unit, double amount,
                                     const QList<HouseholdWeights::Measure>& measures,
                                     const QString& foodName)
{
    const QSet<QString> lineWords = wordsOf(line);
    switch (unitClass(unit)) {
    case UnitClass::Weight:
        return amount * baseAmount(unit);
    case UnitClass::Volume:
        if (const auto perMl = gramsPerMl(measures, unit, lineWords))
            return amount * baseAmount(unit) * *perMl;
        return std::nullopt;
    case UnitClass::Count: {
        if (const HouseholdWeights::Measure* sized =
                isSize(unit) ? sizedPiece(measures, unit, foodName) : nullptr)
            return amount * sized->gramsPerUnit;
        const QString word = measureWord(unit);
        const HouseholdWeights::Measure* best = nullptr;
        int bestShared = std::numeric_limits<int>::min();
        for (const HouseholdWeights::Measure& measure : measures) {
            // Of a head's or a bunch's sizes, the medium one when the line says none.
            const int shared = measureFit(measure.unit, lineWords) * 2 +
                               matchWords(measure.unit).contains(QLatin1String("medium"));
            // A can "prepared" is condensed soup made up with water, twice what the can holds.
            const bool madeUp = matchWords(measure.unit).contains(QLatin1String("prepared")) &&
                                !lineWords.contains(QLatin1String("prepared"));
            if (measureWord(measure.unit) == word && shared > bestShared && !madeUp) {
                best = &measure;
                bestShared = shared;
            }
        }
        return best ? std::optional(amount * best->gramsPerUnit) : std::nullopt;
    }
    case UnitClass::None:
        // A piece the line's food words name: "1 fennel bulb".
        for (const QString& word : matchWords(line.food))
            for (const HouseholdWeights::Measure& measure : measures)
                if (measureWord(measure.unit) == word && unitClass(word) == UnitClass::Count &&
                    !cutFromTheFood(measure.unit))
                    return amount * measure.gramsPerUnit;
        if (const HouseholdWeights::Measure* piece = pieceMeasure(measures, foodName))
            return amount * piece->gramsPerUnit;
        return std::nullopt;
    }
    return std::nullopt;
}

LineMeasure converted(const std::optional<std::pair<quantity::Entry, QString>>& fit)
{
    if (!fit)
        return LineMeasure{MeasureStatus::ChooseMeasure, {}, {}};
    return LineMeasure{MeasureStatus::Converted, fit->first, fit->second};
}

// A cup of a food the line does not say is cut is a cup of it whole, where USDA weighs one:
// nuts, berries, mushrooms and pea pods are sold whole, so "1 cup hazelnuts, toasted" is the
// whole cup (135 g) and "2 cups snow peas" the whole pods (63 g a cup), not the chopped cup the
// food keeps. Cheese is grated into the cup, not packed in lumps: "1 cup sharp cheddar" is the
// shredded cup (113 g), not the diced one the food keeps (132 g), unless the line says it is
// cubed, crumbled or melted; a process cheese is sliced, cubed or spread, and keeps its own
// cup. A spoonful is of a ground spice ("1/8 tsp pepper"), so spoons keep the food's own.
QSet<QString> cupFormUnlessCut(QSet<QString> lineWords, const QString& unit,
                               const QString& foodName)
{
    if (unit == QLatin1String("tsp") || unit == QLatin1String("tbs"))
        return lineWords;
    static const QStringList cut = matchWords(
        u"chopped diced minced cubed cubes ground sliced slivered halves halved quartered "
        u"pieces chunks crushed meal shredded grated mashed pureed");
    static const QStringList changed = matchWords(u"crumbled melted");
    static const QString cheese = matchWords(u"cheese").value(0);
    static const QString process = matchWords(u"process").value(0);
    const auto said = [&](const QString& word) {
        return lineWords.contains(word);
    };
    const bool grated = matchWords(foodName.section(u',', 0, 0)).contains(cheese) &&
                        !matchWords(foodName).contains(process);
    if (std::none_of(cut.cbegin(), cut.cend(), said) &&
        (!grated || std::none_of(changed.cbegin(), changed.cend(), said)))
        lineWords.insert(matchWords(grated ? u"shredded" : u"whole").value(0));
    return lineWords;
}

// A cup of a mix the line does not say is spooned is poured from the box, as a cook fills it:
// "2 cups pancake mix" weighs by USDA's poured cup (130 g), not its third-of-a-cup label
// serving scaled up (156 g).
QSet<QString> pouredUnlessSpooned(QSet<QString> lineWords)
{
    static const QString spooned = matchWords(u"spooned").value(0);
    if (!lineWords.contains(spooned))
        lineWords.insert(matchWords(u"poured").value(0));
    return lineWords;
}

// The grams of a volume of the food where USDA weighs the form the line's words say otherwise
// than the food's own volume measure by more than a twentieth: "1 cup heavy cream" is the fluid
// cup (238 g), not the whipped one the food keeps (120 g); "1 cup grated cheddar" is shredded,
// "1 cup pecan halves" the halves (99 g), not the chopped cup (109 g).
std::optional<double> otherFormGrams(const IngredientLine& line, const IngRecord& food,
                                     const QString& unit, double amount,
                                     const QList<HouseholdWeights::Measure>& measures)
{
    const QString own = food.measure1.trimmed();
    if (unitClass(unit) != UnitClass::Volume || unitClass(own) != UnitClass::Volume ||
        food.measure2.trimmed().compare(QLatin1String("g"), Qt::CaseInsensitive) != 0 ||
        !(food.amount1 > 0) || !(food.amount2 > 0))
        return std::nullopt;
    const double ownPerMl = food.amount2 / (food.amount1 * baseAmount(own));
    const QSet<QString> lineWords =
        pouredUnlessSpooned(cupFormUnlessCut(wordsOf(line), unit, food.name));
    const std::optional<VolumeFit> best = bestVolume(measures, unit, lineWords);
    if (!best || std::abs(best->gramsPerMl / ownPerMl - 1) <= 0.05)
        return std::nullopt;
    // Only words that fit the line better than those of the measure the food keeps: a spoon
    // USDA weighs a little lighter than its cup is no other form. But a quarter of a larger
    // measure or more goes by that measure, weighed itself, rather than by many of the spoons the
    // food keeps, each rounded to the gram: "1 cup light sour cream" is its 230 g cup, not 16
    // spoons of 12 g.
    if (best->ml > food.amount1 * baseAmount(own) && amount * baseAmount(unit) >= best->ml / 4)
        return amount * baseAmount(unit) * best->gramsPerMl;
    for (const auto& [measure, perMl] : householdVolumes(measures, lineWords))
        if (std::abs(perMl / ownPerMl - 1) < 0.02 &&
            measureFit(measure->unit, lineWords) >= best->fit)
            return std::nullopt;
    return amount * baseAmount(unit) * best->gramsPerMl;
}

// The words of the line's food and its notes, which tell a drained can from a full one. A note
// of what the food was made from names another food: "4 cups chicken stock made from bouillon
// cubes" are weighed as stock, not as spoons of bouillon.
QStringList foodAndNoteWords(const IngredientLine& line)
{
    QStringList words = wordsWithoutWhatItIsFreeOf(line.food);
    for (const QString& note : line.notes)
        if (!saysWhatItIsMadeFrom(note))
            words += wordsWithoutWhatItIsFreeOf(note);
    return words;
}

// The word the typical weights keep metric cans and portions under.
QString metricWord()
{
    return QStringLiteral("metric");
}

// The words a typical weight is looked up by: the line's food and notes, the food's name, and
// "metric" in British and Australian measures, whose cans and portions are metric sizes, with
// the country's own word ("uk", "au") for the packs that differ between the two.
QStringList typicalWords(const IngredientLine& line, const QString& foodName)
{
    QStringList words = foodAndNoteWords(line) + matchWords(foodName);
    if (line.readIn != KitchenMeasures::US)
        words << metricWord() << measuresKey(line.readIn);
    return words;
}

// A piece as the country's shops sell it where it differs from the American one USDA weighs: a
// sheet of frozen puff pastry is a sixth of a kilogram pack in Australia, a British ready-rolled
// sheet the whole 320 g pack, against USDA's 245 g American sheet. Only a typical weight kept for
// the country the line is read in counts here.
std::optional<double> countryPieceGrams(const IngredientLine& line, const QString& unit,
                                        double amount, const QString& foodName,
                                        const HouseholdWeights& weights, QString* estimate)
{
    // "4 middle bacon rashers" count rashers as "4 rashers middle bacon" do.
    static const QString rasher = matchWords(u"rasher").value(0);
    const bool rashers = unit.isEmpty() && matchWords(line.food).contains(rasher);
    if (line.readIn == KitchenMeasures::US || (unitClass(unit) != UnitClass::Count && !rashers))
        return std::nullopt;
    const TypicalWeights::Weight* piece = weights.typical().weightOf(
        rashers ? QStringLiteral("slice") : measureWord(unit), typicalWords(line, foodName));
    const QString country = measuresKey(line.readIn);
    if (!piece || !piece->words.contains(country))
        return std::nullopt;
    // The estimate names the pastry, not the country word it is kept under.
    QStringList named = piece->food.split(u' ');
    named.removeAll(country);
    TypicalWeights::Weight shown = *piece;
    shown.food = named.join(u' ');
    *estimate = QStringLiteral("estimated: ") + shown.described();
    return amount * piece->grams;
}

// A slice the country's loaves are kept by when cut thick ("slice thick white bread uk", the
// slice of a British thick-sliced loaf) weighs as it is, not half again the country's usual one.
bool countryKeepsThickSlice(const IngredientLine& line, const QString& foodName,
                            const HouseholdWeights& weights)
{
    static const QString thick = matchWords(u"thick").value(0);
    if (line.readIn == KitchenMeasures::US)
        return false;
    const TypicalWeights::Weight* slice =
        weights.typical().weightOf(QStringLiteral("slice"), typicalWords(line, foodName));
    return slice && slice->words.contains(thick) && slice->words.contains(measuresKey(line.readIn));
}

// "2 baby bok choy" are two small heads as greengrocers sell them, not two of USDA's full heads
// (840 g each), and "6 baby potatoes" are not six medium ones; nor are "12 pearl onions" or
// "8 pickling onions", the small kinds sold by their own names. A food USDA keeps in such a form
// ("Carrots, baby, raw") weighs as its own. Only a count of the food, or of its heads, is so.
std::optional<double> babyPieceGrams(const IngredientLine& line, const QString& unit, double amount,
                                     const QString& foodName, const HouseholdWeights& weights,
                                     QString* estimate)
{
    static const QStringList smallKinds =
        matchWords(u"baby pearl pickling button cocktail silverskin");
    static const QSet<QString> pieces{QStringLiteral("head"), QStringLiteral("each"),
                                      QStringLiteral("whole"), QStringLiteral("piece"),
                                      QStringLiteral("small")};
    // New, salad and chat potatoes are small ones sold by those names, but "new" and "salad" say
    // other things of other foods (a salad onion is a spring onion, a New York steak no small
    // one): such a word counts only where a weight is kept under it.
    static const QStringList namedKinds = matchWords(u"new salad chat");
    const QStringList lineWords = matchWords(line.food);
    const QStringList foodWords = matchWords(foodName);
    const auto smallKind = [&](const QString& kind) {
        return lineWords.contains(kind) && !foodWords.contains(kind);
    };
    if (!unit.isEmpty() && !pieces.contains(measureWord(unit)))
        return std::nullopt;
    QString required;
    if (std::none_of(smallKinds.cbegin(), smallKinds.cend(), smallKind)) {
        const auto named = std::find_if(namedKinds.cbegin(), namedKinds.cend(), smallKind);
        if (named == namedKinds.cend())
            return std::nullopt;
        required = *named;
    }
    const TypicalWeights::Weight* piece =
        weights.typical().weightOf(QStringLiteral("baby"), typicalWords(line, foodName), required);
    if (!piece || piece->words.isEmpty())
        return std::nullopt;
    *estimate = QStringLiteral("estimated: ") + piece->described();
    return amount * piece->grams;
}

// A can as the shops sell it. One the line gives no size of is a metric tin in British and
// Australian measures, whatever USDA's American cans weigh; in American ones the typical can of
// the food where USDA's own can names no size (its 190 g "can" of tomatoes is on no shelf).
std::optional<double> canAsSoldGrams(const IngredientLine& line, double amount,
                                     const QString& foodName,
                                     const QList<HouseholdWeights::Measure>& measures,
                                     const HouseholdWeights& weights, QString* estimate)
{
    static const QRegularExpression digit(QStringLiteral("\\d"));
    const bool metric = line.readIn != KitchenMeasures::US;
    const bool usdaSized =
        std::any_of(measures.cbegin(), measures.cend(), [](const HouseholdWeights::Measure& m) {
            return measureWord(m.unit) == QLatin1String("can") && m.unit.contains(digit);
        });
    // A large or a small can is that size as the shops sell it: "1 large can tomatoes" is the
    // 28 oz one.
    if (!line.size.isEmpty()) {
        const TypicalWeights::Weight* sold = weights.typical().weightOf(
            line.size + QStringLiteral(" can"), typicalWords(line, foodName));
        if (!sold || sold->words.isEmpty())
            return std::nullopt;
        *estimate = QStringLiteral("estimated: ") + sold->described();
        return amount * sold->grams;
    }
    if (!metric && usdaSized)
        return std::nullopt;
    // A British or Australian tin is a metric one even where the American can of the food is
    // another size: "1 tin beans in tomato sauce" is the 400 g tin, not an 8 oz sauce can.
    const TypicalWeights::Weight* typical = weights.typical().weightOf(
        QStringLiteral("can"), typicalWords(line, foodName), metric ? metricWord() : QString());
    // An American can of the food itself: "drained" alone names no food.
    const QStringList food = matchWords(line.food);
    const bool namesTheFood =
        typical && std::any_of(typical->words.cbegin(), typical->words.cend(),
                               [&](const QString& word) { return food.contains(word); });
    if (!typical || (!metric && !namesTheFood))
        return std::nullopt;
    *estimate = QStringLiteral("estimated: ") + typical->described();
    return amount * typical->grams;
}

// A fillet of fish a cook counts is a portion as fishmongers cut them, where USDA weighs one
// taken off the whole fish (231 g of cod): the typical portion when it is the smaller. British
// and Australian shops sell fish in portions of a set size, so there a metric portion holds
// even where USDA's fillet of a small fish (92 g of whiting, for hake) is the lighter. So too a
// pork chop is one as butchers cut it, some 3/4 inch thick, where USDA weighs one over an inch
// (259 g with its bone); a line that cuts its chops that thick keeps USDA's.
std::optional<double> portionGrams(const IngredientLine& line, const QString& cut, double amount,
                                   const QString& foodName,
                                   const QList<HouseholdWeights::Measure>& measures,
                                   const HouseholdWeights& weights, QString* estimate)
{
    if (cut == QLatin1String("chop") && cutAnInchOrThicker(line.text))
        return std::nullopt;
    const TypicalWeights::Weight* portion =
        weights.typical().weightOf(cut, typicalWords(line, foodName));
    const auto usda =
        std::find_if(measures.cbegin(), measures.cend(), [&](const HouseholdWeights::Measure& m) {
            return measureWord(m.unit) == cut;
        });
    if (!portion || portion->words.isEmpty() || usda == measures.cend() ||
        (usda->gramsPerUnit <= portion->grams && !portion->words.contains(metricWord())))
        return std::nullopt;
    *estimate = QStringLiteral("estimated: ") + portion->described();
    return amount * portion->grams;
}

// Whether the words name a blend sold without salt: "salt-free Cajun seasoning", "no-salt
// seasoning", "seasoning without salt".
bool namesNoSalt(const QStringList& words)
{
    static const QString salt = matchWords(u"salt").value(0);
    static const QString free = matchWords(u"free").value(0);
    static const QStringList denials = matchWords(u"no without");
    for (qsizetype at = words.indexOf(salt); at >= 0; at = words.indexOf(salt, at + 1))
        if ((at + 1 < words.size() && words[at + 1] == free) ||
            (at > 0 && denials.contains(words[at - 1])))
            return true;
    return false;
}

// A spoon of a salt whose flakes or coarse grains lie looser than fine table salt's, or of a salt
// mixed with spices, holds less salt than USDA's spoon of table salt: the salt in a teaspoon of
// it as the makers' labels give it, where the line's own words name it ("kosher salt", "garlic
// salt", "Cajun seasoning"). So too a seasoning mix whose USDA spoon is plainly mis-entered
// weighs its teaspoon as the blend it is nearest ("taco seasoning" as chili powder).
std::optional<double> spoonGrams(const IngredientLine& line, const QString& unit, double amount,
                                 const QString& foodName, const HouseholdWeights& weights,
                                 QString* estimate)
{
    if (unitClass(unit) != UnitClass::Volume)
        return std::nullopt;
    // Only the line's own words tell one blend from another: the foods they are counted as are
    // shared ("fajita seasoning" is the taco mix, "garlic salt" table salt).
    const QStringList lineWords = foodAndNoteWords(line);
    // A blend sold without salt is counted as the spice it is made of, whose own spoon weighs it:
    // the salted blend's teaspoon would count salt it lacks.
    if (namesNoSalt(lineWords))
        return std::nullopt;
    const TypicalWeights::Weight* spoon =
        weights.typical().weightOf(QStringLiteral("teaspoon"), lineWords);
    if (!spoon || spoon->words.isEmpty())
        return std::nullopt;
    static const QString saltWord = matchWords(u"salt").value(0);
    const bool salt = matchWords(foodName).value(0) == saltWord;
    *estimate = (salt ? QStringLiteral("estimated: a teaspoon of %1 holds %2 g of salt")
                      : QStringLiteral("estimated: a teaspoon of %1 weighs %2 g"))
                    .arg(spoon->food, doubleText(spoon->grams));
    return amount * baseAmount(unit) / baseAmount(QStringLiteral("tsp")) * spoon->grams;
}

// A cup of rice or pasta cooked weighs nothing like a cup of it dry, nor a cup of stuffing or
// pudding made up like a cup of its dry mix, nor a cup of vegetables loose from the bag or the
// market like a cup of canned ones packed in their can: a volume goes by kin in the same state
// only. Frozen cut vegetables fill a cup as fresh ones do.
bool sameState(const QString& kin, const QString& foodName)
{
    static const QStringList states = {matchWords(u"cooked").value(0),
                                       matchWords(u"prepared").value(0),
                                       matchWords(u"canned").value(0)};
    const QStringList kinWords = matchWords(kin);
    const QStringList foodWords = matchWords(foodName);
    return std::all_of(states.cbegin(), states.cend(), [&](const QString& state) {
        return kinWords.contains(state) == foodWords.contains(state);
    });
}

// A weight where USDA gives none for the food itself: that of its nearest kin with the unit
// ("sweet onion, chopped" weighs as "onion, chopped"), else a typical one kept as data ("a
// bunch of kale"). The estimate says where it came from.
std::optional<double> estimatedGrams(const IngredientLine& line, const QString& unit, double amount,
                                     const QString& foodName, const HouseholdWeights& weights,
                                     QString* estimate)
{
    const UnitClass kind = unitClass(unit);
    if (kind == UnitClass::Volume || kind == UnitClass::Count) {
        for (const QString& kin : weights.kinOf(foodName)) {
            if (kind == UnitClass::Volume && !sameState(kin, foodName))
                continue;
            if (const auto grams =
                    householdGrams(line, unit, amount, weights.measuresOf(kin), kin)) {
                *estimate = QStringLiteral("estimated from ") + kin;
                return grams;
            }
        }
    }
    if (kind == UnitClass::Weight)
        return std::nullopt;
    // A count of the food itself, or of a piece its words name that the table weighs for it:
    // "6 anchovy fillets", but "2 parsnips, cut into pieces" are two parsnips; the notes tell a
    // drained can from a full one. A volume goes by the typical cup.
    const QStringList lineWords = foodAndNoteWords(line);
    const QStringList words = typicalWords(line, foodName);
    const QString cup = QStringLiteral("cup");
    QString piece = kind == UnitClass::Count    ? measureWord(unit)
                    : kind == UnitClass::Volume ? cup
                                                : QStringLiteral("each");
    if (kind == UnitClass::None)
        for (const QString& word : lineWords)
            if (weights.typical().weightOf(word, words)) {
                piece = word;
                break;
            }
    // A small or large pot is that size as the shops sell the food, where the table keeps one:
    // "1 large pot Greek yogurt" is the family pot, not the single one.
    const TypicalWeights::Weight* sized =
        line.size.isEmpty() || kind != UnitClass::Count
            ? nullptr
            : weights.typical().weightOf(line.size + u' ' + piece, words);
    const TypicalWeights::Weight* typical =
        sized && !sized->words.isEmpty() ? sized : weights.typical().weightOf(piece, words);
    if (!typical)
        return std::nullopt;
    *estimate = QStringLiteral("estimated: ") + typical->described();
    return amount * typical->grams *
           (kind == UnitClass::Volume ? baseAmount(unit) / baseAmount(cup) : 1);
}

// The household measures a count of the unit goes by: the food's own where they have the unit,
// else those of the nearest kin that has it, whose weight estimatedGrams borrows.
QList<HouseholdWeights::Measure> measuresCounting(const QString& unit, const QString& foodName,
                                                  const QList<HouseholdWeights::Measure>& own,
                                                  const HouseholdWeights& weights)
{
    const auto hasUnit = [&](const QList<HouseholdWeights::Measure>& measures) {
        return std::any_of(measures.cbegin(), measures.cend(), [&](const auto& measure) {
            return measureWord(measure.unit) == measureWord(unit);
        });
    };
    if (hasUnit(own) || unitClass(unit) != UnitClass::Count)
        return own;
    for (const QString& kin : weights.kinOf(foodName))
        if (const QList<HouseholdWeights::Measure> measures = weights.measuresOf(kin);
            hasUnit(measures))
            return measures;
    return own;
}

// The package of the food as the shops sell it in the size the line gives ("large", "small") or,
// with none, the usual one, where the typical weights keep one of the food itself.
const TypicalWeights::Weight* soldPackage(const IngredientLine& line, const QString& unit,
                                          const QString& foodName, const HouseholdWeights& weights)
{
    const QString package = QStringLiteral("package");
    if (measureWord(unit) != package)
        return nullptr;
    const TypicalWeights::Weight* sold = weights.typical().weightOf(
        line.size.isEmpty() ? package : line.size + u' ' + package, typicalWords(line, foodName));
    return sold && !sold->words.isEmpty() ? sold : nullptr;
}

// A cup of a food cut as the line says, where USDA weighs the food's cups only in a form the line
// does not say: "1 cup diced avocado" is the cubed cup of its kin (150 g), not the California
// avocado's pureed one (230 g). The estimate says whose cup it is.
std::optional<double> kinFormGrams(const IngredientLine& line, const QString& unit, double amount,
                                   const QString& foodName, const HouseholdWeights& weights,
                                   QString* estimate)
{
    const QSet<QString> lineWords = wordsOf(line);
    const auto bestFit = [&](const QString& name) {
        const auto best = bestVolume(weights.measuresOf(name), unit, lineWords);
        return best ? best->fit : std::numeric_limits<int>::min();
    };
    if (unitClass(unit) != UnitClass::Volume || bestFit(foodName) >= 0)
        return std::nullopt;
    // The nearest kin whose cup names the form the line says wins over a nearer one's plain cup:
    // "1 cup crushed tortilla chips" is the crushed cup of light chips (63 g), not a cup of whole
    // ones.
    const QStringList kin = weights.kinOf(foodName);
    const auto fitting = [&](int least) {
        return std::find_if(kin.cbegin(), kin.cend(), [&](const QString& other) {
            return sameState(other, foodName) && bestFit(other) >= least;
        });
    };
    auto fittest = fitting(fitOfAWordSaid);
    if (fittest == kin.cend())
        fittest = fitting(1);
    if (fittest == kin.cend())
        return std::nullopt;
    const auto grams = householdGrams(line, unit, amount, weights.measuresOf(*fittest), *fittest);
    if (grams)
        *estimate = QStringLiteral("estimated from ") + *fittest;
    return grams;
}

// A piece, a bunch or a cup of a kind a cook names that USDA's food is not ("2 Lebanese cucumbers",
// smaller than its American one; "1 bunch broccolini", thin stems where USDA's bunch is of heads;
// "1 cup panko", flakier than fine dry crumbs), as the typical weights keep it by a word the food's
// name does not have. A cup takes only a kind whose words the name has none of: one the name
// knows ("crushed crackers") is the food's own, which USDA weighs.
std::optional<double> kindGrams(const IngredientLine& line, const QString& unit, double amount,
                                const QString& foodName, const HouseholdWeights& weights,
                                QString* estimate, const TypicalWeights::Weight** kind = nullptr)
{
    const bool volume = unitClass(unit) == UnitClass::Volume;
    const QString cup = QStringLiteral("cup");
    const QStringList named = matchWords(foodName);
    const QString counted = unit.isEmpty() ? QStringLiteral("each") : measureWord(unit);
    const TypicalWeights::Weight* typical =
        weights.typical().weightOf(volume ? cup : counted, typicalWords(line, foodName));
    // A name's compound word ending in the word is the food's too: backribs are ribs, where
    // peanuts are no peas.
    const auto inName = [&](const QString& word) {
        return std::any_of(named.cbegin(), named.cend(),
                           [&](const QString& nameWord) { return nameWord.endsWith(word); });
    };
    // "6 short ribs" are ribs on their bone, where USDA weighs a boneless piece of the cut: the
    // typical rib as butchers sell it is the count's piece.
    static const QString boneless = matchWords(u"boneless").value(0);
    const bool offTheBone = named.contains(boneless) && !foodAndNoteWords(line).contains(boneless);
    // A piece such as a link that the food's own measures weigh is USDA's: its cooked Italian
    // sausage link (83 g), not the raw one a cook buys. A sausage counted is one link of it:
    // "4 chorizo sausages" are chorizo's own 60 g links, not the typical banger.
    static const QString link = matchWords(u"link").value(0);
    static const QString sausage = matchWords(u"sausage").value(0);
    const QList<HouseholdWeights::Measure> measures = weights.measuresOf(foodName);
    const bool ownPiece =
        std::any_of(measures.cbegin(), measures.cend(), [&](const HouseholdWeights::Measure& m) {
            const QString piece = measureWord(m.unit);
            return typical && !named.contains(piece) &&
                   (typical->words.contains(piece) ||
                    (piece == link && typical->words.contains(sausage)));
        });
    // A flour or starch ground from the food ("almond flour" of blanched almonds, "tapioca starch"
    // of pearl tapioca) lies lighter in the cup than the whole food USDA weighs: its own cup wins.
    static const QStringList groundForms = {matchWords(u"flour").value(0),
                                            matchWords(u"starch").value(0)};
    const bool groundFromFood =
        typical && std::any_of(groundForms.cbegin(), groundForms.cend(), [&](const QString& form) {
            return typical->words.contains(form) && !inName(form);
        });
    if (!typical || typical->words.isEmpty() || ownPiece ||
        (volume
             ? !groundFromFood &&
                   std::any_of(typical->words.cbegin(), typical->words.cend(), inName)
             : std::all_of(typical->words.cbegin(), typical->words.cend(), inName) && !offTheBone))
        return std::nullopt;
    *estimate = QStringLiteral("estimated: ") + typical->described();
    if (kind)
        *kind = typical;
    return amount * typical->grams * (volume ? baseAmount(unit) / baseAmount(cup) : 1);
}

} // namespace

QStringList measureList(const IngRecord& food)
{
    QStringList units;
    if (food.customMeasure != 0)
        units.append(food.measure1.trimmed());
    if (food.measureKind == 0 || food.measureKind == 1)
        units += volumeUnits();
    if (food.measureKind == 0 || food.measureKind == 2)
        units += weightUnits();
    return units;
}

std::optional<quantity::Entry> spinnerQuantity(double amount, bool preferDecimal)
{
    if (!(amount > 0) || amount > largestWhole + 1)
        return std::nullopt;
    const double whole = std::floor(amount);
    quantity::Entry fraction{static_cast<int>(whole), 0, true};
    double fractionError = amount - whole;
    if (1 - (amount - whole) < fractionError) {
        fraction.ones += 1;
        fractionError = 1 - (amount - whole);
    }
    for (int index = 1; index < quantity::fractionCount; ++index) {
        const double error = std::abs(amount - whole - quantity::exactFraction(index));
        if (error < fractionError) {
            fraction = quantity::Entry{static_cast<int>(whole), index, true};
            fractionError = error;
        }
    }
    if (fraction.ones == 0 && fraction.fraction == 0)
        fraction.fraction = 1; // the smallest amount there is: 1/8
    const long long tenths = std::max(1LL, std::llround(amount * 10));
    const quantity::Entry decimal{static_cast<int>(tenths / 10), static_cast<int>(tenths % 10),
                                  false};
    const double decimalError = std::abs(decimal.amount() - amount);
    fractionError = std::abs(fraction.amount() - amount);
    constexpr double tie = 1e-9;
    const bool useDecimal =
        preferDecimal ? decimalError <= fractionError + tie : decimalError + tie < fractionError;
    const quantity::Entry chosen = useDecimal ? decimal : fraction;
    if (chosen.ones > largestWhole)
        return std::nullopt;
    return chosen;
}

namespace {

// Worked-out grams are whole numbers to a cook; tenths only below ten.
double cooksGrams(double grams)
{
    return grams >= 10 ? std::round(grams) : std::round(grams * 10) / 10;
}

LineMeasure measureAsWritten(const IngredientLine& line, const IngRecord& food,
                             const HouseholdWeights& weights)
{
    if (!line.quantity || *line.quantity <= 0)
        return LineMeasure{};
    // "50g butter, plus 1 tbsp extra": both weighed through the food's household weights, and
    // the line as its own amount alone where those cannot weigh one of them.
    if (line.extraAmount > 0) {
        IngredientLine whole = line;
        whole.extraAmount = 0;
        whole.extraUnit.clear();
        const QList<HouseholdWeights::Measure> measures = weights.measuresOf(food.name);
        const auto own = householdGrams(line, line.unit, *line.quantity, measures, food.name);
        const auto extra =
            householdGrams(line, line.extraUnit, line.extraAmount, measures, food.name);
        if (own && extra) {
            whole.quantity = cooksGrams(*own + *extra);
            whole.unit = QStringLiteral("g");
        }
        return measureAsWritten(whole, food, weights);
    }
    double amount = *line.quantity;
    QString unit = line.unit;
    const QStringList list = measureList(food);
    const QList<HouseholdWeights::Measure> measures = weights.measuresOf(food.name);
    const auto fits = [&](const QString& word) {
        return measures.end() != std::find_if(measures.begin(), measures.end(), [&](const auto& m) {
                   return measureWord(m.unit) == measureWord(word);
               });
    };
    const QString own = food.customMeasure != 0 ? food.measure1.trimmed() : QString();
    const auto knows = [&](const QString& word) {
        return fits(word) || (!own.isEmpty() && ownMeasureCounts(own, word));
    };
    // "4 large cabbage leaves" are so many leaves of that size, not the heads a lettuce or a
    // cabbage counted is, and "3 lime leaves" no limes: leaves the line names, hearts where
    // kitchen references weigh the food's heart ("2 hearts of romaine" are not two heads), or a
    // piece its food words name that the measures of a food counted by the head weigh, are the
    // unit.
    if (line.unit.isEmpty() || isSize(line.unit)) {
        const QString head = QStringLiteral("head");
        const QStringList named = matchWords(line.food);
        const auto piece = std::find_if(named.cbegin(), named.cend(), [&](const QString& word) {
            return word == QLatin1String("leaf") ||
                   (word == QLatin1String("heart") &&
                    weights.typical().weightOf(word, typicalWords(line, food.name))) ||
                   (word != head && unitClass(word) == UnitClass::Count && fits(word) &&
                    fits(head));
        });
        if (piece != named.cend()) {
            IngredientLine pieces = line;
            pieces.size = line.unit.isEmpty() ? line.size : line.unit;
            pieces.unit = *piece;
            return measureLine(pieces, food, weights);
        }
    }
    // A pinch, a knob or a handful the food's measures do not know is so much of a spoon or a cup,
    // unless the typical weights know it of the food: a handful of nuts is the ounce nutrition
    // guides give, not half a cup of them.
    const TypicalWeights::Weight* typicalLoose =
        weights.typical().weightOf(unit, typicalWords(line, food.name));
    if (const auto loose = looseMeasure(unit);
        loose && !fits(unit) && (!typicalLoose || typicalLoose->words.isEmpty())) {
        amount *= loose->first;
        unit = loose->second;
    }
    // A stick of celery is a stalk; a size the food's measures do not know is still one of the
    // food: "1 large aubergine" is one aubergine.
    if (unit == QLatin1String("stick") && !knows(unit) && knows(QStringLiteral("stalk")))
        unit = QStringLiteral("stalk");
    // A link of a sausage USDA weighs by no link is one sausage: "8 links breakfast sausage"
    // are eight breakfast sausages.
    if (unit == QLatin1String("link") && !knows(unit))
        unit.clear();
    // A typical weight is of the usual piece, so a size scales it ("2 large parsnips"); USDA's
    // own unsized piece is often a large one already (its mango, 336 g), so a size leaves it be.
    QString unweighedSize;
    if (isSize(unit) && !knows(unit) && !sizedPiece(measures, unit, food.name)) {
        unweighedSize = unit;
        unit.clear();
    }
    // A lettuce counted is a head of it where USDA weighs no lettuce itself: "1 small cos
    // lettuce" is a small head.
    const QString head = QStringLiteral("head");
    if (unit.isEmpty() && fits(head) && !pieceMeasure(measures, food.name)) {
        unit = head;
        amount *= sizeShare(unweighedSize);
        unweighedSize.clear();
    }
    // Pieces counted are pieces of the food, not the whole it is cut from: "8 chicken pieces" are
    // eight of a jointed bird, not eight birds off the bone.
    const QString piece = QStringLiteral("piece");
    if (const QStringList foodWords = matchWords(line.food);
        unit.isEmpty() && !foodWords.isEmpty() && foodWords.last() == matchWords(piece).value(0))
        unit = piece;
    const auto typicalGrams = [&](QString* estimate) {
        const auto grams = estimatedGrams(line, unit, amount, food.name, weights, estimate);
        return grams ? std::optional(*grams * sizeShare(unweighedSize)) : grams;
    };
    // "2 large garlic cloves": a piece of a size kitchen references weigh, where USDA weighs only
    // the usual one (its garlic clove, 3 g, where a large one is about 5 g and a small one 2 g).
    const TypicalWeights::Weight* referenceSize =
        line.size.isEmpty() || unit.isEmpty()
            ? nullptr
            : weights.typical().weightOf(line.size, typicalWords(line, food.name)
                                                        << measureWord(unit));
    if (referenceSize && !referenceSize->words.contains(measureWord(unit)))
        referenceSize = nullptr;
    // "1 small head romaine": a head, a bunch or a clove of a size the food's measures of it do
    // not tell apart is so much of the usual one; what a can or a package holds its label says,
    // and a weight or a volume the line writes ("1 small tin baked beans (200g)") is the amount;
    // but a small knob, which counts as a spoon, is still a smaller knob.
    const bool measuredOut =
        unitClass(line.unit) == UnitClass::Weight || unitClass(line.unit) == UnitClass::Volume;
    // A head borrowed from a kin that USDA weighs by size is of the line's size already.
    const QList<HouseholdWeights::Measure> counting =
        measuresCounting(unit, food.name, measures, weights);
    if (!referenceSize && !line.size.isEmpty() && !isPackage(unit) && !measuredOut &&
        std::none_of(counting.begin(), counting.end(), [&](const HouseholdWeights::Measure& m) {
            const QStringList words = matchWords(m.unit);
            return measureWord(m.unit) == measureWord(unit) &&
                   std::any_of(words.begin(), words.end(), isSize);
        }))
        amount *= sizeShare(line.size);
    // A slice cut thick weighs about half again the usual one, as a pound of bacon holds some 16
    // to 20 slices and 10 to 14 thick-cut ones (our estimate from packers' counts); a food USDA
    // weighs by the thick slice has it already, as has a bread whose slices USDA cuts an inch
    // thick or more (its French bread's, 1 3/4 inches, where a sandwich slice is half an inch), or
    // a country's thick-sliced loaf kept by its own slice.
    if (measureWord(unit) == QLatin1String("slice") && cutThick(line.food) &&
        !countryKeepsThickSlice(line, food.name, weights) &&
        std::none_of(measures.begin(), measures.end(), [](const HouseholdWeights::Measure& m) {
            return m.unit.startsWith(QLatin1String("thick slice")) ||
                   (measureWord(m.unit) == QLatin1String("slice") &&
                    inchesThick(m.unit).value_or(0) >= 1);
        }))
        amount *= thickSliceShare;

    std::optional<double> grams;
    QString estimate;
    // "1 large sweet potato": a size of a food USDA weighs one piece of, as kept beside it.
    if (const TypicalWeights::Weight* sized =
            unweighedSize.isEmpty()
                ? nullptr
                : weights.typical().weightOf(unweighedSize, typicalWords(line, food.name));
        sized && !sized->words.isEmpty()) {
        grams = amount * sized->grams;
        estimate = QStringLiteral("estimated: ") + sized->described();
    }
    if (referenceSize) {
        grams = amount * referenceSize->grams;
        estimate = QStringLiteral("estimated: ") + referenceSize->described();
    }
    // A large or a small package is that size as the shops sell it, where USDA weighs only one
    // ("1 large box gelatin" is the 6 oz box, not USDA's 3 oz one), before the food's own.
    if (const TypicalWeights::Weight* sold =
            line.size.isEmpty() ? nullptr : soldPackage(line, unit, food.name, weights)) {
        grams = amount * sold->grams;
        estimate = QStringLiteral("estimated: ") + sold->described();
    }
    if (measureWord(unit) == QLatin1String("can"))
        grams = canAsSoldGrams(line, amount, food.name, measures, weights, &estimate);
    // "4 fillets cod" counts by the fillet; "4 cod fillets" keeps the word in its food.
    for (const QString& cut : {QStringLiteral("fillet"), QStringLiteral("chop")})
        if (measureWord(unit) == cut || (unit.isEmpty() && matchWords(line.food).contains(cut)))
            grams = portionGrams(line, cut, amount, food.name, measures, weights, &estimate);
    if (!grams)
        grams = spoonGrams(line, unit, amount, food.name, weights, &estimate);
    if (!grams)
        grams = countryPieceGrams(line, unit, amount, food.name, weights, &estimate);
    if (!grams)
        grams = babyPieceGrams(line, unit, amount, food.name, weights, &estimate);
    if (!grams)
        grams = sandwichSliceGrams(line, unit, amount, measures);
    // A weight of a food bought with what nobody eats, the bone of a joint or the stone of a
    // peach, counts its edible part, which USDA's values are for.
    QString edible;
    const auto ediblePart = [&](const Refuse::Share& refuse, double grossGrams,
                                const QString& bought) {
        grams = grossGrams * (1 - refuse.percent / 100);
        edible =
            QStringLiteral("edible part: %1 % of %2 %3, without the %4")
                .arg(doubleText(100 - refuse.percent), doubleText(amount), bought, refuse.what);
    };
    if (const auto refuse = weights.refuse().inWeightOf(line, food.name))
        ediblePart(*refuse, amount * baseAmount(unit), unit);
    if (!grams && (unitClass(unit) == UnitClass::Volume || unitClass(unit) == UnitClass::Count))
        grams = kindGrams(line, unit, amount, food.name, weights, &estimate);
    if (!grams)
        grams = kinFormGrams(line, unit, amount, food.name, weights, &estimate);
    if (!grams && !unit.isEmpty() && list.contains(unit, Qt::CaseInsensitive)) {
        grams = otherFormGrams(line, food, unit, amount, measures);
        if (const auto quantity = spinnerQuantity(amount, line.decimal);
            quantity && !grams && spinnersHold(quantity->amount(), amount))
            return LineMeasure{MeasureStatus::Kept, *quantity, unit};
    }
    // "4 plum tomatoes" are plum tomatoes, not the food's own medium one.
    if (const HouseholdWeights::Measure* named =
            unit.isEmpty() ? namedPiece(measures, matchWords(line.food), food.name) : nullptr;
        named && !grams &&
        (own.isEmpty() || !ownMeasureCounts(own, named->unit) ||
         namesPieceSize(named->unit, matchWords(line.food))))
        grams = amount * named->gramsPerUnit;
    // A country's piece is the usual one its shops sell, which a size scales: "4 large chicken
    // thighs" in a British recipe.
    if (!grams && unit.isEmpty()) {
        const TypicalWeights::Weight* kind = nullptr;
        grams = kindGrams(line, unit, amount, food.name, weights, &estimate, &kind);
        if (grams && kind->words.contains(measuresKey(line.readIn)))
            *grams *= sizeShare(unweighedSize);
    }
    // "4 (10 inch) flour tortillas" are tortillas that wide, though the food keeps another size;
    // but "2 (1-inch) pieces ginger" are pieces that long, not USDA's slices an inch across.
    if (const HouseholdWeights::Measure* across =
            unit.isEmpty() || unitClass(unit) == UnitClass::Count
                ? measureAcross(measures, line.text)
                : nullptr;
        across && !grams && usda::ownMeasure(across->unit) != own &&
        (unit.isEmpty() || measureWord(across->unit) == measureWord(unit)))
        grams = amount * across->gramsPerUnit;
    // A count without a size is a medium one, though the food keeps the larger of two middle
    // sizes as its own ("6 spring onions"); eggs, graded from small to jumbo, are large.
    const bool graded = fits(QStringLiteral("jumbo"));
    if (const HouseholdWeights::Measure* medium =
            unit.isEmpty() && !graded && isSize(measureWord(own)) &&
                    measureWord(own) != QLatin1String("medium")
                ? sizedPiece(measures, QStringLiteral("medium"), food.name)
                : nullptr;
        medium && !grams)
        grams = amount * medium->gramsPerUnit;
    // "30 saltine crackers" are the plain square ones, not the large round one the food keeps;
    // "8 dinner rolls" plain rolls, not hoagies.
    if (const HouseholdWeights::Measure* plain =
            unit.isEmpty() && unweighedSize.isEmpty() && !graded
                ? plainPiece(measures, own, matchWords(line.food))
                : nullptr;
        plain && !grams)
        grams = amount * plain->gramsPerUnit;
    // A count of a food USDA weighs only by the serving ("8 pork sausages") counts the pieces a
    // cook buys, as the typical weights keep them, rather than so many servings.
    if (!grams && unit.isEmpty() && measureWord(own) == QLatin1String("serving"))
        grams = typicalGrams(&estimate);
    // "1 small head cauliflower": the food's head of the size the line gives before its own.
    const bool otherSize =
        !line.size.isEmpty() && !matchWords(own).contains(line.size) &&
        std::any_of(measures.begin(), measures.end(), [&](const HouseholdWeights::Measure& m) {
            return measureWord(m.unit) == measureWord(unit) &&
                   matchWords(m.unit).contains(line.size);
        });
    const bool ownCounts = !own.isEmpty() && (unit.isEmpty() || ownMeasureCounts(own, unit));
    // "6 chicken thighs" counts the meat and skin off the bone USDA's thigh is weighed on.
    // The food keeps its measure without USDA's remark in brackets: "leg, with skin".
    if (const auto piece = std::find_if(
            measures.cbegin(), measures.cend(),
            [&](const auto& m) { return m.unit.section(u'(', 0, 0).trimmed() == own; });
        !grams && ownCounts && piece != measures.cend())
        if (const auto refuse = weights.refuse().inPieceOf(food.name, own))
            ediblePart(*refuse, amount * piece->gramsPerUnit, own);
    if (!grams && ownCounts && !otherSize) {
        if (const auto quantity =
                spinnerQuantity(amount * cooksPieceShare(food, own), line.decimal))
            return LineMeasure{MeasureStatus::Kept, *quantity, own};
    }
    const UnitClass kind = unitClass(unit);
    if (!grams && (kind == UnitClass::Volume || kind == UnitClass::Weight)) {
        const QStringList sameKind =
            offered(list, kind == UnitClass::Volume ? volumeUnits() : weightUnits());
        // Litres go into millilitres, kilograms into grams, fluid ounces into tablespoons when
        // the amount fits; else the unit that holds it best.
        const QString natural = naturalUnit(unit);
        if (sameKind.contains(natural)) {
            const double inNatural = amount * baseAmount(unit) / baseAmount(natural);
            const auto quantity = natural == QLatin1String("g") && inNatural > largestWhole
                                      ? wholeGrams(inNatural)
                                      : spinnerQuantity(inNatural, line.decimal);
            if (quantity && std::abs(quantity->amount() - inNatural) < 1e-6 * inNatural)
                return LineMeasure{MeasureStatus::Converted, *quantity, natural};
        }
        if (!sameKind.isEmpty())
            return converted(bestFit(amount, unit, sameKind, line.decimal));
    }

    // A package the line gives no size of is one as the shops sell it where the typical weights
    // keep one of the food: "1 package cream cheese" is the 8 oz brick, not USDA's small 3 oz
    // one, and "1 box cake mix" today's 15.25 oz box, not the 18.25 oz one USDA weighed.
    if (const TypicalWeights::Weight* sold =
            !grams && line.size.isEmpty() ? soldPackage(line, unit, food.name, weights) : nullptr) {
        grams = amount * sold->grams;
        estimate = QStringLiteral("estimated: ") + sold->described();
    }
    if (!grams)
        grams = householdGrams(line, unit, amount, measures, food.name);
    if (!grams)
        grams = typicalGrams(&estimate);
    if (!grams)
        return LineMeasure{MeasureStatus::ChooseMeasure, {}, {}};
    grams = cooksGrams(*grams);
    LineMeasure measure;
    if (const QStringList weighed = offered(list, weightUnits()); !weighed.isEmpty()) {
        // The edible part of a weight as bought is no amount the cook wrote: whole grams.
        const QString g = QStringLiteral("g");
        const std::optional<quantity::Entry> whole = wholeGrams(*grams);
        measure = !edible.isEmpty() && weighed.contains(g) && whole
                      ? LineMeasure{MeasureStatus::Converted, *whole, g}
                      : converted(bestFit(*grams, g, weighed, false));
    } else {
        const QStringList volumes = offered(list, volumeUnits());
        const std::optional<double> perMl = gramsPerMl(measures, QString(), {});
        if (volumes.isEmpty() || !perMl)
            return LineMeasure{MeasureStatus::ChooseMeasure, {}, {}};
        measure = converted(bestFit(*grams / *perMl, QStringLiteral("ml"), volumes, false));
    }
    if (measure.usable()) {
        measure.estimate = estimate;
        measure.edible = edible;
    }
    return measure;
}

} // namespace

LineMeasure measureLine(const IngredientLine& line, const IngRecord& food,
                        const HouseholdWeights& weights)
{
    LineMeasure measure = measureAsWritten(line, food, weights);
    // A count beside a measure the food keeps no weight for weighs so many of its pieces.
    if (!measure.usable() && line.piecesBeside > 0) {
        IngredientLine counted = line;
        counted.quantity = line.piecesBeside;
        counted.unit.clear();
        counted.piecesBeside = 0;
        if (LineMeasure pieces = measureAsWritten(counted, food, weights); pieces.usable())
            measure = pieces;
    }
    // A splash, a dollop or a knob weighed as the spoon it is taken for is a guess at what the
    // cook meant, and the line says so, as it does for a typical weight.
    const auto loose = looseMeasure(line.unit);
    if (loose && measure.usable() && measure.estimate.isEmpty() && measure.unit != line.unit) {
        // A pinch reads as "1/16 tsp", as a cook's spoons are marked, not "0.0625 tsp".
        const double parts = 1 / loose->first;
        const QString spoons = loose->first < 1 && parts == std::round(parts)
                                   ? QStringLiteral("1/") + doubleText(parts)
                                   : doubleText(loose->first);
        measure.estimate =
            QStringLiteral("estimated: a %1 taken as %2 %3").arg(line.unit, spoons, loose->second);
    }
    return measure;
}

QString OrdinaryLine::entry() const
{
    return lines::ingredientEntry(name, fractionMode, quantity, unit);
}

QString OrdinaryLine::row() const
{
    return lines::ingredientRow(name, quantity, unit);
}

OrdinaryLine ordinaryLine(const IngRecord& food, const quantity::Entry& quantity,
                          const QString& unit)
{
    return OrdinaryLine{food.trimmedName(), quantity.fractionMode, quantity.text(),
                        quantity.value(), unit};
}

} // namespace zestora::paste
