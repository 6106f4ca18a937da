#pragma once
// Windows-1252 at the byte level. The program keeps every text as
// Windows-1252 bytes in std::string; these functions translate at the edges
// (terminal output of the command-line tool, text files written in UTF-8 by
// another program). The QString conversion is in Cp1252Q.h.
#include <string>
#include <string_view>

namespace Cp1252 {

// Unicode code point of a Windows-1252 byte (the five unassigned bytes
// 0x81 0x8D 0x8F 0x90 0x9D map to the C1 controls of the same value).
char32_t ToUnicode(unsigned char byte);

// Windows-1252 byte of a code point, or -1 when the code point has none.
int FromUnicode(char32_t cp);

std::string ToUtf8(std::string_view cp1252);

// Code points without a Windows-1252 byte become '?'.
std::string FromUtf8(std::string_view utf8);

// True when the bytes hold at least one multi-byte UTF-8 sequence and are
// valid UTF-8 throughout: such a text was written by a UTF-8 editor.
bool LooksLikeUtf8(std::string_view bytes);

} // namespace Cp1252
