#pragma once

#include "core/analysis/nutrition.h"
#include "core/sharing/recipehtml.h"

#include <QList>
#include <QString>

#include <optional>

namespace zestora {

class IngTable;
class RecipeStore;

// A stored recipe as it leaves the program: the fields of its lines rather than their marks, and
// its nutrition per serving worked out from the ingredient database.
struct ExportedRecipe {
    struct Line {
        bool heading = false;
        QString text; // a heading's text; a blank separating line is a single blank
        QString quantity;
        QString unit;
        QString ingredient;
    };

    QString name;
    QString servingsText; // as stored: "4", "1/2"
    QList<Line> lines;
    QStringList rows;   // the lines as the stored recipes screen shows them
    QString directions; // CR LF between lines, as stored
    // None when no ingredient line could be worked out, or when an ingredient is missing from
    // the database: a total that leaves lines out would mislead.
    std::optional<nutrition::RecipeTotals> perServing;
    std::optional<QString> missingIngredient;

    // "4 servings", "1 serving", "1/2 servings".
    QString yield() const;
    // The recipe as the stored recipes screen shows it, for the HTML of an e-mail.
    ShownRecipe shown() const;
};

// Recipe index of the store; with an ingredient table its nutrition is worked out too.
ExportedRecipe exportedRecipe(const RecipeStore& store, int index,
                              const IngTable* ingredients = nullptr);

// An ingredient line in words, as a cook writes it: "2 1/2 cup Flour", the name left out when
// the unit is the name itself (an ingredient counted by its own measure).
QString ingredientText(const ExportedRecipe::Line& line);

} // namespace zestora
