#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>

#include <optional>

namespace zestora::paste {

struct IngredientLine;

// What of a food bought whole nobody eats: the bone of a joint, the stone of a peach, the shell
// and head of a fish. USDA's values per 100 g are for the edible part, so a weight the cook buys
// the food by counts only that part. Read from a small table kept by hand with USDA's refuse
// shares: the stored food's name, the refuse in percent, what it is, and whether a weight of the
// food always includes it ("always": a whole chicken, spareribs, fruit), only when the line says
// the food is whole ("whole": a pork shoulder bought bone-in or boned), or also when the line
// counts one of it by its weight ("counted": "1 (3 pound) chicken, skinned" is a bird bought
// whole, though its skin came off).
class Refuse {
public:
    // When a weight of the food carries its refuse, as the table's last column says.
    enum class Held { Always, Whole, WholeOrCounted };
    inline static const QString fileName = QStringLiteral("refuse.tsv");

    Refuse() = default;
    explicit Refuse(const QByteArray& table);

    struct Share {
        double percent = 0;
        QString what; // "bone", "seeds and skin"
    };
    // The refuse a weight of the food in the line includes: none for a food without refuse, for
    // an amount that is no weight, or when the words before the food say it was taken off already
    // ("boneless chicken thighs", "pitted cherries"), as cooks write the weight of what is left.
    std::optional<Share> inWeightOf(const IngredientLine& line, const QString& foodName) const;
    // The refuse of one piece as USDA weighs it by a household measure of the food: its chicken
    // thigh, drumstick and leg "with skin" are pieces on their bone, as bought, though the food's
    // values are for the meat and skin alone. None where the measure says the bone is gone.
    std::optional<Share> inPieceOf(const QString& foodName, const QString& measure) const;

private:
    struct Row {
        Share share;
        Held held = Held::Whole;
    };
    const Row* rowOf(const QString& foodName) const;
    QHash<QString, Row> m_rows; // by the food's name, case-folded
};

} // namespace zestora::paste
