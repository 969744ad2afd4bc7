#include "core/analysis/recipelines.h"
#include "core/ingredients/wizardrules.h"
#include "core/sortednamemodel.h"
#include "core/text.h"
#include "ingredients/storedingredientsscreen.h"
#include "platform/toolbar.h"
#include "widgets/spinner.h"
#include "widgetsupport.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>

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

    explicit Fixture(const QList<IngRecord>& records = pantry(),
                     const QByteArray& recipes = QByteArray())
        : StartedMainWindow(IngTable::toBytes(records), recipes)
    {
    }

    template <typename T = QWidget> T* w(const char* name) const
    {
        return control<T>(wizard, name);
    }
    QString label(const char* name) const { return w<QLabel>(name)->text(); }
    void type(const char* box, const QString& text) { w<QLineEdit>(box)->setText(text); }
    void click(const char* button) { w<QAbstractButton>(button)->click(); }
    void next() { click("cmdNext"); }
    QString step() const { return label("SteppLbl"); }
    QString focused() const { return QApplication::focusWidget()->objectName(); }
    void key(Qt::Key key) { QTest::keyClick(QApplication::focusWidget(), key); }
    // A click at the left end, where an option's round mark is.
    void mouse(const char* control)
    {
        QTest::mouseClick(w(control), Qt::LeftButton, {}, QPoint(6, w(control)->height() / 2));
    }
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
    void keyboardWizardKeepsWhatIsTyped();
    void quantityBoxTakesWhatFits_data();
    void quantityBoxTakesWhatFits();
    void finishWeighsPartsAgainstWholes_data();
    void finishWeighsPartsAgainstWholes();
    void deletingAskAboutTheRecipesThatUseIt_data();
    void deletingAskAboutTheRecipesThatUseIt();
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
    const auto titleTextLeft = [&f] {
        const QImage title = f.w("SteppLbl")->grab().toImage();
        int left = 0;
        while (left < title.width() && title.copy(left, 0, 1, 99) == title.copy(0, 0, 1, 99))
            ++left;
        return f.w("SteppLbl")->x() + left;
    };
    const int firstStep = titleTextLeft();
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
    QTest::keyClick(f.w("txtSatFat"), Qt::Key_Return);
    QCOMPARE(f.step(), u"Step 8 of 11"_s);
    f.type("txtChol", u"0"_s);
    f.next();
    f.type("txtSodium", ownMeasure ? u"150"_s : u"5.4"_s);
    f.next();
    f.type("txtTotalCarbs", ownMeasure ? u"15"_s : u"10"_s);
    f.type("txtFiber", ownMeasure ? u".8"_s : u"1.5"_s);
    QTest::keyClick(f.w("txtFiber"), Qt::Key_Return);
    f.type("txtProtein", ownMeasure ? u"3"_s : u"2"_s);
    QTest::keyClick(f.w("txtProtein"), Qt::Key_Return);
    QCOMPARE(f.titles(), QStringList{u"Almost Done"_s});
    QCOMPARE(f.step(), u"Step 11 of 11"_s);
    QCOMPARE(titleTextLeft(), firstStep);
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
    // Enter never replaces a stored ingredient.
    if (titles.first() == u"Duplicate"_s)
        QCOMPARE(f.messages.first().defaultButton, MessageBox::Default::No);
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
    f.stored->findChild<QWidget*>(u"IngLst"_s)->setFocus();
    QTest::keyClick(f.stored->window()->focusWidget(), Qt::Key_Tab);
    QCOMPARE(f.stored->window()->focusWidget()->objectName(), u"lblCals"_s);
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

void TestIngredientScreens::keyboardWizardKeepsWhatIsTyped()
{
    Fixture f;
    f.window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(f.window.get()));
    QTest::keyClick(f.window.get(), Qt::Key_3, Qt::ControlModifier);
    QCOMPARE(f.focused(), u"txtName"_s);
    // Each arrival puts the focus on the step's input, and Enter there never empties the wizard.
    QTest::keyClicks(QApplication::focusWidget(), u"Toast"_s);
    f.key(Qt::Key_Return);
    QCOMPARE(f.focused(), u"optUnits_0"_s);
    // An arrow chooses, here the last measure, one of the ingredient's own.
    f.key(Qt::Key_Up);
    QTest::keyClicks(QApplication::focusWidget(), u"  "_s);
    f.key(Qt::Key_Return);
    QCOMPARE(f.titles(), QStringList{u"There's a Problem"_s}); // a blank measure of its own
    QCOMPARE(f.step(), u"Step 2 of 11"_s);
    QTest::keyClicks(QApplication::focusWidget(), u"slice"_s);
    f.key(Qt::Key_Return);
    QCOMPARE(f.focused(), u"vsOnes"_s);
    f.key(Qt::Key_Return);
    f.key(Qt::Key_Return);
    QCOMPARE(f.step(), u"Step 3 of 11"_s);
    f.key(Qt::Key_2);
    f.key(Qt::Key_Return);
    QCOMPARE(f.focused(), u"opt2ndM_0"_s);
    f.key(Qt::Key_Up);
    f.key(Qt::Key_Up); // from Next, where the first choice sent the focus
    f.key(Qt::Key_Return);
    QCOMPARE(f.focused(), u"vsOnes2"_s);
    f.mouse("cmdBack");
    QCOMPARE(f.focused(), u"opt2ndM_10"_s);
    // Start Over asks while anything is entered.
    f.messages.clear();
    f.answers = {Answer::No, Answer::Yes};
    for (int i = 0; i < 3; ++i)
        f.mouse("cmdStartOver"); // the third time with nothing entered
    QCOMPARE(f.titles(), (QStringList{u"Start Over"_s, u"Start Over"_s}));
    QCOMPARE(f.messages[0].text, u"Start over and clear everything entered so far?"_s);
    QCOMPARE(f.messages[0].buttons, MessageBox::Buttons::YesNo);
    QCOMPARE(f.messages[0].defaultButton, MessageBox::Default::No);
    QCOMPARE(f.step(), u"Step 1 of 11"_s);
    QCOMPARE(f.w<QLineEdit>("txtName")->text(), QString());
    QCOMPARE(f.focused(), u"txtName"_s);
}

void TestIngredientScreens::quantityBoxTakesWhatFits_data()
{
    // Keys typed on the spinner, "<" for Backspace, then Next.
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QStringList>("titles");
    const QStringList tooLarge{u"There's a Problem"_s};
    QTest::newRow("20001 keeps 2000") << u"20001"_s << u"2000"_s << tooLarge;
    QTest::newRow("123456 keeps 12345") << u"123456"_s << u"12345"_s << tooLarge;
    QTest::newRow("25000 keeps 2500") << u"25000"_s << u"2500"_s << tooLarge;
    QTest::newRow("20000 fits") << u"20000"_s << u"20000"_s << QStringList();
    QTest::newRow("Backspace empties the box") << u"12<<"_s << QString() << QStringList{u"Error"_s};
    QTest::newRow("a number typed again") << u"7<5"_s << u"5"_s << QStringList();
}

void TestIngredientScreens::quantityBoxTakesWhatFits()
{
    QFETCH(QString, keys);
    QFETCH(QString, shown);
    QFETCH(QStringList, titles);
    Fixture f;
    f.window->topBar()->tool(u"AddIngredient"_s)->trigger();
    f.type("txtName", u"Toast"_s);
    f.next();
    f.click("optUnits_4");
    f.next();
    for (const QChar key : keys)
        QTest::keyClick(f.w("vsOnes"), key == u'<' ? Qt::Key_Backspace : Qt::Key(key.unicode()));
    QCOMPARE(f.w<QLineEdit>("txtOnes")->text(), shown);
    f.next();
    QCOMPARE(f.titles(), titles);
    if (!titles.isEmpty() && titles[0] != u"Error"_s)
        QCOMPARE(f.messages[0].text,
                 keys.first(shown.size() + 1) +
                     u" is too large.\r\n\r\nEnter a whole number from 0 to 20000."_s);
    QCOMPARE(f.label("lbl1M"), shown.isEmpty() ? QString() : shown + u" cup"_s);
}

void TestIngredientScreens::finishWeighsPartsAgainstWholes_data()
{
    QTest::addColumn<QString>("satFat");
    QTest::addColumn<QString>("fiber");
    QTest::addColumn<Answer>("answer");
    QTest::addColumn<QStringList>("items");
    QTest::addColumn<bool>("saved");
    // Milk has 21 calories from fat (2.33 g) and 12 g of carbohydrate.
    QTest::newRow("saturated fat above the total fat, declined")
        << u"2.34"_s << u"0"_s << Answer::No
        << QStringList{u"1) There is more Saturated Fat (2.34 g) than Total Fat (2.33 g)."_s}
        << false;
    QTest::newRow("both parts above their wholes, saved anyway")
        << u"3"_s << u"12.5"_s << Answer::Yes
        << QStringList{u"1) There is more Saturated Fat (3 g) than Total Fat (2.33 g)."_s,
                       u"2) There is more Dietary Fiber (12.5 g) than Total Carbohydrate (12 g)."_s}
        << true;
    QTest::newRow("parts equal to their wholes")
        << u"2.33"_s << u"12"_s << Answer::No << QStringList() << true;
}

void TestIngredientScreens::finishWeighsPartsAgainstWholes()
{
    QFETCH(QString, satFat);
    QFETCH(QString, fiber);
    QFETCH(Answer, answer);
    QFETCH(QStringList, items);
    QFETCH(bool, saved);
    Fixture f;
    f.edit(u"Milk"_s);
    f.type("txtName", u"Skimmed"_s);
    f.type("txtSatFat", satFat);
    f.type("txtFiber", fiber);
    f.messages.clear();
    f.answers = {answer};
    f.click("cmdFinish");
    if (!items.isEmpty()) {
        QCOMPARE(f.messages[0].title, u"Houston we have a problem."_s);
        for (const QString& item : items)
            QVERIFY2(f.messages[0].text.contains(item), qPrintable(f.messages[0].text));
    }
    QCOMPARE(f.messages.size(), !items.isEmpty() && saved ? 2 : 1);
    QCOMPARE(f.session.ingredients.indexOfName(u"Skimmed"_s) >= 0, saved);
}

void TestIngredientScreens::deletingAskAboutTheRecipesThatUseIt_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("alsoStored");
    QTest::addColumn<QString>("recipes");
    QTest::addColumn<bool>("pancakesBroken");
    QTest::newRow("one recipe") << u"Egg"_s << u"Salt"_s << u"1 stored recipe uses it: Pancakes."_s
                                << true;
    QTest::newRow("more than are named, letter case aside")
        << u"Milk"_s << u"Salt"_s
        << u"4 stored recipes use it, among them Custard, Pancakes and Rice Pudding."_s << true;
    QTest::newRow("two recipes") << u"butter"_s << u"Salt"_s
                                 << u"2 stored recipes use it: Scones and Toast."_s << false;
    QTest::newRow("none") << u"Salt"_s << u"Salt"_s << QString() << false;
    QTest::newRow("a letter beyond ASCII in another case")
        << u"Pâte"_s << u"Pâte"_s << u"1 stored recipe uses it: Tart."_s << false;
    // The second egg answers for the recipes once the first is gone.
    QTest::newRow("another ingredient answers the name")
        << u"Egg"_s << u"EGG"_s << QString() << false;
}

void TestIngredientScreens::deletingAskAboutTheRecipesThatUseIt()
{
    QFETCH(QString, name);
    QFETCH(QString, alsoStored);
    QFETCH(QString, recipes);
    QFETCH(bool, pancakesBroken);
    QByteArray file;
    for (const auto& [recipe, uses] : {std::pair{u"Pancakes"_s, QStringList{u"Milk"_s, u"Egg"_s}},
                                       {u"Scones"_s, {u"butter"_s, u"MILK"_s}},
                                       {u"Rice Pudding"_s, {u"Milk"_s}},
                                       {u"Custard"_s, {u"milk"_s}},
                                       {u"Toast"_s, {u"butter"_s}},
                                       {u"Tart"_s, {u"PÂTE"_s, u"PÄTE"_s}}}) {
        QStringList entries;
        for (const QString& food : uses)
            entries.append(lines::ingredientEntry(food, true, u"1"_s, u"cup"_s));
        file += encodeCp1252(lines::recipeRecord(recipe, u"2"_s, entries, QString()));
    }
    Fixture f(pantry() + QList{food(alsoStored, 1, u"g"_s)}, file + "\r\n");
    f.window->topBar()->tool(u"Recipes"_s)->trigger();
    pick(f.window->findChild<QComboBox*>(u"RecipeLst"_s), 1);
    f.window->topBar()->tool(u"StoredIngredients"_s)->trigger();
    f.choose(name);
    f.messages.clear();
    f.answers = {Answer::Yes};
    f.storedTool("Delete");
    const QString question = u"Are you sure you want to delete "_s + name + u"?"_s;
    QCOMPARE(f.messages[0].text,
             recipes.isEmpty() ? question
                               : question + u"\r\n\r\n"_s + recipes +
                                     (recipes.startsWith(u"1 "_s) ? u"\r\nIts"_s : u"\r\nTheir"_s) +
                                     u" Nutrition Facts cannot be worked out until an "
                                     "ingredient of this name is stored again."_s);
    // The recipe on the stored recipes screen is worked out again when it comes back on view.
    f.window->topBar()->tool(u"Recipes"_s)->trigger();
    QCOMPARE(f.messages.size(), pancakesBroken ? 2 : 1);
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
    QTest::newRow("1/2 reads with no 0 before it") << 0.5f << QString() << u"1/2"_s << 0.5f;
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
