#include "platform/FloatText.h"

#include "platform/Errors.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace {

std::string_view TrimBlanks(std::string_view s)
{
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t'))
        s.remove_suffix(1);
    return s;
}

// Checks the decimal number grammar with the given separator and converts it.
// Only digits, one separator, a sign and an exponent are accepted: no hex,
// no "inf"/"nan", nothing trailing.
std::optional<long double> ParseReal(std::string_view s, char sep, bool trimTrailing)
{
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    if (trimTrailing)
        s = TrimBlanks(s);
    std::string canon;
    std::size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        if (s[i] == '-')
            canon += '-';
        ++i;
    }
    std::size_t digits = 0;
    while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i]))) {
        canon += s[i++];
        ++digits;
    }
    if (i < s.size() && s[i] == sep) {
        canon += '.';
        ++i;
        while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i]))) {
            canon += s[i++];
            ++digits;
        }
    }
    if (digits == 0)
        return std::nullopt;
    if (i < s.size() && (s[i] == 'E' || s[i] == 'e')) {
        canon += 'e';
        ++i;
        if (i < s.size() && (s[i] == '+' || s[i] == '-'))
            canon += s[i++];
        std::size_t expDigits = 0;
        while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i]))) {
            canon += s[i++];
            ++expDigits;
        }
        if (expDigits == 0)
            return std::nullopt;
    }
    if (i != s.size())
        return std::nullopt;
    long double value = 0;
    const char* first = canon.data(); // from_chars takes the minus sign itself
    auto [ptr, ec] = std::from_chars(first, first + canon.size(), value, std::chars_format::general);
    if (ec != std::errc() || ptr != first + canon.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

} // namespace

std::string DefaultFloatText(long double x)
{
    if (!std::isfinite(x)) {
        // The run-time writes these as words; keep the same width.
        std::string w = std::isnan(x) ? "Nan" : (x > 0 ? "+Inf" : "-Inf");
        return std::string(23 - w.size(), ' ') + w;
    }
    char buf[64];
    auto [ptr, ec] = std::to_chars(buf, buf + sizeof buf, x, std::chars_format::scientific, 14);
    std::string s(buf, ptr);
    // s is like "-1.00000000000000e+00" or "2.46138350000000e+06".
    std::size_t e = s.find('e');
    std::string mantissa = s.substr(0, e);
    char expSign = s[e + 1];
    int expValue = std::atoi(s.c_str() + e + 2);
    char expText[8];
    std::snprintf(expText, sizeof expText, "%04d", expValue);
    std::string out;
    if (mantissa[0] == '-')
        out = mantissa;
    else
        out = " " + mantissa;
    out += 'E';
    out += expSign;
    out += expText;
    return out;
}

std::optional<long double> ParseFixedReal(std::string_view text)
{
    return ParseReal(text, '.', false);
}

std::optional<long double> ParseLocaleReal(std::string_view text)
{
    return ParseReal(text, ',', true);
}

std::optional<long long> ParseInteger(std::string_view s)
{
    s = TrimBlanks(s);
    std::size_t i = 0;
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        negative = s[i] == '-';
        ++i;
    }
    if (i == s.size() || !std::isdigit(static_cast<unsigned char>(s[i])))
        return std::nullopt;
    // The minus sign goes to from_chars with the digits, so the most
    // negative value is read too.
    long long value = 0;
    auto [ptr, ec] = std::from_chars(s.data() + (negative ? i - 1 : i), s.data() + s.size(), value);
    if (ec != std::errc() || ptr != s.data() + s.size())
        return std::nullopt;
    return value;
}

std::string GeneralFloatText(long double x, char decimalSeparator)
{
    if (x == 0)
        return "0";
    char buf[64];
    auto [ptr, ec] = std::to_chars(buf, buf + sizeof buf, x, std::chars_format::general, 15);
    std::string s(buf, ptr);
    for (char& c : s) {
        if (c == '.')
            c = decimalSeparator;
        else if (c == 'e')
            c = 'E';
    }
    return s;
}

long double ReadFixedReal(std::string_view text)
{
    if (auto v = ParseFixedReal(text))
        return *v;
    throw ConversionError(std::string(text), "non è un numero valido");
}

long double ReadLocaleReal(std::string_view text)
{
    if (auto v = ParseLocaleReal(text))
        return *v;
    throw ConversionError(std::string(text), "non è un numero valido");
}

long long ReadInteger(std::string_view text)
{
    if (auto v = ParseInteger(text))
        return *v;
    throw ConversionError(std::string(text), "non è un numero intero valido");
}
