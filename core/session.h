#pragma once

#include "core/store/ingtable.h"
#include "core/store/recipestore.h"

namespace zestora {

// What the program shares while it runs: the two stores and the flags and values that screens
// hand to one another. Made once at start-up (and once per test); screens receive it.
struct Session {
    IngTable ingredients;
    RecipeStore recipes;

    bool recipeSaved = false;
    bool editingStoredRecipe = false;
    bool insertFlag = false;
    bool replaceFlag = false;
    bool deleteFlag = false;
    qint16 selectedLine = 0;
    bool sameFrmCancelled = false;
    bool editLoading = false;
    bool tipsShown = false;
    float oldServings = 0;
    float newServings = 0;
};

} // namespace zestora
