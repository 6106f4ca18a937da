#include "archive/SubjectArchive.h"
#include <filesystem>

#include "archive/ChartCodes.h"
#include "archive/CurrentSubject.h"
#include "platform/Errors.h"
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
constexpr std::size_t kEntryWidth = 43;   // name + 5-digit number
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

// The ST2 number of an index text: its characters 39-43 when they are five
// digits, -1 otherwise.
int NumberOfText(std::string_view text)
{
    if (text.size() < kEntryWidth)
        return -1;
    const std::string_view suffix = text.substr(kNameWidth, 5);
    if (!AllDigits(suffix))
        return -1;
    return std::stoi(std::string(suffix));
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

// The bubble pass of a sorted insertion: from the last record down to
// record 2, each record that sorts before the one above it (short strings,
// unsigned bytes) is swapped with it; record 0 is never compared. `moving`
// is the position of the new entry; its final position is returned.
std::size_t BubbleDown(std::vector<std::string>& records, std::size_t moving)
{
    for (std::size_t i = records.size() - 1; i >= 2 && i < records.size(); --i) {
        if (DecodeIndexText(records[i]) < DecodeIndexText(records[i - 1])) {
            std::swap(records[i], records[i - 1]);
            if (moving == i)
                moving = i - 1;
            else if (moving == i - 1)
                moving = i;
        }
    }
    return moving;
}

// Appends `entry` to the index and puts it in its place; the index is
// rewritten whole, atomically, so a failure never leaves it half sorted.
std::size_t InsertSorted(RecordFile& st1, std::vector<std::string> records, std::string entry)
{
    records.push_back(std::move(entry));
    const std::size_t position = BubbleDown(records, records.size() - 1);
    st1.Replace(records);
    return position;
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

std::string UpperName(std::string_view text)
{
    std::string u(text);
    for (char& ch : u) {
        const auto c = static_cast<unsigned char>(ch);
        if ((c >= 'a' && c <= 'z') || (c >= 0xE0 && c <= 0xFE && c != 0xF7)) // a-z, à..þ but not ÷
            ch = static_cast<char>(c - 32);
        else if (c == 0x9A || c == 0x9C || c == 0x9E) // š œ ž
            ch = static_cast<char>(c - 16);
        else if (c == 0xFF) // ÿ
            ch = static_cast<char>(0x9F);
    }
    return u;
}

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
    st2.Replace({TemplateSubjectRecord()});
    st3.Replace({TemplateNotesRecord()});
    st1.Replace({TemplateIndexRecord()});
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

void SubjectArchive::CheckEntries() const
{
    Check();
    if (name_ == kCurrentArchive)
        return; // TMPR.ST1 holds a name only
    const std::size_t subjects = RecordFile(FileOf(name_, "ST2"), kSt2Size).Count();
    const std::vector<std::string> texts = IndexTexts();
    for (std::size_t i = 1; i < texts.size(); ++i) {
        const int n = NumberOfText(texts[i]);
        if (n < 0)
            Damaged(name_, "la voce " + std::to_string(i) + " dell'indice (\"" + TrimRightBlanks(texts[i]) +
                               "\") non termina con un numero di cinque cifre");
        if (static_cast<std::size_t>(n) >= subjects)
            Damaged(name_, "la voce " + std::to_string(i) + " dell'indice punta al record " + ZeroPad(n, 5) +
                               ", oltre la fine di " + FileOf(name_, "ST2") + " (" + std::to_string(subjects) +
                               " record)");
    }
}

namespace {
// Before any write: the files and every index entry are sound and the
// template records are there.
void CheckWritable(const SubjectArchive& archive)
{
    archive.CheckEntries();
    const std::string& name = archive.Name();
    if (RecordFile(FileOf(name, "ST1"), kSt1Size).Count() == 0 ||
        RecordFile(FileOf(name, "ST2"), kSt2Size).Count() == 0)
        Damaged(name, "manca il record modello (record 0)");
}
} // namespace

std::size_t SubjectArchive::EntryCount() const
{
    Check();
    return RecordFile(FileOf(name_, "ST1"), kSt1Size).Count();
}

std::vector<std::string> SubjectArchive::IndexTexts() const
{
    Check();
    std::vector<std::string> texts;
    for (const std::string& r : RecordFile(FileOf(name_, "ST1"), kSt1Size).ReadAll())
        texts.push_back(DecodeIndexText(r));
    return texts;
}

IndexEntry SubjectArchive::Entry(std::size_t index) const
{
    Check();
    RecordFile st1(FileOf(name_, "ST1"), kSt1Size);
    if (index >= st1.Count())
        throw ArchiveError("L'archivio " + name_ + " non ha la voce " + std::to_string(index));
    IndexEntry e;
    e.index = index;
    e.text = DecodeIndexText(st1.Read(index));
    e.name = TrimRightBlanks(Bounded(e.text, kNameWidth));
    e.st2 = NumberOfText(e.text);
    return e;
}

std::vector<IndexEntry> SubjectArchive::Entries() const
{
    const std::vector<std::string> texts = IndexTexts();
    std::vector<IndexEntry> entries;
    for (std::size_t i = 1; i < texts.size(); ++i) {
        IndexEntry e;
        e.index = i;
        e.text = texts[i];
        e.name = TrimRightBlanks(Bounded(e.text, kNameWidth));
        e.st2 = NumberOfText(e.text);
        entries.push_back(std::move(e));
    }
    return entries;
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

namespace {
// Appends a notes record, creating ST3 with its template when missing, and
// returns its number.
std::size_t AppendNotes(RecordFile& st3, const NoteLines& notes)
{
    if (!st3.Exists())
        st3.Replace({TemplateNotesRecord()});
    const std::size_t k = st3.Count();
    st3.Append(EncodeNotes(notes));
    return k;
}
} // namespace

std::size_t SubjectArchive::AddSubject(std::string_view name, SubjectRecord subject, const NoteLines* notes)
{
    CheckWritable(*this);
    RecordFile st1(FileOf(name_, "ST1"), kSt1Size);
    RecordFile st2(FileOf(name_, "ST2"), kSt2Size);
    RecordFile st3(FileOf(name_, "ST3"), kSt3Size);
    const std::vector<std::string> index = st1.ReadAll();
    // Notes, then the subject, then its index entry: an interruption leaves
    // at most an unreferenced record, never an entry without its data.
    subject.NoteRef = notes ? ZeroPad(static_cast<long long>(AppendNotes(st3, *notes)), 5) : "00000";
    const std::size_t number = st2.Count();
    st2.Append(EncodeSubject(subject));
    if (name_ == kCurrentArchive) {
        st1.Write(0, EncodeIndexEntry(name, static_cast<int>(number)));
        return 0;
    }
    return InsertSorted(st1, index, EncodeIndexEntry(name, static_cast<int>(number)));
}

std::size_t SubjectArchive::InsertEntry(std::string_view name, int st2Number)
{
    if (name_ == kCurrentArchive) {
        Check();
        // The current archive holds one entry: it is overwritten.
        RecordFile(FileOf(name_, "ST1"), kSt1Size).Write(0, EncodeIndexEntry(name, st2Number));
        return 0;
    }
    CheckWritable(*this);
    const std::size_t subjects = RecordFile(FileOf(name_, "ST2"), kSt2Size).Count();
    if (st2Number < 0 || static_cast<std::size_t>(st2Number) >= subjects)
        throw ArchiveError("Archivio " + name_ + ": il record " + ZeroPad(st2Number, 5) + " non esiste in " +
                           FileOf(name_, "ST2") + ". Nessuna modifica eseguita.");
    RecordFile st1(FileOf(name_, "ST1"), kSt1Size);
    return InsertSorted(st1, st1.ReadAll(), EncodeIndexEntry(name, st2Number));
}

void SubjectArchive::DeleteEntry(std::size_t index)
{
    CheckWritable(*this);
    RecordFile st1(FileOf(name_, "ST1"), kSt1Size);
    if (index == 0)
        throw ArchiveError("Il record modello dell'archivio " + name_ + " non si può eliminare");
    if (index >= st1.Count())
        throw ArchiveError("L'archivio " + name_ + " non ha la voce " + std::to_string(index));
    st1.Delete(index); // atomic rewrite: the others keep their order
}

std::size_t SubjectArchive::UpdateSubject(int st2Number, std::string_view newName, SubjectRecord subject,
                                          const NoteLines* notes)
{
    CheckWritable(*this);
    if (st2Number <= 0)
        throw ArchiveError("Il record modello dell'archivio " + name_ + " non si può modificare");
    const SubjectRecord stored = Subject(st2Number);
    const auto position = FindNumber(st2Number);
    if (!position)
        throw ArchiveError("Nell'archivio " + name_ + " nessuna voce dell'indice punta al record " +
                           ZeroPad(st2Number, 5) + ". Nessuna modifica eseguita.");

    RecordFile st1(FileOf(name_, "ST1"), kSt1Size);
    RecordFile st2(FileOf(name_, "ST2"), kSt2Size);
    RecordFile st3(FileOf(name_, "ST3"), kSt3Size);
    std::vector<std::string> index = st1.ReadAll();

    if (notes) {
        const auto ref = RecordNumber(stored.NoteRef);
        if (ref && *ref > 0 && st3.Exists() && *ref < st3.Count()) {
            st3.Write(*ref, EncodeNotes(*notes));
            subject.NoteRef = ZeroPad(static_cast<long long>(*ref), 5);
        } else {
            subject.NoteRef = ZeroPad(static_cast<long long>(AppendNotes(st3, *notes)), 5);
        }
    } else {
        subject.NoteRef = stored.NoteRef; // the annotations stay with the subject
    }
    st2.Write(static_cast<std::size_t>(st2Number), EncodeSubject(subject));

    std::string entry = EncodeIndexEntry(newName, st2Number);
    if (DecodeIndexText(entry) == DecodeIndexText(index[*position]))
        return *position;
    index.erase(index.begin() + static_cast<std::ptrdiff_t>(*position));
    return InsertSorted(st1, std::move(index), std::move(entry));
}

std::vector<std::size_t> SubjectArchive::FindName(std::string_view name) const
{
    const std::string wanted = TrimBlanks(Bounded(std::string(name), kNameWidth));
    std::vector<std::size_t> found;
    for (const IndexEntry& e : Entries())
        if (TrimBlanks(e.name) == wanted)
            found.push_back(e.index);
    return found;
}

std::optional<std::size_t> SubjectArchive::FindNumber(int st2Number) const
{
    for (const IndexEntry& e : Entries())
        if (e.st2 == st2Number)
            return e.index;
    return std::nullopt;
}

// ---- Current subject and hand-over files ----------------------------------

void MakeCurrent(std::string_view name, const SubjectRecord& subject)
{
    SubjectRecord current = subject;
    std::string coords = Bounded(current.CoordPlace, 12);
    coords.resize(12, ' ');
    const std::string place = current.CoordPlace.size() > 12 ? current.CoordPlace.substr(12) : std::string();
    current.CoordPlace = Bounded(coords + PlaceDisplay(TrimRightBlanks(place)), 39);
    // Data first, then the name: each file is replaced whole with its one
    // record, so TMPR never holds more than one subject.
    RecordFile(FileOf(kCurrentArchive, "ST2"), kSt2Size).Replace({EncodeSubject(current)});
    RecordFile(FileOf(kCurrentArchive, "ST1"), kSt1Size).Replace({EncodeNameOnly(name)});
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

void WriteSubjectTextHandOver(std::string_view archive, const std::string& textNumber)
{
    if (!textNumber.empty()) {
        WriteTextLines(kSubjectTextFile, {std::string(archive), textNumber});
        return;
    }
    std::error_code ec;
    std::filesystem::remove(ProgramPath::Resolve(kSubjectTextFile), ec);
}
