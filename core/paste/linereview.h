#pragma once

#include "core/analysis/recipedraft.h"
#include "core/paste/foodchoices.h"
#include "core/paste/foodmatcher.h"
#include "core/paste/formsleftout.h"
#include "core/paste/householdweights.h"
#include "core/paste/ingredientline.h"
#include "core/paste/kitchenmeasures.h"
#include "core/paste/linemeasure.h"
#include "core/paste/uneaten.h"

#include <QList>
#include <QString>

#include <optional>

namespace zestora {
class IngTable;
}

// A pasted recipe line by line as the user reviews it before the lines join the recipe: what was
// read, the best foods, the chosen one and the line's amount in that food's units.
namespace zestora::paste {

// The tables the matcher reads beside the starter database: the cooks' names and USDA's
// household weights. Missing files leave them empty.
struct MatchingTables {
    CooksNames names;
    HouseholdWeights weights;
    FormsLeftOut forms;

    static MatchingTables load(const QString& starterDir);
};

struct ReviewedLine {
    IngredientLine line;
    QList<FoodMatch> foods; // the best five, best first
    int food = -1;          // the chosen food's index in the ingredient table; -1 for none
    LineMeasure measure;    // the line's amount in the chosen food's units
    bool chosen = false;    // the user chose the food
    bool leftOut = false;   // the user left the line out of the recipe

    // How much of the amount stays in the dish, why not all of it ("frying oil", "the salt of a
    // brine"), and what a line counting a part counts, in its food's units.
    Eaten eaten = Eaten::All;
    QString eatenWhy;
    LineMeasure part;

    // The amount the recipe takes: the line's own, its part, or none.
    const LineMeasure* counted() const;

    bool isIngredient() const { return line.kind == LineKind::Ingredient; }
    bool matched() const { return food >= 0; }
    bool isHeading() const { return line.kind == LineKind::Heading; }
    // Worth a second look: no food, a weak or close match, or no measure for the amount.
    bool uncertain() const;
    // The matcher's food is a weak or close choice: "check the food".
    bool doubtful() const;
    // The line's amount is more than any of the food's units can hold on a recipe line ("100000
    // cups sugar"): no measure would take it.
    bool amountTooLarge() const;
    // What keeps the line from going in as it is, in a few words; empty when nothing does.
    QString note() const;
    // Every note a line can have, for a table to keep room for whichever comes.
    static const QStringList& notes();
};

// The matcher's choice for one line: its best food, when the match is good enough to offer.
ReviewedLine reviewLine(const IngredientLine& line, const FoodMatcher& matcher,
                        const IngTable& ingredients, const HouseholdWeights& weights);
// Every line but the blank ones, read in the measures and reviewed in order. A line that comes
// again is reviewed once: a long paste repeats most of its lines, and matching is the cost of each.
QList<ReviewedLine> reviewLines(const QList<IngredientLine>& lines, KitchenMeasures measures,
                                const FoodMatcher& matcher, const IngTable& ingredients,
                                const HouseholdWeights& weights);

// The user chose another food for the line (an index of the table, or -1 for none): its amount is
// measured again in that food's units.
void chooseFood(ReviewedLine& reviewed, int food, const IngTable& ingredients,
                const HouseholdWeights& weights);

// The user typed the line's quantity or chose its unit (one of the food's measures): the line is
// measured again as if it had been written so, and keeps them when its food changes. False, and
// nothing changed, for a quantity that is no amount the spinners hold; an empty one is no amount.
bool setAmount(ReviewedLine& reviewed, QStringView quantity, const QString& unit,
               const IngTable& ingredients, const HouseholdWeights& weights);

// An accepted line as the ordinary recipe line the analysis screen would add; none for a heading,
// a line without a food, without an amount or without a measure.
std::optional<OrdinaryLine> acceptedLine(const ReviewedLine& reviewed, const IngTable& ingredients);

// The lines the recipe takes, in order, as the analysis screen adds them by hand: every ingredient
// line that has a food and an amount in one of its measures, and every heading (cut to the
// longest a heading may be); none that the user left out.
QList<RecipeDraft::NewLine> draftLines(const QList<ReviewedLine>& lines,
                                       const IngTable& ingredients);

// Remembers the food the user chose for each line's food words, so that the matcher offers it
// first next time. False with the choices' errorString() when they could not be written.
bool rememberChoices(const QList<ReviewedLine>& lines, const IngTable& ingredients,
                     FoodChoices& choices);

} // namespace zestora::paste
