#pragma once
// Searches with several criteria at once: the multiple-symptom search (the
// remedies of DBmain.rnd ranked by how many of the chosen symptoms they are
// indicated for) and its twin over the therapy repertory, the composite
// therapies (the remedies of Repertorio.rnd ranked by how many of the chosen
// pathologies they are prescribed for). Also the list helpers both windows
// share: the incremental search and the find of the symptom list.
//
// Each search reads its files once, counts in memory and rewrites its
// working file (RicCom.Rnd or TerCom.Rnd) once with the tallies.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

inline constexpr std::size_t kCriteriaCount = 15;
inline constexpr int kColourSilver = 12632256;      // criterion box, normal
inline constexpr int kColourLightYellow = 12247806; // criterion box covered by the remedy shown
inline constexpr const char* kDetailSeparator = "            =======\xA7\xA7\xA7\xA7\xA7\xA7\xA7=======";

inline constexpr const char* kCompositeTallyFile = "OpzioneH\\TerCom.Rnd";
inline constexpr const char* kCompositeNameFile = "OpzioneH\\ProdotR.txt";

// One remedy of a ranking.
struct RankedRemedy {
    std::string name;
    unsigned tally = 0; // 1..255
};
// The item shown in the ranking: the tally with at least two digits, a
// blank and the name ("03 MSA Melissa").
std::string RankedItemText(const RankedRemedy& r);
// The name of a ranking item: the text after the tally and its blank, with
// the trailing punctuation trimmed.
std::string NameOfRankedItem(std::string_view item);
// Remedies with a non-zero tally, highest tally first; among equal tallies
// the names in descending list order. (`names`, `tallies` parallel.)
std::vector<RankedRemedy> RankTallies(const std::vector<std::string>& names,
                                      const std::vector<std::uint8_t>& tallies);

// What a click on a ranked remedy shows: the lines added to the detail memo
// and, per criterion box, whether it is coloured light yellow.
struct SearchDetail {
    std::vector<std::string> lines;        // "= " symptom, "- " posology ..., the separator last
    std::vector<bool> covered;             // one per criterion
};

// ---- Multiple-symptom search (RicCom.Rnd) ------------------------------------

// Ranks the remedies of ProdotA.txt by the criteria (empty texts are no
// criterion; a text chosen twice counts twice): each DBmain.rnd record whose
// first indication part equals a criterion exactly adds one to the first
// remedy of the list with the record's name. Rewrites RicCom.Rnd with the
// tallies.
std::vector<RankedRemedy> MultipleSymptomSearch(const std::vector<std::string>& criteria);
// For every DBmain.rnd record named as the ranking item, the criteria equal
// to its first indication part with the first posology part.
SearchDetail MultipleSymptomDetail(std::string_view item, const std::vector<std::string>& criteria);

// ---- Composite therapies (TerCom.Rnd, ProdotR.txt) ---------------------------

// The distinct remedies of Repertorio.rnd records 1.., in list order, written
// to ProdotR.txt and as zero tallies to TerCom.Rnd; returns them.
std::vector<std::string> PrepareCompositeFiles();
// Ranks the remedies of ProdotR.txt: each Repertorio.rnd record whose
// pathology equals a criterion adds one to its remedy. Rewrites TerCom.Rnd.
std::vector<RankedRemedy> CompositeTherapySearch(const std::vector<std::string>& criteria);
// For every Repertorio.rnd record of the remedy, the criteria equal to its
// pathology with the posology of that pathology-remedy pair.
SearchDetail CompositeTherapyDetail(std::string_view item, const std::vector<std::string>& criteria);

// ---- Lists -------------------------------------------------------------------

// "Trova": the first line from `from` on whose upper-cased text contains the
// upper-cased text; nothing when there is none (or the text is empty).
std::optional<std::size_t> FindLineContaining(const std::vector<std::string>& lines, std::string_view text,
                                              std::size_t from);
// The index of the first empty criterion box, if any.
std::optional<std::size_t> FirstEmptyCriterion(const std::vector<std::string>& criteria);
