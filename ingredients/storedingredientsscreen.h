#pragma once

#include "core/ingredients/wizardrules.h"
#include "core/store/ingrecord.h"

#include <QWidget>

#include <memory>

namespace Ui {
class StoredIngredientsScreen;
}

namespace zestora {

class SortedNameModel;
class ToolBar;
struct Session;

// The stored ingredient screen: every stored ingredient by name; the one chosen is shown with its
// Nutrition Facts panel and the shares of its calories, and can be deleted or edited in the
// ingredient wizard.
class StoredIngredientsScreen : public QWidget {
    Q_OBJECT
public:
    StoredIngredientsScreen(Session& session, SortedNameModel* ingredientNames, QWidget* parent);
    ~StoredIngredientsScreen() override;

    ToolBar* activeBar() const { return m_activeBar; }

Q_SIGNALS:
    // Edit: the ingredient goes to the wizard with the calories and fat calories its panel shows.
    void editIngredient(const IngRecord& shown, const QString& calories,
                        const QString& fatCalories);

private:
    void reset();
    QString chosenName() const;
    void showChosenIngredient();
    void editChosen();
    void deleteChosen();

    Session& m_session;
    SortedNameModel* m_ingredientNames;
    const std::unique_ptr<Ui::StoredIngredientsScreen> m_ui;
    ToolBar* m_activeBar;
    IngRecord m_shownIng;
    wizard::IngredientFacts m_shownFacts;
};

} // namespace zestora
