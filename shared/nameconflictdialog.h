#pragma once

#include <QDialog>

#include <functional>
#include <memory>

namespace Ui {
class NameConflictDialog;
}

namespace zestora {

class RecipeStore;
class SortedNameModel;

// Settles a recipe name that is already stored: replace the stored recipe, save under another
// name, or give up.
class NameConflictDialog : public QDialog {
    Q_OBJECT
public:
    enum class Outcome { Replaced, Renamed, Cancelled, Closed };
    struct Result {
        Outcome outcome;
        QString newName; // the name to save under when Renamed
    };

    // Replacing deletes the stored recipe and its name from the list at once, then calls
    // selectFirstStoredRecipe (also when no recipe is left).
    static Result ask(QWidget* parent, const QString& name, RecipeStore& recipes,
                      SortedNameModel& recipeNames, std::function<void()> selectFirstStoredRecipe);

private:
    NameConflictDialog(QWidget* parent, const QString& name, RecipeStore& recipes,
                       SortedNameModel& recipeNames, std::function<void()> selectFirstStoredRecipe);
    ~NameConflictDialog() override;

    bool deleteStoredRecipe();
    void replaceStored();
    void saveUnderNewName();
    void nameChanged();

    const std::unique_ptr<Ui::NameConflictDialog> m_ui;
    QString m_name;
    RecipeStore& m_recipes;
    SortedNameModel& m_recipeNames;
    std::function<void()> m_selectFirstStoredRecipe;
    Result m_result{Outcome::Closed, QString()};
};

} // namespace zestora
