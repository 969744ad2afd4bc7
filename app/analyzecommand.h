#pragma once

#include <QStringList>

class QTextStream;

namespace zestora {

// zestora analyze [--data-dir DIR] [--servings N] [--json] FILE: reads a plain-text recipe (an
// optional title, one ingredient a line; "-" is standard input), matches every line to a stored
// food and prints the matches and the Nutrition Facts per serving, as text or as one JSON object.
// The foods are those of DIR (the user's data folder by default), or the starter database when
// that folder has none. Returns the process's exit code.
int analyzeRecipe(const QStringList& arguments, const QString& programDir, QTextStream& out,
                  QTextStream& err);

} // namespace zestora
