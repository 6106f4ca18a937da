#include "kb/PrinciplesArchive.h"

#include "kb/KbRecords.h"
#include "kb/ListOrder.h"
#include "platform/Errors.h"
#include "platform/ShortString.h"
#include "platform/TextFile.h"

using PrincipleField = ShortString<kPrincipleFieldCapacity>;
static_assert(5 * PrincipleField::Size == kPrincipleRecordSize);

std::string EncodePrinciple(const PrincipleRecord& r)
{
    std::string bytes(kPrincipleRecordSize, '\0');
    for (std::size_t f = 0; f < r.size(); ++f)
        PrincipleField::Put(bytes.data() + f * PrincipleField::Size, r[f]);
    return bytes;
}

PrincipleRecord DecodePrinciple(std::string_view bytes)
{
    std::string full(bytes.substr(0, kPrincipleRecordSize));
    full.resize(kPrincipleRecordSize, '\0');
    PrincipleRecord r;
    for (std::size_t f = 0; f < r.size(); ++f)
        r[f] = PrincipleField::Get(full.data() + f * PrincipleField::Size);
    return r;
}

std::vector<PrincipleRecord> PrinciplesFromLines(const std::vector<std::string>& lines)
{
    std::vector<PrincipleRecord> records(kPrincipleRecordCount);
    for (std::size_t i = 0; i < kPrincipleRecordCount; ++i)
        for (std::size_t f = 0; f < 5; ++f) {
            std::string value = LineOrEmpty(lines, 5 * i + f).substr(0, kPrincipleFieldCapacity);
            records[i][f] = f == 1 ? UpperCase1252(value) : value;
        }
    return records;
}

void BuildPrinciplesArchive()
{
    std::string bytes;
    for (const PrincipleRecord& r : PrinciplesFromLines(ReadTextLines(kPrinciplesTextFile)))
        bytes += EncodePrinciple(r);
    WriteFileAtomic(kPrinciplesArchiveFile, bytes);
}

std::vector<PrincipleRecord> ReadPrinciplesArchive()
{
    const std::string bytes = ReadFileBytes(kPrinciplesArchiveFile);
    if (bytes.size() % kPrincipleRecordSize != 0)
        throw UserError("Il file Principi.sto è danneggiato: la sua lunghezza non è un numero intero di record");
    std::vector<PrincipleRecord> records;
    for (std::size_t at = 0; at < bytes.size(); at += kPrincipleRecordSize)
        records.push_back(DecodePrinciple(std::string_view(bytes).substr(at, kPrincipleRecordSize)));
    return records;
}
