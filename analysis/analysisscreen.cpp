#include "analysis/analysisscreen.h"

#include "ui_analysisscreen.h"

namespace zestora {

AnalysisScreen::AnalysisScreen(Session& session, QAbstractItemModel* ingredientNames,
                               QWidget* parent)
    : QWidget(parent)
    , m_session(session)
    , m_ui(std::make_unique<Ui::AnalysisScreen>())
{
    m_ui->setupUi(this);
    m_ui->IngLst->setModel(ingredientNames);
}

AnalysisScreen::~AnalysisScreen() = default;

} // namespace zestora
