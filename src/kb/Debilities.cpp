#include "kb/Debilities.h"

#include "kb/ListOrder.h"

#include <algorithm>
#include <map>
#include <unordered_map>

namespace {

constexpr std::string_view kAny = "Qualsiasi";

bool Contains(const std::string& text, std::string_view word)
{
    return !word.empty() && text.find(word) != std::string::npos;
}

} // namespace

std::vector<DebilityPathology> FindDebilities(const std::vector<RemedyRecord>& primary,
                                              const std::vector<RepertoryRecord>& repertory,
                                              std::string_view planet, std::string_view sign)
{
    std::unordered_map<std::string, const RemedyRecord*> byName;
    for (std::size_t i = 1; i < primary.size(); ++i)
        byName.emplace(primary[i].Name, &primary[i]);

    std::vector<DebilityPathology> found;
    std::unordered_map<std::string, std::size_t> index;
    for (std::size_t i = 1; i < repertory.size(); ++i) {
        const RepertoryRecord& pair = repertory[i];
        const auto it = byName.find(pair.Remedy);
        if (pair.Pathology.empty() || it == byName.end())
            continue;
        const RemedyRecord& r = *it->second;
        const bool planetOk =
            planet == kAny || Contains(r.PrimarySignature, planet) || Contains(r.SecondarySignature, planet);
        const bool signOk = sign == kAny || Contains(r.ZodiacSignature, sign);
        if (!planetOk || !signOk)
            continue;
        auto [at, isNew] = index.emplace(pair.Pathology, found.size());
        if (isNew)
            found.push_back({pair.Pathology, {}});
        auto& remedies = found[at->second].remedies;
        if (std::none_of(remedies.begin(), remedies.end(),
                         [&](const DebilityRemedy& d) { return d.name == pair.Remedy; }))
            remedies.push_back({pair.Remedy, pair.Posology, r.PrimarySignature, r.SecondarySignature,
                                r.ZodiacSignature});
    }
    std::stable_sort(found.begin(), found.end(), [](const DebilityPathology& a, const DebilityPathology& b) {
        return ListLess(a.pathology, b.pathology);
    });
    return found;
}

std::vector<DebilityPathology> FindDebilities(std::string_view planet, std::string_view sign)
{
    return FindDebilities(ReadPrimaryDatabase(kRemedyName | kRemedySignatures),
                          ReadRepertory(kRepertoryPathology | kRepertoryRemedy | kRepertoryPosology), planet, sign);
}

std::string DebilityListLine(const DebilityPathology& p)
{
    return p.pathology + " (" + std::to_string(p.remedies.size()) + ")";
}

std::vector<std::string> DebilityDetailLines(const DebilityPathology& p)
{
    std::vector<std::string> lines{p.pathology, ""};
    for (const DebilityRemedy& d : p.remedies) {
        lines.push_back("= " + d.name);
        lines.push_back("   Segnatura planetaria: " + d.primary + (d.secondary.empty() ? "" : " / " + d.secondary));
        lines.push_back("   Segnatura zodiacale: " + d.zodiac);
        lines.push_back("- " + d.posology);
    }
    return lines;
}
