#include "core/paste/kitchenmeasures.h"

#include <QHash>
#include <QRegularExpression>

#include <cmath>

namespace zestora::paste {

namespace {

struct MeasureSize {
    const char* unit;    // as the line reader names it
    const char* name;    // as a cook calls it
    double ukMl;         // in British measures; 0: the American one (within a few percent)
    double australianMl; // in Australian measures
};

// Metric cups and spoons, and the imperial pint (20 British fluid ounces of 28.41 ml) where the
// recipe gives one; an Australian pint is the imperial one. A British tablespoon is 15 ml, as
// near the American one as a cook's spoon measures.
constexpr MeasureSize sizes[] = {
    {"cup", "cup", 250, 250},
    {"tbs", "tablespoon", 0, 20},
    {"fl oz", "fluid ounce", 28.41, 28.41},
    {"pint", "pint", 568.26, 568.26},
    {"quart", "quart", 1136.52, 1136.52},
    {"gallon", "gallon", 4546.09, 4546.09},
};

// British eggs are graded a size heavier than American ones of the same name: a British medium
// egg (53 to 63 g in its shell) weighs as an American large one, a British large one as an
// American extra large. A whole egg only; the sizes whites and yolks are given in are American.
void gradeBritishEgg(IngredientLine& line)
{
    static const QRegularExpression wholeEgg(QStringLiteral("\\beggs?$"),
                                             QRegularExpression::CaseInsensitiveOption);
    static const QHash<QString, QString> american{
        {QStringLiteral("small"), QStringLiteral("medium")},
        {QStringLiteral("medium"), QStringLiteral("large")},
        {QStringLiteral("large"), QStringLiteral("extra large")},
        {QStringLiteral("extra large"), QStringLiteral("jumbo")},
    };
    const auto size = american.constFind(line.unit);
    if (size == american.cend() || !wholeEgg.match(line.food.trimmed()).hasMatch())
        return;
    line.measures = QStringLiteral("British %1 egg, as an American %2 one").arg(line.unit, *size);
    line.unit = *size;
}

} // namespace

KitchenMeasures measuresOfLocale(const QLocale& locale)
{
    switch (locale.territory()) {
    case QLocale::UnitedKingdom:
    case QLocale::Ireland:
    case QLocale::NewZealand: // a 250 ml cup, but a 15 ml tablespoon
        return KitchenMeasures::UK;
    case QLocale::Australia:
        return KitchenMeasures::Australian;
    default:
        return KitchenMeasures::US;
    }
}

std::optional<KitchenMeasures> measuresNamed(QStringView word)
{
    static const QHash<QString, KitchenMeasures> names{
        {QStringLiteral("us"), KitchenMeasures::US},
        {QStringLiteral("american"), KitchenMeasures::US},
        {QStringLiteral("uk"), KitchenMeasures::UK},
        {QStringLiteral("british"), KitchenMeasures::UK},
        {QStringLiteral("au"), KitchenMeasures::Australian},
        {QStringLiteral("australian"), KitchenMeasures::Australian},
    };
    const auto found = names.constFind(word.trimmed().toString().toLower());
    return found == names.cend() ? std::nullopt : std::optional(*found);
}

QString measuresKey(KitchenMeasures measures)
{
    switch (measures) {
    case KitchenMeasures::UK:
        return QStringLiteral("uk");
    case KitchenMeasures::Australian:
        return QStringLiteral("au");
    case KitchenMeasures::US:
        break;
    }
    return QStringLiteral("us");
}

QString measuresTitle(KitchenMeasures measures)
{
    switch (measures) {
    case KitchenMeasures::UK:
        return QStringLiteral("British");
    case KitchenMeasures::Australian:
        return QStringLiteral("Australian");
    case KitchenMeasures::US:
        break;
    }
    return QStringLiteral("American");
}

void readInMeasures(IngredientLine& line, KitchenMeasures measures)
{
    line.readIn = measures;
    if (measures == KitchenMeasures::US || !line.quantity)
        return;
    if (measures == KitchenMeasures::UK)
        gradeBritishEgg(line);
    // "3 (about 450g) beetroot" weigh 450 g together here, where an American "2 (about 1 lb) pork
    // tenderloins" are a pound each.
    if (line.roughlyWeighedPieces > 1) {
        line.quantity = *line.quantity / line.roughlyWeighedPieces;
        line.roughlyWeighedPieces = 0;
    }
    for (const MeasureSize& size : sizes) {
        if (line.unit != QLatin1String(size.unit))
            continue;
        const double ml = measures == KitchenMeasures::UK ? size.ukMl : size.australianMl;
        if (ml <= 0)
            return;
        // Whole millilitres are as near as a cook measures.
        const double amount = *line.quantity * ml;
        line.quantity = amount >= 10 ? std::round(amount) : amount;
        line.unit = QStringLiteral("ml");
        line.decimal = false;
        const QString read =
            QStringLiteral("%1 %2, %3 ml")
                .arg(measuresTitle(measures), QLatin1String(size.name),
                     ml >= 100 ? QString::number(std::round(ml)) : QString::number(ml, 'g', 3));
        line.measures =
            line.measures.isEmpty() ? read : line.measures + QStringLiteral("; ") + read;
        return;
    }
}

} // namespace zestora::paste
