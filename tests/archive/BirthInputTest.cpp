// The computations of the birth-data input on a small regime file made
// here: calendar at a place, correction walked, universal time, and the
// texts of the correction.
#include "archive/BirthInput.h"
#include "platform/Errors.h"
#include "platform/RecordFile.h"
#include "shell/DateTexts.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

namespace {

struct TextCase {
    const char* name;
    const char* displayed;
    const char* stored; // nullptr: refused
};

TEST(BirthInputTest, StoredCorrectionHasTheOppositeSignAndAComma)
{
    const TextCase cases[] = {
        {"east of Greenwich", "+1.00", "-1,00"},
        {"west of Greenwich", "-0.50", "+0,50"},
        {"zero shown as 0", "0", "+0"},
        {"zero with decimals", "+0.00", "+0,00"},
        {"unsigned reads as ahead", "1.00", "-1,00"},
        {"two digits of hours", "+10.5", "-10,5"},
        {"comma typed", "-5,50", "+5,50"},
        {"empty", "", nullptr},
        {"letters", "uno", nullptr},
        {"sign alone", "+", nullptr},
    };
    for (const TextCase& c : cases) {
        SCOPED_TRACE(c.name);
        const auto stored = StoredCorrection(c.displayed);
        if (c.stored) {
            ASSERT_TRUE(stored);
            EXPECT_EQ(*stored, c.stored);
        } else {
            EXPECT_FALSE(stored);
        }
    }
}

TEST(BirthInputTest, CorrectionDisplay)
{
    EXPECT_EQ(CorrectionDisplay(1), "+1.00");
    EXPECT_EQ(CorrectionDisplay(-5), "-5.00");
    EXPECT_EQ(CorrectionDisplay(0), "0");
    EXPECT_EQ(CorrectionDisplay(0.832222), "+0.83");
    EXPECT_EQ(CorrectionDisplay(5.75), "+5.75");
}

TEST(BirthInputTest, CalendarFollowsTheCountrysChange)
{
    PlaceRecord italy;
    italy.gregorianFrom = 2299161; // 15/10/1582
    PlaceRecord britain;
    britain.gregorianFrom = 2361222; // 14/09/1752
    EXPECT_EQ(CalendarAt({4, 10, 1582, 12, 0}, italy), 0);
    EXPECT_EQ(CalendarAt({15, 10, 1582, 12, 0}, italy), 1);
    EXPECT_EQ(CalendarAt({1, 6, 1700, 12, 0}, italy), 1);
    EXPECT_EQ(CalendarAt({1, 6, 1700, 12, 0}, britain), 0);
    EXPECT_EQ(CalendarAt({2, 9, 1752, 12, 0}, britain), 0);
    EXPECT_EQ(CalendarAt({14, 9, 1752, 12, 0}, britain), 1);
}

TEST(BirthInputTest, CoordinatesOfTheText)
{
    const auto c = CoordinatesOf("45N28 009E11");
    ASSERT_TRUE(c);
    EXPECT_NEAR(double(c->first), 45 + 28 / 60.0, 1e-12);
    EXPECT_NEAR(double(c->second), 9 + 11 / 60.0, 1e-12);
    const auto s = CoordinatesOf("33S52 151W12");
    ASSERT_TRUE(s);
    EXPECT_LT(s->first, 0);
    EXPECT_LT(s->second, 0);
    EXPECT_FALSE(CoordinatesOf("45N28 009X11"));
}

class ComputeBirthTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const long double rmt = JulianDay(1, 12, 12, 1866, 0, 0);
        const long double cet = JulianDay(1, 1, 11, 1893, 0, 0);
        const long double summer = JulianDay(1, 3, 6, 1940, 0, 0);
        const long double winter = JulianDay(1, 1, 1, 1950, 0, 0);
        RecordFile("Calendar\\00390000.CAL", kRegimeSize)
            .Replace({EncodeRegime({0, "LMT", 0}), EncodeRegime({rmt, "RMT", 0.832222}),
                      EncodeRegime({cet, "CET", 1}), EncodeRegime({summer, "CEST", 2}),
                      EncodeRegime({winter, "CET", 1})});
        RecordFile("Calendar\\00920000.CAL", kRegimeSize).Replace({EncodeRegime({0, "LMT", 0})});
        milano.name = "Milano*MI*";
        milano.longitude = 9.19L;
        milano.regime = 100390000;
    }
    TempFolder dir;
    PlaceRecord milano;
};

TEST_F(ComputeBirthTest, UniversalTimeIsTheLocalClockLessTheCorrection)
{
    const BirthResult r = ComputeBirth({15, 7, 1944, 10, 30}, milano, false);
    EXPECT_EQ(r.correction, 2);
    EXPECT_EQ(r.code, "CEST");
    EXPECT_EQ(r.calendar, 1);
    EXPECT_EQ(r.localJD, JulianDay(1, 15, 7, 1944, 10, 30));
    EXPECT_NEAR(double(r.universalJD), double(JulianDay(1, 15, 7, 1944, 8, 30)), 1e-9);
    EXPECT_EQ(r.regimeLines.size(), 5u);
    EXPECT_EQ(r.regimeIndex, 3) << "the summer-time line is the one in force";
    EXPECT_FALSE(r.regimesEnd);
    EXPECT_TRUE(ComputeBirth({1, 1, 1960, 12, 0}, milano, false).regimesEnd) << "after the last regime known";
}

TEST_F(ComputeBirthTest, LocalMeanTimeOfThePlace)
{
    const BirthResult before = ComputeBirth({1, 1, 1850, 12, 0}, milano, false);
    EXPECT_EQ(before.code, "LMT");
    EXPECT_NEAR(before.correction, 9.19 * 4 / 60, 1e-9);
    const BirthResult asked = ComputeBirth({15, 7, 1944, 10, 30}, milano, true);
    EXPECT_NEAR(asked.correction, 9.19 * 4 / 60, 1e-9);
    EXPECT_EQ(asked.regimeIndex, 0) << "local mean time asked: its line";
    const BirthResult rome = ComputeBirth({1, 1, 1880, 12, 0}, milano, false);
    EXPECT_EQ(rome.code, "RMT");
}

TEST_F(ComputeBirthTest, SpecialZoneAfter1952)
{
    PlaceRecord special = milano;
    special.regime = 100920000;
    EXPECT_EQ(ComputeBirth({1, 1, 1960, 12, 0}, special, false).correction, -5);
    EXPECT_NE(ComputeBirth({1, 1, 1940, 12, 0}, special, false).correction, -5);
}

TEST_F(ComputeBirthTest, MissingRegimeFileIsAnIoError)
{
    PlaceRecord nowhere = milano;
    nowhere.regime = 100110000;
    EXPECT_THROW(ComputeBirth({1, 1, 1960, 12, 0}, nowhere, false), IoError);
}

} // namespace
