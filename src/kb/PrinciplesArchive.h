#pragma once
// The archive of the curative principles, Principi.sto in the program
// folder: 15 records of 205 bytes, five text fields of capacity 40 each
// (principle, chemical class, planet, action, plants), generated from the
// text Principi.txt, five lines a record.
#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

inline constexpr const char* kPrinciplesArchiveFile = "Principi.sto";
inline constexpr std::size_t kPrincipleRecordSize = 205;
inline constexpr std::size_t kPrincipleRecordCount = 15;
inline constexpr std::size_t kPrincipleFieldCapacity = 40;

using PrincipleRecord = std::array<std::string, 5>;

std::string EncodePrinciple(const PrincipleRecord& r);
PrincipleRecord DecodePrinciple(std::string_view bytes);

// The 15 records from the lines of Principi.txt: record i takes lines
// 5i+1 .. 5i+5, each cut to 40 characters, the second upper-cased; lines
// past the end of the text are empty.
std::vector<PrincipleRecord> PrinciplesFromLines(const std::vector<std::string>& lines);

// Reads Principi.txt (IoError when it cannot be read) and replaces
// Principi.sto with its 15 records.
void BuildPrinciplesArchive();
std::vector<PrincipleRecord> ReadPrinciplesArchive();
