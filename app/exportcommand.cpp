#include "app/exportcommand.h"

#include "app/exporttarget.h"
#include "app/launcher.h"
#include "app/progressline.h"
#include "core/exchange/exportfile.h"
#include "core/exchange/recipeexport.h"
#include "core/session.h"
#include "sharing/recipepdf.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTextStream>

#include <cstdio>

namespace zestora {

namespace {

using exchange::Format;

struct Request {
    Format format;
    bool all = false;
    QStringList names;
    QString output; // absolute: the data folder becomes the working directory
    bool force = false;
    QString dataDir;
};

std::optional<Request> parse(const QStringList& arguments, QTextStream& err)
{
    QCommandLineParser parser;
    const QCommandLineOption format(QStringLiteral("format"),
                                    QStringLiteral("pdf, html, mmf or json."),
                                    QStringLiteral("FORMAT"));
    const QCommandLineOption all(QStringLiteral("all"), QStringLiteral("Every stored recipe."));
    const QCommandLineOption output({QStringLiteral("o"), QStringLiteral("output")},
                                    QStringLiteral("The file to write."), QStringLiteral("FILE"));
    const QCommandLineOption force(QStringLiteral("force"),
                                   QStringLiteral("Replace the file when it exists."));
    const QCommandLineOption dataDir(QStringLiteral("data-dir"), QStringLiteral("The data folder."),
                                     QStringLiteral("DIR"));
    parser.addOptions({format, all, output, force, dataDir});
    const auto refuse = [&err](const QString& why) {
        err << why << Qt::endl << Qt::endl << usage;
        return std::nullopt;
    };
    if (!parser.parse(QStringList{QStringLiteral("zestora export")} + arguments))
        return refuse(parser.errorText());
    Request request;
    request.all = parser.isSet(all);
    request.names = parser.positionalArguments();
    request.force = parser.isSet(force);
    request.dataDir = parser.value(dataDir);
    if (!parser.isSet(output))
        return refuse(QStringLiteral("Name the file to write with -o FILE."));
    request.output = parser.value(output) == QLatin1String("-")
                         ? parser.value(output)
                         : QFileInfo(parser.value(output)).absoluteFilePath();
    if (request.all == !request.names.isEmpty())
        return refuse(QStringLiteral("Name the recipes to export, or give --all for every one."));
    const std::optional<Format> chosen = parser.isSet(format)
                                             ? exchange::formatNamed(parser.value(format))
                                             : exchange::formatOfFile(request.output);
    if (!chosen)
        return refuse(parser.isSet(format)
                          ? QStringLiteral("There is no format %1.").arg(parser.value(format))
                          : QStringLiteral("Choose the format with --format: the file's ending "
                                           "does not say it."));
    request.format = *chosen;
    return request;
}

// The recipes asked for, as indexes of the store; nullopt when a name is not stored.
std::optional<QList<int>> chosenRecipes(const Request& request, const RecipeStore& recipes,
                                        QTextStream& err)
{
    if (request.all)
        return exchange::allRecipes(recipes);
    QList<int> indexes;
    bool found = true;
    for (const QString& name : request.names) {
        if (const std::optional<int> index = exchange::recipeNamed(recipes, name)) {
            // A recipe named twice is written once.
            if (!indexes.contains(*index))
                indexes.append(*index);
        } else {
            err << "There is no recipe named " << name << "." << Qt::endl;
            found = false;
        }
    }
    return found ? std::optional(indexes) : std::nullopt;
}

int copyToOutput(const QString& written, qsizetype count, QTextStream& out, QTextStream& err)
{
    QFile file(written);
    QFile output;
    out.flush();
    if (!file.open(QIODevice::ReadOnly) || !output.open(stdout, QIODevice::WriteOnly) ||
        output.write(file.readAll()) != file.size() || !output.flush()) {
        err << "Cannot write the recipes to standard output." << Qt::endl;
        return 1;
    }
    err << "Exported " << count << (count == 1 ? " recipe." : " recipes.") << Qt::endl;
    return 0;
}

int run(const Request& request, QTextStream& out, QTextStream& err)
{
    // Exporting only reads the data files, which are always replaced whole: no lock is taken,
    // so an export also runs while Zestora is open on the folder.
    QString error = exportTargetRefusal(request.output, dataDirPath(request.dataDir));
    if (error.isEmpty())
        error = enterExistingDataDir(request.dataDir);
    if (!error.isEmpty()) {
        err << error << Qt::endl;
        return 1;
    }
    Session session;
    session.ingredients.file().readWithoutCreating();
    session.recipes.file().readWithoutCreating();
    for (const std::optional<LoadProblem>& problem :
         {session.ingredients.loadIngTable(), session.recipes.load()})
        if (problem)
            err << problem->message().replace(QStringLiteral("\r\n"), QStringLiteral("\n"))
                << Qt::endl;
    const std::optional<QList<int>> indexes = chosenRecipes(request, session.recipes, err);
    if (!indexes)
        return 1;
    if (indexes->isEmpty()) {
        err << "There are no recipes to export." << Qt::endl;
        return 1;
    }

    // Standard output takes the recipes once they are written whole, into a file of their own.
    const bool toOutput = request.output == QLatin1String("-");
    const QTemporaryDir scratch;
    ExportFile file(toOutput ? scratch.filePath(QStringLiteral("recipes")) : request.output);
    if (!file.open(request.force ? ExportFile::Existing::Replace : ExportFile::Existing::Keep)) {
        err << file.errorString();
        if (file.alreadyExists())
            err << " Give --force to replace it.";
        err << Qt::endl;
        return 1;
    }
    ProgressLine progress(err, "Exporting recipes");
    const exchange::Outcome outcome =
        exportRecipes(session, request.format, *indexes, file, std::ref(progress));
    for (const QString& warning : outcome.warnings)
        err << "Warning: " << warning << Qt::endl;
    if (!outcome.written) {
        err << file.errorString() << Qt::endl;
        return 1;
    }
    const qsizetype exported = indexes->size() - outcome.leftOut;
    if (toOutput) {
        const int status = copyToOutput(file.path(), exported, out, err);
        return status != 0 || outcome.leftOut == 0 ? status : 1;
    }
    out << "Exported " << exported;
    if (outcome.leftOut > 0)
        out << " of " << indexes->size();
    out << (indexes->size() == 1 ? " recipe" : " recipes") << " to "
        << QDir::toNativeSeparators(file.path());
    if (outcome.leftOut > 0)
        out << "; " << outcome.leftOut << " could not be printed and "
            << (outcome.leftOut == 1 ? "was" : "were") << " left out";
    out << "." << Qt::endl;
    return outcome.leftOut == 0 ? 0 : 1;
}

} // namespace

int exportCommand(int argc, char* argv[])
{
    QStringList arguments;
    for (int i = 2; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    QTextStream out(stdout);
    QTextStream err(stderr);
    const std::optional<Request> request = parse(arguments, err);
    if (!request)
        return 2;
    if (request->format != Format::Pdf) {
        QCoreApplication app(argc, argv);
        return run(*request, out, err);
    }
    // The pages are laid out on a form that is never shown, which needs no display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    return run(*request, out, err);
}

} // namespace zestora
