#pragma once
// quillon-tool regime --place NAME --date dd/mm/yyyy --time hh:mm [--foreign]
// prints the correction in force at that local clock reading: the hours the
// local clock is ahead of universal time (decimal point), a blank, the
// regime code ("2 CEST"). The place is the first of the Italian gazetteer
// with that name, or of the foreign one when the Italian has none
// (--foreign: only the foreign one). Same code as the input window.
#include <string>
#include <vector>

int RunRegimeCommand(const std::vector<std::string>& args);
extern const char* const kRegimeUsage;
