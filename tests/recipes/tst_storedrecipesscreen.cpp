#include "analysis/analysisscreen.h"
#include "core/analysis/recipelines.h"
#include "core/session.h"
#include "core/sortednamemodel.h"
#include "core/text.h"
#include "platform/helpviewer.h"
#include "platform/messagebox.h"
#include "platform/printer.h"
#include "platform/settings.h"
#include "platform/toolbar.h"
#include "recipes/storedrecipesscreen.h"
#include "shell/mainwindow.h"
#include "widgetsupport.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPlainTextEdit>
#include <QProcess>
#include <QScrollBar>
#include <QStackedWidget>

using namespace zestora;
using zestora::testing::labelTexts;
using zestora::testing::readFile;
using zestora::testing::texts;
using zestora::testing::writeFile;

namespace {

// The recipe file's bytes of a recipe, its lines and headings as the analysis screen writes them.
QByteArray record(const char* name, const char* servings, const QStringList& lines,
                  const QString& directions)
{
    return encodeCp1252(lines::recipeRecord(QString::fromLatin1(name),
                                            QString::fromLatin1(servings), lines, directions));
}

QString line(const char* name, const char* quantity, const char* unit)
{
    return lines::ingredientEntry(QString::fromLatin1(name), true, QString::fromLatin1(quantity),
                                  QString::fromLatin1(unit));
}

QString heading(const char* text)
{
    return lines::headingEntry(QString::fromLatin1(text));
}

const char* const longName = "Milk, reduced fat, fluid, 2% milkfat, with added vitamin A";

QList<IngRecord> pantry()
{
    return {zestora::testing::food(u"Milk"_s, 1, u"cup"_s, 0, {}, {8, 5, 12, 0, 8, 24, 105}),
            zestora::testing::food(u"Water"_s, 1, u"cup"_s),
            zestora::testing::food(QString::fromLatin1(longName), 1, u"cup"_s, 244, u"g"_s,
                                   {.fat = 5})};
}

// As long as a recipe's name can be.
const char* const longestName = "Walk Two Column Omelette with Leeks, Ham & Cheddar";

const QByteArray longWord = "Supercalifragilisticexpialidociouslyandevenlongerthanthecolumnitself";

QByteArray recipes()
{
    return record("Pudding", "2",
                  {heading("Base"), line("Milk", "2", "cup"), heading(" "),
                   line("water", "1/2", "cup")},
                  u"Warm the milk slowly.\r\nStir in "_s + QString::fromLatin1(longWord) +
                      u" and serve."_s) +
           record("Headings only", "1", {heading("Nothing yet")}, QString()) +
           record("Lost", "1",
                  {line("Milk", "1", "cup"), line("Saffron", "1", "tsp"), line("Milk", "1", "cup")},
                  u"Never shown."_s) +
           record("Plain water", "2", {line("Water", "2", "cup")},
                  u"Makes 2 glasses\r\n\r\nPour.\r\n\r\nNot counted in the nutrition:\r\nSalt to "
                  "taste"_s) +
           record("Long line", "1", {line(longName, "1 1/2", "cup"), line("Milk", "2", "cup")},
                  u"Pour."_s) +
           record("Twice", "1", {line("Milk", "1", "cup")}, u"The first one."_s) +
           record("TWICE", "1/2", {line("Milk", "1", "cup")}, u"The later one."_s) +
           record(longestName, "1", {line("Milk", "1", "cup")}, u"Fold."_s) + "\r\n";
}

// The stored recipes screen inside a main window, over the pantry and the recipes above.
struct Fixture : zestora::testing::StartedMainWindow {
    StoredRecipesScreen* screen = window->findChild<StoredRecipesScreen*>();

    explicit Fixture(const QByteArray& recipeFile = recipes())
        : StartedMainWindow(IngTable::toBytes(pantry()), recipeFile)
    {
    }

    QComboBox* list() const { return screen->findChild<QComboBox*>(u"RecipeLst"_s); }
    void show(const QString& name) { zestora::testing::pick(list(), list()->findText(name)); }
    QStringList rows() const
    {
        return zestora::testing::texts(screen->findChild<QListView*>(u"R_IngLst"_s));
    }
    QPlainTextEdit* directions() const
    {
        return screen->findChild<QPlainTextEdit*>(u"DirectionsTxt"_s);
    }
    void tool(const char* name) { screen->viewBar()->tool(QString::fromLatin1(name))->trigger(); }
    // Prints a recipe from the stored recipes screen on view; the path of the PDF file made.
    QString print(const QString& name)
    {
        window->topBar()->tool(u"Recipes"_s)->trigger();
        show(name);
        tool("Print");
        return messages.last().text.section(u"\r\n"_s, 1, 1);
    }
};

QString run(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished();
    return QString::fromUtf8(process.readAllStandardOutput());
}

// A text of a printed page as poppler reads it: its box in pixels at 108 to the inch, its font
// family, size in such pixels, and weight.
struct PrintedText {
    QString text;
    QRect box;
    QString family;
    int size;
    bool bold;
};

QList<PrintedText> printedTexts(const QString& pdf)
{
    const QString xml = run(u"pdftohtml"_s, {u"-xml"_s, u"-i"_s, u"-stdout"_s, pdf});
    QHash<QString, std::pair<int, QString>> fonts;
    static const QRegularExpression fontLine(
        uR"re(<font\w+ id="(\d+)" size="(\d+)" family="([^"]+)")re"_s);
    for (const QRegularExpressionMatch& m : fontLine.globalMatch(xml))
        fonts.insert(m.captured(1), {m.captured(2).toInt(), m.captured(3)});
    static const QRegularExpression text(
        uR"re(<text top="(\d+)" left="(\d+)" width="(\d+)" height="(\d+)" font="(\d+)">(.*)</text>)re"_s);
    QList<PrintedText> texts;
    for (const QRegularExpressionMatch& m : text.globalMatch(xml)) {
        QString content = m.captured(6);
        const bool bold = content.startsWith(u"<b>"_s);
        content.remove(u"<b>"_s).remove(u"</b>"_s);
        const auto& [size, family] = fonts.value(m.captured(5));
        texts.append({content,
                      QRect(m.captured(2).toInt(), m.captured(1).toInt(), m.captured(3).toInt(),
                            m.captured(4).toInt()),
                      family, size, bold});
    }
    return texts;
}

PrintedText printed(const QList<PrintedText>& texts, const QString& wanted)
{
    for (const PrintedText& text : texts)
        if (text.text == wanted)
            return text;
    return {};
}

// The panel's frame and the separators drawn across it, from poppler's drawing of the page.
struct PrintedPanel {
    QRectF frame;
    int rules = 0;
};

PrintedPanel printedPanel(const QString& pdf)
{
    const QString svg = run(u"pdftocairo"_s, {u"-svg"_s, pdf, u"-"_s});
    // Drawn strokes, not the outlines of letters.
    static const QRegularExpression rectangle(
        uR"re(fill:none;[^"]*" d="M ([\d.]+) ([\d.]+) L ([\d.]+) [\d.]+ L [\d.]+ ([\d.]+) L)re"_s);
    static const QRegularExpression line(
        uR"re(fill:none;[^"]*" d="M ([\d.]+) ([\d.]+) L ([\d.]+) ([\d.]+) ")re"_s);
    PrintedPanel panel;
    const QRegularExpressionMatch frame = rectangle.match(svg);
    panel.frame = QRectF(QPointF(frame.captured(1).toDouble(), frame.captured(2).toDouble()),
                         QPointF(frame.captured(3).toDouble(), frame.captured(4).toDouble()));
    for (const QRegularExpressionMatch& m : line.globalMatch(svg)) {
        const double y = m.captured(2).toDouble();
        if (m.captured(3).toDouble() == panel.frame.right() && y == m.captured(4).toDouble() &&
            y > panel.frame.top() && y < panel.frame.bottom())
            ++panel.rules;
    }
    return panel;
}

} // namespace

class TestStoredRecipesScreen : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void showingRecipes();
    void editAndSaveKeepTheRecipeByteForByte();
    void printedLayout();
    void everyColumnShowsAt1024By768();
    void aRecipeMadeAnIngredientOutlivesItsRecipeWhenKept();

private:
    QTemporaryDir m_home;
};

void TestStoredRecipesScreen::initTestCase()
{
    // Printed recipes go to PDF files in the documents folder: a folder of the test's.
    qputenv("HOME", m_home.path().toLocal8Bit());
    qunsetenv("XDG_DOCUMENTS_DIR");
    Printer::ignoreSystemPrinters(true);
}

void TestStoredRecipesScreen::showingRecipes()
{
    Fixture f;
    QCOMPARE(f.list()->currentIndex(), -1);
    f.window->topBar()->tool(u"Recipes"_s)->trigger();
    QCOMPARE(f.list()->currentText(), u"Headings only"_s);
    QCOMPARE(f.rows(), QStringList{u"Nothing yet"_s});
    QCOMPARE(labelTexts(f.screen, {"lblCals", "lblFg", "Label20", "Label21", "Label22"}),
             QStringList(5, QString()));

    f.show(u"Pudding"_s);
    QCOMPARE(f.rows(), (QStringList{u"Base"_s, u"2 cup   Milk"_s, u" "_s, u"1/2 cup   water"_s}));
    QCOMPARE(labelTexts(f.screen, {"lbl1M", "lblFg", "lblFP", "lblCals", "lblCg", "lblPP",
                                   "Label20", "Label21", "Label22", "CoverageLbl"}),
             (QStringList{u"makes 2 servings"_s, u"8g"_s, u"12%"_s, u"152"_s, u"24mg"_s, QString(),
                          u"47.4% of calories from Fat"_s, u"31.6% from Carbohydrates"_s,
                          u"21.1% from Protein"_s, QString()}));
    QVERIFY(f.directions()->toPlainText().startsWith(u"Warm the milk slowly."_s));
    // Only the first time: coming back keeps the recipe the user picked.
    f.window->topBar()->tool(u"NewRecipe"_s)->trigger();
    f.window->topBar()->tool(u"Recipes"_s)->trigger();
    QCOMPARE(f.list()->currentText(), u"Pudding"_s);

    f.show(u"Lost"_s);
    QCOMPARE(f.titles(), QStringList{u"Error"_s});
    QCOMPARE(f.messages[0].text,
             u"Unable to load this recipe.\r\nCould not find one of the ingrediants, "
             "(Saffron)\r\nTo correct problem, delete this recipe and enter it again."_s);
    QCOMPARE(f.rows(), QStringList{u"1 cup   Milk"_s});
    QCOMPARE(
        labelTexts(f.screen, {"lblFg", "Label20", "CoverageLbl"}),
        (QStringList{u"8g"_s, QString(), u"1 of 3 lines weighed; not counted: saffron, milk"_s}));
    QCOMPARE(f.directions()->toPlainText(), u"\n   ERROR  "_s);
    QVERIFY(f.directions()->font().bold());
    QCOMPARE(f.directions()->font().pointSize(), 20);
    f.show(u"Plain water"_s);
    QVERIFY(!f.directions()->font().bold());
    QVERIFY(f.directions()->toPlainText().startsWith(u"Makes 2 glasses\n\nPour."_s));
    QCOMPARE(labelTexts(f.screen, {"lbl1M"}), QStringList{u"makes 2 glasses"_s});

    // Of two names alike but for letter case, the later recipe is shown.
    zestora::testing::pick(f.list(), f.list()->findText(u"Twice"_s));
    QCOMPARE(labelTexts(f.screen, {"lbl1M", "lblFg"}),
             (QStringList{u"makes 1/2 servings"_s, u"16g"_s}));

    Fixture empty(QByteArray{});
    empty.window->topBar()->tool(u"Recipes"_s)->trigger();
    QCOMPARE(empty.list()->currentIndex(), -1);
}

void TestStoredRecipesScreen::editAndSaveKeepTheRecipeByteForByte()
{
    const QByteArray file = record("Stew", "2.5",
                                   {heading("Base"), line("Milk", "1", "cup"),
                                    line("Saffron", "1", "tsp"), line("Milk", "1", "cup")},
                                   u"Brown it.\r\nSimmer\u00a0long.\tServe."_s) +
                            "\r\n";
    Fixture f(file);
    f.window->topBar()->tool(u"Recipes"_s)->trigger();
    f.messages.clear();
    f.tool("Edit");
    auto* calc = f.window->findChild<AnalysisScreen*>();
    QVERIFY(calc->isVisible());
    QCOMPARE(f.window->findChild<QLabel*>(u"TopLbl"_s)->text(), u"Recipe / Diet Analysis Screen"_s);
    QCOMPARE(calc->findChild<QLineEdit*>(u"NameTxt"_s)->text(), u"Stew"_s);
    // Every line goes over, and the nutrients of those after the missing ingredient too.
    QCOMPARE(texts(calc->findChild<QListView*>(u"R_IngLst"_s)),
             (QStringList{u"Base"_s, u"1 cup   Milk"_s, u"1 tsp   Saffron"_s, u"1 cup   Milk"_s}));
    // Servings the spinner cannot show stay as stored.
    QCOMPARE(
        labelTexts(calc, {"lblFg", "Label24", "ServingsLbl", "lbl1M", "StatusLbl", "lblName",
                          "DirectionsLbl"}),
        (QStringList{u"6.4g"_s, u"47.5% of calories from Fat"_s, u"2.5"_s, u"makes 2.5 servings"_s,
                     u"Changes Saved"_s, u"Stew"_s, u"Change Items a desired."_s}));
    zestora::testing::clickInNextDialog(u"ReplaceCmd"_s);
    calc->calcBar()->tool(u"Save"_s)->trigger();
    QCOMPARE(labelTexts(calc, {"StatusLbl"}), QStringList{u"Changes Saved"_s});
    QCOMPARE(readFile(u"Recipe.Dat"_s), file);
}

void TestStoredRecipesScreen::printedLayout()
{
    Fixture f;
    f.window->topBar()->tool(u"Recipes"_s)->trigger();
    f.show(u"Pudding"_s);
    // The hourglass is gone when the user reads where the file went.
    bool hourglass = false;
    MessageBox::setAnswerer([&f, &hourglass](const MessageBox::Shown& box) {
        hourglass = QGuiApplication::overrideCursor() != nullptr;
        f.messages.append(box);
        return MessageBox::Answer::Ok;
    });
    f.tool("Print");
    QVERIFY(!hourglass);
    QCOMPARE(f.titles(), QStringList{u"Saved as PDF"_s});
    QCOMPARE(f.messages[0].defaultButton, MessageBox::Default::No); // the folder opens on request
    const QString pdf = f.messages[0].text.section(u"\r\n"_s, 1, 1);
    QVERIFY2(pdf.startsWith(m_home.path()), qPrintable(pdf));
    QVERIFY(run(u"pdfinfo"_s, {pdf}).contains(QRegularExpression(u"Pages:\\s+1\\n"_s)));

    const QList<PrintedText> texts = printedTexts(pdf);
    const QRect title = printed(texts, u"Pudding"_s).box;
    const QRect panelTitle = printed(texts, u" Nutrition Facts"_s).box;
    const QRect list = printed(texts, u"List of Ingredients:"_s).box;
    const QRect footnote =
        printed(texts, u"daily values may differ."_s.replace(u"ff"_s, u"\ufb00"_s)).box;
    const QRect shares = printed(texts, u"Additional Information:"_s).box;
    QVERIFY(title.bottom() < panelTitle.top());
    QCOMPARE(title.left(), list.left());
    QVERIFY(list.right() < panelTitle.left());
    QVERIFY(shares.top() > footnote.bottom());
    QVERIFY(qAbs(shares.left() - panelTitle.left()) < 20);
    // The ingredients start level with the panel, the directions under them, every word once.
    QVERIFY(qAbs(list.top() - panelTitle.top()) < 20);
    QVERIFY(printed(texts, u"Instructions for preparation"_s).box.top() >
            printed(texts, u"1/2 cup   water"_s).box.bottom());
    const QString words = run(u"pdftotext"_s, {pdf, u"-"_s})
                              .section(u"Instructions for preparation"_s, 1)
                              .remove(u'\n')
                              .remove(u' ');
    QCOMPARE(words.count(QString::fromLatin1(longWord)), 1);
    QCOMPARE(words.count(u"Warm"_s), 1);
    // The chart of the shares under them, with its legend in words, drawn whole: the page as
    // poppler draws it has ink at the end of the legend's last word.
    QVERIFY(run(u"pdftotext"_s, {pdf, u"-"_s})
                .simplified()
                .contains(u"Fat 47.4 % Carbohydrates 31.6 % Protein 21.1 %"_s));
    QRect legend;
    for (const PrintedText& text : texts)
        if (text.text.contains(u"Protein 21.1"_s))
            legend = text.box;
    QVERIFY(legend.isValid());
    const QString drawn = m_home.filePath(u"page"_s);
    run(u"pdftoppm"_s, {u"-r"_s, u"108"_s, u"-png"_s, u"-singlefile"_s, pdf, drawn});
    const QImage page(drawn + u".png"_s);
    bool ink = false;
    for (int x = legend.right() - 4; x <= legend.right(); ++x)
        for (int y = legend.top(); y <= legend.bottom(); ++y)
            ink = ink || qGray(page.pixel(x, y)) < 128;
    QVERIFY2(ink,
             qPrintable(u"no ink at the end of the legend, "_s + QString::number(legend.right())));
    // Each text prints in the font of its control on the screen, a few points larger where the
    // page says so; the ingredients in Arial. poppler measures 1.5 pixels to the point.
    const auto checkFont = [&](const QString& text, const char* control, int larger, bool bold) {
        const PrintedText shown = printed(texts, text);
        const QFont font = control ? f.screen->findChild<QWidget*>(QLatin1String(control))->font()
                                   : f.screen->findChild<QWidget*>(u"R_IngLst"_s)->font();
        QCOMPARE(shown.family,
                 control ? QFontInfo(font).family().remove(u' ') : u"LiberationSans"_s);
        QCOMPARE(shown.bold, bold);
        QVERIFY2(qAbs(shown.size - (font.pointSizeF() + larger) * 1.5) <= 1, qPrintable(text));
    };
    checkFont(u"Pudding"_s, "Label1", 2, true);
    checkFont(u" Cholesterol"_s, "Label12", 0, true);
    checkFont(u"Saturated Fat"_s, "Label2", 0, false);
    checkFont(u"21.1% from Protein"_s, "Label20", 1, false);
    checkFont(u"Base"_s, nullptr, 1, true);
    checkFont(u"2 cup   Milk"_s, nullptr, 1, false);
    // A double frame around the panel, twelve separators across it.
    const PrintedPanel panel = printedPanel(pdf);
    QVERIFY(panel.frame.width() > 0);
    QCOMPARE(panel.rules, 12);

    // Without calories no shares are printed.
    const QString water = run(u"pdftotext"_s, {f.print(u"Plain water"_s), u"-"_s});
    QVERIFY(water.contains(u"Pour."_s) && water.contains(u"makes 2 glasses"_s));
    QVERIFY(!water.contains(u"Additional Information"_s));
    QVERIFY(water.simplified().contains(u"1 of 2 lines weighed; not counted: salt to taste"_s));
}

void TestStoredRecipesScreen::everyColumnShowsAt1024By768()
{
    Fixture f;
    const RecipePage wide = [&f] {
        f.window->topBar()->tool(u"Recipes"_s)->trigger();
        f.show(u"Long line"_s);
        return f.screen->printedPage();
    }();
    f.window->resize(1024, 768);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    // The shares of a nutrient beside the weights.
    QTest::mouseClick(f.screen->findChild<QLabel*>(u"lblFg"_s), Qt::LeftButton);
    // Each line's weight and share in sight; a line of ordinary length whole beside them, a
    // longer one shortened.
    auto* list = f.screen->findChild<QListView*>(u"R_IngLst"_s);
    QVERIFY(!list->horizontalScrollBar()->isVisible());
    const QFontMetrics metrics = list->fontMetrics();
    const int columns = metrics.horizontalAdvance(u"00000 g 100 %"_s) + 60;
    for (int row = 0; row < list->model()->rowCount(); ++row)
        QVERIFY(list->visualRect(list->model()->index(row, 0)).right() < list->viewport()->width());
    QVERIFY(metrics.horizontalAdvance(QString(40, u'x')) + columns <= list->viewport()->width());
    // The page is laid out as before, whatever the window's width.
    const RecipePage narrow = f.screen->printedPage();
    QCOMPARE(narrow.panel.left(), wide.panel.left());
    QCOMPARE(narrow.listLeft, wide.listLeft);
    QVERIFY(wide.window.width() <= 800 * wide.pixel && wide.panel.right() < wide.window.width());
    // The longest name: the box ends it in "..." and its tool tip and the list show it whole.
    f.show(QString::fromLatin1(longestName));
    QComboBox* box = f.list();
    QCOMPARE(box->toolTip(), QString::fromLatin1(longestName));
    box->showPopup();
    const QRect item = box->view()->visualRect(box->view()->currentIndex());
    QVERIFY(box->view()->fontMetrics().horizontalAdvance(box->toolTip()) < item.width());
    QVERIFY(box->view()->window()->geometry().right() < f.window->width());
}

void TestStoredRecipesScreen::aRecipeMadeAnIngredientOutlivesItsRecipeWhenKept()
{
    Fixture f;
    f.window->topBar()->tool(u"Recipes"_s)->trigger();
    f.show(u"Pudding"_s);
    f.tool("UseAsIngredient");
    QCOMPARE(f.messages.last().text, u"Pudding is now an ingredient: 1 serving. It follows the "
                                     u"recipe whenever the recipe is saved again."_s);
    const int made = f.session.ingredients.lastIndexOfName(u"Pudding"_s);
    QVERIFY(made >= 0);
    // Two cups of milk and half a cup of water for two: a serving holds a cup of milk.
    QCOMPARE(f.session.ingredients.at(made).fat, 8.0f);
    QCOMPARE(readFile(u"Recipe ingredients.txt"_s), QByteArray("Pudding\tPudding\n"));
    // The analysis screen's list offers it at once.
    const QAbstractItemModel* offered = f.window->findChild<QListView*>(u"IngLst"_s)->model();
    QCOMPARE(offered->match(offered->index(0, 0), Qt::DisplayRole, u"Pudding"_s).size(), 1);

    // Weighed when cooked, a serving of the two weighs half the dish; the weight goes with the
    // recipe.
    writeFile(u"Cooked weights.txt"_s, "Pudding\t700\n");
    f.show(u"Pudding"_s);
    QCOMPARE(labelTexts(f.screen, {"ServingWeightLbl"}), QStringList{u"Serving 350 g"_s});

    f.answers = {MessageBox::Answer::Yes, MessageBox::Answer::Yes};
    f.tool("Delete");
    QVERIFY(f.messages.last().text.startsWith(u"The ingredient Pudding was made from this "_s));
    QVERIFY(f.session.ingredients.lastIndexOfName(u"Pudding"_s) >= 0);
    QVERIFY(!QFile::exists(u"Recipe ingredients.txt"_s));
    QVERIFY(!QFile::exists(u"Cooked weights.txt"_s));
}

QTEST_MAIN(TestStoredRecipesScreen)
#include "tst_storedrecipesscreen.moc"
