#pragma once
// "Debilità Astrologiche / T": choose a planet and a sign, and the window
// lists the pathologies of the therapy repertory whose remedies carry that
// planetary and zodiacal signature; a click on a pathology shows its
// remedies with their signatures and the posology for that pathology.
#include "kb/Debilities.h"

#include <QDialog>
#include <vector>

class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

class TFoMali : public QDialog {
    Q_OBJECT
public:
    explicit TFoMali(QWidget* parent = nullptr);

    std::vector<QRadioButton*> RBpianeti; // the nine planet words, "Qualsiasi" last
    std::vector<QRadioButton*> RBsegni;   // the twelve sign words, "Qualsiasi" last
    QLineEdit* EdPianeta;                 // the chosen words, initially "Qualsiasi"
    QLineEdit* EdSegno;
    QPushButton* BBRicerca; // "Avvia Ricerca Patologie..."
    QListWidget* ListBox1;  // pathologies, with the number of remedies
    QLineEdit* EdTot;       // how many pathologies
    QPlainTextEdit* Memo1;  // the remedies of the pathology clicked
    QPushButton* BBpulisci; // "Pulisci"
    QPushButton* BitBtnRitorna;

protected:
    void showEvent(QShowEvent* e) override;

private:
    void BBRicercaClick();
    void ListBox1Click(QListWidgetItem* item);
    void Clear();

    std::vector<DebilityPathology> found_;
};
