// Elemental, seasonal and humoral distribution of the seven planets.
#include "astro/Distributions.h"

#include <gtest/gtest.h>

#include <limits>
#include <numeric>

namespace {

std::array<long double, 25> Chart(std::initializer_list<long double> planets)
{
    std::array<long double, 25> t;
    t.fill(std::numeric_limits<long double>::quiet_NaN());
    int body = 1;
    for (long double lon : planets)
        t[static_cast<std::size_t>(body++)] = lon;
    return t;
}

int Sum(const Grid& g)
{
    int s = 0;
    for (int r = 0; r < 3; ++r)
        s += g.RowTotal(r);
    return s;
}

TEST(DistributionsTest, AllSevenInAries)
{
    const auto t = Chart({1, 5, 10, 15, 20, 25, 29.9L});
    const Distribution d = ComputeDistribution(t.data());
    EXPECT_EQ(d.elemental.cells[0][0], 7); // salt, fire
    EXPECT_EQ(d.elemental.RowTotal(0), 7);
    EXPECT_EQ(d.elemental.ColumnTotal(0), 7);
    EXPECT_EQ(d.elemental.RowTotal(1) + d.elemental.RowTotal(2), 0);
    EXPECT_EQ(d.elementalHumours.fire, 7);
    EXPECT_EQ(d.elementalHumours.Hot(), 7);
    EXPECT_EQ(d.elementalHumours.Dry(), 7);
    EXPECT_EQ(d.elementalHumours.Moist(), 0);
    EXPECT_EQ(d.elementalHumours.Cold(), 0);
    EXPECT_EQ(d.seasonal.cells[0][0], 7); // cardinal, spring
    EXPECT_EQ(d.seasonalHumours.air, 7);
    EXPECT_EQ(d.seasonalHumours.Hot(), 7);
    EXPECT_EQ(d.seasonalHumours.Moist(), 7);
}

TEST(DistributionsTest, ExactlyThirtyDegreesIsTaurus)
{
    const auto t = Chart({30, 30, 30, 30, 30, 30, 30});
    const Distribution d = ComputeDistribution(t.data());
    EXPECT_EQ(d.elemental.cells[0][1], 7);  // salt, earth
    EXPECT_EQ(d.seasonal.cells[1][0], 7);   // fixed, spring
    EXPECT_EQ(d.seasonalHumours.air, 7);    // Taurus is a spring sign
}

TEST(DistributionsTest, SpreadChartSumsToSevenAndFourteen)
{
    // Sun in Leo, Moon in Scorpio retrograde-marked, Mercury in Virgo, Venus
    // in Cancer, Mars in Capricorn, Jupiter in Gemini, Saturn in Pisces.
    const auto t = Chart({130, -220, 160, 100, 280, 70, 350});
    const Distribution d = ComputeDistribution(t.data());
    EXPECT_EQ(Sum(d.elemental), 7);
    EXPECT_EQ(Sum(d.seasonal), 7);
    for (const Humours& h : {d.elementalHumours, d.seasonalHumours}) {
        EXPECT_EQ(h.air + h.fire + h.earth + h.water, 7);
        EXPECT_EQ(h.Hot() + h.Moist() + h.Cold() + h.Dry(), 14);
    }
    EXPECT_EQ(d.elemental.cells[1][3], 1) << "Scorpio: sulphur, water (retrograde mark ignored)";
    EXPECT_EQ(d.elemental.cells[2][3], 1) << "Pisces: mercury, water";
    EXPECT_EQ(d.elementalHumours.water, 3) << "Cancer, Scorpio, Pisces";
    EXPECT_EQ(d.seasonal.cells[0][3], 1) << "Capricorn: cardinal, winter";
    EXPECT_EQ(d.seasonalHumours.fire, 3) << "Cancer, Leo, Virgo are summer signs";
}

TEST(DistributionsTest, UncomputedPlanetsCountNowhere)
{
    const auto t = Chart({10, 40});
    const Distribution d = ComputeDistribution(t.data());
    EXPECT_EQ(Sum(d.elemental), 2);
    EXPECT_EQ(d.elementalHumours.Hot() + d.elementalHumours.Moist() + d.elementalHumours.Cold() +
                  d.elementalHumours.Dry(),
              4);
}

} // namespace
