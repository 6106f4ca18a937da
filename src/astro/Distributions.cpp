#include "astro/Distributions.h"

#include "core/Angles.h"
#include "shell/SharedState.h"

#include <cmath>
#include <cstring>

namespace {
constexpr SignKinds kSigns[12] = {
    {"FS", "F", "CA", "A"}, {"TS", "T", "FA", "A"}, {"AS", "A", "MA", "A"}, {"WS", "W", "CF", "F"},
    {"FZ", "F", "FF", "F"}, {"TZ", "T", "MF", "F"}, {"AZ", "A", "CT", "T"}, {"WZ", "W", "FT", "T"},
    {"FM", "F", "MT", "T"}, {"TM", "T", "CW", "W"}, {"AM", "A", "FW", "W"}, {"WM", "W", "MW", "W"},
};

// The grids' counter orders: elemental by principle then element, seasonal
// by quality then season.
constexpr const char* kElementalOrder[12] = {"FS", "TS", "AS", "WS", "FZ", "TZ", "AZ", "WZ", "FM", "TM", "AM", "WM"};
constexpr const char* kSeasonalOrder[12] = {"CA", "CF", "CT", "CW", "FA", "FF", "FT", "FW", "MA", "MF", "MT", "MW"};

void Count(Grid& grid, const char* const order[12], const char* code)
{
    for (int i = 0; i < 12; ++i)
        if (std::strcmp(order[i], code) == 0)
            ++grid.cells[static_cast<std::size_t>(i / 4)][static_cast<std::size_t>(i % 4)];
}

void Count(Humours& h, const char* element)
{
    switch (element[0]) {
    case 'A': ++h.air; break;
    case 'F': ++h.fire; break;
    case 'T': ++h.earth; break;
    case 'W': ++h.water; break;
    default: break;
    }
}
} // namespace

const SignKinds& SignKindsOf(int sign)
{
    return kSigns[(sign >= 1 && sign <= 12 ? sign : 1) - 1];
}

int Grid::RowTotal(int row) const
{
    int t = 0;
    for (int c : cells[static_cast<std::size_t>(row)])
        t += c;
    return t;
}

int Grid::ColumnTotal(int column) const
{
    int t = 0;
    for (const auto& row : cells)
        t += row[static_cast<std::size_t>(column)];
    return t;
}

Distribution ComputeDistribution(const long double* longitudes)
{
    Distribution d;
    for (int body = 1; body <= 7; ++body) {
        const long double lon = std::fabs(longitudes[body]);
        if (std::isnan(lon))
            continue;
        const SignKinds& k = SignKindsOf(SignNumber(Norm360(lon)));
        Count(d.elemental, kElementalOrder, k.elemental);
        Count(d.seasonal, kSeasonalOrder, k.seasonal);
        Count(d.elementalHumours, k.element);
        Count(d.seasonalHumours, k.seasonElement);
    }
    return d;
}

Distribution ComputeDistribution()
{
    return ComputeDistribution(BodyLongitude.data());
}
