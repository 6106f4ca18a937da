#pragma once
// The result pages shared by the consultation windows (symptoms, remedies,
// therapies): up to 140 matches kept by record number, shown 14 to a page,
// the page indicator, the per-row note cycle, the incremental search over a
// sorted list and the words of the signature pop-up.
#include "kb/ListOrder.h" // TypeSearchKey, the key typed in a search box

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

inline constexpr int kRowsPerPage = 14;
inline constexpr int kResultCapacity = 140;                 // 10 pages
inline constexpr int kResultPagesMax = kResultCapacity / kRowsPerPage;
inline constexpr std::uint32_t kIndicatorAqua = 16776960;  // every match of the page has its row
inline constexpr std::uint32_t kIndicatorRed = 255;        // more matches than rows

// What one result row shows. The therapy window uses the name and the
// fourth box only.
struct ConsultationRow {
    std::string name;    // EdP: remedy name
    std::string planets; // EdA: primary + " " + secondary planetary signature, cut to 71
    std::string signs;   // EdS: zodiacal signature
    std::string fourth;  // EdD: posology, or the indication in the remedy window
};

// The note pane (LabNote / MemoNote).
struct NoteView {
    std::string label; // LabNote
    std::string text;  // MemoNote
};

// The result list of the current search and its paging.
class ResultPages {
public:
    // A new search: page 1, list empty, every row state 0.
    void Reset();
    // A match of the search: kept while the list has room; every match is
    // counted. Returns true when the match falls on the current page's rows
    // (the first 14 of a search).
    bool Store(std::uint32_t record);

    // Index of the next free slot, 1 when empty, at most 141.
    int Count() const { return static_cast<int>(stored_) + 1; }
    std::size_t Stored() const { return stored_; }
    std::size_t Found() const { return found_; }
    int Page() const { return page_; }
    // (Count() div 14) + 1, at most the 10 pages the list holds.
    int TotalPages() const;
    // Next page while Count() div 14 reaches the current page; previous
    // above page 1. False when the page stays.
    bool CanNext() const { return Count() / kRowsPerPage >= page_ && page_ < kResultPagesMax; }
    bool Next();
    bool Previous();
    // Record numbers shown on the current page, in list order (up to 14).
    std::vector<std::uint32_t> PageRecords() const;
    // Record of row k (1..14) on the current page, 0 for an empty row.
    std::uint32_t RowRecord(int k) const;

    // "page/total"; when more matches were found than the list holds, the
    // number found follows ("10/10 (163 trovati)").
    std::string IndicatorText() const;

    // Cycle position of row k (1..14); Advance steps it on, back to 0 after
    // `positions` - 1.
    int RowState(int k) const { return rowStates_.at(static_cast<std::size_t>(k - 1)); }
    void AdvanceRow(int k, int positions);

private:
    std::array<std::uint32_t, kResultCapacity> entries_ {};
    std::size_t stored_ = 0;
    std::size_t found_ = 0;
    int page_ = 1;
    std::array<std::uint8_t, kRowsPerPage> rowStates_ {};
};

// The page indicator box (Edit1): text and colour (0 while no row has been
// placed since the window opened).
struct PageIndicator {
    std::string text;
    std::uint32_t colour = 0;
};

// The numbers of the records (from 1: record 0 is reserved) that satisfy
// `matches`, in file order.
template <class Record, class Matches>
std::vector<std::uint32_t> MatchingRecords(const std::vector<Record>& records, Matches matches)
{
    std::vector<std::uint32_t> found;
    for (std::size_t r = 1; r < records.size(); ++r)
        if (matches(records[r]))
            found.push_back(static_cast<std::uint32_t>(r));
    return found;
}

// LabNote for a title: name + " - " cut to 53 characters, then the title.
std::string NoteLabel(std::string_view name, std::string_view title);
// The text shown in the note pane: trailing punctuation trimmed, or the
// fallback when nothing is left.
std::string NoteText(std::string_view text, std::string_view whenEmpty);

// Incremental search: the index the bisection over the sorted list lands
// on for this search text (the first L characters of an item compared with
// the text of length L, byte by byte), or -1 for an empty list. `hi` starts
// at count - 1, or at count when `hiAtCount`.
int BisectList(const std::vector<std::string>& items, std::string_view text, bool hiAtCount = false);


// The lines of the signature pop-up for a box text: words split at every
// blank and "-"; with `markPrimary` the first (1 + number of "-") words
// are prefixed "§ ". At most 12 words of up to 15 characters.
std::vector<std::string> SignaturePopupLines(std::string_view boxText, bool markPrimary);

// What a consultation window shows, apart from its lists.
struct ConsultationView {
    std::vector<ConsultationRow> rows; // the filled rows, from the first (at most 14)
    std::string heading;               // EdDist / EdRime / EdPato: what was searched
    PageIndicator indicator;           // Edit1
    NoteView note {"Note", {}};        // LabNote / MemoNote
    std::string searchText;            // EdCerca / EditCerca and the typed text
};

// The state every consultation window keeps between events.
class Consultation {
public:
    const ConsultationView& View() const { return view_; }
    const ResultPages& Pages() const { return pages_; }
    // "Pulisci": the rows, the heading, the note, the search box and the
    // page indicator emptied (the result list stays for paging).
    virtual void Clear();
    // A key typed in the search box; returns the list line to select
    // (-1: none).
    int TypeKey(const std::vector<std::string>& list, char key);
    // A click in the search box empties it and the typed text.
    void ClearSearchText() { view_.searchText.clear(); }
    virtual ~Consultation() = default;

protected:
    // A new search: page 1, list emptied, row states 0, note "Note".
    void BeginSearch();
    // One match of the search placed with its row (the store flag set).
    void PlaceMatch(std::uint32_t record, ConsultationRow row);
    // A new search (as BeginSearch) with its matches, in file order: each
    // is counted, and the rows of the first page are made by `row` from the
    // records `read` returns for their numbers (read once, for those rows
    // only, before anything is cleared).
    template <class Read, class RowOf>
    void PlaceMatches(const std::vector<std::uint32_t>& matches, Read&& read, RowOf&& row)
    {
        const std::size_t shown = std::min<std::size_t>(matches.size(), kRowsPerPage);
        const auto records = read(std::vector<std::uint32_t>(matches.begin(), matches.begin() + shown));
        BeginSearch();
        for (std::size_t i = 0; i < matches.size(); ++i)
            PlaceMatch(matches[i], i < shown ? row(records[i]) : ConsultationRow {});
    }
    // Turns one page forward (+1) or back (-1) when there is one there,
    // the heading kept. The records of the new page's rows are read first
    // (`read` gets their numbers), so a failed read leaves the page as it
    // was; the rows are then made from them by `row`.
    template <class Read, class RowOf>
    void TurnPage(int direction, Read&& read, RowOf&& row)
    {
        if (direction > 0 ? !pages_.CanNext() : pages_.Page() <= 1)
            return;
        ResultPages next = pages_;
        if (direction > 0)
            next.Next();
        else
            next.Previous();
        const auto records = read(next.PageRecords());
        pages_ = next;
        const std::string heading = view_.heading;
        Clear();
        view_.heading = heading;
        // As when a search places its rows, the indicator is set by each
        // row placed: an empty page leaves it empty.
        for (const auto& record : records) {
            view_.rows.push_back(row(record));
            view_.indicator = {pages_.IndicatorText(), kIndicatorAqua};
        }
    }
    virtual bool UpperAll() const { return true; }
    virtual bool HiAtCount() const { return false; }

    ConsultationView view_;
    ResultPages pages_;
};
