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

// The beginning of `text` (as many characters as `prefix` has) compared
// with `prefix` by the primary weight of the list order, that is without
// regard to case and accents: <0, 0 or >0 as that beginning sorts before,
// with or after the prefix. 0 means that `text` begins with `prefix`.
int ComparePrefixListText(std::string_view text, std::string_view prefix);
inline bool BeginsWithListText(std::string_view text, std::string_view prefix)
{
    return ComparePrefixListText(text, prefix) == 0;
}

// Upper and lower case of Windows-1252 texts, accented letters included
// ("è" <-> "È", "œ" <-> "Œ", "ÿ" <-> "Ÿ").
std::string UpperCase1252(std::string_view s);
std::string LowerCase1252(std::string_view s);
