#pragma once
// Local sidereal time, obliquity of the ecliptic, Midheaven, Ascendant and
// the twelve house cusps of the house system named by HouseSystemSetting.
//
// ComputeHouses is the entry of every chart: it fills HouseCusps[1..12]
// (and [13], a copy of cusp 1) with ecliptic longitudes in degrees 0..360,
// cusp 1 the Ascendant and cusp 10 the Midheaven, and leaves in the chart
// tables of the shared state (ChartTables) the local sidereal time and what
// it computed (LastHouses) for the next call. The pieces below it take the right ascension of the
// Midheaven (RAMC), the latitude and the obliquity directly, so that the
// table generator, the tests and the benchmark can call them alone.
//
// House-system names, as the settings file writes them: "PLACIDO", "KOCH",
// "REGIOMONT", "PORFIRIO", "CAMPANO", "CASE_UGUALI", "CASE_MEDIE" (computed
// as "CASE_UGUALI": equal houses from the Ascendant), "MORINO",
// "ALCABIZIO". Any other name is computed as "PLACIDO" (the program's
// default system), so that a damaged settings file still gives a complete
// chart.
//
// Every latitude gives finite cusps, the poles included. Beyond the polar
// circle (|latitude| >= 90 - obliquity) the Placidus semi-arcs do not exist
// and the Koch cusps have no meaning: the intermediate cusps of both are
// then Porphyry's, and HouseSystemDisplayName says so. The Ascendant is the
// rising point of the ecliptic, on the eastern horizon, at every latitude.
//
// The angles are those of the true equator and equinox of date, as the
// apparent positions of the bodies: apparent sidereal time (mean sidereal
// time plus the equation of the equinoxes) and true obliquity (mean plus
// the nutation in obliquity), from the IAU 1980 nutation and the IAU 2006
// obliquity (EarthRotation.h).
//
// Angles and sums are long double; the sidereal time, the angles, Placidus
// and Koch take their sines and cosines in double precision after an exact
// reduction in degrees (DegreeTrig.h).
#include <array>
#include <string>
#include <string_view>

enum class HouseSystem {
    Placidus,      // "PLACIDO"
    Koch,          // "KOCH"
    Regiomontanus, // "REGIOMONT"
    Porphyry,      // "PORFIRIO"
    Campanus,      // "CAMPANO"
    Equal,         // "CASE_UGUALI", "CASE_MEDIE"
    Morinus,       // "MORINO"
    Alcabitius,    // "ALCABIZIO"
};

// The system a setting names; Placidus for a name that is none of the nine.
HouseSystem HouseSystemFromName(std::string_view name);
bool IsKnownHouseSystemName(std::string_view name);

// The name shown with a chart (the chart window's house-system box, the
// printouts): the setting itself, "PLACIDO" for an unknown setting, and
// "PLACIDO (Porfirio oltre il circolo polare)" or "KOCH (Porfirio oltre il
// circolo polare)" when the Placidus or Koch cusps had to be replaced by
// Porphyry's.
std::string HouseSystemDisplayName(std::string_view setting, bool porphyryFallback);
// The same for the last ComputeHouses call ("" before the first one).
std::string HouseSystemDisplayName();
// True when the last ComputeHouses call replaced the Placidus or Koch
// intermediate cusps by Porphyry's.
bool LastHousesUsedPorphyryFallback();

// The houses of one moment and place into `cusps` (normally HouseCusps)
// for the system HouseSystemSetting names.
// type: 1 or 2 compute the sidereal time from jd and the clock time; 3 (or
//   any other value) reuses LocalSiderealTime as the previous call left it
//   (computed as for type 1 when no call has stored one yet).
// lonDeg, lonMin: east longitude, lonFlag "O" or "W" for west (taken as
//   360 - longitude); latDeg, latMin: latitude, latFlag "S" for south
//   (taken as 360 - latitude).
// timeFlag "L", "S" or "N" (callers pass "N"); zoneHours, extraHours:
//   hours; hour, minute: clock time; jd: Julian day of the moment,
//   universal time. The sidereal time stored is the apparent one; the
//   obliquity is the true one of jd.
// Sets cusps[1..13]; cusps[0] is left as it was.
void ComputeHouses(int type, int lonDeg, int lonMin, std::array<long double, 14>& cusps, std::string_view timeFlag,
                   long double zoneHours, long double extraHours, int hour, int minute, std::string_view latFlag,
                   int latMin, int latDeg, std::string_view lonFlag, long double jd);

namespace houses {

// Mean obliquity of the ecliptic, degrees (about 23.45), in its short
// form: 23.4522944 - 0.0130125 T, T Julian centuries from JD 2415020.
long double MeanObliquity(long double jd);
// True obliquity of the ecliptic at jd (universal time), degrees: the IAU
// 2006 mean obliquity plus the IAU 1980 nutation in obliquity.
long double TrueObliquity(long double jd);

// Local mean sidereal time, hours 0..24, for the moment jd (universal
// time), whose universal clock time is `universalHours` (0..24), at the
// east longitude `eastLonDeg` (0..360; a west longitude as 360 - value).
// The IAU 2006 expression in the Earth rotation angle (Capitaine et al.
// 2003; IERS Conventions 2010, eq. 5.32): the angle's daily excess over
// whole turns, 18.697374558336 + 0.0657074858724 Du hours (Du days from
// J2000.0), plus the accumulated precession 0.014506" + 4612.156534" t +
// 1.3915817" t^2 - 0.00000044" t^3 - 0.000029956" t^4 - 0.0000000368" t^5
// (t Julian centuries of terrestrial time), plus the universal time + 12.
long double LocalSiderealHours(long double jd, long double universalHours, long double eastLonDeg);
// Local apparent sidereal time, hours 0..24: the mean one plus the
// equation of the equinoxes (nutation in longitude times the cosine of the
// true obliquity) at jd.
long double ApparentLocalSiderealHours(long double jd, long double universalHours, long double eastLonDeg);

// Midheaven: the ecliptic longitude (degrees 0..360) whose right ascension
// is ramcDeg. Also turns the right ascension of a Placidus or Alcabitius
// cusp into its longitude.
long double Midheaven(long double ramcDeg, long double epsDeg);
// Ascendant, degrees 0..360, for the latitude latDeg (north positive; 360 -
// value for south gives the same result): the point of the ecliptic rising
// on the eastern horizon. Its hour angle lies between 180 and 360 degrees
// (east of the meridian); in longitude it follows the Midheaven by less than
// 180 degrees. Beyond the polar circle the classical tangent formula gives
// the setting point for part of the day; it is turned to the rising one.
long double Ascendant(long double ramcDeg, long double latDeg, long double epsDeg);

struct CuspTable {
    std::array<long double, 13> Cusp {}; // [1..12] ecliptic longitude, degrees 0..360; [0] unused (0)
    bool PorphyryFallback = false;       // Placidus and Koch: intermediate cusps are Porphyry's
};

// The twelve cusps of `system` for RAMC (degrees 0..360), latitude (degrees,
// north positive, -90..90; 360 - value for south is the same) and obliquity
// (degrees). Where the Ascendant formula gives the setting point (beyond the
// polar circle) the Regiomontanus and Campanus cusps, which that formula's
// construction yields, are all turned by 180 degrees with it.
CuspTable ComputeCusps(HouseSystem system, long double ramcDeg, long double latDeg, long double epsDeg);

// True where the Placidus semi-arcs exist for every cusp (and the Koch
// cusps are defined): |latitude| below 90 - obliquity.
bool PlacidusDefined(long double latDeg, long double epsDeg);

} // namespace houses
