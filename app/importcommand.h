#pragma once

#include <QStringList>

class QTextStream;

namespace zestora {

// zestora import FILE [--accept-best] [--data-dir DIR]: stores the recipes of a MealMaster file,
// a JSON-LD file or a saved web page, every ingredient line matched to a stored food. A recipe
// whose lines all match is stored; the others are listed with the lines to check, and stored with
// the best matches only when
// --accept-best is given. A recipe whose name is stored already is never replaced: the same
// recipe is not stored twice, and a different one of that name is left out and listed, for the
// program's Import Recipes to settle. All are stored with one write, and each stored recipe is
// listed with what became of its ingredient lines. Returns the exit code: 0
// when every recipe of the file is stored, 1 when one is not.
int importRecipes(const QStringList& arguments, const QString& programDir, QTextStream& out,
                  QTextStream& err);

} // namespace zestora
