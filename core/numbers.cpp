#include "core/numbers.h"

#include <cstdio>
#include <cstdlib>

namespace zestora {

namespace {

// Tries ever more significant digits until the text reads back as the value; past the limit the
// limit's rounding stands. The digits are rounded once, by the exponent form (halves to even, as
// the value is held exactly), and the plain text is laid out from those very digits.
template <typename Real> QString shortestText(Real value, int maxDigits)
{
    if (std::isnan(value))
        return QStringLiteral("NaN");
    if (std::isinf(value))
        return value > 0 ? QStringLiteral("Infinity") : QStringLiteral("-Infinity");
    if (value == 0)
        return QStringLiteral("0");
    char buffer[64];
    for (int digits = 1; digits <= maxDigits; ++digits) {
        std::snprintf(buffer, sizeof buffer, "%.*e", digits - 1, static_cast<double>(value));
        if (static_cast<Real>(std::strtod(buffer, nullptr)) == value)
            break;
    }
    // buffer holds [-]d.ddde[+-]xx: the sign, the digits without trailing zeros, the exponent.
    const QString text = QString::fromLatin1(buffer);
    const qsizetype e = text.indexOf(QLatin1Char('e'));
    const int exponent = text.sliced(e + 1).toInt();
    const bool negative = text.startsWith(QLatin1Char('-'));
    QString digits = text.first(e).remove(QLatin1Char('-')).remove(QLatin1Char('.'));
    while (digits.size() > 1 && digits.endsWith(QLatin1Char('0')))
        digits.chop(1);
    QString result;
    if (exponent < -maxDigits || exponent >= maxDigits) {
        // Too large or small for plain digits: mantissa and exponent, as 1.5E+12.
        result = digits.first(1);
        if (digits.size() > 1)
            result += QLatin1Char('.') + digits.sliced(1);
        result += QStringLiteral("E%1%2")
                      .arg(exponent < 0 ? QLatin1Char('-') : QLatin1Char('+'))
                      .arg(std::abs(exponent), 2, 10, QLatin1Char('0'));
    } else if (exponent < 0) {
        result = QStringLiteral("0.") + QString(-exponent - 1, QLatin1Char('0')) + digits;
    } else if (digits.size() <= exponent + 1) {
        result = digits + QString(exponent + 1 - digits.size(), QLatin1Char('0'));
    } else {
        result = digits.first(exponent + 1) + QLatin1Char('.') + digits.sliced(exponent + 1);
    }
    return negative ? QLatin1Char('-') + result : result;
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

QString servingsText(float servings)
{
    return floatText(servings) +
           (servings == 1 ? QStringLiteral(" serving") : QStringLiteral(" servings"));
}

} // namespace zestora
