#include "shell/DateTexts.h"

#include "core/Calendar.h"
#include "platform/FileSystem.h"
#include "shell/SharedState.h"
#include "shell/Texts.h"

namespace {

std::string MomentText(const CalendarMoment& m)
{
    return ZeroPad(m.day, 2) + "/" + ZeroPad(m.month, 2) + "/" + ZeroPad(m.year, 4) + " " + ZeroPad(m.hour, 2) +
           ":" + ZeroPad(m.minute, 2);
}

} // namespace

long double JulianDay(int calendar, long double day, long double month, long double year, long double hour,
                      long double minute)
{
    const long double jd = JulianDayNumber(calendar, day, month, year, hour, minute);
    CurrentSubject.InEphemerisRange = InEphemerisRange(jd);
    return jd;
}

std::string JDToText(long double jd)
{
    return MomentText(MomentOfJulianDay(jd, CalendarRule::Reform));
}

std::string JDToTextCal(long double jd)
{
    return MomentText(MomentOfJulianDay(jd, InputCalendar == 1 ? CalendarRule::Gregorian : CalendarRule::Julian));
}

std::string TodayText()
{
    const FileSystem::LocalTime now = FileSystem::Now();
    return ZeroPad(now.day, 2) + "/" + ZeroPad(now.month, 2) + "/" + ZeroPad(now.year, 4);
}

long double TodayJulianDay()
{
    const FileSystem::LocalTime now = FileSystem::Now();
    return JulianDayNumber(1, now.day, now.month, now.year, 0, 0);
}

std::string FileDateText(std::string_view name)
{
    const auto t = FileSystem::ModificationTime(name);
    if (!t)
        return "Non Valida";
    // Day count from 30/12/1899 of the local time, seconds included, added
    // to the Julian day of that origin.
    const long double origin = JulianDayNumber(1, 30, 12, 1899, 0, 0);
    const long double days = JulianDayNumber(1, t->day, t->month, t->year, 0, 0) - origin +
                             (t->hour * 3600.0L + t->minute * 60.0L + t->second) / 86400.0L;
    return JDToText(origin + days);
}
