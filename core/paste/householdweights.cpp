#include "core/paste/householdweights.h"

#include "core/numbers.h"

namespace zestora::paste {

HouseholdWeights::HouseholdWeights(const QByteArray& table)
{
    for (const QByteArray& row : table.split('\n')) {
        const QList<QByteArray> fields = row.trimmed().split('\t');
        if (fields.size() != 3)
            continue;
        bool read = false;
        const double grams = fields[2].toDouble(&read);
        if (read && grams > 0)
            m_measures[QString::fromUtf8(fields[0]).toCaseFolded()].append(
                Measure{QString::fromUtf8(fields[1]), grams});
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

QList<HouseholdWeights::Measure> HouseholdWeights::measuresOf(const QString& name) const
{
    return m_measures.value(name.trimmed().toCaseFolded());
}

} // namespace zestora::paste
