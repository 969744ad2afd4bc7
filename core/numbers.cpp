#include "core/numbers.h"

#include <cstdio>
#include <cstdlib>

namespace zestora {

namespace {

// Tries ever more significant digits until the text reads back as the value; past the limit the
// limit's rounding stands.
template <typename Real> QString shortestText(Real value, int maxDigits)
{
    if (std::isnan(value))
        return QStringLiteral("NaN");
    if (std::isinf(value))
        return value > 0 ? QStringLiteral("Infinity") : QStringLiteral("-Infinity");
    if (value == 0)
        return QStringLiteral("0");
    char buffer[64];
    int digits = 1;
    for (; digits < maxDigits; ++digits) {
        std::snprintf(buffer, sizeof buffer, "%.*e", digits - 1, static_cast<double>(value));
        if (static_cast<Real>(std::strtod(buffer, nullptr)) == value)
            break;
    }
    std::snprintf(buffer, sizeof buffer, "%.*e", digits - 1, static_cast<double>(value));
    const int exponent = std::atoi(std::strchr(buffer, 'e') + 1);
    if (exponent < -maxDigits || exponent >= maxDigits) {
        // Too large or small for plain digits: mantissa and exponent, as 1.5E+12.
        QString text = QString::fromLatin1(buffer);
        text.replace(QLatin1Char('e'), QLatin1Char('E'));
        return text;
    }
    const int decimals = qMax(0, digits - 1 - exponent);
    return QString::number(static_cast<double>(value), 'f', decimals);
}

} // namespace

QString floatText(float value)
{
    return shortestText(value, 7);
}

QString doubleText(double value)
{
    return shortestText(value, 15);
}

} // namespace zestora
