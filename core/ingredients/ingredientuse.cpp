#include "core/ingredients/ingredientuse.h"

#include "core/exchange/storedrecipe.h"
#include "core/sortednamemodel.h"
#include "core/store/ingtable.h"
#include "core/store/recipestore.h"
#include "core/text.h"

#include <algorithm>

namespace zestora {

namespace {

// A lower-case name to look for, and its bytes in the file's code page.
struct Key {
    QString text;
    QByteArray bytes; // empty when the code page cannot hold it: every name is then decoded
};

// Whether a name's bytes have the lower-case form key. A code page 1252 name has one byte per
// character: bytes that are equal, or an ASCII capital and its small letter, settle it at once;
// only a name that differs in another letter is decoded and lowered.
bool hasKey(QByteArrayView name, const Key& key)
{
    if (name.size() != key.text.size())
        return false;
    qsizetype i = 0;
    for (; i < name.size() && !key.bytes.isEmpty(); ++i) {
        const auto c = static_cast<unsigned char>(name[i]);
        const auto k = static_cast<unsigned char>(key.bytes[i]);
        if (c == k || (c >= 'A' && c <= 'Z' && c + ('a' - 'A') == k))
            continue;
        if (c < 0x80 && k < 0x80)
            return false;
        break;
    }
    if (!key.bytes.isEmpty() && i == name.size())
        return true;
    return lowerCase(decodeCp1252(name)) == key.text;
}

} // namespace

IngredientUse recipesLosing(const IngTable& ingredients, const RecipeStore& recipes,
                            const QString& name, int namesWanted)
{
    Key key{lowerCase(trimmedSpacesView(name)), {}};
    const int deleted = ingredients.indexOfName(trimSpaces(name));
    // By the names alone: the table reads a record's other fields only when they are looked at.
    const QStringList stored = ingredients.trimmedNames();
    for (int i = 0; i < stored.size(); ++i)
        if (i != deleted && compareLowerCase(stored[i], trimmedSpacesView(name)) == 0)
            return {};
    if (!firstCharOutsideCp1252(key.text))
        key.bytes = encodeCp1252(key.text);
    // The lines are read as the stored recipes screen reads them, straight from the bytes.
    QStringList names;
    StoredRecipe recipe;
    for (int i = 0; i < recipes.count(); ++i) {
        recipe.read(recipes, i);
        if (std::any_of(recipe.lines.cbegin(), recipe.lines.cend(),
                        [&key](const StoredRecipe::Line& line) {
                            return !line.heading && hasKey(trimmedSpaces(line.ingredient), key);
                        }))
            names.append(decodeCp1252(recipe.name));
    }
    IngredientUse use{static_cast<int>(names.size()), {}};
    const auto first = names.begin() + qMin<qsizetype>(namesWanted, names.size());
    std::partial_sort(names.begin(), first, names.end(), SortedNameModel::lessForPeople);
    use.firstNames = QStringList(names.begin(), first);
    return use;
}

} // namespace zestora
