#include "app/recipeingredientcommand.h"

#include "app/folderlock.h"
#include "app/launcher.h"
#include "core/recipes/recipeingredients.h"
#include "core/session.h"
#include "core/text.h"

#include <QCommandLineParser>
#include <QLockFile>
#include <QTextStream>

namespace zestora {

int ingredientFromRecipe(const QStringList& arguments, QTextStream& out, QTextStream& err)
{
    QCommandLineParser parser;
    const QCommandLineOption as(QStringLiteral("as"),
                                QStringLiteral("The ingredient's name, when not the recipe's."),
                                QStringLiteral("INGREDIENT"));
    const QCommandLineOption dataDir(QStringLiteral("data-dir"),
                                     QStringLiteral("The data folder of the recipe."),
                                     QStringLiteral("DIR"));
    parser.addOptions({as, dataDir});
    if (!parseOneNamed(parser, QStringLiteral("ingredient-from-recipe"), arguments,
                       QStringLiteral("Name one stored recipe."), err))
        return 2;
    QString error = enterExistingDataDir(parser.value(dataDir));
    std::unique_ptr<QLockFile> lock;
    if (error.isEmpty()) {
        lock = claimDataDir(&error, Claimant{QStringLiteral("zestora ingredient-from-recipe"), {}});
        if (lock && !lock->isLocked())
            error = readOnlyNotice(*lock);
    }
    if (!error.isEmpty()) {
        err << error.replace(QStringLiteral("\r\n"), QStringLiteral(" ")) << Qt::endl;
        return 1;
    }
    Session session;
    for (const std::optional<LoadProblem>& problem :
         {session.ingredients.loadIngTable(), session.recipes.load()}) {
        if (problem) {
            err << problem->message().replace(QStringLiteral("\r\n"), QStringLiteral(" "))
                << Qt::endl;
            return 1;
        }
    }
    const QString recipe = trimSpaces(parser.positionalArguments().front());
    const int index = session.recipes.lastIndexOfNameIgnoringCase(recipe);
    if (index < 0) {
        err << "No recipe named " << recipe << " is stored." << Qt::endl;
        return 1;
    }
    const QString storedName = trimSpaces(session.recipes.recipeList().at(index).recipeName);
    const QString name = parser.isSet(as) ? trimSpaces(parser.value(as)) : storedName;
    if (const QString problem = recipeingredients::nameProblem(name, session.ingredients);
        !problem.isEmpty()) {
        err << problem << (parser.isSet(as) ? "" : " Name it with --as INGREDIENT.") << Qt::endl;
        return 1;
    }
    QString why;
    const std::optional<IngRecord> record = recipeingredients::ingredientFromRecipe(
        name, session.recipes.recipeBody(index), session.ingredients, &why);
    if (!record) {
        err << "Not stored: " << why << Qt::endl;
        return 1;
    }
    recipeingredients::RecipeLinks links;
    links.load();
    reportNotices(session.ingredients.file(), err);
    // The link first: an ingredient without its link would never follow its recipe, while a
    // link whose ingredient is missing is passed over.
    if (!links.link(name, storedName) || !session.ingredients.appendIng(*record)) {
        err << "Not stored: "
            << (links.errorString().isEmpty() ? session.ingredients.errorString()
                                              : links.errorString())
            << Qt::endl;
        return 1;
    }
    out << "Stored the ingredient " << name << ": 1 serving";
    if (!record->measure2.isEmpty())
        out << " = " << qRound(record->amount2) << " g";
    out << ", " << qRound(record->calories) << " kcal." << Qt::endl;
    return 0;
}

} // namespace zestora
