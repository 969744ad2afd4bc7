#include "core/paste/leanshare.h"

#include "core/paste/foodmatcher.h"
#include "core/paste/householdweights.h"
#include "core/paste/unitwords.h"
#include "core/store/ingtable.h"

#include <QRegularExpression>

#include <algorithm>
#include <cstdlib>
#include <limits>

namespace zestora::paste {

namespace {

std::optional<int> leanInName(const QString& name)
{
    static const QRegularExpression lean(QStringLiteral("(\\d+)% lean"));
    const QRegularExpressionMatch m = lean.match(name);
    return m.hasMatch() ? std::optional(m.captured(1).toInt()) : std::nullopt;
}

// The name with its shares left out: the grind's kind.
QString kindOf(const QString& name)
{
    static const QRegularExpression shares(QStringLiteral("\\d+%"));
    return QString(name).replace(shares, QStringLiteral("%"));
}

// What a cut is called without its lean part: the same for its lean and fat and its lean only.
const QRegularExpression& leanPart()
{
    static const QRegularExpression part(
        QStringLiteral("\\b(?:separable\\s+)?lean\\s+(?:and\\s+fat|only)\\b"),
        QRegularExpression::CaseInsensitiveOption);
    return part;
}

// Calories in a gram of the food, where its record weighs its measure in grams.
std::optional<double> caloriesPerGram(const IngRecord& record)
{
    if (record.measure2.trimmed().compare(QLatin1String("g"), Qt::CaseInsensitive) != 0 ||
        !(record.amount2 > 0))
        return std::nullopt;
    return record.calories / record.amount2;
}

// A stored name cut short to fit may have lost the words "lean and fat" ("Pork, fresh, loin,
// center loin (chops), bone-in, raw"), so its lean only row cannot be found by taking them out.
// The lean only row of the same animal and primal cut that shares the most of the name's parts
// stands in: the chop's own lean where it is stored, else the primal's whole lean ("Pork, fresh,
// shoulder, whole, separable lean only, raw" for the Boston butt, whose lean row lost its words
// too). It must be leaner than the food, which keeps out a cooked row whose cooking words were
// cut off as well.
int leanOfCutNamedShort(int food, const FoodMatcher& matcher, const IngTable& ingredients)
{
    const IngRecord& record = ingredients.at(food);
    // A name that still says how lean the food is ("ham, extra lean (approximately 4% fat)")
    // lost nothing: it is already the lean food the line asked for.
    static const QRegularExpression statesLeanness(QStringLiteral("\\blean\\b|%\\s*fat\\b"),
                                                   QRegularExpression::CaseInsensitiveOption);
    const std::optional<double> calories = caloriesPerGram(record);
    const QStringList parts = record.name.trimmed().split(QStringLiteral(", "));
    constexpr int primalParts = 3;
    if (!calories || parts.size() <= primalParts || statesLeanness.match(record.name).hasMatch())
        return food;
    const QStringList primal = parts.first(primalParts);
    constexpr int rows = 30;
    int best = food;
    qsizetype bestShared = 0;
    for (const FoodMatch& other : matcher.bestFoods(
             matchWords(QString(record.name.trimmed() + QStringLiteral(" lean only"))).join(u' '),
             rows)) {
        const IngRecord& otherRecord = ingredients.at(other.index);
        const QStringList otherParts = otherRecord.name.trimmed().split(QStringLiteral(", "));
        const QRegularExpressionMatch otherPart = leanPart().match(otherRecord.name);
        const std::optional<double> otherCalories = caloriesPerGram(otherRecord);
        if (!otherPart.hasMatch() ||
            !otherPart.captured().contains(QLatin1String("only"), Qt::CaseInsensitive) ||
            !otherCalories || *otherCalories >= *calories || otherParts.size() < primalParts ||
            otherParts.first(primalParts) != primal)
            continue;
        const qsizetype shared =
            std::count_if(otherParts.cbegin(), otherParts.cend(),
                          [&parts](const QString& piece) { return parts.contains(piece); });
        if (shared > bestShared) {
            best = other.index;
            bestShared = shared;
        }
    }
    return best;
}

} // namespace

std::optional<int> leanShare(QStringView text)
{
    // Two-digit shares only: "2% milk" is no meat, "1/2 lb" no grind.
    static const QRegularExpression share(
        QStringLiteral("\\b(\\d\\d)\\s*%\\s*(lean|fat)\\b|\\b(\\d\\d)\\s*/\\s*(\\d\\d?)\\b"),
        QRegularExpression::CaseInsensitiveOption);
    for (auto it = share.globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        if (m.hasCaptured(1)) {
            const int percent = m.captured(1).toInt();
            return m.captured(2).compare(QLatin1String("lean"), Qt::CaseInsensitive) == 0
                       ? percent
                       : 100 - percent;
        }
        if (const int lean = m.captured(3).toInt(); lean + m.captured(4).toInt() == 100)
            return lean;
    }
    return std::nullopt;
}

int nearestGrind(int food, int lean, const FoodMatcher& matcher, const IngTable& ingredients)
{
    const QString name = ingredients.at(food).name.trimmed();
    const std::optional<int> own = leanInName(name);
    // A food that is no grind is its animal's grind where the line wrote a share of lean ("1 lb
    // 93% lean beef", found as lean beef): no cut is sold by its share, and its name starts with
    // the animal. The grind stays raw where the food is. A grind that says its fat in words
    // ("Ground turkey, fat free") is the grind the line asked for.
    static const QString ground = QStringLiteral("ground");
    if (!own && name.contains(ground, Qt::CaseInsensitive))
        return food;
    const QString animal = name.section(u',', 0, 0);
    static const QString raw = QStringLiteral(", raw");
    const auto ofTheKind = [&](const QString& otherName) {
        return own ? kindOf(otherName) == kindOf(name)
                   : otherName.contains(animal, Qt::CaseInsensitive) &&
                         otherName.endsWith(raw, Qt::CaseInsensitive) ==
                             name.endsWith(raw, Qt::CaseInsensitive);
    };
    const QString wanted = own ? kindOf(name) : animal + u' ' + ground + raw;
    const auto distanceOf = [lean](int share) {
        return 2 * std::abs(share - lean) - (share > lean);
    };
    // The matcher finds the grinds by the words they share, and keeps what it found for the
    // next line that asks.
    constexpr int grinds = 30;
    int best = food;
    int bestDistance = own ? distanceOf(*own) : std::numeric_limits<int>::max();
    for (const FoodMatch& other : matcher.bestFoods(matchWords(wanted).join(u' '), grinds)) {
        const QString otherName = ingredients.at(other.index).name.trimmed();
        const std::optional<int> share = leanInName(otherName);
        if (!share || !ofTheKind(otherName))
            continue;
        if (const int distance = distanceOf(*share); distance < bestDistance) {
            best = other.index;
            bestDistance = distance;
        }
    }
    return best;
}

bool saysTrimmedOfFat(QStringView text)
{
    static const QRegularExpression trimmed(
        QStringLiteral("\\blean\\b(?!\\s+and\\b)|\\btrimmed\\s+of\\s+(?:(?:all|any|the|its|"
                       "visible|excess|most|much|majority|of)\\s+)*fat\\b|\\bfat[\\s-]+(?:removed|"
                       "trimmed|discarded|cut\\s+off)\\b"),
        QRegularExpression::CaseInsensitiveOption);
    return trimmed.match(text).hasMatch();
}

int leanOnlyCut(int food, const FoodMatcher& matcher, const IngTable& ingredients)
{
    const QString name = ingredients.at(food).name.trimmed();
    const QRegularExpressionMatch part = leanPart().match(name);
    if (!part.hasMatch())
        return leanOfCutNamedShort(food, matcher, ingredients);
    if (part.captured().contains(QLatin1String("only"), Qt::CaseInsensitive))
        return food;
    const QString cut = QString(name).remove(part.capturedStart(), part.capturedLength());
    // Stored names are cut short, so the lean only row of a cut may end before the lean and
    // fat one does, or after it: the row whose cut is the same first, else one that only runs
    // longer or shorter.
    constexpr int rows = 30;
    int prefixed = food;
    for (const FoodMatch& other : matcher.bestFoods(
             matchWords(QString(cut + QStringLiteral(" lean only"))).join(u' '), rows)) {
        const QString otherName = ingredients.at(other.index).name.trimmed();
        const QRegularExpressionMatch otherPart = leanPart().match(otherName);
        if (!otherPart.hasMatch() ||
            !otherPart.captured().contains(QLatin1String("only"), Qt::CaseInsensitive))
            continue;
        const QString otherCut =
            QString(otherName).remove(otherPart.capturedStart(), otherPart.capturedLength());
        if (otherCut.compare(cut, Qt::CaseInsensitive) == 0)
            return other.index;
        if (prefixed == food && (otherCut.startsWith(cut, Qt::CaseInsensitive) ||
                                 cut.startsWith(otherCut, Qt::CaseInsensitive)))
            prefixed = other.index;
    }
    return prefixed;
}

bool saysFatDrained(QStringView notes)
{
    static const QRegularExpression drained(
        QStringLiteral("\\b(?:brown(?:ed)?|cook(?:ed)?|fr(?:y|ied)|render(?:ed)?)\\b.*"
                       "(?<!\\bnot\\s)(?<!\\bdon't\\s)\\bdrain(?:ed)?\\b|\\bcrisp(?:ly|y)?\\b"),
        QRegularExpression::CaseInsensitiveOption);
    return drained.match(notes).hasMatch();
}

std::optional<int> drainedForm(int food, const FoodMatcher& matcher, const IngTable& ingredients)
{
    static const QString raw = QStringLiteral(", raw");
    const QString name = ingredients.at(food).name.trimmed();
    if (!name.endsWith(raw, Qt::CaseInsensitive))
        return std::nullopt;
    const QString base = name.chopped(raw.size()) + u',';
    // What follows the raw food's name may only say how it was cooked: crumbles, the grind
    // browned loose in the pan, before any other cooked form, never a patty or a loaf; else the
    // form naming most ways of cooking, USDA's row for any of them ("cooked, broiled, pan-fried
    // or roasted" of bacon, not "cooked, microwaved").
    static const QString cookingPhrase =
        QStringLiteral("cooked crumbles pan browned broiled fried roasted grilled or");
    static const QStringList cookingWords = matchWords(cookingPhrase);
    static const QString crumbles = matchWords(u"crumbles").front();
    constexpr int rows = 20;
    std::optional<int> cooked;
    qsizetype cookedWays = 0;
    for (const FoodMatch& other :
         matcher.bestFoods(matchWords(QString(base + u' ' + cookingPhrase)).join(u' '), rows)) {
        const QString otherName = ingredients.at(other.index).name.trimmed();
        if (!otherName.startsWith(base, Qt::CaseInsensitive))
            continue;
        const QStringList added = matchWords(QStringView(otherName).sliced(base.size()));
        if (added.isEmpty() || !std::all_of(added.cbegin(), added.cend(), [](const QString& word) {
                return cookingWords.contains(word);
            }))
            continue;
        if (added.contains(crumbles))
            return other.index;
        if (added.size() > cookedWays) {
            cooked = other.index;
            cookedWays = added.size();
        }
    }
    return cooked;
}

std::optional<double> cookedYield(const QString& rawName, const QString& cookedName,
                                  const HouseholdWeights& weights)
{
    static const QRegularExpression yield(
        QStringLiteral("\\byield from (\\d+)(?:/(\\d+))?\\s*lb raw\\b"),
        QRegularExpression::CaseInsensitiveOption);
    constexpr double gramsPerPound = 453.6;
    const QList<HouseholdWeights::Measure> cooked = weights.measuresOf(cookedName);
    for (const HouseholdWeights::Measure& measure : cooked) {
        const QRegularExpressionMatch m = yield.match(measure.unit);
        const double pounds =
            m.hasMatch() ? m.captured(1).toDouble() /
                               (m.hasCaptured(2) ? std::max(1.0, m.captured(2).toDouble()) : 1.0)
                         : 0;
        if (pounds > 0)
            return measure.gramsPerUnit / (pounds * gramsPerPound);
    }
    // A piece is named by the first word of its measure, "slice" of "slice raw"; a weight or a
    // volume weighs the same raw or cooked and says nothing of the yield.
    const auto pieceOf = [](const QString& unit) {
        const QString piece = unit.section(u' ', 0, 0).toLower();
        const UnitClass kind = unitClass(piece);
        return kind == UnitClass::Weight || kind == UnitClass::Volume ? QString() : piece;
    };
    QHash<QString, double> rawPieces;
    for (const HouseholdWeights::Measure& measure : weights.measuresOf(rawName))
        if (const QString piece = pieceOf(measure.unit); !piece.isEmpty())
            rawPieces.insert(piece, measure.gramsPerUnit);
    for (const HouseholdWeights::Measure& measure : cooked)
        if (const double rawGrams = rawPieces.value(pieceOf(measure.unit)); rawGrams > 0)
            return measure.gramsPerUnit / rawGrams;
    return std::nullopt;
}

} // namespace zestora::paste
