#pragma once

#include <QByteArrayView>
#include <QString>

// The fuzzed entry points: each takes any bytes, runs them through a reader of the program and
// checks what must hold for every input. An empty answer means all held; otherwise it says what
// did not. The libFuzzer programs and the corpus replay test call the same functions.
namespace zestora::fuzz {

// The bytes as an Ing.dat: loaded, saved and loaded again to the same names.
QString ingredientFile(QByteArrayView bytes);
// The bytes as a Recipe.Dat: loaded and split, every recipe viewed and its lines read, a recipe
// appended, and the saved text loaded again cleanly with the same names.
QString recipeFile(QByteArrayView bytes);
// The bytes as quantity and servings texts, read back into numbers.
QString quantityText(QByteArrayView bytes);
// The bytes as a JSON-LD file and as a saved page: every recipe read has a title or lines.
QString webRecipes(QByteArrayView bytes);
// The bytes as a MealMaster file to import: every recipe read is written and read again.
QString mealMasterFile(QByteArrayView bytes);
// The bytes as pasted recipe text, read line by line: no amount read is negative or endless.
QString ingredientLines(QByteArrayView bytes);

} // namespace zestora::fuzz
