// Planetary hour: the rulers of hours and signs, the planetary day around
// sunrise, the hour test on the hour lines, and whole computations for a
// real place (sunrise at the geometric centre of the Sun), polar day and
// night included; sunrise and sunset against the reference ephemeris (Swiss
// Ephemeris, Debian libswe-dev).
#include "astro/Chart.h"
#include "astro/Ephemeris.h"
#include "astro/PlanetaryHour.h"

#include "core/Angles.h"
#include "shell/DateTexts.h"
#include "shell/LongitudeTexts.h"
#include "shell/SharedState.h"

#include <gtest/gtest.h>

#include <swephexp.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

constexpr long double kMinute = 1.0L / 1440;

// Julian day (universal time) of a Gregorian date and UT clock time.
long double Jd(int d, int m, int y, int hh, int mm) { return JulianDay(1, d, m, y, hh, mm); }

struct RulerCase {
    const char* name;
    int hour, weekday, ruler;
};

TEST(PlanetaryHourRulers, HourRulers)
{
    const RulerCase cases[] = {
        {"sunday_first_sun", 1, 0, 1},      {"sunday_second_venus", 2, 0, 4},
        {"monday_first_moon", 1, 1, 2},     {"tuesday_first_mars", 1, 2, 5},
        {"wednesday_first_mercury", 1, 3, 3}, {"thursday_first_jupiter", 1, 4, 6},
        {"friday_first_venus", 1, 5, 4},    {"saturday_first_saturn", 1, 6, 7},
        // Offset 6 + hour 24 runs past the 25 entries of the sequence:
        // the hour before Wednesday's first (Mercury) is Venus's.
        {"tuesday_last_past_sequence", 24, 2, 4}, {"saturday_last", 24, 6, 5},
        {"unknown_hour_no_ruler", 0, 3, 0}, {"hour_25_no_ruler", 25, 3, 0},
    };
    for (const RulerCase& c : cases)
        EXPECT_EQ(HourRuler(c.hour, c.weekday), c.ruler) << c.name;
    // Every day's first hour follows on from the previous day's 24th.
    for (int w = 0; w < 7; ++w) {
        const int next = (w + 1) % 7;
        // Chaldean order: the ruler after hour 24 of day w is hour 1 of w+1.
        const int order[7] = {7, 6, 5, 1, 4, 3, 2};
        int k = 0;
        while (order[k] != HourRuler(24, w))
            ++k;
        EXPECT_EQ(order[(k + 1) % 7], HourRuler(1, next)) << "weekday " << w;
    }
}

TEST(PlanetaryHourRulers, SignRulers)
{
    const int expected[13] = {0, 5, 4, 3, 2, 1, 3, 4, 5, 6, 7, 7, 6};
    for (int sign = 1; sign <= 12; ++sign)
        EXPECT_EQ(SignRuler(sign), expected[sign]) << SignShortName(sign);
    EXPECT_EQ(SignShortName(11), "Acq");
    EXPECT_EQ(SignRuler(11), 7); // Aquarius: Saturn
    EXPECT_EQ(SignShortName(12), "Pes");
    EXPECT_EQ(SignRuler(12), 6); // Pisces: Jupiter
    EXPECT_EQ(SignRuler(0), 0);
}

TEST(PlanetaryHourDay, BeforeSunriseBelongsToThePreviousDay)
{
    // Monday 1 January 2024, clock one hour ahead of universal time.
    const long double zone = -1;
    const long double rise = Jd(1, 1, 2024, 5, 30); // 06:30 local
    EXPECT_EQ(WeekdayOf(Jd(1, 1, 2024, 12, 0)), 1);
    EXPECT_EQ(PlanetaryWeekday(Jd(1, 1, 2024, 4, 0), zone, rise), 0);  // 05:00 local: Sunday's night
    EXPECT_EQ(PlanetaryWeekday(Jd(1, 1, 2024, 6, 0), zone, rise), 1);  // 07:00 local: Monday
    // 06:00 local is before the 06:30 sunrise although 05:00 UT is not
    // before 06:30: both moments compared in the same time.
    EXPECT_EQ(PlanetaryWeekday(Jd(1, 1, 2024, 5, 0), zone, rise), 0);
    EXPECT_EQ(PlanetaryWeekday(rise, zone, rise), 1); // the sunrise opens the new day
}

TEST(PlanetaryHourLines, HourTestFindsTheEnclosingHour)
{
    std::array<long double, 26> b {};
    for (int i = 1; i <= 25; ++i)
        b[i] = Norm360(100 - 15.0L * (i - 1)); // wraps below 0
    EXPECT_EQ(HourNumber(b, 100), 1);
    EXPECT_EQ(HourNumber(b, 100 - 15 * 2.5L), 3);
    EXPECT_EQ(HourNumber(b, Norm360(100 - 15 * 20.5L)), 21);
    EXPECT_EQ(HourNumber(b, 100.5L), 24); // just before the next sunrise line
    b[5] = kNotComputed;
    EXPECT_EQ(HourNumber(b, 100 - 15 * 6.5L), 0);
}

class PlanetaryHourPlace : public ::testing::Test {
protected:
    void SetUp() override { EphemerisCorrectionTablesEnabled = false; }
    void TearDown() override { EphemerisCorrectionTablesEnabled = true; }
    // Milan, 45 28' N, 9 11' E.
    const long double lat = 45 + 28 / 60.0L, lon = 9 + 11 / 60.0L;
};

TEST_F(PlanetaryHourPlace, SunriseAndSunsetAtTheGeometricCentre)
{
    // Milan, 21 June 2024: almanac sunrise 05:35, sunset 21:15 CEST (upper
    // limb with 34' refraction); the centre at true altitude 0 crosses about
    // 5 minutes after the rise and before the set.
    const auto day = FindSunDay(lat, lon, -2, Jd(21, 6, 2024, 10, 0));
    ASSERT_TRUE(day);
    EXPECT_NEAR(static_cast<double>(day->Rise), static_cast<double>(Jd(21, 6, 2024, 3, 40)), 4 * kMinute);
    EXPECT_NEAR(static_cast<double>(day->Set), static_cast<double>(Jd(21, 6, 2024, 19, 10)), 4 * kMinute);
    EXPECT_NEAR(static_cast<double>(SunAltitude(lat, lon, day->Rise)), 0, 1e-4);
    EXPECT_LT(SunAltitude(lat, lon, day->Rise - 5 * kMinute), 0);
    EXPECT_GT(SunAltitude(lat, lon, day->Rise + 5 * kMinute), 0);
    EXPECT_NEAR(static_cast<double>(day->NextRise - day->Rise), 1.0, 5 * kMinute);
}

TEST_F(PlanetaryHourPlace, BirthsThroughTheDay)
{
    // Milan, Monday 1 January 2024 (CET, clock + (-1) = UT). Sunrise is near
    // 08:00 local, sunset near 16:50: a day hour of about 44 minutes.
    struct Case {
        const char* name;
        int hh, mm; // local clock time
        int weekday;
        bool day;
    } cases[] = {
        {"before_sunrise_sunday_night", 5, 0, 0, false},
        {"morning_monday_day", 10, 0, 1, true},
        {"evening_monday_night", 20, 0, 1, false},
    };
    for (const Case& c : cases) {
        const long double jd = Jd(1, 1, 2024, c.hh - 1, c.mm);
        ComputeBodies(1, 0, jd);
        const PlanetaryHourResult r = ComputePlanetaryHour(lat, lon, -1, jd, BodyLongitude[1], 315, 230);
        ASSERT_TRUE(r.Known()) << c.name;
        EXPECT_EQ(r.Weekday, c.weekday) << c.name;
        EXPECT_EQ(r.DayHour(), c.day) << c.name;
        EXPECT_EQ(r.Ruler, HourRuler(r.Number, r.Weekday)) << c.name;
        // The boundaries of the found hour, by time, enclose the birth.
        const auto sd = FindSunDay(lat, lon, -1, jd);
        ASSERT_TRUE(sd);
        const int i = r.Number;
        const long double start = i <= 12 ? sd->Rise + (i - 1) * (sd->Set - sd->Rise) / 12
                                          : sd->Set + (i - 13) * (sd->NextRise - sd->Set) / 12;
        const long double len = i <= 12 ? (sd->Set - sd->Rise) / 12 : (sd->NextRise - sd->Set) / 12;
        EXPECT_LE(start, jd) << c.name;
        EXPECT_LT(jd, start + len) << c.name;
        EXPECT_EQ(r.AscSign, 11);
        EXPECT_EQ(r.AscRuler, 7);
        EXPECT_EQ(r.McSign, 8);
        EXPECT_EQ(r.McRuler, 5);
    }
    // Monday's first hour, just after sunrise, is the Moon's.
    const auto sd = FindSunDay(lat, lon, -1, Jd(1, 1, 2024, 11, 0));
    ASSERT_TRUE(sd);
    const long double jd = sd->Rise + 2 * kMinute;
    ComputeBodies(1, 0, jd);
    const PlanetaryHourResult first = ComputePlanetaryHour(lat, lon, -1, jd, BodyLongitude[1], 0, 0);
    EXPECT_EQ(first.Number, 1);
    EXPECT_EQ(first.Weekday, 1);
    EXPECT_EQ(first.Ruler, 2);
    const std::vector<std::string> text = PlanetaryHourText(first);
    ASSERT_EQ(text.size(), 7u);
    EXPECT_EQ(text[0], "Lunedì");
    EXPECT_EQ(text[1], "Ora Planetaria: 1 Diurna");
    EXPECT_EQ(text[2], "Governata dalla Luna");
    EXPECT_EQ(text[3], "Ascendente Ari");
    EXPECT_EQ(text[4], "Governato di Marte");
}

TEST_F(PlanetaryHourPlace, PolarDayAndNightLeaveTheHourUnknown)
{
    const struct {
        const char* name;
        long double lat;
        int month;
    } cases[] = {{"polar_day_80N", 80, 6}, {"polar_night_80N", 80, 12}, {"north_pole", 90, 6},
                 {"south_pole", -90, 6}};
    for (const auto& c : cases) {
        const long double jd = Jd(21, c.month, 2024, 12, 0);
        ComputeBodies(1, 0, jd);
        const PlanetaryHourResult r = ComputePlanetaryHour(c.lat, 15, -1, jd, BodyLongitude[1], 100, 10);
        EXPECT_FALSE(r.Known()) << c.name;
        EXPECT_EQ(r.Number, 0) << c.name;
        EXPECT_EQ(r.Ruler, 0) << c.name;
        EXPECT_EQ(r.DisplayNumber(), 0) << c.name;
        EXPECT_EQ(PlanetaryHourText(r).front(), "Ora Planetaria: sconosciuta") << c.name;
        EXPECT_EQ(r.AscRuler, 2) << c.name; // the angles' rulers are still given (Cancer: Moon)
    }
}

// The reference's rise or set (swe_rise_trans: the centre of the disc at
// true altitude 0, no refraction, geocentric) searched from `from`.
double ReferenceCrossing(long double lat, long double lon, long double from, bool rise)
{
    double geopos[3] = {static_cast<double>(lon), static_cast<double>(lat), 0};
    double t = 0;
    char err[AS_MAXCH] = {};
    const int flags = SE_BIT_DISC_CENTER | SE_BIT_NO_REFRACTION | SE_BIT_GEOCTR_NO_ECL_LAT;
    if (swe_rise_trans(static_cast<double>(from), SE_SUN, nullptr, SEFLG_SWIEPH, (rise ? SE_CALC_RISE : SE_CALC_SET) | flags,
                       geopos, 0, 0, &t, err) != 0)
        return NAN;
    return t;
}

// Sunrise and sunset of the planetary day against the reference's,
// 1900-2100, from the equator to 65 degrees north and south: within seconds
// (the Suns differ by a few arc-seconds, the Delta T by up to a minute and a
// half).
TEST_F(PlanetaryHourPlace, RiseAndSetMatchTheReference)
{
    char path[] = "/usr/share/libswe/ephe";
    swe_set_ephe_path(path);
    double worst = 0;
    int days = 0;
    for (long double latitude : {0.0L, 23.4L, 45.47L, 60.0L, 65.0L, -34.6L, -65.0L})
        for (long double jd = Jd(1, 1, 1900, 7, 30); jd < Jd(1, 1, 2100, 0, 0); jd += 731.37L) {
            const auto day = FindSunDay(latitude, lon, -1, jd);
            ASSERT_TRUE(day) << static_cast<double>(latitude) << " " << static_cast<double>(jd);
            ++days;
            for (const auto& [ours, rise] : {std::pair {day->Rise, true}, std::pair {day->Set, false},
                                             std::pair {day->NextRise, true}}) {
                const double ref = ReferenceCrossing(latitude, lon, ours - 0.1L, rise);
                ASSERT_FALSE(std::isnan(ref));
                worst = std::max(worst, std::fabs(ref - static_cast<double>(ours)) * 86400);
            }
        }
    std::printf("Sunrise and sunset of %d days against the reference: largest difference %.2f s\n", days, worst);
    EXPECT_LE(worst, 5);
}

// Near the midnight sun the Sun dips under the horizon for a few minutes
// around its lower transit, when the declination of its upper transit
// would not let it: 67 degrees north, the night after 9 June 1957, of 24
// minutes.
TEST_F(PlanetaryHourPlace, ShortNightNearTheMidnightSun)
{
    char path[] = "/usr/share/libswe/ephe";
    swe_set_ephe_path(path);
    const long double jd = Jd(9, 6, 1957, 1, 40);
    const auto day = FindSunDay(67, lon, -1, jd);
    ASSERT_TRUE(day);
    EXPECT_NEAR(static_cast<double>((day->NextRise - day->Set) * 1440), 24, 2);
    EXPECT_NEAR(ReferenceCrossing(67, lon, day->Set - 0.1L, false), static_cast<double>(day->Set), 5 / 86400.0);
    EXPECT_NEAR(ReferenceCrossing(67, lon, day->Set, true), static_cast<double>(day->NextRise), 5 / 86400.0);
}

TEST_F(PlanetaryHourPlace, AscendantSunriseSearchAgreesFromAnyStartBeforeSunrise)
{
    ChartMoment milan;
    milan.LatitudeDeg = lat;
    milan.LongitudeDeg = lon;
    milan.Zone = -1;
    HouseSystemSetting = "PLACIDO";
    const auto sd = FindSunDay(lat, lon, -1, Jd(15, 3, 2024, 12, 0));
    ASSERT_TRUE(sd);
    // The search works in the shared chart tables and puts them back.
    BodyLongitude.fill(1);
    HouseCusps.fill(2);
    LocalSiderealTime = 3;
    for (int startHour : {-1, 1, 3, 5}) { // UT: 00:00 .. 06:00 local
        const long double rise = FindSunrise(milan, Jd(15, 3, 2024, 0, 0) + startHour / 24.0L);
        // Stops within 0.4 degrees of the Ascendant: under two minutes.
        EXPECT_NEAR(static_cast<double>(rise), static_cast<double>(sd->Rise), 3 * kMinute) << startHour;
        EXPECT_EQ(BodyLongitude[1], 1) << startHour;
        EXPECT_EQ(HouseCusps[1], 2) << startHour;
        EXPECT_EQ(LocalSiderealTime, 3) << startHour;
    }
}

} // namespace
