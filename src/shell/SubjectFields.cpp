#include "shell/SubjectFields.h"

#include "platform/FloatText.h"
#include "shell/SharedState.h"
#include "shell/Texts.h"

#include <optional>

namespace {

// Characters first..first+count-1 (1-based), whatever of them exists.
std::string_view Chars(std::string_view s, std::size_t first, std::size_t count)
{
    if (first == 0 || first > s.size())
        return {};
    return s.substr(first - 1, count);
}

// A number field of a date text or a key: point first, then comma; 0 when
// neither reader takes it.
long double NumberOrZero(std::string_view text)
{
    if (auto v = ParseFixedReal(text))
        return *v;
    return ParseLocaleReal(text).value_or(0.0L);
}

} // namespace

std::string DisplayDateToKey(std::string_view d)
{
    std::string key;
    key += Chars(d, 7, 4);
    key += Chars(d, 4, 2);
    key += Chars(d, 1, 2);
    key += Chars(d, 12, 2);
    key += Chars(d, 15, 2);
    return key;
}

DateKeyParts SplitDateKey(std::string_view key)
{
    DateKeyParts parts;
    parts.displayDate = std::string(Chars(key, 7, 2)) + "/" + std::string(Chars(key, 5, 2)) + "/" +
                        std::string(Chars(key, 1, 4)) + " " + std::string(Chars(key, 9, 2)) + ":" +
                        std::string(Chars(key, 11, 2));
    parts.zoneText = std::string(Chars(key, 13, 5));
    CurrentSubject.Zone = NumberOrZero(parts.zoneText);
    return parts;
}

void SplitDisplayDate(std::string_view d)
{
    CurrentSubject.Day = NumberOrZero(Chars(d, 1, 2));
    CurrentSubject.Month = NumberOrZero(Chars(d, 4, 2));
    CurrentSubject.Year = NumberOrZero(Chars(d, 7, 4));
    CurrentSubject.Hour = NumberOrZero(Chars(d, 12, 2));
    CurrentSubject.Minute = NumberOrZero(Chars(d, 15, 2));
}

std::string ZoneDisplay()
{
    // The correction is shown as the offset of the local clock from
    // universal time, hence the opposite sign.
    const long double x = -CurrentSubject.Zone;
    return std::string(x >= 0 ? "+" : "-") + FixedDigits(4, x);
}

void SplitCoordinates(std::string_view s)
{
    CurrentSubject.LatDeg = std::string(Chars(s, 1, 2));
    CurrentSubject.LatHemi = std::string(Chars(s, 3, 1));
    CurrentSubject.LatMin = std::string(Chars(s, 4, 2));
    CurrentSubject.LonDeg = std::string(Chars(s, 7, 3));
    CurrentSubject.LonHemi = std::string(Chars(s, 10, 1));
    CurrentSubject.LonMin = std::string(Chars(s, 11, 2));
}
