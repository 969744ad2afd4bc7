#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include "core/paste/refuse.h"
#include <utility>

#include "core/paste/typicalweights.h"

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
        double gramsPerUnit; // what one of it, as a cook counts it, weighs
    };
    // One food's measures in USDA's order.
    struct Food {
        QString name;
        QList<Measure> measures;
    };

    HouseholdWeights() = default;
    explicit HouseholdWeights(const QByteArray& table);
    static QByteArray table(const QList<Food>& foods);
    // How many of what a cook counts USDA's amount of a measure is. USDA weighs a bird's breast
    // by the half ("0.5 breast, bone and skin removed"), its breast being both sides, and a large
    // fish's fillet by the half: that half is what a cook buys and counts as one, raw or cooked.
    static double cooksPieces(double usdaAmount, const QString& unit);

    // The counts a measure weighs as one of, each a measure of its own: USDA weighs graham
    // crackers by the "large rectangular piece or 2 squares or 4 small rectangular pieces", so a
    // square is half the piece; none where the measure names one count only.
    static QList<Measure> countsWeighedTogether(const Measure& measure);

    // The measures of the food with this name, ignoring letter case; none for a food of the user's.
    QList<Measure> measuresOf(const QString& name) const;
    // The food's nearest kin, nearest first: the other foods whose names start as its own does
    // and share another of its words ("Onions, raw" of "Onions, sweet, raw"), the fewer words
    // apart the nearer. The tables are used by one thread at a time: they keep what they found.
    QStringList kinOf(const QString& name) const;

    // Typical weights for the units USDA does not weigh.
    const TypicalWeights& typical() const { return m_typical; }
    void setTypical(TypicalWeights typical) { m_typical = std::move(typical); }
    // What of a food bought whole nobody eats.
    const Refuse& refuse() const { return m_refuse; }
    void setRefuse(Refuse refuse) { m_refuse = std::move(refuse); }

private:
    QStringList findKin(const QString& name) const;

    QHash<QString, QList<Measure>> m_measures;
    // Stored names by their first part, case-folded, each with its later words that tell kin
    // apart.
    QHash<QString, QList<std::pair<QString, QStringList>>> m_byFirstPart;
    // The kin found for each name asked about: a long paste weighs the same foods again and again,
    // and a food's group may hold hundreds of names.
    mutable QHash<QString, QStringList> m_kin;
    TypicalWeights m_typical;
    Refuse m_refuse;
};

} // namespace zestora::paste
