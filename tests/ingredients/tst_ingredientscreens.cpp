#include "core/analysis/quantity.h"
#include "core/session.h"
#include "core/sortednamemodel.h"
#include "ingredients/ingredientwizard.h"
#include "ingredients/storedingredientsscreen.h"
#include "platform/helpviewer.h"
#include "platform/settings.h"
#include "platform/spinner.h"
#include "platform/toolbar.h"
#include "shell/mainwindow.h"
#include "widgetsupport.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>

using namespace zestora;
using zestora::testing::food;
using zestora::testing::readFile;
using zestora::testing::TempWorkDir;
using zestora::testing::writeFile;
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
struct Fixture : zestora::testing::MessageRecorder {
    TempWorkDir dir;
    Session session;
    Settings settings{dir.filePath(u"settings.ini"_s)};
    HelpViewer help;
    std::unique_ptr<MainWindow> window;
    IngredientWizard* wizard = nullptr;
    StoredIngredientsScreen* stored = nullptr;

    explicit Fixture(const QList<IngRecord>& records = pantry())
    {
        writeFile(u"Ing.dat"_s, IngTable::toBytes(records));
        window = std::make_unique<MainWindow>(session, settings, help, QString());
        window->mdiFormLoad();
        window->show();
        wizard = window->findChild<IngredientWizard*>();
        stored = window->findChild<StoredIngredientsScreen*>();
    }

    template <typename T = QWidget> T* w(const char* name) const
    {
        T* control = wizard->findChild<T*>(QString::fromLatin1(name));
        [&] {
            QVERIFY2(control, name);
        }();
        return control;
    }
    QString label(const char* name) const { return w<QLabel>(name)->text(); }
    void type(const char* box, const QString& text) { w<QLineEdit>(box)->setText(text); }
    void click(const char* button) { w<QAbstractButton>(button)->click(); }
    void spin(const char* spinner, int value) { w<Spinner>(spinner)->setValue(value); }
    void next() { click("cmdNext"); }
    QString step() const { return label("SteppLbl"); }
    QString onView() const
    {
        return window->findChild<QStackedWidget*>(u"Screens"_s)->currentWidget()->objectName();
    }

    // Both ingredient lists, which must agree position by position.
    QStringList listed() const
    {
        const QStringList calc = zestora::testing::texts(
            window->findChild<QWidget*>(u"CalcFrm"_s)->findChild<QListView*>(u"IngLst"_s));
        const QStringList deleteList =
            zestora::testing::texts(stored->findChild<QListView*>(u"IngLst"_s));
        [&] {
            QCOMPARE(calc, deleteList);
        }();
        return deleteList;
    }
    void choose(const QString& name)
    {
        auto* list = stored->findChild<QListView*>(u"IngLst"_s);
        list->setCurrentIndex(list->model()->index(listed().indexOf(name), 0));
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

// Sorted for people, as both lists show names.
QStringList sortedNames(const IngTable& table)
{
    QStringList names = table.trimmedNames();
    std::stable_sort(names.begin(), names.end(), SortedNameModel::lessForPeople);
    return names;
}

struct NewIngredient {
    const char* row;
    QString name;
    int unit; // an option of the first measure; "Unique" takes `unique`
    QString unique;
    int ones;
    int fraction;
    bool fractionMode;
    QString serving; // lbl1M
    int second;      // an option of the second measure; NONE skips the second quantity
    int ones2;
    QStringList nutrients; // calories, fat, saturated fat, cholesterol, sodium, carbs, fibre,
                           // protein
    bool fatInGrams;
    IngRecord stored;
};

const NewIngredient newIngredients[] = {
    {"a cup with grams, fat as calories",
     u"Apple"_s,
     4,
     {},
     1,
     5,
     true,
     u"1 1/2 cup"_s,
     7,
     240,
     {u"100"_s, u"45"_s, u"2"_s, u"0"_s, u"5.4"_s, u"10"_s, u"1.5"_s, u"2"_s},
     false,
     food(u"Apple"_s, 1.5f, u"cup"_s, 240, u"g"_s,
          {.fat = 5,
           .satFat = 2,
           .carbs = 10,
           .fiber = 1.5f,
           .protein = 2,
           .sodium = 5,
           .calories = 100})},
    {"a measure of its own, no second measure, fat in grams",
     u"  Slice of bread"_s,
     wizard::ownUnit,
     u"slice"_s,
     2,
     5,
     false,
     u"2.5 slice"_s,
     wizard::ownUnit,
     0,
     {u"80.6"_s, u"1"_s, u"0.2"_s, u"0"_s, u"150"_s, u"15"_s, u".8"_s, u"3"_s},
     true,
     food(u"  Slice of bread"_s, 2.5f, u"slice"_s, 0, {},
          {.fat = 1,
           .satFat = 0.2f,
           .carbs = 15,
           .fiber = 0.8f,
           .protein = 3,
           .sodium = 150,
           .calories = 81},
          true)},
};

} // namespace

class TestIngredientScreens : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void addAnIngredientThroughTheControls_data();
    void addAnIngredientThroughTheControls();
    void calorieQuestionAndDuplicateName_data();
    void calorieQuestionAndDuplicateName();
    void editKeepingOrChangingTheName_data();
    void editKeepingOrChangingTheName();
    void storedMeasureComesBackAsStored_data();
    void storedMeasureComesBackAsStored();
    void everyStoredAmountSurvivesAnUnchangedEdit_data();
    void everyStoredAmountSurvivesAnUnchangedEdit();
    void deleting_data();
    void deleting();
    void badInputIsRefusedWhereItIsTyped_data();
    void badInputIsRefusedWhereItIsTyped();
    void aFullListRefusesANewIngredientAtOnce();
    void helpKeyOpensTheTopicOfTheScreenOnView_data();
    void helpKeyOpensTheTopicOfTheScreenOnView();
};

void TestIngredientScreens::addAnIngredientThroughTheControls_data()
{
    QTest::addColumn<int>("row");
    for (int row = 0; row < int(std::size(newIngredients)); ++row)
        QTest::newRow(newIngredients[row].row) << row;
}

void TestIngredientScreens::addAnIngredientThroughTheControls()
{
    QFETCH(int, row);
    const NewIngredient& n = newIngredients[row];
    Fixture f;
    f.window->topBar()->tool(u"AddIngredient"_s)->trigger();
    QCOMPARE(f.onView(), u"frmIngrediant"_s);
    QCOMPARE(f.step(), u"Step 1 of 11"_s);
    QVERIFY(!f.w("cmdNext")->isEnabled());
    f.type("txtName", n.name);
    f.next();
    f.w<QRadioButton>(qPrintable(u"optUnits_%1"_s.arg(n.unit)))->click();
    if (n.unit == wizard::ownUnit)
        f.type("txtUnique", n.unique);
    // After a volume only weights are offered as the second measure; after "Unique" any unit.
    QCOMPARE(f.w("opt2ndM_4")->isEnabled(), n.unit == wizard::ownUnit);
    QVERIFY(f.w("opt2ndM_0")->isEnabled());
    QVERIFY(f.w("opt2ndM_11")->isEnabled());
    f.next();
    QCOMPARE(f.label("lblDialog_2"),
             u"  Now enter the number of "_s + n.stored.measure1 + u" in this item."_s);
    f.click(n.fractionMode ? "optForD_0" : "optForD_1");
    f.spin("vsOnes", n.ones);
    f.spin("vsFrac", n.fraction);
    f.next();
    QCOMPARE(f.label("lbl1M"), n.serving);
    f.w<QRadioButton>(qPrintable(u"opt2ndM_%1"_s.arg(n.second)))->click();
    f.next();
    if (n.second == wizard::ownUnit) {
        QCOMPARE(f.step(), u"Step 6 of 11"_s);
        f.click("cmdBack");
        QCOMPARE(f.step(), u"Step 4 of 11"_s);
        f.next();
    } else {
        // Typed digits set the spinner.
        QTest::keyClicks(f.w("vsOnes2"), QString::number(n.ones2));
        f.next();
    }
    QCOMPARE(f.step(), u"Step 6 of 11"_s);
    f.type("txtCal", n.nutrients[0]);
    f.next();
    if (n.fatInGrams)
        f.click("optFatCals_1");
    f.type("txtFat", n.nutrients[1]);
    QVERIFY(!f.w("cmdNext")->isEnabled()); // until the saturated fat is given
    f.type("txtSatFat", n.nutrients[2]);
    QTest::keyClick(f.w("txtSatFat"), Qt::Key_Return); // Enter does nothing here
    QCOMPARE(f.step(), u"Step 7 of 11"_s);
    QTest::keyClick(f.w("txtFat"), Qt::Key_Return);
    QCOMPARE(f.step(), u"Step 8 of 11"_s);
    const char* const boxes[] = {"txtChol", "txtSodium", "txtTotalCarbs"};
    for (int i = 0; i < 3; ++i) {
        f.type(boxes[i], n.nutrients[3 + i]);
        if (i == 2)
            f.type("txtFiber", n.nutrients[6]);
        f.next();
    }
    f.type("txtProtein", n.nutrients[7]);
    QTest::keyClick(f.w("txtProtein"), Qt::Key_Return);
    QCOMPARE(f.titles(), QStringList{u"Almost Done"_s});
    QCOMPARE(f.step(), u"Step 11 of 11"_s);
    QVERIFY(!f.w("cmdNext")->isEnabled());
    QVERIFY(f.w("cmdFinish")->isEnabled());

    const QByteArray before = readFile(u"Ing.dat"_s);
    f.click("cmdFinish");
    QCOMPARE(f.messages.last().text, n.name + u" has now been added to you list of ingredients."_s);
    QCOMPARE(f.messages.last().icon, MessageBox::Icon::None);
    QCOMPARE(readFile(u"Ing.dat"_s), before + n.stored.toBytes());
    QCOMPARE(f.listed(), sortedNames(f.session.ingredients));
    QCOMPARE(f.step(), u"Step 1 of 11"_s);
    QCOMPARE(f.label("lblName"), QString());
}

void TestIngredientScreens::calorieQuestionAndDuplicateName_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("calories");
    QTest::addColumn<QList<Answer>>("answers");
    QTest::addColumn<QStringList>("titles");
    QTest::addColumn<bool>("saved");
    QTest::addColumn<bool>("reset");
    const QStringList houston{u"Houston we have a problem."_s};
    QTest::newRow("a disagreement saved anyway keeps the wizard filled")
        << u"Toast"_s << u"300"_s << QList<Answer>{Answer::Yes} << houston + QStringList{QString()}
        << true << false;
    QTest::newRow("a disagreement declined saves nothing")
        << u"Toast"_s << u"300"_s << QList<Answer>{Answer::No} << houston << false << false;
    QTest::newRow("a stored name replaced")
        << u"Milk"_s << u"100"_s << QList<Answer>{Answer::Yes}
        << QStringList{u"Duplicate"_s, QString()} << true << true;
    QTest::newRow("a stored name kept goes back to step 1")
        << u"Milk"_s << u"100"_s << QList<Answer>{Answer::No} << QStringList{u"Duplicate"_s}
        << false << false;
}

void TestIngredientScreens::calorieQuestionAndDuplicateName()
{
    QFETCH(QString, name);
    QFETCH(QString, calories);
    QFETCH(QList<Answer>, answers);
    QFETCH(QStringList, titles);
    QFETCH(bool, saved);
    QFETCH(bool, reset);
    Fixture f;
    // Milk as stored, loaded through Edit, then renamed and given other calories.
    f.edit(u"Milk"_s);
    QCOMPARE(f.onView(), u"frmIngrediant"_s);
    f.type("txtName", name);
    f.type("txtCal", calories);
    const QByteArray before = readFile(u"Ing.dat"_s);
    f.messages.clear();
    f.answers = answers;
    f.click("cmdFinish");
    QCOMPARE(f.titles(), titles);
    QCOMPARE(f.step(), u"Step 1 of 11"_s);
    QCOMPARE(readFile(u"Ing.dat"_s) != before, saved);
    QCOMPARE(readFile(u"Ing.dat"_s), IngTable::toBytes(f.session.ingredients.records()));
    QCOMPARE(f.listed(), sortedNames(f.session.ingredients));
    QCOMPARE(f.w<QLineEdit>("txtName")->text(), reset ? QString() : name);
    // From where Finish left it, Next leads to the last step with Finish enabled.
    if (saved && !reset) {
        f.next();
        QCOMPARE(f.step(), u"Step 11 of 11"_s);
        QVERIFY(f.w("cmdFinish")->isEnabled());
    }
}

void TestIngredientScreens::editKeepingOrChangingTheName_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("stored");
    QTest::newRow("the same name replaces the ingredient, which goes last")
        << u"Milk"_s << QStringList{u"Egg"_s, u"butter"_s, u"Milk"_s};
    QTest::newRow("another name adds a second ingredient")
        << u"Skim milk"_s << QStringList{u"Milk"_s, u"butter"_s, u"Egg"_s, u"Skim milk"_s};
}

void TestIngredientScreens::editKeepingOrChangingTheName()
{
    QFETCH(QString, name);
    QFETCH(QStringList, stored);
    Fixture f;
    f.edit(u"Milk"_s);
    QCOMPARE(f.step(), u"Step 1 of 11"_s);
    QVERIFY(f.w("cmdFinish")->isEnabled());
    QVERIFY(f.w("cmdNext")->isEnabled());
    QVERIFY(!f.w("cmdBack")->isEnabled());
    QCOMPARE(f.label("lbl1M"), u"1 cup"_s);
    QCOMPARE(f.label("lblDialog_4"), u"  Now enter the number of g in this item."_s);
    f.type("txtName", name);
    f.answers = {Answer::Yes};
    f.click("cmdFinish");
    QCOMPARE(f.session.ingredients.trimmedNames(), stored);
    // The calories as the panel worked them out and the fat from its whole calories.
    const IngRecord& saved = f.session.ingredients.records().last();
    QCOMPARE(saved.calories, 101.0f);
    QCOMPARE(saved.fat, 21.0f / 9.0f);
    QCOMPARE(saved.measureKind, qint16(0));
    QCOMPARE(readFile(u"Ing.dat"_s), IngTable::toBytes(f.session.ingredients.records()));
    QCOMPARE(f.listed(), sortedNames(f.session.ingredients));
    // A replaced name leaves nothing chosen on the stored ingredient screen, not its neighbour.
    const QModelIndex chosen = f.stored->findChild<QListView*>(u"IngLst"_s)->currentIndex();
    QCOMPARE(chosen.data().toString(), name == u"Milk"_s ? QString() : u"Milk"_s);
}

void TestIngredientScreens::storedMeasureComesBackAsStored_data()
{
    QTest::addColumn<IngRecord>("record");
    QTest::addColumn<QString>("unique"); // the unique box; none when no option shows the measure
    QTest::newRow("a typed measure fills the unique box with its whole field")
        << pantry().last() << u"large"_s.leftJustified(IngRecord::measureWidth);
    QTest::newRow("a measure no option shows is kept")
        << food(u"Salt"_s, 1, u"pinch"_s, 0.4f, u"g"_s, {.sodium = 155}) << QString();
}

void TestIngredientScreens::storedMeasureComesBackAsStored()
{
    QFETCH(IngRecord, record);
    QFETCH(QString, unique);
    Fixture f({record});
    // A measure chosen earlier in the wizard must not take the stored one's place.
    f.click("optUnits_4");
    f.edit(record.trimmedName());
    QCOMPARE(f.w<QRadioButton>("optUnits_11")->isChecked(), !unique.isEmpty());
    QVERIFY(!f.w<QRadioButton>("optUnits_4")->isChecked());
    QCOMPARE(f.w<QLineEdit>("txtUnique")->text(), unique);
    f.answers = {Answer::Yes, Answer::Yes};
    f.click("cmdFinish");
    QCOMPARE(f.session.ingredients.at(0).measure1, record.measure1);
    QCOMPARE(readFile(u"Ing.dat"_s), record.toBytes());
    QCOMPARE(f.session.ingredients.at(0).customMeasure, record.customMeasure);
}

void TestIngredientScreens::everyStoredAmountSurvivesAnUnchangedEdit_data()
{
    QTest::addColumn<float>("amount");
    QTest::addColumn<QString>("ones");
    QTest::addColumn<QString>("fraction");
    QTest::newRow("2 2/3 as the wizard stores it") << 2 + 0.666f << u"2"_s << u"2/3"_s;
    QTest::newRow("tenths") << 2.3f << u"2"_s << u"3"_s;
    QTest::newRow("a whole number") << 4.0f << u"4"_s << u"0"_s;
}

void TestIngredientScreens::everyStoredAmountSurvivesAnUnchangedEdit()
{
    QFETCH(float, amount);
    QFETCH(QString, ones);
    QFETCH(QString, fraction);
    IngRecord kept = food(u"Oats"_s, amount, u"cup"_s, 100, u"g"_s, {.carbs = 10, .calories = 40});
    Fixture f({kept});
    f.edit(u"Oats"_s);
    QCOMPARE(f.w<QLineEdit>("txtOnes")->text(), ones);
    QCOMPARE(f.w<QLineEdit>("txtFrac")->text(), fraction);
    f.answers = {Answer::Yes};
    f.click("cmdFinish");
    QCOMPARE(f.session.ingredients.at(0).amount1, amount);
    QCOMPARE(f.session.ingredients.at(0).amount2, kept.amount2);
}

void TestIngredientScreens::deleting_data()
{
    QTest::addColumn<QList<IngRecord>>("records");
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QStringList>("left");
    QTest::newRow("a middle one") << pantry() << u"butter"_s << QStringList{u"Milk"_s, u"Egg"_s};
    QTest::newRow("the only one") << pantry().mid(0, 1) << u"Milk"_s << QStringList{};
}

void TestIngredientScreens::deleting()
{
    QFETCH(QList<IngRecord>, records);
    QFETCH(QString, chosen);
    QFETCH(QStringList, left);
    Fixture f(records);
    f.storedTool("Delete");
    QCOMPARE(f.messages.last().text, u"You must first select an ingredient to delete it."_s);
    f.choose(chosen);
    QCOMPARE(f.stored->findChild<QLabel*>(u"lblName"_s)->text(), chosen);
    f.answers = {Answer::No};
    f.storedTool("Delete");
    QCOMPARE(f.messages.last().text, u"Are you sure you want to delete "_s + chosen + u"?"_s);
    QCOMPARE(f.session.ingredients.count(), records.size());
    f.answers = {Answer::Yes};
    f.storedTool("Delete");
    QCOMPARE(f.session.ingredients.trimmedNames(), left);
    QCOMPARE(readFile(u"Ing.dat"_s), IngTable::toBytes(f.session.ingredients.records()));
    QCOMPARE(f.listed(), sortedNames(f.session.ingredients));
    QCOMPARE(f.stored->findChild<QLabel*>(u"lblName"_s)->text(), QString());
}

void TestIngredientScreens::badInputIsRefusedWhereItIsTyped_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("message");
    QTest::newRow("a pasted line break in a number")
        << u"txtTotalCarbs"_s << u"12\r\n5"_s
        << u"Enter only numbers. Equal to or greater than zero."_s;
    QTest::newRow("a name the code page cannot hold")
        << u"txtName"_s << u"Miso \u5473"_s << u"U+5473"_s;
    QTest::newRow("a mark in a measure") << u"txtUnique"_s << u"sl\u00a7ce"_s << u"U+00A7"_s;
}

void TestIngredientScreens::badInputIsRefusedWhereItIsTyped()
{
    QFETCH(QString, box);
    QFETCH(QString, text);
    QFETCH(QString, message);
    Fixture f;
    f.edit(u"Egg"_s);
    QVERIFY(f.messages.isEmpty());
    const QByteArray before = readFile(u"Ing.dat"_s);
    f.w<QLineEdit>(qPrintable(box))->setText(text);
    QVERIFY(!f.messages.isEmpty());
    QVERIFY2(f.messages.last().text.contains(message), qPrintable(f.messages.last().text));
    QVERIFY(!f.w("cmdNext")->isEnabled());
    // Finish refuses too and shows the step with the box.
    f.answers = {Answer::Yes, Answer::Yes};
    f.click("cmdFinish");
    QVERIFY(
        f.w<QStackedWidget>("PicWizStack")->currentWidget()->isAncestorOf(f.w(qPrintable(box))));
    QCOMPARE(readFile(u"Ing.dat"_s), before);
}

void TestIngredientScreens::aFullListRefusesANewIngredientAtOnce()
{
    QList<IngRecord> nearlyFull(IngTable::maxCount - 1, pantry().first());
    Fixture f(nearlyFull);
    // The last ingredient there is room for, then the list is full at once.
    f.edit(u"Milk"_s);
    f.type("txtName", u"Cream"_s);
    f.click("cmdFinish");
    QCOMPARE(f.session.ingredients.count(), IngTable::maxCount);
    QCOMPARE(f.titles(), (QStringList{QString(), u"Ingredient List Full"_s}));
    QVERIFY(f.messages.last().text.contains(u"32,767"_s));
    QVERIFY(!f.w("txtName")->isEnabled());

    f.window->topBar()->tool(u"NewRecipe"_s)->trigger();
    f.window->topBar()->tool(u"AddIngredient"_s)->trigger();
    QCOMPARE(f.titles().last(), u"Ingredient List Full"_s);
    QCOMPARE(f.onView(), u"CalcFrm"_s);
}

void TestIngredientScreens::helpKeyOpensTheTopicOfTheScreenOnView_data()
{
    QTest::addColumn<QString>("tool");
    QTest::addColumn<int>("nexts"); // steps taken in the wizard
    QTest::addColumn<QString>("topic");
    QTest::newRow("the wizard's second step") << u"AddIngredient"_s << 1 << u"topic-440"_s;
    QTest::newRow("the stored ingredient screen, in the contents")
        << u"StoredIngredients"_s << 0 << u"topic-340"_s;
}

void TestIngredientScreens::helpKeyOpensTheTopicOfTheScreenOnView()
{
    QFETCH(QString, tool);
    QFETCH(int, nexts);
    QFETCH(QString, topic);
    Fixture f;
    f.help.initHelp(f.window.get(), QStringLiteral(HELP_DIR));
    f.window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(f.window.get()));
    f.window->topBar()->tool(tool)->trigger();
    f.type("txtName", u"Apple"_s);
    for (int i = 0; i < nexts; ++i)
        f.next();
    QTest::keyClick(f.window.get(), Qt::Key_F1);
    QVERIFY(f.help.browser());
    QCOMPARE(f.help.browser()->source().fragment(), topic);
}

QTEST_MAIN(TestIngredientScreens)
#include "tst_ingredientscreens.moc"
