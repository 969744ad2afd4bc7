#include "core/paste/unitwords.h"

#include "core/units.h"

#include <QHash>
#include <QStringList>

namespace zestora::paste {

namespace {

struct UnitSpelling {
    const char* spelling;
    const char* unit;
};

// Spellings compared exactly: a capital T is a tablespoon and a small one a teaspoon.
constexpr UnitSpelling exactSpellings[] = {
    {"T", "tbs"}, {"Tb", "tbs"}, {"t", "tsp"}, {"C", "cup"}, {"c", "cup"}, {"L", "l"},
};

// Spellings compared ignoring letter case, without a final full stop.
constexpr UnitSpelling spellings[] = {
    {"cup", "cup"},
    {"cups", "cup"},
    {"tablespoon", "tbs"},
    {"tablespoons", "tbs"},
    {"tbsp", "tbs"},
    {"tbsps", "tbs"},
    {"tbs", "tbs"},
    {"tbl", "tbs"},
    {"tbls", "tbs"},
    {"tblsp", "tbs"},
    {"tblsps", "tbs"},
    {"tblspoon", "tbs"},
    {"tblspoons", "tbs"},
    {"tbspn", "tbs"},
    {"tbspns", "tbs"},
    {"teaspoon", "tsp"},
    {"teaspoons", "tsp"},
    {"tsp", "tsp"},
    {"tsps", "tsp"},
    {"tspn", "tsp"},
    {"tspns", "tsp"},
    {"ounce", "oz"},
    {"ounces", "oz"},
    {"oz", "oz"},
    {"ozs", "oz"},
    {"pound", "lb"},
    {"pounds", "lb"},
    {"lb", "lb"},
    {"lbs", "lb"},
    {"gram", "g"},
    {"grams", "g"},
    {"gramme", "g"},
    {"grammes", "g"},
    {"g", "g"},
    {"gr", "g"},
    {"gm", "g"},
    {"gms", "g"},
    {"tb", "tbs"},
    {"kilogram", "kg"},
    {"kilograms", "kg"},
    {"kg", "kg"},
    {"kgs", "kg"},
    {"kilo", "kg"},
    {"kilos", "kg"},
    {"ml", "ml"},
    {"mls", "ml"},
    {"cc", "ml"},
    {"cb", "ml"},
    {"millilitre", "ml"},
    {"millilitres", "ml"},
    {"milliliter", "ml"},
    {"milliliters", "ml"},
    {"cl", "cl"},
    {"centilitre", "cl"},
    {"centilitres", "cl"},
    {"centiliter", "cl"},
    {"centiliters", "cl"},
    {"dl", "dl"},
    {"decilitre", "dl"},
    {"decilitres", "dl"},
    {"deciliter", "dl"},
    {"deciliters", "dl"},
    {"mg", "mg"},
    {"milligram", "mg"},
    {"milligrams", "mg"},
    {"cg", "cg"},
    {"centigram", "cg"},
    {"centigrams", "cg"},
    {"dg", "dg"},
    {"decigram", "dg"},
    {"decigrams", "dg"},
    {"l", "l"},
    {"litre", "l"},
    {"litres", "l"},
    {"liter", "l"},
    {"liters", "l"},
    {"ltr", "l"},
    {"ltrs", "l"},
    {"pint", "pint"},
    {"pints", "pint"},
    {"pt", "pint"},
    {"pts", "pint"},
    {"quart", "quart"},
    {"quarts", "quart"},
    {"qt", "quart"},
    {"qts", "quart"},
    {"gallon", "gallon"},
    {"gallons", "gallon"},
    {"gal", "gallon"},
    {"gill", "gill"},
    {"gills", "gill"},
    {"breakfastcup", "breakfastcup"},
    {"breakfastcups", "breakfastcup"},
    // Count words: how many of something a cook counts.
    {"jumbo", "jumbo"},
    {"large", "large"},
    {"lg", "large"},
    {"lge", "large"},
    {"lrg", "large"},
    // A plump piece is a large one: "8 plump chicken thighs", "4 plump sausages".
    {"plump", "large"},
    {"medium", "medium"},
    {"med", "medium"},
    {"small", "small"},
    {"sm", "small"},
    {"clove", "clove"},
    {"cloves", "clove"},
    {"slice", "slice"},
    {"slices", "slice"},
    // A strip or rasher of bacon is a slice.
    {"strip", "slice"},
    {"strips", "slice"},
    {"rasher", "slice"},
    {"rashers", "slice"},
    {"stick", "stick"},
    {"sticks", "stick"},
    // "6 links hot Italian sausage": the links are the count, not a word of the food.
    {"link", "link"},
    {"links", "link"},
    // "2 sheets puff pastry": a sheet of pastry, filo or gelatine is counted as the packs hold
    // them.
    {"sheet", "sheet"},
    {"sheets", "sheet"},
    {"pinch", "pinch"},
    {"pinches", "pinch"},
    {"dessertspoon", "dessertspoon"},
    {"dessertspoons", "dessertspoon"},
    {"dsp", "dessertspoon"},
    {"dstspn", "dessertspoon"},
    {"dash", "dash"},
    {"dashes", "dash"},
    {"can", "can"},
    {"cans", "can"},
    {"tin", "can"},
    {"tins", "can"},
    {"package", "package"},
    {"packages", "package"},
    {"pkg", "package"},
    {"pkgs", "package"},
    {"packet", "packet"},
    {"packets", "packet"},
    {"pack", "package"},
    {"packs", "package"},
    {"pkt", "packet"},
    {"pkts", "packet"},
    {"jar", "jar"},
    {"jars", "jar"},
    {"bunch", "bunch"},
    {"bunches", "bunch"},
    {"head", "head"},
    {"heads", "head"},
    {"loaf", "loaf"},
    {"loaves", "loaf"},
    {"ear", "ear"},
    {"ears", "ear"},
    // A cob of corn is an ear.
    {"cob", "ear"},
    {"cobs", "ear"},
    {"sprig", "sprig"},
    {"sprigs", "sprig"},
    {"stalk", "stalk"},
    {"stalks", "stalk"},
    {"piece", "piece"},
    {"pieces", "piece"},
    {"pc", "piece"},
    {"pcs", "piece"},
    {"handful", "handful"},
    {"handfuls", "handful"},
    {"thumb", "thumb"},
    {"thumbs", "thumb"},
    {"knob", "knob"},
    {"knobs", "knob"},
    {"splash", "splash"},
    {"splashes", "splash"},
    {"drizzle", "drizzle"},
    {"glug", "glug"},
    {"glugs", "glug"},
    {"lug", "lug"},
    {"drop", "drop"},
    {"drops", "drop"},
    {"dollop", "dollop"},
    {"dollops", "dollop"},
    {"squeeze", "squeeze"},
    {"squeezes", "squeeze"},
    {"sprinkle", "sprinkle"},
    {"sprinkling", "sprinkle"},
    {"grating", "grating"},
    {"hunk", "hunk"},
    {"hunks", "hunk"},
    {"envelope", "envelope"},
    {"envelopes", "envelope"},
    {"env", "envelope"},
    {"envs", "envelope"},
    {"rack", "rack"},
    {"racks", "rack"},
    {"ball", "ball"},
    {"balls", "ball"},
    {"punnet", "punnet"},
    {"punnets", "punnet"},
    {"sachet", "sachet"},
    {"sachets", "sachet"},
    // "Square" itself stays a food's word: "2 squares chocolate" finds the chocolate in squares.
    {"sq", "square"},
    {"bottle", "bottle"},
    {"bottles", "bottle"},
    {"btl", "bottle"},
    {"bag", "bag"},
    {"bags", "bag"},
    {"box", "box"},
    {"boxes", "box"},
    {"container", "container"},
    {"containers", "container"},
    {"carton", "carton"},
    {"cartons", "carton"},
    {"ctn", "carton"},
    {"tube", "tube"},
    {"tubes", "tube"},
    {"tub", "tub"},
    {"tubs", "tub"},
    {"pot", "pot"},
    {"pots", "pot"},
    {"block", "block"},
    {"blocks", "block"},
    // Drinks as they are poured and sold: a glass of wine, a shot or an Australian nip of
    // spirits; an Australian stubby is a bottle of beer.
    {"glass", "glass"},
    {"glasses", "glass"},
    {"shot", "shot"},
    {"shots", "shot"},
    {"nip", "nip"},
    {"nips", "nip"},
    {"stubby", "bottle"},
    {"stubbies", "bottle"},
    // The two-letter codes of MealMaster files that are not spellings above.
    {"ts", "tsp"},
    {"md", "medium"},
    {"cn", "can"},
    {"pk", "package"},
    {"pn", "pinch"},
    {"ds", "dash"},
    {"dr", "drop"},
    {"ct", "carton"},
    {"bn", "bunch"},
    {"sl", "slice"},
};

const QHash<QString, QString>& unitsIgnoringCase()
{
    static const QHash<QString, QString> units = [] {
        QHash<QString, QString> map;
        for (const UnitSpelling& s : spellings)
            map.insert(QString::fromLatin1(s.spelling), QString::fromLatin1(s.unit));
        return map;
    }();
    return units;
}

} // namespace

const QHash<QString, QString>& trailingCountWords()
{
    static const QHash<QString, QString> words{
        {QStringLiteral("clove"), QStringLiteral("clove")},
        {QStringLiteral("cloves"), QStringLiteral("clove")},
        {QStringLiteral("stalk"), QStringLiteral("stalk")},
        {QStringLiteral("stalks"), QStringLiteral("stalk")},
        {QStringLiteral("rib"), QStringLiteral("stalk")},
        {QStringLiteral("ribs"), QStringLiteral("stalk")},
        {QStringLiteral("sprigs"), QStringLiteral("sprig")},
        {QStringLiteral("slices"), QStringLiteral("slice")},
        {QStringLiteral("heads"), QStringLiteral("head")},
        // "9 graham cracker squares", as "4 chocolate squares" are squares of chocolate.
        {QStringLiteral("square"), QStringLiteral("square")},
        {QStringLiteral("squares"), QStringLiteral("square")},
        // Not "cob", which ends "corn on the cob".
        {QStringLiteral("cobs"), QStringLiteral("ear")},
    };
    return words;
}

QString unitNamed(QStringView word)
{
    if (word.size() > 1 && word.endsWith(u'.'))
        word.chop(1);
    for (const UnitSpelling& s : exactSpellings)
        if (word == QLatin1StringView(s.spelling))
            return QString::fromLatin1(s.unit);
    return unitsIgnoringCase().value(word.toString().toLower());
}

std::optional<std::pair<double, QString>> partOfHeldUnit(const QString& unit)
{
    static const QHash<QString, std::pair<double, QString>> parts{
        {QStringLiteral("cl"), {10, QStringLiteral("ml")}},
        {QStringLiteral("dl"), {100, QStringLiteral("ml")}},
        {QStringLiteral("mg"), {0.001, QStringLiteral("g")}},
        {QStringLiteral("cg"), {0.01, QStringLiteral("g")}},
        {QStringLiteral("dg"), {0.1, QStringLiteral("g")}},
        // A pint of whichever measures the recipe uses: an imperial gill is 142 ml, an American
        // one 118 ml; the breakfastcup is a British measure, half an imperial pint.
        {QStringLiteral("gill"), {0.25, QStringLiteral("pint")}},
        {QStringLiteral("breakfastcup"), {0.5, QStringLiteral("pint")}}};
    const auto found = parts.constFind(unit);
    return found == parts.cend() ? std::nullopt : std::optional(*found);
}

std::optional<std::pair<double, QString>> looseMeasure(const QString& unit)
{
    // As analysts weigh them from portion guides and British recipe sites' nutrition notes: a
    // splash or a glug is about a tablespoon (15 ml, whichever spoon the recipe's measures use),
    // a lug 10 ml and a drizzle 7 ml; a knob of butter about a tablespoon, and a dollop a
    // spoonful of the recipe's tablespoon; a squeeze of citrus a wedge's juice (6 ml); a sprinkle
    // a teaspoon; a grating of a whole spice a quarter teaspoon; a drop a twentieth of a
    // millilitre; a handful half a cup; a British dessertspoon holds 10 ml. The typical weights
    // say where a food's own differs (a handful of leaves, a splash of a sauce shaken out).
    static const QHash<QString, std::pair<double, QString>> measures{
        {QStringLiteral("pinch"), {1.0 / 16, QStringLiteral("tsp")}},
        {QStringLiteral("dash"), {1.0 / 8, QStringLiteral("tsp")}},
        {QStringLiteral("drop"), {1.0 / 100, QStringLiteral("tsp")}},
        {QStringLiteral("grating"), {0.25, QStringLiteral("tsp")}},
        {QStringLiteral("sprinkle"), {1, QStringLiteral("tsp")}},
        {QStringLiteral("squeeze"), {1.2, QStringLiteral("tsp")}},
        {QStringLiteral("splash"), {3, QStringLiteral("tsp")}},
        {QStringLiteral("drizzle"), {1.5, QStringLiteral("tsp")}},
        {QStringLiteral("lug"), {2, QStringLiteral("tsp")}},
        {QStringLiteral("glug"), {3, QStringLiteral("tsp")}},
        {QStringLiteral("knob"), {1, QStringLiteral("tbs")}},
        {QStringLiteral("dollop"), {1, QStringLiteral("tbs")}},
        {QStringLiteral("dessertspoon"), {2, QStringLiteral("tsp")}},
        {QStringLiteral("handful"), {0.5, QStringLiteral("cup")}}};
    const auto found = measures.constFind(unit);
    return found == measures.cend() ? std::nullopt : std::optional(*found);
}

bool isPackage(const QString& unit)
{
    static const QStringList packages{
        QStringLiteral("can"),      QStringLiteral("package"), QStringLiteral("packet"),
        QStringLiteral("jar"),      QStringLiteral("bottle"),  QStringLiteral("bag"),
        QStringLiteral("box"),      QStringLiteral("carton"),  QStringLiteral("container"),
        QStringLiteral("envelope"), QStringLiteral("tube"),    QStringLiteral("tub"),
        QStringLiteral("pot"),      QStringLiteral("block")};
    return packages.contains(unit);
}

bool isSize(const QString& unit)
{
    static const QStringList sizes{QStringLiteral("jumbo"), QStringLiteral("extra large"),
                                   QStringLiteral("large"), QStringLiteral("medium"),
                                   QStringLiteral("small")};
    return sizes.contains(unit);
}

UnitClass unitClass(const QString& unit)
{
    if (unit.isEmpty())
        return UnitClass::None;
    const std::optional<units::Kind> kind = units::kindOf(unit);
    if (!kind)
        return UnitClass::Count;
    return *kind == units::Kind::Volume ? UnitClass::Volume : UnitClass::Weight;
}

bool isMeasure(const QString& unit)
{
    const UnitClass kind = unitClass(unit);
    return kind == UnitClass::Volume || kind == UnitClass::Weight;
}

} // namespace zestora::paste
