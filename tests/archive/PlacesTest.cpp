// The place gazetteers: the 88-byte record byte by byte, the prefix search
// on a small sorted file, the coordinate text, the regime number helpers,
// the conversion of UTF-8 names, and the gazetteers the build generated
// into the program folder template.
#include "archive/Places.h"
#include "archive/TimeRegimes.h"
#include "platform/Errors.h"
#include "platform/ProgramPath.h"
#include "platform/RecordFile.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <memory>
#include <regex>

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

// ---- Prefix search on a hand-made gazetteer --------------------------------

// In byte order of the upper-cased names: " " < "*" < letters < accented.
const char* const kSortedNames[] = {
    "Abano Terme*PD*",      // 0
    "Agliana*PT*",          // 1
    "Agliè*TO*",            // 2
    "Milano*MI*",           // 3
    "Milano Marittima*RA*", // 4
    "Milazzo*ME*",          // 5
    "Roma*RM*",             // 6
    "Romano Canavese*TO*",  // 7
    "Zuccarello*SV*",       // 8
    "Zumpano*CS*",          // 9
    "Èze",                  // 10
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
        {"accent is not dropped", "aglie", 10, {}},
        {"a name before the longer names it begins", "milano", 10, {3, 4}},
        {"province star", "Milano*", 10, {3}},
        {"run in the middle", "mila", 10, {3, 4, 5}},
        {"limit cuts the run", "mila", 2, {3, 4}},
        {"whole name with province", "roma*rm*", 10, {6}},
        {"prefix of two names", "Roma", 10, {6, 7}},
        {"near the end", "zum", 10, {9}},
        {"last record, accented initial", "è", 10, {10}},
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
    EXPECT_EQ(ReadPlace(kItalianPlacesFile, 6).name, "Roma*RM*");
    EXPECT_THROW(ReadPlace(kItalianPlacesFile, std::size(kSortedNames)), IoError);
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
        {45.9999L, 9.0L, "45N60 009E00"},        // minutes of 60 are not carried
        {-33.8688L, 151.2093L, "33S52 151E13"},  // south, three-digit east
        {40.71427L, -74.00597L, "40N43 074W00"}, // west
        {-0.5L, -0.25L, "00S30 000W15"},         // below one degree keeps its hemisphere
        {0.0L, 0.0L, "00N00 000E00"},
        {89.99L, 179.999L, "89N59 179E60"},
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
        {u8"Mile\u0304hah", "Milehah", true},     // combining macron dropped
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
    EXPECT_FALSE(First(kItalianPlacesFile, "Rome*")) << "the English name must not replace the official one";
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

} // namespace
