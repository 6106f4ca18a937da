#pragma once
// Historical time regimes: which correction between the local clock and
// universal time was in force at a place on a given day.
//
// A regime file is a typed file of 24-byte records (little-endian):
//   0  extended (10)   start of the regime: the Julian day of the local
//                      clock reading (under the previous regime) at which
//                      it begins, stored + 84.82300164692441744
//  10  ShortString<4>  code: the zone abbreviation cut to 4 ("CET", "CEST",
//                      "EST"); "LMT" is the local mean time of the place,
//                      computed from its own longitude (longitude * 4 / 60
//                      hours, east positive); "FINE" closes a zone's run
//  15  1 byte          unused (0)
//  16  double          correction: hours the local clock is ahead of
//                      universal time (CET +1, CEST +2, EST -5)
// Records are in order of start; the first is the "LMT" record starting at
// Julian day 0. The generated files (tools/mkregimes) close every run, the
// Italian files included, with a "FINE" record starting at 01/01/2100 00:00
// (where the data end) whose correction repeats the last regime's.
//
// Italian places use Calendar\<8 digits>.CAL (one file for all of Italy,
// one each for San Marino and the Vatican). Foreign zones live in
// Calendar\Database.cll, one run of records per zone closed by a "FINE"
// record; Calendar\Elencal.002 indexes them, one line per zone: the
// 12-character key (an 8.3 file name, "TZ000123.CAL") in columns 1-12, the
// first record number in columns 15-20, and the IANA zone name from column
// 22 (for people reading the file).
#include <optional>
#include <string>
#include <string_view>
#include <vector>

inline constexpr std::size_t kRegimeSize = 24;
inline constexpr long double kRegimeStartOffset = 84.82300164692441744L;
inline constexpr const char* kZoneIndexFile = "Calendar\\Elencal.002";
inline constexpr const char* kZoneDatabaseFile = "Calendar\\Database.cll";
inline constexpr const char* kSpecialZoneFile = "00920000.CAL";
inline constexpr const char* kEndCode = "FINE";

struct RegimeRecord {
    long double start = 0;      // Julian day of the local clock reading at which it begins
    std::string code;           // up to 4 characters
    double correction = 0;      // hours local clock is ahead of universal time
};

std::string EncodeRegime(const RegimeRecord& r);   // 24 bytes (start stored with the offset)
RegimeRecord DecodeRegime(std::string_view bytes);

struct ZoneIndexEntry {
    std::string key;   // "TZ000123.CAL"
    int firstRecord;   // record number in Database.cll
    std::string zone;  // IANA name, "Europe/Rome"
};
std::vector<ZoneIndexEntry> ReadZoneIndex();

// The regime records of a place's regime number. Foreign zones are first
// copied from Database.cll into the working file named by their key in the
// program folder, then read from it. Throws IoError when a file is missing.
// The records are returned up to the "FINE" record, which is included; the
// working file is the program folder's "TZ000123.CAL" (its top level), and
// *fileName receives that name or "Calendar\00390000.CAL". A number that is
// neither 1xxxxxxxx nor 2xxxxxxxx throws ConversionError.
std::vector<RegimeRecord> LoadRegimes(int regimeNumber, std::string* fileName = nullptr);

struct Correction {
    double hours = 0;       // local clock ahead of universal time
    std::string code;       // regime code in force ("LMT" for local mean time)
    bool afterLast = false; // the moment is after the start of the last regime
    std::size_t index = 0;  // position of the record in force in the list
};
// The correction in force at a local clock reading (Julian day of the
// local date and time): the last record whose start is not after it; "LMT"
// gives longitude * 4 / 60 hours.
// - The first moment of a regime belongs to it: a reading equal to a start
//   (within 1e-6 day) is already under the new regime, and of several
//   records with the same start the last one holds from it. A reading the
//   clock skipped falls in the new regime, one it showed twice (summer time
//   ending) in the first; the reading at which summer time ends (03:00 in
//   Italy) is shown only once, by the winter clock.
// - Past the "FINE" record the regime before it still holds.
// - afterLast: the reading is at or after the start of the last record (the
//   end of the data), for the note "REGIMI ORARI NON AGGIORNATI".
Correction CorrectionAt(const std::vector<RegimeRecord>& regimes, long double localJD, long double longitude);

// One line of the regime list: JDToText(start) + " " + sign + FixedDigits(5, |correction|) + " " + code.
std::string RegimeListLine(const RegimeRecord& r);
