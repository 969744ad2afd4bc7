#pragma once

#include <QString>

#include <functional>

class QWidget;

namespace zestora {

class HelpViewer;
class SortedNameModel;
struct Session;

namespace paste {
class FoodIndex;
}

// File, Import Recipes... (or a file dropped on the main window): the recipes of a MealMaster
// file, a JSON-LD file or a saved web page into the store. Every ingredient line
// is matched as a pasted line is; the recipes whose lines all match are stored at once, with one
// write, and the others are reviewed one after another (ImportWindow) and stored together at the
// end. A name already stored goes through the name conflict dialog; the very recipe stored
// already is not stored again. A message says at the end what became of each recipe and of the
// ingredient lines of each one stored.
struct RecipeImporter {
    Session& session;
    paste::FoodIndex& index;
    SortedNameModel& recipeNames;
    const SortedNameModel& ingredientNames;
    HelpViewer& help;
    // After a stored recipe was replaced: the stored recipes list chooses its first entry.
    std::function<void()> selectFirstStoredRecipe;

    void importFile(QWidget* parent, const QString& fileName) const;
};

} // namespace zestora
