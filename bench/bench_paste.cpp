// Pasting a recipe: a 20-line recipe read and matched line by line against 32,767 stored
// ingredients (the USDA starter foods, then copies of them under other names to the table's limit),
// each line with its best five foods and its amount in the chosen food's units; and indexing the
// names once, as the paste window does when it opens; and a 1 MB paste read and reviewed.
#include "benchdata.h"
#include "core/paste/linereview.h"
#include "core/store/ingtable.h"

#include <QFile>
#include <QTemporaryDir>

#include <optional>

#include <benchmark/benchmark.h>

using namespace zestora;

namespace {

// The starter foods, and copies of them under new names until the table is full.
const IngTable& ingredients()
{
    static QTemporaryDir dir;
    static const std::unique_ptr<IngTable> table = [] {
        IngTable starter(std::make_unique<DataFile>(QStringLiteral(STARTER_DIR "/Ing.dat")));
        starter.loadIngTable();
        QList<IngRecord> records = starter.records();
        for (int copy = 2; records.size() < IngTable::maxCount; ++copy)
            for (int i = 0; i < starter.count() && records.size() < IngTable::maxCount; ++i) {
                IngRecord record = starter.at(i);
                record.name = record.name.left(50) + QStringLiteral(", lot %1").arg(copy);
                records.append(record);
            }
        const QString file = dir.filePath(IngTable::fileName);
        QFile out(file);
        if (!out.open(QIODevice::WriteOnly) || out.write(IngTable::toBytes(records)) < 0)
            qFatal("cannot write %s", qPrintable(file));
        out.close();
        auto full = std::make_unique<IngTable>(std::make_unique<DataFile>(file));
        full->loadIngTable();
        return full;
    }();
    return *table;
}

const paste::MatchingTables& tables()
{
    static const paste::MatchingTables loaded =
        paste::MatchingTables::load(QStringLiteral(STARTER_DIR));
    return loaded;
}

// A matcher and tables that have matched nothing yet, as the first paste meets them: what they
// keep from one line for the lines after must not carry over from one timed run to the next.
struct Fresh {
    paste::MatchingTables tables = paste::MatchingTables::load(QStringLiteral(STARTER_DIR));
    paste::FoodMatcher matcher{ingredients(), tables.names, nullptr, tables.forms};
};

// Makes them anew outside the time measured, and lets the last go there too.
const Fresh& freshFor(benchmark::State& state, std::optional<Fresh>& fresh)
{
    state.PauseTiming();
    fresh.emplace();
    state.ResumeTiming();
    return *fresh;
}

void indexNames(benchmark::State& state)
{
    for (auto _ : state) {
        const paste::FoodMatcher matcher(ingredients(), tables().names, nullptr, tables().forms);
        benchmark::DoNotOptimize(matcher.foodCount());
    }
}
BENCHMARK(indexNames)->Unit(benchmark::kMillisecond);

void readAndMatchTwentyLines(benchmark::State& state)
{
    const QString text = QString::fromUtf8(bench::pastedRecipe);
    std::optional<Fresh> fresh;
    for (auto _ : state) {
        const auto& [matching, matcher] = freshFor(state, fresh);
        const paste::RecipeText read = paste::readRecipeText(text, true);
        int matched = 0;
        for (const paste::IngredientLine& line : read.lines)
            matched += paste::reviewLine(line, matcher, ingredients(), matching.weights).matched();
        if (read.lines.size() != 20 || matched != 20)
            state.SkipWithError("the recipe was not read and matched whole");
    }
}
// Few runs: each makes the index anew.
BENCHMARK(readAndMatchTwentyLines)->Unit(benchmark::kMillisecond)->Iterations(25);

// Reads and reviews a whole paste as the paste window's Read and "zestora analyze" do.
void readAndReviewWhole(benchmark::State& state, const QString& text)
{
    std::optional<Fresh> fresh;
    for (auto _ : state) {
        const auto& [matching, matcher] = freshFor(state, fresh);
        const paste::RecipeText read = paste::readRecipeText(text, true);
        QList<paste::ReviewedLine> reviewed = paste::reviewLines(
            read.lines, paste::KitchenMeasures::US, matcher, ingredients(), matching.weights);
        paste::findUneaten(reviewed, read.directions, ingredients());
        paste::countParts(reviewed, ingredients(), matching.weights);
        benchmark::DoNotOptimize(reviewed.size());
    }
}

// A paste of 1 MB, the recipe's lines again and again with other amounts, read and reviewed
// whole as the paste window's Read and "zestora analyze" do.
void readAndReviewOneMegabyte(benchmark::State& state)
{
    const QStringList lines = QString::fromUtf8(bench::pastedRecipe).split(u'\n');
    QString text;
    for (int amount = 1; text.size() < (1 << 20); ++amount)
        text += QString::number(amount % 9 + 1) + u' ' + lines[amount % lines.size()] + u'\n';
    readAndReviewWhole(state, text);
}
BENCHMARK(readAndReviewOneMegabyte)->Unit(benchmark::kMillisecond);

// A paste of 1 MB in which no two lines are alike: the stored foods by their names with other
// amounts, units and notes, so that every line is read, matched and measured on its own.
void readAndReviewOneMegabyteAllDifferent(benchmark::State& state)
{
    const QStringList units{QString(),
                            QStringLiteral("cup"),
                            QStringLiteral("tbsp"),
                            QStringLiteral("tsp"),
                            QStringLiteral("oz"),
                            QStringLiteral("g"),
                            QStringLiteral("lb"),
                            QStringLiteral("large"),
                            QStringLiteral("(15 oz) can")};
    const QStringList notes{QStringLiteral("chopped"), QStringLiteral("drained and rinsed"),
                            QStringLiteral("thinly sliced"), QStringLiteral("at room temperature"),
                            QStringLiteral("cut into %1 pieces")};
    QString text;
    for (int line = 0; text.size() < (1 << 20); ++line) {
        const QString food =
            ingredients().at(line % ingredients().count()).name.section(u',', 0, 1);
        text += QStringLiteral("%1 %2 %3 %4, %5\n")
                    .arg(line % 9 + 1)
                    .arg(line % 4 == 0 ? QStringLiteral("1/2") : QString())
                    .arg(units[line % units.size()], food.toLower(),
                         QString(notes[line % notes.size()])
                             .replace(QStringLiteral("%1"), QString::number(line % 7 + 2)));
    }
    readAndReviewWhole(state, text);
}
BENCHMARK(readAndReviewOneMegabyteAllDifferent)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
