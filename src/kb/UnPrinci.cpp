#include "kb/UnPrinci.h"

#include "kb/PrinciplesArchive.h"
#include "platform/Application.h"
#include "platform/Cp1252Q.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TFoPrinci::TFoPrinci(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FoPrinci"));
    setWindowTitle(ToQ("PRINCIPI CURATIVI"));
    setModal(true);
    Label1 = new QLabel(ToQ("Genera l'archivio Principi.sto dal testo Principi.txt"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Button1 = new QPushButton(ToQ("Genera archivio"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setAutoDefault(false);
    BitBtnRitorna = new QPushButton(ToQ("&Ritorna"), this);
    BitBtnRitorna->setObjectName(QStringLiteral("BitBtnRitorna"));
    BitBtnRitorna->setAutoDefault(false);

    auto* root = new QVBoxLayout(this);
    root->addWidget(Label1);
    auto* buttons = new QHBoxLayout();
    buttons->addWidget(Button1);
    buttons->addStretch();
    buttons->addWidget(BitBtnRitorna);
    root->addLayout(buttons);

    connect(Button1, &QPushButton::clicked, this, [this] { Guarded([this] { Button1Click(); }); });
    connect(BitBtnRitorna, &QPushButton::clicked, this, &QDialog::accept);
}

void TFoPrinci::Button1Click()
{
    BuildPrinciplesArchive();
}
