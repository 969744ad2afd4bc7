#include "core/exchange/recipeimport.h"

#include "core/analysis/recipedraft.h"
#include "core/analysis/recipelines.h"
#include "core/exchange/mealmaster.h"
#include "core/paste/foodindex.h"
#include "core/store/recipemarks.h"
#include "core/text.h"

#include <cmath>

namespace zestora::exchange {

namespace {

// The servings of a yield such as "4 servings", "6 to 8" or "1 loaf": its number, as the
// servings spinner can show it (a kitchen fraction below one, else a whole number); one when it
// gives none.
quantity::Servings servingsOfYield(const QString& yield)
{
    const std::optional<double> amount = paste::readIngredientLine(yield).quantity;
    if (!amount || !(*amount > 0))
        return quantity::servingsFor(quantity::servingsForOne);
    if (*amount >= 1)
        return quantity::servingsFor(static_cast<int>(qMin<double>(
            std::round(*amount) + (quantity::servingsForOne - 1), quantity::servingsMaximum)));
    int nearest = 1;
    for (int index = 2; index < quantity::fractionCount; ++index)
        if (std::abs(quantity::fractionValue(index) - *amount) <
            std::abs(quantity::fractionValue(nearest) - *amount))
            nearest = index;
    return quantity::servingsFor(nearest);
}

// An ingredient line of the file as a cook would write it: "1 1/2 cup Flour, all-purpose".
paste::IngredientLine ingredientLine(const mealmaster::Ingredient& ingredient)
{
    if (ingredient.heading) {
        paste::IngredientLine heading;
        heading.kind = paste::LineKind::Heading;
        heading.text = ingredient.text;
        heading.heading = ingredient.text;
        return heading;
    }
    QStringList parts{ingredient.quantity};
    // "x" (per serving) and "ea" (each) say no more than the number.
    if (ingredient.unit != QLatin1String("x") && ingredient.unit != QLatin1String("ea"))
        parts.append(mealmaster::unitOfCode(ingredient.unit));
    parts.append(ingredient.text);
    parts.removeAll(QString());
    const QString text = parts.join(u' ');
    paste::IngredientLine line = paste::readIngredientLine(text);
    // The file says which lines are headings; an ingredient written in capitals is not one.
    if (line.kind != paste::LineKind::Ingredient) {
        line = paste::readIngredientLine(text.toLower());
        line.kind = paste::LineKind::Ingredient;
        line.text = text;
    }
    return line;
}

// A line that gives an amount and has a food and a measure for it. One without an amount
// ("Salt to taste") cannot count, whatever food it is given, and does not wait for a review; nor
// does one that nobody eats.
bool goesInAsMatched(const paste::ReviewedLine& line, const IngTable& table)
{
    return !line.isIngredient() || !line.line.hasQuantity() ||
           line.eaten == paste::Eaten::Nothing || paste::acceptedLine(line, table);
}

} // namespace

ImportedRecipe importedRecipe(const mealmaster::Recipe& recipe, paste::FoodIndex& index)
{
    ImportedRecipe imported;
    // A title longer than a name may be is cut after its last whole word that fits, and kept
    // whole at the start of the directions.
    const QString title = trimSpaces(recipe.title);
    QString shortened = title.left(lines::maxNameLength);
    if (title.size() > lines::maxNameLength) {
        if (const qsizetype space = title.lastIndexOf(u' ', lines::maxNameLength);
            space > lines::maxNameLength / 2)
            shortened = title.left(space);
    }
    imported.name = trimSpaces(shortened);
    if (imported.name.isEmpty())
        imported.name = QStringLiteral("Untitled");
    imported.servings = servingsOfYield(recipe.yield);
    for (qsizetype i = 0; i < recipe.ingredients.size(); ++i) {
        // An empty divider before a heading is the blank line a recipe puts before a heading by
        // itself: read as a line too, it would add a second one at every trip out and back.
        const mealmaster::Ingredient& ingredient = recipe.ingredients[i];
        if (ingredient.heading && trimSpaces(ingredient.text).isEmpty() &&
            i + 1 < recipe.ingredients.size() && recipe.ingredients[i + 1].heading)
            continue;
        imported.lines.append(index.review(ingredientLine(ingredient)));
    }
    imported.directions = recipe.directions.join(QStringLiteral("\r\n"));
    index.countUneaten(imported.lines, imported.directions);
    if (title.size() > lines::maxNameLength)
        imported.directions.prepend(title + QStringLiteral("\r\n\r\n"));
    return imported;
}

bool ImportedRecipe::allMatched(const IngTable& table) const
{
    return std::all_of(lines.cbegin(), lines.cend(), [&table](const paste::ReviewedLine& line) {
        return goesInAsMatched(line, table);
    });
}

QStringList ImportedRecipe::linesToCheck(const IngTable& table) const
{
    QStringList texts;
    for (const paste::ReviewedLine& line : lines) {
        if (goesInAsMatched(line, table))
            continue;
        const QString note = line.note();
        texts.append(line.line.text + QStringLiteral(": ") + note.first(1).toLower() +
                     note.sliced(qMin<qsizetype>(1, note.size())));
    }
    return texts;
}

QString ImportedRecipe::record(const QString& storedName, const IngTable& table,
                               QString* problem) const
{
    RecipeDraft draft(table);
    draft.chooseServings(servings);
    draft.confirmServings();
    draft.addLines(paste::draftLines(lines, table));
    if (draft.lineCount() == 0) {
        *problem = QStringLiteral("None of its ingredients was matched to a stored food with an "
                                  "amount, and a recipe needs at least one line.");
        return QString();
    }
    QStringList uncounted;
    for (const paste::ReviewedLine& line : lines)
        if (line.isIngredient() && !line.leftOut && !paste::acceptedLine(line, table))
            uncounted.append(line.line.text);
    QString allDirections = trimSpaces(directions);
    if (!uncounted.isEmpty())
        allDirections += (allDirections.isEmpty() ? QString() : QStringLiteral("\r\n\r\n")) +
                         QStringLiteral("Not counted in the nutrition:\r\n") +
                         uncounted.join(QStringLiteral("\r\n"));
    if (const std::optional<QString> unstorable =
            draft.unstorableText(trimSpaces(storedName), allDirections)) {
        *problem = *unstorable;
        return QString();
    }
    return draft.record(storedName, allDirections);
}

ImportBatch::ImportBatch(const RecipeStore& store)
    : m_store(store)
    , m_names(store.recipeList())
{
}

ImportBatch::Check ImportBatch::check(const QString& name, const QString& record) const
{
    const QString trimmed = trimSpaces(name);
    // The body: what follows the name in the record.
    const QString body = record.sliced(record.indexOf(marks::asChar(marks::bodyStart)));
    for (const int index : m_names.sameNames(trimmed)) {
        if (index >= 0) {
            if (trimSpaces(m_store.recipeList().at(index).recipeName) == trimmed &&
                m_store.recipeBody(index) == body)
                return Check::AlreadyStored;
            continue;
        }
        for (const RecipeStore::NewRecipe& recipe : m_recipes)
            if (trimSpaces(recipe.name) == trimmed && recipe.record == record)
                return Check::AlreadyStored;
    }
    return m_names.matches(trimmed, true) || m_names.matches(trimmed, false) ? Check::NameTaken
                                                                             : Check::New;
}

void ImportBatch::add(const QString& name, const QString& record)
{
    m_recipes.append({trimSpaces(name), record});
    m_names.add(name);
}

void ImportBatch::drop(const QString& name)
{
    const QString trimmed = trimSpaces(name);
    m_recipes.removeIf(
        [&trimmed](const RecipeStore::NewRecipe& recipe) { return recipe.name == trimmed; });
    storeChanged();
}

void ImportBatch::storeChanged()
{
    m_names = StoredNames(m_store.recipeList());
    for (const RecipeStore::NewRecipe& recipe : std::as_const(m_recipes))
        m_names.add(recipe.name);
}

bool ImportBatch::store(RecipeStore& store)
{
    if (!store.appendRecipes(m_recipes))
        return false;
    m_recipes.clear();
    return true;
}

} // namespace zestora::exchange
