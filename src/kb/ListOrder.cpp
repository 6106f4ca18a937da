#include "kb/ListOrder.h"

#include <algorithm>
#include <array>

namespace {

unsigned char Lower(unsigned char c)
{
    if (c >= 'A' && c <= 'Z')
        return static_cast<unsigned char>(c + 32);
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7)
        return static_cast<unsigned char>(c + 32);
    switch (c) {
    case 0x8A: return 0x9A; // Š
    case 0x8C: return 0x9C; // Œ
    case 0x8E: return 0x9E; // Ž
    case 0x9F: return 0xFF; // Ÿ
    default: return c;
    }
}

unsigned char Upper(unsigned char c)
{
    if (c >= 'a' && c <= 'z')
        return static_cast<unsigned char>(c - 32);
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7)
        return static_cast<unsigned char>(c - 32);
    switch (c) {
    case 0x9A: return 0x8A;
    case 0x9C: return 0x8C;
    case 0x9E: return 0x8E;
    case 0xFF: return 0x9F;
    default: return c;
    }
}

// The base letter ('a'..'z') of a lower-case Windows-1252 letter, or 0.
char BaseLetter(unsigned char c)
{
    if (c >= 'a' && c <= 'z')
        return static_cast<char>(c);
    if (c >= 0xE0 && c <= 0xE6) return 'a'; // à á â ã ä å æ
    if (c == 0xE7) return 'c';
    if (c >= 0xE8 && c <= 0xEB) return 'e';
    if (c >= 0xEC && c <= 0xEF) return 'i';
    if (c == 0xF0) return 'd';
    if (c == 0xF1) return 'n';
    if ((c >= 0xF2 && c <= 0xF6) || c == 0xF8 || c == 0x9C) return 'o';
    if (c >= 0xF9 && c <= 0xFC) return 'u';
    if (c == 0xFD || c == 0xFF) return 'y';
    if (c == 0xFE) return 't';
    if (c == 0xDF) return 's'; // ß
    if (c == 0x9A) return 's';
    if (c == 0x9E) return 'z';
    return 0;
}

// Primary weight of one byte: other characters 0..255 by byte value,
// digits 256..265, letters 300..325.
int PrimaryWeight(unsigned char c)
{
    if (c >= '0' && c <= '9')
        return 256 + (c - '0');
    if (const char base = BaseLetter(Lower(c)))
        return 300 + (base - 'a');
    return c;
}

int CompareBy(std::string_view a, std::string_view b, int (*weight)(unsigned char))
{
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        const int wa = weight(static_cast<unsigned char>(a[i]));
        const int wb = weight(static_cast<unsigned char>(b[i]));
        if (wa != wb)
            return wa < wb ? -1 : 1;
    }
    if (a.size() != b.size())
        return a.size() < b.size() ? -1 : 1;
    return 0;
}

int AccentWeight(unsigned char c)
{
    return Lower(c);
}

int ByteWeight(unsigned char c)
{
    return c;
}

} // namespace

int CompareListText(std::string_view a, std::string_view b)
{
    if (const int r = CompareBy(a, b, PrimaryWeight))
        return r;
    if (const int r = CompareBy(a, b, AccentWeight))
        return r;
    return CompareBy(a, b, ByteWeight);
}

void SortList(std::vector<std::string>& items)
{
    std::stable_sort(items.begin(), items.end(),
                     [](const std::string& a, const std::string& b) { return ListLess(a, b); });
}

std::string UpperCase1252(std::string_view s)
{
    std::string r(s);
    for (char& c : r)
        c = static_cast<char>(Upper(static_cast<unsigned char>(c)));
    return r;
}

std::string LowerCase1252(std::string_view s)
{
    std::string r(s);
    for (char& c : r)
        c = static_cast<char>(Lower(static_cast<unsigned char>(c)));
    return r;
}

void TypeSearchKey(std::string& text, char key, bool upperAll)
{
    if (key == '\r' || key == '\n')
        return;
    if (key == '\b') {
        if (!text.empty())
            text.pop_back();
        return;
    }
    const std::string k(1, key);
    text += (upperAll || text.empty()) ? UpperCase1252(k) : k;
}

int BisectHeads(const std::vector<std::string>& items, std::string_view text, std::size_t hi, bool upperHeads)
{
    if (items.empty())
        return -1;
    const std::size_t last = items.size() - 1;
    std::size_t lo = 0, a = hi / 2;
    for (int i = 0; i < 100; ++i) {
        const std::string_view item = items[std::min(a, last)];
        const std::string_view head = item.substr(0, std::min(item.size(), text.size()));
        // string_view compares as memcmp does: by unsigned byte value.
        const int c = upperHeads ? std::string_view(UpperCase1252(head)).compare(text) : head.compare(text);
        if (c > 0) {
            hi = a;
            a = (a + lo) / 2;
        } else if (c < 0) {
            lo = a;
            a = (a + hi) / 2;
        }
    }
    return static_cast<int>(std::min(a, last));
}
