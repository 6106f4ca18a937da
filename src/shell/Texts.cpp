#include "shell/Texts.h"

#include "platform/FloatText.h"

#include <cmath>

namespace {

std::string_view DropTrailingBlanks(std::string_view s)
{
    while (!s.empty() && s.back() == ' ')
        s.remove_suffix(1);
    return s;
}

std::string_view DropLeadingBlanks(std::string_view s)
{
    while (!s.empty() && s.front() == ' ')
        s.remove_prefix(1);
    return s;
}

} // namespace

std::string Bounded(std::string s, std::size_t n)
{
    if (s.size() > n)
        s.resize(n);
    return s;
}

void UpperCaseInPlace(std::string& s)
{
    for (char& c : s)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
}

std::string RepeatChar(int n, char c)
{
    return n > 0 ? std::string(static_cast<std::size_t>(n), c) : std::string();
}

std::string TrimRightBlanks(std::string_view s)
{
    // Cut to the field length, then trimmed again so that the cut never
    // leaves a trailing blank.
    return std::string(DropTrailingBlanks(Bounded(std::string(DropTrailingBlanks(s)), 80)));
}

std::string TrimBlanks(std::string_view s)
{
    return std::string(DropTrailingBlanks(Bounded(std::string(DropTrailingBlanks(DropLeadingBlanks(s))), 80)));
}

std::string StripTrailingJunk(std::string_view s)
{
    auto allowed = [](char c) {
        if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == ')' || c == '.')
            return true;
        // à é è ù ò ì in Windows-1252.
        switch (static_cast<unsigned char>(c)) {
        case 0xE0: case 0xE9: case 0xE8: case 0xF9: case 0xF2: case 0xEC:
            return true;
        default:
            return false;
        }
    };
    for (int i = 0; i < 10 && !s.empty(); ++i)
        if (!allowed(s.back()))
            s.remove_suffix(1);
    return std::string(s);
}

std::string ZeroPad(long long n, int width)
{
    if (width > 5)
        width = 5;
    std::string s = std::to_string(n);
    if (static_cast<int>(s.size()) < width)
        s.insert(0, static_cast<std::size_t>(width) - s.size(), '0');
    return s;
}

std::string PointToComma(std::string_view s)
{
    std::string out = Bounded(std::string(s), 80);
    ReplaceChar(out, '.', ',');
    return out;
}

std::string CommaToPoint(std::string_view s)
{
    std::string out(s);
    ReplaceChar(out, ',', '.');
    return out;
}

std::string PlaceDisplay(std::string_view s)
{
    std::string out;
    bool firstStar = true;
    char previous = '\0';
    for (char c : s) {
        const char source = c;
        if (c == '*') {
            c = firstStar ? '(' : ')';
            firstStar = false;
        }
        if (!(source == ' ' && previous == ' '))
            out += c;
        previous = source;
    }
    return Bounded(std::move(out), 80);
}

std::string FixedDigits(int n, long double x)
{
    if (n <= 0)
        return {};
    const std::string text = DefaultFloatText(std::fabs(x));
    // " d.ddddddddddddddE+eeee"
    const std::size_t e = text.find('E');
    if (!std::isfinite(x) || e == std::string::npos || e < 2)
        return Bounded(std::string(DropLeadingBlanks(text)), static_cast<std::size_t>(n));
    std::string digits;
    for (std::size_t i = 0; i < e; ++i)
        if (text[i] >= '0' && text[i] <= '9')
            digits += text[i];
    const int exponent = static_cast<int>(ParseInteger(std::string_view(text).substr(e + 1)).value_or(0));
    std::string out;
    if (exponent < 0) {
        out = "0." + std::string(static_cast<std::size_t>(-exponent - 1), '0') + digits;
    } else {
        const std::size_t whole = static_cast<std::size_t>(exponent) + 1;
        if (digits.size() <= whole)
            out = digits + std::string(whole - digits.size(), '0');
        else
            out = digits.substr(0, whole) + "." + digits.substr(whole);
    }
    return Bounded(std::move(out), static_cast<std::size_t>(n));
}

void ReplaceChar(std::string& s, char from, char to)
{
    for (char& c : s)
        if (c == from)
            c = to;
}
