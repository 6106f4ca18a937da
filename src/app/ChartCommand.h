#pragma once
// quillon-tool chart [--jd JD --lat DEG --lon DEG] [--houses NAME]
//   [--node VERO|MEDIO] [--black-moon VERA|MEDIA]
// prints the chart of the program folder's current subject (TMPR record
// 0), or of the moment JD (universal time) at the place given (degrees,
// north and east positive), with the settings of FileSet\OrbiDomi.stt
// overridden by the options. Tab-separated lines, in this order:
//   jd <JD>
//   lst <local sidereal time, hours>
//   eot <equation of time, hours>
//   body <1..19> <longitude> <latitude> <right ascension> <declination> <R or ->
//   cusp <1..12> <longitude>
//   hour <1..12, 0 unknown> <D day, N night, - unknown> <ruler 1..7, 0 unknown>
// Degrees; numbers in plain decimal with 9 decimals. The chart is the one
// the chart window shows (ComputeCurrentSubjectChart, ComputeWholeChart).
#include <string>
#include <vector>

int RunChartCommand(const std::vector<std::string>& args);
extern const char* const kChartUsage;
