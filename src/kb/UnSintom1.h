#pragma once
// Symptom consultation ("SINTOMI e Rimedi Correlati"): pick a symptom and
// read the remedies whose indication it is, 14 to a page, with their
// signatures, posology and notes.
#include "kb/SymptomSearch.h"
#include "kb/UnConsulta.h"

class TFoSintom1 : public TFoConsulta {
    Q_OBJECT
public:
    explicit TFoSintom1(QWidget* parent = nullptr);
    QLineEdit* EdDist; // the symptom shown

    const SymptomConsultation& State() const { return state_; }

protected:
    void showEvent(QShowEvent* e) override;
    Consultation& Logic() override { return state_; }
    void Search(const std::string& line) override { state_.Search(line); }
    void NextPage() override { state_.NextPage(); }
    void PreviousPage() override { state_.PreviousPage(); }
    void RowNote(int k) override { state_.RowNote(k); }

private:
    void FormActivate();
    SymptomConsultation state_;
};
