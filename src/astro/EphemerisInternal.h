#pragma once
// Helpers shared by the theory sources of the ephemeris (not for callers).
#include "astro/DegreeTrig.h"
#include "astro/Ephemeris.h"
#include "core/Angles.h"
#include "core/Calendar.h"

namespace ephemeris::internal {

inline constexpr long double kRadPerDeg = kPi / 180;

// The sind and cosd of the formulas: sine and cosine of an angle in degrees.
using trig::Cosd;
using trig::Sind;
long double PolarAngle(long double x, long double y); // angle of (x, y), radians 0..2pi

// Orbital elements of one moment: angles in degrees, a in AU.
struct Elements {
    long double M = 0;     // mean anomaly
    long double e = 0;     // eccentricity
    long double a = 0;     // semi-major axis
    long double omega = 0; // argument of perihelion (longitude of perihelion for the Earth)
    long double node = 0;  // longitude of the ascending node
    long double incl = 0;  // inclination
};

// Heliocentric ecliptic position (AU) and velocity (AU per day) on the
// Keplerian orbit: three iterations of Kepler's equation from E = M, then
// the rotations by omega, incl and node through polar form.
EarthState KeplerState(const Elements& el);

// While one is alive, each correction table checks at most once that it
// still holds the file on disk (at its first lookup); outside, every lookup
// checks. Batches nest: the outermost one counts.
class CorrectionLookupBatch {
public:
    CorrectionLookupBatch();
    ~CorrectionLookupBatch();
    CorrectionLookupBatch(const CorrectionLookupBatch&) = delete;
    CorrectionLookupBatch& operator=(const CorrectionLookupBatch&) = delete;
};

} // namespace ephemeris::internal
