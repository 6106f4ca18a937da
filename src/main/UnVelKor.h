#pragma once
// The main window: current-subject panel, lunar-node and orb-set selectors,
// administrator code box and the three tab pages from which every other
// window is opened.
//
// Activation (FormActivate) runs when the window is first shown and again
// each time a window opened from it closes: it rereads the settings files
// and reloads the current subject, so every window finds fresh shared state.
#include "shell/SharedState.h"

#include <QWidget>
#include <string>

class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;
class QToolButton;
class QTimer;
class QDialog;

class TFoVelkor : public QWidget {
    Q_OBJECT
public:
    explicit TFoVelkor(QWidget* parent = nullptr);

    // Reads TMPR record 0 into CurrentSubject and shows it on the panel;
    // computes its chart into the shared tables unless computeChart is
    // false (the chart window, which computes it when it opens).
    void LoadCurrentSubject(bool computeChart = true);
    // Adopts orb set A, B or C (files of the orb settings) and shows it.
    void ApplyOrbSet(const std::string& letter);
    // The activation routine; guarded: a file error is reported and the
    // rest of the routine skipped.
    void FormActivate();
    // Number of completed activations (the run log is updated by the first).
    int ActivationCount() const { return activations_; }
    // Applies pending node and orb changes (normally at the next idle time).
    void MyIdleHandler();

    // Controls.
    QPlainTextEdit *MemoDati, *MemoAnnotaz;
    QLabel* Image1;
    QPushButton *BitBtnDati, *BitBtnInputA, *BitBtnCancel, *BitBtn1, *BBProped;
    QWidget* PanelGrafici;
    QPushButton *BBOriz, *BBoriz2, *BBVert, *BBvert2;
    QComboBox *ComboNodo, *ComboOrb;
    QPushButton* BBlk;
    QToolButton* SBtipoStamp;
    QLabel *LabTipo, *LabStampante;
    QPushButton* BBApriTesto;
    QLabel* Image9;
    QPushButton *BitBtnNomeCognome, *EdAggiorna, *BBistruz, *BBdispensa;
    QToolButton* SBpass;
    QLineEdit* EdPass;
    QComboBox* Cbox1;
    QTabWidget* PageControl1;
    // Tab "Consultazione Rimedi".
    QPushButton *BBSintomi, *BitBtn2, *BitBtn3, *Btovr1, *Btovr2, *Button1, *BitBtn4, *BBaggRep, *BitBtn5,
        *BitBtn7, *BitBtn8, *BitBtn6, *BitBtn9, *BBriceCompo, *BitBtn10;
    // Tab "Funzioni Accessorie".
    QPushButton *BitBtnVarOrbAsp, *BBCerchio, *BitBtn22, *BButility, *BBSalva;

    // The administrator code typed so far (upper case).
    const std::string& TypedCode() const { return typedCode_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* e) override;

private:
    void BuildControls();
    void ConnectHandlers();
    void ShowModalForm(QDialog* form, int offset, bool place = true);
    void SetCombosLocked(bool locked);
    void ScheduleIdle();
    void ComboNodoChange();
    void ComboNodoDblClick();
    void ComboOrbChange();
    void BBlkClick();
    void SBpassClick();
    void EdPassKey(const QString& text);
    void EdPassClick();
    void CheckTypedCode();
    void ShowAdminEditors(bool visible);
    void BBApriTestoClick();
    void BBdispensaClick();
    void Image9MouseDown();
    void Image9MouseUp();
    void LayoutGraphicWindows();
    void SummaryChart(SummaryLayout layout, const char* orientation, bool exchangeMarks);

    QTimer* idleTimer_;
    bool nodeChanged_ = false;
    bool orbChanged_ = false;
    bool runLogged_ = false;
    bool firstShown_ = false;
    int activations_ = 0;
    std::string typedCode_;
};
