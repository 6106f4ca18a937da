#pragma once
// Word search in one long text of the remedies (the psychic synthesis, or
// the notes that hold a remedy's composition) over the de-duplicated remedy
// list, and the text shown for a result.
#include <string>
#include <string_view>
#include <vector>

struct RemedyRecord;

inline constexpr const char* kNoResultLine = "**NESSUN RISULTATO**";
inline constexpr const char* kNoSynthesisText = "Non è riportata una Sintesi Psichica";

enum class RemedyTextKind {
    Synthesis, // Sintesi Psichica, parts 1-6
    Notes,     // Note, parts 1-3: the composition of the remedy
};
const std::string& RemedyText(const RemedyRecord& r, RemedyTextKind kind);
// The field of the record that holds that text (to read only it).
unsigned RemedyTextField(RemedyTextKind kind);

// The synthesis as shown: the joined text, or the "not given" sentence when
// it is shorter than 5 characters.
std::string SynthesisDisplay(const RemedyRecord& r);

// The list entries, in list order, of which some record (any use of the
// remedy, from record 0) holds the upper-cased word in its upper-cased
// text; the single line "**NESSUN RISULTATO**" when there is none. An empty
// word is never found.
std::vector<std::string> FindRemedies(const std::vector<std::string>& list, const std::vector<RemedyRecord>& records,
                                      std::string_view word, RemedyTextKind kind);

// The text with the first occurrence of the word, found without regard to
// case, replaced by the upper-cased word; when the text lacks it, the word
// is put in front of the text.
std::string ShowFoundWord(std::string_view text, std::string_view word);
