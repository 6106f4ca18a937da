#include "kb/TherapySearch.h"

#include "kb/KbRecords.h"
#include "platform/Errors.h"
#include "platform/RecordFile.h"
#include "platform/ShortString.h"
#include "platform/TextFile.h"
#include "shell/Texts.h"

#include <optional>

namespace {

constexpr std::size_t kFirstNoteOffset = 453;

// The first entry of a remedy's name in DBmain.rnd (its names read once).
std::optional<RemedyRecord> FirstRemedyNamed(std::string_view name)
{
    const std::vector<RemedyRecord> names = ReadPrimaryDatabase(kRemedyName);
    for (std::size_t r = 1; r < names.size(); ++r)
        if (names[r].Name == name)
            return ReadRemedies({static_cast<std::uint32_t>(r)}).front();
    return std::nullopt;
}

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
    const std::vector<std::uint32_t> matches = MatchingRecords(
        ReadRepertory(kRepertoryPathology), [&](const RepertoryRecord& r) { return r.Pathology == pathology; });
    PlaceMatches(matches, ReadRepertoryEntries, TherapyRow);
    if (!matches.empty())
        view_.heading = std::string(pathology);
}

void TherapyConsultation::NextPage()
{
    TurnPage(+1, ReadRepertoryEntries, TherapyRow);
}

void TherapyConsultation::PreviousPage()
{
    TurnPage(-1, ReadRepertoryEntries, TherapyRow);
}

void TherapyConsultation::RowNote(int k)
{
    if (k < 1 || k > static_cast<int>(view_.rows.size()))
        return;
    const std::string remedy = view_.rows[static_cast<std::size_t>(k - 1)].name;
    const std::string& pathology = view_.heading;
    if (pages_.RowState(k) == 0) {
        view_.note = {"Note su " + remedy + " / " + pathology, {}};
        const std::vector<RepertoryRecord> pairs = ReadRepertory(kRepertoryPathology | kRepertoryRemedy);
        for (std::size_t r = 1; r < pairs.size(); ++r) {
            if (pairs[r].Pathology != pathology || pairs[r].Remedy != remedy)
                continue;
            const std::string bytes = RecordFile(kRepertoryFile, kRepertoryRecordSize).Read(r);
            // The note's first part decides whether the pair has a note.
            const std::string first = ShortString<250>::Get(bytes.data() + kFirstNoteOffset);
            if (!StripTrailingJunk(first).empty())
                view_.note.text = DecodeRepertory(bytes).Notes;
            break;
        }
        if (view_.note.text.empty())
            view_.note.text = "Nessuna Nota registrata per questa combinazione Patologia-Rimedio";
    } else {
        const std::optional<RemedyRecord> found = FirstRemedyNamed(remedy);
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
