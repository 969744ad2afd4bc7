// Writes the tables that lie beside the starter ingredient database for matching pasted
// ingredient lines: the household weights of every starter food, by its stored name, and how
// the foods whose shortened names leave it out were cooked, from each folder of tables
// the starter was made from (USDA's, then the foods kept beside them). Run by the build:
// make_starter_tables STARTER_DIR SOURCE_DIR...
#include "core/paste/formsleftout.h"
#include "core/paste/householdweights.h"
#include "core/usda/usdafoods.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSaveFile>

#include <cstdio>

namespace {
QByteArray readAll(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "Cannot read %s: %s\n", qPrintable(path),
                     qPrintable(file.errorString()));
        return QByteArray();
    }
    return file.readAll();
}

bool write(const QString& dir, const QString& fileName, const QByteArray& bytes)
{
    QSaveFile file(QDir(dir).filePath(fileName));
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.flush() &&
        file.commit())
        return true;
    std::fprintf(stderr, "Cannot write %s: %s\n", qPrintable(file.fileName()),
                 qPrintable(file.errorString()));
    return false;
}
} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() < 3) {
        std::fputs("Usage: make_starter_tables STARTER_DIR SOURCE_DIR...\n", stderr);
        return 2;
    }
    QList<zestora::paste::HouseholdWeights::Food> weights;
    QList<std::pair<QString, QString>> forms;
    for (const QString& sourceDir : arguments.sliced(2)) {
        const QDir source(sourceDir);
        const zestora::usda::ImportResult foods =
            zestora::usda::readFoods(readAll(source.filePath(QStringLiteral("foods.tsv"))),
                                     readAll(source.filePath(QStringLiteral("measures.tsv"))));
        if (!foods.error.isEmpty() || foods.foods.isEmpty()) {
            std::fprintf(stderr, "Cannot read the tables in %s: %s\n", qPrintable(sourceDir),
                         qPrintable(foods.error));
            return 1;
        }
        for (const zestora::usda::Food& food : foods.foods) {
            zestora::paste::HouseholdWeights::Food entry{food.record.name, {}};
            // One of a measure as a cook counts it: USDA's half breast is a cook's breast.
            for (const zestora::usda::HouseholdMeasure& measure : food.measures)
                entry.measures.append(
                    {measure.unit, measure.grams / zestora::paste::HouseholdWeights::cooksPieces(
                                                       measure.amount, measure.unit)});
            // After USDA's own, so that they stay the food's first measures.
            for (qsizetype i = 0, own = entry.measures.size(); i < own; ++i)
                entry.measures.append(
                    zestora::paste::HouseholdWeights::countsWeighedTogether(entry.measures[i]));
            weights.append(entry);
            forms.append({food.record.name, food.formsLeftOut});
        }
    }
    QDir().mkpath(arguments[1]);
    return write(arguments[1], zestora::paste::HouseholdWeights::fileName,
                 zestora::paste::HouseholdWeights::table(weights)) &&
                   write(arguments[1], zestora::paste::FormsLeftOut::fileName,
                         zestora::paste::FormsLeftOut::table(forms))
               ? 0
               : 1;
}
