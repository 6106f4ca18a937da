// The place gazetteers: the 88-byte record byte by byte, the prefix search
// on a small sorted file, the coordinate text, the regime number helpers,
// the conversion of UTF-8 names, and the gazetteers the build generated
// into the program folder template.
#include "archive/Places.h"
#include "archive/BirthDataCheck.h"
#include "archive/TimeRegimes.h"
#include "platform/Errors.h"
#include "platform/ProgramPath.h"
#include "platform/RecordFile.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <memory>
#include <regex>
#include <iterator>
#include <set>
#include <map>
#include <fstream>

namespace {

std::string Bytes(std::initializer_list<unsigned> values)
{
    std::string s;
    for (unsigned v : values)
        s += static_cast<char>(v);
    return s;
}

// ---- Record layout ---------------------------------------------------------

TEST(PlaceRecordTest, FieldsSitAtTheirOffsets)
{
    PlaceRecord p;
    p.name = "Roma*RM*";
    p.latitude = 1.5L;   // extended: significand C000000000000000, exponent 3FFF
    p.longitude = -2.0L; // significand 8000000000000000, sign and exponent C000
    p.gregorianFrom = 2361222;
    p.population = 2318895;
    p.regime = 100390000;
    p.state = "Roma";
    const std::string b = EncodePlace(p);
    ASSERT_EQ(b.size(), kPlaceSize);

    EXPECT_EQ(b[0], 8);
    EXPECT_EQ(b.substr(1, 8), "Roma*RM*");
    EXPECT_EQ(b.substr(9, 23), std::string(23, '\0'));
    EXPECT_EQ(b.substr(32, 10), Bytes({0, 0, 0, 0, 0, 0, 0, 0xC0, 0xFF, 0x3F}));
    EXPECT_EQ(b.substr(42, 10), Bytes({0, 0, 0, 0, 0, 0, 0, 0x80, 0x00, 0xC0}));
    EXPECT_EQ(b.substr(52, 4), Bytes({0x86, 0x07, 0x24, 0x00}));  // 2361222
    EXPECT_EQ(b.substr(56, 4), Bytes({0x2F, 0x62, 0x23, 0x00}));  // 2318895
    EXPECT_EQ(b.substr(60, 4), Bytes({0x70, 0xD4, 0xFB, 0x05}));  // 100390000 = 0x05FBD470
    EXPECT_EQ(b[64], 4);
    EXPECT_EQ(b.substr(65, 4), "Roma");
    EXPECT_EQ(b.substr(69), std::string(19, '\0'));

    const PlaceRecord d = DecodePlace(b);
    EXPECT_EQ(d.name, p.name);
    EXPECT_EQ(d.latitude, p.latitude);
    EXPECT_EQ(d.longitude, p.longitude);
    EXPECT_EQ(d.gregorianFrom, p.gregorianFrom);
    EXPECT_EQ(d.population, p.population);
    EXPECT_EQ(d.regime, p.regime);
    EXPECT_EQ(d.state, p.state);
}

TEST(PlaceRecordTest, LongTextsAreCutAndExtendedValuesKeepEveryBit)
{
    PlaceRecord p;
    p.name = std::string(40, 'N');
    p.state = std::string(30, 'S');
    p.latitude = 45.46427L + 1e-15L; // beyond double precision
    p.longitude = -179.99999L;
    const std::string b = EncodePlace(p);
    EXPECT_EQ(b[0], 31);
    EXPECT_EQ(b[64], 23);
    const PlaceRecord d = DecodePlace(b);
    EXPECT_EQ(d.name, std::string(31, 'N'));
    EXPECT_EQ(d.state, std::string(23, 'S'));
    EXPECT_EQ(d.latitude, p.latitude);
    EXPECT_EQ(d.longitude, p.longitude);
}

TEST(PlaceRecordTest, ShortBytesDecodeAsAnEmptyRecord)
{
    const PlaceRecord d = DecodePlace(std::string(87, 'x'));
    EXPECT_EQ(d.name, "");
    EXPECT_EQ(d.state, "");
    EXPECT_EQ(d.regime, 0);
}

// ---- The folding rule -----------------------------------------------------------

TEST(PlaceSortKeyTest, OneKeyForEveryWayOfTypingAName)
{
    const struct {
        const char* label;
        const char* typed;
        const char* key;
    } cases[] = {
        {"upper case", "roma", "ROMA"},
        {"accent dropped", "Forlì", "FORLI"},
        {"apostrophe for the accent", "Forli'", "FORLI"},
        {"typographic apostrophe", "Forli\x92", "FORLI"},
        {"grave and acute alike", "Perché Né", "PERCHE NE"},
        {"umlaut", "Zürich", "ZURICH"},
        {"sharp s", "Straße", "STRASSE"},
        {"ligatures", "Æbeltoft Œuvre", "AEBELTOFT OEUVRE"},
        {"letters of 0x80-0x9F", "Šibenik Žabljak", "SIBENIK ZABLJAK"},
        {"elision apostrophe separates", "Sant'Angelo", "SANT ANGELO"},
        {"apostrophe and blank are one separator", "Citta' di Castello", "CITTA DI CASTELLO"},
        {"hyphen separates", "Città-di-Castello", "CITTA DI CASTELLO"},
        {"point separates", "St. Moritz", "ST MORITZ"},
        {"blanks in a row", "  Reggio   nell'Emilia ", "REGGIO NELL EMILIA"},
        {"province mark", "Roma*RM*", "ROMA\x01RM\x01"},
        {"displayed province", "Roma(RM)", "ROMA\x01RM\x01"},
        {"no blank beside the mark", "Roma (RM)", "ROMA\x01RM\x01"},
        {"digits kept", "Mazara II", "MAZARA II"},
        {"nothing to search by", "' - .", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(PlaceSortKey(c.typed), c.key) << c.label;
}

// ---- Prefix search on a hand-made gazetteer --------------------------------

// In the order of the folded names: the province mark before the blank,
// the blank before letters, accented letters among the plain ones.
const char* const kSortedNames[] = {
    "Abano Terme*PD*",           // 0
    "Agliana*PT*",               // 1
    "Agliè*TO*",                 // 2
    "Èze",                       // 3
    "Forlì*FC*",                 // 4
    "Forlì del Sannio*IS*",      // 5
    "Forlimpopoli*FC*",          // 6
    "Milano*MI*",                // 7
    "Milano Marittima*RA*",      // 8
    "Milazzo*ME*",               // 9
    "Reggio nell'Emilia*RE*",    // 10
    "Roma*RM*",                  // 11
    "Romano Canavese*TO*",       // 12
    "Sant'Angelo Lodigiano*LO*", // 13
    "Zuccarello*SV*",            // 14
    "Zumpano*CS*",               // 15
};

class FindPlacesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::vector<std::string> records;
        for (const char* name : kSortedNames) {
            PlaceRecord p;
            p.name = name;
            records.push_back(EncodePlace(p));
        }
        RecordFile(kItalianPlacesFile, kPlaceSize).Replace(records);
        for (std::size_t i = 1; i < std::size(kSortedNames); ++i)
            ASSERT_LT(PlaceSortKey(kSortedNames[i - 1]), PlaceSortKey(kSortedNames[i])) << "fixture out of order";
    }
    TempFolder folder_;
};

struct FindCase {
    const char* label;
    const char* prefix;
    std::size_t limit;
    std::vector<std::size_t> expected;
};

TEST_F(FindPlacesTest, ReturnsTheRunOfNamesThatBeginWithThePrefix)
{
    const FindCase cases[] = {
        {"first record", "ab", 10, {0}},
        {"run at the start", "AGLI", 10, {1, 2}},
        {"accented letter, lower case", "agliè", 10, {2}},
        {"accented letter, upper case", "AGLIÈ", 10, {2}},
        {"accent left out", "aglie", 10, {2}},
        {"accent as an apostrophe", "Forli'", 10, {4, 5, 6}},
        {"a name before the longer names it begins", "milano", 10, {7, 8}},
        {"province star", "Milano*", 10, {7}},
        {"province as displayed", "Forlì (FC)", 10, {4}},
        {"run in the middle", "mila", 10, {7, 8, 9}},
        {"limit cuts the run", "mila", 2, {7, 8}},
        {"whole name with province", "roma*rm*", 10, {11}},
        {"prefix of two names", "Roma", 10, {11, 12}},
        {"elision typed with a blank", "sant angelo", 10, {13}},
        {"elision typed as written", "Reggio nell'Emilia", 10, {10}},
        {"near the end", "zum", 10, {15}},
        {"accented initial among the plain ones", "eze", 10, {3}},
        {"before the first name", "aa", 10, {}},
        {"gap in the middle", "mz", 10, {}},
        {"past the last name", "zz", 10, {}},
        {"longer than every name", "Zumpano*CS* e oltre", 10, {}},
        {"empty prefix: the first records", "", 3, {0, 1, 2}},
    };
    for (const FindCase& c : cases)
        EXPECT_EQ(FindPlaces(kItalianPlacesFile, c.prefix, c.limit), c.expected) << c.label;
}

TEST_F(FindPlacesTest, ReadsTheRecordsItFinds)
{
    EXPECT_EQ(PlaceCount(kItalianPlacesFile), std::size(kSortedNames));
    EXPECT_EQ(ReadPlace(kItalianPlacesFile, 11).name, "Roma*RM*");
    EXPECT_THROW(ReadPlace(kItalianPlacesFile, std::size(kSortedNames)), IoError);
}

// Other names beside the gazetteer: sorted by key, then population.
TEST_F(FindPlacesTest, OtherNamesFindTheirPlaceOnce)
{
    const PlaceAlias aliases[] = {
        {"Forli Centro*FC*", 4, 0},        // another name of a place found by its own
        {"Reggio Emilia*RE*", 10, 170000},
        {"Rome*RM*", 11, 2800000},
        {"Rome*XX*", 99, 0},               // a record past the end: ignored
        {"Zumpano Vecchio*CS*", 15, 0},
        {"Zumpano Vecchio bis*CS*", 15, 0}, // a second other name of the same place
    };
    std::vector<std::string> records;
    for (const PlaceAlias& a : aliases)
        records.push_back(EncodeAlias(a));
    RecordFile(AliasFileOf(kItalianPlacesFile), kAliasSize).Replace(records);
    ASSERT_EQ(AliasFileOf(kItalianPlacesFile), "Localita\\ITALIA.ALT");

    auto search = [](const char* typed, std::size_t limit = 10) {
        std::vector<std::pair<std::size_t, std::string>> out;
        for (const PlaceMatch& m : SearchPlaces(kItalianPlacesFile, typed, limit))
            out.emplace_back(m.record, m.alias);
        return out;
    };
    using Found = std::vector<std::pair<std::size_t, std::string>>;
    EXPECT_EQ(search("reggio"), (Found {{10, ""}})) << "found by its own name, not again by the other";
    EXPECT_EQ(search("Reggio Emilia"), (Found {{10, "Reggio Emilia*RE*"}}));
    EXPECT_EQ(search("reggio n"), (Found {{10, ""}}));
    EXPECT_EQ(search("ro"), (Found {{11, ""}, {12, ""}})) << "Roma is found by its own name, not again as Rome";
    EXPECT_EQ(search("rome"), (Found {{11, "Rome*RM*"}}));
    EXPECT_EQ(search("forli"), (Found {{4, ""}, {5, ""}, {6, ""}}));
    EXPECT_EQ(search("zumpano v"), (Found {{15, "Zumpano Vecchio*CS*"}}));
    EXPECT_EQ(search("zu", 2), (Found {{14, ""}, {15, ""}}));
    EXPECT_EQ(search("'"), Found {}) << "nothing to search by";
    EXPECT_EQ(search("xyz"), Found {});

    RecordFile(AliasFileOf(kItalianPlacesFile), kAliasSize).Delete(0);
    std::filesystem::remove(folder_.Path() / "Localita" / "ITALIA.ALT");
    EXPECT_EQ(search("rome"), Found {}) << "a gazetteer without other names";
}

TEST(PlaceAliasTest, FieldsSitAtTheirOffsets)
{
    const std::string b = EncodeAlias({"Bozen*BZ*", 0x01020304, 107000});
    ASSERT_EQ(b.size(), kAliasSize);
    EXPECT_EQ(b[0], 9);
    EXPECT_EQ(b.substr(1, 9), "Bozen*BZ*");
    EXPECT_EQ(b.substr(56, 4), Bytes({0x04, 0x03, 0x02, 0x01}));
    EXPECT_EQ(b.substr(60, 4), Bytes({0xF8, 0xA1, 0x01, 0x00})); // 107000
    const PlaceAlias d = DecodeAlias(b);
    EXPECT_EQ(d.name, "Bozen*BZ*");
    EXPECT_EQ(d.record, 0x01020304);
    EXPECT_EQ(d.population, 107000);
    EXPECT_EQ(DecodeAlias(EncodeAlias({std::string(60, 'x'), 1, 1})).name, std::string(55, 'x'));
}

TEST(FindPlacesMissingTest, AMissingGazetteerIsAnIoError)
{
    TempFolder folder;
    EXPECT_THROW(FindPlaces(kForeignPlacesFile, "Roma", 5), IoError);
}

// ---- Coordinate text and regime numbers -------------------------------------

TEST(PlaceCoordTextTest, DegreesHemisphereAndRoundedMinutes)
{
    const struct {
        long double lat, lon;
        const char* text;
    } cases[] = {
        {45.4667L, 9.1833L, "45N28 009E11"},     // Milano
        {45.9999L, 9.0L, "46N00 009E00"},        // 59.994 minutes round up into the degrees
        {44.99999L, 8.38333L, "45N00 008E23"},   // Altavilla Monferrato, once "44N60"
        {-37.85L, 144.99999L, "37S51 145E00"},   // once "144E60"
        {45.99L, 9.0L, "45N59 009E00"},          // 59.4 minutes stay below
        {-33.8688L, 151.2093L, "33S52 151E13"},  // south, three-digit east
        {40.71427L, -74.00597L, "40N43 074W00"}, // west
        {-0.5L, -0.25L, "00S30 000W15"},         // below one degree keeps its hemisphere
        {0.0L, 0.0L, "00N00 000E00"},
        {89.99L, 179.999L, "89N59 180E00"},
        {-89.9999L, -179.9999L, "90S00 180W00"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(PlaceCoordText(c.lat, c.lon), c.text) << c.text;
        EXPECT_EQ(std::strlen(c.text), 12u);
    }
}

TEST(RegimeNumberTest, ItalianFileNamesAndForeignLines)
{
    EXPECT_TRUE(IsItalianRegime(100390000));
    EXPECT_TRUE(IsItalianRegime(100920000));
    EXPECT_FALSE(IsItalianRegime(200000154));
    EXPECT_FALSE(IsItalianRegime(0));
    EXPECT_EQ(RegimeFileName(100390000), "Calendar\\00390000.CAL");
    EXPECT_EQ(RegimeFileName(103780000), "Calendar\\03780000.CAL");
    EXPECT_EQ(RegimeFileName(100920000), "Calendar\\00920000.CAL");
    EXPECT_EQ(ForeignZoneLine(200000154), 154);
    EXPECT_EQ(ForeignZoneLine(212345678), 12345678);
    EXPECT_EQ(ForeignZoneLine(100390000), 0);
}

// ---- UTF-8 names -------------------------------------------------------------

TEST(PlaceNameFromUtf8Test, KeepsWindows1252LettersAndTransliteratesTheOthers)
{
    const struct {
        const char8_t* utf8;
        const char* cp1252; // nullptr: left out
        bool transliterated;
    } cases[] = {
        {u8"Agliè", "Agliè", false},
        {u8"Zürich", "Zürich", false},
        {u8"Škofja Loka", "Škofja Loka", false},  // Š is in Windows-1252
        {u8"Łódź", "Lódz", true},                 // Polish
        {u8"Plzeň", "Plzen", true},               // Czech
        {u8"Iğdır", "Igdir", true},               // Turkish ğ and dotless ı
        {u8"Iași", "Iasi", true},                 // Romanian comma below
        {u8"Hà Nội", "Hà Noi", true},             // Vietnamese: ộ has no byte, à has
        {u8"Əhmədbəyli", "Ehmedbeyli", true},     // Azerbaijani schwa
        {u8"Sant’Anna", "Sant'Anna", false},      // the apostrophe one types
        {u8"Ka‘ū", "Ka'u", true},
        {u8"Mile\u0304hah", "Milehah", true},     // e with macron, transliterated
        {u8"Forli\u0300", "Forlì", false},        // a decomposed accent is composed
        {u8"Nardo\u0300 Cantu\u0300", "Nardò Cantù", false},
        {u8"Ha\u0300 No\u0323\u0302i", "Hà Noi", true}, // two marks on one letter: ộ
        {u8"x\u0301", "x", true},                 // a mark no letter takes: dropped
        {u8"Октябрьский", nullptr, false},
        {u8"Kalimpong, Крукети", nullptr, false},
    };
    for (const auto& c : cases) {
        bool transliterated = !c.transliterated;
        const std::optional<std::string> got = PlaceNameFromUtf8(reinterpret_cast<const char*>(c.utf8), &transliterated);
        if (!c.cp1252) {
            EXPECT_FALSE(got.has_value()) << *got;
            continue;
        }
        ASSERT_TRUE(got.has_value()) << c.cp1252;
        EXPECT_EQ(*got, c.cp1252);
        EXPECT_EQ(transliterated, c.transliterated) << c.cp1252;
    }
}

// ---- Places typed by the user ---------------------------------------------------

TEST(ReadTypedPlaceTest, NamesInTheGazetteersFormOrAMessage)
{
    const struct {
        const char* label;
        std::string utf8;
        const char* name;    // when accepted
        const char* problem; // the beginning of the message when refused
    } cases[] = {
        {"plain", "Roma", "Roma", nullptr},
        {"blanks trimmed", "  Forli'  ", "Forli'", nullptr},
        {"accented", reinterpret_cast<const char*>(u8"Forlì"), "Forlì", nullptr},
        {"decomposed accent composed", reinterpret_cast<const char*>(u8"Forli\u0300"), "Forlì", nullptr},
        {"Latin letter transliterated", reinterpret_cast<const char*>(u8"Łódź"), "Lódz", nullptr},
        {"Cyrillic", reinterpret_cast<const char*>(u8"Москва"), nullptr, "Il nome della località contiene lettere di un alfabeto non latino"},
        {"Chinese", reinterpret_cast<const char*>(u8"北京"), nullptr, "Il nome della località contiene lettere di un alfabeto non latino"},
        {"tab", "Roma\tMilano", nullptr, "Il nome della località contiene caratteri di controllo"},
        {"new line", "Roma\n", nullptr, "Il nome della località contiene caratteri di controllo"},
        {"C1 control", "Roma\xC2\x85", nullptr, "Il nome della località contiene caratteri di controllo"},
        {"200 characters", std::string(200, 'a'), nullptr, "Nome della località troppo lungo: al più 55 caratteri"},
        {"55 characters", std::string(55, 'a'), "aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa", nullptr},
        {"lone apostrophe", "'", nullptr, "Scrivere le prime lettere del nome della località"},
        {"punctuation only", " - . ", nullptr, "Scrivere le prime lettere del nome della località"},
    };
    for (const auto& c : cases) {
        const TypedPlace t = ReadTypedPlace(c.utf8);
        if (c.name) {
            EXPECT_EQ(t.problem, "") << c.label;
            EXPECT_EQ(t.name, c.name) << c.label;
        } else {
            EXPECT_EQ(t.problem.rfind(c.problem, 0), 0u) << c.label << ": " << t.problem;
        }
    }
}

// ---- The generated gazetteers of the program folder template ------------------

class GeneratedGazetteersTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        folder_ = std::make_unique<TempFolder>();
        folder_->CopyTemplate();
        index_ = ReadZoneIndex();
    }
    static void TearDownTestSuite() { folder_.reset(); }
    void SetUp() override { ProgramPath::SetRoot(folder_->Path()); }

    // The first place whose name begins with `prefix`.
    static std::optional<PlaceRecord> First(const char* file, const char* prefix)
    {
        const auto found = FindPlaces(file, prefix, 1);
        if (found.empty())
            return std::nullopt;
        return ReadPlace(file, found[0]);
    }
    static std::string ZoneOf(const PlaceRecord& p)
    {
        const int line = ForeignZoneLine(p.regime);
        return line >= 1 && static_cast<std::size_t>(line) <= index_.size() ? index_[line - 1].zone : "?";
    }

    static inline std::unique_ptr<TempFolder> folder_;
    static inline std::vector<ZoneIndexEntry> index_;
};

TEST_F(GeneratedGazetteersTest, RomeAndMilanCarryTheirOfficialNamesAndItaly)
{
    const auto roma = First(kItalianPlacesFile, "Roma*RM*");
    ASSERT_TRUE(roma);
    EXPECT_NEAR(static_cast<double>(roma->latitude), 41.89, 0.05);
    EXPECT_NEAR(static_cast<double>(roma->longitude), 12.48, 0.05);
    EXPECT_EQ(roma->state, "Roma");
    EXPECT_EQ(roma->regime, 100390000);
    EXPECT_EQ(roma->gregorianFrom, 2299161);

    const auto milano = First(kItalianPlacesFile, "Milano*MI*");
    ASSERT_TRUE(milano);
    EXPECT_NEAR(static_cast<double>(milano->latitude), 45.46, 0.05);
    EXPECT_NEAR(static_cast<double>(milano->longitude), 9.19, 0.05);
    EXPECT_GT(milano->population, 1000000);

    const auto marino = First(kItalianPlacesFile, "San Marino*RSM*");
    ASSERT_TRUE(marino);
    EXPECT_EQ(marino->regime, 103780000);
    EXPECT_FALSE(FindPlaces(kItalianPlacesFile, "Rome*", 1).size()) << "the English name must not replace the official one";
}

TEST_F(GeneratedGazetteersTest, ForeignPlacesHaveTheirZoneCountryAndCalendar)
{
    const auto ny = First(kForeignPlacesFile, "New York");
    ASSERT_TRUE(ny);
    EXPECT_EQ(ZoneOf(*ny), "America/New_York");
    EXPECT_EQ(ny->state.rfind("USA, New York", 0), 0u) << ny->state;
    EXPECT_EQ(ny->gregorianFrom, 2361222); // British colonies: 14/09/1752

    const auto zurich = First(kForeignPlacesFile, "Zürich");
    ASSERT_TRUE(zurich);
    EXPECT_EQ(ZoneOf(*zurich), "Europe/Zurich");
    EXPECT_EQ(zurich->gregorianFrom, 2342349); // canton of Zurich: 12/01/1701

    const auto lodz = First(kForeignPlacesFile, "Lódz"); // Łódź transliterated
    ASSERT_TRUE(lodz);
    EXPECT_EQ(ZoneOf(*lodz), "Europe/Warsaw");
}

TEST_F(GeneratedGazetteersTest, EveryRecordIsWellFormedAndBothFilesAreSorted)
{
    const std::regex italianName(R"(.+\*([A-Z]{2}|RSM|SCV)\*)");
    std::size_t withProvince = 0;
    for (const char* file : {kItalianPlacesFile, kForeignPlacesFile}) {
        const bool italian = file == std::string(kItalianPlacesFile);
        const std::vector<std::string> all = RecordFile(file, kPlaceSize).ReadAll();
        ASSERT_GT(all.size(), italian ? 7800u : 150000u) << file;
        std::string previous;
        for (std::size_t i = 0; i < all.size(); ++i) {
            const PlaceRecord p = DecodePlace(all[i]);
            const std::string key = PlaceSortKey(p.name);
            ASSERT_LE(previous, key) << file << " out of order at record " << i << ": " << p.name;
            previous = key;
            ASSERT_FALSE(p.name.empty()) << file << " record " << i;
            ASSERT_TRUE(std::fabs(p.latitude) <= 90 && std::fabs(p.longitude) <= 180) << p.name;
            // Every place can be registered: its coordinate text passes the
            // input window's own check.
            ASSERT_TRUE(ValidCoordText(PlaceCoordText(p.latitude, p.longitude)))
                << p.name << " " << PlaceCoordText(p.latitude, p.longitude);
            if (italian) {
                // The shortening keeps the suffix whole within 31 characters.
                ASSERT_TRUE(std::regex_match(p.name, italianName)) << p.name;
                ASSERT_TRUE(p.regime == 100390000 || p.regime == 103780000 || p.regime == 103790000) << p.name;
                ASSERT_FALSE(p.state.empty()) << p.name;
                ++withProvince;
            } else {
                ASSERT_GE(ForeignZoneLine(p.regime), 1) << p.name;
                ASSERT_LE(static_cast<std::size_t>(ForeignZoneLine(p.regime)), index_.size()) << p.name;
            }
        }
    }
    EXPECT_GE(withProvince, 7800u);
}

// The other names of both files point at real records and are sorted by
// the gazetteer's key.
TEST_F(GeneratedGazetteersTest, OtherNamesAreSortedAndPointAtTheirPlaces)
{
    for (const char* file : {kItalianPlacesFile, kForeignPlacesFile}) {
        const std::size_t count = PlaceCount(file);
        const std::vector<std::string> all = RecordFile(AliasFileOf(file), kAliasSize).ReadAll();
        ASSERT_GT(all.size(), 100u) << file;
        std::string previous;
        for (const std::string& bytes : all) {
            const PlaceAlias a = DecodeAlias(bytes);
            const std::string key = PlaceSortKey(a.name);
            ASSERT_LE(previous, key) << a.name;
            previous = key;
            ASSERT_GE(a.record, 0) << a.name;
            ASSERT_LT(static_cast<std::size_t>(a.record), count) << a.name;
            const PlaceRecord p = ReadPlace(file, static_cast<std::size_t>(a.record));
            EXPECT_NE(PlaceSortKey(p.name), key) << a.name << " repeats its place's own name";
            EXPECT_EQ(p.population, a.population) << a.name;
            if (file == std::string(kItalianPlacesFile)) {
                // The same province as its place.
                EXPECT_EQ(a.name.substr(a.name.find('*')), p.name.substr(p.name.find('*'))) << a.name;
            }
        }
    }
}

struct NameCase {
    const char* label;
    bool italian;          // the gazetteer searched
    const char8_t* typed;  // as typed (UTF-8)
    const char* place;     // the first place found, as the list shows it
    const char* zone;      // foreign: its zone
};

// Places the way people type them, in the window and the tool alike: the
// first place the search gives.
TEST_F(GeneratedGazetteersTest, NamesAsPeopleTypeThem)
{
    const NameCase cases[] = {
        {"without the accent", true, u8"Forli", "Forlì(FC)", nullptr},
        {"apostrophe for the accent", true, u8"Forli'", "Forlì(FC)", nullptr},
        {"decomposed accent", true, u8"Forli\u0300", "Forlì(FC)", nullptr},
        {"Cantu", true, u8"Cantu", "Cantù(CO)", nullptr},
        {"Citta di Castello", true, u8"Citta di Castello", "Città di Castello(PG)", nullptr},
        {"Nardo", true, u8"Nardo", "Nardò(LE)", nullptr},
        {"upper case with apostrophe", true, u8"CITTA' DI CASTELLO", "Città di Castello(PG)", nullptr},
        {"usual name Reggio Calabria", true, u8"Reggio Calabria", "Reggio di Calabria(RC)", nullptr},
        {"usual name Reggio Emilia", true, u8"Reggio Emilia", "Reggio nell'Emilia(RE)", nullptr},
        {"official name Reggio di Calabria", true, u8"Reggio di Calabria", "Reggio di Calabria(RC)", nullptr},
        {"Bolzano", true, u8"Bolzano", "Bolzano(BZ)", nullptr},
        {"Bozen", true, u8"Bozen", "Bolzano(BZ)", nullptr},
        {"Bressanone", true, u8"Bressanone", "Bressanone(BZ)", nullptr},
        {"Brixen", true, u8"Brixen", "Bressanone(BZ)", nullptr},
        {"Aoste", true, u8"Aoste", "Aosta(AO)", nullptr},
        {"shortened name typed in full", true, u8"Sant'Ambrogio di Valpolicella", "Sant'Ambrogio Valpolicella(VR)",
         nullptr},
        {"another shortened name in full", true, u8"Maccagno con Pino e Veddasca", "Maccagno con Pino Veddasca(VA)",
         nullptr},
        {"new comune Borgo d'Anaunia", true, u8"Borgo d'Anaunia", "Borgo d'Anaunia(TN)", nullptr},
        {"new comune Novella", true, u8"Novella", "Novella(TN)", nullptr},
        {"new comune Ville di Fiemme", true, u8"Ville di Fiemme", "Ville di Fiemme(TN)", nullptr},
        {"new comune Misiliscemi", true, u8"Misiliscemi", "Misiliscemi(TP)", nullptr},
        {"Montecopiolo in its new province", true, u8"Montecopiolo", "Montecopiolo(RN)", nullptr},
        {"Zurich", false, u8"Zurich", "Zürich", "Europe/Zurich"},
        {"Munchen", false, u8"Munchen", "Munich", "Europe/Berlin"},
        {"Parigi", false, u8"Parigi", "Paris", "Europe/Paris"},
        {"Londra", false, u8"Londra", "London", "Europe/London"},
        {"Monaco di Baviera", false, u8"Monaco di Baviera", "Munich", "Europe/Berlin"},
        {"Mosca", false, u8"Mosca", "Moscow", "Europe/Moscow"},
        {"Pechino", false, u8"Pechino", "Beijing", "Asia/Shanghai"},
        {"Lisbona", false, u8"Lisbona", "Lisbon", "Europe/Lisbon"},
        {"Ginevra", false, u8"Ginevra", "Genève", "Europe/Zurich"},
        {"Zurigo", false, u8"Zurigo", "Zürich", "Europe/Zurich"},
        {"Vienna", false, u8"Vienna", "Vienna", "Europe/Vienna"},
        {"Varsavia", false, u8"Varsavia", "Warsaw", "Europe/Warsaw"},
        {"Il Cairo", false, u8"Il Cairo", "Cairo", "Africa/Cairo"},
        {"Atene", false, u8"Atene", "Athens", "Europe/Athens"},
        {"Berlino", false, u8"Berlino", "Berlin", "Europe/Berlin"},
        {"San Pietroburgo", false, u8"San Pietroburgo", "Saint Petersburg", "Europe/Moscow"},
        {"Hanoi, north Vietnam", false, u8"Hanoi", "Hanoi", "Asia/Bangkok"},
        {"Ho Chi Minh, south Vietnam", false, u8"Ho Chi Minh", "Ho Chi Minh City", "Asia/Ho_Chi_Minh"},
    };
    for (const NameCase& c : cases) {
        const char* file = c.italian ? kItalianPlacesFile : kForeignPlacesFile;
        const TypedPlace typed = ReadTypedPlace(reinterpret_cast<const char*>(c.typed));
        ASSERT_EQ(typed.problem, "") << c.label;
        const std::vector<PlaceMatch> found = SearchPlaces(file, typed.name, 5);
        ASSERT_FALSE(found.empty()) << c.label << ": nothing found";
        const PlaceRecord p = ReadPlace(file, found[0].record);
        std::string shown = p.name;
        if (const std::size_t star = shown.find('*'); star != std::string::npos)
            shown = shown.substr(0, star) + "(" + shown.substr(star + 1, shown.size() - star - 2) + ")";
        EXPECT_EQ(shown, c.place) << c.label;
        if (c.zone) {
            EXPECT_EQ(ZoneOf(p), c.zone) << c.label;
        }
    }
}

TEST_F(GeneratedGazetteersTest, NorthVietnamKeepsItsOwnClocks)
{
    std::size_t north = 0;
    for (const std::string& bytes : RecordFile(kForeignPlacesFile, kPlaceSize).ReadAll()) {
        const PlaceRecord p = DecodePlace(bytes);
        if (p.state.rfind("Vietnam", 0) != 0 || p.latitude < 18)
            continue;
        ++north;
        EXPECT_NE(ZoneOf(p), "Asia/Ho_Chi_Minh") << p.name << " " << p.latitude;
    }
    EXPECT_GT(north, 300u);
}

// ---- Regions against cities.json -------------------------------------------------

// The "key":"value" pairs of each object of a flat JSON array of objects
// whose strings hold no escapes (the cities.json files).
std::vector<std::map<std::string, std::string>> FlatJsonObjects(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::vector<std::map<std::string, std::string>> out;
    std::size_t i = 0;
    while ((i = text.find('{', i)) != std::string::npos) {
        const std::size_t end = text.find('}', i);
        std::map<std::string, std::string> object;
        std::size_t q = i;
        while ((q = text.find('"', q)) != std::string::npos && q < end) {
            const std::size_t k = text.find('"', q + 1);
            const std::size_t v = text.find('"', k + 2);
            const std::size_t ve = text.find('"', v + 1);
            object[text.substr(q + 1, k - q - 1)] = text.substr(v + 1, ve - v - 1);
            q = ve + 1;
        }
        out.push_back(std::move(object));
        i = end;
    }
    return out;
}

// The region shown for every foreign place that cities.json lists (same
// name within 1 km, the rule by which the generator
// takes the two packages' rows for one place) is the name cities.json's admin1 table gives that
// row's division code, never one read through the other package's codes.
TEST_F(GeneratedGazetteersTest, ForeignRegionsAreThoseOfCitiesJson)
{
    const std::filesystem::path packages = QUILLON_ATLAS_PACKAGES;
    std::map<std::string, std::string> regionOf;
    for (auto& o : FlatJsonObjects(packages / "cities.json" / "admin1.json"))
        regionOf[o["code"]] = o["name"];
    ASSERT_GT(regionOf.size(), 3000u);

    struct Row {
        double lat, lon;
        std::string region; // Windows-1252, empty when the code has none
    };
    std::map<std::string, std::vector<Row>> rows; // by name as the gazetteer spells it
    for (auto& o : FlatJsonObjects(packages / "cities.json" / "cities.json")) {
        const std::optional<std::string> name = PlaceNameFromUtf8(o["name"]);
        if (!name || o["country"] == "IT")
            continue;
        const auto r = regionOf.find(o["country"] + "." + o["admin1"]);
        const std::optional<std::string> region =
            r == regionOf.end() ? std::optional<std::string>("") : PlaceNameFromUtf8(r->second);
        rows[name->substr(0, 31)].push_back({std::stod(o["lat"]), std::stod(o["lng"]), region.value_or("")});
    }
    ASSERT_GT(rows.size(), 100000u);

    std::size_t compared = 0, wrong = 0;
    for (const std::string& bytes : RecordFile(kForeignPlacesFile, kPlaceSize).ReadAll()) {
        const PlaceRecord p = DecodePlace(bytes);
        const auto it = rows.find(p.name);
        if (it == rows.end())
            continue;
        std::set<std::string> regions;
        for (const Row& r : it->second) {
            const double dLat = (r.lat - static_cast<double>(p.latitude)) * 111.2;
            const double dLon = (r.lon - static_cast<double>(p.longitude)) * 111.2 * std::cos(r.lat * M_PI / 180);
            if (dLat * dLat + dLon * dLon <= 1.0)
                regions.insert(r.region);
        }
        if (regions.size() != 1)
            continue; // not in cities.json, or two homonyms there
        const std::string& region = *regions.begin();
        const std::size_t comma = p.state.rfind(", ");
        const std::string shown = comma == std::string::npos ? std::string() : p.state.substr(comma + 2);
        if (comma == std::string::npos && p.state.size() >= 21)
            continue; // a long country name leaves no room for the region
        ++compared;
        // The state field keeps 23 characters: the region may be cut.
        const bool agrees = region.empty() ? shown.empty() : !shown.empty() && region.rfind(shown, 0) == 0;
        if (!agrees && ++wrong <= 20)
            ADD_FAILURE() << p.name << ": " << p.state << ", cities.json: " << region;
    }
    std::printf("regions compared with cities.json: %zu places, %zu differ\n", compared, wrong);
    EXPECT_GT(compared, 120000u);
    EXPECT_EQ(wrong, 0u);
}

} // namespace
