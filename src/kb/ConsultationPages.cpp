#include "kb/ConsultationPages.h"

#include "kb/ListSearch.h"
#include "shell/Texts.h"

#include <algorithm>

void ResultPages::Reset()
{
    entries_.fill(0);
    stored_ = 0;
    found_ = 0;
    page_ = 1;
    rowStates_.fill(0);
}

bool ResultPages::Store(std::uint32_t record)
{
    ++found_;
    if (stored_ < entries_.size())
        entries_[stored_++] = record;
    return found_ <= static_cast<std::size_t>(kRowsPerPage);
}

int ResultPages::TotalPages() const
{
    const int filled = (static_cast<int>(stored_) + kRowsPerPage - 1) / kRowsPerPage;
    return std::clamp(filled, 1, kResultPagesMax);
}

bool ResultPages::Next()
{
    if (CanNext()) {
        ++page_;
        return true;
    }
    return false;
}

bool ResultPages::Previous()
{
    if (page_ > 1) {
        --page_;
        return true;
    }
    return false;
}

std::vector<std::uint32_t> ResultPages::PageRecords() const
{
    std::vector<std::uint32_t> records;
    for (int k = 1; k <= kRowsPerPage; ++k) {
        const std::uint32_t r = RowRecord(k);
        if (r == 0)
            break;
        records.push_back(r);
    }
    return records;
}

std::uint32_t ResultPages::RowRecord(int k) const
{
    if (k < 1 || k > kRowsPerPage)
        return 0;
    const std::size_t index = static_cast<std::size_t>((page_ - 1) * kRowsPerPage + k - 1);
    return index < stored_ ? entries_[index] : 0;
}

std::string ResultPages::IndicatorText() const
{
    std::string text = std::to_string(page_) + "/" + std::to_string(TotalPages());
    if (found_ > stored_)
        text += " (" + std::to_string(found_) + " trovati)";
    return text;
}

void ResultPages::AdvanceRow(int k, int positions)
{
    std::uint8_t& s = rowStates_.at(static_cast<std::size_t>(k - 1));
    s = static_cast<std::uint8_t>(s + 1 >= positions ? 0 : s + 1);
}

std::string NoteLabel(std::string_view name, std::string_view title)
{
    return Bounded(std::string(name) + " - ", 53) + std::string(title);
}

std::string NoteText(std::string_view text, std::string_view whenEmpty)
{
    std::string trimmed = StripTrailingJunk(text);
    return trimmed.empty() ? std::string(whenEmpty) : trimmed;
}

std::vector<std::string> SignaturePopupLines(std::string_view boxText, bool markPrimary)
{
    const std::size_t primary = 1 + static_cast<std::size_t>(std::count(boxText.begin(), boxText.end(), '-'));
    std::vector<std::string> lines;
    std::string word;
    auto flush = [&] {
        if (!word.empty() && lines.size() < 12) {
            const std::string w = word.substr(0, 15);
            lines.push_back(markPrimary && lines.size() < primary ? "\xA7 " + w : w);
        }
        word.clear();
    };
    for (char c : boxText) {
        if (c == ' ' || c == '-')
            flush();
        else
            word += c;
    }
    flush();
    return lines;
}

void Consultation::Clear()
{
    view_.rows.clear();
    view_.heading.clear();
    view_.note = {"Note", {}};
    view_.searchText.clear();
    view_.indicator.text.clear();
}

int Consultation::TypeKey(const std::vector<std::string>& list, char key)
{
    TypeSearchKey(view_.searchText, key, UpperAll());
    return FindListPrefix(list, view_.searchText);
}

void Consultation::BeginSearch()
{
    pages_.Reset();
    Clear();
}

void Consultation::PlaceMatch(std::uint32_t record, ConsultationRow row)
{
    const bool placed = pages_.Store(record);
    if (placed)
        view_.rows.push_back(std::move(row));
    view_.indicator.colour = placed ? kIndicatorAqua : kIndicatorRed;
    view_.indicator.text = pages_.IndicatorText();
}
