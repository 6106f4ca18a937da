#pragma once
// Apparent geocentric positions of the bodies of a chart.
//
// A Julian day (universal time) becomes, for every body index 1..19, the
// ecliptic longitude and latitude, right ascension and declination in the
// shared result tables (SharedState.h). The theories are analytic: mean
// elements with Kepler's equation, trigonometric series for the Sun and the
// Moon, polynomials for the lunar node and apogee; the Sun's series runs in
// terrestrial time (universal time plus Delta T, EarthRotation.h), the
// other theories take the Julian day as given. Three correction tables
// under FilePosi\ refine the Moon, the planets, the true node and the
// corrected Black Moon inside their date windows; each lookup reads two
// records of a table held open, which each call checks once against the
// file on disk (a replaced table is read at the next chart).
//
// Body index: 1 Sun, 2 Moon, 3 Mercury, 4 Venus, 5 Mars, 6 Jupiter,
// 7 Saturn, 8 Uranus, 9 Neptune, 10 Pluto, 11 lunar node (NodeKind "VERO"
// true, otherwise mean), 12 Black Moon (BlackMoonMode "VERA" corrected,
// otherwise mean apogee), 13 Ascendant (copy of HouseCusps[1]), 14 receives
// only the right ascension and declination of HouseCusps[7], 15 Ceres,
// 16 Pallas, 17 Juno, 18 Vesta, 19 Chiron.
//
// Angles, Julian days and sums are long double; sines and cosines are taken
// in double precision after an exact reduction in degrees (DegreeTrig.h).
// Any Julian day gives a finite result; the accuracy falls outside the
// ranges the theories were fitted to.
#include <cstdint>
#include <string>

// Fills the result tables for the selected bodies. selector: 0 all bodies
// 1..19 in index order; 1 the Sun; 2..12 and 15..19 the Sun, then that body;
// 20 and 21 the bodies 1..10; any other value >= 2 the Sun only.
// auxiliaryPass is 1 for the motion pass (planet latitudes get no table
// correction), 0 for the real pass.
// Throws IoError when a correction table needed inside its window is
// missing or too short; the tables already written keep what this call put
// in them.
void ComputeBodies(int selector, std::uint8_t auxiliaryPass, long double jd);

// The entry of every chart: the bodies at jd + 0.001 (motion pass), then at
// jd, then a body whose longitude decreased by less than 5 degrees between
// the two is marked retrograde by storing its longitude negated.
void ComputeBodiesWithMotion(int selector, long double jd);

// True in the program. The table generator and the accuracy checks switch
// it off to obtain the analytic theory alone (no FilePosi\ file is opened).
extern bool EphemerisCorrectionTablesEnabled;

namespace ephemeris {

// ---- Pieces of the computation, for the table generator and the tests ----

// Time and fundamental arguments of one moment; angles in degrees 0..360
// unless stated.
struct FundamentalArguments {
    long double d = 0;      // days from 1900 January 0.5 (JD 2415020)
    long double T = 0;      // Julian centuries from the same epoch
    long double T2 = 0;     // T squared
    long double Omega = 0;  // Moon's mean node (short polynomial in d)
    long double L0 = 0;     // Sun's mean longitude
    long double D = 0;      // Moon's mean elongation
    long double Gamma = 0;  // Moon's mean perigee
    long double Ms = 0;     // Sun's mean anomaly
    long double Lm = 0;     // Moon's mean longitude
    long double Mm = 0;     // Moon's mean anomaly
    long double Nutation = 0;  // nutation in longitude, degrees, about +-0.005
    long double Obliquity = 0; // mean obliquity, degrees, about 23.45
    long double CosEps = 0, SinEps = 0; // of the obliquity
};
FundamentalArguments ComputeFundamentalArguments(long double jd);

struct Vector3 {
    long double x = 0, y = 0, z = 0;
};

// Heliocentric ecliptic state of the Earth, AU and AU per day.
struct EarthState {
    Vector3 Position;
    Vector3 Velocity;
};

// The Sun of the moment fa (universal time): its longitude series is
// evaluated in terrestrial time, fa's Julian day plus Delta T
// (EarthRotation.h); the Earth's orbit, which the planets are seen from,
// at fa itself as theirs are.
struct SunResult {
    long double Longitude = 0;       // apparent, degrees 0..360 (negated if the motion were retrograde)
    long double EquationOfTime = 0;  // hours, about -0.27..+0.24
    long double AngularSpeed = 0;    // geocentric, radians per day, about 0.017
    EarthState Earth;                // for the planets
};
SunResult SunTheory(const FundamentalArguments& fa);
// The Sun's apparent longitude alone (SunTheory's, without the Earth's
// orbit) at the Julian day jd, universal time; degrees 0..360.
long double SunLongitude(long double jd);

// Moon's apparent longitude without the table correction, degrees 0..360.
long double MoonLongitudeTheory(const FundamentalArguments& fa);
// Moon's latitude, degrees -5.3..5.3; moonLongitude is the value of
// MoonLongitudeTheory (before the table correction).
long double MoonLatitudeTheory(const FundamentalArguments& fa, long double moonLongitude);

struct PlanetResult {
    long double Longitude = 0;    // apparent geocentric, degrees 0..360
    long double Latitude = 0;     // geocentric, degrees -90..90
    long double AngularSpeed = 0; // geocentric, radians per day (negative = retrograde)
};
// Keplerian theory of the bodies 3..10 and 15..19, without table correction.
PlanetResult PlanetTheory(int index, const FundamentalArguments& fa, const EarthState& earth);

long double MeanNode(const FundamentalArguments& fa); // degrees 0..360
// True node from the mean node and the apparent longitudes of the Sun and
// the Moon, without table correction; degrees 0..360.
long double TrueNode(const FundamentalArguments& fa, long double sunLongitude, long double moonLongitude);
long double MeanApogee(const FundamentalArguments& fa); // mean Black Moon, degrees 0..360

// Right ascension (degrees 0..360) and declination (degrees -90..90) of an
// ecliptic position, with the mean obliquity of fa.
struct Equatorial {
    long double RightAscension = 0;
    long double Declination = 0;
};
Equatorial ToEquatorial(const FundamentalArguments& fa, long double longitude, long double latitude);

// ---- Correction tables ----

inline constexpr const char* kMoonTableName = "FilePosi\\DSEL.rnd";
inline constexpr const char* kPlanetTableName = "FilePosi\\DPR1.rnd";
inline constexpr const char* kApogeeTableName = "FilePosi\\NOJLNE.rnd";
inline constexpr int kPlanetRecordSize = 32;

// Moon longitude correction at jd, arc-seconds (DSEL, one record a day from
// JD 1721420.5).
long double ReadMoonCorrection(long double jd);
// Planet table channel 1..17 at jd, arc-minutes (DPR1, one record every 5
// days): 1..8 longitude of Mercury..Pluto, 9 true node, 10..17 latitude of
// Mercury..Pluto.
long double ReadPlanetCorrection(int channel, long double jd);
// True minus mean Black Moon at jd, arc-seconds (NOJLNE, one record a day
// from JD 2341972.5).
long double ReadApogeeCorrection(long double jd);

// The 6-byte real of the Julian day field of a DPR1 record: byte 0 the
// exponent biased by 129 (0 for the value 0), bytes 1..5 a 39-bit fraction,
// little-endian, with the sign in the top bit of byte 5.
long double DecodeReal48(const unsigned char* bytes);
// The nearest 6-byte real to x (rounded to 39 fraction bits); 0 for 0 and
// for magnitudes below the smallest exponent. |x| must be below 2^126.
void EncodeReal48(long double x, unsigned char* bytes);
// Channel value (arc-minutes) of a 32-byte DPR1 record.
int PlanetRecordChannel(const unsigned char* record, int channel);

} // namespace ephemeris
