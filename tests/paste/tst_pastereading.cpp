#include "core/paste/eachfood.h"
#include "core/paste/kitchenmeasures.h"
#include "core/paste/linereview.h"
#include "core/store/backups.h"
#include "core/store/ingtable.h"
#include "testsupport.h"

using namespace zestora;
using namespace zestora::paste;
using zestora::testing::food;
using zestora::testing::TempWorkDir;

namespace {

// A few foods as the starter database has them, with USDA's household weights.
QList<IngRecord> pantry()
{
    return {food(u"Wheat flour"_s, 1, u"cup"_s, 125, u"g"_s),
            food(u"Onions, raw"_s, 1, u"medium (2-1/2\" dia)"_s, 110, u"g"_s, {}, true),
            food(u"Salt, table"_s, 1, u"cup"_s, 292, u"g"_s),
            food(u"Potatoes, raw"_s, 1, u"potato medium"_s, 213, u"g"_s, {}, true),
            food(u"Bay leaf"_s, 1, u"leaf"_s, 0, {}, {}, true),
            food(u"Fennel, bulb, raw"_s, 1, u"cup"_s, 87, u"g"_s)};
}

const QByteArray householdTable = "Onions, raw\tcup, chopped\t160\n"
                                  "Onions, raw\tlarge\t150\n"
                                  "Onions, raw\tmedium (2-1/2\" dia)\t110\n"
                                  "Salt, table\tdash\t0.4\n"
                                  "Potatoes, raw\tcup, diced\t150\n"
                                  "Fennel, bulb, raw\tbulb\t234\n";

} // namespace

class TestPasteReading : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void readsLines_data();
    void readsLines();
    void readsInKitchenMeasures_data();
    void readsInKitchenMeasures();
    void readsHeadings_data();
    void readsHeadings();
    void splitsOneAmountForEachFood_data();
    void splitsOneAmountForEachFood();
    void readsRecipeText();
    void joinsRowsAColumnBroke_data();
    void joinsRowsAColumnBroke();
    void readsServings_data();
    void readsServings();
    void spinnerQuantities_data();
    void spinnerQuantities();
    void measuresInTheFoodsUnits_data();
    void measuresInTheFoodsUnits();
    void acceptedLineIsAnOrdinaryLine();
    void remembersChoicesBesideTheData();
};

void TestPasteReading::readsLines_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("quantity"); // -1: none
    QTest::addColumn<QString>("unit");
    QTest::addColumn<QString>("food");
    QTest::addColumn<QString>("notes");
    const QList<QStringList> rows =
        testing::tableRows(QStringLiteral(PASTE_DIR "/line-readings.tsv"));
    QVERIFY(!rows.isEmpty());
    for (const QStringList& row : rows) {
        QCOMPARE(row.size(), 6);
        QTest::newRow(qPrintable(row[0]))
            << row[1] << (row[2].isEmpty() ? -1 : row[2].toDouble()) << row[3] << row[4] << row[5];
    }
}

void TestPasteReading::readsInKitchenMeasures_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("measures");
    QTest::addColumn<double>("quantity");
    QTest::addColumn<QString>("unit");
    QTest::addColumn<QString>("said"); // on the line, of the measure used
    QTest::newRow("an Australian tablespoon")
        << u"2 tbs olive oil"_s << u"au"_s << 40.0 << u"ml"_s << u"Australian tablespoon, 20 ml"_s;
    QTest::newRow("an Australian cup, to the millilitre")
        << u"1/3 cup milk"_s << u"au"_s << 83.0 << u"ml"_s << u"Australian cup, 250 ml"_s;
    QTest::newRow("a British pint")
        << u"1 pint milk"_s << u"uk"_s << 568.0 << u"ml"_s << u"British pint, 568 ml"_s;
    QTest::newRow("a British tablespoon is the American one")
        << u"2 tbsp oil"_s << u"uk"_s << 2.0 << u"tbs"_s << QString();
    QTest::newRow("a teaspoon is 5 ml everywhere")
        << u"1 tsp salt"_s << u"au"_s << 1.0 << u"tsp"_s << QString();
    QTest::newRow("American measures are the program's own")
        << u"1 pint milk"_s << u"US"_s << 1.0 << u"pint"_s << QString();
    QTest::newRow("a range says which amount counted, beside the measure")
        << u"2-3 tbs olive oil"_s << u"au"_s << 50.0 << u"ml"_s
        << u"the middle of 2-3; Australian tablespoon, 20 ml"_s;
}

void TestPasteReading::readsInKitchenMeasures()
{
    QFETCH(QString, text);
    QFETCH(QString, measures);
    IngredientLine line = readIngredientLine(text);
    readInMeasures(line, *measuresNamed(measures));
    QTEST(*line.quantity, "quantity");
    QTEST(line.unit, "unit");
    QTEST(line.measures, "said");
    QCOMPARE(measuresOfLocale(QLocale(QLocale::English, QLocale::Australia)),
             KitchenMeasures::Australian);
    QCOMPARE(measuresOfLocale(QLocale(QLocale::English, QLocale::Ireland)), KitchenMeasures::UK);
    QCOMPARE(measuresOfLocale(QLocale(QLocale::English, QLocale::Canada)), KitchenMeasures::US);
}

void TestPasteReading::splitsOneAmountForEachFood_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("a list with its describing words")
        << u"1 cup each onion, carrots and mushrooms, chopped"_s
        << QStringList{u"1 cup onion, chopped"_s, u"1 cup carrots, chopped"_s,
                       u"1 cup mushrooms, chopped"_s};
    QTest::newRow("a colon, and how the first is prepared goes for all")
        << u"1/4 teaspoon each: ground cumin, coriander, and turmeric"_s
        << QStringList{u"1/4 teaspoon ground cumin"_s, u"1/4 teaspoon ground coriander"_s,
                       u"1/4 teaspoon ground turmeric"_s};
    QTest::newRow("a food's own preparation is kept")
        << u"1/2 cup each chopped walnuts and dried cranberries"_s
        << QStringList{u"1/2 cup chopped walnuts"_s, u"1/2 cup dried cranberries"_s};
    QTest::newRow("colours of one food")
        << u"1 each red and green bell pepper, diced"_s
        << QStringList{u"1 red bell pepper, diced"_s, u"1 green bell pepper, diced"_s};
    QTest::newRow("the amount after the foods")
        << u"Salt and pepper, 1/4 tsp each"_s
        << QStringList{u"1/4 tsp salt"_s, u"1/4 tsp pepper"_s};
    QTest::newRow("each of, a weight") << u"100g each of raisins and sultanas"_s
                                       << QStringList{u"100g raisins"_s, u"100g sultanas"_s};
    QTest::newRow("the weight of each piece is not a list")
        << u"4 chicken breasts, 6 oz each"_s << QStringList{u"4 chicken breasts, 6 oz each"_s};
    QTest::newRow("one food alone") << u"2 each eggs"_s << QStringList{u"2 each eggs"_s};
    QTest::newRow("after a colon, a list with commas alone")
        << u"4 teaspoons each: cornstarch, low-sodium soy sauce"_s
        << QStringList{u"4 teaspoons cornstarch"_s, u"4 teaspoons low-sodium soy sauce"_s};
    QTest::newRow("counted foods after a colon")
        << u"1 each: small onion, green pepper, red bell pepper"_s
        << QStringList{u"1 small onion"_s, u"1 green pepper"_s, u"1 red bell pepper"_s};
    // Two foods, each with its own amount, joined by "and".
    const QList<std::pair<const char16_t*, QStringList>> twoAmounts{
        {u"1/2 tsp salt and 1/4 tsp pepper", {u"1/2 tsp salt"_s, u"1/4 tsp pepper"_s}},
        {u"2 tbsp olive oil and a knob of butter", {u"2 tbsp olive oil"_s, u"a knob of butter"_s}},
        {u"1/2 tsp salt and a pinch of pepper", {u"1/2 tsp salt"_s, u"a pinch of pepper"_s}},
        {u"1 tsp salt and some black pepper", {u"1 tsp salt"_s, u"some black pepper"_s}},
        {u"1 tsp salt and plenty of black pepper", {u"1 tsp salt"_s, u"plenty of black pepper"_s}},
        {u"Pinch salt and plenty of pepper", {u"Pinch salt"_s, u"plenty of pepper"_s}},
        {u"1 onion and 2 carrots, chopped", {u"1 onion"_s, u"2 carrots, chopped"_s}},
        {u"2 cups flour & 1 tsp baking powder", {u"2 cups flour"_s, u"1 tsp baking powder"_s}},
        // A mixed number, a second amount without a food and a food without one are one line.
        {u"1 and 1/2 cups beef stock", {u"1 and 1/2 cups beef stock"_s}},
        {u"1 cup sugar and 2 tbsp", {u"1 cup sugar and 2 tbsp"_s}},
        {u"2 tbsp butter and oil", {u"2 tbsp butter and oil"_s}},
        {u"1/2 cup sour cream and onion dip", {u"1/2 cup sour cream and onion dip"_s}},
    };
    for (const auto& [text, lines] : twoAmounts)
        QTest::newRow(qPrintable(QString::fromUtf16(text))) << QString::fromUtf16(text) << lines;
}

void TestPasteReading::splitsOneAmountForEachFood()
{
    QFETCH(QString, text);
    QTEST(linesOfEachFood(text), "lines");
}

void TestPasteReading::readsHeadings_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("heading");
    const auto row = [](const char* text, LineKind kind, const char* heading = "") {
        QTest::newRow(text) << QString::fromUtf8(text) << static_cast<int>(kind)
                            << QString::fromUtf8(heading);
    };
    row("Ingredients", LineKind::Blank);
    row("Ingredients:", LineKind::Blank);
    row("INGREDIENTS", LineKind::Blank);
    row("For the filling", LineKind::Heading, "For the filling");
    row("For the cream cheese frosting", LineKind::Heading, "For the cream cheese frosting");
    row("To serve", LineKind::Heading, "To serve");
    row("To finish:", LineKind::Heading, "To finish");
    row("Sauce:", LineKind::Heading, "Sauce");
    // A part of the dish named by its word alone, as cards head a list's parts.
    row("Dressing", LineKind::Heading, "Dressing");
    row("Slaw", LineKind::Heading, "Slaw");
    row("Garnish", LineKind::Heading, "Garnish");
    row("Topping", LineKind::Heading, "Topping");
    row("Salt to taste", LineKind::Ingredient);
    row("Salad dressing", LineKind::Ingredient);
}

void TestPasteReading::readsHeadings()
{
    QFETCH(QString, text);
    const IngredientLine line = readIngredientLine(text);
    QTEST(static_cast<int>(line.kind), "kind");
    QTEST(line.heading, "heading");
}

void TestPasteReading::readsLines()
{
    QFETCH(QString, text);
    QFETCH(double, quantity);
    const IngredientLine line = readIngredientLine(text);
    QCOMPARE(line.kind, LineKind::Ingredient);
    QCOMPARE(line.quantity.value_or(-1), quantity);
    QTEST(line.unit, "unit");
    QTEST(line.food, "food");
    QTEST(line.notes.join(u'|'), "notes");
}

void TestPasteReading::readsRecipeText()
{
    const RecipeText recipe =
        readRecipeText(u"Lemon Cake\r\nServes 8\r\n\r\nCAKE\r\n2 cups flour\r\n\r\nFor the "
                       "glaze:\r\n1 cup icing sugar\r\n\r\nDirections\r\nMix.\r\nBake.\r\n"_s,
                       true);
    QCOMPARE(recipe.title, u"Lemon Cake"_s);
    // A title may start as a line counting one of a food does.
    QCOMPARE(readRecipeText(u"A simple lemon cake\n2 eggs"_s, true).title,
             u"A simple lemon cake"_s);
    // Nor is a word that measures a food at the head of a title an amount: "Rack of lamb".
    for (const QString& title : {u"Rack of lamb, potato and pepper tray roast"_s,
                                 u"Pot roast with tomato gravy"_s, u"Slice and bake cookies"_s}) {
        const RecipeText titled = readRecipeText(QString(title + u"\n750g new potatoes"_s), true);
        QCOMPARE(titled.title, title);
        QCOMPARE(titled.lines.size(), 1);
    }
    // A part of the recipe named first is no title.
    QCOMPARE(readRecipeText(u"Ingredients\nFor the sauce\n1 cup milk\n"_s, true).title, QString());
    QCOMPARE(recipe.servings, 8.0f);
    // A range of servings is analysed for the larger number.
    QCOMPARE(readRecipeText(u"Serves 4 to 6\n2 eggs"_s, false).servings, 6.0f);
    QCOMPARE(recipe.directions, u"Mix.\nBake."_s);
    QStringList kinds;
    for (const IngredientLine& line : recipe.lines)
        kinds.append(line.kind == LineKind::Heading ? line.heading
                     : line.kind == LineKind::Blank ? u"-"_s
                                                    : line.food);
    QCOMPARE(kinds,
             (QStringList{u"CAKE"_s, u"flour"_s, u"-"_s, u"For the glaze"_s, u"icing sugar"_s}));
    // Without a title the first line is an ingredient like any other.
    QCOMPARE(readRecipeText(u"Salt\n2 eggs"_s, false).lines.size(), 2);
    // A row a column broke off joins the line above; the same first row later, unbroken, is read
    // as written, not copied from the joined line.
    const RecipeText broken = readRecipeText(
        u"1 cup chopped romaine and/or\niceberg lettuce\n\nDressing\n1 cup chopped romaine and/or"_s,
        false);
    QCOMPARE(broken.lines.first().text, u"1 cup chopped romaine and/or iceberg lettuce"_s);
    QCOMPARE(broken.lines.last().text, u"1 cup chopped romaine and/or"_s);
}

void TestPasteReading::joinsRowsAColumnBroke_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("joined");
    // A row that stops on a word no food ends with, only ever written before one, goes on below.
    const QList<std::pair<const char16_t*, bool>> rows{
        {u"1/2 cup shredded reduced-fat sharp\ncheddar cheese", true},
        {u"1 1/2 tablespoons firmly packed dark brown\nsugar", true},
        {u"3/4 cup unsweetened\napplesauce", true},
        {u"1 teaspoon ground\ncinnamon", true},
        {u"1 cup packed light brown\nsugar", true},
        {u"2 tablespoons extra-virgin\nolive oil", true},
        {u"1 cup semisweet\nchocolate chips", true},
        {u"1 can (14 oz) reduced-sodium\nchicken broth", true},
        {u"1 (8 oz) package fat-free\ncream cheese, softened", true},
        {u"225g self-raising\nflour", true},
        // A line whole in itself keeps the row below apart, even on a word that may end a line.
        {u"1 onion chopped\nsalt and pepper", false},
        {u"1 cup brown sugar packed\nsalt", false},
        {u"1 cinnamon stick\nsalt", false},
        {u"1 cup cream, light\nsalt", false},
        {u"2 cups flour\nsugar", false},
        // A row with its own amount, or a heading, is a line of its own.
        {u"1 teaspoon ground\n2 cups flour", false},
        {u"1 cup unsweetened\nFor the topping:", false},
    };
    for (const auto& [text, joined] : rows)
        QTest::newRow(qPrintable(QString::fromUtf16(text))) << QString::fromUtf16(text) << joined;
}

void TestPasteReading::joinsRowsAColumnBroke()
{
    QFETCH(QString, text);
    QFETCH(bool, joined);
    const RecipeText recipe = readRecipeText(text, false);
    QVERIFY(!recipe.lines.isEmpty());
    QCOMPARE(recipe.lines.first().text,
             joined ? QString(text).replace(u'\n', u' ') : text.section(u'\n', 0, 0));
}

void TestPasteReading::readsServings_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<float>("servings");
    // How recipe sites, cookbooks and cards say how many a recipe makes; 0: it does not say.
    const QList<std::pair<const char16_t*, float>> rows{
        {u"Serves 4", 4},
        {u"Serves 4-6", 6},
        {u"SERVES 6 TO 8", 8},
        {u"Servings: 8", 8},
        {u"8 servings", 8},
        {u"Makes 8 servings", 8},
        {u"Yield: 8 servings", 8},
        {u"Yield: 2 dozen cookies", 24},
        {u"Makes about 3 dozen", 36},
        {u"Makes 1 dozen muffins", 12},
        {u"Feeds 4", 4},
        {u"Feeds 4-6 people", 6},
        {u"Serves: 4 people", 4},
        {u"Yield: Serves 6", 6},
        {u"Yield: 6 to 8 servings", 8},
        {u"Makes 16 squares", 16},
        {u"Makes 2 loaves (24 slices)", 24},
        {u"Makes 1 (9-inch) pie", 1},
        {u"Makes one 9-inch cake", 1},
        {u"Serves four", 4},
        {u"Serves six to eight", 8},
        {u"Number of servings: 4", 4},
        {u"Servings per recipe: 6", 6},
        {u"Portions: 4", 4},
        {u"Makes 4 portions", 4},
        {u"Yield: 4 (1 1/2-cup) servings", 4},
        {u"Prep time: 10 minutes", 0},
        {u"Yield: 12", 12},
        {u"Servings 6", 6},
        {u"Makes 24", 24},
        {u"Makes: 20 biscuits", 20},
        {u"Serves 8 (serving size: 1 cup)", 8},
        {u"Serving size: 1 cup", 0},
        {u"Makes 4 to 6 servings", 6},
        {u"Serves 4 generously", 4},
        {u"Yield: 1 9x13 pan (12 servings)", 12},
        {u"Makes 18-20 cookies", 20},
        {u"Yield: 4 cups (8 servings)", 8},
        {u"Original recipe yields 8 servings", 8},
        {u"Serves 99999999999999999999", 0},
        {u"Serves 1000", 1000},
        {u"Recipe makes 12", 12},
        {u"This recipe serves 4", 4},
        {u"Total servings: 6", 6},
        {u"Makes 12 (2-inch) cookies", 12},
    };
    for (const auto& [line, servings] : rows)
        QTest::newRow(QString::fromUtf16(line).toUtf8().constData())
            << QString::fromUtf16(line) << servings;
}

void TestPasteReading::readsServings()
{
    QFETCH(QString, line);
    const RecipeText recipe = readRecipeText(QString(line + u"\n2 eggs"_s), false);
    QTEST(recipe.servings.value_or(0), "servings");
}

void TestPasteReading::spinnerQuantities_data()
{
    QTest::addColumn<double>("amount");
    QTest::addColumn<bool>("writtenAsDecimal");
    QTest::addColumn<QString>("text"); // empty: none
    QTest::addColumn<bool>("fractionMode");
    QTest::addColumn<float>("value");
    QTest::newRow("a kitchen fraction") << 2.5 << false << u"2 1/2"_s << true << 2.5f;
    QTest::newRow("a decimal stays one") << 1.5 << true << u"1.5"_s << false << 1.5f;
    QTest::newRow("a third counts as the spinner counts it")
        << 4.0 / 3 << false << u"1 1/3"_s << true << 1.333f;
    QTest::newRow("an exact fraction beats a near decimal")
        << 0.25 << true << u"1/4"_s << true << 0.25f;
    QTest::newRow("tenths where no fraction fits") << 2.3 << false << u"2.3"_s << false << 2.3f;
    QTest::newRow("the least amount there is") << 0.04 << false << u"0.1"_s << false << 0.1f;
    QTest::newRow("nearly whole is whole") << 1.97 << false << u"2"_s << true << 2.0f;
    QTest::newRow("the largest whole part")
        << 1000.875 << false << u"1000 7/8"_s << true << 1000.875f;
    QTest::newRow("more than the spinners hold") << 1002.0 << false << QString() << true << 0.0f;
}

void TestPasteReading::spinnerQuantities()
{
    QFETCH(double, amount);
    QFETCH(bool, writtenAsDecimal);
    QFETCH(QString, text);
    const std::optional<quantity::Entry> quantity = spinnerQuantity(amount, writtenAsDecimal);
    QCOMPARE(quantity.has_value(), !text.isEmpty());
    if (!quantity)
        return;
    QCOMPARE(quantity->text(), text);
    QTEST(quantity->fractionMode, "fractionMode");
    QTEST(quantity->value(), "value");
}

void TestPasteReading::measuresInTheFoodsUnits_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("food");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("quantity");
    QTest::addColumn<QString>("unit");
    const auto row = [](const char* name, const QString& text, const QString& food,
                        MeasureStatus status, const QString& quantity, const QString& unit) {
        QTest::newRow(name) << text << food << static_cast<int>(status) << quantity << unit;
    };
    const QString flour = u"Wheat flour"_s;
    const QString onion = u"Onions, raw"_s;
    row("a unit the food offers", u"2 cups flour"_s, flour, MeasureStatus::Kept, u"2"_s, u"cup"_s);
    row("kilograms as grams", u"1 kg flour"_s, flour, MeasureStatus::Converted, u"1000"_s, u"g"_s);
    row("more grams than the spinner holds", u"1.5 kg flour"_s, flour, MeasureStatus::Converted,
        u"1500"_s, u"g"_s);
    row("fluid ounces as tablespoons", u"2 fl oz flour"_s, flour, MeasureStatus::Converted, u"4"_s,
        u"tbs"_s);
    row("litres as millilitres", u"1 l flour"_s, flour, MeasureStatus::Converted, u"1000"_s,
        u"ml"_s);
    row("a count of the food's own measure", u"1 onion"_s, onion, MeasureStatus::Kept, u"1"_s,
        u"medium (2-1/2\" dia)"_s);
    row("the size the own measure names", u"2 medium onions"_s, onion, MeasureStatus::Kept, u"2"_s,
        u"medium (2-1/2\" dia)"_s);
    row("the own measure named after the food", u"3 medium potatoes"_s, u"Potatoes, raw"_s,
        MeasureStatus::Kept, u"3"_s, u"potato medium"_s);
    row("another size by its weight", u"2 large onions"_s, onion, MeasureStatus::Converted,
        u"300"_s, u"g"_s);
    row("a piece the food's words name, by its weight", u"2 fennel bulbs"_s, u"Fennel, bulb, raw"_s,
        MeasureStatus::Converted, u"468"_s, u"g"_s);
    row("a cup of a counted food by its weight", u"1/2 cup chopped onion"_s, onion,
        MeasureStatus::Converted, u"80"_s, u"g"_s);
    row("a dash the food's measures know", u"1 dash salt"_s, u"Salt, table"_s,
        MeasureStatus::Converted, u"0.4"_s, u"g"_s);
    row("a pinch, finer than a tenth of a teaspoon, in millilitres", u"a pinch of salt"_s,
        u"Salt, table"_s, MeasureStatus::Converted, u"0.3"_s, u"ml"_s);
    row("a handful is half a cup", u"a handful of flour"_s, flour, MeasureStatus::Kept, u"1/2"_s,
        u"cup"_s);
    row("nothing to convert to", u"1 cup bay leaves"_s, u"Bay leaf"_s, MeasureStatus::ChooseMeasure,
        QString(), QString());
    row("no amount", u"salt to taste"_s, u"Salt, table"_s, MeasureStatus::NoQuantity, QString(),
        QString());
}

void TestPasteReading::measuresInTheFoodsUnits()
{
    QFETCH(QString, text);
    QFETCH(QString, food);
    QFETCH(int, status);
    QFETCH(QString, quantity);
    const QList<IngRecord> foods = pantry();
    const auto record = std::find_if(foods.begin(), foods.end(),
                                     [&](const IngRecord& r) { return r.name == food; });
    const LineMeasure measure =
        measureLine(readIngredientLine(text), *record, HouseholdWeights(householdTable));
    QCOMPARE(static_cast<int>(measure.status), status);
    if (!measure.usable())
        return;
    QCOMPARE(measure.quantity.text(), quantity);
    QTEST(measure.unit, "unit");
    QVERIFY(measureList(*record).contains(measure.unit));
}

void TestPasteReading::acceptedLineIsAnOrdinaryLine()
{
    TempWorkDir dir;
    testing::writeFile(IngTable::fileName, IngTable::toBytes(pantry()));
    IngTable table;
    QVERIFY(!table.loadIngTable());
    const FoodMatcher matcher(table, CooksNames("flour\tWheat flour\n"));
    const HouseholdWeights weights(householdTable);
    ReviewedLine reviewed =
        reviewLine(readIngredientLine(u"1 1/3 cups flour"_s), matcher, table, weights);
    QCOMPARE(table.at(reviewed.food).name, u"Wheat flour"_s);
    QVERIFY(!reviewed.uncertain());
    const std::optional<OrdinaryLine> line = acceptedLine(reviewed, table);
    QVERIFY(line);
    // What the screen stores and adds for 1 and 1/3 on the spinners and "cup" in the list.
    QCOMPARE(line->entry(), u"\u00CEWheat flour\u00CF\u00BC1 1/3\u00CAcup\u0090"_s);
    QCOMPARE(line->quantityValue, 1.333f);
    QCOMPARE(line->row(), u"1 1/3  cup     Wheat flour"_s);

    // Another food chosen by hand is measured in its own units; none leaves nothing to add.
    chooseFood(reviewed, table.lastIndexOfNameIgnoringCase(u"Onions, raw"_s), table, weights);
    QCOMPARE(acceptedLine(reviewed, table)->entry(),
             u"\u00CEOnions, raw\u00CF\u00BC213\u00CAg\u0090"_s);
    chooseFood(reviewed, table.lastIndexOfNameIgnoringCase(u"Bay leaf"_s), table, weights);
    QCOMPARE(reviewed.measure.status, MeasureStatus::ChooseMeasure);
    QVERIFY(!acceptedLine(reviewed, table));
    chooseFood(reviewed, -1, table, weights);
    QVERIFY(reviewed.uncertain());
    QVERIFY(!acceptedLine(reviewed, table));
}

void TestPasteReading::remembersChoicesBesideTheData()
{
    TempWorkDir dir;
    testing::writeFile(IngTable::fileName, IngTable::toBytes(pantry()));
    const QByteArray ingredients = testing::readFile(IngTable::fileName);
    IngTable table;
    QVERIFY(!table.loadIngTable());
    FoodChoices choices;
    choices.load();
    QVERIFY(choices.remember({{u"milk"_s, u"Milk"_s}}));
    // The choices of one Add are written at once: one rewrite, one backup.
    QVERIFY(choices.remember(
        {{u"Chopped Onions"_s, u"Potatoes, raw"_s}, {u"whole milk"_s, u"Milk"_s}}));
    QCOMPARE(backups::list(FoodChoices::fileName).size(), 1);

    FoodChoices later;
    later.load();
    QCOMPARE(later.chosenFor(u"onion, chopped"_s), u"Potatoes, raw"_s);
    QCOMPARE(later.chosenFor(u"milk whole"_s), u"Milk"_s);
    const FoodMatcher matcher(table, {}, &later);
    const QList<FoodMatch> best = matcher.bestFoods(u"chopped onions"_s);
    QCOMPARE(table.at(best.front().index).name, u"Potatoes, raw"_s);
    QVERIFY(best.front().score > best[1].score);
    QCOMPARE(table.at(best[1].index).name, u"Onions, raw"_s);
    QCOMPARE(testing::readFile(IngTable::fileName), ingredients);
}

QTEST_GUILESS_MAIN(TestPasteReading)
#include "tst_pastereading.moc"
