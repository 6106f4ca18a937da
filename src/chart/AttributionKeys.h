#pragma once
// The keys of the chart's position files (OpzioneT\PosiPian.txt,
// OpzioneT\PosiSegn.txt) and of the attribution and exchange tables that are
// looked up with them. One place for the codes and the key forms, shared by
// the chart window that writes the position files, the generator of the
// exchange tables and the checks of the supplied tables.
//
// Chart body numbers 1..11: 1 Sun .. 7 Saturn, 8 north node, 9 south node,
// 10 Ascendant, 11 Midheaven. Sign numbers 1 Aries .. 12 Pisces. House
// numbers 1..12.
#include <array>
#include <cstdio>
#include <string>
#include <string_view>

namespace AttributionKeys {

inline constexpr int kBodies = 11;
inline constexpr int kPlanets = 7;

inline constexpr std::array<std::string_view, kBodies> kBodyCode4 = {
    "Sole", "Luna", "Merc", "Vene", "Mart", "Giov", "Satu", "NNod", "NSud", "Asce", "Mcie"};
inline constexpr std::array<std::string_view, kBodies> kBodyCode2 = {
    "SO", "LU", "ME", "VE", "MA", "GI", "SA", "NN", "NS", "AS", "MC"};
inline constexpr std::array<std::string_view, kBodies> kBodyCode3 = {
    "Sol", "Lun", "Mer", "Ven", "Mar", "Gio", "Sat", "Non", "Nos", "Asc", "Mci"};

inline constexpr std::array<std::string_view, 12> kSignCode4 = {
    "Arie", "Toro", "Geme", "Canc", "Leon", "Verg", "Bila", "Scor", "Sagi", "Capr", "Acqu", "Pesc"};
inline constexpr std::array<std::string_view, 12> kSignCode3 = {
    "Ari", "Tor", "Gem", "Can", "Leo", "Ver", "Bil", "Sco", "Sag", "Cap", "Acq", "Pes"};
inline constexpr std::array<std::string_view, 12> kSignCode2 = {
    "Ar", "To", "Ge", "Cn", "Le", "Ve", "Bi", "Sc", "Sa", "Cp", "Aq", "Pe"};

inline constexpr std::array<std::string_view, 12> kHouseCode4 = {
    "Prim", "Seco", "Terz", "Quar", "Quin", "Sest", "Sett", "Otta", "Nona", "Deci", "Undi", "Dodi"};

// The character between the three-letter code and the decan number. It
// differs from the fourth letter of every four-letter code, so a decan key
// ("Sol-05") never equals a term key ("Sole05").
inline constexpr char kDecanSeparator = '-';

// Planet (1..7) ruling each sign by domicile, Aries to Pisces.
inline constexpr std::array<int, 12> kDomicileRuler = {5, 4, 3, 2, 1, 3, 4, 5, 6, 7, 7, 6};

// Sign (1..12) of each planet's exaltation, Sun to Saturn. Exile is the sign
// opposite a domicile, fall the sign opposite the exaltation.
inline constexpr std::array<int, kPlanets> kExaltationSign = {1, 2, 6, 12, 10, 4, 7};

// Appoggio\Messaggi.txt: sections 1..33 go to the chart window's Memo1;
// the signature searches show section 34 (remedies with the signature) and
// 35 (pathologies with the signature) in MemoExtra.
inline constexpr int kSectionSignatureRemedies = 34;
inline constexpr int kSectionSignaturePathologies = 35;

// Appoggio\GoverAnno.txt, one line per planetary year (from the spring
// equinox of that year to the next): columns 1-4 the year, column 6 the
// ruler of the year (planet 1..7), columns 8-15 its name, column 17 the
// ruler of the age in force at that equinox, from column 19 its name and
// the span of its age, as "1 Sole (1879-2233)".

// Number of 6° term sectors (counted from cusp 1 − 15°) and of 10° decans
// and decades (counted from 0° Aries).
inline constexpr int kTermSectors = 60;
inline constexpr int kDecans = 36;

inline std::string TwoDigits(int n)
{
    char buf[8];
    std::snprintf(buf, sizeof buf, "%02d", n);
    return buf;
}

// Key forms of PosiPian.txt, for chart body b (1..11).
inline std::string BodySignKey(int b, int sign) { return std::string(kBodyCode4[b - 1]) + std::string(kSignCode4[sign - 1]); }
inline std::string BodyHouseKey(int b, int house) { return std::string(kBodyCode4[b - 1]) + std::string(kHouseCode4[house - 1]); }
inline std::string BodyTermKey(int b, int sector) { return std::string(kBodyCode4[b - 1]) + TwoDigits(sector); }
inline std::string BodyDecanKey(int b, int decan)
{
    return std::string(kBodyCode3[b - 1]) + kDecanSeparator + TwoDigits(decan);
}
inline std::string BodyDecadeKey(int b, int decade) { return std::string(kBodyCode2[b - 1]) + TwoDigits(decade); }

// Key forms of PosiSegn.txt: the sign on a house cusp, and the term sector,
// decan and decade in which that cusp falls. A sign's decans and decades are
// its own three (3 × sign − 2 .. 3 × sign).
inline std::string SignCuspKey(int sign, int house) { return std::string(kSignCode4[sign - 1]) + std::string(kHouseCode4[house - 1]); }
inline std::string SignTermKey(int sign, int sector) { return std::string(kSignCode4[sign - 1]) + TwoDigits(sector); }
inline std::string SignDecanKey(int sign, int decan)
{
    return std::string(kSignCode3[sign - 1]) + kDecanSeparator + TwoDigits(decan);
}
inline std::string SignDecadeKey(int sign, int decade) { return std::string(kSignCode2[sign - 1]) + TwoDigits(decade); }

// Exchange key: for each planet of the configuration in ascending planet
// order, the planet number and the number of its sign, two digits each.
template <class Planets, class Signs>
std::string ExchangeKey(const Planets& planets, const Signs& signs)
{
    std::string key;
    for (std::size_t i = 0; i < planets.size(); ++i)
        key += TwoDigits(planets[i]) + TwoDigits(signs[i]);
    return key;
}

} // namespace AttributionKeys
