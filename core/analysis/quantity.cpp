#include "core/analysis/quantity.h"

#include "core/numbers.h"

#include <array>

namespace zestora::quantity {

namespace {
const std::array<const char*, fractionCount> fractionTexts{"",    "1/8", "1/4", "1/3", "3/8",
                                                           "1/2", "5/8", "2/3", "3/4", "7/8"};
constexpr std::array<float, fractionCount> fractionValues{0,    0.125f, 0.25f,  0.333f, 0.375f,
                                                          0.5f, 0.625f, 0.666f, 0.75f,  0.875f};

bool isEmptyPart(const QString& part)
{
    return part.isEmpty() || part == QLatin1String("0");
}

float readNumber(QStringView text)
{
    bool ok = false;
    const float value = text.trimmed().toFloat(&ok);
    return ok ? value : 0;
}

float digitValue(QChar c)
{
    return c.isDigit() ? static_cast<float>(c.digitValue()) : 0;
}
} // namespace

QString fractionText(int index)
{
    return QString::fromLatin1(fractionTexts.at(static_cast<size_t>(index)));
}

float fractionValue(int index)
{
    return fractionValues.at(static_cast<size_t>(index));
}

QString putTogetherQuantityString(const QString& ones, const QString& fraction, bool fractionMode)
{
    const bool noOnes = isEmptyPart(ones);
    const bool noFraction = isEmptyPart(fraction);
    if (noOnes && noFraction)
        return missingQuantity;
    if (noFraction)
        return ones;
    if (fractionMode)
        return noOnes ? fraction : ones + QLatin1Char(' ') + fraction;
    return (noOnes ? QStringLiteral("0") : ones) + QLatin1Char('.') + fraction;
}

// Worked out once, since every amount of a long paste is fitted against each fraction.
double exactFraction(int index)
{
    static const std::array<double, fractionCount> exact = [] {
        std::array<double, fractionCount> values{};
        for (int i = 0; i < fractionCount; ++i) {
            const QString text = fractionText(i);
            const qsizetype slash = text.indexOf(u'/');
            values.at(static_cast<size_t>(i)) =
                slash < 0 ? 0 : text.first(slash).toDouble() / text.sliced(slash + 1).toDouble();
        }
        return values;
    }();
    return exact.at(static_cast<size_t>(index));
}

float spinnerValue(int ones, int fraction, bool fractionMode)
{
    const float part = fractionMode ? fractionValue(fraction) : static_cast<float>(fraction) / 10;
    return static_cast<float>(ones) + part;
}

QString spinnerText(int ones, int fraction, bool fractionMode)
{
    // In fraction mode a whole part of 0 shows nothing; an empty part and "0" read alike.
    const QString onesText = ones == 0 && fractionMode ? QString() : QString::number(ones);
    const QString fractionPart = fractionMode ? fractionText(fraction) : QString::number(fraction);
    return putTogetherQuantityString(onesText, fractionPart, fractionMode);
}

double Entry::amount() const
{
    return ones + (fractionMode ? exactFraction(fraction) : fraction / 10.0);
}

float quantityValue(const QString& text)
{
    if (!text.contains(QLatin1Char('/')))
        return readNumber(text);
    // Fractions are one digit over one digit, so the fraction is always the last three characters.
    const auto fraction = [](QStringView f) {
        const float denominator = digitValue(f[2]);
        return denominator == 0 ? 0.0f : digitValue(f[0]) / denominator;
    };
    if (text.size() == 3)
        return fraction(text);
    if (text.size() < 3)
        return 0;
    return readNumber(QStringView(text).chopped(3)) + fraction(QStringView(text).last(3));
}

Servings servingsFor(int spinnerValue)
{
    if (spinnerValue < servingsForOne) {
        const int index = qBound(1, spinnerValue, fractionCount - 1);
        return Servings{fractionText(index), fractionValue(index)};
    }
    const int whole = spinnerValue - (servingsForOne - 1);
    return Servings{QString::number(whole), static_cast<float>(whole)};
}

int servingsSpinnerValue(const QString& servingsText, float divisor)
{
    for (int index = 1; index < fractionCount; ++index)
        if (servingsText == fractionText(index))
            return index;
    return qBound(servingsMinimum,
                  roundToInt32(static_cast<double>(divisor) + (servingsForOne - 1)),
                  servingsMaximum);
}

} // namespace zestora::quantity
