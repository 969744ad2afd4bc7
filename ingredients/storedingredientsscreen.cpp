#include "ingredients/storedingredientsscreen.h"

#include "ui_storedingredientsscreen.h"

namespace zestora {

StoredIngredientsScreen::StoredIngredientsScreen(Session& session,
                                                 QAbstractItemModel* ingredientNames,
                                                 QWidget* parent)
    : QWidget(parent)
    , m_session(session)
    , m_ui(std::make_unique<Ui::StoredIngredientsScreen>())
{
    m_ui->setupUi(this);
    m_ui->IngLst->setModel(ingredientNames);
}

StoredIngredientsScreen::~StoredIngredientsScreen() = default;

} // namespace zestora
