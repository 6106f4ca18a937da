#pragma once
// Therapy repertory consultation ("TERAPIE"): pick a pathology and read the
// remedies prescribed for it with their posology, the note on each pair
// and the remedy's warnings.
#include "kb/TherapySearch.h"
#include "kb/UnConsulta.h"

class TFoTerapi : public TFoConsulta {
    Q_OBJECT
public:
    explicit TFoTerapi(QWidget* parent = nullptr);
    QLineEdit* EditCerca; // the search box
    QLineEdit* EdPato;    // the chosen pathology

    const TherapyConsultation& State() const { return state_; }

protected:
    void showEvent(QShowEvent* e) override;
    Consultation& Logic() override { return state_; }
    void Search(const std::string& line) override { state_.Search(line); }
    void NextPage() override { state_.NextPage(); }
    void PreviousPage() override { state_.PreviousPage(); }
    void RowNote(int k) override { state_.RowNote(k); }

private:
    void FormActivate();
    TherapyConsultation state_;
};
