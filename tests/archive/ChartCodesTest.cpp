// The chart-summary codes stored at registration, from a chart whose every
// position is known, and the blank fields of a chart not computed.
#include "archive/ChartCodes.h"
#include "shell/SharedState.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

constexpr long double kNaN = std::numeric_limits<long double>::quiet_NaN();

class ChartCodesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        BodyLongitude.fill(kNaN);
        BodyLatitude.fill(kNaN);
        HouseCusps.fill(kNaN);
        // Bodies 1..12: longitude (negative = retrograde) and latitude.
        const long double bodies[12][2] = {
            {15.5L, 0},          // 01 15°30' Aries, house 1
            {29.9999999L, 5},    // 01 29°59': truncated, never 30°00'
            {45.25L, -2.25L},    // 02 15°15' Taurus, house 2
            {-100.75L, 1.5L},    // retrograde 04 10°45' Cancer, house 4
            {180, 0.999L},       // 07 00°00' Libra, house 6; latitude 0°59'
            {200.5L, -0.5L},     // 07 20°30', house 7
            {359.999L, 2},       // 12 29°59' Pisces, house 12
            {5, 0},              // 01 05°00', house 12 (before cusp 1)
            {-250, 10.25L},      // retrograde 09 10°00', house 8 (just before cusp 9)
            {300.25L, -15.75L},  // 11 00°15', house 10
            {123, 0},            // 05 03°00', house 4
            {333.5L, 3.5L},      // 12 03°30', house 11
        };
        for (int b = 0; b < 12; ++b) {
            BodyLongitude[static_cast<std::size_t>(b + 1)] = bodies[b][0];
            BodyLatitude[static_cast<std::size_t>(b + 1)] = bodies[b][1];
        }
        // Cusps every 30° from 10°30' Aries.
        for (int c = 1; c <= 12; ++c)
            HouseCusps[static_cast<std::size_t>(c)] = 10.5L + 30 * (c - 1);
        BodyLongitude[15] = 10;      // Ceres 01 10°00'
        BodyLongitude[16] = -61.5L;  // Pallas retrograde 03 01°30'
        BodyLongitude[17] = 95.75L;  // Juno 04 05°45'
        BodyLongitude[18] = 275;     // Vesta 10 05°00'
    }
};

const std::string kCode72 = "011530" "012959" "021515" "041045" "070000" "072030"
                            "122959" "010500" "091000" "110015" "050300" "120330";
const std::string kCode60 = "A1030" "B1030" "C1030" "D1030" "E1030" "F1030"
                            "G1030" "H1030" "I1030" "J1030" "K1030" "L1030";
const std::string kCode124 = "D01+0000" "D01+0500" "D02-0215" "R04+0130" "D06+0059" "D07-0030"
                             "D12+0200" "D12+0000" "R08+1015" "D10-1545" "D04+0000" "D11+0330"
                             "011000D" "030130R" "040545D" "100500D";

TEST_F(ChartCodesTest, EncodesBodiesCuspsHousesLatitudesAndAsteroids)
{
    ASSERT_EQ(kCode72.size(), 72u);
    ASSERT_EQ(kCode60.size(), 60u);
    ASSERT_EQ(kCode124.size(), 124u);
    const ChartCodes codes = EncodeChartCodes();
    EXPECT_EQ(codes.code72, kCode72);
    EXPECT_EQ(codes.code60, kCode60);
    EXPECT_EQ(codes.code124, kCode124);
}

TEST_F(ChartCodesTest, AFieldWithAnyValueNotComputedIsOneBlank)
{
    struct Case {
        const char* label;
        long double* value;
        bool blank72, blank60, blank124;
    };
    const Case cases[] = {
        {"Black Moon longitude", &BodyLongitude[12], true, false, true},
        {"cusp 7", &HouseCusps[7], false, true, true},
        {"Moon latitude", &BodyLatitude[2], false, false, true},
        {"Vesta", &BodyLongitude[18], false, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        const long double kept = *c.value;
        *c.value = kNaN;
        const ChartCodes codes = EncodeChartCodes();
        EXPECT_EQ(codes.code72, c.blank72 ? " " : kCode72);
        EXPECT_EQ(codes.code60, c.blank60 ? " " : kCode60);
        EXPECT_EQ(codes.code124, c.blank124 ? " " : kCode124);
        *c.value = kept;
    }
    // Bodies 13, 14 and 19 onwards are not part of any code.
    BodyLongitude[13] = BodyLongitude[19] = kNaN;
    EXPECT_EQ(EncodeChartCodes().code124, kCode124);

    ClearSharedState();
    const ChartCodes none = EncodeChartCodes();
    EXPECT_EQ(none.code72, " ");
    EXPECT_EQ(none.code60, " ");
    EXPECT_EQ(none.code124, " ");
}

} // namespace
