#pragma once

#include "core/paste/foodmatcher.h"
#include "core/paste/householdweights.h"
#include "core/paste/ingredientline.h"
#include "core/paste/linemeasure.h"

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

    static MatchingTables load(const QString& starterDir);
};

struct ReviewedLine {
    IngredientLine line;
    QList<FoodMatch> foods; // the best five, best first
    int food = -1;          // the chosen food's index in the ingredient table; -1 for none
    LineMeasure measure;    // the line's amount in the chosen food's units

    bool isIngredient() const { return line.kind == LineKind::Ingredient; }
    bool matched() const { return food >= 0; }
    // Worth a second look: no food, a weak or close match, or no measure for the amount.
    bool uncertain() const;
};

// The matcher's choice for one line: its best food, when the match is good enough to offer.
ReviewedLine reviewLine(const IngredientLine& line, const FoodMatcher& matcher,
                        const IngTable& table, const HouseholdWeights& weights);

// The user chose another food for the line (an index of the table, or -1 for none): its amount is
// measured again in that food's units.
void chooseFood(ReviewedLine& reviewed, int food, const IngTable& table,
                const HouseholdWeights& weights);

// An accepted line as the ordinary recipe line the analysis screen would add; none for a heading,
// a line without a food, without an amount or without a measure.
std::optional<OrdinaryLine> acceptedLine(const ReviewedLine& reviewed, const IngTable& table);

} // namespace zestora::paste
