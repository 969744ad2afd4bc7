// Loads the two stores of a data folder as the program does at start-up, says "loaded", and waits
// for a line on its standard input while the test changes the files from outside. Then it shows,
// saves, appends and deletes, a recipe and an ingredient, and prints what it saw, what each change
// answered and what the user was told.
#include "core/store/storesload.h"

#include <QDir>

#include <cstdio>
#include <iostream>
#include <string>

using namespace zestora;
using namespace Qt::Literals::StringLiterals;

int main(int argc, char* argv[])
{
    if (argc != 2)
        return 2;
    QDir::setCurrent(QString::fromLocal8Bit(argv[1]));
    IngTable ingredients;
    RecipeStore recipes;
    QStringList told;
    for (DataFile* file : {&ingredients.file(), &recipes.file()})
        file->setNoticeHandler([&told](const QString& notice) { told.append(notice); });
    loadStores(ingredients, recipes);
    std::puts("loaded");
    std::fflush(stdout);
    std::string go;
    std::getline(std::cin, go);

    QStringList lines;
    lines << u"shown " + recipes.recipeList().last().recipeName + u' ' +
                 recipes.recipeBody(recipes.count() - 1)
          << u"shown " + ingredients.at(ingredients.count() - 1).name;
    const auto answer = [&lines](const char* change, bool done, const QString& error) {
        lines << QString::fromLatin1(change) + (done ? u" done"_s : u" failed: "_s + error);
    };
    const QString pie = u"\u00aePie\u00a74\u00c8\u00ce\u00a5Bowl\u0090\u00c6\u00bfMix.\u00df"_s;
    answer("save recipes", recipes.saveBigRecipe(), recipes.errorString());
    answer("append recipe", recipes.appendRecipe(u"Pie"_s, pie), recipes.errorString());
    answer("delete recipe", recipes.deleteRecipeByName(recipes.recipeList().first().recipeName),
           recipes.errorString());
    IngRecord salt;
    salt.name = u"Salt"_s;
    answer("save ingredients", ingredients.saveIngTable(), ingredients.errorString());
    answer("append ingredient", ingredients.appendIng(salt), ingredients.errorString());
    answer("delete ingredient", ingredients.deleteIngAndSave(ingredients.at(0).name),
           ingredients.errorString());
    for (const QString& notice : std::as_const(told))
        lines << u"told " + notice;
    std::fputs(qPrintable(lines.join(u'\n') + u'\n'), stdout);
    return 0;
}
