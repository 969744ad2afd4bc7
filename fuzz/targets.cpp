#include "fuzz/targets.h"

#include "core/analysis/quantity.h"
#include "core/exchange/mealmaster.h"
#include "core/exchange/recipeld.h"
#include "core/paste/ingredientline.h"
#include "core/recipes/recipeview.h"
#include "core/store/ingtable.h"
#include "core/store/memoryfile.h"
#include "core/store/recipemarks.h"
#include "core/store/recipestore.h"
#include "core/text.h"

#include <QBuffer>

#include <cmath>

namespace zestora::fuzz {

namespace {

template <typename Store>
Store storeOf(const QString& name, QByteArrayView bytes, MemoryFile** file)
{
    auto memory = std::make_unique<MemoryFile>(name, bytes.toByteArray());
    *file = memory.get();
    return Store(std::move(memory));
}

QString mark(char m)
{
    return QString(marks::asChar(m));
}

} // namespace

QString ingredientFile(QByteArrayView bytes)
{
    MemoryFile* file = nullptr;
    IngTable ingredients = storeOf<IngTable>(IngTable::fileName, bytes, &file);
    ingredients.loadIngTable();
    const QStringList names = ingredients.trimmedNames();
    if (!ingredients.saveIngTable())
        return QStringLiteral("the loaded table could not be saved");
    MemoryFile* saved = nullptr;
    IngTable reloaded = storeOf<IngTable>(IngTable::fileName, file->bytes(), &saved);
    if (reloaded.loadIngTable())
        return QStringLiteral("the saved table does not load cleanly");
    if (reloaded.trimmedNames() != names)
        return QStringLiteral("the saved table loads other names");
    return QString();
}

QString recipeFile(QByteArrayView bytes)
{
    MemoryFile* ingredientsFile = nullptr;
    IngTable ingredients = storeOf<IngTable>(IngTable::fileName, {}, &ingredientsFile);
    IngRecord flour;
    flour.name = QStringLiteral("Flour");
    flour.amount1 = 1;
    flour.measure1 = QStringLiteral("cup");
    flour.calories = 455;
    ingredients.appendIng(flour);

    MemoryFile* file = nullptr;
    RecipeStore recipes = storeOf<RecipeStore>(RecipeStore::fileName, bytes, &file);
    recipes.load();
    for (int i = 0; i < recipes.count(); ++i) {
        const RecipeView view = viewRecipe(recipes.recipeBody(i), ingredients);
        if (view.rows.size() > view.entries.size())
            return QStringLiteral("recipe %1 shows more rows than it has lines").arg(i);
        for (const QString& entry : view.entries)
            textBetween(entry, mark(marks::lineStart), mark(marks::nameEnd));
    }
    QStringList names = recipes.recipeNames();
    const QString record = mark(marks::recordStart) + QStringLiteral("New") +
                           mark(marks::bodyStart) + QStringLiteral("1") + mark(marks::servingsEnd) +
                           mark(marks::linesEnd) + mark(marks::directionsStart) +
                           mark(marks::recordEnd);
    if (recipes.count() < RecipeStore::maxCount) {
        if (!recipes.appendRecipe(QStringLiteral("New"), record))
            return QStringLiteral("a recipe could not be appended");
        names.append(QStringLiteral("New"));
    }
    MemoryFile* saved = nullptr;
    RecipeStore reloaded = storeOf<RecipeStore>(RecipeStore::fileName, file->bytes(), &saved);
    if (reloaded.load())
        return QStringLiteral("the saved store does not load cleanly");
    if (reloaded.recipeNames() != names)
        return QStringLiteral("the saved store loads other names");
    return QString();
}

QString quantityText(QByteArrayView bytes)
{
    const QString text = decodeCp1252(bytes);
    const float value = quantity::quantityValue(text);
    const int spinner = quantity::servingsSpinnerValue(text, value);
    if (spinner < quantity::servingsMinimum || spinner > quantity::servingsMaximum)
        return QStringLiteral("servings spinner value %1 out of range").arg(spinner);
    // The whole part and the fraction as the spinners would give them, put together and read back.
    const qsizetype split = text.indexOf(QLatin1Char('|'));
    const QString ones = text.left(qMax<qsizetype>(split, 0));
    const int index = split < 0 ? 0 : static_cast<int>(bytes.size() % quantity::fractionCount);
    const QString together =
        quantity::putTogetherQuantityString(ones, quantity::fractionText(index), true);
    if (together != quantity::missingQuantity && !std::isnan(quantity::quantityValue(ones)) &&
        quantity::quantityValue(ones) >= 0 && quantity::quantityValue(together) < 0)
        return QStringLiteral("%1 reads back as a negative quantity").arg(together);
    return QString();
}

QString webRecipes(QByteArrayView bytes)
{
    for (const mealmaster::ReadResult& read :
         {recipeld::readJson(bytes), recipeld::readPage(bytes)})
        for (const mealmaster::Recipe& recipe : read.recipes)
            for (const mealmaster::Ingredient& line : recipe.ingredients)
                if (!line.heading && line.text.trimmed().isEmpty())
                    return QStringLiteral("an ingredient line without its text");
    return QString();
}

QString mealMasterFile(QByteArrayView bytes)
{
    QByteArray file = bytes.toByteArray();
    QBuffer buffer(&file);
    buffer.open(QIODevice::ReadOnly);
    for (const mealmaster::Recipe& recipe : mealmaster::read(&buffer).recipes) {
        QByteArray written = mealmaster::write(recipe);
        QBuffer again(&written);
        again.open(QIODevice::ReadOnly);
        if (mealmaster::read(&again).recipes.size() != 1)
            return QStringLiteral("the recipe %1, written, does not read as one").arg(recipe.title);
    }
    return QString();
}

QString ingredientLines(QByteArrayView bytes)
{
    const QString text = QString::fromUtf8(bytes);
    const auto usable = [](std::optional<double> amount) {
        return !amount || (std::isfinite(*amount) && *amount >= 0);
    };
    for (const paste::IngredientLine& line : paste::readRecipeText(text, true).lines)
        if (!usable(line.quantity))
            return QStringLiteral("%1 reads as the amount %2").arg(line.text).arg(*line.quantity);
    for (const QStringView row : QStringView(text).split(u'\n'))
        if (!usable(paste::readQuantity(row)))
            return QStringLiteral("%1 reads as the amount %2")
                .arg(row)
                .arg(*paste::readQuantity(row));
    return QString();
}

} // namespace zestora::fuzz
