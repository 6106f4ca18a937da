// The shell's common helpers: texts, date texts of Julian days, the fields
// of the current subject, longitude and sign texts, the wheel radii and the
// ephemeris range.
#include "shell/UnServizi.h"

#include "platform/FileSystem.h"
#include "shell/SharedState.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <cmath>
#include <ctime>
#include <filesystem>
#include <string>
#include <utility>
#include <stdexcept>
#include <vector>

namespace {

// Every test starts from known shared state and leaves it as it found it.
class UnServiziTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        CurrentSubject = SubjectState {};
        InputCalendar = 1;
    }

private:
    const CurrentSubjectScope subject_;
    const SharedStateScope<std::uint8_t, InputCalendar> calendar_;
    const ChartTablesScope tables_;
    const PrintContextScope context_;
    const DrawingScope drawing_;
};

long double Dms(long double deg, long double min, long double sec)
{
    return deg + min / 60 + sec / 3600;
}

// ---- Texts -----------------------------------------------------------------

TEST_F(UnServiziTest, SmallTextHelpers)
{
    std::string s = "città ab-z";
    UpperCaseInPlace(s);
    EXPECT_EQ(s, "CITTà AB-Z"); // accented letters are left alone

    EXPECT_EQ(RepeatChar(3, '-'), "---");
    EXPECT_EQ(RepeatChar(0, '-'), "");
    EXPECT_EQ(RepeatChar(-2, '-'), "");

    EXPECT_EQ(TrimRightBlanks("  ab c  "), "  ab c");
    EXPECT_EQ(TrimBlanks("  ab c  "), "ab c");
    EXPECT_EQ(TrimBlanks("    "), "");
    EXPECT_EQ(TrimRightBlanks(""), "");
    // Results are 80-character fields, and the cut leaves no trailing blank.
    EXPECT_EQ(TrimBlanks("   " + std::string(100, 'x')), std::string(80, 'x'));
    EXPECT_EQ(TrimRightBlanks(std::string(79, 'x') + " y"), std::string(79, 'x'));

    EXPECT_EQ(PointToComma("45.5.1"), "45,5,1");
    EXPECT_EQ(PointToComma(std::string(90, '.')), std::string(80, ','));
    EXPECT_EQ(CommaToPoint("-5,5"), "-5.5");
    std::string r = "a*b*";
    ReplaceChar(r, '*', '#');
    EXPECT_EQ(r, "a#b#");
}

TEST_F(UnServiziTest, ZeroPad)
{
    struct Case {
        const char* name;
        long long n;
        int width;
        const char* expected;
    } cases[] = {
        {"padded", 5, 2, "05"},
        {"zero", 0, 4, "0000"},
        {"longer than width kept whole", 12345, 2, "12345"},
        {"width capped at five", 7, 9, "00007"},
        {"no padding for width 0", 42, 0, "42"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ZeroPad(c.n, c.width), c.expected);
    }
}

TEST_F(UnServiziTest, StripTrailingJunk)
{
    struct Case {
        const char* name;
        std::string in;
        std::string expected;
    } cases[] = {
        {"dashes", "Milano--", "Milano"},
        {"blank and bang", "Forlì !", "Forlì"},
        {"accented vowels kept", "Città", "Città"},
        {"all accented vowels kept", "xàéèùòì", "xàéèùòì"},
        {"other accented letters are junk", "Zoë", "Zo"},
        {"closing bracket and point kept", "Roma(RM).", "Roma(RM)."},
        {"star is junk", "Roma*RM*", "Roma*RM"},
        {"at most ten removed", "Nome" + std::string(12, '-'), "Nome--"},
        {"only junk, fewer than ten", "-----", ""},
        {"empty", "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(StripTrailingJunk(c.in), c.expected);
    }
}

TEST_F(UnServiziTest, PlaceDisplay)
{
    struct Case {
        const char* name;
        std::string in;
        std::string expected;
    } cases[] = {
        {"province in brackets", "Roma*RM*", "Roma(RM)"},
        {"doubled blanks collapse", "San   Donato *MI*", "San Donato (MI)"},
        {"every later star closes", "a*b*c*", "a(b)c)"},
        {"no stars", "Milano", "Milano"},
        {"empty", "", ""},
        {"cut to 80", std::string(100, 'x'), std::string(80, 'x')},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(PlaceDisplay(c.in), c.expected);
    }
}

TEST_F(UnServiziTest, FixedDigits)
{
    struct Case {
        const char* name;
        int n;
        long double x;
        const char* expected;
    } cases[] = {
        {"julian day", 7, 2461383.5L, "2461383"},
        {"julian day with fraction", 9, 2461383.5L, "2461383.5"},
        {"one", 4, 1, "1.00"},
        {"small value gets leading zeros", 4, 0.05L, "0.05"},
        {"smaller value", 6, 0.00125L, "0.0012"},
        {"trailing zeros from the mantissa", 4, 5.5L, "5.50"},
        {"no sign", 4, -5.5L, "5.50"},
        {"two whole digits", 4, 10, "10.0"},
        {"zero", 4, 0, "0.00"},
        {"longer than the mantissa", 30, 1, "1.00000000000000"},
        {"nothing for n 0", 0, 3, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(FixedDigits(c.n, c.x), c.expected);
    }
}

// ---- Dates -----------------------------------------------------------------

TEST_F(UnServiziTest, JulianDay)
{
    struct Case {
        const char* name;
        int calendar;
        long double day, month, year, hour, minute;
        long double expected;
        bool inRange;
    } cases[] = {
        {"J2000 noon", 1, 1, 1, 2000, 12, 0, 2451545.0L, true},
        {"first day of the ephemeris", 1, 1, 1, 1850, 0, 0, 2396758.5L, true},
        {"last day of the ephemeris", 1, 31, 12, 2080, 0, 0, 2481129.5L, true},
        {"minute before the ephemeris", 1, 31, 12, 1849, 23, 59, 2396758.5L - 1.0L / 1440, false},
        {"minute after the ephemeris", 1, 31, 12, 2080, 0, 1, 2481129.5L + 1.0L / 1440, false},
        {"minutes count", 1, 15, 3, 1950, 12, 30, 2433356.0L + 1.0L / 48, true},
        {"julian calendar", 0, 4, 10, 1582, 0, 0, 2299159.5L, false},
        {"gregorian rule even before 1582", 1, 4, 10, 1582, 0, 0, 2299149.5L, false},
        {"negative year", 0, 1, 1, -4712, 12, 0, 0.0L, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CurrentSubject.InEphemerisRange = !c.inRange;
        EXPECT_NEAR(static_cast<double>(JulianDay(c.calendar, c.day, c.month, c.year, c.hour, c.minute)),
                    static_cast<double>(c.expected), 1e-9);
        EXPECT_EQ(CurrentSubject.InEphemerisRange, c.inRange);
    }
}

TEST_F(UnServiziTest, JDToText)
{
    struct Case {
        const char* name;
        long double jd;
        const char* expected;
    } cases[] = {
        {"J2000 noon", 2451545.0L, "01/01/2000 12:00"},
        {"half past noon", 2433356.0L + 1.0L / 48, "15/03/1950 12:30"},
        {"over half a minute rounds up", 2451545.0L + 31.0L / 86400, "01/01/2000 12:01"},
        {"under half a minute rounds down", 2451545.0L + 29.0L / 86400, "01/01/2000 12:00"},
        {"minutes rounding to 60 move to the next hour", 2451545.0L + (59 * 60 + 45) / 86400.0L, "01/01/2000 13:00"},
        {"and across midnight to the next day", 2451544.5L - 15 / 86400.0L, "01/01/2000 00:00"},
        {"first gregorian day", 2299160.5L, "15/10/1582 00:00"},
        {"last julian day", 2299159.5L, "04/10/1582 00:00"},
        {"end of the ephemeris", 2481129.5L, "31/12/2080 00:00"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(JDToText(c.jd), c.expected);
    }
}

TEST_F(UnServiziTest, JDToTextCalFollowsTheInputCalendar)
{
    InputCalendar = 0;
    EXPECT_EQ(JDToTextCal(2451545.0L), "19/12/1999 12:00");
    EXPECT_EQ(JDToTextCal(2451545.0L + (59 * 60 + 45) / 86400.0L), "19/12/1999 13:00");
    InputCalendar = 1;
    EXPECT_EQ(JDToTextCal(2451545.0L), "01/01/2000 12:00");
    EXPECT_EQ(JDToTextCal(2299159.5L), "14/10/1582 00:00");
}

TEST_F(UnServiziTest, DateTextsSurviveBadNumbers)
{
    EXPECT_NO_THROW(JDToText(std::nanl("")));
    EXPECT_NO_THROW(JDToText(1e30L));
    EXPECT_NO_THROW(JDToText(-1e30L));
}

// Today on a fixed clock: the date as dd/mm/yyyy, day and month padded,
// and the Julian day of its 0h.
TEST_F(UnServiziTest, TodayOnAFixedClock)
{
    struct Case {
        const char* name;
        FileSystem::LocalTime now;
        const char* text;
        long double jd;
    } cases[] = {
        {"day and month padded", {2027, 3, 5, 9, 7, 0}, "05/03/2027", 2461469.5L},
        {"last minute of the year", {2026, 12, 31, 23, 59, 59}, "31/12/2026", 2461405.5L},
        {"J2000 at 0h", {2000, 1, 1, 0, 0, 0}, "01/01/2000", 2451544.5L},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FileSystem::FixClock(c.now);
        EXPECT_EQ(TodayText(), c.text);
        EXPECT_EQ(TodayJulianDay(), c.jd);
    }
    FileSystem::FixClock(std::nullopt);
}

TEST_F(UnServiziTest, DateKeyRoundTrip)
{
    EXPECT_EQ(DisplayDateToKey("15/03/1950 12:30"), "195003151230");
    const DateKeyParts parts = SplitDateKey(DisplayDateToKey("15/03/1950 12:30") + "-1");
    EXPECT_EQ(parts.displayDate, "15/03/1950 12:30");
    EXPECT_EQ(parts.zoneText, "-1");
    EXPECT_EQ(CurrentSubject.Zone, -1);
}

TEST_F(UnServiziTest, SplitDateKeyReadsTheCorrection)
{
    struct Case {
        const char* name;
        const char* key;
        const char* zoneText;
        long double zone;
    } cases[] = {
        {"whole hours", "195003151230-1", "-1", -1},
        {"decimal comma", "198001010000+5,5", "+5,5", 5.5L},
        {"decimal point", "198001010000+5.5", "+5.5", 5.5L},
        {"trailing blanks", "198001010000-2   ", "-2   ", -2},
        {"only characters 13 to 17", "19800101000010.25", "10.25", 10.25L},
        {"cut after character 17", "198001010000-10.25", "-10.2", -10.2L},
        {"not a number", "198001010000abc", "abc", 0},
        {"no correction", "198001010000", "", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CurrentSubject.Zone = 7;
        const DateKeyParts parts = SplitDateKey(c.key);
        EXPECT_EQ(parts.zoneText, c.zoneText);
        EXPECT_NEAR(static_cast<double>(CurrentSubject.Zone), static_cast<double>(c.zone), 1e-12);
    }
    EXPECT_EQ(SplitDateKey("198001020304+1").displayDate, "02/01/1980 03:04");
}

TEST_F(UnServiziTest, SplitDisplayDate)
{
    SplitDisplayDate("15/03/1950 12:30");
    EXPECT_EQ(CurrentSubject.Day, 15);
    EXPECT_EQ(CurrentSubject.Month, 3);
    EXPECT_EQ(CurrentSubject.Year, 1950);
    EXPECT_EQ(CurrentSubject.Hour, 12);
    EXPECT_EQ(CurrentSubject.Minute, 30);

    // Fields that are not numbers, or missing, read as 0.
    SplitDisplayDate("xx/03/19");
    EXPECT_EQ(CurrentSubject.Day, 0);
    EXPECT_EQ(CurrentSubject.Month, 3);
    EXPECT_EQ(CurrentSubject.Year, 19);
    EXPECT_EQ(CurrentSubject.Hour, 0);
    EXPECT_EQ(CurrentSubject.Minute, 0);
}

TEST_F(UnServiziTest, ShortKeysAndDatesDoNotCrash)
{
    for (const char* s : {"", "1", "1950031", "15/03", "15/03/1950 1"}) {
        SCOPED_TRACE(s);
        CurrentSubject.Zone = 3;
        EXPECT_NO_THROW(SplitDateKey(s));
        EXPECT_EQ(CurrentSubject.Zone, 0);
        EXPECT_NO_THROW(SplitDisplayDate(s));
        EXPECT_NO_THROW(DisplayDateToKey(s));
        EXPECT_NO_THROW(SplitCoordinates(s));
    }
    EXPECT_EQ(DisplayDateToKey("15/03"), "0315");
}

TEST_F(UnServiziTest, ZoneDisplayShowsTheOppositeSign)
{
    struct Case {
        const char* name;
        long double zone;
        const char* expected;
    } cases[] = {
        {"one hour east", -1, "+1.00"},
        {"west", 5.5L, "-5.50"},
        {"zero", 0, "+0.00"},
        {"two digits", -10, "+10.0"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CurrentSubject.Zone = c.zone;
        EXPECT_EQ(ZoneDisplay(), c.expected);
    }
}

// Sets a file's modification time to a local clock time.
void SetLocalModificationTime(const std::filesystem::path& p, int y, int mo, int d, int h, int mi, int s)
{
    std::tm tm {};
    tm.tm_year = y - 1900;
    tm.tm_mon = mo - 1;
    tm.tm_mday = d;
    tm.tm_hour = h;
    tm.tm_min = mi;
    tm.tm_sec = s;
    tm.tm_isdst = -1;
    const auto sys = std::chrono::system_clock::from_time_t(std::mktime(&tm));
    std::filesystem::last_write_time(p, std::chrono::file_clock::from_sys(sys));
}

TEST_F(UnServiziTest, FileDateText)
{
    TempFolder folder;
    EXPECT_EQ(FileDateText("FileSet\\Manca.txt"), "Non Valida");

    folder.Put("FileSet/Prova.txt", "x");
    const auto file = folder.Path() / "FileSet" / "Prova.txt";
    struct Case {
        const char* name;
        int y, mo, d, h, mi, s;
        const char* expected;
    } cases[] = {
        {"summer afternoon", 2019, 7, 14, 16, 5, 0, "14/07/2019 16:05"},
        {"winter morning", 2003, 2, 1, 9, 30, 0, "01/02/2003 09:30"},
        {"seconds round the minute", 2010, 5, 6, 7, 8, 40, "06/05/2010 07:09"},
        {"last seconds of the year", 2019, 12, 31, 23, 59, 50, "01/01/2020 00:00"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetLocalModificationTime(file, c.y, c.mo, c.d, c.h, c.mi, c.s);
        EXPECT_EQ(FileDateText("FileSet\\Prova.txt"), c.expected);
    }
}

// ---- Longitude texts -------------------------------------------------------

TEST_F(UnServiziTest, LongitudeSignText)
{
    struct Case {
        const char* name;
        int mode;
        long double x;
        const char* expected;
    } cases[] = {
        {"degree 29 never carries", 1, Dms(59, 59, 40), "29Tor59"},
        {"minute 59 becomes the next degree", 1, Dms(40, 58, 40), "11Tor00"},
        {"seconds over 30 round the minute", 1, Dms(40, 57, 40), "10Tor58"},
        {"seconds of 30 do not round", 1, Dms(40, 57, 30), "10Tor57"},
        {"minute 59 without seconds", 0, Dms(40, 59, 0), "11Tor00"},
        {"with seconds", 2, Dms(59, 59, 40), "29Tor59:40"},
        {"with seconds, no rounding", 2, Dms(40, 58, 40), "10Tor58:40"},
        {"start of aries", 1, 0, "00Ari00"},
        {"pisces", 1, 359.5L, "29Pes30"},
        {"retrograde", 1, -Dms(100, 10, 0), "10Can10"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(LongitudeSignText(c.mode, c.x), c.expected);
    }
}

TEST_F(UnServiziTest, LongitudeDegAndFullTexts)
{
    EXPECT_EQ(LongitudeDegText(2, Dms(59, 59, 40)), "29°59'40\"");
    EXPECT_EQ(LongitudeDegText(1, Dms(59, 59, 40)), "29°59'");
    EXPECT_EQ(LongitudeDegText(1, Dms(40, 58, 40)), "11°00'");
    EXPECT_EQ(LongitudeDegText(1, Dms(40, 57, 40)), "10°58'");
    EXPECT_EQ(LongitudeDegText(2, -Dms(275, 3, 7)), "05°03'07\"");

    EXPECT_EQ(LongitudeFullText("r", Dms(40, 57, 40)), "10°58' Toro Retrogrado ");
    EXPECT_EQ(LongitudeFullText("R", -Dms(40, 58, 40)), "11°00' Toro Retrogrado ");
    EXPECT_EQ(LongitudeFullText("", Dms(220, 30, 0)), "10°30' Scorpione");
    EXPECT_EQ(LongitudeFullText("D", Dms(359, 59, 50)), "29°59' Pesci");
}

TEST_F(UnServiziTest, LatitudeText)
{
    EXPECT_EQ(LatitudeText(45.5L), "45° 30' Nord");
    EXPECT_EQ(LatitudeText(-5.25L), "05° 15' Sud");
    EXPECT_EQ(LatitudeText(0), "00° 00' Nord");
    EXPECT_EQ(LatitudeText(Dms(12, 34, 59)), "12° 34' Nord"); // minutes are not rounded
}

TEST_F(UnServiziTest, SplitCoordinates)
{
    SplitCoordinates("45N28 009E11");
    EXPECT_EQ(CurrentSubject.LatDeg, "45");
    EXPECT_EQ(CurrentSubject.LatHemi, "N");
    EXPECT_EQ(CurrentSubject.LatMin, "28");
    EXPECT_EQ(CurrentSubject.LonDeg, "009");
    EXPECT_EQ(CurrentSubject.LonHemi, "E");
    EXPECT_EQ(CurrentSubject.LonMin, "11");

    // A short text fills what it has and clears the rest.
    SplitCoordinates("33S5");
    EXPECT_EQ(CurrentSubject.LatDeg, "33");
    EXPECT_EQ(CurrentSubject.LatHemi, "S");
    EXPECT_EQ(CurrentSubject.LatMin, "5");
    EXPECT_EQ(CurrentSubject.LonDeg, "");
    EXPECT_EQ(CurrentSubject.LonHemi, "");
    EXPECT_EQ(CurrentSubject.LonMin, "");
}

TEST_F(UnServiziTest, SignNames)
{
    EXPECT_EQ(SignShortName(1), "Ari");
    EXPECT_EQ(SignShortName(6), "Ver");
    EXPECT_EQ(SignShortName(12), "Pes");
    EXPECT_EQ(SignFullName(1), "Ariete");
    EXPECT_EQ(SignFullName(9), "Sagittario");
    EXPECT_EQ(SignFullName(12), "Pesci");
    for (int outside : {0, 13, -1, 1000}) {
        SCOPED_TRACE(outside);
        EXPECT_EQ(SignShortName(outside), "");
        EXPECT_EQ(SignFullName(outside), "");
    }
    // Beyond 360° the sign number is 13: no name, no crash.
    EXPECT_EQ(LongitudeSignText(1, 365), "05" "00");
}

// ---- Wheel and ephemeris range ---------------------------------------------

TEST_F(UnServiziTest, SetWheelRadii)
{
    WheelRadii.fill(0);
    SetWheelRadii();
    EXPECT_EQ(WheelRadii, (std::array<int, 8> {173, 105, 67, 57, 57, 44, 44, 38}));
}

TEST_F(UnServiziTest, ClearOutOfRange)
{
    struct Case {
        const char* name;
        long double jd;
        bool cleared;
    } cases[] = {
        {"first day kept", 2396758.5L, false},
        {"last day kept", 2481129.5L, false},
        {"inside kept", 2451545.0L, false},
        {"before cleared", 2396758.4L, true},
        {"after cleared", 2481129.6L, true},
        {"not a number cleared", std::nanl(""), true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        BodyLongitude.fill(7);
        CurrentSubject.InEphemerisRange = true;
        ClearOutOfRange(c.jd);
        EXPECT_EQ(CurrentSubject.InEphemerisRange, !c.cleared);
        EXPECT_EQ(BodyLongitude[0], 7);
        for (int i = 1; i <= 5; ++i)
            EXPECT_EQ(BodyLongitude[i], c.cleared ? 0 : 7) << "body " << i;
        EXPECT_EQ(BodyLongitude[6], 7);
    }
}

// ---- Scopes of the shared state ---------------------------------------------

// A scope puts its whole group back, every member and the names the
// program uses for them, also when an error leaves the scope.
TEST_F(UnServiziTest, ScopePutsTheWholeGroupBackAfterAnError)
{
    BodyLongitude[1] = 10;
    LocalSiderealTime = 3;
    ChartTables.LastHouses = {true, "KOCH", false};
    PageScale = 2;
    ChartForm = nullptr;
    try {
        const ChartTablesScope tables;
        const DrawingScope drawing;
        BodyLongitude[1] = 20;
        LocalSiderealTime = 4;
        ChartTables.LastHouses = {true, "PLACIDO", true};
        PageScale = 7;
        EXPECT_EQ(Drawing.PageScale, 7);
        EXPECT_EQ(tables.Saved().BodyLongitude[1], 10);
        throw std::runtime_error("ricerca interrotta");
    } catch (const std::runtime_error&) {
    }
    EXPECT_EQ(BodyLongitude[1], 10);
    EXPECT_EQ(LocalSiderealTime, 3);
    EXPECT_EQ(ChartTables.LastHouses.Setting, "KOCH");
    EXPECT_FALSE(ChartTables.LastHouses.PorphyryFallback);
    EXPECT_EQ(PageScale, 2);
}

} // namespace

