#pragma once
// quillon-tool archive: the subject archives without a screen, through the
// same archive code as the recall and registration windows.
//
//   archive list [A]        the archives, or the subjects of A in index order
//   archive add A --name N --date dd/mm/yyyy --time hh:mm --zone Z
//               --coords "45N28 009E11" --place P [--nation S]
//               [--calendar GR|GI] [--notes L1 L2 L3 L4]
//   archive import A FILE.csv
//   archive recall A PREFIX
//   archive delete A NAME
//
// A subject line is tab-separated: name, ST2 number (5 digits), date key,
// coordinates, place (as stored), calendar.
#include <string>
#include <vector>

int RunArchiveCommand(const std::vector<std::string>& args);

// The help line of the command table.
extern const char* const kArchiveUsage;
