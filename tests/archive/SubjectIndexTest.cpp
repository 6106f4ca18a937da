// The in-memory name index against the plain algorithms it replaces: the
// bubble pass of registration for every insertion, and the linear scans
// for the searches by prefix and by name. Indexes are drawn at random from
// names that differ only in letter case, accents, blanks and length, so
// that every branch of the bisections is walked; an index out of order
// must give the same answers as the plain algorithms too.
#include "archive/SubjectIndex.h"
#include "archive/SubjectRecord.h"
#include "shell/UnServizi.h"

#include <gtest/gtest.h>

#include <random>

namespace {

std::string Template()
{
    std::string name(38, '.');
    name.replace(0, 16, "0 Registro vuoto");
    return EncodeIndexEntry(name, 0);
}

// The bubble pass as registration makes it: append, then from the last
// record down to record 2 swap every record that sorts before the one
// above it.
void BubbleInsert(std::vector<std::string>& records, const std::string& record)
{
    records.push_back(record);
    for (std::size_t i = records.size() - 1; i >= 2; --i)
        if (DecodeIndexText(records[i]) < DecodeIndexText(records[i - 1]))
            std::swap(records[i], records[i - 1]);
}

std::string Join(const std::vector<std::string>& records)
{
    std::string bytes;
    for (const std::string& r : records)
        bytes += r;
    return bytes;
}

std::string NameOf(const std::string& record)
{
    return TrimRightBlanks(DecodeIndexText(record).substr(0, 38));
}

// The first entry in index order whose name begins with the prefix, any case.
std::optional<std::size_t> LinearPrefix(const std::vector<std::string>& records, const std::string& prefix)
{
    const std::string p = UpperName(prefix);
    for (std::size_t i = 1; i < records.size(); ++i)
        if (UpperName(NameOf(records[i])).compare(0, p.size(), p) == 0)
            return i;
    return std::nullopt;
}

std::optional<std::size_t> LinearNamed(const std::vector<std::string>& records, const std::string& name)
{
    const std::string wanted = UpperName(TrimBlanks(name));
    for (std::size_t i = 1; i < records.size(); ++i)
        if (UpperName(TrimBlanks(NameOf(records[i]))) == wanted)
            return i;
    return std::nullopt;
}

// Names close to one another: the same words in other letter cases and
// accents, with and without blanks before, some longer than the index keeps.
std::string RandomName(std::mt19937& rng)
{
    static const char* const kWords[] = {"rossi", "ROSSI", "Rossi", "rossì", "ROSSÌ", "ross", "Ro",
                                         "bianchi", "Bianchi", "BIANCHI", "Città", "CITTÀ", "città",
                                         "Šimek", "šimek", "Ÿves", "ÿves", "(anonimo)", "0 alfa"};
    std::string name = rng() % 8 == 0 ? "  " : "";
    const int words = 1 + static_cast<int>(rng() % 3);
    for (int w = 0; w < words; ++w)
        name += std::string(w ? " " : "") + kWords[rng() % std::size(kWords)];
    if (rng() % 10 == 0)
        name += " " + std::string(40, 'x');
    return name;
}

std::vector<std::string> Prefixes()
{
    return {"",      "R",       "RO",     "ROSS",  "ROSSI", "ROSSI ", "rossi r", "ROSSÌ", "rossì",
            "B",     "BIANCHI", "CITTÀ",  "città", "ŠIMEK", "Ÿ",      "ÿves",    "(",     "0 A",
            "Z",     "  ",      "  ROSSI", "ROSSI ROSSI ROSSI", std::string(39, 'R')};
}

class SubjectIndexTest : public ::testing::TestWithParam<int> {};

TEST_P(SubjectIndexTest, InsertionAndSearchesAgreeWithThePlainAlgorithms)
{
    std::mt19937 rng(static_cast<unsigned>(GetParam()));
    std::vector<std::string> plain {Template()};
    SubjectIndex index(Template());
    const bool outOfOrder = GetParam() % 3 == 0;
    if (outOfOrder) {
        // A file put together by hand: entries in the order they came.
        for (int k = 1; k <= 20; ++k)
            plain.push_back(EncodeIndexEntry(RandomName(rng), k));
        index = SubjectIndex(Join(plain));
        ASSERT_FALSE(index.Sorted());
    }
    for (int k = 0; k < 150; ++k) {
        const std::string record = EncodeIndexEntry(RandomName(rng), static_cast<int>(rng() % 1000));
        BubbleInsert(plain, record);
        index.Insert(record);
        ASSERT_EQ(index.Bytes(), Join(plain)) << "after insertion " << k;
    }
    EXPECT_EQ(index.Sorted(), !outOfOrder);

    for (const std::string& prefix : Prefixes()) {
        SCOPED_TRACE("prefix \"" + prefix + "\"");
        EXPECT_EQ(index.FirstWithPrefix(prefix), LinearPrefix(plain, prefix));
        EXPECT_EQ(index.FirstNamed(prefix), LinearNamed(plain, prefix));
    }
    for (std::size_t i = 1; i < plain.size(); i += 7) {
        const std::string name = NameOf(plain[i]);
        SCOPED_TRACE("name \"" + name + "\"");
        EXPECT_EQ(index.FirstWithPrefix(name), LinearPrefix(plain, name));
        EXPECT_EQ(index.FirstNamed(UpperName(name) + " "), LinearNamed(plain, name));
        EXPECT_EQ(index.Text(*index.FindText(DecodeIndexText(plain[i]))), DecodeIndexText(plain[i]));
    }
    EXPECT_EQ(index.FindText("Nessuno"), std::nullopt);
}

TEST_P(SubjectIndexTest, InsertingAllAtOnceEqualsInsertingOneByOne)
{
    std::mt19937 rng(static_cast<unsigned>(GetParam()) + 1000);
    std::vector<std::string> plain {Template()};
    for (int k = 1; k <= 40; ++k)
        BubbleInsert(plain, EncodeIndexEntry(RandomName(rng), k));
    if (GetParam() % 3 == 0)
        std::swap(plain[3], plain[30]); // out of order
    SubjectIndex index(Join(plain));

    std::vector<std::string> added;
    for (int k = 0; k < 60; ++k) // equal texts among them, and equal to old ones
        added.push_back(k % 10 == 9 ? added[k / 2] : EncodeIndexEntry(RandomName(rng), 41 + k % 20));
    for (const std::string& r : added)
        BubbleInsert(plain, r);
    index.InsertAll(added);
    EXPECT_EQ(index.Bytes(), Join(plain));
}

INSTANTIATE_TEST_SUITE_P(Seeds, SubjectIndexTest, ::testing::Range(1, 13));

TEST(SubjectIndexCases, FirstMatchInIndexOrderWhateverTheLetterCase)
{
    std::vector<std::string> records {Template()};
    for (const char* name : {"ROSSI ANNA", "Rossi Mario", "rossi zeno", "ROSSI", "Rossini Gioacchino"})
        BubbleInsert(records, EncodeIndexEntry(name, static_cast<int>(records.size())));
    const SubjectIndex index(Join(records));
    // Byte order: "ROSSI", "ROSSI ANNA", "Rossi Mario", "Rossini Gioacchino", "rossi zeno".
    struct Case {
        const char* label;
        const char* prefix;
        std::optional<std::size_t> first;
    };
    const Case cases[] = {
        {"upper-case entries sort first", "rossi", 1},
        {"a blank after the word", "ROSSI ", 2},
        {"lower-case entry found after the others", "ROSSI Z", 5},
        {"continues the surname", "ROSSIN", 4},
        {"the whole name in another case", "rossi mario", 3},
        {"longer than any name", "ROSSI MARIO ROSSI", std::nullopt},
        {"no such name", "VERDI", std::nullopt},
        {"empty prefix: the first entry", "", 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        EXPECT_EQ(index.FirstWithPrefix(c.prefix), c.first);
    }
}

TEST(SubjectIndexCases, AnIndexWithOnlyItsTemplateFindsNothing)
{
    SubjectIndex index(Template());
    EXPECT_EQ(index.FirstWithPrefix(""), std::nullopt);
    EXPECT_EQ(index.FirstNamed("Rossi"), std::nullopt);
    EXPECT_EQ(index.Insert(EncodeIndexEntry("(Anonimo)", 1)), 1u); // never before the template
    EXPECT_EQ(index.Name(1), "(Anonimo)");
    EXPECT_EQ(index.Number(1), 1);
    EXPECT_EQ(index.Number(0), 0);
}

} // namespace
