#pragma once

#include "recipes/recipepage.h"

#include <memory>

class QWidget;

namespace Ui {
class StoredRecipesScreen;
}

namespace zestora {

class IngTable;
class RecipeDisplay;

// The printed pages of stored recipes for a document of many, such as an export: each laid out
// as the stored recipes screen prints it, on a form of that screen's own that is never on view,
// so that no screen, session or main window is needed.
class RecipePages {
public:
    explicit RecipePages(const IngTable& ingredients);
    ~RecipePages();

    // The page of the recipe stored as name with body (as the store gives them).
    RecipePage page(const QString& name, const QString& body);

private:
    const IngTable& m_ingredients;
    const std::unique_ptr<QWidget> m_form;
    const std::unique_ptr<Ui::StoredRecipesScreen> m_ui;
    std::unique_ptr<RecipeDisplay> m_display;
};

} // namespace zestora
