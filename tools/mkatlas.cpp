// Writes the place gazetteers Localita\ITALIA.LOC and Localita\ESTERO.LOC
// (88-byte records, see archive/Places.h) from the joined place list of
// tools/atlas/places.mjs and the zone index Calendar\Elencal.002 already
// written into the output folder by mkregimes.
// Usage: mkatlas PLACES.tsv GREGORIAN.tsv ZONEINFO_DIR OUTPUT_DIR
//
// - PLACES.tsv: the columns described in tools/atlas/places.mjs (UTF-8);
// - GREGORIAN.tsv: data/atlas/gregorian.tsv, first Gregorian day by country
//   or region;
// - ZONEINFO_DIR: tzdata's zone.tab (a zone missing from Elencal.002 is
//   replaced by its country's first zone there) and iso3166.tab (English
//   country names).
//
// Names are converted to Windows-1252 by PlaceNameFromUtf8 (archive/Places.h):
// letters without a Windows-1252 byte transliterated by its table (the
// Polish, Czech, Turkish, Romanian, Baltic and Vietnamese diacritics
// dropped, ı ł đ ħ ə and the like given their plain Latin letter),
// combining marks dropped, the typographic apostrophes as "'", the one the
// user types. A name with any other character (a non-Latin script) has no
// ASCII form in the packages: the place is left out.
//
// Italian places (ITALIA.LOC): name + "*" + province code + "*" ("Roma*RM*";
// San Marino "*RSM*", the Vatican "*SCV*"), state field the province name
// (the country's name for the two small states). When the name with its
// suffix exceeds 31 characters the name is shortened, the suffix kept
// whole: first the connecting words of kConnectives ("di", "del", "della",
// "sulla", "e", ...) are dropped one at a time from the last to the first
// (never the first word) until it fits; if still too long the name is cut
// to the room left and trailing blanks, hyphens, apostrophes and points
// are removed. Regime: 100390000 (Italy), 103780000 (San Marino),
// 103790000 (the Vatican).
//
// Foreign places (ESTERO.LOC): the name (cut to 31 characters), state field
// "country, region" cut to 23 (the country in Italian for the countries of
// kItalianCountryNames, else tzdata's English name; the region is GeoNames'
// first-level division, left out when it has characters we cannot write).
// Regime: 2 followed by the 8-digit line of the place's zone in
// Elencal.002.
//
// Gregorian calendar (offset 52): the row of the place's region in
// GREGORIAN.tsv, else its country's row, else the British date for the
// former British colonies of kBritishColonies, else 2299161 (15/10/1582).
//
// Other names (Localita\ITALIA.ALT, Localita\ESTERO.ALT, see archive/Places.h):
// the names of column 10, converted like the place names (a name with
// characters of another script left out), Italian ones with the province
// suffix of their place; for an Italian name shortened to fit, the full
// official name. A name with the key of its place's own is left out, and so
// is one longer than 55 characters.
//
// All four files are in the order of PlaceSortKey (the folded name), then
// population descending, then state (the other names: then name); the
// output depends only on the inputs.
#include "archive/Places.h"
#include "archive/TimeRegimes.h"
#include "platform/Cp1252.h"
#include "platform/Errors.h"
#include "platform/FloatText.h"
#include "platform/ProgramPath.h"
#include "platform/TextFile.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr std::size_t kNameCapacity = 31;
constexpr std::size_t kStateCapacity = 23;
constexpr std::int32_t kItalyRegime = 100390000;
constexpr std::int32_t kSanMarinoRegime = 103780000;
constexpr std::int32_t kVaticanRegime = 103790000;
constexpr std::int32_t kForeignRegimeBase = 200000000;
constexpr std::int32_t kFirstGregorianDay = 2299161; // 15/10/1582

// ---- Tables ------------------------------------------------------------------

// Words dropped first from an Italian name that is too long.
const std::set<std::string> kConnectives = {
    "di",  "da",   "de",    "del",  "dello", "della", "dei",  "degli", "delle", "in",    "e",     "ed",   "con",
    "sul", "sullo", "sulla", "sui", "sugli", "sulle", "al",   "allo",  "alla",  "ai",    "agli",  "alle", "nel",
    "nello", "nella", "nei", "negli", "nelle", "a", "per", "sotto", "sopra",
};

// The Italian names of the countries most often met.
const std::map<std::string, std::string> kItalianCountryNames = {
    {"AD", "Andorra"},         {"AE", "Emirati Arabi"},    {"AL", "Albania"},        {"AR", "Argentina"},
    {"AT", "Austria"},         {"AU", "Australia"},        {"BA", "Bosnia-Erzegovina"}, {"BE", "Belgio"},
    {"BG", "Bulgaria"},        {"BR", "Brasile"},          {"BY", "Bielorussia"},    {"CA", "Canada"},
    {"CH", "Svizzera"},        {"CL", "Cile"},             {"CN", "Cina"},           {"CO", "Colombia"},
    {"CU", "Cuba"},            {"CY", "Cipro"},            {"CZ", "Rep. Ceca"},      {"DE", "Germania"},
    {"DK", "Danimarca"},       {"DZ", "Algeria"},          {"EC", "Ecuador"},        {"EE", "Estonia"},
    {"EG", "Egitto"},          {"ER", "Eritrea"},          {"ES", "Spagna"},         {"ET", "Etiopia"},
    {"FI", "Finlandia"},       {"FR", "Francia"},          {"GB", "Regno Unito"},    {"GR", "Grecia"},
    {"HR", "Croazia"},         {"HU", "Ungheria"},         {"ID", "Indonesia"},      {"IE", "Irlanda"},
    {"IL", "Israele"},         {"IN", "India"},            {"IQ", "Iraq"},           {"IR", "Iran"},
    {"IS", "Islanda"},         {"JP", "Giappone"},         {"KR", "Corea del Sud"},  {"LB", "Libano"},
    {"LI", "Liechtenstein"},   {"LT", "Lituania"},         {"LU", "Lussemburgo"},    {"LV", "Lettonia"},
    {"LY", "Libia"},           {"MA", "Marocco"},          {"MC", "Monaco"},         {"MD", "Moldavia"},
    {"ME", "Montenegro"},      {"MK", "Macedonia del Nord"}, {"MT", "Malta"},        {"MX", "Messico"},
    {"NL", "Paesi Bassi"},     {"NO", "Norvegia"},         {"NZ", "Nuova Zelanda"},  {"PE", "Perù"},
    {"PH", "Filippine"},       {"PK", "Pakistan"},         {"PL", "Polonia"},        {"PT", "Portogallo"},
    {"RO", "Romania"},         {"RS", "Serbia"},           {"RU", "Russia"},         {"SA", "Arabia Saudita"},
    {"SE", "Svezia"},          {"SI", "Slovenia"},         {"SK", "Slovacchia"},     {"SO", "Somalia"},
    {"SY", "Siria"},           {"TH", "Thailandia"},       {"TN", "Tunisia"},        {"TR", "Turchia"},
    {"UA", "Ucraina"},         {"US", "USA"},              {"UY", "Uruguay"},        {"VE", "Venezuela"},
    {"VN", "Vietnam"},         {"XK", "Kosovo"},           {"ZA", "Sudafrica"},
};

// Former British colonies and dominions, which share the British change
// of calendar (14/09/1752) unless GREGORIAN.tsv says otherwise. Malta and
// Cyprus, British only after centuries under other calendars, are not
// among them.
const std::set<std::string> kBritishColonies = {
    "AG", "AI", "AU", "BB", "BD", "BM", "BN", "BS", "BW", "BZ", "CA", "DM", "FJ", "FK", "GB", "GD", "GH",
    "GI", "GM", "GY", "HK", "IE", "IN", "JM", "KE", "KN", "KY", "LC", "LK", "LS", "MM", "MS", "MU", "MW",
    "MY", "NG", "NZ", "PK", "SB", "SC", "SG", "SH", "SL", "SZ", "TC", "TT", "TZ", "UG", "US", "VC", "VG",
    "ZA", "ZM", "ZW",
};

// ---- Text ------------------------------------------------------------------

std::string ReadUtf8File(const fs::path& p)
{
    std::ifstream in(p, std::ios::binary);
    if (!in)
        throw IoError(p.string(), "lettura");
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

std::vector<std::string> Split(const std::string& line, char sep)
{
    std::vector<std::string> out;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = line.find(sep, start);
        out.push_back(line.substr(start, end == std::string::npos ? std::string::npos : end - start));
        if (end == std::string::npos)
            return out;
        start = end + 1;
    }
}

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    for (std::string& l : Split(text, '\n')) {
        if (!l.empty() && l.back() == '\r')
            l.pop_back();
        lines.push_back(std::move(l));
    }
    if (!lines.empty() && lines.back().empty())
        lines.pop_back();
    return lines;
}

std::string TrimEnd(std::string s, std::string_view junk)
{
    while (!s.empty() && junk.find(s.back()) != std::string_view::npos)
        s.pop_back();
    return s;
}

std::string Lower(std::string s)
{
    for (char& c : s)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return s;
}

// The Italian name with its suffix, shortened to 31 characters as the
// header of this file describes. `shortened` is set when it had to be.
std::string ItalianName(const std::string& name, const std::string& province, bool& shortened)
{
    const std::string suffix = "*" + province + "*";
    shortened = false;
    if (name.size() + suffix.size() <= kNameCapacity)
        return name + suffix;
    shortened = true;
    const std::size_t room = kNameCapacity - suffix.size();
    std::vector<std::string> words = Split(name, ' ');
    auto joined = [&words] {
        std::string s;
        for (const std::string& w : words)
            if (!w.empty())
                s += (s.empty() ? "" : " ") + w;
        return s;
    };
    for (std::size_t i = words.size(); i-- > 1 && joined().size() > room;)
        if (kConnectives.count(Lower(words[i])))
            words[i].clear();
    std::string s = joined();
    if (s.size() > room)
        s = TrimEnd(s.substr(0, room), " -'.,");
    return s + suffix;
}

// ---- Inputs ------------------------------------------------------------------

struct Gregorian {
    std::map<std::string, std::int32_t> byKey; // "CH" or "CH.ZH"

    std::int32_t For(const std::string& country, const std::string& admin) const
    {
        if (auto it = byKey.find(country + "." + admin); !admin.empty() && it != byKey.end())
            return it->second;
        if (auto it = byKey.find(country); it != byKey.end())
            return it->second;
        if (kBritishColonies.count(country))
            return byKey.at("GB");
        return kFirstGregorianDay;
    }
};

// Julian day number of a Gregorian date.
long GregorianDayNumber(int y, int m, int d)
{
    const int a = (14 - m) / 12;
    const long yy = y + 4800 - a;
    const long mm = m + 12 * a - 3;
    return d + (153 * mm + 2) / 5 + 365 * yy + yy / 4 - yy / 100 + yy / 400 - 32045;
}

Gregorian ReadGregorian(const fs::path& p)
{
    Gregorian g;
    for (const std::string& line : Lines(ReadUtf8File(p))) {
        if (line.empty() || line[0] == '#')
            continue;
        const std::vector<std::string> f = Split(line, '\t');
        if (f.size() < 4)
            throw ConversionError(line, "riga di " + p.string());
        const long jdn = std::stol(f[1]);
        if (jdn != 0) {
            int d = 0, m = 0, y = 0;
            if (std::sscanf(f[2].c_str(), "%d/%d/%d", &d, &m, &y) != 3 || GregorianDayNumber(y, m, d) != jdn)
                throw ConversionError(line, "giorno giuliano diverso dalla data in " + p.string());
        }
        if (!g.byKey.emplace(f[0], static_cast<std::int32_t>(jdn)).second)
            throw ConversionError(line, "chiave ripetuta in " + p.string());
    }
    if (!g.byKey.count("GB"))
        throw ConversionError(p.string(), "manca la riga GB");
    return g;
}

// Columns of zone.tab / iso3166.tab by country code.
std::map<std::string, std::string> FirstColumnTable(const fs::path& p, std::size_t column)
{
    std::map<std::string, std::string> out;
    for (const std::string& line : Lines(ReadUtf8File(p))) {
        if (line.empty() || line[0] == '#')
            continue;
        const std::vector<std::string> f = Split(line, '\t');
        if (f.size() > column)
            out.emplace(f[0], f[column]); // the first row of a country wins
    }
    return out;
}

// ---- Places ------------------------------------------------------------------

struct Counts {
    std::size_t italian = 0, foreign = 0, transliterated = 0, skippedScript = 0, shortened = 0,
                zoneFallback = 0, skippedZone = 0, regionDropped = 0, aliases = 0, aliasScript = 0, aliasTooLong = 0;
};

struct Entry {
    std::string key; // PlaceSortKey of the name
    PlaceRecord record;
    std::vector<std::string> others; // other names, Windows-1252, in the form of the name
};

bool EntryBefore(const Entry& a, const Entry& b)
{
    if (a.key != b.key)
        return a.key < b.key;
    // Homonyms: the most populous first, the place most often meant.
    if (a.record.population != b.record.population)
        return a.record.population > b.record.population;
    return a.record.state < b.record.state;
}

// The gazetteer and the file of its other names.
void WritePlaces(const char* file, std::vector<Entry>& entries, Counts& n)
{
    std::stable_sort(entries.begin(), entries.end(), EntryBefore);
    std::string bytes;
    bytes.reserve(entries.size() * kPlaceSize);
    for (const Entry& e : entries)
        bytes += EncodePlace(e.record);
    WriteFileAtomic(file, bytes);

    struct Alias {
        std::string key;
        PlaceAlias alias;
    };
    std::vector<Alias> aliases;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        std::set<std::string> keys = {entries[i].key};
        for (const std::string& name : entries[i].others) {
            if (name.size() > kAliasCapacity) {
                ++n.aliasTooLong;
                continue;
            }
            std::string key = PlaceSortKey(name);
            if (!keys.insert(key).second)
                continue;
            aliases.push_back({std::move(key), {name, static_cast<std::int32_t>(i), entries[i].record.population}});
        }
    }
    std::sort(aliases.begin(), aliases.end(), [](const Alias& a, const Alias& b) {
        if (a.key != b.key)
            return a.key < b.key;
        if (a.alias.population != b.alias.population)
            return a.alias.population > b.alias.population;
        if (a.alias.name != b.alias.name)
            return a.alias.name < b.alias.name;
        return a.alias.record < b.alias.record;
    });
    bytes.clear();
    bytes.reserve(aliases.size() * kAliasSize);
    for (const Alias& a : aliases)
        bytes += EncodeAlias(a.alias);
    WriteFileAtomic(AliasFileOf(file), bytes);
    n.aliases += aliases.size();
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 5) {
        std::fprintf(stderr, "uso: mkatlas LUOGHI.tsv GREGORIANO.tsv CARTELLA_ZONEINFO CARTELLA_USCITA\n");
        return 2;
    }
    try {
        const fs::path placesPath = argv[1];
        const Gregorian gregorian = ReadGregorian(argv[2]);
        const fs::path zoneinfo = argv[3];
        ProgramPath::SetRoot(argv[4]);

        std::map<std::string, std::int32_t> zoneLine;
        {
            const std::vector<ZoneIndexEntry> index = ReadZoneIndex();
            for (std::size_t i = 0; i < index.size(); ++i)
                zoneLine.emplace(index[i].zone, static_cast<std::int32_t>(i + 1));
        }
        const auto firstZone = FirstColumnTable(zoneinfo / "zone.tab", 2);
        const auto englishNames = FirstColumnTable(zoneinfo / "iso3166.tab", 1);

        Counts n;
        std::vector<Entry> italian, foreign;
        for (const std::string& line : Lines(ReadUtf8File(placesPath))) {
            const std::vector<std::string> f = Split(line, '\t');
            if (f.size() != 10)
                throw ConversionError(line, "riga di " + placesPath.string());
            std::vector<std::string> others;
            if (!f[9].empty())
                for (const std::string& other : Split(f[9], '|')) {
                    if (const std::optional<std::string> o = PlaceNameFromUtf8(other))
                        others.push_back(*o);
                    else
                        ++n.aliasScript;
                }
            const std::string& kind = f[0];
            const std::string& country = f[4];
            const std::string& admin = f[5];
            bool transliterated = false;
            const std::optional<std::string> name = PlaceNameFromUtf8(f[1], &transliterated);
            if (!name) {
                ++n.skippedScript;
                continue;
            }
            n.transliterated += transliterated;

            PlaceRecord r;
            r.latitude = ReadFixedReal(f[2]);
            r.longitude = ReadFixedReal(f[3]);
            r.population = static_cast<std::int32_t>(std::stol(f[7]));
            r.gregorianFrom = gregorian.For(country, admin);
            const std::optional<std::string> region = PlaceNameFromUtf8(f[6]);

            if (kind == "C" || kind == "F" || kind == "S") {
                bool shortened = false;
                r.name = ItalianName(*name, admin, shortened);
                n.shortened += shortened;
                r.state = region ? *region : std::string();
                r.regime = country == "SM" ? kSanMarinoRegime : country == "VA" ? kVaticanRegime : kItalyRegime;
                // Other names carry the province like the name; a name
                // shortened to fit has its full form among them.
                const std::string suffix = "*" + admin + "*";
                for (std::string& o : others)
                    o += suffix;
                if (shortened)
                    others.insert(others.begin(), *name + suffix);
                italian.push_back({PlaceSortKey(r.name), std::move(r), std::move(others)});
                continue;
            }

            auto line1 = zoneLine.find(f[8]);
            if (line1 == zoneLine.end()) {
                const auto fallback = firstZone.find(country);
                line1 = fallback == firstZone.end() ? zoneLine.end() : zoneLine.find(fallback->second);
                if (line1 == zoneLine.end()) {
                    ++n.skippedZone;
                    continue;
                }
                ++n.zoneFallback;
            }
            r.regime = kForeignRegimeBase + line1->second;
            r.name = *name;
            if (r.name.size() > kNameCapacity) {
                r.name = TrimEnd(r.name.substr(0, kNameCapacity), " -'.,");
                ++n.shortened;
            }
            std::string state;
            if (auto it = kItalianCountryNames.find(country); it != kItalianCountryNames.end())
                state = it->second;
            else if (auto en = englishNames.find(country); en != englishNames.end())
                state = Cp1252::FromUtf8(en->second);
            else
                state = country;
            if (!f[6].empty()) {
                if (region)
                    state += ", " + *region;
                else
                    ++n.regionDropped;
            }
            r.state = TrimEnd(state.substr(0, kStateCapacity), " ,");
            if (r.name != *name)
                others.insert(others.begin(), *name); // the name cut to fit
            foreign.push_back({PlaceSortKey(r.name), std::move(r), std::move(others)});
        }
        n.italian = italian.size();
        n.foreign = foreign.size();
        ProgramPath::EnsureParentFolders(kItalianPlacesFile);
        WritePlaces(kItalianPlacesFile, italian, n);
        WritePlaces(kForeignPlacesFile, foreign, n);

        std::printf("mkatlas: ITALIA.LOC %zu luoghi, ESTERO.LOC %zu luoghi\n", n.italian, n.foreign);
        std::printf("mkatlas: traslitterati %zu, esclusi per scrittura non latina %zu, nomi accorciati %zu\n",
                    n.transliterated, n.skippedScript, n.shortened);
        std::printf("mkatlas: fuso assente dall'indice sostituito col primo del paese %zu, esclusi senza fuso %zu, "
                    "regioni omesse %zu\n",
                    n.zoneFallback, n.skippedZone, n.regionDropped);
        std::printf("mkatlas: altri nomi %zu (esclusi per scrittura non latina %zu, oltre 55 caratteri %zu)\n", n.aliases,
                    n.aliasScript, n.aliasTooLong);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "mkatlas: %s\n", Cp1252::ToUtf8(ErrorMessageFor(e)).c_str());
        return 1;
    }
    return 0;
}
