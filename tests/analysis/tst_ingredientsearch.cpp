#include "core/analysis/ingredientsearch.h"
#include "core/sortednamemodel.h"
#include "core/text.h"
#include "testsupport.h"

#include <functional>

using namespace zestora;
using search::Mode;

using ListChange = std::function<void(SortedNameModel&)>;
Q_DECLARE_METATYPE(ListChange)

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
    void aNameListSearchesAsItsNamesDo_data();
    void aNameListSearchesAsItsNamesDo();
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

void TestIngredientSearch::aNameListSearchesAsItsNamesDo_data()
{
    QTest::addColumn<ListChange>("change");
    QTest::newRow("filled") << ListChange([](SortedNameModel&) {});
    QTest::newRow("names added") << ListChange([](SortedNameModel& names) {
        names.insertName(u"\u00c9GG ROLL"_s);
        names.insertName(u"Deviled EGG"_s);
    });
    QTest::newRow("names removed") << ListChange(
        [](SortedNameModel& names) { names.removeRows(names.rowOf(u"Brown eggs"_s), 2); });
    QTest::newRow("a name changed") << ListChange([](SortedNameModel& names) {
        names.setData(names.index(names.rowOf(u"Flour"_s)), u"Egg flour"_s);
    });
    QTest::newRow("all names replaced") << ListChange([](SortedNameModel& names) {
        names.setStringList({u"Egg white"_s, u"Quail EGG"_s, u"Rice"_s});
    });
}

void TestIngredientSearch::aNameListSearchesAsItsNamesDo()
{
    QFETCH(ListChange, change);
    SortedNameModel names;
    names.fill(pantry);
    names.keys(); // made now, then kept
    change(names);
    // The lower-case names kept beside the list follow every change to it.
    QStringList lowered;
    for (const QString& name : names.stringList())
        lowered.append(lowerCase(name));
    QCOMPARE(names.keys(), lowered);
    const QStringList words = search::loadWords(u"EGG"_s);
    QCOMPARE(
        search::SearchableNames(names.stringList(), names.keys()).loadSearchList(words, Mode::All),
        search::SearchableNames(names.stringList()).loadSearchList(words, Mode::All));
}

QTEST_GUILESS_MAIN(TestIngredientSearch)
#include "tst_ingredientsearch.moc"
