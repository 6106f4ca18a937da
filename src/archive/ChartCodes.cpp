#include "archive/ChartCodes.h"

#include "core/Angles.h"
#include "shell/SharedState.h"
#include "shell/Texts.h"

#include <cmath>

namespace {

// Sign 1..12, degree 0..29 and minute 0..59 of a longitude (its absolute
// value: a negative longitude marks a retrograde body). Degrees and
// minutes are truncated.
struct SignPosition {
    int sign, degree, minute;
};

SignPosition Split(long double longitude)
{
    const long double x = std::fabs(longitude);
    const int sign = SignNumber(x);
    const long double inSign = DegreesInSign(x);
    int degree = static_cast<int>(std::floor(inSign));
    int minute = static_cast<int>(std::floor((inSign - degree) * 60));
    if (degree > 29)
        degree = 29;
    if (minute > 59)
        minute = 59;
    return {sign, degree, minute};
}

std::string Two(int n)
{
    return ZeroPad(n, 2);
}

std::string SignDegreeMinute(long double longitude)
{
    const SignPosition p = Split(longitude);
    return Two(p.sign) + Two(p.degree) + Two(p.minute);
}

std::string CuspCode(long double cusp)
{
    const SignPosition p = Split(cusp);
    return std::string(1, static_cast<char>('A' + p.sign - 1)) + Two(p.degree) + Two(p.minute);
}

std::string LatitudeCode(long double latitude)
{
    const long double a = std::fabs(latitude);
    int degree = static_cast<int>(std::floor(a));
    int minute = static_cast<int>(std::floor((a - degree) * 60));
    if (minute > 59)
        minute = 59;
    return std::string(latitude < 0 ? "-" : "+") + Two(degree) + Two(minute);
}

const char* Motion(long double longitude)
{
    return longitude < 0 ? "R" : "D";
}

bool AnyNaN(const long double* first, int n)
{
    for (int i = 0; i < n; ++i)
        if (std::isnan(first[i]))
            return true;
    return false;
}

} // namespace

ChartCodes EncodeChartCodes()
{
    ChartCodes codes {" ", " ", " "};
    const long double* bodies = &BodyLongitude[1];  // bodies 1..12
    const long double* latitudes = &BodyLatitude[1];
    const long double* cusps = &HouseCusps[1];      // cusps 1..12
    const long double* asteroids = &BodyLongitude[15]; // Ceres..Vesta

    const bool bodiesKnown = !AnyNaN(bodies, 12);
    const bool cuspsKnown = !AnyNaN(cusps, 12);

    if (bodiesKnown) {
        codes.code72.clear();
        for (int b = 0; b < 12; ++b)
            codes.code72 += SignDegreeMinute(bodies[b]);
    }
    if (cuspsKnown) {
        codes.code60.clear();
        for (int c = 0; c < 12; ++c)
            codes.code60 += CuspCode(cusps[c]);
    }
    if (bodiesKnown && cuspsKnown && !AnyNaN(latitudes, 12) && !AnyNaN(asteroids, 4)) {
        const std::vector<int> houses = HouseOfBodies(12, bodies, HouseCusps.data());
        codes.code124.clear();
        for (int b = 0; b < 12; ++b)
            codes.code124 += std::string(Motion(bodies[b])) + Two(houses[static_cast<std::size_t>(b)]) +
                             LatitudeCode(latitudes[b]);
        for (int a = 0; a < 4; ++a)
            codes.code124 += SignDegreeMinute(asteroids[a]) + Motion(asteroids[a]);
    }
    return codes;
}
