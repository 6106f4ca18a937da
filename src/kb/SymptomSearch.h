#pragma once
// The symptom consultation: which remedies treat a symptom. The symptom is
// a line of OpzioneH\Sintomi.txt; the matches are the DBmain.rnd entries
// whose indication equals it exactly.
#include "kb/ConsultationPages.h"

#include <string>
#include <string_view>
#include <vector>

struct RemedyRecord;

// primary + " " + secondary planetary signature, cut to 71 characters.
std::string PlanetsBoxText(const RemedyRecord& r);
// The row of an entry: name, planets, signs, posology.
ConsultationRow SymptomRow(const RemedyRecord& r);

// The lines of a support list of OpzioneH\ for a window's list box. A
// missing file is reported as an Italian UserError that names it and says
// to rebuild the archives.
std::vector<std::string> ReadSupportList(const char* name);

class SymptomConsultation : public Consultation {
public:
    // The list of the window: the lines of Sintomi.txt, in file order.
    static std::vector<std::string> SymptomList();
    // Every entry whose indication equals the symptom (the indications of
    // DBmain.rnd read once, then the first page's records).
    void Search(std::string_view symptom);
    void NextPage();
    void PreviousPage();
    // Row button k (1..14): the next note of the row's remedy (warnings,
    // psychic synthesis, notes, supplementary notes). An empty row leaves
    // the pane as it is.
    void RowNote(int k);

protected:
    bool UpperAll() const override { return false; }
};
