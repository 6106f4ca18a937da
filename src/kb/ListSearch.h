#pragma once
// The incremental search of the knowledge-base windows (symptoms, remedies,
// therapies, signatures, multiple symptoms, composite therapies): the text
// typed in the search box, key by key, and the list line it selects.
#include <string>
#include <string_view>
#include <vector>

// A key typed in a search box: Enter leaves the text, the deletion key
// (code 8) removes the last character, any other character is appended,
// upper-cased when `upperAll` or when the text was empty.
void TypeSearchKey(std::string& text, char key, bool upperAll);

// The line the search selects: the first item, in list order, that begins
// with the typed text without regard to case and accents ("ins" finds
// "Insonnia", "ere" finds "Erba" and "Èra" alike, as the lists are sorted).
// When no item begins with it, the first item that sorts after it (the
// last item when it sorts after them all), so the list shows where the
// text would stand. -1 for an empty list; an empty text selects the first
// item.
int FindListPrefix(const std::vector<std::string>& items, std::string_view text);
