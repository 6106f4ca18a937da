#pragma once
// Julian days and date texts of the windows: the current subject's range
// flag, "dd/mm/yyyy hh:mm" texts of Julian days, today's date and a file's
// date. The arithmetic itself is core/Calendar.h.
#include <string>
#include <string_view>

// The Julian day of a calendar moment (calendar 1 Gregorian, 0 Julian), as
// JulianDayNumber; also sets CurrentSubject.InEphemerisRange, as every
// JulianDay call does. A computation that must leave the flag alone calls
// JulianDayNumber.
long double JulianDay(int calendar, long double day, long double month, long double year, long double hour,
                      long double minute);
std::string JDToText(long double jd);    // "dd/mm/yyyy hh:mm", Gregorian above day 2299160
std::string JDToTextCal(long double jd); // Gregorian exactly when InputCalendar is 1
std::string TodayText();                 // today's local date, "dd/mm/yyyy"
long double TodayJulianDay();            // Julian day of today at 0h, Gregorian (TodayJD)
// Modification time as "dd/mm/yyyy hh:mm", or "Non Valida" when missing.
std::string FileDateText(std::string_view name);
