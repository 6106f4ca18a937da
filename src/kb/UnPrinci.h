#pragma once
// Curative principles: generates the archive Principi.sto from the text
// Principi.txt of the program folder.
#include <QDialog>

class QLabel;
class QPushButton;

class TFoPrinci : public QDialog {
    Q_OBJECT
public:
    explicit TFoPrinci(QWidget* parent = nullptr);
    QLabel* Label1;
    QPushButton* Button1; // "Genera archivio"
    QPushButton* BitBtnRitorna;

private:
    void Button1Click();
};
