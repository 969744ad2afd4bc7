#include "recipes/storedrecipesscreen.h"

#include "ui_storedrecipesscreen.h"

namespace zestora {

StoredRecipesScreen::StoredRecipesScreen(Session& session, QAbstractItemModel* recipeNames,
                                         QWidget* parent)
    : QWidget(parent)
    , m_session(session)
    , m_ui(std::make_unique<Ui::StoredRecipesScreen>())
{
    m_ui->setupUi(this);
    m_ui->RecipeLst->setModel(recipeNames);
    m_ui->RecipeLst->setCurrentIndex(-1);
}

StoredRecipesScreen::~StoredRecipesScreen() = default;

void StoredRecipesScreen::selectFirstRecipe()
{
    if (m_ui->RecipeLst->count() > 0)
        m_ui->RecipeLst->setCurrentIndex(0);
}

} // namespace zestora
