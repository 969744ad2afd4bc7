#pragma once

#include <QJsonObject>

namespace zestora {
struct ExportedRecipe;
}

// Recipes as schema.org Recipe objects in JSON-LD, the form web recipe managers import.
namespace zestora::recipejson {

// name, recipeYield, recipeIngredient (one text for every ingredient line, headings left out),
// recipeInstructions (one step for every line of the directions) and, where it could be worked
// out, the nutrition per serving as NutritionInformation with its units ("227 calories",
// "5.7 g", "30 mg").
QJsonObject recipeObject(const ExportedRecipe& recipe);

} // namespace zestora::recipejson
