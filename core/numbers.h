#pragma once

#include <QtGlobal>

#include <cmath>
#include <limits>

// The one place where numbers are rounded into integers. Conversions round to the nearest whole
// number with halves going to the even neighbour, and a value outside the target's range is
// clamped to it instead of being undefined behaviour.
namespace zestora {

template <typename Int> Int roundHalfEven(double value)
{
    constexpr double low = std::numeric_limits<Int>::min();
    constexpr double high = std::numeric_limits<Int>::max();
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

} // namespace zestora
