#include "core/recipes/recipeview.h"

#include "core/analysis/quantity.h"
#include "core/recipes/recipefields.h"
#include "core/store/ingtable.h"
#include "core/text.h"

namespace zestora {

QString storedRecipeRow(const QString& name, const QString& quantity, const QString& measure)
{
    if (name.trimmed().compare(measure.trimmed(), Qt::CaseInsensitive) == 0)
        return quantity + QStringLiteral("  ") + measure;
    return quantity + QLatin1Char(' ') + measure + QStringLiteral("   ") + name;
}

RecipeView viewRecipe(const QString& body, const IngTable& ingredients)
{
    RecipeView view;
    const recipefields::Body<QStringView> fields = recipefields::body(QStringView(body));
    view.servingsText = fields.servings.toString();
    view.shownServings = quantity::quantityValue(view.servingsText);
    recipefields::forEachEntry(fields.entries, [&view, &ingredients](QStringView marked) {
        view.entries.append(marked.toString());
        const recipefields::Entry<QStringView> entry = recipefields::entry(marked);
        if (entry.heading) {
            view.rows.append(entry.text.toString());
            return;
        }
        const QString name = entry.ingredient.toString();
        const QString quantityText = entry.quantity.toString();
        const QString measure = entry.unit.toString();
        view.rows.append(storedRecipeRow(name, quantityText, measure));
        const int index = ingredients.lastIndexOfNameIgnoringCase(name);
        if (index < 0) {
            if (!view.missingIngredient) {
                view.missingIngredient = trimSpaces(name);
                view.shownRows = static_cast<int>(view.rows.size()) - 1;
            }
            return;
        }
        // The line's portions are worked out once for both totals.
        const IngRecord& ingredient = ingredients.at(index);
        const float portions =
            nutrition::portionShare(ingredient, measure, quantity::quantityValue(quantityText));
        nutrition::addPortions(view.editTotals, ingredient, portions, view.shownServings,
                               nutrition::Clamp::None);
        if (view.missingIngredient)
            return;
        nutrition::addPortions(view.viewTotals, ingredient, portions, view.shownServings,
                               nutrition::Clamp::None);
        ++view.ingredientLines;
    });
    if (!view.missingIngredient)
        view.shownRows = static_cast<int>(view.rows.size());
    view.directions = fields.directions.toString();
    return view;
}

} // namespace zestora
