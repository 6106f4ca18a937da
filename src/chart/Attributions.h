#pragma once
// The attribution texts of a clicked body or sign: the specific ones, found
// by matching each line of the position file (OpzioneT\PosiPian.txt or
// PosiSegn.txt) against the keys of the specific table in three tries, and
// the general ones, every line of the general table under the symbol's
// two-letter code.
#include <string>
#include <string_view>
#include <vector>

namespace Attributions {

// The codes a table line must start with to belong to a symbol.
struct SymbolCodes {
    std::string code4; // "Sole", "Arie"
    std::string code3; // "Sol", "Ari"
    std::string code2; // "SO", "Ar"
};
SymbolCodes BodyCodes(int body); // chart body 1..11
SymbolCodes SignCodes(int sign); // 1..12

// The text a position key P takes from the specific table, or nothing:
// the first table line whose key K (columns 1-8; a Midheaven key with a
// blank in column 7 is cut to 6) matches in one of three tries, in order:
//  1. P equals K and the symbol's 4-letter code starts P at column 1 or 6:
//     columns 22-81;
//  2. P equals the first 6 characters of K and starts with the symbol's
//     4- or 3-letter code: columns 22-101;
//  3. P equals the first 4 characters of K and starts with the two-letter
//     code: columns 22-101.
// Each try scans the whole table before the next.
std::string SpecificText(std::string_view p, const std::vector<std::string>& table, const SymbolCodes& codes);

// Columns 4-83 of every general-table line that starts with the code.
std::vector<std::string> GeneralTexts(const std::vector<std::string>& table, std::string_view code2);

struct Result {
    std::vector<std::string> specific; // MemoL1
    std::vector<std::string> general;  // MemoL2
    std::string specificLabel, generalLabel;
};

// The attributions of chart body 1..11 from the files under the program
// folder. Throws IoError when a file is missing.
Result ForBody(int body);
// The attributions of sign 1..12.
Result ForSign(int sign);

// Names shown for the bodies and signs.
const char* BodyName(int body); // "SOLE" .. "MEDIOCIELO"
std::string SignName(int sign); // "Ariete" ..

// ---- Plants and signatures (knowledge base) ---------------------------------

inline constexpr const char* kAnyFilter = "Qualsiasi";

// Planet and sign words of the knowledge base: "Sole" .. "Saturno",
// "NodoNord", "NodoSud" for chart bodies 1..9 ("" for the angles);
// "Ariete" .. "Pesci" for signs 1..12.
std::string PlanetWord(int body);
std::string SignWord(int sign);

// Distinct plant names of OpzioneS\DataStf.rnd, in table order, whose
// planet and sign agree with the filters: a filter "Qualsiasi" takes any
// value, and a record whose planet or sign is "Qualsiasi" suits any filter.
// A missing table gives no plants.
std::vector<std::string> PlantNames(std::string_view planetFilter, std::string_view signFilter);
// Memo4: "PIANTE", then the plant, its part used, principles and
// properties. Memo3: "SINTOMI CURABILI con " + plant and the symptoms of
// the plant table, then "RIMEDIO associato" (one) or "RIMEDI" and the
// remedies of OpzioneH\DBmain.rnd whose composition names the plant, with
// their indications. Missing files give the headings only.
struct PlantTexts {
    std::vector<std::string> details;  // Memo4
    std::vector<std::string> remedies; // Memo3
};
PlantTexts PlantDetails(std::string_view plant);

// Signature search in DBmain.rnd (entries 1..): the remedies whose primary
// planetary signature contains the planet word and whose zodiacal
// signature contains the sign word ("Qualsiasi": any). The heading is
// "RIMEDI con Segnatura " or "PATOLOGIE con Segnatura " + planet + "/" +
// sign; the remedies list holds names, the pathologies list their
// indications. Writes FileDum\Segnat.dum. A missing database gives the
// heading only.
struct SignatureResult {
    std::string heading;
    std::vector<std::string> items;
};
SignatureResult SignatureSearch(std::string_view planet, std::string_view sign, bool pathologies);

} // namespace Attributions
