#pragma once

#include "core/analysis/nutrition.h"
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
    float oldServings = 1;
    float newServings = 1;

    // What the stored recipes screen hands to the analysis screen with a recipe to edit: the
    // totals, the servings and the texts its panel shows.
    nutrition::RecipeTotals sharedTotals;
    float shownServings = 1;
    struct ShownPanel {
        QString name;  // lblName
        QString makes; // lbl1M
        nutrition::PanelTexts panel;
        nutrition::CalorieShares shares;
        QString servings; // ServingsLbl
    } shownPanel;
};

} // namespace zestora
