#include "core/store/recipemarks.h"
#include "core/store/recipestore.h"
#include "core/text.h"
#include "testsupport.h"

#include <QRandomGenerator>

using namespace zestora;
using zestora::testing::readFile;
using zestora::testing::TempWorkDir;
using zestora::testing::writeFile;

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
                  QStringLiteral("2 1/2") + mark(marks::quantityEnd) + QStringLiteral("cup") +
                  mark(marks::lineEnd);
    return record + mark(marks::linesEnd) + mark(marks::directionsStart) + directions +
           mark(marks::recordEnd);
}

QString simpleRecord(const QString& name)
{
    return recipeRecord(name, QStringLiteral("4"), {QStringLiteral("Flour")},
                        QStringLiteral("Mix.\r\nBake."));
}

QStringList namesOf(const RecipeStore& store)
{
    return store.recipeNames();
}

QByteArray bytesOf(const QString& text)
{
    return encodeCp1252(text);
}

} // namespace

class TestRecipeStore : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void twoRecipesAreOneTextEndingInCrLf();
    void splitSkipsSpacesBetweenRecords();
    void deletingMovesTheLastRecipeIntoThePlace();
    void deletingTheOnlyRecipeDeletesTheFile();
    void emptyStoreSavesALineBreak();
    void lineWithoutDirectionsEndsWithTheMarks();
    void damagedText_data();
    void damagedText();
    void appendAfterDamageKeepsTheFileReadable();
    void randomRecipesRoundTrip();
    void refusesTextTheFileCannotHold();
    void textBetween_data();
    void textBetween();
};

void TestRecipeStore::twoRecipesAreOneTextEndingInCrLf()
{
    const TempWorkDir dir;
    RecipeStore store;
    QVERIFY(!store.load());
    QVERIFY(store.appendRecipe(QStringLiteral("Stew "), simpleRecord(QStringLiteral("Stew"))));
    QVERIFY(store.appendRecipe(QStringLiteral("Salad"), simpleRecord(QStringLiteral("Salad"))));
    const QByteArray expected =
        bytesOf(simpleRecord(QStringLiteral("Stew")) + simpleRecord(QStringLiteral("Salad"))) +
        QByteArray("\r\n");
    QCOMPARE(readFile(QStringLiteral("Recipe.Dat")), expected);
    QCOMPARE(expected.front(), '\xae');

    RecipeStore reloaded;
    QVERIFY(!reloaded.load());
    QCOMPARE(namesOf(reloaded), (QStringList{QStringLiteral("Stew"), QStringLiteral("Salad")}));
    for (int i = 0; i < reloaded.count(); ++i) {
        QVERIFY(reloaded.recipeBody(i).startsWith(mark(marks::bodyStart)));
        QVERIFY(reloaded.recipeBody(i).endsWith(mark(marks::recordEnd)));
        QVERIFY(reloaded.recipeBody(i).count(mark(marks::recordEnd)) == 1);
    }
    QCOMPARE(reloaded.bigRecipeBytes(), expected.chopped(2));
}

void TestRecipeStore::splitSkipsSpacesBetweenRecords()
{
    const TempWorkDir dir;
    writeFile(QStringLiteral("Recipe.Dat"),
              bytesOf(simpleRecord(QStringLiteral(" Stew")) + QStringLiteral("   ") +
                      simpleRecord(QStringLiteral("Salad")) + QStringLiteral("  \r\n")) +
                  "\r\n");
    RecipeStore store;
    QVERIFY(!store.load());
    // The name is kept as it stands; comparisons trim it.
    QCOMPARE(namesOf(store), (QStringList{QStringLiteral(" Stew"), QStringLiteral("Salad")}));
}

void TestRecipeStore::deletingMovesTheLastRecipeIntoThePlace()
{
    const TempWorkDir dir;
    RecipeStore store;
    QVERIFY(!store.load());
    for (const char* name : {"First", "Second", "Third"})
        QVERIFY(
            store.appendRecipe(QString::fromLatin1(name), simpleRecord(QString::fromLatin1(name))));
    QVERIFY(store.deleteRecipeByName(QStringLiteral("First")));
    QCOMPARE(namesOf(store), (QStringList{QStringLiteral("Third"), QStringLiteral("Second")}));
    QCOMPARE(
        readFile(QStringLiteral("Recipe.Dat")),
        bytesOf(simpleRecord(QStringLiteral("Third")) + simpleRecord(QStringLiteral("Second"))) +
            "\r\n");
}

void TestRecipeStore::deletingTheOnlyRecipeDeletesTheFile()
{
    const TempWorkDir dir;
    RecipeStore store;
    QVERIFY(!store.load());
    QVERIFY(store.appendRecipe(QStringLiteral("Stew"), simpleRecord(QStringLiteral("Stew"))));
    QVERIFY(store.deleteRecipeByName(QStringLiteral("Stew")));
    QVERIFY(!QFile::exists(QStringLiteral("Recipe.Dat")));
    QCOMPARE(store.count(), 0);
    QVERIFY(store.appendRecipe(QStringLiteral("Pie"), simpleRecord(QStringLiteral("Pie"))));
    QCOMPARE(readFile(QStringLiteral("Recipe.Dat")),
             bytesOf(simpleRecord(QStringLiteral("Pie"))) + "\r\n");
}

void TestRecipeStore::emptyStoreSavesALineBreak()
{
    const TempWorkDir dir;
    RecipeStore store;
    QVERIFY(!store.load());
    QVERIFY(QFile::exists(QStringLiteral("Recipe.Dat")));
    QVERIFY(store.saveBigRecipe());
    QCOMPARE(readFile(QStringLiteral("Recipe.Dat")), QByteArray("\r\n"));
    RecipeStore reloaded;
    QVERIFY(!reloaded.load());
    QCOMPARE(reloaded.count(), 0);
}

void TestRecipeStore::lineWithoutDirectionsEndsWithTheMarks()
{
    const TempWorkDir dir;
    RecipeStore store;
    QVERIFY(!store.load());
    QVERIFY(store.appendRecipe(QStringLiteral("Half"),
                               recipeRecord(QStringLiteral("Half"), QStringLiteral("1/2"),
                                            {QStringLiteral("Milk")}, QString())));
    QVERIFY(readFile(QStringLiteral("Recipe.Dat")).endsWith(QByteArray("\x90\xc6\xbf\xdf\r\n")));
    QVERIFY(store.recipeBodyBytes(0).startsWith("\xa7"
                                                "1/2\xc8"));
}

void TestRecipeStore::damagedText_data()
{
    const QByteArray good = bytesOf(simpleRecord(QStringLiteral("Good")));
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QStringList>("names");
    QTest::newRow("a recipe without its body start mark") << good + "\xaeNo body\xdf\r\n"
                                                          << QStringList{QStringLiteral("Good")};
    QTest::newRow("a recipe without its end mark")
        << good + bytesOf(simpleRecord(QStringLiteral("Cut"))).chopped(1) + "\r\n"
        << QStringList{QStringLiteral("Good")};
    QTest::newRow("an end mark before the body start") << good + "\xae\xdf name \xa7" + "\r\n"
                                                       << QStringList{QStringLiteral("Good")};
    QTest::newRow("a file without its final line break") << good.chopped(2) << QStringList{};
    QTest::newRow("random bytes") << QByteArray("\x01\x02 garbage \xff\r\n") << QStringList{};
}

void TestRecipeStore::damagedText()
{
    QFETCH(QByteArray, file);
    QFETCH(QStringList, names);
    const TempWorkDir dir;
    writeFile(QStringLiteral("Recipe.Dat"), file);
    RecipeStore store;
    const std::optional<LoadProblem> problem = store.load();
    QVERIFY(problem);
    QCOMPARE(namesOf(store), names);
    QCOMPARE(problem->backupName, QStringLiteral("Recipe.Dat.damaged"));
    QVERIFY(problem->message().contains(QStringLiteral("Recipe.Dat")));
    QVERIFY(!QFile::exists(QStringLiteral("Recipe.Dat.damaged")));
    QVERIFY(store.appendRecipe(QStringLiteral("New"), simpleRecord(QStringLiteral("New"))));
    QCOMPARE(readFile(QStringLiteral("Recipe.Dat.damaged")), file);
}

void TestRecipeStore::appendAfterDamageKeepsTheFileReadable()
{
    const TempWorkDir dir;
    writeFile(QStringLiteral("Recipe.Dat"), bytesOf(simpleRecord(QStringLiteral("Good"))) +
                                                "\xae"
                                                "broken\r\n");
    RecipeStore store;
    QVERIFY(store.load());
    QVERIFY(store.appendRecipe(QStringLiteral("New"), simpleRecord(QStringLiteral("New"))));
    RecipeStore reloaded;
    QVERIFY(!reloaded.load());
    QCOMPARE(namesOf(reloaded), (QStringList{QStringLiteral("Good"), QStringLiteral("New")}));
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
        const QString name = QStringLiteral("R%1 ").arg(i) + randomText(40);
        QStringList lines;
        for (int line = random.bounded(1, 30); line > 0; --line)
            lines.append(randomText(50));
        const QString record =
            recipeRecord(name, QString::number(random.bounded(1, 992)), lines,
                         randomText(400) + QStringLiteral("\r\n") + randomText(60));
        QVERIFY2(store.appendRecipe(name, record), qPrintable(store.errorString()));
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
    QVERIFY(!store.appendRecipe(QStringLiteral("Pho"),
                                recipeRecord(QStringLiteral("Ph\u1edf"), QStringLiteral("2"),
                                             {QStringLiteral("Rice noodles")}, QString())));
    QVERIFY(store.errorString().contains(QStringLiteral("\u1edf")));
    QCOMPARE(store.count(), 0);
    QCOMPARE(readFile(QStringLiteral("Recipe.Dat")), QByteArray());
}

void TestRecipeStore::textBetween_data()
{
    const QString line = mark(marks::lineStart) + QStringLiteral("Flour") + mark(marks::nameEnd) +
                         mark(marks::fractionMode) + QStringLiteral("2 1/2") +
                         mark(marks::quantityEnd) + QStringLiteral("cup") + mark(marks::lineEnd);
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("end");
    QTest::addColumn<QString>("between");
    QTest::newRow("the quantity of a line")
        << line << mark(marks::fractionMode) << mark(marks::quantityEnd) << QStringLiteral("2 1/2");
    QTest::newRow("the name of a line")
        << line << mark(marks::lineStart) << mark(marks::nameEnd) << QStringLiteral("Flour");
    QTest::newRow("no start mark")
        << line << mark(marks::decimalMode) << mark(marks::quantityEnd) << QString();
    QTest::newRow("the end mark before the start mark")
        << line << mark(marks::quantityEnd) << mark(marks::nameEnd) << QString();
    QTest::newRow("adjacent marks")
        << QStringLiteral("a<>b") << QStringLiteral("<") << QStringLiteral(">") << QString();
    QTest::newRow("the text is trimmed first") << QStringLiteral("  <x>  ") << QStringLiteral(" < ")
                                               << QStringLiteral(">") << QStringLiteral("x");
    QTest::newRow("empty text") << QString() << QStringLiteral("<") << QStringLiteral(">")
                                << QString();
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
