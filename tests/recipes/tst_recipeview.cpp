#include "core/analysis/recipelines.h"
#include "core/recipes/recipeview.h"
#include "core/recipes/wordwrap.h"
#include "core/store/ingtable.h"
#include "testsupport.h"

using namespace zestora;
using zestora::testing::TempWorkDir;

namespace {

QString body(const QString& servings, const QString& lines, const QString& directions)
{
    const QString record =
        lines::recipeRecord(QStringLiteral("Any"), servings, {lines}, directions);
    return record.mid(record.indexOf(u'\u00a7'));
}

QString line(const QString& name, const QString& quantity, const QString& unit)
{
    return lines::ingredientEntry(name, true, quantity, unit);
}

QString heading(const QString& text)
{
    return lines::headingEntry(text);
}

// An ingredient table with milk (a cup: 8 g fat, 12 g carbohydrate, 8 g protein) and an egg.
struct Pantry {
    TempWorkDir dir;
    IngTable table;
    Pantry()
    {
        table.loadIngTable();
        IngRecord milk;
        milk.name = QStringLiteral("Milk");
        milk.amount1 = 1;
        milk.measure1 = QStringLiteral("cup");
        milk.fat = 8;
        milk.totalCarbs = 12;
        milk.protein = 8;
        milk.measureKind = 1;
        IngRecord egg;
        egg.name = QStringLiteral("Egg");
        egg.amount1 = 1;
        egg.measure1 = QStringLiteral("egg");
        egg.fat = -1; // a negative value is shown as it comes, not clamped
        egg.customMeasure = -1;
        egg.measureKind = 3;
        IngRecord laterMilk = milk;
        laterMilk.name = QStringLiteral("MILK ");
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
    void halfAServingDoubles();
    void onlyHeadings();
    void stopsAtAMissingIngredient();
    void damagedBodiesDoNotCrash();
    void wrap_data();
    void wrap();
};

void TestRecipeView::readsLinesDirectionsAndTotals()
{
    Pantry pantry;
    const RecipeView view = viewRecipe(
        body(QStringLiteral("2"),
             heading(QStringLiteral("Batter")) +
                 line(QStringLiteral("milk"), QStringLiteral("1 1/2"), QStringLiteral("cup")) +
                 line(QStringLiteral("Egg"), QStringLiteral("2"), QStringLiteral("EGG")),
             QStringLiteral("Whisk.\r\nFry.")),
        pantry.table);
    QCOMPARE(view.servingsText, QStringLiteral("2"));
    QCOMPARE(view.shownServings, 2.0f);
    QCOMPARE(view.entries.size(), 3);
    QVERIFY(view.entries[1].endsWith(QStringLiteral("\u0090")));
    // The last matching ingredient wins; this screen's blanks are one and three.
    QCOMPARE(view.rows, (QStringList{QStringLiteral("Batter"), QStringLiteral("1 1/2 cup   milk"),
                                     QStringLiteral("2  EGG")}));
    QCOMPARE(view.directions, QStringLiteral("Whisk.\r\nFry."));
    QCOMPARE(view.viewTotals.totFat, 2.0f); // 1.5 * 4 / 2, then the egg's -1 unclamped
    QCOMPARE(view.viewTotals.totCarbs, 9.0f);
    QCOMPARE(view.ingredientLines, 2);
    QVERIFY(!view.missingIngredient);
}

void TestRecipeView::halfAServingDoubles()
{
    Pantry pantry;
    const RecipeView view = viewRecipe(
        body(QStringLiteral("1/2"),
             line(QStringLiteral("Egg"), QStringLiteral("1"), QStringLiteral("egg")) +
                 line(QStringLiteral("Milk"), QStringLiteral("1"), QStringLiteral("cup")),
             QString()),
        pantry.table);
    QCOMPARE(view.shownServings, 0.5f);
    QCOMPARE(view.viewTotals.totCarbs, 24.0f);
    QCOMPARE(view.directions, QString());
}

void TestRecipeView::onlyHeadings()
{
    Pantry pantry;
    const RecipeView view = viewRecipe(
        body(QStringLiteral("4"), heading(QStringLiteral("One")) + heading(QStringLiteral(" ")),
             QStringLiteral("Nothing to do.")),
        pantry.table);
    QCOMPARE(view.rows, (QStringList{QStringLiteral("One"), QStringLiteral(" ")}));
    QCOMPARE(view.ingredientLines, 0);
    QCOMPARE(view.viewTotals, nutrition::RecipeTotals{});
}

void TestRecipeView::stopsAtAMissingIngredient()
{
    Pantry pantry;
    const RecipeView view = viewRecipe(
        body(QStringLiteral("1"),
             line(QStringLiteral("Milk"), QStringLiteral("1"), QStringLiteral("cup")) +
                 line(QStringLiteral("Milk"), QStringLiteral("1"), QStringLiteral("cup")) +
                 line(QStringLiteral(" Saffron "), QStringLiteral("1"), QStringLiteral("tsp")) +
                 line(QStringLiteral("Milk"), QStringLiteral("1"), QStringLiteral("cup")),
             QStringLiteral("Mix.")),
        pantry.table);
    QCOMPARE(view.missingIngredient, QStringLiteral("Saffron"));
    QCOMPARE(view.rows.size(), 2);
    QCOMPARE(view.viewTotals.totCarbs, 24.0f);
}

void TestRecipeView::damagedBodiesDoNotCrash()
{
    Pantry pantry;
    for (const QString& damaged :
         {QString(), QStringLiteral("\u00a7"), QStringLiteral("\u00a74\u00c8\u00ce"),
          QStringLiteral("\u00a74\u00c8\u00ceMilk\u0090\u00c6\u00bf"),
          QStringLiteral("\u00a74\u00c8\u00ce\u00cf\u00bc\u00ca\u0090\u00c6\u00bf\u00df"),
          QStringLiteral("no marks at all")}) {
        const RecipeView view = viewRecipe(damaged, pantry.table);
        QVERIFY(view.rows.size() <= view.entries.size());
    }
}

void TestRecipeView::wrap_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("one short word")
        << QStringLiteral("Bake") << QStringList{QStringLiteral("Bake")};
    QTest::newRow("breaks at the last blank before the width")
        << QStringLiteral("Mix the flour with water")
        << QStringList{QStringLiteral("Mix the"), QStringLiteral("flour"), QStringLiteral("with"),
                       QStringLiteral("water")};
    QTest::newRow("a word wider than the width is broken between letters")
        << QStringLiteral("a supercalifragilistic b")
        << QStringList{QStringLiteral("a"), QStringLiteral("supercali"),
                       QStringLiteral("fragilist"), QStringLiteral("ic b")};
    QTest::newRow("a wrap caused by the very last character keeps the last word")
        << QStringLiteral("Stir it well")
        << QStringList{QStringLiteral("Stir it"), QStringLiteral("well")};
    QTest::newRow("line breaks start new lines")
        << QStringLiteral("Mix.\r\n\r\nBake.")
        << QStringList{QStringLiteral("Mix."), QString(), QStringLiteral("Bake.")};
    QTest::newRow("trailing blanks are dropped")
        << QStringLiteral("Serve   ") << QStringList{QStringLiteral("Serve")};
}

void TestRecipeView::wrap()
{
    QFETCH(QString, text);
    QFETCH(QStringList, lines);
    const QStringList wrapped = wrapText(text, 10, width);
    QCOMPARE(wrapped, lines);
    // Every word of the text once, in order.
    QCOMPARE(wrapped.join(QString()).remove(u' '),
             QString(text).remove(u' ').remove(QStringLiteral("\r\n")));
}

QTEST_GUILESS_MAIN(TestRecipeView)
#include "tst_recipeview.moc"
