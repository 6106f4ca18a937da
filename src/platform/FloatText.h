#pragma once
// Number texts of the settings and data files.
//
// The default float text is the run-time's scientific form of an 80-bit
// extended value: a blank or a minus sign, one digit, a point, 14 digits,
// "E", the exponent's sign and 4 exponent digits (" 1.00000000000000E+0000").
// The fixed reader takes numbers with a decimal point (the standard number
// reader); the locale reader takes numbers with the Italian decimal comma.
#include <optional>
#include <string>
#include <string_view>

std::string DefaultFloatText(long double x);

// Standard number reader: optional blanks, sign, digits, "." fraction,
// "E" exponent; nothing may follow. Returns nothing on any other text.
std::optional<long double> ParseFixedReal(std::string_view text);

// Locale reader: like the fixed reader but with "," as decimal separator;
// surrounding blanks are ignored.
std::optional<long double> ParseLocaleReal(std::string_view text);

// Integer reader: optional blanks and sign, then decimal digits only.
std::optional<long long> ParseInteger(std::string_view text);

// Shortest general decimal text with 15 significant digits and the given
// decimal separator, no trailing zeros ("-1", "5,5", "0,25").
std::string GeneralFloatText(long double x, char decimalSeparator = ',');

// Throwing forms for the ordinary paths.
long double ReadFixedReal(std::string_view text);
long double ReadLocaleReal(std::string_view text);
long long ReadInteger(std::string_view text);
