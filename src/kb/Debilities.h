#pragma once
// The astrological debilities: the pathologies of the therapy repertory
// whose remedies carry a chosen planetary and zodiacal signature, with those
// remedies. A remedy of the repertory is known by the first entry of
// DBmain.rnd with exactly its name; the planet word is looked for in the
// primary and the secondary planetary signature, the sign word in the
// zodiacal one (substrings, case-sensitive); "Qualsiasi" matches any.
#include "kb/KbRecords.h"

#include <string>
#include <string_view>
#include <vector>

struct DebilityRemedy {
    std::string name;
    std::string posology;  // of this pathology-remedy pair (repertory)
    std::string primary;   // planetary signatures and zodiacal one (DBmain.rnd)
    std::string secondary;
    std::string zodiac;
};

struct DebilityPathology {
    std::string pathology;
    std::vector<DebilityRemedy> remedies; // in repertory order, each name once
};

// Pathologies in list order.
std::vector<DebilityPathology> FindDebilities(const std::vector<RemedyRecord>& primary,
                                              const std::vector<RepertoryRecord>& repertory,
                                              std::string_view planet, std::string_view sign);
// The same on the files (each read once).
std::vector<DebilityPathology> FindDebilities(std::string_view planet, std::string_view sign);

// The list line of a pathology: its name and, in parentheses, how many
// remedies it has.
std::string DebilityListLine(const DebilityPathology& p);
// The detail lines of a pathology: per remedy its name, signatures and
// posology.
std::vector<std::string> DebilityDetailLines(const DebilityPathology& p);
