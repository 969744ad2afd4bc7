// The ingredient screens with 32,766 ingredients and 32,767 recipes of 20 lines stored: saving a
// new ingredient (the 32,767th) or an edited one from the wizard, deleting one on the stored
// ingredient screen (the question names the recipes that use it), and showing a stored
// ingredient's panel there. Every save includes flushing the file to disk.
#include "benchdata.h"
#include "benchmain.h"

#include "core/ingredients/ingredientuse.h"
#include "core/session.h"
#include "core/sortednamemodel.h"
#include "ingredients/ingredientwizard.h"
#include "ingredients/storedingredientsscreen.h"
#include "platform/helpviewer.h"
#include "platform/messagebox.h"
#include "platform/toolbar.h"

#include <QAction>
#include <QDir>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

using namespace zestora;

namespace {

struct Screens {
    QTemporaryDir dir;
    Session session;
    HelpViewer help;
    SortedNameModel names;
    std::unique_ptr<IngredientWizard> wizard;
    std::unique_ptr<StoredIngredientsScreen> stored;

    Screens()
    {
        bench::makeData(dir.path(), IngTable::maxCount - 1, RecipeStore::maxCount, 20);
        QDir::setCurrent(dir.path());
        session.ingredients.loadIngTable();
        session.recipes.load();
        names.fill(session.ingredients.trimmedNames());
        wizard = std::make_unique<IngredientWizard>(session, help, &names, nullptr);
        stored = std::make_unique<StoredIngredientsScreen>(session, &names, nullptr);
        wizard->show();
        stored->show();
        // Every question is answered Yes, every message taken as read.
        MessageBox::setAnswerer([](const MessageBox::Shown&) { return MessageBox::Answer::Yes; });
    }

    QListView* list() const { return stored->findChild<QListView*>(QStringLiteral("IngLst")); }
    void choose(int row) { list()->setCurrentIndex(names.index(row)); }
    // The wizard filled from the ingredient at a list row, as the stored screen's Edit fills it.
    void editRow(int row, const QString& newName = {})
    {
        choose(row);
        stored->activeBar()->tool(QStringLiteral("Edit"))->trigger();
        if (!newName.isEmpty())
            wizard->findChild<QLineEdit*>(QStringLiteral("txtName"))->setText(newName);
    }
    void finish() { wizard->findChild<QPushButton*>(QStringLiteral("cmdFinish"))->click(); }
};

std::unique_ptr<Screens>& screensInstance()
{
    static std::unique_ptr<Screens> instance;
    return instance;
}

Screens& screens()
{
    if (!screensInstance()) {
        screensInstance() = std::make_unique<Screens>();
        QObject::connect(screensInstance()->stored.get(), &StoredIngredientsScreen::editIngredient,
                         screensInstance()->wizard.get(), &IngredientWizard::editIngredient);
    }
    return *screensInstance();
}

void saveNewIngredient(benchmark::State& state)
{
    Screens& s = screens();
    const QString name = QStringLiteral("A new ingredient");
    for (auto _ : state) {
        state.PauseTiming();
        s.editRow(100, name);
        state.ResumeTiming();
        s.finish();
        state.PauseTiming();
        if (s.session.ingredients.count() != IngTable::maxCount)
            state.SkipWithError("not saved");
        s.session.ingredients.deleteIngAndSave(name);
        s.names.removeRow(s.names.rowOf(name));
        state.ResumeTiming();
    }
}
BENCHMARK(saveNewIngredient)->Unit(benchmark::kMillisecond);

void saveEditedIngredient(benchmark::State& state)
{
    Screens& s = screens();
    for (auto _ : state) {
        state.PauseTiming();
        s.editRow(200);
        state.ResumeTiming();
        s.finish(); // the name is stored: the stored version is replaced
    }
}
BENCHMARK(saveEditedIngredient)->Unit(benchmark::kMillisecond);

void deleteIngredient(benchmark::State& state)
{
    Screens& s = screens();
    for (auto _ : state) {
        state.PauseTiming();
        s.choose(300);
        const IngRecord kept =
            s.session.ingredients.at(s.session.ingredients.indexOfName(s.names.nameAt(300)));
        state.ResumeTiming();
        s.stored->activeBar()->tool(QStringLiteral("Delete"))->trigger();
        state.PauseTiming();
        s.session.ingredients.appendIng(kept);
        s.names.insertName(kept.trimmedName());
        state.ResumeTiming();
    }
}
BENCHMARK(deleteIngredient)->Unit(benchmark::kMillisecond);

// The part of a delete that reads the recipes: which of the 32,767 use the ingredient.
void findRecipesUsingIngredient(benchmark::State& state)
{
    Screens& s = screens();
    const QString name = s.names.nameAt(300);
    for (auto _ : state)
        benchmark::DoNotOptimize(recipesLosing(s.session.ingredients, s.session.recipes, name, 3));
}
BENCHMARK(findRecipesUsingIngredient)->Unit(benchmark::kMillisecond);

void showStoredIngredient(benchmark::State& state)
{
    Screens& s = screens();
    int row = 0;
    for (auto _ : state) {
        s.choose(row);
        row = (row + 7919) % s.names.rowCount();
    }
}
BENCHMARK(showStoredIngredient)->Unit(benchmark::kMicrosecond);

// The slowest case: the name stored first in the table, which is looked for from the end.
void showFirstStoredIngredient(benchmark::State& state)
{
    Screens& s = screens();
    const int first = s.names.rowOf(s.session.ingredients.at(0).trimmedName());
    for (auto _ : state) {
        s.choose(first);
        state.PauseTiming();
        s.list()->setCurrentIndex(QModelIndex());
        state.ResumeTiming();
    }
}
BENCHMARK(showFirstStoredIngredient)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    return runBenchmarks(argc, argv, [] {
        MessageBox::clearAnswerer();
        screensInstance().reset();
    });
}
