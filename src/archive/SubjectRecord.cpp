#include "archive/SubjectRecord.h"

#include "platform/ShortString.h"

namespace {
struct Field {
    std::size_t offset;
    std::size_t capacity;
    std::string SubjectRecord::*member;
};
constexpr Field kSt2Fields[] = {
    {0, 20, &SubjectRecord::DateKey},        {21, 39, &SubjectRecord::CoordPlace},
    {61, 2, &SubjectRecord::Calendar},       {64, 20, &SubjectRecord::Nationality},
    {85, 72, &SubjectRecord::ChartCode72},   {158, 60, &SubjectRecord::ChartCode60},
    {219, 124, &SubjectRecord::ChartCode124}, {344, 21, &SubjectRecord::Header21},
    {366, 12, &SubjectRecord::Header12},     {379, 5, &SubjectRecord::NoteRef},
};
} // namespace

std::string EncodeSubject(const SubjectRecord& r)
{
    std::string bytes(kSt2Size, '\0');
    for (const Field& f : kSt2Fields)
        PutShortString(bytes.data() + f.offset, f.capacity, r.*(f.member));
    return bytes;
}

SubjectRecord DecodeSubject(std::string_view bytes)
{
    SubjectRecord r;
    if (bytes.size() < kSt2Size)
        return r;
    for (const Field& f : kSt2Fields)
        r.*(f.member) = GetShortString(bytes.data() + f.offset, f.capacity);
    return r;
}

std::string EncodeIndexEntry(std::string_view name, int st2Number)
{
    std::string text(name.substr(0, 38));
    text.resize(38, ' ');
    std::string num = std::to_string(st2Number);
    if (num.size() < 5)
        num.insert(0, 5 - num.size(), '0');
    text += num.substr(0, 5);
    std::string bytes(kSt1Size, '\0');
    PutShortString(bytes.data(), 43, text);
    return bytes;
}

std::string EncodeNameOnly(std::string_view name)
{
    std::string bytes(kSt1Size, '\0');
    PutShortString(bytes.data(), 43, name.substr(0, 38));
    return bytes;
}

std::string DecodeIndexText(std::string_view bytes)
{
    if (bytes.size() < kSt1Size)
        return {};
    return GetShortString(bytes.data(), 43);
}

std::string EncodeNotes(const NoteLines& lines)
{
    std::string bytes(kSt3Size, '\0');
    for (std::size_t i = 0; i < 4; ++i)
        PutShortString(bytes.data() + 71 * i, 70, lines[i]);
    return bytes;
}

NoteLines DecodeNotes(std::string_view bytes)
{
    NoteLines lines;
    if (bytes.size() < kSt3Size)
        return lines;
    for (std::size_t i = 0; i < 4; ++i)
        lines[i] = GetShortString(bytes.data() + 71 * i, 70);
    return lines;
}
