#pragma once
// Remedy consultation ("RIMEDI e Sintomi correlati"): pick a remedy and read
// every indication of it, 14 to a page, with its preparation type, warnings
// and psychic synthesis.
#include "kb/RemedySearch.h"
#include "kb/UnConsulta.h"

class TFoRimed : public TFoConsulta {
    Q_OBJECT
public:
    explicit TFoRimed(QWidget* parent = nullptr);
    QLineEdit* EdRime; // the chosen remedy
    QLineEdit* EdAvve; // its warnings
    QLabel* LabSpeci;  // preparation type
    QPlainTextEdit* MemoPare;      // note on use numbers
    QPlainTextEdit* MemoAvveLarge; // enlarged warnings

    const RemedyConsultation& State() const { return state_; }

protected:
    void showEvent(QShowEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    Consultation& Logic() override { return state_; }
    void Search(const std::string& line) override { state_.Search(line); }
    void NextPage() override { state_.NextPage(); }
    void PreviousPage() override { state_.PreviousPage(); }
    void RowNote(int k) override { state_.RowNote(k); }
    void Render() override;
    void HideZoom() override;

private:
    void FormActivate();
    void EdAvveDblClick();
    RemedyConsultation state_;
};
