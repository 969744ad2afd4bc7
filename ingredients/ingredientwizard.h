#pragma once

#include <QWidget>

#include <memory>

class QAbstractItemModel;

namespace Ui {
class IngredientWizard;
}

namespace zestora {

struct Session;

class IngredientWizard : public QWidget {
    Q_OBJECT
public:
    IngredientWizard(Session& session, QWidget* parent);
    ~IngredientWizard() override;

private:
    Session& m_session;
    const std::unique_ptr<Ui::IngredientWizard> m_ui;
};

} // namespace zestora
