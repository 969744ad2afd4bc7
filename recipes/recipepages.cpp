#include "recipes/recipepages.h"

#include "ui_storedrecipesscreen.h"

#include "recipes/recipedisplay.h"

#include <QCoreApplication>

namespace zestora {

RecipePages::RecipePages(const IngTable& ingredients)
    : m_ingredients(ingredients)
    , m_form(std::make_unique<QWidget>())
    , m_ui(std::make_unique<Ui::StoredRecipesScreen>())
{
    m_ui->setupUi(m_form.get());
    m_display = std::make_unique<RecipeDisplay>(*m_ui, m_form.get(), ingredients);
}

RecipePages::~RecipePages() = default;

RecipePage RecipePages::page(const QString& name, const QString& body)
{
    m_display->show(name, viewRecipe(body, m_ingredients));
    // The page takes the form's geometry: the layout catches up with the texts shown first.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    return m_display->page(largestPrintedFrame);
}

} // namespace zestora
