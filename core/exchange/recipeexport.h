#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

namespace zestora {

class ExportFile;
class IngTable;
class RecipeStore;

// Stored recipes written out in the forms other programs read.
namespace exchange {

enum class Format {
    Pdf,        // the printed page, one recipe a page (made by the screens' printing)
    Html,       // a page a browser opens: the recipe beside its Nutrition Facts panel
    MealMaster, // the plain-text exchange format (.mmf)
    Json,       // schema.org Recipe objects (JSON-LD)
};

// "pdf", "html", "mmf", "json".
std::optional<Format> formatNamed(QStringView name);
// The format a file name's ending asks for (.pdf, .html or .htm, .mmf or .mm, .json).
std::optional<Format> formatOfFile(const QString& path);
// The endings of a format's files, the usual one first: "html", "htm".
QStringList fileSuffixes(Format format);

// Every recipe of the store, in the order of the stored recipes list.
QList<int> allRecipes(const RecipeStore& recipes);
// The recipe the stored recipes screen shows for a name: the last one whose trimmed name equals
// it, ignoring letter case.
std::optional<int> recipeNamed(const RecipeStore& recipes, const QString& name);

// Told after each recipe how many of how many are written; answering false stops the export.
using Progress = std::function<bool(int done, int total)>;

struct Outcome {
    bool written = false;
    bool cancelled = false;
    QStringList warnings; // a recipe whose nutrition could not be worked out, one sentence each
    int leftOut = 0;      // recipes asked for but not written (a page cannot be printed of them)
};

// Writes the recipes of indexes into the file (opened, not committed) in a text format: HTML,
// MealMaster or JSON. Not for PDF, which the screens make.
Outcome writeRecipes(Format format, const RecipeStore& recipes, const IngTable& ingredients,
                     const QList<int>& indexes, ExportFile& file, const Progress& progress = {});

// The warning for a recipe whose ingredient the database lacks.
QString missingIngredientWarning(const QString& recipe, const QString& ingredient);

} // namespace exchange
} // namespace zestora
