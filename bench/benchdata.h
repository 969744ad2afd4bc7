#pragma once

#include <QString>

namespace zestora::bench {

// Writes an Ing.dat of `ingredients` records and a Recipe.Dat of `recipes` recipes of about
// `lines` lines each into the folder, the largest the program allows by default.
void makeData(const QString& dir, int ingredients = 32767, int recipes = 32767, int lines = 20);

// A recipe record as the analysis screen writes it, its lines naming ingredients of a table of
// that many.
QString recipeRecord(const QString& name, int lines, int seed, int ingredients = 32767);

// A recipe of a title and 20 ingredient lines as a cook pastes it from a web page.
extern const char* const pastedRecipe;

} // namespace zestora::bench
