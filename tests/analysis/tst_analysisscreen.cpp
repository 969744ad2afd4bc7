#include "analysis/analysisscreen.h"
#include "core/session.h"
#include "core/sortednamemodel.h"
#include "platform/dropdownbox.h"
#include "platform/helpviewer.h"
#include "platform/messagebox.h"
#include "platform/spinner.h"
#include "platform/toolbar.h"
#include "widgets/caloriebar.h"
#include "widgetsupport.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTimer>
#include <QToolButton>

using namespace zestora;
using zestora::testing::clickInNextDialog;
using zestora::testing::readFile;
using zestora::testing::TempWorkDir;
using zestora::testing::writeFile;

namespace {

QList<IngRecord> pantry()
{
    using zestora::testing::food;
    return {food(u"Flour"_s, 1, u"cup"_s, 125, u"g"_s, {1.2f, 0.2f, 95.4f, 3.4f, 12.9f, 0, 2}),
            food(u"Butter"_s, 1, u"tbs"_s, 14, u"g"_s, {11.5f, 7.3f, 0, 0, 0, 31, 91}),
            food(u"Milk"_s, 1, u"cup"_s, 0, {}, {8, 0, 12, 0, 8, 24}),
            food(u"Cheese"_s, 1, u"slice"_s, 28, u"g"_s, {.fat = 9, .protein = 7}, true),
            food(u"Pepper"_s, 1, u"pinch"_s),
            food(u"egg"_s, 1, u"egg"_s, 50, u"piece"_s,
                 {.fat = 5, .protein = 6, .cholesterol = 186}, true)};
}

// The analysis screen over a session whose ingredient database holds the pantry.
struct Fixture : zestora::testing::MessageRecorder {
    TempWorkDir dir;
    Session session;
    HelpViewer help;
    SortedNameModel ingredientNames;
    SortedNameModel recipeNames;
    std::unique_ptr<AnalysisScreen> screen;

    Fixture()
    {
        writeFile(u"Ing.dat"_s, IngTable::toBytes(pantry()));
        session.ingredients.loadIngTable();
        session.recipes.load();
        ingredientNames.fill(session.ingredients.trimmedNames());
        recipeNames.fill(session.recipes.recipeNames());
        screen = std::make_unique<AnalysisScreen>(session, help, &ingredientNames, &recipeNames,
                                                  nullptr);
        screen->resize(1260, 700);
        screen->show();
        screen->formLoad();
    }

    template <typename T> T* get(const char* name) const
    {
        T* widget = screen->findChild<T*>(QString::fromLatin1(name));
        if (!widget)
            qFatal("no control %s", name);
        return widget;
    }
    QString text(const char* label) const { return get<QLabel>(label)->text(); }
    QStringList rows() const { return zestora::testing::texts(get<QListWidget>("R_IngLst")); }
    QStringList entries() const { return zestora::testing::texts(get<QListWidget>("InvisLst")); }
    QStringList units() const { return zestora::testing::texts(get<QComboBox>("MeasureLst")); }

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
    void typingSetsASpinner_data();
    void typingSetsASpinner();
    void keyboardAlone();
    void servingsChangeRescalesOnOk();
    void lineEditorInsertsReplacesAndDeletes();
    void headings();
    void startOverEmptiesTheScreen();
    void savingChecksAndStores();
    void savingUnderAStoredName_data();
    void savingUnderAStoredName();
    void textTheFileCannotHoldIsRefused_data();
    void textTheFileCannotHoldIsRefused();
    void longNameKeepsItsFirstFiftyLetters();
    void searchHandOverChoosesTheLastRowOfTheName();
    void statusExplainsItself();
    void fitsTheScreen();
    void showsWhereTheNumbersComeFrom();
};

void TestAnalysisScreen::aLineShowsOnThePanel()
{
    Fixture f;
    f.get<QLineEdit>("NameTxt")->setText(u"Bread"_s);
    QCOMPARE(f.text("lblName"), u"Bread"_s);
    f.addLine(u"Flour"_s, 1, 5, u"cup"_s);
    QCOMPARE(f.rows(), QStringList{u"1 1/2  cup     Flour"_s});
    QCOMPARE(f.entries(), QStringList{u"\u00ceFlour\u00cf\u00bc1 1/2\u00cacup\u0090"_s});
    QCOMPARE(f.text("lblCals"), u"666"_s);
    QCOMPARE(f.text("lblFCals"), u"16"_s);
    QCOMPARE(f.text("lblFg"), u"1.8g"_s);
    QCOMPARE(f.text("lblFP"), u"3%"_s);
    QCOMPARE(f.text("lblSg"), u"3mg"_s);
    QCOMPARE(f.text("lblTCg"), u"143.1g"_s);
    // 12.9 as a single is just under, so one and a half of it rounds down.
    QCOMPARE(f.text("lblPg"), u"19.3g"_s);
    QCOMPARE(f.text("lblPP"), QString());
    QCOMPARE(f.text("Label24"), u"2.4% of calories from Fat"_s);
    QCOMPARE(f.text("Label23"), u"86% from Carbohydrates"_s);
    QCOMPARE(f.text("Label21"), u"11.6% from Protein"_s);
    QCOMPARE(f.text("StatusLbl"), u"Changes not Saved"_s);
    // Ready for the next line.
    QCOMPARE(f.get<QLineEdit>("R_IngLstText")->text(), QString());
    QCOMPARE(f.get<DropDownBox>("IngLst2")->text(), u"Select From This List"_s);
    QCOMPARE(f.units(), QStringList{});
    QVERIFY(f.messages.isEmpty());

    // Two tablespoons of butter in grams of its second measure.
    f.addLine(u"Butter"_s, 28, 0, u"g"_s);
    QCOMPARE(f.rows().last(), u"28  g     Butter"_s);
    QCOMPARE(f.text("lblCg"), u"62mg"_s);
    QCOMPARE(f.text("lblFg"), u"24.8g"_s);
}

void TestAnalysisScreen::addingRefusesWhatIsMissing()
{
    Fixture f;
    f.get<QPushButton>("Addcmd")->click();
    f.choose(u"Milk"_s);
    f.get<QPushButton>("Addcmd")->click();
    f.setQuantity(2, 0);
    f.get<QPushButton>("Addcmd")->click();
    f.get<QPushButton>("Addcmd")->click();
    QCOMPARE(f.titles(), (QStringList{u"Nothing Selected"_s, u"* * * * Error * * * *"_s,
                                      u"Nothing Selected"_s}));
    QCOMPARE(f.messages[0].text, u"You must first select an ingredient before you can add it."_s);
    QCOMPARE(f.messages[1].text, u"You must enter a quantity."_s);
    QCOMPARE(f.rows(), QStringList{u"2  ml     Milk"_s});
}

void TestAnalysisScreen::unitsFollowTheMeasures_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("units");
    const QStringList volumes{u"ml"_s, u"tsp"_s, u"tbs"_s, u"cup"_s, u"pint"_s, u"quart"_s};
    const QStringList weights{u"oz"_s, u"g"_s, u"lb"_s};
    QTest::newRow("volume and weight") << u"Flour"_s << volumes + weights;
    QTest::newRow("volume only") << u"Milk"_s << volumes;
    QTest::newRow("own measure first, then weights")
        << u"Cheese"_s << QStringList{u"slice"_s} + weights;
    QTest::newRow("neither: no unit") << u"Pepper"_s << QStringList{};
    QTest::newRow("own measure only") << u"egg"_s << QStringList{u"egg"_s};
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
    QCOMPARE(f.text("lbl1M"), u"Makes 1 servings"_s);
    if (units.isEmpty()) {
        // Without a unit the quantity counts the first measure.
        f.setQuantity(2, 0);
        f.get<QPushButton>("Addcmd")->click();
        QCOMPARE(f.rows(), QStringList{u"2       Pepper"_s});
    }
}

void TestAnalysisScreen::spinnersEnterFractionsAndDecimals()
{
    Fixture f;
    f.choose(u"Milk"_s);
    auto* fraction = f.get<Spinner>("FracVs");
    fraction->upButton()->click();
    fraction->upButton()->click();
    fraction->upButton()->click();
    QCOMPARE(fraction->value(), 3);
    QCOMPARE(f.text("FracTxt"), u"1/3"_s);
    QCOMPARE(f.text("OnesTxt"), QString());
    f.get<QPushButton>("Addcmd")->click();
    QCOMPARE(f.rows().last(), u"1/3  ml     Milk"_s);

    f.choose(u"Milk"_s);
    f.get<QRadioButton>("F_DOpt_1")->click();
    QVERIFY(f.get<QLabel>("DLbl")->isVisible());
    f.get<Spinner>("FracVs")->setValue(5);
    QCOMPARE(f.text("FracTxt"), u"5"_s);
    f.get<Spinner>("OnesVs")->upButton()->click();
    QCOMPARE(f.text("OnesTxt"), u"1"_s);
    f.get<Spinner>("OnesVs")->downButton()->click();
    QCOMPARE(f.get<Spinner>("OnesVs")->value(), 0);
    QCOMPARE(f.text("OnesTxt"), u"0"_s);
    f.setUnit(u"cup"_s);
    f.get<QPushButton>("Addcmd")->click();
    QCOMPARE(f.rows().last(), u"0.5  cup     Milk"_s);
    QVERIFY(f.entries().last().contains(u"\u00d00.5\u00ca"_s));
    QVERIFY(f.get<QRadioButton>("F_DOpt_0")->isChecked());
    QCOMPARE(f.text("lblFg"), u"4g"_s);
}

void TestAnalysisScreen::typingSetsASpinner_data()
{
    // Keys: digits, "<" for Backspace, "^" for the up arrow.
    QTest::addColumn<QString>("spinner");
    QTest::addColumn<bool>("decimals");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("shown");
    const auto row = [](const char* name, const char* spinner, bool decimals, const char* keys,
                        const char* box, const char* shown) {
        QTest::newRow(name) << QString::fromLatin1(spinner) << decimals << QString::fromLatin1(keys)
                            << QString::fromLatin1(box) << QString::fromLatin1(shown);
    };
    row("a whole number", "OnesVs", false, "12", "OnesTxt", "12");
    row("a digit past the range starts a new number", "OnesVs", false, "10005", "OnesTxt", "5");
    row("Backspace takes the last digit back", "OnesVs", false, "34<", "OnesTxt", "3");
    row("the arrows step on from a typed number", "OnesVs", false, "5^", "OnesTxt", "6");
    row("the decimal digit is overtyped", "FracVs", true, "37", "FracTxt", "7");
    row("fractions are chosen with the arrows only", "FracVs", false, "3", "FracTxt", "");
    row("servings as they read", "ServingsVs", false, "12", "ServingsLbl", "12");
    row("no servings of nothing", "ServingsVs", false, "0", "ServingsLbl", "1");
}

void TestAnalysisScreen::typingSetsASpinner()
{
    QFETCH(QString, spinner);
    QFETCH(bool, decimals);
    QFETCH(QString, keys);
    QFETCH(QString, box);
    QFETCH(QString, shown);
    Fixture f;
    f.choose(u"Milk"_s);
    if (decimals)
        f.get<QRadioButton>("F_DOpt_1")->click();
    auto* target = f.get<Spinner>(qPrintable(spinner));
    for (const QChar key : keys) {
        if (key == u'<')
            QTest::keyClick(target, Qt::Key_Backspace);
        else if (key == u'^')
            QTest::keyClick(target, Qt::Key_Up);
        else
            QTest::keyClick(target, key.toLatin1());
    }
    QCOMPARE(f.text(qPrintable(box)), shown);
}

void TestAnalysisScreen::keyboardAlone()
{
    Fixture f;
    f.screen->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(f.screen.get()));
    const auto focused = [] {
        return QApplication::focusWidget();
    };
    const auto enter = [&focused] {
        QTest::keyClick(focused(), Qt::Key_Return);
    };

    // The servings box shows that its spinner has the focus.
    auto* servingsBox = f.get<QLabel>("ServingsLbl");
    const QImage unfocused = servingsBox->grab().toImage();
    f.get<QLineEdit>("NameTxt")->setFocus();
    QTest::keyClicks(focused(), u"Soup"_s);
    enter();
    QCOMPARE(focused(), f.get<Spinner>("ServingsVs"));
    QVERIFY(servingsBox->grab().toImage() != unfocused);

    // The reminder to press OK appears without moving what lies below it.
    const auto placesNow = [&f] {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
        QList<QPoint> places;
        for (const char* name : {"IngLst2", "OnesVs", "MeasureLst", "Addcmd"})
            places.append(f.get<QWidget>(name)->mapTo(f.screen.get(), QPoint()));
        return places;
    };
    const QList<QPoint> places = placesNow();
    QTest::keyClicks(focused(), u"2"_s);
    QVERIFY(f.get<QLabel>("LblPress")->isVisible());
    QCOMPARE(f.text("ServingsLbl"), u"2"_s);
    QCOMPARE(placesNow(), places);
    // Enter presses the focused button.
    f.get<QPushButton>("OkCmd")->setFocus();
    enter();
    QVERIFY(!f.get<QLabel>("LblPress")->isVisible());

    // Chosen with Enter, an ingredient hands the focus to its quantity.
    auto* list = f.get<QListView>("IngLst");
    list->setFocus();
    list->setCurrentIndex(f.ingredientNames.index(f.ingredientNames.rowOf(u"Milk"_s)));
    enter();
    QCOMPARE(f.get<QLineEdit>("R_IngLstText")->text(), u"Milk"_s);
    QCOMPARE(focused(), f.get<Spinner>("OnesVs"));
    QTest::keyClicks(focused(), u"3"_s);
    f.get<QPushButton>("Addcmd")->setFocus();
    enter();
    QCOMPARE(f.rows(), QStringList{u"3  ml     Milk"_s});

    // In a dialog too, Enter presses the focused button; the dialog shows its whole title.
    zestora::testing::onNextDialog([](QDialog* dialog) {
        QVERIFY(dialog->width() > dialog->fontMetrics().horizontalAdvance(dialog->windowTitle()));
        dialog->findChild<QLineEdit*>(u"SubHeadTxt"_s)->setText(u"Never"_s);
        auto* cancel = dialog->findChild<QPushButton*>(u"CancelCmd"_s);
        cancel->setFocus();
        QTest::keyClick(cancel, Qt::Key_Return);
    });
    f.tool("Heading");
    QCOMPARE(f.rows().size(), 1);
}

void TestAnalysisScreen::servingsChangeRescalesOnOk()
{
    Fixture f;
    // A line added before OK counts by the servings the panel is for, so OK rescales it once.
    f.setServings(11);
    f.addLine(u"Milk"_s, 2, 0, u"cup"_s);
    QCOMPARE(f.text("lblFg"), u"16g"_s);
    QCOMPARE(f.text("lblCals"), u"304"_s);
    f.setServings(13);
    QCOMPARE(f.text("ServingsLbl"), u"4"_s);
    QCOMPARE(f.text("lbl1M"), u"Makes 4 servings"_s);
    QVERIFY(f.screen->findChild<QTimer*>(u"FlashTmr"_s)->isActive());
    QVERIFY(f.get<QLabel>("LblPress")->isVisible());
    QCOMPARE(f.text("lblFg"), u"16g"_s);
    f.get<QPushButton>("OkCmd")->click();
    QCOMPARE(f.text("lblFg"), u"4g"_s);
    QCOMPARE(f.text("lblCals"), u"76"_s);
    QCOMPARE(f.text("lblCg"), u"12mg"_s);
    QVERIFY(!f.screen->findChild<QTimer*>(u"FlashTmr"_s)->isActive());
    QVERIFY(!f.get<QLabel>("LblPress")->isVisible());
    f.get<QPushButton>("OkCmd")->click();
    QCOMPARE(f.text("lblFg"), u"4g"_s);

    // Servings of a half: the totals double.
    f.setServings(5);
    QCOMPARE(f.text("ServingsLbl"), u"1/2"_s);
    f.get<QPushButton>("OkCmd")->click();
    QCOMPARE(f.text("lblFg"), u"32g"_s);
}

void TestAnalysisScreen::lineEditorInsertsReplacesAndDeletes()
{
    Fixture f;
    f.addLine(u"Flour"_s, 1, 0, u"cup"_s);
    f.addLine(u"Milk"_s, 1, 0, u"cup"_s);
    f.addLine(u"Butter"_s, 1, 0, u"tbs"_s);
    const QString fatWithAll = f.text("lblFg");
    QCOMPARE(fatWithAll, u"20.7g"_s);

    // Replace the second line with two cups of milk.
    clickInNextDialog(u"EditCmd"_s, [](QDialog* dialog) {
        QCOMPARE(dialog->objectName(), u"EditFrm"_s);
        QCOMPARE(dialog->findChild<QLabel*>(u"InsertLbl"_s)->text(), u"1  cup     Milk"_s);
    });
    f.clickRow(1);
    QCOMPARE(f.rows().size(), 2);
    QVERIFY(f.get<QListWidget>("R_IngLst")->selectedItems().isEmpty());
    QCOMPARE(f.text("lblFg"), u"12.7g"_s);
    f.addLine(u"Milk"_s, 2, 0, u"cup"_s);
    QCOMPARE(f.rows(),
             (QStringList{u"1  cup     Flour"_s, u"2  cup     Milk"_s, u"1  tbs     Butter"_s}));
    QCOMPARE(f.text("lblFg"), u"28.7g"_s);

    // Insert after the first line.
    clickInNextDialog(u"InsertCmd"_s);
    f.clickRow(0);
    f.addLine(u"Cheese"_s, 1, 0, u"slice"_s);
    QCOMPARE(f.rows().at(1), u"1  slice     Cheese"_s);
    QCOMPARE(f.entries().size(), 4);

    // Cancel changes nothing; delete takes the line and its nutrients out.
    clickInNextDialog(u"CancelCmd"_s);
    f.clickRow(0);
    QCOMPARE(f.rows().size(), 4);
    for (int i = 0; i < 4; ++i) {
        clickInNextDialog(u"DeleteCmd"_s);
        f.clickRow(0);
        QVERIFY(f.get<QListWidget>("R_IngLst")->selectedItems().isEmpty());
    }
    QCOMPARE(f.rows(), QStringList{});
    QCOMPARE(f.text("lblFg"), u"0g"_s);
    QCOMPARE(f.text("lblCals"), u"0"_s);
    QCOMPARE(f.text("Label24"), u"0% calories from Fat"_s);
    QCOMPARE(f.text("Label23"), u"0% from Carbohydrates"_s);
    QCOMPARE(f.text("Label21"), u"0% from Protein"_s);
}

void TestAnalysisScreen::headings()
{
    Fixture f;
    clickInNextDialog(u"DoneCmd"_s, [](QDialog* dialog) {
        QCOMPARE(dialog->windowTitle(), u"Add a Heading or blank line"_s);
        const QPoint middle = dialog->screen()->availableGeometry().center();
        QVERIFY((dialog->geometry().center() - middle).manhattanLength() < 4);
        dialog->findChild<QLineEdit*>(u"SubHeadTxt"_s)->setText(u"Dough"_s);
    });
    f.tool("Heading");
    QCOMPARE(f.rows(), QStringList{u"Dough"_s});
    f.addLine(u"Flour"_s, 2, 0, u"cup"_s);
    const QString fat = f.text("lblFg");
    clickInNextDialog(u"DoneCmd"_s, [](QDialog* dialog) {
        dialog->findChild<QLineEdit*>(u"SubHeadTxt"_s)->setText(u"Glaze"_s);
    });
    f.tool("Heading");
    QCOMPARE(f.rows(), (QStringList{u"Dough"_s, u"2  cup     Flour"_s, u" "_s, u"Glaze"_s}));
    QCOMPARE(f.entries().at(2), u"\u00ce\u00a5 \u0090"_s);
    QCOMPARE(f.entries().at(3), u"\u00ce\u00a5Glaze\u0090"_s);

    // Deleting a heading changes no total; a heading over 50 letters is refused as typed.
    clickInNextDialog(u"DeleteCmd"_s);
    f.clickRow(3);
    QCOMPARE(f.text("lblFg"), fat);
    clickInNextDialog(u"CancelCmd"_s, [](QDialog* dialog) {
        dialog->findChild<QLineEdit*>(u"SubHeadTxt"_s)->setText(QString(51, u'x'));
        QCOMPARE(dialog->findChild<QLineEdit*>(u"SubHeadTxt"_s)->text(), QString());
    });
    f.tool("Heading");
    QCOMPARE(f.titles(), QStringList{u"Too many Letters"_s});
    QCOMPARE(f.rows().size(), 3);
}

void TestAnalysisScreen::startOverEmptiesTheScreen()
{
    Fixture f;
    f.get<QLineEdit>("NameTxt")->setText(u"Soup"_s);
    f.addLine(u"Milk"_s, 1, 0, u"cup"_s);
    f.setServings(12);
    f.get<QRadioButton>("F_DOpt_1")->click();
    f.tool("Start");
    QCOMPARE(f.rows(), QStringList{});
    QCOMPARE(f.entries(), QStringList{});
    QCOMPARE(f.get<QLineEdit>("NameTxt")->text(), QString());
    for (const char* label : {"lblCals", "lblFg", "lblFP", "lblName", "Label24"})
        QCOMPARE(f.text(label), QString());
    // The servings spinner is put back after the panel was emptied.
    QCOMPARE(f.text("lbl1M"), u"Makes 1 servings"_s);
    QCOMPARE(f.text("ServingsLbl"), u"1"_s);
    QCOMPARE(f.get<Spinner>("ServingsVs")->value(), 10);
    QVERIFY(f.get<QRadioButton>("F_DOpt_0")->isChecked());
    QCOMPARE(f.text("StatusLbl"), u"Changes not Saved"_s);
    QVERIFY(!f.get<QLabel>("LblPress")->isVisible());
    QVERIFY(!f.get<QListView>("IngLst")->isVisible());
    QVERIFY(f.get<QLabel>("Label3")->isVisible());

    // Starting over for a stored recipe leaves the ingredient list as it is.
    f.get<DropDownBox>("IngLst2")->showPopup();
    f.screen->startOver();
    QVERIFY(f.get<QListView>("IngLst")->isVisible());
    QVERIFY(f.get<QLabel>("Label3")->isVisible());
}

void TestAnalysisScreen::savingChecksAndStores()
{
    Fixture f;
    f.tool("Save");
    QCOMPARE(f.titles(), QStringList{u"No Name"_s});
    QCOMPARE(f.messages[0].text, u"Your recipe must have a name."_s);
    f.get<QLineEdit>("NameTxt")->setText(u"Toast"_s);
    f.tool("Save");
    QCOMPARE(f.titles().last(), u"Strange Recipe"_s);
    QCOMPARE(f.messages.last().text,
             u"Your Recipe has no ingredients. Your Recipe was NOT saved!"_s);
    QCOMPARE(f.messages.last().icon, MessageBox::Icon::Critical);

    f.addLine(u"Flour"_s, 1, 0, u"cup"_s);
    f.setServings(5);
    f.answers = {MessageBox::Answer::Yes};
    f.tool("Save");
    QCOMPARE(f.titles().last(), u"No Directions?"_s);
    QCOMPARE(f.messages.last().text,
             u"There are no directions for this recipe.  Would like to enter some."_s);
    QVERIFY(!QFile::exists(u"Recipe.Dat"_s) || readFile(u"Recipe.Dat"_s).isEmpty());

    f.answers = {MessageBox::Answer::No};
    f.tool("Save");
    QCOMPARE(readFile(u"Recipe.Dat"_s), QByteArray("\xaeToast\xa7"
                                                   "1/2\xc8\xce"
                                                   "Flour\xcf\xbc"
                                                   "1\xca"
                                                   "cup\x90\xc6\xbf\xdf\r\n"));
    QCOMPARE(f.text("StatusLbl"), u"Changes Saved"_s);
    QCOMPARE(f.recipeNames.stringList(), QStringList{u"Toast"_s});
    // The recipe stays on the screen, and halving the servings was taken in on saving.
    QCOMPARE(f.rows().size(), 1);
    QCOMPARE(f.text("lblFg"), u"2.4g"_s);

    f.get<QPlainTextEdit>("DirectionsTxt")->setPlainText(u"Toast it."_s);
    QCOMPARE(f.text("StatusLbl"), u"Changes not Saved"_s);
}

void TestAnalysisScreen::savingUnderAStoredName_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("newName");
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QString>("nameAfter");
    QTest::addColumn<QStringList>("titles");
    const QStringList stored{u"Soup"_s, u"Salad"_s, u"Stew #1"_s};
    const QStringList replaced{u"Stew #1"_s, u"Salad"_s, u"Soup"_s};
    const QStringList stillStored{u"Not Saved"_s};
    QTest::newRow("Replace: the last recipe takes the old place, the new version goes last")
        << u"Soup"_s << u"ReplaceCmd"_s << QString() << replaced << u"Soup"_s << QStringList{};
    QTest::newRow("Replace under the name in other letters deletes nothing and says so")
        << u"soup"_s << u"ReplaceCmd"_s << QString() << stored << u"soup"_s << stillStored;
    QTest::newRow("Change to a new name")
        << u"soup"_s << u"ChangeCmd"_s << u"Soup 2"_s << stored + QStringList{u"Soup 2"_s}
        << u"Soup 2"_s << QStringList{};
    QTest::newRow("Change keeping the name replaces")
        << u"Soup"_s << u"ChangeCmd"_s << u"Soup"_s << replaced << u"Soup"_s << QStringList{};
    QTest::newRow("Change to the name in other letters: nothing is saved")
        << u"Soup"_s << u"ChangeCmd"_s << u"SOUP"_s << stored << u"SOUP"_s << stillStored;
    QTest::newRow("Cancel changes nothing")
        << u"soup"_s << u"CancelCmd"_s << QString() << stored << u"soup"_s << QStringList{};
    QTest::newRow("Esc on a name holding pattern characters saves no second one")
        << u"stew #1"_s << QString() << QString() << stored << u"stew #1"_s << stillStored;
    QTest::newRow("Change to another stored name holding pattern characters: nothing is saved")
        << u"Soup"_s << u"ChangeCmd"_s << u"STEW #1"_s << stored << u"STEW #1"_s << stillStored;
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
    for (const char* name : {"Soup", "Salad", "Stew #1"}) {
        f.tool("Start");
        f.addLine(u"Milk"_s, 1, 0, u"cup"_s);
        f.save(QString::fromLatin1(name), u"Stir."_s);
    }
    f.tool("Start");
    f.addLine(u"Flour"_s, 3, 0, u"cup"_s);
    zestora::testing::onNextDialog([button, newName, typed](QDialog* dialog) {
        QCOMPARE(dialog->windowTitle(), u"Name Conflict"_s);
        QCOMPARE(dialog->findChild<QLabel*>(u"TopLbl"_s)->text(), typed + u" is already saved."_s);
        QCOMPARE(dialog->findChild<QLabel*>(u"ChangeLbl"_s)->text(),
                 u"Change the name of "_s + typed +
                     u" to a new name.  Type the new name in the box below and "
                     "press the Change To: and Save button."_s);
        if (!newName.isNull())
            dialog->findChild<QLineEdit*>(u"NameTxt"_s)->setText(newName);
        if (button.isEmpty())
            QTest::keyClick(dialog, Qt::Key_Escape);
        else
            dialog->findChild<QAbstractButton*>(button)->click();
    });
    f.save(typed, u"Bake."_s);
    QCOMPARE(f.titles(), titles);
    QCOMPARE(f.session.recipes.recipeNames(), names);
    QCOMPARE(f.get<QLineEdit>("NameTxt")->text(), nameAfter);
    QCOMPARE(f.text("StatusLbl"), titles.isEmpty() && button != QLatin1String("CancelCmd")
                                      ? u"Changes Saved"_s
                                      : u"Changes not Saved"_s);
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
    QTest::newRow("a name outside the code page") << u"Pho \u1edf"_s << u"Boil."_s << u"\u1edf"_s;
    QTest::newRow("a mark in the name") << u"Wei\u00dfwurst"_s << u"Boil."_s << u"\u00df"_s;
    QTest::newRow("an arrow in the directions") << u"Pie"_s << u"Mix \u2192 bake."_s << u"\u2192"_s;
    QTest::newRow("a mark in the directions") << u"Pie"_s << u"Costs \u00a5 5"_s << u"\u00a5"_s;
}

void TestAnalysisScreen::textTheFileCannotHoldIsRefused()
{
    QFETCH(QString, name);
    QFETCH(QString, directions);
    QFETCH(QString, character);
    Fixture f;
    f.addLine(u"Milk"_s, 1, 0, u"cup"_s);
    f.save(name, directions);
    QCOMPARE(f.titles(), QStringList{u"Not Saved"_s});
    QVERIFY(f.messages[0].text.contains(character));
    QVERIFY(readFile(u"Recipe.Dat"_s).isEmpty());
    QCOMPARE(f.session.recipes.count(), 0);
    QCOMPARE(f.rows().size(), 1);
    QCOMPARE(f.get<QLineEdit>("NameTxt")->text(), name);
    QCOMPARE(f.text("StatusLbl"), u"Changes not Saved"_s);
}

void TestAnalysisScreen::longNameKeepsItsFirstFiftyLetters()
{
    Fixture f;
    f.addLine(u"Milk"_s, 1, 0, u"cup"_s);
    f.get<QPlainTextEdit>("DirectionsTxt")->setPlainText(u"Warm."_s);
    f.get<QLineEdit>("NameTxt")->setText(QString(50, u'a'));
    QVERIFY(f.messages.isEmpty());
    f.get<QLineEdit>("NameTxt")->setText(QString(50, u'a') + u'b');
    QCOMPARE(f.titles(), QStringList{u"There's a Problem"_s});
    QCOMPARE(f.messages[0].text, u"50 letters is the maximum for the \r\nname of the "
                                 "recipe.\r\n\r\nPlease enter it again."_s);
    QCOMPARE(f.get<QLineEdit>("NameTxt")->text(), QString(50, u'a'));
    QCOMPARE(f.text("lblName"), QString(50, u'a'));
    QCOMPARE(f.rows().size(), 1);
    QCOMPARE(f.text("lblFg"), u"8g"_s);
    QCOMPARE(f.get<QPlainTextEdit>("DirectionsTxt")->toPlainText(), u"Warm."_s);
}

void TestAnalysisScreen::searchHandOverChoosesTheLastRowOfTheName()
{
    Fixture f;
    // Two records of one name give two rows; the search chooses the second.
    const int last = f.ingredientNames.insertName(u"Cheese"_s);
    QCOMPARE(f.ingredientNames.rowOf(u"Cheese"_s), last - 1);
    zestora::testing::onNextDialog([](QDialog* search) {
        QCOMPARE(search->objectName(), u"SearchFrm"_s);
        auto* words = search->findChild<QLineEdit*>(u"SearchTxt"_s);
        QTest::keyClicks(words, u"CHEE"_s);
        QTest::keyClick(words, Qt::Key_Return);
        auto* results = search->findChild<QListWidget*>(u"SearchLst"_s);
        QCOMPARE(zestora::testing::texts(results), QStringList{u"Cheese"_s});
        QTest::mouseClick(results->viewport(), Qt::LeftButton, {},
                          results->visualItemRect(results->item(0)).center());
    });
    QTest::mouseClick(f.get<QLabel>("SearchLbl"), Qt::LeftButton);
    QTRY_COMPARE(f.get<QLineEdit>("R_IngLstText")->text(), u"Cheese"_s);
    QCOMPARE(f.get<QListView>("IngLst")->currentIndex().row(), last);
    QCOMPARE(f.units().value(0), u"slice"_s);
    QVERIFY(!f.get<QListView>("IngLst")->isVisible());
}

void TestAnalysisScreen::statusExplainsItself()
{
    Fixture f;
    QTest::mouseClick(f.get<QLabel>("StatusLbl"), Qt::LeftButton);
    QTest::mouseClick(f.get<QLabel>("StatusImg"), Qt::LeftButton);
    QCOMPARE(f.messages.size(), 2);
    QCOMPARE(f.messages[0].text,
             u"This box lets you know if the changes to your work have been saved "
             "or not."_s);
    QCOMPARE(f.messages[0].title, QString());
    QCOMPARE(f.text("StatusLbl"), u"Changes not Saved"_s);
}

void TestAnalysisScreen::fitsTheScreen()
{
    Fixture f;
    // Room for the main window's title, menu and toolbar rows on a 1024 by 768 screen.
    const QSize least = f.screen->minimumSizeHint();
    QVERIFY2(least.width() <= 1024 && least.height() <= 768 - 120,
             qPrintable(u"%1x%2"_s.arg(least.width()).arg(least.height())));
    QCOMPARE(f.screen->objectName(), u"CalcFrm"_s);
    // The tab key follows the work: name, servings, ingredient, quantity, unit, add, directions.
    QStringList order;
    QWidget* widget = f.get<QWidget>("NameTxt");
    for (int i = 0; i < 60 && order.size() < 13; ++i, widget = widget->nextInFocusChain())
        if (!widget->objectName().isEmpty() && widget->focusPolicy() & Qt::TabFocus)
            order.append(widget->objectName());
    QCOMPARE(order,
             (QStringList{u"NameTxt"_s, u"ServingsVs"_s, u"OkCmd"_s, u"IngLst2"_s, u"IngLst"_s,
                          u"F_DOpt_0"_s, u"F_DOpt_1"_s, u"OnesVs"_s, u"FracVs"_s, u"MeasureLst"_s,
                          u"Addcmd"_s, u"R_IngLst"_s, u"DirectionsTxt"_s}));
}

QString spoken(QObject* control)
{
    return QAccessible::queryAccessibleInterface(control)->text(QAccessible::Name);
}

QStringList spokenRows(QListWidget* list)
{
    QAccessibleInterface* rows = QAccessible::queryAccessibleInterface(list);
    QStringList texts;
    for (int i = 0; i < rows->childCount(); ++i)
        texts.append(rows->child(i)->text(QAccessible::Name));
    return texts;
}

void TestAnalysisScreen::showsWhereTheNumbersComeFrom()
{
    QByteArray plainSave;
    for (const bool sharesShown : {false, true}) {
        Fixture f;
        f.addLine(u"Flour"_s, 2, 0, u"cup"_s);
        f.addLine(u"Butter"_s, 1, 0, u"tbs"_s);
        f.addLine(u"Cheese"_s, 1, 0, u"slice"_s);
        auto* list = f.get<QListWidget>("R_IngLst");
        auto* fat = f.get<QLabel>("lblFg");
        if (sharesShown) {
            QTest::mouseClick(fat, Qt::LeftButton);
            // Shares follow a line added while they are shown.
            f.addLine(u"Milk"_s, 1, 0, u"cup"_s);
            QCOMPARE(spoken(fat), u"Total Fat 30.9 g, 48 percent of daily value"_s);
            QCOMPARE(spokenRows(list),
                     (QStringList{u"2  cup     Flour, 250 g, 8 percent of Total Fat"_s,
                                  u"1  tbs     Butter, 14 g, 37 percent of Total Fat"_s,
                                  u"1  slice     Cheese, 28 g, 29 percent of Total Fat"_s,
                                  u"1  cup     Milk, 26 percent of Total Fat"_s}));
            QCOMPARE(list->item(0)->toolTip(), u"2 cup = 2 x 125 g; 444 kcal per cup; 1 serving"_s);
            QCOMPARE(list->item(3)->toolTip(), u"1 cup; 152 kcal per cup; 1 serving"_s);

            // By keyboard: Space on another row shows its shares, on the same row hides them.
            auto* sodium = f.get<QLabel>("lblSg");
            sodium->setFocus();
            QTest::keyClick(sodium, Qt::Key_Space);
            QVERIFY(spokenRows(list)[1].endsWith(u"96 percent of Sodium"_s));
            QTest::keyClick(sodium, Qt::Key_Return);
            QVERIFY(!spokenRows(list)[1].contains(u"percent"_s));
            QTest::keyClick(sodium, Qt::Key_Space);

            auto* bar = f.screen->findChild<CalorieBar*>();
            QVERIFY(bar->isVisible());
            QVERIFY(bar->accessibleDescription().startsWith(u"Calories: Fat "_s));
            QCOMPARE(spoken(f.get<QLabel>("Label24")), f.text("Label24"));
        } else {
            f.addLine(u"Milk"_s, 1, 0, u"cup"_s);
        }
        // The file holds the recipe alone, whatever is shown beside its lines.
        f.save(u"Toast"_s, u"Bake."_s);
        if (!sharesShown) {
            plainSave = readFile(u"Recipe.Dat"_s);
            continue;
        }
        QCOMPARE(readFile(u"Recipe.Dat"_s), plainSave);

        f.tool("Start");
        QVERIFY(!f.screen->findChild<CalorieBar*>()->isVisible());
        QCOMPARE(spoken(fat), u"Total Fat"_s);
        f.addLine(u"Butter"_s, 1, 0, u"tbs"_s);
        QCOMPARE(list->item(0)->data(Qt::AccessibleTextRole), u"1  tbs     Butter, 14 g"_s);
    }
}

QTEST_MAIN(TestAnalysisScreen)
#include "tst_analysisscreen.moc"
