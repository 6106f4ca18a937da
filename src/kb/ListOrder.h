#pragma once
// The order of every sorted list of the knowledge base (support archives,
// editor and consultation lists), defined once.
//
// Case-insensitive list order on Windows-1252 texts, compared character by
// character:
//  1. primary weight: a letter counts as its base letter without case or
//     accent ("à", "À" and "A" weigh as "a"; "ç" as "c", "ñ" as "n"); digits
//     come after every other non-letter character and before the letters;
//     the other characters weigh by their byte value, the blank first; a
//     text that is the beginning of a longer one comes first;
//  2. among texts of equal primary weight, the unaccented letter before the
//     accented one (lower-case comparison of the accented letters);
//  3. last, the plain byte values, so that the order is total and two runs
//     always give the same list ("MSA Melissa" and "MSA melissa" are
//     distinct and keep a fixed order).
#include <string>
#include <string_view>
#include <vector>

// <0, 0 or >0 as a sorts before, with or after b.
int CompareListText(std::string_view a, std::string_view b);
inline bool ListLess(std::string_view a, std::string_view b) { return CompareListText(a, b) < 0; }
// Sorts in list order (equal texts stay together).
void SortList(std::vector<std::string>& items);

// Upper and lower case of Windows-1252 texts, accented letters included
// ("è" <-> "È", "œ" <-> "Œ", "ÿ" <-> "Ÿ").
std::string UpperCase1252(std::string_view s);
std::string LowerCase1252(std::string_view s);

// ---- Incremental search of the sorted lists -------------------------------------

// A key typed in a search box: Enter (13 or 10) leaves the text, the
// deletion key (8) removes the last character, any other character is
// appended, upper-cased when `upperAll` or when the text was empty.
void TypeSearchKey(std::string& text, char key, bool upperAll);
// The index the bisection over a sorted list lands on for a search text of
// length L: 100 halvings from the middle, on the order of the first L
// characters of an item against the text, byte by byte (upper-cased first
// when `upperHeads`). The upper bound starts at `hi` (count or count - 1);
// -1 for an empty list.
int BisectHeads(const std::vector<std::string>& items, std::string_view text, std::size_t hi, bool upperHeads);
