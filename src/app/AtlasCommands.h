#pragma once
// quillon-tool atlas: the place gazetteers without a screen, through the
// same search as the birth-data input window.
//
//   atlas find PREFIX [--foreign] [--limit N]
//       the places whose name begins with PREFIX (without regard to letter
//       case), from Localita\ITALIA.LOC and then Localita\ESTERO.LOC (only
//       the foreign one with --foreign), at most N in all (default 50).
//
// A place line is tab-separated: the name as shown ("Roma(RM)"), the
// coordinate text ("41N54 012E31"), the state or province, the zone key:
// the regime file of an Italian place ("00390000.CAL"), or the key of a
// foreign zone in Calendar\Elencal.002 followed by a tab and its IANA name
// ("TZ000154.CAL<TAB>America/New_York"). Exit status 1 when nothing
// matches.
#include <string>
#include <vector>

int RunAtlasCommand(const std::vector<std::string>& args);

// The help line of the command table.
extern const char* const kAtlasUsage;
