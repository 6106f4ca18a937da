#pragma once
// Angles: ecliptic longitudes and latitudes in degrees, trigonometry in
// degrees, signs, decans, separations and houses. Arithmetic is long double
// throughout.
//
// Units and ranges, as everywhere in the program:
// - a longitude is degrees, reduced to 0 <= lon < 360 where a function says
//   so (370 is 10, -10 is 350); a negative entry of the computation tables
//   marks a retrograde body and is the caller's to take the absolute value
//   of, except where a function says it does;
// - signs 1 Aries .. 12 Pisces, decans 1..36 from 0 degrees Aries, houses
//   1..12;
// - a value that is not finite gives NaN for an angle and 0 for a number.
#include <vector>

inline constexpr long double kPi = 3.1415926535897932385L;
inline constexpr long double kTwoPi = 2 * kPi;
inline constexpr long double kHalfPi = kPi / 2;

// x reduced to 0 <= r < period (period > 0); NaN when x is not finite.
long double Reduce(long double x, long double period);
long double Norm360(long double x); // 0 <= r < 360
long double Mod30(long double x);   // 0 <= r < 30

long double SinDeg(long double x); // sine of x degrees
long double CosDeg(long double x);
long double TanDeg(long double x);
long double DegToRad(long double x); // x * pi / 180
long double RadToDeg(long double x); // x * 180 / pi
// arctan(x / sqrt(1 - x^2)), radians.
long double ArcSinRad(long double x);
// arctan(sqrt(1 - x^2) / x), radians: a negative x gives a negative angle,
// which the callers correct themselves.
long double ArcCosRad(long double x);

// Sign 1..12 of a longitude, Trunc(lon / 30) + 1 after reduction; 0 when it
// is not finite.
int SignNumber(long double lon);
// SignNumber of table[0 .. n-1] (empty for n <= 0 or no table).
std::vector<int> SignNumbers(int n, const long double* table);
// Degrees travelled in the sign, 0 <= d < 30; NaN when not finite.
long double DegreesInSign(long double lon);
// Decan 1..36, Trunc(lon / 10) + 1 after reduction; 0 when not finite.
int DecanNumber(long double lon);
// Shortest separation of two longitudes along the ecliptic, 0..180; NaN
// when either is not finite.
long double Separation(long double a, long double b);

// House 1..12 of each of n bodies among cusps[1..12] (cusps[0] ignored):
// a body lies in house i when its distance past cusp i is less than the
// width of the house, so a body exactly on a cusp belongs to the house that
// begins there. Retrograde (negative) longitudes count by their absolute
// value; a body in no house (not finite) gets 0.
std::vector<int> HouseOfBodies(int n, const long double* bodies, const long double* cusps);
