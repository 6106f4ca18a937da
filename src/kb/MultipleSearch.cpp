#include "kb/MultipleSearch.h"

#include "kb/KbRecords.h"
#include "kb/ListOrder.h"
#include "platform/RecordFile.h"
#include "platform/TextFile.h"
#include "shell/Texts.h"

#include <algorithm>
#include <unordered_map>

namespace {

// Only the first part of the indications and of the posology is compared
// and shown by the multiple-symptom search.
constexpr std::size_t kPartLength = 250;

std::string FirstPart(const std::string& text)
{
    return text.substr(0, std::min(text.size(), kPartLength));
}

std::string Cut(std::string_view s, std::size_t n)
{
    return std::string(s.substr(0, std::min(s.size(), n)));
}

// How many times each criterion text was chosen.
std::unordered_map<std::string, unsigned> CriterionCounts(const std::vector<std::string>& criteria)
{
    std::unordered_map<std::string, unsigned> counts;
    for (const std::string& c : criteria)
        if (!c.empty())
            ++counts[c];
    return counts;
}

// The tally file's names and the index of the first record with each name.
struct TallyTable {
    std::vector<std::string> names;
    std::vector<std::uint8_t> tallies;
    std::unordered_map<std::string, std::size_t> first;

    explicit TallyTable(const std::vector<std::string>& lines)
    {
        for (const std::string& line : lines) {
            names.push_back(Cut(line, kNameCapacity));
            first.emplace(names.back(), names.size() - 1);
        }
        tallies.assign(names.size(), 0);
    }

    void Add(const std::string& name, unsigned times)
    {
        const auto it = first.find(Cut(name, kNameCapacity));
        if (it == first.end())
            return;
        RemedyTally t{names[it->second], tallies[it->second]};
        for (unsigned i = 0; i < times; ++i)
            AddTally(t);
        tallies[it->second] = t.Tally;
    }

    void Write(const char* file) const
    {
        std::vector<std::string> records;
        records.reserve(names.size());
        for (std::size_t i = 0; i < names.size(); ++i)
            records.push_back(EncodeTally({names[i], tallies[i]}));
        RecordFile(file, kRemedyTallyRecordSize).Replace(records);
    }
};

SearchDetail EmptyDetail(const std::vector<std::string>& criteria)
{
    SearchDetail d;
    d.covered.assign(criteria.size(), false);
    return d;
}

} // namespace

std::string RankedItemText(const RankedRemedy& r)
{
    return (r.tally < 10 ? "0" : "") + std::to_string(r.tally) + " " + r.name;
}

std::string NameOfRankedItem(std::string_view item)
{
    std::size_t i = 0;
    while (i < item.size() && item[i] >= '0' && item[i] <= '9')
        ++i;
    if (i < item.size() && item[i] == ' ')
        ++i;
    return StripTrailingJunk(item.substr(i));
}

std::vector<RankedRemedy> RankTallies(const std::vector<std::string>& names, const std::vector<std::uint8_t>& tallies)
{
    std::vector<RankedRemedy> ranked;
    for (std::size_t i = 0; i < names.size() && i < tallies.size(); ++i)
        if (tallies[i] != 0)
            ranked.push_back({names[i], tallies[i]});
    // By the number, not by the text of the item, so that a tally of 100
    // or more still ranks above the two-digit ones.
    std::stable_sort(ranked.begin(), ranked.end(), [](const RankedRemedy& a, const RankedRemedy& b) {
        if (a.tally != b.tally)
            return a.tally > b.tally;
        return CompareListText(a.name, b.name) > 0;
    });
    return ranked;
}

// ---- Multiple-symptom search -------------------------------------------------

std::vector<RankedRemedy> MultipleSymptomSearch(const std::vector<std::string>& criteria)
{
    TallyTable table(ReadTextLines(kNameListFile));
    const auto counts = CriterionCounts(criteria);
    if (!counts.empty()) {
        for (const RemedyRecord& r : ReadPrimaryDatabase(kRemedyName | kRemedyIndications)) {
            const auto it = counts.find(FirstPart(r.Indications));
            if (it != counts.end())
                table.Add(r.Name, it->second);
        }
    }
    table.Write(kTallyFile);
    return RankTallies(table.names, table.tallies);
}

SearchDetail MultipleSymptomDetail(std::string_view item, const std::vector<std::string>& criteria)
{
    SearchDetail d = EmptyDetail(criteria);
    const std::string name = NameOfRankedItem(item);
    for (const RemedyRecord& r : ReadPrimaryDatabase(kRemedyName | kRemedyIndications | kRemedyPosology)) {
        if (r.Name != name)
            continue;
        const std::string indication = FirstPart(r.Indications);
        for (std::size_t k = 0; k < criteria.size(); ++k)
            if (criteria[k] == indication) {
                d.lines.push_back("= " + indication);
                d.lines.push_back("- " + FirstPart(r.Posology));
                d.covered[k] = true;
            }
    }
    d.lines.push_back(kDetailSeparator);
    return d;
}

// ---- Composite therapies -----------------------------------------------------

std::vector<std::string> PrepareCompositeFiles()
{
    const std::vector<RepertoryRecord> records = ReadRepertory(kRepertoryRemedy);
    std::vector<std::string> remedies;
    for (std::size_t i = 1; i < records.size(); ++i)
        if (!records[i].Remedy.empty())
            remedies.push_back(records[i].Remedy);
    SortList(remedies);
    remedies.erase(std::unique(remedies.begin(), remedies.end()), remedies.end());
    WriteTextLines(kCompositeNameFile, remedies);
    TallyTable(remedies).Write(kCompositeTallyFile);
    return remedies;
}

std::vector<RankedRemedy> CompositeTherapySearch(const std::vector<std::string>& criteria)
{
    TallyTable table(ReadTextLines(kCompositeNameFile));
    const auto counts = CriterionCounts(criteria);
    if (!counts.empty()) {
        for (const RepertoryRecord& r : ReadRepertory(kRepertoryPathology | kRepertoryRemedy)) {
            const auto it = counts.find(r.Pathology);
            if (it != counts.end())
                table.Add(r.Remedy, it->second);
        }
    }
    table.Write(kCompositeTallyFile);
    return RankTallies(table.names, table.tallies);
}

SearchDetail CompositeTherapyDetail(std::string_view item, const std::vector<std::string>& criteria)
{
    SearchDetail d = EmptyDetail(criteria);
    const std::string name = NameOfRankedItem(item);
    for (const RepertoryRecord& r : ReadRepertory(kRepertoryPathology | kRepertoryRemedy | kRepertoryPosology)) {
        // The tally file holds names cut to 50 characters: a longer
        // repertory name is matched on its first 50.
        if (Cut(r.Remedy, kNameCapacity) != name && r.Remedy != name)
            continue;
        for (std::size_t k = 0; k < criteria.size(); ++k)
            if (!criteria[k].empty() && criteria[k] == r.Pathology) {
                d.lines.push_back("= " + r.Pathology);
                d.lines.push_back("- " + r.Posology);
                d.covered[k] = true;
            }
    }
    d.lines.push_back(kDetailSeparator);
    return d;
}

// ---- Lists -------------------------------------------------------------------

std::optional<std::size_t> FindLineContaining(const std::vector<std::string>& lines, std::string_view text,
                                              std::size_t from)
{
    if (text.empty())
        return std::nullopt;
    const std::string wanted = UpperCase1252(text);
    for (std::size_t i = from; i < lines.size(); ++i)
        if (UpperCase1252(lines[i]).find(wanted) != std::string::npos)
            return i;
    return std::nullopt;
}

std::optional<std::size_t> FirstEmptyCriterion(const std::vector<std::string>& criteria)
{
    for (std::size_t k = 0; k < criteria.size(); ++k)
        if (criteria[k].empty())
            return k;
    return std::nullopt;
}
