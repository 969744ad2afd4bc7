#include "core/paste/foodmatcher.h"

#include "core/paste/foodchoices.h"
#include "core/store/ingtable.h"

#include <QRegularExpression>
#include <QSet>

#include <algorithm>
#include <cmath>
#include <utility>

namespace zestora::paste {

namespace {

QSet<QString> wordSet(std::initializer_list<const char*> words)
{
    QSet<QString> set;
    for (const char* word : words)
        set.insert(QString::fromLatin1(word));
    return set;
}

QString stem(QString word);

// A set of words as the match words of a text give them, stemmed: "finely" is "fineli".
QSet<QString> stemSet(std::initializer_list<const char*> words)
{
    QSet<QString> stems;
    for (const QString& word : wordSet(words))
        stems.insert(stem(word));
    return stems;
}

// Words that carry nothing about the food.
const QSet<QString>& stopWords()
{
    static const QSet<QString> words =
        stemSet({"a",       "an",      "the",   "of",       "for",    "and",     "or",
                 "with",    "to",      "into",  "in",       "on",     "at",      "about",
                 "plus",    "some",    "each",  "other",    "your",   "any",     "such",
                 "a",       "more",    "less",  "taste",    "needed", "desired", "optional",
                 "garnish", "serving", "inch",  "cm",       "x",      "approx",  "approximately",
                 "well",    "very",    "like",  "favorite", "you",    "use",     "used",
                 "if",      "about",   "plenty"});
    return words;
}

// Words that describe how a food is cut, measured or handled rather than what it is: a name that
// has one fits a little better, one that lacks it no worse.
const QSet<QString>& describingWords()
{
    static const QSet<QString> words = wordSet(
        {"large",     "medium",   "small",    "extra",    "fresh",       "freshly",  "chopped",
         "diced",     "minced",   "sliced",   "grated",   "shredded",    "crushed",  "melted",
         "softened",  "beaten",   "sifted",   "packed",   "firmly",      "lightly",  "loosely",
         "finely",    "coarsely", "roughly",  "thinly",   "thickly",     "cold",     "warm",
         "lukewarm",  "hot",      "boiling",  "room",     "temperature", "boneless", "skinless",
         "peeled",    "seeded",   "deseeded", "cored",    "trimmed",     "rinsed",   "halved",
         "quartered", "cubed",    "torn",     "cut",      "divided",     "pitted",   "julienned",
         "raw",       "ripe",     "organic",  "virgin",   "pure",        "homemade", "good",
         "quality",   "stemmed",  "zested",   "juiced",   "crumbled",    "mashed",   "pureed",
         "cooled",    "chilled",  "thawed",   "drained",  "heaping",     "level",    "generous",
         "scant",     "leaf",     "piece",    "chunk",    "strip",       "cube",     "wedge",
         "ring",      "round",    "firm",     "soft",     "tender",      "young",    "baby",
         "bite",      "size",     "sized",    "thin",     "thick",       "fine",     "coarse",
         "dice",      "slice",    "mince",    "chop",     "store",       "bought",   "brand",
         "real",      "best",     "premium",  "sprig",    "bunch",       "handful",  "stick",
         "slivered",  "flaked",   "shaved",   "patted",   "dry",         "half",     "mini",
         "uncooked",  "fillet",   "flake",    "tail",     "seedless",    "whole",    "bone",
         "unwrapped", "wrapped",  "fun",      "miniature"});
    return words;
}

// Describing words that name a variant of a food rather than how it is cut or handled: a food
// whose name has one is that variant ("Tofu, extra firm").
const QSet<QString>& variantNamingWords()
{
    static const QSet<QString> words = wordSet(
        {"extra", "firm", "soft", "young", "baby", "mini", "thin", "thick", "fine", "coarse"});
    return words;
}

// In a stored name: words of the plain form of a food, which cost next to nothing. Corn in a can
// is whole kernel unless the cook says creamed.
const QSet<QString>& plainWords()
{
    static const QSet<QString> words = wordSet(
        {"raw",     "fresh",      "regular",      "plain",    "table",    "granulated", "all",
         "varieti", "commercial", "commercially", "mature",   "salad",    "cooking",    "solid",
         "liquid",  "fluid",      "whole",        "enriched", "bleached", "n",          "specified",
         "generic", "type",       "includes",     "include",  "and",      "or",         "with",
         "of",      "in",         "the",          "from",     "made",     "by",         "for",
         "a",       "not",        "only",         "ns",       "as",       "to",         "other",
         "style",   "flesh",      "skin",         "seed",     "meat",     "edible",     "portion",
         "u",       "s",          "grade",        "choice",   "drinking", "tap",        "area",
         "kernel"});
    return words;
}

// First parts of names that many foods share and that say what the food is, a dish or a product
// that a cook names when meaning it ("Soup, tomato" is no tomato, "Crackers, milk" no milk), unlike
// a group that a cook leaves out ("Spices, cinnamon" is cinnamon).
const QSet<QString>& productGroups()
{
    static const QSet<QString> groups = wordSet({"soup",
                                                 "sauce",
                                                 "gravy",
                                                 "cake",
                                                 "crackers",
                                                 "pie",
                                                 "pie crust",
                                                 "bread",
                                                 "rolls",
                                                 "muffins",
                                                 "english muffins",
                                                 "puddings",
                                                 "frozen novelties",
                                                 "ice creams",
                                                 "salad dressing",
                                                 "oil",
                                                 "margarine",
                                                 "margarine-like",
                                                 "frostings",
                                                 "toaster pastries",
                                                 "pancakes",
                                                 "formulated bar",
                                                 "tea",
                                                 "coffee",
                                                 "carbonated beverage"});
    return groups;
}

// Words of a food that was cooked, kept or made up: the raw or plain form comes first.
const QSet<QString>& preparedWords()
{
    static const QSet<QString> words = wordSet(
        {"cooked",     "boiled",      "drained",   "baked",      "fried",     "roasted",
         "frozen",     "canned",      "dried",     "dehydrated", "prepared",  "reconstituted",
         "reconst",    "concentrate", "instant",   "unprepared", "heated",    "microwaved",
         "braised",    "broiled",     "grilled",   "stewed",     "steamed",   "simmered",
         "toasted",    "smoked",      "cured",     "pickled",    "candied",   "powder",
         "dry",        "flake",       "condensed", "cond",       "stuffed",   "breaded",
         "battered",   "glazed",      "marinated", "sauteed",    "scalloped", "creamed",
         "mashed",     "whipped",     "sweetened", "pan",        "stir",      "refried",
         "rehydrated", "evaporated",  "sulfured",  "packed",     "juice",     "syrup",
         "water",      "oil",         "sauce",     "spread",     "paste",     "puree",
         "chip",       "rotisserie",  "home",      "frosted",    "coated",    "filled",
         "blanched",   "dressing"});
    return words;
}

// Of those, the words of how a food was cooked or kept, which a cook says when meaning that form.
const QSet<QString>& formWords()
{
    static const QSet<QString> words =
        wordSet({"cooked",  "boiled",  "baked",   "fried",    "roasted", "frozen",   "canned",
                 "dried",   "steamed", "grilled", "broiled",  "braised", "stewed",   "smoked",
                 "toasted", "cured",   "pickled", "blanched", "sauteed", "simmered", "dehydrated"});
    return words;
}

// Words of a variant made for a diet or a purpose.
const QSet<QString>& variantWords()
{
    static const QSet<QString> words =
        wordSet({"low",         "reduced", "nonfat",      "free",       "lowfat",   "light",
                 "lite",        "diet",    "imitation",   "substitute", "sodium",   "unenriched",
                 "fortified",   "vitamin", "added",       "calcium",    "salt",     "salted",
                 "unsweetened", "calorie", "cholesterol", "lactose",    "sugar",    "aspartame",
                 "sucralose",   "fat",     "protein",     "enhanced",   "unsalted", "nutrient",
                 "supplement",  "special", "formula",     "no",         "without",  "extra",
                 "high",        "less",    "part",        "skim",       "nfs"});
    return words;
}

// Words that may stand between the words of a cook's name without making it another food: "plain"
// in "nonfat plain Greek yogurt", "fat free" in "low sodium fat free chicken broth". Not words of
// warmth or of another food ("ice cold cream" is no ice cream), of a substitute, or naming a
// variant of a food ("soft" sugar cookies).
bool mayStandBetween(const QString& word)
{
    static const QSet<QString> words = [] {
        QSet<QString> set = describingWords() + variantWords() +
                            wordSet({"plain", "regular", "natural", "unsweetened", "sweetened"});
        set -= variantNamingWords();
        for (const QString& other :
             wordSet({"cold",        "hot",        "warm",    "lukewarm",  "boiling",    "room",
                      "temperature", "salt",       "sugar",   "calcium",   "vitamin",    "protein",
                      "nutrient",    "supplement", "formula", "imitation", "substitute", "piece",
                      "chunk",       "strip",      "cube",    "wedge",     "ring",       "round",
                      "stick",       "leaf",       "half",    "tail",      "fillet"}))
            set.remove(other);
        return set;
    }();
    // A size across in inches or centimetres says how big the piece is, not what it is: "prepared
    // 9 inch pie crust" is a prepared pie crust that wide.
    static const QRegularExpression across(QStringLiteral("^(?:\\d+|inch|cm)$"));
    return words.contains(word) || across.match(word).hasMatch();
}

// Foods a cook rarely means without saying so: ready meals, baby food, restaurant dishes, and
// the traditional foods USDA keeps by the peoples that prepare them ("Octopus (Alaska Native)",
// "Cornmeal, yellow (Navajo)"), where the market's octopus or cornmeal is meant.
const QSet<QString>& unlikelyWords()
{
    static const QSet<QString> words = wordSet(
        {"babyfood", "infant",    "toddler", "fast",   "restaurant", "rte",           "ready",
         "usda",     "commodity", "school",  "lunch",  "junior",     "strained",      "kid",
         "entree",   "meal",      "dinner",  "shake",  "industrial", "manufacturing", "retail",
         "denny",    "applebee",  "tgi",     "friday", "carrabba",   "chain",         "family",
         "mix",      "bar",       "nugget",  "native", "navajo",     "hopi",          "apache",
         "shoshone", "bannock"});
    return words;
}

// The stem of one lower-case word: plural and simple endings go, so that singular and plural
// forms meet ("berries" and "berry" are "berri", "tomatoes" and "tomato" "tomato").
QString stem(QString word)
{
    static const QHash<QString, QString> irregular{
        {QStringLiteral("leaves"), QStringLiteral("leaf")},
        {QStringLiteral("halves"), QStringLiteral("half")},
        {QStringLiteral("loaves"), QStringLiteral("loaf")},
        {QStringLiteral("knives"), QStringLiteral("knife")},
        {QStringLiteral("calves"), QStringLiteral("calf")},
        {QStringLiteral("geese"), QStringLiteral("goose")},
        // British and Australian cooks spell it so; USDA's names and American cooks without the h.
        {QStringLiteral("yoghurt"), QStringLiteral("yogurt")},
        {QStringLiteral("yoghurts"), QStringLiteral("yogurt")},
        // A British tin is an American can: "tinned salmon" is the canned salmon.
        {QStringLiteral("tinned"), QStringLiteral("canned")},
        // USDA misspells the rinsed forms of its canned peas ("draiend solids") and kidney beans
        // ("drained soilds"), which a line's words would otherwise never reach.
        {QStringLiteral("draiend"), QStringLiteral("drained")},
        {QStringLiteral("soilds"), QStringLiteral("solid")},
    };
    if (const auto found = irregular.constFind(word); found != irregular.cend())
        return *found;
    if (word.size() <= 3)
        return word;
    const auto endsWith = [&](const char* ending) {
        return word.endsWith(QLatin1StringView(ending));
    };
    if (endsWith("ies")) {
        word.chop(2); // "berries" -> "berri"
    } else if (endsWith("oes") || endsWith("ches") || endsWith("shes") || endsWith("sses") ||
               endsWith("xes") || endsWith("zes")) {
        word.chop(2);
    } else if (endsWith("s") && !endsWith("ss") && !endsWith("us")) {
        word.chop(1);
    }
    const auto isVowel = [](QChar c) {
        return QStringView(u"aeiou").contains(c);
    };
    if (word.size() > 3 && word.endsWith(u'y') && !isVowel(word[word.size() - 2]))
        word.back() = u'i'; // "berry" -> "berri"
    else if (word.size() > 3 && word.endsWith(QLatin1StringView("ie")))
        word.chop(1); // "cookie" -> "cooki", as "cookies" is
    return word;
}

// The words of a text before stemming: letters and digits, lower case, accents removed; a per
// cent sign stays with its number ("2%").
QStringList plainWordsOf(QStringView text)
{
    const QString decomposed = text.toString().normalized(QString::NormalizationForm_KD);
    QStringList words;
    QString word;
    for (const QChar c : decomposed) {
        if (c.isLetterOrNumber()) {
            word += c.toLower();
        } else if (c.category() == QChar::Mark_NonSpacing || c == u'\'' || c == QChar(0x2019)) {
            continue; // accents and apostrophes: "jalapeño", "baker's"
        } else if (c == u'%' && !word.isEmpty() && word.back().isDigit()) {
            word += c;
        } else {
            if (!word.isEmpty())
                words.append(std::exchange(word, QString()));
            if (c == u'&')
                words.append(QStringLiteral("and")); // "half & half"
        }
    }
    if (!word.isEmpty())
        words.append(word);
    return words;
}

// What a word of the plain form of a food costs ("Flour, white, all-purpose, enriched").
constexpr float plainPenalty = 0.01f;

// What a word of a stored name costs a food when the cook did not say it.
float namePenalty(const QString& word, bool firstPart, bool categoryHead, bool capitals,
                  bool inBrackets, bool foodNoun)
{
    if (capitals || unlikelyWords().contains(word))
        return 0.35f; // a brand, a restaurant, baby food
    if (word == QLatin1String("raw"))
        return 0; // the raw form first, before a name that says no form
    if ((word == QLatin1String("salt") || word == QLatin1String("salted") ||
         word == QLatin1String("fortified")) &&
        !firstPart)
        return 0.15f; // the salted or fortified form after the plain one, unless the cook says so
    if (word == QLatin1String("dry") && !firstPart)
        return 0.06f; // the form a staple is bought in: pasta, rice, beans before cooked ones
    if (plainWords().contains(word))
        return plainPenalty;
    if (inBrackets)
        return 0.02f;
    if (firstPart && categoryHead)
        return 0.03f; // the group: "Spices"
    float penalty = 0.05f;
    if (preparedWords().contains(word))
        penalty = 0.12f;
    else if (variantWords().contains(word))
        penalty = 0.08f;
    else if (word.front().isDigit())
        penalty = 0.03f;
    else if (foodNoun)
        penalty = 0.15f; // another food in the name: "Juice, apple, grape and pear blend"
    // A word of the first part that the cook did not say makes it another food ("Butter oil").
    return firstPart ? std::max(penalty, 0.25f) : penalty;
}

// A stored name's words with where they stand: in its first part (what the food is), in
// brackets, written in capitals (a brand).
struct NameWord {
    QString stem;
    bool firstPart;
    bool inHead; // in the part or parts that say what the food is
    bool inBrackets;
    bool capitals;
};

QList<NameWord> nameWords(const QString& name, bool categoryHead)
{
    // Under a group's name ("Spices, cinnamon") the second part says what the food is.
    const int headParts = categoryHead ? 2 : 1;
    QList<NameWord> words;
    int part = 0;
    int depth = 0;
    QString raw;
    const auto flush = [&] {
        if (raw.isEmpty())
            return;
        // A brand is written in capitals: "KRAFT", "McDONALD'S".
        const auto upper =
            std::count_if(raw.cbegin(), raw.cend(), [](QChar c) { return c.isUpper(); });
        const auto lower =
            std::count_if(raw.cbegin(), raw.cend(), [](QChar c) { return c.isLower(); });
        const bool capitals = upper >= 3 && upper > lower;
        for (const QString& plain : plainWordsOf(raw))
            words.append(NameWord{stem(plain), part == 0, part<headParts, depth> 0, capitals});
        raw.clear();
    };
    for (const QChar c : name) {
        if (c == u',' || c == u'(' || c == u')' || c == u' ' || c == u'-' || c == u'/') {
            flush();
            if (c == u',' && depth == 0)
                ++part;
            depth += (c == u'(') - (c == u')' && depth > 0);
        } else {
            raw += c;
        }
    }
    flush();
    return words;
}

// The words of a name that say it is the plain form of the food, which cost what the words of a
// plain form cost: a food cooked without salt, where a cook who wants it salted says so ("Beans,
// white, mature seeds, cooked, boiled, without salt" before "..., with salt"), and meat as it is
// bought, lean and fat, where a cook who wants it trimmed says "lean". Canned food "no salt
// added" is not the plain form: the regular pack is what a can usually holds.
QSet<QString> plainPhraseWords(const QString& name)
{
    static const QRegularExpression plainPhrase(
        QStringLiteral("\\bwithout salt\\b|\\blean and fat\\b"),
        QRegularExpression::CaseInsensitiveOption);
    QSet<QString> words;
    for (auto match = plainPhrase.globalMatch(name); match.hasNext();)
        for (const QString& word : matchWords(match.next().captured()))
            words.insert(word);
    return words;
}

// The part of a food that a name stores alone, after the food's own name: "skin" of "Potatoes,
// baked, skin, without salt", beside "..., flesh" and "..., flesh and skin". Empty for a whole
// food, and for one that only says what it keeps ("Apples, raw, with skin").
QString partAloneOf(const QString& name)
{
    static const QSet<QString> parts = wordSet({"skin", "peel"});
    const QStringList nameParts = name.split(u',');
    for (qsizetype i = 1; i < nameParts.size(); ++i) {
        const QStringList words = matchWords(nameParts[i]);
        if (!words.isEmpty() && parts.contains(words.first()))
            return words.first();
    }
    return {};
}

QString headOf(const QString& name)
{
    const qsizetype comma = name.indexOf(u',');
    return (comma < 0 ? name : name.first(comma)).trimmed().toCaseFolded();
}

// What a food's score is made of beside the share of the line's words its name has (up to 1) and
// the cost of the words of its name that the cook did not say (namePenalty: 0.05 a word, more
// for a word of another food or of its first part).
struct ScoreWeights {
    // The food the user chose before for the line's words: above any food a cook's name points
    // to (from 2 up), since the user picked it over that one.
    static constexpr double remembered = 4;
    // The food a cook's name points to scores at least what a food with all the line's words and
    // no other does...
    static constexpr double wholeLine = 1;
    // ...and one more, which puts it above every food found by its words alone.
    static constexpr double namedLift = 1;
    // The named food's words standing in for the cook's words of the name: half a said word's
    // weight, so that a food with the cook's other word comes before one with only these.
    static constexpr double standInWord = 0.5;
    // Each word's weight when no name has any of the line's words; only the shares matter, and
    // any weight gives the same.
    static constexpr double onlyUnknownWords = 1;
    // Words no name has count half against a food whose name says what the cook's head word
    // says: an unknown word beside the right kind of food is most likely a brand or a variety.
    static constexpr double unknownBesideHead = 0.5;
    // A brand's maker's words and its kind of product cost half when the cook named the product
    // ("Kix"): not nothing, so that of the brand's products the one whose name adds least to the
    // cook's words still comes first.
    static constexpr double brandWords = 0.5;
    // Each describing word the name has ("chopped", "fresh"): below what an unsaid word costs, so
    // it sets apart foods the cook's other words leave even and never outweighs one of them.
    static constexpr float describingWord = 0.03f;
    // The cook's head word stands where the name says what the food is: "rice vinegar" is a
    // vinegar, not a rice; worth two unsaid words.
    static constexpr double headNamed = 0.1;
    // A food with all the cook's words of a name that points to a food that does not fit: a
    // variant of the named food is still that food ("reduced-fat cream cheese").
    static constexpr double ofNamedKind = 0.15;
    // A food with what the cook said it is without ("skinless"): nearly what an unsaid word of a
    // name's first part costs (0.25), as it is that food in a form the cook did not want.
    static constexpr double lacking = 0.2;
    // A form the cook said ("cooked", "canned") of the food the head word names: above what a
    // word of a prepared food costs (0.12), so the form said outweighs the words that say how it
    // was done ("cooked" beans are the boiled ones, not the raw).
    static constexpr double formSaid = 0.15;
};

// What one line's words say of one food.
struct Tally {
    double covered = 0;    // the weight of the words the name has
    float saidPenalty = 0; // the penalties of the name's words the cook said
    float describing = 0;
    int namedWords = 0;     // how many of the cook's words of a name it has
    bool headNamed = false; // the cook's head word is where the name says what the food is
    bool lacking = false;   // it has what the cook said the food is without
    bool formSaid = false;  // it is in a form the cook said: "cooked", "canned"
    bool brandSaid = false; // the cook named the brand's product: "Cheerios"
    bool plainSaid = false; // a word of the cook's is one of its name's own, not the brand's
    float brandPenalty = 0; // the penalties of its brand's words the cook said
    bool touched = false;
    bool written = false; // to be cleared once the line is done
};

// The tallies of one line's foods. Most foods share no word with a line, so the table of every
// food is made once a thread and only the entries a line wrote are cleared after it: clearing
// the whole table for each line made a long paste cost its lines times the foods stored.
class Tallies {
public:
    explicit Tallies(size_t foods)
        : m_all(all())
    {
        if (m_all.size() < foods)
            m_all.resize(foods);
    }
    ~Tallies()
    {
        for (const int food : m_written)
            m_all[static_cast<size_t>(food)] = Tally{};
    }
    Tallies(const Tallies&) = delete;
    Tallies& operator=(const Tallies&) = delete;

    Tally& operator[](int food)
    {
        Tally& tally = m_all[static_cast<size_t>(food)];
        if (!tally.written) {
            tally.written = true;
            m_written.push_back(food);
        }
        return tally;
    }
    const Tally& at(int food) const { return m_all[static_cast<size_t>(food)]; }

private:
    static std::vector<Tally>& all()
    {
        thread_local std::vector<Tally> tallies;
        return tallies;
    }
    // This thread's table, looked up once: every tally of a line goes through it, and reaching a
    // thread's own variable costs a call each time.
    std::vector<Tally>& m_all;
    std::vector<int> m_written;
};

} // namespace

QStringList matchWords(QStringView text)
{
    QStringList words = plainWordsOf(text);
    for (QString& word : words)
        word = stem(word);
    return words;
}

bool isStopWord(const QString& word)
{
    return stopWords().contains(word);
}

bool isDescribingWord(const QString& word)
{
    return describingWords().contains(word);
}

CooksNames::CooksNames(const QByteArray& table, const QByteArray& byCountry)
{
    for (const QByteArray& row : table.split('\n')) {
        const QString text = QString::fromUtf8(row).trimmed();
        if (text.isEmpty() || text.startsWith(u'#'))
            continue;
        const qsizetype tab = text.indexOf(u'\t');
        if (tab > 0)
            add(QStringView(text).first(tab), text.sliced(tab + 1).trimmed(), {});
    }
    for (const QByteArray& row : byCountry.split('\n')) {
        const QString text = QString::fromUtf8(row).trimmed();
        const QStringList fields = text.split(u'\t');
        if (text.startsWith(u'#') || fields.size() != 3)
            continue;
        if (const std::optional<KitchenMeasures> measures = measuresNamed(fields[0]))
            add(fields[1], fields[2].trimmed(), measuresKey(*measures));
    }
}

void CooksNames::add(QStringView cook, const QString& meant, const QString& country)
{
    const QStringList words = matchWords(cook);
    if (words.isEmpty() || meant.isEmpty())
        return;
    const QString joined = words.join(u' ');
    if (words.size() > 1) {
        QList<QStringList>& sameLast = m_byLastWord[words.back()];
        if (!sameLast.contains(words))
            sameLast.append(words);
    }
    m_phrases.insert(country.isEmpty() ? joined : country + u'\t' + joined,
                     Phrase{matchWords(meant), meant});
    m_longest = std::max(m_longest, static_cast<int>(words.size()));
}

const CooksNames::Phrase* CooksNames::find(const QString& cook, KitchenMeasures measures) const
{
    auto found = m_phrases.constFind(measuresKey(measures) + u'\t' + cook);
    if (found == m_phrases.cend())
        found = m_phrases.constFind(cook);
    return found == m_phrases.cend() ? nullptr : &*found;
}

std::pair<const CooksNames::Phrase*, int> CooksNames::phraseAt(const QStringList& words, int start,
                                                               KitchenMeasures measures) const
{
    const int longest = std::min(m_longest, static_cast<int>(words.size()) - start);
    for (int length = longest; length > 0; --length)
        if (const Phrase* phrase = find(words.sliced(start, length).join(u' '), measures))
            return {phrase, length};
    return {nullptr, 0};
}

CooksNames::Found CooksNames::phraseFrom(const QStringList& words, int start,
                                         KitchenMeasures measures) const
{
    Found best;
    if (const auto [phrase, length] = phraseAt(words, start, measures); phrase) {
        best.phrase = phrase;
        best.end = start + length;
        for (int i = start; i < best.end; ++i)
            best.at.append(i);
    }
    // A longer name whose words stand apart, with describing words between them, or with the
    // words before its last in another order: "nonfat plain Greek yogurt", "Greek nonfat yogurt".
    // The last word says what the food is, so it stays last.
    constexpr int mostBetween = 3;
    const int last = std::min(static_cast<int>(words.size()) - 1, start + m_longest + mostBetween);
    for (int end = start + 1; end <= last; ++end) {
        const auto cooks = m_byLastWord.constFind(words[end]);
        if (cooks == m_byLastWord.cend())
            continue;
        for (const QStringList& cook : *cooks) {
            const Phrase* phrase = find(cook.join(u' '), measures);
            if (!phrase || cook.size() <= best.at.size() ||
                !cook.first(cook.size() - 1).contains(words[start]))
                continue;
            QStringList before = cook.first(cook.size() - 1);
            QList<int> at;
            int between = 0;
            for (int i = start; i < end && between <= mostBetween; ++i) {
                if (before.removeOne(words[i]))
                    at.append(i);
                else if (mayStandBetween(words[i]))
                    ++between;
                else
                    between = mostBetween + 1;
            }
            if (!before.isEmpty() || between > mostBetween)
                continue;
            at.append(end);
            best = Found{phrase, at, end + 1};
        }
    }
    return best;
}

FoodMatcher::FoodMatcher(const IngTable& ingredients, CooksNames names, const FoodChoices* choices,
                         const FormsLeftOut& forms)
    // Only the names: the table reads a record's other fields only when they are looked at.
    : FoodMatcher(ingredients, forms.namesWithForms(ingredients.trimmedNames()), std::move(names),
                  choices)
{
}

FoodMatcher::FoodMatcher(const IngTable& ingredients, const QStringList& foodNames,
                         CooksNames names, const FoodChoices* choices)
    : m_ingredients(ingredients)
    , m_names(std::move(names))
    , m_choices(choices)
{
    // A first part that many names share is a group ("Spices", "Cheese"), not a food of its own.
    // The words of first parts are foods.
    QHash<QString, int> headCounts;
    QSet<QString> foodNouns;
    for (const QString& name : foodNames) {
        const QString head = headOf(name);
        ++headCounts[head];
        for (const QString& word : matchWords(head))
            foodNouns.insert(word);
    }
    constexpr int categorySize = 12;
    m_extra.resize(static_cast<size_t>(foodNames.size()));
    m_grouped.resize(static_cast<size_t>(foodNames.size()));
    m_branded.resize(static_cast<size_t>(foodNames.size()));
    m_brandExtra.resize(static_cast<size_t>(foodNames.size()));
    m_partAlone.resize(static_cast<size_t>(foodNames.size()));
    for (int i = 0; i < foodNames.size(); ++i) {
        const QString& name = foodNames[i];
        m_partAlone[static_cast<size_t>(i)] = partAloneOf(name);
        const QString head = headOf(name);
        const bool categoryHead =
            headCounts.value(head) >= categorySize && !productGroups().contains(head);
        m_grouped[static_cast<size_t>(i)] = categoryHead;
        const QSet<QString> plainPhrase = plainPhraseWords(name);
        QSet<QString> seen;
        float extra = 0;
        for (const NameWord& word : nameWords(name, categoryHead)) {
            if (word.capitals)
                m_branded[static_cast<size_t>(i)] = true;
            if (seen.contains(word.stem))
                continue;
            seen.insert(word.stem);
            const float penalty =
                plainPhrase.contains(word.stem)
                    ? plainPenalty
                    : namePenalty(word.stem, word.firstPart, categoryHead, word.capitals,
                                  word.inBrackets, foodNouns.contains(word.stem));
            extra += penalty;
            if (word.capitals || unlikelyWords().contains(word.stem))
                m_brandExtra[static_cast<size_t>(i)] += penalty;
            m_postings[word.stem].push_back(
                Posting{i, penalty, word.inHead, word.capitals, word.firstPart});
        }
        m_extra[static_cast<size_t>(i)] = extra;
        // A share the name gives as a range holds each share within it: a cook's "70%" chocolate
        // is the one of "70-85% cacao solids". Saying it is no cost to a food whose name has it.
        static const QRegularExpression range(QStringLiteral("\\b(\\d+)- ?(\\d+)%"));
        for (auto match = range.globalMatch(name); match.hasNext();) {
            const QRegularExpressionMatch found = match.next();
            for (int share = found.captured(1).toInt(); share <= found.captured(2).toInt(); ++share)
                if (const QString word = QString::number(share) + u'%'; !seen.contains(word))
                    m_postings[word].push_back(Posting{i, 0, false, false, false});
        }
    }
}

bool FoodMatcher::overtaken(const CooksNames::Found& found, const QStringList& words, int start,
                            KitchenMeasures measures) const
{
    // Of two cooks' names that overlap, the later says what the food is: "cooked chicken breast"
    // is a chicken breast, cooked, not cooked chicken.
    const CooksNames::Found later = m_names.phraseFrom(words, start + 1, measures);
    return later.phrase && later.end > found.end && later.at.size() >= found.at.size();
}

QStringList FoodMatcher::wordsAsNamed(const QString& food, KitchenMeasures measures) const
{
    // "Bone-in", "skin-on", "tail-on" say what the food keeps, and hold no preposition.
    static const QRegularExpression keeps(QStringLiteral("(?<=\\w)-(?:in|on)\\b"),
                                          QRegularExpression::CaseInsensitiveOption);
    // How the food was raised or sold says nothing of what the names hold: "free-range eggs" are
    // eggs, "farm-fresh" or "organic" milk is milk, "gluten-free" stock is stock (no name is of a
    // food sold without gluten; the word would only find the gluten itself). Gluten-free flour is
    // the exception: it is a blend of other flours, no wheat flour.
    static const QRegularExpression raised(
        QStringLiteral("\\b(?:free[\\s-]*range|cage[\\s-]*free|farm[\\s-]*fresh|pasture[\\s-]*"
                       "raised|pastured|organic|locally[\\s-]*grown|all[\\s-]*natural|non[\\s-]*"
                       "gmo|gluten[\\s-]*free(?![\\s-]+(?:all[\\s-]*purpose[\\s-]+|plain[\\s-]+)?"
                       "flour))\\b"),
        QRegularExpression::CaseInsensitiveOption);
    // A king-size candy bar is the bar in its largest wrapper, which the bar's measures weigh;
    // "king" alone names a crab, a prawn or a mushroom.
    static const QRegularExpression kingSize(QStringLiteral("\\bking[\\s-]+sized?\\b"),
                                             QRegularExpression::CaseInsensitiveOption);
    QStringList words = matchWords(QString(food).remove(keeps).remove(raised).remove(kingSize));
    // The names call food cooked by steam "cooked": "steamed broccoli" is cooked broccoli. Food
    // left over from another meal was cooked for it: "leftover turkey" is cooked turkey, and
    // greens wilted in the pan are cooked down: "2 cups wilted spinach" is cooked spinach.
    static const QSet<QString> cookedWords = wordSet({"steamed", "leftover", "wilted"});
    for (QString& word : words)
        if (cookedWords.contains(word))
            word = QStringLiteral("cooked");
    // Two words that the names write as one: "corn meal", "butter milk", "egg plant"; unless they
    // start a cook's name ("hot dog" is no "Fast foods, hotdog").
    for (qsizetype i = 0; i + 1 < words.size(); ++i) {
        QString joined = words[i] + words[i + 1];
        if (m_postings.contains(joined) &&
            m_names.phraseAt(words, static_cast<int>(i), measures).second < 2) {
            words[i] = std::move(joined);
            words.removeAt(i + 1);
        }
    }
    return words;
}

FoodMatcher::Query FoodMatcher::queryFor(const QString& food, const QStringList& hints,
                                         KitchenMeasures measures) const
{
    static const QSet<QString> prepositions = wordSet({"in", "with", "of", "for", "from", "on"});
    // What a food comes with or is packed in: "tomatoes with green chiles and onion" are tomatoes.
    static const QSet<QString> accompanying = wordSet({"in", "with"});
    QStringList words = wordsAsNamed(food, measures);
    // A can's food is the one cooks call canned where they have a name for it: "a can of
    // tomatoes", cut up or not by the cook, holds canned tomatoes, the whole ones packed in juice,
    // not the crushed ones whose short name would fit the bare words best; a British "tin of plum
    // tomatoes" holds its country's tinned plum tomatoes. Unless a name of the cook's own holds
    // more of the line's words: "diced tomatoes" and "low-sodium diced tomatoes" name their can.
    static const QString canned = QStringLiteral("canned");
    if (hints.contains(canned) && !words.contains(canned))
        if (const QStringList asCanned = QStringList{canned} + words;
            m_names.phraseFrom(asCanned, 0, measures).at.size() >
            std::max<qsizetype>(1, m_names.phraseFrom(words, 0, measures).at.size()))
            words = asCanned;
    Query query;
    bool headOpen = true; // the head comes before a preposition: "tuna in water"
    // After "with" or "in" a cook's name only says what the food is with: its words may choose
    // among the food's forms, never name another food ("rice with peas and carrots" is rice).
    bool accompanied = false;
    const auto saysAny = [](const QStringList& said, const QSet<QString>& among) {
        return std::any_of(said.cbegin(), said.cend(),
                           [&](const QString& word) { return among.contains(word); });
    };
    // A word of the cook's own: the one that says what the food is while the head is open.
    const auto addWord = [&](const QString& word, bool mayBeHead) {
        if (stopWords().contains(word))
            return;
        // "Skinless", "seedless": a food without skin or seeds.
        if (word.size() > 6 && word.endsWith(QLatin1StringView("less")))
            query.without.append(stem(word.chopped(4)));
        const bool describing = describingWords().contains(word);
        (describing ? query.optional : query.required).append(word);
        if (headOpen && mayBeHead && !describing)
            query.head = word;
    };
    // Smoked is left out: smoked salmon, ham and sausages are foods of their own, not cooked ones.
    static const QSet<QString> cookingWays =
        wordSet({"roast", "roasted", "baked", "grilled", "chargrilled", "barbecued", "barbequed",
                 "bbq", "broiled", "poached", "simmered"});
    // "Fresh" and "ripe" name the raw food: "chopped ripe tomatoes" are no tin of chopped ones.
    const bool raw =
        words.contains(QLatin1String("fresh")) || words.contains(QLatin1String("ripe"));
    for (int i = 0; i < words.size();) {
        const CooksNames::Found found = m_names.phraseFrom(words, i, measures);
        if (const CooksNames::Phrase* phrase = found.phrase;
            phrase && !overtaken(found, words, i, measures) &&
            !(raw && phrase->name.contains(QLatin1String("canned")))) {
            QStringList cooks;
            for (const int at : found.at)
                cooks.append(words[at]);
            // The describing words between the cook's words are the cook's own.
            for (int between = i; between < found.end; ++between)
                if (!found.at.contains(between))
                    addWord(words[between], false);
            if (accompanied) {
                query.optional += cooks;
                i = found.end;
                continue;
            }
            if (phrase->name == QLatin1String("-")) {
                query.lacking = true;
                i = found.end;
                continue;
            }
            if (m_ingredients.lastIndexOfNameIgnoringCase(phrase->name) < 0) {
                query.required += phrase->words;
            } else {
                query.required += cooks;
                // Of two cooks' names, the one that says what the food is: "raspberry jam" is a
                // jam, "olive oil cooking spray" a spray.
                if (query.name.isEmpty() || headOpen) {
                    query.name = phrase->name;
                    query.named = cooks;
                }
            }
            if (headOpen)
                query.head = query.required.back();
            // A cook's name with a preposition of its own names the food and what it is with:
            // "diced tomatoes with green chiles", then "peppers and onion" only describe it.
            headOpen = headOpen && !saysAny(cooks, prepositions);
            accompanied = accompanied || saysAny(cooks, accompanying);
            i = found.end;
            continue;
        }
        const QString& word = words[i++];
        headOpen = headOpen && !prepositions.contains(word);
        accompanied = accompanied || accompanying.contains(word);
        // A way of cooking the cook says before a food, outside any cook's name ("grilled chicken
        // thighs", not "deli roast beef" or a "chuck roast"), says the food is cooked that way.
        if (headOpen && i < words.size() && cookingWays.contains(word))
            query.cookedWay = word;
        addWord(word, true);
    }
    if (query.required.isEmpty())
        std::swap(query.required, query.optional);
    if (!query.required.isEmpty())
        for (const QString& hint : hints)
            query.required += matchWords(hint);
    query.required.removeDuplicates();
    query.optional.removeDuplicates();
    query.optional.removeIf([&](const QString& word) { return query.required.contains(word); });
    return query;
}

std::vector<int> FoodMatcher::foodsWithAll(const QStringList& words) const
{
    std::vector<int> foods;
    for (qsizetype i = 0; i < words.size(); ++i) {
        const auto postings = m_postings.constFind(words[i]);
        if (postings == m_postings.cend())
            return {};
        std::vector<int> having;
        for (const Posting& posting : *postings)
            if (i == 0 || std::binary_search(foods.cbegin(), foods.cend(), posting.food))
                having.push_back(posting.food);
        foods = std::move(having);
    }
    return foods;
}

int FoodMatcher::cookedForm(int food, const QString& way) const
{
    const QString name = m_ingredients.at(food).trimmedName();
    // A staple bought dry is cooked in water: the grits of "Cereals, corn grits, ..., dry" cooked
    // are those whose name is the same without "dry", and says it was cooked or prepared, if
    // only among the forms the name leaves out.
    if (name.endsWith(QLatin1StringView(", dry"))) {
        for (const QLatin1StringView form : {QLatin1StringView(""), QLatin1StringView(", cooked"),
                                             QLatin1StringView(", prepared")})
            if (const int cooked =
                    m_ingredients.lastIndexOfNameIgnoringCase(name.chopped(5) + form);
                cooked >= 0 && (hasWord(cooked, QStringLiteral("cooked")) ||
                                hasWord(cooked, QStringLiteral("prepared"))))
                return cooked;
        return food;
    }
    // A raw food's name ends in "raw", or left it out for a detail ("..., trimmed to 0\" fat,
    // choice"): its cooked forms are named the same up to that word.
    QString stem;
    if (name.endsWith(QLatin1StringView(", raw")))
        stem = name.chopped(3);
    else if (hasWord(food, QStringLiteral("raw")))
        stem = name.left(name.lastIndexOf(u',') + 2);
    else
        return food;
    // The form analysts take for meat a recipe says is cooked: the way the cook said, meat
    // grilled (and a steak however cooked) broiled, poached or simmered stewed; else roasted, else
    // stewed, else the one only called cooked, fish by its dry heat before its moist.
    static const QSet<QString> grilling =
        wordSet({"grilled", "chargrilled", "barbecued", "barbequed", "bbq", "broiled"});
    static const QSet<QString> moistHeat = wordSet({"poached", "simmered", "stewed", "boiled"});
    using Forms = std::initializer_list<QLatin1StringView>;
    static const Forms broiled{QLatin1StringView("cooked, broiled"), QLatin1StringView("broiled")};
    static const Forms stewed{QLatin1StringView("cooked, stewed"), QLatin1StringView("stewed"),
                              QLatin1StringView("cooked, moist heat")};
    static const Forms anyWay{
        QLatin1StringView("cooked, roasted"),  QLatin1StringView("roasted"),
        QLatin1StringView("cooked, stewed"),   QLatin1StringView("cooked"),
        QLatin1StringView("cooked, dry heat"), QLatin1StringView("cooked, moist heat"),
        QLatin1StringView("broiled")};
    std::vector<QLatin1StringView> forms;
    if (grilling.contains(way) || hasWord(food, QStringLiteral("steak")))
        forms.insert(forms.end(), broiled);
    else if (moistHeat.contains(way))
        forms.insert(forms.end(), stewed);
    forms.insert(forms.end(), anyWay);
    for (const QLatin1StringView form : forms)
        if (const int cooked = m_ingredients.lastIndexOfNameIgnoringCase(stem + form); cooked >= 0)
            return cooked;
    if (const int kin = untrimmedKin(food); kin >= 0)
        return cookedForm(kin, way);
    return food;
}

int FoodMatcher::untrimmedKin(int food) const
{
    // The trimmed cut is the same meat: skinless boneless chicken breast, roasted, is the roasted
    // breast meat. A kin trimmed itself is no help: it is stored only raw too.
    static const QSet<QString> trimming = wordSet({"skinless", "boneless"});
    const auto trimmed = [](const QStringList& words) {
        return std::any_of(words.cbegin(), words.cend(),
                           [](const QString& word) { return trimming.contains(word); });
    };
    QStringList words = matchWords(m_ingredients.at(food).trimmedName());
    if (!trimmed(words))
        return -1;
    words.removeIf([](const QString& word) { return trimming.contains(word); });
    int kin = -1;
    qsizetype fewestWords = 0;
    for (const int other : foodsWithAll(words)) {
        const QString name = m_ingredients.at(other).trimmedName();
        const QStringList otherWords = matchWords(name);
        if (other == food || !name.endsWith(QLatin1StringView(", raw")) || trimmed(otherWords))
            continue;
        if (kin < 0 || otherWords.size() < fewestWords) {
            kin = other;
            fewestWords = otherWords.size();
        }
    }
    return kin;
}

bool FoodMatcher::hasWord(int food, const QString& stem) const
{
    const auto postings = m_postings.constFind(stem);
    return postings != m_postings.cend() &&
           std::binary_search(postings->cbegin(), postings->cend(), Posting{food, 0, {}, {}, {}},
                              [](const Posting& a, const Posting& b) { return a.food < b.food; });
}

bool FoodMatcher::otherWordsFit(const Query& query, int named, const QStringList& nameStems,
                                const QStringList& headWords, const QStringList& hinted) const
{
    // The word that says what the food is must be the named food's: "lemon curd" is no lemon.
    if (!query.head.isEmpty() && !query.named.contains(query.head) &&
        !nameStems.contains(query.head) && !hinted.contains(query.head))
        return false;
    // The kind of food the cook's name says, by the cook's words that its name has, and by what
    // the named food is where the cook's words are the cook's own ("capsicum", "petits pois").
    QStringList kind;
    bool ownWords = false;
    for (const QString& word : query.named)
        (nameStems.contains(word) ? kind.append(word) : void(ownWords = true));
    if (ownWords)
        kind += headWords;
    const std::vector<int> ofKind = foodsWithAll(kind);
    // A word fits unless a food of that kind has it and the named food not: "frozen strawberries"
    // are not the raw ones, but an "English cucumber" is the cucumber named. Words no name has (a
    // brand, a kind of rice) or only a brand's name has ("chunky" salsa) say nothing against it,
    // unless the named food is a brand's too ("honey nut" cheerios).
    const bool brand = m_branded[static_cast<size_t>(named)];
    return std::all_of(query.required.cbegin(), query.required.cend(), [&](const QString& word) {
        if (query.named.contains(word) || nameStems.contains(word) || hinted.contains(word))
            return true;
        const auto postings = m_postings.constFind(word);
        if (postings == m_postings.cend())
            return true;
        return kind.isEmpty()
                   ? false
                   : std::none_of(
                         postings->cbegin(), postings->cend(), [&](const Posting& posting) {
                             return (brand || !m_branded[static_cast<size_t>(posting.food)]) &&
                                    std::binary_search(ofKind.cbegin(), ofKind.cend(),
                                                       posting.food);
                         });
    });
}

// One line's ranking of the stored foods, in the order its phases run: the food a cook's name
// points to, the words the foods are weighed by and the weight of each, what those words say of
// each food they touch, each food's score, a variant of the named food that the cook's other
// words ask for, and the best foods.
class FoodMatcher::Ranking {
public:
    Ranking(const FoodMatcher& matcher, const Query& query, QStringList hinted);
    // The count best foods but the one left out (remembered for the line), best first.
    std::vector<FoodMatch> best(size_t count, int leftOut) const;

private:
    void findNamedFood();
    void chooseWords();
    void weighWords();
    void tallyWords();
    void creditNamedFood();
    double scoreOf(int food) const;
    int firstFood() const;
    Tally& touch(int food);
    const std::vector<Posting>& postingsOf(const QString& word) const;

    const FoodMatcher& m_matcher;
    const Query& m_query;
    const QStringList m_hinted; // the words the line implies
    int m_named = -1;           // the food a cook's name points to, in the form the cook said
    bool m_namedFits = false;   // the line's other words fit it
    QStringList m_nameStems;    // the words of its name
    QStringList m_headWords;    // what it is, by its name
    QStringList m_words;        // the words the foods are weighed by
    QString m_head;             // of those, the one that says what the food is
    qsizetype m_saidWords = 0;  // the first of them are the cook's, the others stand in
    std::vector<double> m_weights;
    double m_knownWeight = 0;   // of the words some name has
    double m_unknownWeight = 0; // of the words no name has
    Tallies m_tallies;
    std::vector<int> m_touched; // the foods that share a word with the line, as first met
};

FoodMatcher::Ranking::Ranking(const FoodMatcher& matcher, const Query& query, QStringList hinted)
    : m_matcher(matcher)
    , m_query(query)
    , m_hinted(std::move(hinted))
    , m_tallies(matcher.m_extra.size())
{
    findNamedFood();
    chooseWords();
    weighWords();
    tallyWords();
    if (m_namedFits)
        creditNamedFood();
}

// The food a cook's name points to is the cook's food when the other words fit it ("sliced
// almonds" are almonds).
void FoodMatcher::Ranking::findNamedFood()
{
    const IngTable& ingredients = m_matcher.m_ingredients;
    m_named = m_query.name.isEmpty() ? -1 : ingredients.lastIndexOfNameIgnoringCase(m_query.name);
    if (m_named < 0)
        return;
    // A cook who says a food the name points to raw is cooked means its cooked form: "shredded
    // cooked chicken breast" is roasted breast, whose name need not say "cooked".
    // One the cook says was grilled, roasted or poached is its cooked form cooked that way, where
    // it has one: "grilled chicken thighs" are no raw thighs; a food with none ("baked beans",
    // "roast potatoes" a cook roasts) is read by the word as it stands.
    const QString cooked = QStringLiteral("cooked");
    const int raw = m_named;
    if (m_query.required.contains(cooked) || m_query.optional.contains(cooked) ||
        !m_query.cookedWay.isEmpty())
        m_named = m_matcher.cookedForm(m_named, m_query.cookedWay);
    m_nameStems = matchWords(ingredients.at(m_named).name);
    if (m_named != raw && !m_query.cookedWay.isEmpty())
        m_nameStems.append(m_query.cookedWay);
    // A food whose name, or the cook's name for it, says how it was cooked is cooked: "leftover
    // roast chicken" is the roasted chicken the name points to.
    static const QSet<QString> cookedHow = wordSet({"roast", "roasted", "boiled", "baked", "fried",
                                                    "stewed", "broiled", "braised", "grilled"});
    const auto saysHow = [](const QStringList& words) {
        return std::any_of(words.cbegin(), words.cend(),
                           [](const QString& word) { return cookedHow.contains(word); });
    };
    if (m_named != raw || saysHow(m_nameStems) || saysHow(m_query.named))
        m_nameStems.append(cooked);
    for (const NameWord& word : nameWords(ingredients.at(m_named).trimmedName(),
                                          m_matcher.m_grouped[static_cast<size_t>(m_named)]))
        // "Raw" of "Broccoli, raw" is no part of what the food is, though under the group's
        // name it stands where that is said.
        if (word.inHead && !stopWords().contains(word.stem) && !plainWords().contains(word.stem))
            m_headWords.append(word.stem);
    m_namedFits = m_matcher.otherWordsFit(m_query, m_named, m_nameStems, m_headWords, m_hinted);
}

// When the named food does not fit, the words that say what that food is stand in for the cook's
// words of the name that its name lacks, at less weight, so that a food of that kind with the
// other word comes first: "red capsicum" is the red one of the sweet peppers, "cooked prawns" are
// cooked shrimp, "frozen petits pois" frozen peas.
void FoodMatcher::Ranking::chooseWords()
{
    m_words = m_query.required;
    m_head = m_query.head;
    const bool standIn = m_named >= 0 && !m_namedFits;
    if (standIn)
        m_words.removeIf([&](const QString& word) {
            return m_query.named.contains(word) && !m_nameStems.contains(word);
        });
    m_saidWords = m_words.size();
    // Unless the cook's own head word is not the named food's: "vanilla yogurt" is a yogurt, of
    // no kind of vanilla, "ginger ale" no kind of ginger.
    const bool headsStandIn =
        standIn && (m_saidWords < m_query.required.size() || m_nameStems.contains(m_query.head));
    if (!headsStandIn)
        return;
    for (const QString& word : std::as_const(m_headWords))
        if (!m_words.contains(word))
            m_words.append(word);
    if (!m_words.contains(m_head) && m_words.size() > m_saidWords)
        m_head = m_words.back();
    // The cook's head word was the cook's own ("florets"): the named food's says what it is.
    for (const QString& word : std::as_const(m_headWords))
        if (!m_words.contains(m_head) && m_words.contains(word))
            m_head = word;
}

// Rare words say more: a word's weight falls with the number of names that have it. A word no
// name has weighs as the least telling word the cook said, and less for a food whose name says
// what the cook's head word says: one unknown word (a brand, a kind of rice, "semi skimmed") does
// not sink the line.
void FoodMatcher::Ranking::weighWords()
{
    const double foods = static_cast<double>(m_matcher.m_extra.size());
    double leastWeight = 0;
    for (qsizetype i = 0; i < m_words.size(); ++i) {
        const size_t postings = postingsOf(m_words[i]).size();
        const double weight =
            postings == 0 ? 0 : std::log(1 + foods / static_cast<double>(postings));
        m_weights.push_back(i < m_saidWords ? weight : weight * ScoreWeights::standInWord);
        if (i < m_saidWords && weight > 0 && (leastWeight == 0 || weight < leastWeight))
            leastWeight = weight;
    }
    for (double& weight : m_weights) {
        if (weight == 0) {
            weight = leastWeight > 0 ? leastWeight : ScoreWeights::onlyUnknownWords;
            m_unknownWeight += weight;
        } else {
            m_knownWeight += weight;
        }
    }
}

Tally& FoodMatcher::Ranking::touch(int food)
{
    Tally& tally = m_tallies[food];
    if (!tally.touched) {
        tally.touched = true;
        m_touched.push_back(food);
    }
    return tally;
}

const std::vector<FoodMatcher::Posting>& FoodMatcher::Ranking::postingsOf(const QString& word) const
{
    static const std::vector<Posting> noPostings;
    const auto found = m_matcher.m_postings.constFind(word);
    return found == m_matcher.m_postings.cend() ? noPostings : *found;
}

void FoodMatcher::Ranking::tallyWords()
{
    const auto visit = [&](const QString& word, const auto& add) {
        for (const Posting& posting : postingsOf(word)) {
            Tally& tally = touch(posting.food);
            tally.saidPenalty += posting.penalty;
            add(tally, posting);
        }
    };
    for (qsizetype i = 0; i < m_words.size(); ++i) {
        const bool headWord = m_words[i] == m_head;
        const bool namedWord = m_query.named.contains(m_words[i]);
        const bool form = formWords().contains(m_words[i]);
        const bool unlikely = unlikelyWords().contains(m_words[i]);
        visit(m_words[i], [&](Tally& tally, const Posting& posting) {
            tally.covered += m_weights[static_cast<size_t>(i)];
            tally.brandSaid = tally.brandSaid || (posting.brand && !unlikely);
            tally.plainSaid = tally.plainSaid || (!posting.brand && !posting.group && !unlikely);
            if (posting.brand || unlikely)
                tally.brandPenalty += posting.penalty;
            tally.formSaid = tally.formSaid || form;
            tally.namedWords += namedWord;
            tally.headNamed = tally.headNamed || (headWord && posting.inHead);
        });
    }
    for (const QString& word : m_query.optional)
        visit(word, [](Tally& tally, const Posting&) {
            tally.describing += ScoreWeights::describingWord;
        });
    for (const QString& word : m_query.without)
        for (const Posting& posting : postingsOf(word))
            m_tallies[posting.food].lacking = true;
    // The names' cooked vegetables and beans are "cooked, boiled, drained": a cook who says
    // "cooked" means them, not the one cooked some other way whose name says less.
    if (m_words.contains(QLatin1String("cooked")))
        for (const QLatin1String word : {QLatin1String("boiled"), QLatin1String("drained")})
            for (const Posting& posting : postingsOf(word))
                m_tallies[posting.food].saidPenalty += posting.penalty;
}

// The named food has the cook's words of its name, though its name spells them otherwise.
void FoodMatcher::Ranking::creditNamedFood()
{
    Tally& tally = touch(m_named);
    tally.covered = 0;
    for (qsizetype i = 0; i < m_words.size(); ++i)
        if (m_query.named.contains(m_words[i]) || m_nameStems.contains(m_words[i]))
            tally.covered += m_weights[static_cast<size_t>(i)];
    tally.namedWords = static_cast<int>(m_query.named.size());
    tally.headNamed = true;
}

double FoodMatcher::Ranking::scoreOf(int food) const
{
    const Tally& tally = m_tallies.at(food);
    const auto at = static_cast<size_t>(food);
    double unsaid = m_matcher.m_extra[at] - tally.saidPenalty;
    // A cook who names a brand's product ("Kix", "Golden Grahams") in its own words means
    // that product: its maker's words and the kind of product it is weigh less.
    if (tally.brandSaid && !tally.plainSaid)
        unsaid -= (m_matcher.m_brandExtra[at] - tally.brandPenalty) * ScoreWeights::brandWords;
    const double unknownWeight =
        tally.headNamed ? m_unknownWeight * ScoreWeights::unknownBesideHead : m_unknownWeight;
    const double covered = tally.covered / (m_knownWeight + unknownWeight);
    // A variant of the food the cook named is still that food: a "reduced-fat cream cheese"
    // is a cream cheese, not a reduced-fat provolone.
    const bool ofNamedKind = m_named >= 0 && !m_namedFits && m_query.named.size() > 1 &&
                             tally.namedWords == static_cast<int>(m_query.named.size());
    return covered - unsaid + tally.describing + (tally.headNamed ? ScoreWeights::headNamed : 0) +
           (ofNamedKind ? ScoreWeights::ofNamedKind : 0) -
           (tally.lacking ? ScoreWeights::lacking : 0) +
           (tally.formSaid && tally.headNamed ? ScoreWeights::formSaid : 0);
}

// The food that goes first: the named food when it fits, unless a describing word the named food
// lacks, or a word the line implies, sets apart another food of those names that fits better:
// "seeded raisins" are not the seedless ones the cook's "raisins" point to. A word that names a
// variant, or the form the line implies, makes the food of that kind that has it the cook's:
// "extra firm tofu" is not the firm one, a can of black-eyed peas holds the canned ones.
int FoodMatcher::Ranking::firstFood() const
{
    if (!m_namedFits)
        return -1;
    const double namedScore = scoreOf(m_named);
    // Of the named food's kind: with the cook's words of its name, or with the words that say
    // what it is where those are the cook's own ("black-eyed peas" are cowpeas).
    const std::vector<int> ofKind = m_matcher.foodsWithAll(m_headWords);
    const auto ofNamedKind = [&](int food) {
        return m_tallies.at(food).namedWords == static_cast<int>(m_query.named.size()) ||
               std::binary_search(ofKind.cbegin(), ofKind.cend(), food);
    };
    int first = m_named;
    int variant = -1;
    double variantScore = 0;
    for (const QString& word : m_query.optional + m_hinted) {
        if (m_nameStems.contains(word))
            continue;
        const bool naming = variantNamingWords().contains(word) || m_hinted.contains(word);
        for (const Posting& posting : postingsOf(word)) {
            if (!ofNamedKind(posting.food) || posting.food == m_named)
                continue;
            const double score = scoreOf(posting.food);
            if (naming && (variant < 0 || score > variantScore)) {
                variant = posting.food;
                variantScore = score;
            } else if (score > namedScore) {
                first = -1;
            }
        }
    }
    return variant >= 0 ? variant : first;
}

std::vector<FoodMatch> FoodMatcher::Ranking::best(size_t count, int leftOut) const
{
    const int first = firstFood();
    std::vector<FoodMatch> scored;
    scored.reserve(m_touched.size());
    // A cook who wants only the skin or peel of a food says so: "3 potatoes, boiled" are whole
    // potatoes however well the skin alone's name fits the other words.
    const auto partUnsaid = [&](int food) {
        const QString& part = m_matcher.m_partAlone[static_cast<size_t>(food)];
        return !part.isEmpty() && !m_query.required.contains(part) &&
               !m_query.optional.contains(part) && !m_hinted.contains(part);
    };
    for (const int food : m_touched) {
        if (m_tallies.at(food).covered <= 0 || partUnsaid(food))
            continue;
        double score = scoreOf(food);
        if (food == first)
            score = std::max(score, ScoreWeights::wholeLine) + ScoreWeights::namedLift;
        if (score > 0 && food != leftOut)
            scored.push_back(FoodMatch{food, score});
    }
    // Equal scores keep the table's order.
    const auto better = [](const FoodMatch& a, const FoodMatch& b) {
        return a.score != b.score ? a.score > b.score : a.index < b.index;
    };
    if (scored.size() > count) {
        std::partial_sort(scored.begin(), scored.begin() + static_cast<qsizetype>(count),
                          scored.end(), better);
        scored.resize(count);
    } else {
        std::sort(scored.begin(), scored.end(), better);
    }
    return scored;
}

QList<FoodMatch> FoodMatcher::bestFoods(const QString& food, int count, const QStringList& hints,
                                        KitchenMeasures measures) const
{
    // The user's choices change between lines: the one for these words is part of what is kept.
    const QString chosen = m_choices ? m_choices->chosenFor(food) : QString();
    const int remembered =
        chosen.isEmpty() ? -1 : m_ingredients.lastIndexOfNameIgnoringCase(chosen);
    Asked asked{food, hints, count, measures, remembered};
    if (const auto found = m_found.constFind(asked); found != m_found.cend())
        return *found;
    const QList<FoodMatch> best = rankFoods(food, count, hints, measures, remembered);
    // Enough for the distinct foods of a long paste, small beside the index.
    constexpr qsizetype mostKept = 8192;
    if (m_found.size() >= mostKept)
        m_found.clear();
    m_found.insert(std::move(asked), best);
    return best;
}

QList<FoodMatch> FoodMatcher::rankFoods(const QString& food, int count, const QStringList& hints,
                                        KitchenMeasures measures, int remembered) const
{
    QList<FoodMatch> best;
    if (remembered >= 0)
        best.append(FoodMatch{remembered, ScoreWeights::remembered});

    const Query query = queryFor(food, hints, measures);
    if (query.required.isEmpty() || query.lacking || m_extra.empty())
        return best;
    const Ranking ranking(*this, query, matchWords(hints.join(u' ')));
    const auto wanted = static_cast<size_t>(std::max(0, count - static_cast<int>(best.size())));
    const std::vector<FoodMatch> ranked = ranking.best(wanted, remembered);
    best.append(QList<FoodMatch>(ranked.cbegin(), ranked.cend()));
    return best;
}

} // namespace zestora::paste
