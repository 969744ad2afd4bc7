#pragma once

#include "core/store/ingtable.h"
#include "core/store/recipestore.h"

namespace zestora {

// Both data files read into their stores, with the two name lists in the order the screens show
// them: the slow part of the start-up, which needs no window and can run while the splash
// window waits.
struct StoresLoad {
    QList<LoadProblem> problems; // what was found wrong, the ingredients first
    QStringList ingredientNames; // trimmed, in the order for people
    QStringList recipeNames;     // in the order for people
};

StoresLoad loadStores(IngTable& ingredients, RecipeStore& recipes);

} // namespace zestora
