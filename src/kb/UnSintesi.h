#pragma once
// Psychic synthesis: the "Sintesi Psichica" of a remedy, and the remedies
// whose synthesis holds a word.
#include "kb/UnRemedyText.h"

class TFoSintesi : public TRemedyTextForm {
    Q_OBJECT
public:
    explicit TFoSintesi(QWidget* parent = nullptr);
    QListWidget* ListBox1; // hidden work list

protected:
    void ListBox2Click(int row) override;
    std::string ShownText(const RemedyRecord& r) const override;
};
