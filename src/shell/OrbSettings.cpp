#include "shell/OrbSettings.h"

#include "platform/FloatText.h"
#include "platform/TextFile.h"
#include "shell/SharedState.h"
#include "shell/Texts.h"

#include <vector>

const std::array<AspectDef, 14> kAspects = {{
    {"Congiunzione", "Cong", 0.0L, 10, 10.0L, 5.0L},
    {"SemiSestile", "SmSt", 30.0L, 1, 1.0L, 1.0L},
    {"Decile", "Deci", 36.0L, 1, 0.5L, 0.5L},
    {"Novile", "Novi", 40.0L, 1, 0.5L, 0.5L},
    {"SemiQuadrato", "SmQd", 45.0L, 1, 1.0L, 1.0L},
    {"Settile", "Sett", 360.0L / 7.0L, 1, 0.5L, 0.5L},
    {"Sestile", "Sest", 60.0L, 4, 3.0L, 3.0L},
    {"Quintile", "Quin", 72.0L, 1, 1.0L, 1.0L},
    {"Quadrato", "Quad", 90.0L, 6, 4.0L, 4.5L},
    {"Trigono", "Trig", 120.0L, 8, 4.0L, 5.0L},
    {"SesquiQuadr", "SsQd", 135.0L, 1, 1.0L, 0.8L},
    {"BiQuintile", "BiQn", 144.0L, 1, 1.0L, 0.8L},
    {"Quinconce", "Qunc", 150.0L, 1, 2.0L, 1.5L},
    {"Opposizione", "Oppo", 180.0L, 9, 8.0L, 7.0L},
}};

namespace {

std::optional<long double> ParseEither(const std::string& t)
{
    auto v = ParseFixedReal(t);
    if (!v)
        v = ParseLocaleReal(t);
    return v;
}

long double NumberOr(const std::vector<std::string>& lines, std::size_t i, long double fallback)
{
    auto v = ParseEither(LineOrEmpty(lines, i));
    return v ? *v : fallback;
}


std::string NormalLetter(std::string_view l)
{
    return (l == "B" || l == "C") ? std::string(l) : std::string("A");
}

} // namespace

std::string OrbTextA(int i)
{
    return "± " + std::to_string(kAspects[static_cast<std::size_t>(i)].orbA);
}

std::string OrbSetItem(std::string_view letter)
{
    const std::string l = NormalLetter(letter);
    return l == "A" ? "A (normali)" : l + " (personali)";
}

OrbValues DefaultOrbValues()
{
    OrbValues v;
    for (std::size_t i = 0; i < kAspects.size(); ++i) {
        v.b[i] = kAspects[i].orbB;
        v.c[i] = kAspects[i].orbC;
    }
    return v;
}

std::optional<OrbValues> ReadOrbValues()
{
    auto lines = TryReadTextLines(kOrbValuesFile);
    if (!lines)
        return std::nullopt;
    OrbValues v = DefaultOrbValues();
    v.parallel = NumberOr(*lines, 0, v.parallel);
    v.antiscia = NumberOr(*lines, 1, v.antiscia);
    for (std::size_t i = 0; i < 14; ++i) {
        v.b[i] = NumberOr(*lines, 2 + i, v.b[i]);
        v.c[i] = NumberOr(*lines, 18 + i, v.c[i]);
    }
    v.letter = NormalLetter(TrimBlanks(LineOrEmpty(*lines, 34)));
    return v;
}

void WriteOrbValues(const OrbValues& v)
{
    std::vector<std::string> lines;
    auto shared = [&] {
        lines.push_back(DefaultFloatText(v.parallel));
        lines.push_back(DefaultFloatText(v.antiscia));
    };
    shared();
    for (long double x : v.b)
        lines.push_back(DefaultFloatText(x));
    shared();
    for (long double x : v.c)
        lines.push_back(DefaultFloatText(x));
    shared();
    lines.push_back(NormalLetter(v.letter));
    WriteTextLines(kOrbValuesFile, lines);
}

void ReadOrbSettings()
{
    const auto lines = ReadTextLines(kOrbSettingsFile);
    AspectOrb[0] = 0;
    for (std::size_t i = 0; i < 14; ++i)
        AspectOrb[i + 1] = NumberOr(lines, i, kAspects[i].orbA);
    ParallelOrb = NumberOr(lines, 14, 1.0L);
    AntisciaOrb = NumberOr(lines, 15, 1.0L);
    HouseSystemSetting = Bounded(TrimBlanks(LineOrEmpty(lines, 16)), 25);
    NodeKind = Bounded(TrimBlanks(LineOrEmpty(lines, 17)), 5);
    OrbSetLetter = Bounded(TrimBlanks(LineOrEmpty(lines, 18)), 1);
    BlackMoonMode = Bounded(TrimBlanks(LineOrEmpty(lines, 19)), 25);
}

void ReplaceOrbLine(int k, std::string_view text)
{
    auto lines = ReadTextLines(kOrbSettingsFile);
    lines.resize(20);
    for (auto& l : lines)
        l = Bounded(l, 25);
    if (k >= 1 && k <= 20)
        lines[static_cast<std::size_t>(k - 1)] = Bounded(std::string(text), 25);
    WriteTextLines(kOrbSettingsFile, lines);
    ReadOrbSettings();
}

void WriteAdoptedSet(const OrbValues& values, std::string_view letter)
{
    const std::string l = NormalLetter(letter);
    std::vector<std::string> lines;
    for (std::size_t i = 0; i < 14; ++i) {
        if (l == "A")
            lines.push_back(OrbTextA(static_cast<int>(i)).substr(2, 4)); // characters 3-6: after "±" and the blank
        else
            lines.push_back(DefaultFloatText(l == "B" ? values.b[i] : values.c[i]));
    }
    lines.push_back(DefaultFloatText(values.parallel));
    lines.push_back(DefaultFloatText(values.antiscia));
    lines.push_back(HouseSystemSetting);
    lines.push_back(NodeKind);
    lines.push_back(l);
    lines.push_back(BlackMoonMode);
    WriteTextLines(kOrbSettingsFile, lines);
}

OrbSetAdoption ApplyOrbSet(std::string_view letter)
{
    const auto read = ReadOrbValues();
    OrbValues values = read.value_or(DefaultOrbValues());
    values.letter = NormalLetter(letter);
    WriteAdoptedSet(values, values.letter);
    WriteOrbValues(values);
    ReadOrbSettings();
    return {OrbSetLetter, read ? std::string() : std::string("Manca File \"MMVarOrb.dum\"")};
}
