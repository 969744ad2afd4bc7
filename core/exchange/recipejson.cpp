#include "core/exchange/recipejson.h"

#include "core/exchange/exportedrecipe.h"
#include "core/numbers.h"

#include <QJsonArray>

namespace zestora::recipejson {

namespace {

QJsonObject nutritionObject(const nutrition::RecipeTotals& t)
{
    const auto grams = [](float value) -> QString {
        return floatText(value) + QStringLiteral(" g");
    };
    const auto milligrams = [](qint32 value) -> QString {
        return QString::number(value) + QStringLiteral(" mg");
    };
    return {{QStringLiteral("@type"), QStringLiteral("NutritionInformation")},
            {QStringLiteral("calories"),
             QString(QString::number(t.totCalories) + QStringLiteral(" calories"))},
            {QStringLiteral("fatContent"), grams(t.totFat)},
            {QStringLiteral("saturatedFatContent"), grams(t.totSatFat)},
            {QStringLiteral("cholesterolContent"), milligrams(t.totCholesterol)},
            {QStringLiteral("sodiumContent"), milligrams(t.totSodium)},
            {QStringLiteral("carbohydrateContent"), grams(t.totCarbs)},
            {QStringLiteral("fiberContent"), grams(t.totFiber)},
            {QStringLiteral("proteinContent"), grams(t.totProtein)}};
}

} // namespace

QJsonObject recipeObject(const ExportedRecipe& recipe)
{
    QJsonArray ingredients;
    for (const ExportedRecipe::Line& line : recipe.lines)
        if (!line.heading)
            ingredients.append(ingredientText(line));
    QJsonObject object{{QStringLiteral("@context"), QStringLiteral("https://schema.org")},
                       {QStringLiteral("@type"), QStringLiteral("Recipe")},
                       {QStringLiteral("name"), recipe.name},
                       {QStringLiteral("recipeYield"), recipe.yield()},
                       {QStringLiteral("recipeIngredient"), ingredients}};
    QJsonArray steps;
    for (QStringView line : QStringView(recipe.directions).tokenize(u'\n')) {
        const QString text = line.trimmed().toString();
        if (!text.isEmpty())
            steps.append(QJsonObject{{QStringLiteral("@type"), QStringLiteral("HowToStep")},
                                     {QStringLiteral("text"), text}});
    }
    if (!steps.isEmpty())
        object.insert(QStringLiteral("recipeInstructions"), steps);
    if (recipe.perServing)
        object.insert(QStringLiteral("nutrition"), nutritionObject(*recipe.perServing));
    return object;
}

} // namespace zestora::recipejson
