// The knowledge-base records byte for byte: hand-made images built from the
// layout tables, the slicing of long texts into parts at the slice
// boundaries, damaged length bytes, the saturating tally and the list order.
#include "kb/KbRecords.h"
#include "kb/ListOrder.h"

#include <gtest/gtest.h>

namespace {

// A short string at `offset`: length byte, then the characters.
void Field(std::string& rec, std::size_t offset, std::string_view value)
{
    rec[offset] = static_cast<char>(value.size());
    rec.replace(offset + 1, value.size(), value);
}

std::string Letters(std::size_t n, char first = 'a')
{
    std::string s;
    for (std::size_t i = 0; i < n; ++i)
        s += static_cast<char>(first + i % 26);
    return s;
}

TEST(RemedyRecordLayout, HandMadeImageDecodesAndEncodesIdentically)
{
    std::string rec(4814, '\0');
    Field(rec, 0, "MSA Melissa");
    Field(rec, 51, "P1");
    Field(rec, 302, "P2");
    Field(rec, 553, "P3");
    Field(rec, 804, "P4");
    Field(rec, 955, "Insonnia ");
    Field(rec, 1206, "grave");
    for (int k = 0; k < 6; ++k)
        Field(rec, 1257 + 251 * k, "S" + std::to_string(k + 1));
    Field(rec, 2763, "Luna - Venere");
    Field(rec, 2794, "Mercurio");
    Field(rec, 2835, "Cancro");
    Field(rec, 2906, "A1");
    Field(rec, 3157, "A2");
    for (int k = 0; k < 3; ++k) {
        Field(rec, 3308 + 251 * k, "N" + std::to_string(k + 1));
        Field(rec, 4061 + 251 * k, "X" + std::to_string(k + 1));
    }

    const RemedyRecord r = DecodeRemedy(rec);
    EXPECT_EQ(r.Name, "MSA Melissa");
    EXPECT_EQ(r.Posology, "P1P2P3P4");
    EXPECT_EQ(r.Indications, "Insonnia grave");
    EXPECT_EQ(r.PsychicSynthesis, "S1S2S3S4S5S6");
    EXPECT_EQ(r.PrimarySignature, "Luna - Venere");
    EXPECT_EQ(r.SecondarySignature, "Mercurio");
    EXPECT_EQ(r.ZodiacSignature, "Cancro");
    EXPECT_EQ(r.Warnings, "A1A2");
    EXPECT_EQ(r.Notes, "N1N2N3");
    EXPECT_EQ(r.SupplementaryNotes, "X1X2X3");

    // A search decodes only the fields it asks for.
    const RemedyRecord some = DecodeRemedy(rec, kRemedyName | kRemedyIndications | kRemedyZodiac);
    EXPECT_EQ(some.Name, "MSA Melissa");
    EXPECT_EQ(some.Indications, "Insonnia grave");
    EXPECT_EQ(some.ZodiacSignature, "Cancro");
    for (const std::string* empty : {&some.Posology, &some.PsychicSynthesis, &some.PrimarySignature,
                                     &some.SecondarySignature, &some.Warnings, &some.Notes, &some.SupplementaryNotes})
        EXPECT_EQ(*empty, "");

    // The encoder writes each text from its first part on: short texts
    // leave the later parts empty.
    RemedyRecord flat;
    flat.Name = "MSA Melissa";
    flat.PrimarySignature = "Luna - Venere";
    std::string expected(4814, '\0');
    Field(expected, 0, "MSA Melissa");
    Field(expected, 2763, "Luna - Venere");
    EXPECT_EQ(EncodeRemedy(flat), expected);
}

struct SliceCase {
    const char* name;
    std::string RemedyRecord::*field;
    std::size_t length;                 // length of the logical text written
    std::vector<std::pair<std::size_t, std::size_t>> parts; // (offset, expected length byte)
    std::size_t kept;                   // length of the joined text read back
};

class RemedySlicing : public ::testing::TestWithParam<SliceCase> {};

TEST_P(RemedySlicing, PartsAtTheirOffsetsAndJoinedBack)
{
    const SliceCase& c = GetParam();
    RemedyRecord r;
    const std::string text = Letters(c.length);
    r.*c.field = text;
    const std::string rec = EncodeRemedy(r);
    ASSERT_EQ(rec.size(), 4814u);
    std::size_t from = 0;
    for (const auto& [offset, len] : c.parts) {
        EXPECT_EQ(static_cast<unsigned char>(rec[offset]), len) << "part at " << offset;
        EXPECT_EQ(rec.substr(offset + 1, len), text.substr(from, len)) << "part at " << offset;
        from += 250;
    }
    EXPECT_EQ(DecodeRemedy(rec).*c.field, text.substr(0, c.kept));
}

INSTANTIATE_TEST_SUITE_P(
    Boundaries, RemedySlicing,
    ::testing::Values(
        SliceCase{"indications_250", &RemedyRecord::Indications, 250, {{955, 250}, {1206, 0}}, 250},
        SliceCase{"indications_251", &RemedyRecord::Indications, 251, {{955, 250}, {1206, 1}}, 251},
        SliceCase{"indications_300", &RemedyRecord::Indications, 300, {{955, 250}, {1206, 50}}, 300},
        SliceCase{"indications_301_cut", &RemedyRecord::Indications, 301, {{955, 250}, {1206, 50}}, 300},
        SliceCase{"posology_751", &RemedyRecord::Posology, 751,
                  {{51, 250}, {302, 250}, {553, 250}, {804, 1}}, 751},
        SliceCase{"posology_950_cut", &RemedyRecord::Posology, 950,
                  {{51, 250}, {302, 250}, {553, 250}, {804, 150}}, 900},
        SliceCase{"warnings_400", &RemedyRecord::Warnings, 400, {{2906, 250}, {3157, 150}}, 400},
        SliceCase{"synthesis_1501_cut", &RemedyRecord::PsychicSynthesis, 1501,
                  {{1257, 250}, {1508, 250}, {1759, 250}, {2010, 250}, {2261, 250}, {2512, 250}}, 1500},
        SliceCase{"notes_500", &RemedyRecord::Notes, 500, {{3308, 250}, {3559, 250}, {3810, 0}}, 500},
        SliceCase{"supplementary_750", &RemedyRecord::SupplementaryNotes, 750,
                  {{4061, 250}, {4312, 250}, {4563, 250}}, 750},
        SliceCase{"name_60_cut", &RemedyRecord::Name, 60, {{0, 50}}, 50},
        SliceCase{"primary_35_cut", &RemedyRecord::PrimarySignature, 35, {{2763, 30}}, 30},
        SliceCase{"secondary_40", &RemedyRecord::SecondarySignature, 40, {{2794, 40}}, 40},
        SliceCase{"zodiac_71_cut", &RemedyRecord::ZodiacSignature, 71, {{2835, 70}}, 70}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RemedyRecordLayout, DamagedLengthBytesReadAsTheFieldCapacity)
{
    std::string rec(4814, 'x');
    rec[0] = static_cast<char>(200);    // name field of capacity 50
    rec[1206] = static_cast<char>(255); // indications part 2, capacity 50
    rec[955] = static_cast<char>(0);
    const RemedyRecord r = DecodeRemedy(rec);
    EXPECT_EQ(r.Name, std::string(50, 'x'));
    EXPECT_EQ(r.Indications, std::string(50, 'x'));
    // A short read (a truncated record) gives empty fields, never a read
    // past the bytes.
    EXPECT_EQ(DecodeRemedy(std::string(10, '\x05')).Warnings, "");
}

TEST(RepertoryRecordLayout, HandMadeImage)
{
    std::string rec(1206, '\0');
    Field(rec, 0, "Insonnia");
    Field(rec, 101, "30 gocce");
    Field(rec, 352, "MSA Melissa");
    Field(rec, 453, Letters(250));
    Field(rec, 704, "fine");
    RepertoryRecord r = DecodeRepertory(rec);
    EXPECT_EQ(r.Pathology, "Insonnia");
    EXPECT_EQ(r.Posology, "30 gocce");
    EXPECT_EQ(r.Remedy, "MSA Melissa");
    EXPECT_EQ(r.Notes, Letters(250) + "fine");
    EXPECT_EQ(EncodeRepertory(r), rec);
}

TEST(NameAndTallyRecords, LayoutAndSaturatingTally)
{
    std::string name(51, '\0');
    Field(name, 0, "TSA Iperico");
    EXPECT_EQ(EncodeRemedyName("TSA Iperico"), name);
    EXPECT_EQ(DecodeRemedyName(name), "TSA Iperico");
    EXPECT_EQ(EncodeRemedyName(Letters(55)).substr(0, 1), std::string(1, '\x32'));

    RemedyTally t{"TSA Iperico", 254};
    std::string rec = EncodeTally(t);
    ASSERT_EQ(rec.size(), 52u);
    EXPECT_EQ(rec.substr(0, 51), name);
    EXPECT_EQ(static_cast<unsigned char>(rec[51]), 254);
    AddTally(t);
    EXPECT_EQ(t.Tally, 255);
    AddTally(t);
    EXPECT_EQ(t.Tally, 255) << "the tally must stop at 255, not wrap";
    EXPECT_EQ(DecodeTally(EncodeTally(t)).Tally, 255);
    EXPECT_EQ(DecodeTally(EncodeTally(t)).Name, "TSA Iperico");
}

TEST(PlantTableRecordLayout, FieldsFromTheirSourceLines)
{
    const std::vector<std::string> lines = {"Melissa", "Luna", "Cancro", "foglie", "citrale",
                                            "sedativa", "Insonnia", "MSA Melissa"};
    const PlantTableRecord r = PlantTableFromLines(lines, 0);
    std::string rec(599, '\0');
    Field(rec, 0, "Insonnia"); // line 7
    Field(rec, 101, "Melissa"); // line 1
    Field(rec, 122, "Luna");
    Field(rec, 138, "Cancro");
    Field(rec, 154, "foglie");
    Field(rec, 185, "citrale");
    Field(rec, 256, "sedativa");
    Field(rec, 357, "MSA Melissa"); // line 8
    EXPECT_EQ(EncodePlantTable(r), rec);
    EXPECT_EQ(PlantTableLines(DecodePlantTable(rec)), lines);
    // A plant name over its 20 characters is cut.
    PlantTableRecord longName;
    longName.Plant = Letters(25);
    EXPECT_EQ(DecodePlantTable(EncodePlantTable(longName)).Plant, Letters(20));
}

TEST(ListOrder, CaseAndAccentInsensitiveThenTotal)
{
    struct Pair {
        const char* before;
        const char* after;
    };
    const Pair pairs[] = {
        {"abete", "Betulla"},                 // case does not count
        {"Àncora", "Anice"},                  // À weighs as A
        {"Anice", "Àniceto"},
        {"Caffè", "Caffeina"},                // è weighs as e, the shorter first
        {"cafe", "café"},                     // equal but for the accent: plain first
        {"MSA Melissa", "MSA melissa"},       // equal but for case: byte order
        {"MSA Melissa", "MSA Melissa (1)"},   // a beginning before the longer text
        {"MSA Melissa (1)", "MSA Melissa (2)"},
        {"Insonnia da ansia", "Insonnia**X"}, // blank before "*"
        {"9 erbe", "Achillea"},               // digits before letters
        {"-Tosse", "1 Tosse"},                // other characters before digits
    };
    for (const Pair& p : pairs) {
        EXPECT_LT(CompareListText(p.before, p.after), 0) << p.before << " / " << p.after;
        EXPECT_GT(CompareListText(p.after, p.before), 0) << p.after << " / " << p.before;
    }
    EXPECT_LT(CompareListText("\xC8ra", "Zucca"), 0); // È weighs as E, not by its byte
    EXPECT_EQ(CompareListText("Salvia", "Salvia"), 0);

    std::vector<std::string> list = {"valeriana", "Àgrimonia", "Achillea", "Valeriana", "\xFF\x01", "abete"};
    SortList(list);
    EXPECT_EQ(list, (std::vector<std::string>{"abete", "Achillea", "Àgrimonia", "Valeriana", "valeriana", "\xFF\x01"}));
}

TEST(ListOrder, Windows1252CaseMapping)
{
    EXPECT_EQ(UpperCase1252("qspc àèéìòù œÿ"), "QSPC ÀÈÉÌÒÙ \x8C\x9F");
    EXPECT_EQ(LowerCase1252("ÀÈ ZŠ"), "àè z\x9A");
    EXPECT_EQ(UpperCase1252("\xF7\xDF"), "\xF7\xDF"); // ÷ and ß have no capital here
}

} // namespace
