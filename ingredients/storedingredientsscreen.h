#pragma once

#include <QWidget>

#include <memory>

class QAbstractItemModel;

namespace Ui {
class StoredIngredientsScreen;
}

namespace zestora {

struct Session;

class StoredIngredientsScreen : public QWidget {
    Q_OBJECT
public:
    StoredIngredientsScreen(Session& session, QAbstractItemModel* ingredientNames, QWidget* parent);
    ~StoredIngredientsScreen() override;

private:
    Session& m_session;
    const std::unique_ptr<Ui::StoredIngredientsScreen> m_ui;
};

} // namespace zestora
