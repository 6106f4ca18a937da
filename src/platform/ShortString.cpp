#include "platform/ShortString.h"

void PutShortString(char* field, std::size_t capacity, std::string_view value)
{
    const std::size_t len = value.size() < capacity ? value.size() : capacity;
    field[0] = static_cast<char>(len);
    for (std::size_t i = 0; i < capacity; ++i)
        field[1 + i] = i < len ? value[i] : '\0';
}

std::string GetShortString(const char* field, std::size_t capacity)
{
    std::size_t len = static_cast<unsigned char>(field[0]);
    if (len > capacity)
        len = capacity;
    return std::string(field + 1, len);
}

void PutLE16(char* p, std::uint16_t v)
{
    p[0] = static_cast<char>(v & 0xFF);
    p[1] = static_cast<char>(v >> 8);
}

void PutLE32(char* p, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        p[i] = static_cast<char>((v >> (8 * i)) & 0xFF);
}

std::uint16_t GetLE16(const char* p)
{
    return static_cast<std::uint16_t>(static_cast<unsigned char>(p[0]) |
                                      (static_cast<unsigned char>(p[1]) << 8));
}

std::uint32_t GetLE32(const char* p)
{
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i)
        v = (v << 8) | static_cast<unsigned char>(p[i]);
    return v;
}
