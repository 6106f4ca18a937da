#include "main/PendingForms.h"

#include "platform/Cp1252Q.h"
#include "platform/WindowPlacement.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QResizeEvent>
#include <QVBoxLayout>

TPendingForm::TPendingForm(const char* className, const char* caption, QWidget* parent) : QDialog(parent)
{
    setObjectName(QString::fromLatin1(className).mid(1)); // TFoCancel -> FoCancel
    setWindowTitle(ToQ(caption));
    setModal(true);
    LabInfo = new QLabel(ToQ("Funzione non ancora disponibile in questa versione."), this);
    LabInfo->setObjectName(QStringLiteral("LabInfo"));
    BBRitorna = new QPushButton(QStringLiteral("Ritorna"), this);
    BBRitorna->setObjectName(QStringLiteral("BBRitorna"));
    connect(BBRitorna, &QPushButton::clicked, this, &QDialog::accept);
    resize(420, 160);
    LabInfo->setGeometry(16, 24, 388, 40);
    BBRitorna->setGeometry(150, 100, 120, 32);
}

TPendingGraphicForm::TPendingGraphicForm(const char* className, const char* caption, QWidget* parent)
    : TPendingForm(className, caption, parent)
{
    KeepOwnPlacement(this); // laid over the whole screen by the main window
    Panel1 = new QWidget(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setAutoFillBackground(true);
    Panel1->setFixedHeight(48);
    BBRitorna->setParent(Panel1);
    BBRitorna->move(8, 8);
    LabInfo->move(16, 16);
    LabInfo->adjustSize();
    Panel1->setGeometry(0, height() - 48, width(), 48);
}

void TPendingGraphicForm::resizeEvent(QResizeEvent* e)
{
    TPendingForm::resizeEvent(e);
    // Until the activation places it, the panel follows the bottom edge.
    if (Panel1->y() + Panel1->height() > height() || Panel1->width() < width())
        Panel1->setGeometry(0, height() - Panel1->height(), width(), Panel1->height());
}

TPendingEditorForm::TPendingEditorForm(const char* className, const char* caption, QWidget* parent)
    : TPendingForm(className, caption, parent)
{
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(LabInfo);
    MemoInfo = new QPlainTextEdit(this);
    MemoInfo->setObjectName(QStringLiteral("MemoInfo"));
    layout->addWidget(MemoInfo);
    auto button = [&](QPushButton*& b, const char* name, const char* caption) {
        b = new QPushButton(ToQ(caption), this);
        b->setObjectName(QString::fromLatin1(name));
        layout->addWidget(b);
    };
    button(BBRico, "BBRico", "Ricostruisci File");
    button(BBinfo, "BBinfo", "Info");
    button(BBelimina, "BBelimina", "Elimina");
    button(BBsalva, "BBsalva", "Salva");
    button(BBnuovo, "BBnuovo", "Nuovo");
    button(BBmodifEle, "BBmodifEle", "Modifica Elenco");
    button(BBtrova, "BBtrova", "Trova");
    EdTrova = new QLineEdit(this);
    EdTrova->setObjectName(QStringLiteral("EdTrova"));
    layout->addWidget(EdTrova);
    layout->addWidget(BBRitorna);
    for (QWidget* w : AdminControls())
        w->setVisible(false);
}

std::vector<QWidget*> TPendingEditorForm::AdminControls() const
{
    return {MemoInfo, BBRico, BBinfo, BBelimina, BBsalva, BBnuovo, BBmodifEle, BBtrova, EdTrova};
}
