#include "app/AtlasCommands.h"

#include "app/ToolCommands.h"
#include "archive/Places.h"
#include "archive/TimeRegimes.h"
#include "platform/Cp1252.h"
#include "shell/Texts.h"

#include <optional>

const char* const kAtlasUsage =
    "atlas find PREFISSO [--foreign] [--limit N]\n"
    "                                    elenca le località che iniziano per PREFISSO (nome, coordinate,\n"
    "                                    stato, regime orario): archivio Italia e poi Estero, o solo\n"
    "                                    Estero con --foreign; al più N (predefinito 50)";

namespace {

constexpr std::size_t kDefaultLimit = 50;

// The zone key of a place: its regime file, or its Elencal.002 key and zone.
std::string ZoneKey(const PlaceRecord& p, const std::vector<ZoneIndexEntry>& index)
{
    if (IsItalianRegime(p.regime))
        return RegimeFileName(p.regime).substr(std::string("Calendar\\").size());
    const int line = ForeignZoneLine(p.regime);
    if (line < 1 || static_cast<std::size_t>(line) > index.size())
        return "?\t?";
    const ZoneIndexEntry& e = index[static_cast<std::size_t>(line - 1)];
    return e.key + "\t" + e.zone;
}

std::string PlaceLine(const PlaceRecord& p, const std::vector<ZoneIndexEntry>& index)
{
    return PlaceDisplay(p.name) + "\t" + PlaceCoordText(p.latitude, p.longitude) + "\t" + p.state + "\t" +
           ZoneKey(p, index);
}

int Find(const std::vector<std::string>& args)
{
    std::optional<std::string> prefix;
    bool foreignOnly = false;
    std::size_t limit = kDefaultLimit;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--foreign") {
            foreignOnly = true;
        } else if (a == "--limit") {
            if (i + 1 >= args.size())
                return ToolUsage("atlas find: manca il numero dopo --limit");
            const std::string& n = args[++i];
            std::size_t value = 0;
            bool digits = !n.empty() && n.size() <= 6;
            for (char c : n) {
                digits = digits && c >= '0' && c <= '9';
                value = value * 10 + static_cast<std::size_t>(c - '0');
            }
            if (!digits || value == 0)
                return ToolUsage("atlas find: --limit vuole un numero da 1 a 999999, non \"" + Cp1252::FromUtf8(n) + "\"");
            limit = value;
        } else if (a.rfind("--", 0) == 0) {
            return ToolUsage("atlas find: opzione sconosciuta: " + Cp1252::FromUtf8(a));
        } else if (prefix) {
            return ToolUsage("atlas find: un solo prefisso, non anche \"" + Cp1252::FromUtf8(a) + "\"");
        } else {
            // Typed as the gazetteers spell it ("Łódź" is "Lódz" there).
            const TypedPlace typed = ReadTypedPlace(a);
            if (!typed.problem.empty())
                return ToolUsage("atlas find: " + typed.problem);
            prefix = typed.name;
        }
    }
    if (!prefix || prefix->empty())
        return ToolUsage("atlas find: manca il prefisso del nome della località");

    std::optional<std::vector<ZoneIndexEntry>> index;
    std::size_t printed = 0;
    std::vector<const char*> files = {kItalianPlacesFile, kForeignPlacesFile};
    if (foreignOnly)
        files.erase(files.begin());
    for (const char* file : files) {
        // Found by its own name or another ("Parigi", "Bozen"): the place's line.
        for (const PlaceMatch& m : SearchPlaces(file, *prefix, limit - printed)) {
            const PlaceRecord p = ReadPlace(file, m.record);
            if (!index && !IsItalianRegime(p.regime))
                index = ReadZoneIndex();
            ToolPrint(PlaceLine(p, index ? *index : std::vector<ZoneIndexEntry>()));
            ++printed;
        }
        if (printed >= limit)
            break;
    }
    if (printed == 0) {
        return ToolFailure("Nessuna località inizia per \"" + *prefix + "\"" +
                           (foreignOnly ? " nell'archivio Estero" : ""));
    }
    return 0;
}

} // namespace

int RunAtlasCommand(const std::vector<std::string>& args)
{
    if (args.empty())
        return ToolUsage("atlas: manca il sottocomando (find)");
    if (args[0] == "find")
        return Find(std::vector<std::string>(args.begin() + 1, args.end()));
    return ToolUsage("atlas: sottocomando sconosciuto: " + Cp1252::FromUtf8(args[0]));
}
