#include "core/paste/animals.h"

#include "core/paste/foodmatcher.h"
#include "core/store/ingtable.h"

#include <algorithm>

namespace zestora::paste {

namespace {

// The animals whose meat USDA names by them, as match words.
QStringList animalsIn(const QString& text)
{
    static const QStringList animals{QStringLiteral("beef"),    QStringLiteral("pork"),
                                     QStringLiteral("lamb"),    QStringLiteral("veal"),
                                     QStringLiteral("chicken"), QStringLiteral("turkey"),
                                     QStringLiteral("duck"),    QStringLiteral("goose")};
    QStringList named;
    for (const QString& word : matchWords(text))
        if (animals.contains(word) && !named.contains(word))
            named.append(word);
    return named;
}

} // namespace

bool ofAnotherAnimal(const QString& cooksFood, const QString& foodName)
{
    const QStringList cooks = animalsIn(cooksFood);
    const QStringList foods = animalsIn(foodName);
    return !cooks.isEmpty() && !foods.isEmpty() &&
           std::none_of(cooks.cbegin(), cooks.cend(),
                        [&](const QString& animal) { return foods.contains(animal); });
}

QList<FoodMatch> ofTheNamedAnimal(const QString& cooksFood, const QList<FoodMatch>& foods,
                                  const IngTable& ingredients, double least)
{
    const auto another = [&](const FoodMatch& food) {
        return ofAnotherAnimal(cooksFood, ingredients.at(food.index).name);
    };
    QList<FoodMatch> named = foods;
    named.removeIf(another);
    return named.isEmpty() || named.front().score < least ? foods : named;
}

} // namespace zestora::paste
