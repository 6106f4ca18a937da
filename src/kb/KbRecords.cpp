#include "kb/KbRecords.h"

#include "platform/Errors.h"
#include "platform/RecordFile.h"
#include "platform/ShortString.h"

#include <algorithm>

const char* const kReservedText = "Errore - record riservato";

namespace {

constexpr std::size_t kSlice = 250;

// Part k of a text: its k-th slice of 250 characters, cut to `capacity`.
std::string_view Slice(std::string_view text, std::size_t k, std::size_t capacity)
{
    const std::size_t from = k * kSlice;
    return from < text.size() ? text.substr(from, std::min(kSlice, capacity)) : std::string_view();
}

template <class Record>
void PutField(std::string& rec, const RecordField<Record>& f, std::string_view text)
{
    std::size_t at = f.offset;
    for (std::size_t k = 0; k < f.parts.size() && f.parts[k]; ++k) {
        PutShortString(rec.data() + at, f.parts[k], Slice(text, k, f.parts[k]));
        at += f.parts[k] + 1;
    }
}

template <class Record>
std::string GetField(std::string_view rec, const RecordField<Record>& f)
{
    std::string text;
    std::size_t at = f.offset;
    for (std::size_t k = 0; k < f.parts.size() && f.parts[k]; ++k) {
        text += GetShortString(rec.data() + at, f.parts[k]);
        at += f.parts[k] + 1;
    }
    return text;
}

// The record bytes, zero-filled up to the record size when they are
// shorter (a whole record is used as it is).
class Sized {
public:
    Sized(std::string_view bytes, std::size_t size)
    {
        if (bytes.size() >= size) {
            view_ = bytes.substr(0, size);
        } else {
            copy_.assign(bytes);
            copy_.resize(size, '\0');
            view_ = copy_;
        }
    }
    operator std::string_view() const { return view_; }

private:
    std::string copy_;
    std::string_view view_;
};

// Every field of the table into a zero-filled record of `size` bytes.
template <class Record, std::size_t N>
std::string EncodeFields(const Record& r, const std::array<RecordField<Record>, N>& fields, std::size_t size)
{
    std::string rec(size, '\0');
    for (const RecordField<Record>& f : fields)
        PutField(rec, f, r.*f.member);
    return rec;
}

// The fields whose bit is among `chosen` (a field without a bit always);
// bytes shorter than a record read as empty fields.
template <class Record, std::size_t N>
Record DecodeFields(std::string_view bytes, const std::array<RecordField<Record>, N>& fields, std::size_t size,
                    unsigned chosen)
{
    const Sized sized(bytes, size);
    Record r;
    for (const RecordField<Record>& f : fields)
        if (!f.flag || (chosen & f.flag))
            r.*f.member = GetField(sized, f);
    return r;
}

// A typed file opened for a whole-file read, refused when it ends with a
// partial record (a damaged file is never read as if it were whole).
RecordFile WholeFile(const char* name, std::size_t recordSize)
{
    RecordFile file(name, recordSize);
    if (file.Damaged())
        throw UserError(std::string("Il file \"") + name + "\" è danneggiato: la sua lunghezza non è un multiplo di " +
                        std::to_string(recordSize) + " byte. Nessun archivio è stato modificato.");
    return file;
}

// Every record of a typed file, decoded by `decode` (bytes -> record).
template <class Record, class Decode>
std::vector<Record> DecodeAll(const char* name, std::size_t recordSize, Decode decode)
{
    std::vector<Record> records;
    WholeFile(name, recordSize).ForEach([&](std::size_t, std::string_view bytes) {
        records.push_back(decode(bytes));
    });
    return records;
}

// The records at these numbers, through one opening; a number past the end
// gives an empty record.
template <class Record, class Decode>
std::vector<Record> DecodeSome(const char* name, std::size_t recordSize, const std::vector<std::uint32_t>& numbers,
                               Decode decode)
{
    std::vector<Record> records;
    const std::vector<std::size_t> indices(numbers.begin(), numbers.end());
    for (const std::string& bytes : RecordFile(name, recordSize).ReadSome(indices))
        records.push_back(bytes.empty() ? Record {} : decode(bytes));
    return records;
}

} // namespace

std::string EncodeRemedy(const RemedyRecord& r)
{
    return EncodeFields(r, kRemedyFields, kRemedyRecordSize);
}

RemedyRecord DecodeRemedy(std::string_view bytes, unsigned fields)
{
    return DecodeFields(bytes, kRemedyFields, kRemedyRecordSize, fields);
}

std::string EncodeRepertory(const RepertoryRecord& r)
{
    return EncodeFields(r, kRepertoryFields, kRepertoryRecordSize);
}

RepertoryRecord DecodeRepertory(std::string_view bytes, unsigned fields)
{
    return DecodeFields(bytes, kRepertoryFields, kRepertoryRecordSize, fields);
}

std::string EncodeRemedyName(std::string_view name)
{
    std::string rec(kRemedyNameRecordSize, '\0');
    PutShortString(rec.data(), kNameCapacity, name);
    return rec;
}

std::string DecodeRemedyName(std::string_view bytes)
{
    return GetShortString(std::string_view(Sized(bytes, kRemedyNameRecordSize)).data(), kNameCapacity);
}

std::string EncodeTally(const RemedyTally& t)
{
    std::string rec(kRemedyTallyRecordSize, '\0');
    PutShortString(rec.data(), kNameCapacity, t.Name);
    rec[kNameCapacity + 1] = static_cast<char>(t.Tally);
    return rec;
}

RemedyTally DecodeTally(std::string_view bytes)
{
    const Sized sized(bytes, kRemedyTallyRecordSize);
    const std::string_view rec = sized;
    return {GetShortString(rec.data(), kNameCapacity), static_cast<std::uint8_t>(rec[kNameCapacity + 1])};
}

void AddTally(RemedyTally& t)
{
    if (t.Tally < 255)
        ++t.Tally;
}

std::string EncodePlantTable(const PlantTableRecord& r)
{
    return EncodeFields(r, kPlantTableFields, kPlantTableRecordSize);
}

PlantTableRecord DecodePlantTable(std::string_view bytes)
{
    return DecodeFields(bytes, kPlantTableFields, kPlantTableRecordSize, 0);
}

std::vector<std::string> PlantTableLines(const PlantTableRecord& r)
{
    std::vector<std::string> lines(kPlantTableFields.size());
    for (const RecordField<PlantTableRecord>& f : kPlantTableFields)
        lines[static_cast<std::size_t>(f.sourceLine - 1)] = r.*f.member;
    return lines;
}

PlantTableRecord PlantTableFromLines(const std::vector<std::string>& lines, std::size_t first)
{
    PlantTableRecord r;
    for (const RecordField<PlantTableRecord>& f : kPlantTableFields) {
        const std::size_t at = first + static_cast<std::size_t>(f.sourceLine - 1);
        r.*f.member = at < lines.size() ? lines[at] : std::string();
    }
    return r;
}

std::vector<RemedyRecord> ReadPrimaryDatabase(unsigned fields)
{
    return DecodeAll<RemedyRecord>(kPrimaryFile, kRemedyRecordSize,
                                   [fields](std::string_view bytes) { return DecodeRemedy(bytes, fields); });
}

std::vector<RemedyRecord> ReadRemedies(const std::vector<std::uint32_t>& numbers)
{
    return DecodeSome<RemedyRecord>(kPrimaryFile, kRemedyRecordSize, numbers,
                                    [](std::string_view bytes) { return DecodeRemedy(bytes); });
}

void WritePrimaryDatabase(const std::vector<RemedyRecord>& records)
{
    std::vector<std::string> bytes;
    for (const RemedyRecord& r : records)
        bytes.push_back(EncodeRemedy(r));
    RecordFile(kPrimaryFile, kRemedyRecordSize).Replace(bytes);
}

RemedyRecord ReadRemedy(std::size_t index)
{
    return DecodeRemedy(RecordFile(kPrimaryFile, kRemedyRecordSize).Read(index));
}

void WriteRemedy(std::size_t index, const RemedyRecord& r)
{
    RecordFile(kPrimaryFile, kRemedyRecordSize).Write(index, EncodeRemedy(r));
}

void AppendRemedy(const RemedyRecord& r)
{
    RecordFile(kPrimaryFile, kRemedyRecordSize).Append(EncodeRemedy(r));
}

void DeleteRemedy(std::size_t index)
{
    RecordFile(kPrimaryFile, kRemedyRecordSize).Delete(index);
}

RepertoryRecord ReadRepertoryEntry(std::size_t index)
{
    return DecodeRepertory(RecordFile(kRepertoryFile, kRepertoryRecordSize).Read(index));
}

void WriteRepertoryEntry(std::size_t index, const RepertoryRecord& r)
{
    RecordFile(kRepertoryFile, kRepertoryRecordSize).Write(index, EncodeRepertory(r));
}

void AppendRepertoryEntry(const RepertoryRecord& r)
{
    RecordFile(kRepertoryFile, kRepertoryRecordSize).Append(EncodeRepertory(r));
}

void DeleteRepertoryEntry(std::size_t index)
{
    RecordFile(kRepertoryFile, kRepertoryRecordSize).Delete(index);
}

std::vector<RepertoryRecord> ReadRepertory(unsigned fields)
{
    return DecodeAll<RepertoryRecord>(kRepertoryFile, kRepertoryRecordSize,
                                      [fields](std::string_view bytes) { return DecodeRepertory(bytes, fields); });
}

std::vector<RepertoryRecord> ReadRepertoryEntries(const std::vector<std::uint32_t>& numbers)
{
    return DecodeSome<RepertoryRecord>(kRepertoryFile, kRepertoryRecordSize, numbers,
                                       [](std::string_view bytes) { return DecodeRepertory(bytes); });
}

void WriteRepertory(const std::vector<RepertoryRecord>& records)
{
    std::vector<std::string> bytes;
    for (const RepertoryRecord& r : records)
        bytes.push_back(EncodeRepertory(r));
    RecordFile(kRepertoryFile, kRepertoryRecordSize).Replace(bytes);
}

RemedyRecord ReservedRemedy()
{
    RemedyRecord r;
    r.Name = kReservedText;
    r.Indications = kReservedText;
    return r;
}

RepertoryRecord ReservedRepertory()
{
    RepertoryRecord r;
    r.Pathology = kReservedText;
    r.Remedy = kReservedText;
    return r;
}
