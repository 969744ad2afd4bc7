#include "core/exchange/exportedrecipe.h"

#include "core/analysis/recipelines.h"
#include "core/recipes/recipeview.h"
#include "core/store/recipemarks.h"
#include "core/store/recipestore.h"
#include "core/text.h"

namespace zestora {

QString ExportedRecipe::yield() const
{
    return servingsText +
           (servingsText == u"1" ? QStringLiteral(" serving") : QStringLiteral(" servings"));
}

ShownRecipe ExportedRecipe::shown() const
{
    ShownRecipe shown{
        name,       rows,
        directions, QStringLiteral("makes ") + servingsText + QStringLiteral(" servings"),
        {},         {}};
    if (perServing) {
        shown.panel = nutrition::panelTexts(*perServing);
        shown.shares = nutrition::caloriePercentages(shown.panel).value_or(shown.shares);
    }
    return shown;
}

ExportedRecipe exportedRecipe(const RecipeStore& store, int index, const IngTable* ingredients)
{
    static const IngTable noIngredients;
    const RecipeView view =
        viewRecipe(store.recipeBody(index), ingredients ? *ingredients : noIngredients);
    ExportedRecipe recipe;
    recipe.name = trimSpaces(store.recipeList()[index].recipeName);
    recipe.servingsText = trimSpaces(view.servingsText);
    recipe.rows = view.rows;
    recipe.directions = view.directions;
    recipe.lines.reserve(view.entries.size());
    for (qsizetype i = 0; i < view.entries.size(); ++i) {
        if (view.entries[i].contains(marks::asChar(marks::headingMark))) {
            recipe.lines.append({true, view.rows[i], {}, {}, {}});
            continue;
        }
        const lines::EntryFields fields = lines::entryFields(view.entries[i]);
        recipe.lines.append({false, {}, fields.quantity, fields.unit, fields.name});
    }
    if (ingredients) {
        recipe.missingIngredient = view.missingIngredient;
        if (!view.missingIngredient && view.ingredientLines > 0)
            recipe.perServing = view.viewTotals;
    }
    return recipe;
}

QString ingredientText(const ExportedRecipe::Line& line)
{
    QString text = line.quantity;
    const auto add = [&text](const QString& word) {
        if (word.isEmpty())
            return;
        if (!text.isEmpty())
            text += QLatin1Char(' ');
        text += word;
    };
    add(line.unit);
    if (line.ingredient.compare(line.unit, Qt::CaseInsensitive) != 0)
        add(line.ingredient);
    return text;
}

} // namespace zestora
