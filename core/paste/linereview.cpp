#include "core/paste/linereview.h"

#include "core/analysis/recipelines.h"
#include "core/store/ingtable.h"
#include "core/text.h"

#include <QDir>
#include <QFile>

namespace zestora::paste {

namespace {

// Below this the best food shares too little with the line to be offered as its match.
constexpr double matchedScore = 0.4;
// Below this, or as close as this to the runner-up, the match asks for a look.
constexpr double sureScore = 0.75;
constexpr double clearLead = 0.05;

QByteArray readIfPresent(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

MatchingTables MatchingTables::load(const QString& starterDir)
{
    const QDir dir(starterDir);
    return MatchingTables{
        CooksNames(readIfPresent(dir.filePath(CooksNames::fileName))),
        HouseholdWeights(readIfPresent(dir.filePath(HouseholdWeights::fileName)))};
}

bool ReviewedLine::uncertain() const
{
    if (!isIngredient())
        return false;
    if (!matched() || (line.hasQuantity() && !measure.usable()))
        return true;
    if (chosen || foods.isEmpty() || foods.front().index != food)
        return false; // the user's own choice
    return foods.front().score < sureScore ||
           (foods.size() > 1 && foods.front().score - foods[1].score < clearLead);
}

QString ReviewedLine::note() const
{
    if (!isIngredient())
        return QString();
    if (!matched())
        return QStringLiteral("No food found");
    if (!line.hasQuantity())
        return QStringLiteral("No amount");
    if (!measure.usable())
        return QStringLiteral("Choose a measure");
    return uncertain() ? QStringLiteral("Check the food") : QString();
}

ReviewedLine reviewLine(const IngredientLine& line, const FoodMatcher& matcher,
                        const IngTable& table, const HouseholdWeights& weights)
{
    ReviewedLine reviewed{line, {}, -1, {}};
    if (!reviewed.isIngredient() || line.food.isEmpty())
        return reviewed;
    // A can's food is a canned one where there is such a food.
    const QStringList hints = line.package == QLatin1String("can")
                                  ? QStringList{QStringLiteral("canned")}
                                  : QStringList();
    reviewed.foods = matcher.bestFoods(line.food, 5, hints);
    const bool good = !reviewed.foods.isEmpty() && reviewed.foods.front().score >= matchedScore;
    chooseFood(reviewed, good ? reviewed.foods.front().index : -1, table, weights);
    return reviewed;
}

void chooseFood(ReviewedLine& reviewed, int food, const IngTable& table,
                const HouseholdWeights& weights)
{
    reviewed.food = food >= 0 && food < table.count() ? food : -1;
    reviewed.measure = reviewed.food >= 0
                           ? measureLine(reviewed.line, table.at(reviewed.food), weights)
                           : LineMeasure{};
}

std::optional<OrdinaryLine> acceptedLine(const ReviewedLine& reviewed, const IngTable& table)
{
    if (!reviewed.matched() || !reviewed.measure.usable() || reviewed.food >= table.count())
        return std::nullopt;
    return ordinaryLine(table.at(reviewed.food), reviewed.measure.quantity, reviewed.measure.unit);
}

QList<RecipeDraft::NewLine> draftLines(const QList<ReviewedLine>& lines, const IngTable& table)
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
        const std::optional<OrdinaryLine> ordinary = acceptedLine(reviewed, table);
        if (!ordinary)
            continue;
        // The record the ingredient list gives for the name: the last of that name.
        const int record = table.lastIndexOfNameIgnoringCase(ordinary->name);
        const SpinnerQuantity& amount = reviewed.measure.quantity;
        taken.append({table.at(record < 0 ? reviewed.food : record),
                      ordinary->name,
                      {amount.ones, amount.fraction, amount.fractionMode},
                      ordinary->unit});
    }
    return taken;
}

bool rememberChoices(const QList<ReviewedLine>& lines, const IngTable& table, FoodChoices& choices)
{
    bool remembered = true;
    for (const ReviewedLine& reviewed : lines)
        if (reviewed.chosen && reviewed.matched() && !reviewed.leftOut)
            remembered =
                choices.remember(reviewed.line.food, table.at(reviewed.food).trimmedName()) &&
                remembered;
    return remembered;
}

} // namespace zestora::paste
