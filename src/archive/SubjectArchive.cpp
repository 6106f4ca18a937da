#include "archive/SubjectArchive.h"
#include <filesystem>

#include "archive/BirthDataCheck.h"
#include "archive/ChartCodes.h"
#include "archive/CurrentSubject.h"
#include "platform/Errors.h"
#include "platform/FileBatch.h"
#include "platform/FileSystem.h"
#include "platform/FloatText.h"
#include "platform/ProgramPath.h"
#include "platform/RecordFile.h"
#include "platform/TextFile.h"
#include "shell/SharedState.h"
#include "shell/SubjectFields.h"
#include "shell/Texts.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr std::size_t kNameWidth = 38;
constexpr std::size_t kLine4TextWidth = 64; // the text-file number follows

std::string Upper(std::string_view s)
{
    return UpperName(s);
}

std::string FileOf(const std::string& archive, const char* ext)
{
    return archive + "." + ext;
}

bool AllDigits(std::string_view s)
{
    return !s.empty() && std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// A record number written as digits ("00012", "  12"); nothing otherwise.
std::optional<std::size_t> RecordNumber(std::string_view text)
{
    const std::string t = TrimBlanks(text);
    if (!AllDigits(t) || t.size() > 9)
        return std::nullopt;
    return static_cast<std::size_t>(std::stoul(t));
}

[[noreturn]] void Damaged(const std::string& archive, const std::string& what)
{
    throw ArchiveError("Archivio " + archive + " danneggiato: " + what + ". Nessuna modifica eseguita.");
}

void CheckSize(const std::string& archive, const RecordFile& f)
{
    if (f.Damaged())
        Damaged(archive, "la dimensione del file " + f.Name() + " non è un multiplo di " +
                             std::to_string(f.RecordSize()) + " byte");
}

// The text of a note line cut and padded for storage, the fourth line
// keeping its text-file number in characters 65-69.
std::string Line4WithNumber(std::string_view line4, std::string_view number)
{
    std::string text(line4.substr(0, std::min(line4.size(), kLine4TextWidth)));
    text.resize(kLine4TextWidth, ' ');
    return text + std::string(number);
}

} // namespace

bool ValidArchiveName(std::string_view name)
{
    if (name.size() != 4)
        return false;
    for (char c : Upper(name))
        if (!((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')))
            return false;
    return true;
}

std::vector<std::string> ListArchives(bool includeCurrent)
{
    std::vector<std::string> names;
    for (const std::string& file : FileSystem::List("", "????.ST1")) {
        const std::string name = Upper(file.substr(0, 4));
        if (!ValidArchiveName(name) || (!includeCurrent && name == kCurrentArchive))
            continue;
        names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    names.erase(std::unique(names.begin(), names.end()), names.end());
    return names;
}

std::string ArchiveLabel(std::string_view name)
{
    const std::string n = Upper(name);
    if (n == "BASE")
        return "BASE (personale)";
    if (n == "TMPR")
        return "TMPR (temporaneo)";
    if (n == "RICE")
        return "RICE (speciale)";
    if (n == "BANK")
        return "BANK (banca dati)";
    return std::string(name);
}

SearchResult SearchPrefix(const std::vector<std::string>& texts, std::string_view prefix)
{
    SearchResult result;
    if (texts.size() < 2) {
        result.matches = prefix.empty();
        return result;
    }
    const std::size_t last = texts.size() - 1;
    std::string key(prefix);
    if (key.size() < kNameWidth)
        key.resize(kNameWidth, '!');
    // Names are stored as typed and the prefix arrives upper-cased, so both
    // sides are compared in upper case.
    key = Upper(key);
    std::size_t lo = 1, hi = last;
    for (int round = 0; round < 100; ++round) {
        const std::size_t mid = (lo + hi) / 2;
        if (key > Upper(texts[mid]))
            lo = mid;
        else
            hi = mid;
        if (lo < 1)
            lo = 1;
    }
    // lo only ever moves to mid, so once lo and hi are neighbours the middle
    // stays on lo, the entry before the key. The entry the key leads to is
    // hi: the first one not before it (the last entry when the key is past
    // them all). A whole word typed ("ROSSI") puts the key after the names
    // that continue with a blank ("ROSSI MARIO"), since "!" follows the
    // blank: then lo is the one that begins with the prefix.
    const std::string wanted = Upper(std::string(prefix));
    auto begins = [&](std::size_t i) { return Upper(texts[i]).compare(0, wanted.size(), wanted) == 0; };
    result.centre = !begins(hi) && begins(lo) ? lo : hi;
    result.matches = prefix.empty() || begins(result.centre);
    return result;
}

// ---- SubjectArchive ---------------------------------------------------------

SubjectArchive::SubjectArchive(std::string name) : name_(Upper(TrimBlanks(name))) {}

namespace {
void RequireValidName(const std::string& name)
{
    if (!ValidArchiveName(name))
        throw ArchiveError("Nome Archivio Non Ammesso");
}
} // namespace

bool SubjectArchive::Exists() const
{
    return ValidArchiveName(name_) && RecordFile(FileOf(name_, "ST1"), kSt1Size).Exists();
}

void SubjectArchive::Create()
{
    RequireValidName(name_);
    RecordFile st1(FileOf(name_, "ST1"), kSt1Size);
    RecordFile st2(FileOf(name_, "ST2"), kSt2Size);
    RecordFile st3(FileOf(name_, "ST3"), kSt3Size);
    if (st1.Exists())
        throw ArchiveError("L'archivio " + name_ + " esiste già");
    // Data files left without their index are someone's data: never
    // overwritten by a new archive.
    if (st2.Exists() || st3.Exists())
        throw ArchiveError("Archivio " + name_ + " incompleto: esistono " + (st2.Exists() ? st2.Name() : st3.Name()) +
                           " ma non " + st1.Name() + ". Nessuna modifica eseguita.");
    // The data files first: an index never exists without them.
    FileBatch batch;
    batch.Replace(st2.Name(), TemplateSubjectRecord());
    batch.Replace(st3.Name(), TemplateNotesRecord());
    batch.Replace(st1.Name(), TemplateIndexRecord());
    batch.Commit();
}

void SubjectArchive::Check() const
{
    RequireValidName(name_);
    RecordFile st1(FileOf(name_, "ST1"), kSt1Size);
    RecordFile st2(FileOf(name_, "ST2"), kSt2Size);
    RecordFile st3(FileOf(name_, "ST3"), kSt3Size);
    if (!st1.Exists())
        throw ArchiveError("L'archivio " + name_ + " non esiste (manca il file " + st1.Name() + ")");
    if (!st2.Exists())
        Damaged(name_, "manca il file " + st2.Name());
    CheckSize(name_, st1);
    CheckSize(name_, st2);
    if (st3.Exists())
        CheckSize(name_, st3);
}

namespace {

// Every index entry ends with a five-digit number of an existing ST2
// record (TMPR, whose index holds a name only, is not examined).
void CheckIndexEntries(const std::string& archive, const SubjectIndex& index, std::size_t subjects)
{
    if (archive == kCurrentArchive)
        return;
    for (std::size_t i = 1; i < index.Count(); ++i) {
        const int n = index.Number(i);
        if (n < 0)
            Damaged(archive, "la voce " + std::to_string(i) + " dell'indice (\"" + TrimRightBlanks(index.Text(i)) +
                                 "\") non termina con un numero di cinque cifre");
        if (static_cast<std::size_t>(n) >= subjects)
            Damaged(archive, "la voce " + std::to_string(i) + " dell'indice punta al record " + ZeroPad(n, 5) +
                                 ", oltre la fine di " + FileOf(archive, "ST2") + " (" + std::to_string(subjects) +
                                 " record)");
    }
}

IndexEntry EntryOf(const SubjectIndex& index, std::size_t i)
{
    IndexEntry e;
    e.index = i;
    e.text = std::string(index.Text(i));
    e.name = std::string(index.Name(i));
    e.st2 = index.Number(i);
    return e;
}

// What one change of an archive starts from, read once.
struct ArchiveState {
    std::string name;
    SubjectIndex index;
    std::size_t subjects = 0; // ST2 records
    bool hasNotes = false;    // ST3 exists
    std::size_t notes = 0;    // ST3 records
};

// Reads the index and the sizes, and checks what every write requires:
// sound files, every entry pointing at an existing subject, the template
// records in place.
ArchiveState ReadForChange(const SubjectArchive& archive)
{
    archive.Check();
    ArchiveState s;
    s.name = archive.Name();
    s.index = SubjectIndex::Read(FileOf(s.name, "ST1"));
    s.subjects = RecordFile(FileOf(s.name, "ST2"), kSt2Size).Count();
    const RecordFile st3(FileOf(s.name, "ST3"), kSt3Size);
    s.hasNotes = st3.Exists();
    s.notes = s.hasNotes ? st3.Count() : 0;
    CheckIndexEntries(s.name, s.index, s.subjects);
    if (s.index.Count() == 0 || s.subjects == 0)
        Damaged(s.name, "manca il record modello (record 0)");
    return s;
}

// Every change of an archive's files is one read-modify-write made here:
// the state is read and checked once, `change` works on it and puts its
// writes into the batch, and the batch is committed in one step. A lock
// between processes belongs around this function: held from the read to
// the commit, it covers the whole of one action.
template <class Change>
auto Modify(const SubjectArchive& archive, Change&& change)
{
    ArchiveState state = ReadForChange(archive);
    FileBatch batch;
    auto result = change(state, batch);
    batch.Commit();
    return result;
}

// Record numbers are five digits in the index and in NoteRef.
void RequireRoom(const ArchiveState& s, std::size_t newSubjects, std::size_t newNotes)
{
    const std::size_t firstNote = s.hasNotes ? s.notes : 1; // after the template of a new ST3
    if ((newSubjects > 0 && s.subjects + newSubjects - 1 > kMaxRecordNumber) ||
        (newNotes > 0 && firstNote + newNotes - 1 > kMaxRecordNumber))
        throw ArchiveError("L'archivio " + s.name + " è pieno: i numeri dei soggetti e delle annotazioni arrivano a " +
                           std::to_string(kMaxRecordNumber) + ". Nessuna modifica eseguita.");
}

// Appends notes records, creating ST3 with its template when missing;
// returns the number of the first.
std::size_t StageNotes(ArchiveState& s, FileBatch& batch, const std::string& records, std::size_t count)
{
    const std::string st3 = FileOf(s.name, "ST3");
    if (!s.hasNotes) {
        batch.Replace(st3, TemplateNotesRecord() + records);
        s.hasNotes = true;
        s.notes = 1;
    } else {
        batch.AppendAt(st3, s.notes * kSt3Size, records);
    }
    const std::size_t first = s.notes;
    s.notes += count;
    return first;
}

// Stages the notes and the data of new subjects, numbered in the order
// given after the existing ones; returns their index records.
std::vector<std::string> StageSubjects(ArchiveState& s, FileBatch& batch, const std::vector<NewSubject>& subjects)
{
    std::size_t withNotes = 0;
    for (const NewSubject& n : subjects)
        withNotes += n.notes ? 1 : 0;
    RequireRoom(s, subjects.size(), withNotes);
    std::string notes;
    for (const NewSubject& n : subjects)
        if (n.notes)
            notes += EncodeNotes(*n.notes);
    std::size_t noteNumber = withNotes > 0 ? StageNotes(s, batch, notes, withNotes) : 0;

    // Notes, then the subjects, then their index entries: an interruption
    // leaves at most unreferenced records, never an entry without its data.
    std::string data;
    std::vector<std::string> entries;
    for (const NewSubject& n : subjects) {
        SubjectRecord record = n.record;
        record.NoteRef = n.notes ? ZeroPad(static_cast<long long>(noteNumber++), 5) : "00000";
        entries.push_back(EncodeIndexEntry(n.name, static_cast<int>(s.subjects + entries.size())));
        data += EncodeSubject(record);
    }
    batch.AppendAt(FileOf(s.name, "ST2"), s.subjects * kSt2Size, std::move(data));
    s.subjects += subjects.size();
    return entries;
}

} // namespace

void SubjectArchive::CheckEntries() const
{
    Check();
    if (name_ == kCurrentArchive)
        return;
    CheckIndexEntries(name_, SubjectIndex::Read(FileOf(name_, "ST1")),
                      RecordFile(FileOf(name_, "ST2"), kSt2Size).Count());
}

std::size_t SubjectArchive::EntryCount() const
{
    Check();
    return RecordFile(FileOf(name_, "ST1"), kSt1Size).Count();
}

SubjectIndex SubjectArchive::Index() const
{
    Check();
    return SubjectIndex::Read(FileOf(name_, "ST1"));
}

std::vector<std::string> SubjectArchive::IndexTexts() const
{
    const SubjectIndex index = Index();
    std::vector<std::string> texts;
    texts.reserve(index.Count());
    for (std::size_t i = 0; i < index.Count(); ++i)
        texts.emplace_back(index.Text(i));
    return texts;
}

IndexEntry SubjectArchive::Entry(std::size_t index) const
{
    Check();
    RecordFile st1(FileOf(name_, "ST1"), kSt1Size);
    if (index >= st1.Count())
        throw ArchiveError("L'archivio " + name_ + " non ha la voce " + std::to_string(index));
    IndexEntry e = EntryOf(SubjectIndex(st1.Read(index)), 0);
    e.index = index;
    return e;
}

std::vector<IndexEntry> SubjectArchive::Entries() const
{
    const SubjectIndex index = Index();
    std::vector<IndexEntry> entries;
    entries.reserve(index.Count());
    for (std::size_t i = 1; i < index.Count(); ++i)
        entries.push_back(EntryOf(index, i));
    return entries;
}

void SubjectArchive::ForEachSubject(const std::function<void(const IndexEntry&, const SubjectRecord&)>& visit) const
{
    Check();
    const SubjectIndex index = SubjectIndex::Read(FileOf(name_, "ST1"));
    const std::string data = ReadFileBytes(FileOf(name_, "ST2"));
    CheckIndexEntries(name_, index, data.size() / kSt2Size);
    for (std::size_t i = 1; i < index.Count(); ++i) {
        const IndexEntry e = EntryOf(index, i);
        visit(e, DecodeSubject(std::string_view(data).substr(static_cast<std::size_t>(e.st2) * kSt2Size, kSt2Size)));
    }
}

SubjectRecord SubjectArchive::Subject(int st2Number) const
{
    Check();
    RecordFile st2(FileOf(name_, "ST2"), kSt2Size);
    const std::size_t count = st2.Count();
    if (st2Number < 0 || static_cast<std::size_t>(st2Number) >= count)
        Damaged(name_, "il record " + ZeroPad(st2Number, 5) + " è oltre la fine di " + st2.Name() + " (" +
                           std::to_string(count) + " record)");
    return DecodeSubject(st2.Read(static_cast<std::size_t>(st2Number)));
}

std::optional<NoteLines> SubjectArchive::Notes(const SubjectRecord& subject) const
{
    Check();
    RecordFile st3(FileOf(name_, "ST3"), kSt3Size);
    const auto ref = RecordNumber(subject.NoteRef);
    if (!ref || *ref == 0 || !st3.Exists())
        return std::nullopt;
    // A reference past the end of ST3 is not an error of the archive: the
    // subject simply has no annotations.
    if (*ref >= st3.Count())
        return std::nullopt;
    return DecodeNotes(st3.Read(*ref));
}

std::size_t SubjectArchive::AddSubject(std::string_view name, SubjectRecord subject, const NoteLines* notes)
{
    return Modify(*this, [&](ArchiveState& s, FileBatch& batch) -> std::size_t {
        NewSubject n {std::string(name), std::move(subject), std::nullopt};
        if (notes)
            n.notes = *notes;
        const std::vector<std::string> entries = StageSubjects(s, batch, {n});
        if (s.name == kCurrentArchive) {
            // The current archive holds one entry: it is overwritten.
            batch.WriteAt(FileOf(s.name, "ST1"), 0, entries[0]);
            return 0;
        }
        const std::size_t position = s.index.Insert(entries[0]);
        batch.Replace(FileOf(s.name, "ST1"), s.index.Bytes());
        return position;
    });
}

void SubjectArchive::AddSubjects(const std::vector<NewSubject>& subjects)
{
    if (subjects.empty())
        return;
    Modify(*this, [&](ArchiveState& s, FileBatch& batch) {
        const std::vector<std::string> entries = StageSubjects(s, batch, subjects);
        if (s.name == kCurrentArchive)
            batch.WriteAt(FileOf(s.name, "ST1"), 0, entries.back());
        else {
            s.index.InsertAll(entries);
            batch.Replace(FileOf(s.name, "ST1"), s.index.Bytes());
        }
        return 0;
    });
}

std::size_t SubjectArchive::InsertEntry(std::string_view name, int st2Number)
{
    if (name_ == kCurrentArchive) {
        Check();
        // The current archive holds one entry: it is overwritten.
        RecordFile(FileOf(name_, "ST1"), kSt1Size).Write(0, EncodeIndexEntry(name, st2Number));
        return 0;
    }
    return Modify(*this, [&](ArchiveState& s, FileBatch& batch) {
        if (st2Number < 0 || static_cast<std::size_t>(st2Number) >= s.subjects)
            throw ArchiveError("Archivio " + s.name + ": il record " + ZeroPad(st2Number, 5) + " non esiste in " +
                               FileOf(s.name, "ST2") + ". Nessuna modifica eseguita.");
        const std::size_t position = s.index.Insert(EncodeIndexEntry(name, st2Number));
        batch.Replace(FileOf(s.name, "ST1"), s.index.Bytes());
        return position;
    });
}

IndexEntry SubjectArchive::DeleteEntry(const IndexEntry& chosen)
{
    return Modify(*this, [&](ArchiveState& s, FileBatch& batch) {
        if (chosen.index == 0)
            throw ArchiveError("Il record modello dell'archivio " + s.name + " non si può eliminare");
        // The entry chosen may have moved since it was read (another
        // window or the tool changed the archive): it is looked for by its
        // text, and never is another one deleted in its place.
        std::optional<std::size_t> at;
        if (chosen.index < s.index.Count() && s.index.Text(chosen.index) == chosen.text)
            at = chosen.index;
        else
            at = s.index.FindText(chosen.text);
        if (!at || *at == 0)
            throw ArchiveError("Il soggetto " + TrimRightBlanks(Bounded(chosen.text, kNameWidth)) +
                               " non è più nell'archivio " + s.name + ". Nessuna modifica eseguita.");
        const IndexEntry deleted = EntryOf(s.index, *at);
        s.index.Erase(*at);
        batch.Replace(FileOf(s.name, "ST1"), s.index.Bytes());
        return deleted;
    });
}

std::optional<IndexEntry> SubjectArchive::DeleteNamed(std::string_view name)
{
    return Modify(*this, [&](ArchiveState& s, FileBatch& batch) -> std::optional<IndexEntry> {
        const auto at = s.index.FirstNamed(name);
        if (!at)
            return std::nullopt;
        const IndexEntry deleted = EntryOf(s.index, *at);
        s.index.Erase(*at);
        batch.Replace(FileOf(s.name, "ST1"), s.index.Bytes());
        return deleted;
    });
}

std::size_t SubjectArchive::UpdateSubject(int st2Number, std::string_view newName, SubjectRecord subject,
                                          const NoteLines* notes)
{
    return Modify(*this, [&](ArchiveState& s, FileBatch& batch) {
        if (st2Number <= 0)
            throw ArchiveError("Il record modello dell'archivio " + s.name + " non si può modificare");
        if (static_cast<std::size_t>(st2Number) >= s.subjects)
            Damaged(s.name, "il record " + ZeroPad(st2Number, 5) + " è oltre la fine di " + FileOf(s.name, "ST2") +
                                " (" + std::to_string(s.subjects) + " record)");
        std::optional<std::size_t> position;
        for (std::size_t i = 1; i < s.index.Count() && !position; ++i)
            if (s.index.Number(i) == st2Number)
                position = i;
        if (!position)
            throw ArchiveError("Nell'archivio " + s.name + " nessuna voce dell'indice punta al record " +
                               ZeroPad(st2Number, 5) + ". Nessuna modifica eseguita.");
        const SubjectRecord stored =
            DecodeSubject(RecordFile(FileOf(s.name, "ST2"), kSt2Size).Read(static_cast<std::size_t>(st2Number)));

        if (notes) {
            const auto ref = RecordNumber(stored.NoteRef);
            if (ref && *ref > 0 && s.hasNotes && *ref < s.notes) {
                batch.WriteAt(FileOf(s.name, "ST3"), *ref * kSt3Size, EncodeNotes(*notes));
                subject.NoteRef = ZeroPad(static_cast<long long>(*ref), 5);
            } else {
                RequireRoom(s, 0, 1);
                subject.NoteRef = ZeroPad(static_cast<long long>(StageNotes(s, batch, EncodeNotes(*notes), 1)), 5);
            }
        } else {
            subject.NoteRef = stored.NoteRef; // the annotations stay with the subject
        }
        batch.WriteAt(FileOf(s.name, "ST2"), static_cast<std::size_t>(st2Number) * kSt2Size, EncodeSubject(subject));

        const std::string entry = EncodeIndexEntry(newName, st2Number);
        if (DecodeIndexText(entry) == s.index.Text(*position))
            return *position;
        s.index.Erase(*position);
        const std::size_t moved = s.index.Insert(entry);
        batch.Replace(FileOf(s.name, "ST1"), s.index.Bytes());
        return moved;
    });
}

std::optional<IndexEntry> SubjectArchive::FindPrefix(std::string_view prefix) const
{
    const SubjectIndex index = Index();
    const auto at = index.FirstWithPrefix(prefix);
    if (!at)
        return std::nullopt;
    return EntryOf(index, *at);
}

std::vector<std::size_t> SubjectArchive::FindName(std::string_view name) const
{
    const std::string wanted = TrimBlanks(Bounded(std::string(name), kNameWidth));
    const SubjectIndex index = Index();
    std::vector<std::size_t> found;
    for (std::size_t i = 1; i < index.Count(); ++i)
        if (TrimBlanks(index.Name(i)) == wanted)
            found.push_back(i);
    return found;
}

std::optional<std::size_t> SubjectArchive::FindNumber(int st2Number) const
{
    const SubjectIndex index = Index();
    for (std::size_t i = 1; i < index.Count(); ++i)
        if (index.Number(i) == st2Number)
            return i;
    return std::nullopt;
}

// ---- Current subject and hand-over files ----------------------------------

void MakeCurrent(std::string_view name, const SubjectRecord& subject, FileBatch& batch)
{
    SubjectRecord current = subject;
    std::string coords = Bounded(current.CoordPlace, 12);
    coords.resize(12, ' ');
    const std::string place = current.CoordPlace.size() > 12 ? current.CoordPlace.substr(12) : std::string();
    current.CoordPlace = Bounded(coords + PlaceDisplay(TrimRightBlanks(place)), 39);
    // Data first, then the name: each file is replaced whole with its one
    // record, so TMPR never holds more than one subject.
    batch.Replace(FileOf(kCurrentArchive, "ST2"), EncodeSubject(current));
    batch.Replace(FileOf(kCurrentArchive, "ST1"), EncodeNameOnly(name));
}

void MakeCurrent(std::string_view name, const SubjectRecord& subject)
{
    FileBatch batch;
    MakeCurrent(name, subject, batch);
    batch.Commit();
}

std::string JoinNotes(const NoteLines& notes)
{
    std::string joined;
    for (std::size_t i = 0; i < notes.size(); ++i) {
        // The fourth line ends with the text-file number, which is not part
        // of the annotation.
        std::string_view line = notes[i];
        if (i == 3)
            line = line.substr(0, std::min(line.size(), kLine4TextWidth));
        const std::string clean = StripTrailingJunk(TrimRightBlanks(line));
        if (TrimBlanks(clean).empty())
            continue;
        if (!joined.empty())
            joined += " ";
        joined += clean;
    }
    return joined;
}

void WriteAnnotationsHandOver(const std::optional<NoteLines>& notes, FileBatch& batch)
{
    WriteTextLines(kAnnotationsFile, {notes ? JoinNotes(*notes) : std::string()}, batch);
}

void WriteAnnotationsHandOver(const std::optional<NoteLines>& notes)
{
    WriteTextLines(kAnnotationsFile, {notes ? JoinNotes(*notes) : std::string()});
}

std::string TextNumberOf(const NoteLines& notes)
{
    const std::string& line4 = notes[3];
    if (line4.size() <= kLine4TextWidth)
        return {};
    const std::string number = TrimBlanks(line4.substr(kLine4TextWidth, 5));
    return AllDigits(number) ? number : std::string();
}

std::string CreateSubjectText(std::string_view archive, std::string_view name, NoteLines& notes)
{
    const std::string a = Upper(TrimBlanks(archive));
    if (!ValidArchiveName(a))
        throw ArchiveError("Nome Archivio Non Ammesso");
    const std::string folder = a + "txt";
    const std::string flag = folder + "\\FlagTxt.set";
    long long next = 1;
    if (auto lines = TryReadTextLines(flag)) {
        const auto n = ParseInteger(LineOrEmpty(*lines, 0));
        if (!n || *n < 1 || *n > 99999)
            throw ArchiveError("Il file " + flag + " non contiene un numero di testo valido (\"" +
                               LineOrEmpty(*lines, 0) + "\")");
        next = *n;
    }
    // A text the user already has is never overwritten: a number whose
    // file exists is skipped.
    auto textFile = [&](long long n) { return folder + "\\" + ZeroPad(n, 5) + ".txt"; };
    while (next <= 99999 && ProgramPath::Exists(textFile(next)))
        ++next;
    if (next > 99999)
        throw ArchiveError("Nella cartella " + folder + " non ci sono più numeri liberi per i testi");
    const std::string number = ZeroPad(next, 5);

    std::string firstLine = Bounded(std::string(name), kNameWidth);
    firstLine.resize(kNameWidth, ' ');
    WriteTextLines(textFile(next), {firstLine});
    WriteTextLines(flag, {std::to_string(next + 1)});

    notes[3] = Line4WithNumber(notes[3], number);
    WriteTextLines(kSubjectTextFile, {a, number});
    WriteTextLines(kEditTextFile, {folder + "/" + number + ".txt"});
    return number;
}

void RememberArchiveName(std::string_view archive)
{
    const std::string a = Upper(TrimBlanks(archive));
    std::vector<std::string> lines = TryReadTextLines(kArchiveOrderFile).value_or(std::vector<std::string>{});
    for (const std::string& l : lines)
        if (Upper(TrimBlanks(l)) == a)
            return;
    lines.push_back(Bounded(a, 6));
    WriteTextLines(kArchiveOrderFile, lines);
}

std::string ZoneKeyText(long double zone)
{
    if (zone == 0)
        return "+0";
    const std::string text = GeneralFloatText(zone, ',');
    return zone > 0 ? "+" + text : text;
}

std::optional<std::string> ShownZoneText(std::string_view stored)
{
    const auto zone = ParseZoneHours(TrimBlanks(stored));
    if (!zone)
        return std::nullopt;
    return ZoneKeyText(-*zone);
}

SubjectRecord RecordFromBirthInput()
{
    const auto& in = BirthInput;
    const std::string zoneText = TrimBlanks(in.ZoneText);
    std::optional<long double> zone = ParseLocaleReal(zoneText);
    if (!zone)
        zone = ParseFixedReal(zoneText);
    if (!zone || !std::isfinite(*zone))
        throw ConversionError(in.ZoneText, "non è una correzione oraria valida");

    SubjectRecord r;
    r.DateKey = Bounded(DisplayDateToKey(in.DisplayDate) + ZoneKeyText(*zone), 20);
    std::string coords = Bounded(in.CoordText, 12);
    coords.resize(12, ' ');
    r.CoordPlace = Bounded(coords + in.Place, 39);
    r.Calendar = in.Calendar == 1 ? "GR" : "GI";
    r.Nationality = Bounded(in.Nationality, 20);
    const ChartCodes codes = EncodeChartCodes();
    r.ChartCode72 = codes.code72;
    r.ChartCode60 = codes.code60;
    r.ChartCode124 = codes.code124;
    r.Header21 = " ";
    r.Header12 = " ";
    r.NoteRef = "00000";
    return r;
}

void WriteSubjectTextHandOver(std::string_view archive, const std::string& textNumber, FileBatch& batch)
{
    if (!textNumber.empty())
        WriteTextLines(kSubjectTextFile, {std::string(archive), textNumber}, batch);
    else
        batch.Remove(kSubjectTextFile);
}

void WriteSubjectTextHandOver(std::string_view archive, const std::string& textNumber)
{
    FileBatch batch;
    WriteSubjectTextHandOver(archive, textNumber, batch);
    batch.Commit();
}
