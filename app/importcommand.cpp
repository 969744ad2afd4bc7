#include "app/importcommand.h"

#include "app/folderlock.h"
#include "app/inputfile.h"
#include "app/launcher.h"
#include "app/measuresoption.h"
#include "app/programdir.h"
#include "app/progressline.h"
#include "core/exchange/boundedread.h"
#include "core/exchange/recipefile.h"
#include "core/exchange/recipeimport.h"
#include "core/paste/foodindex.h"
#include "core/session.h"

#include <QBuffer>
#include <QCommandLineParser>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QTextStream>

namespace zestora {

namespace {

QString oneLine(QString message)
{
    return message.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
}

} // namespace

int importRecipes(const QStringList& arguments, const QString& programDir, QTextStream& out,
                  QTextStream& err)
{
    QCommandLineParser parser;
    const QCommandLineOption acceptBest(
        QStringLiteral("accept-best"),
        QStringLiteral("Store recipes with lines to check, taking the best matches."));
    const QCommandLineOption dataDir(QStringLiteral("data-dir"),
                                     QStringLiteral("The data folder that receives the recipes."),
                                     QStringLiteral("DIR"));
    const QCommandLineOption measures = measuresOption();
    parser.addOptions({acceptBest, dataDir, measures});
    if (!parseOneNamed(parser, QStringLiteral("import"), arguments,
                       QStringLiteral("Name one MealMaster file."), err))
        return 2;
    // Read before the data folder becomes the working directory.
    const std::optional<paste::KitchenMeasures> kitchen =
        chosenMeasures(parser.value(measures), err);
    if (!kitchen)
        return 2;
    const QString fileName = parser.positionalArguments().front();
    QFile file;
    if (const QString why = openInputFile(file, fileName); !why.isEmpty()) {
        err << "Cannot read " << fileName << ": " << why << Qt::endl;
        return 1;
    }
    QString error;
    std::optional<QByteArray> bytes =
        exchange::readBounded(file, exchange::largestRecipeFile, fileName, &error);
    if (!bytes) {
        err << error << Qt::endl;
        return 1;
    }
    // A long file takes a while to read before its recipes can be matched; how far, in per cent.
    ProgressLine reading(err, "Reading the file, per cent");
    const exchange::RecipeFile read =
        exchange::readRecipeFile(fileName, *bytes, [&reading](qsizetype done, qsizetype total) {
            reading(total == 0 ? 100 : done * 100 / total, 100);
            return true; // Ctrl+C stops it
        });
    for (const QString& problem : read.problems)
        err << "Warning: " << problem << Qt::endl;
    if (read.recipes.isEmpty()) {
        const QString encoding = exchange::encodingRefusal(fileName, *bytes);
        err << (encoding.isEmpty() ? read.noRecipe : encoding) << Qt::endl;
        return 1;
    }

    const std::unique_ptr<QLockFile> lock =
        openDataDir(parser.value(dataDir), &error, Claimant{QStringLiteral("zestora import"), {}});
    if (lock && !lock->isLocked())
        error = readOnlyNotice(*lock);
    if (error.isEmpty())
        error = copyStarterIngredients(QDir(programDir).filePath(starterIngredients));
    if (!error.isEmpty()) {
        err << oneLine(error) << Qt::endl;
        return 1;
    }
    Session session;
    for (const std::optional<LoadProblem>& problem :
         {session.ingredients.loadIngTable(), session.recipes.load()}) {
        if (!problem)
            continue;
        err << oneLine(problem->message()) << Qt::endl;
        if (problem->unreadable)
            return 1;
    }

    reportNotices(session.recipes.file(), err);
    paste::FoodIndex index(session.ingredients,
                           QDir(programDir).filePath(QStringLiteral("starter")));
    index.setMeasures(*kitchen);
    exchange::ImportBatch batch(session.recipes);
    int already = 0;
    int notStored = 0;
    // What became of each stored recipe's ingredient lines.
    QList<std::pair<QString, QString>> accounts;
    // A long import shows how far it is; Ctrl+C stops it before anything is stored.
    ProgressLine progress(err, "Matching recipes");
    qsizetype matched = 0;
    for (const mealmaster::Recipe& recipe : read.recipes) {
        progress(++matched, read.recipes.size());
        const exchange::ImportedRecipe imported = exchange::importedRecipe(recipe, index);
        const QString& name = imported.name;
        if (!imported.allMatched(session.ingredients) && !parser.isSet(acceptBest)) {
            out << "Not stored: " << name << ", whose lines below are to be checked (--accept-best "
                << "stores it with the best matches):" << Qt::endl;
            for (const QString& line : imported.linesToCheck(session.ingredients))
                out << "    " << line << Qt::endl;
            ++notStored;
            continue;
        }
        QString problem;
        const QString record = imported.record(name, session.ingredients, &problem);
        if (!problem.isEmpty()) {
            out << "Not stored: " << name << ": " << problem << Qt::endl;
            ++notStored;
            continue;
        }
        switch (batch.check(name, record)) {
        case exchange::ImportBatch::Check::AlreadyStored:
            out << "Already stored: " << name << Qt::endl;
            ++already;
            break;
        case exchange::ImportBatch::Check::NameTaken:
            // Never replaced from here: the window's Import Recipes asks what to do.
            out << "Not stored: " << name << ": another recipe of that name is stored. Rename "
                << "or delete it, or import the file with File, Import Recipes... in Zestora's "
                << "window to replace it or store this one under another name." << Qt::endl;
            ++notStored;
            break;
        case exchange::ImportBatch::Check::New:
            batch.add(name, record, imported.cookedGrams);
            accounts.append({name, imported.account(session.ingredients).text()});
            break;
        }
    }
    const QList<RecipeStore::NewRecipe> stored = batch.recipes();
    if (!batch.store(session.recipes)) {
        err << oneLine(session.recipes.errorString()) << Qt::endl
            << "No recipe was stored." << Qt::endl;
        return 1;
    }
    if (!batch.weightsError().isEmpty())
        err << "The weights when cooked were not kept: " << oneLine(batch.weightsError())
            << Qt::endl;
    for (const auto& [name, account] : std::as_const(accounts))
        out << "Stored: " << name << ": " << account << "." << Qt::endl;
    out << "Stored " << stored.size() << " of " << read.recipes.size()
        << (read.recipes.size() == 1 ? " recipe in " : " recipes in ")
        << QDir::toNativeSeparators(QDir::current().filePath(RecipeStore::fileName));
    if (already > 0)
        out << "; " << already << (already == 1 ? " was" : " were") << " stored already";
    out << "." << Qt::endl;
    return notStored == 0 ? 0 : 1;
}

} // namespace zestora
