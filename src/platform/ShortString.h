#pragma once
// Fields of typed records: bounded strings and little-endian integers.
//
// A ShortString<N> field occupies 1 + N bytes: a length byte and N character
// bytes. Values longer than N are cut silently to N; unused bytes are written
// as zero. A length byte larger than N (a damaged record) reads as N.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

template <std::size_t N>
struct ShortString {
    static_assert(N >= 1 && N <= 255);
    static constexpr std::size_t Capacity = N;
    static constexpr std::size_t Size = N + 1;

    static void Put(char* field, std::string_view value)
    {
        const std::size_t len = value.size() < N ? value.size() : N;
        field[0] = static_cast<char>(len);
        for (std::size_t i = 0; i < N; ++i)
            field[1 + i] = i < len ? value[i] : '\0';
    }

    static std::string Get(const char* field)
    {
        std::size_t len = static_cast<unsigned char>(field[0]);
        if (len > N)
            len = N;
        return std::string(field + 1, len);
    }
};

// Runtime-sized variant for code that walks a layout table.
void PutShortString(char* field, std::size_t capacity, std::string_view value);
std::string GetShortString(const char* field, std::size_t capacity);

void PutLE16(char* p, std::uint16_t v);
void PutLE32(char* p, std::uint32_t v);
std::uint16_t GetLE16(const char* p);
std::uint32_t GetLE32(const char* p);
