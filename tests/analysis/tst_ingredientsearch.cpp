#include "core/analysis/ingredientsearch.h"
#include "core/sortednamemodel.h"
#include "testsupport.h"

using namespace zestora;
using search::Mode;

namespace {
const QStringList pantry{u"Brown eggs"_s, u"Milk, skim"_s, u"EGGNOG"_s, u"Egg  "_s,
                         u"Buttermilk"_s, u"Egg"_s,        u"Flour"_s,  u"Milk and egg bread"_s};
} // namespace

class TestIngredientSearch : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void words_data();
    void words();
    void results_data();
    void results();
    void theLastOfEqualNamesIsChosen();
};

void TestIngredientSearch::words_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QStringList>("words");
    QTest::newRow("one word") << u"egg"_s << QStringList{u"egg"_s};
    QTest::newRow("blanks around are dropped")
        << u"  egg milk "_s << QStringList{u"egg"_s, u"milk"_s};
    QTest::newRow("two blanks between words give two words")
        << u"egg  milk   flour"_s << QStringList{u"egg"_s, u"milk"_s, u"flour"_s};
    QTest::newRow("a comma stays in its word")
        << u"milk, skim"_s << QStringList{u"milk,"_s, u"skim"_s};
}

void TestIngredientSearch::words()
{
    QFETCH(QString, typed);
    QFETCH(QStringList, words);
    QCOMPARE(search::loadWords(typed), words);
}

void TestIngredientSearch::results_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("mode");
    QTest::addColumn<QStringList>("found");
    QTest::newRow("All, one word: any letter case, list order, equal trimmed names once")
        << u"Egg"_s << int(Mode::All)
        << QStringList{u"Brown eggs"_s, u"EGGNOG"_s, u"Egg  "_s, u"Milk and egg bread"_s};
    QTest::newRow("All, two words: only names holding both")
        << u"egg milk"_s << int(Mode::All) << QStringList{u"Milk and egg bread"_s};
    QTest::newRow("Any: grouped by the first word matched, none listed twice")
        << u"egg milk"_s << int(Mode::Any)
        << QStringList{u"Brown eggs"_s,         u"EGGNOG"_s,     u"Egg  "_s,
                       u"Milk and egg bread"_s, u"Milk, skim"_s, u"Buttermilk"_s};
    QTest::newRow("nothing found") << u"sugar"_s << int(Mode::Any) << QStringList();
}

void TestIngredientSearch::results()
{
    QFETCH(QString, typed);
    QFETCH(int, mode);
    QFETCH(QStringList, found);
    QCOMPARE(search::SearchableNames(pantry).loadSearchList(search::loadWords(typed), Mode(mode)),
             found);
}

void TestIngredientSearch::theLastOfEqualNamesIsChosen()
{
    SortedNameModel names;
    // Kept as egg, Egg, Egg, Eggnog, Milk.
    names.fill({u"egg"_s, u"Egg"_s, u"Milk"_s, u"Egg"_s, u"Eggnog"_s});
    QCOMPARE(names.lastRowOfTrimmed(u" Egg "_s), 2);
    QCOMPARE(names.lastRowOfTrimmed(u"egg"_s), 0);
    QCOMPARE(names.lastRowOfTrimmed(u"Bread"_s), -1);
}

QTEST_GUILESS_MAIN(TestIngredientSearch)
#include "tst_ingredientsearch.moc"
