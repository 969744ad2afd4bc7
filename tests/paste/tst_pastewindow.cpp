#include "analysis/analysisscreen.h"
#include "core/analysis/recipelines.h"
#include "core/sortednamemodel.h"
#include "platform/toolbar.h"
#include "shared/reviewtable.h"
#include "widgets/spinner.h"
#include "widgetsupport.h"

#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QDropEvent>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QTextBrowser>
#include <QWheelEvent>

using namespace zestora;
using namespace zestora::testing;

namespace {

QList<IngRecord> pantry()
{
    return {food(u"Wheat flour, white, all-purpose, enriched, bleached"_s, 1, u"cup"_s, 125, u"g"_s,
                 {1.2f, 0.2f, 95.4f, 3.4f, 12.9f, 0, 2, 455}),
            food(u"Butter, salted"_s, 1, u"tbs"_s, 14, u"g"_s, {11.5f, 7.3f, 0, 0, 0, 31, 91, 102}),
            food(u"Milk, whole"_s, 1, u"cup"_s, 244, u"g"_s, {8, 5, 12, 0, 8, 24, 105, 149}),
            food(u"Egg, whole, raw, fresh"_s, 1, u"large"_s, 50, u"g"_s, {.fat = 5, .protein = 6},
                 true),
            food(u"Syrups, maple"_s, 1, u"tbs"_s, 20, u"g"_s, {.carbs = 13}),
            food(u"Sugars, granulated"_s, 1, u"cup"_s, 200, u"g"_s, {.carbs = 200}),
            food(u"Tomatoes, red, ripe, raw"_s, 1, u"medium (2-1/2\" dia)"_s, 123, u"g"_s,
                 {.carbs = 5}, true)};
}

using enum ReviewTable::Column;

QStringList column(const QTableWidget* table, int column)
{
    QStringList texts;
    for (int row = 0; row < table->rowCount(); ++row)
        texts.append(table->item(row, column)->text());
    return texts;
}

// The main window over the pantry, with the analysis screen on view.
struct Window : StartedMainWindow {
    AnalysisScreen* screen = window->findChild<AnalysisScreen*>();

    explicit Window(const QByteArray& recipes = {})
        : StartedMainWindow(IngTable::toBytes(pantry()), recipes)
    {
    }
    template <typename T = QWidget> T* get(const QString& name) const
    {
        return screen->findChild<T*>(name);
    }
    void paste(const QString& text)
    {
        QGuiApplication::clipboard()->setText(text);
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        auto* name = get<QLineEdit>(u"NameTxt"_s);
        name->setFocus();
        QTest::keyClick(name, Qt::Key_V, Qt::ControlModifier | Qt::ShiftModifier);
    }
    void addByHand(const QString& name, int ones, int fraction, const QString& unit)
    {
        auto* list = get<QListView>(u"IngLst"_s);
        if (!list->isVisible())
            get<QComboBox>(u"IngLst2"_s)->showPopup();
        const QModelIndex index = ingredientNames().index(ingredientNames().rowOf(name));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(index).center());
        get<Spinner>(u"OnesVs"_s)->setValue(ones);
        get<Spinner>(u"FracVs"_s)->setValue(fraction);
        get<QComboBox>(u"MeasureLst"_s)->setCurrentText(unit);
        get<QPushButton>(u"Addcmd"_s)->click();
    }
    const SortedNameModel& ingredientNames() const { return *window->ingredientNames(); }
    // Saves the recipe; what the screen shows and the recipe file then holds.
    QStringList save(const QString& name)
    {
        get<QLineEdit>(u"NameTxt"_s)->setText(name);
        get<QPlainTextEdit>(u"DirectionsTxt"_s)->setPlainText(u"Mix."_s);
        screen->calcBar()->tool(u"Save"_s)->trigger();
        QStringList shown = texts(get<QListView>(u"InvisLst"_s));
        for (const QLabel* label : get<QWidget>(u"Frame1"_s)->findChildren<QLabel*>())
            shown.append(label->text());
        return shown << QString::fromLatin1(readFile(u"Recipe.Dat"_s).toHex());
    }
    // Imports the file chosen in the file window; review acts on the first window after it.
    void importFile(const QString& path, std::function<void(QDialog*)> review = {})
    {
        onNextDialog([path, review](QDialog* dialog) {
            auto* name = dialog->findChild<QLineEdit*>(u"fileNameEdit"_s);
            QVERIFY(name);
            name->setText(path);
            if (review)
                onNextDialog(review);
            QTest::keyClick(name, Qt::Key_Return);
        });
        window->topBar()->tool(u"ImportTool"_s)->trigger();
    }
};

// Chooses the food of a review table's line through its list's search of every food.
void searchFood(QDialog* window, int row, const QString& words)
{
    const auto taken = std::make_shared<bool>(false);
    onNextDialog([words, taken](QDialog* search) {
        search->findChild<QLineEdit*>(u"SearchTxt"_s)->setText(words);
        search->findChild<QPushButton*>(u"SearchCmd"_s)->click();
        QTest::keyClick(search->findChild<QListWidget*>(u"SearchLst"_s), Qt::Key_Return);
        *taken = true;
    });
    auto* foods = window->findChild<QComboBox*>(u"FoodLst_%1"_s.arg(row));
    pick(foods, foods->count() - 1);
    // The search opens once the list has closed.
    QTRY_VERIFY(*taken);
}

// Turns the wheel a notch up over a drop-down; whether its choice changed.
bool wheelChanges(QComboBox* box)
{
    const int before = box->currentIndex();
    const QPointF at = QRectF(box->rect()).center();
    QWheelEvent wheel(at, box->mapToGlobal(at), QPoint(), QPoint(0, 120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(box, &wheel);
    return box->currentIndex() != before;
}

QList<int> columnWidths(const QTableWidget* table)
{
    QList<int> widths;
    for (int column = 0; column < table->columnCount(); ++column)
        widths.append(table->columnWidth(column));
    return widths;
}

} // namespace

class TestPasteWindow : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void pastedLinesAreTheLinesEnteredByHand();
    void reviewingALine();
    void measuresAndWhatIsCounted();
    void importingAFileTwice();
    void theWheelChangesOnlyAClickedList();
    void droppedFilesAreImported();
    void escapeAsksBeforeTypingGoes();
};

void TestPasteWindow::pastedLinesAreTheLinesEnteredByHand()
{
    QStringList pasted;
    {
        Window w;
        onNextDialog([](QDialog* window) {
            auto* table = window->findChild<ReviewTable*>(u"ReviewTbl"_s);
            QCOMPARE(column(table, NoteColumn),
                     QStringList({QString(), QString(), u"Heading"_s, u"No food found"_s}));
            QCOMPARE(column(table, GramsColumn),
                     QStringList({u"188 g"_s, u"28 g"_s, QString(), QString()}));
            // The keyboard alone: the review has the focus, Enter adds.
            QCOMPARE(QApplication::focusWidget(), table);
            QTest::keyClick(table, Qt::Key_Return);
        });
        w.paste(u"Makes 4 servings\n1 1/2 cups all-purpose flour\n2 tbsp butter, melted\n\n"
                "FOR THE TOPPING:\n1 cup zorbles\n"_s);
        // What a line said beyond its food leads the directions.
        QCOMPARE(w.get<QPlainTextEdit>(u"DirectionsTxt"_s)->toPlainText(),
                 u"Notes on the ingredients:\n2 tbs Butter, salted: melted"_s);
        pasted = w.save(u"Pancakes"_s);
    }
    Window w;
    w.get<Spinner>(u"ServingsVs"_s)->setValue(quantity::servingsForOne + 3);
    w.get<QPushButton>(u"OkCmd"_s)->click();
    w.addByHand(u"Wheat flour, white, all-purpose, enriched, bleached"_s, 1, 5, u"cup"_s);
    w.addByHand(u"Butter, salted"_s, 2, 0, u"tbs"_s);
    clickInNextDialog(u"DoneCmd"_s, [](QDialog* dialog) {
        dialog->findChild<QLineEdit*>(u"SubHeadTxt"_s)->setText(u"FOR THE TOPPING"_s);
    });
    w.screen->calcBar()->tool(u"Heading"_s)->trigger();
    QCOMPARE(pasted, w.save(u"Pancakes"_s));
}

void TestPasteWindow::reviewingALine()
{
    Window w;
    onNextDialog([](QDialog* window) {
        auto* table = window->findChild<ReviewTable*>(u"ReviewTbl"_s);
        const QList<int> widths = columnWidths(table);
        searchFood(window, 0, u"egg"_s);
        QCOMPARE(table->item(0, NoteColumn)->text(), u"Choose a measure"_s);
        const QModelIndex note = table->model()->index(0, NoteColumn);
        QVERIFY(table->visualRect(note).width() >= table->sizeHintForIndex(note).width());
        searchFood(window, 0, u"sugar"_s);
        QCOMPARE(columnWidths(table), widths);
        QCOMPARE(table->item(0, UnitColumn)->text(), u"cup"_s);
        QCOMPARE(table->item(0, GramsColumn)->text(), u"200 g"_s);
        QCOMPARE(table->item(0, NoteColumn)->text(), QString());
        // The quantity is typed over and the unit chosen from the food's, by the keyboard; the
        // grams follow, and what is no amount is not taken.
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window));
        const auto edit = [table](int column, const QString& keys) {
            table->setCurrentCell(0, column);
            QTest::keyClick(table, Qt::Key_F2);
            QWidget* editor = table->indexWidget(table->currentIndex());
            QVERIFY(editor);
            QTest::keyClicks(editor, keys);
            QTest::keyClick(editor, Qt::Key_Return);
            QTRY_VERIFY(!table->indexWidget(table->currentIndex()));
        };
        edit(QuantityColumn, u"1/2"_s);
        edit(QuantityColumn, u"lots"_s);
        edit(UnitColumn, u"o"_s);
        QCOMPARE(table->item(0, QuantityColumn)->text(), u"1/2"_s);
        QCOMPARE(table->item(0, UnitColumn)->text(), u"oz"_s);
        QCOMPARE(table->item(0, GramsColumn)->text(), u"14 g"_s);
        // Space on the second line leaves it out.
        table->setCurrentCell(1, LineColumn);
        QTest::keyClick(table, Qt::Key_Space);
        QCOMPARE(window->findChild<QLabel*>(u"SummaryLbl"_s)->text(),
                 u"1 of 2 ingredient lines go in; 0 marked to check."_s);
        // Tab goes from the chosen line to its own food.
        table->setFocus();
        QTest::keyClick(table, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget()->objectName(), u"FoodLst_1"_s);
        window->findChild<QPushButton*>(u"AddCmd"_s)->click();
    });
    w.paste(u"1 cup zorbles\n2 cups milk\n"_s);
    QCOMPARE(texts(w.get<QListView>(u"R_IngLst"_s)),
             QStringList{u"1/2  oz     Sugars, granulated"_s});
    QCOMPARE(w.get<QLabel>(u"CoverageLbl"_s)->text(), u"1 of 2 lines weighed; not counted: milk"_s);
    // A line added by hand is weighed too.
    w.addByHand(u"Sugars, granulated"_s, 1, 0, u"cup"_s);
    QCOMPARE(w.get<QLabel>(u"CoverageLbl"_s)->text(), u"2 of 3 lines weighed; not counted: milk"_s);
    // The choice is kept in the data folder and offered first the next time.
    QCOMPARE(readFile(u"Food choices.txt"_s), "zorble\tSugars, granulated\n");
    w.help.initHelp(w.window.get(), QStringLiteral(HELP_DIR));
    onNextDialog([&w](QDialog* window) {
        auto* table = window->findChild<ReviewTable*>(u"ReviewTbl"_s);
        QCOMPARE(window->findChild<QComboBox*>(u"FoodLst_0"_s)->currentText(),
                 u"Sugars, granulated"_s);
        QCOMPARE(column(table, NoteColumn), QStringList{QString()});
        QTest::keyClick(table, Qt::Key_F1);
        QCOMPARE(w.help.browser()->source().fragment(), u"topic-600"_s);
        window->reject();
    });
    w.paste(u"2 cups zorbles"_s);
}

void TestPasteWindow::measuresAndWhatIsCounted()
{
    Window w;
    onNextDialog([](QDialog* window) {
        auto* table = window->findChild<ReviewTable*>(u"ReviewTbl"_s);
        QCOMPARE(table->item(0, UnitColumn)->text(), u"tbs"_s);
        auto* measures = window->findChild<QComboBox*>(u"MeasuresLst"_s);
        pick(measures, measures->findText(u"Australian"_s));
        QCOMPARE(column(table, QuantityColumn), QStringList({u"40"_s, u"100"_s}));
        QCOMPARE(column(table, CountedColumn),
                 QStringList(
                     {u"Australian tablespoon, 20 ml"_s, u"the sugar of a brine: not counted"_s}));
        auto* summary = window->findChild<QLabel*>(u"SummaryLbl"_s);
        QCOMPARE(summary->text(), u"1 of 2 ingredient lines go in; 0 marked to check."_s);
        // The user counts the sugar after all, by the mouse: the choice is taken as clicked.
        const QPoint at = table->visualRect(table->model()->index(1, CountedColumn)).center();
        QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(table->viewport(), Qt::LeftButton, {}, at);
        auto* counted = table->findChild<QComboBox*>(u"CountedLst_1"_s);
        counted->showPopup();
        const QModelIndex all = counted->model()->index(counted->findText(u"All"_s), 0);
        QTest::mouseClick(counted->view()->viewport(), Qt::LeftButton, {},
                          counted->view()->visualRect(all).center());
        QCOMPARE(table->item(1, CountedColumn)->text(), QString());
        QCOMPARE(summary->text(), u"2 of 2 ingredient lines go in; 0 marked to check."_s);
        window->findChild<QPushButton*>(u"AddCmd"_s)->click();
    });
    w.paste(u"2 tbs milk\n100g sugar, for the brine\n"_s);
    QCOMPARE(texts(w.get<QListView>(u"R_IngLst"_s)),
             QStringList({lines::ingredientRow(u"Milk, whole"_s, u"40"_s, u"ml"_s),
                          lines::ingredientRow(u"Sugars, granulated"_s, u"100"_s, u"g"_s)}));
    // One amount for each of two foods is reviewed and added as a line for each.
    onNextDialog([](QDialog* window) {
        QCOMPARE(column(window->findChild<ReviewTable*>(u"ReviewTbl"_s), LineColumn),
                 QStringList({u"100g flour"_s, u"100g sugar"_s}));
        window->findChild<QPushButton*>(u"AddCmd"_s)->click();
    });
    w.paste(u"100g each of flour and sugar"_s);
    QCOMPARE(texts(w.get<QListView>(u"R_IngLst"_s)).size(), 4);
}

void TestPasteWindow::importingAFileTwice()
{
    // A different recipe has the name of one in the file.
    Window w(
        lines::recipeRecord(u"Zorble Stew"_s, u"1"_s, {lines::headingEntry(u"Old"_s)}, u"Old."_s)
            .toLatin1() +
        "\r\n");
    const QString file = QStringLiteral(PASTE_DIR "/two-recipes.mmf");
    w.importFile(file, [](QDialog* window) {
        QCOMPARE(window->objectName(), u"ImportFrm"_s);
        QCOMPARE(column(window->findChild<ReviewTable*>(u"ReviewTbl"_s), NoteColumn),
                 QStringList({QString(), u"No food found"_s, u"No food found"_s}));
        searchFood(window, 1, u"sugar"_s);
        clickInNextDialog(u"ReplaceCmd"_s);
        window->findChild<QPushButton*>(u"StoreCmd"_s)->click();
    });
    QCOMPARE(w.session.recipes.recipeNames(),
             QStringList({u"Buttermilk Pancakes"_s, u"Zorble Stew"_s}));
    QVERIFY(w.session.recipes.recipeBody(1).contains(u"Sugars, granulated"_s + QChar(207) +
                                                     QChar(188) + u"1"_s));
    QVERIFY(w.session.recipes.recipeBody(1).contains(
        u"Simmer for an hour.\r\n\r\nNot counted in the nutrition:\r\nSalt to taste"_s));
    QCOMPARE(texts(w.window->findChild<QComboBox*>(u"RecipeLst"_s)),
             QStringList({u"Buttermilk Pancakes"_s, u"Zorble Stew"_s}));
    QVERIFY(w.messages.last().text.startsWith(u"2 of the 2 recipes in "_s));

    // The second time the chosen food matches: nothing to review, nothing stored again.
    const QByteArray stored = readFile(u"Recipe.Dat"_s);
    w.importFile(file);
    QCOMPARE(readFile(u"Recipe.Dat"_s), stored);
    QVERIFY(w.messages.last().text.endsWith(
        u"\r\n\r\nAlready stored: Buttermilk Pancakes.\r\nAlready stored: Zorble Stew."_s));

    // A large file shows its reading at once; Cancel stops it, and nothing is stored or said.
    QByteArray large;
    for (int i = 0; large.size() < (1 << 20); ++i)
        large += "MMMMM----- Recipe via Meal-Master (tm) v8.05\n\n      Title: Shake " +
                 QByteArray::number(i) + "\n\n      2 c  Milk, whole\n\n  Shake.\n\nMMMMM\n";
    writeFile(u"large.mmf"_s, large);
    const qsizetype said = w.messages.size();
    w.importFile(QDir::current().absoluteFilePath(u"large.mmf"_s), [](QDialog* progress) {
        QVERIFY(qobject_cast<QProgressDialog*>(progress)->labelText().startsWith(u"Reading "_s));
        progress->findChild<QPushButton*>()->click();
    });
    QCOMPARE(readFile(u"Recipe.Dat"_s), stored);
    QCOMPARE(w.messages.size(), said);
}

void TestPasteWindow::theWheelChangesOnlyAClickedList()
{
    // The wheel passes over a line's food, and over a unit reached by Tab; a click takes it.
    // Every column is in view beside the food, with no scrolling, however long a unit.
    Window w;
    onNextDialog([](QDialog* window) {
        auto* foods = window->findChild<QComboBox*>(u"FoodLst_0"_s);
        foods->setCurrentIndex(1);
        QVERIFY(!wheelChanges(foods));
        auto* table = window->findChild<ReviewTable*>(u"ReviewTbl"_s);
        QCOMPARE(table->item(1, UnitColumn)->text(), u"medium (2-1/2\" dia)"_s);
        QCOMPARE(table->columnAt(table->viewport()->width()), -1); // none past the edge
        window->done(QDialog::Rejected);
    });
    w.paste(u"1 cup sugar syrup\n2 tomatoes"_s);
    w.addByHand(u"Butter, salted"_s, 0, 0, u"tbs"_s);
    auto* units = w.get<QComboBox>(u"MeasureLst"_s);
    units->setCurrentIndex(1);
    units->setFocus(Qt::TabFocusReason);
    QVERIFY(!wheelChanges(units));
    QTest::mouseClick(units, Qt::LeftButton);
    units->hidePopup();
    QVERIFY(wheelChanges(units));
}

void TestPasteWindow::droppedFilesAreImported()
{
    Window w;
    const QByteArray recipe = R"({"@type": "Recipe", "name": "%1", "recipeIngredient": ["1 cup )"
                              R"(Milk, whole"], "recipeInstructions": "Warm."})";
    writeFile(u"shake.mmf"_s, "MMMMM----- Recipe via Meal-Master (tm) v8.05\n\n      Title: Shake\n"
                              "\n      2 c  Milk, whole\n\n  Shake.\n\nMMMMM\n");
    writeFile(u"warm.json"_s, QString::fromLatin1(recipe).arg(u"Warm Milk"_s).toUtf8());
    writeFile(u"page.html"_s, "<html><script type=\"application/ld+json\">" +
                                  QString::fromLatin1(recipe).arg(u"Page Milk"_s).toUtf8() +
                                  "</script></html>");
    writeFile(u"none.html"_s, "<html><body>Just a page.</body></html>");
    QMimeData data;
    for (const char* file : {"shake.mmf", "warm.json", "page.html", "none.html"})
        data.setUrls(data.urls() << QUrl::fromLocalFile(
                         QDir::current().absoluteFilePath(QString::fromLatin1(file))));
    // As a drag brings them: they enter over the directions, a box that takes text, and are
    // dropped there.
    auto* box = w.get(u"DirectionsTxt"_s)->findChild<QWidget*>(u"qt_scrollarea_viewport"_s);
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(box, &enter);
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(box, &drop);
    // The page without recipe data is the last file, and says so in one line.
    QVERIFY(w.get<QPlainTextEdit>(u"DirectionsTxt"_s)->toPlainText().isEmpty());
    QTRY_VERIFY(!w.messages.isEmpty() && w.messages.last().text.contains(u"none.html"_s));
    QCOMPARE(w.session.recipes.recipeNames(),
             QStringList({u"Shake"_s, u"Warm Milk"_s, u"Page Milk"_s}));
    const QString said = w.messages.last().text;
    QCOMPARE(said.sliced(said.indexOf(u"none.html"_s)),
             u"none.html holds no recipe data: the page has no schema.org Recipe in a <script "
             "type=\"application/ld+json\">."_s);
}

void TestPasteWindow::escapeAsksBeforeTypingGoes()
{
    Window w;
    bool keptOnNo = false;
    onNextDialog([&w, &keptOnNo](QDialog* window) {
        auto* text = window->findChild<QPlainTextEdit*>(u"PasteTxt"_s);
        text->moveCursor(QTextCursor::End);
        QTest::keyClick(text, Qt::Key_Return);
        QTest::keyClicks(text, u"1 egg"_s);
        w.answers = {MessageBox::Answer::No, MessageBox::Answer::Yes};
        QTest::keyClick(text, Qt::Key_Escape);
        keptOnNo = window->isVisible() && text->toPlainText().endsWith(u"1 egg"_s);
        QTest::keyClick(text, Qt::Key_Escape);
    });
    w.paste(u"2 cups milk"_s);
    QVERIFY(keptOnNo);
    QCOMPARE(w.messages.size(), 2);
    QCOMPARE(w.messages[0].defaultButton, MessageBox::Default::No);
    QVERIFY(w.get<QListView>(u"R_IngLst"_s)->model()->rowCount() == 0);
}

QTEST_MAIN(TestPasteWindow)
#include "tst_pastewindow.moc"
