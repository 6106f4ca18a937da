#pragma once
// Sine, cosine and tangent for the theories of the ephemeris, the houses and
// the planetary hour.
//
// An angle in degrees is first reduced in degrees, in long double, to
// -45..45 about the nearest multiple of 90 (subtracting a multiple of 90 is
// exact), then converted to radians and evaluated in double precision. The
// phases of the theories run to hundreds of thousands of degrees (the
// Moon's elongation moves 445267 degrees a century); handed whole to the
// long-double functions of the C library they go through its slow general
// argument reduction. The reduced angle in a double is exact to 1e-16
// radians (2e-11"), far below every term of the theories, so precision
// stays where long double is needed: in the phases and the Julian days.
//
// The radian forms take angles of a few turns at most (solutions of
// Kepler's equation, rotations by orbital elements), where the
// double-precision functions reduce exactly and fast.
#include <cmath>

namespace trig {

inline constexpr long double kPi = 3.1415926535897932385L;
inline constexpr long double kRadPerDeg = kPi / 180;

namespace detail {

// x degrees = 90 q + r with r in about -45..45 (radians out), q taken
// modulo 4. The multiple of 90 is found in double precision (the SSE
// truncating conversion, where the long-double floor and integer
// conversion each switch the x87 rounding mode); r itself is taken in long
// double, exactly.
inline double Quadrant(long double x, int& q)
{
    if (!(std::fabs(x) < 1e15L)) // beyond the exact range (and NaN, inf)
        x = std::fmod(x, 360.0L);
    const double t = static_cast<double>(x) / 90;
    const long long n = static_cast<long long>(t < 0 ? t - 0.5 : t + 0.5); // nearest
    q = static_cast<int>(n & 3);
    return static_cast<double>((x - 90 * static_cast<long double>(n)) * kRadPerDeg);
}

} // namespace detail

inline long double Sind(long double degrees)
{
    int q = 0;
    const double r = detail::Quadrant(degrees, q);
    switch (q) {
    case 0: return std::sin(r);
    case 1: return std::cos(r);
    case 2: return -std::sin(r);
    default: return -std::cos(r);
    }
}

inline long double Cosd(long double degrees)
{
    int q = 0;
    const double r = detail::Quadrant(degrees, q);
    switch (q) {
    case 0: return std::cos(r);
    case 1: return -std::sin(r);
    case 2: return -std::cos(r);
    default: return std::sin(r);
    }
}

// Both at once, for one angle in degrees.
inline void SinCosd(long double degrees, long double& s, long double& c)
{
    int q = 0;
    const double r = detail::Quadrant(degrees, q);
    const long double sr = std::sin(r), cr = std::cos(r);
    switch (q) {
    case 0: s = sr; c = cr; break;
    case 1: s = cr; c = -sr; break;
    case 2: s = -sr; c = -cr; break;
    default: s = -cr; c = sr; break;
    }
}

inline long double Tand(long double degrees)
{
    long double s = 0, c = 0;
    SinCosd(degrees, s, c);
    return s / c;
}

// Radians, a few turns at most.
inline long double Sin(long double radians) { return std::sin(static_cast<double>(radians)); }
inline long double Cos(long double radians) { return std::cos(static_cast<double>(radians)); }
inline long double Tan(long double radians) { return std::tan(static_cast<double>(radians)); }
inline long double Atan(long double x) { return std::atan(static_cast<double>(x)); }
inline long double Atan2(long double y, long double x)
{
    return std::atan2(static_cast<double>(y), static_cast<double>(x));
}
inline long double Asin(long double x) { return std::asin(static_cast<double>(x)); }

} // namespace trig
