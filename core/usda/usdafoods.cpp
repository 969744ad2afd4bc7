#include "core/usda/usdafoods.h"

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

QString cutAtWord(const QString& text, int width)
{
    if (text.size() <= width)
        return text;
    const qsizetype space = text.lastIndexOf(u' ', width);
    QString cut = space > 0 ? text.left(space) : text.left(width);
    while (!cut.isEmpty() && QStringLiteral(",;:-(/").contains(cut.back()))
        cut.chop(1);
    return cut.trimmed();
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

struct Measure {
    int seq;
    double amount;
    QString unit;
    double grams;
};

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

} // namespace

QString shortName(const QString& description)
{
    return nameCandidates(description).front();
}

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
    // candidate.
    const QStringList parts = name.split(QStringLiteral(", "));
    const QString first = cutAtWord(parts.front(), nameWidth);
    const QStringList details = parts.mid(1, maxDetails);
    struct Candidate {
        std::vector<bool> kept;
        QString name;
    };
    std::vector<Candidate> candidates;
    for (unsigned mask = 0; mask < (1u << details.size()); ++mask) {
        Candidate candidate{std::vector<bool>(static_cast<size_t>(details.size())), first};
        for (int i = 0; i < details.size(); ++i) {
            if (mask & (1u << i)) {
                candidate.kept[static_cast<size_t>(i)] = true;
                candidate.name += QStringLiteral(", ") + details[i];
            }
        }
        if (candidate.name.size() <= nameWidth)
            candidates.push_back(std::move(candidate));
    }
    // Earlier details matter more: a candidate keeping detail i comes before every one that
    // leaves it out but agrees on the details before it.
    std::sort(candidates.begin(), candidates.end(),
              [](const Candidate& a, const Candidate& b) { return a.kept > b.kept; });
    QStringList names;
    for (const Candidate& candidate : candidates)
        names.append(candidate.name);
    return names;
}

UnitMatch standardUnit(const QString& usdaUnit)
{
    static const QRegularExpression pattern(
        QStringLiteral("^(fl oz|cups?|tbsp|tablespoons?|tsp|teaspoons?|oz|lb|pints?|quarts?|ml|g)"
                       "(?![A-Za-z.])"),
        QRegularExpression::CaseInsensitiveOption);
    static const std::map<QString, UnitMatch> units{
        {QStringLiteral("fl oz"), {QStringLiteral("tbs"), 2}},
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
    QString measure = plainText(usdaUnit.simplified());
    if (measure.size() > measureWidth) {
        measure = cutAtWord(measure, measureWidth);
        // A bracket left open by the cut goes with what followed it.
        const qsizetype open = measure.lastIndexOf(u'(');
        if (open > 0 && measure.indexOf(u')', open) < 0)
            measure = cutAtWord(measure.left(open).trimmed(), measureWidth);
    }
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
    QHash<QString, QList<Measure>> measuresOf;
    for (const QList<QByteArray>& row : measures->rows) {
        const Measure measure{static_cast<int>(measures->number(row, "seq")),
                              measures->number(row, "amount"), measures->text(row, "unit"),
                              measures->number(row, "grams")};
        if (measure.amount > 0 && measure.grams > 0 && !measure.unit.isEmpty())
            measuresOf[measures->text(row, "ndb_no")].append(measure);
    }

    QSet<QString> taken;
    for (const QList<QByteArray>& row : foods->rows) {
        const QString number = foods->text(row, "ndb_no");
        QList<Measure> list = measuresOf.value(number);
        std::stable_sort(list.begin(), list.end(),
                         [](const Measure& a, const Measure& b) { return a.seq < b.seq; });

        Food food{IngRecord{}, MeasureSource::HundredGrams};
        IngRecord& r = food.record;
        double grams = 100;
        r.amount1 = 100;
        r.measure1 = QStringLiteral("g");
        // A volume is preferred, so that both volumes and weights can be chosen in recipes.
        const Measure* chosen = nullptr;
        UnitMatch unit;
        for (bool wantVolume : {true, false}) {
            for (const Measure& measure : list) {
                const UnitMatch match = standardUnit(measure.unit);
                const bool isVolume = volumeWeight(match.unit, QString()) == 1;
                if (!match.unit.isEmpty() && isVolume == wantVolume) {
                    chosen = &measure;
                    unit = match;
                    break;
                }
            }
            if (chosen)
                break;
        }
        if (chosen) {
            food.measure = MeasureSource::StandardUnit;
            r.amount1 = static_cast<float>(chosen->amount * unit.multiplier);
            r.measure1 = unit.unit;
        } else if (!list.isEmpty()) {
            chosen = &list.front();
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
        const QStringList candidates = nameCandidates(foods->text(row, "description"));
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
        result.foods.append(food);
    }
    return result;
}

} // namespace zestora::usda
