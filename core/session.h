#pragma once

#include "core/store/ingtable.h"
#include "core/store/recipestore.h"

namespace zestora {

// The two stores the program works on while it runs. Made once at start-up (and once per test);
// screens receive it. What a screen works on belongs to the screen.
struct Session {
    IngTable ingredients;
    RecipeStore recipes;
};

} // namespace zestora
