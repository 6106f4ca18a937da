#pragma once
// Plants and active principles: the composition of a remedy (kept in its
// notes), and the remedies whose composition holds a plant or principle.
#include "kb/UnRemedyText.h"

class QLabel;

class TFoPiante : public TRemedyTextForm {
    Q_OBJECT
public:
    explicit TFoPiante(QWidget* parent = nullptr);
    QLabel* Panel1; // the help note, shown by a click

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    std::string ShownText(const RemedyRecord& r) const override;

private:
    void Panel1Click();
};
