#pragma once

#include "core/exchange/mealmaster.h"

#include <QByteArrayView>

// Recipes as web pages carry them: schema.org Recipe objects in JSON-LD, in a file of their own or
// in the <script type="application/ld+json"> elements of a saved page.
namespace zestora::recipeld {

// Every Recipe of a JSON-LD text: the object itself, those of an array, of an "@graph", or
// deeper inside another object ("mainEntity"). Its ingredient lines keep their amount apart
// ("2 1/2" and "cup Flour"), an empty line or one such as "Topping:" is a heading; its
// instructions, a text or a list of steps (HowToStep, and HowToSection with its name before its
// steps), become paragraphs, one empty line between steps. A problem for text that is no JSON.
// Progress counts the elements of a list at the top, the usual form of a long file.
mealmaster::ReadResult readJson(QByteArrayView bytes,
                                const mealmaster::ReadProgress& progress = {});
// The same from each ld+json script of a page, their texts freed of markup and character
// references ("&amp;").
mealmaster::ReadResult readPage(QByteArrayView bytes);

} // namespace zestora::recipeld
