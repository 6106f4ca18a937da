#include "platform/Errors.h"
#include "platform/FloatText.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

TEST(FloatTextTest, DefaultTextIsTheRunTimeScientificForm)
{
    struct Case {
        const char* name;
        long double value;
        const char* text;
    };
    const Case cases[] = {
        {"one", 1.0L, " 1.00000000000000E+0000"},
        {"negative, small", -2.5e-3L, "-2.50000000000000E-0003"},
        {"Julian day", 2461383.5L, " 2.46138350000000E+0006"},
        {"zero", 0.0L, " 0.00000000000000E+0000"},
        {"rounded to 15 digits", 1.0L / 3.0L, " 3.33333333333333E-0001"},
        {"rounding carries into the exponent", 9.999999999999999L, " 1.00000000000000E+0001"},
        {"three-digit exponent", 1.5e-300L, " 1.50000000000000E-0300"},
        {"four-digit exponent", -7.25e4000L, "-7.25000000000000E+4000"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(DefaultFloatText(c.value), c.text);
        EXPECT_EQ(DefaultFloatText(c.value).size(), 23u);
    }
}

TEST(FloatTextTest, DefaultTextReadsBackToTheSameText)
{
    const char* texts[] = {
        " 1.00000000000000E+0000", "-2.50000000000000E-0003", " 2.46138350000000E+0006",
        " 0.00000000000000E+0000", " 1.23456789012345E+0000", "-9.87654321098765E+0012",
        " 1.00000000000000E-0001", " 3.33333333333333E-0001", "-1.79769313486232E+0308",
        " 4.94065645841247E-0324", " 1.18973149535723E+4932", "-3.36210314311210E-4932",
        " 9.99999999999999E+0099", "-5.00000000000000E-0011",
    };
    for (const char* t : texts) {
        SCOPED_TRACE(t);
        const auto v = ParseFixedReal(t);
        ASSERT_TRUE(v);
        EXPECT_EQ(DefaultFloatText(*v), t);
    }
}

TEST(FloatTextTest, FixedReaderAcceptsTheNumberGrammar)
{
    struct Case {
        const char* text;
        long double value;
    };
    const Case cases[] = {
        {"1.5", 1.5L},          {"  -2.5E-3", -2.5e-3L}, {"+7", 7.0L},       {"\t42", 42.0L},
        {".5", 0.5L},           {"5.", 5.0L},            {"1e3", 1000.0L},   {"-0.25e+0002", -25.0L},
        {"0003.0", 3.0L},       {"1E-0000", 1.0L},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const auto v = ParseFixedReal(c.text);
        ASSERT_TRUE(v);
        EXPECT_EQ(*v, c.value);
        EXPECT_EQ(ReadFixedReal(c.text), c.value);
    }
}

TEST(FloatTextTest, FixedReaderRejectsOtherTexts)
{
    const char* texts[] = {
        "1,5", "", " ", "abc", "1.5x", "inf", "-inf", "nan", "0x10", "1e", "1e+", "+", "-", ".", "1.5.2",
        "--1", "+-1", "1 5", "1E99999",
    };
    for (const char* t : texts) {
        SCOPED_TRACE(std::string("\"") + t + "\"");
        EXPECT_FALSE(ParseFixedReal(t));
        try {
            ReadFixedReal(t);
            ADD_FAILURE() << "no ConversionError";
        } catch (const ConversionError& e) {
            EXPECT_EQ(e.Text(), t);
        }
    }
}

TEST(FloatTextTest, LocaleReaderTakesTheDecimalComma)
{
    struct Case {
        const char* text;
        long double value;
    };
    const Case cases[] = {{"1,5", 1.5L}, {" -0,25 ", -0.25L}, {"\t3\t", 3.0L}, {"+2,5E2", 250.0L}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const auto v = ParseLocaleReal(c.text);
        ASSERT_TRUE(v);
        EXPECT_EQ(*v, c.value);
        EXPECT_EQ(ReadLocaleReal(c.text), c.value);
    }
    for (const char* t : {"1.5", "", "1,5,0", "1,5 x", "0x1", "inf", ",", "1.000,5"}) {
        SCOPED_TRACE(std::string("\"") + t + "\"");
        EXPECT_FALSE(ParseLocaleReal(t));
        EXPECT_THROW(ReadLocaleReal(t), ConversionError);
    }
}

TEST(FloatTextTest, IntegerReader)
{
    struct Case {
        const char* text;
        long long value;
    };
    const Case cases[] = {
        {"0", 0},
        {"42", 42},
        {" -17 ", -17},
        {"+5", 5},
        {"007", 7},
        {"9223372036854775807", LLONG_MAX},
        {"-9223372036854775808", LLONG_MIN},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(ParseInteger(c.text), c.value);
        EXPECT_EQ(ReadInteger(c.text), c.value);
    }
    for (const char* t : {"", " ", "-", "+", "--5", "+-5", "-+5", "1.0", "1,0", "12a", "0x10", "1e3", "1 2",
                          "9223372036854775808"}) {
        SCOPED_TRACE(std::string("\"") + t + "\"");
        EXPECT_FALSE(ParseInteger(t));
        EXPECT_THROW(ReadInteger(t), ConversionError);
    }
}

TEST(FloatTextTest, GeneralTextIsShortest)
{
    struct Case {
        long double value;
        char separator;
        const char* text;
    };
    const Case cases[] = {
        {-1.0L, ',', "-1"},
        {5.5L, ',', "5,5"},
        {0.25L, ',', "0,25"},
        {0.0L, ',', "0"},
        {0.1L, ',', "0,1"},
        {1.0L / 3.0L, ',', "0,333333333333333"},
        {123456.75L, ',', "123456,75"},
        {2.5L, '.', "2.5"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(GeneralFloatText(c.value, c.separator), c.text);
    }
    EXPECT_EQ(GeneralFloatText(5.5L), "5,5");
}

} // namespace
