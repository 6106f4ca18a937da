#include "astro/PlanetaryHour.h"

#include "astro/DegreeTrig.h"
#include "astro/EarthRotation.h"
#include "astro/Ephemeris.h"
#include "astro/Houses.h"
#include "core/Angles.h"
#include "core/Calendar.h"
#include "shell/LongitudeTexts.h"

#include <algorithm>
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

long double Frac(long double x) { return x - std::floor(x); }

// Degrees to -180..180.
long double Wrap180(long double x) { return x - 360 * std::floor(x / 360 + 0.5L); }

// The Sun around a birth for the rise and set searches: its apparent
// longitude from the theory at the birth and a day and a half either side,
// interpolated quadratically between (within 0.1" over the days searched),
// and the true obliquity and the equation of the equinoxes of the birth
// (nutation moves them by milli-arcseconds in a day).
class SunTrack {
public:
    SunTrack(long double lat, long double lon, long double jd) : lon_(Norm360(lon)), jd_(jd)
    {
        for (int k = 0; k < 3; ++k)
            lambda_[k] = ephemeris::SunLongitude(jd + (k - 1) * kSpan);
        // Unwrapped across 0 Aries.
        lambda_[0] = lambda_[1] + Wrap180(lambda_[0] - lambda_[1]);
        lambda_[2] = lambda_[1] + Wrap180(lambda_[2] - lambda_[1]);
        const earth::EquatorOfDate e = earth::EquatorAt(jd);
        trig::SinCosd(e.TrueObliquity, sinEps_, cosEps_);
        lst_ = 15 * houses::LocalSiderealHours(jd, 24 * Frac(jd - 0.5L), lon_) + e.EquationOfEquinoxes;
        tanLat_ = trig::Tand(lat);
    }

    struct Place {
        long double hourAngle;   // degrees -180..180, positive west of the meridian
        long double cosRiseAngle; // cosine of the hour angle of rise and set (beyond -1..1: none)
    };
    Place At(long double t) const
    {
        const long double x = (t - jd_) / kSpan; // -1, 0, 1 at the nodes
        const long double l =
            lambda_[1] + x * (lambda_[2] - lambda_[0]) / 2 + x * x * (lambda_[2] - 2 * lambda_[1] + lambda_[0]) / 2;
        long double sinL = 0, cosL = 0;
        trig::SinCosd(l, sinL, cosL);
        const long double ra = trig::Atan2(cosEps_ * sinL, cosL) / trig::kRadPerDeg;
        const long double sinDecl = sinEps_ * sinL;
        const long double tanDecl = sinDecl / std::sqrt(1 - sinDecl * sinDecl);
        // Sidereal time turns 360.98564736629 degrees a day (the precession
        // in it moves 0.25" in two days: within the rate).
        const long double lst = lst_ + 360.98564736629L * (t - jd_);
        return {Wrap180(lst - ra), -tanLat_ * tanDecl};
    }

    // The moment near `guess` at which the Sun's centre rises (or sets):
    // its hour angle minus (plus) the semi-arc, corrected until the step is
    // below a millisecond; nothing when the Sun keeps above or below the
    // horizon there.
    std::optional<long double> Crossing(long double guess, bool rise) const
    {
        long double t = guess;
        for (int k = 0; k < 8; ++k) {
            const Place p = At(t);
            if (!(std::fabs(p.cosRiseAngle) <= 1))
                return std::nullopt;
            const long double semiArc = std::acos(static_cast<double>(p.cosRiseAngle)) / trig::kRadPerDeg;
            // The hour angle grows by 360 degrees in a solar day.
            const long double step = Wrap180((rise ? -semiArc : semiArc) - p.hourAngle) / 360;
            t += step;
            if (std::fabs(step) < 1e-8L)
                return t;
        }
        return t;
    }

    // The moment of the upper transit nearest t.
    long double Transit(long double t) const
    {
        for (int k = 0; k < 2; ++k)
            t -= At(t).hourAngle / 360;
        return t;
    }

private:
    static constexpr long double kSpan = 1.5L; // days between the nodes
    long double lon_, jd_;
    long double lambda_[3] {};
    long double sinEps_ = 0, cosEps_ = 1, lst_ = 0, tanLat_ = 0;
};

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
    const earth::EquatorOfDate e = earth::EquatorAt(jd);
    long double sinL = 0, cosL = 0, sinEps = 0, cosEps = 0;
    trig::SinCosd(std::fabs(sun.Longitude), sinL, cosL);
    trig::SinCosd(e.TrueObliquity, sinEps, cosEps);
    const long double ra = trig::Atan2(cosEps * sinL, cosL) / trig::kRadPerDeg;
    const long double decl = trig::Asin(sinEps * sinL) / trig::kRadPerDeg;
    const long double lst = houses::ApparentLocalSiderealHours(jd, 24 * Frac(jd - 0.5L), Norm360(lon));
    const long double h = 15 * lst - ra;
    const long double s = trig::Sind(lat) * trig::Sind(decl) + trig::Cosd(lat) * trig::Cosd(decl) * trig::Cosd(h);
    return RadToDeg(std::asin(std::fmax(-1.0L, std::fmin(1.0L, s))));
}

std::optional<SunDay> FindSunDay(long double lat, long double lon, long double zone, long double jdBirth)
{
    if (std::isnan(lat) || std::isnan(lon) || std::isnan(jdBirth) || std::fabs(lat) >= 90)
        return std::nullopt;
    // Every rise and set within a day and a half either side: the rise and
    // the set of each solar day around the transit nearest the birth, from
    // the semi-arc at its upper transit, refined by the hour angle. Near the
    // midnight sun, where the Sun dips below the horizon only around its
    // lower transit, the declination of the upper one may not let it: the
    // semi-arc is then taken at the lower transit before the rise (after the
    // set).
    const SunTrack sun(lat, lon, jdBirth);
    const long double transit = sun.Transit(jdBirth);
    std::vector<std::pair<long double, bool>> events; // moment, true for a rise
    auto semiArcAt = [&](long double t) -> std::optional<long double> {
        const SunTrack::Place p = sun.At(t);
        if (!(std::fabs(p.cosRiseAngle) <= 1))
            return std::nullopt;
        return std::acos(static_cast<double>(p.cosRiseAngle)) / trig::kRadPerDeg;
    };
    for (int day = -2; day <= 2; ++day) {
        const long double noon = transit + day;
        const std::optional<long double> atNoon = semiArcAt(noon);
        for (const bool rise : {true, false}) {
            const long double midnight = noon + (rise ? -0.5L : 0.5L);
            std::optional<long double> guess;
            if (atNoon) {
                guess = noon + (rise ? -*atNoon : *atNoon) / 360;
            } else if (const std::optional<long double> atMidnight = semiArcAt(midnight)) {
                guess = midnight + (rise ? 180 - *atMidnight : *atMidnight - 180) / 360;
            }
            if (!guess)
                continue;
            const std::optional<long double> e = sun.Crossing(*guess, rise);
            if (e && *e >= jdBirth - 1.5L && *e <= jdBirth + 1.5L)
                events.emplace_back(*e, rise);
        }
    }
    std::sort(events.begin(), events.end());
    // A crossing reached from two guesses counts once.
    events.erase(std::unique(events.begin(), events.end(),
                             [](const auto& a, const auto& b) {
                                 return a.second == b.second && b.first - a.first < 1e-6L;
                             }),
                 events.end());
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
