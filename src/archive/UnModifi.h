#pragma once
// Modification of the current subject's birth data and annotations, and
// creation of its text file. The changes go to TMPR record 0 and to the
// stored copy in its archive (found through the last recall's trace and the
// name), whose index entry moves when the name changes so that the archive
// stays sorted.
#include "archive/SubjectRecord.h"

#include <QDialog>
#include <optional>

class QLabel;
class QLineEdit;
class QPushButton;

class TFoModifi : public QDialog {
    Q_OBJECT
public:
    explicit TFoModifi(QWidget* parent = nullptr);

    QLineEdit *EditNome, *EditGiorno, *EditMese, *EditAnno, *EditOra, *EditMinuti, *EditCorr;
    QLineEdit *EditLocal, *EditCoord, *EditNaz, *EditCal;
    QLineEdit *EditNota1, *EditNota2, *EditNota3, *EditNota4;
    QLabel* LabArchivio; // where the stored copy is
    QPushButton *BBSalva, *BBCreaTesto, *BBRitorna;

    // The stored copy found at activation: archive and ST2 number.
    const std::optional<std::pair<std::string, int>>& StoredCopy() const { return stored_; }

protected:
    void showEvent(QShowEvent* e) override;

private:
    void FormActivate();
    void BBSalvaClick();
    void BBCreaTestoClick();
    NoteLines TypedNotes() const;

    SubjectRecord current_;
    std::string currentName_;
    std::optional<std::pair<std::string, int>> stored_;
    std::optional<NoteLines> notes_;
};
