#pragma once
// Astrological signatures: the signatures of remedies clicked one by one in
// the list, or every remedy whose signatures hold a chosen planet and sign,
// fourteen rows at a time (the results kept in FileDum\Segnat.dum).
#include "kb/KbRebuild.h"

#include <QDialog>
#include <array>
#include <string>
#include <vector>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
struct SignatureRow;

class TFoSegnat : public QDialog {
    Q_OBJECT
public:
    explicit TFoSegnat(QWidget* parent = nullptr);

    static constexpr int kRows = 14;

    QListWidget* ListBox1; // hidden work list
    QListWidget* ListBox2; // "Rimedi"
    QLineEdit* EditCerca;
    std::array<QLineEdit*, kRows> EdP; // name
    std::array<QLineEdit*, kRows> EdD; // primary planetary signature
    std::array<QLineEdit*, kRows> EdE; // secondary planetary signature
    std::array<QLineEdit*, kRows> EdF; // zodiacal signature
    QRadioButton *RBsol, *RBlun, *RBmer, *RBven, *RBmar, *RBgio, *RBsat, *RBnon, *RBnos, *RBNoPia;
    QRadioButton *RBari, *RBtor, *RBgem, *RBcan, *RBleo, *RBver, *RBbil, *RBsco, *RBsag, *RBcap, *RBacq, *RBpes,
        *RBNoSeg;
    QLineEdit *EdPianeta, *EdSegno;
    QPushButton* BBRicerca;
    QLineEdit *EdTot, *EdPage;
    QPushButton *BBseguito, *BBAnticipo, *BBpulisci, *BitBtnRitorna;
    QLabel* LabNota;

    std::size_t CurrentPage() const { return page_; }
    bool SearchMode() const { return searchMode_; }

protected:
    void showEvent(QShowEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormActivate();
    void RBsolClick();
    void ListBox2Click(int row);
    void EditCercaKey(char key);
    void EditCercaClick();
    void BBRicercaClick();
    void BBseguitoClick();
    void BBAnticipoClick();
    void BBpulisciClick();

    void ClearRows();
    void FillRow(int k, const SignatureRow& row);
    void ShowPage(std::size_t n);

    std::vector<std::pair<QRadioButton*, const char*>> planetButtons_;
    std::vector<std::pair<QRadioButton*, const char*>> signButtons_;
    std::vector<RemedyListEntry> entries_;
    std::vector<std::string> names_;
    std::array<bool, kRows> used_ {};
    bool searchMode_ = false;
    std::size_t page_ = 1;
    std::size_t pages_ = 0;
    std::string searchText_;
};
