#include "core/paste/typicalweights.h"

#include "core/numbers.h"
#include "core/paste/foodmatcher.h"
#include "core/text.h"

#include <algorithm>

namespace zestora::paste {

TypicalWeights::TypicalWeights(const QByteArray& table)
{
    for (const QList<QByteArray>& fields : tableRows(table, 3)) {
        bool read = false;
        const double grams = fields[2].toDouble(&read);
        const QString food = fields[1] == "-" ? QString() : QString::fromUtf8(fields[1]).trimmed();
        if (read && grams > 0)
            m_weights.append(Weight{QString::fromUtf8(fields[0]).trimmed().toLower(), food,
                                    matchWords(food), grams});
    }
}

QString TypicalWeights::Weight::described() const
{
    static const QStringList sizes{QStringLiteral("small"), QStringLiteral("medium"),
                                   QStringLiteral("large"), QStringLiteral("baby")};
    const QString one = unit == QLatin1String("each") ? food
                        : food.isEmpty()              ? unit
                        : sizes.contains(unit)        ? unit + u' ' + food
                                                      : food + u' ' + unit;
    return QStringLiteral("a typical %1 weighs %2 g").arg(one, doubleText(grams));
}

const TypicalWeights::Weight* TypicalWeights::weightOf(const QString& unit,
                                                       const QStringList& foodWords,
                                                       const QString& required) const
{
    const Weight* best = nullptr;
    for (const Weight& weight : m_weights) {
        if (weight.unit != unit || (best && best->words.size() >= weight.words.size()) ||
            (!required.isEmpty() && !weight.words.contains(required)))
            continue;
        if (std::all_of(weight.words.cbegin(), weight.words.cend(),
                        [&](const QString& word) { return foodWords.contains(word); }))
            best = &weight;
    }
    return best;
}

} // namespace zestora::paste
