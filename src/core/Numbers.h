#pragma once
// Whole and fractional parts in the sense of the classical formulas: the
// integer part toward zero, kept in long double so that no value overflows
// an integer type, and its conversion to a whole number for a text field.
#include <cmath>

namespace numbers {

inline long double IntPart(long double x) { return std::trunc(x); }
inline long double FracPart(long double x) { return x - std::trunc(x); }

// The integer part as a whole number; a value no integer can hold (NaN,
// infinities, absurd magnitudes) gives 0 instead of undefined behaviour.
inline long long ToInteger(long double x)
{
    if (!std::isfinite(x) || std::fabs(x) > 9.0e18L)
        return 0;
    return static_cast<long long>(std::trunc(x));
}

inline int ToInt(long double x)
{
    if (!std::isfinite(x) || std::fabs(x) > 2.0e9L)
        return 0;
    return static_cast<int>(std::trunc(x));
}

} // namespace numbers
