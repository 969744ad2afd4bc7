#include "core/store/recipemarks.h"
#include "core/store/recipestore.h"
#include "core/text.h"
#include "testsupport.h"

#include <QRandomGenerator>

using namespace zestora;
using namespace zestora::testing;

namespace {

QString mark(char m)
{
    return QString(marks::asChar(m));
}

// A record as the analysis screen builds it: one ingredient line per entry of lines.
QString recipeRecord(const QString& name, const QString& servings, const QStringList& lines,
                     const QString& directions)
{
    QString record = mark(marks::recordStart) + name + mark(marks::bodyStart) + servings +
                     mark(marks::servingsEnd);
    for (const QString& line : lines)
        record += mark(marks::lineStart) + line + mark(marks::nameEnd) + mark(marks::fractionMode) +
                  u"2 1/2"_s + mark(marks::quantityEnd) + u"cup"_s + mark(marks::lineEnd);
    return record + mark(marks::linesEnd) + mark(marks::directionsStart) + directions +
           mark(marks::recordEnd);
}

QString simpleRecord(const QString& name)
{
    return recipeRecord(name, u"4"_s, {u"Flour"_s}, u"Mix.\r\nBake."_s);
}

// The recipe file holding simple records of these names.
QByteArray simpleFile(const QStringList& names)
{
    QString text;
    for (const QString& name : names)
        text += simpleRecord(name);
    return encodeCp1252(text) + "\r\n";
}

} // namespace

class TestRecipeStore : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void whatTheFileHolds_data();
    void whatTheFileHolds();
    void aFailedSaveLeavesStoreAndFileAsTheyWere_data();
    void aFailedSaveLeavesStoreAndFileAsTheyWere();
    void deletingTheOnlyRecipe_data();
    void deletingTheOnlyRecipe();
    void randomRecipesRoundTrip();
    void refusesTextTheFileCannotHold();
    void textBetween_data();
    void textBetween();
};

void TestRecipeStore::aFailedSaveLeavesStoreAndFileAsTheyWere_data()
{
    QTest::addColumn<QString>("deleted"); // empty: a recipe is appended; "+": two with one write
    QTest::addColumn<QStringList>("after");
    QTest::newRow("append") << QString() << QStringList{u"Stew"_s, u"Pie"_s, u"Salad"_s, u"New"_s};
    QTest::newRow("append two with one write")
        << u"+"_s << QStringList{u"Stew"_s, u"Pie"_s, u"Salad"_s, u"New"_s, u"Newer"_s};
    QTest::newRow("delete the first, longer than the last")
        << u"Stew"_s << QStringList{u"Salad"_s, u"Pie"_s};
    QTest::newRow("delete the middle, shorter than the last")
        << u"Pie"_s << QStringList{u"Stew"_s, u"Salad"_s};
    QTest::newRow("delete the last") << u"Salad"_s << QStringList{u"Stew"_s, u"Pie"_s};
}

void TestRecipeStore::aFailedSaveLeavesStoreAndFileAsTheyWere()
{
    QFETCH(QString, deleted);
    QFETCH(QStringList, after);
    const TempWorkDir dir;
    const QStringList before{u"Stew"_s, u"Pie"_s, u"Salad"_s};
    const QByteArray file = encodeCp1252(QString(
        recipeRecord(u"Stew"_s, u"4"_s, {u"Beef"_s, u"Carrots"_s, u"Onions"_s}, u"Simmer."_s) +
        recipeRecord(u"Pie"_s, u"1"_s, {u"Egg"_s}, QString()) +
        recipeRecord(u"Salad"_s, u"2"_s, {u"Lettuce"_s}, u"Toss."_s) + u"\r\n"_s));
    writeFile(u"Recipe.Dat"_s, file);
    auto failing = std::make_unique<FailingFile>(u"Recipe.Dat"_s);
    FailingFile& disk = *failing;
    RecipeStore store(std::move(failing));
    QVERIFY(!store.load());
    const auto change = [&] {
        if (deleted == u"+")
            return store.appendRecipes(
                {{u"New"_s, simpleRecord(u"New"_s)}, {u"Newer"_s, simpleRecord(u"Newer"_s)}});
        return deleted.isEmpty() ? store.appendRecipe(u"New"_s, simpleRecord(u"New"_s))
                                 : store.deleteRecipeByName(deleted);
    };
    disk.failWrites = true;
    QVERIFY(!change());
    QCOMPARE(store.recipeNames(), before);
    QCOMPARE(store.bigRecipeBytes(), file.chopped(2));
    QCOMPARE(readFile(u"Recipe.Dat"_s), file);

    disk.failWrites = false;
    QVERIFY(change());
    QCOMPARE(store.recipeNames(), after);
    // The store's text is the file written, and every recipe reads back from it as it was.
    const QByteArray written = readFile(u"Recipe.Dat"_s);
    QCOMPARE(store.bigRecipeBytes() + "\r\n", written);
    RecipeStore reloaded;
    QVERIFY(!reloaded.load());
    QCOMPARE(reloaded.recipeNames(), after);
    for (int i = 0; i < after.size(); ++i)
        QCOMPARE(reloaded.recipeBody(i), store.recipeBody(i));
}

void TestRecipeStore::deletingTheOnlyRecipe_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("deleted");
    QTest::newRow("its name deletes it and the file") << u"Stew"_s << true;
    QTest::newRow("its name with blanks around deletes it") << u" Stew "_s << true;
    QTest::newRow("a pattern matching it keeps it") << u"St*"_s << false;
    QTest::newRow("its name in other letters keeps it") << u"stew"_s << false;
}

void TestRecipeStore::deletingTheOnlyRecipe()
{
    QFETCH(QString, name);
    QFETCH(bool, deleted);
    const TempWorkDir dir;
    RecipeStore store;
    QVERIFY(!store.load());
    QVERIFY(QFile::exists(u"Recipe.Dat"_s));
    QVERIFY(store.appendRecipe(u"Stew"_s, simpleRecord(u"Stew"_s)));
    QVERIFY(store.deleteRecipeByName(name));
    QCOMPARE(store.count(), deleted ? 0 : 1);
    QCOMPARE(QFile::exists(u"Recipe.Dat"_s), !deleted);
    if (deleted) {
        // Saved empty, the file is a line break alone.
        QVERIFY(store.saveBigRecipe());
        QCOMPARE(readFile(u"Recipe.Dat"_s), QByteArray("\r\n"));
    }
    QVERIFY(store.appendRecipe(u"Pie"_s, simpleRecord(u"Pie"_s)));
    QCOMPARE(readFile(u"Recipe.Dat"_s),
             simpleFile(deleted ? QStringList{u"Pie"_s} : QStringList{u"Stew"_s, u"Pie"_s}));
}

void TestRecipeStore::whatTheFileHolds_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QString>("told"); // in the load problem's message; empty: no problem
    const QByteArray stew = encodeCp1252(simpleRecord(u"Stew"_s));
    const QByteArray salad = encodeCp1252(simpleRecord(u"Salad"_s));
    const QByteArray good = encodeCp1252(simpleRecord(u"Good"_s));
    const QString outside = u"belong to none of them"_s;
    const QString damaged = u"The file Recipe.Dat is damaged: "_s;
    // The name is kept as it stands; comparisons trim it.
    QTest::newRow("spaces between records")
        << encodeCp1252(simpleRecord(u" Stew"_s)) + "   " + salad + "  \r\n\r\n"
        << QStringList{u" Stew"_s, u"Salad"_s} << QString();
    QTest::newRow("line breaks before the first record and after the last")
        << "\r\n \r\n" + stew + salad + "\r\n \r\n"
        << QStringList{u"Stew"_s, u"Salad"_s} << QString();
    QTest::newRow("a bare line break") << QByteArray("\r\n\r\n") << QStringList{} << QString();
    QTest::newRow("blanks alone") << QByteArray("   \r\n") << QStringList{} << QString();
    QTest::newRow("text before the first record") << "notes" + stew + "\r\n"
                                                  << QStringList{u"Stew"_s} << outside;
    QTest::newRow("text between records") << stew + " x\r\n" + salad + "\r\n"
                                          << QStringList{u"Stew"_s, u"Salad"_s} << outside;
    QTest::newRow("a recipe without its body start mark") << good + "\xaeNo body\xdf\r\n"
                                                          << QStringList{u"Good"_s} << damaged;
    QTest::newRow("a recipe without its end mark")
        << good + encodeCp1252(simpleRecord(u"Cut"_s)).chopped(1) + "\r\n"
        << QStringList{u"Good"_s} << damaged;
    QTest::newRow("an end mark before the body start") << good + "\xae\xdf name \xa7" + "\r\n"
                                                       << QStringList{u"Good"_s} << damaged;
    QTest::newRow("a file without its final line break")
        << good.chopped(2) << QStringList{} << damaged;
    QTest::newRow("random bytes") << QByteArray("\x01\x02 garbage \xff\r\n") << QStringList{}
                                  << damaged;
}

void TestRecipeStore::whatTheFileHolds()
{
    QFETCH(QByteArray, file);
    QFETCH(QStringList, names);
    QFETCH(QString, told);
    const TempWorkDir dir;
    writeFile(u"Recipe.Dat"_s, file);
    RecipeStore store;
    const std::optional<LoadProblem> problem = store.load();
    QCOMPARE(problem.has_value(), !told.isEmpty());
    QCOMPARE(store.recipeNames(), names);
    // Each name read ends where its text ends, and changing one leaves the others as they were.
    QStringList changed = store.recipeNames();
    for (QString& name : changed) {
        QCOMPARE(QStringView(name.utf16()).toString(), name);
        name += u'x';
    }
    QCOMPARE(store.recipeNames(), names);
    if (problem) {
        const QString message = problem->message();
        QVERIFY2(message.startsWith(u"The file Recipe.Dat is damaged: "_s) &&
                     message.contains(told),
                 qPrintable(message));
        QCOMPARE(problem->backupName, u"Recipe.Dat.damaged"_s);
        // Whole sentences in paragraphs, none of them empty.
        for (const QString& paragraph : message.split(u"\r\n\r\n"_s))
            QVERIFY2(paragraph.endsWith(u'.') && !paragraph.contains(u"\r\n"_s),
                     qPrintable(message));
        QVERIFY(!QFile::exists(u"Recipe.Dat.damaged"_s));
    }
    // A recipe saved next is appended right after the last record; what was damaged is left out
    // of the rewrite, and kept aside, so the file reads back whole.
    QVERIFY(store.appendRecipe(u"New"_s, simpleRecord(u"New"_s)));
    if (problem)
        QCOMPARE(readFile(u"Recipe.Dat.damaged"_s), file);
    RecipeStore reloaded;
    QVERIFY(!reloaded.load());
    QCOMPARE(reloaded.recipeNames(), names << u"New"_s);
}

void TestRecipeStore::randomRecipesRoundTrip()
{
    const TempWorkDir dir;
    QRandomGenerator random(4242);
    // Names and directions from every character code page 1252 holds except the marks.
    QString alphabet;
    for (int code = 0x20; code < 0x100; ++code) {
        const QChar c = decodeCp1252(QByteArray(1, static_cast<char>(code))).front();
        if (!marks::firstMarkIn(QString(c)))
            alphabet += c;
    }
    const auto randomText = [&](int maxLength) {
        QString text;
        const int length = static_cast<int>(random.bounded(maxLength + 1));
        for (int i = 0; i < length; ++i)
            text += alphabet[random.bounded(static_cast<int>(alphabet.size()))];
        return trimSpaces(text);
    };

    RecipeStore store;
    QVERIFY(!store.load());
    QStringList expectedNames;
    QStringList expectedBodies;
    for (int i = 0; i < 300; ++i) {
        const QString name = u"R%1 "_s.arg(i) + randomText(40);
        QStringList lines;
        for (int line = random.bounded(1, 30); line > 0; --line)
            lines.append(randomText(50));
        const QString record = recipeRecord(name, QString::number(random.bounded(1, 992)), lines,
                                            randomText(400) + u"\r\n"_s + randomText(60));
        QVERIFY2(store.appendRecipe(name, record), qPrintable(store.errorString()));
        QCOMPARE(store.lastIndexOfNameIgnoringCase(name.toLower()), i);
        expectedNames.append(trimSpaces(name));
        expectedBodies.append(record.mid(record.indexOf(mark(marks::bodyStart))));
    }
    // Delete a random third, keeping the model of the store's order in step.
    for (int i = 0; i < 100; ++i) {
        const int victim = static_cast<int>(random.bounded(static_cast<int>(expectedNames.size())));
        QVERIFY(store.deleteRecipeByName(expectedNames[victim]));
        expectedNames[victim] = expectedNames.last();
        expectedBodies[victim] = expectedBodies.last();
        expectedNames.removeLast();
        expectedBodies.removeLast();
    }
    // Looked up by name, each recipe is found where the deletes moved it.
    for (int i = 0; i < expectedNames.size(); ++i)
        QCOMPARE(store.lastIndexOfNameIgnoringCase(u' ' + expectedNames[i].toLower()), i);
    RecipeStore reloaded;
    QVERIFY(!reloaded.load());
    QCOMPARE(reloaded.count(), static_cast<int>(expectedNames.size()));
    for (int i = 0; i < reloaded.count(); ++i) {
        QCOMPARE(trimSpaces(reloaded.recipeList()[i].recipeName), expectedNames[i]);
        QCOMPARE(reloaded.recipeBody(i), expectedBodies[i]);
    }
    QCOMPARE(reloaded.bigRecipeBytes(), store.bigRecipeBytes());
}

void TestRecipeStore::refusesTextTheFileCannotHold()
{
    const TempWorkDir dir;
    RecipeStore store;
    QVERIFY(!store.load());
    QVERIFY(!store.appendRecipe(
        u"Pho"_s, recipeRecord(u"Ph\u1edf"_s, u"2"_s, {u"Rice noodles"_s}, QString())));
    QVERIFY(store.errorString().contains(u"\u1edf"_s));
    QCOMPARE(store.count(), 0);
    QCOMPARE(readFile(u"Recipe.Dat"_s), QByteArray());
}

void TestRecipeStore::textBetween_data()
{
    const QString line = mark(marks::lineStart) + u"Flour"_s + mark(marks::nameEnd) +
                         mark(marks::fractionMode) + u"2 1/2"_s + mark(marks::quantityEnd) +
                         u"cup"_s + mark(marks::lineEnd);
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("end");
    QTest::addColumn<QString>("between");
    QTest::newRow("the quantity of a line")
        << line << mark(marks::fractionMode) << mark(marks::quantityEnd) << u"2 1/2"_s;
    QTest::newRow("the name of a line")
        << line << mark(marks::lineStart) << mark(marks::nameEnd) << u"Flour"_s;
    QTest::newRow("no start mark")
        << line << mark(marks::decimalMode) << mark(marks::quantityEnd) << QString();
    QTest::newRow("the end mark before the start mark")
        << line << mark(marks::quantityEnd) << mark(marks::nameEnd) << QString();
    QTest::newRow("adjacent marks") << u"a<>b"_s << u"<"_s << u">"_s << QString();
    QTest::newRow("the text is trimmed first") << u"  <x>  "_s << u" < "_s << u">"_s << u"x"_s;
    QTest::newRow("empty text") << QString() << u"<"_s << u">"_s << QString();
}

void TestRecipeStore::textBetween()
{
    QFETCH(QString, text);
    QFETCH(QString, start);
    QFETCH(QString, end);
    QFETCH(QString, between);
    QCOMPARE(zestora::textBetween(text, start, end), between);
}

QTEST_GUILESS_MAIN(TestRecipeStore)
#include "tst_recipestore.moc"
