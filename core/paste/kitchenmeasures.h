#pragma once

#include "core/paste/ingredientline.h"

#include <QLocale>
#include <QString>

#include <optional>

// Whose cups and spoons a recipe is written in. An American cup holds 237 ml and a tablespoon
// 15 ml; Australian cooks measure a 250 ml cup and a 20 ml tablespoon; a British pint is 568 ml
// against the American 473 ml, and so are the British quart, gallon and fluid ounce larger.
namespace zestora::paste {

enum class KitchenMeasures { US, UK, Australian };

// The measures of the country a locale names: British for the United Kingdom, Ireland and New
// Zealand (whose cup is metric and tablespoon 15 ml), Australian for Australia, else American.
KitchenMeasures measuresOfLocale(const QLocale& locale);

// The measures a word names, as the command line and the settings write them: "us", "uk" or
// "au" (also "australian", "british", "american"), in any letter case; none for another word.
std::optional<KitchenMeasures> measuresNamed(QStringView word);
// The settings' and the command line's word for the measures: "us", "uk", "au".
QString measuresKey(KitchenMeasures measures);
// The measures as people call them: "American", "British", "Australian".
QString measuresTitle(KitchenMeasures measures);

// The line's amount in the given measures: a cup, spoon, pint, quart, gallon or fluid ounce that
// holds more or less than the program's own American one is read as so many millilitres, and the
// line says which measure it was ("Australian tablespoon, 20 ml"). A teaspoon is 5 ml everywhere.
void readInMeasures(IngredientLine& line, KitchenMeasures measures);

} // namespace zestora::paste
