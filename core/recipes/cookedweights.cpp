#include "core/recipes/cookedweights.h"

#include "core/store/pairsfile.h"
#include "core/text.h"

#include <QLocale>
#include <QRegularExpression>
#include <QSet>

namespace zestora {

namespace {

const QString noteLabel = QStringLiteral("Weight when cooked:");

QString keyOf(const QString& name)
{
    return lowerCase(trimSpaces(name));
}

} // namespace

void CookedWeights::load()
{
    QList<std::pair<QString, double>> weights;
    for (const auto& [recipe, grams] : pairsfile::read(fileName)) {
        bool ok = false;
        const double value = grams.toDouble(&ok);
        if (ok && value > 0)
            weights.append({recipe, value});
    }
    take(weights);
}

void CookedWeights::take(const QList<std::pair<QString, double>>& weights)
{
    m_weights = weights;
    m_byName.clear();
    for (const auto& [name, grams] : weights)
        m_byName.insert(keyOf(name), grams);
}

std::optional<double> CookedWeights::of(const QString& recipe) const
{
    const auto found = m_byName.constFind(keyOf(recipe));
    return found == m_byName.cend() ? std::nullopt : std::optional<double>(*found);
}

bool CookedWeights::set(const QString& recipe, std::optional<double> grams)
{
    return set({{recipe, grams}});
}

bool CookedWeights::set(const QList<std::pair<QString, std::optional<double>>>& changes)
{
    QSet<QString> changed;
    QList<std::pair<QString, double>> added;
    for (const auto& [name, grams] : changes) {
        if (of(name) == grams)
            continue;
        changed.insert(keyOf(name));
        if (grams)
            added.append({trimSpaces(name), *grams});
    }
    // Nothing changed, nothing is written: no rewrite, no backup.
    if (changed.isEmpty())
        return true;
    QList<std::pair<QString, double>> weights = m_weights;
    weights.removeIf(
        [&changed](const auto& weight) { return changed.contains(keyOf(weight.first)); });
    weights.append(added);
    pairsfile::Pairs pairs;
    for (const auto& [name, grams] : weights)
        pairs.append({name, cookedGramsText(grams)});
    if (!pairsfile::write(fileName, pairs, &m_error))
        return false;
    take(weights);
    return true;
}

QString cookedGramsText(double grams)
{
    // Every digit a cook typed, and no exponent that a heavy pot would otherwise get.
    static const QRegularExpression trailingZeros(QStringLiteral("\\.?0+$"));
    return QString::number(grams, 'f', 3).remove(trailingZeros);
}

QString cookedWeightNote(double grams)
{
    return noteLabel + u' ' + cookedGramsText(grams) + QStringLiteral(" g");
}

std::optional<double> cookedWeightOfNote(const QString& note)
{
    if (!note.startsWith(noteLabel, Qt::CaseInsensitive))
        return std::nullopt;
    bool bad = false;
    return cookedGramsFrom(note.sliced(noteLabel.size()), &bad);
}

std::optional<double> cookedGramsFrom(const QString& text, bool* bad)
{
    QString digits = trimSpaces(text);
    *bad = false;
    if (digits.isEmpty())
        return std::nullopt;
    if (digits.endsWith(u'g', Qt::CaseInsensitive))
        digits = trimSpaces(digits.chopped(1));
    bool ok = false;
    const double grams = QLocale::c().toDouble(digits, &ok);
    *bad = !ok || !(grams > 0);
    return *bad ? std::nullopt : std::optional<double>(grams);
}

} // namespace zestora
