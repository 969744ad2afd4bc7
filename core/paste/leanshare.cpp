#include "core/paste/leanshare.h"

#include "core/paste/foodmatcher.h"
#include "core/store/ingtable.h"

#include <QRegularExpression>

#include <cstdlib>

namespace zestora::paste {

namespace {

std::optional<int> leanInName(const QString& name)
{
    static const QRegularExpression lean(QStringLiteral("(\\d+)% lean"));
    const QRegularExpressionMatch m = lean.match(name);
    return m.hasMatch() ? std::optional(m.captured(1).toInt()) : std::nullopt;
}

// The name with its shares left out: the grind's kind.
QString kindOf(const QString& name)
{
    static const QRegularExpression shares(QStringLiteral("\\d+%"));
    return QString(name).replace(shares, QStringLiteral("%"));
}

} // namespace

std::optional<int> leanShare(QStringView text)
{
    // Two-digit shares only: "2% milk" is no meat, "1/2 lb" no grind.
    static const QRegularExpression share(
        QStringLiteral("\\b(\\d\\d)\\s*%\\s*(lean|fat)\\b|\\b(\\d\\d)\\s*/\\s*(\\d\\d?)\\b"),
        QRegularExpression::CaseInsensitiveOption);
    for (auto it = share.globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        if (m.hasCaptured(1)) {
            const int percent = m.captured(1).toInt();
            return m.captured(2).compare(QLatin1String("lean"), Qt::CaseInsensitive) == 0
                       ? percent
                       : 100 - percent;
        }
        if (const int lean = m.captured(3).toInt(); lean + m.captured(4).toInt() == 100)
            return lean;
    }
    return std::nullopt;
}

int nearestGrind(int food, int lean, const FoodMatcher& matcher, const IngTable& ingredients)
{
    const QString name = ingredients.at(food).name.trimmed();
    const std::optional<int> own = leanInName(name);
    if (!own)
        return food;
    const QString kind = kindOf(name);
    // The matcher finds the grinds by the words they share, and keeps what it found for the
    // next line that asks.
    constexpr int grinds = 30;
    int best = food;
    int bestDistance = 2 * std::abs(*own - lean) - (*own > lean);
    for (const FoodMatch& other : matcher.bestFoods(matchWords(kind).join(u' '), grinds)) {
        const QString otherName = ingredients.at(other.index).name.trimmed();
        const std::optional<int> share = leanInName(otherName);
        if (!share || kindOf(otherName) != kind)
            continue;
        if (const int distance = 2 * std::abs(*share - lean) - (*share > lean);
            distance < bestDistance) {
            best = other.index;
            bestDistance = distance;
        }
    }
    return best;
}

} // namespace zestora::paste
