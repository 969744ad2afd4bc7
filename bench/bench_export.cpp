// Exporting every recipe of the largest recipe store (32,767 recipes of about 20 lines, over
// 32,767 ingredients) in each format, against reading that store from its file.
#include "benchdata.h"
#include "benchmain.h"

#include "core/exchange/exportfile.h"
#include "core/exchange/recipeexport.h"
#include "core/exchange/storedrecipe.h"
#include "core/session.h"
#include "sharing/recipepdf.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

using namespace zestora;

namespace {

Session& session()
{
    static QTemporaryDir dir;
    static Session stores;
    static const bool loaded = [] {
        bench::makeData(dir.path());
        QDir::setCurrent(dir.path());
        stores.ingredients.loadIngTable();
        stores.recipes.load();
        return true;
    }();
    Q_UNUSED(loaded);
    return stores;
}

void readRecipeFile(benchmark::State& state)
{
    session();
    for (auto _ : state) {
        RecipeStore recipes;
        recipes.load();
        benchmark::DoNotOptimize(recipes.count());
    }
}
BENCHMARK(readRecipeFile)->Unit(benchmark::kMillisecond);

// The store loaded and every recipe's fields read from it: all of the file read, which a load
// (names only, the rest when a recipe is opened) leaves for later.
void readEveryRecipe(benchmark::State& state)
{
    session();
    for (auto _ : state) {
        RecipeStore recipes;
        recipes.load();
        StoredRecipe recipe;
        for (int i = 0; i < recipes.count(); ++i) {
            recipe.read(recipes, i);
            benchmark::DoNotOptimize(recipe.lines.size());
        }
    }
}
BENCHMARK(readEveryRecipe)->Unit(benchmark::kMillisecond);

// Every recipe read from the store's bytes and its nutrition worked out, as the JSON and HTML
// exports do before they write anything.
void nutritionOfAll(benchmark::State& state)
{
    const Session& stores = session();
    for (auto _ : state) {
        RecipeNutrition nutrition(stores.ingredients);
        StoredRecipe recipe;
        for (int i = 0; i < stores.recipes.count(); ++i) {
            recipe.read(stores.recipes, i);
            benchmark::DoNotOptimize(nutrition.of(recipe));
        }
    }
}
BENCHMARK(nutritionOfAll)->Unit(benchmark::kMillisecond);

// Every recipe into one file, flushed: on the disk of the data folder, or in memory (/dev/shm),
// which leaves the export's own work.
void exportAll(benchmark::State& state, exchange::Format format, bool inMemory)
{
    Session& stores = session();
    const QList<int> recipes = exchange::allRecipes(stores.recipes);
    const QString folder = inMemory ? QStringLiteral("/dev/shm") : QDir::currentPath();
    if (!QFileInfo(folder).isWritable()) {
        state.SkipWithError("no such folder");
        return;
    }
    const QString path = QDir(folder).filePath(QStringLiteral("zestora-bench-export.out"));
    qint64 bytes = 0;
    for (auto _ : state) {
        ExportFile file(path);
        file.open(ExportFile::Existing::Replace);
        if (!exportRecipes(stores, format, recipes, file).written)
            state.SkipWithError(qPrintable(file.errorString()));
        bytes = QFileInfo(path).size();
    }
    QFile::remove(path);
    state.counters["MB"] = static_cast<double>(bytes) / 1e6;
}
BENCHMARK_CAPTURE(exportAll, MealMaster_disk, exchange::Format::MealMaster, false)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(exportAll, MealMaster_memory, exchange::Format::MealMaster, true)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(exportAll, Json_disk, exchange::Format::Json, false)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(exportAll, Json_memory, exchange::Format::Json, true)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(exportAll, Html_disk, exchange::Format::Html, false)
    ->Unit(benchmark::kMillisecond);
// Each page is laid out on the stored recipes screen and printed: one run is enough.
BENCHMARK_CAPTURE(exportAll, Pdf_disk, exchange::Format::Pdf, false)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

} // namespace

int main(int argc, char** argv)
{
    return runBenchmarks(argc, argv);
}
