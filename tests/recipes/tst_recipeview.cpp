#include "core/analysis/recipelines.h"
#include "core/recipes/recipeingredients.h"
#include "core/recipes/recipeview.h"
#include "core/recipes/wordwrap.h"
#include "core/store/ingtable.h"
#include "core/store/recipestore.h"
#include "core/store/restore.h"
#include "testsupport.h"

using namespace zestora;
using namespace zestora::testing;

namespace {

QString body(const QString& servings, const QString& lines, const QString& directions)
{
    const QString record = lines::recipeRecord(u"Any"_s, servings, {lines}, directions);
    return record.mid(record.indexOf(u'\u00a7'));
}

QString line(const QString& name, const QString& quantity, const QString& unit)
{
    return lines::ingredientEntry(name, true, quantity, unit);
}

// An ingredient table with milk (a cup: 8 g fat, 12 g carbohydrate, 8 g protein) and an egg.
struct Pantry {
    TempWorkDir dir;
    IngTable table;
    Pantry()
    {
        table.loadIngTable();
        const IngRecord milk = food(u"Milk"_s, 1, u"cup"_s, 0, {}, {8, 0, 12, 0, 8});
        // A negative value is shown as it comes, not clamped.
        const IngRecord egg = food(u"Egg"_s, 1, u"egg"_s, 0, {}, {.fat = -1}, true);
        IngRecord laterMilk = milk;
        laterMilk.name = u"MILK "_s;
        laterMilk.fat = 4;
        table.appendIngs({milk, egg});
        table.appendIng(laterMilk);
    }
};

// One character is one point wide.
double width(const QString& text)
{
    return static_cast<double>(text.size());
}

// A kitchen whose pie crust is stored as a recipe and made into an ingredient.
struct Bakery {
    TempWorkDir dir;
    IngTable table;
    RecipeStore recipes;
    recipeingredients::RecipeLinks links;
    Bakery()
    {
        table.loadIngTable();
        recipes.load();
        table.appendIngs(
            {food(u"Flour"_s, 1, u"cup"_s, 125, u"g"_s, {1.2f, 0.2f, 95, 3.4f, 13, 0, 2.5f}),
             food(u"Butter"_s, 1, u"cup"_s, 227, u"g"_s, {184, 117, 0, 0, 1.9f, 488, 11}),
             food(u"Sugar"_s, 1, u"cup"_s, 200, u"g"_s, {0, 0, 200, 0, 0, 0, 2}),
             food(u"Salt"_s, 1, u"pinch"_s, 0, {}, {.sodium = 155}, true)});
        store(u"Crust"_s, u"8"_s,
              line(u"Flour"_s, u"2"_s, u"cup"_s) + line(u"Butter"_s, u"1/2"_s, u"cup"_s));
        makeIngredient(u"Crust"_s);
    }
    void store(const QString& name, const QString& servings, const QString& lines)
    {
        recipes.deleteRecipeByName(name);
        QVERIFY(
            recipes.appendRecipe(name, lines::recipeRecord(name, servings, {lines}, u"Mix."_s)));
    }
    QString bodyOf(const QString& name) const
    {
        return recipes.recipeBody(recipes.lastIndexOfNameIgnoringCase(name));
    }
    void makeIngredient(const QString& recipe)
    {
        QString why;
        const std::optional<IngRecord> record =
            recipeingredients::ingredientFromRecipe(recipe, bodyOf(recipe), table, &why);
        QVERIFY2(record, qPrintable(why));
        QVERIFY(links.link(recipe, recipe));
        QVERIFY(table.appendIng(*record));
    }
    nutrition::RecipeTotals totals(const QString& name) const
    {
        return viewRecipe(bodyOf(name), table).viewTotals;
    }
};

// Each line's share is rounded to a tenth as the panel adds it up, so a line that stands for two
// differs from the two by a tenth at most.
void compareToThePanelsRounding(const nutrition::RecipeTotals& a, const nutrition::RecipeTotals& b)
{
    QVERIFY(std::abs(a.totCalories - b.totCalories) <= 1);
    QVERIFY(std::abs(a.totCholesterol - b.totCholesterol) <= 1);
    QVERIFY(std::abs(a.totSodium - b.totSodium) <= 1);
    for (const auto& [x, y] : {std::pair{a.totFat, b.totFat},
                               {a.totSatFat, b.totSatFat},
                               {a.totCarbs, b.totCarbs},
                               {a.totFiber, b.totFiber},
                               {a.totProtein, b.totProtein}})
        QVERIFY2(std::abs(x - y) < 0.11f, qPrintable(u"%1 against %2"_s.arg(x).arg(y)));
}

} // namespace

class TestRecipeView : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void readsLinesDirectionsAndTotals();
    void stopsAtAMissingIngredient();
    void damagedBodiesDoNotCrash();
    void wrap_data();
    void wrap();
    void aRecipeOfRecipesEqualsTheFlattenedRecipe_data();
    void aRecipeOfRecipesEqualsTheFlattenedRecipe();
    void aRecipeNeverContainsItself_data();
    void aRecipeNeverContainsItself();
    void savingARecipeBringsItsIngredientsUpToDate();
    void aServingHasAWeightOnlyWhenEveryLineHasOne();
};

void TestRecipeView::readsLinesDirectionsAndTotals()
{
    Pantry pantry;
    const RecipeView view =
        viewRecipe(body(u"2"_s,
                        lines::headingEntry(u"Batter"_s) + line(u"milk"_s, u"1 1/2"_s, u"cup"_s) +
                            line(u"Egg"_s, u"2"_s, u"EGG"_s),
                        u"Whisk.\r\nFry."_s),
                   pantry.table);
    QCOMPARE(view.servingsText, u"2"_s);
    QCOMPARE(view.shownServings, 2.0f);
    QCOMPARE(view.entries.size(), 3);
    QVERIFY(view.entries[1].endsWith(u"\u0090"_s));
    // The last matching ingredient wins; this screen's blanks are one and three.
    QCOMPARE(view.rows, (QStringList{u"Batter"_s, u"1 1/2 cup   milk"_s, u"2  EGG"_s}));
    QCOMPARE(view.directions, u"Whisk.\r\nFry."_s);
    QCOMPARE(view.viewTotals.totFat, 2.0f); // 1.5 * 4 / 2, then the egg's -1 unclamped
    QCOMPARE(view.viewTotals.totCarbs, 9.0f);
    QCOMPARE(view.ingredientLines, 2);
    QVERIFY(!view.missingIngredient);
}

void TestRecipeView::stopsAtAMissingIngredient()
{
    Pantry pantry;
    const RecipeView view = viewRecipe(
        body(u"1"_s,
             line(u"Milk"_s, u"1"_s, u"cup"_s) + line(u"Milk"_s, u"1"_s, u"cup"_s) +
                 line(u" Saffron "_s, u"1"_s, u"tsp"_s) + line(u"Milk"_s, u"1"_s, u"cup"_s),
             u"Mix."_s),
        pantry.table);
    QCOMPARE(view.missingIngredient, u"Saffron"_s);
    QCOMPARE(view.shownRows, 2);
    QCOMPARE(view.viewTotals.totCarbs, 24.0f);
    // Editing keeps every line, and the totals of every line that can be worked out.
    QCOMPARE(view.rows.size(), 4);
    QCOMPARE(view.rows[3], u"1 cup   Milk"_s);
    QCOMPARE(view.editTotals.totCarbs, 36.0f);
}

void TestRecipeView::damagedBodiesDoNotCrash()
{
    Pantry pantry;
    for (const QString& damaged :
         {QString(), u"\u00a7"_s, u"\u00a74\u00c8\u00ce"_s,
          u"\u00a74\u00c8\u00ceMilk\u0090\u00c6\u00bf"_s,
          u"\u00a74\u00c8\u00ce\u00cf\u00bc\u00ca\u0090\u00c6\u00bf\u00df"_s,
          u"\u00a71\u00c8\u0090\u00c6\u00bf\u00df"_s, u"no marks at all"_s}) {
        const RecipeView view = viewRecipe(damaged, pantry.table);
        QVERIFY(view.shownRows <= view.rows.size());
        QCOMPARE(view.rows.size(), view.entries.size());
    }
}

void TestRecipeView::wrap_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("one short word") << u"Bake"_s << QStringList{u"Bake"_s};
    QTest::newRow("breaks at the last blank before the width")
        << u"Mix the flour with water"_s
        << QStringList{u"Mix the"_s, u"flour"_s, u"with"_s, u"water"_s};
    QTest::newRow("a word wider than the width is broken between letters")
        << u"a supercalifragilistic b"_s
        << QStringList{u"a"_s, u"supercali"_s, u"fragilist"_s, u"ic b"_s};
    QTest::newRow("a wrap caused by the very last character keeps the last word")
        << u"Stir it well"_s << QStringList{u"Stir it"_s, u"well"_s};
    QTest::newRow("line breaks start new lines")
        << u"Mix.\r\n\r\nBake."_s << QStringList{u"Mix."_s, QString(), u"Bake."_s};
    QTest::newRow("trailing blanks are dropped") << u"Serve   "_s << QStringList{u"Serve"_s};
    QTest::newRow("blanks within a line stay as they are")
        << u"  2  EGG   x  y z"_s << QStringList{u"  2  EGG"_s, u"x  y z"_s};
}

void TestRecipeView::wrap()
{
    QFETCH(QString, text);
    QFETCH(QStringList, lines);
    const QStringList wrapped = wrapText(text, 10, width);
    QCOMPARE(wrapped, lines);
    // Every word of the text once, in order.
    QCOMPARE(wrapped.join(QString()).remove(u' '), QString(text).remove(u' ').remove(u"\r\n"_s));
}

void TestRecipeView::aRecipeOfRecipesEqualsTheFlattenedRecipe_data()
{
    // One serving of the crust is 1/4 cup of flour and 1/16 cup of butter, 45.4375 g.
    QTest::addColumn<QString>("quantity");
    QTest::addColumn<QString>("unit");
    QTest::addColumn<QString>("flourCups");
    QTest::addColumn<QString>("butterCups");
    QTest::newRow("by the serving") << u"2"_s << u"serving"_s << u"1/2"_s << u"1/8"_s;
    QTest::newRow("a share of a serving") << u"1/2"_s << u"serving"_s << u"1/8"_s << u".03125"_s;
    QTest::newRow("by its weight in grams") << u"90.875"_s << u"g"_s << u"1/2"_s << u"1/8"_s;
}

void TestRecipeView::aRecipeOfRecipesEqualsTheFlattenedRecipe()
{
    QFETCH(QString, quantity);
    QFETCH(QString, unit);
    QFETCH(QString, flourCups);
    QFETCH(QString, butterCups);
    Bakery bakery;
    bakery.store(u"Pie"_s, u"4"_s,
                 line(u"Crust"_s, quantity, unit) + line(u"Sugar"_s, u"1"_s, u"cup"_s));
    bakery.store(u"Flat Pie"_s, u"4"_s,
                 line(u"Flour"_s, flourCups, u"cup"_s) + line(u"Butter"_s, butterCups, u"cup"_s) +
                     line(u"Sugar"_s, u"1"_s, u"cup"_s));
    compareToThePanelsRounding(bakery.totals(u"Pie"_s), bakery.totals(u"Flat Pie"_s));
}

void TestRecipeView::aRecipeNeverContainsItself_data()
{
    QTest::addColumn<QString>("recipe");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QStringList>("chain");
    QTest::newRow("a recipe using the ingredient made from it")
        << u"crust"_s << QStringList{u"Flour"_s, u"CRUST"_s} << QStringList{u"crust"_s, u"crust"_s};
    QTest::newRow("through a recipe that uses it")
        << u"Crust"_s << QStringList{u"Flour"_s, u"Pie"_s}
        << QStringList{u"Crust"_s, u"Pie"_s, u"Crust"_s};
    QTest::newRow("using another's ingredient is no loop")
        << u"Tart"_s << QStringList{u"Pie"_s, u"Crust"_s} << QStringList{};
}

void TestRecipeView::aRecipeNeverContainsItself()
{
    QFETCH(QString, recipe);
    QFETCH(QStringList, lines);
    QFETCH(QStringList, chain);
    Bakery bakery;
    bakery.store(u"Pie"_s, u"4"_s, line(u"Crust"_s, u"1"_s, u"serving"_s));
    bakery.makeIngredient(u"Pie"_s);
    QCOMPARE(recipeingredients::containingChain(recipe, lines, bakery.recipes, bakery.links),
             chain);
}

void TestRecipeView::savingARecipeBringsItsIngredientsUpToDate()
{
    Bakery bakery;
    bakery.store(u"Pie"_s, u"4"_s, line(u"Crust"_s, u"2"_s, u"serving"_s));
    bakery.makeIngredient(u"Pie"_s);
    bakery.store(u"Tart"_s, u"1"_s, line(u"Pie"_s, u"1"_s, u"serving"_s));
    const float tartFat = bakery.totals(u"Tart"_s).totFat;
    // Twice the butter: the crust, the pie made of it and so the tart all change.
    bakery.store(u"Crust"_s, u"8"_s,
                 line(u"Flour"_s, u"2"_s, u"cup"_s) + line(u"Butter"_s, u"1"_s, u"cup"_s));
    QString error;
    const QStringList updated = recipeingredients::followRecipe(
        u"Crust"_s, bakery.table, bakery.recipes, bakery.links, &error);
    QVERIFY2(error.isEmpty(), qPrintable(error));
    QCOMPARE(updated, (QStringList{u"Crust"_s, u"Pie"_s}));
    // Half a cup more butter is 92 g of fat, 11.5 g a serving of crust and half that in the tart.
    QVERIFY(std::abs(bakery.totals(u"Tart"_s).totFat - (tartFat + 92.0f / 16)) < 0.11f);
    // The links are in their own file, read again as they were written; Ing.dat keeps its format.
    recipeingredients::RecipeLinks again;
    again.load();
    QCOMPARE(again.recipeOf(u"pie "_s), u"Pie"_s);
    QCOMPARE(QFileInfo(IngTable::fileName).size(), 6 * IngRecord::size);
    // Ing.dat put back as it was before: the links hold, and the next save follows them again.
    QString restoreError;
    QCOMPARE(restoreBackup(bakery.table.file(), backups::list(IngTable::fileName)[1].path, false,
                           &restoreError),
             Restore::Done);
    QVERIFY(!bakery.table.loadIngTable());
    QCOMPARE(
        recipeingredients::followRecipe(u"Crust"_s, bakery.table, bakery.recipes, again, &error),
        (QStringList{u"Crust"_s, u"Pie"_s}));
}

void TestRecipeView::aServingHasAWeightOnlyWhenEveryLineHasOne()
{
    Bakery bakery;
    const IngRecord& crust = bakery.table.at(bakery.table.lastIndexOfName(u"Crust"_s));
    QCOMPARE(crust.measure1, u"serving"_s);
    QCOMPARE(crust.measure2, u"g"_s);
    QCOMPARE(crust.amount2, 45.4375f);
    bakery.store(u"Salted"_s, u"2"_s,
                 line(u"Flour"_s, u"1"_s, u"cup"_s) + line(u"Salt"_s, u"1"_s, u"pinch"_s));
    QString why;
    const std::optional<IngRecord> salted = recipeingredients::ingredientFromRecipe(
        u"Salted"_s, bakery.bodyOf(u"Salted"_s), bakery.table, &why);
    QVERIFY(salted);
    QVERIFY(salted->measure2.isEmpty());
    QCOMPARE(salted->sodium, (2.5f + 155) / 2);
    QVERIFY(!recipeingredients::nameProblem(u"crust"_s, bakery.table).isEmpty());
}

QTEST_GUILESS_MAIN(TestRecipeView)
#include "tst_recipeview.moc"
