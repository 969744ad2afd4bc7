#include "app/commands.h"

#include "app/analyzecommand.h"
#include "app/backupcommands.h"
#include "app/exportcommand.h"
#include "app/importcommand.h"
#include "app/programdir.h"
#include "app/recipeingredientcommand.h"
#include "app/usdaimport.h"

#include <QCoreApplication>
#include <QTextStream>

namespace zestora {

std::optional<int> runCommandLineTool(int argc, char* argv[])
{
    if (argc < 2)
        return std::nullopt;
    const QByteArrayView command(argv[1]);
    if (command == "export")
        return exportCommand(argc, argv);
    if (command != "import-usda" && command != "backups" && command != "restore" &&
        command != "analyze" && command != "import" && command != "ingredient-from-recipe")
        return std::nullopt;
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    const QStringList arguments = QCoreApplication::arguments().mid(2);
    if (command == "import-usda")
        return importUsda(arguments, programDataDir(), out);
    if (command == "analyze" || command == "import") {
        QTextStream err(stderr);
        return (command == "analyze" ? analyzeRecipe : importRecipes)(arguments, programDataDir(),
                                                                      out, err);
    }
    if (command == "ingredient-from-recipe") {
        QTextStream err(stderr);
        return ingredientFromRecipe(arguments, out, err);
    }
    if (command == "backups")
        return listBackups(arguments, out);
    return restoreFromBackup(arguments, out);
}

} // namespace zestora
