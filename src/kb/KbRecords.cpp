#include "kb/KbRecords.h"

#include "platform/Errors.h"
#include "platform/RecordFile.h"
#include "platform/ShortString.h"

#include <algorithm>

const char* const kReservedText = "Errore - record riservato";

namespace {

constexpr std::size_t kSlice = 250;

// A logical text kept in consecutive short-string parts of one record.
struct PartedField {
    std::size_t offset;                  // offset of the first part
    std::vector<std::size_t> capacities; // capacity of each part
};

const PartedField kPosologyField{51, {250, 250, 250, 150}};
const PartedField kIndicationsField{955, {250, 50}};
const PartedField kSynthesisField{1257, {250, 250, 250, 250, 250, 250}};
const PartedField kWarningsField{2906, {250, 150}};
const PartedField kNotesField{3308, {250, 250, 250}};
const PartedField kSupplementaryField{4061, {250, 250, 250}};
const PartedField kRepertoryNotesField{453, {250, 250, 250}};

void PutParted(std::string& rec, const PartedField& f, std::string_view text)
{
    const std::vector<std::string> parts = SliceText(text, f.capacities);
    std::size_t at = f.offset;
    for (std::size_t k = 0; k < parts.size(); ++k) {
        PutShortString(rec.data() + at, f.capacities[k], parts[k]);
        at += f.capacities[k] + 1;
    }
}

std::string GetParted(std::string_view rec, const PartedField& f)
{
    std::string text;
    std::size_t at = f.offset;
    for (std::size_t cap : f.capacities) {
        text += GetShortString(rec.data() + at, cap);
        at += cap + 1;
    }
    return text;
}

void Put(std::string& rec, std::size_t offset, std::size_t capacity, std::string_view text)
{
    PutShortString(rec.data() + offset, capacity, text);
}

std::string Get(std::string_view rec, std::size_t offset, std::size_t capacity)
{
    return GetShortString(rec.data() + offset, capacity);
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

std::vector<std::string> SliceText(std::string_view text, const std::vector<std::size_t>& capacities)
{
    std::vector<std::string> parts;
    for (std::size_t k = 0; k < capacities.size(); ++k) {
        const std::size_t from = k * kSlice;
        if (from >= text.size()) {
            parts.emplace_back();
            continue;
        }
        parts.emplace_back(text.substr(from, std::min(kSlice, capacities[k])));
    }
    return parts;
}

std::string EncodeRemedy(const RemedyRecord& r)
{
    std::string rec(kRemedyRecordSize, '\0');
    Put(rec, 0, kNameCapacity, r.Name);
    PutParted(rec, kPosologyField, r.Posology);
    PutParted(rec, kIndicationsField, r.Indications);
    PutParted(rec, kSynthesisField, r.PsychicSynthesis);
    Put(rec, 2763, kPrimarySignatureCapacity, r.PrimarySignature);
    Put(rec, 2794, kSecondarySignatureCapacity, r.SecondarySignature);
    Put(rec, 2835, kZodiacSignatureCapacity, r.ZodiacSignature);
    PutParted(rec, kWarningsField, r.Warnings);
    PutParted(rec, kNotesField, r.Notes);
    PutParted(rec, kSupplementaryField, r.SupplementaryNotes);
    return rec;
}

RemedyRecord DecodeRemedy(std::string_view bytes, unsigned fields)
{
    const Sized sized(bytes, kRemedyRecordSize);
    const std::string_view rec = sized;
    RemedyRecord r;
    if (fields & kRemedyName)
        r.Name = Get(rec, 0, kNameCapacity);
    if (fields & kRemedyPosology)
        r.Posology = GetParted(rec, kPosologyField);
    if (fields & kRemedyIndications)
        r.Indications = GetParted(rec, kIndicationsField);
    if (fields & kRemedySynthesis)
        r.PsychicSynthesis = GetParted(rec, kSynthesisField);
    if (fields & kRemedyPrimary)
        r.PrimarySignature = Get(rec, 2763, kPrimarySignatureCapacity);
    if (fields & kRemedySecondary)
        r.SecondarySignature = Get(rec, 2794, kSecondarySignatureCapacity);
    if (fields & kRemedyZodiac)
        r.ZodiacSignature = Get(rec, 2835, kZodiacSignatureCapacity);
    if (fields & kRemedyWarnings)
        r.Warnings = GetParted(rec, kWarningsField);
    if (fields & kRemedyNotes)
        r.Notes = GetParted(rec, kNotesField);
    if (fields & kRemedySupplementary)
        r.SupplementaryNotes = GetParted(rec, kSupplementaryField);
    return r;
}

std::string EncodeRepertory(const RepertoryRecord& r)
{
    std::string rec(kRepertoryRecordSize, '\0');
    Put(rec, 0, kPathologyCapacity, r.Pathology);
    Put(rec, 101, kRepertoryPosologyCapacity, r.Posology);
    Put(rec, 352, kRepertoryRemedyCapacity, r.Remedy);
    PutParted(rec, kRepertoryNotesField, r.Notes);
    return rec;
}

RepertoryRecord DecodeRepertory(std::string_view bytes, unsigned fields)
{
    const Sized sized(bytes, kRepertoryRecordSize);
    const std::string_view rec = sized;
    RepertoryRecord r;
    if (fields & kRepertoryPathology)
        r.Pathology = Get(rec, 0, kPathologyCapacity);
    if (fields & kRepertoryPosology)
        r.Posology = Get(rec, 101, kRepertoryPosologyCapacity);
    if (fields & kRepertoryRemedy)
        r.Remedy = Get(rec, 352, kRepertoryRemedyCapacity);
    if (fields & kRepertoryNotes)
        r.Notes = GetParted(rec, kRepertoryNotesField);
    return r;
}

std::string EncodeRemedyName(std::string_view name)
{
    std::string rec(kRemedyNameRecordSize, '\0');
    Put(rec, 0, kNameCapacity, name);
    return rec;
}

std::string DecodeRemedyName(std::string_view bytes)
{
    return Get(Sized(bytes, kRemedyNameRecordSize), 0, kNameCapacity);
}

std::string EncodeTally(const RemedyTally& t)
{
    std::string rec(kRemedyTallyRecordSize, '\0');
    Put(rec, 0, kNameCapacity, t.Name);
    rec[51] = static_cast<char>(t.Tally);
    return rec;
}

RemedyTally DecodeTally(std::string_view bytes)
{
    const Sized sized(bytes, kRemedyTallyRecordSize);
    const std::string_view rec = sized;
    return {Get(rec, 0, kNameCapacity), static_cast<std::uint8_t>(rec[51])};
}

void AddTally(RemedyTally& t)
{
    if (t.Tally < 255)
        ++t.Tally;
}

std::string EncodePlantTable(const PlantTableRecord& r)
{
    std::string rec(kPlantTableRecordSize, '\0');
    Put(rec, 0, 100, r.Symptom);
    Put(rec, 101, 20, r.Plant);
    Put(rec, 122, 15, r.Planet);
    Put(rec, 138, 15, r.Sign);
    Put(rec, 154, 30, r.PartUsed);
    Put(rec, 185, 70, r.Principles);
    Put(rec, 256, 100, r.Properties);
    Put(rec, 357, 100, r.Remedy);
    return rec;
}

PlantTableRecord DecodePlantTable(std::string_view bytes)
{
    const Sized sized(bytes, kPlantTableRecordSize);
    const std::string_view rec = sized;
    PlantTableRecord r;
    r.Symptom = Get(rec, 0, 100);
    r.Plant = Get(rec, 101, 20);
    r.Planet = Get(rec, 122, 15);
    r.Sign = Get(rec, 138, 15);
    r.PartUsed = Get(rec, 154, 30);
    r.Principles = Get(rec, 185, 70);
    r.Properties = Get(rec, 256, 100);
    r.Remedy = Get(rec, 357, 100);
    return r;
}

std::vector<std::string> PlantTableLines(const PlantTableRecord& r)
{
    return {r.Plant, r.Planet, r.Sign, r.PartUsed, r.Principles, r.Properties, r.Symptom, r.Remedy};
}

PlantTableRecord PlantTableFromLines(const std::vector<std::string>& lines, std::size_t first)
{
    auto line = [&](std::size_t k) { return first + k < lines.size() ? lines[first + k] : std::string(); };
    PlantTableRecord r;
    r.Plant = line(0);
    r.Planet = line(1);
    r.Sign = line(2);
    r.PartUsed = line(3);
    r.Principles = line(4);
    r.Properties = line(5);
    r.Symptom = line(6);
    r.Remedy = line(7);
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
