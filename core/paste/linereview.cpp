#include "core/paste/linereview.h"

#include "core/analysis/lineamounts.h"
#include "core/analysis/nutrition.h"
#include "core/analysis/recipelines.h"
#include "core/exchange/linenotes.h"
#include "core/paste/animals.h"
#include "core/paste/leanshare.h"
#include "core/paste/unitwords.h"
#include "core/store/ingtable.h"
#include "core/text.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>

#include <algorithm>
#include <array>
#include <cmath>

namespace zestora::paste {

namespace {

// Below this the best food shares too little with the line to be offered as its match.
constexpr double matchedScore = 0.4;
// Below this, or as close as this to the runner-up, the match asks for a look; a food this far
// ahead of every other is no doubt, though the line has words its name lacks. Set on the tables
// of lines the tests read: about one marked line in three has a wrong food.
constexpr double sureScore = 0.75;
constexpr double clearLead = 0.05;
constexpr double farLead = 0.3;
// A food named by its whole stored name: as sure as a food the user chose.
constexpr double exactNameScore = 4;
// Foods this near to the best fit about as well.
constexpr double nearScore = 0.15;

QByteArray readIfPresent(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

MatchingTables MatchingTables::load(const QString& starterDir)
{
    const QDir dir(starterDir);
    MatchingTables tables{CooksNames(readIfPresent(dir.filePath(CooksNames::fileName)),
                                     readIfPresent(dir.filePath(CooksNames::byCountryFileName))),
                          HouseholdWeights(readIfPresent(dir.filePath(HouseholdWeights::fileName))),
                          FormsLeftOut(readIfPresent(dir.filePath(FormsLeftOut::fileName)))};
    tables.weights.setTypical(
        TypicalWeights(readIfPresent(dir.filePath(TypicalWeights::fileName))));
    tables.weights.setRefuse(Refuse(readIfPresent(dir.filePath(Refuse::fileName))));
    return tables;
}

const LineMeasure* ReviewedLine::counted() const
{
    switch (eaten) {
    case Eaten::All:
        return measure.usable() ? &measure : nullptr;
    case Eaten::Absorbed:
    case Eaten::Clinging:
        return part.usable() ? &part : nullptr;
    case Eaten::Nothing:
        break;
    }
    return nullptr;
}

bool ReviewedLine::uncertain() const
{
    if (!isIngredient() || eaten == Eaten::Nothing)
        return false;
    return !matched() || (line.hasQuantity() && !measure.usable()) || doubtful();
}

bool ReviewedLine::doubtful() const
{
    if (!isIngredient() || !matched() || chosen || foods.isEmpty() || foods.front().index != food)
        return false; // the user's own choice
    const double lead =
        foods.front().score - (foods.size() > 1 ? foods[1].score : 0); // over the runner-up
    return (foods.front().score < sureScore && lead < farLead) || lead < clearLead;
}

namespace {
const QString noFood = QStringLiteral("No food found");
const QString noAmount = QStringLiteral("No amount");
const QString chooseMeasure = QStringLiteral("Choose a measure");
const QString tooMuch = QStringLiteral("Amount too large");
const QString checkFood = QStringLiteral("Check the food");

// What draining leaves of a can's net weight: some three fifths of beans, vegetables or fruit
// in their liquid; tuna and salmon are packed tight with little liquid, and a 5 oz can of tuna
// gives 4 oz, a 160 g tin 112 g.
double drainedShare(const QString& food)
{
    static const QRegularExpression fish(QStringLiteral("\\b(?:tuna|salmon)\\b"),
                                         QRegularExpression::CaseInsensitiveOption);
    return fish.match(food).hasMatch() ? 0.75 : 0.6;
}

// Whether a weight is that of one or a few whole cans of beans as the shops sell them (15, 15.5,
// 16 and 19 oz; 400, 410 and 420 g): "15 oz red kidney beans, rinsed and drained" is the can,
// not the beans left in the sieve.
bool isCansWeight(double amount, const QString& unit)
{
    const double grams = amount * nutrition::conversionFactor(unit, QStringLiteral("g"));
    static constexpr std::array sizes{400.0, 410.0, 420.0, 425.2, 439.4, 453.6, 538.6};
    return std::any_of(sizes.cbegin(), sizes.cend(), [grams](double size) {
        const double cans = std::round(grams / size);
        return cans >= 1 && cans <= 4 && std::abs(grams / size - cans) < 0.01 * cans;
    });
}

// Puts another food in the first food's place, with the first's score, and drops it from further
// down the list.
void replaceFirstFood(QList<FoodMatch>& foods, int food)
{
    if (food == foods.front().index)
        return;
    foods.removeIf([food](const FoodMatch& other) { return other.index == food; });
    foods.front().index = food;
}

// The meat as the pan leaves it once its fat is poured off, in place of the raw meat first
// found: a weight is of the raw meat the cook bought, so its cooked part by USDA's yield; a count
// is of the cooked pieces ("8 slices bacon, cooked crisp"). Where USDA gives no yield of a
// weight, the raw meat stays.
void panDrainedFood(ReviewedLine& reviewed, const FoodMatcher& matcher, const IngTable& ingredients,
                    const HouseholdWeights& weights)
{
    const int raw = reviewed.foods.front().index;
    const std::optional<int> pan = drainedForm(raw, matcher, ingredients);
    if (!pan)
        return;
    const bool weighed =
        reviewed.line.quantity && unitClass(reviewed.line.unit) == UnitClass::Weight;
    const std::optional<double> yield =
        weighed ? cookedYield(ingredients.at(raw).trimmedName(), ingredients.at(*pan).trimmedName(),
                              weights)
                : std::optional(1.0);
    if (!yield)
        return;
    if (weighed)
        reviewed.line.quantity = *reviewed.line.quantity * *yield;
    replaceFirstFood(reviewed.foods, *pan);
}

// A bird's meat only where the line takes its skin off, before or after cooking: "4 chicken leg
// quarters, skin removed", "1 whole chicken, skinned", "turkey, skin discarded". USDA keeps the
// meat only beside the meat and skin of the whole bird and of its parts.
int skinlessFood(const IngredientLine& line, int food, const IngTable& ingredients)
{
    static const QRegularExpression skinOff(
        QStringLiteral("\\bskin(?:less|ned)\\b|\\bskin\\s+(?:removed|discarded|taken\\s+off)\\b|"
                       "\\b(?:without|remove|discard)\\s+(?:the\\s+)?skins?\\b"),
        QRegularExpression::CaseInsensitiveOption);
    static const QString withSkin = QStringLiteral("meat and skin");
    const QString name = ingredients.at(food).trimmedName();
    // Each note on its own, and none that only offers another choice: "8 chicken thighs, skin on
    // (or without)" keeps the skin the line asks for.
    const auto takesSkinOff = [](const QString& words) {
        return !words.startsWith(QLatin1String("or "), Qt::CaseInsensitive) &&
               skinOff.match(words).hasMatch();
    };
    if (!name.contains(withSkin) ||
        (!takesSkinOff(line.food) &&
         std::none_of(line.notes.cbegin(), line.notes.cend(), takesSkinOff)))
        return food;
    const QString meatOnly = QString(name).replace(withSkin, QStringLiteral("meat only"));
    // USDA files the meat alone of a bird's dark pieces under its dark meat: "Chicken, broilers
    // or fryers, dark meat, drumstick, meat only" beside "..., drumstick, meat and skin, raw".
    const qsizetype piece = meatOnly.indexOf(u',', meatOnly.indexOf(u',') + 1);
    const QString darkMeatOnly =
        piece > 0
            ? meatOnly.first(piece + 1) + QStringLiteral(" dark meat,") + meatOnly.sliced(piece + 1)
            : QString();
    static const QString raw = QStringLiteral(", raw");
    for (const QString& candidate :
         {meatOnly, darkMeatOnly,
          darkMeatOnly.endsWith(raw) ? darkMeatOnly.chopped(raw.size()) : QString()}) {
        if (const int found =
                candidate.isEmpty() ? -1 : ingredients.lastIndexOfNameIgnoringCase(candidate);
            found >= 0)
            return found;
    }
    return food;
}

// The food without its skin where USDA keeps both and the line peels it: "6 cups peeled, sliced
// apples" weigh and count as apples without skin, "1 cucumber, peeled" as the peeled cucumber.
int peeledFood(const IngredientLine& line, int food, const IngTable& ingredients)
{
    const QString text = line.food + u' ' + line.notes.join(u' ');
    if (!matchWords(text).contains(QStringLiteral("peeled")))
        return food;
    static const std::pair<QLatin1StringView, QLatin1StringView> skins[]{
        {QLatin1StringView("with skin"), QLatin1StringView("without skin")},
        {QLatin1StringView("with peel"), QLatin1StringView("peeled")}};
    const QString name = ingredients.at(food).name;
    for (const auto& [with, without] : skins) {
        if (!name.contains(with))
            continue;
        const int peeled =
            ingredients.lastIndexOfNameIgnoringCase(QString(name).replace(with, without));
        return peeled >= 0 ? peeled : food;
    }
    return food;
}

// A count between two sizes ("2 medium-large onions") weighs the middle of the two, in grams where
// the food offers them; else, or where either size weighs nothing, as the smaller.
LineMeasure betweenSizes(const ReviewedLine& reviewed, const IngTable& ingredients,
                         const HouseholdWeights& weights)
{
    const IngRecord& food = ingredients.at(reviewed.food);
    IngredientLine larger = reviewed.line;
    (larger.size.isEmpty() ? larger.unit : larger.size) = larger.largerSize;
    larger.largerSize.clear();
    const auto grams = [&](const LineMeasure& measure) -> std::optional<double> {
        if (!measure.usable())
            return std::nullopt;
        const auto amount = nutrition::lineAmount(
            ordinaryLine(food, measure.quantity, measure.unit).entry(), ingredients, 1);
        return amount ? amount->grams : std::nullopt;
    };
    const std::optional<double> smaller = grams(reviewed.measure);
    const std::optional<double> largerGrams = grams(measureLine(larger, food, weights));
    static const QString g = QStringLiteral("g");
    if (!smaller || !largerGrams || !measureList(food).contains(g))
        return reviewed.measure;
    const std::optional<quantity::Entry> middle = spinnerQuantity((*smaller + *largerGrams) / 2);
    return middle ? LineMeasure{MeasureStatus::Converted, *middle, g} : reviewed.measure;
}
} // namespace

bool ReviewedLine::amountTooLarge() const
{
    // An extra added to the amount ("50g butter, plus 1 tbsp extra") is typed as an amount too.
    return !counted() && line.quantity && *line.quantity > 0 &&
           (!spinnerQuantity(*line.quantity) ||
            (line.extraAmount > 0 && !spinnerQuantity(line.extraAmount)));
}

const QStringList& ReviewedLine::notes()
{
    static const QStringList all{noFood, noAmount, chooseMeasure, tooMuch, checkFood};
    return all;
}

QString ReviewedLine::note() const
{
    if (!isIngredient() || eaten == Eaten::Nothing)
        return QString();
    if (!matched())
        return noFood;
    if (!line.hasQuantity() && !counted())
        return noAmount;
    if (!counted())
        return amountTooLarge() ? tooMuch : chooseMeasure;
    return uncertain() ? checkFood : QString();
}

namespace {

// Whether the line counts its food by the sprig or the bunch, as only a fresh herb is sold.
bool pickedFresh(const IngredientLine& line)
{
    static const QString sprig = matchWords(u"sprig").value(0);
    return line.unit == QLatin1String("sprig") || line.unit == QLatin1String("bunch") ||
           matchWords(line.food).contains(sprig);
}

// Whether the food is a staple sold dry, which cooking only swells with water: pasta, noodles,
// rice and other grains, dried beans, peas and lentils, as USDA names them dry or raw.
bool stapleSoldDry(const QString& name)
{
    static const QRegularExpression dryStaple(
        QStringLiteral("^(?:Macaroni|Spaghetti|Noodles|Rice noodles|Rice|Wild rice|Pasta|Couscous|"
                       "Quinoa|Bulgur|Barley|Millet|Buckwheat groats|Lentils|Peas, split|"
                       "Chickpeas|Beans,.*\\bmature seeds)\\b(?!.*\\bsprouted\\b).*"
                       "\\b(?:dry|raw|uncooked)\\b"));
    return dryStaple.match(name).hasMatch();
}

// Pepper counted by the piece is the vegetable, never the spice nobody counts: "2 peppers, sliced"
// as British and Australian cards call bell peppers, "1 large pepper, chopped".
bool countedPepper(const IngredientLine& line)
{
    static const QString pepper = matchWords(u"pepper").value(0);
    return line.hasQuantity() && (line.unit.isEmpty() || isSize(line.unit)) &&
           matchWords(line.food).endsWith(pepper);
}

// Whether the best of the foods is a dried spice.
bool driedSpice(const QList<FoodMatch>& foods, const IngTable& ingredients)
{
    return !foods.isEmpty() &&
           ingredients.at(foods.front().index).name.startsWith(QLatin1String("Spices,"));
}

// Whether the line spoons out a plant named alone, as a spice list does: "1 tsp coriander", "1/2
// tsp fennel". Leaves and bulbs come chopped, sliced, picked or fresh, which the line then says.
bool spoonedAlone(const IngredientLine& line)
{
    static const QRegularExpression freshCut(
        QStringLiteral("\\b(?:fresh|chopped|minced|snipped|torn|picked|sliced|shaved|leaf|leaves|"
                       "stems?|fronds?|sprigs?|bulbs?|garnish|serve|serving)\\b"),
        QRegularExpression::CaseInsensitiveOption);
    return (line.unit == QLatin1String("tsp") || line.unit == QLatin1String("tbs")) &&
           !freshCut.match(line.food + u' ' + line.notes.join(u' ')).hasMatch();
}

// Whether the best of the foods is a canned one.
bool bestIsCanned(const QList<FoodMatch>& foods, const IngTable& ingredients)
{
    return !foods.isEmpty() &&
           ingredients.at(foods.front().index).name.contains(QLatin1String("canned"));
}

// The line's food without the words that only say how it is cut or handled: "whole tomatoes" are
// tomatoes, "chipotle peppers in adobo" stay what they are.
QString withoutDescribingWords(const QString& food)
{
    QStringList kept;
    for (const QString& word : food.split(u' ', Qt::SkipEmptyParts))
        if (const QStringList stems = matchWords(word);
            stems.isEmpty() || !isDescribingWord(stems.front()))
            kept.append(word);
    return kept.join(u' ');
}

// Whether a line's food is a group's word alone, with at most words of how it is cut or kept or
// which pieces: "white fish fillets", "shredded cheese", "frozen berries"; not "chicken thighs",
// whose notes ("skin on, bone in") say how the thighs come, not which kind.
bool namesOnlyTheGroup(const QString& food, const QString& group)
{
    static const QStringList piecesOfAGroup = matchWords(
        QStringLiteral("fillets steaks pieces chunks white firm mild mixed assorted frozen"));
    const QStringList groupWords = matchWords(group);
    QStringList words = matchWords(withoutDescribingWords(food));
    words.removeIf(isStopWord); // "fresh or frozen berries"
    return !words.isEmpty() && std::all_of(words.cbegin(), words.cend(), [&](const QString& word) {
        return groupWords.contains(word) || piecesOfAGroup.contains(word);
    }) && std::any_of(words.cbegin(), words.cend(), [&](const QString& word) {
        return groupWords.contains(word);
    });
}

// The first of the kinds a note offers for a food the line names only by its group: "sole" of
// "fish fillets (sole, flounder or sea perch)", "haddock" of "white fish, such as haddock". Empty
// where no note lists kinds: a lone word in brackets may say anything ("cheese (optional)").
QString firstKindOffered(const IngredientLine& line)
{
    static const QRegularExpression offered(
        QStringLiteral("^(?:(?:such as|like|e\\.?g\\.?,?|for example|preferably|ideally)\\s+)?"
                       "([A-Za-z][A-Za-z' -]*?)(?:\\s*,\\s*|\\s+(?:and/)?or\\s+|$)"),
        QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression listed(
        QStringLiteral("^(?:such as|like|e\\.?g\\.?|for example|preferably|ideally)\\s|,|\\sor\\s"),
        QRegularExpression::CaseInsensitiveOption);
    for (const QString& note : line.notes) {
        if (note.startsWith(QLatin1String("or ")) || !listed.match(note).hasMatch())
            continue;
        if (const QRegularExpressionMatch m = offered.match(note); m.hasMatch())
            return m.captured(1).trimmed();
    }
    return {};
}

} // namespace

ReviewedLine reviewLine(const IngredientLine& line, const FoodMatcher& matcher,
                        const IngTable& ingredients, const HouseholdWeights& weights)
{
    ReviewedLine reviewed;
    reviewed.line = line;
    if (!reviewed.isIngredient() || line.food.isEmpty())
        return reviewed;
    // A drained can gives its drained solids, which weigh a share of what the can holds ("1 (15
    // oz) can chickpeas, rinsed and drained" is some 9 oz of chickpeas).
    static const QRegularExpression drainedNote(QStringLiteral("\\bdrained\\b"),
                                                QRegularExpression::CaseInsensitiveOption);
    // A can's food rinsed is drained first: "1 8-ounce can sliced water chestnuts, rinsed". Not
    // so a dry food rinsed before cooking ("1 cup red lentils, rinsed"), which no can holds.
    static const QRegularExpression rinsedNote(QStringLiteral("\\brinsed\\b"),
                                               QRegularExpression::CaseInsensitiveOption);
    const auto notesSay = [&](const QRegularExpression& word) {
        return std::any_of(line.notes.cbegin(), line.notes.cend(),
                           [&](const QString& note) { return word.match(note).hasMatch(); });
    };
    const bool saysDrained = notesSay(drainedNote);
    // A weight the line calls the drained weight is what the sieve leaves already: "1.9kg tinned
    // chickpeas, drained weight" is 1.9 kg of chickpeas, not a can's net weight to take a share of.
    // A note that gives a drained weight of its own beside the can's ("240g drained weight") says
    // the share, which the can's weight still takes.
    static const QRegularExpression drainedWeight(
        QStringLiteral("^\\W*drained\\s+(?:weight|wt)\\W*$"),
        QRegularExpression::CaseInsensitiveOption);
    const bool weighedDrained = notesSay(drainedWeight);
    // Vegetables bought in a jar are preserved as in a can: "1 (4.5 ounce) jar sliced mushrooms,
    // drained", "a 290g jar of roasted red peppers". Sauces and spreads in jars have no other form.
    // So is food the line calls canned or packed in juice or syrup, or fruit cocktail, which is
    // sold only canned, though the line names no can: "1 cup canned pear halves, drained", "1 cup
    // mandarin oranges in juice, drained", "1 cup fruit cocktail, drained".
    static const QRegularExpression cannedFood(
        QStringLiteral("\\b(?:canned|tinned|fruit\\s+cocktail|in\\s+(?:(?:natural|heavy|light)\\s+)"
                       "?(?:juice|syrup))\\b"),
        QRegularExpression::CaseInsensitiveOption);
    const bool preserved = line.package == QLatin1String("can") ||
                           line.package == QLatin1String("jar") ||
                           cannedFood.match(line.food).hasMatch();
    const bool drained = preserved && (saysDrained || notesSay(rinsedNote));
    // Beans a cook drains come from a can, though the line names no can ("15 oz kidney beans,
    // rinsed and drained", "1 cup chick peas, drained"): dried ones are soaked and cooked first
    // and say so.
    static const QRegularExpression pulses(
        QStringLiteral("\\b(?:beans?|chick[\\s-]?peas?|garbanzos?|lentils?)\\b"),
        QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression dried(QStringLiteral("\\b(?:dried|dry|soaked|cooked)\\b"),
                                          QRegularExpression::CaseInsensitiveOption);
    const bool drainedPulses = saysDrained && pulses.match(line.food).hasMatch() &&
                               !dried.match(line.food + u' ' + line.notes.join(u' ')).hasMatch();
    // Lentils are canned only cooked, in water that counts for nothing: a can of them is the
    // lentils it holds drained, whether or not the line drains them ("400g can green lentils").
    static const QRegularExpression lentils(QStringLiteral("\\blentils?\\b"),
                                            QRegularExpression::CaseInsensitiveOption);
    const bool cannedLentils = preserved && lentils.match(line.food).hasMatch();
    if (line.quantity && unitClass(line.unit) == UnitClass::Weight && !weighedDrained &&
        (drained || cannedLentils || (drainedPulses && isCansWeight(*line.quantity, line.unit))))
        reviewed.line.quantity = *line.quantity * drainedShare(line.food);
    // A can's food is a canned one where there is such a food; a share of fat in a note is the
    // food's ("ground beef (85% lean)", "milk (I use 2%)").
    // A can "no salt added" needs neither hint: USDA names its unsalted cans so, and keeps none
    // of beans, for which the cooks' names give the beans cooked without salt; nor of beans low
    // in sodium, which those are nearer than the salted can. Nor does one of lentils, of which
    // USDA keeps no can at all: the cooks' names give them boiled and salted.
    static const QRegularExpression noSaltAdded(
        QStringLiteral("\\bno[\\s-](?:salt[\\s-]added|added[\\s-]salt)\\b"),
        QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression lowSodium(QStringLiteral("\\blow[\\s-]sodium\\b"),
                                              QRegularExpression::CaseInsensitiveOption);
    // British pulses tinned "in water" have no salt added (those in salted water say so), and
    // British mixed beans are sold only so; the cooks' names give them boiled without salt too.
    static const QRegularExpression inWater(QStringLiteral("\\b(?:in\\s+water|mixed\\s+beans)\\b"),
                                            QRegularExpression::CaseInsensitiveOption);
    const bool britishInWater =
        line.readIn == KitchenMeasures::UK && inWater.match(line.food).hasMatch();
    // Of pulses the salt is said before the food or after it, in a note: "black beans, low
    // sodium, drained and rinsed" is the can "low sodium black beans" is. Not in a food offered
    // instead. Other cans keep their canned hint: "tuna (packed in water, no added salt)" is
    // still tuna from a can.
    QString saidOfTheFood = line.food;
    for (const QString& note : line.notes)
        if (!note.startsWith(QLatin1String("or ")))
            saidOfTheFood += u' ' + note;
    const bool unsalted = noSaltAdded.match(line.food).hasMatch() ||
                          (pulses.match(line.food).hasMatch() &&
                           (noSaltAdded.match(saidOfTheFood).hasMatch() ||
                            lowSodium.match(saidOfTheFood).hasMatch() || britishInWater));
    const bool canForms = preserved && !unsalted && !cannedLentils;
    const bool cannedPulses = (drainedPulses || cannedLentils) && !unsalted;
    QStringList hints;
    if (canForms)
        hints.append(QStringLiteral("canned"));
    if ((drained && canForms) || cannedPulses)
        hints.append(QStringLiteral("drained"));
    static const QRegularExpression percent(QStringLiteral("\\b\\d+(?:\\.\\d+)?%"));
    // A note that says the food is cooked, and at most how it was cooked and how it is cut up
    // then, measures the cooked food: "1 cup brown rice, cooked", "6 slices bacon, cooked and
    // crumbled", "6 cups macaroni, cooked in unsalted water", "2 cups macaroni, cooked al dente".
    static const QRegularExpression cooked(
        QStringLiteral(
            "^\\s*(?:crisply\\s+)?(?:cooked|steamed|boiled|fried)"
            "(?:\\s+(?:(?:in|with(?:out)?)\\s+(?:(?:un)?salted\\s+|boiling\\s+)?(?:water|salt)|"
            "al\\s+dente))?"
            "(?:\\s*(?:and|&)\\s*(?:crumbled|chopped|diced|drained|sliced|shredded|cubed))?\\s*$"),
        QRegularExpression::CaseInsensitiveOption);
    // Meat browned and drained, or bacon cooked crisp, is the raw meat the cook bought until the
    // pan's form replaces it below: "1 lb ground beef, browned and drained" is a pound of the
    // grind the line names, of which the crumbles are left.
    const bool meatDrained = [&] {
        if (preserved || !saysFatDrained(line.notes.join(QStringLiteral(", "))))
            return false;
        const QList<FoodMatch> bought = matcher.bestFoods(line.food, 1, hints, line.readIn);
        return !bought.isEmpty() &&
               drainedForm(bought.front().index, matcher, ingredients).has_value();
    }();
    for (const QString& note : line.notes) {
        for (auto match = percent.globalMatch(note); match.hasNext();)
            hints.append(match.next().captured());
        if (!meatDrained && cooked.match(note).hasMatch())
            hints.append(QStringLiteral("cooked"));
    }
    // A weight of a staple sold dry is what the cook weighed or bought, dry, though a note says it
    // is cooked: "8 ounces elbow macaroni, cooked and drained", "500g packet spaghetti, cooked".
    // Cooking only adds water. A cup of it cooked measures the cooked food, as above.
    bool weighedDry = false;
    if (hints.contains(QStringLiteral("cooked")) && line.quantity &&
        unitClass(line.unit) == UnitClass::Weight) {
        QStringList uncooked = hints;
        uncooked.removeAll(QStringLiteral("cooked"));
        const QList<FoodMatch> dry = matcher.bestFoods(line.food, 1, uncooked, line.readIn);
        weighedDry = !dry.isEmpty() && stapleSoldDry(ingredients.at(dry.front().index).name);
        if (weighedDry)
            hints = uncooked;
    }
    // A cooked note reads as "cooked" before the food's words, as the cooks' names know them:
    // "bacon, cooked" is the cooked slice, not the fat it renders.
    QString words = line.food;
    if (hints.removeAll(QStringLiteral("cooked")) > 0 &&
        !words.contains(QStringLiteral("cooked"), Qt::CaseInsensitive))
        words.prepend(QStringLiteral("cooked "));
    // Meat with its kinds offered in brackets is the first kind named, as a food offered with
    // "or" is the first: "1 lb meat (beef, pork or lamb), cubed" is beef, where "meat" alone finds
    // a frankfurter. Meat measured by the cup is cut up cooked, as a cup of chicken is; leftover
    // meat is cooked. Weighed as that meat too.
    static const QRegularExpression bareMeat(
        QStringLiteral("^\\s*(?:(?:cooked|leftover)\\s+)?meats?\\s*$"),
        QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression meatOffered(
        QStringLiteral("\\bmeats?\\s*\\(\\s*(beef|pork|lamb|veal|chicken|turkey|ham)\\b"),
        QRegularExpression::CaseInsensitiveOption);
    if (const QRegularExpressionMatch kind = meatOffered.match(line.text);
        kind.hasMatch() && bareMeat.match(words).hasMatch()) {
        words = kind.captured(1).toLower();
        if (unitClass(line.unit) == UnitClass::Volume ||
            line.food.contains(QLatin1String("cooked"), Qt::CaseInsensitive) ||
            line.food.contains(QLatin1String("leftover"), Qt::CaseInsensitive))
            words.prepend(QStringLiteral("cooked "));
        reviewed.line.food = words;
    }
    // A note that only says how much fat the food keeps reads before the food's words, as the
    // cooks' names know it: "plain yogurt, low-fat" is low-fat plain yogurt.
    static const QRegularExpression fatNote(
        QStringLiteral("^\\s*(?:(?:low|non|reduced)[\\s-]*fat|fat[\\s-]*free)\\s*$"),
        QRegularExpression::CaseInsensitiveOption);
    for (const QString& note : line.notes)
        if (fatNote.match(note).hasMatch())
            words.prepend(note.trimmed() + u' ');
    // So does a note that the food is sweetened without sugar, in the words the cooks' names
    // keep for it: "vanilla yogurt, sweetened with low-calorie sweetener" is sugar-free yogurt.
    static const QRegularExpression sugarFreeNote(
        QStringLiteral("^\\s*(?:(?:sweetened\\s+with\\s+(?:an?\\s+)?(?:low[\\s-]*cal(?:orie)?|"
                       "artificial|non[\\s-]*nutritive|no[\\s-]*calorie)\\s+sweeteners?)|"
                       "artificially\\s+sweetened|sugar[\\s-]*free|no\\s+sugar\\s+added)\\s*$"),
        QRegularExpression::CaseInsensitiveOption);
    if (std::any_of(line.notes.cbegin(), line.notes.cend(),
                    [](const QString& note) { return sugarFreeNote.match(note).hasMatch(); }))
        words.prepend(QStringLiteral("sugar free "));
    // Bouillon by the cup or the litre is the broth, as American cards call it: "2 cups beef
    // bouillon" is not 192 g of its powder. By the spoon, or as cubes, granules or powder, it is
    // the dry food.
    static const QRegularExpression bouillon(QStringLiteral("\\bbouillon\\b"),
                                             QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression dryBouillon(
        QStringLiteral("\\b(?:granules?|granulated|powder(?:ed)?|cubes?|paste|base|concentrate|"
                       "dry|instant)\\b"),
        QRegularExpression::CaseInsensitiveOption);
    constexpr double spoonfulMl = 60;
    const bool spoonful =
        line.unit == QLatin1String("tsp") || line.unit == QLatin1String("tbs") ||
        (line.unit == QLatin1String("ml") && line.quantity.value_or(0) < spoonfulMl);
    if (unitClass(line.unit) == UnitClass::Volume && !spoonful &&
        bouillon.match(words).hasMatch() && !dryBouillon.match(line.text).hasMatch()) {
        words.replace(bouillon, QStringLiteral("broth"));
        // Weighed as the broth too, not by the spoon weights of the granules.
        reviewed.line.food.replace(bouillon, QStringLiteral("broth"));
    }
    // So does a note that the food has less salt: "chicken broth (low sodium)", "400ml stock,
    // made from 1 low-sodium stock cube", "soy sauce (lowest sodium available)"; or that it is
    // canned: "tomato sauce, canned" is the canned sauce, also where Australians call ketchup
    // tomato sauce.
    static const QRegularExpression lessSalt(
        QStringLiteral(
            "\\b(?:(?:low|lower|lowest|reduced|less)[\\s-](?:sodium|salt)|salt[\\s-]reduced|"
            "unsalted|no[\\s-](?:sugar\\s+(?:or|and)\\s+)?salt[\\s-]added|"
            "no[\\s-]added[\\s-](?:sugar\\s+(?:or|and)\\s+)?salt)\\b"),
        QRegularExpression::CaseInsensitiveOption);
    // A label leaves out its sugar with its salt: "no added sugar or salt" says no salt added,
    // and no sugar in the food's words.
    static const QRegularExpression sugarToo(QStringLiteral("sugar\\s+(?:or|and)\\s+"),
                                             QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression canned(QStringLiteral("^\\s*canned\\s*$"),
                                           QRegularExpression::CaseInsensitiveOption);
    // A dry food made up with water is the made-up food: "nonfat dry milk, prepared".
    static const QRegularExpression madeUp(QStringLiteral("^\\s*(?:prepared|reconstituted)\\s*$"),
                                           QRegularExpression::CaseInsensitiveOption);
    // So does a note that a bird's skin is left on: "2 chicken breasts, skin on" are the breasts
    // with their skin, which USDA keeps apart from the meat alone. A fish fillet's skin is no
    // other food: USDA's fish "with skin" are smoked or dried ones.
    static const QRegularExpression skinOn(
        QStringLiteral("\\b(?:skin[\\s-]on|with\\s+(?:the\\s+|its\\s+|their\\s+)?skin)\\b"),
        QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression bird(
        QStringLiteral("\\b(?:chicken|turkey|duck|goose|poussin|hens?)\\b"),
        QRegularExpression::CaseInsensitiveOption);
    const bool ofABird = bird.match(line.food).hasMatch();
    for (const QString& note : line.notes) {
        // A food offered instead says nothing of this one: "homemade chicken stock or
        // low-sodium canned broth" is the home-made stock, as salted as it is.
        if (note.startsWith(QLatin1String("or ")))
            continue;
        if (const QRegularExpressionMatch m = lessSalt.match(note);
            m.hasMatch() && !lessSalt.match(words).hasMatch())
            words.prepend(m.captured(0).remove(sugarToo) + u' ');
        if (canned.match(note).hasMatch() &&
            !words.contains(QLatin1String("canned"), Qt::CaseInsensitive))
            words.prepend(QStringLiteral("canned "));
        if (madeUp.match(note).hasMatch() &&
            !words.contains(QLatin1String("prepared"), Qt::CaseInsensitive))
            words.prepend(QStringLiteral("prepared "));
        if (ofABird && skinOn.match(note).hasMatch() &&
            !words.contains(QLatin1String("skin"), Qt::CaseInsensitive))
            words.prepend(QStringLiteral("skin-on "));
    }
    // Canned pulses low in sodium are the ones with no salt added, as near as USDA comes: "1 can
    // low sodium navy beans" are no raw beans, nor "beans, low sodium" low-sodium frankfurters.
    if (preserved && pulses.match(line.food).hasMatch())
        words.replace(lowSodium, QStringLiteral("no salt added"));
    // Such a can not drained is the beans with their liquid, which the cooks' names know as the
    // canned kind: "2 16 ounce cans black beans, low sodium, undrained" are no 907 g of beans
    // boiled without salt, half as much energy again as the cans hold.
    if (preserved && !drained && noSaltAdded.match(words).hasMatch() &&
        pulses.match(line.food).hasMatch() &&
        !words.contains(QLatin1String("canned"), Qt::CaseInsensitive))
        words.prepend(QStringLiteral("canned "));
    // Stock made from a cube, a pot or a paste is the broth a cube makes, whatever it is called
    // where the line's country buys its stock in cartons: "4 cups chicken stock made from
    // bouillon cubes", "1 cup beef broth (from 1 bouillon cube)". A cube with less salt is named
    // by the less-salt words read above.
    static const QRegularExpression concentrate(
        QStringLiteral("\\b(?:cubes?|pots?|paste|base|concentrate)\\b"),
        QRegularExpression::CaseInsensitiveOption);
    const bool fromConcentrate =
        std::any_of(line.notes.cbegin(), line.notes.cend(), [](const QString& note) {
            return saysWhatItIsMadeFrom(note) && concentrate.match(note).hasMatch();
        });
    if (fromConcentrate && !lessSalt.match(words).hasMatch())
        words.append(QStringLiteral(" from concentrate"));
    // A bird's piece bought on the bone comes with its skin unless the line takes it off: "6
    // bone-in chicken thighs" are the thighs with their skin, as butchers sell them, and so are
    // "4 chicken breast halves, bone in" and split breasts, the half breasts stores sell on the
    // bone.
    static const QRegularExpression onTheBone(QStringLiteral("\\bbone[\\s-]in\\b"),
                                              QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression split(QStringLiteral("\\bsplit\\b"),
                                          QRegularExpression::CaseInsensitiveOption);
    const QString notes = line.notes.join(u' ');
    const bool boneInWords = onTheBone.match(words).hasMatch();
    if (ofABird &&
        (boneInWords || onTheBone.match(notes).hasMatch() || split.match(words).hasMatch()) &&
        !words.contains(QLatin1String("skin"), Qt::CaseInsensitive) &&
        !notes.contains(QLatin1String("skin"), Qt::CaseInsensitive))
        words.prepend(boneInWords ? QStringLiteral("skin-on ")
                                  : QStringLiteral("skin-on bone-in "));
    // Meat named by its animal alone ("500g beef, cut into 2cm cubes", "1 1/2 lbs pork, cubed",
    // "1 lb. lean beef") is what butchers dice for the stew, the curry or the stir-fry it goes
    // into, not a frankfurter or a rib, whose short names fit the lone words best. "85% lean
    // beef" and "pork fillet" say more.
    static const QRegularExpression animalAlone(
        QStringLiteral("^\\s*(?:(?:extra[\\s-]+)?lean\\s+)?(?:beef|pork|lamb)\\s*$"),
        QRegularExpression::CaseInsensitiveOption);
    if (animalAlone.match(words).hasMatch())
        words.prepend(QStringLiteral("diced "));
    if (cannedPulses && !words.contains(QLatin1String("canned"), Qt::CaseInsensitive))
        words.prepend(QStringLiteral("canned "));
    // A can's food rinsed is USDA's rinsed form where it keeps one, a fifth less salty than the
    // drained one: "1 (15 oz) can kidney beans, rinsed", "1 can corn, drained and rinsed".
    if ((drained || cannedPulses) && notesSay(rinsedNote))
        words.append(QStringLiteral(" rinsed"));
    reviewed.foods = matcher.bestFoods(words, 5, hints, line.readIn);
    // A fruit or vegetable counted with no can, tin, jar or pack is fresh: "4 whole tomatoes" and
    // "3 diced tomatoes" come off the vine, though whole and diced tomatoes by the cup or the can
    // are canned ones. Only where the cutting words alone made the food a canned one: "2 chipotle
    // peppers in adobo" and "6 anchovy fillets" name nothing fresh.
    if (line.hasQuantity() && (line.unit.isEmpty() || isSize(line.unit)) && !preserved &&
        bestIsCanned(reviewed.foods, ingredients) &&
        !bestIsCanned(matcher.bestFoods(withoutDescribingWords(words), 1, hints, line.readIn),
                      ingredients)) {
        const QList<FoodMatch> fresh =
            matcher.bestFoods(QStringLiteral("fresh ") + words, 5, hints, line.readIn);
        if (!fresh.isEmpty() && !bestIsCanned(fresh, ingredients))
            reviewed.foods = fresh;
    }
    // A herb counted by the sprig or the bunch is picked fresh: "4 sprigs thyme" and "1 bunch
    // thyme" are the fresh herb where USDA keeps one, not its dried spice.
    if (const QString kind = pickedFresh(line)     ? QStringLiteral("fresh ")
                             : countedPepper(line) ? QStringLiteral("bell ")
                                                   : QString();
        !kind.isEmpty() && driedSpice(reviewed.foods, ingredients)) {
        const QList<FoodMatch> vegetable = matcher.bestFoods(kind + words, 5, hints, line.readIn);
        if (!vegetable.isEmpty() && !driedSpice(vegetable, ingredients))
            reviewed.foods = vegetable;
    }
    // A spoon of a plant whose seed is the spice is that seed, ground or whole, not the leaves or
    // the bulb USDA weighs raw: "1 tsp coriander, 1 tsp cumin" and "1 tsp fennel" in a ragu. Herbs
    // whose chopped leaves are spooned (dill, parsley, basil) USDA keeps fresh, and keep them.
    // Celery is the vegetable first: "2 tablespoons celery" is chopped stalk, and its seed is
    // always named.
    if (spoonedAlone(line) && !reviewed.foods.isEmpty() &&
        ingredients.at(reviewed.foods.front().index).name.endsWith(QLatin1String(", raw")) &&
        !ingredients.at(reviewed.foods.front().index).name.startsWith(QLatin1String("Celery,"))) {
        const QList<FoodMatch> seed =
            matcher.bestFoods(line.food + QStringLiteral(" seed"), 5, hints, line.readIn);
        if (!seed.isEmpty() && driedSpice(seed, ingredients) &&
            ingredients.at(seed.front().index)
                .name.contains(line.food + QStringLiteral(" seed"), Qt::CaseInsensitive))
            reviewed.foods = seed;
    }
    // A cut of meat bought on the bone is USDA's bone-in cut where it keeps one beside the
    // boneless one the words found: "2 bone-in ribeye steaks" are the 462 g steaks on the rib,
    // not boneless ones. A bird's piece on the bone is its piece with skin, above.
    if (!ofABird && onTheBone.match(line.food).hasMatch() && !reviewed.foods.isEmpty()) {
        static const QString boneless = QStringLiteral(", boneless,");
        const QString name = ingredients.at(reviewed.foods.front().index).trimmedName();
        if (const int onBone = name.contains(boneless)
                                   ? ingredients.lastIndexOfNameIgnoringCase(QString(name).replace(
                                         boneless, QStringLiteral(", bone-in,")))
                                   : -1;
            onBone >= 0) {
            reviewed.foods.removeIf([&](const FoodMatch& match) { return match.index == onBone; });
            reviewed.foods.front().index = onBone;
        }
    }
    // A can chooses among the canned and the other forms of the food the line names, never
    // another food: of "a can of enchilada sauce", which USDA keeps in no can, the sauce is the
    // cook's, not a canned cranberry sauce that shares the word "sauce". A canned food lacking a
    // word of the line that the best food of any form has is another food, and so is one of
    // another kind before its name's first comma: of "a jar of pasta sauce" the pasta sauce, not
    // canned pasta in tomato sauce. Unless that food is a canned one too, only filed under another
    // first word: USDA keeps some canned salmon under "Salmon", most under "Fish".
    if (canForms && !reviewed.foods.isEmpty()) {
        QStringList formless = hints;
        formless.removeAll(QStringLiteral("canned"));
        const QList<FoodMatch> named = matcher.bestFoods(words, 5, formless, line.readIn);
        if (!named.isEmpty() && named.front().score >= sureScore) {
            const QStringList namedWords = matchWords(ingredients.at(named.front().index).name);
            const QStringList cannedWords =
                matchWords(ingredients.at(reviewed.foods.front().index).name);
            const QStringList lineWords = matchWords(line.food);
            const auto kind = [&](const FoodMatch& match) {
                return ingredients.at(match.index).name.section(u',', 0, 0).trimmed();
            };
            // Nor does a can sweeten what the line does not call sweet: "a tin of coconut cream"
            // for a curry is no canned cream of coconut with its sugar.
            static const QString sweetened = matchWords(QStringLiteral("sweetened")).front();
            if (std::any_of(lineWords.cbegin(), lineWords.cend(),
                            [&](const QString& word) {
                                return namedWords.contains(word) && !cannedWords.contains(word);
                            }) ||
                (kind(named.front()).compare(kind(reviewed.foods.front()), Qt::CaseInsensitive) !=
                     0 &&
                 !bestIsCanned(named, ingredients)) ||
                (cannedWords.contains(sweetened) && !namedWords.contains(sweetened) &&
                 !lineWords.contains(sweetened)))
                reviewed.foods = named;
        }
    }
    // A can not drained is its food with the liquid, where the cooks' names know that form of it:
    // "1 can whole kernel corn, undrained" is no 211 g of drained kernels. A food without such a
    // name keeps what its words found: canned tomatoes are weighed with their juice already. USDA
    // names a can with its liquid "regular pack" or "solids and liquids".
    static const QRegularExpression undrainedNote(
        QStringLiteral(
            "\\b(?:undrained|not\\s+drained|with(?:\\s+(?:its|their|the))?\\s+liquid)\\b"),
        QRegularExpression::CaseInsensitiveOption);
    if (preserved && !drained && notesSay(undrainedNote) && !reviewed.foods.isEmpty()) {
        const QList<FoodMatch> withLiquid =
            matcher.bestFoods(QStringLiteral("undrained ") + words, 5, hints, line.readIn);
        static const QRegularExpression withItsLiquid(
            QStringLiteral("\\b(?:regular pack|solids and liquids)\\b"));
        if (!withLiquid.isEmpty() &&
            withItsLiquid.match(ingredients.at(withLiquid.front().index).name).hasMatch())
            reviewed.foods = withLiquid;
    }
    // "Kosher salt and freshly ground pepper": a line without an amount may name two foods, of
    // which the first is the line's when it is found on its own.
    static const QRegularExpression conjunction(QStringLiteral("\\s+and\\s+"),
                                                QRegularExpression::CaseInsensitiveOption);
    if (const qsizetype at = line.hasQuantity() ? -1 : line.food.indexOf(conjunction); at > 0) {
        const QList<FoodMatch> first =
            matcher.bestFoods(line.food.first(at), 5, hints, line.readIn);
        if (!first.isEmpty() && first.front().score >= sureScore)
            reviewed.foods = first;
    }
    // "1 vidalia or sweet onion": where the first of two foods offered is none the matcher knows,
    // the other one is what the cook would use.
    if (reviewed.foods.isEmpty() || reviewed.foods.front().score < matchedScore) {
        const auto other =
            std::find_if(line.notes.cbegin(), line.notes.cend(),
                         [](const QString& note) { return note.startsWith(QLatin1String("or ")); });
        const QList<FoodMatch> others =
            other == line.notes.cend() ? QList<FoodMatch>()
                                       : matcher.bestFoods(other->sliced(3), 5, hints, line.readIn);
        if (!others.isEmpty() && others.front().score >= matchedScore)
            reviewed.foods = others;
    }
    // "1 lb fish fillets (sole, flounder or sea perch)": a food named by its group alone, with
    // the kinds the cook would take, is the first kind, where that is a food of the same group or
    // one USDA files under its own name ("berries, such as strawberries"); frozen where the line
    // buys the group frozen, not fresh. Mixed berries stay the mix the cook asks for.
    if (const QString kind = firstKindOffered(line); !kind.isEmpty() && !reviewed.foods.isEmpty()) {
        const QString group =
            ingredients.at(reviewed.foods.front().index).name.section(u',', 0, 0).trimmed();
        const QStringList lineWords = matchWords(line.food);
        static const QString frozen = matchWords(u"frozen").value(0);
        static const QString fresh = matchWords(u"fresh").value(0);
        const bool boughtFrozen = lineWords.contains(frozen) && !lineWords.contains(fresh);
        const QList<FoodMatch> kinds = matcher.bestFoods(
            boughtFrozen ? QStringLiteral("frozen ") + kind : kind, 5, hints, line.readIn);
        const QString kindGroup =
            kinds.isEmpty()
                ? QString()
                : ingredients.at(kinds.front().index).name.section(u',', 0, 0).trimmed();
        static const QStringList mixed = matchWords(u"mixed assorted");
        const QString groupWord = matchWords(group).value(0);
        const bool filedApart =
            matchWords(group).size() == 1 && matchWords(kindGroup).size() == 1 &&
            matchWords(kindGroup).front().endsWith(groupWord) &&
            std::none_of(mixed.cbegin(), mixed.cend(),
                         [&](const QString& word) { return lineWords.contains(word); });
        if (!kinds.isEmpty() && kinds.front().score >= sureScore &&
            namesOnlyTheGroup(line.food, group) &&
            (kindGroup.compare(group, Qt::CaseInsensitive) == 0 || filedApart))
            reviewed.foods = kinds;
    }
    // "Pork stew meat" is no beef chuck for stew: the animal the line names is its food's, from
    // further down the ranking where the first food is of another. Not so a broth: USDA keeps
    // only chicken, beef and fish broths, and "turkey broth" is the chicken one, not turkey meat
    // canned in broth.
    static const QRegularExpression broth(QStringLiteral("\\b(?:broth|stock)\\b"),
                                          QRegularExpression::CaseInsensitiveOption);
    if (!reviewed.foods.isEmpty() && !broth.match(line.food).hasMatch() &&
        ofAnotherAnimal(line.food, ingredients.at(reviewed.foods.front().index).name))
        reviewed.foods = ofTheNamedAnimal(
            line.food, matcher.bestFoods(words, 40, hints, line.readIn), ingredients, matchedScore);
    // A line naming a stored food by its whole name, as this program's own MealMaster files write
    // it ("2 tb Syrups, maple"), is that food, whatever else its words would find.
    if (const qsizetype at = line.text.indexOf(line.food); at >= 0) {
        const QString named = line.text.sliced(at).trimmed();
        const int exact = ingredients.lastIndexOfNameIgnoringCase(named);
        // A cook's "200g couscous, cooked" is the dry food weighed, above, though its words are a
        // stored name; the name as this program writes it is that food.
        if (exact >= 0 && (!weighedDry || ingredients.at(exact).trimmedName() == named)) {
            reviewed.foods.removeIf([exact](const FoodMatch& food) { return food.index == exact; });
            reviewed.foods.prepend(FoodMatch{exact, exactNameScore});
        }
    }
    // "Lean ground beef (93% lean)", "80/20 ground beef": the grind of the share the line gives.
    if (const std::optional<int> lean = leanShare(line.text); lean && !reviewed.foods.isEmpty())
        replaceFirstFood(reviewed.foods,
                         nearestGrind(reviewed.foods.front().index, *lean, matcher, ingredients));
    // "Lean top sirloin", "trimmed of visible fat": the cut's lean only.
    if (saysTrimmedOfFat(QString(line.food + u' ' + line.notes.join(u' '))) &&
        !reviewed.foods.isEmpty())
        replaceFirstFood(reviewed.foods,
                         leanOnlyCut(reviewed.foods.front().index, matcher, ingredients));
    if (meatDrained && !reviewed.foods.isEmpty())
        panDrainedFood(reviewed, matcher, ingredients, weights);
    if (!reviewed.foods.isEmpty())
        replaceFirstFood(reviewed.foods,
                         peeledFood(line, reviewed.foods.front().index, ingredients));
    if (!reviewed.foods.isEmpty())
        replaceFirstFood(reviewed.foods,
                         skinlessFood(line, reviewed.foods.front().index, ingredients));
    const bool good = !reviewed.foods.isEmpty() && reviewed.foods.front().score >= matchedScore;
    chooseFood(reviewed, good ? reviewed.foods.front().index : -1, ingredients, weights);
    if (!line.hasQuantity() || reviewed.measure.usable())
        return reviewed;
    // A package's food is the food that comes in it: of the foods that fit nearly as well, the
    // first whose measures take the amount ("2 cans cream of mushroom soup" are of the condensed
    // soup, which is sold in cans).
    for (const FoodMatch& other : std::as_const(reviewed.foods)) {
        if (!good || line.package.isEmpty() ||
            other.score < reviewed.foods.front().score - nearScore)
            break;
        const LineMeasure measure =
            measureLine(reviewed.line, ingredients.at(other.index), weights);
        if (measure.usable()) {
            reviewed.food = other.index;
            reviewed.measure = measure;
            return reviewed;
        }
    }
    // A first word that names one of the food's measures is the line's unit: "1 cake compressed
    // yeast", "2 squares bitter chocolate".
    const qsizetype space = line.food.indexOf(u' ');
    if (!line.unit.isEmpty() || space <= 0)
        return reviewed;
    IngredientLine measured = line;
    measured.unit = line.food.first(space).toLower();
    measured.food = line.food.sliced(space + 1);
    ReviewedLine counted = reviewLine(measured, matcher, ingredients, weights);
    return counted.measure.usable() ? counted : reviewed;
}

QList<ReviewedLine> reviewLines(const QList<IngredientLine>& lines, KitchenMeasures measures,
                                const FoodMatcher& matcher, const IngTable& ingredients,
                                const HouseholdWeights& weights)
{
    QList<ReviewedLine> reviewed;
    reviewed.reserve(lines.size());
    // Each text's first line as read, and where its review is.
    QHash<QString, std::pair<IngredientLine, qsizetype>> first;
    for (IngredientLine line : lines) {
        if (line.kind == LineKind::Blank)
            continue;
        readInMeasures(line, measures);
        // Lines of one text are read alike; the whole reading is compared all the same.
        const auto earlier = first.constFind(line.text);
        if (earlier != first.cend() && earlier->first == line) {
            reviewed.append(reviewed[earlier->second]);
            continue;
        }
        if (earlier == first.cend())
            first.insert(line.text, {line, reviewed.size()});
        reviewed.append(reviewLine(line, matcher, ingredients, weights));
    }
    return reviewed;
}

void chooseFood(ReviewedLine& reviewed, int food, const IngTable& ingredients,
                const HouseholdWeights& weights)
{
    reviewed.food = food >= 0 && food < ingredients.count() ? food : -1;
    reviewed.measure = reviewed.food >= 0
                           ? measureLine(reviewed.line, ingredients.at(reviewed.food), weights)
                           : LineMeasure{};
    if (reviewed.food >= 0 && !reviewed.line.largerSize.isEmpty() && reviewed.measure.usable())
        reviewed.measure = betweenSizes(reviewed, ingredients, weights);
}

bool setAmount(ReviewedLine& reviewed, QStringView quantity, const QString& unit,
               const IngTable& ingredients, const HouseholdWeights& weights)
{
    std::optional<double> amount;
    if (!quantity.trimmed().isEmpty()) {
        amount = readQuantity(quantity);
        if (!amount || *amount <= 0 || !spinnerQuantity(*amount))
            return false;
    }
    IngredientLine& line = reviewed.line;
    line.quantity = amount;
    line.decimal = quantity.contains(u'.');
    line.unit = unit;
    line.package.clear(); // the amount is now in the unit itself
    line.largerSize.clear();
    chooseFood(reviewed, reviewed.food, ingredients, weights);
    return true;
}

std::optional<OrdinaryLine> acceptedLine(const ReviewedLine& reviewed, const IngTable& ingredients)
{
    const LineMeasure* counted = reviewed.counted();
    if (!reviewed.matched() || !counted || reviewed.food >= ingredients.count())
        return std::nullopt;
    return ordinaryLine(ingredients.at(reviewed.food), counted->quantity, counted->unit);
}

QList<RecipeDraft::NewLine> draftLines(const QList<ReviewedLine>& lines,
                                       const IngTable& ingredients)
{
    QList<RecipeDraft::NewLine> taken;
    for (const ReviewedLine& reviewed : lines) {
        if (reviewed.leftOut)
            continue;
        if (reviewed.isHeading()) {
            taken.append({std::nullopt,
                          trimSpaces(reviewed.line.heading).left(lines::maxHeadingLength),
                          {},
                          {}});
            continue;
        }
        const std::optional<OrdinaryLine> ordinary = acceptedLine(reviewed, ingredients);
        if (!ordinary)
            continue;
        // The record the ingredient list gives for the name: the last of that name.
        const int record = ingredients.lastIndexOfNameIgnoringCase(ordinary->name);
        const quantity::Entry& amount = reviewed.counted()->quantity;
        taken.append({ingredients.at(record < 0 ? reviewed.food : record),
                      ordinary->name,
                      {amount.ones, amount.fraction, amount.fractionMode},
                      ordinary->unit,
                      exchange::keptNote(reviewed.line.notes, ordinary->name)});
    }
    return taken;
}

bool rememberChoices(const QList<ReviewedLine>& lines, const IngTable& ingredients,
                     FoodChoices& choices)
{
    QList<FoodChoices::Choice> chosen;
    for (const ReviewedLine& reviewed : lines)
        if (reviewed.chosen && reviewed.matched() && !reviewed.leftOut)
            chosen.append({reviewed.line.food, ingredients.at(reviewed.food).trimmedName()});
    return choices.remember(chosen);
}

} // namespace zestora::paste
