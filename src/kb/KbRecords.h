#pragma once
// Records of the knowledge-base files.
//
// Every typed file is an array of fixed-size records with no header; text
// fields are short strings (a length byte and the full capacity). Long texts
// are kept in consecutive parts of 250 characters; the text of a field is
// the concatenation of its parts.
//
// The remedy record (OpzioneH\DBmain.rnd, 4814 bytes), the repertory
// record (OpzioneH\Repertorio.rnd, 1206 bytes) and the plant-table record
// (OpzioneS\DataStf.rnd, 599 bytes) are laid out by their field tables
// below (kRemedyFields, kRepertoryFields, kPlantTableFields): offset and
// part capacities of each field, in record order.
// RemedyNameRecord, 51 bytes: name[50] (the 21 signature files).
// RemedyTallyRecord, OpzioneH\RicCom.Rnd, 52 bytes: name[50], tally (byte).
//
// Record 0 of DBmain.rnd and Repertorio.rnd is reserved: the entries are
// records 1 .. count-1.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

inline constexpr std::size_t kRemedyRecordSize = 4814;
inline constexpr std::size_t kRepertoryRecordSize = 1206;
inline constexpr std::size_t kRemedyNameRecordSize = 51;
inline constexpr std::size_t kRemedyTallyRecordSize = 52;
inline constexpr std::size_t kPlantTableRecordSize = 599;
inline constexpr std::size_t kPlantNameRecordSize = 21;     // OpzioneS\Piante.rnd
inline constexpr std::size_t kPlantSymptomRecordSize = 101; // OpzioneS\Sintomi.rnd

// File names, relative to the program folder.
inline constexpr const char* kPrimaryFile = "OpzioneH\\DBmain.rnd";
inline constexpr const char* kRepertoryFile = "OpzioneH\\Repertorio.rnd";
inline constexpr const char* kRepertoryTextFile = "OpzioneH\\Repertorio.txt";
inline constexpr const char* kSymptomListFile = "OpzioneH\\Sintomi.txt";
inline constexpr const char* kNameListFile = "OpzioneH\\ProdotA.txt";
inline constexpr const char* kDisplayListFile = "OpzioneH\\ProdotB.txt";
inline constexpr const char* kPathologyListFile = "OpzioneH\\Patolog.txt";
inline constexpr const char* kTallyFile = "OpzioneH\\RicCom.Rnd";
inline constexpr const char* kPlantTextFile = "OpzioneS\\DbTesto.Txt";
inline constexpr const char* kPlantTableFile = "OpzioneS\\DataStf.rnd";
inline constexpr const char* kPlantSymptomListFile = "OpzioneS\\Sintomi.txt";
inline constexpr const char* kPlantSymptomFile = "OpzioneS\\Sintomi.rnd";
inline constexpr const char* kPlantNameFile = "OpzioneS\\Piante.rnd";
inline constexpr const char* kPlantNameTextFile = "OpzioneS\\ElePiante.Txt";
inline constexpr const char* kPrinciplesTextFile = "Principi.txt";
inline constexpr const char* kRemedyIndexFile = "FileDum\\Prdts.dum";

// One use of a remedy: every text is the logical (joined) text.
struct RemedyRecord {
    std::string Name;               // Rimedio, up to 50
    std::string Posology;           // Posologia, up to 900
    std::string Indications;        // Indicazioni, up to 300: the disturbance this use treats
    std::string PsychicSynthesis;   // Sintesi Psichica, up to 1500
    std::string PrimarySignature;   // planet words, up to 30
    std::string SecondarySignature; // planet words, up to 40
    std::string ZodiacSignature;    // sign words, up to 70
    std::string Warnings;           // Avvertenze, up to 400
    std::string Notes;              // Note (the composition), up to 750
    std::string SupplementaryNotes; // Note Supplementari, up to 750
};

// The fields of a remedy record, so that a search decodes only what it
// looks at; the other texts stay empty.
enum RemedyField : unsigned {
    kRemedyName = 1u << 0,
    kRemedyPosology = 1u << 1,
    kRemedyIndications = 1u << 2,
    kRemedySynthesis = 1u << 3,
    kRemedyPrimary = 1u << 4,
    kRemedySecondary = 1u << 5,
    kRemedyZodiac = 1u << 6,
    kRemedyWarnings = 1u << 7,
    kRemedyNotes = 1u << 8,
    kRemedySupplementary = 1u << 9,
    kRemedySignatures = kRemedyPrimary | kRemedySecondary | kRemedyZodiac,
    kRemedyAllFields = (1u << 10) - 1,
};

// Each text cut into its parts, each part truncated to its capacity.
std::string EncodeRemedy(const RemedyRecord& r);
// Joins the parts of the chosen fields. Bytes shorter than a record read as
// empty fields; a length byte larger than its field reads as the field's
// capacity.
RemedyRecord DecodeRemedy(std::string_view bytes, unsigned fields = kRemedyAllFields);

struct RepertoryRecord {
    std::string Pathology; // Patologia, up to 100
    std::string Posology;  // Posologia for this pathology, up to 250
    std::string Remedy;    // Rimedio, up to 100: a remedy name of DBmain.rnd
    std::string Notes;     // notes on the pair, up to 750 (three parts)
};
enum RepertoryField : unsigned {
    kRepertoryPathology = 1u << 0,
    kRepertoryPosology = 1u << 1,
    kRepertoryRemedy = 1u << 2,
    kRepertoryNotes = 1u << 3,
    kRepertoryAllFields = (1u << 4) - 1,
};
std::string EncodeRepertory(const RepertoryRecord& r);
RepertoryRecord DecodeRepertory(std::string_view bytes, unsigned fields = kRepertoryAllFields);

std::string EncodeRemedyName(std::string_view name);
std::string DecodeRemedyName(std::string_view bytes);

struct RemedyTally {
    std::string Name;       // up to 50
    std::uint8_t Tally = 0; // 0..255, saturating
};
std::string EncodeTally(const RemedyTally& t);
RemedyTally DecodeTally(std::string_view bytes);
// One more hit: the tally stops at 255 instead of wrapping to 0.
void AddTally(RemedyTally& t);

// One plant-symptom pair of the plant table; the source line of
// DbTesto.Txt in parentheses.
struct PlantTableRecord {
    std::string Symptom;    // (7) symptom curable with the plant, up to 100
    std::string Plant;      // (1) plant name, up to 20
    std::string Planet;     // (2) ruling planet word or "Qualsiasi", up to 15
    std::string Sign;       // (3) sign word or "Qualsiasi", up to 15
    std::string PartUsed;   // (4) part of the plant, up to 30
    std::string Principles; // (5) active principles, up to 70
    std::string Properties; // (6) therapeutic properties, up to 100
    std::string Remedy;     // (8) associated remedy name, up to 100
};

// ---- Field tables ---------------------------------------------------------------

// One text field of a record type, in one place for the encoding, the
// decoding and the import of the authored sources: which member holds its
// text, its key in the sources of data/kb, where it lies in the record and
// the capacity of each of its parts (a text of several parts is cut into
// slices of 250 characters, slice k cut to parts[k]).
template <class Record>
struct RecordField {
    std::string Record::*member;
    const char* label;                   // "Rimedio", "Posologia", ...
    std::size_t offset;                  // byte offset of the first part
    std::array<std::size_t, 6> parts {}; // capacities, 0 after the last part
    unsigned flag = 0;                   // the field's RemedyField / RepertoryField bit (0: none)
    int sourceLine = 0;                  // plant table: the line 1..8 of DbTesto.Txt it comes from

    constexpr std::size_t Capacity() const // the logical capacity: the parts together
    {
        std::size_t n = 0;
        for (std::size_t c : parts)
            n += c;
        return n;
    }
    constexpr std::size_t Bytes() const // the room in the record: a length byte per part
    {
        std::size_t n = 0;
        for (std::size_t c : parts)
            n += c ? c + 1 : 0;
        return n;
    }
};

// The fields in record order, each one beginning where the one before ends.
inline constexpr std::array<RecordField<RemedyRecord>, 10> kRemedyFields = {{
    {&RemedyRecord::Name, "Rimedio", 0, {50}, kRemedyName},
    {&RemedyRecord::Posology, "Posologia", 51, {250, 250, 250, 150}, kRemedyPosology},
    {&RemedyRecord::Indications, "Indicazione", 955, {250, 50}, kRemedyIndications},
    {&RemedyRecord::PsychicSynthesis, "Sintesi Psichica", 1257, {250, 250, 250, 250, 250, 250}, kRemedySynthesis},
    {&RemedyRecord::PrimarySignature, "Segnatura Planetaria Primaria", 2763, {30}, kRemedyPrimary},
    {&RemedyRecord::SecondarySignature, "Segnatura Planetaria Secondaria", 2794, {40}, kRemedySecondary},
    {&RemedyRecord::ZodiacSignature, "Segnatura Zodiacale", 2835, {70}, kRemedyZodiac},
    {&RemedyRecord::Warnings, "Avvertenze", 2906, {250, 150}, kRemedyWarnings},
    {&RemedyRecord::Notes, "Note", 3308, {250, 250, 250}, kRemedyNotes},
    {&RemedyRecord::SupplementaryNotes, "Note Supplementari", 4061, {250, 250, 250}, kRemedySupplementary},
}};
inline constexpr std::array<RecordField<RepertoryRecord>, 4> kRepertoryFields = {{
    {&RepertoryRecord::Pathology, "Patologia", 0, {100}, kRepertoryPathology},
    {&RepertoryRecord::Posology, "Posologia", 101, {250}, kRepertoryPosology},
    {&RepertoryRecord::Remedy, "Rimedio", 352, {100}, kRepertoryRemedy},
    {&RepertoryRecord::Notes, "Note", 453, {250, 250, 250}, kRepertoryNotes},
}};
// Bytes 458..598 of a plant-table record are not written (zeros).
inline constexpr std::array<RecordField<PlantTableRecord>, 8> kPlantTableFields = {{
    {&PlantTableRecord::Symptom, "Sintomo", 0, {100}, 0, 7},
    {&PlantTableRecord::Plant, "Pianta", 101, {20}, 0, 1},
    {&PlantTableRecord::Planet, "Pianeta", 122, {15}, 0, 2},
    {&PlantTableRecord::Sign, "Segno", 138, {15}, 0, 3},
    {&PlantTableRecord::PartUsed, "Parte usata", 154, {30}, 0, 4},
    {&PlantTableRecord::Principles, "Principi attivi", 185, {70}, 0, 5},
    {&PlantTableRecord::Properties, "Proprietà", 256, {100}, 0, 6},
    {&PlantTableRecord::Remedy, "Rimedio", 357, {100}, 0, 8},
}};

// Whether the fields follow each other without a gap from byte 0 and end
// within a record of `size` bytes.
template <class Record, std::size_t N>
constexpr bool TilesRecord(const std::array<RecordField<Record>, N>& fields, std::size_t size)
{
    std::size_t at = 0;
    for (const RecordField<Record>& f : fields) {
        if (f.offset != at)
            return false;
        at += f.Bytes();
    }
    return at <= size;
}
static_assert(TilesRecord(kRemedyFields, kRemedyRecordSize));
static_assert(TilesRecord(kRepertoryFields, kRepertoryRecordSize));
static_assert(TilesRecord(kPlantTableFields, kPlantTableRecordSize));

// The field of a table that holds a member.
template <class Record, std::size_t N>
constexpr const RecordField<Record>& FieldOf(const std::array<RecordField<Record>, N>& fields,
                                             std::string Record::*member)
{
    for (const RecordField<Record>& f : fields)
        if (f.member == member)
            return f;
    throw "not a field of the table"; // unreachable for the members of the table
}

// The capacity of a remedy name, also that of the 51-byte name records of
// the signature files and of the tallies.
inline constexpr std::size_t kNameCapacity = FieldOf(kRemedyFields, &RemedyRecord::Name).Capacity();

std::string EncodePlantTable(const PlantTableRecord& r);
PlantTableRecord DecodePlantTable(std::string_view bytes);
// The eight DbTesto.Txt lines of a record, in source-line order, and back.
std::vector<std::string> PlantTableLines(const PlantTableRecord& r);
PlantTableRecord PlantTableFromLines(const std::vector<std::string>& lines, std::size_t first);

// ---- Files --------------------------------------------------------------------

// Every record of DBmain.rnd (record 0 included), with the chosen fields.
// The file is read in blocks: a search that needs a few fields holds those
// texts only. Throws IoError when the file is missing or unreadable,
// UserError when its size is not a whole number of records.
std::vector<RemedyRecord> ReadPrimaryDatabase(unsigned fields = kRemedyAllFields);
// The records at these numbers, in the order given, through one opening of
// the file: the rows of one result page. A number past the end (the file
// shortened since the search) reads as an empty record.
std::vector<RemedyRecord> ReadRemedies(const std::vector<std::uint32_t>& numbers);
void WritePrimaryDatabase(const std::vector<RemedyRecord>& records); // whole file, atomically
RemedyRecord ReadRemedy(std::size_t index);
// One record in place ("Salva"), at the end ("Salva come Nuovo"), or removed
// with the later records moved down by one (the file shortened by one).
void WriteRemedy(std::size_t index, const RemedyRecord& r);
void AppendRemedy(const RemedyRecord& r);
void DeleteRemedy(std::size_t index);

std::vector<RepertoryRecord> ReadRepertory(unsigned fields = kRepertoryAllFields);
std::vector<RepertoryRecord> ReadRepertoryEntries(const std::vector<std::uint32_t>& numbers);
void WriteRepertory(const std::vector<RepertoryRecord>& records);
RepertoryRecord ReadRepertoryEntry(std::size_t index);
void WriteRepertoryEntry(std::size_t index, const RepertoryRecord& r);
void AppendRepertoryEntry(const RepertoryRecord& r);
void DeleteRepertoryEntry(std::size_t index);

// The reserved record 0: its name and indication (and pathology) hold a
// text that no entry may use; "Errore" keeps it out of the de-duplicated
// remedy list of the consultation windows.
RemedyRecord ReservedRemedy();
RepertoryRecord ReservedRepertory();
extern const char* const kReservedText;
