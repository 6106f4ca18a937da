#pragma once
// The plant table of OpzioneS\DataStf.rnd consulted by planet and by sign:
// the plants ruled by a planet (or belonging to a sign) and, for one plant,
// the symptoms it treats with the part used, the active principles, the
// properties and the remedy made from it. Record 0 of the table is
// reserved; the entries are records 1 ...
#include "kb/KbRecords.h"

#include <string>
#include <string_view>
#include <vector>

// The planet words of the plant table's planet field, and the sign words.
const std::vector<std::string>& PlantPlanetWords();
const std::vector<std::string>& PlantSignWords();
inline constexpr const char* kAnyWord = "Qualsiasi";

// Every entry of the table (record 0 left out). Throws IoError when the
// table is missing, UserError when it is damaged.
std::vector<PlantTableRecord> ReadPlantEntries();

// Whether an entry's planet (bySign false) or sign field names the word:
// the word occurs in it (case-sensitive), the field says "Qualsiasi", or
// the word is "Qualsiasi".
bool PlantMatches(const PlantTableRecord& r, std::string_view word, bool bySign);
// The distinct plant names of the matching entries, in list order.
std::vector<std::string> PlantsFor(const std::vector<PlantTableRecord>& entries, std::string_view word, bool bySign);
// The matching entries of one plant, in table order.
std::vector<PlantTableRecord> EntriesOfPlant(const std::vector<PlantTableRecord>& entries, std::string_view plant,
                                             std::string_view word, bool bySign);
// The detail lines of one entry: the symptom, then part used, principles,
// properties and remedy, each with its label, the empty ones left out.
std::vector<std::string> PlantEntryLines(const PlantTableRecord& r);
