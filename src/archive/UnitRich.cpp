#include "archive/UnitRich.h"

#include "archive/CurrentSubject.h"
#include "archive/SubjectArchive.h"
#include "archive/SubjectList.h"
#include "platform/Application.h"
#include "platform/Cp1252Q.h"
#include "platform/FileBatch.h"
#include "platform/FileSystem.h"
#include "platform/ProgramPath.h"
#include "platform/TextFile.h"
#include "shell/SharedState.h"
#include "shell/UnControlli.h"
#include "shell/UnServizi.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>
#include <array>
#include <filesystem>
#include <sstream>

std::string NextWordOrder(const std::string& original, int step)
{
    std::vector<std::string> words;
    std::istringstream in(original);
    for (std::string w; in >> w;)
        words.push_back(w);
    const std::size_t n = words.size();
    if (n < 2)
        return TrimBlanks(original);
    std::vector<std::size_t> order(n);
    if (n == 3) {
        static constexpr std::array<std::array<std::size_t, 3>, 6> kOrders = {
            {{0, 1, 2}, {0, 2, 1}, {1, 0, 2}, {1, 2, 0}, {2, 0, 1}, {2, 1, 0}}};
        const auto& o = kOrders[static_cast<std::size_t>(step % 6)];
        order.assign(o.begin(), o.end());
    } else {
        for (std::size_t i = 0; i < n; ++i)
            order[i] = (i + static_cast<std::size_t>(step)) % n;
    }
    std::string out;
    for (std::size_t i : order)
        out += (out.empty() ? "" : " ") + words[i];
    return out;
}

namespace {
QLineEdit* Detail(QWidget* parent, const char* name)
{
    auto* e = new QLineEdit(parent);
    e->setObjectName(QString::fromLatin1(name));
    e->setReadOnly(true);
    return e;
}
} // namespace

TFormRich::TFormRich(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FormRich"));
    setWindowTitle(ToQ("Richiamo Dati da Archivio"));
    setModal(true);

    FileListaArchivi = new QListWidget(this);
    FileListaArchivi->setObjectName(QStringLiteral("FileListaArchivi"));
    FileListaArchivi->setVisible(false);
    const SubjectListControls list = CreateSubjectListControls(this);
    ListaArchivi = list.archives;
    EditArchi = list.archiveEdit;
    EditSoggetto = list.prefixEdit;
    ListaNomi = list.names;
    ScrollBar1 = list.scroll;
    EditNome = Detail(this, "EditNome");
    EditData = Detail(this, "EditData");
    EditLocal = Detail(this, "EditLocal");
    EditNaz = Detail(this, "EditNaz");
    EditCorr = Detail(this, "EditCorr");
    EditCoord = Detail(this, "EditCoord");
    EditCal = Detail(this, "EditCal");
    MemoAnnotaz = new QPlainTextEdit(this);
    MemoAnnotaz->setObjectName(QStringLiteral("MemoAnnotaz"));
    MemoAnnotaz->setReadOnly(true);
    MemoAnnotaz->setFixedHeight(70);
    BitBtnOK = new QPushButton(QStringLiteral("&OK"), this);
    BitBtnOK->setObjectName(QStringLiteral("BitBtnOK"));
    BitBtnAnnulla = new QPushButton(QStringLiteral("&Annulla"), this);
    BitBtnAnnulla->setObjectName(QStringLiteral("BitBtnAnnulla"));
    BitBtnInverti = new QPushButton(QStringLiteral("&Inverti Cognome/Nome"), this);
    BitBtnInverti->setObjectName(QStringLiteral("BitBtnInverti"));
    BitBtnOK->setAutoDefault(false);
    BitBtnAnnulla->setAutoDefault(false);
    BitBtnInverti->setAutoDefault(false);

    auto* root = new QGridLayout(this);
    root->addLayout(list.archiveColumn, 0, 0, 2, 1);
    list.nameColumn->addWidget(new QLabel(ToQ("Doppio Click per selezionare"), this));
    root->addLayout(list.nameColumn, 0, 1);
    auto* details = new QGridLayout();
    const std::pair<const char*, QLineEdit*> rows[] = {
        {"Nome", EditNome},     {"Data", EditData},         {"Correz.", EditCorr}, {"Località", EditLocal},
        {"Nazione", EditNaz},   {"Coordinate", EditCoord},  {"Calend.", EditCal},
    };
    int r = 0;
    for (const auto& [label, edit] : rows) {
        details->addWidget(new QLabel(ToQ(label), this), r, 0);
        details->addWidget(edit, r, 1);
        ++r;
    }
    details->addWidget(new QLabel(ToQ("Annotazioni"), this), r, 0);
    details->addWidget(MemoAnnotaz, r, 1);
    root->addLayout(details, 0, 2);
    auto* buttons = new QHBoxLayout();
    buttons->addWidget(BitBtnInverti);
    buttons->addStretch();
    buttons->addWidget(BitBtnOK);
    buttons->addWidget(BitBtnAnnulla);
    root->addLayout(buttons, 1, 1, 1, 2);

    list_ = new SubjectList(ListaArchivi, EditArchi, EditSoggetto, ListaNomi, ScrollBar1, this);
    connect(list_, &SubjectList::LineChosen, this, [this](int line) { Guarded([&] { ListaNomiSelect(line); }); });
    connect(BitBtnOK, &QPushButton::clicked, this, [this] { Guarded([this] { BitBtnOKClick(); }); });
    connect(BitBtnAnnulla, &QPushButton::clicked, this, &QDialog::reject);
    connect(BitBtnInverti, &QPushButton::clicked, this, [this] { Guarded([this] { BitBtnInvertiClick(); }); });
}

void TFormRich::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    Guarded([this] { FormActivate(); });
}

void TFormRich::FormActivate()
{
    ClearDetails();
    FileListaArchivi->clear();
    for (const std::string& f : FileSystem::List(".", "????.ST1")) {
        std::string upper = f;
        UpperCaseInPlace(upper);
        FileListaArchivi->addItem(ToQ(upper));
    }
    list_->Activate();
    BitBtnInverti->setEnabled(false);
    BitBtnOK->setEnabled(list_->IsOpen() && list_->Last() > 0);
}

void TFormRich::ClearDetails()
{
    chosen_.reset();
    notes_.reset();
    chosenNumber_ = -1;
    originalName_.clear();
    wordStep_ = 0;
    for (QLineEdit* e : {EditNome, EditData, EditLocal, EditNaz, EditCorr, EditCoord, EditCal})
        e->clear();
    MemoAnnotaz->clear();
}

void TFormRich::ListaNomiSelect(int line)
{
    auto entry = list_->EntryAtLine(line);
    if (entry && entry->st2 < 0)
        entry = list_->EntryAtLine(4); // the fifth visible line
    if (!entry || entry->st2 < 0) {
        EditSoggetto->clear();
        MarkEdit(EditSoggetto, true);
        return;
    }
    const SubjectArchive& archive = list_->Archive();
    WriteTextLines(kRecallTraceFile, {ZeroPad(entry->st2, 5), archive.Name()});
    const SubjectRecord subject = archive.Subject(entry->st2);

    ClearDetails();
    chosen_ = subject;
    chosenNumber_ = entry->st2;
    chosenIndex_ = entry->index;
    originalName_ = Bounded(entry->text, 38);
    EditNome->setText(ToQ(TrimRightBlanks(originalName_)));
    const DateKeyParts parts = SplitDateKey(subject.DateKey);
    EditData->setText(ToQ(parts.displayDate));
    // Shown as the user typed it, not with the stored sign.
    EditCorr->setText(ToQ(ShownZoneText(parts.zoneText).value_or(parts.zoneText)));
    EditCoord->setText(ToQ(Bounded(subject.CoordPlace, 12)));
    EditLocal->setText(
        ToQ(PlaceDisplay(TrimRightBlanks(subject.CoordPlace.size() > 12 ? subject.CoordPlace.substr(12) : ""))));
    EditNaz->setText(ToQ(subject.Nationality));
    const bool gregorian = subject.Calendar == "GR";
    EditCal->setText(gregorian ? QStringLiteral("GREG") : QStringLiteral("GIUL"));
    InputCalendar = gregorian ? 1 : 0;
    notes_ = archive.Notes(subject);
    if (notes_)
        MemoAnnotaz->setPlainText(ToQ(JoinNotes(*notes_)));
    BitBtnInverti->setEnabled(true);
    BitBtnOK->setEnabled(true);
}

void TFormRich::BitBtnInvertiClick()
{
    if (!chosen_)
        return;
    ++wordStep_;
    EditNome->setText(ToQ(NextWordOrder(TrimRightBlanks(originalName_), wordStep_)));
}

void TFormRich::BitBtnOKClick()
{
    if (!chosen_) {
        ListaNomiSelect(ListaNomi->currentRow());
        if (!chosen_)
            return;
    }
    SubjectRecord current = *chosen_;
    current.CoordPlace = Bounded(Bounded(current.CoordPlace, 12) + FromQ(EditLocal->text()), 39);
    current.Nationality = Bounded(FromQ(EditNaz->text()), 20);
    // The hand-over files follow the subject made current, so that the main
    // window shows its annotations and text, not those of the previous one;
    // all are written in one batch.
    FileBatch batch;
    MakeCurrent(Bounded(FromQ(EditNome->text()), 43), current, batch);
    WriteAnnotationsHandOver(notes_, batch);
    const std::string textNumber = notes_ ? TextNumberOf(*notes_) : std::string();
    WriteSubjectTextHandOver(list_->Archive().Name(), textNumber, batch);
    batch.Commit();
    accept();
}

void TFormRich::done(int result)
{
    Guarded([this] {
        if (list_->IsOpen() && !list_->Prefix().empty())
            WriteTextLines(kRecallStateFile, {list_->Archive().Name(), list_->Prefix(),
                                              std::to_string(list_->Centre()), FromQ(EditNome->text())});
    });
    FileListaArchivi->clear();
    QDialog::done(result);
}
