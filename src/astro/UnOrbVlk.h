#pragma once
// "Variazione Orbite Aspetti": edits the orb sets B and C and the two orbs
// shared by every set (parallels, antiscia), and adopts set A, B or C.
//
// The editable values live in FileDum\MMVarOrb.dum, the adopted set in
// FileSet\OrbiDomi.stt (shell/OrbSettings). Typed values are checked at the
// next idle time: aspect orbs 0..15, shared orbs 0..6, each edit aqua when
// valid, red (and emptied when out of range) when not; "Ritorna a Menu
// Principale" is enabled only while every value is valid.
#include "shell/OrbSettings.h"

#include <QDialog>
#include <array>
#include <functional>
#include <optional>
#include <string>

class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;

class TFoOrbVlk : public QDialog {
    Q_OBJECT
public:
    explicit TFoOrbVlk(QWidget* parent = nullptr);

    // Shows the adopted set in the main window's orb combo; receives the
    // combo text ("B (personali)"). Set by the form set at start.
    std::function<void(const std::string& item)> ShowOrbItem;

    // Controls, in the order of the aspect table: EditCongA..EditOppoA (set
    // A, read-only "± 10"), EditCongB..EditOppoB, EditCongC..EditOppoC.
    std::array<QLineEdit*, 14> EditsA {}, EditsB {}, EditsC {};
    QLineEdit *EditParal, *EditAntis;
    QFrame *BevelA, *BevelB, *BevelC; // the visible one marks the current set
    QLineEdit* Edit1;                 // letter of the current set
    QLabel* LabelOrbite;
    QPushButton *BitBtn3, *BitBtn2, *BitBtn1; // "Adotta" A, B, C
    QPushButton* BitBtnRitorna;

    // True while every value has been checked and found valid.
    bool ValuesValid() const { return valid_; }

protected:
    void showEvent(QShowEvent* e) override;
    void done(int result) override;

private:
    void FormActivate();
    void ShowOrbFile();
    void ShowOrbFileValues(const std::optional<OrbValues>& read);
    void EditCongBChange();
    void EditParalChange();
    void MyIdleHandler();
    void AdottaClick(const char* letter);
    void AdoptSet(const std::string& letter);
    void BitBtnRitornaClick();
    void FormClose();
    OrbValues TypedValues() const;
    std::string VisibleBevelLetter() const;

    QTimer* idleTimer_;
    bool valid_ = true;
    bool sharedUnchanged_ = true;
};
