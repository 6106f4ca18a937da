#include "kb/KbImport.h"

#include "kb/KbRebuild.h"
#include "kb/ListOrder.h"
#include "platform/Cp1252.h"
#include "platform/Errors.h"
#include "platform/TextFile.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <set>

namespace fs = std::filesystem;

namespace {

const char* const kPlanetWords[] = {"Sole", "Luna", "Mercurio", "Venere", "Marte", "Giove", "Saturno", "NodoNord", "NodoSud"};
const char* const kSignWords[] = {"Ariete", "Toro", "Gemelli", "Cancro", "Leone", "Vergine",
                                  "Bilancia", "Scorpione", "Sagittario", "Capricorno", "Acquario", "Pesci"};
constexpr std::size_t kPrincipleRecords = 15;

// One source file as Windows-1252 lines, with its name for the messages.
struct Source {
    std::string label;
    std::vector<std::string> lines;

    [[noreturn]] void Fail(std::size_t line, const std::string& what) const
    {
        throw UserError(label + ", riga " + std::to_string(line) + ": " + what);
    }
};

Source ReadSource(const fs::path& folder, const char* fileName)
{
    const fs::path p = folder / fileName;
    std::ifstream in(p, std::ios::binary);
    if (!in)
        throw IoError(p.string(), "lettura", "file mancante");
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (bytes.rfind("\xEF\xBB\xBF", 0) == 0)
        bytes.erase(0, 3);
    Source s{fileName, SplitTextLines(bytes)};
    if (Cp1252::LooksLikeUtf8(bytes)) {
        // The reader has translated the text; a character Windows-1252 lacks
        // came out as "?": find its line in the original bytes.
        std::size_t line = 1;
        for (std::size_t from = 0; from < bytes.size(); ++line) {
            std::size_t end = bytes.find('\n', from);
            if (end == std::string::npos)
                end = bytes.size();
            const std::string_view raw(bytes.data() + from, end - from);
            const std::string converted = Cp1252::FromUtf8(raw);
            if (std::count(converted.begin(), converted.end(), '?') != std::count(raw.begin(), raw.end(), '?'))
                s.Fail(line, "carattere che non esiste in Windows-1252");
            from = end + 1;
        }
    }
    return s;
}

std::string TrimSpace(std::string_view s)
{
    const std::size_t first = s.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    const std::size_t last = s.find_last_not_of(" \t");
    return std::string(s.substr(first, last - first + 1));
}

// A field name compared without regard to case, accents or repeated blanks.
std::string FieldKey(std::string_view label)
{
    std::string key;
    for (char c : LowerCase1252(TrimSpace(label))) {
        switch (static_cast<unsigned char>(c)) {
        case 0xE0: c = 'a'; break;
        case 0xE8: case 0xE9: c = 'e'; break;
        case 0xEC: c = 'i'; break;
        case 0xF2: c = 'o'; break;
        case 0xF9: c = 'u'; break;
        default: break;
        }
        if ((c == ' ' || c == '\t') && (key.empty() || key.back() == ' '))
            continue;
        key += (c == '\t') ? ' ' : c;
    }
    return key;
}

struct FieldSpec {
    const char* label;
    std::size_t capacity;
    bool repeatable;
    bool required;
};

// A field of a record as the sources give it: the member it fills, whether
// an entry may repeat it and whether it must have it. Its key and capacity
// are those of the record's field table.
template <class Record>
struct Imported {
    std::string Record::*member;
    bool repeatable = false;
    bool required = false;
};

template <class Record, std::size_t N>
std::vector<FieldSpec> SpecsOf(const std::array<RecordField<Record>, N>& table,
                               const std::vector<Imported<Record>>& fields)
{
    std::vector<FieldSpec> specs;
    for (const Imported<Record>& i : fields) {
        const RecordField<Record>& f = FieldOf(table, i.member);
        specs.push_back({f.label, f.Capacity(), i.repeatable, i.required});
    }
    return specs;
}

// The values of one entry, by field, with the line of each value.
struct Entry {
    std::size_t line = 0; // first line of the block
    std::vector<std::vector<std::pair<std::string, std::size_t>>> values;

    std::string Value(std::size_t field) const { return values[field].empty() ? std::string() : values[field][0].first; }
};

// The record of an entry: the first value of each field in its member.
template <class Record>
Record RecordOf(const Entry& e, const std::vector<Imported<Record>>& fields)
{
    Record r;
    for (std::size_t i = 0; i < fields.size(); ++i)
        r.*fields[i].member = e.Value(i);
    return r;
}

std::vector<Entry> ParseEntries(const Source& source, const std::vector<FieldSpec>& specs)
{
    std::vector<Entry> entries;
    bool inBlock = false;
    auto finish = [&]() {
        if (!inBlock)
            return;
        const Entry& e = entries.back();
        for (std::size_t f = 0; f < specs.size(); ++f)
            if (specs[f].required && (e.values[f].empty() || e.values[f][0].first.empty()))
                source.Fail(e.line, std::string("manca il campo \"") + specs[f].label + "\" della voce");
        inBlock = false;
    };
    for (std::size_t i = 0; i < source.lines.size(); ++i) {
        const std::string& line = source.lines[i];
        const std::size_t number = i + 1;
        if (!line.empty() && line[0] == '#')
            continue;
        if (TrimSpace(line).empty()) {
            finish();
            continue;
        }
        const std::size_t colon = line.find(':');
        if (colon == std::string::npos)
            source.Fail(number, "la riga non ha la forma \"Campo: valore\"");
        const std::string key = FieldKey(line.substr(0, colon));
        std::size_t field = specs.size();
        for (std::size_t f = 0; f < specs.size(); ++f)
            if (FieldKey(specs[f].label) == key)
                field = f;
        if (field == specs.size())
            source.Fail(number, "campo sconosciuto \"" + TrimSpace(line.substr(0, colon)) + "\"");
        if (!inBlock) {
            entries.push_back(Entry{number, std::vector<std::vector<std::pair<std::string, std::size_t>>>(specs.size())});
            inBlock = true;
        }
        Entry& e = entries.back();
        if (!e.values[field].empty() && !specs[field].repeatable)
            source.Fail(number, std::string("il campo \"") + specs[field].label + "\" è ripetuto nella stessa voce");
        std::string value = TrimSpace(line.substr(colon + 1));
        if (value.size() > specs[field].capacity)
            source.Fail(number, std::string("il campo \"") + specs[field].label + "\" ha " +
                                    std::to_string(value.size()) + " caratteri (al massimo " +
                                    std::to_string(specs[field].capacity) + ")");
        e.values[field].emplace_back(std::move(value), number);
    }
    finish();
    return entries;
}

// Words of a signature not among the allowed words.
std::vector<std::string> UnknownWords(const std::string& signature, const char* const* words, std::size_t count)
{
    std::vector<std::string> unknown;
    std::string token;
    auto flush = [&]() {
        if (token.empty())
            return;
        if (std::find_if(words, words + count, [&](const char* w) { return token == w; }) == words + count)
            unknown.push_back(token);
        token.clear();
    };
    for (char c : signature + " ") {
        if (c == ' ' || c == '-' || c == ',' || c == '\t')
            flush();
        else
            token += c;
    }
    return unknown;
}

void CheckWords(KbSources& out, const Source& s, std::size_t line, const char* field, const std::string& value,
                bool signs, bool allowAny)
{
    for (const std::string& w : signs ? UnknownWords(value, kSignWords, std::size(kSignWords))
                                      : UnknownWords(value, kPlanetWords, std::size(kPlanetWords)))
        if (!(allowAny && w == "Qualsiasi"))
            out.warnings.push_back(s.label + ", riga " + std::to_string(line) + ": nel campo \"" + field +
                                   "\" la parola \"" + w + "\" non è " + (signs ? "un segno" : "un pianeta"));
}

void ReadRemedies(const fs::path& folder, KbSources& out, std::set<std::string>& names)
{
    enum { Name, Indication, Posology, Warnings, Primary, Secondary, Zodiac, Synthesis, Notes, Supplementary };
    // One entry a remedy, one record for each of its indications.
    const std::vector<Imported<RemedyRecord>> fields = {
        {&RemedyRecord::Name, false, true},
        {&RemedyRecord::Indications, true, true},
        {&RemedyRecord::Posology},
        {&RemedyRecord::Warnings},
        {&RemedyRecord::PrimarySignature},
        {&RemedyRecord::SecondarySignature},
        {&RemedyRecord::ZodiacSignature},
        {&RemedyRecord::PsychicSynthesis},
        {&RemedyRecord::Notes},
        {&RemedyRecord::SupplementaryNotes},
    };
    const std::vector<FieldSpec> specs = SpecsOf(kRemedyFields, fields);
    const Source s = ReadSource(folder, "Rimedi.txt");
    std::set<std::pair<std::string, std::string>> uses;
    for (const Entry& e : ParseEntries(s, specs)) {
        RemedyRecord r = RecordOf(e, fields);
        if (r.Name == kReservedText)
            s.Fail(e.line, "il nome \"" + r.Name + "\" è riservato al record 0");
        for (const std::size_t field : {Primary, Secondary, Zodiac})
            if (!e.values[field].empty())
                CheckWords(out, s, e.values[field][0].second, specs[field].label, e.Value(field), field == Zodiac,
                           false);
        for (const auto& [indication, line] : e.values[Indication]) {
            if (indication.empty())
                s.Fail(line, "indicazione vuota");
            if (indication == kReservedText)
                s.Fail(line, "l'indicazione \"" + indication + "\" è riservata al record 0");
            if (!uses.insert({r.Name, indication}).second)
                s.Fail(line, "il rimedio \"" + r.Name + "\" ha già l'indicazione \"" + indication + "\"");
            r.Indications = indication;
            out.remedies.push_back(r);
        }
        names.insert(r.Name);
    }
}

void ReadRepertoryEntries(const fs::path& folder, KbSources& out, const std::set<std::string>& names)
{
    enum { Pathology, Remedy, Posology, Notes };
    const std::vector<Imported<RepertoryRecord>> fields = {
        {&RepertoryRecord::Pathology, false, true},
        {&RepertoryRecord::Remedy, false, true},
        {&RepertoryRecord::Posology},
        {&RepertoryRecord::Notes},
    };
    const std::vector<FieldSpec> specs = SpecsOf(kRepertoryFields, fields);
    const Source s = ReadSource(folder, "Repertorio.txt");
    for (const Entry& e : ParseEntries(s, specs)) {
        RepertoryRecord r = RecordOf(e, fields);
        if (r.Pathology == kReservedText)
            s.Fail(e.line, "la patologia \"" + r.Pathology + "\" è riservata al record 0");
        if (!names.count(r.Remedy))
            out.warnings.push_back(s.label + ", riga " + std::to_string(e.values[Remedy][0].second) +
                                   ": il rimedio \"" + r.Remedy + "\" non è in Rimedi.txt");
        out.repertory.push_back(std::move(r));
    }
}

void ReadPlants(const fs::path& folder, KbSources& out, const std::set<std::string>& names)
{
    enum { Plant, Planet, Sign, PartUsed, Principles, Properties, Symptom, Remedy };
    const std::vector<Imported<PlantTableRecord>> fields = {
        {&PlantTableRecord::Plant, false, true}, {&PlantTableRecord::Planet},     {&PlantTableRecord::Sign},
        {&PlantTableRecord::PartUsed},           {&PlantTableRecord::Principles}, {&PlantTableRecord::Properties},
        {&PlantTableRecord::Symptom, false, true}, {&PlantTableRecord::Remedy},
    };
    const std::vector<FieldSpec> specs = SpecsOf(kPlantTableFields, fields);
    const Source s = ReadSource(folder, "Piante.txt");
    for (const Entry& e : ParseEntries(s, specs)) {
        PlantTableRecord r = RecordOf(e, fields);
        if (!e.values[Planet].empty())
            CheckWords(out, s, e.values[Planet][0].second, specs[Planet].label, r.Planet, false, true);
        if (!e.values[Sign].empty())
            CheckWords(out, s, e.values[Sign][0].second, specs[Sign].label, r.Sign, true, true);
        if (!r.Remedy.empty() && !names.count(r.Remedy))
            out.warnings.push_back(s.label + ", riga " + std::to_string(e.values[Remedy][0].second) +
                                   ": il rimedio \"" + r.Remedy + "\" non è in Rimedi.txt");
        out.plants.push_back(std::move(r));
    }
}

void ReadPlantNames(const fs::path& folder, KbSources& out)
{
    const Source s = ReadSource(folder, "ElePiante.txt");
    for (std::size_t i = 0; i < s.lines.size(); ++i) {
        if (!s.lines[i].empty() && s.lines[i][0] == '#')
            continue;
        std::string name = TrimSpace(s.lines[i]);
        if (name.empty())
            continue;
        if (name.size() > 20)
            s.Fail(i + 1, "il nome della pianta ha " + std::to_string(name.size()) + " caratteri (al massimo 20)");
        out.plantNames.push_back(std::move(name));
    }
}

void ReadPrinciples(const fs::path& folder, KbSources& out)
{
    const std::vector<FieldSpec> specs = {
        {"Principio", 40, false, true}, {"Classe", 40, false, false}, {"Pianeta", 40, false, false},
        {"Azione", 40, false, false},   {"Piante", 40, false, false},
    };
    const Source s = ReadSource(folder, "Principi.txt");
    for (const Entry& e : ParseEntries(s, specs)) {
        if (out.principles.size() == kPrincipleRecords)
            s.Fail(e.line, "più di " + std::to_string(kPrincipleRecords) + " principi");
        out.principles.push_back({e.Value(0), e.Value(1), e.Value(2), e.Value(3), e.Value(4)});
    }
}

} // namespace

KbSources ReadKbSources(const fs::path& folder)
{
    KbSources out;
    std::set<std::string> names;
    ReadRemedies(folder, out, names);
    ReadRepertoryEntries(folder, out, names);
    ReadPlants(folder, out, names);
    ReadPlantNames(folder, out);
    ReadPrinciples(folder, out);
    return out;
}

PlantTableRecord PlantTableHeadings()
{
    PlantTableRecord r;
    for (const RecordField<PlantTableRecord>& f : kPlantTableFields)
        r.*f.member = f.label;
    return r;
}

void WriteKbSources(const KbSources& sources)
{
    std::vector<RemedyRecord> remedies{ReservedRemedy()};
    remedies.insert(remedies.end(), sources.remedies.begin(), sources.remedies.end());
    WritePrimaryDatabase(remedies);

    std::vector<RepertoryRecord> repertory{ReservedRepertory()};
    repertory.insert(repertory.end(), sources.repertory.begin(), sources.repertory.end());
    WriteRepertory(repertory);
    // The text source of the repertory builder: three lines a record.
    std::vector<std::string> repertoryLines;
    for (const RepertoryRecord& r : repertory)
        for (const std::string* line : {&r.Pathology, &r.Remedy, &r.Posology})
            repertoryLines.push_back(*line);
    WriteTextLines(kRepertoryTextFile, repertoryLines);

    std::vector<std::string> plantLines = PlantTableLines(PlantTableHeadings());
    for (const PlantTableRecord& r : sources.plants)
        for (std::string& line : PlantTableLines(r))
            plantLines.push_back(std::move(line));
    WriteTextLines(kPlantTextFile, plantLines);
    BuildPlantTables();

    WriteTextLines(kPlantNameTextFile, sources.plantNames);
    BuildPlantNames();

    std::vector<std::string> principleLines;
    for (const auto& p : sources.principles)
        principleLines.insert(principleLines.end(), p.begin(), p.end());
    WriteTextLines(kPrinciplesTextFile, principleLines);
}

std::vector<std::string> ImportKb(const fs::path& folder)
{
    KbSources sources = ReadKbSources(folder);
    WriteKbSources(sources);
    return sources.warnings;
}

void RebuildKb()
{
    RebuildFromPrimary();
    RebuildPathologyList();
}
