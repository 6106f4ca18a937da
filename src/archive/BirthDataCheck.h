#pragma once
// Checks of typed birth data shared by the windows and quillon-tool.
#include <optional>
#include <string>
#include <string_view>

// A real day of the calendar: month 1..12, day within the month (29
// February only in leap years: every fourth year in the Julian calendar,
// calendar 0; without the century exceptions of the Gregorian, calendar 1),
// year 0..2080.
bool ValidCalendarDate(int day, int month, int year, int calendar);

struct BirthDate {
    int day = 0, month = 0, year = 0;
};
// "dd/mm/yyyy" (one or two digits for day and month).
std::optional<BirthDate> ParseBirthDate(std::string_view text, int calendar);

struct BirthTime {
    int hour = 0, minute = 0;
};
// "hh:mm", 00:00 .. 23:59.
std::optional<BirthTime> ParseBirthTime(std::string_view text);

// A correction in hours, -14..+14, with point or comma ("+1", "-5,5").
std::optional<long double> ParseZoneHours(std::string_view text);

// The 12-character coordinate text "45N28 009E11": latitude degrees 0..89
// (90 with minutes 0), N/S, minutes 0..59, a blank, longitude degrees
// 0..180 (180 with minutes 0), E/W, minutes 0..59.
bool ValidCoordText(std::string_view text);
