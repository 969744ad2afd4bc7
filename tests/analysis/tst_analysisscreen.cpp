#include "analysis/analysisscreen.h"
#include "core/session.h"
#include "core/sortednamemodel.h"
#include "platform/dropdownbox.h"
#include "platform/helpviewer.h"
#include "platform/messagebox.h"
#include "platform/spinner.h"
#include "platform/toolbar.h"
#include "widgetsupport.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QToolButton>

using namespace zestora;
using zestora::testing::clickInNextDialog;
using zestora::testing::readFile;
using zestora::testing::TempWorkDir;
using zestora::testing::writeFile;

namespace {

IngRecord ingredient(const QString& name, const QString& measure1, float amount2,
                     const QString& measure2, qint16 kind, bool custom = false)
{
    IngRecord r;
    r.name = name;
    r.amount1 = 1;
    r.measure1 = measure1;
    r.amount2 = amount2;
    r.measure2 = measure2;
    r.measureKind = kind;
    r.customMeasure = custom ? -1 : 0;
    return r;
}

QList<IngRecord> pantry()
{
    IngRecord flour =
        ingredient(QStringLiteral("Flour"), QStringLiteral("cup"), 125, QStringLiteral("g"), 0);
    flour.fat = 1.2f;
    flour.satFat = 0.2f;
    flour.sodium = 2;
    flour.totalCarbs = 95.4f;
    flour.fiber = 3.4f;
    flour.protein = 12.9f;
    IngRecord butter =
        ingredient(QStringLiteral("Butter"), QStringLiteral("tbs"), 14, QStringLiteral("g"), 0);
    butter.fat = 11.5f;
    butter.satFat = 7.3f;
    butter.cholesterol = 31;
    butter.sodium = 91;
    IngRecord milk = ingredient(QStringLiteral("Milk"), QStringLiteral("cup"), 0, QString(), 1);
    milk.fat = 8;
    milk.totalCarbs = 12;
    milk.protein = 8;
    milk.cholesterol = 24;
    IngRecord cheese = ingredient(QStringLiteral("Cheese"), QStringLiteral("slice"), 28,
                                  QStringLiteral("g"), 2, true);
    cheese.fat = 9;
    cheese.protein = 7;
    IngRecord pepper =
        ingredient(QStringLiteral("Pepper"), QStringLiteral("pinch"), 0, QString(), 3);
    IngRecord egg = ingredient(QStringLiteral("egg"), QStringLiteral("egg"), 50,
                               QStringLiteral("piece"), 3, true);
    egg.fat = 5;
    egg.protein = 6;
    egg.cholesterol = 186;
    return {flour, butter, milk, cheese, pepper, egg};
}

// The analysis screen over a session whose ingredient database holds the pantry.
struct Fixture {
    TempWorkDir dir;
    Session session;
    HelpViewer help;
    SortedNameModel ingredientNames;
    SortedNameModel recipeNames;
    std::unique_ptr<AnalysisScreen> screen;
    QList<MessageBox::Shown> messages;
    QList<MessageBox::Answer> answers;

    Fixture()
    {
        writeFile(QStringLiteral("Ing.dat"), IngTable::toBytes(pantry()));
        session.ingredients.loadIngTable();
        session.recipes.load();
        ingredientNames.fill(session.ingredients.trimmedNames());
        recipeNames.fill(session.recipes.recipeNames());
        screen = std::make_unique<AnalysisScreen>(session, help, &ingredientNames, &recipeNames,
                                                  nullptr);
        MessageBox::setAnswerer([this](const MessageBox::Shown& shown) {
            messages.append(shown);
            return answers.isEmpty() ? MessageBox::Answer::Ok : answers.takeFirst();
        });
        screen->resize(1260, 700);
        screen->show();
        screen->formLoad();
    }
    ~Fixture() { MessageBox::clearAnswerer(); }

    template <typename T> T* get(const char* name) const
    {
        T* widget = screen->findChild<T*>(QString::fromLatin1(name));
        if (!widget)
            qFatal("no control %s", name);
        return widget;
    }
    QString text(const char* label) const { return get<QLabel>(label)->text(); }
    QStringList rows() const { return items("R_IngLst"); }
    QStringList entries() const { return items("InvisLst"); }
    QStringList items(const char* list) const
    {
        QStringList texts;
        for (int i = 0; i < get<QListWidget>(list)->count(); ++i)
            texts.append(get<QListWidget>(list)->item(i)->text());
        return texts;
    }
    QStringList units() const
    {
        QStringList texts;
        for (int i = 0; i < get<QComboBox>("MeasureLst")->count(); ++i)
            texts.append(get<QComboBox>("MeasureLst")->itemText(i));
        return texts;
    }

    void choose(const QString& name)
    {
        auto* list = get<QListView>("IngLst");
        if (!list->isVisible())
            get<DropDownBox>("IngLst2")->showPopup();
        const QModelIndex index = ingredientNames.index(ingredientNames.rowOf(name));
        list->scrollTo(index);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(index).center());
    }
    void setQuantity(int ones, int fraction, bool decimals = false)
    {
        get<QRadioButton>(decimals ? "F_DOpt_1" : "F_DOpt_0")->click();
        get<Spinner>("OnesVs")->setValue(ones);
        get<Spinner>("FracVs")->setValue(fraction);
    }
    void setUnit(const QString& unit)
    {
        auto* units = get<QComboBox>("MeasureLst");
        units->setCurrentIndex(units->findText(unit));
    }
    void addLine(const QString& name, int ones, int fraction, const QString& unit)
    {
        choose(name);
        setQuantity(ones, fraction);
        setUnit(unit);
        get<QPushButton>("Addcmd")->click();
    }
    void tool(const char* name) { screen->calcBar()->tool(QString::fromLatin1(name))->trigger(); }
    void clickRow(int row)
    {
        auto* list = get<QListWidget>("R_IngLst");
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(list->item(row)).center());
    }
    void setServings(int spinnerValue) { get<Spinner>("ServingsVs")->setValue(spinnerValue); }
    void save(const QString& name, const QString& directions)
    {
        get<QLineEdit>("NameTxt")->setText(name);
        get<QPlainTextEdit>("DirectionsTxt")->setPlainText(directions);
        tool("Save");
    }
    QStringList titles() const
    {
        QStringList list;
        for (const MessageBox::Shown& shown : messages)
            list.append(shown.title);
        return list;
    }
};

} // namespace

class TestAnalysisScreen : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void aLineShowsOnThePanel();
    void addingRefusesWhatIsMissing();
    void unitsFollowTheMeasures_data();
    void unitsFollowTheMeasures();
    void spinnersEnterFractionsAndDecimals();
    void servingsChangeRescalesOnOk();
    void lineEditorInsertsReplacesAndDeletes();
    void headings();
    void startOverEmptiesTheScreen();
    void savingChecksAndStores();
    void savingUnderAStoredName_data();
    void savingUnderAStoredName();
    void textTheFileCannotHoldIsRefused_data();
    void textTheFileCannotHoldIsRefused();
    void longNameEmptiesTheScreen();
    void storedRecipeIsTakenOver();
    void searchHandOverChoosesTheIngredient();
    void statusExplainsItself();
    void fitsTheScreen();
};

void TestAnalysisScreen::aLineShowsOnThePanel()
{
    Fixture f;
    f.get<QLineEdit>("NameTxt")->setText(QStringLiteral("Bread"));
    QCOMPARE(f.text("lblName"), QStringLiteral("Bread"));
    f.addLine(QStringLiteral("Flour"), 1, 5, QStringLiteral("cup"));
    QCOMPARE(f.rows(), QStringList{QStringLiteral("1 1/2  cup     Flour")});
    QCOMPARE(f.entries(),
             QStringList{QStringLiteral("\u00ceFlour\u00cf\u00bc1 1/2\u00cacup\u0090")});
    QCOMPARE(f.text("lblCals"), QStringLiteral("666"));
    QCOMPARE(f.text("lblFCals"), QStringLiteral("16"));
    QCOMPARE(f.text("lblFg"), QStringLiteral("1.8g"));
    QCOMPARE(f.text("lblFP"), QStringLiteral("3%"));
    QCOMPARE(f.text("lblSg"), QStringLiteral("3mg"));
    QCOMPARE(f.text("lblTCg"), QStringLiteral("143.1g"));
    // 12.9 as a single is just under, so one and a half of it rounds down.
    QCOMPARE(f.text("lblPg"), QStringLiteral("19.3g"));
    QCOMPARE(f.text("lblPP"), QString());
    QCOMPARE(f.text("Label24"), QStringLiteral("2.4% of calories from Fat"));
    QCOMPARE(f.text("Label23"), QStringLiteral("86% from Carbohydrates"));
    QCOMPARE(f.text("Label21"), QStringLiteral("11.6% from Protein"));
    QCOMPARE(f.text("StatusLbl"), QStringLiteral("Changes not Saved"));
    // Ready for the next line.
    QCOMPARE(f.get<QLineEdit>("R_IngLstText")->text(), QString());
    QCOMPARE(f.get<DropDownBox>("IngLst2")->text(), QStringLiteral("Select From This List"));
    QCOMPARE(f.units(), QStringList{});
    QVERIFY(f.messages.isEmpty());

    // Two tablespoons of butter in grams of its second measure.
    f.addLine(QStringLiteral("Butter"), 28, 0, QStringLiteral("g"));
    QCOMPARE(f.rows().last(), QStringLiteral("28  g     Butter"));
    QCOMPARE(f.text("lblCg"), QStringLiteral("62mg"));
    QCOMPARE(f.text("lblFg"), QStringLiteral("24.8g"));
}

void TestAnalysisScreen::addingRefusesWhatIsMissing()
{
    Fixture f;
    f.get<QPushButton>("Addcmd")->click();
    f.choose(QStringLiteral("Milk"));
    f.get<QPushButton>("Addcmd")->click();
    f.setQuantity(2, 0);
    f.get<QPushButton>("Addcmd")->click();
    f.get<QPushButton>("Addcmd")->click();
    QCOMPARE(f.titles(), (QStringList{QStringLiteral("Nothing Selected"),
                                      QStringLiteral("* * * * Error * * * *"),
                                      QStringLiteral("Nothing Selected")}));
    QCOMPARE(f.messages[0].text,
             QStringLiteral("You must first select an ingredient before you can add it."));
    QCOMPARE(f.messages[1].text, QStringLiteral("You must enter a quantity."));
    QCOMPARE(f.rows(), QStringList{QStringLiteral("2  ml     Milk")});
}

void TestAnalysisScreen::unitsFollowTheMeasures_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("units");
    const QStringList volumes{QStringLiteral("ml"),   QStringLiteral("tsp"),
                              QStringLiteral("tbs"),  QStringLiteral("cup"),
                              QStringLiteral("pint"), QStringLiteral("quart")};
    const QStringList weights{QStringLiteral("oz"), QStringLiteral("g"), QStringLiteral("lb")};
    QTest::newRow("volume and weight") << QStringLiteral("Flour") << volumes + weights;
    QTest::newRow("volume only") << QStringLiteral("Milk") << volumes;
    QTest::newRow("own measure first, then weights")
        << QStringLiteral("Cheese") << QStringList{QStringLiteral("slice")} + weights;
    QTest::newRow("neither: no unit") << QStringLiteral("Pepper") << QStringList{};
    QTest::newRow("own measure only")
        << QStringLiteral("egg") << QStringList{QStringLiteral("egg")};
}

void TestAnalysisScreen::unitsFollowTheMeasures()
{
    QFETCH(QString, name);
    QFETCH(QStringList, units);
    Fixture f;
    f.choose(name);
    QCOMPARE(f.units(), units);
    QCOMPARE(f.get<QComboBox>("MeasureLst")->currentText(), units.value(0));
    QCOMPARE(f.get<QLineEdit>("R_IngLstText")->text(), name);
    QCOMPARE(f.get<DropDownBox>("IngLst2")->text(), name);
    QVERIFY(!f.get<QListView>("IngLst")->isVisible());
    QVERIFY(f.get<DropDownBox>("IngLst2")->isVisible());
    QCOMPARE(f.text("lbl1M"), QStringLiteral("Makes 1 servings"));
    if (units.isEmpty()) {
        // Without a unit the quantity counts the first measure.
        f.setQuantity(2, 0);
        f.get<QPushButton>("Addcmd")->click();
        QCOMPARE(f.rows(), QStringList{QStringLiteral("2       Pepper")});
    }
}

void TestAnalysisScreen::spinnersEnterFractionsAndDecimals()
{
    Fixture f;
    f.choose(QStringLiteral("Milk"));
    auto* fraction = f.get<Spinner>("FracVs");
    fraction->upButton()->click();
    fraction->upButton()->click();
    fraction->upButton()->click();
    QCOMPARE(fraction->value(), 3);
    QCOMPARE(f.text("FracTxt"), QStringLiteral("1/3"));
    QCOMPARE(f.text("OnesTxt"), QString());
    f.get<QPushButton>("Addcmd")->click();
    QCOMPARE(f.rows().last(), QStringLiteral("1/3  ml     Milk"));

    f.choose(QStringLiteral("Milk"));
    f.get<QRadioButton>("F_DOpt_1")->click();
    QVERIFY(f.get<QLabel>("DLbl")->isVisible());
    f.get<Spinner>("FracVs")->setValue(5);
    QCOMPARE(f.text("FracTxt"), QStringLiteral("5"));
    f.get<Spinner>("OnesVs")->upButton()->click();
    QCOMPARE(f.text("OnesTxt"), QStringLiteral("1"));
    f.get<Spinner>("OnesVs")->downButton()->click();
    QCOMPARE(f.get<Spinner>("OnesVs")->value(), 0);
    QCOMPARE(f.text("OnesTxt"), QStringLiteral("0"));
    f.setUnit(QStringLiteral("cup"));
    f.get<QPushButton>("Addcmd")->click();
    QCOMPARE(f.rows().last(), QStringLiteral("0.5  cup     Milk"));
    QVERIFY(f.entries().last().contains(QStringLiteral("\u00d00.5\u00ca")));
    QVERIFY(f.get<QRadioButton>("F_DOpt_0")->isChecked());
    QCOMPARE(f.text("lblFg"), QStringLiteral("4g"));
}

void TestAnalysisScreen::servingsChangeRescalesOnOk()
{
    Fixture f;
    f.addLine(QStringLiteral("Milk"), 2, 0, QStringLiteral("cup"));
    QCOMPARE(f.text("lblFg"), QStringLiteral("16g"));
    QCOMPARE(f.text("lblCals"), QStringLiteral("304"));
    f.setServings(13);
    QCOMPARE(f.text("ServingsLbl"), QStringLiteral("4"));
    QCOMPARE(f.text("lbl1M"), QStringLiteral("Makes 4 servings"));
    QVERIFY(f.screen->findChild<QTimer*>(QStringLiteral("FlashTmr"))->isActive());
    QVERIFY(f.get<QLabel>("LblPress")->isVisible());
    QCOMPARE(f.text("lblFg"), QStringLiteral("16g"));
    f.get<QPushButton>("OkCmd")->click();
    QCOMPARE(f.text("lblFg"), QStringLiteral("4g"));
    QCOMPARE(f.text("lblCals"), QStringLiteral("76"));
    QCOMPARE(f.text("lblCg"), QStringLiteral("12mg"));
    QVERIFY(!f.screen->findChild<QTimer*>(QStringLiteral("FlashTmr"))->isActive());
    QVERIFY(!f.get<QLabel>("LblPress")->isVisible());
    f.get<QPushButton>("OkCmd")->click();
    QCOMPARE(f.text("lblFg"), QStringLiteral("4g"));

    // Servings of a half: the totals double.
    f.setServings(5);
    QCOMPARE(f.text("ServingsLbl"), QStringLiteral("1/2"));
    f.get<QPushButton>("OkCmd")->click();
    QCOMPARE(f.text("lblFg"), QStringLiteral("32g"));
}

void TestAnalysisScreen::lineEditorInsertsReplacesAndDeletes()
{
    Fixture f;
    f.addLine(QStringLiteral("Flour"), 1, 0, QStringLiteral("cup"));
    f.addLine(QStringLiteral("Milk"), 1, 0, QStringLiteral("cup"));
    f.addLine(QStringLiteral("Butter"), 1, 0, QStringLiteral("tbs"));
    const QString fatWithAll = f.text("lblFg");
    QCOMPARE(fatWithAll, QStringLiteral("20.7g"));

    // Replace the second line with two cups of milk.
    clickInNextDialog(QStringLiteral("EditCmd"), [](QDialog* dialog) {
        QCOMPARE(dialog->objectName(), QStringLiteral("EditFrm"));
        QCOMPARE(dialog->findChild<QLabel*>(QStringLiteral("InsertLbl"))->text(),
                 QStringLiteral("1  cup     Milk"));
    });
    f.clickRow(1);
    QCOMPARE(f.rows().size(), 2);
    QCOMPARE(f.text("lblFg"), QStringLiteral("12.7g"));
    f.addLine(QStringLiteral("Milk"), 2, 0, QStringLiteral("cup"));
    QCOMPARE(f.rows(),
             (QStringList{QStringLiteral("1  cup     Flour"), QStringLiteral("2  cup     Milk"),
                          QStringLiteral("1  tbs     Butter")}));
    QCOMPARE(f.text("lblFg"), QStringLiteral("28.7g"));

    // Insert after the first line.
    clickInNextDialog(QStringLiteral("InsertCmd"));
    f.clickRow(0);
    f.addLine(QStringLiteral("Cheese"), 1, 0, QStringLiteral("slice"));
    QCOMPARE(f.rows().at(1), QStringLiteral("1  slice     Cheese"));
    QCOMPARE(f.entries().size(), 4);

    // Cancel changes nothing; delete takes the line and its nutrients out.
    clickInNextDialog(QStringLiteral("CancelCmd"));
    f.clickRow(0);
    QCOMPARE(f.rows().size(), 4);
    for (int i = 0; i < 4; ++i) {
        clickInNextDialog(QStringLiteral("DeleteCmd"));
        f.clickRow(0);
    }
    QCOMPARE(f.rows(), QStringList{});
    QCOMPARE(f.text("lblFg"), QStringLiteral("0g"));
    QCOMPARE(f.text("lblCals"), QStringLiteral("0"));
    QCOMPARE(f.text("Label24"), QStringLiteral("0% calories from Fat"));
    QCOMPARE(f.text("Label23"), QStringLiteral("0% from Carbohydrates"));
    QCOMPARE(f.text("Label21"), QStringLiteral("0% from Protein"));
    QCOMPARE(f.screen->recipeTotals(), nutrition::RecipeTotals{});
}

void TestAnalysisScreen::headings()
{
    Fixture f;
    clickInNextDialog(QStringLiteral("DoneCmd"), [](QDialog* dialog) {
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Add a Heading or blank line"));
        dialog->findChild<QLineEdit*>(QStringLiteral("SubHeadTxt"))
            ->setText(QStringLiteral("Dough"));
    });
    f.tool("Heading");
    QCOMPARE(f.rows(), QStringList{QStringLiteral("Dough")});
    f.addLine(QStringLiteral("Flour"), 2, 0, QStringLiteral("cup"));
    const QString fat = f.text("lblFg");
    clickInNextDialog(QStringLiteral("DoneCmd"), [](QDialog* dialog) {
        dialog->findChild<QLineEdit*>(QStringLiteral("SubHeadTxt"))
            ->setText(QStringLiteral("Glaze"));
    });
    f.tool("Heading");
    QCOMPARE(f.rows(), (QStringList{QStringLiteral("Dough"), QStringLiteral("2  cup     Flour"),
                                    QStringLiteral(" "), QStringLiteral("Glaze")}));
    QCOMPARE(f.entries().at(2), QStringLiteral("\u00ce\u00a5 \u0090"));
    QCOMPARE(f.entries().at(3), QStringLiteral("\u00ce\u00a5Glaze\u0090"));

    // Deleting a heading changes no total; a heading over 50 letters is refused as typed.
    clickInNextDialog(QStringLiteral("DeleteCmd"));
    f.clickRow(3);
    QCOMPARE(f.text("lblFg"), fat);
    clickInNextDialog(QStringLiteral("CancelCmd"), [](QDialog* dialog) {
        dialog->findChild<QLineEdit*>(QStringLiteral("SubHeadTxt"))->setText(QString(51, u'x'));
        QCOMPARE(dialog->findChild<QLineEdit*>(QStringLiteral("SubHeadTxt"))->text(), QString());
    });
    f.tool("Heading");
    QCOMPARE(f.titles(), QStringList{QStringLiteral("Too many Letters")});
    QCOMPARE(f.rows().size(), 3);
}

void TestAnalysisScreen::startOverEmptiesTheScreen()
{
    Fixture f;
    f.get<QLineEdit>("NameTxt")->setText(QStringLiteral("Soup"));
    f.addLine(QStringLiteral("Milk"), 1, 0, QStringLiteral("cup"));
    f.setServings(12);
    f.get<QRadioButton>("F_DOpt_1")->click();
    f.screen->calcBarToolClick(QStringLiteral("start")); // names are compared ignoring case
    QCOMPARE(f.rows(), QStringList{});
    QCOMPARE(f.entries(), QStringList{});
    QCOMPARE(f.get<QLineEdit>("NameTxt")->text(), QString());
    for (const char* label : {"lblCals", "lblFg", "lblFP", "lblName", "lbl1M", "Label24"})
        QCOMPARE(f.text(label), QString());
    QCOMPARE(f.text("ServingsLbl"), QStringLiteral("1"));
    QCOMPARE(f.get<Spinner>("ServingsVs")->value(), 10);
    QVERIFY(f.get<QRadioButton>("F_DOpt_0")->isChecked());
    QCOMPARE(f.text("StatusLbl"), QStringLiteral("Changes not Saved"));
    QVERIFY(!f.get<QLabel>("LblPress")->isVisible());
    QCOMPARE(f.screen->servingsDivisor(), 1.0f);
}

void TestAnalysisScreen::savingChecksAndStores()
{
    Fixture f;
    f.tool("Save");
    QCOMPARE(f.titles(), QStringList{QStringLiteral("No Name")});
    QCOMPARE(f.messages[0].text, QStringLiteral("Your recipe must have a name."));
    f.get<QLineEdit>("NameTxt")->setText(QStringLiteral("Toast"));
    f.tool("Save");
    QCOMPARE(f.titles().last(), QStringLiteral("Strange Recipe"));
    QCOMPARE(f.messages.last().text,
             QStringLiteral("Your Recipe has no ingredients. Your Recipe was NOT saved!"));
    QCOMPARE(f.messages.last().icon, MessageBox::Icon::Critical);

    f.addLine(QStringLiteral("Flour"), 1, 0, QStringLiteral("cup"));
    f.setServings(5);
    f.answers = {MessageBox::Answer::Yes};
    f.tool("Save");
    QCOMPARE(f.titles().last(), QStringLiteral("No Directions?"));
    QCOMPARE(f.messages.last().text,
             QStringLiteral("There are no directions for this recipe.  Would like to enter some."));
    QVERIFY(!QFile::exists(QStringLiteral("Recipe.Dat")) ||
            readFile(QStringLiteral("Recipe.Dat")).isEmpty());

    f.answers = {MessageBox::Answer::No};
    f.tool("Save");
    QCOMPARE(readFile(QStringLiteral("Recipe.Dat")), QByteArray("\xaeToast\xa7"
                                                                "1/2\xc8\xce"
                                                                "Flour\xcf\xbc"
                                                                "1\xca"
                                                                "cup\x90\xc6\xbf\xdf\r\n"));
    QCOMPARE(f.text("StatusLbl"), QStringLiteral("Changes Saved"));
    QCOMPARE(f.recipeNames.stringList(), QStringList{QStringLiteral("Toast")});
    // The recipe stays on the screen, and halving the servings was taken in on saving.
    QCOMPARE(f.rows().size(), 1);
    QCOMPARE(f.text("lblFg"), QStringLiteral("2.4g"));

    f.get<QPlainTextEdit>("DirectionsTxt")->setPlainText(QStringLiteral("Toast it."));
    QCOMPARE(f.text("StatusLbl"), QStringLiteral("Changes not Saved"));
}

void TestAnalysisScreen::savingUnderAStoredName_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("newName");
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QString>("nameAfter");
    QTest::addColumn<QStringList>("titles");
    const QStringList stored{QStringLiteral("Soup"), QStringLiteral("Salad"),
                             QStringLiteral("Stew")};
    const QStringList replaced{QStringLiteral("Stew"), QStringLiteral("Salad"),
                               QStringLiteral("Soup")};
    const QStringList stillStored{QStringLiteral("Not Saved")};
    QTest::newRow("Replace: the last recipe takes the old place, the new version goes last")
        << QStringLiteral("Soup") << QStringLiteral("ReplaceCmd") << QString() << replaced
        << QStringLiteral("Soup") << QStringList{};
    QTest::newRow("Replace under the name in other letters deletes nothing and says so")
        << QStringLiteral("soup") << QStringLiteral("ReplaceCmd") << QString() << stored
        << QStringLiteral("soup") << stillStored;
    QTest::newRow("Change to a new name")
        << QStringLiteral("soup") << QStringLiteral("ChangeCmd") << QStringLiteral("Soup 2")
        << stored + QStringList{QStringLiteral("Soup 2")} << QStringLiteral("Soup 2")
        << QStringList{};
    QTest::newRow("Change keeping the name replaces")
        << QStringLiteral("Soup") << QStringLiteral("ChangeCmd") << QStringLiteral("Soup")
        << replaced << QStringLiteral("Soup") << QStringList{};
    QTest::newRow("Change to the name in other letters: nothing is saved")
        << QStringLiteral("Soup") << QStringLiteral("ChangeCmd") << QStringLiteral("SOUP") << stored
        << QStringLiteral("SOUP") << stillStored;
    QTest::newRow("Cancel changes nothing")
        << QStringLiteral("soup") << QStringLiteral("CancelCmd") << QString() << stored
        << QStringLiteral("soup") << QStringList{};
}

void TestAnalysisScreen::savingUnderAStoredName()
{
    QFETCH(QString, typed);
    QFETCH(QString, button);
    QFETCH(QString, newName);
    QFETCH(QStringList, names);
    QFETCH(QString, nameAfter);
    QFETCH(QStringList, titles);
    Fixture f;
    for (const char* name : {"Soup", "Salad", "Stew"}) {
        f.tool("Start");
        f.addLine(QStringLiteral("Milk"), 1, 0, QStringLiteral("cup"));
        f.save(QString::fromLatin1(name), QStringLiteral("Stir."));
    }
    f.tool("Start");
    f.addLine(QStringLiteral("Flour"), 3, 0, QStringLiteral("cup"));
    clickInNextDialog(button, [newName, typed](QDialog* dialog) {
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Name Conflict"));
        QCOMPARE(dialog->findChild<QLabel*>(QStringLiteral("TopLbl"))->text(),
                 typed + QStringLiteral(" is already saved."));
        QCOMPARE(dialog->findChild<QLabel*>(QStringLiteral("ChangeLbl"))->text(),
                 QStringLiteral("Change the name of ") + typed +
                     QStringLiteral(" to a new name.  Type the new name in the box below and "
                                    "press the Change To: and Save button."));
        if (!newName.isNull())
            dialog->findChild<QLineEdit*>(QStringLiteral("NameTxt"))->setText(newName);
    });
    f.save(typed, QStringLiteral("Bake."));
    QCOMPARE(f.titles(), titles);
    QCOMPARE(f.session.recipes.recipeNames(), names);
    QCOMPARE(f.get<QLineEdit>("NameTxt")->text(), nameAfter);
    QCOMPARE(f.text("StatusLbl"), titles.isEmpty() && button != QLatin1String("CancelCmd")
                                      ? QStringLiteral("Changes Saved")
                                      : QStringLiteral("Changes not Saved"));
    QStringList listed = names;
    std::stable_sort(listed.begin(), listed.end(), SortedNameModel::lessForPeople);
    QCOMPARE(f.recipeNames.stringList(), listed);
    RecipeStore reloaded;
    QVERIFY(!reloaded.load());
    QCOMPARE(reloaded.recipeNames(), names);
}

void TestAnalysisScreen::textTheFileCannotHoldIsRefused_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("directions");
    QTest::addColumn<QString>("character");
    QTest::newRow("a name outside the code page")
        << QStringLiteral("Pho \u1edf") << QStringLiteral("Boil.") << QStringLiteral("\u1edf");
    QTest::newRow("a mark in the name")
        << QStringLiteral("Wei\u00dfwurst") << QStringLiteral("Boil.") << QStringLiteral("\u00df");
    QTest::newRow("an arrow in the directions")
        << QStringLiteral("Pie") << QStringLiteral("Mix \u2192 bake.") << QStringLiteral("\u2192");
    QTest::newRow("a mark in the directions")
        << QStringLiteral("Pie") << QStringLiteral("Costs \u00a5 5") << QStringLiteral("\u00a5");
}

void TestAnalysisScreen::textTheFileCannotHoldIsRefused()
{
    QFETCH(QString, name);
    QFETCH(QString, directions);
    QFETCH(QString, character);
    Fixture f;
    f.addLine(QStringLiteral("Milk"), 1, 0, QStringLiteral("cup"));
    f.save(name, directions);
    QCOMPARE(f.titles(), QStringList{QStringLiteral("Not Saved")});
    QVERIFY(f.messages[0].text.contains(character));
    QVERIFY(readFile(QStringLiteral("Recipe.Dat")).isEmpty());
    QCOMPARE(f.session.recipes.count(), 0);
    QCOMPARE(f.rows().size(), 1);
    QCOMPARE(f.get<QLineEdit>("NameTxt")->text(), name);
    QCOMPARE(f.text("StatusLbl"), QStringLiteral("Changes not Saved"));
}

void TestAnalysisScreen::longNameEmptiesTheScreen()
{
    Fixture f;
    f.addLine(QStringLiteral("Milk"), 1, 0, QStringLiteral("cup"));
    f.get<QLineEdit>("NameTxt")->setText(QString(50, u'a'));
    QVERIFY(f.messages.isEmpty());
    f.get<QLineEdit>("NameTxt")->setText(QString(51, u'a'));
    QCOMPARE(f.titles(), QStringList{QStringLiteral("There's a Problem")});
    QCOMPARE(f.messages[0].text, QStringLiteral("50 letters is the maximum for the \r\nname of the "
                                                "recipe.\r\n\r\nPlease enter it again."));
    QCOMPARE(f.get<QLineEdit>("NameTxt")->text(), QString());
    QCOMPARE(f.rows(), QStringList{});
}

void TestAnalysisScreen::storedRecipeIsTakenOver()
{
    Fixture f;
    f.setServings(20);
    f.session.sharedTotals.totFat = 4.5f;
    f.session.sharedTotals.totCalories = 120;
    f.session.shownServings = 0.375f;
    f.session.shownPanel.name = QStringLiteral("Pie");
    f.session.shownPanel.makes = QStringLiteral("Makes 3/8 servings");
    f.session.shownPanel.panel.fatG = QStringLiteral("4.5g");
    f.session.shownPanel.panel.cals = QStringLiteral("120");
    f.session.shownPanel.shares.fat = QStringLiteral("33.8% of calories from Fat");
    f.session.shownPanel.servings = QStringLiteral("3/8");
    f.screen->editStoredRecipe(QStringLiteral("Pie"), {QStringLiteral("1  cup     Milk")},
                               {QStringLiteral("\u00ceMilk\u00cf\u00bc1\u00cacup\u0090")},
                               QStringLiteral("Bake."));
    QCOMPARE(f.get<QLineEdit>("NameTxt")->text(), QStringLiteral("Pie"));
    QCOMPARE(f.text("lblFg"), QStringLiteral("4.5g"));
    QCOMPARE(f.text("lblCals"), QStringLiteral("120"));
    QCOMPARE(f.text("Label24"), QStringLiteral("33.8% of calories from Fat"));
    QCOMPARE(f.text("ServingsLbl"), QStringLiteral("3/8"));
    QCOMPARE(f.get<Spinner>("ServingsVs")->value(), 4);
    QCOMPARE(f.screen->servingsDivisor(), 0.375f);
    QCOMPARE(f.screen->recipeTotals().totFat, 4.5f);
    QVERIFY(!f.session.editingStoredRecipe);
    QVERIFY(!f.get<QLabel>("LblPress")->isVisible());
    QCOMPARE(f.rows(), QStringList{QStringLiteral("1  cup     Milk")});
    QCOMPARE(f.get<QPlainTextEdit>("DirectionsTxt")->toPlainText(), QStringLiteral("Bake."));
    QCOMPARE(f.text("StatusLbl"), QStringLiteral("Changes Saved"));

    // Taking the line out subtracts what it added at these servings.
    clickInNextDialog(QStringLiteral("DeleteCmd"));
    f.clickRow(0);
    QCOMPARE(f.screen->recipeTotals(), nutrition::RecipeTotals{});
}

void TestAnalysisScreen::searchHandOverChoosesTheIngredient()
{
    Fixture f;
    int searches = 0;
    f.screen->setSearchOpener([&searches] { ++searches; });
    QVERIFY(f.get<QLabel>("SearchLbl")->isVisible());
    QTest::mouseClick(f.get<QLabel>("SearchLbl"), Qt::LeftButton);
    QCOMPARE(searches, 1);
    f.screen->chooseIngredientFromSearch(QStringLiteral("Cheese"));
    QTRY_COMPARE(f.get<QLineEdit>("R_IngLstText")->text(), QStringLiteral("Cheese"));
    QCOMPARE(f.units().value(0), QStringLiteral("slice"));
    QCOMPARE(f.screen->currentIng().name, QStringLiteral("Cheese"));
}

void TestAnalysisScreen::statusExplainsItself()
{
    Fixture f;
    QTest::mouseClick(f.get<QLabel>("StatusLbl"), Qt::LeftButton);
    QTest::mouseClick(f.get<QLabel>("StatusImg"), Qt::LeftButton);
    QCOMPARE(f.messages.size(), 2);
    QCOMPARE(f.messages[0].text,
             QStringLiteral("This box lets you know if the changes to your work have been saved "
                            "or not."));
    QCOMPARE(f.messages[0].title, QString());
    QCOMPARE(f.text("StatusLbl"), QStringLiteral("Changes not Saved"));
}

void TestAnalysisScreen::fitsTheScreen()
{
    Fixture f;
    // Room for the main window's title, menu and toolbar rows on a 1024 by 768 screen.
    const QSize least = f.screen->minimumSizeHint();
    QVERIFY2(least.width() <= 1024 && least.height() <= 768 - 120,
             qPrintable(QStringLiteral("%1x%2").arg(least.width()).arg(least.height())));
    QCOMPARE(f.screen->objectName(), QStringLiteral("CalcFrm"));
}

QTEST_MAIN(TestAnalysisScreen)
#include "tst_analysisscreen.moc"
