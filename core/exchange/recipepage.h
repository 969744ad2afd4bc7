#pragma once

#include "core/sharing/recipehtml.h"

#include <QByteArray>

// Recipes as a web page of today's markup, for a browser to show and print: a heading for each
// title, the ingredients as a list, the directions as paragraphs and the Nutrition Facts as a
// table with header cells, laid out by a style sheet; each recipe starts a new printed page. (The
// e-mail keeps the older markup its readers expect: recipeHtmlTable.)
namespace zestora::exchange {

// The page up to its body, in UTF-8, with its title and style sheet.
QByteArray htmlPageStart(const QString& title);
// One recipe as shown on the stored recipes screen, its texts escaped and any control character
// left out.
QByteArray htmlRecipe(const ShownRecipe& recipe);
QByteArray htmlPageEnd();

} // namespace zestora::exchange
