#include "archive/BirthDataCheck.h"

#include "platform/FloatText.h"

#include <cctype>

namespace {
bool Digits(std::string_view s)
{
    if (s.empty())
        return false;
    for (char c : s)
        if (!std::isdigit(static_cast<unsigned char>(c)))
            return false;
    return true;
}

int Number(std::string_view s)
{
    int v = 0;
    for (char c : s)
        v = v * 10 + (c - '0');
    return v;
}
} // namespace

bool ValidCalendarDate(int day, int month, int year, int calendar)
{
    if (year < 0 || year > 2080 || month < 1 || month > 12 || day < 1)
        return false;
    static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    bool leap = year % 4 == 0;
    if (calendar == 1)
        leap = leap && (year % 100 != 0 || year % 400 == 0);
    const int max = kDays[month - 1] + (month == 2 && leap ? 1 : 0);
    return day <= max;
}

std::optional<BirthDate> ParseBirthDate(std::string_view text, int calendar)
{
    const auto a = text.find('/');
    const auto b = a == std::string_view::npos ? a : text.find('/', a + 1);
    if (b == std::string_view::npos)
        return std::nullopt;
    const std::string_view d = text.substr(0, a), m = text.substr(a + 1, b - a - 1), y = text.substr(b + 1);
    if (!Digits(d) || !Digits(m) || !Digits(y) || d.size() > 2 || m.size() > 2 || y.size() != 4)
        return std::nullopt;
    BirthDate date {Number(d), Number(m), Number(y)};
    if (!ValidCalendarDate(date.day, date.month, date.year, calendar))
        return std::nullopt;
    return date;
}

std::optional<BirthTime> ParseBirthTime(std::string_view text)
{
    const auto colon = text.find(':');
    if (colon == std::string_view::npos)
        return std::nullopt;
    const std::string_view h = text.substr(0, colon), m = text.substr(colon + 1);
    if (!Digits(h) || !Digits(m) || h.size() > 2 || m.size() != 2)
        return std::nullopt;
    BirthTime t {Number(h), Number(m)};
    if (t.hour > 23 || t.minute > 59)
        return std::nullopt;
    return t;
}

std::optional<long double> ParseZoneHours(std::string_view text)
{
    if (text.find_first_of("eE") != std::string_view::npos)
        return std::nullopt; // hours are typed as plain decimals
    auto v = ParseFixedReal(text);
    if (!v)
        v = ParseLocaleReal(text);
    if (!v || *v < -14 || *v > 14)
        return std::nullopt;
    return v;
}

bool ValidCoordText(std::string_view t)
{
    if (t.size() != 12 || t[5] != ' ')
        return false;
    const std::string_view latDeg = t.substr(0, 2), latMin = t.substr(3, 2);
    const std::string_view lonDeg = t.substr(6, 3), lonMin = t.substr(10, 2);
    if (!Digits(latDeg) || !Digits(latMin) || !Digits(lonDeg) || !Digits(lonMin))
        return false;
    if ((t[2] != 'N' && t[2] != 'S') || (t[9] != 'E' && t[9] != 'W'))
        return false;
    const int la = Number(latDeg), lam = Number(latMin), lo = Number(lonDeg), lom = Number(lonMin);
    if (lam > 59 || lom > 59 || la > 90 || lo > 180)
        return false;
    return !(la == 90 && lam > 0) && !(lo == 180 && lom > 0);
}
