#pragma once
// "Piante per Segno": the plants of the plant table by sign, and the
// rebuild of the table from OpzioneS\DbTesto.Txt ("Crea Database").
#include "kb/UnSintom3.h"

class TFoSintom2 : public TPlantTableForm {
    Q_OBJECT
public:
    explicit TFoSintom2(QWidget* parent = nullptr);
    QPushButton* BBCrea; // "Crea Database"

private:
    void BBCreaClick();
};
