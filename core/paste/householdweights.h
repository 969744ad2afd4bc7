#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>

namespace zestora::paste {

// What USDA's household measures of each starter food weigh ("cup, chopped" of onions is 160 g),
// for turning a cook's cup of a food counted by the piece into grams. The table lies beside the
// starter database; its rows are the food's stored name, the measure and what one of it weighs in
// grams, separated by tabs.
class HouseholdWeights {
public:
    inline static const QString fileName = QStringLiteral("household-weights.tsv");

    struct Measure {
        QString unit;        // as USDA writes it: "cup, chopped", "medium (2-1/2\" dia)"
        double gramsPerUnit; // what one of it weighs
    };
    // One food's measures in USDA's order.
    struct Food {
        QString name;
        QList<Measure> measures;
    };

    HouseholdWeights() = default;
    explicit HouseholdWeights(const QByteArray& table);
    static QByteArray table(const QList<Food>& foods);

    // The measures of the food with this name, ignoring letter case; none for a food of the user's.
    QList<Measure> measuresOf(const QString& name) const;

private:
    QHash<QString, QList<Measure>> m_measures;
};

} // namespace zestora::paste
