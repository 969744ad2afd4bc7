#pragma once

#include "core/exchange/mealmaster.h"

#include <QByteArrayView>
#include <QString>

// A file of recipes to import, whatever its form: MealMaster text, schema.org JSON-LD (.json,
// .jsonld, Zestora's own export among them) or a saved web page (.html, .htm) that carries it.
namespace zestora::exchange {

struct RecipeFile {
    QList<mealmaster::Recipe> recipes;
    QStringList problems; // what could not be read, one sentence each
    // Why no recipe was found, in one line naming the file; empty when one was.
    QString noRecipe;
};

// The form is told by the text itself (JSON starts with a bracket, a page has tags); the file's
// name only names it in the messages. Progress is told while a MealMaster or JSON file is read.
RecipeFile readRecipeFile(const QString& fileName, QByteArrayView bytes,
                          const mealmaster::ReadProgress& progress = {});

} // namespace zestora::exchange
