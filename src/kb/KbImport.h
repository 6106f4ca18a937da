#pragma once
// The authored sources of the knowledge base (data/kb/, format described in
// its LEGGIMI.txt) and their import into a program folder.
//
// Source files: Rimedi.txt, Repertorio.txt, Piante.txt, ElePiante.txt,
// Principi.txt, in UTF-8 or Windows-1252. Entries are blocks of
// "Campo: valore" lines separated by blank lines; "#" in the first column
// starts a comment line.
#include "kb/KbRecords.h"

#include <array>
#include <filesystem>
#include <string>
#include <vector>

struct KbSources {
    std::vector<RemedyRecord> remedies;      // one per remedy indication, in source order
    std::vector<RepertoryRecord> repertory;  // the entries, in source order
    std::vector<PlantTableRecord> plants;    // the plant-symptom pairs
    std::vector<std::string> plantNames;     // ElePiante.txt
    std::vector<std::array<std::string, 5>> principles; // at most 15
    std::vector<std::string> warnings;       // Italian, one per problem that does not stop the import
};

// Reads and checks every source file of the folder. Throws UserError naming
// the file and line of the first problem (unknown, repeated or missing
// field, text over its capacity, character outside Windows-1252), or
// IoError for a missing file.
KbSources ReadKbSources(const std::filesystem::path& folder);

// Writes the knowledge base into the program folder: OpzioneH\DBmain.rnd and
// OpzioneH\Repertorio.rnd (record 0 reserved), OpzioneH\Repertorio.txt,
// OpzioneS\DbTesto.Txt with DataStf.rnd, Sintomi.txt and Sintomi.rnd,
// OpzioneS\ElePiante.Txt with Piante.rnd, and Principi.txt.
void WriteKbSources(const KbSources& sources);

// ReadKbSources then WriteKbSources; nothing is written when the sources
// have an error. Returns the warnings.
std::vector<std::string> ImportKb(const std::filesystem::path& folder);

// The program's rebuild of the support archives from both primary files.
void RebuildKb();

// The headings written as record 0 of the plant table.
PlantTableRecord PlantTableHeadings();
