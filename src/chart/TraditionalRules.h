#pragma once
// The traditional rules behind the chart's analysis pages and the chart
// window's information texts (Appoggio\Messaggi.txt), kept here so that the
// pages and the explanations they show agree.
//
// Units and numbering, as everywhere in the chart (core/Angles.h, which
// also holds the reduction, the sign, the degrees in the sign, the decan and
// the separation of a longitude that the rules below use):
// - longitudes and latitudes in degrees, long double; a longitude is
//   reduced to 0 <= lon < 360 before use (370 is 10, -10 is 350). A
//   retrograde mark (the negative longitudes of the computation tables) is
//   the caller's to remove first.
// - planets 1 Sun, 2 Moon, 3 Mercury, 4 Venus, 5 Mars, 6 Jupiter,
//   7 Saturn; signs 1 Aries .. 12 Pisces; decans 1..36 from 0° Aries.
// - bad input never traps: a non-finite longitude or latitude gives NaN for
//   a position, 0 for a planet, sign or decan number and false for a test;
//   a planet or sign number out of range gives "no dignity" and 0.
//
// Domicile rulers and exaltation signs are those of AttributionKeys.h.
#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace TraditionalRules {

// ---------------------------------------------------------------------------
// Dignities (Ptolemy, Tetrabiblos I 17-19): a planet is in domicile in the
// sign it rules, in exile (detriment) in the sign opposite a domicile,
// exalted in its exaltation sign and in fall in the sign opposite it. One
// planet may hold two at once (Mercury in Virgo: domicile and exaltation;
// in Pisces: exile and fall).

struct Dignities {
    bool domicile = false;
    bool exaltation = false;
    bool exile = false;
    bool fall = false;
    bool Any() const { return domicile || exaltation || exile || fall; }
};

// Dignities of planet 1..7 in sign 1..12; none for numbers out of range.
Dignities DignitiesOf(int planet, int sign);

// Degree of exact exaltation within the exaltation sign (Tetrabiblos and
// the later tradition: Sun Aries 19, Moon Taurus 3, Mercury Virgo 15,
// Venus Pisces 27, Mars Capricorn 28, Jupiter Cancer 15, Saturn Libra 21);
// the absolute longitude of that degree, NaN for a planet out of range.
long double ExaltationLongitude(int planet);

// Mutual reception by domicile: two different planets, each in a sign ruled
// by the other (Sun in Cancer with Moon in Leo). False for numbers out of
// range or for the same planet twice.
bool MutualReception(int planetA, int signA, int planetB, int signB);

// The labels of the archetypal-structure page, in the order "Domicil",
// "Esaltaz", "Esilio", "Caduta", then "Scambio" when exchange is true (the
// planet is in an exchange); a single "Nessuna Debilità né Dignità
// Planetaria" when there is none of them. Windows-1252 texts.
std::vector<std::string> DignityLabels(const Dignities& d, bool exchange);

inline constexpr std::string_view kLabelDomicile = "Domicil";
inline constexpr std::string_view kLabelExaltation = "Esaltaz";
inline constexpr std::string_view kLabelExile = "Esilio";
inline constexpr std::string_view kLabelFall = "Caduta";
inline constexpr std::string_view kLabelExchange = "Scambio";
inline constexpr std::string_view kLabelNone = "Nessuna Debilit\xE0 n\xE9 Dignit\xE0 Planetaria";

// ---------------------------------------------------------------------------
// Egyptian terms (bounds), as Ptolemy gives them in Tetrabiblos I 20 after
// the Egyptians and as Dorotheus uses them: five unequal bounds per sign,
// ruled by the five planets other than the lights.

struct TermBound {
    int ruler = 0;         // planet 3..7
    long double start = 0; // degrees in the sign where the bound begins
    long double end = 0;   // degrees in the sign where it ends (exclusive)
};

// The five bounds of sign 1..12 in order; all zero for a sign out of range.
std::array<TermBound, 5> TermsOfSign(int sign);
// Ruler of the bound holding a longitude (Aries 0°-6° Jupiter); 0 for a
// non-finite longitude.
int TermRuler(long double lon);

// ---------------------------------------------------------------------------
// Decans (faces) after the Chaldean order of the planets, as in Teucer and
// the later Arabic and Latin tradition: Mars rules the first 10° of Aries,
// then Sun, Venus, Mercury, Moon, Saturn, Jupiter, repeated through the 36
// decans (the last decan of Pisces is Mars again).

// The decan of a longitude is DecanNumber (core/Angles.h).
// Ruler of decan 1..36; 0 out of range.
int DecanRulerOf(int decan);
// Ruler of the decan holding a longitude; 0 if not finite.
int DecanRuler(long double lon);

// Decades: the three decans of a sign go to the three signs of its
// element, starting with the sign itself (Aries: Aries, Leo, Sagittarius;
// Taurus: Taurus, Virgo, Capricorn), the triplicity that gives the decan
// its tone.
// Sign 1..12 of decade 1..36; 0 out of range.
int DecadeSignOf(int decan);
// Sign of the decade holding a longitude; 0 if not finite.
int DecadeSign(long double lon);

// ---------------------------------------------------------------------------
// Antiscia (Firmicus Maternus, Mathesis II 29): the reflection across the
// solstitial axis Cancer-Capricorn, degrees of equal daylight, is
// 180° - lon; the contra-antiscion, across the equinoctial axis
// Aries-Libra, is 360° - lon. A body within kAntiscionOrb of another's
// antiscion (contra-antiscion) is in a hidden conjunction (opposition).

inline constexpr long double kAntiscionOrb = 1.5;

// 180 - lon reduced (Aries 10° -> Virgo 20°); NaN if not finite.
long double Antiscion(long double lon);
// 360 - lon reduced (Aries 10° -> Pisces 20°); NaN if not finite.
long double ContraAntiscion(long double lon);
// Whether b lies less than orb from the antiscion of a (symmetric in a, b).
bool InAntiscionContact(long double lonA, long double lonB, long double orb = kAntiscionOrb);
// Whether b lies less than orb from the contra-antiscion of a (symmetric).
bool InContraAntiscionContact(long double lonA, long double lonB, long double orb = kAntiscionOrb);
// The sign a sign reflects into: antiscion Aries-Virgo, Taurus-Leo,
// Gemini-Cancer, Libra-Pisces, Scorpio-Aquarius, Sagittarius-Capricorn;
// contra-antiscion Aries-Pisces, Taurus-Aquarius, ... ; 0 out of range.
int AntiscionSign(int sign);
int ContraAntiscionSign(int sign);

// ---------------------------------------------------------------------------
// Dodecatemory (twelfth-part, Manilius II and Firmicus II 13): the degrees
// travelled in the sign times 12, counted from the start of the same sign
// (Aries 5° -> Gemini 0°, Aries 15° -> Libra 0°). NaN if not finite.
long double Dodecatemory(long double lon);

// ---------------------------------------------------------------------------
// Spherical distance: the great-circle arc between two bodies on the
// celestial sphere from ecliptic longitude and latitude, 0..180 degrees
// (two points on the ecliptic are as far apart as their separation). NaN
// for a non-finite value or a latitude beyond ±90.
long double SphericalDistance(long double lonA, long double latA, long double lonB, long double latB);

// ---------------------------------------------------------------------------
// Magnetic affinity: the polarity of the signs after the elements, masculine
// or emissive (Fire, Air: the odd signs) and feminine or receptive (Earth,
// Water: the even signs), as Ptolemy (Tetrabiblos I 12) divides them. Two
// planets in the same polarity are concordant, in opposite ones
// complementary.

enum class Polarity { None, Masculine, Feminine };
enum class MagneticRelation { None, Concordant, Complementary };

Polarity SignPolarity(int sign);       // None out of range
Polarity PolarityOf(long double lon); // None if not finite

struct MagneticAffinity {
    Polarity a = Polarity::None;
    Polarity b = Polarity::None;
    MagneticRelation relation = MagneticRelation::None;
};
MagneticAffinity MagneticAffinityOf(long double lonA, long double lonB);

// The count of bodies by polarity and which one prevails (None when equal).
struct PolarityBalance {
    int masculine = 0;
    int feminine = 0;
    Polarity prevailing = Polarity::None;
};
PolarityBalance PolarityBalanceOf(const std::vector<long double>& lons);

// Printable words: "Maschile"/"Femminile", "Concordi"/"Complementari";
// empty for None. PrevalenceText: "Emissiva" (gives energy), "Ricettiva"
// (receives it), "Equilibrata" when neither prevails.
std::string_view PolarityText(Polarity p);
std::string_view MagneticRelationText(MagneticRelation r);
std::string_view PrevalenceText(Polarity prevailing);

// ---------------------------------------------------------------------------
// Sun-moon affinity, after the scheme of the domiciles (Tetrabiblos I 17):
// Leo to Capricorn is the solar half of the zodiac, Aquarius to Cancer the
// lunar half. The lunar phase of birth is the Moon's elongation from the
// Sun in eight phases of 45°, from the New Moon to the Balsamic.

enum class LuminaryHalf { None, Solar, Lunar };
LuminaryHalf HalfOfSign(int sign);    // None out of range
LuminaryHalf HalfOf(long double lon); // None if not finite
// "Solare" / "Lunare"; empty for None.
std::string_view HalfText(LuminaryHalf h);

struct LunarPhase {
    int number = 0;             // 1 New Moon .. 8 Balsamic; 0 unknown
    long double elongation = 0; // Moon - Sun, 0 <= e < 360; NaN unknown
    bool waxing = false;        // elongation below 180
};
LunarPhase LunarPhaseOf(long double sunLon, long double moonLon);
// "Luna Nuova", "Falce Crescente", "Primo Quarto", "Gibbosa Crescente",
// "Luna Piena", "Disseminante", "Ultimo Quarto", "Balsamica" for 1..8;
// empty otherwise.
std::string_view LunarPhaseText(int number);

// ---------------------------------------------------------------------------
// Planets and the lights (Ptolemy, Tetrabiblos I 8 and the Arabic
// tradition for the distances): a planet is oriental when it rises before
// the Sun, i.e. stands less than 180° behind it in the zodiac, occidental
// when it follows it. Within 17° of the Sun it is under the beams, within
// 8°30' combust, within 17' cazimi (in the heart of the Sun). The limits
// are inclusive.

inline constexpr long double kUnderBeams = 17.0;
inline constexpr long double kCombust = 8.5;
inline constexpr long double kCazimi = 17.0L / 60;

enum class SolarState { None, Cazimi, Combust, UnderBeams, Free };

struct SolarCondition {
    bool oriental = false;    // false: occidental (or unknown)
    long double distance = 0; // separation from the Sun 0..180; NaN unknown
    SolarState state = SolarState::None;
};
SolarCondition SolarConditionOf(long double sunLon, long double planetLon);
// "Orientale" / "Occidentale"; empty when the distance is unknown.
std::string_view OrientationText(const SolarCondition& c);
// "in cuore al Sole (cazimi)", "combusto", "sotto i raggi", "libero dai
// raggi"; empty for None.
std::string_view SolarStateText(SolarState s);

// Whether the Moon reaches the planet while waxing: it is carried forward
// at its mean daily motion until it meets the planet's longitude while the
// Sun goes on at its own; the phase at that meeting is the answer. The
// planet's own motion is left out. nullopt if a longitude is not finite.
inline constexpr long double kMoonMeanMotion = 13.176358L; // degrees per day
inline constexpr long double kSunMeanMotion = 0.985647L;   // degrees per day
std::optional<bool> ReachedByWaxingMoon(long double sunLon, long double moonLon, long double planetLon);

// ---------------------------------------------------------------------------
// Rulers of the year and of the cycle, from Appoggio\GoverAnno.txt: the
// ruler of the planetary year follows the Chaldean order one planet a year,
// the year running from the spring equinox; the ruler of the cycle is the
// one of the seven ages of 354 years and 4 months in force at that equinox.

inline constexpr std::string_view kYearRulersFile = "Appoggio\\GoverAnno.txt";

struct YearRulers {
    int year = 0;              // planetary year (from its spring equinox)
    int yearRuler = 0;         // planet 1..7
    std::string yearRulerName; // "Venere"
    int cycleRuler = 0;        // planet 1..7
    std::string cycleText;     // name and span of the age, "Sole (1879-2233)"
};

// The planetary year of a civil date: the year before it while the Sun has
// not yet reached 0° Aries (January to June with the Sun in the second
// half of the zodiac). With a non-finite Sun longitude the equinox is taken
// as 21 March.
int PlanetaryYear(int year, int month, int day, long double sunLon);

// One line of the table; nullopt when it does not have the table's form
// (year in columns 1-4, the ruler 1..7 in column 6, its name in 8-15, the
// cycle's ruler 1..7 in column 17 and its text from column 19).
std::optional<YearRulers> ParseYearRulersLine(std::string_view line);
// The line of a planetary year among the table's lines; nullopt when the
// year is not in the table.
std::optional<YearRulers> FindYearRulers(const std::vector<std::string>& lines, int planetaryYear);
// Reads the table under the program folder and finds the year; a missing
// or unreadable file throws IoError, a year outside the table is nullopt.
std::optional<YearRulers> ReadYearRulers(int planetaryYear);

} // namespace TraditionalRules
