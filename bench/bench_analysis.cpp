// The recipe screens with 32,767 ingredients loaded: on the analysis screen, with a 200-line
// recipe on it, adding a line, removing one, the servings rescale and each line's share of a
// nutrient; on the stored recipes screen, showing a 200-line recipe.
#include "benchdata.h"
#include "benchmain.h"

#include "analysis/analysisscreen.h"
#include "core/analysis/ingredientsearch.h"
#include "core/analysis/lineamounts.h"
#include "core/session.h"
#include "core/sortednamemodel.h"
#include "platform/helpviewer.h"
#include "platform/messagebox.h"
#include "recipes/storedrecipesscreen.h"
#include "shared/searchdialog.h"
#include "widgets/spinner.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <map>

using namespace zestora;

namespace {

struct Screen {
    QTemporaryDir dir;
    Session session;
    HelpViewer help;
    SortedNameModel ingredientNames;
    SortedNameModel recipeNames;
    std::unique_ptr<AnalysisScreen> screen;

    explicit Screen(int lines)
    {
        // One recipe short of the most the store keeps, so that one more can be saved.
        bench::makeData(dir.path(), 32767, 32766, 20);
        QDir::setCurrent(dir.path());
        session.ingredients.loadIngTable();
        ingredientNames.fill(session.ingredients.trimmedNames());
        session.recipes.load();
        recipeNames.fill(session.recipes.recipeNames());
        screen = std::make_unique<AnalysisScreen>(session, help, &ingredientNames, &recipeNames,
                                                  nullptr);
        screen->resize(1260, 700);
        screen->show();
        screen->setUp();
        for (int line = 0; line < lines; ++line)
            addLine(line * 163 % 32767);
        paint();
    }

    template <typename T> T* get(const char* name) const
    {
        return screen->findChild<T*>(QString::fromLatin1(name));
    }

    // Chooses an ingredient in the list, sets 1 1/2 cup and adds the line, as a user does.
    void addLine(int ingredient)
    {
        auto* list = get<QListView>("IngLst");
        list->setCurrentIndex(ingredientNames.index(ingredient));
        Q_EMIT list->clicked(list->currentIndex());
        get<Spinner>("OnesVs")->setValue(1);
        get<Spinner>("FracVs")->setValue(5);
        get<QComboBox>("MeasureLst")->setCurrentIndex(3);
        get<QPushButton>("Addcmd")->click();
    }
    // Takes a line out through the Edit Window, as a user does.
    void removeLine(int row)
    {
        QTimer::singleShot(0, screen.get(), [] {
            QApplication::activeModalWidget()
                ->findChild<QPushButton*>(QStringLiteral("DeleteCmd"))
                ->click();
        });
        auto* rows = get<QListView>("R_IngLst");
        Q_EMIT rows->clicked(rows->model()->index(row, 0));
    }
    int lines() const { return get<QListView>("R_IngLst")->model()->rowCount(); }
    void tool(const char* name)
    {
        screen->findChild<QAction*>(QString::fromLatin1(name))->trigger();
    }
    // What the user waits for after a click: the events it posted and the screen drawn again.
    void paint()
    {
        QCoreApplication::processEvents();
        screen->repaint();
    }
};

// Made once per size, on first use, and gone before the application is.
std::map<int, std::unique_ptr<Screen>>& screenInstances()
{
    static std::map<int, std::unique_ptr<Screen>> instances;
    return instances;
}

Screen& screen(int lines = 200)
{
    std::unique_ptr<Screen>& instance = screenInstances()[lines];
    if (!instance)
        instance = std::make_unique<Screen>(lines);
    return *instance;
}

// Adding a line to a recipe of 200 (or 800) lines: the click alone, and with the screen painted.
void addLine(benchmark::State& state)
{
    Screen& s = screen(static_cast<int>(state.range(0)));
    const bool painted = state.range(1) != 0;
    for (auto _ : state) {
        s.addLine(31000);
        if (painted)
            s.paint();
        state.PauseTiming();
        s.removeLine(s.lines() - 1);
        s.paint();
        state.ResumeTiming();
    }
}
BENCHMARK(addLine)
    ->ArgNames({"lines", "painted"})
    ->Args({200, 0})
    ->Args({200, 1})
    ->Args({800, 1})
    ->Unit(benchmark::kMicrosecond);

// Taking a line out through the Edit Window (its dialog included), painted.
void removeLine(benchmark::State& state)
{
    Screen& s = screen();
    for (auto _ : state) {
        s.removeLine(100);
        s.paint();
        state.PauseTiming();
        s.addLine(12345);
        s.paint();
        state.ResumeTiming();
    }
}
BENCHMARK(removeLine)->Unit(benchmark::kMicrosecond);

void servingsRescale(benchmark::State& state)
{
    Screen& s = screen();
    int servings = 10;
    for (auto _ : state) {
        servings = servings == 10 ? 13 : 10;
        s.get<Spinner>("ServingsVs")->setValue(servings);
        s.get<QPushButton>("OkCmd")->click();
        s.paint();
    }
}
BENCHMARK(servingsRescale)->Unit(benchmark::kMicrosecond);

// Each line's share of the fat of the 200-line recipe: the amounts worked out from the ingredient
// table and the shares of them.
void lineShares(benchmark::State& state)
{
    Screen& s = screen();
    QStringList entries;
    auto* list = s.get<QListView>("InvisLst");
    for (int row = 0; row < list->model()->rowCount(); ++row)
        entries.append(list->model()->index(row, list->modelColumn()).data().toString());
    for (auto _ : state) {
        QList<std::optional<nutrition::LineAmount>> amounts;
        for (const QString& entry : std::as_const(entries))
            amounts.append(nutrition::lineAmount(entry, s.session.ingredients, 1));
        benchmark::DoNotOptimize(nutrition::lineShares(amounts, nutrition::Nutrient::TotalFat));
    }
    state.counters["lines"] = static_cast<double>(entries.size());
}
BENCHMARK(lineShares)->Unit(benchmark::kMicrosecond);

// Space on the panel's fat row of the 200-line recipe: every line marked with its share, then
// the marks taken away again, each with the accessible texts of the lines and the panel.
void toggleShares(benchmark::State& state)
{
    Screen& s = screen();
    auto* fat = s.get<QLabel>("lblFg");
    for (auto _ : state) {
        QKeyEvent space(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "));
        QCoreApplication::sendEvent(fat, &space);
        s.paint();
    }
}
BENCHMARK(toggleShares)->Unit(benchmark::kMicrosecond);

// Finish and Save of the 200-line recipe on screen, with 32,766 recipes stored: the name checks
// against every stored name, the record, and the rewrite of the recipe file.
void saveRecipe(benchmark::State& state)
{
    Screen& s = screen();
    s.get<QLineEdit>("NameTxt")->setText(QStringLiteral("Two hundred lines"));
    s.get<QPlainTextEdit>("DirectionsTxt")->setPlainText(QStringLiteral("Mix."));
    for (auto _ : state) {
        s.tool("Save");
        state.PauseTiming();
        s.session.recipes.deleteRecipeByName(QStringLiteral("Two hundred lines"));
        s.recipeNames.removeRow(s.recipeNames.rowOf(QStringLiteral("Two hundred lines")));
        state.ResumeTiming();
    }
}
BENCHMARK(saveRecipe)->Unit(benchmark::kMillisecond);

// Showing a stored recipe of 200 (or 800) lines on the stored recipes screen, painted.
void showStoredRecipe(benchmark::State& state)
{
    Screen& s = screen(static_cast<int>(state.range(0)));
    const QString name = QStringLiteral("Recipe of %1 lines").arg(state.range(0));
    if (s.recipeNames.rowOf(name) < 0) {
        s.get<QLineEdit>("NameTxt")->setText(name);
        s.get<QPlainTextEdit>("DirectionsTxt")->setPlainText(QStringLiteral("Mix."));
        s.tool("Save");
    }
    StoredRecipesScreen stored(s.session, &s.recipeNames, nullptr);
    stored.resize(1260, 700);
    stored.show();
    auto* list = stored.findChild<QComboBox*>(QStringLiteral("RecipeLst"));
    const int row = s.recipeNames.rowOf(name);
    list->setCurrentIndex(row);
    for (auto _ : state) {
        Q_EMIT list->activated(row);
        QCoreApplication::processEvents();
        stored.repaint();
    }
    state.counters["lines"] =
        stored.findChild<QListView*>(QStringLiteral("R_IngLst"))->model()->rowCount();
}
BENCHMARK(showStoredRecipe)->ArgName("lines")->Arg(200)->Arg(800)->Unit(benchmark::kMillisecond);

// Searching the 32,767 ingredient names for three words that every name holds, so that every
// name is a result: Any finds each name three times and lists it once.
void searchNames(benchmark::State& state)
{
    Screen& s = screen();
    const search::SearchableNames names(s.ingredientNames.stringList());
    const QStringList words = search::loadWords(QStringLiteral("ingredient with name"));
    const auto mode = static_cast<search::Mode>(state.range(0));
    qsizetype found = 0;
    for (auto _ : state)
        found = names.loadSearchList(words, mode).size();
    state.counters["results"] = static_cast<double>(found);
}
BENCHMARK(searchNames)
    ->ArgName("all")
    ->Arg(static_cast<int>(search::Mode::Any))
    ->Arg(static_cast<int>(search::Mode::All))
    ->Unit(benchmark::kMillisecond);

// The same searches in the Search window, the results shown in its list.
void searchWindow(benchmark::State& state)
{
    Screen& s = screen();
    // Choosing Any warns that it may take time; the warning is answered at once.
    MessageBox::setAnswerer([](const MessageBox::Shown&) { return MessageBox::Answer::Ok; });
    QTimer::singleShot(0, s.screen.get(), [&state] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        dialog
            ->findChild<QRadioButton*>(state.range(0) == 0 ? QStringLiteral("AnyAllOpt_0")
                                                           : QStringLiteral("AnyAllOpt_1"))
            ->setChecked(true);
        dialog->findChild<QLineEdit*>(QStringLiteral("SearchTxt"))
            ->setText(QStringLiteral("ingredient with name"));
        auto* searchCmd = dialog->findChild<QPushButton*>(QStringLiteral("SearchCmd"));
        for (auto _ : state)
            searchCmd->click();
        state.counters["results"] =
            dialog->findChild<QListWidget*>(QStringLiteral("SearchLst"))->count();
        dialog->findChild<QPushButton*>(QStringLiteral("ExitCmd"))->click();
    });
    SearchDialog::search(s.screen.get(), s.help, s.ingredientNames, [](const QString&) {});
    MessageBox::clearAnswerer();
}
BENCHMARK(searchWindow)
    ->ArgName("all")
    ->Arg(static_cast<int>(search::Mode::Any))
    ->Arg(static_cast<int>(search::Mode::All))
    ->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return runBenchmarks(argc, argv, [] { screenInstances().clear(); });
}
