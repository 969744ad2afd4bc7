#include "core/paste/inchsize.h"

#include <QRegularExpression>

#include <cmath>

namespace zestora::paste {

const HouseholdWeights::Measure* measureAcross(const QList<HouseholdWeights::Measure>& measures,
                                               const QString& lineText)
{
    // Only a size beside the amount: "cut into 1-inch pieces" is how small the cook cuts.
    static const QRegularExpression lineSize(
        QStringLiteral("^\\s*\\d+(?:[./]\\d+)?(?:\\s+\\d+/\\d+)?(?:\\s+|\\s*\\(\\s*)"
                       "(\\d+(?:\\.\\d+)?)\\s*-?\\s*(inch(?:es)?\\b|in\\.|\"|cm\\b)"),
        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch said = lineSize.match(lineText);
    if (!said.hasMatch())
        return nullptr;
    // British and Australian packs give the same sizes in centimetres, an inch size rounded:
    // "20cm tortillas" are the 8-inch ones.
    const bool centimetres = said.captured(2).compare(u"cm", Qt::CaseInsensitive) == 0;
    const double inches =
        centimetres ? std::round(said.captured(1).toDouble() / 2.54) : said.captured(1).toDouble();
    // "12\" dia", "7-8\" dia", "9-inch"; not the half of "2-1/2\"".
    static const QRegularExpression measureSize(
        QStringLiteral(
            "(?<![\\d/])(\\d+(?:\\.\\d+)?)(?:\\s*-\\s*(\\d+(?:\\.\\d+)?))?\\s*(?:\"|-?\\s*inch)"),
        QRegularExpression::CaseInsensitiveOption);
    for (const HouseholdWeights::Measure& measure : measures) {
        const QRegularExpressionMatch size = measureSize.match(measure.unit);
        if (!size.hasMatch())
            continue;
        const double from = size.captured(1).toDouble();
        const double to = size.hasCaptured(2) ? size.captured(2).toDouble() : from;
        if (inches >= from && inches <= to)
            return &measure;
    }
    return nullptr;
}

std::optional<double> inchesThick(const QString& measureUnit)
{
    // The third side: whole inches ("1\""), a fraction ("3/4\"") or both ("1-3/4\"").
    static const QRegularExpression thirdSide(
        QStringLiteral("x\\s*[\\d/-]+\"\\s*x\\s*(\\d+)(?:-(\\d+)/(\\d+)|/(\\d+))?\""));
    const QRegularExpressionMatch side = thirdSide.match(measureUnit);
    if (!side.hasMatch())
        return std::nullopt;
    const double whole = side.captured(1).toDouble();
    if (side.hasCaptured(2))
        return whole + side.captured(2).toDouble() / side.captured(3).toDouble();
    if (side.hasCaptured(4))
        return whole / side.captured(4).toDouble();
    return whole;
}

bool cutAnInchOrThicker(const QString& lineText)
{
    // Whole inches, a fraction or both, or centimetres, then "thick".
    static const QRegularExpression sized(
        QStringLiteral("(?<![\\d/.])(\\d+(?:\\.\\d+)?)(?:[\\s-]+(\\d+)/(\\d+)|/(\\d+))?\\s*-?\\s*"
                       "(inch(?:es)?\\b|in\\.|\"|cm\\b)\\s*-?\\s*thick\\b"),
        QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression thick(QStringLiteral("\\bthick"),
                                          QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch size = sized.match(lineText);
    if (!size.hasMatch())
        return thick.match(lineText).hasMatch();
    double inches = size.captured(1).toDouble();
    if (size.hasCaptured(2))
        inches += size.captured(2).toDouble() / size.captured(3).toDouble();
    else if (size.hasCaptured(4))
        inches /= size.captured(4).toDouble();
    if (size.captured(5).compare(u"cm", Qt::CaseInsensitive) == 0)
        inches /= 2.54;
    // A centimetre rounding of an inch ("2.5cm") is the inch.
    return inches >= 0.98;
}

} // namespace zestora::paste
