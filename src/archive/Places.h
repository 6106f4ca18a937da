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

// The key places are sorted and searched by: the name upper-cased
// (Windows-1252 letters, accents kept), the province mark "*" sorting
// before every other character.
std::string PlaceSortKey(std::string_view name);

// Binary search on a sorted gazetteer: the record numbers of the places
// whose name begins with `prefix` (without regard to letter case), at most
// `limit`, in file order. Reads O(log n + limit) records.
std::vector<std::size_t> FindPlaces(const char* file, std::string_view prefix, std::size_t limit);
PlaceRecord ReadPlace(const char* file, std::size_t index);
std::size_t PlaceCount(const char* file);

// The place's regime: an Italian regime file name ("00390000.CAL") or the
// line of a foreign zone in Elencal.002.
bool IsItalianRegime(std::int32_t regime);
std::string RegimeFileName(std::int32_t regime); // "Calendar\\00390000.CAL"
int ForeignZoneLine(std::int32_t regime);        // 1-based line of Elencal.002

// The 12-character coordinate text of a place ("45N28 009E11"): degrees and
// rounded minutes, minutes of 60 not carried.
std::string PlaceCoordText(long double latitude, long double longitude);

// A UTF-8 place name (GeoNames, ISTAT, or typed) in the Windows-1252 form the
// gazetteers spell it: letters without a Windows-1252 byte transliterated
// (Polish, Czech, Turkish, Romanian, Baltic, Vietnamese... diacritics
// dropped, ı ł đ ħ ə as plain letters; the table is in Places.cpp),
// combining marks dropped, the typographic apostrophes ’ ‘ ʻ ʼ as "'".
// Nothing when the name holds a character of another script.
// `transliterated` is set when any character was replaced or dropped.
std::optional<std::string> PlaceNameFromUtf8(std::string_view utf8, bool* transliterated = nullptr);
