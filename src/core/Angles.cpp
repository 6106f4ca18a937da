#include "core/Angles.h"

#include "core/Numbers.h"

#include <array>
#include <cmath>
#include <limits>

long double Reduce(long double x, long double period)
{
    if (!std::isfinite(x))
        return std::numeric_limits<long double>::quiet_NaN();
    long double r = std::fmod(x, period);
    if (r < 0)
        r += period;
    // A tiny negative remainder rounds up to the period itself.
    return r >= period ? 0 : r;
}

long double Norm360(long double x)
{
    return Reduce(x, 360);
}

long double Mod30(long double x)
{
    return Reduce(x, 30);
}

long double SinDeg(long double x)
{
    return std::sin(DegToRad(x));
}

long double CosDeg(long double x)
{
    return std::cos(DegToRad(x));
}

long double TanDeg(long double x)
{
    return std::tan(DegToRad(x));
}

long double DegToRad(long double x)
{
    return x * kPi / 180;
}

long double RadToDeg(long double x)
{
    return x * 180 / kPi;
}

long double ArcSinRad(long double x)
{
    return std::atan(x / std::sqrt(1 - x * x));
}

long double ArcCosRad(long double x)
{
    return std::atan(std::sqrt(1 - x * x) / x);
}

int SignNumber(long double lon)
{
    const long double n = Norm360(lon);
    return std::isnan(n) ? 0 : numbers::ToInt(n / 30) + 1;
}

std::vector<int> SignNumbers(int n, const long double* table)
{
    std::vector<int> signs;
    if (!table || n <= 0)
        return signs;
    signs.reserve(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i)
        signs.push_back(SignNumber(table[i]));
    return signs;
}

long double DegreesInSign(long double lon)
{
    const long double n = Norm360(lon);
    return std::isnan(n) ? n : n - 30 * (SignNumber(n) - 1);
}

int DecanNumber(long double lon)
{
    const long double n = Norm360(lon);
    return std::isnan(n) ? 0 : numbers::ToInt(n / 10) + 1;
}

long double Separation(long double a, long double b)
{
    const long double d = Norm360(a - b);
    return d > 180 ? 360 - d : d;
}

namespace {
// Adds a turn to negative differences only (the house widths and offsets).
long double PositiveDifference(long double x)
{
    return x < 0 ? x + 360 : x;
}
} // namespace

std::vector<int> HouseOfBodies(int n, const long double* bodies, const long double* cusps)
{
    std::vector<int> houses;
    if (!bodies || !cusps || n <= 0)
        return houses;
    std::array<long double, 14> c {};
    for (int i = 1; i <= 12; ++i)
        c[i] = cusps[i];
    c[13] = c[1];
    houses.reserve(static_cast<std::size_t>(n));
    for (int b = 0; b < n; ++b) {
        const long double body = std::fabs(bodies[b]);
        int house = 0;
        // The far end of a house is excluded: taking it in and letting the
        // last match win would put a body on the Ascendant in the twelfth
        // house, which is tried last.
        for (int i = 1; i <= 12; ++i) {
            const long double width = PositiveDifference(c[i + 1] - c[i]);
            const long double offset = PositiveDifference(body - c[i]);
            if (offset < width)
                house = i;
        }
        houses.push_back(house);
    }
    return houses;
}
