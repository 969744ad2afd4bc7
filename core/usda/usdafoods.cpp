#include "core/usda/usdafoods.h"

#include "core/usda/usdameasures.h"

#include "core/numbers.h"
#include "core/text.h"

#include <QHash>
#include <QRegularExpression>
#include <QSet>

#include <array>
#include <map>
#include <vector>

namespace zestora::usda {

namespace {

constexpr int nameWidth = IngRecord::nameWidth;
constexpr int measureWidth = IngRecord::measureWidth;
// Details after the first part that a shortened name is chosen from; USDA's have at most a dozen.
constexpr int maxDetails = 12;

// Short forms of long phrases, tried in this order only while a name is too long.
const std::array<std::pair<const char*, const char*>, 14> shortForms{{
    {", separable lean and fat", ", lean and fat"},
    {", separable lean only", ", lean only"},
    {"commercially prepared", "commercial"},
    {"prepared from recipe", "homemade"},
    {"without salt", "no salt"},
    {"with salt", "salted"},
    {"all grades, ", ""},
    {"ready-to-eat", "RTE"},
    {"ready-to-serve", "RTS"},
    {"with added vitamin", "with vitamin"},
    {"cooked, boiled, drained", "boiled, drained"},
    {"reconstituted", "reconst."},
    {"not reconstituted", "not reconst."},
    {"condensed", "cond."},
}};

// Where the first bracket that is never closed opens, or -1.
qsizetype unclosedBracket(const QString& text)
{
    std::vector<qsizetype> open;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'(')
            open.push_back(i);
        else if (text[i] == u')' && !open.empty())
            open.pop_back();
    }
    return open.empty() ? -1 : open.front();
}

QString cutAtWord(const QString& text, int width)
{
    if (text.size() <= width)
        return text;
    const qsizetype space = text.lastIndexOf(u' ', width);
    QString cut = space > 0 ? text.left(space) : text.left(width);
    // A bracket left open by the cut goes with what followed it.
    if (const qsizetype open = unclosedBracket(cut); open > 0)
        cut.truncate(open);
    // Nor does a cut end on punctuation or on a word that joins it to what was left out.
    static const QRegularExpression dangling(
        QStringLiteral("(?:[,;:\\-(/ ]|\\s(?:and|or|to|of|with|as|for|in))+$"));
    cut.remove(dangling);
    return cut.trimmed();
}

// The text without its brackets when it is longer than width and they are what makes it so.
QString fitWithoutBrackets(const QString& text, int width)
{
    if (text.size() <= width)
        return text;
    static const QRegularExpression innermost(QStringLiteral("\\s*\\([^()]*\\)"));
    QString shorter = text;
    while (shorter.contains(innermost))
        shorter.remove(innermost);
    shorter = shorter.simplified();
    return shorter.isEmpty() ? text : shorter;
}

// The comma-separated parts of a description; a comma inside brackets belongs to its part.
QStringList partsOutsideBrackets(const QString& text)
{
    QStringList parts;
    int depth = 0;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'(')
            ++depth;
        else if (text[i] == u')' && depth > 0)
            --depth;
        else if (depth == 0 && text[i] == u',' && i + 1 < text.size() && text[i + 1] == u' ') {
            parts.append(text.mid(start, i - start));
            start = i + 2;
        }
    }
    parts.append(text.mid(start));
    return parts;
}

// One table row split at tabs; the header row names the columns.
struct Table {
    QHash<QString, int> columns;
    QList<QList<QByteArray>> rows;

    QString text(const QList<QByteArray>& row, const char* column) const
    {
        const int index = columns.value(QString::fromLatin1(column), -1);
        return index >= 0 && index < row.size() ? QString::fromUtf8(row[index]).trimmed()
                                                : QString();
    }
    double number(const QList<QByteArray>& row, const char* column) const
    {
        bool ok = false;
        const double value = text(row, column).toDouble(&ok);
        return ok && std::isfinite(value) ? value : 0; // a value USDA does not give counts 0
    }
};

std::optional<Table> readTable(const QByteArray& tsv, const QStringList& required, QString* error)
{
    QList<QByteArray> lines = tsv.split('\n');
    if (lines.isEmpty()) {
        *error = QStringLiteral("the table is empty");
        return std::nullopt;
    }
    Table table;
    const QList<QByteArray> header = lines.takeFirst().trimmed().split('\t');
    for (int i = 0; i < header.size(); ++i)
        table.columns.insert(QString::fromUtf8(header[i]).trimmed(), i);
    for (const QString& column : required) {
        if (!table.columns.contains(column)) {
            *error = QStringLiteral("the column %1 is missing").arg(column);
            return std::nullopt;
        }
    }
    for (QByteArray& line : lines) {
        if (line.endsWith('\r'))
            line.chop(1);
        if (!line.trimmed().isEmpty())
            table.rows.append(line.split('\t'));
    }
    return table;
}

QString plainText(QString text)
{
    // The file holds code page 1252; USDA's text is ASCII, but anything else is spelled out.
    for (QChar& c : text)
        if (firstCharOutsideCp1252(QString(c)))
            c = u'?';
    return text;
}

float scaled(double per100g, double grams)
{
    return static_cast<float>(per100g * grams / 100);
}

// Which details of a description say that the food is the cut's separable fat: left out, "Lamb,
// domestic, composite of trimmed retail cuts, raw" would weigh a cook's lamb as pure fat.
std::vector<bool> statesTold(const QStringList& details)
{
    std::vector<bool> told;
    for (const QString& detail : details)
        told.push_back(detail.contains(u"separable fat", Qt::CaseInsensitive));
    return told;
}

// The first part with every choice of the details after it that fits and keeps the required
// ones. Earlier details matter more: a choice keeping detail i comes before every one that leaves
// it out but agrees on the details before it.
QStringList shortenings(const QString& first, const QStringList& details,
                        const std::vector<bool>& required)
{
    struct Candidate {
        std::vector<bool> kept;
        QString name;
    };
    std::vector<Candidate> candidates;
    for (unsigned mask = 0; mask < (1u << details.size()); ++mask) {
        Candidate candidate{std::vector<bool>(static_cast<size_t>(details.size())), first};
        bool keepsRequired = true;
        for (int i = 0; i < details.size(); ++i) {
            const auto index = static_cast<size_t>(i);
            if (mask & (1u << i)) {
                candidate.kept[index] = true;
                candidate.name += QStringLiteral(", ") + details[i];
            } else if (index < required.size() && required[index]) {
                keepsRequired = false;
            }
        }
        if (keepsRequired && candidate.name.size() <= nameWidth)
            candidates.push_back(std::move(candidate));
    }
    std::sort(candidates.begin(), candidates.end(),
              [](const Candidate& a, const Candidate& b) { return a.kept > b.kept; });
    QStringList names;
    for (const Candidate& candidate : candidates)
        names.append(candidate.name);
    return names;
}

} // namespace

QStringList nameCandidates(const QString& description)
{
    QString name = description.simplified();
    for (const auto& [longForm, shortForm] : shortForms) {
        if (name.size() <= nameWidth)
            return {name};
        name.replace(QString::fromLatin1(longForm), QString::fromLatin1(shortForm));
        name = name.simplified();
    }
    if (name.size() <= nameWidth)
        return {name};
    // The first part names the food; of the details after it, every choice that fits is a
    // candidate. A part too long to stand even alone after the first leaves out what it says in
    // brackets: "Grapes, red or green, raw" rather than "Grapes, raw".
    const QStringList parts = partsOutsideBrackets(name);
    const QString first = cutAtWord(fitWithoutBrackets(parts.front(), nameWidth), nameWidth);
    QStringList details = parts.mid(1, maxDetails);
    for (QString& detail : details)
        detail = fitWithoutBrackets(detail, nameWidth - static_cast<int>(first.size()) - 2);
    // A detail that says which part of the cut this is stays while leaving out others makes room
    // for it; only where even that does not fit may it go.
    const QStringList names = shortenings(first, details, statesTold(details));
    return names.isEmpty() ? shortenings(first, details, {}) : names;
}

QString formsLeftOut(const QString& description, const QString& name)
{
    // How it was cooked, and whether salt was added then: what sets a cooked staple apart from
    // the same food dry, and the plain food from the salted one, meat among them "enhanced" with
    // an injected salted broth, three times the plain meat's sodium. So does rinsing a can's food,
    // which washes off a fifth of its salt: "Corn, sweet, yellow, canned, drained solids" is the
    // rinsed corn. Words of kind ("canned", "drained solids") are left to what the name keeps.
    static const QRegularExpression formWord(
        QStringLiteral("\\b(?:raw|cooked|uncooked|boiled|baked|fried|roasted|braised|broiled|"
                       "grilled|stewed|simmered|steamed|microwaved|heated|toasted|prepared|"
                       "dry|salted|enhanced|rinsed)\\b"),
        QRegularExpression::CaseInsensitiveOption);
    const auto formsOf = [](const QString& text) {
        QStringList words;
        for (auto match = formWord.globalMatch(text); match.hasNext();)
            if (const QString word = match.next().captured().toLower(); !words.contains(word))
                words.append(word);
        return words;
    };
    const QStringList named = formsOf(name);
    // The name's own short forms say what their long ones do: "boiled, drained" is the
    // description's "cooked, boiled, drained".
    QString described = description.simplified();
    for (const auto& [longForm, shortForm] : shortForms)
        described.replace(QString::fromLatin1(longForm), QString::fromLatin1(shortForm));
    QStringList left;
    for (const QString& word : formsOf(described))
        if (!named.contains(word))
            left.append(word);
    return left.join(QStringLiteral(", "));
}

UnitMatch standardUnit(const QString& usdaUnit)
{
    // USDA spells a few measures its own way: "tbso" for a tablespoon, "fluid ounce", "jigger
    // 1.5 fl oz", "liter", "grams 1 serving".
    static const QRegularExpression pattern(
        QStringLiteral("^(fl oz|fluid ounces?|jigger|cups?|tbsp|tbso|tablespoons?|tsp|teaspoons?|"
                       "oz|ounces?|lb|pints?|quarts?|liters?|ml|g|grams)(?![A-Za-z.])"),
        QRegularExpression::CaseInsensitiveOption);
    static const std::map<QString, UnitMatch> units{
        {QStringLiteral("fl oz"), {QStringLiteral("tbs"), 2}},
        {QStringLiteral("fluid ounce"), {QStringLiteral("tbs"), 2}},
        {QStringLiteral("fluid ounces"), {QStringLiteral("tbs"), 2}},
        {QStringLiteral("jigger"), {QStringLiteral("tbs"), 3}},
        {QStringLiteral("tbso"), {QStringLiteral("tbs"), 1}},
        {QStringLiteral("ounce"), {QStringLiteral("oz"), 1}},
        {QStringLiteral("ounces"), {QStringLiteral("oz"), 1}},
        {QStringLiteral("liter"), {QStringLiteral("ml"), 1000}},
        {QStringLiteral("liters"), {QStringLiteral("ml"), 1000}},
        {QStringLiteral("grams"), {QStringLiteral("g"), 1}},
        {QStringLiteral("cup"), {QStringLiteral("cup"), 1}},
        {QStringLiteral("cups"), {QStringLiteral("cup"), 1}},
        {QStringLiteral("tbsp"), {QStringLiteral("tbs"), 1}},
        {QStringLiteral("tablespoon"), {QStringLiteral("tbs"), 1}},
        {QStringLiteral("tablespoons"), {QStringLiteral("tbs"), 1}},
        {QStringLiteral("tsp"), {QStringLiteral("tsp"), 1}},
        {QStringLiteral("teaspoon"), {QStringLiteral("tsp"), 1}},
        {QStringLiteral("teaspoons"), {QStringLiteral("tsp"), 1}},
        {QStringLiteral("oz"), {QStringLiteral("oz"), 1}},
        {QStringLiteral("lb"), {QStringLiteral("lb"), 1}},
        {QStringLiteral("pint"), {QStringLiteral("pint"), 1}},
        {QStringLiteral("pints"), {QStringLiteral("pint"), 1}},
        {QStringLiteral("quart"), {QStringLiteral("quart"), 1}},
        {QStringLiteral("quarts"), {QStringLiteral("quart"), 1}},
        {QStringLiteral("ml"), {QStringLiteral("ml"), 1}},
        {QStringLiteral("g"), {QStringLiteral("g"), 1}},
    };
    const QRegularExpressionMatch match = pattern.match(usdaUnit.trimmed());
    if (!match.hasMatch())
        return {};
    return units.at(match.captured(1).toLower());
}

QString ownMeasure(const QString& usdaUnit)
{
    const QString measure = cutAtWord(plainText(usdaUnit.simplified()), measureWidth);
    return measure.isEmpty() ? usdaUnit.left(measureWidth) : measure;
}

ImportResult readFoods(const QByteArray& foodsTsv, const QByteArray& measuresTsv)
{
    ImportResult result;
    const std::optional<Table> foods = readTable(
        foodsTsv,
        {QStringLiteral("ndb_no"), QStringLiteral("description"), QStringLiteral("energy_kcal"),
         QStringLiteral("protein_g"), QStringLiteral("fat_g"), QStringLiteral("sat_fat_g"),
         QStringLiteral("carbs_g"), QStringLiteral("fiber_g"), QStringLiteral("sodium_mg"),
         QStringLiteral("cholesterol_mg")},
        &result.error);
    if (!foods) {
        result.error = QStringLiteral("foods.tsv: ") + result.error;
        return result;
    }
    const std::optional<Table> measures =
        readTable(measuresTsv,
                  {QStringLiteral("ndb_no"), QStringLiteral("seq"), QStringLiteral("amount"),
                   QStringLiteral("unit"), QStringLiteral("grams")},
                  &result.error);
    if (!measures) {
        result.error = QStringLiteral("measures.tsv: ") + result.error;
        return result;
    }
    QHash<QString, QList<HouseholdMeasure>> measuresOf;
    for (const QList<QByteArray>& row : measures->rows) {
        const HouseholdMeasure measure{static_cast<int>(measures->number(row, "seq")),
                                       measures->number(row, "amount"), measures->text(row, "unit"),
                                       measures->number(row, "grams")};
        if (measure.amount > 0 && measure.grams > 0 && !measure.unit.isEmpty())
            measuresOf[measures->text(row, "ndb_no")].append(measure);
    }

    QSet<QString> taken;
    for (const QList<QByteArray>& row : foods->rows) {
        // A row without energy is no food but a placeholder ("ground beef calculator - user
        // selects lean/fat percentage"), which would match a cook's "beef" and count nothing.
        if (foods->text(row, "energy_kcal").isEmpty())
            continue;
        const QString number = foods->text(row, "ndb_no");
        QList<HouseholdMeasure> list = measuresOf.value(number);
        std::stable_sort(
            list.begin(), list.end(),
            [](const HouseholdMeasure& a, const HouseholdMeasure& b) { return a.seq < b.seq; });
        const QString description = foods->text(row, "description");

        Food food{IngRecord{}, MeasureSource::HundredGrams, list, {}};
        IngRecord& r = food.record;
        double grams = 100;
        r.amount1 = 100;
        r.measure1 = QStringLiteral("g");
        const HouseholdMeasure* chosen = cooksMeasure(list, description);
        const UnitMatch unit = chosen ? standardUnit(chosen->unit) : UnitMatch{};
        if (!unit.unit.isEmpty()) {
            food.measure = MeasureSource::StandardUnit;
            r.amount1 = static_cast<float>(chosen->amount * unit.multiplier);
            r.measure1 = unit.unit;
        } else if (chosen) {
            food.measure = MeasureSource::OwnMeasure;
            r.amount1 = static_cast<float>(chosen->amount);
            r.measure1 = ownMeasure(chosen->unit);
            r.customMeasure = -1;
        }
        if (chosen) {
            grams = chosen->grams;
            r.amount2 = static_cast<float>(grams);
            r.measure2 = QStringLiteral("g");
        }
        r.measureKind = volumeWeight(r.measure1, r.measure2);

        r.calories = roundToInt32(foods->number(row, "energy_kcal") * grams / 100);
        r.sodium = roundToInt32(foods->number(row, "sodium_mg") * grams / 100);
        r.cholesterol = roundToInt32(foods->number(row, "cholesterol_mg") * grams / 100);
        r.fat = scaled(foods->number(row, "fat_g"), grams);
        r.satFat = scaled(foods->number(row, "sat_fat_g"), grams);
        r.totalCarbs = scaled(foods->number(row, "carbs_g"), grams);
        r.fiber = scaled(foods->number(row, "fiber_g"), grams);
        r.protein = scaled(foods->number(row, "protein_g"), grams);

        // The first shortening no other food has; when all are taken (USDA repeats a few
        // descriptions), the USDA number tells the two apart.
        const QStringList candidates = nameCandidates(description);
        const auto unused =
            std::find_if(candidates.begin(), candidates.end(), [&](const QString& c) {
                return !taken.contains(plainText(c).toCaseFolded());
            });
        QString name = plainText(unused != candidates.end() ? *unused : candidates.front());
        if (unused == candidates.end()) {
            const QString suffix = QStringLiteral(" (%1)").arg(number);
            name = cutAtWord(name, nameWidth - static_cast<int>(suffix.size())) + suffix;
        }
        taken.insert(name.toCaseFolded());
        r.name = name;
        food.formsLeftOut = formsLeftOut(description, name);
        result.foods.append(food);
    }
    return result;
}

} // namespace zestora::usda
