// The performance goals, each measured as a ratio against a floor taken in the same run, at
// 1,000, 4,000, 16,000 and 32,767 ingredients and recipes:
// - reading both files with their name lists: CPU, against mapping and scanning the same bytes
//   once (at most 3 times that);
// - a whole start of the program: CPU, against a start with the starter ingredients (at most 2x);
// - appending and deleting a recipe: time, against writing and syncing the file alone (1.5x);
// - adding a line to a recipe of 200 and of 800 lines, showing such a recipe, opening the search
//   window and opening each screen: time until painted (under 16 ms);
// - pasting a 20-line recipe once the foods' names are indexed (under 16 ms), and at once after
//   the start, the indexing included;
// - the main window on screen after the splash timer fired, on an X server (within 20 ms);
// - peak memory of a start, against a bare Qt widgets window plus 1.5 times the files' size.
// Each figure is taken several times; the table gives the median with the least and the most.
//
// bench_goals PROGRAM FLOOR STARTER_FOLDER [RUNS [SIZES...]] runs it all; it starts itself again
// as "bench_goals load DIR", "bench_goals screens DIR PROGRAM_DIR RUNS" and "bench_goals
// first-screen DIR PROGRAM_DIR" for the parts that need a fresh process of their own.
#include "benchdata.h"

#include "core/paste/foodindex.h"
#include "core/session.h"
#include "core/sortednamemodel.h"
#include "core/store/storesload.h"
#include "platform/helpviewer.h"
#include "platform/messagebox.h"
#include "platform/settings.h"
#include "platform/toolbar.h"
#include "shell/mainwindow.h"
#include "widgets/spinner.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QListView>
#include <QMouseEvent>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <functional>
#include <map>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace zestora;

namespace {

const QString twoHundredLines = QStringLiteral("Two hundred lines");
const QString eightHundredLines = QStringLiteral("Eight hundred lines");

double cpuMs()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

// What a child process printed, "name value" a line, with what it cost.
struct ChildRun {
    std::multimap<QString, double> figures;
    double cpuMs = 0;
    double peakMiB = 0;
    bool ok = false;
};

// The child's environment: this process's, with another Qt platform where one is given.
std::vector<QByteArray> childEnvironment(const char* platform)
{
    std::vector<QByteArray> environment;
    for (char** variable = environ; *variable; ++variable)
        if (!platform || !QByteArrayView(*variable).startsWith("QT_QPA_PLATFORM="))
            environment.emplace_back(*variable);
    if (platform)
        environment.push_back(QByteArray("QT_QPA_PLATFORM=") + platform);
    return environment;
}

// Pointers to the strings, as exec takes them; made before the fork, which may not allocate.
std::vector<char*> execList(std::vector<QByteArray>& strings)
{
    std::vector<char*> list;
    for (QByteArray& string : strings)
        list.push_back(string.data());
    list.push_back(nullptr);
    return list;
}

ChildRun runChild(const QStringList& arguments, const char* platform = nullptr)
{
    ChildRun run;
    std::vector<QByteArray> bytes;
    for (const QString& argument : arguments)
        bytes.push_back(QFile::encodeName(argument));
    std::vector<QByteArray> environment = childEnvironment(platform);
    const std::vector<char*> argv = execList(bytes);
    const std::vector<char*> envp = execList(environment);
    int out[2];
    if (::pipe(out) != 0)
        return run;
    std::fflush(stdout);
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::dup2(out[1], STDOUT_FILENO);
        ::close(out[0]);
        ::close(out[1]);
        ::execve(argv[0], argv.data(), envp.data());
        ::_exit(127);
    }
    ::close(out[1]);
    QByteArray printed;
    char buffer[4096];
    for (ssize_t n; (n = ::read(out[0], buffer, sizeof buffer)) > 0;)
        printed.append(buffer, n);
    ::close(out[0]);
    int status = 0;
    rusage usage{};
    ::wait4(pid, &status, 0, &usage);
    run.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    run.cpuMs = double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3 +
                double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e3;
    run.peakMiB = double(usage.ru_maxrss) / 1024;
    // "name value" a line, or the program's "step at N ms"
    for (const QByteArray& line : printed.split('\n')) {
        const qsizetype at = line.lastIndexOf(" at ");
        const qsizetype blank = line.lastIndexOf(' ');
        if (at > 0 && line.endsWith(" ms"))
            run.figures.emplace(QString::fromUtf8(line.first(at)),
                                line.sliced(at + 4).chopped(3).toDouble());
        else if (blank > 0)
            run.figures.emplace(QString::fromUtf8(line.first(blank)),
                                line.sliced(blank + 1).toDouble());
    }
    return run;
}

double figure(const ChildRun& run, const QString& name)
{
    const auto found = run.figures.find(name);
    return found == run.figures.end() ? qQNaN() : found->second;
}

// ---------------------------------------------------------------------------------------------
// In a process of its own: reading both files, against mapping and scanning them.

int measureLoad(const QString& dir)
{
    QDir::setCurrent(dir);
    double start = cpuMs();
    qint64 marksSeen = 0;
    for (const QString& name : {IngTable::fileName, RecipeStore::fileName}) {
        QFile file(name);
        if (!file.open(QIODevice::ReadOnly))
            return 1;
        const uchar* bytes = file.map(0, file.size());
        marksSeen += std::count(bytes, bytes + file.size(), uchar(0xA7));
        file.unmap(const_cast<uchar*>(bytes));
    }
    const double floor = cpuMs() - start;
    IngTable ingredients;
    RecipeStore recipes;
    start = cpuMs();
    const StoresLoad loaded = loadStores(ingredients, recipes);
    const double load = cpuMs() - start;
    std::printf("floor %.3f\nload %.3f\nmarks %lld\nnames %lld\n", floor, load,
                static_cast<long long>(marksSeen),
                static_cast<long long>(loaded.ingredientNames.size()));
    return 0;
}

// ---------------------------------------------------------------------------------------------
// In a process of its own: the screens of the program at work, each action timed until painted.

// Notes every paint of a widget, for the time until an action is on screen.
class PaintWatch : public QObject {
public:
    PaintWatch() { qApp->installEventFilter(this); }
    int paints = 0;
    QElapsedTimer sinceFirstOfDialog;
    std::function<void()> onDialogPainted;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) {
            ++paints;
            if (onDialogPainted && watched->isWidgetType() &&
                qobject_cast<QDialog*>(static_cast<QWidget*>(watched)->window()))
                QTimer::singleShot(0, qApp, std::exchange(onDialogPainted, nullptr));
        }
        return false;
    }
};

// Runs the action, then the event loop until it paints nothing more: milliseconds until the last
// paint it caused was done.
double paintedMs(PaintWatch& watch, const std::function<void()>& action)
{
    QElapsedTimer clock;
    clock.start();
    action();
    double done = double(clock.nsecsElapsed()) / 1e6;
    for (int quiet = 0; quiet < 3;) {
        const int before = watch.paints;
        QCoreApplication::processEvents();
        if (watch.paints != before) {
            done = double(clock.nsecsElapsed()) / 1e6;
            quiet = 0;
        } else {
            ++quiet;
        }
    }
    return done;
}

template <typename T> T* child(QWidget* window, const char* name)
{
    return window->findChild<T*>(QString::fromLatin1(name));
}

// Reads and matches the pasted recipe's lines as the paste window's Read does: milliseconds.
double pasteMs(paste::FoodIndex& index)
{
    QElapsedTimer clock;
    clock.start();
    paste::RecipeText read = paste::readRecipeText(QString::fromUtf8(bench::pastedRecipe), true);
    for (paste::IngredientLine& line : read.lines)
        index.review(std::move(line));
    return double(clock.nsecsElapsed()) / 1e6;
}

// With no runs, only what comes first after the start, which only a fresh process shows: the
// first opening of the stored recipes screen, the slowest, which later openings would hide in a
// median; and a paste at once, which waits for the foods' names to be indexed.
int measureScreens(const QString& dir, const QString& programDir, int runs)
{
    QDir::setCurrent(dir);
    QTemporaryDir settingsDir;
    Settings settings(settingsDir.filePath(QStringLiteral("settings.ini")));
    settings.write(Settings::showTips, QStringLiteral("0"));
    settings.write(Settings::playMusic, QStringLiteral("0"));
    // Nothing at this size may ask anything; should a message come, it is answered at once.
    MessageBox::setAnswerer([](const MessageBox::Shown& shown) {
        std::fprintf(stderr, "message: %s\n", qPrintable(shown.text));
        return MessageBox::Answer::Ok;
    });
    Session session;
    HelpViewer help;
    MainWindow window(session, settings, help, programDir);
    window.setTipWindowOpener([] {});
    window.startUp();
    PaintWatch watch;
    paintedMs(watch, [&] { window.showMaximized(); });

    const auto print = [](const char* name, double ms) {
        std::printf("%s %.3f\n", name, ms);
    };
    const auto tool = [&](const char* name) {
        window.topBar()->tool(QString::fromLatin1(name))->trigger();
    };
    if (runs == 0) {
        print("first recipes screen", paintedMs(watch, [&] { tool("Recipes"); }));
        paste::FoodIndex index(session.ingredients,
                               QDir(programDir).filePath(QStringLiteral("starter")));
        QElapsedTimer clock;
        clock.start();
        index.prepare();
        print("first paste", double(clock.nsecsElapsed()) / 1e6 + pasteMs(index));
        print("paste", pasteMs(index));
        return 0;
    }
    for (int run = 0; run < runs; ++run) {
        double slowest = 0;
        for (const char* screen : {"Recipes", "AddIngredient", "StoredIngredients", "NewRecipe"})
            slowest = std::max(slowest, paintedMs(watch, [&] { tool(screen); }));
        print("screen", slowest);
    }

    auto* analysis = child<QWidget>(&window, "CalcFrm");
    auto* search = child<QWidget>(analysis, "SearchLbl");
    for (int run = 0; run < runs; ++run) {
        QElapsedTimer clock;
        double opened = 0;
        watch.onDialogPainted = [&] {
            opened = double(clock.nsecsElapsed()) / 1e6;
            QApplication::activeModalWidget()->close();
        };
        clock.start();
        QMouseEvent release(QEvent::MouseButtonRelease, QPointF(2, 2),
                            search->mapToGlobal(QPointF(2, 2)), Qt::LeftButton, Qt::NoButton,
                            Qt::NoModifier);
        QCoreApplication::sendEvent(search, &release);
        print("search", opened);
    }

    // The recipe on the analysis screen grows to 200 lines, then to 800, a line at a time as a
    // user adds them: an ingredient chosen in the list, 1 1/2 cup, Add Ingredient.
    auto* ingredients = child<QListView>(analysis, "IngLst");
    const int ingredientCount = ingredients->model()->rowCount();
    int lines = 0;
    const auto addLine = [&] {
        ingredients->setCurrentIndex(ingredients->model()->index(lines * 163 % ingredientCount, 0));
        Q_EMIT ingredients->clicked(ingredients->currentIndex());
        child<Spinner>(analysis, "OnesVs")->setValue(1);
        child<Spinner>(analysis, "FracVs")->setValue(5);
        child<QComboBox>(analysis, "MeasureLst")->setCurrentIndex(3);
        child<QPushButton>(analysis, "Addcmd")->click();
        ++lines;
    };
    for (const int size : {200, 800}) {
        while (lines < size)
            addLine();
        paintedMs(watch, [] {});
        for (int run = 0; run < runs; ++run)
            print(size == 200 ? "add line 200" : "add line 800", paintedMs(watch, addLine));
    }

    tool("Recipes");
    paintedMs(watch, [] {});
    auto* stored = child<QComboBox>(&window, "RecipeLst");
    for (int run = 0; run < runs; ++run)
        for (const QString& name : {twoHundredLines, eightHundredLines}) {
            const int row = stored->findText(name);
            if (row < 0)
                return 1;
            const double shown = paintedMs(watch, [&] {
                stored->setCurrentIndex(row);
                Q_EMIT stored->activated(row);
            });
            print(name == twoHundredLines ? "show recipe 200" : "show recipe 800", shown);
        }
    MessageBox::clearAnswerer();
    return 0;
}

// ---------------------------------------------------------------------------------------------
// In the runner: appending and deleting a recipe, against writing the file alone.

double writeAndSyncMs(const QByteArray& bytes)
{
    QElapsedTimer clock;
    clock.start();
    const int fd = ::open("floor.tmp", O_WRONLY | O_CREAT | O_TRUNC, 0644);
    for (qsizetype done = 0; done < bytes.size();) {
        const ssize_t n = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (n <= 0)
            break;
        done += n;
    }
    ::fsync(fd);
    ::close(fd);
    const double ms = double(clock.nsecsElapsed()) / 1e6;
    ::unlink("floor.tmp");
    return ms;
}

struct StoreFigures {
    QList<double> append, remove, floor;
};

StoreFigures measureStore(const QString& dir, int runs)
{
    QDir::setCurrent(dir);
    StoreFigures figures;
    RecipeStore recipes;
    recipes.load();
    for (int run = 0; run < runs; ++run) {
        // The first recipe goes, so the whole text after it moves; it comes back at the end.
        const QString name = recipes.recipeList().first().recipeName;
        const QString record = QStringLiteral("\u00ae") + name + recipes.recipeBody(0);
        figures.floor.append(writeAndSyncMs(recipes.bigRecipeBytes() + "\r\n"));
        QElapsedTimer clock;
        clock.start();
        recipes.deleteRecipeByName(name);
        figures.remove.append(double(clock.nsecsElapsed()) / 1e6);
        figures.floor.append(writeAndSyncMs(recipes.bigRecipeBytes() + "\r\n"));
        clock.start();
        recipes.appendRecipe(name, record);
        figures.append.append(double(clock.nsecsElapsed()) / 1e6);
    }
    return figures;
}

// ---------------------------------------------------------------------------------------------
// The runner.

double median(QList<double> values)
{
    std::sort(values.begin(), values.end());
    return values.isEmpty() ? qQNaN() : values[values.size() / 2];
}

// "median (least-most)"
QString spread(QList<double> values, int decimals)
{
    if (values.isEmpty())
        return QStringLiteral("-");
    std::sort(values.begin(), values.end());
    return QStringLiteral("%1 (%2-%3)")
        .arg(median(values), 0, 'f', decimals)
        .arg(values.first(), 0, 'f', decimals)
        .arg(values.last(), 0, 'f', decimals);
}

QList<double> ratios(const QList<double>& values, double by)
{
    QList<double> result;
    for (double v : values)
        result.append(v / by);
    return result;
}

struct Row {
    Row(const char* goal, const char* limit, int decimals)
        : goal(goal)
        , limit(limit)
        , decimals(decimals)
    {
    }
    const char* goal;
    const char* limit;
    int decimals;
    std::map<int, QList<double>> bySize;
};

struct StartFigures {
    QList<double> cpu, peak, afterTimer;
};

// Starts of the program on the offscreen platform, or on the given one.
StartFigures measureStarts(const QString& program, const QString& dir, int runs,
                           const char* platform = nullptr)
{
    StartFigures figures;
    for (int run = 0; run < runs; ++run) {
        const ChildRun start = runChild(
            {program, QStringLiteral("--data-dir"), dir, QStringLiteral("--quit-when-shown")},
            platform);
        if (!start.ok)
            continue;
        figures.cpu.append(start.cpuMs);
        figures.peak.append(start.peakMiB);
        figures.afterTimer.append(figure(start, QStringLiteral("main window on screen")) -
                                  figure(start, QStringLiteral("splash timer")));
    }
    return figures;
}

int runGoals(const QString& self, const QString& program, const QString& floorProgram,
             const QString& starterDir, int runs, const QList<int>& sizes)
{
    const QString programDir = QFileInfo(program).absolutePath();
    std::printf("Each figure: the median of %d runs, with the least and the most in brackets.\n\n",
                runs);
    // The floors every size is measured against.
    measureStarts(program, starterDir, 1); // the first start copies the starter ingredients in
    const StartFigures starter = measureStarts(program, starterDir, runs);
    QList<double> qtFloor;
    for (int run = 0; run < runs; ++run)
        qtFloor.append(runChild({floorProgram}).peakMiB);
    std::printf("A start with the starter ingredients: %s ms CPU, peak %s MiB.\n",
                qPrintable(spread(starter.cpu, 0)), qPrintable(spread(starter.peak, 1)));
    std::printf("Qt's floor, a bare widgets window: peak %s MiB.\n",
                qPrintable(spread(qtFloor, 1)));
    // The least any main window takes from a timer to its first paint on this display.
    const bool onDisplay = !qEnvironmentVariableIsEmpty("DISPLAY");
    const QList<double> bareAfterTimer =
        onDisplay ? measureStarts(floorProgram, starterDir, runs, "xcb").afterTimer
                  : QList<double>();
    if (onDisplay)
        std::printf("Qt's floor under X, a bare main window shown at a timer: %s ms.\n",
                    qPrintable(spread(bareAfterTimer, 0)));
    std::printf("\n");

    Row load{"load both files, CPU / map and scan them", "<= 3", 2};
    Row start{"start, CPU / start with starter data", "<= 2", 2};
    Row append{"append a recipe / write+fsync the file", "<= 1.5", 2};
    Row remove{"delete a recipe / write+fsync the file", "<= 1.5", 2};
    Row addLine200{"add a line at 200 lines, ms painted", "< 16", 1};
    Row addLine800{"add a line at 800 lines, ms painted", "< 16", 1};
    Row show200{"show a 200-line recipe, ms painted", "< 16", 1};
    Row show800{"show an 800-line recipe, ms painted", "< 16", 1};
    Row search{"open the search window, ms painted", "< 16", 1};
    Row screen{"open a screen (slowest of 4), ms painted", "< 16", 1};
    Row firstRecipes{"open stored recipes first time, ms painted", "< 16", 1};
    Row firstPaste{"paste 20 lines, names indexed first, ms", "", 1};
    Row paste{"paste 20 lines, names indexed, ms", "< 16", 1};
    Row afterTimer{"main window after splash timer, under X, ms", "<= 20", 0};
    Row memory{"peak memory - Qt's floor, / files' size", "<= 1.5", 2};
    Row afterTimerRatio{"main window after timer / bare window's", "", 2};
    Row filesSize{"files' size, MiB", "", 1};
    Row loadCpu{"load both files, ms CPU", "", 1};
    Row mapScanCpu{"map and scan them, ms CPU", "", 1};
    Row startCpu{"start, ms CPU", "", 0};
    Row appendMs{"append a recipe, ms", "", 1};
    Row removeMs{"delete a recipe, ms", "", 1};
    Row floorMs{"write+fsync the file alone, ms", "", 1};
    Row peak{"peak memory of a start, MiB", "", 1};
    const double qtFloorMiB = median(qtFloor);
    const double starterCpu = median(starter.cpu);
    for (const int size : sizes) {
        QTemporaryDir dir;
        // Two recipes short, for the two long ones the screens show.
        bench::makeData(dir.path(), size, size - 2, 20);
        {
            QDir::setCurrent(dir.path());
            RecipeStore recipes;
            recipes.load();
            recipes.appendRecipe(twoHundredLines,
                                 bench::recipeRecord(twoHundredLines, 200, 1, size));
            recipes.appendRecipe(eightHundredLines,
                                 bench::recipeRecord(eightHundredLines, 800, 2, size));
        }
        const double filesMiB = double(QFileInfo(dir.filePath(IngTable::fileName)).size() +
                                       QFileInfo(dir.filePath(RecipeStore::fileName)).size()) /
                                (1024 * 1024);
        filesSize.bySize[size] = {filesMiB};

        QList<double> loadMs, mapScan, loadRatio;
        for (int run = 0; run < runs; ++run) {
            const ChildRun child = runChild({self, QStringLiteral("load"), dir.path()});
            loadMs.append(figure(child, QStringLiteral("load")));
            mapScan.append(figure(child, QStringLiteral("floor")));
            loadRatio.append(loadMs.last() / mapScan.last());
        }
        load.bySize[size] = loadRatio;
        loadCpu.bySize[size] = loadMs;
        mapScanCpu.bySize[size] = mapScan;

        const StartFigures starts = measureStarts(program, dir.path(), runs);
        start.bySize[size] = ratios(starts.cpu, starterCpu);
        startCpu.bySize[size] = starts.cpu;
        // Timed on the display bench/run started, as a user sees it: there the window manager
        // maps the main window and the server exposes it once, where offscreen exposes it at
        // once and it is drawn a second time.
        if (onDisplay) {
            afterTimer.bySize[size] = measureStarts(program, dir.path(), runs, "xcb").afterTimer;
            afterTimerRatio.bySize[size] = ratios(afterTimer.bySize[size], median(bareAfterTimer));
        }
        for (double startPeak : starts.peak)
            memory.bySize[size].append((startPeak - qtFloorMiB) / filesMiB);
        peak.bySize[size] = starts.peak;

        const StoreFigures store = measureStore(dir.path(), runs);
        for (int run = 0; run < runs; ++run) {
            const double floor = (store.floor[2 * run] + store.floor[2 * run + 1]) / 2;
            append.bySize[size].append(store.append[run] / floor);
            remove.bySize[size].append(store.remove[run] / floor);
        }
        appendMs.bySize[size] = store.append;
        removeMs.bySize[size] = store.remove;
        floorMs.bySize[size] = store.floor;

        const ChildRun screens = runChild(
            {self, QStringLiteral("screens"), dir.path(), programDir, QString::number(runs)});
        const auto all = [&screens](const char* name) {
            QList<double> values;
            const auto [first, last] = screens.figures.equal_range(QString::fromLatin1(name));
            for (auto it = first; it != last; ++it)
                values.append(it->second);
            return values;
        };
        addLine200.bySize[size] = all("add line 200");
        addLine800.bySize[size] = all("add line 800");
        show200.bySize[size] = all("show recipe 200");
        show800.bySize[size] = all("show recipe 800");
        search.bySize[size] = all("search");
        screen.bySize[size] = all("screen");
        for (int run = 0; run < runs; ++run) {
            const ChildRun first = runChild(
                {self, QStringLiteral("screens"), dir.path(), programDir, QStringLiteral("0")});
            firstRecipes.bySize[size].append(figure(first, QStringLiteral("first recipes screen")));
            firstPaste.bySize[size].append(figure(first, QStringLiteral("first paste")));
            paste.bySize[size].append(figure(first, QStringLiteral("paste")));
        }
        QDir::setCurrent(QDir::tempPath());
    }

    const auto printTable = [&sizes](const char* title, std::initializer_list<const Row*> table) {
        std::printf("%-46s %-7s", title, "goal");
        for (int size : sizes)
            std::printf(" %21s", qPrintable(QStringLiteral("%L1 records").arg(size)));
        std::printf("\n");
        for (const Row* row : table) {
            std::printf("%-46s %-7s", row->goal, row->limit);
            for (int size : sizes) {
                const auto found = row->bySize.find(size);
                std::printf(" %21s", qPrintable(found == row->bySize.end()
                                                    ? QStringLiteral("-")
                                                    : spread(found->second, row->decimals)));
            }
            std::printf("\n");
        }
        std::printf("\n");
    };
    printTable("Goal", {&load, &start, &append, &remove, &addLine200, &addLine800, &show200,
                        &show800, &search, &screen, &firstRecipes, &paste, &afterTimer, &memory});
    printTable("Figures", {&filesSize, &loadCpu, &mapScanCpu, &startCpu, &appendMs, &removeMs,
                           &floorMs, &peak, &firstPaste, &afterTimerRatio});
    return 0;
}

} // namespace

int main(int argc, char* argv[])
{
    const QStringList arguments = [&] {
        QStringList list;
        for (int i = 0; i < argc; ++i)
            list.append(QString::fromLocal8Bit(argv[i]));
        return list;
    }();
    if (arguments.size() == 3 && arguments[1] == u"load") {
        QCoreApplication app(argc, argv);
        return measureLoad(arguments[2]);
    }
    if (arguments.size() == 5 && arguments[1] == u"screens") {
        QApplication app(argc, argv);
        return measureScreens(arguments[2], arguments[3], arguments[4].toInt());
    }
    if (arguments.size() < 4) {
        std::fputs("usage: bench_goals PROGRAM FLOOR STARTER_FOLDER [RUNS [SIZES...]]\n", stderr);
        return 2;
    }
    QCoreApplication app(argc, argv);
    const int runs = arguments.size() > 4 ? arguments[4].toInt() : 5;
    QList<int> sizes;
    for (qsizetype i = 5; i < arguments.size(); ++i)
        sizes.append(arguments[i].toInt());
    if (sizes.isEmpty())
        sizes = {1000, 4000, 16000, 32767};
    return runGoals(QCoreApplication::applicationFilePath(), arguments[1], arguments[2],
                    arguments[3], runs, sizes);
}
