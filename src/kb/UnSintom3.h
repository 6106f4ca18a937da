#pragma once
// The plant tables by planet ("Piante per Pianeta", TFoSintom3) and by sign
// ("Piante per Segno", TFoSintom2): choose a planet or a sign and the list
// shows the plants of OpzioneS\DataStf.rnd that belong to it; a click on a
// plant shows the symptoms it treats, with the part used, the active
// principles, the properties and the remedy. The window by sign also
// rebuilds the table from its text source ("Crea Database", UnSintom2.h).
#include <QDialog>
#include <string>
#include <vector>

class QHBoxLayout;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

class TPlantTableForm : public QDialog {
    Q_OBJECT
public:
    std::vector<QRadioButton*> RBparole; // one per word, "Qualsiasi" last
    QLineEdit* EdScelta;                 // the chosen word
    QListWidget* ListBox1;               // the plants
    QLineEdit* EdTot;                    // how many plants
    QPlainTextEdit* Memo1;               // the symptoms of the plant clicked
    QPushButton* BitBtnRitorna;

protected:
    TPlantTableForm(const char* objectName, const char* caption, const char* groupCaption,
                    const std::vector<std::string>& words, bool bySign, QWidget* parent);
    void showEvent(QShowEvent* e) override;
    void FillPlants();
    QHBoxLayout* bottomRow_ = nullptr; // the buttons under the detail

private:
    void WordClick(const std::string& word);
    void ListBox1Click(QListWidgetItem* item);

    bool bySign_;
    std::string word_;
};

class TFoSintom3 : public TPlantTableForm {
    Q_OBJECT
public:
    explicit TFoSintom3(QWidget* parent = nullptr);
};
