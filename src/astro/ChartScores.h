#pragma once
// Scores of the master-planet report ("Secondo Marbeck"): seven integer
// scores for each of the twelve chart points (bodies 1..10 Sun..Pluto, 11
// Ascendant, 12 Midheaven) and their sum.
//
// The tables follow the traditional scheme of essential and accidental
// dignities as William Lilly tabulates it ("Christian Astrology", 1647,
// book I, the table of fortitudes and debilities), with the classical
// rulerships, exaltations, planetary joys and the sex of planets and signs
// (Ptolemy, "Tetrabiblos" I.6-7, I.12-20). Where tradition says nothing
// (the three outer planets, the two angles) the modern rulerships are used
// and every other score is 0. Every table is in ChartScores.cpp, in one
// place, each with the rule it encodes.
#include <array>
#include <string>

inline constexpr int kScorePoints = 12;    // SOL .. PLU, ASC, MC
inline constexpr int kScoreSections = 7;

// Inputs: the sign 1..12 of each point, its house 1..12, the rising sign
// (already moved to the next sign when the Ascendant lies in the last 3
// degrees of its own) and the daily motion of the bodies in degrees per
// day (negative retrograde; ignored for the two angles).
struct ScoreInput {
    std::array<int, kScorePoints> Sign {};          // 1..12
    std::array<int, kScorePoints> House {};         // 1..12
    int RisingSign = 1;                             // 1..12
    std::array<long double, kScorePoints> Speed {}; // degrees per day
};

struct ScoreTable {
    // [section 0..6][point 0..11], in the order of the report's sections.
    std::array<std::array<int, kScorePoints>, kScoreSections> Section {};
    std::array<int, kScorePoints> Total {}; // sum of the seven sections
};

ScoreTable ComputeScores(const ScoreInput& in);

// The section titles as the report writes them.
extern const std::array<const char*, kScoreSections> kScoreSectionTitles;
// Essential dignity of body 1..10 in sign 1..12: +5 domicile, +4
// exaltation, -5 detriment, -4 fall, 0 otherwise.
int EssentialDignity(int body, int sign);
