#pragma once
// The astrological-signature window's logic: the rows it shows, the
// planet and sign search over the de-duplicated remedy list, the result
// file FileDum\Segnat.dum read back page by page.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct RemedyRecord;

inline constexpr const char* kSignatureResultFile = "FileDum\\Segnat.dum";
inline constexpr std::size_t kSignatureRows = 14;      // rows of the window, and of a page
inline constexpr const char* kAnySignature = "Qualsiasi";

// One row: name, primary and secondary planetary signature, zodiacal
// signature.
struct SignatureRow {
    std::string name;
    std::string primary;
    std::string secondary;
    std::string zodiac;
    bool operator==(const SignatureRow&) const = default;
};
SignatureRow SignatureRowOf(const RemedyRecord& r);

// The planet word is found in the primary or in the secondary signature,
// the sign word in the zodiacal one (substrings, case-sensitive);
// "Qualsiasi" matches every remedy.
bool SignatureMatches(const RemedyRecord& r, std::string_view planet, std::string_view sign);

// Name comparison of the remedy lists: the list entries are the names with
// their leading blanks removed, so a record matches its entry whatever
// blanks its stored name begins with.
bool SameRemedyName(std::string_view stored, std::string_view entry);

// Signature search: for every entry k of the list, the record whose number
// is line k of FileDum\Prdts.dum is read from DBmain.rnd (both files read
// once); when it is the entry's record and it matches, it is a result.
// Rewrites FileDum\Segnat.dum with four lines a result and returns the
// results in list order.
std::vector<SignatureRow> SearchSignatures(const std::vector<std::string>& list, std::string_view planet,
                                           std::string_view sign);

// ceiling(total / 14).
std::size_t SignaturePageCount(std::size_t total);
// "page/pages".
std::string SignaturePageText(std::size_t page, std::size_t pages);
// Page n (from 1) of FileDum\Segnat.dum: always 14 rows, those past the end
// of the file empty. Throws IoError when the file cannot be read.
std::vector<SignatureRow> ReadSignaturePage(std::size_t page);
