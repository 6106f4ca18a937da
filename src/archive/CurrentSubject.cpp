#include "archive/CurrentSubject.h"

#include "archive/SubjectRecord.h"
#include "platform/Errors.h"
#include "platform/FloatText.h"
#include "platform/ProgramPath.h"
#include "platform/RecordFile.h"
#include "platform/TextFile.h"
#include "shell/DateTexts.h"
#include "shell/SharedState.h"
#include "shell/SubjectFields.h"
#include "shell/Texts.h"

namespace {

std::string ReadRecord0(const char* name, std::size_t size)
{
    RecordFile f(name, size);
    if (f.Count() == 0)
        throw IoError(name, "lettura", "archivio vuoto");
    return f.Read(0);
}
} // namespace

void LoadCurrentSubjectData()
{
    SubjectLoaded = true;
    const std::string st1 = ReadRecord0("TMPR.ST1", kSt1Size);
    const SubjectRecord st2 = DecodeSubject(ReadRecord0("TMPR.ST2", kSt2Size));
    auto& s = CurrentSubject;

    s.Name = Bounded(DecodeIndexText(st1), 38);
    const DateKeyParts parts = SplitDateKey(PointToComma(st2.DateKey)); // sets Zone
    s.DisplayDate = Bounded(parts.displayDate, 80);
    s.ZoneText = Bounded(parts.zoneText, 5);
    s.ZoneDisplay = ZoneDisplay();

    s.CoordText = Bounded(st2.CoordPlace, 12);
    s.Place = PlaceDisplay(st2.CoordPlace.size() > 12 ? st2.CoordPlace.substr(12, 28) : std::string());
    s.Nationality = Bounded(st2.Nationality, 80);
    s.Header12 = Bounded(st2.Header12, 12);
    s.Header21 = Bounded(st2.Header21, 21);

    s.Calendar = st2.Calendar == "GR" ? 1 : 0;

    SplitDisplayDate(s.DisplayDate);
    s.JD = JulianDay(s.Calendar, s.Day, s.Month, s.Year, s.Hour, s.Minute) + s.Zone / 24.0L;
    SplitCoordinates(s.CoordText);
    s.JDCaption = "JD=" + DefaultFloatText(s.JD).substr(0, 12);
}

std::vector<std::string> CurrentSubjectSummary()
{
    const auto& s = CurrentSubject;
    return {
        s.Name,
        "Nascita " + s.DisplayDate + "  Correz. " + s.ZoneDisplay,
        "Località: " + s.Place,
        "Nazionalità: " + s.Nationality,
        "Coordinate: " + s.CoordText,
        s.Calendar == 1 ? "Calendario GREGORIANO" : "Calendario GIULIANO",
    };
}

std::string CurrentAnnotations()
{
    return LineOrEmpty(ReadTextLines(kAnnotationsFile), 0);
}

std::optional<std::string> SubjectTextPath()
{
    auto lines = TryReadTextLines(kSubjectTextFile);
    if (!lines)
        return std::nullopt;
    return TrimBlanks(LineOrEmpty(*lines, 0)) + "txt" + "/" + TrimBlanks(LineOrEmpty(*lines, 1)) + ".txt";
}

std::string TemplateIndexRecord()
{
    std::string name = "0 Registro vuoto";
    name.resize(38, '.');
    return EncodeIndexEntry(name, 0);
}

std::string TemplateSubjectRecord()
{
    SubjectRecord r;
    r.DateKey = r.CoordPlace = r.Calendar = r.Nationality = " ";
    r.ChartCode72 = r.ChartCode60 = r.ChartCode124 = r.Header21 = r.Header12 = " ";
    r.NoteRef = "     ";
    return EncodeSubject(r);
}

std::string TemplateNotesRecord()
{
    NoteLines lines = {
        "LO SPAZIO DELIMITATO DA QUESTA CORNICE E'DESTINATO A RICEVERE",
        "EVENTUALI ANNOTAZIONI SCRITTE DAGLI UTENTI. LE ANNOTAZIONI DEVONO",
        "RIFERIRSI A QUESTO SPECIFICO TEMA (O A QUESTA PERSONA).",
        "QUESTO TEMA NON CONTIENE PER ORA ANNOTAZIONI.",
    };
    for (auto& l : lines)
        l.resize(70, ' ');
    return EncodeNotes(lines);
}

bool EnsurePersonalArchive()
{
    if (ProgramPath::Exists("BASE.st1"))
        return false;
    // ST2 and ST3 first: an index is only ever present with its data files.
    RecordFile("BASE.ST2", kSt2Size).Replace({TemplateSubjectRecord()});
    RecordFile("BASE.ST3", kSt3Size).Replace({TemplateNotesRecord()});
    RecordFile("BASE.ST1", kSt1Size).Replace({TemplateIndexRecord()});
    return true;
}
