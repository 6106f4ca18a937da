#include "astro/EarthRotation.h"

#include "astro/DegreeTrig.h"

#include <cmath>
#include <iterator>
#include <limits>

namespace earth {

namespace {

constexpr long double kJ2000 = 2451545.0L;

long double Poly(long double t, long double c0, long double c1, long double c2 = 0, long double c3 = 0,
                 long double c4 = 0, long double c5 = 0, long double c6 = 0, long double c7 = 0)
{
    return c0 + t * (c1 + t * (c2 + t * (c3 + t * (c4 + t * (c5 + t * (c6 + t * c7))))));
}

// Espenak and Meeus (2006), for the decimal year y.
long double DeltaTOfYear(long double y)
{
    if (y < -500 || y >= 2150) {
        const long double u = (y - 1820) / 100;
        return -20 + 32 * u * u;
    }
    if (y < 500)
        return Poly(y / 100, 10583.6L, -1014.41L, 33.78311L, -5.952053L, -0.1798452L, 0.022174192L, 0.0090316521L);
    if (y < 1600)
        return Poly((y - 1000) / 100, 1574.2L, -556.01L, 71.23472L, 0.319781L, -0.8503463L, -0.005050998L,
                    0.0083572073L);
    if (y < 1700)
        return Poly(y - 1600, 120, -0.9808L, -0.01532L, 1 / 7129.0L);
    if (y < 1800)
        return Poly(y - 1700, 8.83L, 0.1603L, -0.0059285L, 0.00013336L, -1 / 1174000.0L);
    if (y < 1860)
        return Poly(y - 1800, 13.72L, -0.332447L, 0.0068612L, 0.0041116L, -0.00037436L, 0.0000121272L,
                    -0.0000001699L, 0.000000000875L);
    if (y < 1900)
        return Poly(y - 1860, 7.62L, 0.5737L, -0.251754L, 0.01680668L, -0.0004473624L, 1 / 233174.0L);
    if (y < 1920)
        return Poly(y - 1900, -2.79L, 1.494119L, -0.0598939L, 0.0061966L, -0.000197L);
    if (y < 1941)
        return Poly(y - 1920, 21.20L, 0.84493L, -0.076100L, 0.0020936L);
    if (y < 1961)
        return Poly(y - 1950, 29.07L, 0.407L, -1 / 233.0L, 1 / 2547.0L);
    if (y < 1986)
        return Poly(y - 1975, 45.45L, 1.067L, -1 / 260.0L, -1 / 718.0L);
    if (y < 2005)
        return Poly(y - 2000, 63.86L, 0.3345L, -0.060374L, 0.0017275L, 0.000651814L, 0.00002373599L);
    if (y < 2050)
        return Poly(y - 2000, 62.92L, 0.32217L, 0.005589L);
    const long double u = (y - 1820) / 100;
    return -20 + 32 * u * u - 0.5628L * (2150 - y);
}

// One term of the series: multiples of D, M, M', F, Omega; coefficients of
// the sine (longitude) and the cosine (obliquity) in units of 0.0001", each
// with its rate per Julian century.
struct Term {
    signed char d, m, mp, f, om;
    double psi, psiT, eps, epsT;
};

// The 106 terms, in the order of the published table.
constexpr Term kTerms[] = {
    {0, 0, 0, 0, 1, -171996, -174.2, 92025, 8.9},
    {0, 0, 0, 0, 2, 2062, 0.2, -895, 0.5},
    {0, 0, -2, 2, 1, 46, 0, -24, 0},
    {0, 0, 2, -2, 0, 11, 0, 0, 0},
    {0, 0, -2, 2, 2, -3, 0, 1, 0},
    {-1, -1, 1, 0, 0, -3, 0, 0, 0},
    {-2, -2, 0, 2, 1, -2, 0, 1, 0},
    {0, 0, 2, -2, 1, 1, 0, 0, 0},
    {-2, 0, 0, 2, 2, -13187, -1.6, 5736, -3.1},
    {0, 1, 0, 0, 0, 1426, -3.4, 54, -0.1},
    {-2, 1, 0, 2, 2, -517, 1.2, 224, -0.6},
    {-2, -1, 0, 2, 2, 217, -0.5, -95, 0.3},
    {-2, 0, 0, 2, 1, 129, 0.1, -70, 0},
    {-2, 0, 2, 0, 0, 48, 0, 1, 0},
    {-2, 0, 0, 2, 0, -22, 0, 0, 0},
    {0, 2, 0, 0, 0, 17, -0.1, 0, 0},
    {0, 1, 0, 0, 1, -15, 0, 9, 0},
    {-2, 2, 0, 2, 2, -16, 0.1, 7, 0},
    {0, -1, 0, 0, 1, -12, 0, 6, 0},
    {2, 0, -2, 0, 1, -6, 0, 3, 0},
    {-2, -1, 0, 2, 1, -5, 0, 3, 0},
    {-2, 0, 2, 0, 1, 4, 0, -2, 0},
    {-2, 1, 0, 2, 1, 4, 0, -2, 0},
    {-1, 0, 1, 0, 0, -4, 0, 0, 0},
    {-2, 1, 2, 0, 0, 1, 0, 0, 0},
    {2, 0, 0, -2, 1, 1, 0, 0, 0},
    {2, 1, 0, -2, 0, -1, 0, 0, 0},
    {0, 1, 0, 0, 2, 1, 0, 0, 0},
    {1, 0, -1, 0, 1, 1, 0, 0, 0},
    {-2, 1, 0, 2, 0, -1, 0, 0, 0},
    {0, 0, 0, 2, 2, -2274, -0.2, 977, -0.5},
    {0, 0, 1, 0, 0, 712, 0.1, -7, 0},
    {0, 0, 0, 2, 1, -386, -0.4, 200, 0},
    {0, 0, 1, 2, 2, -301, 0, 129, -0.1},
    {-2, 0, 1, 0, 0, -158, 0, -1, 0},
    {0, 0, -1, 2, 2, 123, 0, -53, 0},
    {2, 0, 0, 0, 0, 63, 0, -2, 0},
    {0, 0, 1, 0, 1, 63, 0.1, -33, 0},
    {0, 0, -1, 0, 1, -58, -0.1, 32, 0},
    {2, 0, -1, 2, 2, -59, 0, 26, 0},
    {0, 0, 1, 2, 1, -51, 0, 27, 0},
    {2, 0, 0, 2, 2, -38, 0, 16, 0},
    {0, 0, 2, 0, 0, 29, 0, -1, 0},
    {-2, 0, 1, 2, 2, 29, 0, -12, 0},
    {0, 0, 2, 2, 2, -31, 0, 13, 0},
    {0, 0, 0, 2, 0, 26, 0, -1, 0},
    {0, 0, -1, 2, 1, 21, 0, -10, 0},
    {2, 0, -1, 0, 1, 16, 0, -8, 0},
    {-2, 0, 1, 0, 1, -13, 0, 7, 0},
    {2, 0, -1, 2, 1, -10, 0, 5, 0},
    {-2, 1, 1, 0, 0, -7, 0, 0, 0},
    {0, 1, 0, 2, 2, 7, 0, -3, 0},
    {0, -1, 0, 2, 2, -7, 0, 3, 0},
    {2, 0, 1, 2, 2, -8, 0, 3, 0},
    {2, 0, 1, 0, 0, 6, 0, 0, 0},
    {-2, 0, 2, 2, 2, 6, 0, -3, 0},
    {2, 0, 0, 0, 1, -6, 0, 3, 0},
    {2, 0, 0, 2, 1, -7, 0, 3, 0},
    {-2, 0, 1, 2, 1, 6, 0, -3, 0},
    {-2, 0, 0, 0, 1, -5, 0, 3, 0},
    {0, -1, 1, 0, 0, 5, 0, 0, 0},
    {0, 0, 2, 2, 1, -5, 0, 3, 0},
    {-2, 1, 0, 0, 0, -4, 0, 0, 0},
    {0, 0, 1, -2, 0, 4, 0, 0, 0},
    {1, 0, 0, 0, 0, -4, 0, 0, 0},
    {0, 1, 1, 0, 0, -3, 0, 0, 0},
    {0, 0, 1, 2, 0, 3, 0, 0, 0},
    {0, -1, 1, 2, 2, -3, 0, 1, 0},
    {2, -1, -1, 2, 2, -3, 0, 1, 0},
    {0, 0, -2, 0, 1, -2, 0, 1, 0},
    {0, 0, 3, 2, 2, -3, 0, 1, 0},
    {2, -1, 0, 2, 2, -3, 0, 1, 0},
    {0, 1, 1, 2, 2, 2, 0, -1, 0},
    {-2, 0, -1, 2, 1, -2, 0, 1, 0},
    {0, 0, 2, 0, 1, 2, 0, -1, 0},
    {0, 0, 1, 0, 2, -2, 0, 1, 0},
    {0, 0, 3, 0, 0, 2, 0, 0, 0},
    {1, 0, 0, 2, 2, 2, 0, -1, 0},
    {0, 0, -1, 0, 2, 1, 0, -1, 0},
    {-4, 0, 1, 0, 0, -1, 0, 0, 0},
    {2, 0, -2, 2, 2, 1, 0, -1, 0},
    {4, 0, -1, 2, 2, -2, 0, 1, 0},
    {-4, 0, 2, 0, 0, -1, 0, 0, 0},
    {-2, 1, 1, 2, 2, 1, 0, -1, 0},
    {2, 0, 1, 2, 1, -1, 0, 1, 0},
    {4, 0, -2, 2, 2, -1, 0, 1, 0},
    {0, 0, -1, 4, 2, 1, 0, 0, 0},
    {-2, -1, 1, 0, 0, 1, 0, 0, 0},
    {-2, 0, 2, 2, 1, 1, 0, -1, 0},
    {2, 0, 2, 2, 2, -1, 0, 0, 0},
    {2, 0, 1, 0, 1, -1, 0, 0, 0},
    {-2, 0, 0, 4, 2, 1, 0, 0, 0},
    {-2, 0, 3, 2, 2, 1, 0, 0, 0},
    {-2, 0, 1, 2, 0, -1, 0, 0, 0},
    {0, 1, 0, 2, 1, 1, 0, 0, 0},
    {2, -1, -1, 0, 1, 1, 0, 0, 0},
    {0, 0, 0, -2, 1, -1, 0, 0, 0},
    {-1, 0, 0, 2, 2, -1, 0, 0, 0},
    {2, 1, 0, 0, 0, -1, 0, 0, 0},
    {-2, 0, 1, -2, 0, -1, 0, 0, 0},
    {0, -1, 0, 2, 1, -1, 0, 0, 0},
    {-2, 1, 1, 0, 1, -1, 0, 0, 0},
    {2, 0, 1, -2, 0, -1, 0, 0, 0},
    {2, 0, 2, 0, 0, 1, 0, 0, 0},
    {4, 0, 0, 2, 2, -1, 0, 0, 0},
    {1, 1, 0, 0, 0, 1, 0, 0, 0},
};

} // namespace

long double DeltaTSeconds(long double jd)
{
    if (!std::isfinite(jd))
        return 0;
    // The decimal year: 2000.0 at 2000 January 1, 0h.
    return DeltaTOfYear(2000 + (jd - 2451544.5L) / 365.2425L);
}

long double TerrestrialTime(long double jd) { return jd + DeltaTSeconds(jd) / 86400; }

Nutation NutationAt(long double jd)
{
    const long double T = (jd - kJ2000) / 36525;
    // Fundamental arguments, degrees: the Moon's mean elongation, the Sun's
    // and the Moon's mean anomalies, the Moon's argument of latitude and
    // the longitude of its ascending node.
    const long double D = Poly(T, 297.85036L, 445267.111480L, -0.0019142L, 1 / 189474.0L);
    const long double M = Poly(T, 357.52772L, 35999.050340L, -0.0001603L, -1 / 300000.0L);
    const long double Mp = Poly(T, 134.96298L, 477198.867398L, 0.0086972L, 1 / 56250.0L);
    const long double F = Poly(T, 93.27191L, 483202.017538L, -0.0036825L, 1 / 327270.0L);
    const long double Om = Poly(T, 125.04452L, -1934.136261L, 0.0020708L, 1 / 450000.0L);
    long double psi = 0, eps = 0; // 0.0001"
    // Smallest terms first.
    for (int k = static_cast<int>(std::size(kTerms)) - 1; k >= 0; --k) {
        const Term& t = kTerms[k];
        const long double arg = t.d * D + t.m * M + t.mp * Mp + t.f * F + t.om * Om;
        if (t.eps == 0 && t.epsT == 0) {
            psi += (t.psi + t.psiT * T) * trig::Sind(arg);
            continue;
        }
        long double s = 0, c = 0;
        trig::SinCosd(arg, s, c);
        psi += (t.psi + t.psiT * T) * s;
        eps += (t.eps + t.epsT * T) * c;
    }
    return {psi / 36000000, eps / 36000000};
}

long double MeanObliquity(long double jd)
{
    const long double T = (jd - kJ2000) / 36525;
    return Poly(T, 84381.406L, -46.836769L, -0.0001831L, 0.00200340L, -0.000000576L, -0.0000000434L) / 3600;
}

EquatorOfDate EquatorAt(long double jdUniversal)
{
    // The houses and the planetary hour of one chart ask for the same
    // moment: the last answer is kept.
    static long double lastJd = std::numeric_limits<long double>::quiet_NaN();
    static EquatorOfDate last;
    if (jdUniversal == lastJd)
        return last;
    const long double tt = TerrestrialTime(jdUniversal);
    EquatorOfDate e;
    e.Nut = NutationAt(tt);
    e.MeanObliquity = MeanObliquity(tt);
    e.TrueObliquity = e.MeanObliquity + e.Nut.Obliquity;
    // The equation of the equinoxes with its two small terms in the Moon's
    // node (IAU 1994; 2.6 and 0.06 milli-arcseconds).
    const long double om = Poly((tt - kJ2000) / 36525, 125.04452L, -1934.136261L, 0.0020708L, 1 / 450000.0L);
    e.EquationOfEquinoxes = e.Nut.Longitude * trig::Cosd(e.TrueObliquity) +
                            (0.00264L * trig::Sind(om) + 0.000063L * trig::Sind(2 * om)) / 3600;
    lastJd = jdUniversal;
    last = e;
    return e;
}

} // namespace earth
