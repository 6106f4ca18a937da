#pragma once
// Registration of a new subject, shown last by the birth-data input: the
// collected data (BirthInput of the shared state), four annotation lines,
// the target archive (an existing one, BASE preselected, or a new
// four-letter archive) and, on request, the subject's text file. The
// subject is stored in name order in its archive and becomes the current
// subject.
#include <QDialog>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;

class TFormRegVlk : public QDialog {
    Q_OBJECT
public:
    explicit TFormRegVlk(QWidget* parent = nullptr);

    QLineEdit *EditNome, *EditData, *EditCorr, *EditLocal, *EditCal, *EditJD, *EditCoord, *EditStato;
    QLineEdit *EditNota1, *EditNota2, *EditNota3, *EditNota4;
    QComboBox* ComboArchivi;   // existing archives
    QLineEdit* EditNuovoArch;  // a new archive name (4 letters), used when filled
    QCheckBox* CheckBoxTesto;  // create the subject's text file
    QPushButton *BBRegistra, *BBAnnulla;

protected:
    void showEvent(QShowEvent* e) override;

private:
    void FormActivate();
    void BBRegistraClick();
};

// The one registration window of the program (created with the others at start).
extern TFormRegVlk* FormRegVlk;
