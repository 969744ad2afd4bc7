#include "core/ingredients/ingredientuse.h"

#include "core/sortednamemodel.h"
#include "core/store/ingtable.h"
#include "core/store/recipemarks.h"
#include "core/store/recipestore.h"
#include "core/text.h"

#include <algorithm>

namespace zestora {

namespace {

QByteArrayView trimmedSpaces(QByteArrayView bytes)
{
    while (bytes.startsWith(' '))
        bytes = bytes.sliced(1);
    while (bytes.endsWith(' '))
        bytes.chop(1);
    return bytes;
}

// Whether a recipe body has an ingredient line whose name has the lower-case form `key`. The
// lines are read as the stored recipes screen reads them: from the servings end to the lines end,
// each up to its line end; a line with the heading mark is a heading. A code page 1252 name has
// one byte per character, so only names of the key's length are decoded.
bool namesIngredient(QByteArrayView body, const QString& key)
{
    const qsizetype servingsEnd = body.indexOf(marks::servingsEnd);
    if (servingsEnd < 0)
        return false;
    QByteArrayView lines = body.sliced(servingsEnd + 1);
    if (const qsizetype linesEnd = lines.indexOf(marks::linesEnd); linesEnd >= 0)
        lines.truncate(linesEnd);
    while (!lines.isEmpty()) {
        qsizetype end = lines.indexOf(marks::lineEnd);
        end = end < 0 ? lines.size() : end + 1;
        const QByteArrayView line = lines.first(end);
        lines = lines.sliced(end);
        if (line.contains(marks::headingMark))
            continue;
        const qsizetype nameEnd = line.indexOf(marks::nameEnd);
        if (nameEnd <= 0)
            continue;
        const QByteArrayView name = trimmedSpaces(line.sliced(1, nameEnd - 1));
        if (name.size() == key.size() && lowerCase(decodeCp1252(name)) == key)
            return true;
    }
    return false;
}

} // namespace

IngredientUse recipesLosing(const IngTable& ingredients, const RecipeStore& recipes,
                            const QString& name, int namesWanted)
{
    const QString key = lowerCase(trimmedSpacesView(name));
    const int deleted = ingredients.indexOfName(trimSpaces(name));
    for (int i = 0; i < ingredients.count(); ++i)
        if (i != deleted && lowerCase(trimmedSpacesView(ingredients.at(i).name)) == key)
            return {};
    QStringList names;
    for (int i = 0; i < recipes.count(); ++i)
        if (namesIngredient(recipes.recipeBodyBytes(i), key))
            names.append(trimSpaces(recipes.recipeList().at(i).recipeName));
    IngredientUse use{static_cast<int>(names.size()), {}};
    const auto first = names.begin() + qMin<qsizetype>(namesWanted, names.size());
    std::partial_sort(names.begin(), first, names.end(), SortedNameModel::lessForPeople);
    use.firstNames = QStringList(names.begin(), first);
    return use;
}

} // namespace zestora
