// The checks of typed birth data: tables of accepted and refused texts.
#include "archive/BirthDataCheck.h"

#include <gtest/gtest.h>

namespace {

TEST(BirthDataCheckTest, DatesAreRealDaysOfTheirCalendar)
{
    struct Good {
        const char* text;
        int calendar, day, month, year;
    };
    const Good good[] = {
        {"15/03/1950", 1, 15, 3, 1950},
        {"29/02/2000", 1, 29, 2, 2000}, // Gregorian: every 400 years
        {"29/02/1900", 0, 29, 2, 1900}, // Julian: every fourth year
        {"31/12/2080", 1, 31, 12, 2080},
        {"1/1/1900", 1, 1, 1, 1900},
    };
    for (const Good& g : good) {
        SCOPED_TRACE(g.text);
        const auto d = ParseBirthDate(g.text, g.calendar);
        ASSERT_TRUE(d);
        EXPECT_EQ(d->day, g.day);
        EXPECT_EQ(d->month, g.month);
        EXPECT_EQ(d->year, g.year);
    }
    const std::pair<const char*, int> bad[] = {
        {"31/02/1950", 1}, {"29/02/1900", 1}, {"29/02/2001", 0}, {"31/04/1950", 1}, {"00/01/1950", 1},
        {"15/00/1950", 1}, {"15/13/1950", 1}, {"32/01/1950", 1}, {"15-03-1950", 1}, {"15/03/50", 1},
        {"15/03/1950x", 1}, {"", 1},          {"aa/bb/cccc", 1}, {"15/03/2081", 1},
    };
    for (const auto& [text, calendar] : bad)
        EXPECT_FALSE(ParseBirthDate(text, calendar)) << text << " calendar " << calendar;
}

TEST(BirthDataCheckTest, TimesRunFromMidnightTo2359)
{
    for (const char* t : {"00:00", "23:59", "9:05"})
        EXPECT_TRUE(ParseBirthTime(t)) << t;
    const auto t = ParseBirthTime("07:45");
    ASSERT_TRUE(t);
    EXPECT_EQ(t->hour, 7);
    EXPECT_EQ(t->minute, 45);
    for (const char* t : {"24:00", "12:60", "1200", "12:5", "", "-1:00", "12:05:00", "ab:cd"})
        EXPECT_FALSE(ParseBirthTime(t)) << t;
}

TEST(BirthDataCheckTest, ZonesAreHoursWithinFourteenWithPointOrComma)
{
    const std::pair<const char*, long double> good[] = {
        {"+1", 1}, {"-5,5", -5.5L}, {"5.75", 5.75L}, {"14", 14}, {"-14", -14}, {"0", 0},
    };
    for (const auto& [text, hours] : good) {
        const auto z = ParseZoneHours(text);
        ASSERT_TRUE(z) << text;
        EXPECT_EQ(*z, hours) << text;
    }
    for (const char* t : {"15", "-14,5", "uno", "", "1,2,3", "1h", "1E1", "1e0"})
        EXPECT_FALSE(ParseZoneHours(t)) << t;
}

TEST(BirthDataCheckTest, CoordinatesHaveTheTwelveCharacterForm)
{
    for (const char* c : {"45N28 009E11", "00S00 000W00", "90N00 180E00", "33S52 151E12"})
        EXPECT_TRUE(ValidCoordText(c)) << c;
    for (const char* c : {"45N60 009E11", "45N28 009E60", "90N01 009E11", "45N28 181E00", "45X28 009E11",
                          "45N28 009N11", "45N28009E11 ", "45N28 009E1", "45N28-009E11", "4aN28 009E11", ""})
        EXPECT_FALSE(ValidCoordText(c)) << c;
}

} // namespace
