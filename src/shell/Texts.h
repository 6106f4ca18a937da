#pragma once
// Text helpers. All texts are Windows-1252; "text[n]" arguments and results
// are cut to n characters.
#include <string>
#include <string_view>

std::string Bounded(std::string s, std::size_t n);      // text[n]: cut to n characters
void UpperCaseInPlace(std::string& s);                    // ASCII rule
std::string RepeatChar(int n, char c);                    // n copies of c ("" for n <= 0)
std::string TrimRightBlanks(std::string_view s);          // text[80], trailing blanks removed
std::string TrimBlanks(std::string_view s);               // text[80], both ends
// Up to 10 times: drops the last character when it is not a letter, a digit,
// ")", "." or one of à é è ù ò ì.
std::string StripTrailingJunk(std::string_view s);
std::string ZeroPad(long long n, int width);              // at most 5 characters of padding width
std::string PointToComma(std::string_view s);             // text[80]
std::string CommaToPoint(std::string_view s);
// First "*" -> "(", later "*" -> ")", a blank after a blank dropped.
std::string PlaceDisplay(std::string_view s);             // text[80]
// Digits of |x| in plain decimal notation (point placed from the exponent of
// the default float text, leading zeros for negative exponents), cut to n
// characters; never a sign. FixedDigits(7, 2461383.5) = "2461383".
std::string FixedDigits(int n, long double x);
void ReplaceChar(std::string& s, char from, char to);
