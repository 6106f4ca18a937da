#include "app/RegimeCommand.h"

#include "app/ToolCommands.h"
#include "archive/BirthDataCheck.h"
#include "archive/BirthInput.h"
#include "archive/Places.h"
#include "platform/Cp1252.h"
#include "platform/FloatText.h"
#include "shell/Texts.h"

#include <optional>

const char* const kRegimeUsage =
    "regime --place NOME --date gg/mm/aaaa --time hh:mm [--foreign]\n"
    "                                    correzione in vigore (ore avanti rispetto al tempo\n"
    "                                    universale) e regime orario della località";

namespace {

// The place's name without its province ("Milano*MI*" -> "MILANO").
std::string BaseName(const std::string& name)
{
    return PlaceSortKey(TrimRightBlanks(name.substr(0, name.find('*'))));
}

// The first place of that name (its own or another: "Parigi", "Bozen"), or
// with prefixOnly the first whose name begins with it.
std::optional<PlaceRecord> FirstNamed(const char* file, const std::string& wanted, bool prefixOnly)
{
    const std::string key = PlaceSortKey(wanted);
    for (const PlaceMatch& m : SearchPlaces(file, wanted, prefixOnly ? 1 : 2000)) {
        PlaceRecord p = ReadPlace(file, m.record);
        if (prefixOnly || BaseName(m.alias.empty() ? p.name : m.alias) == key)
            return p;
    }
    return std::nullopt;
}

} // namespace

int RunRegimeCommand(const std::vector<std::string>& args)
{
    std::string place, date, time;
    bool foreign = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        auto value = [&](std::string& out) {
            if (i + 1 >= args.size())
                return false;
            out = Cp1252::FromUtf8(args[++i]);
            return true;
        };
        if (a == "--place") {
            if (i + 1 >= args.size())
                return ToolUsage("manca il valore di --place");
            const TypedPlace typed = ReadTypedPlace(args[++i]);
            if (!typed.problem.empty())
                return ToolUsage(typed.problem);
            place = typed.name;
        } else if (a == "--date") {
            if (!value(date))
                return ToolUsage("manca il valore di --date");
        } else if (a == "--time") {
            if (!value(time))
                return ToolUsage("manca il valore di --time");
        } else if (a == "--foreign") {
            foreign = true;
        } else {
            return ToolUsage("opzione sconosciuta: " + Cp1252::FromUtf8(a));
        }
    }
    if (place.empty() || date.empty() || time.empty())
        return ToolUsage("regime richiede --place, --date e --time");

    // A place of that very name first; failing that, the first whose name
    // begins with it ("New York" is "New York City" in the gazetteer).
    std::optional<PlaceRecord> found;
    for (bool prefixOnly : {false, true}) {
        if (!found && !foreign)
            found = FirstNamed(kItalianPlacesFile, place, prefixOnly);
        if (!found)
            found = FirstNamed(kForeignPlacesFile, place, prefixOnly);
    }
    if (!found)
        return ToolFailure("località \"" + place + "\" non trovata");

    // The typed date is read in the calendar of the place on that day.
    const auto gregorian = ParseBirthDate(date, 1);
    const auto julian = ParseBirthDate(date, 0);
    const auto clock = ParseBirthTime(time);
    if (!julian || !clock)
        return ToolFailure("data o ora non valida: " + date + " " + time + " (gg/mm/aaaa hh:mm)");
    LocalBirth birth {julian->day, julian->month, julian->year, clock->hour, clock->minute};
    if (CalendarAt(birth, *found) == 1 && !gregorian)
        return ToolFailure("data non valida nel calendario gregoriano: " + date);
    const BirthResult r = ComputeBirth(birth, *found, false);
    ToolPrint(GeneralFloatText(r.correction, '.') + " " + r.code);
    return 0;
}
