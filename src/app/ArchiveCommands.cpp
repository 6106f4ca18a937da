#include "app/ArchiveCommands.h"

#include "app/ToolCommands.h"
#include "archive/BirthDataCheck.h"
#include "archive/CurrentSubject.h"
#include "archive/Places.h"
#include "archive/SubjectArchive.h"
#include "platform/Cp1252.h"
#include "platform/Errors.h"
#include "platform/FileBatch.h"
#include "platform/ProgramPath.h"
#include "platform/TextFile.h"
#include "shell/SharedState.h"
#include "shell/Texts.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>

const char* const kArchiveUsage =
    "archive list [A]                  elenca gli archivi, o i soggetti dell'archivio A\n"
    "  archive add A --name N --date gg/mm/aaaa --time hh:mm --zone Z --coords \"45N28 009E11\"\n"
    "              --place P [--nation S] [--calendar GR|GI] [--notes R1 R2 R3 R4]\n"
    "                                    registra un soggetto e lo rende corrente\n"
    "                                    (Z: ore avanti rispetto al tempo universale, +1 per l'Italia)\n"
    "  archive import A FILE.csv         registra i soggetti di un file CSV (intestazione:\n"
    "                                    name,date,time,zone,coords,place[,nation][,calendar])\n"
    "  archive recall A PREFISSO         rende corrente il primo soggetto che inizia per PREFISSO\n"
    "  archive delete A NOME             elimina il soggetto NOME dall'indice dell'archivio A";

namespace {

constexpr std::size_t kNameWidth = 38;
constexpr std::size_t kPlaceWidth = 27;       // characters 13-39 of CoordPlace
constexpr std::size_t kNationWidth = 20;
constexpr std::size_t kNoteWidths[4] = {70, 70, 70, 64}; // line 4 keeps 65-69 for the text number





std::string Quoted(const std::string& s)
{
    return "\"" + s + "\"";
}

// The subject line of the listings: name, ST2 number, date key,
// coordinates, place as stored, calendar.
std::string SubjectLine(const std::string& name, int number, const SubjectRecord& s)
{
    const std::string coords = TrimRightBlanks(Bounded(s.CoordPlace, 12));
    const std::string place = s.CoordPlace.size() > 12 ? TrimRightBlanks(s.CoordPlace.substr(12)) : std::string();
    return name + "\t" + ZeroPad(number, 5) + "\t" + s.DateKey + "\t" + coords + "\t" + place + "\t" + s.Calendar;
}

// ---- Archive names -----------------------------------------------------------

// The archive named on the command line, or the message that refuses it.
std::optional<SubjectArchive> UsableArchive(const std::string& typed, std::string& problem, bool allowCurrent = false)
{
    SubjectArchive archive(Cp1252::FromUtf8(typed));
    if (!ValidArchiveName(archive.Name()) || (!allowCurrent && archive.Name() == kCurrentArchive)) {
        problem = "Nome Archivio Non Ammesso: " + Quoted(Cp1252::FromUtf8(typed)) +
                  " (4 lettere o cifre; TMPR è l'archivio del soggetto corrente)";
        return std::nullopt;
    }
    return archive;
}

// ---- The data of one subject ------------------------------------------------------

// The fields of a subject as typed (Windows-1252).
struct SubjectInput {
    std::string name, date, time, zone, coords, place, nation, calendar;
    std::optional<NoteLines> notes;
};

// A subject ready for storing.
struct CheckedSubject {
    std::string name;
    std::string displayDate; // "dd/mm/yyyy hh:mm"
    long double storedZone = 0; // local clock time + storedZone = universal time
    std::string coords, place, nation;
    int calendar = 1;
    std::optional<NoteLines> notes;
};

bool HasControlCharacters(const std::string& s)
{
    for (unsigned char c : s)
        if (c < 0x20 || c == 0x7F)
            return true;
    return false;
}

// Every problem of the typed data, in Italian; empty when it can be stored.
std::vector<std::string> CheckSubject(const SubjectInput& in, CheckedSubject& out)
{
    std::vector<std::string> problems;
    const std::pair<const char*, const std::string*> texts[] = {
        {"il nome", &in.name},   {"la data", &in.date},        {"l'ora", &in.time},
        {"la correzione", &in.zone}, {"le coordinate", &in.coords}, {"il luogo", &in.place},
        {"la nazionalità", &in.nation}, {"il calendario", &in.calendar},
    };
    for (const auto& [what, text] : texts)
        if (HasControlCharacters(*text))
            problems.push_back(std::string(what) + " contiene caratteri di controllo");
    if (!problems.empty())
        return problems;

    out.name = TrimBlanks(in.name);
    if (out.name.empty())
        problems.push_back("manca il nome");
    else if (out.name.size() > kNameWidth)
        problems.push_back("il nome " + Quoted(out.name) + " supera i 38 caratteri");

    std::string calendar = TrimBlanks(in.calendar);
    UpperCaseInPlace(calendar);
    if (calendar.empty() || calendar == "GR")
        out.calendar = 1;
    else if (calendar == "GI")
        out.calendar = 0;
    else
        problems.push_back("calendario " + Quoted(in.calendar) + " non ammesso (GR gregoriano, GI giuliano)");

    const std::string dateText = TrimBlanks(in.date), timeText = TrimBlanks(in.time);
    const auto date = ParseBirthDate(dateText, out.calendar);
    if (!date)
        problems.push_back("data " + Quoted(in.date) + " non valida (gg/mm/aaaa, un giorno esistente, anni 0-2080)");
    const auto time = ParseBirthTime(timeText);
    if (!time)
        problems.push_back("ora " + Quoted(in.time) + " non valida (hh:mm, da 00:00 a 23:59)");
    if (date && time)
        out.displayDate = ZeroPad(date->day, 2) + "/" + ZeroPad(date->month, 2) + "/" + ZeroPad(date->year, 4) + " " +
                          ZeroPad(time->hour, 2) + ":" + ZeroPad(time->minute, 2);

    const auto zone = ParseZoneHours(TrimBlanks(in.zone));
    if (!zone)
        problems.push_back("correzione " + Quoted(in.zone) +
                           " non valida (ore avanti rispetto al tempo universale, da -14 a +14, es. +1)");
    else
        out.storedZone = -*zone; // the archive keeps the correction that turns clock time into UT

    out.coords = in.coords;
    if (!ValidCoordText(in.coords))
        problems.push_back("coordinate " + Quoted(in.coords) + " non valide (forma \"45N28 009E11\", minuti sotto 60)");

    out.place = TrimBlanks(in.place);
    if (out.place.empty())
        problems.push_back("manca il luogo");
    else if (out.place.size() > kPlaceWidth)
        problems.push_back("il luogo " + Quoted(out.place) + " supera i 27 caratteri");

    out.nation = TrimBlanks(in.nation);
    if (out.nation.size() > kNationWidth)
        problems.push_back("la nazionalità " + Quoted(out.nation) + " supera i 20 caratteri");

    if (in.notes) {
        NoteLines lines = *in.notes;
        bool any = false;
        for (std::size_t i = 0; i < 4; ++i) {
            if (HasControlCharacters(lines[i]))
                problems.push_back("la nota " + std::to_string(i + 1) + " contiene caratteri di controllo");
            lines[i] = TrimRightBlanks(lines[i]);
            if (lines[i].size() > kNoteWidths[i])
                problems.push_back("la nota " + std::to_string(i + 1) + " supera i " + std::to_string(kNoteWidths[i]) +
                                   " caratteri");
            any = any || !TrimBlanks(lines[i]).empty();
        }
        if (any)
            out.notes = lines;
    }
    return problems;
}

std::string JoinProblems(const std::vector<std::string>& problems)
{
    std::string text;
    for (const std::string& p : problems)
        text += (text.empty() ? "" : "; ") + p;
    return text;
}

// The record of a checked subject as the registration window makes it,
// from the birth input state.
SubjectRecord RecordOf(const CheckedSubject& s)
{
    BirthInput = BirthInputState {};
    BirthInput.Name = s.name;
    BirthInput.DisplayDate = s.displayDate;
    BirthInput.Place = s.place;
    BirthInput.CoordText = s.coords;
    BirthInput.ZoneText = ZoneKeyText(s.storedZone);
    BirthInput.Nationality = s.nation;
    BirthInput.Calendar = static_cast<std::uint8_t>(s.calendar);
    return RecordFromBirthInput();
}

// ---- archive list -------------------------------------------------------------------

int List(const std::vector<std::string>& args)
{
    if (args.size() > 1)
        return ToolUsage("archive list: troppi argomenti");
    if (args.empty()) {
        for (const std::string& name : ListArchives())
            ToolPrint(ArchiveLabel(name));
        return 0;
    }
    std::string problem;
    auto archive = UsableArchive(args[0], problem, true);
    if (!archive)
        return ToolFailure(problem);
    if (!archive->Exists())
        return ToolFailure("l'archivio " + archive->Name() + " non esiste");
    archive->CheckEntries();
    if (archive->Name() == kCurrentArchive) {
        // The current subject: its name alone in record 0.
        const std::string name = TrimRightBlanks(Bounded(archive->IndexTexts().at(0), kNameWidth));
        ToolPrint(SubjectLine(name, 0, archive->Subject(0)));
        return 0;
    }
    bool any = false;
    archive->ForEachSubject([&](const IndexEntry& e, const SubjectRecord& subject) {
        ToolPrint(SubjectLine(e.name, e.st2, subject));
        any = true;
    });
    if (!any)
        ToolMessage("ARCHIVIO VUOTO");
    return 0;
}

// ---- archive add ------------------------------------------------------------------------

int Add(const std::vector<std::string>& args)
{
    if (args.empty())
        return ToolUsage("archive add: manca il nome dell'archivio");
    std::map<std::string, std::string> options;
    std::optional<NoteLines> notes;
    std::string archiveName;
    static const char* const kKnown[] = {"--name", "--date", "--time", "--zone", "--coords",
                                         "--place", "--nation", "--calendar"};
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--notes") {
            if (notes)
                return ToolUsage("archive add: opzione --notes ripetuta");
            if (i + 4 >= args.size())
                return ToolUsage("archive add: --notes vuole quattro righe (anche vuote: \"\")");
            notes = NoteLines {Cp1252::FromUtf8(args[i + 1]), Cp1252::FromUtf8(args[i + 2]),
                               Cp1252::FromUtf8(args[i + 3]), Cp1252::FromUtf8(args[i + 4])};
            i += 4;
            continue;
        }
        if (a.rfind("--", 0) == 0) {
            bool known = false;
            for (const char* k : kKnown)
                known = known || a == k;
            if (!known)
                return ToolUsage("archive add: opzione sconosciuta: " + Cp1252::FromUtf8(a));
            if (options.count(a))
                return ToolUsage("archive add: opzione " + a + " ripetuta");
            if (i + 1 >= args.size())
                return ToolUsage("archive add: manca il valore dopo " + a);
            ++i;
            if (a == "--place") {
                // Spelt as the gazetteers spell places ("Łódź" is "Lódz"); a
                // name in another script would be stored as question marks.
                const std::optional<std::string> place = PlaceNameFromUtf8(args[i]);
                if (!place)
                    return ToolFailure("archive add: il luogo contiene lettere di un alfabeto non latino: "
                                       "scriverlo in lettere latine");
                options[a] = *place;
                continue;
            }
            options[a] = Cp1252::FromUtf8(args[i]);
            continue;
        }
        if (!archiveName.empty())
            return ToolUsage("archive add: argomento inatteso: " + Cp1252::FromUtf8(a));
        archiveName = a;
    }
    if (archiveName.empty())
        return ToolUsage("archive add: manca il nome dell'archivio");
    for (const char* required : {"--name", "--date", "--time", "--zone", "--coords", "--place"})
        if (!options.count(required))
            return ToolUsage(std::string("archive add: manca l'opzione ") + required);

    std::string problem;
    auto archive = UsableArchive(archiveName, problem);
    if (!archive)
        return ToolFailure(problem);
    if (archive->Exists())
        archive->CheckEntries(); // a damaged archive is reported before anything else

    SubjectInput in {options["--name"],   options["--date"],  options["--time"],   options["--zone"],
                     options["--coords"], options["--place"], options["--nation"], options["--calendar"],
                     notes};
    CheckedSubject s;
    const auto problems = CheckSubject(in, s);
    if (!problems.empty()) {
        for (const std::string& p : problems)
            ToolMessage(p);
        return kDataError;
    }

    // Stored as the registration window stores it (the archive created
    // when missing), then made current as that window leaves it: TMPR, the
    // annotations, no text of a previous subject, the trace of the archive.
    const SubjectRecord record = RecordOf(s);
    if (!archive->Exists())
        archive->Create();
    const std::size_t position = archive->AddSubject(s.name, record, s.notes ? &*s.notes : nullptr);
    RememberArchiveName(archive->Name());
    FileBatch current;
    MakeCurrent(s.name, record, current);
    WriteAnnotationsHandOver(s.notes, current);
    WriteSubjectTextHandOver(archive->Name(), {}, current);
    WriteTextLines(kRecallStateFile, {archive->Name(), s.name, std::to_string(position), s.name}, current);
    current.Commit();
    const IndexEntry entry = archive->Entry(position);
    ToolPrint(SubjectLine(entry.name, entry.st2, record));
    return 0;
}

// ---- archive import -------------------------------------------------------------------------

struct CsvRow {
    int line = 0; // line of the file where the row begins, 1 = the first
    std::vector<std::string> fields;
    std::string problem; // a quoting fault
};

// Comma-separated values with double-quote quoting ("" inside quotes is a
// quote; quoted fields may hold commas and line ends). Line ends CR LF, LF
// or CR.
std::vector<CsvRow> ParseCsv(const std::string& text)
{
    std::vector<CsvRow> rows;
    std::size_t i = 0;
    int line = 1;
    const std::size_t n = text.size();
    auto atLineEnd = [&](std::size_t p) { return p < n && (text[p] == '\n' || text[p] == '\r'); };
    auto skipLineEnd = [&]() {
        if (text[i] == '\r' && i + 1 < n && text[i + 1] == '\n')
            ++i;
        ++i;
        ++line;
    };
    while (i < n) {
        CsvRow row;
        row.line = line;
        std::string field;
        bool done = false;
        while (!done) {
            if (i < n && text[i] == '"') {
                ++i;
                bool closed = false;
                while (i < n) {
                    if (text[i] == '"') {
                        if (i + 1 < n && text[i + 1] == '"') {
                            field += '"';
                            i += 2;
                            continue;
                        }
                        ++i;
                        closed = true;
                        break;
                    }
                    if (text[i] == '\n' || (text[i] == '\r' && !(i + 1 < n && text[i + 1] == '\n')))
                        ++line;
                    field += text[i++];
                }
                if (!closed)
                    row.problem = "virgolette non chiuse";
                // Text between the closing quote and the next comma.
                while (i < n && text[i] != ',' && !atLineEnd(i)) {
                    if (text[i] != ' ' && text[i] != '\t' && row.problem.empty())
                        row.problem = "testo dopo le virgolette di chiusura";
                    ++i;
                }
            } else {
                while (i < n && text[i] != ',' && !atLineEnd(i))
                    field += text[i++];
            }
            row.fields.push_back(std::move(field));
            field.clear();
            if (i < n && text[i] == ',') {
                ++i;
                continue;
            }
            if (i < n)
                skipLineEnd();
            done = true;
        }
        rows.push_back(std::move(row));
    }
    return rows;
}

bool BlankRow(const CsvRow& row)
{
    for (const std::string& f : row.fields)
        if (!TrimBlanks(f).empty())
            return false;
    return row.problem.empty();
}

std::string LowerAscii(std::string s)
{
    for (char& c : s)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c + 32);
    return s;
}

int Import(const std::vector<std::string>& args)
{
    if (args.size() != 2)
        return ToolUsage("archive import: servono l'archivio e il file CSV");
    std::string problem;
    auto archive = UsableArchive(args[0], problem);
    if (!archive)
        return ToolFailure(problem);
    const std::string fileName = Cp1252::FromUtf8(args[1]);
    std::ifstream in(args[1], std::ios::binary);
    if (!in)
        return ToolFailure("impossibile leggere il file " + Quoted(fileName));
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad())
        return ToolFailure("impossibile leggere il file " + Quoted(fileName));
    if (archive->Exists())
        archive->CheckEntries();

    // UTF-8 (with or without its byte-order mark) or Windows-1252.
    bool utf8 = false;
    if (bytes.rfind("\xEF\xBB\xBF", 0) == 0) {
        bytes.erase(0, 3);
        utf8 = true;
    }
    const std::string text = utf8 || Cp1252::LooksLikeUtf8(bytes) ? Cp1252::FromUtf8(bytes) : bytes;

    std::vector<CsvRow> rows = ParseCsv(text);
    std::size_t first = 0;
    while (first < rows.size() && BlankRow(rows[first]))
        ++first;
    if (first == rows.size())
        return ToolFailure("il file " + Quoted(fileName) + " è vuoto (manca la riga di intestazione)");

    // The header names the columns.
    static const char* const kFields[] = {"name", "date", "time", "zone", "coords", "place", "nation", "calendar"};
    std::map<std::string, std::size_t> column;
    const CsvRow& header = rows[first];
    if (!header.problem.empty())
        return ToolFailure("intestazione (riga " + std::to_string(header.line) + "): " + header.problem);
    for (std::size_t c = 0; c < header.fields.size(); ++c) {
        const std::string name = LowerAscii(TrimBlanks(header.fields[c]));
        bool known = false;
        for (const char* f : kFields)
            known = known || name == f;
        if (!known)
            return ToolFailure("intestazione: campo sconosciuto " + Quoted(header.fields[c]) +
                           " (ammessi: name, date, time, zone, coords, place, nation, calendar)");
        if (column.count(name))
            return ToolFailure("intestazione: campo " + Quoted(name) + " ripetuto");
        column[name] = c;
    }
    for (const char* required : {"name", "date", "time", "zone", "coords", "place"})
        if (!column.count(required))
            return ToolFailure(std::string("intestazione: manca il campo \"") + required + "\"");

    // Every row is checked first; the good ones are then stored together,
    // the files written once, exactly as storing them one by one in the
    // order of the file would leave them.
    std::vector<NewSubject> subjects;
    int refused = 0;
    for (std::size_t r = first + 1; r < rows.size(); ++r) {
        const CsvRow& row = rows[r];
        if (BlankRow(row))
            continue;
        const std::string where = "riga " + std::to_string(row.line) + ": ";
        if (!row.problem.empty()) {
            ToolMessage(where + row.problem);
            ++refused;
            continue;
        }
        if (row.fields.size() != header.fields.size()) {
            ToolMessage(where + std::to_string(row.fields.size()) + " campi invece di " +
                    std::to_string(header.fields.size()));
            ++refused;
            continue;
        }
        auto field = [&](const char* name) {
            const auto it = column.find(name);
            return it == column.end() ? std::string() : row.fields[it->second];
        };
        SubjectInput input {field("name"),  field("date"),   field("time"),     field("zone"), field("coords"),
                            field("place"), field("nation"), field("calendar"), std::nullopt};
        CheckedSubject s;
        const auto problems = CheckSubject(input, s);
        if (!problems.empty()) {
            ToolMessage(where + JoinProblems(problems));
            ++refused;
            continue;
        }
        subjects.push_back({s.name, RecordOf(s), std::nullopt});
    }
    if (!subjects.empty()) {
        try {
            if (!archive->Exists())
                archive->Create();
            archive->AddSubjects(subjects);
            RememberArchiveName(archive->Name());
        } catch (const std::exception& e) {
            // Nothing of the list is in the index when the write fails.
            ToolMessage(ErrorMessageFor(e));
            ToolPrint("Soggetti registrati: 0");
            return kDataError;
        }
    }
    ToolPrint("Soggetti registrati: " + std::to_string(subjects.size()));
    if (refused > 0) {
        ToolMessage("Righe rifiutate: " + std::to_string(refused));
        return kDataError;
    }
    return 0;
}

// ---- archive recall and delete -------------------------------------------------------------

// An archive that must already exist (recall and delete never create one).
std::optional<SubjectArchive> ExistingArchive(const std::string& typed, std::string& problem)
{
    auto archive = UsableArchive(typed, problem);
    if (archive && !archive->Exists()) {
        problem = "l'archivio " + archive->Name() + " non esiste";
        archive.reset();
    }
    return archive;
}

int Recall(const std::vector<std::string>& args)
{
    if (args.size() != 2)
        return ToolUsage("archive recall: servono l'archivio e il prefisso del nome");
    std::string problem;
    auto archive = ExistingArchive(args[0], problem);
    if (!archive)
        return ToolFailure(problem);
    const std::string prefix = UpperName(Cp1252::FromUtf8(args[1]));
    const std::optional<IndexEntry> found = archive->FindPrefix(prefix);
    if (!found)
        return ToolFailure("nessun soggetto dell'archivio " + archive->Name() + " inizia per " +
                       Quoted(Cp1252::FromUtf8(args[1])));

    // Everything is read before the first file is written.
    const SubjectRecord subject = archive->Subject(found->st2);
    const std::optional<NoteLines> notes = archive->Notes(subject);
    const std::string textNumber = notes ? TextNumberOf(*notes) : std::string();

    // As the recall window's OK: the trace, the current subject, the
    // annotations and the subject's text, written in one batch.
    FileBatch batch;
    WriteTextLines(kRecallTraceFile, {ZeroPad(found->st2, 5), archive->Name()}, batch);
    MakeCurrent(found->name, subject, batch);
    WriteAnnotationsHandOver(notes, batch);
    WriteSubjectTextHandOver(archive->Name(), textNumber, batch);
    WriteTextLines(kRecallStateFile, {archive->Name(), prefix, std::to_string(found->index), found->name}, batch);
    batch.Commit();
    ToolPrint(SubjectLine(found->name, found->st2, subject));
    return 0;
}

int Delete(const std::vector<std::string>& args)
{
    if (args.size() != 2)
        return ToolUsage("archive delete: servono l'archivio e il nome del soggetto");
    std::string problem;
    auto archive = ExistingArchive(args[0], problem);
    if (!archive)
        return ToolFailure(problem);
    // Found and removed in one change of the archive, which checks it first.
    if (const auto deleted = archive->DeleteNamed(Cp1252::FromUtf8(args[1]))) {
        ToolPrint(SubjectLine(deleted->name, deleted->st2, archive->Subject(deleted->st2)));
        return 0;
    }
    return ToolFailure("nell'archivio " + archive->Name() + " non c'è il soggetto " + Quoted(Cp1252::FromUtf8(args[1])));
}

} // namespace

int RunArchiveCommand(const std::vector<std::string>& args)
{
    if (args.empty())
        return ToolUsage("archive: manca il sottocomando (list, add, import, recall, delete)");
    const std::string& sub = args[0];
    const std::vector<std::string> rest(args.begin() + 1, args.end());
    try {
        if (sub == "list")
            return List(rest);
        if (sub == "add")
            return Add(rest);
        if (sub == "import")
            return Import(rest);
        if (sub == "recall")
            return Recall(rest);
        if (sub == "delete")
            return Delete(rest);
    } catch (const ArchiveError& e) {
        return ToolFailure(e.what());
    }
    return ToolUsage("archive: sottocomando sconosciuto: " + Cp1252::FromUtf8(sub));
}
