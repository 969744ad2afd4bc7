#pragma once

#include "core/store/ingrecord.h"

#include <QHash>
#include <QString>
#include <QStringList>

#include <optional>

namespace zestora {

class IngTable;
class RecipeStore;

// Stored recipes used as ingredients of other recipes: a pie crust, a stock, a spice mix. Such an
// ingredient is an ordinary record of Ing.dat measured by the serving; which recipe it was made
// from lives in a small file of the data folder (the working directory), one "ingredient name,
// tab, recipe name" a line, so that Ing.dat keeps its format and opens anywhere.
namespace recipeingredients {

class RecipeLinks {
public:
    inline static const QString fileName = QStringLiteral("Recipe ingredients.txt");

    // Reads the file when there is one; an unreadable file links nothing.
    void load();
    // The recipe an ingredient was made from, or an empty text; names compare ignoring case, as
    // the screens compare them.
    QString recipeOf(const QString& ingredient) const;
    // The ingredients made from a recipe, in the order they were linked.
    QStringList ingredientsOf(const QString& recipe) const;
    // The recipes made into ingredients whose stored lines use this ingredient.
    QStringList recipesUsing(const QString& ingredient, const RecipeStore& recipes) const;
    // Each changes the file crash-safely; false with errorString() when it could not be written,
    // in which case the links in memory are as before.
    bool link(const QString& ingredient, const QString& recipe);
    bool unlinkIngredient(const QString& ingredient);
    const QString& errorString() const { return m_error; }

private:
    struct Link {
        QString ingredient; // trimmed, as written
        QString recipe;
    };
    bool save(const QList<Link>& links);
    QList<Link> m_links;
    QString m_error;
};

// The name checks of a new ingredient, as the wizard makes them: empty when the name can be used.
QString nameProblem(const QString& name, const IngTable& ingredients);

// One serving of a stored recipe as an ingredient record: "1 serving", with the serving's weight
// in grams as its second measure when every line has a weight, and the recipe's nutrients of one
// serving, unrounded. None (with why) when a line's ingredient is not stored or the recipe has no
// servings.
std::optional<IngRecord> ingredientFromRecipe(const QString& ingredientName,
                                              const QString& recipeBody,
                                              const IngTable& ingredients, QString* why);

// The way a recipe would contain itself through the ingredients made from recipes ("Pie", "Crust",
// "Pie"), or an empty list. linesOfRecipe names the ingredients of the recipe's lines; the recipe
// asked about may have lines other than its stored ones, which the first call is given.
QStringList containingChain(const QString& recipe, const QStringList& ingredientsOfRecipe,
                            const RecipeStore& recipes, const RecipeLinks& links);
// The message that refuses such a recipe, naming the chain.
QString chainMessage(const QStringList& chain);

// After a recipe was saved: brings the ingredients made from it, and from the recipes that use
// those in turn, up to date in the table (one rewrite each). Answers the names of the ingredients
// that changed; an error (the table not saved) in *error.
QStringList followRecipe(const QString& recipe, IngTable& ingredients, const RecipeStore& recipes,
                         const RecipeLinks& links, QString* error);

// The ingredient names of a stored recipe body's lines.
QStringList ingredientNames(const QString& recipeBody);

} // namespace recipeingredients
} // namespace zestora
