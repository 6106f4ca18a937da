#pragma once
// The three chart-summary fields of a stored subject, written at
// registration from the chart tables (BodyLongitude, BodyLatitude,
// HouseCusps). Each is a fixed-width text of digits and letters so that a
// stored subject can be compared with another without recomputing:
//
// ChartCode72 (72 characters): bodies 1..12 (Sun, Moon, Mercury..Pluto,
//   node, Black Moon), 6 characters each: sign 01..12, degree 00..29,
//   minute 00..59 ("011530" = 15°30' Aries).
// ChartCode60 (60 characters): house cusps 1..12, 5 characters each: sign
//   letter A (Aries) .. L (Pisces), degree 00..29, minute 00..59.
// ChartCode124 (124 characters): bodies 1..12, 8 characters each: "R"
//   retrograde or "D" direct, house 01..12 (cusps as above), latitude sign
//   "+"/"-" with degrees 00..89 and minutes 00..59; then bodies 15..18
//   (Ceres, Pallas, Juno, Vesta), 7 characters each: sign, degree, minute as
//   in ChartCode72 and "R"/"D".
// Minutes are truncated, never rounded, so a code never shows 30°00'.
// A field whose chart is not computed (any NaN among its values) is a
// single blank.
#include <string>

struct ChartCodes {
    std::string code72;
    std::string code60;
    std::string code124;
};

ChartCodes EncodeChartCodes(); // from the shared chart tables
