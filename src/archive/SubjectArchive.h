#pragma once
// Subject archives: the three typed files of an archive, sorted insertion,
// look-up by name, the current subject (TMPR record 0), annotations and the
// subjects' text files.
//
// An archive name is 4 characters, letters A-Z or digits, upper case; the
// archives are the ????.ST1 files of the program folder (found without
// regard to letter case). Record 0 of every file is the template; the
// index (ST1) is kept in ascending order of its records as short strings.
//
// Damaged files (a size that is not a multiple of the record size, an index
// entry whose number is not five digits or points past ST2) raise
// ArchiveError with an Italian message; nothing is written then.
//
// Every change (add, import, delete, rename) is one read-modify-write: the
// index is read and checked once, changed in memory, and the files are
// written in one batch, the data before the index, the index replaced
// atomically.
#include "archive/SubjectIndex.h"
#include "archive/SubjectRecord.h"
#include "platform/Errors.h"

#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

// A damaged or unusable archive; the message is Italian (Windows-1252).
class ArchiveError : public UserError {
public:
    using UserError::UserError;
};

inline constexpr const char* kCurrentArchive = "TMPR";
inline constexpr const char* kRecallTraceFile = "FileDum\\PointGlo.dum";   // ST2 number, archive
inline constexpr const char* kRecallStateFile = "FileDum\\MMDatArc.dum";   // archive, prefix, position, name
inline constexpr const char* kArchiveOrderFile = "FileDum\\MMordina.dum";  // one archive name per line
// Subjects and annotations are numbered in five digits.
inline constexpr std::size_t kMaxRecordNumber = 99999;

// True for 4 characters A-Z / 0-9 (after upper-casing).
bool ValidArchiveName(std::string_view name);
// The archives of the program folder, upper case, sorted; TMPR only when asked.
std::vector<std::string> ListArchives(bool includeCurrent = false);
// "BASE (personale)", "TMPR (temporaneo)", "RICE (speciale)", "BANK (banca dati)", others as they are.
std::string ArchiveLabel(std::string_view name);

// One index entry as the windows show it.
struct IndexEntry {
    std::size_t index = 0; // record number in ST1
    std::string text;      // the 43 characters: name padded to 38 + 5-digit number
    std::string name;      // the name, right-trimmed
    int st2 = -1;          // ST2 record number, -1 when the suffix is not five digits
};

// The recall search: the entry the binary search stops on for a typed
// prefix (key = prefix padded with "!" to 38; lo = 1, hi = last; 100 rounds
// of mid = (lo+hi)/2, key > entry moves lo, else hi; both sides in upper
// case) and whether that entry begins with the prefix. The search settles
// with the key between lo and hi: the centre is hi, the first entry not
// before the key, unless only lo begins with the prefix (a whole word typed,
// "ROSSI" against "ROSSI MARIO", sorts after it). `texts` are the ST1 short
// strings, index 0 the template. With no entries beyond the template,
// centre is 0.
struct SearchResult {
    std::size_t centre = 0;
    bool matches = false;
};
SearchResult SearchPrefix(const std::vector<std::string>& texts, std::string_view prefix);

// A subject to store: its name in the index, its data and its notes.
struct NewSubject {
    std::string name;
    SubjectRecord record; // NoteRef is set when stored
    std::optional<NoteLines> notes;
};

class FileBatch;

class SubjectArchive {
public:
    explicit SubjectArchive(std::string name); // name as typed; upper-cased
    const std::string& Name() const { return name_; }

    bool Exists() const; // the ST1 file exists
    // Creates the three files with their template records; ArchiveError if
    // the name is not valid or the archive exists.
    void Create();
    // ArchiveError when a file size is not a multiple of its record size or
    // ST1/ST2 is missing.
    void Check() const;
    // Check() and, in addition, ArchiveError when an index entry's number
    // is not five digits or points past ST2 (TMPR, whose index holds a name
    // only, is not examined). Every write runs it first.
    void CheckEntries() const;

    std::size_t EntryCount() const;                 // ST1 records, template included
    SubjectIndex Index() const;                     // the ST1 file, read once
    std::vector<std::string> IndexTexts() const;    // all ST1 short strings, template included
    IndexEntry Entry(std::size_t index) const;
    std::vector<IndexEntry> Entries() const;        // entries 1..last, in index order
    // Every entry 1..last in index order with its subject, each file read
    // once; ArchiveError as CheckEntries.
    void ForEachSubject(const std::function<void(const IndexEntry&, const SubjectRecord&)>& visit) const;

    // ST2 record n; ArchiveError past the end.
    SubjectRecord Subject(int st2Number) const;
    // The subject's annotations: nothing when NoteRef is "00000" or blank,
    // not a number, past the end of ST3, or ST3 is missing.
    std::optional<NoteLines> Notes(const SubjectRecord& subject) const;

    // Stores a new subject: its notes (when given) as a new ST3 record
    // referenced by NoteRef, the record as a new ST2 record, and its index
    // entry by sorted insertion. Returns the final index position.
    // ArchiveError when the five-digit numbers are used up.
    std::size_t AddSubject(std::string_view name, SubjectRecord subject, const NoteLines* notes);
    // Stores several subjects, the files exactly as AddSubject one after
    // another in this order would leave them, in one write of each file.
    void AddSubjects(const std::vector<NewSubject>& subjects);

    // Puts the index entry (name padded/cut to 38 + number) in its place
    // by the sorted insertion (record 0 never moves); returns its position.
    std::size_t InsertEntry(std::string_view name, int st2Number);
    // Removes the index entry chosen (read earlier by Entry or Entries),
    // keeping the order; ST2 and ST3 stay as they are. The entry is
    // recognised by its text: when the index changed meanwhile it is found
    // where it went, and when it is gone ArchiveError, nothing deleted.
    // Returns the entry deleted, at its position then.
    IndexEntry DeleteEntry(const IndexEntry& chosen);
    // Removes the first entry whose name is `name` (trimmed, in any letter
    // case), found and removed in one change; nothing when there is none.
    std::optional<IndexEntry> DeleteNamed(std::string_view name);

    // Rewrites ST2 record n (and its notes: rewritten in place, or appended
    // when the subject had none); when the name changes the index entry
    // pointing at n is renamed and moved to keep the order. Returns the
    // entry's final position.
    std::size_t UpdateSubject(int st2Number, std::string_view newName, SubjectRecord subject,
                              const NoteLines* notes);

    // The first entry in index order whose name begins with `prefix`, in
    // any letter case (found by bisection).
    std::optional<IndexEntry> FindPrefix(std::string_view prefix) const;
    // Index positions of the entries whose name equals `name` (trimmed).
    std::vector<std::size_t> FindName(std::string_view name) const;
    // Index position of the entry pointing at ST2 record n.
    std::optional<std::size_t> FindNumber(int st2Number) const;

private:
    std::string name_;
};

// The current subject: rewrites TMPR.ST1 (the name only) and TMPR.ST2 with
// one record each; the place part of CoordPlace is put in display form.
// With a batch, the two rewrites are steps of it (the recall writes the
// current subject and its hand-over files in one batch).
void MakeCurrent(std::string_view name, const SubjectRecord& subject);
void MakeCurrent(std::string_view name, const SubjectRecord& subject, FileBatch& batch);

// Annotation hand-over: the four lines right-trimmed, cleaned of trailing
// junk and joined by " " (FileDum\Annotaz.dum); of the fourth line only its
// first 64 characters, the text-file number being no annotation. Empty
// lines stay out of the join; no notes write one empty line.
std::string JoinNotes(const NoteLines& notes);
void WriteAnnotationsHandOver(const std::optional<NoteLines>& notes);
void WriteAnnotationsHandOver(const std::optional<NoteLines>& notes, FileBatch& batch);

// The subject-text hand-over (FileDum\StrText.dum): archive and text-file
// number when the subject made current has a text, else no file, so that
// "Apri Testo" never opens the text of a previous subject.
void WriteSubjectTextHandOver(std::string_view archive, const std::string& textNumber);
void WriteSubjectTextHandOver(std::string_view archive, const std::string& textNumber, FileBatch& batch);

// The text-file number held in characters 65-69 of the fourth note line.
std::string TextNumberOf(const NoteLines& notes);

// Creates the subject's text file in folder <archive>txt: the number comes
// from FlagTxt.set (created with "1" with the folder), the file's first
// line is the name padded to 38, FlagTxt.set moves on. The number (5
// digits) is put into characters 65-69 of the fourth note line, and the
// hand-over files StrText.dum (archive, number) and DatModif.dum (the
// path) are written. Returns the number.
std::string CreateSubjectText(std::string_view archive, std::string_view name, NoteLines& notes);

// Appends an archive name to MMordina.dum when not yet listed.
void RememberArchiveName(std::string_view archive);

// The stored correction as the date key writes it: shortest general form,
// decimal comma, "+" when >= 0 ("-1", "+5,5", "+0").
std::string ZoneKeyText(long double zone);
// The correction as the user gives and reads it, the hours the local clock
// is ahead of universal time: the stored text with the opposite sign
// ("-2" -> "+2", "+0,61" -> "-0,61", "+0" -> "+0"). Nothing when the stored
// text is not a correction.
std::optional<std::string> ShownZoneText(std::string_view stored);

// A subject record from the birth input (BirthInput of the shared state):
// DateKey from the display date and the correction, CoordPlace from the
// coordinates and the place (cut to 39), the calendar, the nationality (cut
// to 20), the chart codes of the current chart tables (blank when not
// computed), NoteRef "00000".
SubjectRecord RecordFromBirthInput();
