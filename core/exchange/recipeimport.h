#pragma once

#include "core/analysis/quantity.h"
#include "core/paste/linereview.h"
#include "core/recipes/storednames.h"
#include "core/store/recipestore.h"

#include <QList>
#include <QString>

namespace zestora::mealmaster {
struct Recipe;
}
namespace zestora::paste {
class FoodIndex;
}

// Recipes of an exchange file on their way into the store: each ingredient line matched to a
// stored food as a pasted line is, the recipe stored as the analysis screen would save it.
namespace zestora::exchange {

// Leads the ingredient lines an import could not count, at the end of the directions.
constexpr QByteArrayView notCountedLabel("Not counted in the nutrition:");
// Lead the lines of what a recipe makes ("Makes 36 cookies") and of its categories, which an
// import puts near the start of the directions.
constexpr QByteArrayView makesLabel("Makes ");
constexpr QByteArrayView categoriesLabel("Categories: ");
// Leads what a web recipe says of itself, which an import keeps after them.
constexpr QByteArrayView descriptionLabel("Description: ");

// The servings of a yield such as "4 servings", "6 to 8" or "1 loaf": its number, as the
// servings spinner can show it (a kitchen fraction below one, else a whole number); one when it
// gives none.
quantity::Servings servingsOfYield(const QString& yield);

struct ImportedRecipe {
    QString name; // the title, trimmed to the length of a recipe name
    quantity::Servings servings;
    QList<paste::ReviewedLine> lines; // headings and ingredient lines, in order
    // What the file says that the recipe has no field for, kept before the directions: the whole
    // title, what the recipe makes, its categories; the notes of its lines follow them.
    QString source;
    QString directions; // the file's other header lines, each under its label, and directions
    std::optional<double> cookedGrams; // the finished dish's weight, when the file gives it

    // Every ingredient line that gives an amount was matched to a food and one of its measures.
    bool allMatched(const IngTable& ingredients) const;
    // The ingredient lines that were not: the line as written and what keeps it out.
    QStringList linesToCheck(const IngTable& ingredients) const;

    // What became of the ingredient lines once the recipe is stored.
    struct Account {
        int counted = 0;        // lines of the recipe, counted in its nutrition
        QStringList notCounted; // kept in the directions: "1 cup Zorbles (no food found)"
        QStringList leftOut;    // by the user, in the review

        // "12 of 14 ingredient lines counted; 2 not counted, kept in the directions: ..."
        QString text() const;
    };
    Account account(const IngTable& ingredients) const;
    // The stored record under a name: the lines the recipe takes, as added by hand, with the
    // file's own headings and blank lines, at the servings of the file; what the lines taken said
    // beyond their food follows the source's texts, and the ingredient lines it cannot take (no
    // food, no amount, no measure) and that the user did not leave out are kept at the end of the
    // directions. A problem instead when a text cannot be stored.
    QString record(const QString& storedName, const IngTable& ingredients, QString* problem) const;
};

// Each line that names a stored food and one of its measures word for word goes in as that food
// and measure; the matcher reads the others. Text the recipe file cannot hold comes in in its
// nearest plain form, and the header lines the recipe has no place for lead its directions.
ImportedRecipe importedRecipe(const mealmaster::Recipe& recipe, paste::FoodIndex& index);

// Recipes to be stored together with one write of the store, and the names they take.
class ImportBatch {
public:
    explicit ImportBatch(const RecipeStore& storedRecipes);

    enum class Check {
        New,
        AlreadyStored, // the same recipe under the same name, stored or in this batch
        NameTaken,     // another recipe has the name, or one that matches it as a pattern
    };
    Check check(const QString& name, const QString& record) const;
    void add(const QString& name, const QString& record,
             std::optional<double> cookedGrams = std::nullopt);
    // A recipe of the batch whose name the user chose to give to another.
    void drop(const QString& name);
    // After the store changed otherwise (a stored recipe replaced).
    void storeChanged();

    const QList<RecipeStore::NewRecipe>& recipes() const { return m_recipes; }
    // Adds the batch to the store in one write and empties it, then keeps the recipes' weights
    // when cooked; false with the store's errorString() when the write failed, the batch kept.
    // The weights not kept, the recipes are stored all the same and weightsError() says why.
    bool store(RecipeStore& storedRecipes);
    const QString& weightsError() const { return m_weightsError; }

private:
    const RecipeStore& m_storedRecipes;
    StoredNames m_names;
    QList<RecipeStore::NewRecipe> m_recipes;
    // Every recipe of the batch, so that one replacing a weighed recipe leaves no weight behind.
    QList<std::pair<QString, std::optional<double>>> m_cookedGrams;
    QString m_weightsError;
};

} // namespace zestora::exchange
