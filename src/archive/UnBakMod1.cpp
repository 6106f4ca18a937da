#include "archive/UnBakMod1.h"

#include "archive/Backup.h"
#include "platform/Application.h"
#include "platform/Cp1252Q.h"
#include "platform/Dialogs.h"
#include "shell/SharedState.h"
#include "shell/UnControlli.h"

#include <QComboBox>
#include <QFont>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace {

constexpr int kColourBlue = 16711680;

QPushButton* Button(QWidget* parent, const char* name, const char* caption)
{
    auto* b = new QPushButton(ToQ(caption), parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoDefault(false);
    return b;
}

QLabel* Label(QWidget* parent, const char* name, const char* caption)
{
    auto* l = new QLabel(ToQ(caption), parent);
    l->setObjectName(QString::fromLatin1(name));
    return l;
}

QLineEdit* ReadOnlyEdit(QWidget* parent, const char* name)
{
    auto* e = new QLineEdit(parent);
    e->setObjectName(QString::fromLatin1(name));
    e->setReadOnly(true);
    return e;
}

} // namespace

TFoBakMod1::TFoBakMod1(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FoBakMod1"));
    setWindowTitle(ToQ("Backup/Ripristino Archivio BASE"));
    setModal(true);

    LabDef1 = Label(this, "LabDef1", "Definire l'Unità su cui copiare o");
    LabDef2 = Label(this, "LabDef2", "dalla quale attingere i dati.");
    BBCambiaDest = Button(this, "BBCambiaDest", "Definisci Unità Backup");
    DriveComboBox1 = new QComboBox(this);
    DriveComboBox1->setObjectName(QStringLiteral("DriveComboBox1"));
    DriveComboBox1->setMinimumWidth(260);
    BBchiudiScelta = Button(this, "BBchiudiScelta", "X");
    BBchiudiScelta->setFixedWidth(32);
    DirectoryListBox1 = new QListWidget(this);
    DirectoryListBox1->setObjectName(QStringLiteral("DirectoryListBox1"));
    DirectoryListBox1->setFixedHeight(DirectoryListBox1->fontMetrics().lineSpacing() * 6 + 12);
    LabDest = Label(this, "LabDest", "Unità:");
    EditDest = ReadOnlyEdit(this, "EditDest");
    EditData = ReadOnlyEdit(this, "EditData");
    EditData->setFixedWidth(110);
    LabOkDati = Label(this, "LabOkDati", "OK");
    QFont bold = LabOkDati->font();
    bold.setBold(true);
    LabOkDati->setFont(bold);
    LabOkDati->setVisible(false);
    BBbackup = Button(this, "BBbackup", "Backup");
    BBRestore = Button(this, "BBRestore", "Ripristino");
    BitBtnRitorna = Button(this, "BitBtnRitorna", "Ritorna");

    auto* root = new QVBoxLayout(this);
    root->addWidget(LabDef1);
    root->addWidget(LabDef2);
    auto* drives = new QHBoxLayout();
    drives->addWidget(BBCambiaDest);
    drives->addWidget(DriveComboBox1, 1);
    drives->addWidget(BBchiudiScelta);
    root->addLayout(drives);
    root->addWidget(DirectoryListBox1);
    auto* fields = new QGridLayout();
    fields->addWidget(LabDest, 0, 0);
    fields->addWidget(EditDest, 0, 1, 1, 2);
    fields->addWidget(new QLabel(ToQ("Ultimo backup:"), this), 1, 0);
    fields->addWidget(EditData, 1, 1);
    fields->addWidget(LabOkDati, 1, 2);
    root->addLayout(fields);
    auto* buttons = new QHBoxLayout();
    buttons->addWidget(BBbackup);
    buttons->addWidget(BBRestore);
    buttons->addStretch();
    buttons->addWidget(BitBtnRitorna);
    root->addLayout(buttons);

    auto on = [this](QPushButton* b, void (TFoBakMod1::*handler)()) {
        connect(b, &QPushButton::clicked, this, [this, handler] { Guarded([this, handler] { (this->*handler)(); }); });
    };
    on(BBCambiaDest, &TFoBakMod1::BBCambiaDestClick);
    on(BBchiudiScelta, &TFoBakMod1::BBchiudiSceltaClick);
    on(BBbackup, &TFoBakMod1::BBbackupClick);
    on(BBRestore, &TFoBakMod1::BBRestoreClick);
    connect(BitBtnRitorna, &QPushButton::clicked, this, &QDialog::accept);
    connect(DriveComboBox1, &QComboBox::activated, this,
            [this](int index) { Guarded([this, index] { DriveComboBox1Change(index); }); });
}

void TFoBakMod1::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    // Not when the window comes back from being minimised: the chosen
    // volume stays.
    if (!e->spontaneous())
        Guarded([this] { FormActivate(); });
}

void TFoBakMod1::FormActivate()
{
    // Until a volume is chosen in this window, backup and restore refuse.
    EditDest->setText(ToQ(kBackupPlaceholder));
    SetEditColours(EditDest, kColourRed, kColourBlack);
    PrintSettings.BackupFolder = kBackupPlaceholder;
    LabDef1->setVisible(true);
    LabDef2->setVisible(true);
    SetLabDest("Unità:", kColourBlack);
    LabOkDati->setVisible(false);
    EditData->setText(ToQ(LastBackupDate()));
    FillDriveList();
}

void TFoBakMod1::FillDriveList()
{
    const QSignalBlocker block(DriveComboBox1);
    DriveComboBox1->clear();
    for (const Volume& v : ListVolumes(WindowVolumeRoots()))
        DriveComboBox1->addItem(ToQ(v.label), ToQ(v.path));
    DirectoryListBox1->clear();
}

void TFoBakMod1::DriveComboBox1Change(int index)
{
    if (index < 0)
        return;
    const std::string volume = FromQ(DriveComboBox1->itemData(index).toString());
    const std::string folder = ChooseBackupVolume(volume);
    EditDest->setText(ToQ(folder));
    SetEditColours(EditDest, kColourAqua, kColourBlack);
    LabDef1->setVisible(false);
    LabDef2->setVisible(false);
    DirectoryListBox1->clear();
    for (const std::string& name : ListFolders(volume))
        DirectoryListBox1->addItem(ToQ(name));
}

void TFoBakMod1::BBCambiaDestClick()
{
    DriveComboBox1->showPopup();
}

void TFoBakMod1::BBchiudiSceltaClick()
{
    DriveComboBox1->hidePopup();
}

namespace {
// The text of a refused or failed backup or restore, in its message box.
BackupOutcome Shown(const BackupResult& r)
{
    if (!r.message.empty()) {
        if (r.IsError())
            Dialogs::Error(r.message);
        else
            Dialogs::Information(r.message);
    }
    return r.outcome;
}

BackupOutcome AskAndRestore(const std::string& folder)
{
    const BackupResult check = CheckRestoreSource(folder);
    if (check.outcome != BackupOutcome::Done)
        return Shown(check);
    if (!Dialogs::AskYesNo(kRestoreQuestion))
        return BackupOutcome::Declined;
    return Shown(RunRestore(folder));
}
} // namespace

void TFoBakMod1::BBbackupClick()
{
    LabOkDati->setVisible(false);
    SetLabDest("Destinaz.:", kColourBlue);
    if (Shown(RunBackup(PrintSettings.BackupFolder)) != BackupOutcome::Done)
        return;
    LabOkDati->setVisible(true);
    EditData->setText(ToQ(LastBackupDate()));
}

void TFoBakMod1::BBRestoreClick()
{
    LabOkDati->setVisible(false);
    SetLabDest("Sorgente:", kColourRed);
    switch (AskAndRestore(PrintSettings.BackupFolder)) {
    case BackupOutcome::NotDefined:
        SetLabDest("Unità:", kColourBlack);
        break;
    case BackupOutcome::Declined:
        SetLabDest("Origine:", kColourRed);
        break;
    case BackupOutcome::Done:
        LabOkDati->setVisible(true);
        SetLabDest("Unità:", kColourBlack);
        break;
    case BackupOutcome::Unavailable:
    case BackupOutcome::Failed:
        break;
    }
}

void TFoBakMod1::SetLabDest(const char* text, int colour)
{
    LabDest->setText(ToQ(text));
    QPalette p = LabDest->palette();
    p.setColor(QPalette::WindowText, ColourFromNumber(colour));
    LabDest->setPalette(p);
}
