#include "core/store/recipestore.h"
#include "samplerecipes.h"

#include <QLockFile>
#include <QProcess>
#include <QRegularExpression>

#include <sys/resource.h>
#include <unistd.h>

using namespace zestora;
using testing::readFile;
using testing::writeFile;

namespace {

struct Run {
    int exitCode;
    QString output; // standard output and error
};

Run run(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    process.waitForFinished(120000);
    return {process.exitCode(), QString::fromUtf8(process.readAll())};
}

// A folder with the sample data files in data/; exports go beside it.
struct Folder : testing::TempWorkDir {
    Folder()
    {
        QDir().mkdir(u"data"_s);
        writeFile(u"data/"_s + IngTable::fileName, testing::sampleIngredients());
        writeFile(u"data/"_s + RecipeStore::fileName, testing::sampleRecipes());
    }
    // zestora export with these arguments, on the data folder.
    static QStringList command(const QStringList& arguments)
    {
        return QStringList{u"export"_s, u"--data-dir"_s, u"data"_s} + arguments;
    }
    Run exportRecipes(const QStringList& arguments) const
    {
        return run(QStringLiteral(ZESTORA_PATH), command(arguments));
    }
};

} // namespace

class TestExportCommand : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void commandLines_data();
    void commandLines();
    void pdfIsThePrintedPage();
    void failedWritesLeaveNoFile_data();
    void failedWritesLeaveNoFile();
    void aTerminalSeesTheProgress();
    void neverWritesOverData_data();
    void neverWritesOverData();
    void readingCommandsRefuse_data();
    void readingCommandsRefuse();
    void mealMasterComesBackAsItWent();
};

void TestExportCommand::commandLines_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("says");
    QTest::addColumn<QByteArray>("fileStart"); // of out.json, "old" before each run
    QTest::newRow("a recipe by name in any case, the format from the file's ending")
        << QStringList{u"PANCAKES"_s, u"-o"_s, u"new.mmf"_s} << 0 << u"Exported 1 recipe to "_s
        << QByteArray("old");
    QTest::newRow("a recipe named twice is written once")
        << QStringList{u"pancakes"_s, u"Pancakes"_s, u"-o"_s, u"new.mmf"_s} << 0
        << u"Exported 1 recipe to "_s << QByteArray("old");
    QTest::newRow("an existing file is kept")
        << QStringList{u"--all"_s, u"-o"_s, u"out.json"_s} << 1
        << u"out.json already exists. Give --force to replace it."_s << QByteArray("old");
    QTest::newRow("and replaced with --force")
        << QStringList{u"--all"_s, u"--force"_s, u"-o"_s, u"out.json"_s} << 0
        << u"Warning: Mac & Cheese: the ingredient \"Macaroni\""_s << QByteArray("[\n    {");
    QTest::newRow("an unknown recipe writes nothing")
        << QStringList{u"Pancakes"_s, u"Waffles"_s, u"--force"_s, u"-o"_s, u"out.json"_s} << 1
        << u"There is no recipe named Waffles."_s << QByteArray("old");
    QTest::newRow("a PDF with no recipe that can be printed is not written")
        << QStringList{u"Mac & Cheese"_s, u"-o"_s, u"mac.pdf"_s} << 1
        << u"mac.pdf: none of the recipes can be printed."_s << QByteArray("old");
    QTest::newRow("a file must be named")
        << QStringList{u"--all"_s} << 2 << u"Name the file to write with -o FILE."_s
        << QByteArray("old");
    QTest::newRow("recipes must be named") << QStringList{u"-o"_s, u"x.json"_s} << 2
                                           << u"Name the recipes to export"_s << QByteArray("old");
    QTest::newRow("a format the ending does not tell")
        << QStringList{u"--all"_s, u"-o"_s, u"out.txt"_s} << 2
        << u"Choose the format with --format"_s << QByteArray("old");
}

void TestExportCommand::commandLines()
{
    QFETCH(QStringList, arguments);
    const Folder folder;
    writeFile(u"out.json"_s, "old");
    const Run result = folder.exportRecipes(arguments);
    QTEST(result.exitCode, "exitCode");
    QFETCH(QString, says);
    QVERIFY2(result.output.contains(says), qPrintable(result.output));
    QFETCH(QByteArray, fileStart);
    QVERIFY(readFile(u"out.json"_s).startsWith(fileStart));
}

void TestExportCommand::pdfIsThePrintedPage()
{
    const Folder folder;
    // What exports killed while they wrote left; the next export clears it, and nothing else.
    const QStringList killed{u".zestora-export-4194300-Ab12Cd.pdf"_s, u"recipes.pdf.x7Kq2Z"_s};
    for (const QString& name : killed + QStringList{u"recipes.pdf.backup"_s})
        writeFile(name, "%PDF-1.4");
    const Run result = folder.exportRecipes({u"--all"_s, u"-o"_s, u"recipes.pdf"_s});
    QVERIFY(!QFileInfo::exists(killed[0]) && !QFileInfo::exists(killed[1]));
    QVERIFY(QFileInfo::exists(u"recipes.pdf.backup"_s));
    // The recipe the database cannot work out is left out, and the user told.
    QCOMPARE(result.exitCode, 1);
    QVERIFY2(result.output.contains(u"Mac & Cheese: left out"_s) &&
                 result.output.contains(u"Exported 2 of 3 recipes to "_s),
             qPrintable(result.output));
    QVERIFY(run(u"pdfinfo"_s, {u"recipes.pdf"_s})
                .output.contains(QRegularExpression(u"Pages:\\s+2\\n"_s)));
    const QString text = run(u"pdftotext"_s, {u"recipes.pdf"_s, u"-"_s}).output.simplified();
    for (const QString& words :
         {u"Pancakes List of Ingredients: 1 1/2 cup Wheat flour"_s, u"Topping"_s,
          u"Nutrition Facts"_s, u"makes 2 servings"_s, u"Total Fat"_s, u"8.5g"_s, u"192mg"_s,
          u"Instructions for preparation"_s, u"Whisk the flour"_s, u"hot buttered pan."_s})
        QVERIFY2(text.contains(words), qPrintable(words));
    // Two recipes of one name are each printed as themselves.
    QCOMPARE(text.count(u"Whisk the flour"_s), 1);
    QCOMPARE(text.count(u"An older batter"_s), 1);
}

void TestExportCommand::failedWritesLeaveNoFile_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("fileSize"); // the largest a file may grow, in KiB
    QTest::addColumn<QString>("reason");
    // The file is larger than the room: the first write takes part of it, the next one fails.
    QTest::newRow("JSON, the disk full after 1 KiB")
        << u"out.json"_s << u"1"_s << u"File too large"_s;
    QTest::newRow("PDF, the disk full") << u"out.pdf"_s << u"0"_s << u"is the disk full?"_s;
    QTest::newRow("no such folder") << u"none/out.json"_s << u"unlimited"_s << u"none/out.json"_s;
}

void TestExportCommand::failedWritesLeaveNoFile()
{
    QFETCH(QString, file);
    QFETCH(QString, fileSize);
    QFETCH(QString, reason);
    const Folder folder;
    // A file may grow no further, as on a full disk; the signal is ignored, so the write fails.
    const Run result =
        run(u"bash"_s, QStringList{u"-c"_s, u"ulimit -f $0; trap '' XFSZ; exec \"$@\""_s, fileSize,
                                   QStringLiteral(ZESTORA_PATH)} +
                           Folder::command({u"--all"_s, u"-o"_s, file}));
    QCOMPARE(result.exitCode, 1);
    QVERIFY2(result.output.contains(u"Zestora could not write "_s) &&
                 result.output.contains(reason),
             qPrintable(result.output));
    QCOMPARE(QDir().entryList(QDir::Files | QDir::Hidden), QStringList());
}

void TestExportCommand::neverWritesOverData_data()
{
    QTest::addColumn<QString>("output");
    QTest::newRow("the recipe file") << u"data/Recipe.Dat"_s;
    QTest::newRow("the ingredients by a second name") << u"linked.mmf"_s;
    QTest::newRow("a backup") << u"data/backups/Recipe.Dat.2026-12-05_14-02-11"_s;
    QTest::newRow("any file of a folder Zestora has open") << u"data/notes.mmf"_s;
}

void TestExportCommand::neverWritesOverData()
{
    QFETCH(QString, output);
    const Folder folder;
    QVERIFY(::link("data/Ing.dat", "linked.mmf") == 0);
    QDir().mkpath(u"data/backups"_s);
    if (!QFileInfo::exists(output))
        writeFile(output, "old");
    QLockFile lock(u"data/.zestora-lock"_s);
    QVERIFY(lock.tryLock());
    const QByteArray before = readFile(output);
    const Run result =
        folder.exportRecipes({u"--all"_s, u"--force"_s, u"--format"_s, u"mmf"_s, u"-o"_s, output});
    QCOMPARE(result.exitCode, 1);
    QVERIFY2(result.output.startsWith(u"Zestora does not "_s) && result.output.count(u'\n') == 1,
             qPrintable(result.output));
    QCOMPARE(readFile(output), before);
}

void TestExportCommand::readingCommandsRefuse_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("says");
    const QString data = u"--data-dir=data"_s;
    QTest::newRow("a recipe without end") << QStringList{u"analyze"_s, u"/dev/zero"_s, data}
                                          << u"/dev/zero is larger than 4 MB, the most"_s;
    QTest::newRow("a file of recipes without end") << QStringList{u"import"_s, u"/dev/zero"_s, data}
                                                   << u"/dev/zero is larger than 64 MB, the most"_s;
    QTest::newRow("a file in UTF-16") << QStringList{u"import"_s, u"utf16.mmf"_s, data}
                                      << u"utf16.mmf is written in UTF-16, which"_s;
    QTest::newRow("an empty folder: nothing to export, and no file made")
        << QStringList{u"export"_s, u"--all"_s, u"-o"_s, u"z.mmf"_s, u"--data-dir=empty"_s}
        << u"There are no recipes to export."_s;
    QTest::newRow("a data folder named but missing")
        << QStringList{u"analyze"_s, u"utf16.mmf"_s, u"--data-dir=none"_s}
        << u"There is no data folder none."_s;
}

void TestExportCommand::readingCommandsRefuse()
{
    QFETCH(QStringList, arguments);
    const Folder folder;
    QDir().mkdir(u"empty"_s);
    writeFile(u"utf16.mmf"_s,
              "\xFF\xFE" +
                  QByteArrayView(reinterpret_cast<const char*>(u"MMMMM----- Recipe via Meal"), 52));
    QProcess process;
    // Memory enough for the program, not for an input without end.
    process.setChildProcessModifier([] {
        const rlimit memory{1 << 30, 1 << 30};
        ::setrlimit(RLIMIT_AS, &memory);
    });
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(QStringLiteral(ZESTORA_PATH), arguments);
    QVERIFY(process.waitForFinished(60000));
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(process.exitCode(), 1);
    QFETCH(QString, says);
    QVERIFY2(process.readAll().startsWith(says.toUtf8()), qPrintable(says));
    QVERIFY(QDir(u"empty"_s).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden));
}

void TestExportCommand::aTerminalSeesTheProgress()
{
    const Folder folder;
    QStringList command{QStringLiteral(ZESTORA_PATH)};
    for (const QString& argument : Folder::command({u"--all"_s, u"-o"_s, u"all.mmf"_s}))
        command.append(argument);
    const Run result = run(u"script"_s, {u"-qec"_s, command.join(u' '), u"/dev/null"_s});
    QCOMPARE(result.exitCode, 0);
    QVERIFY2(result.output.contains(u"\rExporting recipes: 3 of 3\r\n"_s),
             qPrintable(result.output));
}

void TestExportCommand::mealMasterComesBackAsItWent()
{
    const Folder folder;
    // A recipe as the analysis screen stores it, a blank line before its heading; its syrup has
    // a name whose first word another food shares.
    const auto syrup = [](const QString& name, float carbs) {
        return testing::food(name, 1, u"tbs"_s, 20, u"g"_s, {.carbs = carbs});
    };
    writeFile(
        u"data/"_s + IngTable::fileName,
        IngTable::toBytes({syrup(u"Syrups, grenadine"_s, 13.4f), syrup(u"Syrups, maple"_s, 13.4f),
                           testing::food(u"Milk"_s, 1, u"cup"_s, 244, u"g"_s, {.fat = 8})}));
    writeFile(u"data/"_s + RecipeStore::fileName,
              encodeCp1252(lines::recipeRecord(
                  u"Milk Shake"_s, u"1"_s,
                  {lines::ingredientEntry(u"Milk"_s, true, u"1"_s, u"cup"_s),
                   lines::headingEntry(u" "_s), lines::headingEntry(u"Topping"_s),
                   lines::ingredientEntry(u"Syrups, maple"_s, true, u"2"_s, u"tbs"_s)},
                  u"Shake."_s)) +
                  "\r\n");
    QCOMPARE(folder.exportRecipes({u"--all"_s, u"-o"_s, u"out.mmf"_s}).exitCode, 0);
    // Into a folder with the same foods, and out again.
    QDir().mkdir(u"back"_s);
    QFile::copy(u"data/"_s + IngTable::fileName, u"back/"_s + IngTable::fileName);
    // Through standard input and output, named -.
    const auto piped = [](const QString& command) {
        return run(u"bash"_s, {u"-c"_s, u"exec \"$0\" "_s + command, QStringLiteral(ZESTORA_PATH)});
    };
    const Run imported = piped(u"import - --data-dir back < out.mmf"_s);
    QVERIFY2(imported.exitCode == 0, qPrintable(imported.output));
    QCOMPARE(piped(u"export --data-dir back --all --format mmf -o - > back.mmf"_s).exitCode, 0);
    QCOMPARE(readFile(u"back.mmf"_s), readFile(u"out.mmf"_s));
}

QTEST_GUILESS_MAIN(TestExportCommand)
#include "tst_exportcommand.moc"
