#include "kb/SymptomSearch.h"

#include "kb/KbRecords.h"
#include "platform/Errors.h"
#include "platform/TextFile.h"
#include "shell/Texts.h"

std::string PlanetsBoxText(const RemedyRecord& r)
{
    return Bounded(r.PrimarySignature + " " + r.SecondarySignature, 71);
}

ConsultationRow SymptomRow(const RemedyRecord& r)
{
    return {r.Name, PlanetsBoxText(r), r.ZodiacSignature, r.Posology};
}

std::vector<std::string> ReadSupportList(const char* name)
{
    std::optional<std::vector<std::string>> lines = TryReadTextLines(name);
    if (!lines)
        throw UserError(std::string("Manca l'archivio di appoggio \"") + name +
                        "\": ricostruire gli archivi con \"Ricostruisci File\" del Database Primario.");
    return *lines;
}

std::vector<std::string> SymptomConsultation::SymptomList()
{
    return ReadSupportList(kSymptomListFile);
}

void SymptomConsultation::Search(std::string_view symptom)
{
    const std::vector<std::uint32_t> matches = MatchingRecords(
        ReadPrimaryDatabase(kRemedyIndications), [&](const RemedyRecord& r) { return r.Indications == symptom; });
    PlaceMatches(matches, ReadRemedies, SymptomRow);
    if (!matches.empty())
        view_.heading = std::string(symptom);
}

void SymptomConsultation::NextPage()
{
    TurnPage(+1, ReadRemedies, SymptomRow);
}

void SymptomConsultation::PreviousPage()
{
    TurnPage(-1, ReadRemedies, SymptomRow);
}

void SymptomConsultation::RowNote(int k)
{
    const std::uint32_t record = pages_.RowRecord(k);
    if (record == 0)
        return;
    const RemedyRecord r = ReadRemedy(record);
    switch (pages_.RowState(k)) {
    case 0:
        view_.note = {NoteLabel(r.Name, "Avvertenze"),
                      NoteText(r.Warnings, "Non \xE8 stato finora necessario prescrivere Avvertenze")};
        break;
    case 1:
        view_.note = {NoteLabel(r.Name, "Sintesi Psichica"),
                      NoteText(r.PsychicSynthesis, "Non \xE8 per ora stabilita una Sintesi Psichica")};
        break;
    case 2:
        view_.note = {NoteLabel(r.Name, "Note"), NoteText(r.Notes, "Il Database Primario non riporta Note")};
        break;
    default:
        view_.note = {NoteLabel(r.Name, "Note Supplementari"),
                      NoteText(r.SupplementaryNotes, "Il Database Primario non riporta Note Supplementari")};
        break;
    }
    pages_.AdvanceRow(k, 4);
}
