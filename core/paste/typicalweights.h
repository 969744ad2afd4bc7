#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

namespace zestora::paste {

// What one of a unit typically weighs where USDA gives no weight for it ("a bunch of kale", "a
// bay leaf", "a shallot"), read from a small table kept by hand: the unit ("each" for the food
// counted itself), the words the food has ("-" for any food) and the grams, separated by tabs.
class TypicalWeights {
public:
    inline static const QString fileName = QStringLiteral("typical-weights.tsv");

    TypicalWeights() = default;
    explicit TypicalWeights(const QByteArray& table);

    struct Weight {
        QString unit;
        QString food;      // as the table writes it; empty for any food
        QStringList words; // its match words
        double grams = 0;

        // "a typical kale bunch weighs 250 g", "a typical shallot weighs 30 g"
        QString described() const;
    };
    // The row for one of the unit whose words the food's words all have, the most words first;
    // none when no row fits. Only rows with the required word count, where one is given.
    const Weight* weightOf(const QString& unit, const QStringList& foodWords,
                           const QString& required = QString()) const;

private:
    QList<Weight> m_weights;
};

} // namespace zestora::paste
