#include "chart/Attributions.h"

#include "chart/AttributionKeys.h"
#include "chart/TraditionalRules.h"
#include "chart/Wheel.h"
#include "core/Angles.h"
#include "kb/KbRecords.h"
#include "platform/ProgramPath.h"
#include "platform/TextFile.h"
#include "shell/LongitudeTexts.h"
#include "shell/SharedState.h"
#include "shell/Texts.h"

#include <algorithm>
#include <optional>

namespace Attributions {

namespace {

std::string Columns(const std::string& line, std::size_t first1, std::size_t last1)
{
    if (line.size() < first1)
        return {};
    return TrimRightBlanks(line.substr(first1 - 1, last1 - first1 + 1));
}

bool StartsWith(std::string_view s, std::string_view prefix)
{
    return !prefix.empty() && s.substr(0, prefix.size()) == prefix;
}

std::string TableKey(const std::string& line)
{
    std::string k = line.substr(0, std::min<std::size_t>(8, line.size()));
    if (StartsWith(k, "Mcie") && k.size() >= 7 && k[6] == ' ')
        k.resize(6);
    return k;
}

Result Lookup(const std::string& first, const char* positions, const char* specific, const char* general,
              const SymbolCodes& codes, const char* kind)
{
    Result r;
    r.specific.push_back(first);
    const std::vector<std::string> keys = ReadTextLines(positions);
    const std::vector<std::string> table = ReadTextLines(specific);
    for (const std::string& p : keys) {
        const std::string text = SpecificText(p, table, codes);
        if (!text.empty())
            r.specific.push_back(text);
    }
    r.general = GeneralTexts(ReadTextLines(general), codes.code2);
    r.specificLabel = std::string("ATTRIBUZIONI SPECIFICHE al ") + kind;
    r.generalLabel = std::string("ATTRIBUZIONI GENERALI al ") + kind;
    return r;
}

} // namespace

SymbolCodes BodyCodes(int body)
{
    using namespace AttributionKeys;
    return {std::string(kBodyCode4[body - 1]), std::string(kBodyCode3[body - 1]), std::string(kBodyCode2[body - 1])};
}

SymbolCodes SignCodes(int sign)
{
    using namespace AttributionKeys;
    return {std::string(kSignCode4[sign - 1]), std::string(kSignCode3[sign - 1]), std::string(kSignCode2[sign - 1])};
}

std::string SpecificText(std::string_view p, const std::vector<std::string>& table, const SymbolCodes& codes)
{
    if (p.empty())
        return {};
    for (const std::string& line : table) {
        const std::string k = TableKey(line);
        if (p == k && (StartsWith(p, codes.code4) || (p.size() >= 9 && p.substr(5, 4) == codes.code4)))
            return Columns(line, 22, 81);
    }
    for (const std::string& line : table) {
        const std::string k = TableKey(line);
        if (k.size() >= 6 && p == std::string_view(k).substr(0, 6) &&
            (StartsWith(p, codes.code4) || StartsWith(p, codes.code3)))
            return Columns(line, 22, 101);
    }
    for (const std::string& line : table) {
        const std::string k = TableKey(line);
        if (k.size() >= 4 && p == std::string_view(k).substr(0, 4) && StartsWith(p, codes.code2))
            return Columns(line, 22, 101);
    }
    return {};
}

std::vector<std::string> GeneralTexts(const std::vector<std::string>& table, std::string_view code2)
{
    std::vector<std::string> out;
    for (const std::string& line : table)
        if (line.size() >= 2 && std::string_view(line).substr(0, 2) == code2)
            out.push_back(Columns(line, 4, 83));
    return out;
}

const char* BodyName(int body)
{
    static const char* names[11] = {"SOLE",  "LUNA",   "MERCURIO",  "VENERE",   "MARTE",     "GIOVE",
                                    "SATURNO", "NODO NORD", "NODO SUD", "ASCENDENTE", "MEDIOCIELO"};
    return body >= 1 && body <= 11 ? names[body - 1] : "";
}

std::string SignName(int sign) { return SignFullName(sign); }

Result ForBody(int body)
{
    const long double lon = Wheel::BodyPosition(body);
    std::string first = std::string(BodyName(body)) + " " + LongitudeFullText(Wheel::BodyRetrograde(body) ? "R" : "", lon);
    Result r = Lookup(first, "OpzioneT\\PosiPian.txt", "OpzioneT\\SpgPianSpe.Txt", "OpzioneT\\SpgPian.txt",
                      BodyCodes(body), "PIANETA");
    r.specific.push_back("Dodecatemorie " + std::string(BodyName(body)) + " = " +
                         LongitudeFullText("", TraditionalRules::Dodecatemory(lon)));
    return r;
}

Result ForSign(int sign)
{
    std::string first = SignName(sign);
    for (int h = 1; h <= 12; ++h)
        if (SignNumber(HouseCusps[h]) == sign)
            first += " " + std::string(AttributionKeys::kHouseCode4[h - 1]);
    return Lookup(first, "OpzioneT\\PosiSegn.txt", "OpzioneT\\SpgSegnSpe.txt", "OpzioneT\\SpgSegni.txt",
                  SignCodes(sign), "SEGNO");
}

std::string PlanetWord(int body)
{
    static const char* words[9] = {"Sole", "Luna", "Mercurio", "Venere", "Marte", "Giove", "Saturno", "NodoNord", "NodoSud"};
    return body >= 1 && body <= 9 ? words[body - 1] : "";
}

std::string SignWord(int sign)
{
    static const char* words[12] = {"Ariete",   "Toro",     "Gemelli",    "Cancro",     "Leone",    "Vergine",
                                    "Bilancia", "Scorpione", "Sagittario", "Capricorno", "Acquario", "Pesci"};
    return sign >= 1 && sign <= 12 ? words[sign - 1] : "";
}

namespace {

std::vector<PlantTableRecord> PlantTable()
{
    std::vector<PlantTableRecord> out;
    const std::optional<std::string> bytes = TryReadFileBytes(kPlantTableFile);
    if (!bytes)
        return out;
    for (std::size_t at = 0; at + kPlantTableRecordSize <= bytes->size(); at += kPlantTableRecordSize)
        out.push_back(DecodePlantTable(std::string_view(*bytes).substr(at, kPlantTableRecordSize)));
    return out;
}

std::vector<RemedyRecord> Database(unsigned fields)
{
    if (!ProgramPath::Exists(kPrimaryFile))
        return {};
    return ReadPrimaryDatabase(fields);
}

bool Suits(std::string_view value, std::string_view filter)
{
    const std::string v = TrimBlanks(value);
    return filter == kAnyFilter || v == kAnyFilter || v == filter;
}

bool Contains(std::string_view text, std::string_view word)
{
    return word == kAnyFilter || (!word.empty() && text.find(word) != std::string_view::npos);
}

} // namespace

std::vector<std::string> PlantNames(std::string_view planetFilter, std::string_view signFilter)
{
    std::vector<std::string> names;
    for (const PlantTableRecord& r : PlantTable()) {
        const std::string plant = TrimBlanks(r.Plant);
        if (plant.empty() || !Suits(r.Planet, planetFilter) || !Suits(r.Sign, signFilter))
            continue;
        if (std::find(names.begin(), names.end(), plant) == names.end())
            names.push_back(plant);
    }
    return names;
}

PlantTexts PlantDetails(std::string_view plant)
{
    PlantTexts t;
    t.details.push_back("PIANTE");
    t.remedies.push_back("SINTOMI CURABILI con " + std::string(plant));
    bool first = true;
    for (const PlantTableRecord& r : PlantTable()) {
        if (TrimBlanks(r.Plant) != plant)
            continue;
        if (first) {
            first = false;
            t.details.push_back(std::string(plant));
            t.details.push_back("Parte usata: " + TrimBlanks(r.PartUsed));
            t.details.push_back("Principi attivi: " + TrimBlanks(r.Principles));
            t.details.push_back("Propriet\xE0: " + TrimBlanks(r.Properties));
            t.details.push_back("Pianeta: " + TrimBlanks(r.Planet) + "  Segno: " + TrimBlanks(r.Sign));
        }
        if (!TrimBlanks(r.Symptom).empty())
            t.remedies.push_back("- " + TrimBlanks(r.Symptom));
    }
    std::vector<std::string> found;
    const std::vector<RemedyRecord> db = Database(kRemedyName | kRemedyIndications | kRemedyNotes);
    for (std::size_t i = 1; i < db.size(); ++i)
        if (!plant.empty() && db[i].Notes.find(plant) != std::string::npos)
            found.push_back(TrimBlanks(db[i].Name) + ": " + TrimBlanks(db[i].Indications));
    t.remedies.push_back("");
    t.remedies.push_back(found.size() == 1 ? "RIMEDIO associato" : "RIMEDI");
    t.remedies.insert(t.remedies.end(), found.begin(), found.end());
    return t;
}

SignatureResult SignatureSearch(std::string_view planet, std::string_view sign, bool pathologies)
{
    SignatureResult r;
    r.heading = std::string(pathologies ? "PATOLOGIE con Segnatura " : "RIMEDI con Segnatura ") + std::string(planet) +
                "/" + std::string(sign);
    std::vector<std::string> hand;
    const std::vector<RemedyRecord> db = Database(kRemedyName | kRemedyIndications | kRemedySignatures);
    for (std::size_t i = 1; i < db.size(); ++i) {
        const RemedyRecord& m = db[i];
        if (!Contains(m.PrimarySignature, planet) || !Contains(m.ZodiacSignature, sign))
            continue;
        const std::string item = TrimBlanks(pathologies ? m.Indications : m.Name);
        if (!item.empty() && std::find(r.items.begin(), r.items.end(), item) == r.items.end())
            r.items.push_back(item);
        for (const std::string* f : {&m.Name, &m.PrimarySignature, &m.SecondarySignature, &m.ZodiacSignature})
            hand.push_back(TrimBlanks(*f));
    }
    WriteTextLines("FileDum\\Segnat.dum", hand);
    return r;
}

} // namespace Attributions
