#pragma once
// Records of the subject archives.
//
// An archive A is A.ST1 (name index, 44-byte records sorted by the whole
// record as a short string), A.ST2 (subject data, 385-byte records) and
// A.ST3 (annotations, 284-byte records). TMPR record 0 is the current
// subject.
//
// ST1: offset 0 length byte (43), 1..38 name blank-padded to 38,
//      39..43 the ST2 record number, 5 digits zero-padded.
// ST2 (short strings, length byte + capacity):
//      0 DateKey[20]      yyyymmddhhmm + correction ("195003151230-1")
//     21 CoordPlace[39]   1-12 coordinates, 13-39 place ("*" around the province)
//     61 Calendar[2]      "GR" Gregorian, anything else Julian
//     64 Nationality[20]
//     85 ChartCode72[72]
//    158 ChartCode60[60]
//    219 ChartCode124[124]
//    344 Header21[21]
//    366 Header12[12]
//    379 NoteRef[5]       ST3 record number, "00000" for none
// ST3: four short strings of 70 characters (offsets 0, 71, 142, 213).
#include <array>
#include <cstddef>
#include <string>
#include <string_view>

inline constexpr std::size_t kSt1Size = 44;
inline constexpr std::size_t kSt2Size = 385;
inline constexpr std::size_t kSt3Size = 284;

struct SubjectRecord {
    std::string DateKey;
    std::string CoordPlace;
    std::string Calendar;
    std::string Nationality;
    std::string ChartCode72;
    std::string ChartCode60;
    std::string ChartCode124;
    std::string Header21;
    std::string Header12;
    std::string NoteRef;
};

std::string EncodeSubject(const SubjectRecord& r);    // 385 bytes
SubjectRecord DecodeSubject(std::string_view bytes);  // bytes shorter than 385 read as empty fields

// ST1 entry: name cut or blank-padded to 38 + number zero-padded to 5.
std::string EncodeIndexEntry(std::string_view name, int st2Number);
// ST1 record holding only a name, as TMPR.ST1 does.
std::string EncodeNameOnly(std::string_view name);
std::string DecodeIndexText(std::string_view bytes); // the short string of an ST1 record

using NoteLines = std::array<std::string, 4>;
std::string EncodeNotes(const NoteLines& lines);       // 284 bytes
NoteLines DecodeNotes(std::string_view bytes);
