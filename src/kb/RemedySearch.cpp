#include "kb/RemedySearch.h"

#include "kb/KbRecords.h"
#include "kb/SymptomSearch.h"
#include "shell/Texts.h"

const char* const kUseNumberNote = "Il numero tra parentesi si riferisce ad un impiego specifico del Rimedio e NON ad "
                                   "una variante del Rimedio stesso";
const char* const kNoWarningsText = "Non \xE8 stato finora necessario prescrivere Avvertenze";

ConsultationRow RemedyRow(const RemedyRecord& r)
{
    return {r.Name, PlanetsBoxText(r), r.ZodiacSignature, r.Indications};
}

std::string PreparationCaption(std::string_view name)
{
    std::string caption;
    if (name.find("MSA") != std::string_view::npos)
        caption = "(Macerato Spagirico-Alchemico)";
    if (name.find("TSA") != std::string_view::npos)
        caption = "(Tintura Spagirico-Alchemica)";
    if (name.find("QSPC") != std::string_view::npos)
        caption = "(Quintessenza Spagirica di Brennic Canonica)";
    return caption;
}

bool HasUseNumber(std::string_view name)
{
    for (char d = '1'; d <= '9'; ++d)
        if (name.find(std::string {'(', d, ')'}) != std::string_view::npos)
            return true;
    return false;
}

std::string NameBehindDisplay(std::string_view line)
{
    // The whole name stored behind the field (up to the 50 characters of a
    // name), so that a long name is found through its display line too.
    return line.size() > 70 ? std::string(line.substr(70, kNameCapacity)) : std::string();
}

std::vector<std::string> RemedyConsultation::RemedyList()
{
    return ReadSupportList(kDisplayListFile);
}

void RemedyConsultation::Clear()
{
    Consultation::Clear();
    warnings_.clear();
    caption_.clear();
    useNumberNote_ = false;
}

void RemedyConsultation::Search(std::string_view line)
{
    const std::vector<RemedyRecord> names = ReadPrimaryDatabase(kRemedyName);
    const auto named = [&](std::string_view name) {
        return MatchingRecords(names, [&](const RemedyRecord& r) { return r.Name == name; });
    };
    std::vector<std::uint32_t> matches = named(line);
    if (matches.empty()) {
        const std::string name = NameBehindDisplay(line);
        if (!name.empty())
            matches = named(name);
    }
    // The caption, warnings and psychic synthesis are those of the last
    // entry of the remedy.
    const RemedyRecord last = matches.empty() ? RemedyRecord {} : ReadRemedies({matches.back()}).front();
    PlaceMatches(matches, ReadRemedies, RemedyRow);
    useNumberNote_ = HasUseNumber(line);
    if (!matches.empty()) {
        caption_ = PreparationCaption(last.Name);
        view_.heading = last.Name;
        warnings_ = last.Warnings.empty() ? std::string(kNoWarningsText) : last.Warnings;
        view_.note.text = last.PsychicSynthesis;
    }
}

void RemedyConsultation::NextPage()
{
    TurnPage(+1, ReadRemedies, RemedyRow);
}

void RemedyConsultation::PreviousPage()
{
    TurnPage(-1, ReadRemedies, RemedyRow);
}

void RemedyConsultation::RowNote(int k)
{
    const std::uint32_t record = pages_.RowRecord(k);
    if (record == 0)
        return;
    const RemedyRecord r = ReadRemedy(record);
    switch (pages_.RowState(k)) {
    case 0:
        view_.note = {NoteLabel(r.Name, "Posologia"), StripTrailingJunk(r.Posology)};
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
