#pragma once
// The therapy repertory consultation: the remedies prescribed for a
// pathology (a line of OpzioneH\Patolog.txt) with the posology for it, the
// note on each pathology-remedy pair and the remedy's general warnings.
#include "kb/ConsultationPages.h"

#include <string>
#include <string_view>
#include <vector>

struct RepertoryRecord;

// The row of a repertory entry: remedy and posology (name and fourth box).
ConsultationRow TherapyRow(const RepertoryRecord& r);

class TherapyConsultation : public Consultation {
public:
    // The lines of Patolog.txt; empty when the file is missing.
    static std::vector<std::string> PathologyList();
    // Every repertory entry of the pathology (Repertorio.rnd read once).
    void Search(std::string_view pathology);
    void NextPage();
    void PreviousPage();
    // Row button k: the note on the pair, then the remedy's warnings from
    // DBmain.rnd. An empty row leaves the pane as it is.
    void RowNote(int k);
};
