// The Sun and the Moon by trigonometric series (arguments in degrees, T in
// Julian centuries from 1900 January 0.5), the lunar node and apogee.
#include "astro/EarthRotation.h"
#include "astro/EphemerisInternal.h"

#include <cmath>

namespace ephemeris {

using namespace internal;

FundamentalArguments ComputeFundamentalArguments(long double jd)
{
    FundamentalArguments fa;
    fa.d = jd - kEpoch1900;
    fa.T = JulianCenturies(jd);
    fa.T2 = fa.T * fa.T;
    const long double d = fa.d, T = fa.T, T2 = fa.T2;
    fa.Omega = Norm360(259.1833L - 0.05295392L * d + (0.002078L + 0.000002L * T) * T2);
    fa.L0 = Norm360(279.69668L + 36000.7689L * T + 0.0003025L * T2);
    fa.D = Norm360(350.737486L + 445267.114L * T - 0.001436L * T2);
    fa.Gamma = Norm360(334.32956L + 0.11140408L * d + (0.010325L - 0.000012L * T) * T2);
    fa.Ms = Norm360(358.47584L + 35999.04975L * T - 0.00015L * T2);
    fa.Lm = Norm360(270.434164L + 13.1763965L * d + (-0.001133L + 0.0000019L * T) * T2);
    fa.Mm = Norm360(296.1046083L + 477198.849L * T + 0.009191671L * T2);
    fa.Nutation = (-(17.2327L + 0.01737L * T) * SinDeg(fa.Omega) - 1.273L * SinDeg(2 * fa.L0)) / 3600;
    fa.Obliquity = 23.4522944L - 0.0130125L * T;
    fa.CosEps = CosDeg(fa.Obliquity);
    fa.SinEps = SinDeg(fa.Obliquity);
    return fa;
}

namespace {

// The longitude series of the Sun at the arguments tt of a moment in
// terrestrial time, with the eccentricity and mean anomaly (radians) it
// used.
struct SunSeries {
    long double Longitude = 0; // apparent, degrees 0..360
    long double Eccentricity = 0;
    long double MeanAnomaly = 0;
};

SunSeries SunSeriesAt(const FundamentalArguments& tt)
{
    const long double T = tt.T, T2 = tt.T2;
    const long double e = 0.01675104L - 0.0000418L * T - 0.000000126L * T2;
    const long double Mrad = Norm360(358.4758445L + 35999.04975L * T - 0.000150278L * T2) * kRadPerDeg;
    long double E = Mrad;
    for (int k = 0; k < 5; ++k)
        E = Mrad + e * trig::Sin(E);
    const long double nu = 2 * trig::Atan(std::sqrt((1 + e) / (1 - e)) * trig::Tan(E / 2)) / kRadPerDeg;
    // The mean longitude: Newcomb's 279.69668 + 36000.7689 T + 0.0003025 T^2
    // with the rate of the modern theory (J. L. Simon et al. 1994, as J.
    // Meeus gives it, Astronomical Algorithms 2nd ed., eq. 25.2: 280.46646 +
    // 36000.76983 t + 0.0003032 t^2 from J2000.0), which in T from 1900 is
    // 1.165" a century faster: the same value at 1900, the epoch the series
    // was fitted at, and not Newcomb's drift from the dynamical equinox of
    // the reference ephemerides (22" at the year 1). The equation of the
    // centre, nu - Ms, keeps Newcomb's anomaly, with which the perturbation
    // terms below were fitted.
    const long double meanLongitude = tt.L0 + T * (0.0003236L + 0.0000007L * T);
    const long double lambda0 = Norm360(nu - tt.Ms + meanLongitude);

    const long double A = (6.4L * SinDeg(231.19L + 20.2L * T) + (1.882L - 0.016L * T) * SinDeg(57.24L + 150.27L * T) +
                           0.266L * SinDeg(31.8L + 119 * T) + 0.202L * SinDeg(315.6L + 893.3L * T)) /
                          3600;
    const long double Mp = tt.Ms + A;
    // Mean anomalies of Mercury, Venus, Mars and Jupiter; only their sines
    // and cosines are taken, which reduce them themselves.
    const long double G1 = 165.94905L + 16859.069667L * T;
    const long double G2 = 193.1323L + 34777.259042L * T;
    const long double G3 = 63.07037L + 22518.442986L * T;
    const long double G4 = 221.64742L + 32964.466939L * T;
    const long double P3 =
        (4.838L * CosDeg(G3 + 90) + 5.526L * CosDeg(2 * G3 + 90.12L) + 2.497L * CosDeg(2 * G3 - Mp + 257.75L) +
         1.559L * CosDeg(3 * G3 - Mp + 77.96L) + 1.024L * CosDeg(3 * G3 - 2 * Mp + 50.85L) + 0.666L * CosDeg(3 * G3 + 270.41L) +
         0.21L * CosDeg(4 * G3 + 89.8L) + 0.154L * CosDeg(5 * G3 - 3 * Mp + 34.1L) + 0.152L * CosDeg(4 * G3 - 2 * Mp + 227.4L) +
         0.144L * CosDeg(4 * G3 - Mp + 79)) /
        3600;
    const long double P1 = (2.043L * CosDeg(2 * G1 + 89.76L) + 1.77L * CosDeg(2 * G1 - Mp + 306.27L) +
                            0.585L * CosDeg(4 * G1 - 2 * Mp + 185.82L) + 0.5L * CosDeg(4 * G1 - Mp + 317.7L) +
                            0.425L * CosDeg(3 * G1 - Mp + 317.7L) + 0.204L * CosDeg(5 * G1 - 2 * Mp + 185.5L)) /
                           3600;
    const long double P4 = (7.208L * CosDeg(G4 + 91.08999L) + 2.731L * CosDeg(2 * G4 + 270.25L) +
                            2.6L * CosDeg(G4 - Mp + 174.77L) + 1.61L * CosDeg(2 * G4 - Mp + 292.6L) +
                            0.556L * CosDeg(3 * G4 - Mp + 177.31L)) /
                           3600;
    const long double P2 = (0.419L * Cosd(G2 + 90.33999L) + 0.32L * Cosd(G2 - Mp + 259.22L)) / 3600;
    const long double PM = (6.454L * Sind(tt.D) + 0.424L * Sind(tt.D - tt.Mm)) / 3600;
    SunSeries r;
    r.Longitude = Norm360(lambda0 + A + P3 + P1 + P4 + P2 + PM + tt.Nutation - (20.47L + 0.342L * Cosd(Mp)) / 3600);
    r.Eccentricity = e;
    r.MeanAnomaly = Mrad;
    return r;
}

} // namespace

long double SunLongitude(long double jd)
{
    return SunSeriesAt(ComputeFundamentalArguments(earth::TerrestrialTime(jd))).Longitude;
}

SunResult SunTheory(const FundamentalArguments& fa)
{
    SunResult r;

    // Kepler solution: the Earth's heliocentric orbit, at the moment as
    // given (universal time) as the planets' orbits are; the geocentric Sun
    // is its negation, with the same angular speed.
    Elements el;
    {
        const long double T = fa.T, T2 = fa.T2;
        el.M = Norm360(358.4758445L + 35999.04975L * T - 0.000150278L * T2);
        el.e = 0.01675104L - 0.0000418L * T - 0.000000126L * T2;
        el.a = 1.00000023L;
        el.omega = 101.2208333L + 1.719175L * T + 0.000452778L * T2;
    }
    r.Earth = KeplerState(el);
    const Vector3& p = r.Earth.Position;
    const Vector3& v = r.Earth.Velocity;
    r.AngularSpeed = (p.x * v.y - p.y * v.x) / (p.x * p.x + p.y * p.y);

    // Longitude by series, in terrestrial time: the theory runs on uniform
    // time, which universal time lags by Delta T (a minute today, hours in
    // antiquity; the Sun moves 1" in 24 s).
    const FundamentalArguments tt = ComputeFundamentalArguments(earth::TerrestrialTime(fa.d + 2415020));
    const SunSeries series = SunSeriesAt(tt);
    long double lambda = series.Longitude;
    const long double e = series.Eccentricity, Mrad = series.MeanAnomaly;
    if (r.AngularSpeed < 0)
        lambda = -lambda;
    r.Longitude = lambda;

    // Equation of time, from the longitude just found and the mean anomaly
    // and eccentricity of the same moment.
    const long double tanHalfEps = trig::Tand(tt.Obliquity / 2);
    const long double y = tanHalfEps * tanHalfEps;
    const long double L = lambda;
    const long double sinM = trig::Sin(Mrad);
    const long double eot = y * Sind(2 * L) - 2 * e * sinM + 4 * e * y * sinM * Cosd(2 * L) -
                            0.5L * y * y * Sind(4 * L) - 1.25L * e * e * trig::Sin(2 * Mrad);
    r.EquationOfTime = eot / kRadPerDeg / 15;
    return r;
}

namespace {

// The Moon's working arguments after the additive corrections, degrees.
struct MoonArguments {
    long double Lm, Mp, D, M, F;
};

MoonArguments MoonArgumentsOf(const FundamentalArguments& fa)
{
    const long double T = fa.T;
    MoonArguments a {fa.Lm, fa.Lm - fa.Gamma, fa.D, fa.Ms, fa.Lm - fa.Omega};
    const long double s1 = SinDeg(51.2L + 20.2L * T);
    const long double s2 = 14.27L * SinDeg(193.4404L - 132.87L * T - 0.0091731L * fa.T2);
    const long double s3 = SinDeg(fa.Omega);
    const long double s4 = SinDeg(fa.Omega + 275.05L - 2.3L * T);
    a.Lm += (0.84L * s1 + s2 + 7.261L * s3) / 3600;
    a.Mp += (2.94L * s1 + s2 + 9.337L * s3) / 3600;
    a.D += (7.24L * s1 + 7.261L * s3) / 3600;
    a.M -= 6.4L * s1 / 3600;
    a.F += (0.21L * s1 + s2 - 88.699L * s3 - 15.58L * s4) / 3600;
    return a;
}

} // namespace

long double MoonLongitudeTheory(const FundamentalArguments& fa)
{
    const MoonArguments a = MoonArgumentsOf(fa);
    const long double Mp = a.Mp, M = a.M, D = a.D, F = a.F;
    // (coefficient in arc-seconds, argument in degrees), summed in this order.
    const long double terms[][2] = {
        {22639.55L, Mp}, {-4586.47L, Mp - 2 * D}, {2369.912L, 2 * D}, {769.02L, 2 * Mp}, {-668.15L, M},
        {-411.61L, 2 * F}, {-211.66L, 2 * Mp - 2 * D}, {-205.96L, Mp + M - 2 * D}, {191.95L, Mp + 2 * D},
        {-165.15L, M - 2 * D}, {147.69L, Mp - M}, {-125.15L, D}, {-109.67L, Mp + M}, {-55.17L, 2 * F - 2 * D},
        {-45.099L, Mp + 2 * F}, {39.53L, Mp - 2 * F}, {-38.43L, Mp - 4 * D}, {36.12L, 3 * Mp},
        {-30.77L, 2 * Mp - 4 * D}, {28.48L, Mp - M - 2 * D}, {-24.42L, M + 2 * D}, {18.61L, Mp - D},
        {18.02L, M + D}, {14.58L, Mp - M + 2 * D}, {14.39L, 2 * Mp + 2 * D}, {13.9L, 4 * D},
        {-13.19L, 3 * Mp - 2 * D}, {9.7L, 2 * Mp - M}, {9.37L, Mp - 2 * F - 2 * D}, {-8.63L, 2 * Mp + M - 2 * D},
        {-8.47L, Mp + D}, {-8.096L, 2 * M - 2 * D}, {-7.65L, 2 * Mp + M}, {-7.49L, 2 * M},
        {-7.41L, Mp + 2 * M - 2 * D}, {-6.38L, Mp - 2 * F + 2 * D}, {-5.74L, 2 * F + 2 * D},
        {-4.39L, Mp + M - 4 * D}, {-3.99L, 2 * Mp + 2 * F}, {3.22L, Mp - 3 * D}, {-2.92L, Mp + M + 2 * D},
        {-2.74L, 2 * Mp + M - 4 * D}, {-2.49L, 2 * Mp - M - 2 * D}, {2.58L, Mp - 2 * M}, {2.53L, Mp - 2 * M - 2 * D},
        {-2.15L, M + 2 * F - 2 * D}, {1.98L, Mp + 4 * D}, {1.94L, 4 * Mp}, {-1.88L, M - 4 * D}, {1.75L, 2 * Mp - D},
        {-1.44L, M - 2 * F + 2 * D}, {-1.298L, 2 * Mp - 2 * F}, {1.27L, Mp + M + D}, {1.23L, 2 * Mp - 3 * D},
        {-1.19L, 3 * Mp - 4 * D}, {1.18L, 2 * Mp - M + 2 * D}, {-1.17L, Mp + 2 * M}, {-1.09L, Mp - M - D},
        {1.06L, 3 * Mp + 2 * D}, {-0.59L, 2 * Mp + D}, {-0.99L, Mp + 2 * F + 2 * D}, {-0.95L, 4 * Mp - 2 * D},
        {-0.59L, 2 * Mp - 6 * D}, {0.64L, Mp - 4 * D}, {0.56L, M - D}, {0.76L, Mp - 2 * M + 2 * D},
        {0.58L, 2 * F - D}, {-0.55L, 3 * Mp + M}, {0.68L, 3 * Mp - M}, {0.557L, 2 * Mp + 2 * F - 2 * D},
        {0.538L, 2 * Mp - 2 * F - 2 * D},
    };
    long double sum = 0;
    for (const auto& t : terms)
        sum += t[0] * SinDeg(t[1]);
    return Norm360(a.Lm + sum / 3600 + fa.Nutation);
}

long double MoonLatitudeTheory(const FundamentalArguments& fa, long double moonLongitude)
{
    const MoonArguments a = MoonArgumentsOf(fa);
    const long double Mp = a.Mp, M = a.M, D = a.D, F = a.F, ls = moonLongitude;
    const long double sTerms[][2] = {
        {22609, Mp}, {-4578.1L, Mp - 2 * D}, {2373.4L, 2 * D}, {768, 2 * Mp}, {192.7L, Mp + 2 * D},
        {-182.4L, Mp + M - 2 * D}, {-165.1L, M - 2 * D}, {-152.5L, 2 * Mp - 2 * D}, {-138.8L, M - Mp},
        {-127, M}, {-115.2L, Mp + M}, {-112.8L, D}, {-85.1L, 2 * F - Mp}, {-52.1L, 2 * F - 2 * D},
        {50.64L, 3 * ls}, {-38.6L, Mp - 4 * D}, {-34.1L, 2 * Mp - 4 * D},
    };
    long double sumS = 0;
    for (const auto& t : sTerms)
        sumS += t[0] * SinDeg(t[1]);
    const long double S = F + sumS / 3600;
    const long double k = 1 - 0.00004664L * CosDeg(fa.Omega) - 0.0000754L * CosDeg(fa.Omega + 275.05L - 2.3L * fa.T);
    // Three arguments are the ones a harmonic fit against a modern lunar
    // ephemeris finds (F-2M', F-M'-2D, F-M-2D); with them the latitude stays
    // within about 32" over 1900-2100 (121" otherwise).
    const long double N = -526.1L * SinDeg(F - 2 * D) + 44.3L * SinDeg(Mp + F - 2 * D) - 30.6L * SinDeg(F - Mp - 2 * D) -
                          24.6L * SinDeg(F - 2 * Mp) - 22.6L * SinDeg(M + F - 2 * D) + 20.6L * SinDeg(F - Mp) +
                          11 * SinDeg(F - M - 2 * D) - 6 * SinDeg(Mp + F - 4 * D);
    return (18519.7L * k * SinDeg(S) - 6.2L * SinDeg(3 * S) + N) / 3600;
}

long double MeanNode(const FundamentalArguments& fa)
{
    const long double T = fa.T;
    return Norm360(259.183275L - 1934.142L * T + 0.002078L * fa.T2 + 0.0000022L * fa.T2 * T);
}

long double TrueNode(const FundamentalArguments& fa, long double sunLongitude, long double moonLongitude)
{
    const long double Om = MeanNode(fa), lS = sunLongitude, lM = moonLongitude, G = fa.Gamma;
    constexpr long double w = 282.596403L; // longitude of the Sun's perigee
    const long double t = Om + 1.517L * SinDeg(2 * (lS - Om)) - 0.163L * SinDeg(lS - w) - 0.128L * SinDeg(2 * (lM - lS)) +
                          0.12L * SinDeg(2 * (lM - Om)) + 0.107L * SinDeg(2 * (G - Om)) + 0.063L * SinDeg(3 * lS - w - 2 * Om) +
                          0.04L * SinDeg(lM + G - 2 * lS) - 0.04L * SinDeg(lM + G - 2 * Om) + 0.027L * SinDeg(lM - G) -
                          0.027L * SinDeg(lS + w - 2 * Om) + 0.015L * SinDeg(2 * (lS - G)) -
                          0.013L * SinDeg(2 * Om + lM - G - 2 * lS) - 0.013L * SinDeg(lM - 2 * Om - G + 2 * lS) -
                          0.007L * SinDeg(2 * lM + w - 3 * lS) + 0.005L * SinDeg(3 * lM - G - 2 * Om) -
                          0.005L * SinDeg(3 * lM - G - 2 * lS);
    return Norm360(t);
}

long double MeanApogee(const FundamentalArguments& fa)
{
    const long double x = fa.Gamma + 180;
    return x - 360 * std::trunc(x / 360);
}

Equatorial ToEquatorial(const FundamentalArguments& fa, long double longitude, long double latitude)
{
    long double sinL = 0, cosL = 0, sinB = 0, cosB = 0;
    trig::SinCosd(std::fabs(longitude), sinL, cosL);
    trig::SinCosd(latitude, sinB, cosB);
    const long double y = sinL * fa.CosEps - sinB / cosB * fa.SinEps;
    const long double x = cosL;
    Equatorial q;
    q.RightAscension = trig::Atan(y / x) / kRadPerDeg;
    if (x <= 0)
        q.RightAscension += 180;
    else if (y <= 0)
        q.RightAscension += 360;
    long double s = sinB * fa.CosEps + cosB * fa.SinEps * sinL;
    s = s > 1 ? 1 : s < -1 ? -1 : s;
    q.Declination = trig::Asin(s) / kRadPerDeg;
    return q;
}

} // namespace ephemeris
