#pragma once

#include <QStringList>

class QTextStream;

namespace zestora {

// zestora ingredient-from-recipe NAME [--as INGREDIENT] [--data-dir DIR]: stores one serving of
// the stored recipe NAME as an ingredient (named after the recipe, or INGREDIENT), linked to the
// recipe so that it follows the recipe when the recipe is saved again. Returns the exit code.
int ingredientFromRecipe(const QStringList& arguments, QTextStream& out, QTextStream& err);

} // namespace zestora
