#include "astro/Chart.h"

#include "astro/Ephemeris.h"
#include "astro/Houses.h"
#include "core/Angles.h"
#include "core/Calendar.h"
#include "platform/Errors.h"
#include "platform/FloatText.h"
#include "platform/TextFile.h"
#include "shell/Texts.h"

#include <cmath>

namespace {

const char* const kShortNames[kScorePoints] = {"SOL", "LUN", "MER", "VEN", "MAR", "GIO",
                                               "SAT", "URA", "NET", "PLU", "ASC", "MC"};

int ReadWhole(const std::string& text, const char* what)
{
    const std::string t = TrimBlanks(text);
    if (t.empty())
        return 0;
    const std::optional<long long> v = ParseInteger(t);
    if (!v)
        throw ConversionError(text, what);
    return static_cast<int>(*v);
}

} // namespace

const char* ChartTempFileName(int kind)
{
    switch (kind) {
    case kBirthChart: return "FileTmp\\DatiNasc.Tmp";
    case kSolarReturn: return "FileTmp\\DatiRsol.Tmp";
    case kMercuryReturn: return "FileTmp\\DatiRmer.Tmp";
    case kVenusReturn: return "FileTmp\\DatiRven.Tmp";
    case kMarsReturn: return "FileTmp\\DatiRmar.Tmp";
    case kLunarReturn: return "FileTmp\\DatiRlun.Tmp";
    case kNewMoon: return "FileTmp\\DatiLnuo.Tmp";
    default: return nullptr;
    }
}

ChartTempData ReadChartTempFile(int kind)
{
    const char* name = ChartTempFileName(kind);
    if (!name)
        throw IoError("FileTmp", "apertura", "nessun file per la carta " + std::to_string(kind));
    const std::vector<std::string> lines = ReadTextLines(name);
    ChartTempData d;
    d.Label = LineOrEmpty(lines, 0);
    const std::string jd = TrimBlanks(LineOrEmpty(lines, 1));
    std::optional<long double> v = ParseFixedReal(jd);
    if (!v)
        v = ParseLocaleReal(jd);
    if (!v)
        throw ConversionError(jd, "giorno giuliano");
    d.JD = *v;
    return d;
}

void WriteChartTempFile(int kind, const ChartTempData& data)
{
    const char* name = ChartTempFileName(kind);
    if (!name)
        throw IoError("FileTmp", "scrittura", "nessun file per la carta " + std::to_string(kind));
    WriteTextLines(name, {data.Label, DefaultFloatText(data.JD)});
}

ChartMoment CurrentSubjectMoment()
{
    const SubjectState& s = CurrentSubject;
    ChartMoment m;
    m.Zone = s.Zone;
    m.JD = JulianDayNumber(s.Calendar, s.Day, s.Month, s.Year, s.Hour, s.Minute) + s.Zone / 24;
    m.LatitudeDeg = ReadWhole(s.LatDeg, "latitudine") + ReadWhole(s.LatMin, "latitudine") / 60.0L;
    if (s.LatHemi == "S" || s.LatHemi == "s")
        m.LatitudeDeg = -m.LatitudeDeg;
    m.LongitudeDeg = ReadWhole(s.LonDeg, "longitudine") + ReadWhole(s.LonMin, "longitudine") / 60.0L;
    if (s.LonHemi == "W" || s.LonHemi == "O" || s.LonHemi == "w" || s.LonHemi == "o")
        m.LongitudeDeg = -m.LongitudeDeg;
    return m;
}

void ComputeChartHouses(const ChartMoment& m)
{
    const long double lat = std::fmax(-90.0L, std::fmin(90.0L, m.LatitudeDeg));
    const long double latMinutes = std::round(std::fabs(lat) * 60);
    const int latDeg = static_cast<int>(latMinutes / 60);
    const int latMin = static_cast<int>(latMinutes - 60.0L * latDeg);

    // Longitude in whole minutes, east or west; the seconds left over and
    // the universal clock time (with its seconds) go into the hours the
    // sidereal time is computed from: at whole minutes and whole-minute
    // coordinates this is the hour and minute of the moment itself.
    long double lon = std::remainder(m.LongitudeDeg, 360.0L); // -180..180
    const bool west = lon < 0;
    const long double lonAbs = std::fabs(lon);
    const long double lonMinutes = std::floor(lonAbs * 60);
    const int lonDeg = static_cast<int>(lonMinutes / 60);
    const int lonMin = static_cast<int>(lonMinutes - 60.0L * lonDeg);
    const long double rest = lonAbs - lonMinutes / 60; // degrees
    const long double ut = UniversalHours(m.JD) + (west ? -rest : rest) / 15;
    ComputeHouses(1, lonDeg, lonMin, HouseCusps, "N", ut, 0, 0, 0, lat < 0 ? "S" : "N", latMin, latDeg,
                  west ? "O" : "E", m.JD);
}

WholeChart ComputeWholeChart(const ChartMoment& m)
{
    ComputeChartHouses(m); // first: body 13 copies the Ascendant
    ComputeBodiesWithMotion(0, m.JD);
    BodyLongitude[14] = HouseCusps[7];
    BodyLatitude[14] = 0;
    WholeChart c;
    c.JD = m.JD;
    c.SiderealTime = LocalSiderealTime;
    c.EquationOfTime = EquationOfTime;
    c.Hour = ComputePlanetaryHour(m.LatitudeDeg, m.LongitudeDeg, m.Zone, m.JD, BodyLongitude[1], HouseCusps[1],
                                  HouseCusps[10]);
    return c;
}

WholeChart ComputeCurrentSubjectChart() { return ComputeWholeChart(CurrentSubjectMoment()); }

long double FindSunrise(const ChartMoment& place, long double jd0)
{
    // The search works in the shared tables; they come back as they were.
    const ChartTablesScope tables;
    ChartMoment m = place;
    m.JD = jd0;
    ComputeBodiesWithMotion(1, m.JD);
    ComputeChartHouses(m);
    for (int step = 0; step < 2000; ++step) {
        long double d = std::fabs(BodyLongitude[1]) - HouseCusps[1];
        if (d < 0)
            d += 360;
        d /= 2;
        if (d <= 0.2L || std::isnan(d))
            break;
        m.JD += d * 0.0008L;
        ComputeBodiesWithMotion(1, m.JD);
        ComputeChartHouses(m);
    }
    if (m.JD - jd0 > 1)
        m.JD -= std::floor(m.JD - jd0);
    return m.JD;
}

long double FindSunrise()
{
    const ChartMoment m = CurrentSubjectMoment();
    const SubjectState& s = CurrentSubject;
    return FindSunrise(m, JulianDayNumber(s.Calendar, s.Day, s.Month, s.Year, 0, 0) + s.Zone / 24);
}

int RisingSignForAffinity(long double asc)
{
    const long double a = Norm360(std::fabs(asc));
    int sign = SignNumber(a);
    if (30 - (a - 30 * (sign - 1)) < 3)
        sign = sign % 12 + 1;
    return sign;
}

ScoreTable MasterScores(const std::array<long double, 10>& speed)
{
    std::array<long double, kScorePoints> lon {};
    for (int b = 0; b < 10; ++b)
        lon[b] = std::fabs(BodyLongitude[b + 1]);
    lon[10] = HouseCusps[1];
    lon[11] = HouseCusps[10];
    ScoreInput in;
    const std::vector<int> houses = HouseOfBodies(kScorePoints, lon.data(), HouseCusps.data());
    for (int p = 0; p < kScorePoints; ++p) {
        in.Sign[p] = SignNumber(Norm360(lon[p]));
        in.House[p] = p < static_cast<int>(houses.size()) ? houses[p] : 0;
        in.Speed[p] = p < 10 ? speed[p] : 0;
    }
    in.RisingSign = RisingSignForAffinity(HouseCusps[1]);
    return ComputeScores(in);
}

bool AssembleMasterChart(int kind)
{
    if (!ChartTempFileName(kind))
        return false;
    const ChartTempData temp = ReadChartTempFile(kind);
    ChartMoment m = CurrentSubjectMoment();
    m.JD = kind == kBirthChart ? m.JD : temp.JD;

    // Daily motion of the ten bodies from the motion pass a day later.
    ComputeBodies(20, 1, m.JD + 1);
    std::array<long double, 10> later {};
    for (int b = 0; b < 10; ++b)
        later[b] = std::fabs(BodyLongitude[b + 1]);
    ComputeChartHouses(m);
    ComputeBodies(0, 0, m.JD);
    for (int b = 1; b <= 11; ++b)
        BodyLongitude[b] = std::fabs(BodyLongitude[b]);
    std::array<long double, 10> speed {};
    for (int b = 0; b < 10; ++b)
        speed[b] = std::remainder(later[b] - BodyLongitude[b + 1], 360.0L);
    const ScoreTable t = MasterScores(speed);

    // The master planet: the body 1..10 with the highest total (the first
    // of equals).
    int best = 0;
    for (int p = 1; p < 10; ++p)
        if (t.Total[p] > t.Total[best])
            best = p;
    const std::string summary = std::string("PIANETA MAESTRO ") + kShortNames[best];
    const std::string score = "PUNTEGGIO " + std::to_string(t.Total[best]);

    const SubjectState& s = CurrentSubject;
    const std::string dataLine = s.DisplayDate + " " + s.Place + " " + s.CoordText;
    WriteTextLines(kMasterReportFile,
                   {"*MaitreMarbeck*" + s.Name, s.Name, dataLine, temp.Label, summary, score});

    std::vector<std::string> lines {kScoreHeader};
    std::vector<std::string> houseLines;
    for (int k = 0; k < kScoreSections; ++k) {
        lines.emplace_back(kScoreSectionTitles[k]);
        for (int p = 0; p < kScorePoints; ++p) {
            lines.push_back(std::to_string(t.Section[k][p]));
            if (k == 3)
                houseLines.push_back(std::to_string(t.Section[k][p]));
        }
    }
    lines.emplace_back("TOTALE");
    for (int p = 0; p < kScorePoints; ++p)
        lines.push_back(std::to_string(t.Total[p]));
    lines.push_back(summary);
    lines.push_back(score);
    WriteTextLines(kMasterTablesFile, lines);
    WriteTextLines(kHouseScoresFile, houseLines);
    return true;
}
