#pragma once

#include "core/analysis/nutrition.h"
#include "core/recipes/recipefields.h"
#include "core/sharing/recipehtml.h"

#include <QByteArrayView>
#include <QHash>
#include <QList>
#include <QVarLengthArray>

#include <optional>

namespace zestora {

class IngTable;
class RecipeStore;

// A stored recipe read straight from the store's bytes (code page 1252), its fields left where
// they stand: an export of thousands of recipes reads each one without decoding or copying it.
// The fields are found by the reader the stored recipes screen uses; the views are valid while
// the store is unchanged.
struct StoredRecipe {
    using Line = recipefields::Entry<QByteArrayView>;

    QByteArrayView name;
    QByteArrayView servings; // "4", "1/2"
    QList<Line> lines;
    QByteArrayView directions; // CR LF between lines

    // Reads recipe index of the store, reusing the room of the lines read before.
    void read(const RecipeStore& recipes, int index);

    // "4 servings", "1 serving", "1/2 servings".
    QByteArray yield() const;

    // What an import kept of its source at the start of the directions, taken out of them for
    // the fields an export has: the whole title when the name is cut from it, what the recipe
    // makes ("36 cookies", when its servings are that number), its categories and the notes of
    // its lines (one for each line, empty for none). Empty where the directions hold none;
    // directions then holds the rest, which may start with the source's description.
    struct Source {
        QByteArrayView title;
        QByteArrayView makes;
        QByteArrayView categories;
        QList<QByteArrayView> notes;
        QByteArrayView description; // the first paragraph of directions, without its label
        QByteArrayView directions;
    };
    Source source() const;
    // "makes 36 cookies" where an import kept what the recipe makes, else "makes 4 servings".
    static QString makesText(const QString& name, const QString& servings,
                             const QString& directions);
    // The lines of directions, without their line ends.
    static QVarLengthArray<QByteArrayView, 16> directionLines(QByteArrayView directions);
};

// Recipes' nutrition per serving, worked out from the ingredient database as the stored recipes
// screen works it out. Each ingredient name, quantity and unit is looked up once.
class RecipeNutrition {
public:
    explicit RecipeNutrition(const IngTable& ingredients);

    struct Result {
        // None when no ingredient line could be worked out, or when an ingredient is missing
        // from the database: a total that leaves lines out would mislead.
        std::optional<nutrition::RecipeTotals> perServing;
        std::optional<QString> missingIngredient;
    };
    Result of(const StoredRecipe& recipe);

private:
    // What a text stands for, remembered; the last one asked is answered first, since lines
    // after lines share their unit and quantity.
    template <typename Value> struct Cache {
        QHash<QByteArrayView, Value> values;
        QByteArrayView lastKey;
        Value last{};
        bool asked = false;
    };
    template <typename Value, typename Work>
    static const Value& cached(Cache<Value>& cache, QByteArrayView key, const Work& work);

    // An ingredient looked up: its record and its measures found in the table of units.
    struct Found {
        const IngRecord* record;
        nutrition::MeasureUnits units;
    };

    const IngTable& m_ingredients;
    QList<Found> m_found;
    Cache<int> m_indexes; // into m_found; -1 for a name the database lacks
    Cache<float> m_quantities;
    Cache<int> m_units; // positions in the table of units
};

// The weight of one serving in grams: of the finished dish when the cook weighed it, else of the
// raw lines when every ingredient line's weight is known.
std::optional<double> servingWeight(const StoredRecipe& recipe, const IngTable& ingredients,
                                    std::optional<double> cookedGrams = std::nullopt);

// The recipe as the stored recipes screen shows it, for the HTML of an e-mail: its rows, its
// directions and, where it could be worked out, its panel.
ShownRecipe shownRecipe(const StoredRecipe& recipe, const RecipeNutrition::Result& nutrition);

// A line's quantity as the exports write it: a whole number given in decimal mode as "2.0", which
// an import reads back in that mode.
QByteArray writtenQuantity(const StoredRecipe::Line& line);

// A line as a cook writes it: "2 1/2 cup Flour", the name left out when the unit is the name.
QByteArray cookLine(const StoredRecipe::Line& line);

// Spaces trimmed from both ends, as the data files' fields are compared.
QByteArrayView trimmedSpaces(QByteArrayView text);

} // namespace zestora
