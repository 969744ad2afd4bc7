#include "core/analysis/recipelines.h"
#include "core/recipes/recipeview.h"
#include "core/recipes/wordwrap.h"
#include "core/store/ingtable.h"
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

} // namespace

class TestRecipeView : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void readsLinesDirectionsAndTotals();
    void stopsAtAMissingIngredient();
    void damagedBodiesDoNotCrash();
    void wrap_data();
    void wrap();
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

QTEST_GUILESS_MAIN(TestRecipeView)
#include "tst_recipeview.moc"
