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
// blanks more: name, recipeYield, recipeIngredient (one text for every ingredient line, headings
// left out), recipeInstructions (one step for every line of the directions) and, where it could
// be worked out, the nutrition per serving as NutritionInformation with its units
// ("227 calories", "5.7 g", "30 mg").
void appendRecipe(QByteArray& out, const StoredRecipe& recipe,
                  const std::optional<nutrition::RecipeTotals>& perServing, int indent = 0);

} // namespace zestora::recipejson
