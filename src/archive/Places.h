#pragma once
// The place gazetteers Localita\ITALIA.LOC (every Italian comune and the
// other Italian places) and Localita\ESTERO.LOC (the towns of the other
// countries): typed files of 88-byte records in name order (byte order of
// the Windows-1252 names, upper-cased), addressed by record number.
//
// Record layout (little-endian):
//   0  ShortString<31>  name; Italian places carry their province between
//                       "*" ("Roma*RM*", shown as "Roma(RM)")
//  32  extended (10)    latitude, degrees, north positive, -90..90
//  42  extended (10)    longitude, degrees, east positive, -180..180
//  52  int32            first day of the Gregorian calendar in the place's
//                       country, as a Julian day number (Italy 2299161 =
//                       15/10/1582); 0 when the country never used the Julian
//  56  int32            population (0 when unknown)
//  60  int32            regime number, 9 decimal digits: the first digit is
//                       1 for an Italian regime file, whose name is digits
//                       2-9 + ".CAL" (100390000 -> Calendar\00390000.CAL),
//                       2 for a foreign zone, digits 2-9 being the 1-based
//                       line of its key in Calendar\Elencal.002
//  64  ShortString<23>  state and region (foreign) or province name (Italian)
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

inline constexpr std::size_t kPlaceSize = 88;
inline constexpr const char* kItalianPlacesFile = "Localita\\ITALIA.LOC";
inline constexpr const char* kForeignPlacesFile = "Localita\\ESTERO.LOC";

struct PlaceRecord {
    std::string name;            // up to 31 characters
    long double latitude = 0;    // degrees, north positive
    long double longitude = 0;   // degrees, east positive
    std::int32_t gregorianFrom = 2299161; // Julian day number of the first Gregorian day
    std::int32_t population = 0;
    std::int32_t regime = 0;     // 9-digit regime number
    std::string state;           // up to 23 characters
};

std::string EncodePlace(const PlaceRecord& p);   // 88 bytes
PlaceRecord DecodePlace(std::string_view bytes); // fewer than 88 bytes: an empty record

// The key places are sorted and searched by, the one folding rule of every
// place search: letters upper-cased and without their accents ("Forlì",
// "FORLI'" and "forli" are "FORLI"; Æ Œ ß Þ as AE OE SS TH), digits kept,
// the province mark "*" (or the "(" ")" of the displayed form) as "\x01",
// sorting before everything else; every other character (blanks,
// apostrophes, hyphens, points) a word separator, separators in a row as one
// blank and none at either end or beside a province mark ("Citta' di
// Castello", "CITTÀ DI CASTELLO" and "Città-di-Castello" are one key).
std::string PlaceSortKey(std::string_view name);

// Binary search on a sorted gazetteer: the record numbers of the places
// whose own name begins with `prefix` (by the key above), at most `limit`,
// in file order. Reads O(log n + limit) records.
std::vector<std::size_t> FindPlaces(const char* file, std::string_view prefix, std::size_t limit);

// The other names of the places of a gazetteer, in the file beside it with
// the extension ".ALT" (Localita\ITALIA.ALT, Localita\ESTERO.ALT): typed
// files of 64-byte records sorted like the gazetteer by the key of their
// name, then population descending.
//   0  ShortString<55>  the other name; Italian names carry the province
//                       between "*" like the gazetteer ("Bozen*BZ*")
//  56  int32            record number of the place in the gazetteer
//  60  int32            population of the place (0 when unknown)
// Usual names beside the official ones ("Reggio Calabria"), the second
// official name of bilingual comuni ("Bozen"), official names too long for
// the gazetteer's field, and the Italian names of foreign places ("Parigi").
inline constexpr std::size_t kAliasSize = 64;
inline constexpr std::size_t kAliasCapacity = 55;
struct PlaceAlias {
    std::string name;            // up to 55 characters
    std::int32_t record = 0;     // record number in the gazetteer
    std::int32_t population = 0; // of the place
};
std::string EncodeAlias(const PlaceAlias& a);    // 64 bytes
PlaceAlias DecodeAlias(std::string_view bytes);  // fewer than 64 bytes: an empty alias
std::string AliasFileOf(const char* gazetteer);  // "Localita\ITALIA.LOC" -> "Localita\ITALIA.ALT"

// One place found by a search.
struct PlaceMatch {
    std::size_t record = 0; // record number in the gazetteer
    std::string alias;      // the other name that matched; empty when the place's own name did
};
// The search of the input window and of quillon-tool: the places whose own
// name or one of whose other names begins with `typed` (by PlaceSortKey),
// at most `limit`, in key order, homonyms the most populous first. A place
// found by its own name is not listed again for another name; a gazetteer
// without its ".ALT" file has no other names.
std::vector<PlaceMatch> SearchPlaces(const char* gazetteer, std::string_view typed, std::size_t limit);

// A place name typed by the user (UTF-8, from a window or the command
// line), in the Windows-1252 form the gazetteers use (PlaceNameFromUtf8,
// blanks trimmed), or the Italian message that refuses it: control
// characters, letters of a non-Latin script, more than kAliasCapacity
// characters, nothing to search by (a lone apostrophe).
struct TypedPlace {
    std::string name;    // Windows-1252
    std::string problem; // Windows-1252 message; empty when the name can be searched
};
TypedPlace ReadTypedPlace(std::string_view utf8);

PlaceRecord ReadPlace(const char* file, std::size_t index);
std::size_t PlaceCount(const char* file);

// The place's regime: an Italian regime file name ("00390000.CAL") or the
// line of a foreign zone in Elencal.002.
bool IsItalianRegime(std::int32_t regime);
std::string RegimeFileName(std::int32_t regime); // "Calendar\\00390000.CAL"
int ForeignZoneLine(std::int32_t regime);        // 1-based line of Elencal.002

// The 12-character coordinate text of a place ("45N28 009E11"): degrees and
// minutes, rounded to the nearest whole minute with the carry into the
// degrees (44.99999 N is "45N00", never "44N60").
std::string PlaceCoordText(long double latitude, long double longitude);

// A UTF-8 place name (GeoNames, ISTAT, or typed) in the Windows-1252 form the
// gazetteers spell it: a letter followed by combining marks composed first
// ("i" + U+0300 is "ì"), letters without a Windows-1252 byte transliterated
// (Polish, Czech, Turkish, Romanian, Baltic, Vietnamese... diacritics
// dropped, ı ł đ ħ ə as plain letters; the table is in Places.cpp),
// combining marks that compose with nothing dropped, the typographic
// apostrophes ’ ‘ ʻ ʼ as "'".
// Nothing when the name holds a character of another script.
// `transliterated` is set when any character was replaced or dropped.
std::optional<std::string> PlaceNameFromUtf8(std::string_view utf8, bool* transliterated = nullptr);
