// The data store at its limits: 32,767 ingredients and 32,767 recipes of about 20 lines each.
#include "benchdata.h"
#include "benchmain.h"

#include "core/sortednamemodel.h"
#include "core/store/ingtable.h"
#include "core/store/recipestore.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QListView>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

using namespace zestora;

namespace {

QTemporaryDir& dataDir()
{
    static QTemporaryDir dir;
    static const bool made = [] {
        bench::makeData(dir.path());
        QDir::setCurrent(dir.path());
        return true;
    }();
    Q_UNUSED(made);
    return dir;
}

void loadIngTableWithNameLists(benchmark::State& state)
{
    dataDir();
    SortedNameModel names;
    QListView calcList;
    QListView storedList;
    calcList.setModel(&names);
    storedList.setModel(&names);
    for (auto _ : state) {
        IngTable table;
        table.loadIngTable();
        names.fill(table.trimmedNames());
        benchmark::DoNotOptimize(table.count());
    }
}
BENCHMARK(loadIngTableWithNameLists)->Unit(benchmark::kMillisecond);

void loadRecipeStoreWithNameList(benchmark::State& state)
{
    dataDir();
    SortedNameModel names;
    QComboBox list;
    list.setModel(&names);
    for (auto _ : state) {
        RecipeStore store;
        store.load();
        names.fill(store.recipeNames());
        benchmark::DoNotOptimize(store.count());
    }
}
BENCHMARK(loadRecipeStoreWithNameList)->Unit(benchmark::kMillisecond);

void splitBigRecipe(benchmark::State& state)
{
    dataDir();
    RecipeStore store;
    store.getBigRecipe();
    for (auto _ : state) {
        store.splitBigRecipe();
        benchmark::DoNotOptimize(store.count());
    }
}
BENCHMARK(splitBigRecipe)->Unit(benchmark::kMillisecond);

void appendRecipe(benchmark::State& state)
{
    dataDir();
    RecipeStore store;
    store.load();
    store.deleteRecipeByName(QStringLiteral("Recipe 0")); // room for one more
    const QString record = bench::recipeRecord(QStringLiteral("Appended"), 20, 1);
    for (auto _ : state) {
        store.appendRecipe(QStringLiteral("Appended"), record);
        state.PauseTiming();
        store.deleteRecipeByName(QStringLiteral("Appended"));
        state.ResumeTiming();
    }
}
BENCHMARK(appendRecipe)->Unit(benchmark::kMillisecond);

void deleteRecipe(benchmark::State& state)
{
    dataDir();
    RecipeStore store;
    store.load();
    const QString record = bench::recipeRecord(QStringLiteral("Recipe 100"), 20, 100);
    for (auto _ : state) {
        store.deleteRecipeByName(QStringLiteral("Recipe 100"));
        state.PauseTiming();
        store.appendRecipe(QStringLiteral("Recipe 100"), record);
        state.ResumeTiming();
    }
}
BENCHMARK(deleteRecipe)->Unit(benchmark::kMillisecond);

void appendIngredient(benchmark::State& state)
{
    dataDir();
    IngTable table;
    table.loadIngTable();
    IngRecord record = table.at(0);
    table.deleteIngAt(0);
    record.name = QStringLiteral("Appended");
    for (auto _ : state) {
        table.appendIng(record);
        state.PauseTiming();
        table.deleteIngAt(table.count() - 1);
        state.ResumeTiming();
    }
}
BENCHMARK(appendIngredient)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return runBenchmarks(argc, argv);
}
