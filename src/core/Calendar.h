#pragma once
// The calendar arithmetic of Julian days: a Julian day is an 80-bit
// extended real counting days from -4712 January 1, 12h, in universal time
// unless said otherwise. No state: the range flag of the current subject
// and the date texts are the shell's (shell/DateTexts.h).

// The days the ephemeris correction tables cover: 01/01/1850 0h to
// 31/12/2080 0h.
inline constexpr long double kFirstEphemerisDay = 2396758.5L;
inline constexpr long double kLastEphemerisDay = 2481129.5L;
bool InEphemerisRange(long double jd); // kFirstEphemerisDay <= jd <= kLastEphemerisDay

// The Julian day of a calendar moment: calendar 1 Gregorian, 0 Julian (the
// calendar the user declares; no switch at the 1582 reform); day, month
// (1..12), year (astronomical, 0 = 1 BC), hour and minute as given.
long double JulianDayNumber(int calendar, long double day, long double month, long double year, long double hour,
                            long double minute);

// Which calendar turns a Julian day back into a date.
enum class CalendarRule {
    Reform,    // Gregorian for day numbers above 2299160 (15 October 1582), Julian below
    Gregorian,
    Julian,
};

// A date and clock time to the minute. Fields are whole numbers; a Julian
// day too large or not finite gives fields a text can still show.
struct CalendarMoment {
    long long day = 0, month = 0, year = 0; // month 1..12
    long long hour = 0, minute = 0;          // 0..23, 0..59
};
// The moment of a Julian day, minutes rounded to the nearest. When they
// round up to 60 the day is moved on a little at a time until they don't,
// so that 12:59:45 reads 13:00 (and 23:59:45 the next day at 00:00).
CalendarMoment MomentOfJulianDay(long double jd, CalendarRule rule);

// The universal clock time of a Julian day, hours 0..24.
long double UniversalHours(long double jd);

// The time argument of every theory: Julian centuries of 36525 days from
// 1900 January 0.5 (JD 2415020).
inline constexpr long double kEpoch1900 = 2415020;
long double JulianCenturies(long double jd);
