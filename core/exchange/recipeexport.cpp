#include "core/exchange/recipeexport.h"

#include "core/exchange/exportfile.h"
#include "core/exchange/mealmaster.h"
#include "core/exchange/recipejson.h"
#include "core/exchange/recipepage.h"
#include "core/exchange/storedrecipe.h"
#include "core/recipes/cookedweights.h"
#include "core/store/recipestore.h"
#include "core/text.h"

#include <QFileInfo>

#include <algorithm>
#include <numeric>

namespace zestora::exchange {

namespace {

struct FormatName {
    Format format;
    const char* name;
    std::initializer_list<const char*> suffixes;
};
const FormatName formatNames[] = {{Format::Pdf, "pdf", {"pdf"}},
                                  {Format::Html, "html", {"html", "htm"}},
                                  {Format::MealMaster, "mmf", {"mmf", "mm"}},
                                  {Format::Json, "json", {"json"}}};

} // namespace

std::optional<Format> formatNamed(QStringView name)
{
    for (const FormatName& format : formatNames)
        if (name.compare(QLatin1StringView(format.name), Qt::CaseInsensitive) == 0)
            return format.format;
    return std::nullopt;
}

std::optional<Format> formatOfFile(const QString& path)
{
    const QString suffix = QFileInfo(path).suffix();
    for (const FormatName& format : formatNames)
        for (const char* known : format.suffixes)
            if (suffix.compare(QLatin1StringView(known), Qt::CaseInsensitive) == 0)
                return format.format;
    return std::nullopt;
}

QStringList fileSuffixes(Format format)
{
    QStringList suffixes;
    for (const FormatName& known : formatNames)
        if (known.format == format)
            for (const char* suffix : known.suffixes)
                suffixes.append(QLatin1StringView(suffix));
    return suffixes;
}

QList<int> allRecipes(const RecipeStore& recipes)
{
    QStringList keys;
    keys.reserve(recipes.count());
    for (const RecipeEntry& entry : recipes.recipeList())
        keys.append(trimSpaces(entry.recipeName).toCaseFolded());
    QList<int> indexes(recipes.count());
    std::iota(indexes.begin(), indexes.end(), 0);
    std::stable_sort(indexes.begin(), indexes.end(),
                     [&keys](int a, int b) { return keys[a] < keys[b]; });
    return indexes;
}

std::optional<int> recipeNamed(const RecipeStore& recipes, const QString& name)
{
    const QString wanted = trimSpaces(name);
    for (int i = recipes.count() - 1; i >= 0; --i)
        if (trimSpaces(recipes.recipeList()[i].recipeName).compare(wanted, Qt::CaseInsensitive) ==
            0)
            return i;
    return std::nullopt;
}

QString missingIngredientWarning(const QString& recipe, const QString& ingredient)
{
    return QStringLiteral("%1: the ingredient \"%2\" is not in the ingredient database, so the "
                          "recipe's nutrition is left out.")
        .arg(recipe, ingredient);
}

Outcome writeRecipes(Format format, const RecipeStore& recipes, const IngTable& ingredients,
                     const QList<int>& indexes, ExportFile& file, const Progress& progress)
{
    Q_ASSERT(format != Format::Pdf);
    Outcome outcome;
    const int total = static_cast<int>(indexes.size());
    const bool several = total != 1;
    RecipeNutrition nutrition(ingredients);
    CookedWeights cooked;
    cooked.load();
    StoredRecipe recipe;
    QByteArray bytes;
    if (format == Format::Html) {
        if (!several)
            recipe.read(recipes, indexes[0]);
        bytes = htmlPageStart(several ? QStringLiteral("Recipes") : decodeCp1252(recipe.name));
    }
    if (format == Format::Json && several)
        bytes = "[";
    for (int done = 0; done < total; ++done) {
        recipe.read(recipes, indexes[done]);
        RecipeNutrition::Result worked;
        if (format != Format::MealMaster) {
            worked = nutrition.of(recipe);
            if (worked.missingIngredient)
                outcome.warnings.append(
                    missingIngredientWarning(decodeCp1252(recipe.name), *worked.missingIngredient));
        }
        switch (format) {
        case Format::Html:
            bytes.append(htmlRecipe(shownRecipe(recipe, worked)));
            break;
        case Format::MealMaster:
            mealmaster::appendRecipe(bytes, recipe, cooked.of(decodeCp1252(recipe.name)));
            break;
        case Format::Json: {
            if (several)
                bytes.append(done > 0 ? ",\n    " : "\n    ");
            const std::optional<double> weighed = cooked.of(decodeCp1252(recipe.name));
            recipejson::appendRecipe(bytes, recipe, worked.perServing, several ? 4 : 0,
                                     servingWeight(recipe, ingredients, weighed),
                                     weighed.has_value());
            break;
        }
        case Format::Pdf:
            break;
        }
        if (!file.write(bytes))
            return outcome;
        bytes.resize(0);
        if (progress && !progress(done + 1, total)) {
            outcome.cancelled = true;
            return outcome;
        }
    }
    if (format == Format::Html)
        bytes = htmlPageEnd();
    if (format == Format::Json)
        bytes = several ? "\n]\n" : "\n";
    if (!file.write(bytes))
        return outcome;
    outcome.written = true;
    return outcome;
}

} // namespace zestora::exchange
