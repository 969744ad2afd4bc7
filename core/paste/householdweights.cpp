#include "core/paste/householdweights.h"

#include "core/numbers.h"
#include "core/paste/foodmatcher.h"
#include "core/usda/usdafoods.h"

#include <QRegularExpression>
#include <QSet>

#include <algorithm>

namespace zestora::paste {

namespace {

bool formOrVariant(const QString& word); // with the other kin rules, below

// The words of a name's part that tell kin apart: not "or", "and", "with" of "french or vienna",
// nor those of a bracket, which explains the variant rather than names it: light tortilla chips
// "(baked with less oil)" are kin of the plain ones.
QStringList tellingWords(QStringView text)
{
    static const QRegularExpression bracket(QStringLiteral("\\([^()]*\\)"));
    QStringList words = matchWords(text.toString().remove(bracket));
    // Where the words before a bracket name only a form ("Nuts, canned (liquid expressed from
    // grated meat)"), the bracket says what the food is.
    if (std::all_of(words.cbegin(), words.cend(), formOrVariant))
        words = matchWords(text);
    words.removeIf([](const QString& word) {
        return word.size() < 3 || word == QLatin1String("and") || word == QLatin1String("with") ||
               word == QLatin1String("from");
    });
    return words;
}

} // namespace

HouseholdWeights::HouseholdWeights(const QByteArray& table)
{
    for (const QByteArray& row : table.split('\n')) {
        const QList<QByteArray> fields = row.trimmed().split('\t');
        if (fields.size() != 3)
            continue;
        bool read = false;
        const double grams = fields[2].toDouble(&read);
        if (!read || grams <= 0)
            continue;
        const QString name = QString::fromUtf8(fields[0]);
        QList<Measure>& measures = m_measures[name.toCaseFolded()];
        // A food's kin are looked for on every line of a paste: the words of its group's names
        // are worked out once, here.
        if (measures.isEmpty())
            m_byFirstPart[name.section(u',', 0, 0).trimmed().toCaseFolded()].append(
                {name, tellingWords(name.section(u',', 1))});
        measures.append(Measure{QString::fromUtf8(fields[1]), grams});
    }
}

QByteArray HouseholdWeights::table(const QList<Food>& foods)
{
    QByteArray bytes;
    for (const Food& food : foods)
        for (const Measure& measure : food.measures)
            bytes += food.name.toUtf8() + '\t' + measure.unit.toUtf8() + '\t' +
                     doubleText(measure.gramsPerUnit).toUtf8() + '\n';
    return bytes;
}

double HouseholdWeights::cooksPieces(double usdaAmount, const QString& unit)
{
    const QString word = matchWords(unit).value(0);
    return usdaAmount == 0.5 && (word == QLatin1String("breast") || word == QLatin1String("fillet"))
               ? 1
               : usdaAmount;
}

QList<HouseholdWeights::Measure> HouseholdWeights::countsWeighedTogether(const Measure& measure)
{
    // The counts are in a bracket where one holds them: "serving (3 heaping tsp or 1 envelope)".
    static const QRegularExpression bracket(QStringLiteral("\\(([^()]* or [^()]*)\\)"));
    // "2 squares", and "unit 2 large" of "unit 2 large or 5 small"; not the "12" of "packages of
    // 6, 12 or 24", nor the 9 inches of "(8\" or 9\" dia)".
    static const QRegularExpression count(
        QStringLiteral("(?:^|\\s)(\\d+)\\s+([A-Za-z][A-Za-z ]*)$"));
    const QRegularExpressionMatch bracketed = bracket.match(measure.unit);
    const QString counts = bracketed.hasMatch() ? bracketed.captured(1) : measure.unit;
    if (!counts.contains(QLatin1String(" or ")))
        return {};
    QList<Measure> measures;
    for (const QString& alternative : counts.split(QStringLiteral(" or "))) {
        const QRegularExpressionMatch counted = count.match(alternative.trimmed());
        const double many = counted.hasMatch() ? counted.captured(1).toDouble() : 0;
        const QString unit = counted.captured(2).trimmed();
        // A spoonful is weighed by the food's volume, and a heaping one is no spoonful.
        if (many > 0 && usda::standardUnit(unit.section(u' ', -1)).unit.isEmpty())
            measures.append(Measure{unit, measure.gramsPerUnit / many});
    }
    return measures;
}

QList<HouseholdWeights::Measure> HouseholdWeights::measuresOf(const QString& name) const
{
    return m_measures.value(name.trimmed().toCaseFolded());
}

namespace {

// Words that say how a food was kept or cooked, or which variant it is.
bool formOrVariant(const QString& word)
{
    static const QSet<QString> words{
        QStringLiteral("raw"),         QStringLiteral("cooked"),     QStringLiteral("boiled"),
        QStringLiteral("drained"),     QStringLiteral("baked"),      QStringLiteral("roasted"),
        QStringLiteral("frozen"),      QStringLiteral("canned"),     QStringLiteral("dried"),
        QStringLiteral("fresh"),       QStringLiteral("whole"),      QStringLiteral("regular"),
        QStringLiteral("plain"),       QStringLiteral("unprepared"), QStringLiteral("prepared"),
        QStringLiteral("fluid"),       QStringLiteral("solid"),      QStringLiteral("liquid"),
        QStringLiteral("salt"),        QStringLiteral("added"),      QStringLiteral("without"),
        QStringLiteral("unsalted"),    QStringLiteral("salted"),     QStringLiteral("reduced"),
        QStringLiteral("calorie"),     QStringLiteral("fat"),        QStringLiteral("low"),
        QStringLiteral("sodium"),      QStringLiteral("light"),      QStringLiteral("sweetened"),
        QStringLiteral("unsweetened"), QStringLiteral("nonfat"),     QStringLiteral("enriched"),
        QStringLiteral("unenriched"),  QStringLiteral("ready"),      QStringLiteral("bake"),
        QStringLiteral("serve"),       QStringLiteral("heated"),     QStringLiteral("microwaved")};
    // USDA's average of a fruit's varieties ("all commercial varieties") is kin of each variety.
    static const QSet<QString> average{QStringLiteral("all"), QStringLiteral("commercial"),
                                       matchWords(u"varieties").value(0)};
    return words.contains(word) || average.contains(word);
}

} // namespace

QStringList HouseholdWeights::kinOf(const QString& name) const
{
    if (const auto found = m_kin.constFind(name); found != m_kin.cend())
        return *found;
    // The names asked about are the stored foods': one entry a food at most, whatever is pasted.
    const QStringList kin = findKin(name);
    m_kin.insert(name, kin);
    return kin;
}

QStringList HouseholdWeights::findKin(const QString& name) const
{
    const QString first = name.section(u',', 0, 0).trimmed().toCaseFolded();
    const QStringList own = tellingWords(name.section(u',', 1));
    struct Kin {
        QString name;
        int shared;
        qsizetype apart;
    };
    QList<Kin> kin;
    const QString trimmed = name.trimmed();
    const auto group = m_byFirstPart.constFind(first);
    if (group == m_byFirstPart.cend())
        return {};
    for (const auto& [other, words] : *group) {
        if (other.compare(trimmed, Qt::CaseInsensitive) == 0)
            continue;
        const auto shared = std::count_if(words.cbegin(), words.cend(),
                                          [&](const QString& word) { return own.contains(word); });
        // Kin is the same food in another form or variant, not another food of the group:
        // lotus seeds are no kin of chia seeds, macadamias none of cashews.
        const bool sameFood = std::all_of(words.cbegin(), words.cend(), [&](const QString& word) {
            return own.contains(word) || formOrVariant(word);
        });
        if (sameFood)
            kin.append(
                Kin{other, static_cast<int>(shared), words.size() + own.size() - 2 * shared});
    }
    std::stable_sort(kin.begin(), kin.end(), [](const Kin& a, const Kin& b) {
        return a.apart != b.apart ? a.apart < b.apart : a.shared > b.shared;
    });
    QStringList names;
    for (const Kin& k : std::as_const(kin))
        names.append(k.name);
    return names;
}

} // namespace zestora::paste
