#include "astro/PlanetaryHour.h"

#include "astro/Ephemeris.h"
#include "astro/Houses.h"
#include "core/Angles.h"
#include "core/Calendar.h"
#include "shell/LongitudeTexts.h"

#include <cmath>

namespace {

// Hour-ruler sequence, index 1..25: Sun, Venus, Mercury, Moon, Saturn,
// Jupiter, Mars repeating.
constexpr int kSequence[26] = {0, 1, 4, 3, 2, 7, 6, 5, 1, 4, 3, 2, 7, 6, 5, 1, 4, 3, 2, 7, 6, 5, 1, 4, 3, 2};
// Offset of each weekday (Sunday .. Saturday) into the sequence.
constexpr int kWeekdayOffset[7] = {0, 3, 6, 2, 5, 1, 4};
// Ruler of Aries .. Pisces.
constexpr int kSignRuler[13] = {0, 5, 4, 3, 2, 1, 3, 4, 5, 6, 7, 7, 6};

const char* const kWeekdayName[7] = {"Domenica", "Lunedì", "Martedì", "Mercoledì", "Giovedì", "Venerdì", "Sabato"};
const char* const kGoverningPhrase[8] = {"",         "dal Sole", "dalla Luna", "da Mercurio",
                                         "da Venere", "da Marte", "da Giove",   "da Saturno"};
const char* const kGenitive[8] = {"", "del Sole", "della Luna", "di Mercurio", "di Venere", "di Marte", "di Giove",
                                  "di Saturno"};

// Moment of the altitude's crossing of 0 between a and b (opposite signs).
long double Crossing(long double lat, long double lon, long double a, long double b)
{
    long double fa = SunAltitude(lat, lon, a);
    for (int k = 0; k < 50 && b - a > 1e-8L; ++k) {
        const long double m = (a + b) / 2;
        const long double fm = SunAltitude(lat, lon, m);
        if ((fm < 0) == (fa < 0)) {
            a = m;
            fa = fm;
        } else {
            b = m;
        }
    }
    return (a + b) / 2;
}

} // namespace

int WeekdayOf(long double jd)
{
    const long double x = (jd + 1.5L) / 7;
    int w = static_cast<int>((x - std::floor(x)) * 7);
    return w < 0 ? 0 : (w > 6 ? 6 : w);
}

int PlanetaryWeekday(long double jdBirth, long double zoneHours, long double jdRise)
{
    // Both moments in universal time; the weekday of the local date. A
    // birth at the sunrise itself opens the new day (its hour 1).
    if (jdRise > jdBirth)
        return WeekdayOf(jdBirth - 1 - zoneHours / 24);
    return WeekdayOf(jdRise - zoneHours / 24);
}

int HourNumber(const std::array<long double, 26>& b, long double sun)
{
    for (int i = 1; i <= 24; ++i) {
        if (std::isnan(b[i]) || std::isnan(b[i + 1]) || std::isnan(sun))
            return 0;
        if (Norm360(b[i] - b[i + 1]) >= Norm360(b[i] - sun))
            return i;
    }
    return 0;
}

int HourRuler(int hour, int weekday)
{
    if (hour < 1 || hour > 24 || weekday < 0 || weekday > 6)
        return 0;
    // The sequence repeats every seven entries; hours late in a day whose
    // offset is large run past its 25 entries and continue the repetition.
    return kSequence[(hour + kWeekdayOffset[weekday] - 1) % 7 + 1];
}

int SignRuler(int sign) { return sign >= 1 && sign <= 12 ? kSignRuler[sign] : 0; }

long double SunAltitude(long double lat, long double lon, long double jd)
{
    const ephemeris::FundamentalArguments fa = ephemeris::ComputeFundamentalArguments(jd);
    const ephemeris::SunResult sun = ephemeris::SunTheory(fa);
    const ephemeris::Equatorial eq = ephemeris::ToEquatorial(fa, std::fabs(sun.Longitude), 0);
    const long double lst = houses::LocalSiderealHours(jd, UniversalHours(jd), Norm360(lon));
    const long double h = 15 * lst - eq.RightAscension;
    const long double s = SinDeg(lat) * SinDeg(eq.Declination) + CosDeg(lat) * CosDeg(eq.Declination) * CosDeg(h);
    return RadToDeg(std::asin(std::fmax(-1.0L, std::fmin(1.0L, s))));
}

std::optional<SunDay> FindSunDay(long double lat, long double lon, long double zone, long double jdBirth)
{
    if (std::isnan(lat) || std::isnan(lon) || std::isnan(jdBirth))
        return std::nullopt;
    // Every crossing within a day and a half either side, found on a
    // 10-minute grid and refined by bisection.
    std::vector<std::pair<long double, bool>> events; // moment, true for a rise
    constexpr long double kStep = 1.0L / 144;
    long double t0 = jdBirth - 1.5L;
    long double f0 = SunAltitude(lat, lon, t0);
    for (int k = 1; k <= 432; ++k) {
        const long double t1 = jdBirth - 1.5L + k * kStep;
        const long double f1 = SunAltitude(lat, lon, t1);
        if ((f0 < 0) != (f1 < 0))
            events.emplace_back(Crossing(lat, lon, t0, t1), f1 >= 0);
        t0 = t1;
        f0 = f1;
    }
    SunDay day;
    int riseIndex = -1;
    for (std::size_t k = 0; k < events.size(); ++k)
        if (events[k].second && events[k].first <= jdBirth)
            riseIndex = static_cast<int>(k);
    if (riseIndex < 0 || riseIndex + 2 >= static_cast<int>(events.size()))
        return std::nullopt;
    const auto& set = events[riseIndex + 1];
    const auto& next = events[riseIndex + 2];
    if (set.second || !next.second)
        return std::nullopt;
    day.Rise = events[riseIndex].first;
    day.Set = set.first;
    day.NextRise = next.first;
    const long double civil = std::floor(jdBirth - zone / 24 + 0.5L);
    for (const auto& e : events)
        if (e.second && std::floor(e.first - zone / 24 + 0.5L) == civil)
            day.RiseOfCivilDay = e.first;
    return day;
}

std::array<long double, 26> HourLines(const SunDay& day, long double jdBirth, long double sunLongitude)
{
    std::array<long double, 26> b {};
    const long double span = day.NextRise - day.Rise;
    for (int i = 1; i <= 25; ++i) {
        const long double start = i <= 13 ? day.Rise + (i - 1) * (day.Set - day.Rise) / 12
                                          : day.Set + (i - 13) * (day.NextRise - day.Set) / 12;
        b[i] = Norm360(sunLongitude + 360 * (jdBirth - start) / span);
    }
    return b;
}

PlanetaryHourResult ComputePlanetaryHour(long double lat, long double lon, long double zone, long double jdBirth,
                                         long double sunLongitude, long double ascLongitude, long double mcLongitude)
{
    PlanetaryHourResult r;
    if (!std::isnan(ascLongitude)) {
        r.AscSign = SignNumber(Norm360(std::fabs(ascLongitude)));
        r.AscRuler = SignRuler(r.AscSign);
    }
    if (!std::isnan(mcLongitude)) {
        r.McSign = SignNumber(Norm360(std::fabs(mcLongitude)));
        r.McRuler = SignRuler(r.McSign);
    }
    const std::optional<SunDay> day = FindSunDay(lat, lon, zone, jdBirth);
    if (!day || std::isnan(sunLongitude))
        return r;
    const long double sun = Norm360(std::fabs(sunLongitude));
    r.Number = HourNumber(HourLines(*day, jdBirth, sun), sun);
    if (!r.Known()) {
        r.Number = 0;
        return r;
    }
    r.Weekday = day->RiseOfCivilDay ? PlanetaryWeekday(jdBirth, zone, *day->RiseOfCivilDay)
                                    : WeekdayOf(day->Rise - zone / 24);
    r.Ruler = HourRuler(r.Number, r.Weekday);
    return r;
}

std::vector<std::string> PlanetaryHourText(const PlanetaryHourResult& r)
{
    std::vector<std::string> lines;
    if (r.Known()) {
        lines.emplace_back(kWeekdayName[r.Weekday]);
        lines.push_back("Ora Planetaria: " + std::to_string(r.DisplayNumber()) +
                        (r.DayHour() ? " Diurna" : " Notturna"));
        lines.push_back(std::string("Governata ") + kGoverningPhrase[r.Ruler]);
    } else {
        lines.emplace_back("Ora Planetaria: sconosciuta");
    }
    if (r.AscSign) {
        lines.push_back("Ascendente " + SignShortName(r.AscSign));
        lines.push_back(std::string("Governato ") + kGenitive[r.AscRuler]);
    }
    if (r.McSign) {
        lines.push_back("Mediocielo " + SignShortName(r.McSign));
        lines.push_back(std::string("Governato ") + kGenitive[r.McRuler]);
    }
    return lines;
}
