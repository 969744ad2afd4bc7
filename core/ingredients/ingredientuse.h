#pragma once

#include <QStringList>

namespace zestora {

class IngTable;
class RecipeStore;

// The stored recipes that lose an ingredient's figures when the stored ingredient of that name is
// deleted: those with a line naming it, letter case aside, as recipes look their ingredients up;
// none when another stored ingredient answers the name as well.
struct IngredientUse {
    int recipeCount = 0;
    QStringList firstNames; // trimmed, the first in alphabetical order, as many as were asked for
};

// One pass over the recipe file's text, reading only the names of the recipes' lines.
IngredientUse recipesLosing(const IngTable& ingredients, const RecipeStore& recipes,
                            const QString& name, int namesWanted);

} // namespace zestora
