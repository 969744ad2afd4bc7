#include "sharing/recipepdf.h"

#include "core/exchange/exportfile.h"
#include "core/exchange/storedrecipe.h"
#include "core/processes.h"
#include "core/session.h"
#include "core/text.h"
#include "recipes/recipepages.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QPainter>
#include <QPrinter>
#include <QRegularExpression>
#include <QTemporaryFile>

namespace zestora {

namespace {

// Copies the finished PDF into the export file; a document cut short (its disk full) lacks the
// end-of-file mark that closes every complete one.
bool copyDocument(QFile& document, ExportFile& file)
{
    const qint64 size = document.size();
    if (size < 6 || !document.seek(size - 6) || !document.read(6).contains("%%EOF"))
        return file.abandon(
            QStringLiteral("the PDF document could not be written completely; is the disk full?"));
    document.seek(0);
    while (!document.atEnd())
        if (!file.write(document.read(1 << 20)))
            return false;
    return true;
}

// The documents of exports that were killed while they wrote: each is named after the process
// that made it, so that one still being written by another export is left alone.
void removeKilledDocuments(const QDir& dir)
{
    static const QRegularExpression name(
        QStringLiteral("^\\.zestora-export-(\\d+)-[A-Za-z0-9]{6}\\.pdf$"));
    for (const QString& found :
         dir.entryList({QStringLiteral(".zestora-export-*.pdf")}, QDir::Files | QDir::Hidden)) {
        const QRegularExpressionMatch m = name.match(found);
        if (m.hasMatch() && !processRuns(m.captured(1).toLongLong()))
            QFile::remove(dir.filePath(found));
    }
}

} // namespace

exchange::Outcome writeRecipesPdf(Session& session, const QList<int>& indexes, ExportFile& file,
                                  const exchange::Progress& progress)
{
    exchange::Outcome outcome;
    // The document is made beside the file, then copied into it through its checked writes.
    const QDir dir(QFileInfo(file.path()).absolutePath());
    removeKilledDocuments(dir);
    QTemporaryFile document(dir.filePath(
        QStringLiteral(".zestora-export-%1-XXXXXX.pdf").arg(QCoreApplication::applicationPid())));
    if (!document.open()) {
        file.abandon(document.errorString());
        return outcome;
    }
    // Each page is laid out from its recipe's own body: of two recipes of one name, each prints
    // itself.
    RecipePages pages(session.ingredients);

    QPrinter printer(QPrinter::HighResolution);
    printer.setFullPage(true);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(document.fileName());
    const RecipeStore& recipes = session.recipes;
    printer.setDocName(indexes.size() == 1 ? recipes.recipeList()[indexes[0]].recipeName.trimmed()
                                           : QStringLiteral("Recipes"));
    QPainter painter;
    if (!painter.begin(&printer)) {
        file.abandon(QStringLiteral("the PDF document could not be started."));
        return outcome;
    }
    const int total = static_cast<int>(indexes.size());
    bool firstPage = true;
    RecipeNutrition nutrition(session.ingredients);
    StoredRecipe recipe;
    for (int done = 0; done < total; ++done) {
        recipe.read(recipes, indexes[done]);
        const QString name = decodeCp1252(recipe.name);
        if (const std::optional<QString> missing = nutrition.of(recipe).missingIngredient) {
            outcome.warnings.append(QStringLiteral("%1: left out, since the ingredient \"%2\" is "
                                                   "not in the ingredient database.")
                                        .arg(name, *missing));
            ++outcome.leftOut;
        } else {
            if (!firstPage)
                printer.newPage();
            firstPage = false;
            paintRecipePage(painter, printer, pages.page(name, recipes.recipeBody(indexes[done])));
        }
        if (progress && !progress(done + 1, total)) {
            painter.end();
            outcome.cancelled = true;
            return outcome;
        }
    }
    if (!painter.end()) {
        file.abandon(QStringLiteral("the PDF document could not be finished."));
        return outcome;
    }
    // A document of blank paper would only mislead.
    if (firstPage) {
        file.abandon(QStringLiteral("none of the recipes can be printed."));
        return outcome;
    }
    outcome.written = copyDocument(document, file);
    return outcome;
}

exchange::Outcome exportRecipes(Session& session, exchange::Format format,
                                const QList<int>& indexes, ExportFile& file,
                                const exchange::Progress& progress)
{
    exchange::Outcome outcome =
        format == exchange::Format::Pdf
            ? writeRecipesPdf(session, indexes, file, progress)
            : exchange::writeRecipes(format, session.recipes, session.ingredients, indexes, file,
                                     progress);
    if (outcome.written)
        outcome.written = file.commit();
    else
        file.cancel();
    return outcome;
}

} // namespace zestora
