#pragma once
// Chart assembly: the bodies and houses of one moment and place, the
// charts derived from the subject (returns, lunation) read from their
// temporary files, the sunrise search, and the master-planet report of the
// planetary-power page.
//
// A chart is the pair (body table, house table) in the shared state
// (BodyLongitude..., HouseCusps, LocalSiderealTime, EquationOfTime),
// computed with the settings HouseSystemSetting, NodeKind and BlackMoonMode
// as they stand.
#include "astro/ChartScores.h"
#include "astro/PlanetaryHour.h"
#include "shell/SharedState.h"

#include <string>

// Chart kind codes and their temporary files.
inline constexpr int kBirthChart = 1;
inline constexpr int kSolarReturn = 3;
inline constexpr int kMercuryReturn = 4;
inline constexpr int kVenusReturn = 5;
inline constexpr int kMarsReturn = 6;
inline constexpr int kLunarReturn = 8;
inline constexpr int kNewMoon = 9;

inline constexpr const char* kMasterReportFile = "FileDum\\MMMaitre.dum";
inline constexpr const char* kMasterTablesFile = "FileDum\\MMMaitr2.dum";
inline constexpr const char* kHouseScoresFile = "FileDum\\Dati.dum";
inline constexpr const char* kScoreHeader = ":SOL  LUN  MER  VEN  MAR  GIO  SAT  URA  NET  PLU  ASC   MC";

// "FileTmp\DatiNasc.Tmp" .. "FileTmp\DatiLnuo.Tmp"; nullptr for a code with
// no chart (2, 7 and any other).
const char* ChartTempFileName(int kind);

// Temporary chart file: line 1 a label, line 2 the Julian day (universal
// time) in the fixed or the locale number text.
struct ChartTempData {
    std::string Label;
    long double JD = 0;
};
// Throws IoError when the file is missing, ConversionError when line 2 is
// not a number.
ChartTempData ReadChartTempFile(int kind);
void WriteChartTempFile(int kind, const ChartTempData& data);

// A moment and a place. Degrees, latitude north positive (-90..90),
// longitude east positive (-180..180); zone hours with clock + Zone =
// universal time (only the planetary day depends on it).
struct ChartMoment {
    long double JD = 0; // universal time
    long double LatitudeDeg = 0;
    long double LongitudeDeg = 0;
    long double Zone = 0;
};

// The birth moment and place of CurrentSubject: the Julian day recomputed
// from the stored date and calendar plus Zone / 24, the coordinates from
// LatDeg/LatMin/LatHemi and LonDeg/LonMin/LonHemi. Throws ConversionError
// on coordinates that are not numbers.
ChartMoment CurrentSubjectMoment();

// The houses of a moment into HouseCusps (ComputeHouses type 1). The
// latitude goes in whole arc-minutes (the unit of the subject's
// coordinates); the universal time and the longitude's seconds go whole
// into the sidereal time.
void ComputeChartHouses(const ChartMoment& m);

struct WholeChart {
    long double JD = kNotComputed;             // universal time
    long double SiderealTime = kNotComputed;   // local, hours 0..24
    long double EquationOfTime = kNotComputed; // hours
    PlanetaryHourResult Hour;
};
// The chart the chart window shows and quillon-tool prints: houses, bodies
// 1..19 with their motion (ComputeBodiesWithMotion; retrograde negative),
// the Descendant's longitude in entry 14, and the planetary hour.
WholeChart ComputeWholeChart(const ChartMoment& m);
// The whole chart of CurrentSubject's birth: ComputeWholeChart of
// CurrentSubjectMoment().
WholeChart ComputeCurrentSubjectChart();

// Sunrise search from jd0 by moving half the Sun-Ascendant distance times
// 0.0008 days per degree until it is within 0.2 degrees (at most 2000
// steps); whole days past jd0 are taken off. The shared tables are
// restored. The sunrise of the Ascendant: the Sun's ecliptic point on the
// eastern horizon.
long double FindSunrise(const ChartMoment& place, long double jd0);
// For CurrentSubject: jd0 = its date at 0h plus Zone / 24.
long double FindSunrise();

// The sign at which the ascendant affinity is scored: the Ascendant's own,
// the next one when it lies less than 3 degrees before the end of its sign.
int RisingSignForAffinity(long double ascLongitude);

// The master-planet report. MMMaitre.dum: "*MaitreMarbeck*" + name, the
// name, the data line (date, place, coordinates), the label of the
// temporary file, then the closing lines "PIANETA MAESTRO " + short name of
// the body 1..10 with the highest total (the first of equals) and
// "PUNTEGGIO " + that total. MMMaitr2.dum: kScoreHeader, then for each of
// the seven sections and "TOTALE" its title and twelve integers, one a
// line, then the same two closing lines. Dati.dum: the twelve scores of
// "VALORE PIANETI NELLE CASE".
//
// The master-planet computation for chart kind `kind`: reads its temporary
// file, computes the chart (bodies by ComputeBodies(0, 0, jd), absolute
// longitudes), the scores, and writes MMMaitre.dum, MMMaitr2.dum and
// Dati.dum. Returns false, opening nothing, for a kind with no temporary
// file. Throws IoError when the temporary file is missing.
bool AssembleMasterChart(int kind);
// The scores of the chart in the shared tables (bodies 1..10, cusps), with
// the daily motions given in speed[0..9].
ScoreTable MasterScores(const std::array<long double, 10>& speed);
