#include "archive/UnRegVlk.h"

#include "archive/CurrentSubject.h"
#include "archive/SubjectArchive.h"
#include "platform/Application.h"
#include "platform/Cp1252Q.h"
#include "platform/Dialogs.h"
#include "platform/FileBatch.h"
#include "platform/ProgramPath.h"
#include "platform/TextFile.h"
#include "shell/SharedState.h"
#include "shell/UnControlli.h"
#include "shell/UnServizi.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <filesystem>

TFormRegVlk* FormRegVlk = nullptr;

namespace {
QLineEdit* Shown(QWidget* parent, const char* name)
{
    auto* e = new QLineEdit(parent);
    e->setObjectName(QString::fromLatin1(name));
    e->setReadOnly(true);
    return e;
}

QLineEdit* Note(QWidget* parent, const char* name, int maxLength)
{
    auto* e = new QLineEdit(parent);
    e->setObjectName(QString::fromLatin1(name));
    e->setMaxLength(maxLength);
    return e;
}
} // namespace

TFormRegVlk::TFormRegVlk(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FormRegVlk"));
    setWindowTitle(ToQ("Registrazione Dati di Nascita"));
    setModal(true);
    EditNome = Shown(this, "EditNome");
    EditData = Shown(this, "EditData");
    EditCorr = Shown(this, "EditCorr");
    EditLocal = Shown(this, "EditLocal");
    EditCal = Shown(this, "EditCal");
    EditJD = Shown(this, "EditJD");
    EditCoord = Shown(this, "EditCoord");
    EditStato = Shown(this, "EditStato");
    EditNota1 = Note(this, "EditNota1", 70);
    EditNota2 = Note(this, "EditNota2", 70);
    EditNota3 = Note(this, "EditNota3", 70);
    EditNota4 = Note(this, "EditNota4", 64); // the rest of the line holds the text-file number
    ComboArchivi = new QComboBox(this);
    ComboArchivi->setObjectName(QStringLiteral("ComboArchivi"));
    EditNuovoArch = new QLineEdit(this);
    EditNuovoArch->setObjectName(QStringLiteral("EditNuovoArch"));
    EditNuovoArch->setMaxLength(4);
    EditNuovoArch->setToolTip(ToQ("Nome di un nuovo archivio: 4 lettere o cifre"));
    CheckBoxTesto = new QCheckBox(ToQ("Crea il Testo del Soggetto"), this);
    CheckBoxTesto->setObjectName(QStringLiteral("CheckBoxTesto"));
    BBRegistra = new QPushButton(ToQ("&Registra"), this);
    BBRegistra->setObjectName(QStringLiteral("BBRegistra"));
    BBAnnulla = new QPushButton(ToQ("&Annulla"), this);
    BBAnnulla->setObjectName(QStringLiteral("BBAnnulla"));
    BBRegistra->setAutoDefault(false);

    auto* root = new QVBoxLayout(this);
    auto* data = new QFormLayout();
    data->addRow(ToQ("Nome"), EditNome);
    data->addRow(ToQ("Data e ora locale"), EditData);
    data->addRow(ToQ("Correz. (ore)"), EditCorr);
    data->addRow(ToQ("Località"), EditLocal);
    data->addRow(ToQ("Stato"), EditStato);
    data->addRow(ToQ("Coordinate"), EditCoord);
    data->addRow(ToQ("Calendario"), EditCal);
    data->addRow(ToQ("Giorno Giuliano (TU)"), EditJD);
    root->addLayout(data);
    auto* notes = new QGroupBox(ToQ("Annotazioni"), this);
    auto* notesLayout = new QVBoxLayout(notes);
    for (QLineEdit* e : {EditNota1, EditNota2, EditNota3, EditNota4})
        notesLayout->addWidget(e);
    root->addWidget(notes);
    auto* target = new QFormLayout();
    target->addRow(ToQ("Archivio"), ComboArchivi);
    target->addRow(ToQ("oppure nuovo archivio"), EditNuovoArch);
    root->addLayout(target);
    root->addWidget(CheckBoxTesto);
    auto* buttons = new QHBoxLayout();
    buttons->addStretch();
    buttons->addWidget(BBRegistra);
    buttons->addWidget(BBAnnulla);
    root->addLayout(buttons);

    connect(BBRegistra, &QPushButton::clicked, this, [this] { Guarded([this] { BBRegistraClick(); }); });
    connect(BBAnnulla, &QPushButton::clicked, this, &QDialog::reject);
}

void TFormRegVlk::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    Guarded([this] { FormActivate(); });
}

void TFormRegVlk::FormActivate()
{
    const auto& in = BirthInput;
    EditNome->setText(ToQ(TrimRightBlanks(in.Name)));
    EditData->setText(ToQ(in.DisplayDate));
    // The user sees the correction as the hours the local clock is ahead of
    // universal time, the opposite of the stored value.
    EditCorr->setText(ToQ(ShownZoneText(in.ZoneText).value_or(in.ZoneText)));
    EditLocal->setText(ToQ(PlaceDisplay(in.Place)));
    EditStato->setText(ToQ(in.Nationality));
    EditCoord->setText(ToQ(in.CoordText));
    EditCal->setText(in.Calendar == 1 ? QStringLiteral("GREG") : QStringLiteral("GIUL"));
    EditJD->setText(ToQ(FixedDigits(13, in.JD)));
    for (QLineEdit* e : {EditNota1, EditNota2, EditNota3, EditNota4})
        e->clear();
    EditNuovoArch->clear();
    CheckBoxTesto->setChecked(false);
    ComboArchivi->clear();
    for (const std::string& name : ListArchives(false))
        ComboArchivi->addItem(ToQ(ArchiveLabel(name)), ToQ(name));
    const int base = ComboArchivi->findData(QStringLiteral("BASE"));
    ComboArchivi->setCurrentIndex(base >= 0 ? base : 0);
}

void TFormRegVlk::BBRegistraClick()
{
    const std::string name = TrimBlanks(BirthInput.Name);
    if (name.empty()) {
        Dialogs::Warning("Manca il Nome del Soggetto");
        return;
    }
    std::string archiveName = TrimBlanks(FromQ(EditNuovoArch->text()));
    if (archiveName.empty())
        archiveName = FromQ(ComboArchivi->currentData().toString());
    UpperCaseInPlace(archiveName);
    if (!ValidArchiveName(archiveName) || archiveName == kCurrentArchive) {
        Dialogs::Error("Nome Archivio Non Ammesso");
        return;
    }
    SubjectArchive archive(archiveName);
    if (!archive.Exists())
        archive.Create();
    archive.Check();

    NoteLines notes = {FromQ(EditNota1->text()), FromQ(EditNota2->text()), FromQ(EditNota3->text()),
                       FromQ(EditNota4->text())};
    const bool withText = CheckBoxTesto->isChecked();
    if (withText)
        CreateSubjectText(archiveName, name, notes);
    bool anyNote = withText;
    for (const std::string& l : notes)
        anyNote = anyNote || !TrimBlanks(l).empty();

    const SubjectRecord record = RecordFromBirthInput();
    const std::size_t position = archive.AddSubject(name, record, anyNote ? &notes : nullptr);
    RememberArchiveName(archiveName);
    // The subject made current with its hand-over files, in one batch.
    FileBatch current;
    MakeCurrent(name, record, current);
    WriteAnnotationsHandOver(anyNote ? std::optional<NoteLines>(notes) : std::nullopt, current);
    if (!withText)
        WriteSubjectTextHandOver(archiveName, {}, current);
    WriteTextLines(kRecallStateFile, {archiveName, name, std::to_string(position), name}, current);
    current.Commit();
    Dialogs::Information("Soggetto registrato nell'archivio " + archiveName);
    accept();
}
