#include "analysis/analysisscreen.h"
#include "core/recipes/cookedweights.h"
#include "core/session.h"
#include "core/sortednamemodel.h"
#include "platform/toolbar.h"
#include "widgets/caloriebar.h"
#include "widgets/dropdownbox.h"
#include "widgets/spinner.h"
#include "widgetsupport.h"

#include <QAccessible>
#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScopeGuard>

using namespace zestora;
using namespace zestora::testing;

namespace {

QList<IngRecord> pantry()
{
    return {food(u"Flour"_s, 1, u"cup"_s, 125, u"g"_s, {1.2f, 0.2f, 95.4f, 3.4f, 12.9f, 0, 2}),
            food(u"Butter"_s, 1, u"tbs"_s, 14, u"g"_s, {11.5f, 7.3f, 0, 0, 0, 31, 91}),
            food(u"Milk"_s, 1, u"cup"_s, 0, {}, {8, 0, 12, 0, 8, 24}),
            food(u"Cheese"_s, 1, u"slice"_s, 28, u"g"_s, {.fat = 9, .protein = 7}, true),
            food(u"Pepper"_s, 1, u"pinch"_s),
            food(u"Tomatoes, red, ripe, canned, packed in tomato juice, no salt"_s, 1, u"cup"_s)};
}

// The analysis screen over a session whose ingredient database holds the pantry.
struct Fixture : MessageRecorder {
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
        screen = std::make_unique<AnalysisScreen>(session, help, &ingredientNames, &recipeNames,
                                                  nullptr);
        screen->resize(1260, 700);
        screen->show();
        screen->setUp();
    }

    template <typename T = QWidget> T* get(const char* name) const
    {
        return control<T>(screen.get(), name);
    }
    QString text(const char* label) const { return get<QLabel>(label)->text(); }
    QStringList rows() const { return texts(get<QListView>("R_IngLst")); }
    QStringList entries() const { return texts(get<QListView>("InvisLst")); }

    void choose(const QString& name)
    {
        auto* list = get<QListView>("IngLst");
        if (!list->isVisible())
            get<DropDownBox>("IngLst2")->showPopup();
        const QModelIndex index = ingredientNames.index(ingredientNames.rowOf(name));
        list->scrollTo(index);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(index).center());
    }
    void addLine(const QString& name, int ones, int fraction, const QString& unit,
                 bool decimals = false)
    {
        choose(name);
        get<QRadioButton>(decimals ? "F_DOpt_1" : "F_DOpt_0")->click();
        get<Spinner>("OnesVs")->setValue(ones);
        get<Spinner>("FracVs")->setValue(fraction);
        auto* units = get<QComboBox>("MeasureLst");
        units->setCurrentIndex(units->findText(unit));
        get<QPushButton>("Addcmd")->click();
    }
    void tool(const char* name) { screen->calcBar()->tool(QString::fromLatin1(name))->trigger(); }
    void editRow(int row, const char* button, Qt::Key key = Qt::Key_unknown)
    {
        clickInNextDialog(QString::fromLatin1(button));
        auto* list = get<QListView>("R_IngLst");
        if (key != Qt::Key_unknown) {
            list->setFocus();
            list->setCurrentIndex(list->model()->index(row, 0));
            QTest::keyClick(list, key);
            return;
        }
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualRect(list->model()->index(row, 0)).center());
    }
    void heading(const QString& text)
    {
        clickInNextDialog(u"DoneCmd"_s, [text](QDialog* dialog) {
            dialog->findChild<QLineEdit*>(u"SubHeadTxt"_s)->setText(text);
        });
        tool("Heading");
    }
    void save(const QString& name, const QString& directions)
    {
        get<QLineEdit>("NameTxt")->setText(name);
        get<QPlainTextEdit>("DirectionsTxt")->setPlainText(directions);
        tool("Save");
    }
};

QString spoken(QObject* control)
{
    return QAccessible::queryAccessibleInterface(control)->text(QAccessible::Name);
}

QStringList spokenRows(QListView* list)
{
    QAccessibleInterface* rows = QAccessible::queryAccessibleInterface(list);
    QStringList texts;
    for (int i = 0; i < rows->childCount(); ++i)
        texts.append(rows->child(i)->text(QAccessible::Name));
    return texts;
}

// The texts of a panel that lack their whole width or run into another text.
QString crowdedPanelTexts(const QWidget* panel)
{
    QList<const QLabel*> labels;
    for (const QLabel* label : panel->findChildren<QLabel*>())
        if (label->isVisible() && !label->text().isEmpty())
            labels.append(label);
    QStringList crowded;
    for (const QLabel* label : std::as_const(labels)) {
        if (label->width() < label->minimumSizeHint().width())
            crowded.append(label->objectName());
        for (const QLabel* other : std::as_const(labels))
            if (other != label && label->geometry().intersects(other->geometry()))
                crowded.append(label->objectName() + u'/' + other->objectName());
    }
    return crowded.join(u' ');
}

} // namespace

class TestAnalysisScreen : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void buildingARecipe();
    void keyboardAlone();
    void keysReachTheirControls_data();
    void keysReachTheirControls();
    void layoutHoldsStill_data();
    void layoutHoldsStill();
    void panelTextsNeverRunTogether();
    void saving();
    void savingUnderAStoredName_data();
    void savingUnderAStoredName();
    void showsWhereTheNumbersComeFrom();
};

void TestAnalysisScreen::buildingARecipe()
{
    Fixture f;
    QCOMPARE(f.screen->objectName(), u"CalcFrm"_s);
    // The panel says whom it is for before any line, as after every change.
    QCOMPARE(f.text("lbl1M"), u"Makes 1 servings"_s);
    QTest::mouseClick(f.get<QLabel>("StatusLbl"), Qt::LeftButton);
    QCOMPARE(f.messages.value(0).text,
             u"This box lets you know if the changes to your work have been saved or not."_s);
    f.get<QPushButton>("Addcmd")->click();
    f.choose(u"Cheese"_s);
    QCOMPARE(texts(f.get<QComboBox>("MeasureLst")),
             (QStringList{u"slice"_s, u"oz"_s, u"g"_s, u"lb"_s}));
    QCOMPARE(f.get<DropDownBox>("IngLst2")->text(), u"Cheese"_s);
    QVERIFY(!f.get<QListView>("IngLst")->isVisible());
    f.get<QPushButton>("Addcmd")->click();
    QCOMPARE(f.titles(),
             (QStringList{QString(), u"Nothing Selected"_s, u"* * * * Error * * * *"_s}));
    f.messages.clear();

    f.get<QLineEdit>("NameTxt")->setText(u"Bread"_s);
    QCOMPARE(f.text("lblName"), u"Bread"_s);
    f.addLine(u"Flour"_s, 1, 5, u"cup"_s);
    QCOMPARE(f.rows(), QStringList{u"1 1/2  cup     Flour"_s});
    QCOMPARE(f.entries(), QStringList{u"\u00ceFlour\u00cf\u00bc1 1/2\u00cacup\u0090"_s});
    QCOMPARE(labelTexts(f.screen.get(),
                        {"lblCals", "lblFCals", "lblFg", "lblFP", "lblSg", "lblTCg", "lblPg",
                         "lblPP", "Label24", "Label23", "Label21", "lbl1M", "StatusLbl"}),
             (QStringList{u"666"_s, u"16"_s, u"1.8g"_s, u"3%"_s, u"3mg"_s, u"143.1g"_s, u"19.3g"_s,
                          QString(), u"2.4% of calories from Fat"_s, u"86% from Carbohydrates"_s,
                          u"11.6% from Protein"_s, u"Makes 1 servings"_s, u"Changes not Saved"_s}));
    // Ready for the next line.
    QCOMPARE(f.get<QLineEdit>("R_IngLstText")->text(), QString());
    QCOMPARE(f.get<DropDownBox>("IngLst2")->text(), u"Select From This List"_s);
    QCOMPARE(f.get<QComboBox>("MeasureLst")->count(), 0);
    const QImage framedAfterMouseOnly = f.get("IngLst2")->grab().toImage();
    f.screen->setFocus();
    QVERIFY(f.get("IngLst2")->grab().toImage() != framedAfterMouseOnly);

    // Butter by the grams of its second measure; milk in decimals; pepper has no unit.
    f.addLine(u"Butter"_s, 28, 0, u"g"_s);
    f.addLine(u"Milk"_s, 0, 5, u"cup"_s, true);
    QVERIFY(f.get<QRadioButton>("F_DOpt_0")->isChecked());
    f.addLine(u"Pepper"_s, 2, 0, QString());
    QCOMPARE(f.rows().mid(1),
             (QStringList{u"28  g     Butter"_s, u"0.5  cup     Milk"_s, u"2       Pepper"_s}));
    QVERIFY(f.entries().at(2).contains(u"\u00d00.5\u00ca"_s));
    QCOMPARE(f.text("lblFg"), u"28.8g"_s);

    // The Edit Window: Replace, Insert, Cancel, Delete; headings.
    clickInNextDialog(u"EditCmd"_s, [](QDialog* dialog) {
        QCOMPARE(dialog->objectName(), u"EditFrm"_s);
        QCOMPARE(dialog->findChild<QLabel*>(u"InsertLbl"_s)->text(), u"28  g     Butter"_s);
    });
    auto* list = f.get<QListView>("R_IngLst");
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualRect(list->model()->index(1, 0)).center());
    QVERIFY(list->selectionModel()->selectedIndexes().isEmpty());
    QCOMPARE(f.text("lblFg"), u"5.8g"_s);
    f.addLine(u"Cheese"_s, 1, 0, u"slice"_s);
    f.editRow(0, "InsertCmd", Qt::Key_Return);
    f.heading(u"Dough"_s);
    f.editRow(0, "CancelCmd", Qt::Key_Space);
    f.heading(QString());
    QCOMPARE(f.rows(),
             (QStringList{u"1 1/2  cup     Flour"_s, u"Dough"_s, u"1  slice     Cheese"_s,
                          u"0.5  cup     Milk"_s, u"2       Pepper"_s, u" "_s, QString()}));
    QCOMPARE(f.entries().at(5), u"\u00ce\u00a5 \u0090"_s);
    QCOMPARE(f.text("lblFg"), u"14.8g"_s);

    // A servings change waits for OK, with a reminder.
    f.get<Spinner>("ServingsVs")->setValue(13);
    QCOMPARE(f.text("ServingsLbl"), u"4"_s);
    QCOMPARE(f.text("lbl1M"), u"Makes 4 servings"_s);
    QVERIFY(f.get<QLabel>("LblPress")->isVisible());
    QCOMPARE(f.text("lblFg"), u"14.8g"_s);
    f.get<QPushButton>("OkCmd")->click();
    QVERIFY(!f.get<QLabel>("LblPress")->isVisible());
    QCOMPARE(f.text("lblFg"), u"3.7g"_s);

    for (int i = 0; i < 7; ++i)
        f.editRow(0, "DeleteCmd");
    QCOMPARE(f.text("lblFg"), u"0g"_s);
    QCOMPARE(f.text("Label24"), u"0% calories from Fat"_s);

    // Start Over, the unsaved recipe dropped: the panel blank, one serving, fractions, the list
    // closed.
    f.get<QRadioButton>("F_DOpt_1")->click();
    f.answers = {MessageBox::Answer::Discard};
    f.tool("Start");
    for (const char* label : {"lblCals", "lblFg", "lblName", "Label24"})
        QCOMPARE(f.text(label), QString());
    QCOMPARE(f.text("ServingsLbl"), u"1"_s);
    QCOMPARE(f.text("lbl1M"), u"Makes 1 servings"_s);
    QVERIFY(f.get<QRadioButton>("F_DOpt_0")->isChecked());
    QVERIFY(!f.get<QListView>("IngLst")->isVisible());
    QVERIFY(f.get<QLabel>("Label3")->isVisible());
}

void TestAnalysisScreen::keyboardAlone()
{
    Fixture f;
    f.screen->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(f.screen.get()));
    const auto enter = [] {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    };
    // Room for the main window's title, menu and toolbar on a 1024 by 768 screen.
    QVERIFY(f.screen->minimumSizeHint().width() <= 1024 &&
            f.screen->minimumSizeHint().height() <= 768 - 120);
    // The Tab key follows the work, from the name through the directions to the panel's rows and
    // the dish's weight.
    f.get<QPlainTextEdit>("DirectionsTxt")->setPlainText(u"Stir."_s);
    f.get("NameTxt")->setFocus();
    const QStringList expected{
        u"NameTxt"_s,  u"ServingsVs"_s,      u"OkCmd"_s,         u"IngLst"_s,     u"SearchLbl"_s,
        u"F_DOpt_0"_s, u"OnesVs"_s,          u"FracVs"_s,        u"MeasureLst"_s, u"Addcmd"_s,
        u"PasteCmd"_s, u"R_IngLst"_s,        u"DirectionsTxt"_s, u"lblCals"_s,    u"lblFg"_s,
        u"lblSFg"_s,   u"lblCg"_s,           u"lblSg"_s,         u"lblTCg"_s,     u"lblTFg"_s,
        u"lblPg"_s,    u"CookedWeightTxt"_s, u"Per100gChk"_s,    u"NameTxt"_s};
    QStringList order{QApplication::focusWidget()->objectName()};
    while (order.size() < expected.size()) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        order.append(QApplication::focusWidget()->objectName());
    }
    QCOMPARE(order, expected);
    // The Tab that left the directions wrote nothing into them; the row it reached is framed.
    QCOMPARE(f.get<QPlainTextEdit>("DirectionsTxt")->toPlainText(), u"Stir."_s);
    auto* panel = f.get("Frame1");
    f.get("lblFg")->setFocus();
    const QImage focused = panel->grab().toImage();
    f.get("NameTxt")->setFocus();
    QVERIFY(panel->grab().toImage() != focused);
    f.tool("Start");

    // The servings box shows that its spinner has the focus; the reminder moves nothing.
    auto* servingsBox = f.get<QLabel>("ServingsLbl");
    const QImage unfocused = servingsBox->grab().toImage();
    f.get("NameTxt")->setFocus();
    QTest::keyClicks(QApplication::focusWidget(), u"Soup"_s);
    enter();
    QCOMPARE(QApplication::focusWidget(), f.get("ServingsVs"));
    QVERIFY(servingsBox->grab().toImage() != unfocused);
    const QPoint add = f.get("Addcmd")->mapTo(f.screen.get(), QPoint());
    QTest::keyClicks(QApplication::focusWidget(), u"2"_s);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    QVERIFY(f.get<QLabel>("LblPress")->isVisible());
    QCOMPARE(f.get("Addcmd")->mapTo(f.screen.get(), QPoint()), add);
    // Enter presses the focused button.
    f.get("OkCmd")->setFocus();
    enter();
    QVERIFY(!f.get<QLabel>("LblPress")->isVisible());

    // Chosen with Enter, an ingredient hands the focus to its quantity.
    auto* list = f.get<QListView>("IngLst");
    list->setFocus();
    list->setCurrentIndex(f.ingredientNames.index(f.ingredientNames.rowOf(u"Milk"_s)));
    enter();
    QCOMPARE(QApplication::focusWidget(), f.get("OnesVs"));
    // Enter on the quantity adds the line; the next ingredient is chosen by typing its name.
    QTest::keyClicks(QApplication::focusWidget(), u"3"_s);
    enter();
    QCOMPARE(f.rows(), QStringList{u"3  ml     Milk"_s});
    QCOMPARE(QApplication::focusWidget(), f.get("IngLst2"));
    QTest::keyClick(QApplication::focusWidget(), 'c');
    QTest::keyClick(QApplication::focusWidget(), 'h');
    QCOMPARE(QApplication::focusWidget(), list);
    enter();
    QCOMPARE(f.get<DropDownBox>("IngLst2")->text(), u"Cheese"_s);
    QTest::keyClicks(QApplication::focusWidget(), u"2"_s);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    enter();
    QCOMPARE(f.rows().last(), u"2  slice     Cheese"_s);
    // Replace: the ingredient that takes the line's place is chosen next.
    clickInNextDialog(u"EditCmd"_s);
    auto* lines = f.get<QListView>("R_IngLst");
    lines->setFocus();
    lines->setCurrentIndex(lines->model()->index(0, 0));
    enter();
    f.screen->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(f.screen.get()));
    QCOMPARE(QApplication::focusWidget(), list);
    // A result taken from the search hands the focus to its quantity.
    onNextDialog([](QDialog* search) {
        QVERIFY(QTest::qWaitForWindowActive(search));
        QTest::keyClicks(QApplication::focusWidget(), u"butter"_s);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    });
    QTest::keyClick(list, Qt::Key_F, Qt::ControlModifier);
    QTRY_COMPARE(f.get<QLineEdit>("R_IngLstText")->text(), u"Butter"_s);
    f.screen->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(f.screen.get()));
    QCOMPARE(QApplication::focusWidget(), f.get("OnesVs"));
    QTest::keyClicks(QApplication::focusWidget(), u"1"_s);
    enter();
    QCOMPARE(f.rows(), (QStringList{u"1  ml     Butter"_s, u"2  slice     Cheese"_s}));
}

void TestAnalysisScreen::keysReachTheirControls_data()
{
    QTest::addColumn<QString>("from");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("reached"); // the control with the focus, or the window opened
    const auto row = [](const char* name, const char* from, const char* keys, const char* to) {
        QTest::newRow(name) << QString::fromLatin1(from) << QString::fromLatin1(keys)
                            << QString::fromLatin1(to);
    };
    row("Down moves to the next row of the panel", "lblFg", "Down", "lblSFg");
    row("Up moves to the row before", "lblFg", "Up", "lblCals");
    row("End goes to the last row", "lblCals", "End", "lblPg");
    row("Space on the search link searches", "SearchLbl", "Space", "SearchFrm");
    row("Ctrl+F searches from any control", "DirectionsTxt", "Ctrl+F", "SearchFrm");
    row("Tab reaches the lines list, framed while empty", "PasteCmd", "Tab", "R_IngLst");
}

void TestAnalysisScreen::keysReachTheirControls()
{
    QFETCH(QString, from);
    QFETCH(QString, keys);
    QFETCH(QString, reached);
    Fixture f;
    f.screen->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(f.screen.get()));
    QString opened;
    onNextDialog([&opened](QDialog* window) {
        opened = window->objectName();
        window->reject();
    });
    QWidget* start = f.get(from.toLatin1().constData());
    start->setFocus();
    const QKeyCombination key = QKeySequence(keys)[0];
    QTest::keyClick(start, key.key(), key.keyboardModifiers());
    QCOMPARE(opened.isEmpty() ? QApplication::focusWidget()->objectName() : opened, reached);
    const QImage focused = f.screen->grab().toImage(); // the control reached shows its focus
    f.screen->setFocus();
    QVERIFY(!opened.isEmpty() || f.screen->grab().toImage() != focused);
}

enum class Change { ListClosed, Name, LongName, Coverage };

void TestAnalysisScreen::layoutHoldsStill_data()
{
    QTest::addColumn<Change>("change");
    QTest::newRow("The list closes on a long name") << Change::ListClosed;
    QTest::newRow("A long name shows in the panel") << Change::Name;
    QTest::newRow("A long name without a blank") << Change::LongName;
    QTest::newRow("A long list of uncounted lines") << Change::Coverage;
}

void TestAnalysisScreen::layoutHoldsStill()
{
    QFETCH(Change, change);
    Fixture f;
    // The room the screen has in the main window on a 1024 by 768 screen.
    f.screen->resize(1024, 768 - 120);
    const QList<QWidget*> watched{
        f.get("Addcmd"),  f.get("MeasureLst"),   f.get("QuantityFrame"), f.get("F_DOpt_0"),
        f.get("lblCals"), f.get("lblFg"),        f.get("NfCarbLbl"),     f.get("NfFootnoteLbl"),
        f.get("Frame1"),  f.get("DirectionsTxt")};
    const auto places = [&] {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
        QList<QRect> rects;
        for (const QWidget* widget : watched)
            rects.append(QRect(widget->mapTo(f.screen.get(), QPoint()), widget->size()));
        return rects;
    };
    const QList<QRect> before = places();
    switch (change) {
    case Change::ListClosed:
        f.choose(u"Tomatoes, red, ripe, canned, packed in tomato juice, no salt"_s);
        QVERIFY(!f.get("IngLst")->isVisible());
        QCOMPARE(f.screen->focusWidget(), f.get("OnesVs")); // where the quantity is typed
        break;
    case Change::Name:
        QTest::keyClicks(f.get("NameTxt"), u"Grandmother's slow cooked winter vegetable soup"_s);
        break;
    case Change::LongName:
        QTest::keyClicks(f.get("NameTxt"), QString(50, u'W'));
        QCOMPARE(f.text("lblName"), QString(50, u'W'));
        break;
    case Change::Coverage:
        f.screen->addPastedLines({}, {14, 2, 0, QStringList(12, u"salt to taste"_s)}, {});
        break;
    }
    QCOMPARE(places(), before);
    QTRY_COMPARE(crowdedPanelTexts(f.get("Frame1")), QString());
}

void TestAnalysisScreen::panelTextsNeverRunTogether()
{
    // A font four points larger than the usual, and the widest numbers a recipe shows.
    const QFont usual = QApplication::font();
    QFont larger = usual;
    larger.setPointSizeF(usual.pointSizeF() + 4);
    QApplication::setFont(larger);
    const auto restore = qScopeGuard([&usual] { QApplication::setFont(usual); });
    Fixture f;
    f.addLine(u"Butter"_s, 999, 0, u"tbs"_s);
    f.addLine(u"Flour"_s, 999, 0, u"cup"_s);
    QTRY_COMPARE(crowdedPanelTexts(f.get("Frame1")), QString());
}

void TestAnalysisScreen::saving()
{
    Fixture f;
    // Text the file cannot hold is refused, and nothing is written.
    f.addLine(u"Milk"_s, 1, 0, u"cup"_s);
    f.save(u"Pho \u1edf"_s, u"Costs \u00a5 5"_s);
    QCOMPARE(f.titles(), QStringList{u"Not Saved"_s});
    QVERIFY(f.messages[0].text.contains(u"\u1edf"_s));
    QVERIFY(readFile(u"Recipe.Dat"_s).isEmpty());
    f.answers = {MessageBox::Answer::Discard};
    f.tool("Start");
    f.messages.clear();
    f.tool("Save");
    f.get<QLineEdit>("NameTxt")->setText(u"Toast"_s);
    f.tool("Save");
    QCOMPARE(f.titles(), (QStringList{u"No Name"_s, u"Strange Recipe"_s}));
    QCOMPARE(f.messages[0].text, u"Your recipe must have a name."_s);
    QCOMPARE(f.messages[1].text, u"Your Recipe has no ingredients. Your Recipe was NOT saved!"_s);
    QCOMPARE(f.messages[1].icon, MessageBox::Icon::Critical);

    f.addLine(u"Flour"_s, 1, 0, u"cup"_s);
    f.get<Spinner>("ServingsVs")->setValue(5);
    f.answers = {MessageBox::Answer::Yes, MessageBox::Answer::No, MessageBox::Answer::No};
    f.tool("Save");
    QVERIFY(readFile(u"Recipe.Dat"_s).isEmpty());
    // Half a serving of 125 g of raw flour, until the finished dish is weighed; a dish of no
    // weight is refused.
    QCOMPARE(f.text("ServingWeightLbl"), u"Serving 250 g (raw)"_s);
    auto* cooked = f.get<QLineEdit>("CookedWeightTxt");
    QTest::keyClicks(cooked, u"0"_s);
    f.tool("Save");
    QCOMPARE(f.titles().last(), u"Not Saved"_s);
    cooked->clear();
    QTest::keyClicks(cooked, u"200"_s);
    f.get<QCheckBox>("Per100gChk")->click();
    QCOMPARE(f.text("ServingWeightLbl"), u"Serving 400 g"_s);
    QCOMPARE(f.text("Per100gFat"), u"0.6g"_s);
    f.tool("Save");
    // Kept beside the recipe, never in its record.
    QCOMPARE(readFile(CookedWeights::fileName), "Toast\t200\n");
    QCOMPARE(f.messages.last().text,
             u"There are no directions for this recipe.  Would like to enter some."_s);
    QCOMPARE(readFile(u"Recipe.Dat"_s), QByteArray("\xaeToast\xa7"
                                                   "1/2\xc8\xce"
                                                   "Flour\xcf\xbc"
                                                   "1\xca"
                                                   "cup\x90\xc6\xbf\xdf\r\n"));
    QCOMPARE(f.text("StatusLbl"), u"Changes Saved"_s);
    QCOMPARE(f.recipeNames.stringList(), QStringList{u"Toast"_s});
    // The recipe stays, with the servings change taken in.
    QCOMPARE(f.text("lblFg"), u"2.4g"_s);
    f.get<QPlainTextEdit>("DirectionsTxt")->setPlainText(u"Toast it."_s);
    QCOMPARE(f.text("StatusLbl"), u"Changes not Saved"_s);

    // A 51st letter goes; the recipe stays.
    f.get<QLineEdit>("NameTxt")->setText(QString(50, u'a') + u'b');
    QCOMPARE(f.titles().last(), u"There's a Problem"_s);
    QCOMPARE(f.messages.last().text, u"50 letters is the maximum for the \r\nname of the "
                                     "recipe.\r\n\r\nPlease enter it again."_s);
    QCOMPARE(f.get<QLineEdit>("NameTxt")->text(), QString(50, u'a'));
    QCOMPARE(f.rows().size(), 1);
}

void TestAnalysisScreen::savingUnderAStoredName_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("newName");
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QStringList>("titles");
    const QStringList stored{u"Soup"_s, u"Salad"_s, u"Stew #1"_s};
    const QStringList replaced{u"Stew #1"_s, u"Salad"_s, u"Soup"_s};
    const QStringList notSaved{u"Not Saved"_s};
    QTest::newRow("Replace: the last recipe takes the old place, the new version goes last")
        << u"Soup"_s << u"ReplaceCmd"_s << QString() << replaced << QStringList{};
    QTest::newRow("Replace under the name in other letters deletes nothing and says so")
        << u"soup"_s << u"ReplaceCmd"_s << QString() << stored << notSaved;
    QTest::newRow("Change to a new name") << u"soup"_s << u"ChangeCmd"_s << u"Soup 2"_s
                                          << stored + QStringList{u"Soup 2"_s} << QStringList{};
    QTest::newRow("Typed over, then Enter; a stray Enter before chooses nothing")
        << u"soup"_s << u"Return"_s << u"Soup 2"_s << stored + QStringList{u"Soup 2"_s}
        << QStringList{};
    QTest::newRow("Esc on a name holding pattern characters saves no second one")
        << u"stew #1"_s << QString() << QString() << stored << notSaved;
}

void TestAnalysisScreen::savingUnderAStoredName()
{
    QFETCH(QString, typed);
    QFETCH(QString, button);
    QFETCH(QString, newName);
    QFETCH(QStringList, names);
    QFETCH(QStringList, titles);
    Fixture f;
    for (const char* name : {"Soup", "Salad", "Stew #1"}) {
        f.tool("Start");
        f.addLine(u"Milk"_s, 1, 0, u"cup"_s);
        f.save(QString::fromLatin1(name), u"Stir."_s);
    }
    f.tool("Start");
    f.addLine(u"Flour"_s, 3, 0, u"cup"_s);
    onNextDialog([button, newName, typed](QDialog* dialog) {
        QCOMPARE(dialog->findChild<QLabel*>(u"TopLbl"_s)->text(), typed + u" is already saved."_s);
        if (button == u"Return") {
            QWidget* name = dialog->focusWidget();
            QTest::keyClick(name, Qt::Key_Return);
            QVERIFY(dialog->isVisible());
            QTest::keyClicks(name, newName);
            QTest::keyClick(name, Qt::Key_Return);
            return;
        }
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
    QStringList listed = names;
    std::stable_sort(listed.begin(), listed.end(), SortedNameModel::lessForPeople);
    QCOMPARE(f.recipeNames.stringList(), listed);
    RecipeStore reloaded;
    QVERIFY(!reloaded.load());
    QCOMPARE(reloaded.recipeNames(), names);
}

void TestAnalysisScreen::showsWhereTheNumbersComeFrom()
{
    Fixture f;
    f.addLine(u"Flour"_s, 2, 0, u"cup"_s);
    f.addLine(u"Butter"_s, 1, 0, u"tbs"_s);
    auto* list = f.get<QListView>("R_IngLst");
    auto* fat = f.get<QLabel>("lblFg");
    QTest::mouseClick(fat, Qt::LeftButton);
    // Shares follow a line added while they are shown, and a servings change.
    f.addLine(u"Milk"_s, 1, 0, u"cup"_s);
    f.get<Spinner>("ServingsVs")->setValue(11);
    f.get<QPushButton>("OkCmd")->click();
    QCOMPARE(spoken(fat), u"Total Fat 11 g, 17 percent of daily value"_s);
    QCOMPARE(spokenRows(list), (QStringList{u"2  cup     Flour, 250 g, 11 percent of Total Fat"_s,
                                            u"1  tbs     Butter, 14 g, 53 percent of Total Fat"_s,
                                            u"1  cup     Milk, 37 percent of Total Fat"_s}));
    QCOMPARE(list->model()->index(0, 0).data(Qt::ToolTipRole).toString(),
             u"2  cup     Flour\n2 cup = 2 x 125 g; 444 kcal per cup; 2 servings"_s);
    // By keyboard: Space on another row shows its shares, on the same row hides them.
    auto* sodium = f.get<QLabel>("lblSg");
    sodium->setFocus();
    QTest::keyClick(sodium, Qt::Key_Space);
    QVERIFY(spokenRows(list)[1].endsWith(u"96 percent of Sodium"_s));
    QTest::keyClick(sodium, Qt::Key_Return);
    QVERIFY(!spokenRows(list)[1].contains(u"percent"_s));
    auto* bar = f.screen->findChild<CalorieBar*>();
    QVERIFY(bar->isVisible());
    QVERIFY(bar->accessibleDescription().startsWith(u"Calories: Fat "_s));

    // The file holds the recipe alone, whatever is shown beside its lines.
    f.save(u"Toast"_s, u"Bake."_s);
    QVERIFY(!readFile(u"Recipe.Dat"_s).contains("percent"));
    f.tool("Start");
    QVERIFY(!bar->isVisible());
    QCOMPARE(spoken(fat), u"Total Fat"_s);
}

QTEST_MAIN(TestAnalysisScreen)
#include "tst_analysisscreen.moc"
