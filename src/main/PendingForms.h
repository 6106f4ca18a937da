#pragma once
// Windows whose contents are not built yet. Each is a modal dialog with its
// caption, a line saying the function is not available yet, and a
// "Ritorna" button, so every button of the main window opens its window and
// returns. A window leaves this file when its real form is written.
#include <QDialog>
#include <vector>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

class TPendingForm : public QDialog {
    Q_OBJECT
public:
    TPendingForm(const char* className, const char* caption, QWidget* parent = nullptr);

    QLabel* LabInfo;
    QPushButton* BBRitorna;
};

// Full-screen graphic windows: their bottom button panel Panel1 is placed
// by the main window's activation.
class TPendingGraphicForm : public TPendingForm {
    Q_OBJECT
public:
    TPendingGraphicForm(const char* className, const char* caption, QWidget* parent = nullptr);
    QWidget* Panel1;

protected:
    void resizeEvent(QResizeEvent* e) override;
};

// Knowledge-base editors: the nine editing controls revealed by the
// administrator code.
class TPendingEditorForm : public TPendingForm {
    Q_OBJECT
public:
    TPendingEditorForm(const char* className, const char* caption, QWidget* parent = nullptr);
    QPlainTextEdit* MemoInfo;
    QPushButton *BBRico, *BBinfo, *BBelimina, *BBsalva, *BBnuovo, *BBmodifEle, *BBtrova;
    QLineEdit* EdTrova;
    std::vector<QWidget*> AdminControls() const;
};

#define QUILLON_PENDING_FORM(Base, Cls, Caption)                                                       \
    class Cls : public Base {                                                                          \
    public:                                                                                            \
        explicit Cls(QWidget* parent = nullptr) : Base(#Cls, Caption, parent) {}                      \
    };

QUILLON_PENDING_FORM(TPendingForm, TFoNomUte, "Cambio Nome Utente")
QUILLON_PENDING_FORM(TPendingGraphicForm, TFgrNaVlk, "Anteprima di Stampa")
QUILLON_PENDING_FORM(TPendingForm, TFoMetGra, "Chiudi")
QUILLON_PENDING_FORM(TPendingForm, TFoPrint, "Stampa")
QUILLON_PENDING_FORM(TPendingForm, TFoReMai1, "Testi dell'Utente")
QUILLON_PENDING_FORM(TPendingGraphicForm, TFgrTxtVlk, "Rotondità Cerchi e Ridimensionamento Schermo")
QUILLON_PENDING_FORM(TPendingForm, TFoSpeLin, "Spessore Linee")
QUILLON_PENDING_FORM(TPendingForm, TFoStampa, "Stampante")
QUILLON_PENDING_FORM(TPendingForm, TFoManut1, "Manutenzione")
QUILLON_PENDING_FORM(TPendingEditorForm, TFoMainArc, "DATABASE  PRIMARIO")
QUILLON_PENDING_FORM(TPendingEditorForm, TFoAggRep, "REPERTORIO TERAPIE")
QUILLON_PENDING_FORM(TPendingForm, TFoAggiorna, "SITUAZIONE AGGIORNAMENTI")
QUILLON_PENDING_FORM(TPendingForm, TFoReMaiH, "Testo del Soggetto")
QUILLON_PENDING_FORM(TPendingForm, TFoUtilit, "Utility Ricerca")
QUILLON_PENDING_FORM(TPendingForm, TFoIstDef, "Selezionare")
