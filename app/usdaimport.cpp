#include "app/usdaimport.h"

#include "app/folderlock.h"
#include "app/launcher.h"
#include "core/ingredients/caloriecheck.h"
#include "core/store/ingtable.h"
#include "core/usda/usdafoods.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QTextStream>

namespace zestora {

namespace {
std::optional<QByteArray> readAll(const QString& path, QTextStream& out)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        out << "Cannot read " << path << ": " << file.errorString() << Qt::endl;
        return std::nullopt;
    }
    return file.readAll();
}
} // namespace

int importUsda(const QStringList& arguments, const QString& programDir, QTextStream& out)
{
    QCommandLineParser parser;
    const QCommandLineOption source(
        QStringLiteral("source"), QStringLiteral("The folder holding foods.tsv and measures.tsv."),
        QStringLiteral("DIR"), QDir(programDir).filePath(QStringLiteral("usda-sr24")));
    const QCommandLineOption dataDir(QStringLiteral("data-dir"),
                                     QStringLiteral("The data folder whose Ing.dat receives them."),
                                     QStringLiteral("DIR"));
    parser.addOption(source);
    parser.addOption(dataDir);
    if (!parser.parse(QStringList{QStringLiteral("zestora import-usda")} + arguments) ||
        !parser.positionalArguments().isEmpty()) {
        out << parser.errorText() << Qt::endl << usage;
        return 2;
    }
    const QDir sourceDir(QDir(parser.value(source)).absolutePath());
    const std::optional<QByteArray> foodsTsv =
        readAll(sourceDir.filePath(QStringLiteral("foods.tsv")), out);
    const std::optional<QByteArray> measuresTsv =
        readAll(sourceDir.filePath(QStringLiteral("measures.tsv")), out);
    if (!foodsTsv || !measuresTsv)
        return 1;
    const usda::ImportResult foods = usda::readFoods(*foodsTsv, *measuresTsv);
    if (!foods.error.isEmpty()) {
        out << "Cannot read the USDA tables: " << foods.error << Qt::endl;
        return 1;
    }

    QString error;
    const std::unique_ptr<QLockFile> lock = openDataDir(
        parser.value(dataDir), &error, Claimant{QStringLiteral("zestora import-usda"), {}});
    if (!lock) {
        out << error << Qt::endl;
        return 1;
    }
    IngTable ingredients;
    reportNotices(ingredients.file(), out);
    if (const std::optional<LoadProblem> problem = ingredients.loadIngTable()) {
        out << problem->message() << Qt::endl;
        return 1;
    }
    QList<IngRecord> added;
    int standard = 0;
    int own = 0;
    int hundredGrams = 0;
    int calorieProblems = 0;
    for (const usda::Food& food : foods.foods) {
        if (ingredients.lastIndexOfNameIgnoringCase(food.record.name) >= 0)
            continue;
        if (ingredients.count() + added.size() >= IngTable::maxCount)
            break;
        added.append(food.record);
        standard += food.measure == usda::MeasureSource::StandardUnit;
        own += food.measure == usda::MeasureSource::OwnMeasure;
        hundredGrams += food.measure == usda::MeasureSource::HundredGrams;
        calorieProblems += checkCalories(food.record).problem();
    }
    if (!ingredients.appendIngs(added)) {
        out << ingredients.errorString() << Qt::endl;
        return 1;
    }
    out << "Added " << added.size() << " of " << foods.foods.size() << " USDA foods to "
        << QDir::current().filePath(IngTable::fileName) << ": " << standard
        << " measured in standard units, " << own << " in their own measure, " << hundredGrams
        << " per 100 g; " << (added.size() - calorieProblems) << " pass the calorie check. "
        << (foods.foods.size() - added.size()) << " were already stored or did not fit."
        << Qt::endl;
    return 0;
}

} // namespace zestora
