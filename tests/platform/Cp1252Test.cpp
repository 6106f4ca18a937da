#include "platform/Cp1252.h"

#include <gtest/gtest.h>

namespace {

TEST(Cp1252Test, BytesToCodePoints)
{
    struct Case {
        unsigned char byte;
        char32_t cp;
    };
    const Case cases[] = {
        {'A', U'A'},       {0x00, 0x0000},    {0x7F, 0x007F},    {0x80, 0x20AC},
        {0x81, 0x0081},    {0x8A, 0x0160},    {0x8C, 0x0152},    {0x92, 0x2019},
        {0x96, 0x2013},    {0x99, 0x2122},    {0x9D, 0x009D},    {0x9F, 0x0178},
        {0xA0, 0x00A0},    {0xE8, 0x00E8},    {0xFF, 0x00FF},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "byte 0x" << std::hex << int(c.byte));
        EXPECT_EQ(Cp1252::ToUnicode(c.byte), c.cp);
        EXPECT_EQ(Cp1252::FromUnicode(c.cp), c.byte);
    }
}

TEST(Cp1252Test, AllBytesRoundTripThroughUtf8)
{
    std::string all;
    for (int b = 0; b < 256; ++b)
        all += static_cast<char>(b);
    const std::string utf8 = Cp1252::ToUtf8(all);
    EXPECT_TRUE(Cp1252::LooksLikeUtf8(utf8));
    EXPECT_EQ(Cp1252::FromUtf8(utf8), all);
}

TEST(Cp1252Test, ToUtf8)
{
    EXPECT_EQ(Cp1252::ToUtf8("Niccolò"), "Niccol\xC3\xB2");
    EXPECT_EQ(Cp1252::ToUtf8("€ 5"), "\xE2\x82\xAC 5");
    EXPECT_EQ(Cp1252::ToUtf8("\x9F"), "\xC5\xB8");
    EXPECT_EQ(Cp1252::ToUtf8(""), "");
}

TEST(Cp1252Test, FromUtf8)
{
    struct Case {
        const char* name;
        std::string utf8;
        std::string cp1252;
    };
    const Case cases[] = {
        {"accented letters", "perch\xC3\xA9 \xC3\xA8", "perch\xE9 \xE8"},
        {"high table", "\xE2\x82\xAC\xE2\x80\x9C\xC5\xB8", "\x80\x93\x9F"},
        {"no Windows-1252 byte", "a\xE4\xB8\xAD" "b", "a?b"},
        {"outside the basic plane", "\xF0\x9F\x98\x80", "?"},
        {"C1 control without a byte", "\xC2\x80", "?"},
        {"invalid bytes kept as they are", "Niccol\xF2", "Niccol\xF2"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Cp1252::FromUtf8(c.utf8), c.cp1252);
    }
    EXPECT_EQ(Cp1252::FromUnicode(0x4E2D), -1);
}

TEST(Cp1252Test, LooksLikeUtf8OnlyForValidMultiByteText)
{
    struct Case {
        const char* name;
        std::string bytes;
        bool utf8;
    };
    const Case cases[] = {
        {"two-byte letter", "Niccol\xC3\xB2", true},
        {"three-byte euro", "\xE2\x82\xAC", true},
        {"four-byte", "\xF0\x9F\x98\x80", true},
        {"empty", "", false},
        {"plain ASCII", "Marco Rossi\r\n", false},
        {"Windows-1252 letter", "Niccol\xF2", false},
        {"valid sequence then Windows-1252", "\xC3\xA8 e \xE8", false},
        {"truncated at the end", "ab\xC3", false},
        {"stray continuation byte", "a\x80" "b", false},
        {"overlong slash", "\xC0\xAF", false},
        {"overlong three-byte", "\xE0\x80\xAF", false},
        {"surrogate", "\xED\xA0\x80", false},
        {"beyond U+10FFFF", "\xF4\x90\x80\x80", false},
        {"five-byte lead", "\xF8\x88\x80\x80\x80", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Cp1252::LooksLikeUtf8(c.bytes), c.utf8);
    }
}

} // namespace
