#include "archive/UnModifi.h"

#include "archive/BirthDataCheck.h"
#include "archive/CurrentSubject.h"
#include "archive/SubjectArchive.h"
#include "platform/Application.h"
#include "platform/Cp1252Q.h"
#include "platform/Dialogs.h"
#include "platform/FloatText.h"
#include "platform/RecordFile.h"
#include "platform/TextFile.h"
#include "shell/UnServizi.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
QLineEdit* Edit(QWidget* parent, const char* name, int maxLength)
{
    auto* e = new QLineEdit(parent);
    e->setObjectName(QString::fromLatin1(name));
    e->setMaxLength(maxLength);
    return e;
}

std::string Text(const QLineEdit* e)
{
    return TrimBlanks(FromQ(e->text()));
}

// The stored copy of the current subject: the archive entry the last recall
// pointed at when it still carries the same name, else the first archive
// holding exactly one subject of that name.
std::optional<std::pair<std::string, int>> FindStoredCopy(const std::string& name)
{
    if (const auto trace = TryReadTextLines(kRecallTraceFile)) {
        const std::string archiveName = TrimBlanks(LineOrEmpty(*trace, 1));
        SubjectArchive archive(archiveName);
        const auto number = ParseInteger(LineOrEmpty(*trace, 0));
        if (number && ValidArchiveName(archiveName) && archive.Exists()) {
            try {
                if (const auto index = archive.FindNumber(*number))
                    if (archive.Entry(*index).name == name)
                        return std::make_pair(archive.Name(), *number);
            } catch (const ArchiveError&) {
            }
        }
    }
    for (const std::string& archiveName : ListArchives(false)) {
        SubjectArchive archive(archiveName);
        try {
            const auto found = archive.FindName(name);
            if (found.size() == 1)
                return std::make_pair(archiveName, archive.Entry(found[0]).st2);
        } catch (const ArchiveError&) {
        }
    }
    return std::nullopt;
}
} // namespace

TFoModifi::TFoModifi(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FoModifi"));
    setWindowTitle(ToQ("Modifica Dati Nascita / Crea Testo"));
    setModal(true);
    EditNome = Edit(this, "EditNome", 38);
    EditGiorno = Edit(this, "EditGiorno", 2);
    EditMese = Edit(this, "EditMese", 2);
    EditAnno = Edit(this, "EditAnno", 4);
    EditOra = Edit(this, "EditOra", 2);
    EditMinuti = Edit(this, "EditMinuti", 2);
    EditCorr = Edit(this, "EditCorr", 6);
    EditCorr->setToolTip(ToQ("Ore di anticipo dell'ora locale sul Tempo Universale (+1 per l'Italia)"));
    EditLocal = Edit(this, "EditLocal", 27);
    EditCoord = Edit(this, "EditCoord", 12);
    EditCoord->setToolTip(ToQ("Esempio: 45N28 009E11"));
    EditNaz = Edit(this, "EditNaz", 20);
    EditCal = Edit(this, "EditCal", 4);
    EditCal->setReadOnly(true);
    EditNota1 = Edit(this, "EditNota1", 70);
    EditNota2 = Edit(this, "EditNota2", 70);
    EditNota3 = Edit(this, "EditNota3", 70);
    EditNota4 = Edit(this, "EditNota4", 64);
    LabArchivio = new QLabel(this);
    LabArchivio->setObjectName(QStringLiteral("LabArchivio"));
    BBSalva = new QPushButton(ToQ("&Salva Modifiche"), this);
    BBSalva->setObjectName(QStringLiteral("BBSalva"));
    BBCreaTesto = new QPushButton(ToQ("Crea &Testo"), this);
    BBCreaTesto->setObjectName(QStringLiteral("BBCreaTesto"));
    BBRitorna = new QPushButton(ToQ("&Ritorna"), this);
    BBRitorna->setObjectName(QStringLiteral("BBRitorna"));
    for (QPushButton* b : {BBSalva, BBCreaTesto, BBRitorna})
        b->setAutoDefault(false);

    auto* root = new QVBoxLayout(this);
    auto* form = new QFormLayout();
    form->addRow(ToQ("Nome"), EditNome);
    auto* date = new QHBoxLayout();
    for (QLineEdit* e : {EditGiorno, EditMese, EditAnno, EditOra, EditMinuti}) {
        e->setMaximumWidth(60);
        date->addWidget(e);
    }
    date->addStretch();
    form->addRow(ToQ("Data (gg mm aaaa) e ora (hh mm)"), date);
    form->addRow(ToQ("Correz. (ore)"), EditCorr);
    form->addRow(ToQ("Località"), EditLocal);
    form->addRow(ToQ("Coordinate"), EditCoord);
    form->addRow(ToQ("Nazionalità"), EditNaz);
    form->addRow(ToQ("Calendario"), EditCal);
    root->addLayout(form);
    auto* notes = new QGroupBox(ToQ("Annotazioni"), this);
    auto* notesLayout = new QVBoxLayout(notes);
    for (QLineEdit* e : {EditNota1, EditNota2, EditNota3, EditNota4})
        notesLayout->addWidget(e);
    root->addWidget(notes);
    root->addWidget(LabArchivio);
    auto* buttons = new QHBoxLayout();
    buttons->addWidget(BBCreaTesto);
    buttons->addStretch();
    buttons->addWidget(BBSalva);
    buttons->addWidget(BBRitorna);
    root->addLayout(buttons);

    connect(BBSalva, &QPushButton::clicked, this, [this] { Guarded([this] { BBSalvaClick(); }); });
    connect(BBCreaTesto, &QPushButton::clicked, this, [this] { Guarded([this] { BBCreaTestoClick(); }); });
    connect(BBRitorna, &QPushButton::clicked, this, &QDialog::reject);
}

void TFoModifi::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    Guarded([this] { FormActivate(); });
}

void TFoModifi::FormActivate()
{
    currentName_ = TrimRightBlanks(DecodeIndexText(RecordFile("TMPR.ST1", kSt1Size).Read(0)));
    current_ = DecodeSubject(RecordFile("TMPR.ST2", kSt2Size).Read(0));
    stored_ = FindStoredCopy(currentName_);
    notes_.reset();
    SubjectRecord shown = current_;
    if (stored_) {
        SubjectArchive archive(stored_->first);
        shown = archive.Subject(stored_->second);
        notes_ = archive.Notes(shown);
        LabArchivio->setText(ToQ("Soggetto registrato nell'archivio " + stored_->first));
    } else {
        LabArchivio->setText(ToQ("Soggetto non presente negli archivi: si modifica solo il soggetto corrente"));
    }
    BBCreaTesto->setEnabled(stored_.has_value());

    EditNome->setText(ToQ(currentName_));
    const DateKeyParts parts = SplitDateKey(shown.DateKey);
    const std::string& d = parts.displayDate; // dd/mm/yyyy hh:mm
    EditGiorno->setText(ToQ(d.substr(0, 2)));
    EditMese->setText(ToQ(d.substr(3, 2)));
    EditAnno->setText(ToQ(d.substr(6, 4)));
    EditOra->setText(ToQ(d.size() >= 13 ? d.substr(11, 2) : ""));
    EditMinuti->setText(ToQ(d.size() >= 16 ? d.substr(14, 2) : ""));
    EditCorr->setText(ToQ(ShownZoneText(parts.zoneText).value_or("")));
    EditCoord->setText(ToQ(Bounded(shown.CoordPlace, 12)));
    EditLocal->setText(ToQ(TrimRightBlanks(shown.CoordPlace.size() > 12 ? shown.CoordPlace.substr(12) : "")));
    EditNaz->setText(ToQ(shown.Nationality));
    EditCal->setText(shown.Calendar == "GR" ? QStringLiteral("GREG") : QStringLiteral("GIUL"));
    const NoteLines lines = notes_.value_or(NoteLines {});
    EditNota1->setText(ToQ(TrimRightBlanks(lines[0])));
    EditNota2->setText(ToQ(TrimRightBlanks(lines[1])));
    EditNota3->setText(ToQ(TrimRightBlanks(lines[2])));
    EditNota4->setText(ToQ(TrimRightBlanks(Bounded(lines[3], 64))));
}

NoteLines TFoModifi::TypedNotes() const
{
    NoteLines lines = {FromQ(EditNota1->text()), FromQ(EditNota2->text()), FromQ(EditNota3->text()),
                       FromQ(EditNota4->text())};
    // The text-file number stays where it was.
    const std::string number = notes_ ? TextNumberOf(*notes_) : std::string();
    if (!number.empty()) {
        lines[3].resize(64, ' ');
        lines[3] += number;
    }
    return lines;
}

void TFoModifi::BBSalvaClick()
{
    const std::string name = Text(EditNome);
    if (name.empty()) {
        Dialogs::Warning("Manca il Nome del Soggetto");
        return;
    }
    const int calendar = current_.Calendar == "GR" ? 1 : 0;
    const auto date = ParseBirthDate(Text(EditGiorno) + "/" + Text(EditMese) + "/" + Text(EditAnno), calendar);
    const auto time = ParseBirthTime(Text(EditOra) + ":" + Text(EditMinuti));
    if (!date || !time) {
        Dialogs::Error("Data Scorretta");
        return;
    }
    const auto zone = ParseZoneHours(Text(EditCorr));
    if (!zone) {
        Dialogs::Error("Manca correzione Coordinate Totale");
        return;
    }
    const std::string coords = FromQ(EditCoord->text());
    if (!ValidCoordText(coords)) {
        Dialogs::Error("Coordinate Errate o Mancanti");
        return;
    }
    const std::string place = Text(EditLocal);
    if (place.empty()) {
        Dialogs::Warning("Manca Nome Località");
        return;
    }

    SubjectRecord record = stored_ ? SubjectArchive(stored_->first).Subject(stored_->second) : current_;
    record.DateKey = Bounded(ZeroPad(date->year, 4) + ZeroPad(date->month, 2) + ZeroPad(date->day, 2) +
                                 ZeroPad(time->hour, 2) + ZeroPad(time->minute, 2) + ZoneKeyText(-*zone),
                             20);
    record.CoordPlace = Bounded(coords + place, 39);
    record.Nationality = Bounded(Text(EditNaz), 20);
    NoteLines notes = TypedNotes();
    bool anyNote = false;
    for (const std::string& l : notes)
        anyNote = anyNote || !TrimBlanks(l).empty();
    const NoteLines* notesToStore = (anyNote || notes_) ? &notes : nullptr;

    if (stored_) {
        SubjectArchive archive(stored_->first);
        archive.UpdateSubject(stored_->second, name, record, notesToStore);
        record = archive.Subject(stored_->second); // with the NoteRef given to new notes
        WriteTextLines(kRecallTraceFile, {ZeroPad(stored_->second, 5), stored_->first});
    }
    MakeCurrent(name, record);
    WriteAnnotationsHandOver(notesToStore ? std::optional<NoteLines>(notes) : std::nullopt);
    Dialogs::Information("Dati del soggetto modificati");
    accept();
}

void TFoModifi::BBCreaTestoClick()
{
    if (!stored_) {
        Dialogs::Warning("Soggetto non presente negli archivi: registrarlo prima di creare il testo");
        return;
    }
    SubjectArchive archive(stored_->first);
    SubjectRecord record = archive.Subject(stored_->second);
    NoteLines notes = TypedNotes();
    if (notes_ && !TextNumberOf(*notes_).empty()) {
        const std::string number = TextNumberOf(*notes_);
        WriteTextLines(kSubjectTextFile, {archive.Name(), number});
        WriteTextLines(kEditTextFile, {archive.Name() + "txt/" + number + ".txt"});
        Dialogs::Information("Il soggetto ha già il testo " + archive.Name() + "txt/" + number + ".txt");
        return;
    }
    const std::string number = CreateSubjectText(archive.Name(), currentName_, notes);
    archive.UpdateSubject(stored_->second, currentName_, record, &notes);
    notes_ = notes;
    Dialogs::Information("Creato il testo " + archive.Name() + "txt/" + number + ".txt");
}
