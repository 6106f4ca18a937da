#include "kb/RemedyTextSearch.h"

#include "kb/KbRecords.h"
#include "kb/ListOrder.h"

#include <unordered_map>

const std::string& RemedyText(const RemedyRecord& r, RemedyTextKind kind)
{
    return kind == RemedyTextKind::Synthesis ? r.PsychicSynthesis : r.Notes;
}

unsigned RemedyTextField(RemedyTextKind kind)
{
    return kind == RemedyTextKind::Synthesis ? kRemedySynthesis : kRemedyNotes;
}

std::string SynthesisDisplay(const RemedyRecord& r)
{
    return r.PsychicSynthesis.size() < 5 ? std::string(kNoSynthesisText) : r.PsychicSynthesis;
}

namespace {

std::string WithoutLeadingBlanks(const std::string& s)
{
    const std::size_t first = s.find_first_not_of(' ');
    return first == std::string::npos ? std::string() : s.substr(first);
}

} // namespace

std::vector<std::string> FindRemedies(const std::vector<std::string>& list, const std::vector<RemedyRecord>& records,
                                      std::string_view word, RemedyTextKind kind)
{
    const std::string w = UpperCase1252(word);
    std::vector<std::string> found;
    if (!w.empty()) {
        // Whether any record of a name holds the word, computed once per name.
        std::unordered_map<std::string, bool> holds;
        for (const RemedyRecord& r : records) {
            bool& h = holds[WithoutLeadingBlanks(r.Name)];
            if (!h)
                h = UpperCase1252(RemedyText(r, kind)).find(w) != std::string::npos;
        }
        for (const std::string& entry : list) {
            const auto it = holds.find(entry);
            if (it != holds.end() && it->second)
                found.push_back(entry);
        }
    }
    if (found.empty())
        found.push_back(kNoResultLine);
    return found;
}

std::string ShowFoundWord(std::string_view text, std::string_view word)
{
    const std::string w = UpperCase1252(word);
    const std::size_t at = w.empty() ? std::string::npos : UpperCase1252(text).find(w);
    if (at == std::string::npos)
        return w + std::string(text);
    std::string shown(text);
    shown.replace(at, w.size(), w);
    return shown;
}
