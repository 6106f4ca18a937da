#pragma once
// The name index of an archive (A.ST1) held in memory as the bytes of its
// 44-byte records and searched in place, without a string per entry.
//
// Record 0 is the template; entries 1..last are kept in ascending order of
// their texts (the short string: length byte, then that many bytes,
// compared as unsigned bytes). A new entry goes where the bubble pass of
// registration puts it (append, then swap down while it sorts before the
// record above, record 0 never compared): on a sorted index that is just
// after the last entry that does not sort after it, found by bisection. An
// index found out of order (a file put together by hand) is still handled
// exactly as the bubble pass and the linear scans handle it, only slower.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Windows-1252 upper case (à -> À as well as a -> A): names are compared
// in it without regard to letter case.
std::string UpperName(std::string_view text);

class SubjectIndex {
public:
    SubjectIndex() = default;
    // The records of an ST1 file; a partial record at the end is left out.
    explicit SubjectIndex(std::string bytes);
    // Reads the file in one go; IoError when it cannot be read.
    static SubjectIndex Read(const std::string& file);

    std::size_t Count() const { return count_; } // records, template included
    std::string_view Record(std::size_t i) const;
    std::string_view Text(std::size_t i) const;  // the short string (up to 43 bytes)
    std::string_view Name(std::size_t i) const;  // its first 38 bytes, right-trimmed of blanks
    int Number(std::size_t i) const;             // characters 39-43 when five digits, else -1
    const std::string& Bytes() const { return bytes_; }

    // Entries 1..last in ascending order of their texts.
    bool Sorted() const;

    // Puts a record in by the sorted insertion; returns its position.
    std::size_t Insert(std::string_view record);
    // Several records, each as Insert would put it in turn (on a sorted
    // index: sorted among themselves, then merged in one pass).
    void InsertAll(const std::vector<std::string>& records);
    // Removes record i; the others keep their order.
    void Erase(std::size_t i);

    // The first entry in index order whose name begins with the prefix, in
    // any letter case (the prefix is compared in upper case, Windows-1252).
    std::optional<std::size_t> FirstWithPrefix(std::string_view prefix) const;
    // The first entry whose name, trimmed of blanks on both sides, is the
    // name given (trimmed too), in any letter case.
    std::optional<std::size_t> FirstNamed(std::string_view name) const;
    // The entry whose text is exactly this one.
    std::optional<std::size_t> FindText(std::string_view text) const;

private:
    // Positions [first, last) of the entries whose text begins with some
    // letter-case form of `upper` (already upper case), in index order; on
    // a sorted index found by bisection, character by character.
    std::vector<std::pair<std::size_t, std::size_t>> CaseRanges(std::string_view upper) const;
    // The first position in the ranges whose entry satisfies `match`.
    template <class Match>
    std::optional<std::size_t> FirstIn(const std::vector<std::pair<std::size_t, std::size_t>>& ranges,
                                       Match match) const;
    std::size_t UpperBound(std::string_view text) const;
    std::size_t BubbleIn(std::string_view record);

    std::string bytes_;
    std::size_t count_ = 0;
    mutable std::optional<bool> sorted_; // known once looked at
};
