#pragma once

#include "core/analysis/nutrition.h"

#include <QStringList>

namespace zestora {

class IngTable;

// A stored recipe as the stored recipes screen shows it: its servings, its lines, its directions
// and its totals worked out again from the ingredient database.
struct RecipeView {
    QString servingsText; // exactly as stored, "4" or "1/2"
    float shownServings = 0;
    QStringList entries; // the marked-up lines, each with its line end
    QStringList rows;    // what the user reads, one row for every entry
    int shownRows = 0;   // the rows shown: up to the line that could not be worked out
    QString directions;
    nutrition::RecipeTotals viewTotals;
    int ingredientLines = 0; // worked into the totals
    // Every line whose ingredient is stored, the ones after a missing ingredient included: what
    // the recipe holds when it is edited.
    nutrition::RecipeTotals editTotals;
    // The ingredient of the line where working out stopped because the database lacks it.
    std::optional<QString> missingIngredient;
};

// Reads a recipe body (from its body start mark through its record end mark) and works its totals
// out from the table, per serving, without clamping.
RecipeView viewRecipe(const QString& body, const IngTable& ingredients);

// The row of an ingredient line on this screen: one blank before the measure and three before the
// name, or two blanks and no name when the measure is the name.
QString storedRecipeRow(const QString& name, const QString& quantity, const QString& measure);

} // namespace zestora
