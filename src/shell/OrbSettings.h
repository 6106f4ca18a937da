#pragma once
// Orb settings.
//
// FileSet\OrbiDomi.stt holds the adopted orb set and the chart settings,
// 20 lines: 1-14 the orbs of the fourteen aspects (set A as "10", "1", ...;
// sets B and C in the default float text), 15 parallel orb, 16 antiscia
// orb, 17 house system, 18 node kind ("VERO"/"MEDIO"), 19 letter of the
// adopted set, 20 Black Moon mode ("VERA" or another value).
//
// FileDum\MMVarOrb.dum holds the editable sets, 35 lines in the default
// float text: 1-2 parallel and antiscia orbs, 3-16 set B, 17-18 the shared
// orbs again, 19-32 set C, 33-34 the shared orbs again, 35 the letter of
// the current set.
#include <array>
#include <optional>
#include <string>
#include <string_view>

inline constexpr const char* kOrbSettingsFile = "FileSet\\OrbiDomi.stt";
inline constexpr const char* kOrbValuesFile = "FileDum\\MMVarOrb.dum";

struct AspectDef {
    const char* caption; // "Congiunzione" ...
    const char* stem;    // edit-name stem: "Cong" ...
    long double angle;   // degrees
    int orbA;            // set A orb, degrees (fixed)
    long double orbB;    // set B default, degrees
    long double orbC;    // set C default, degrees
};
extern const std::array<AspectDef, 14> kAspects;

// The set A text shown in the orb dialog: "± 10".
std::string OrbTextA(int aspectIndex0);

// The main window's orb-combo text for a set letter: "A (normali)",
// "B (personali)", "C (personali)" (set A for any other letter).
std::string OrbSetItem(std::string_view letter);

struct OrbValues {
    long double parallel = 1.0L;        // degrees, 0..6
    long double antiscia = 1.0L;        // degrees, 0..6
    std::array<long double, 14> b {};   // degrees, 0..15
    std::array<long double, 14> c {};   // degrees, 0..15
    std::string letter = "A";           // "A", "B" or "C"
};
OrbValues DefaultOrbValues();

// MMVarOrb.dum; nothing when it cannot be read. Missing or non-numeric
// lines take their default.
std::optional<OrbValues> ReadOrbValues();
void WriteOrbValues(const OrbValues& v);

// Reads OrbiDomi.stt into AspectOrb, ParallelOrb, AntisciaOrb,
// HouseSystemSetting, NodeKind, OrbSetLetter and BlackMoonMode. A missing or
// non-numeric orb takes the set A value. Throws IoError when the file is
// missing.
void ReadOrbSettings();

// Rewrites line k (1..20) of OrbiDomi.stt, then rereads the settings.
void ReplaceOrbLine(int k, std::string_view text);

// Writes OrbiDomi.stt with the orbs of set `letter` from `values`, the two
// shared orbs and the current house, node and Black Moon settings.
void WriteAdoptedSet(const OrbValues& values, std::string_view letter);

// The main window's adoption of a set: reads MMVarOrb.dum (going on with
// the defaults when it cannot be read), writes OrbiDomi.stt and MMVarOrb.dum
// for `letter` and rereads the settings.
struct OrbSetAdoption {
    std::string letter;  // the letter read back from OrbiDomi.stt
    std::string message; // "Manca File "MMVarOrb.dum"" (an error to show) when the defaults were used; else empty
};
OrbSetAdoption ApplyOrbSet(std::string_view letter);
