#include "core/Calendar.h"

#include "core/Numbers.h"

#include <cmath>

using numbers::FracPart;
using numbers::IntPart;
using numbers::ToInteger;

bool InEphemerisRange(long double jd)
{
    return kFirstEphemerisDay <= jd && jd <= kLastEphemerisDay;
}

long double JulianDayNumber(int calendar, long double day, long double month, long double year, long double hour,
                            long double minute)
{
    long double y, m;
    if (month >= 3) {
        y = year;
        m = month;
    } else {
        y = year - 1;
        m = month + 12;
    }
    long double b = 0;
    if (calendar == 1) {
        const long double a = IntPart(y / 100);
        b = 2 - a + IntPart(a / 4);
    }
    long double c = IntPart(365.25L * y);
    if (y < 0)
        c -= 1;
    const long double d = IntPart(30.6001L * (m + 1));
    return day + hour / 24 + minute / 1440 + d + b + c + 1720994.5L;
}

CalendarMoment MomentOfJulianDay(long double jd, CalendarRule rule)
{
    long double x = jd + 0.5L;
    long double dayF = 0, month = 0, year = 0, hours = 0, minutes = 0;
    // A jd too large for the nudge to change x would loop for ever.
    for (int attempt = 0; attempt < 1000; ++attempt) {
        const long double z = IntPart(x);
        const long double f = FracPart(x);
        const bool gregorian = rule == CalendarRule::Gregorian || (rule == CalendarRule::Reform && z > 2299160);
        long double a = z;
        if (gregorian) {
            const long double alpha = IntPart((z - 1867216.25L) / 36524.25L);
            a = z + 1 + alpha - IntPart(alpha / 4);
        }
        const long double b = a + 1524;
        const long double c = IntPart((b - 122.1L) / 365.25L);
        const long double d = IntPart(365.25L * c);
        const long double e = IntPart((b - d) / 30.6001L);
        dayF = b - d + f - IntPart(30.6001L * e);
        month = e < 13.5L ? e - 1 : e - 13;
        year = month > 2.5L ? c - 4716 : c - 4715;
        hours = IntPart(FracPart(dayF) * 24);
        minutes = IntPart(FracPart(FracPart(dayF) * 24) * 60 + 0.5L);
        if (minutes != 60)
            break;
        x += 0.00001L;
    }
    return {ToInteger(dayF), ToInteger(month), ToInteger(year), ToInteger(hours), ToInteger(minutes)};
}

long double UniversalHours(long double jd)
{
    const long double days = jd - 0.5L;
    return 24 * (days - std::floor(days));
}

long double JulianCenturies(long double jd)
{
    return (jd - kEpoch1900) / 36525;
}
