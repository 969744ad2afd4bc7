#pragma once

#include "core/analysis/nutrition.h"

#include <QByteArray>

#include <optional>

namespace zestora {
struct StoredRecipe;
}

// Recipes as schema.org Recipe objects in JSON-LD, the form web recipe managers import.
namespace zestora::recipejson {

// Appends the recipe as one object in UTF-8, each line after the first indented by indent
// blanks more: name (the whole title an import kept), recipeYield, recipeCategory,
// recipeIngredient (a text for every line: "2 1/2 cup Flour", a heading as "Topping:", a blank
// line as an empty text, and the lines an import could not count), recipeInstructions (a step
// for every paragraph of the directions, its lines kept) and, where they could be worked out,
// the nutrition per serving as NutritionInformation with its units ("227 calories", "5.7 g",
// "30 mg") and the weight of a serving: "245 g" when the finished dish was weighed, else the
// raw lines' sum as "245 g (raw)".
void appendRecipe(QByteArray& out, const StoredRecipe& recipe,
                  const std::optional<nutrition::RecipeTotals>& perServing, int indent = 0,
                  std::optional<double> servingGrams = std::nullopt, bool weighed = false);

} // namespace zestora::recipejson
