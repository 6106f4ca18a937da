#include "platform/Errors.h"
#include "platform/RecordFile.h"
#include "platform/ShortString.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

// Records of 4 bytes in "Dati\Prove.dat"; the file is built by hand so that
// every check is against the bytes on disk.
class RecordFileTest : public ::testing::Test {
protected:
    static std::string Rec(char c) { return std::string(4, c); }
    void PutRecords(std::string_view letters)
    {
        std::string bytes;
        for (char c : letters)
            bytes += Rec(c);
        dir.Put("Dati/Prove.dat", bytes);
    }
    std::string Bytes() const { return dir.Get("Dati/Prove.dat"); }

    TempFolder dir;
    RecordFile file {"Dati\\Prove.dat", 4};
};

TEST_F(RecordFileTest, RecordsFollowEachOtherWithNoHeader)
{
    EXPECT_FALSE(file.Exists());
    file.Append(Rec('a'));
    file.Append(Rec('b'));
    file.Append("c"); // short record padded with zero bytes
    file.Append("ddddEXTRA"); // long record cut to the record size
    EXPECT_EQ(Bytes(), std::string("aaaabbbbc\0\0\0dddd", 16));
    EXPECT_TRUE(file.Exists());
    EXPECT_EQ(file.Count(), 4u);
    EXPECT_FALSE(file.Damaged());
    EXPECT_EQ(file.Read(1), Rec('b'));
    EXPECT_EQ(file.ReadAll(), (std::vector<std::string>{Rec('a'), Rec('b'), std::string("c\0\0\0", 4), Rec('d')}));
}

// Records of the remedy database's size over several blocks, and a
// partial record at the end: every whole record is visited once, in order,
// with its own bytes; the partial tail is not.
TEST(RecordFileBlocks, ForEachVisitsEveryWholeRecordAcrossBlocks)
{
    TempFolder dir;
    constexpr std::size_t size = 4814;
    constexpr std::size_t count = 700; // a little more than three blocks
    std::string bytes;
    for (std::size_t i = 0; i < count; ++i) {
        std::string rec(size, static_cast<char>('A' + i % 26));
        rec.replace(0, 4, std::to_string(1000 + i));
        bytes += rec;
    }
    dir.Put("Dati/Grande.rnd", bytes + "partial");
    RecordFile file("Dati\\Grande.rnd", size);
    std::size_t seen = 0;
    file.ForEach([&](std::size_t index, std::string_view rec) {
        ASSERT_EQ(index, seen);
        ASSERT_EQ(rec, std::string_view(bytes).substr(index * size, size));
        ++seen;
    });
    EXPECT_EQ(seen, count);

    const std::vector<std::string> some = file.ReadSome({699, 0, 350, 700, 5000});
    ASSERT_EQ(some.size(), 5u);
    EXPECT_EQ(some[0], bytes.substr(699 * size, size));
    EXPECT_EQ(some[1], bytes.substr(0, size));
    EXPECT_EQ(some[2], bytes.substr(350 * size, size));
    EXPECT_EQ(some[3], ""); // only a partial record there
    EXPECT_EQ(some[4], "");

    RecordFile missing("Dati\\Assente.rnd", size);
    EXPECT_THROW(missing.ForEach([](std::size_t, std::string_view) {}), IoError);
    EXPECT_THROW(missing.ReadSome({0}), IoError);
}

TEST_F(RecordFileTest, NameIsResolvedWithoutRegardToCase)
{
    PutRecords("ab");
    RecordFile other("DATI\\prove.DAT", 4);
    EXPECT_EQ(other.Count(), 2u);
    other.Write(0, Rec('z'));
    EXPECT_EQ(Bytes(), Rec('z') + Rec('b'));
}

TEST_F(RecordFileTest, WriteOverwritesInPlaceOrAppendsAtCount)
{
    PutRecords("abc");
    file.Write(1, Rec('x'));
    EXPECT_EQ(Bytes(), Rec('a') + Rec('x') + Rec('c'));
    file.Write(3, Rec('d'));
    EXPECT_EQ(Bytes(), Rec('a') + Rec('x') + Rec('c') + Rec('d'));
}

struct EditCase {
    const char* name;
    std::function<void(RecordFile&)> edit;
    std::string after; // one letter a record
};

TEST_F(RecordFileTest, EditsThatMoveRecords)
{
    const EditCase cases[] = {
        {"delete first", [](RecordFile& f) { f.Delete(0); }, "bcd"},
        {"delete middle shifts the later ones", [](RecordFile& f) { f.Delete(1); }, "acd"},
        {"delete last", [](RecordFile& f) { f.Delete(3); }, "abc"},
        {"truncate", [](RecordFile& f) { f.Truncate(2); }, "ab"},
        {"truncate to nothing", [](RecordFile& f) { f.Truncate(0); }, ""},
        {"truncate beyond the count keeps all", [](RecordFile& f) { f.Truncate(9); }, "abcd"},
        {"replace", [](RecordFile& f) { f.Replace({Rec('y'), Rec('z')}); }, "yz"},
        {"replace with nothing", [](RecordFile& f) { f.Replace({}); }, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        PutRecords("abcd");
        c.edit(file);
        std::string expected;
        for (char l : c.after)
            expected += Rec(l);
        EXPECT_EQ(Bytes(), expected);
        EXPECT_EQ(file.Count(), c.after.size());
    }
}

TEST_F(RecordFileTest, ReplaceCreatesAMissingFile)
{
    file.Replace({Rec('a')});
    EXPECT_EQ(Bytes(), Rec('a'));
}

TEST_F(RecordFileTest, PartialLastRecordMeansDamaged)
{
    dir.Put("Dati/Prove.dat", Rec('a') + Rec('b') + "cc");
    EXPECT_TRUE(file.Damaged());
    EXPECT_EQ(file.Count(), 2u);
    EXPECT_EQ(file.ReadAll(), (std::vector<std::string>{Rec('a'), Rec('b')}));
    EXPECT_EQ(file.Read(1), Rec('b'));
    EXPECT_THROW(file.Read(2), IoError);
}

struct ErrorCase {
    const char* name;
    const char* records; // nullptr: no file
    std::function<void(RecordFile&)> action;
};

TEST_F(RecordFileTest, ErrorsNameTheFileAndChangeNothing)
{
    const ErrorCase cases[] = {
        {"read past the end", "ab", [](RecordFile& f) { f.Read(2); }},
        {"read far past the end", "ab", [](RecordFile& f) { f.Read(1000); }},
        {"read of a missing file", nullptr, [](RecordFile& f) { f.Read(0); }},
        {"count of a missing file", nullptr, [](RecordFile& f) { f.Count(); }},
        {"write beyond the count", "ab", [](RecordFile& f) { f.Write(3, "x"); }},
        {"write beyond the count of a missing file", nullptr, [](RecordFile& f) { f.Write(1, "x"); }},
        {"delete past the end", "ab", [](RecordFile& f) { f.Delete(2); }},
        {"delete in a missing file", nullptr, [](RecordFile& f) { f.Delete(0); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder fresh;
        RecordFile f("Dati\\Prove.dat", 4);
        std::string before;
        if (c.records) {
            for (const char* l = c.records; *l; ++l)
                before += Rec(*l);
            fresh.Put("Dati/Prove.dat", before);
        }
        try {
            c.action(f);
            ADD_FAILURE() << "no IoError";
        } catch (const IoError& e) {
            EXPECT_EQ(e.File(), "Dati\\Prove.dat");
        }
        EXPECT_EQ(fresh.Has("Dati/Prove.dat"), c.records != nullptr);
        if (c.records) {
            EXPECT_EQ(fresh.Get("Dati/Prove.dat"), before);
        }
    }
}

// ---- Record fields ----

TEST(ShortStringTest, FieldIsLengthByteAndCapacityBytes)
{
    struct Case {
        const char* name;
        std::string value;
        std::string field;
    };
    const Case cases[] = {
        {"shorter than the capacity", "ab", std::string("\x02" "ab\0\0", 5)},
        {"exactly the capacity", "abcd", "\x04" "abcd"},
        {"longer values are cut", "abcdef", "\x04" "abcd"},
        {"empty", "", std::string("\0\0\0\0\0", 5)},
        {"Windows-1252 bytes kept", "è€", std::string("\x02\xE8\x80\0\0", 5)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        char field[5];
        std::fill(std::begin(field), std::end(field), '#');
        ShortString<4>::Put(field, c.value);
        EXPECT_EQ(std::string(field, 5), c.field);
        EXPECT_EQ(ShortString<4>::Get(field), c.value.substr(0, 4));

        std::fill(std::begin(field), std::end(field), '#');
        PutShortString(field, 4, c.value);
        EXPECT_EQ(std::string(field, 5), c.field);
        EXPECT_EQ(GetShortString(field, 4), c.value.substr(0, 4));
    }
    static_assert(ShortString<30>::Size == 31);
}

TEST(ShortStringTest, DamagedLengthByteReadsAsCapacity)
{
    const char field[] = "\xFF" "abcd" "zzzz";
    EXPECT_EQ(ShortString<4>::Get(field), "abcd");
    EXPECT_EQ(GetShortString(field, 4), "abcd");
    const char five[] = "\x05" "abcdz";
    EXPECT_EQ(ShortString<4>::Get(five), "abcd");
}

TEST(ShortStringTest, IntegersAreLittleEndian)
{
    char b[4];
    PutLE32(b, 0x12345678u);
    EXPECT_EQ(std::string(b, 4), "\x78\x56\x34\x12");
    PutLE16(b, 0xBEEF);
    EXPECT_EQ(std::string(b, 2), "\xEF\xBE");

    EXPECT_EQ(GetLE32("\x01\x02\x03\x84"), 0x84030201u);
    EXPECT_EQ(GetLE32("\xFF\xFF\xFF\xFF"), 0xFFFFFFFFu);
    EXPECT_EQ(GetLE16("\xFF\x80"), 0x80FFu);
}

TEST(ShortStringTest, RecordOfFieldsRoundTripsThroughAFile)
{
    TempFolder dir;
    char rec[ShortString<6>::Size + 4];
    ShortString<6>::Put(rec, "Rossi");
    PutLE32(rec + ShortString<6>::Size, 2461384u);
    RecordFile f("Nomi.dat", sizeof rec);
    f.Append(std::string_view(rec, sizeof rec));
    EXPECT_EQ(dir.Get("Nomi.dat"), std::string("\x05Rossi\0\xC8\x8E\x25\x00", 11));
    const std::string back = f.Read(0);
    EXPECT_EQ(ShortString<6>::Get(back.data()), "Rossi");
    EXPECT_EQ(GetLE32(back.data() + ShortString<6>::Size), 2461384u);
}

} // namespace
