#pragma once

#include <QString>
#include <QtGlobal>

#include <cmath>
#include <limits>

// The one place where numbers are rounded into integers and written as text. Conversions round to
// the nearest whole number with halves going to the even neighbour, and a value outside the
// target's range is clamped to it instead of being undefined behaviour.
namespace zestora {

template <typename Int> Int roundHalfEven(double value)
{
    // For 64 bits the maximum rounds up to 2^63 as a double; ">=" below still clamps right.
    constexpr double low = static_cast<double>(std::numeric_limits<Int>::min());
    constexpr double high = static_cast<double>(std::numeric_limits<Int>::max());
    if (std::isnan(value))
        return 0;
    const double rounded = std::nearbyint(value); // default rounding mode: halves to even
    if (rounded <= low)
        return std::numeric_limits<Int>::min();
    if (rounded >= high)
        return std::numeric_limits<Int>::max();
    return static_cast<Int>(rounded);
}

inline qint16 roundToInt16(double value)
{
    return roundHalfEven<qint16>(value);
}
inline qint32 roundToInt32(double value)
{
    return roundHalfEven<qint32>(value);
}

// a + b, held at the ends of the 32-bit range instead of wrapping.
inline qint32 addClamped(qint32 a, qint32 b)
{
    return roundHalfEven<qint32>(static_cast<double>(a) + static_cast<double>(b));
}

// The shortest decimal text that reads back as the same single: at most seven significant digits,
// no trailing zeros, a zero before a leading decimal point ("12.3", "5", "0.1").
QString floatText(float value);
// The same for a double, with up to fifteen significant digits.
QString doubleText(double value);
// A count of servings as a line says it: "1 serving", "2.5 servings".
QString servingsText(float servings);

} // namespace zestora
