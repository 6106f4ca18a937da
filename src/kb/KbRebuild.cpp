#include "kb/KbRebuild.h"

#include "kb/KbRecords.h"
#include "kb/ListOrder.h"
#include "platform/ProgramPath.h"
#include "platform/RecordFile.h"
#include "platform/ShortString.h"
#include "platform/TextFile.h"
#include "shell/Texts.h"

#include <filesystem>
#include <optional>
#include <unordered_map>

namespace {

// The text before the first "*" of a list item.
std::string BeforeStar(const std::string& item)
{
    return item.substr(0, item.find('*'));
}

// Rebuild steps 1 and 2: for each sorted item, the text before the first
// "*", trimmed, when it differs from the text examined before it. Every
// item counts, the first included: the list holds entries only (the
// reserved record 0 is never among them), so leaving out the first sorted
// item would hide a real indication or remedy from the consultation lists.
std::vector<std::string> DistinctLeadingTexts(std::vector<std::string> items)
{
    SortList(items);
    std::vector<std::string> out;
    std::string previous;
    for (std::size_t i = 0; i < items.size(); ++i) {
        std::string text = StripTrailingJunk(BeforeStar(items[i]));
        // An empty text is no entry of a list.
        if (!text.empty() && text != previous)
            out.push_back(text);
        previous = std::move(text);
    }
    return out;
}

// Items of a sorted list with the consecutive repeats dropped.
std::vector<std::string> SortedDistinct(std::vector<std::string> items)
{
    SortList(items);
    std::vector<std::string> out;
    for (std::string& s : items)
        if (out.empty() || s != out.back())
            out.push_back(std::move(s));
    return out;
}

std::string WithoutLeadingBlanks(std::string_view s)
{
    const std::size_t first = s.find_first_not_of(' ');
    return first == std::string_view::npos ? std::string() : std::string(s.substr(first));
}

// Lines of a text source without the empty lines at its end.
std::vector<std::string> SourceLines(const char* name)
{
    std::vector<std::string> lines = ReadTextLines(name);
    while (!lines.empty() && lines.back().empty())
        lines.pop_back();
    return lines;
}

void WriteNameFile(const std::string& name, const std::vector<std::string>& names)
{
    std::vector<std::string> records;
    for (const std::string& n : names)
        records.push_back(EncodeRemedyName(n));
    RecordFile(name, kRemedyNameRecordSize).Replace(records);
}

// The display field of a name of preparation type: the plant, a blank and
// the type in parentheses, blank-padded and cut to 70, then the full name.
std::string DisplayLine(std::string_view name, std::size_t typeLength, std::size_t plantPosition, bool upper)
{
    const std::string type(name.substr(0, std::min(typeLength, name.size())));
    const std::string plant = plantPosition - 1 < name.size() ? std::string(name.substr(plantPosition - 1, 30)) : "";
    std::string field = plant + " (" + type + ")";
    field.resize(70, ' ');
    if (upper)
        field = UpperCase1252(field);
    return field + std::string(name);
}

bool StartsWith(std::string_view s, std::string_view prefix)
{
    return s.substr(0, prefix.size()) == prefix;
}

} // namespace

const std::vector<SignatureFile>& PlanetFiles()
{
    static const std::vector<SignatureFile> files = {
        {"SolePri", "Sole"},     {"LunaPri", "Luna"},   {"MercPri", "Mercurio"},
        {"VenePri", "Venere"},   {"MartPri", "Marte"},  {"GiovPri", "Giove"},
        {"SatuPri", "Saturno"},  {"NodNPri", "NodoNord"}, {"NodSPri", "NodoSud"},
    };
    return files;
}

const std::vector<SignatureFile>& SignFiles()
{
    static const std::vector<SignatureFile> files = {
        {"Ariete", "Ariete"},         {"Toro", "Toro"},           {"Gemelli", "Gemelli"},
        {"Cancro", "Cancro"},         {"Leone", "Leone"},         {"Vergine", "Vergine"},
        {"Bilancia", "Bilancia"},     {"Scorpione", "Scorpione"}, {"Sagittario", "Sagittario"},
        {"Capricorno", "Capricorno"}, {"Acquario", "Acquario"},   {"Pesci", "Pesci"},
    };
    return files;
}

std::vector<std::string> SymptomList(const std::vector<RemedyRecord>& records)
{
    std::vector<std::string> items;
    for (std::size_t i = 1; i < records.size(); ++i)
        items.push_back(records[i].Indications + "**" + records[i].Name);
    return DistinctLeadingTexts(std::move(items));
}

std::vector<std::string> NameList(const std::vector<RemedyRecord>& records)
{
    std::vector<std::string> items;
    for (std::size_t i = 1; i < records.size(); ++i)
        items.push_back(Bounded(records[i].Name + "**", 52) + records[i].Indications);
    return DistinctLeadingTexts(std::move(items));
}

std::vector<std::string> SignatureNames(const std::vector<RemedyRecord>& records, std::string_view word, bool zodiac)
{
    std::vector<std::string> names;
    for (std::size_t i = 1; i < records.size(); ++i) {
        const std::string& signature = zodiac ? records[i].ZodiacSignature : records[i].PrimarySignature;
        if (signature.find(word) != std::string::npos)
            names.push_back(records[i].Name);
    }
    SortList(names);
    std::vector<std::string> out;
    for (const std::string& n : names) {
        const std::string cut = Bounded(n, kNameCapacity);
        if (out.empty() || cut != out.back())
            out.push_back(cut);
    }
    return out;
}

std::vector<std::string> DisplayLines(std::string_view name)
{
    // Each test looks at the line as the previous test left it: once a test
    // has fired, the line is its display line.
    std::vector<std::string> extra;
    std::string line(name);
    auto apply = [&](bool fires, std::size_t typeLength, std::size_t plantPosition, bool upper) {
        if (!fires)
            return;
        line = DisplayLine(line, typeLength, plantPosition, upper);
        extra.push_back(line);
    };
    apply(StartsWith(line, "HS 8 -"), 4, 8, false);
    apply(StartsWith(line, "HS") && !StartsWith(line, "HS 8 -"), 6, 10, false);
    apply(StartsWith(line, "MSA"), 3, 5, false);
    apply(StartsWith(line, "QSPC"), 4, 6, true);
    apply(StartsWith(line, "TSA"), 3, 5, false);
    return extra;
}

std::vector<std::string> DisplayList(const std::vector<std::string>& nameList)
{
    std::vector<std::string> lines;
    for (const std::string& name : nameList) {
        lines.push_back(name);
        for (std::string& extra : DisplayLines(name))
            lines.push_back(std::move(extra));
    }
    SortList(lines);
    return lines;
}

void RebuildFromPrimary()
{
    // Everything is computed before the first file is written.
    const std::vector<RemedyRecord> records =
        ReadPrimaryDatabase(kRemedyName | kRemedyIndications | kRemedyPrimary | kRemedyZodiac);
    const std::vector<std::string> symptoms = SymptomList(records);
    const std::vector<std::string> names = NameList(records);
    std::vector<std::pair<std::string, std::vector<std::string>>> signatureFiles;
    for (const SignatureFile& f : PlanetFiles())
        signatureFiles.emplace_back(f.stem, SignatureNames(records, f.word, false));
    for (const SignatureFile& f : SignFiles())
        signatureFiles.emplace_back(f.stem, SignatureNames(records, f.word, true));
    const std::vector<std::string> display = DisplayList(names);

    WriteTextLines(kSymptomListFile, symptoms);
    WriteTextLines(kNameListFile, names);
    for (const auto& [stem, list] : signatureFiles) {
        WriteNameFile("OpzioneH\\" + stem + ".rnd", list);
        // The number files of the search are scratch files: none survives.
        std::error_code ec;
        std::filesystem::remove(ProgramPath::Resolve("OpzioneH\\" + stem + ".txt"), ec);
    }
    WriteTextLines(kDisplayListFile, display);
}

void RebuildPathologyList()
{
    const std::vector<RepertoryRecord> records = ReadRepertory(kRepertoryPathology);
    std::vector<std::string> pathologies;
    for (std::size_t i = 1; i < records.size(); ++i)
        pathologies.push_back(records[i].Pathology);
    WriteTextLines(kPathologyListFile, SortedDistinct(std::move(pathologies)));
}

void BuildRepertoryFromText()
{
    const std::vector<std::string> lines = SourceLines(kRepertoryTextFile);
    std::vector<RepertoryRecord> records;
    for (std::size_t first = 0; first < lines.size(); first += 3) {
        RepertoryRecord r;
        r.Pathology = LineOrEmpty(lines, first);
        r.Remedy = LineOrEmpty(lines, first + 1);
        r.Posology = LineOrEmpty(lines, first + 2);
        records.push_back(std::move(r));
    }
    std::vector<std::string> pathologies;
    for (std::size_t i = 1; i < records.size(); ++i)
        pathologies.push_back(records[i].Pathology);
    WriteRepertory(records);
    WriteTextLines(kPathologyListFile, SortedDistinct(std::move(pathologies)));
}

void BuildPlantTables()
{
    const std::vector<std::string> lines = SourceLines(kPlantTextFile);
    std::vector<std::string> table;
    std::vector<std::string> symptoms;
    std::vector<std::string> symptomRecords{std::string(kPlantSymptomRecordSize, '\0')};
    std::optional<std::string> previousKey;
    for (std::size_t first = 0, index = 0; first < lines.size(); first += 8, ++index) {
        const PlantTableRecord r = PlantTableFromLines(lines, first);
        table.push_back(EncodePlantTable(r));
        if (index == 0 || r.Symptom.empty())
            continue;
        if (symptoms.empty() || r.Symptom != symptoms.back())
            symptoms.push_back(r.Symptom);
        std::string key = WithoutLeadingBlanks(r.Symptom);
        if (!key.empty() && key != previousKey) {
            std::string rec(kPlantSymptomRecordSize, '\0');
            PutShortString(rec.data(), 100, key);
            symptomRecords.push_back(std::move(rec));
            previousKey = std::move(key);
        }
    }
    RecordFile(kPlantTableFile, kPlantTableRecordSize).Replace(table);
    WriteTextLines(kPlantSymptomListFile, symptoms);
    RecordFile(kPlantSymptomFile, kPlantSymptomRecordSize).Replace(symptomRecords);
}

void BuildPlantNames()
{
    std::vector<std::string> records;
    for (const std::string& line : SourceLines(kPlantNameTextFile)) {
        if (line.empty())
            continue;
        std::string rec(kPlantNameRecordSize, '\0');
        PutShortString(rec.data(), 20, line);
        records.push_back(std::move(rec));
    }
    RecordFile(kPlantNameFile, kPlantNameRecordSize).Replace(records);
}

void RecreateTallyFile()
{
    std::vector<std::string> records;
    for (const std::string& line : ReadTextLines(kNameListFile))
        records.push_back(EncodeTally({line, 0}));
    RecordFile(kTallyFile, kRemedyTallyRecordSize).Replace(records);
}

std::vector<RemedyListEntry> DeduplicatedRemedyList(const std::vector<RemedyRecord>& records)
{
    // The first record of every name, found in one pass.
    std::unordered_map<std::string, std::size_t> first;
    std::vector<std::string> sorted;
    for (std::size_t i = 0; i < records.size(); ++i) {
        std::string key = WithoutLeadingBlanks(records[i].Name);
        if (first.emplace(key, i).second)
            sorted.push_back(std::move(key));
    }
    SortList(sorted);
    std::vector<RemedyListEntry> list;
    for (const std::string& name : sorted) {
        if (name.find("Errore") != std::string::npos)
            continue;
        list.push_back({name, first.at(name)});
    }
    return list;
}

std::vector<RemedyListEntry> WriteRemedyIndex()
{
    const std::vector<RemedyListEntry> list = DeduplicatedRemedyList(ReadPrimaryDatabase(kRemedyName));
    std::vector<std::string> lines;
    for (const RemedyListEntry& e : list)
        lines.push_back(std::to_string(e.record));
    WriteTextLines(kRemedyIndexFile, lines);
    return list;
}
