#include "core/recipes/recipeingredients.h"

#include "core/analysis/lineamounts.h"
#include "core/analysis/quantity.h"
#include "core/ingredients/wizardrules.h"
#include "core/recipes/recipefields.h"
#include "core/store/ingtable.h"
#include "core/store/pairsfile.h"
#include "core/store/recipestore.h"
#include "core/text.h"

#include <QSet>

#include <cmath>

namespace zestora::recipeingredients {

namespace {

bool sameName(const QString& a, const QString& b)
{
    return trimSpaces(a).compare(trimSpaces(b), Qt::CaseInsensitive) == 0;
}

QString keyOf(const QString& name)
{
    return lowerCase(trimSpaces(name));
}

const QString servingMeasure = QStringLiteral("serving");

// The stored body of a recipe, or none when no recipe of that name is stored.
std::optional<QString> storedBody(const QString& recipe, const RecipeStore& recipes)
{
    const int index = recipes.lastIndexOfNameIgnoringCase(trimSpaces(recipe));
    if (index < 0)
        return std::nullopt;
    return recipes.recipeBody(index);
}

} // namespace

void RecipeLinks::load()
{
    m_links.clear();
    for (const auto& [ingredient, recipe] : pairsfile::read(fileName))
        if (!recipe.isEmpty())
            m_links.append({ingredient, recipe});
}

QString RecipeLinks::recipeOf(const QString& ingredient) const
{
    for (const Link& link : m_links)
        if (sameName(link.ingredient, ingredient))
            return link.recipe;
    return {};
}

QStringList RecipeLinks::ingredientsOf(const QString& recipe) const
{
    QStringList names;
    for (const Link& link : m_links)
        if (sameName(link.recipe, recipe))
            names.append(link.ingredient);
    return names;
}

QStringList RecipeLinks::recipesUsing(const QString& ingredient, const RecipeStore& recipes) const
{
    QStringList users;
    QSet<QString> seen;
    for (const Link& link : m_links) {
        if (seen.contains(keyOf(link.recipe)))
            continue;
        seen.insert(keyOf(link.recipe));
        const std::optional<QString> body = storedBody(link.recipe, recipes);
        if (body && ingredientNames(*body).contains(trimSpaces(ingredient), Qt::CaseInsensitive))
            users.append(link.recipe);
    }
    return users;
}

bool RecipeLinks::link(const QString& ingredient, const QString& recipe)
{
    QList<Link> links = m_links;
    links.removeIf([&](const Link& link) { return sameName(link.ingredient, ingredient); });
    links.append({trimSpaces(ingredient), trimSpaces(recipe)});
    return save(links);
}

bool RecipeLinks::unlinkIngredient(const QString& ingredient)
{
    QList<Link> links = m_links;
    if (links.removeIf([&](const Link& link) { return sameName(link.ingredient, ingredient); }) ==
        0)
        return true;
    return save(links);
}

bool RecipeLinks::save(const QList<Link>& links)
{
    pairsfile::Pairs pairs;
    for (const Link& link : links)
        pairs.append({link.ingredient, link.recipe});
    if (!pairsfile::write(fileName, pairs, &m_error))
        return false;
    m_links = links;
    return true;
}

QString nameProblem(const QString& name, const IngTable& ingredients)
{
    const QString trimmed = trimSpaces(name);
    if (trimmed.isEmpty())
        return QStringLiteral("The ingredient needs a name.");
    if (trimmed.size() > IngRecord::nameWidth)
        return QStringLiteral("An ingredient's name has at most %1 characters; \"%2\" has %3.")
            .arg(IngRecord::nameWidth)
            .arg(trimmed)
            .arg(trimmed.size());
    if (const std::optional<QString> problem =
            wizard::unstorableCharacter(trimmed, QStringLiteral("the name")))
        return *problem;
    if (ingredients.lastIndexOfNameIgnoringCase(trimmed) >= 0)
        return QStringLiteral("An ingredient named %1 is already stored: choose another name.")
            .arg(trimmed);
    return {};
}

std::optional<IngRecord> ingredientFromRecipe(const QString& ingredientName,
                                              const QString& recipeBody,
                                              const IngTable& ingredients, QString* why)
{
    const recipefields::Body<QStringView> fields = recipefields::body(QStringView(recipeBody));
    const float servings = quantity::quantityValue(fields.servings.toString());
    if (!(servings > 0)) {
        *why = QStringLiteral("The recipe has no servings to divide by.");
        return std::nullopt;
    }
    std::array<double, nutrition::nutrientCount> perServing{};
    double grams = 0;
    bool everyLineWeighed = true;
    bool anyLine = false;
    QString missing;
    recipefields::forEachEntry(fields.entries, [&](QStringView marked) {
        const recipefields::Entry<QStringView> entry = recipefields::entry(marked);
        if (entry.heading || !missing.isEmpty())
            return;
        const std::optional<nutrition::LineAmount> amount =
            nutrition::lineAmount(marked.toString(), ingredients, servings);
        if (!amount) {
            missing = trimSpaces(entry.ingredient);
            return;
        }
        anyLine = true;
        for (size_t n = 0; n < perServing.size(); ++n)
            perServing[n] += amount->perServing[n];
        if (amount->grams)
            grams += *amount->grams / servings;
        else
            everyLineWeighed = false;
    });
    if (!missing.isEmpty()) {
        *why = QStringLiteral("The ingredient %1 of the recipe is not stored.").arg(missing);
        return std::nullopt;
    }
    if (!anyLine) {
        *why = QStringLiteral("The recipe has no ingredients.");
        return std::nullopt;
    }
    using nutrition::Nutrient;
    const auto value = [&perServing](Nutrient n) {
        return perServing[static_cast<size_t>(n)];
    };
    IngRecord record;
    record.name = trimSpaces(ingredientName);
    record.amount1 = 1;
    record.measure1 = servingMeasure;
    if (everyLineWeighed && grams > 0) {
        record.amount2 = static_cast<float>(grams);
        record.measure2 = QStringLiteral("g");
    }
    record.calories = static_cast<float>(value(Nutrient::Calories));
    record.fat = static_cast<float>(value(Nutrient::TotalFat));
    record.satFat = static_cast<float>(value(Nutrient::SatFat));
    record.cholesterol = static_cast<qint32>(std::nearbyint(value(Nutrient::Cholesterol)));
    record.sodium = static_cast<float>(value(Nutrient::Sodium));
    record.totalCarbs = static_cast<float>(value(Nutrient::TotalCarbs));
    record.fiber = static_cast<float>(value(Nutrient::Fiber));
    record.protein = static_cast<float>(value(Nutrient::Protein));
    record.measureKind = volumeWeight(record.measure1, record.measure2);
    record.customMeasure = -1;
    return record;
}

QStringList ingredientNames(const QString& recipeBody)
{
    QStringList names;
    const recipefields::Body<QStringView> fields = recipefields::body(QStringView(recipeBody));
    recipefields::forEachEntry(fields.entries, [&names](QStringView marked) {
        const recipefields::Entry<QStringView> entry = recipefields::entry(marked);
        if (!entry.heading)
            names.append(trimSpaces(entry.ingredient));
    });
    return names;
}

QStringList containingChain(const QString& recipe, const QStringList& ingredientsOfRecipe,
                            const RecipeStore& recipes, const RecipeLinks& links)
{
    // Depth first through the recipes the lines' ingredients were made from; each recipe is
    // walked once, so a long chain or a wide tree costs one visit a recipe.
    QSet<QString> walked{keyOf(recipe)};
    QStringList chain{trimSpaces(recipe)};
    const auto walk = [&](const auto& self, const QStringList& names) -> bool {
        for (const QString& name : names) {
            const QString madeFrom = links.recipeOf(name);
            if (madeFrom.isEmpty())
                continue;
            if (sameName(madeFrom, recipe)) {
                chain.append(trimSpaces(recipe));
                return true;
            }
            if (walked.contains(keyOf(madeFrom)))
                continue;
            walked.insert(keyOf(madeFrom));
            const std::optional<QString> body = storedBody(madeFrom, recipes);
            if (!body)
                continue;
            chain.append(trimSpaces(madeFrom));
            if (self(self, ingredientNames(*body)))
                return true;
            chain.removeLast();
        }
        return false;
    };
    return walk(walk, ingredientsOfRecipe) ? chain : QStringList{};
}

QString chainMessage(const QStringList& chain)
{
    return QStringLiteral("A recipe cannot contain itself: %1.")
        .arg(chain.join(QStringLiteral(" uses ")));
}

QStringList followRecipe(const QString& recipe, IngTable& ingredients, const RecipeStore& recipes,
                         const RecipeLinks& links, QString* error)
{
    QStringList updated;
    QStringList waiting{trimSpaces(recipe)};
    QSet<QString> followed;
    while (!waiting.isEmpty()) {
        const QString current = waiting.takeFirst();
        if (followed.contains(keyOf(current)))
            continue;
        followed.insert(keyOf(current));
        const std::optional<QString> body = storedBody(current, recipes);
        if (!body)
            continue;
        for (const QString& ingredient : links.ingredientsOf(current)) {
            const int index = ingredients.lastIndexOfNameIgnoringCase(ingredient);
            if (index < 0)
                continue;
            QString why;
            const std::optional<IngRecord> record =
                ingredientFromRecipe(ingredients.at(index).name, *body, ingredients, &why);
            if (!record || *record == ingredients.at(index))
                continue;
            if (!ingredients.replaceIngAt(index, *record)) {
                *error = ingredients.errorString();
                return updated;
            }
            updated.append(trimSpaces(ingredient));
            // Recipes made into ingredients that use this one change with it.
            for (const QString& name : links.recipesUsing(ingredient, recipes))
                waiting.append(name);
        }
    }
    return updated;
}

} // namespace zestora::recipeingredients
