#pragma once

#include <QWidget>

#include <memory>

class QAbstractItemModel;

namespace Ui {
class StoredRecipesScreen;
}

namespace zestora {

struct Session;

class StoredRecipesScreen : public QWidget {
    Q_OBJECT
public:
    StoredRecipesScreen(Session& session, QAbstractItemModel* recipeNames, QWidget* parent);
    ~StoredRecipesScreen() override;

    // Shows the first recipe of the list when there is one.
    void selectFirstRecipe();

private:
    Session& m_session;
    const std::unique_ptr<Ui::StoredRecipesScreen> m_ui;
};

} // namespace zestora
