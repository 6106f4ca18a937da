#pragma once
// The remedy consultation: every indication of a remedy. The remedy is a
// line of OpzioneH\ProdotB.txt: a full name, or a display line (plant and
// preparation type in a 70-character field) followed by the full name.
#include "kb/ConsultationPages.h"

#include <string>
#include <string_view>
#include <vector>

struct RemedyRecord;

// The row of an entry: name, planets, signs, indications.
ConsultationRow RemedyRow(const RemedyRecord& r);
// LabSpeci for a name: the caption of the last preparation type it
// contains among "MSA", "TSA", "QSPC" (empty for none).
std::string PreparationCaption(std::string_view name);
// True when the name carries a use number "(1)" .. "(9)".
bool HasUseNumber(std::string_view name);
// The full name behind a display line of ProdotB.txt (the text from
// position 71), empty for a line of 70 characters or less.
std::string NameBehindDisplay(std::string_view line);

extern const char* const kUseNumberNote;   // MemoPare
extern const char* const kNoWarningsText;  // EdAvve without warnings

class RemedyConsultation : public Consultation {
public:
    // The list of the window: the lines of ProdotB.txt, in file order.
    static std::vector<std::string> RemedyList();
    // Every entry of the remedy (the names of DBmain.rnd read once): the line as a full
    // name, else the name behind its display field.
    void Search(std::string_view line);
    void NextPage();
    void PreviousPage();
    // Row button k: posology, psychic synthesis, notes, supplementary notes.
    void RowNote(int k);
    void Clear() override;

    const std::string& Warnings() const { return warnings_; } // EdAvve
    const std::string& Caption() const { return caption_; }   // LabSpeci
    bool UseNumberNote() const { return useNumberNote_; }     // MemoPare shown

private:
    std::string warnings_;
    std::string caption_;
    bool useNumberNote_ = false;
};
