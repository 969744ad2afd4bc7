#include "core/paste/uneaten.h"

#include "core/analysis/lineamounts.h"
#include "core/paste/linereview.h"
#include "core/store/ingtable.h"

#include <QRegularExpression>

#include <algorithm>

namespace zestora::paste {

namespace {

constexpr auto caseless = QRegularExpression::CaseInsensitiveOption;

// A brine's salt is well over what seasons a dish; a deep fryer's oil well over what a pan takes.
constexpr double brineSaltGrams = 50;
constexpr double fryerOilGrams = 200;

const QString deepFryingOil = QStringLiteral("deep-frying oil");

// What the fried foods take up of the line's oil: a fryer's share, or a pan's where neither the
// line nor the directions said deep-frying. A line the user marked so counts as a fryer's.
double fryingUptake(const ReviewedLine& line)
{
    return line.eatenWhy == QLatin1String("frying oil") ? panFryingUptake : deepFryingUptake;
}

// What the recipe uses but is no food: the smoker's wood, the skewers, the kitchen's paper.
bool isNoFood(const QString& food)
{
    static const QRegularExpression things(
        QStringLiteral("\\b(?:wood(?:en)?\\s*(?:chips?|chunks?)|(?:smoking|hickory|applewood|"
                       "mesquite|oak|cherry)\\s+(?:wood\\s+)?chips|skewers?|cocktail\\s+sticks?|"
                       "toothpicks?|kitchen\\s+(?:string|twine)|butcher'?s?\\s+(?:string|twine)|"
                       "baking\\s+paper|parchment(?:\\s+paper)?|greaseproof\\s+paper|"
                       "(?:tin|aluminium|aluminum)\\s*foil|cling\\s*film|plastic\\s+wrap|muslin|"
                       "cheesecloth|(?:paper|cupcake|muffin|cake)\\s+(?:cases|liners)|"
                       "(?:lolly|popsicle)\\s+sticks|charcoal)\\b"),
        caseless);
    return things.match(food).hasMatch();
}

// Whether the line's food has a stored name the pattern matches from its start ("Oil, canola",
// "Lard"), so that "low-fat buttermilk" or "sardines in oil" is never taken for a fat.
bool namedAs(const ReviewedLine& line, const IngTable& ingredients,
             const QRegularExpression& pattern)
{
    return line.matched() && pattern.match(ingredients.at(line.food).name).hasMatch();
}

// A cooking fat, which a fryer or a pan may hold.
bool isFat(const ReviewedLine& line, const IngTable& ingredients)
{
    static const QRegularExpression fat(
        QStringLiteral("^(?:oil|lard|shortening|fat|butter oil)\\b"), caseless);
    return namedAs(line, ingredients, fat);
}

// A fat that greases a tin or brushes a food: a cooking fat, butter or a spread.
bool isGreasingFat(const ReviewedLine& line, const IngTable& ingredients)
{
    static const QRegularExpression fat(
        QStringLiteral("^(?:oil|lard|shortening|fat|butter|margarine)\\b"), caseless);
    return namedAs(line, ingredients, fat);
}

// The grams of the line's own amount, when it has one in its food's units.
std::optional<double> lineGrams(const ReviewedLine& line, const IngTable& ingredients)
{
    const std::optional<OrdinaryLine> ordinary =
        line.measure.usable() && line.matched()
            ? std::optional(
                  ordinaryLine(ingredients.at(line.food), line.measure.quantity, line.measure.unit))
            : std::nullopt;
    if (!ordinary)
        return std::nullopt;
    const auto amount = nutrition::lineAmount(ordinary->entry(), ingredients, 1);
    return amount ? amount->grams : std::nullopt;
}

void mark(ReviewedLine& line, Eaten eaten, const QString& why)
{
    line.eaten = eaten;
    line.eatenWhy = why;
}

} // namespace

void findUneaten(QList<ReviewedLine>& lines, QStringView directions, const IngTable& ingredients)
{
    // "Oil, for deep-frying", "1 quart oil for frying", "lard to fry".
    static const QRegularExpression forFrying(
        QStringLiteral("\\b(?:for|to)\\s+(?:the\\s+)?(?:deep|shallow)?[\\s-]?(?:fat\\s+)?"
                       "fr(?:y|ying|yer)\\b|\\bdeep[\\s-]?fr(?:y|ying)\\b"),
        caseless);
    static const QRegularExpression deepFrying(
        QStringLiteral("\\bdeep[\\s-]?(?:fat[\\s-]?)?fr(?:y|ies|ied|ying|yer)\\b|\\bfryer\\b"),
        caseless);
    // A brine the recipe makes, not the one a can of tuna or olives comes in.
    static const QRegularExpression brine(
        QStringLiteral("(?<!\\bin\\s)(?<!\\bits\\s)(?<!\\btheir\\s)\\bbrin(?:e|ed|ing)\\b"),
        caseless);
    static const QRegularExpression saltOrSugar(QStringLiteral("\\b(?:salt|sugar)\\b"), caseless);
    static const QRegularExpression salt(QStringLiteral("\\bsalt\\b"), caseless);
    static const QRegularExpression marinade(QStringLiteral("\\bmarinad(?:e|ing)\\b"), caseless);
    // "Discard the marinade", "the marinade ... pour it away", within one sentence.
    static const QRegularExpression marinadeDiscarded(
        QStringLiteral("\\b(?:discard(?:ing)?|pour(?:ing)?\\s+(?:away|off)|throw(?:ing)?\\s+"
                       "away)\\b[^.;]*\\bmarinade\\b|\\bmarinade\\b[^.;]*\\b(?:discard(?:ed|ing)?|"
                       "poured?\\s+(?:away|off)|throw\\s+away)\\b"),
        caseless);
    // "2 tbsp olive oil, plus extra for frying": the amount written goes into the dish, and only
    // the extra, which the line does not measure, fries.
    static const QRegularExpression extraBeside(QStringLiteral("\\bplus\\s+(?:extra|more)\\b.*$"),
                                                caseless);
    // "Butter, for greasing", "oil to brush", "melted butter, for the tin": the fat that greases a
    // tin or brushes a food, no amount given, is left out, as analyses made with the common
    // nutrient software state ("fat used to grease pans"); an amount written counts whole.
    static const QRegularExpression greasing(
        QStringLiteral("\\b(?:for|to)\\s+(?:grease|greasing|brush|brushing|oil|oiling)\\b|"
                       "\\bfor\\s+(?:the\\s+)?(?:tins?|pans?|dish|tray|baking\\s+"
                       "(?:dish|tray|sheet|tin|pan))\\b"),
        caseless);
    // "Can substitute kidney or pinto beans", "Substitute 1 cup plain yogurt for the sour cream",
    // "Tip: you can also use frozen spinach": a cook's note of a food allowed instead, which
    // analyses leave out as they leave out a food offered after "or". "1/2 cup egg substitute"
    // is a food.
    static const QRegularExpression substituteNote(
        QStringLiteral("^\\W*(?:(?:note|tip|hint)s?\\s*:\\s*)?(?:(?:you\\s+)?(?:can|could|may|"
                       "might)\\s+(?:also\\s+)?(?:substitute|use|swap|replace)|substitute|swap|"
                       "replace|or\\s+use|feel\\s+free\\s+to\\s+(?:use|substitute|swap))\\b"),
        caseless);
    // "1/2 cup chopped walnuts (optional)", "2 teaspoons salt, optional", the lines under
    // "Optional garnish:": published analyses leave out what the cook may leave out.
    static const QRegularExpression optional(QStringLiteral("\\boptional(?:ly)?\\b"), caseless);
    const bool fried = deepFrying.match(directions).hasMatch();
    const bool brined = brine.match(directions).hasMatch();
    const bool marinadeGoes = marinadeDiscarded.match(directions).hasMatch();
    QString heading;
    for (ReviewedLine& line : lines) {
        if (line.isHeading())
            heading = line.line.heading;
        if (!line.isIngredient())
            continue;
        const QString& text = line.line.text;
        const QString& food = line.line.food;
        // Weighed only where the weight decides: a long paste's lines are mostly neither.
        const auto grams = [&] {
            return lineGrams(line, ingredients);
        };
        if (substituteNote.match(text).hasMatch()) {
            mark(line, Eaten::Nothing, QStringLiteral("a cook's note of another food"));
        } else if (isNoFood(food)) {
            mark(line, Eaten::Nothing, QStringLiteral("no food"));
        } else if (optional.match(text).hasMatch() || optional.match(heading).hasMatch()) {
            mark(line, Eaten::Nothing, QStringLiteral("optional"));
        } else if (!line.line.hasQuantity() && isGreasingFat(line, ingredients) &&
                   greasing.match(text).hasMatch()) {
            mark(line, Eaten::Nothing, QStringLiteral("fat to grease or brush with"));
        } else if (isFat(line, ingredients) &&
                   (forFrying.match(QString(text).remove(extraBeside)).hasMatch() ||
                    (fried &&
                     (!line.line.hasQuantity() || grams().value_or(0) >= fryerOilGrams)))) {
            mark(line, Eaten::Absorbed,
                 fried || deepFrying.match(text).hasMatch() ? deepFryingOil
                                                            : QStringLiteral("frying oil"));
        } else if (saltOrSugar.match(food).hasMatch() &&
                   (brine.match(text).hasMatch() || brine.match(heading).hasMatch() ||
                    (brined && salt.match(food).hasMatch() &&
                     grams().value_or(0) >= brineSaltGrams))) {
            mark(line, Eaten::Nothing,
                 QStringLiteral("the %1 of a brine")
                     .arg(food.contains(QStringLiteral("sugar"), Qt::CaseInsensitive)
                              ? QStringLiteral("sugar")
                              : QStringLiteral("salt")));
        } else if (marinadeGoes &&
                   (marinade.match(heading).hasMatch() || marinade.match(text).hasMatch())) {
            mark(line, Eaten::Clinging, QStringLiteral("marinade poured away"));
        }
    }
}

void countParts(QList<ReviewedLine>& lines, const IngTable& ingredients,
                const HouseholdWeights& weights)
{
    // What the fried foods weigh, worked out when a line of frying oil first needs it.
    std::optional<double> friedGrams;
    const auto fried = [&] {
        if (!friedGrams) {
            friedGrams = 0;
            for (const ReviewedLine& line : std::as_const(lines))
                if (line.isIngredient() && !line.leftOut && line.eaten == Eaten::All)
                    *friedGrams += lineGrams(line, ingredients).value_or(0);
        }
        return *friedGrams;
    };
    for (ReviewedLine& line : lines) {
        line.part = LineMeasure{};
        if (!line.matched() || (line.eaten != Eaten::Absorbed && line.eaten != Eaten::Clinging))
            continue;
        const std::optional<double> own = lineGrams(line, ingredients);
        std::optional<double> grams;
        if (line.eaten == Eaten::Absorbed)
            grams = std::min(own.value_or(fried()), fryingUptake(line) * fried());
        else if (own)
            grams = clingingShare * *own;
        if (!grams || *grams <= 0)
            continue;
        IngredientLine counted = line.line;
        counted.quantity = *grams >= 10 ? std::round(*grams) : std::round(*grams * 10) / 10;
        counted.unit = QStringLiteral("g");
        counted.decimal = false;
        counted.package.clear();
        line.part = measureLine(counted, ingredients.at(line.food), weights);
    }
}

QList<Eaten> eatenChoices()
{
    return {Eaten::All, Eaten::Absorbed, Eaten::Clinging, Eaten::Nothing};
}

QString eatenName(Eaten eaten)
{
    switch (eaten) {
    case Eaten::Absorbed:
        return QStringLiteral("What frying leaves");
    case Eaten::Clinging:
        return QStringLiteral("What clings");
    case Eaten::Nothing:
        return QStringLiteral("Nothing");
    case Eaten::All:
        break;
    }
    return QStringLiteral("All");
}

QString eatenText(const ReviewedLine& line)
{
    const auto why = [&](const char* fallback) {
        return line.eatenWhy.isEmpty() ? QString::fromLatin1(fallback) : line.eatenWhy;
    };
    switch (line.eaten) {
    case Eaten::Absorbed:
        return QStringLiteral("%1: counted as what the fried foods take up, %2 % of their weight")
            .arg(why("frying oil"))
            .arg(fryingUptake(line) * 100);
    case Eaten::Clinging:
        return QStringLiteral("%1: counted as what clings to the food, %2 % of it")
            .arg(why("poured away"))
            .arg(clingingShare * 100);
    case Eaten::Nothing:
        return QStringLiteral("%1: not counted").arg(why("not eaten"));
    case Eaten::All:
        break;
    }
    return QString();
}

} // namespace zestora::paste
