#include "archive/UnCancel.h"

#include "archive/SubjectArchive.h"
#include "archive/SubjectList.h"
#include "platform/Application.h"
#include "platform/Cp1252Q.h"
#include "platform/Dialogs.h"
#include "shell/UnServizi.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

TFoCancel::TFoCancel(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FoCancel"));
    setWindowTitle(ToQ("Eliminaz Dati Nascita"));
    setModal(true);
    const SubjectListControls list = CreateSubjectListControls(this);
    ListaArchivi = list.archives;
    EditArchi = list.archiveEdit;
    EditSoggetto = list.prefixEdit;
    ListaNomi = list.names;
    ScrollBar1 = list.scroll;
    auto detail = [this](const char* name) {
        auto* e = new QLineEdit(this);
        e->setObjectName(QString::fromLatin1(name));
        e->setReadOnly(true);
        return e;
    };
    EditNome = detail("EditNome");
    EditData = detail("EditData");
    EditLocal = detail("EditLocal");
    BBElimina = new QPushButton(ToQ("&Elimina"), this);
    BBElimina->setObjectName(QStringLiteral("BBElimina"));
    BBElimina->setEnabled(false);
    BBElimina->setAutoDefault(false);
    BBRitorna = new QPushButton(ToQ("&Ritorna"), this);
    BBRitorna->setObjectName(QStringLiteral("BBRitorna"));
    BBRitorna->setAutoDefault(false);

    auto* root = new QGridLayout(this);
    root->addLayout(list.archiveColumn, 0, 0);
    root->addLayout(list.nameColumn, 0, 1);
    auto* details = new QVBoxLayout();
    details->addWidget(new QLabel(ToQ("Soggetto da eliminare"), this));
    details->addWidget(EditNome);
    details->addWidget(EditData);
    details->addWidget(EditLocal);
    details->addStretch();
    root->addLayout(details, 0, 2);
    auto* buttons = new QHBoxLayout();
    buttons->addStretch();
    buttons->addWidget(BBElimina);
    buttons->addWidget(BBRitorna);
    root->addLayout(buttons, 1, 0, 1, 3);

    list_ = new SubjectList(ListaArchivi, EditArchi, EditSoggetto, ListaNomi, ScrollBar1, this);
    connect(list_, &SubjectList::LineChosen, this, [this](int line) { Guarded([&] { ListaNomiSelect(line); }); });
    connect(BBElimina, &QPushButton::clicked, this, [this] { Guarded([this] { BBEliminaClick(); }); });
    connect(BBRitorna, &QPushButton::clicked, this, &QDialog::accept);
}

void TFoCancel::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    Guarded([this] {
        chosen_.reset();
        EditNome->clear();
        EditData->clear();
        EditLocal->clear();
        BBElimina->setEnabled(false);
        list_->Activate();
    });
}

void TFoCancel::ListaNomiSelect(int line)
{
    const auto entry = list_->EntryAtLine(line);
    chosen_.reset();
    BBElimina->setEnabled(false);
    if (!entry)
        return;
    chosen_ = entry;
    EditNome->setText(ToQ(entry->name));
    EditData->clear();
    EditLocal->clear();
    if (entry->st2 >= 0) {
        const SubjectRecord s = list_->Archive().Subject(entry->st2);
        EditData->setText(ToQ(SplitDateKey(s.DateKey).displayDate));
        EditLocal->setText(ToQ(PlaceDisplay(TrimRightBlanks(s.CoordPlace.size() > 12 ? s.CoordPlace.substr(12) : ""))));
    }
    BBElimina->setEnabled(true);
}

void TFoCancel::BBEliminaClick()
{
    if (!chosen_ || !list_->IsOpen())
        return;
    const std::string archive = list_->Archive().Name();
    if (!Dialogs::AskYesNo("Eliminare dall'archivio " + archive + " il soggetto " + chosen_->name + " ?",
                           "Eliminaz Dati Nascita"))
        return;
    SubjectArchive(archive).DeleteEntry(*chosen_);
    chosen_.reset();
    EditNome->clear();
    EditData->clear();
    EditLocal->clear();
    BBElimina->setEnabled(false);
    list_->Reload();
}
