#include "core/recipes/cookedweights.h"

#include "core/store/pairsfile.h"
#include "core/text.h"

#include <QLocale>
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
    if (of(recipe) == grams)
        return true;
    if (grams)
        return set({{recipe, *grams}});
    return rewrite({recipe}, {});
}

bool CookedWeights::set(const QList<std::pair<QString, double>>& weights)
{
    QStringList names;
    for (const auto& weight : weights)
        names.append(weight.first);
    return rewrite(names, weights);
}

bool CookedWeights::rewrite(const QStringList& replaced,
                            const QList<std::pair<QString, double>>& added)
{
    QSet<QString> keys;
    for (const QString& name : replaced)
        keys.insert(keyOf(name));
    QList<std::pair<QString, double>> weights = m_weights;
    weights.removeIf([&keys](const auto& weight) { return keys.contains(keyOf(weight.first)); });
    for (const auto& [name, grams] : added)
        weights.append({trimSpaces(name), grams});
    pairsfile::Pairs pairs;
    for (const auto& [name, grams] : weights)
        pairs.append({name, QString::number(grams)});
    if (!pairsfile::write(fileName, pairs, &m_error))
        return false;
    take(weights);
    return true;
}

QString cookedWeightNote(double grams)
{
    return noteLabel + u' ' + QString::number(grams) + QStringLiteral(" g");
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
