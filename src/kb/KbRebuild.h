#pragma once
// The support archives of the knowledge base, derived from the two primary
// files ("Ricostruisci File"), and the builders of the repertory and of the
// plant tables from their text sources.
//
// Every builder reads and checks all of its input before it writes: a
// missing or damaged input file raises IoError or UserError and leaves
// every output as it was. Each output file is replaced atomically.
#include <string>
#include <string_view>
#include <vector>

struct RemedyRecord;

// The nine planet files (stem, search word) and the twelve sign words.
struct SignatureFile {
    const char* stem; // OpzioneH\<stem>.rnd
    const char* word; // searched as a substring, case-sensitive
};
const std::vector<SignatureFile>& PlanetFiles();
const std::vector<SignatureFile>& SignFiles();

// Rebuild from OpzioneH\DBmain.rnd: Sintomi.txt, ProdotA.txt, the 21
// signature files and ProdotB.txt.
void RebuildFromPrimary();
// The separate steps, on the records of DBmain.rnd (record 0 included; the
// steps list records 1..).
std::vector<std::string> SymptomList(const std::vector<RemedyRecord>& records);
std::vector<std::string> NameList(const std::vector<RemedyRecord>& records);
// Distinct names, cut to 50, of the entries whose primary (planet) or
// zodiacal (sign) signature contains the word.
std::vector<std::string> SignatureNames(const std::vector<RemedyRecord>& records, std::string_view word, bool zodiac);
std::vector<std::string> DisplayList(const std::vector<std::string>& nameList);
// The extra ProdotB.txt lines of one ProdotA.txt line (none, or one per
// preparation-type test that fires on the line as left by the previous one).
std::vector<std::string> DisplayLines(std::string_view name);

// Rebuild from OpzioneH\Repertorio.rnd: Patolog.txt.
void RebuildPathologyList();
// Repertorio.rnd from OpzioneH\Repertorio.txt (pathology, remedy, posology:
// three lines a record, written from record 0 with empty notes), then
// Patolog.txt.
void BuildRepertoryFromText();

// The plant tables from OpzioneS\DbTesto.Txt (8 lines a record): DataStf.rnd,
// OpzioneS\Sintomi.txt and OpzioneS\Sintomi.rnd.
void BuildPlantTables();
// OpzioneS\Piante.rnd from OpzioneS\ElePiante.Txt, one name a record from 0.
void BuildPlantNames();

// OpzioneH\RicCom.Rnd recreated from ProdotA.txt: record k holds line k+1
// with tally 0.
void RecreateTallyFile();

// The de-duplicated remedy list of the signature, plant and synthesis
// windows, with the DBmain.rnd record number of each entry (the first
// record, from 0, whose name without leading blanks equals it).
struct RemedyListEntry {
    std::string name;
    std::size_t record;
};
std::vector<RemedyListEntry> DeduplicatedRemedyList(const std::vector<RemedyRecord>& records);
// Builds the list from DBmain.rnd and writes FileDum\Prdts.dum (one record
// number a line, parallel to the list); returns the list.
std::vector<RemedyListEntry> WriteRemedyIndex();
