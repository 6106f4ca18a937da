// The body loop: selection, table corrections inside their date windows,
// equatorial coordinates and the retrograde marking.
#include "astro/Ephemeris.h"

#include "astro/EphemerisInternal.h"
#include "shell/SharedState.h"

#include <array>
#include <cmath>

bool EphemerisCorrectionTablesEnabled = true;

namespace {

using namespace ephemeris;

// Date windows (Julian days) of the correction tables.
constexpr long double kMoonTableAfter = 1721422.5L, kMoonTableBefore = 2499373.5L;
// The planet table covers the whole Moon's window: the theory's elements
// and perturbation terms fit the twentieth century only (after 2000 Jupiter
// is off by up to 28', Pluto by 1.5 degrees), so the corrections apply after
// 1900 as well, up to the table's last record.
constexpr long double kPlanetTableFrom = 1721423.5L, kPlanetTableBefore = 2499373.5L;
constexpr long double kNodeTableAfter = 1721433.5L, kNodeTableBefore = 2499373.5L;
constexpr long double kApogeeTableFrom = 2396758.5L, kApogeeTableBefore = 2488433.5L;

// The state of one ComputeBodies call.
struct Pass {
    FundamentalArguments fa;
    EarthState earth;
    bool auxiliary = false;
    // The motion pass of ComputeBodiesWithMotion, whose longitudes alone
    // are kept: latitudes and equatorial coordinates, which the real pass
    // overwrites, are not computed.
    bool longitudesOnly = false;
    long double jd = 0;
};

// Right ascension and declination of entry i from the given ecliptic
// position (by default the entry's own).
void StoreEquatorial(const Pass& p, int i, long double longitude, long double latitude)
{
    if (p.longitudesOnly)
        return;
    const Equatorial q = ToEquatorial(p.fa, longitude, latitude);
    BodyRightAscension[i] = q.RightAscension;
    BodyDeclination[i] = q.Declination;
}

void StoreEquatorial(const Pass& p, int i)
{
    StoreEquatorial(p, i, BodyLongitude[i], BodyLatitude[i]);
}

void ComputeSun(Pass& p)
{
    const SunResult s = SunTheory(p.fa);
    p.earth = s.Earth;
    BodyLongitude[1] = s.Longitude;
    BodyLatitude[1] = 0;
    EquationOfTime = s.EquationOfTime;
    StoreEquatorial(p, 1);
}

void ComputeMoon(const Pass& p)
{
    const long double theory = MoonLongitudeTheory(p.fa);
    long double lambda = theory;
    if (EphemerisCorrectionTablesEnabled && p.jd > kMoonTableAfter && p.jd < kMoonTableBefore)
        lambda = Norm360(lambda + ReadMoonCorrection(p.jd) / 3600);
    BodyLongitude[2] = lambda;
    if (!p.longitudesOnly)
        BodyLatitude[2] = MoonLatitudeTheory(p.fa, theory);
    StoreEquatorial(p, 2);
}

void ComputePlanet(const Pass& p, int i)
{
    const PlanetResult r = PlanetTheory(i, p.fa, p.earth);
    long double lambda = r.Longitude, beta = r.Latitude;
    if (EphemerisCorrectionTablesEnabled && i <= 10 && p.jd >= kPlanetTableFrom && p.jd < kPlanetTableBefore) {
        lambda = Norm360(lambda + ReadPlanetCorrection(i - 2, p.jd) / 60);
        if (!p.auxiliary)
            beta += ReadPlanetCorrection(i + 7, p.jd) / 60;
    }
    BodyLongitude[i] = lambda;
    BodyLatitude[i] = beta;
    StoreEquatorial(p, i);
}

void ComputeNode(const Pass& p, bool nodeSelected)
{
    long double node = MeanNode(p.fa);
    if (NodeKind == "VERO") {
        if (nodeSelected)
            ComputeMoon(p);
        node = TrueNode(p.fa, BodyLongitude[1], BodyLongitude[2]);
        if (EphemerisCorrectionTablesEnabled && p.jd > kNodeTableAfter && p.jd < kNodeTableBefore)
            node = Norm360(node + ReadPlanetCorrection(9, p.jd) / 60);
    }
    BodyLongitude[11] = node;
    BodyLatitude[11] = 0;
    StoreEquatorial(p, 11);
}

void ComputeBlackMoon(const Pass& p)
{
    long double lambda = MeanApogee(p.fa);
    if (EphemerisCorrectionTablesEnabled && BlackMoonMode == "VERA" && p.jd >= kApogeeTableFrom &&
        p.jd < kApogeeTableBefore)
        lambda = Norm360(lambda + ReadApogeeCorrection(p.jd) / 3600);
    BodyLongitude[12] = lambda;
    BodyLatitude[12] = 0;
    StoreEquatorial(p, 12);
}

void ComputeAngles(const Pass& p)
{
    BodyLongitude[13] = HouseCusps[1];
    BodyLatitude[13] = 0;
    StoreEquatorial(p, 13);
    // Index 14 holds the Descendant's equatorial coordinates; its
    // longitude entry is left as it is.
    BodyLatitude[14] = 0;
    StoreEquatorial(p, 14, HouseCusps[7], 0);
}

void ComputeBody(Pass& p, int i, bool selected)
{
    if (i == 1)
        ComputeSun(p);
    else if (i == 2)
        ComputeMoon(p);
    else if ((i >= 3 && i <= 10) || (i >= 15 && i <= 19))
        ComputePlanet(p, i);
    else if (i == 11)
        ComputeNode(p, selected);
    else if (i == 12)
        ComputeBlackMoon(p);
}

void ComputeBodiesPass(int selector, bool auxiliary, bool longitudesOnly, long double jd)
{
    const internal::CorrectionLookupBatch batch;
    Pass p;
    p.fa = ComputeFundamentalArguments(jd);
    p.auxiliary = auxiliary;
    p.longitudesOnly = longitudesOnly;
    p.jd = jd;
    if (selector == 0) {
        for (int i = 1; i <= 12; ++i)
            ComputeBody(p, i, false);
        ComputeAngles(p);
        for (int i = 15; i <= 19; ++i)
            ComputeBody(p, i, false);
        return;
    }
    if (selector < 1)
        return;
    ComputeSun(p);
    if (selector == 20 || selector == 21) {
        for (int i = 2; i <= 10; ++i)
            ComputeBody(p, i, false);
    } else if (selector >= 2 && selector <= 19 && selector != 13 && selector != 14) {
        ComputeBody(p, selector, true);
    }
}

} // namespace

void ComputeBodies(int selector, std::uint8_t auxiliaryPass, long double jd)
{
    ComputeBodiesPass(selector, auxiliaryPass != 0, false, jd);
}

void ComputeBodiesWithMotion(int selector, long double jd)
{
    // One batch for both passes: each table checks its file once a chart.
    const internal::CorrectionLookupBatch batch;
    ComputeBodiesPass(selector, true, true, jd + 0.001L);
    const std::array<long double, 25> later = BodyLongitude;
    ComputeBodiesPass(selector, false, false, jd);
    for (int i = 1; i <= 19; ++i) {
        const long double v = BodyLongitude[i], w = later[i];
        if (v > w && std::fabs(v - w) < 5)
            BodyLongitude[i] = -v;
    }
}
