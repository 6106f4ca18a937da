#include "kb/UnSintesi.h"

#include "platform/Cp1252Q.h"

#include <QLabel>
#include <QListWidget>

TFoSintesi::TFoSintesi(QWidget* parent)
    : TRemedyTextForm("FoSintesi", RemedyTextKind::Synthesis,
                      {"SINTESI PSICHICA", "Sintesi Psichica del  Rimedio", "Sintesi Psichica del Rimedio",
                       "Sintesi Psichica di ", "Rimedi", "Rimedi trovati", "Parola da cercare"},
                      parent)
{
    ListBox1 = new QListWidget(this);
    ListBox1->setObjectName(QStringLiteral("ListBox1"));
    ListBox1->setVisible(false);
}

void TFoSintesi::ListBox2Click(int row)
{
    LabelMemo->setText(ToQ("Sintesi Psichica"));
    TRemedyTextForm::ListBox2Click(row);
}

std::string TFoSintesi::ShownText(const RemedyRecord& r) const
{
    return SynthesisDisplay(r);
}
