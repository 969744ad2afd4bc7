#include "core/ingredients/wizardrules.h"
#include "core/sortednamemodel.h"
#include "ingredients/storedingredientsscreen.h"
#include "platform/spinner.h"
#include "platform/toolbar.h"
#include "widgetsupport.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTextBrowser>

using namespace zestora;
using namespace zestora::testing;
using Answer = MessageBox::Answer;

namespace {

QList<IngRecord> pantry()
{
    return {food(u"Milk"_s, 1, u"cup"_s, 244, u"g"_s,
                 {.fat = 2.34f, .satFat = 1.5f, .carbs = 12, .protein = 8, .calories = 100}),
            food(u"butter"_s, 1, u"tbs"_s, 14, u"g"_s, {.fat = 11.5f, .calories = 102}),
            food(u"Egg"_s, 1, u"large"_s, 50, u"g"_s,
                 {.fat = 5, .carbs = 0.4f, .protein = 6.3f, .calories = 72}, true)};
}

// The ingredient screens inside a main window over a pantry.
struct Fixture : StartedMainWindow {
    QWidget* wizard = window->findChild<QWidget*>(u"frmIngrediant"_s);
    StoredIngredientsScreen* stored = window->findChild<StoredIngredientsScreen*>();

    explicit Fixture(const QList<IngRecord>& records = pantry())
        : StartedMainWindow(IngTable::toBytes(records), QByteArray())
    {
    }

    template <typename T = QWidget> T* w(const char* name) const
    {
        T* control = wizard->findChild<T*>(QString::fromLatin1(name));
        if (!control)
            qFatal("no control %s", name);
        return control;
    }
    QString label(const char* name) const { return w<QLabel>(name)->text(); }
    void type(const char* box, const QString& text) { w<QLineEdit>(box)->setText(text); }
    void click(const char* button) { w<QAbstractButton>(button)->click(); }
    void next() { click("cmdNext"); }
    QString step() const { return label("SteppLbl"); }
    QString onView() const
    {
        return window->findChild<QStackedWidget*>(u"Screens"_s)->currentWidget()->objectName();
    }
    // Both ingredient lists, which must agree position by position, and the file.
    void checkStored() const
    {
        QStringList names = session.ingredients.trimmedNames();
        std::stable_sort(names.begin(), names.end(), SortedNameModel::lessForPeople);
        QCOMPARE(texts(stored->findChild<QListView*>(u"IngLst"_s)), names);
        QCOMPARE(
            texts(window->findChild<QWidget*>(u"CalcFrm"_s)->findChild<QListView*>(u"IngLst"_s)),
            names);
        QCOMPARE(readFile(u"Ing.dat"_s), IngTable::toBytes(session.ingredients.records()));
    }
    void choose(const QString& name)
    {
        auto* list = stored->findChild<QListView*>(u"IngLst"_s);
        list->setCurrentIndex(list->model()->index(texts(list).indexOf(name), 0));
    }
    void storedTool(const char* tool)
    {
        stored->activeBar()->tool(QString::fromLatin1(tool))->trigger();
    }
    void edit(const QString& name)
    {
        choose(name);
        storedTool("Edit");
    }
};

} // namespace

class TestIngredientScreens : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void addAnIngredientThroughTheControls_data();
    void addAnIngredientThroughTheControls();
    void calorieQuestionAndDuplicateName_data();
    void calorieQuestionAndDuplicateName();
    void storedIngredientScreen();
    void editReloadsTheStoredAmount_data();
    void editReloadsTheStoredAmount();
};

void TestIngredientScreens::addAnIngredientThroughTheControls_data()
{
    QTest::addColumn<bool>("ownMeasure");
    QTest::addColumn<IngRecord>("stored");
    QTest::newRow("a cup with grams, fat as calories")
        << false << food(u"Apple"_s, 1.5f, u"cup"_s, 240, u"g"_s, {5, 2, 10, 1.5f, 2, 0, 5, 100});
    QTest::newRow("a measure of its own, no second measure, fat in grams")
        << true
        << food(u"  Slice of bread"_s, 2.5f, u"slice"_s, 0, {}, {1, 0.2f, 15, 0.8f, 3, 0, 150, 81},
                true);
}

void TestIngredientScreens::addAnIngredientThroughTheControls()
{
    QFETCH(bool, ownMeasure);
    QFETCH(IngRecord, stored);
    Fixture f;
    f.window->topBar()->tool(u"AddIngredient"_s)->trigger();
    QCOMPARE(f.onView(), u"frmIngrediant"_s);
    QCOMPARE(f.step(), u"Step 1 of 11"_s);
    QVERIFY(!f.w("cmdNext")->isEnabled());
    f.type("txtName", stored.name);
    f.next();
    f.click(ownMeasure ? "optUnits_11" : "optUnits_4");
    if (ownMeasure)
        f.type("txtUnique", u"slice"_s);
    // After a volume only weights are offered as the second measure; after "Unique" any unit.
    QCOMPARE(f.w("opt2ndM_4")->isEnabled(), ownMeasure);
    f.next();
    QCOMPARE(f.label("lblDialog_2"),
             u"  Now enter the number of "_s + stored.measure1 + u" in this item."_s);
    f.click(ownMeasure ? "optForD_1" : "optForD_0");
    f.w<Spinner>("vsOnes")->setValue(ownMeasure ? 2 : 1);
    f.w<Spinner>("vsFrac")->setValue(5);
    f.next();
    QCOMPARE(f.label("lbl1M"), ownMeasure ? u"2.5 slice"_s : u"1 1/2 cup"_s);
    f.click(ownMeasure ? "opt2ndM_11" : "opt2ndM_7");
    f.next();
    if (ownMeasure) {
        // NONE skips the second quantity, both ways.
        QCOMPARE(f.step(), u"Step 6 of 11"_s);
        f.click("cmdBack");
        QCOMPARE(f.step(), u"Step 4 of 11"_s);
        f.next();
    } else {
        // Typed digits set the spinner.
        QTest::keyClicks(f.w("vsOnes2"), u"240"_s);
        f.next();
    }
    QCOMPARE(f.step(), u"Step 6 of 11"_s);
    f.type("txtCal", ownMeasure ? u"80.6"_s : u"100"_s);
    f.next();
    if (ownMeasure)
        f.click("optFatCals_1");
    f.type("txtFat", ownMeasure ? u"1"_s : u"45"_s);
    QVERIFY(!f.w("cmdNext")->isEnabled()); // until the saturated fat is given
    f.type("txtSatFat", ownMeasure ? u"0.2"_s : u"2"_s);
    QTest::keyClick(f.w("txtFat"), Qt::Key_Return);
    QCOMPARE(f.step(), u"Step 8 of 11"_s);
    f.type("txtChol", u"0"_s);
    f.next();
    f.type("txtSodium", ownMeasure ? u"150"_s : u"5.4"_s);
    f.next();
    f.type("txtTotalCarbs", ownMeasure ? u"15"_s : u"10"_s);
    f.type("txtFiber", ownMeasure ? u".8"_s : u"1.5"_s);
    f.next();
    f.type("txtProtein", ownMeasure ? u"3"_s : u"2"_s);
    QTest::keyClick(f.w("txtProtein"), Qt::Key_Return);
    QCOMPARE(f.titles(), QStringList{u"Almost Done"_s});
    QCOMPARE(f.step(), u"Step 11 of 11"_s);
    QVERIFY(!f.w("cmdNext")->isEnabled() && f.w("cmdFinish")->isEnabled());

    const QByteArray before = readFile(u"Ing.dat"_s);
    f.click("cmdFinish");
    QCOMPARE(f.messages.last().text,
             stored.name + u" has now been added to you list of ingredients."_s);
    QCOMPARE(readFile(u"Ing.dat"_s), before + stored.toBytes());
    f.checkStored();
    QCOMPARE(f.step(), u"Step 1 of 11"_s);
    QCOMPARE(f.label("lblName"), QString());
}

void TestIngredientScreens::calorieQuestionAndDuplicateName_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("calories");
    QTest::addColumn<Answer>("answer");
    QTest::addColumn<QStringList>("titles");
    QTest::addColumn<QStringList>("names");
    const QStringList houston{u"Houston we have a problem."_s};
    const QStringList kept{u"Milk"_s, u"butter"_s, u"Egg"_s};
    QTest::newRow("a disagreement saved anyway keeps the wizard filled")
        << u"Toast"_s << u"300"_s << Answer::Yes << houston + QStringList{QString()}
        << kept + QStringList{u"Toast"_s};
    QTest::newRow("a disagreement declined saves nothing")
        << u"Toast"_s << u"300"_s << Answer::No << houston << kept;
    // The calories as the panel worked them out, and the fat from its whole calories.
    QTest::newRow("the same name replaces the ingredient, which goes last")
        << u"Milk"_s << u"101"_s << Answer::Yes << QStringList{u"Duplicate"_s, QString()}
        << QStringList{u"Egg"_s, u"butter"_s, u"Milk"_s};
    QTest::newRow("a stored name kept goes back to step 1")
        << u"Milk"_s << u"100"_s << Answer::No << QStringList{u"Duplicate"_s} << kept;
}

void TestIngredientScreens::calorieQuestionAndDuplicateName()
{
    QFETCH(QString, name);
    QFETCH(QString, calories);
    QFETCH(Answer, answer);
    QFETCH(QStringList, titles);
    QFETCH(QStringList, names);
    Fixture f;
    // Milk as stored, loaded through Edit, then renamed and given other calories.
    f.edit(u"Milk"_s);
    QCOMPARE(f.onView(), u"frmIngrediant"_s);
    QCOMPARE(f.step(), u"Step 1 of 11"_s);
    QVERIFY(f.w("cmdFinish")->isEnabled() && !f.w("cmdBack")->isEnabled());
    QCOMPARE(f.label("lbl1M"), u"1 cup"_s);
    QCOMPARE(f.label("lblDialog_4"), u"  Now enter the number of g in this item."_s);
    f.type("txtName", name);
    f.type("txtCal", calories);
    f.messages.clear();
    f.answers = {answer};
    f.click("cmdFinish");
    QCOMPARE(f.titles(), titles);
    QCOMPARE(f.step(), u"Step 1 of 11"_s);
    QCOMPARE(f.session.ingredients.trimmedNames(), names);
    f.checkStored();
    if (titles.endsWith(QString()) && name == u"Milk"_s) {
        QCOMPARE(f.session.ingredients.records().last().fat, 21.0f / 9.0f);
        // A replaced name leaves nothing chosen on the stored ingredient screen.
        QVERIFY(!f.stored->findChild<QListView*>(u"IngLst"_s)->currentIndex().isValid());
    }
}

void TestIngredientScreens::storedIngredientScreen()
{
    Fixture f;
    f.window->topBar()->tool(u"StoredIngredients"_s)->trigger();
    f.storedTool("Edit");
    f.storedTool("Delete");
    QCOMPARE(f.messages.value(1).text, u"You must first select an ingredient to delete it."_s);
    f.choose(u"Milk"_s);
    const auto shown = [&f](const char* label) {
        return f.stored->findChild<QLabel*>(QString::fromLatin1(label))->text();
    };
    for (const auto& [label, text] : {std::pair{"lblName", u"Milk"_s},
                                      {"lbl1M", u"1 cup"_s},
                                      {"lbl2M", u"244 g"_s},
                                      {"lblCals", u"101"_s},
                                      {"lblFg", u"2.3g"_s},
                                      {"Label20", u"20.8% of calories from Fat"_s}})
        QCOMPARE(shown(label), text);
    // F1 opens the contents: the screen has no topic of its own.
    f.help.initHelp(f.window.get(), QStringLiteral(HELP_DIR));
    f.window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(f.window.get()));
    QTest::keyClick(f.window.get(), Qt::Key_F1);
    QCOMPARE(f.help.browser()->source().fragment(), u"topic-340"_s);

    f.choose(u"butter"_s);
    f.answers = {Answer::No, Answer::Yes};
    f.storedTool("Delete");
    QCOMPARE(f.messages.last().text, u"Are you sure you want to delete butter?"_s);
    QCOMPARE(f.session.ingredients.count(), 3);
    f.storedTool("Delete");
    QCOMPARE(f.session.ingredients.trimmedNames(), (QStringList{u"Milk"_s, u"Egg"_s}));
    f.checkStored();
    QCOMPARE(shown("lblName"), QString());
}

void TestIngredientScreens::editReloadsTheStoredAmount_data()
{
    QTest::addColumn<float>("amount");
    QTest::addColumn<QString>("ones");
    QTest::addColumn<QString>("fraction"); // a kitchen fraction, or the digit after the point
    QTest::addColumn<float>("saved");      // after Finish without a change
    QTest::newRow("1 1/3 as the wizard stores it") << 1.333f << u"1"_s << u"1/3"_s << 1.333f;
    QTest::newRow("2 2/3 as the wizard stores it") << 2.666f << u"2"_s << u"2/3"_s << 2.666f;
    QTest::newRow("1 1/8 exactly") << 1.125f << u"1"_s << u"1/8"_s << 1.125f;
    QTest::newRow("1.1254 is no 1 1/8: tenths") << 1.1254f << u"1"_s << u"1"_s << 1.1f;
    QTest::newRow("1.3334 is no 1 1/3: tenths") << 1.3334f << u"1"_s << u"3"_s << 1.3f;
}

void TestIngredientScreens::editReloadsTheStoredAmount()
{
    QFETCH(float, amount);
    QFETCH(QString, ones);
    QFETCH(QString, fraction);
    QFETCH(float, saved);
    Fixture f({food(u"Stock"_s, amount, u"cup"_s, 240, u"g"_s, {.carbs = 1, .calories = 4})});
    f.window->topBar()->tool(u"StoredIngredients"_s)->trigger();
    f.edit(u"Stock"_s);
    QCOMPARE(f.w<QRadioButton>("optForD_0")->isChecked(), fraction.contains(u'/'));
    QCOMPARE(f.w<QLineEdit>("txtOnes")->text(), ones);
    QCOMPARE(f.w<QLineEdit>("txtFrac")->text(), fraction);
    f.answers = {Answer::Yes};
    f.click("cmdFinish");
    QCOMPARE(f.session.ingredients.records().last().amount1, saved);
    // The wizard's picture is a picture of fruit and vegetables, and says so.
    auto* picture = f.w<QLabel>("Image1");
    QVERIFY(picture->pixmap().width() >= 64);
    QTest::mouseClick(picture, Qt::LeftButton);
    QCOMPARE(f.messages.last().text, u"This is just a picture of some fruit and vegetables."_s);
}

QTEST_MAIN(TestIngredientScreens)
#include "tst_ingredientscreens.moc"
