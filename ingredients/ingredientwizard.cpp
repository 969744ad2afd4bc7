#include "ingredients/ingredientwizard.h"

#include "ui_ingredientwizard.h"

namespace zestora {

IngredientWizard::IngredientWizard(Session& session, QWidget* parent)
    : QWidget(parent)
    , m_session(session)
    , m_ui(std::make_unique<Ui::IngredientWizard>())
{
    m_ui->setupUi(this);
}

IngredientWizard::~IngredientWizard() = default;

} // namespace zestora
