#include "archive/BirthInput.h"

#include "archive/BirthDataCheck.h"
#include "core/Calendar.h"
#include "platform/FloatText.h"
#include "shell/SharedState.h"
#include "shell/Texts.h"

#include <cmath>

namespace {
// The regime of Italy, Calendar\00390000.CAL; San Marino (03780000.CAL) and the
// Vatican (03790000.CAL) have their own and name themselves in the state field.
constexpr std::int32_t kItalyRegime = 100390000;

// The Julian day of the typed moment (not the current subject's: its range
// flag is left alone).
long double DayNumber(int calendar, const LocalBirth& b)
{
    return JulianDayNumber(calendar, b.day, b.month, b.year, b.hour, b.minute);
}
} // namespace

int CalendarAt(const LocalBirth& b, const PlaceRecord& place)
{
    if (place.gregorianFrom <= 0)
        return 1;
    // Before the change the date was written in the Julian calendar.
    return DayNumber(0, b) + 0.5L < place.gregorianFrom ? 0 : 1;
}

BirthResult ComputeBirth(const LocalBirth& b, const PlaceRecord& place, bool useLocalTime)
{
    return ComputeBirth(b, place, LoadRegimes(place.regime), useLocalTime);
}

BirthResult ComputeBirth(const LocalBirth& b, const PlaceRecord& place, const std::vector<RegimeRecord>& regimes,
                         bool useLocalTime, std::optional<int> calendar)
{
    BirthResult r;
    r.calendar = calendar ? *calendar : CalendarAt(b, place);
    r.localJD = DayNumber(r.calendar, b);
    for (const RegimeRecord& reg : regimes)
        r.regimeLines.push_back(RegimeListLine(reg));
    r.specialZone = IsItalianRegime(place.regime) && RegimeFileName(place.regime).find(kSpecialZoneFile) != std::string::npos;
    const Correction c = CorrectionAt(regimes, r.localJD, place.longitude);
    r.correction = c.hours;
    r.code = c.code;
    r.regimesEnd = c.afterLast;
    if (!regimes.empty())
        r.regimeIndex = static_cast<int>(c.index);
    if (useLocalTime) {
        r.correction = static_cast<double>(place.longitude * 4 / 60);
        r.code = "LMT";
        for (std::size_t i = 0; i < regimes.size(); ++i)
            if (regimes[i].code == "LMT") {
                r.regimeIndex = static_cast<int>(i);
                break;
            }
    }
    if (r.specialZone && r.localJD > 2433919.5L) {
        r.correction = -5;
        r.code.clear();
    }
    r.universalJD = r.localJD - r.correction / 24.0L;
    return r;
}

std::string PlaceNation(const PlaceRecord& place, bool italianGazetteer)
{
    if (italianGazetteer && place.regime == kItalyRegime)
        return "Italia";
    return TrimRightBlanks(place.state);
}

std::string CorrectionDisplay(double hours)
{
    if (hours == 0)
        return "0";
    return std::string(hours > 0 ? "+" : "-") + FixedDigits(4, std::fabs(hours));
}

std::optional<std::string> StoredCorrection(const std::string& displayed)
{
    const std::string t = TrimBlanks(displayed);
    if (t.empty())
        return std::nullopt;
    std::string rest = t[0] == '+' || t[0] == '-' ? t.substr(1) : t;
    if (!ParseFixedReal(rest) && !ParseLocaleReal(rest))
        return std::nullopt;
    rest = Bounded(rest, 4);
    // An unsigned value reads as ahead of universal time, like "+".
    std::string stored = (t[0] == '-' ? "+" : "-") + rest;
    if (const auto v = ParseFixedReal(CommaToPoint(rest)); v && *v == 0)
        stored = "+" + rest; // no correction: "+0", never a lone sign
    return PointToComma(stored);
}

std::optional<std::pair<long double, long double>> CoordinatesOf(const std::string& t)
{
    if (!ValidCoordText(t))
        return std::nullopt;
    const long double lat = std::stoi(t.substr(0, 2)) + std::stoi(t.substr(3, 2)) / 60.0L;
    const long double lon = std::stoi(t.substr(6, 3)) + std::stoi(t.substr(10, 2)) / 60.0L;
    return std::make_pair(t[2] == 'S' ? -lat : lat, t[9] == 'W' ? -lon : lon);
}
