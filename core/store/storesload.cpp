#include "core/store/storesload.h"

#include "core/sortednamemodel.h"

namespace zestora {

StoresLoad loadStores(IngTable& ingredients, RecipeStore& recipes)
{
    StoresLoad loaded;
    if (std::optional<LoadProblem> problem = ingredients.loadIngTable())
        loaded.problems.append(*problem);
    SortedNameModel::Sorted names = SortedNameModel::sortedWithKeys(ingredients.trimmedNames());
    loaded.ingredientNames = std::move(names.names);
    loaded.ingredientKeys = std::move(names.keys);
    if (std::optional<LoadProblem> problem = recipes.load())
        loaded.problems.append(*problem);
    names = SortedNameModel::sortedWithKeys(recipes.recipeNames());
    loaded.recipeNames = std::move(names.names);
    loaded.recipeKeys = std::move(names.keys);
    return loaded;
}

} // namespace zestora
