#pragma once
// Recall from an archive: choose an archive, find a subject by the first
// letters of its name, see its data and annotations, and make it the
// current subject (TMPR record 0).
#include "archive/SubjectRecord.h"

#include <QDialog>
#include <optional>

class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QScrollBar;
class SubjectList;

// The word orders "Inverti Cognome/Nome" steps through: two words swap;
// three words take the six orders of their positions in turn (as given,
// 1 3 2, 2 1 3, 2 3 1, 3 1 2, 3 2 1, then as given again); more words
// rotate by one word; one word stays.
std::string NextWordOrder(const std::string& original, int step);

class TFormRich : public QDialog {
    Q_OBJECT
public:
    explicit TFormRich(QWidget* parent = nullptr);

    QListWidget* FileListaArchivi; // hidden: the ST1 file names
    QListWidget* ListaArchivi;
    QLineEdit* EditArchi;
    QLineEdit* EditSoggetto;
    QListWidget* ListaNomi;
    QScrollBar* ScrollBar1;
    QLineEdit *EditNome, *EditData, *EditLocal, *EditNaz, *EditCorr, *EditCoord, *EditCal;
    QPlainTextEdit* MemoAnnotaz;
    QPushButton *BitBtnOK, *BitBtnAnnulla, *BitBtnInverti;

    SubjectList* List() const { return list_; }

protected:
    void showEvent(QShowEvent* e) override;
    void done(int result) override;

private:
    void FormActivate();
    void ListaNomiSelect(int line);
    void BitBtnOKClick();
    void BitBtnInvertiClick();
    void ClearDetails();

    SubjectList* list_;
    std::optional<SubjectRecord> chosen_;
    std::optional<NoteLines> notes_;
    int chosenNumber_ = -1;
    std::size_t chosenIndex_ = 0;
    std::string originalName_;
    int wordStep_ = 0;
};
