// The chart window's supplied tables, read from the built template the way
// the chart pages read them: every key the position files can hold finds its
// own attribution line, every information section exists, the rulers of the
// year follow their order, and the exchange tables hold exactly the closed
// chains of domicile receptions.
#include "chart/AttributionKeys.h"
#include "platform/ProgramPath.h"
#include "platform/TextFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <set>
#include <string>
#include <vector>

using namespace AttributionKeys;

namespace {

class ChartTables : public ::testing::Test {
protected:
    void SetUp() override
    {
        const char* t = std::getenv("QUILLON_TEMPLATE");
        ASSERT_NE(t, nullptr);
        ProgramPath::SetRoot(t);
    }
};

std::string Mid(const std::string& s, std::size_t from1, std::size_t to1)
{
    if (s.size() < from1)
        return {};
    return s.substr(from1 - 1, to1 - from1 + 1);
}

bool Blank(const std::string& s) { return s.find_first_not_of(' ') == std::string::npos; }

std::string TrimRight(std::string s)
{
    while (!s.empty() && s.back() == ' ')
        s.pop_back();
    return s;
}

struct Found {
    std::size_t line = std::string::npos;
    std::string text;
};

// The specific-attribution lookup of the chart pages: the first table line
// whose key matches P by one of the three tries, and the characters shown.
// `code4`, `code3`, `code2` are the codes of the selected body or sign.
Found Lookup(const std::vector<std::string>& table, const std::string& p, std::string_view code4,
             std::string_view code3, std::string_view code2)
{
    for (std::size_t i = 0; i < table.size(); ++i) {
        std::string k = table[i].substr(0, 8);
        if (k.rfind("Mcie", 0) == 0 && k.size() >= 7 && k[6] == ' ')
            k.resize(6);
        const auto at = p.find(code4);
        if (p == k && (at == 0 || at == 5))
            return {i, Mid(table[i], 22, 81)};
        if (p == k.substr(0, 6) && (p.rfind(code4, 0) == 0 || p.rfind(code3, 0) == 0))
            return {i, Mid(table[i], 22, 101)};
        if (p == k.substr(0, 4) && p.rfind(code2, 0) == 0)
            return {i, Mid(table[i], 22, 101)};
    }
    return {};
}

// Every line matched must be the one written for that key, show a text, and
// hold nothing past the characters the page shows.
void ExpectFound(const std::vector<std::string>& table, const std::string& p, std::string_view c4,
                 std::string_view c3, std::string_view c2)
{
    const Found f = Lookup(table, p, c4, c3, c2);
    ASSERT_NE(f.line, std::string::npos) << "no line for " << p;
    const std::string& line = table[f.line];
    EXPECT_EQ(TrimRight(line.substr(0, 21)), p) << "key " << p << " matched line " << f.line + 1;
    EXPECT_FALSE(Blank(f.text)) << p;
    EXPECT_LE(TrimRight(line).size(), 21 + f.text.size()) << "text cut on screen: " << line;
}

TEST(AttributionKeyForms, KeysOfEveryKind)
{
    struct Row {
        std::string got, want;
    };
    const std::vector<Row> rows = {
        {BodySignKey(1, 5), "SoleLeon"},   {BodyHouseKey(11, 10), "McieDeci"}, {BodyTermKey(8, 60), "NNod60"},
        {BodyDecanKey(2, 1), "Lun-01"},    {BodyDecanKey(11, 36), "Mci-36"},   {BodyDecadeKey(9, 7), "NS07"},
        {SignCuspKey(12, 1), "PescPrim"},  {SignTermKey(1, 3), "Arie03"},      {SignDecanKey(4, 11), "Can-11"},
        {SignDecadeKey(11, 33), "Aq33"},
        {ExchangeKey(std::vector<int> {1, 2}, std::vector<int> {4, 5}), "01040205"},
    };
    for (const Row& r : rows)
        EXPECT_EQ(r.got, r.want);
    // A decan key never reads as a term key of any body.
    for (int b = 1; b <= kBodies; ++b)
        for (int n = 1; n <= kDecans; ++n)
            for (int c = 1; c <= kBodies; ++c)
                EXPECT_NE(BodyDecanKey(b, n), BodyTermKey(c, n));
}

TEST_F(ChartTables, TemplateHoldsEveryFileAsWindowsText)
{
    for (const char* name :
         {"OpzioneT\\SpgPian.txt", "OpzioneT\\SpgPianSpe.Txt", "OpzioneT\\SpgSegni.txt", "OpzioneT\\SpgSegnSpe.txt",
          "Appoggio\\Messaggi.txt", "Appoggio\\GoverAnno.txt", "Scambi\\Scambio22.txt", "Scambi\\Scambio33.txt",
          "Scambi\\Scambio44.txt", "Scambi\\Scambio55.txt"}) {
        const auto bytes = TryReadFileBytes(name);
        ASSERT_TRUE(bytes.has_value()) << name;
        ASSERT_FALSE(bytes->empty()) << name;
        EXPECT_EQ(bytes->substr(bytes->size() - 2), "\r\n") << name;
        // Windows-1252, not UTF-8: no lead byte of the two-byte sequences
        // of the Latin-1 letters and signs (°, ±, ª, à...).
        EXPECT_EQ(bytes->find_first_of("\xC2\xC3"), std::string::npos) << name;
    }
    // The accented letters arrive as single Windows-1252 bytes.
    EXPECT_NE(ReadFileBytes("OpzioneT\\SpgPian.txt").find("Et\xE0"), std::string::npos);
}

TEST_F(ChartTables, EveryBodyKeyFindsItsSpecificAttribution)
{
    const auto table = ReadTextLines("OpzioneT\\SpgPianSpe.Txt");
    for (int b = 1; b <= kBodies; ++b) {
        const auto c4 = kBodyCode4[b - 1], c3 = kBodyCode3[b - 1], c2 = kBodyCode2[b - 1];
        for (int i = 1; i <= 12; ++i) {
            ExpectFound(table, BodySignKey(b, i), c4, c3, c2);
            ExpectFound(table, BodyHouseKey(b, i), c4, c3, c2);
        }
        for (int n = 1; n <= kTermSectors; ++n)
            ExpectFound(table, BodyTermKey(b, n), c4, c3, c2);
        for (int n = 1; n <= kDecans; ++n) {
            ExpectFound(table, BodyDecanKey(b, n), c4, c3, c2);
            ExpectFound(table, BodyDecadeKey(b, n), c4, c3, c2);
        }
    }
}

TEST_F(ChartTables, EverySignKeyFindsItsSpecificAttribution)
{
    const auto table = ReadTextLines("OpzioneT\\SpgSegnSpe.txt");
    for (int s = 1; s <= 12; ++s) {
        const auto c4 = kSignCode4[s - 1], c3 = kSignCode3[s - 1], c2 = kSignCode2[s - 1];
        for (int h = 1; h <= 12; ++h)
            ExpectFound(table, SignCuspKey(s, h), c4, c3, c2);
        for (int n = 1; n <= kTermSectors; ++n)
            ExpectFound(table, SignTermKey(s, n), c4, c3, c2);
        for (int n = 3 * s - 2; n <= 3 * s; ++n) {
            ExpectFound(table, SignDecanKey(s, n), c4, c3, c2);
            ExpectFound(table, SignDecadeKey(s, n), c4, c3, c2);
        }
    }
}

// A planet's text in a sign names exactly the dignities and debilities it
// has there (Mercury in Virgo both domicile and exaltation, in Pisces both
// exile and fall).
TEST_F(ChartTables, PlanetInSignNamesItsDignities)
{
    const auto table = ReadTextLines("OpzioneT\\SpgPianSpe.Txt");
    for (int p = 1; p <= kPlanets; ++p)
        for (int s = 1; s <= 12; ++s) {
            const int opposite = (s + 5) % 12 + 1;
            const std::vector<std::pair<const char*, bool>> words = {
                {"domicilio", kDomicileRuler[s - 1] == p},
                {"esaltazione", kExaltationSign[p - 1] == s},
                {"esilio", kDomicileRuler[opposite - 1] == p},
                {"caduta", kExaltationSign[p - 1] == opposite},
            };
            const std::string key = BodySignKey(p, s);
            const Found f = Lookup(table, key, kBodyCode4[p - 1], kBodyCode3[p - 1], kBodyCode2[p - 1]);
            ASSERT_NE(f.line, std::string::npos) << key;
            for (const auto& [word, has] : words)
                EXPECT_EQ(f.text.find(word) != std::string::npos, has) << key << ": " << word << " in " << f.text;
        }
}

TEST_F(ChartTables, SpecificTablesHoldEachKeyOnce)
{
    for (const char* name : {"OpzioneT\\SpgPianSpe.Txt", "OpzioneT\\SpgSegnSpe.txt"}) {
        std::set<std::string> keys;
        for (const std::string& line : ReadTextLines(name)) {
            ASSERT_GE(line.size(), 22u) << line;
            EXPECT_TRUE(Blank(line.substr(8, 13))) << "columns 9-21 not blank: " << line;
            EXPECT_TRUE(keys.insert(TrimRight(line.substr(0, 8))).second) << "repeated key in " << name << ": " << line;
        }
    }
}

// General attributions: every body and sign has several lines, each line a
// known code, a blank, and a text that fits the 80 characters shown.
TEST_F(ChartTables, GeneralAttributionsForEveryBodyAndSign)
{
    struct Table {
        const char* name;
        std::vector<std::string_view> codes;
    };
    const std::vector<Table> tables = {
        {"OpzioneT\\SpgPian.txt", {kBodyCode2.begin(), kBodyCode2.end()}},
        {"OpzioneT\\SpgSegni.txt", {kSignCode2.begin(), kSignCode2.end()}},
    };
    for (const Table& t : tables) {
        std::map<std::string, int> count;
        for (const std::string& line : ReadTextLines(t.name)) {
            ASSERT_GE(line.size(), 4u) << line;
            EXPECT_EQ(line[2], ' ') << line;
            EXPECT_LE(line.size(), 83u) << "text cut on screen: " << line;
            ++count[line.substr(0, 2)];
        }
        EXPECT_EQ(count.size(), t.codes.size()) << t.name << ": unknown codes";
        for (std::string_view c : t.codes)
            EXPECT_GE(count[std::string(c)], 3) << t.name << " " << c;
    }
}

// Sections as the chart window reads them: section n is the text after the
// n-th line containing "#".
std::vector<std::vector<std::string>> Sections(const std::vector<std::string>& lines)
{
    std::vector<std::vector<std::string>> sections(1);
    for (const std::string& line : lines) {
        if (line.find('#') != std::string::npos)
            sections.emplace_back();
        else
            sections.back().push_back(line);
    }
    return sections;
}

TEST_F(ChartTables, InformationSectionsUsedByThePagesAreWritten)
{
    const auto sections = Sections(ReadTextLines("Appoggio\\Messaggi.txt"));
    // 1 opening, 2..33 pages and clicks in Memo1, 34 and 35 the two
    // signature searches in MemoExtra.
    ASSERT_GE(sections.size(), 36u);
    for (std::size_t n = 1; n <= 35; ++n) {
        bool text = false;
        for (const std::string& l : sections[n])
            text = text || !Blank(l);
        EXPECT_TRUE(text) << "section " << n << " empty";
    }
    auto joined = [&](std::size_t n) {
        std::string all;
        for (const std::string& l : sections[n])
            all += l + " ";
        return all;
    };
    // The texts of the position pages speak of the bodies those pages show
    // and of no other: the absolute longitudes of the eleven chart bodies,
    // the latitudes of the seven planets.
    for (std::size_t n : {3u, 4u})
        for (const char* absent : {"Luna Nera", "asteroid", "Cerere", "Pallade", "Giunone", "Vesta", "Chirone",
                                   "Urano", "Nettuno", "Plutone"})
            EXPECT_EQ(joined(n).find(absent), std::string::npos) << "section " << n << ": " << absent;
    for (const char* shown : {"Sole", "Luna", "Mercurio", "Saturno", "Nodo Nord", "Nodo Sud", "Ascendente", "Mediocielo"})
        EXPECT_NE(joined(3).find(shown), std::string::npos) << shown;
    for (const char* shown : {"Sole", "Luna", "Mercurio", "Saturno"})
        EXPECT_NE(joined(4).find(shown), std::string::npos) << shown;
}

TEST_F(ChartTables, RulersOfTheYearFollowTheChaldeanOrder)
{
    const std::map<int, std::string> names = {{1, "Sole"},  {2, "Luna"},  {3, "Mercurio"}, {4, "Venere"},
                                              {5, "Marte"}, {6, "Giove"}, {7, "Saturno"}};
    // Saturn, Jupiter, Mars, Sun, Venus, Mercury, Moon, then Saturn again.
    const std::map<int, int> next = {{7, 6}, {6, 5}, {5, 1}, {1, 4}, {4, 3}, {3, 2}, {2, 7}};
    std::map<int, std::pair<int, int>> byYear;
    int previousYear = 0, previousRuler = 0;
    for (const std::string& line : ReadTextLines("Appoggio\\GoverAnno.txt")) {
        ASSERT_GE(line.size(), 19u) << line;
        const int year = std::stoi(line.substr(0, 4));
        const int ruler = line[5] - '0';
        const int cycle = line[16] - '0';
        ASSERT_TRUE(names.count(ruler) && names.count(cycle)) << line;
        EXPECT_EQ(TrimRight(line.substr(7, 8)), names.at(ruler)) << line;
        EXPECT_EQ(line.substr(18, names.at(cycle).size()), names.at(cycle)) << line;
        if (previousYear) {
            EXPECT_EQ(year, previousYear + 1) << line;
            EXPECT_EQ(ruler, next.at(previousRuler)) << line;
        }
        previousYear = year;
        previousRuler = ruler;
        byYear[year] = {ruler, cycle};
    }
    ASSERT_TRUE(byYear.count(1600) && byYear.count(2100));
    EXPECT_EQ(byYear[2000].first, 7);
    EXPECT_EQ(byYear[2025].first, 4);
    EXPECT_EQ(byYear[1700].second, 2);
    EXPECT_EQ(byYear[1879].second, 2);
    EXPECT_EQ(byYear[1880].second, 1);
}

// Brute force over every placement of every set of n planets: the set forms
// an exchange when following each planet to the ruler of its sign stays in
// the set and visits all n planets before coming back.
std::set<std::string> ChainsByBruteForce(int n)
{
    std::set<std::string> keys;
    for (int mask = 0; mask < (1 << kPlanets); ++mask) {
        std::vector<int> set;
        for (int p = 1; p <= kPlanets; ++p)
            if (mask & (1 << (p - 1)))
                set.push_back(p);
        if (static_cast<int>(set.size()) != n)
            continue;
        std::vector<int> signs(n, 1);
        for (;;) {
            int ruler[kPlanets + 1] = {};
            for (int i = 0; i < n; ++i)
                ruler[set[i]] = kDomicileRuler[signs[i] - 1];
            // A ruler outside the set has no entry (0) and ends the walk.
            int at = set[0], steps = 0;
            do {
                at = ruler[at];
                ++steps;
            } while (at != 0 && at != set[0] && steps <= n);
            if (at == set[0] && steps == n)
                keys.insert(ExchangeKey(set, signs));
            int i = 0;
            while (i < n && ++signs[i] > 12)
                signs[i++] = 1;
            if (i == n)
                break;
        }
    }
    return keys;
}

TEST_F(ChartTables, ExchangeTablesListExactlyTheClosedReceptionChains)
{
    for (int n = 2; n <= 5; ++n) {
        const std::string name = "Scambi\\Scambio" + std::to_string(n) + std::to_string(n) + ".txt";
        const auto lines = ReadTextLines(name);
        const std::set<std::string> got(lines.begin(), lines.end());
        EXPECT_EQ(got.size(), lines.size()) << name << " repeats a key";
        EXPECT_EQ(got, ChainsByBruteForce(n)) << name;
    }
    const auto pairs = ReadTextLines("Scambi\\Scambio22.txt");
    const std::set<std::string> two(pairs.begin(), pairs.end());
    // Worked by hand: Sun and Moon have one domicile each, the others two,
    // so 1 + 2·5·2 + 10·4 = 61 mutual receptions.
    EXPECT_EQ(two.size(), 61u);
    EXPECT_TRUE(two.count("01040205"));  // Sun in Cancer, Moon in Leo
    EXPECT_TRUE(two.count("04010507"));  // Venus in Aries, Mars in Libra
    EXPECT_TRUE(two.count("03090603"));  // Mercury in Sagittarius, Jupiter in Gemini
    EXPECT_FALSE(two.count("03090612")); // Jupiter in Pisces is at home
    EXPECT_FALSE(two.count("01050204")); // each in its own domicile
    EXPECT_FALSE(two.count("01040207")); // Moon in Libra is Venus's
    const auto triples = ReadTextLines("Scambi\\Scambio33.txt");
    // Sun in Aries (Mars), Mars in Taurus (Venus), Venus in Leo (Sun).
    EXPECT_NE(std::find(triples.begin(), triples.end(), "010104050502"), triples.end());
}

} // namespace
