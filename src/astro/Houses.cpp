#include "astro/Houses.h"

#include "core/Angles.h"
#include "core/Calendar.h"
#include "astro/DegreeTrig.h"
#include "astro/EarthRotation.h"
#include "shell/SharedState.h"

#include <cmath>

namespace {

constexpr const char* kPlacidusPolarName = "PLACIDO (Porfirio oltre il circolo polare)";
constexpr const char* kKochPolarName = "KOCH (Porfirio oltre il circolo polare)";

// The angle whose tangent is num/den, in the quadrant of the signs of both
// terms, radians 0..2pi. For non-zero terms this is atan(num/den) plus the
// quadrant correction 0, pi, pi or 2pi of the classical helper; a zero term
// takes its quadrant from the sign of the other term, so no call depends on
// the one before it.
long double AtanQuadrant(long double num, long double den)
{
    const long double a = trig::Atan2(num, den);
    return a < 0 ? a + kTwoPi : a;
}

// Latitude as used below: north positive, -90..90. A southern latitude may
// come as 360 - value. The poles themselves are taken 1e-7 degrees short of
// 90, where every tangent stays finite; beyond 90 is taken as 90.
long double UsableLatitude(long double latDeg)
{
    long double lat = Reduce(latDeg, 360);
    if (lat > 180)
        lat -= 360;
    constexpr long double kLimit = 90 - 1e-7L;
    if (lat > kLimit)
        lat = kLimit;
    if (lat < -kLimit)
        lat = -kLimit;
    return lat;
}

// The classical Ascendant formula: C = RAMC + 90; k = atan(tan lat / cos C);
// A = atan(cos k tan C / cos(k + eps)), +180 when negative, +180 more when
// sin C < 0. Carrying cos k through gives tan A = sin C / (cos C cos eps -
// tan lat sin eps): the same tangent, without the step through k, which
// loses every digit when cos C is near 0 (RAMC near 0 or 180 away from the
// equator). The half of the circle is chosen as above, from the signs of
// both terms: at RAMC 90 or 270 sin C is exactly 0 and only the
// denominator tells the half. Inside the polar circles this is the rising
// point; beyond them, for part of the day, the setting one.
long double AscendantFormula(long double ramcDeg, long double latDeg, long double epsDeg)
{
    const long double C = Norm360(ramcDeg + 90);
    long double num = 0, cosC = 0, sinEps = 0, cosEps = 0;
    trig::SinCosd(C, num, cosC);
    trig::SinCosd(epsDeg, sinEps, cosEps);
    const long double den = cosC * cosEps - trig::Tand(latDeg) * sinEps;
    return Norm360(RadToDeg(AtanQuadrant(num, den)));
}

// The rising point of the ecliptic. Along the ecliptic, right ascension
// grows with longitude, so the half of the ecliptic that follows the
// Midheaven (hour angle 0) by 0..180 degrees has hour angles 0..-180: it
// is the half east of the meridian, whose point on the horizon rises. A
// formula value in the other half is the setting point, and its opposite
// the rising one (`turned`).
long double RisingAscendant(long double ramcDeg, long double latDeg, long double epsDeg, bool& turned)
{
    const long double a = AscendantFormula(ramcDeg, latDeg, epsDeg);
    const long double fromMc = Norm360(a - houses::Midheaven(ramcDeg, epsDeg));
    turned = fromMc > 180;
    return turned ? Norm360(a + 180) : a;
}

// Porphyry's intermediate cusps (2, 3, 5, 6, 8, 9, 11, 12) from the
// Ascendant and the Midheaven already in c[1] and c[10]: each quadrant
// trisected in longitude.
void PorphyryIntermediate(std::array<long double, 13>& c)
{
    const long double asc = c[1];
    const long double mc = c[10];
    long double w = asc - mc;
    if (w < 0)
        w += 360;
    const long double v = 180 - w;
    auto once = [](long double x) { return x > 360 ? x - 360 : x; };
    c[11] = once(mc + w / 3);
    c[12] = once(c[11] + w / 3);
    c[2] = once(asc + v / 3);
    c[3] = once(c[2] + v / 3);
    c[4] = once(mc + 180);
    c[5] = once(c[11] + 180);
    c[6] = once(c[12] + 180);
    c[7] = once(asc + 180);
    c[8] = once(c[2] + 180);
    c[9] = once(c[3] + 180);
}

// Cusps 4..9 opposite to 10, 11, 12, 1, 2, 3 (degrees).
void Opposites(std::array<long double, 13>& c)
{
    c[4] = Norm360(c[10] + 180);
    c[5] = Norm360(c[11] + 180);
    c[6] = Norm360(c[12] + 180);
    c[7] = Norm360(c[1] + 180);
    c[8] = Norm360(c[2] + 180);
    c[9] = Norm360(c[3] + 180);
}

// Placidus: the semi-arc s (degrees) of the point whose right ascension is
// RAMC + f*s, i.e. the root of F(s) = K*sin(RAMC + f*s) - cos s, by the
// secant method from 1e-9 and 180.0001, iterated until a step is below 1e-9
// degrees (at most 50 steps). Inside the polar circle (|K| < 1) F is
// negative at 0 and positive at 180 and has exactly one root between; near
// the circle the secant may wander off to a root outside 0..180 or not
// settle, and the root is then found by halving that interval. False only
// when even that fails (non-finite input).
bool PlacidusSemiArc(long double ramc, long double f, long double K, long double& s)
{
    auto F = [&](long double x) { return K * trig::Sind(ramc + f * x) - trig::Cosd(x); };
    long double prev = 0.000000001L;
    long double cur = 180.0001L;
    long double fPrev = F(prev);
    long double fCur = F(cur);
    for (int step = 0; step < 50; ++step) {
        long double diff = fCur - fPrev;
        if (diff == 0)
            diff = 0.000001L;
        const long double next = cur - (cur - prev) / diff * fCur;
        if (!std::isfinite(next))
            break;
        const long double change = std::fabs(next - cur);
        prev = cur;
        fPrev = fCur;
        cur = next;
        fCur = F(cur);
        if (change < 1e-9L) {
            if (cur >= 0 && cur <= 180) {
                s = cur;
                return true;
            }
            break;
        }
    }
    long double lo = 0, hi = 180;
    if (!(F(lo) < 0 && F(hi) > 0))
        return false;
    while (hi - lo > 1e-10L) {
        const long double mid = (lo + hi) / 2;
        if (mid <= lo || mid >= hi)
            break;
        if (F(mid) < 0)
            lo = mid;
        else
            hi = mid;
    }
    s = (lo + hi) / 2;
    return true;
}

bool Placidus(std::array<long double, 13>& c, long double ramc, long double lat, long double eps)
{
    if (!houses::PlacidusDefined(lat, eps))
        return false;
    const long double K = -trig::Tand(eps) * trig::Tand(lat);
    struct Piece {
        long double f;
        int cusp;
        bool opposite;
    };
    static constexpr Piece kPieces[] = {
        {1.0L / 3, 11, false}, {2.0L / 3, 12, false}, {-2.0L / 3, 2, true}, {-1.0L / 3, 3, true}};
    std::array<long double, 13> r = c;
    for (const Piece& p : kPieces) {
        long double s = 0;
        if (!PlacidusSemiArc(ramc, p.f, K, s))
            return false;
        long double R = ramc + p.f * s;
        if (R < 0)
            R += 360;
        R = Norm360(R);
        long double lon = houses::Midheaven(R, eps);
        if (p.opposite)
            lon = Norm360(lon + 180);
        r[static_cast<std::size_t>(p.cusp)] = lon;
    }
    c = r;
    Opposites(c);
    return true;
}

// Cusps 4..9, opposite 10..12 and 1..3, from the eastern ones (radians
// 0..2pi), then all twelve into c in degrees.
void OppositeCuspsToDegrees(std::array<long double, 13>& rad, std::array<long double, 13>& c)
{
    auto opp = [](long double x) { return x + kPi > kTwoPi ? x + kPi - kTwoPi : x + kPi; };
    rad[4] = opp(rad[10]);
    rad[5] = opp(rad[11]);
    rad[6] = opp(rad[12]);
    rad[7] = opp(rad[1]);
    rad[8] = opp(rad[2]);
    rad[9] = opp(rad[3]);
    for (std::size_t k = 1; k <= 12; ++k)
        c[k] = RadToDeg(rad[k]);
}

void Koch(std::array<long double, 13>& c, long double ramcDeg, long double latDeg, long double epsDeg)
{
    const long double eps = DegToRad(epsDeg), phi = DegToRad(latDeg), ramc = DegToRad(ramcDeg), mc = DegToRad(c[10]);
    const long double sinDelta = trig::Sin(mc) * trig::Sin(eps);
    const long double delta = trig::Atan(sinDelta / std::sqrt(1 - sinDelta * sinDelta));
    const long double s = trig::Tan(phi) * trig::Tan(delta);
    long double q = 1 - s * s;
    if (!(q > 0))
        q = 0.0001L;
    const long double ad = trig::Atan(s / std::sqrt(q));
    long double z = (kHalfPi + ad) / 3;
    if (z < 0)
        z += kTwoPi;
    auto ascFromRA = [&](long double x) {
        const long double n = -(trig::Tan(phi) * trig::Sin(eps) + trig::Cos(eps) * trig::Sin(x));
        const long double m = trig::Cos(x);
        long double lam = AtanQuadrant(m, n);
        return lam > kTwoPi ? lam - kTwoPi : lam;
    };
    long double r = ramc - ad + z - kHalfPi;
    const int order[5] = {11, 12, 1, 2, 3};
    std::array<long double, 13> rad {};
    for (int i = 0; i < 5; ++i) {
        if (i > 0)
            r += z;
        if (r > kTwoPi)
            r -= kTwoPi;
        rad[static_cast<std::size_t>(order[i])] = ascFromRA(r);
    }
    rad[10] = mc;
    OppositeCuspsToDegrees(rad, c);
}

void Regiomontanus(std::array<long double, 13>& c, long double ramcDeg, long double latDeg, long double epsDeg)
{
    const long double eps = DegToRad(epsDeg), phi = DegToRad(latDeg), ramc = DegToRad(ramcDeg);
    struct Piece {
        long double xDeg;
        int cusp;
    };
    static constexpr Piece kPieces[] = {{30, 11}, {60, 12}, {120, 2}, {150, 3}};
    std::array<long double, 13> rad {};
    for (const Piece& p : kPieces) {
        const long double x = DegToRad(p.xDeg);
        const long double b = std::atan(std::tan(phi) * std::sin(x));
        const long double r = std::tan(b);
        const long double cc = std::cos(x + ramc);
        // f = atan(r / c) in the quadrant of both; r2 = tan(x + RAMC) cos f;
        // c2 = cos(f + eps); cusp = atan(r2 / c2) in the quadrant of both.
        // With cos f = c / rho and sin f = r / rho (rho = hypot(r, c) > 0)
        // both terms are divided by rho, which leaves the angle alone: r2 is
        // taken as sin(x + RAMC) and c2 as c cos eps - r sin eps, so that no
        // tangent of 90 degrees is multiplied by a cosine of 90 degrees.
        const long double r2 = std::sin(x + ramc);
        const long double c2 = cc * std::cos(eps) - r * std::sin(eps);
        rad[static_cast<std::size_t>(p.cusp)] = AtanQuadrant(r2, c2);
    }
    rad[1] = DegToRad(c[1]);
    rad[10] = DegToRad(c[10]);
    OppositeCuspsToDegrees(rad, c);
}

void Campanus(std::array<long double, 13>& c, long double ramcDeg, long double latDeg, long double epsDeg)
{
    const long double eps = DegToRad(epsDeg), phi = DegToRad(latDeg), ramc = DegToRad(ramcDeg);
    for (int k = 1; k <= 12; ++k) {
        // 60.000001 keeps every argument off 90 and 270 degrees exactly.
        const long double a = DegToRad(30.0L * k + 60.000001L);
        long double z = std::atan(std::cos(phi) * std::tan(a));
        if (z < 0)
            z += kPi;
        if (std::sin(a) < 0)
            z += kPi;
        const long double p = std::sin(ramc + z);
        const long double g = std::cos(eps) * std::cos(ramc + z) - std::sin(eps) * std::tan(phi) * std::sin(z);
        long double w = std::atan(p / g);
        if (w < 0)
            w += kPi;
        if (p < 0)
            w += kPi;
        c[static_cast<std::size_t>(k)] = Norm360(RadToDeg(w));
    }
}

void Morinus(std::array<long double, 13>& c, long double ramcDeg, long double epsDeg)
{
    const long double eps = DegToRad(epsDeg), ramc = DegToRad(ramcDeg);
    for (int k = 1; k <= 12; ++k) {
        const long double y = DegToRad(30.0L * k + 60.000001L);
        const long double p = std::cos(eps) * std::sin(ramc + y);
        long double w = std::atan(p / std::cos(ramc + y));
        if (w < 0)
            w += kPi;
        if (p < 0)
            w += kPi;
        c[static_cast<std::size_t>(k)] = Norm360(RadToDeg(w));
    }
}

// Alcabitius: the diurnal semi-arc of the Ascendant's degree trisected in
// right ascension from the Midheaven (cusps 11 and 12), its nocturnal
// semi-arc from the Ascendant (cusps 2 and 3); each right ascension is then
// carried to the ecliptic along its hour circle. Beyond the polar circle
// the semi-arc is taken as 0 or 180 degrees.
void Alcabitius(std::array<long double, 13>& c, long double ramc, long double lat, long double eps)
{
    const long double sinDecl = SinDeg(eps) * SinDeg(c[1]);
    const long double decl = RadToDeg(std::asin(sinDecl));
    long double r = -TanDeg(lat) * TanDeg(decl);
    if (r > 1)
        r = 1;
    if (r < -1)
        r = -1;
    const long double sda = RadToDeg(std::acos(r));
    const long double sna = 180 - sda;
    c[11] = houses::Midheaven(Norm360(ramc + sda / 3), eps);
    c[12] = houses::Midheaven(Norm360(ramc + 2 * sda / 3), eps);
    c[2] = houses::Midheaven(Norm360(ramc + 180 - 2 * sna / 3), eps);
    c[3] = houses::Midheaven(Norm360(ramc + 180 - sna / 3), eps);
    Opposites(c);
}

} // namespace

HouseSystem HouseSystemFromName(std::string_view name)
{
    if (name == "KOCH")
        return HouseSystem::Koch;
    if (name == "REGIOMONT")
        return HouseSystem::Regiomontanus;
    if (name == "PORFIRIO")
        return HouseSystem::Porphyry;
    if (name == "CAMPANO")
        return HouseSystem::Campanus;
    if (name == "CASE_UGUALI" || name == "CASE_MEDIE")
        return HouseSystem::Equal;
    if (name == "MORINO")
        return HouseSystem::Morinus;
    if (name == "ALCABIZIO")
        return HouseSystem::Alcabitius;
    return HouseSystem::Placidus;
}

bool IsKnownHouseSystemName(std::string_view name)
{
    return name == "PLACIDO" || name == "KOCH" || name == "REGIOMONT" || name == "PORFIRIO" || name == "CAMPANO"
        || name == "CASE_UGUALI" || name == "CASE_MEDIE" || name == "MORINO" || name == "ALCABIZIO";
}

std::string HouseSystemDisplayName(std::string_view setting, bool porphyryFallback)
{
    if (!IsKnownHouseSystemName(setting))
        return porphyryFallback ? kPlacidusPolarName : "PLACIDO";
    if (porphyryFallback && HouseSystemFromName(setting) == HouseSystem::Placidus)
        return kPlacidusPolarName;
    if (porphyryFallback && HouseSystemFromName(setting) == HouseSystem::Koch)
        return kKochPolarName;
    return std::string(setting);
}

std::string HouseSystemDisplayName()
{
    const LastHousesState& last = ChartTables.LastHouses;
    return last.Computed ? HouseSystemDisplayName(last.Setting, last.PorphyryFallback) : std::string();
}

bool LastHousesUsedPorphyryFallback()
{
    return ChartTables.LastHouses.PorphyryFallback;
}

namespace houses {

long double MeanObliquity(long double jd)
{
    const long double T = JulianCenturies(jd);
    return 23.4522944L - 0.0130125L * T;
}

long double TrueObliquity(long double jd)
{
    return earth::EquatorAt(jd).TrueObliquity;
}

long double LocalSiderealHours(long double jd, long double universalHours, long double eastLonDeg)
{
    // The Earth rotation angle, 0.7790572732640 + 1.00273781191135448 Du
    // turns, Du days of universal time from J2000.0: its whole turns per
    // day are the universal clock time + 12 hours, the rest its daily excess
    // 0.00273781191135448 turn (0.0657074858724 h); the precession part, in
    // terrestrial time.
    const long double du = jd - 2451545;
    const long double t = (earth::TerrestrialTime(jd) - 2451545) / 36525;
    const long double precession =
        0.014506L + t * (4612.156534L + t * (1.3915817L + t * (-0.00000044L + t * (-0.000029956L - t * 0.0000000368L))));
    const long double theta0 = Reduce(18.697374558336L + 0.0657074858724L * du + precession / 54000, 24);
    const long double h = Reduce(universalHours + 12, 24);
    return Reduce(theta0 + h + eastLonDeg / 15, 24);
}

long double ApparentLocalSiderealHours(long double jd, long double universalHours, long double eastLonDeg)
{
    const long double mean = LocalSiderealHours(jd, universalHours, eastLonDeg);
    return Reduce(mean + earth::EquatorAt(jd).EquationOfEquinoxes / 15, 24);
}

long double Midheaven(long double ramcDeg, long double epsDeg)
{
    // The classical form atan(tan RAMC / cos eps), +180 when negative, +180
    // more for RAMC above 180, written with the quadrant of both terms: at
    // RAMC exactly 180 the tangent's sign is that of a rounding error.
    long double sinRamc = 0, cosRamc = 0;
    trig::SinCosd(ramcDeg, sinRamc, cosRamc);
    return Norm360(RadToDeg(AtanQuadrant(sinRamc, cosRamc * trig::Cosd(epsDeg))));
}

long double Ascendant(long double ramcDeg, long double latDeg, long double epsDeg)
{
    bool turned = false;
    return RisingAscendant(ramcDeg, latDeg, epsDeg, turned);
}

bool PlacidusDefined(long double latDeg, long double epsDeg)
{
    return std::fabs(UsableLatitude(latDeg)) < 90 - epsDeg;
}

CuspTable ComputeCusps(HouseSystem system, long double ramcDeg, long double latDeg, long double epsDeg)
{
    CuspTable t;
    auto& c = t.Cusp;
    const long double lat = UsableLatitude(latDeg);
    const long double ramc = Norm360(ramcDeg);
    c[10] = Midheaven(ramc, epsDeg);
    bool turned = false;
    c[1] = RisingAscendant(ramc, lat, epsDeg, turned);
    switch (system) {
    case HouseSystem::Placidus:
        if (!Placidus(c, ramc, lat, epsDeg)) {
            PorphyryIntermediate(c);
            t.PorphyryFallback = true;
        }
        break;
    case HouseSystem::Koch:
        // Beyond the polar circle the Midheaven's ascensional difference
        // has no meaning (|tan lat tan decl| may pass 1) and the trisection
        // gives arbitrary cusps.
        if (PlacidusDefined(lat, epsDeg)) {
            Koch(c, ramc, lat, epsDeg);
        } else {
            PorphyryIntermediate(c);
            t.PorphyryFallback = true;
        }
        break;
    case HouseSystem::Regiomontanus:
        // Built from the formula's Ascendant and the meridian; where that
        // is the setting point the whole set turns with it.
        if (turned)
            c[1] = Norm360(c[1] + 180);
        Regiomontanus(c, ramc, lat, epsDeg);
        if (turned)
            for (std::size_t k = 1; k <= 12; ++k)
                c[k] = Norm360(c[k] + 180);
        break;
    case HouseSystem::Porphyry:
        PorphyryIntermediate(c);
        break;
    case HouseSystem::Campanus:
        Campanus(c, ramc, lat, epsDeg);
        if (turned)
            for (std::size_t k = 1; k <= 12; ++k)
                c[k] = Norm360(c[k] + 180);
        break;
    case HouseSystem::Equal:
        for (std::size_t k = 2; k <= 12; ++k)
            c[k] = Norm360(c[1] + 30.0L * static_cast<long double>(k - 1));
        break;
    case HouseSystem::Morinus:
        Morinus(c, ramc, epsDeg);
        break;
    case HouseSystem::Alcabitius:
        Alcabitius(c, ramc, lat, epsDeg);
        break;
    }
    for (std::size_t k = 1; k <= 12; ++k)
        c[k] = Norm360(c[k]);
    return t;
}

} // namespace houses

void ComputeHouses(int type, int lonDeg, int lonMin, std::array<long double, 14>& cusps, std::string_view timeFlag,
                   long double zoneHours, long double extraHours, int hour, int minute, std::string_view latFlag,
                   int latMin, int latDeg, std::string_view lonFlag, long double jd)
{
    const earth::EquatorOfDate equator = earth::EquatorAt(jd);
    const long double eps = equator.TrueObliquity;
    long double lon = lonDeg + lonMin / 60.0L;
    if (lonFlag == "O" || lonFlag == "W")
        lon = 360 - lon;
    long double lat = latDeg + latMin / 60.0L;
    if (latFlag == "S")
        lat = 360 - lat;

    // Type 3 reuses the stored sidereal time; before any has been stored it
    // is computed as for type 1.
    if (type == 1 || type == 2 || std::isnan(LocalSiderealTime)) {
        long double t = hour + minute / 60.0L;
        if (type == 2 && (timeFlag == "L" || timeFlag == "S"))
            t = t - extraHours - zoneHours;
        const long double u = zoneHours + extraHours + t;
        const long double mean = houses::LocalSiderealHours(jd, u, lon);
        LocalSiderealTime = Reduce(mean + equator.EquationOfEquinoxes / 15, 24);
    }
    const long double ramc = 15 * LocalSiderealTime;

    const houses::CuspTable t = houses::ComputeCusps(HouseSystemFromName(HouseSystemSetting), ramc, lat, eps);
    for (std::size_t k = 1; k <= 12; ++k)
        cusps[k] = t.Cusp[k];
    cusps[13] = cusps[1];
    ChartTables.LastHouses = {true, HouseSystemSetting, t.PorphyryFallback};
}
