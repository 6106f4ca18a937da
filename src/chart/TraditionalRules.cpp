#include "chart/TraditionalRules.h"

#include "chart/AttributionKeys.h"
#include "core/Angles.h"
#include "platform/TextFile.h"

#include <cmath>
#include <limits>

namespace TraditionalRules {

namespace {

constexpr long double kNaN = std::numeric_limits<long double>::quiet_NaN();

bool ValidPlanet(int planet) { return planet >= 1 && planet <= AttributionKeys::kPlanets; }
bool ValidSign(int sign) { return sign >= 1 && sign <= 12; }
int OppositeSign(int sign) { return (sign + 5) % 12 + 1; }
int DomicileRuler(int sign) { return AttributionKeys::kDomicileRuler[sign - 1]; }
int ExaltationSign(int planet) { return AttributionKeys::kExaltationSign[planet - 1]; }

// Degree of exact exaltation in the exaltation sign, Sun to Saturn.
constexpr std::array<long double, 7> kExaltationDegree = {19, 3, 15, 27, 28, 15, 21};

// Egyptian bounds: for each sign the rulers and the degree where each bound
// ends.
struct SignTerms {
    std::array<int, 5> ruler;
    std::array<int, 5> end;
};
constexpr std::array<SignTerms, 12> kEgyptianTerms = {{
    {{6, 4, 3, 5, 7}, {6, 12, 20, 25, 30}},   // Aries
    {{4, 3, 6, 7, 5}, {8, 14, 22, 27, 30}},   // Taurus
    {{3, 6, 4, 5, 7}, {6, 12, 17, 24, 30}},   // Gemini
    {{5, 4, 3, 6, 7}, {7, 13, 19, 26, 30}},   // Cancer
    {{6, 4, 7, 3, 5}, {6, 11, 18, 24, 30}},   // Leo
    {{3, 4, 6, 5, 7}, {7, 17, 21, 28, 30}},   // Virgo
    {{7, 3, 6, 4, 5}, {6, 14, 21, 28, 30}},   // Libra
    {{5, 4, 3, 6, 7}, {7, 11, 19, 24, 30}},   // Scorpio
    {{6, 4, 3, 7, 5}, {12, 17, 21, 26, 30}},  // Sagittarius
    {{3, 6, 4, 7, 5}, {7, 14, 22, 26, 30}},   // Capricorn
    {{3, 4, 6, 5, 7}, {7, 13, 20, 25, 30}},   // Aquarius
    {{4, 6, 3, 5, 7}, {12, 16, 19, 28, 30}},  // Pisces
}};

// The Chaldean order from Mars, the ruler of the first decan of Aries.
constexpr std::array<int, 7> kDecanOrder = {5, 1, 4, 3, 2, 7, 6};

std::string_view Trim(std::string_view s)
{
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r'))
        s.remove_suffix(1);
    return s;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
int PlanetDigit(char c) { return c >= '1' && c <= '7' ? c - '0' : 0; }

} // namespace

// ---------------------------------------------------------------------------

Dignities DignitiesOf(int planet, int sign)
{
    Dignities d;
    if (!ValidPlanet(planet) || !ValidSign(sign))
        return d;
    d.domicile = DomicileRuler(sign) == planet;
    d.exile = DomicileRuler(OppositeSign(sign)) == planet;
    d.exaltation = ExaltationSign(planet) == sign;
    d.fall = OppositeSign(ExaltationSign(planet)) == sign;
    return d;
}

long double ExaltationLongitude(int planet)
{
    if (!ValidPlanet(planet))
        return kNaN;
    return 30.0 * (ExaltationSign(planet) - 1) + kExaltationDegree[planet - 1];
}

bool MutualReception(int planetA, int signA, int planetB, int signB)
{
    if (!ValidPlanet(planetA) || !ValidPlanet(planetB) || !ValidSign(signA) || !ValidSign(signB))
        return false;
    if (planetA == planetB)
        return false;
    return DomicileRuler(signA) == planetB && DomicileRuler(signB) == planetA;
}

std::vector<std::string> DignityLabels(const Dignities& d, bool exchange)
{
    std::vector<std::string> labels;
    if (d.domicile)
        labels.emplace_back(kLabelDomicile);
    if (d.exaltation)
        labels.emplace_back(kLabelExaltation);
    if (d.exile)
        labels.emplace_back(kLabelExile);
    if (d.fall)
        labels.emplace_back(kLabelFall);
    if (exchange)
        labels.emplace_back(kLabelExchange);
    if (labels.empty())
        labels.emplace_back(kLabelNone);
    return labels;
}

// ---------------------------------------------------------------------------

std::array<TermBound, 5> TermsOfSign(int sign)
{
    std::array<TermBound, 5> bounds{};
    if (!ValidSign(sign))
        return bounds;
    const SignTerms& t = kEgyptianTerms[sign - 1];
    int start = 0;
    for (std::size_t i = 0; i < bounds.size(); ++i) {
        bounds[i] = {t.ruler[i], static_cast<long double>(start), static_cast<long double>(t.end[i])};
        start = t.end[i];
    }
    return bounds;
}

int TermRuler(long double lon)
{
    const int sign = SignNumber(lon);
    if (sign == 0)
        return 0;
    const long double deg = DegreesInSign(lon);
    const SignTerms& t = kEgyptianTerms[sign - 1];
    for (std::size_t i = 0; i < t.end.size(); ++i)
        if (deg < t.end[i])
            return t.ruler[i];
    return t.ruler.back();
}

// ---------------------------------------------------------------------------

int DecanRulerOf(int decan)
{
    if (decan < 1 || decan > AttributionKeys::kDecans)
        return 0;
    return kDecanOrder[(decan - 1) % kDecanOrder.size()];
}

int DecanRuler(long double lon) { return DecanRulerOf(DecanNumber(lon)); }

int DecadeSignOf(int decan)
{
    if (decan < 1 || decan > AttributionKeys::kDecans)
        return 0;
    const int sign = (decan - 1) / 3 + 1;
    const int third = (decan - 1) % 3;
    return (sign - 1 + 4 * third) % 12 + 1;
}

int DecadeSign(long double lon) { return DecadeSignOf(DecanNumber(lon)); }

// ---------------------------------------------------------------------------

long double Antiscion(long double lon) { return std::isfinite(lon) ? Norm360(180.0 - lon) : kNaN; }

long double ContraAntiscion(long double lon) { return std::isfinite(lon) ? Norm360(360.0 - lon) : kNaN; }

bool InAntiscionContact(long double lonA, long double lonB, long double orb)
{
    return Separation(Antiscion(lonA), lonB) < orb;
}

bool InContraAntiscionContact(long double lonA, long double lonB, long double orb)
{
    return Separation(ContraAntiscion(lonA), lonB) < orb;
}

int AntiscionSign(int sign)
{
    if (!ValidSign(sign))
        return 0;
    // A sign's degrees 0..30 reflect into 180 - 30 × sign .. 180 - 30 × (sign - 1).
    return ((6 - sign) % 12 + 12) % 12 + 1;
}

int ContraAntiscionSign(int sign)
{
    if (!ValidSign(sign))
        return 0;
    return 13 - sign;
}

// ---------------------------------------------------------------------------

long double Dodecatemory(long double lon)
{
    const int sign = SignNumber(lon);
    if (sign == 0)
        return kNaN;
    return Norm360(30.0 * (sign - 1) + 12.0 * DegreesInSign(lon));
}

// ---------------------------------------------------------------------------

long double SphericalDistance(long double lonA, long double latA, long double lonB, long double latB)
{
    if (!std::isfinite(lonA) || !std::isfinite(latA) || !std::isfinite(lonB) || !std::isfinite(latB))
        return kNaN;
    if (std::fabs(latA) > 90.0 || std::fabs(latB) > 90.0)
        return kNaN;
    // The arc from the vector product and the scalar product, exact for
    // small and for nearly opposite arcs alike.
    const long double b1 = DegToRad(latA);
    const long double b2 = DegToRad(latB);
    const long double dl = DegToRad(lonB - lonA);
    const long double x = std::cos(b2) * std::sin(dl);
    const long double y = std::cos(b1) * std::sin(b2) - std::sin(b1) * std::cos(b2) * std::cos(dl);
    const long double z = std::sin(b1) * std::sin(b2) + std::cos(b1) * std::cos(b2) * std::cos(dl);
    return RadToDeg(std::atan2(std::hypot(x, y), z));
}

// ---------------------------------------------------------------------------

Polarity SignPolarity(int sign)
{
    if (!ValidSign(sign))
        return Polarity::None;
    return sign % 2 == 1 ? Polarity::Masculine : Polarity::Feminine;
}

Polarity PolarityOf(long double lon) { return SignPolarity(SignNumber(lon)); }

MagneticAffinity MagneticAffinityOf(long double lonA, long double lonB)
{
    MagneticAffinity m;
    m.a = PolarityOf(lonA);
    m.b = PolarityOf(lonB);
    if (m.a != Polarity::None && m.b != Polarity::None)
        m.relation = m.a == m.b ? MagneticRelation::Concordant : MagneticRelation::Complementary;
    return m;
}

PolarityBalance PolarityBalanceOf(const std::vector<long double>& lons)
{
    PolarityBalance b;
    for (long double lon : lons) {
        const Polarity p = PolarityOf(lon);
        if (p == Polarity::Masculine)
            ++b.masculine;
        else if (p == Polarity::Feminine)
            ++b.feminine;
    }
    if (b.masculine > b.feminine)
        b.prevailing = Polarity::Masculine;
    else if (b.feminine > b.masculine)
        b.prevailing = Polarity::Feminine;
    return b;
}

std::string_view PolarityText(Polarity p)
{
    switch (p) {
    case Polarity::Masculine: return "Maschile";
    case Polarity::Feminine: return "Femminile";
    case Polarity::None: break;
    }
    return {};
}

std::string_view MagneticRelationText(MagneticRelation r)
{
    switch (r) {
    case MagneticRelation::Concordant: return "Concordi";
    case MagneticRelation::Complementary: return "Complementari";
    case MagneticRelation::None: break;
    }
    return {};
}

std::string_view PrevalenceText(Polarity prevailing)
{
    switch (prevailing) {
    case Polarity::Masculine: return "Emissiva";
    case Polarity::Feminine: return "Ricettiva";
    case Polarity::None: break;
    }
    return "Equilibrata";
}

// ---------------------------------------------------------------------------

LuminaryHalf HalfOfSign(int sign)
{
    if (!ValidSign(sign))
        return LuminaryHalf::None;
    // Leo (5) to Capricorn (10) solar, Aquarius to Cancer lunar.
    return sign >= 5 && sign <= 10 ? LuminaryHalf::Solar : LuminaryHalf::Lunar;
}

LuminaryHalf HalfOf(long double lon) { return HalfOfSign(SignNumber(lon)); }

std::string_view HalfText(LuminaryHalf h)
{
    switch (h) {
    case LuminaryHalf::Solar: return "Solare";
    case LuminaryHalf::Lunar: return "Lunare";
    case LuminaryHalf::None: break;
    }
    return {};
}

LunarPhase LunarPhaseOf(long double sunLon, long double moonLon)
{
    LunarPhase p;
    if (!std::isfinite(sunLon) || !std::isfinite(moonLon)) {
        p.elongation = kNaN;
        return p;
    }
    p.elongation = Norm360(moonLon - sunLon);
    p.number = static_cast<int>(p.elongation / 45.0) + 1;
    p.waxing = p.elongation < 180.0;
    return p;
}

std::string_view LunarPhaseText(int number)
{
    static constexpr std::array<std::string_view, 8> kNames = {
        "Luna Nuova", "Falce Crescente", "Primo Quarto", "Gibbosa Crescente",
        "Luna Piena", "Disseminante", "Ultimo Quarto", "Balsamica"};
    if (number < 1 || number > 8)
        return {};
    return kNames[number - 1];
}

// ---------------------------------------------------------------------------

SolarCondition SolarConditionOf(long double sunLon, long double planetLon)
{
    SolarCondition c;
    c.distance = Separation(sunLon, planetLon);
    if (std::isnan(c.distance))
        return c;
    // Behind the Sun in the zodiac: on the eastern horizon before it.
    const long double behind = Norm360(sunLon - planetLon);
    c.oriental = behind > 0.0 && behind < 180.0;
    if (c.distance <= kCazimi)
        c.state = SolarState::Cazimi;
    else if (c.distance <= kCombust)
        c.state = SolarState::Combust;
    else if (c.distance <= kUnderBeams)
        c.state = SolarState::UnderBeams;
    else
        c.state = SolarState::Free;
    return c;
}

std::string_view OrientationText(const SolarCondition& c)
{
    if (std::isnan(c.distance) || c.state == SolarState::None)
        return {};
    return c.oriental ? "Orientale" : "Occidentale";
}

std::string_view SolarStateText(SolarState s)
{
    switch (s) {
    case SolarState::Cazimi: return "in cuore al Sole (cazimi)";
    case SolarState::Combust: return "combusto";
    case SolarState::UnderBeams: return "sotto i raggi";
    case SolarState::Free: return "libero dai raggi";
    case SolarState::None: break;
    }
    return {};
}

std::optional<bool> ReachedByWaxingMoon(long double sunLon, long double moonLon, long double planetLon)
{
    if (!std::isfinite(sunLon) || !std::isfinite(moonLon) || !std::isfinite(planetLon))
        return std::nullopt;
    const long double days = Norm360(planetLon - moonLon) / kMoonMeanMotion;
    const long double sunThen = sunLon + kSunMeanMotion * days;
    return Norm360(planetLon - sunThen) < 180.0;
}

// ---------------------------------------------------------------------------

int PlanetaryYear(int year, int month, int day, long double sunLon)
{
    bool beforeEquinox;
    if (std::isfinite(sunLon))
        beforeEquinox = month <= 6 && Norm360(sunLon) >= 180.0;
    else
        beforeEquinox = month < 3 || (month == 3 && day < 21);
    return beforeEquinox ? year - 1 : year;
}

std::optional<YearRulers> ParseYearRulersLine(std::string_view line)
{
    if (line.size() < 19)
        return std::nullopt;
    for (int i = 0; i < 4; ++i)
        if (!IsDigit(line[i]))
            return std::nullopt;
    if (line[4] != ' ' || line[6] != ' ' || line[15] != ' ' || line[17] != ' ')
        return std::nullopt;
    YearRulers r;
    r.year = std::stoi(std::string(line.substr(0, 4)));
    r.yearRuler = PlanetDigit(line[5]);
    r.cycleRuler = PlanetDigit(line[16]);
    r.yearRulerName = std::string(Trim(line.substr(7, 8)));
    r.cycleText = std::string(Trim(line.substr(18)));
    if (r.yearRuler == 0 || r.cycleRuler == 0 || r.yearRulerName.empty() || r.cycleText.empty())
        return std::nullopt;
    return r;
}

std::optional<YearRulers> FindYearRulers(const std::vector<std::string>& lines, int planetaryYear)
{
    for (const std::string& line : lines) {
        std::optional<YearRulers> r = ParseYearRulersLine(line);
        if (r && r->year == planetaryYear)
            return r;
    }
    return std::nullopt;
}

std::optional<YearRulers> ReadYearRulers(int planetaryYear)
{
    return FindYearRulers(ReadTextLines(kYearRulersFile), planetaryYear);
}

} // namespace TraditionalRules
