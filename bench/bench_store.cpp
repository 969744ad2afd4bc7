// The data store at its limits: 32,767 ingredients and 32,767 recipes of about 20 lines each.
#include "benchdata.h"
#include "benchmain.h"

#include "core/recipes/recipeingredients.h"
#include "core/sortednamemodel.h"
#include "core/store/ingtable.h"
#include "core/store/pairsfile.h"
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
        IngTable ingredients;
        ingredients.loadIngTable();
        names.fill(ingredients.trimmedNames());
        benchmark::DoNotOptimize(ingredients.count());
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
        RecipeStore recipes;
        recipes.load();
        names.fill(recipes.recipeNames());
        benchmark::DoNotOptimize(recipes.count());
    }
}
BENCHMARK(loadRecipeStoreWithNameList)->Unit(benchmark::kMillisecond);

void splitBigRecipe(benchmark::State& state)
{
    dataDir();
    RecipeStore recipes;
    recipes.getBigRecipe();
    for (auto _ : state) {
        recipes.splitBigRecipe();
        benchmark::DoNotOptimize(recipes.count());
    }
}
BENCHMARK(splitBigRecipe)->Unit(benchmark::kMillisecond);

void appendRecipe(benchmark::State& state)
{
    dataDir();
    RecipeStore recipes;
    recipes.load();
    recipes.deleteRecipeByName(QStringLiteral("Recipe 0")); // room for one more
    const QString record = bench::recipeRecord(QStringLiteral("Appended"), 20, 1);
    for (auto _ : state) {
        recipes.appendRecipe(QStringLiteral("Appended"), record);
        state.PauseTiming();
        recipes.deleteRecipeByName(QStringLiteral("Appended"));
        state.ResumeTiming();
    }
}
BENCHMARK(appendRecipe)->Unit(benchmark::kMillisecond);

void deleteRecipe(benchmark::State& state)
{
    dataDir();
    RecipeStore recipes;
    recipes.load();
    const QString record = bench::recipeRecord(QStringLiteral("Recipe 100"), 20, 100);
    for (auto _ : state) {
        recipes.deleteRecipeByName(QStringLiteral("Recipe 100"));
        state.PauseTiming();
        recipes.appendRecipe(QStringLiteral("Recipe 100"), record);
        state.ResumeTiming();
    }
}
BENCHMARK(deleteRecipe)->Unit(benchmark::kMillisecond);

void appendIngredient(benchmark::State& state)
{
    dataDir();
    IngTable ingredients;
    ingredients.loadIngTable();
    IngRecord record = ingredients.at(0);
    ingredients.deleteIngAt(0);
    record.name = QStringLiteral("Appended");
    for (auto _ : state) {
        ingredients.appendIng(record);
        state.PauseTiming();
        ingredients.deleteIngAt(ingredients.count() - 1);
        state.ResumeTiming();
    }
}
BENCHMARK(appendIngredient)->Unit(benchmark::kMillisecond);

// Every recipe made into an ingredient: which of them use one ingredient, as a change of a
// recipe's ingredient asks, looks each linked recipe up by name.
void recipesUsingAtEveryLink(benchmark::State& state)
{
    dataDir();
    RecipeStore recipes;
    recipes.load();
    pairsfile::Pairs pairs;
    for (const QString& name : recipes.recipeNames())
        pairs.append({QStringLiteral("From ") + name, name});
    QString error;
    pairsfile::write(recipeingredients::RecipeLinks::fileName, pairs, &error);
    recipeingredients::RecipeLinks links;
    links.load();
    for (auto _ : state)
        benchmark::DoNotOptimize(links.recipesUsing(QStringLiteral("Not used"), recipes));
    QFile::remove(recipeingredients::RecipeLinks::fileName);
}
BENCHMARK(recipesUsingAtEveryLink)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return runBenchmarks(argc, argv);
}
