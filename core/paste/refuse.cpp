#include "core/paste/refuse.h"

#include "core/paste/ingredientline.h"
#include "core/paste/unitwords.h"
#include "core/text.h"

#include <QRegularExpression>

#include <algorithm>

namespace zestora::paste {

namespace {

constexpr auto caseless = QRegularExpression::CaseInsensitiveOption;

// The weight is of what is left once the refuse was taken off: "boneless chicken thighs",
// "pitted cherries", "diced pork shoulder", "salmon fillets", "shucked clams", "frozen mango
// chunks" (fruit sold in chunks or cubes is peeled and stoned already), "a tub of guacamole" (a
// mashed food has nothing left to throw away), "50g beaten egg" (broken out of its shell). Only
// the words before the food count, since "peaches, peeled and sliced" are weighed before they
// were.
bool refuseGone(const QString& food)
{
    static const QRegularExpression gone(
        QStringLiteral(
            "\\b(?:boneless|boned|de-?boned|butterflied|pitted|stoned|peeled|shelled|"
            "shucked|fill?ets?|cubed|cubes|chunks|diced|sliced|chopped|minced|ground|"
            "trimmed|flesh|pulp|segments?|meat|mashed|pur[eé]ed?|guacamole|beaten|whisked)\\b"),
        caseless);
    return gone.match(food).hasMatch();
}

// The line says the food is bought with what nobody eats: "whole", "bone-in", "on the bone",
// "in shells", "unpeeled"; a crown is a bird's breast or a crown roast's ribs, always on the bone,
// and only a whole fish is gutted or scaled.
bool boughtWhole(const IngredientLine& line)
{
    static const QRegularExpression whole(
        QStringLiteral("\\b(?:whole|bone[\\s-]in|on\\s+the\\s+bone|with\\s+(?:the\\s+)?bones?|"
                       "in\\s+(?:the\\s+|their\\s+)?shells?|shell[\\s-]on|head[\\s-]on|"
                       "unpeeled|crown|gutted|scaled)\\b"),
        caseless);
    return whole.match(line.food).hasMatch() ||
           std::any_of(line.notes.cbegin(), line.notes.cend(),
                       [](const QString& note) { return whole.match(note).hasMatch(); });
}

// The line counts one piece by what it weighs, as a bird is sold: "1 (3 pound) chicken", "1
// 3-pound chicken", "1 broiler-fryer chicken (about 3 pounds)"; not "1 lb chicken" or "1 1/2
// pounds chicken", which weigh out the meat, nor a package counted with its size.
bool countedByItsWeight(const IngredientLine& line)
{
    static const QRegularExpression one(
        QStringLiteral("^(?:1|one|a)\\s+(?![\\d/.]*\\s*(?:pounds?|lbs?|ounces?|oz|kg|kilos?|"
                       "kilograms?|grams?|g)\\b)"),
        caseless);
    return line.package.isEmpty() && one.match(line.text).hasMatch();
}

// A steak is sliced across a joint and sold off its bone unless the line says otherwise: "400g
// lamb leg steaks" are meat, though a leg of lamb bought by weight is a fifth bone.
bool slicedOffTheBone(const IngredientLine& line)
{
    static const QRegularExpression steak(QStringLiteral("\\bsteaks?\\b"), caseless);
    return steak.match(line.food).hasMatch() && !boughtWhole(line);
}

// The table's last column: when a weight of the food carries its refuse.
Refuse::Held heldBy(const QByteArray& word)
{
    if (word == "always")
        return Refuse::Held::Always;
    return word == "counted" ? Refuse::Held::WholeOrCounted : Refuse::Held::Whole;
}

} // namespace

Refuse::Refuse(const QByteArray& table)
{
    for (const QList<QByteArray>& fields : tableRows(table, 4)) {
        bool read = false;
        const double percent = fields[1].toDouble(&read);
        if (read && percent > 0 && percent < 100)
            m_rows.insert(QString::fromUtf8(fields[0]).trimmed().toCaseFolded(),
                          Row{Share{percent, QString::fromUtf8(fields[2]).trimmed()},
                              heldBy(fields[3].trimmed())});
    }
}

const Refuse::Row* Refuse::rowOf(const QString& foodName) const
{
    const QString name = foodName.trimmed().toCaseFolded();
    auto row = m_rows.constFind(name);
    // A row for a kind of food ("fish, *") holds for every food of the kind.
    if (row == m_rows.cend())
        row = m_rows.constFind(name.section(u',', 0, 0) + QStringLiteral(", *"));
    return row == m_rows.cend() ? nullptr : &*row;
}

std::optional<Refuse::Share> Refuse::inWeightOf(const IngredientLine& line,
                                                const QString& foodName) const
{
    const Row* row = rowOf(foodName);
    if (!row || unitClass(line.unit) != UnitClass::Weight || line.weighedPrepared ||
        refuseGone(line.food) || slicedOffTheBone(line))
        return std::nullopt;
    const bool held = row->held == Held::Always || boughtWhole(line) ||
                      (row->held == Held::WholeOrCounted && countedByItsWeight(line));
    if (!held)
        return std::nullopt;
    return row->share;
}

std::optional<Refuse::Share> Refuse::inPieceOf(const QString& foodName,
                                               const QString& measure) const
{
    const Row* row = rowOf(foodName);
    if (!row || row->held != Held::Always || !measure.contains(QLatin1String("with skin")) ||
        measure.contains(QLatin1String("bone")))
        return std::nullopt;
    return row->share;
}

} // namespace zestora::paste
