#pragma once
// Records of the knowledge-base files.
//
// Every typed file is an array of fixed-size records with no header; text
// fields are short strings (a length byte and the full capacity). Long texts
// are kept in consecutive parts of 250 characters; the text of a field is
// the concatenation of its parts.
//
// RemedyRecord, OpzioneH\DBmain.rnd, 4814 bytes (offset, capacity):
//      0 Rimedio[50]             remedy name
//     51 Posologia 1-4           [250] [250] [250] [150]   (at 51, 302, 553, 804)
//    955 Indicazioni 1-2         [250] [50]                (at 955, 1206)
//   1257 Sintesi Psichica 1-6    6 x [250]                 (at 1257 + 251 k)
//   2763 Segnatura Planetaria Primaria[30]
//   2794 Segnatura Planetaria Secondaria[40]
//   2835 Segnatura Zodiacale[70]
//   2906 Avvertenze 1-2          [250] [150]               (at 2906, 3157)
//   3308 Note 1-3                3 x [250]                 (at 3308 + 251 k)
//   4061 Note Supplementari 1-3  3 x [250]                 (at 4061 + 251 k)
// RepertoryRecord, OpzioneH\Repertorio.rnd, 1206 bytes:
//      0 Patologia[100]   101 Posologia[250]   352 Rimedio[100]
//    453 Note 1-3 3 x [250]
// RemedyNameRecord, 51 bytes: name[50] (the 21 signature files).
// RemedyTallyRecord, OpzioneH\RicCom.Rnd, 52 bytes: name[50], tally (byte).
// PlantTableRecord, OpzioneS\DataStf.rnd, 599 bytes (DbTesto.Txt line):
//      0 Sintomo[100] (7)   101 Pianta[20] (1)   122 Pianeta[15] (2)
//    138 Segno[15] (3)      154 Parte usata[30] (4)
//    185 Principi attivi[70] (5)   256 Proprietà[100] (6)
//    357 Rimedio[100] (8)   458 141 bytes, written as zeros
//
// Record 0 of DBmain.rnd and Repertorio.rnd is reserved: the entries are
// records 1 .. count-1.
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

// Logical capacities of the remedy texts (characters).
inline constexpr std::size_t kNameCapacity = 50;
inline constexpr std::size_t kIndicationsCapacity = 300;
inline constexpr std::size_t kPosologyCapacity = 900;
inline constexpr std::size_t kWarningsCapacity = 400;
inline constexpr std::size_t kPrimarySignatureCapacity = 30;
inline constexpr std::size_t kSecondarySignatureCapacity = 40;
inline constexpr std::size_t kZodiacSignatureCapacity = 70;
inline constexpr std::size_t kSynthesisCapacity = 1500;
inline constexpr std::size_t kNotesCapacity = 750;
inline constexpr std::size_t kSupplementaryNotesCapacity = 750;

// Capacities of the repertory texts.
inline constexpr std::size_t kPathologyCapacity = 100;
inline constexpr std::size_t kRepertoryPosologyCapacity = 250;
inline constexpr std::size_t kRepertoryRemedyCapacity = 100;
inline constexpr std::size_t kRepertoryNotesCapacity = 750;

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

// Cuts a text into consecutive slices of 250 characters, the slice k cut to
// capacities[k]; characters beyond the last slice are dropped.
std::vector<std::string> SliceText(std::string_view text, const std::vector<std::size_t>& capacities);

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
