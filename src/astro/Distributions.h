#pragma once
// Elemental, seasonal and humoral distribution of the seven classical
// planets (Sun to Saturn, body indices 1..7): in which kinds of sign they
// stand. Each planet counts once in every grid, so each grid sums to 7 and
// the four humoral qualities to 14 (every element has two qualities).
#include <array>
#include <string>

// Per sign 1..12: elemental code ("FS": fire, salt), element ("F"),
// seasonal code ("CA": cardinal, spring), element of the season ("A").
struct SignKinds {
    const char* elemental;
    const char* element;
    const char* seasonal;
    const char* seasonElement;
};
const SignKinds& SignKindsOf(int sign); // 1..12

// A 3 x 4 grid: rows salt, sulphur, mercury (elemental) or cardinal, fixed,
// mutable (seasonal); columns fire, earth, air, water (elemental) or spring,
// summer, autumn, winter (seasonal).
struct Grid {
    std::array<std::array<int, 4>, 3> cells {};
    int RowTotal(int row) const;
    int ColumnTotal(int column) const;
};

// Element counters in the order of the humoral page's rows and the four
// qualities derived from them.
struct Humours {
    int air = 0, fire = 0, earth = 0, water = 0;
    int Hot() const { return air + fire; }
    int Moist() const { return air + water; }
    int Cold() const { return water + earth; }
    int Dry() const { return fire + earth; }
};

struct Distribution {
    Grid elemental;
    Grid seasonal;
    Humours elementalHumours;
    Humours seasonalHumours;
};

// From a longitude table indexed by body number (1..7 used; negative values
// mark retrograde bodies and count by their absolute value). A planet whose
// longitude is not computed (NaN) counts nowhere.
Distribution ComputeDistribution(const long double* longitudes);
// From the shared BodyLongitude table.
Distribution ComputeDistribution();
