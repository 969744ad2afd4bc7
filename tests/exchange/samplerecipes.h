#pragma once

#include "core/analysis/recipelines.h"
#include "core/store/ingtable.h"
#include "core/text.h"
#include "testsupport.h"

// The recipes the export tests write out, over a small ingredient database.
namespace zestora::testing {

inline QByteArray sampleIngredients()
{
    return IngTable::toBytes(
        {food(u"Wheat flour, white, all-purpose, enriched"_s, 1, u"cup"_s, 0, {},
              {2, 0.4f, 80, 4, 12, 0, 10}),
         food(u"Egg"_s, 1, u"large"_s, 50, u"g"_s, {5, 1.6f, 0.6f, 0, 6.3f, 186, 70}, true),
         food(u"Milk"_s, 1, u"cup"_s, 0, {}, {8, 4.8f, 12, 0, 8, 24, 104}),
         food(u"Maple syrup"_s, 1, u"tbs"_s, 0, {}, {0, 0, 13.4f, 0, 0, 0, 2})});
}

// Pancakes after an older recipe of the same name, and a recipe whose ingredient the database
// lacks.
inline QByteArray sampleRecipes()
{
    const auto line = [](const QString& name, const QString& quantity, const QString& unit) {
        return lines::ingredientEntry(name, true, quantity, unit);
    };
    const QString pancakes = lines::recipeRecord(
        u"Pancakes"_s, u"2"_s,
        {line(u"Wheat flour, white, all-purpose, enriched"_s, u"1 1/2"_s, u"cup"_s),
         line(u"Egg"_s, u"2"_s, u"large"_s), line(u"Milk"_s, u"1/2"_s, u"cup"_s),
         lines::headingEntry(u"Topping"_s), line(u"Maple syrup"_s, u"1"_s, u"tbs"_s)},
        u"Whisk the flour, the eggs and the milk into a smooth batter and let it rest for ten "
        "minutes before frying.\r\n\r\nFry by the ladle in a hot buttered pan."_s);
    const QString lost = lines::recipeRecord(u"Mac & Cheese"_s, u"1"_s,
                                             {line(u"Macaroni"_s, u"1"_s, u"cup"_s)}, u"Boil."_s);
    const QString older =
        lines::recipeRecord(u"PANCAKES"_s, u"1"_s, {line(u"Milk"_s, u"1"_s, u"cup"_s)},
                            u"An older batter, stored under the same name."_s);
    return encodeCp1252(QString(older + pancakes + lost)) + "\r\n";
}

} // namespace zestora::testing
