#pragma once

#include "RuntimeError.h"

#include <QByteArray>

#include <cmath>
#include <cstdint>
#include <limits>

// Checked arithmetic and byte access. Every byte that comes from a file or the serial
// line is read through byteAt; every conversion to a 16- or 32-bit integer goes through
// toInt16/toInt32, which round half to even and raise "Overflow" when out of range.
namespace Checked {

inline quint8 byteAt(const QByteArray &bytes, qint64 position)
{
    if (position < 0 || position >= bytes.size())
        throw RuntimeError::subscriptOutOfRange();
    return static_cast<quint8>(bytes[static_cast<qsizetype>(position)]);
}

// Floating division that fails the way the run time does: x / 0 is a division by
// zero, 0 / 0 an overflow, and a result too large for a double an overflow too.
inline double divide(double dividend, double divisor)
{
    if (divisor == 0.0) {
        if (dividend == 0.0 || std::isnan(dividend))
            throw RuntimeError::overflow();
        throw RuntimeError::divisionByZero();
    }
    const double result = dividend / divisor;
    if (!std::isfinite(result))
        throw RuntimeError::overflow();
    return result;
}

// Nearest integer, a tie going to the even one (the default rounding mode).
inline double roundHalfEven(double value)
{
    return std::nearbyint(value);
}

template<typename Int> Int toInteger(double value)
{
    if (!std::isfinite(value))
        throw RuntimeError::overflow();
    const double rounded = roundHalfEven(value);
    if (rounded < static_cast<double>(std::numeric_limits<Int>::min())
        || rounded > static_cast<double>(std::numeric_limits<Int>::max()))
        throw RuntimeError::overflow();
    return static_cast<Int>(rounded);
}

inline qint16 toInt16(double value)
{
    return toInteger<qint16>(value);
}
inline qint32 toInt32(double value)
{
    return toInteger<qint32>(value);
}

} // namespace Checked
