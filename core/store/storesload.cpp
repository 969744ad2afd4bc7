#include "core/store/storesload.h"

namespace zestora {

StoresLoad loadStores(IngTable& ingredients, RecipeStore& recipes)
{
    StoresLoad loaded;
    if (std::optional<LoadProblem> problem = ingredients.loadIngTable())
        loaded.problems.append(*problem);
    loaded.ingredientNames = ingredients.namesForPeople();
    if (std::optional<LoadProblem> problem = recipes.load())
        loaded.problems.append(*problem);
    loaded.recipeNames = recipes.namesForPeople();
    return loaded;
}

} // namespace zestora
