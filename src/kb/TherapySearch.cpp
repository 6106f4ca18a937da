#include "kb/TherapySearch.h"

#include "kb/KbRecords.h"
#include "platform/Errors.h"
#include "platform/RecordFile.h"
#include "platform/ShortString.h"
#include "platform/TextFile.h"
#include "shell/UnServizi.h"

namespace {

// The bytes of every repertory record: the note's first part is needed as
// stored, not only joined with the others.
std::vector<std::string> RepertoryBytes()
{
    RecordFile file(kRepertoryFile, kRepertoryRecordSize);
    if (file.Damaged())
        throw UserError(std::string("Il file \"") + kRepertoryFile +
                        "\" \xE8 danneggiato: la sua lunghezza non \xE8 un multiplo di " +
                        std::to_string(kRepertoryRecordSize) + " byte.");
    return file.ReadAll();
}

constexpr std::size_t kFirstNoteOffset = 453;

} // namespace

ConsultationRow TherapyRow(const RepertoryRecord& r)
{
    return {r.Remedy, {}, {}, r.Posology};
}

std::vector<std::string> TherapyConsultation::PathologyList()
{
    return TryReadTextLines(kPathologyListFile).value_or(std::vector<std::string> {});
}

void TherapyConsultation::Search(std::string_view pathology)
{
    const std::vector<RepertoryRecord> records = ReadRepertory();
    BeginSearch();
    for (std::size_t r = 1; r < records.size(); ++r)
        if (records[r].Pathology == pathology) {
            PlaceMatch(static_cast<std::uint32_t>(r), TherapyRow(records[r]));
            view_.heading = records[r].Pathology;
        }
}

void TherapyConsultation::NextPage()
{
    TurnPage(+1, [] { return ReadRepertory(); }, [](const auto& record) { return TherapyRow(record); });
}

void TherapyConsultation::PreviousPage()
{
    TurnPage(-1, [] { return ReadRepertory(); }, [](const auto& record) { return TherapyRow(record); });
}

void TherapyConsultation::RowNote(int k)
{
    if (k < 1 || k > static_cast<int>(view_.rows.size()))
        return;
    const std::string remedy = view_.rows[static_cast<std::size_t>(k - 1)].name;
    const std::string& pathology = view_.heading;
    if (pages_.RowState(k) == 0) {
        view_.note = {"Note su " + remedy + " / " + pathology, {}};
        const std::vector<std::string> records = RepertoryBytes();
        for (std::size_t r = 1; r < records.size(); ++r) {
            const RepertoryRecord e = DecodeRepertory(records[r]);
            if (e.Pathology != pathology || e.Remedy != remedy)
                continue;
            // The note's first part decides whether the pair has a note.
            const std::string first =
                records[r].size() >= kFirstNoteOffset + ShortString<250>::Size
                    ? ShortString<250>::Get(records[r].data() + kFirstNoteOffset)
                    : std::string();
            if (!StripTrailingJunk(first).empty())
                view_.note.text = e.Notes;
            break;
        }
        if (view_.note.text.empty())
            view_.note.text = "Nessuna Nota registrata per questa combinazione Patologia-Rimedio";
    } else {
        const std::vector<RemedyRecord> records = ReadPrimaryDatabase();
        const RemedyRecord* found = nullptr;
        for (std::size_t r = 1; r < records.size() && !found; ++r)
            if (records[r].Name == remedy)
                found = &records[r];
        if (!found)
            view_.note = {remedy + " non \xE8 stato rintracciato nel Database Primario", {}};
        else
            view_.note = {NoteLabel(found->Name, "Avvertenze"),
                          found->Warnings.empty()
                              ? std::string("Il Database Primario non contempla Avvertenze per l'uso di questo Rimedio")
                              : found->Warnings};
    }
    pages_.AdvanceRow(k, 2);
}
