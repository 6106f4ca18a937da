// Angles in long double: reductions, trigonometry in degrees, signs, decans,
// separations and the house of a body, with the values a practitioner
// checks by hand.
#include "core/Angles.h"

#include <gtest/gtest.h>

#include <cmath>
#include <iterator>
#include <limits>
#include <vector>

namespace {

constexpr long double kNaN = std::numeric_limits<long double>::quiet_NaN();
constexpr long double kInf = std::numeric_limits<long double>::infinity();

enum Sign { Aries = 1, Pisces = 12 };

// Reduction of longitudes: every rule of the chart relies on 0 <= lon < 360.
TEST(Angles, ReducesOutOfRangeAndRejectsNonFinite)
{
    EXPECT_DOUBLE_EQ(Norm360(370), 10);
    EXPECT_DOUBLE_EQ(Norm360(-10), 350);
    EXPECT_DOUBLE_EQ(Norm360(720), 0);
    // A tiny negative value must not come out as 360 itself (sign 13).
    EXPECT_DOUBLE_EQ(Norm360(-1e-20), 0);
    EXPECT_EQ(SignNumber(-1e-20), Aries);
    EXPECT_EQ(SignNumber(-0.001), Pisces);
    EXPECT_EQ(SignNumber(359.9999999), Pisces);
    EXPECT_TRUE(std::isnan(Norm360(kNaN)));
    EXPECT_TRUE(std::isnan(Norm360(kInf)));
    EXPECT_EQ(SignNumber(kNaN), 0);
    EXPECT_TRUE(std::isnan(DegreesInSign(-kInf)));
    EXPECT_DOUBLE_EQ(Separation(350, 10), 20);
    EXPECT_DOUBLE_EQ(Separation(10, 190), 180);
    // In long double: a hundredth of a picodegree past a turn survives the
    // reduction, where double would round it to the turn itself.
    EXPECT_NEAR(static_cast<double>(Norm360(360 + 1e-14L)), 1e-14, 1e-16);
    EXPECT_NEAR(static_cast<double>(Separation(1e-14L, -1e-14L)), 2e-14, 1e-16);
}

TEST(Angles, ReductionsAndTrigonometryInDegrees)
{
    struct Case {
        const char* name;
        long double actual, expected;
    } cases[] = {
        {"Norm360 keeps a value in range", Norm360(123.5L), 123.5L},
        {"Norm360 of more than a turn", Norm360(725), 5},
        {"Norm360 of a negative value", Norm360(-30), 330},
        {"Norm360 of minus two turns", Norm360(-720), 0},
        {"Norm360 of a full turn", Norm360(360), 0},
        {"Mod30 of a negative value", Mod30(-5), 25},
        {"Mod30", Mod30(65.5L), 5.5L},
        {"SinDeg", SinDeg(30), 0.5L},
        {"CosDeg", CosDeg(60), 0.5L},
        {"TanDeg", TanDeg(45), 1},
        {"ArcSinRad", ArcSinRad(0.5L), kPi / 6},
        {"ArcSinRad of 1", ArcSinRad(1), kPi / 2},
        {"ArcCosRad", ArcCosRad(0.5L), kPi / 3},
        {"ArcCosRad of a negative value is negative", ArcCosRad(-0.5L), -kPi / 3},
        {"RadToDeg", RadToDeg(kPi / 4), 45},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_NEAR(static_cast<double>(c.actual), static_cast<double>(c.expected), 1e-15);
    }
}

TEST(Angles, SignNumbers)
{
    EXPECT_EQ(SignNumber(0), 1);
    EXPECT_EQ(SignNumber(29.999L), 1);
    EXPECT_EQ(SignNumber(30), 2);
    EXPECT_EQ(SignNumber(359.9L), 12);

    const long double table[] = {0, 45, 100, 359.5L, 200};
    EXPECT_EQ(SignNumbers(4, table), (std::vector<int> {1, 2, 4, 12}));
    EXPECT_EQ(SignNumbers(2, &table[2]), (std::vector<int> {4, 12}));
    EXPECT_TRUE(SignNumbers(0, table).empty());
}

// Unequal houses whose tenth house runs through 0°.
class HouseOfBodiesTest : public ::testing::Test {
protected:
    //                        unused  1    2    3    4    5    6    7    8    9   10  11  12
    const long double cusps[13] = {999, 100, 125, 152, 190, 225, 255, 280, 305, 332, 10, 45, 75};
};

TEST_F(HouseOfBodiesTest, FindsTheHouseOfEachBody)
{
    struct Case {
        const char* name;
        long double body;
        int house;
    } cases[] = {
        {"inside house 1", 110, 1},
        {"inside house 4", 200, 4},
        {"house 9 before 0°", 350, 9},
        {"house 9 at 0°", 0, 9},
        {"house 9 after 0°", 5, 9},
        {"house 10 after the wrap", 20, 10},
        {"house 12 up to the ascendant", 99.9L, 12},
        {"on cusp 4", 190, 4},
        {"on cusp 10 across 0°", 10, 10},
        {"on cusp 12", 75, 12},
        {"retrograde body by its absolute value", -200, 4},
        {"retrograde on cusp 7", -280, 7},
        // The twelfth house is tried last and ends at cusp 1: a body on the
        // ascendant still belongs to the first house.
        {"on cusp 1", 100, 1},
    };
    long double bodies[std::size(cases)];
    for (std::size_t i = 0; i < std::size(cases); ++i)
        bodies[i] = cases[i].body;
    const std::vector<int> houses = HouseOfBodies(static_cast<int>(std::size(cases)), bodies, cusps);
    ASSERT_EQ(houses.size(), std::size(cases));
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE(cases[i].name);
        EXPECT_EQ(houses[i], cases[i].house);
    }
}

TEST_F(HouseOfBodiesTest, LeavesTheCuspTableAlone)
{
    const long double body = 110;
    EXPECT_TRUE(HouseOfBodies(0, &body, cusps).empty());
    EXPECT_EQ(HouseOfBodies(1, &body, cusps), std::vector<int> {1});
    EXPECT_EQ(cusps[0], 999);
}

} // namespace
