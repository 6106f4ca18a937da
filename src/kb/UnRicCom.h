#pragma once
// "SINTOMI MULTIPLI": the remedies ranked against up to 15 symptoms present
// at once. The symptoms are copied from the list of all indications into
// the numbered boxes; "Avvia Ricerca" lists the remedies, each preceded by
// the number of chosen symptoms it is indicated for, highest first; a click
// on a remedy shows which of the chosen symptoms it covers, with the
// posology. TCriteriaForm holds what it shares with its twin over the
// therapy repertory, "TERAPIE COMPOSITE" (UnTerCom.h).
#include "kb/MultipleSearch.h"

#include <QDialog>
#include <array>
#include <string>
#include <vector>

class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPlainTextEdit;
class QPushButton;

class TCriteriaForm : public QDialog {
    Q_OBJECT
public:
    QListWidget* ListBox1; // the symptoms (pathologies) to choose from
    QLineEdit* EdCerca;    // incremental search, and the text of "Trova"
    std::array<QLineEdit*, kCriteriaCount> Ed{};     // Ed01..Ed15
    std::array<QPushButton*, kCriteriaCount> BB{};   // BB01..BB15, "X"
    std::array<QLabel*, kCriteriaCount> LabBox{};    // "01)".."15)"
    QPushButton* BBricerca;   // "Avvia Ricerca"
    QListWidget* ListBox2;    // hidden: the ranking in ascending order
    QLabel* LabRisultati;     // "Clic per sviluppare"
    QListWidget* ListBox3;    // the ranking, highest first
    QPlainTextEdit* Memo1;    // details of the remedies clicked
    QPushButton* BBpuliTutto; // "Pulisci Tutto"
    QPushButton* BBpuliMemo;  // "Pulisci"
    QPushButton* BBTrova;     // "Trova"
    QPushButton* BitBtnRitorna;

    // The 15 criteria as the boxes hold them.
    std::vector<std::string> Criteria() const;
    const std::string& SearchText() const { return searchText_; }

protected:
    TCriteriaForm(const char* objectName, const char* caption, const char* listCaption, QWidget* parent);

    // What the twins do differently.
    virtual std::vector<std::string> ActivateLists() = 0; // prepares the files, returns ListBox1's lines
    virtual std::vector<RankedRemedy> RunSearch(const std::vector<std::string>& criteria) = 0;
    virtual SearchDetail RunDetail(const std::string& item, const std::vector<std::string>& criteria) = 0;

    void showEvent(QShowEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormActivate();
    void ListBox1Click(QListWidgetItem* item);
    void EdChange();
    void BBricercaClick();
    void ListBox3Click(QListWidgetItem* item);
    void BBpuliTuttoClick();
    void BBTrovaClick();
    void ResetColours();
    void SelectLine(int line);

    std::vector<std::string> lines_;
    std::array<bool, kCriteriaCount> filled_{};
    std::string searchText_;
    std::size_t findPosition_ = 0;
};

class TFoRicCom : public TCriteriaForm {
    Q_OBJECT
public:
    explicit TFoRicCom(QWidget* parent = nullptr);

protected:
    std::vector<std::string> ActivateLists() override;
    std::vector<RankedRemedy> RunSearch(const std::vector<std::string>& criteria) override;
    SearchDetail RunDetail(const std::string& item, const std::vector<std::string>& criteria) override;
};
