#include "kb/UnSegnat.h"

#include "kb/KbRecords.h"
#include "kb/ListSearch.h"
#include "kb/SignatureSearch.h"
#include "platform/Application.h"
#include "platform/Cp1252Q.h"
#include "shell/UnControlli.h"

#include <QApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

QLineEdit* NamedEdit(QWidget* parent, const QString& name, bool readOnly = true)
{
    auto* e = new QLineEdit(parent);
    e->setObjectName(name);
    e->setReadOnly(readOnly);
    return e;
}

QPushButton* NamedButton(QWidget* parent, const char* name, const char* caption)
{
    auto* b = new QPushButton(ToQ(caption), parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoDefault(false);
    return b;
}

} // namespace

TFoSegnat::TFoSegnat(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FoSegnat"));
    setWindowTitle(ToQ("SEGNATURE  ASTROLOGICHE"));
    setModal(true);

    ListBox1 = new QListWidget(this);
    ListBox1->setObjectName(QStringLiteral("ListBox1"));
    ListBox1->setVisible(false);
    ListBox2 = new QListWidget(this);
    ListBox2->setObjectName(QStringLiteral("ListBox2"));
    EditCerca = NamedEdit(this, QStringLiteral("EditCerca"), false);
    EditCerca->installEventFilter(this);

    auto* rows = new QGridLayout();
    const char* headers[] = {"Rimedio", "Segn. primaria", "Segn. secondaria", "Segnatura zodiacale"};
    for (int c = 0; c < 4; ++c)
        rows->addWidget(new QLabel(ToQ(headers[c]), this), 0, c);
    for (int k = 0; k < kRows; ++k) {
        const QString n = QString::number(k + 1);
        EdP[k] = NamedEdit(this, QStringLiteral("EdP") + n);
        EdD[k] = NamedEdit(this, QStringLiteral("EdD") + n);
        EdE[k] = NamedEdit(this, QStringLiteral("EdE") + n);
        EdF[k] = NamedEdit(this, QStringLiteral("EdF") + n);
        EdP[k]->setMinimumWidth(220);
        EdF[k]->setMinimumWidth(200);
        rows->addWidget(EdP[k], k + 1, 0);
        rows->addWidget(EdD[k], k + 1, 1);
        rows->addWidget(EdE[k], k + 1, 2);
        rows->addWidget(EdF[k], k + 1, 3);
    }

    auto radio = [this](QWidget* box, const char* name, const char* word) {
        auto* r = new QRadioButton(ToQ(word), box);
        r->setObjectName(QString::fromLatin1(name));
        return r;
    };
    auto* planets = new QGroupBox(ToQ("Segnatura Planetaria"), this);
    auto* planetLayout = new QVBoxLayout(planets);
    planetButtons_ = {{RBsol = radio(planets, "RBsol", "Sole"), "Sole"},
                      {RBlun = radio(planets, "RBlun", "Luna"), "Luna"},
                      {RBmer = radio(planets, "RBmer", "Mercurio"), "Mercurio"},
                      {RBven = radio(planets, "RBven", "Venere"), "Venere"},
                      {RBmar = radio(planets, "RBmar", "Marte"), "Marte"},
                      {RBgio = radio(planets, "RBgio", "Giove"), "Giove"},
                      {RBsat = radio(planets, "RBsat", "Saturno"), "Saturno"},
                      {RBnon = radio(planets, "RBnon", "NodoNord"), "NodoNord"},
                      {RBnos = radio(planets, "RBnos", "NodoSud"), "NodoSud"},
                      {RBNoPia = radio(planets, "RBNoPia", kAnySignature), kAnySignature}};
    auto* signs = new QGroupBox(ToQ("Segnatura Zodiacale"), this);
    auto* signLayout = new QVBoxLayout(signs);
    signButtons_ = {{RBari = radio(signs, "RBari", "Ariete"), "Ariete"},
                    {RBtor = radio(signs, "RBtor", "Toro"), "Toro"},
                    {RBgem = radio(signs, "RBgem", "Gemelli"), "Gemelli"},
                    {RBcan = radio(signs, "RBcan", "Cancro"), "Cancro"},
                    {RBleo = radio(signs, "RBleo", "Leone"), "Leone"},
                    {RBver = radio(signs, "RBver", "Vergine"), "Vergine"},
                    {RBbil = radio(signs, "RBbil", "Bilancia"), "Bilancia"},
                    {RBsco = radio(signs, "RBsco", "Scorpione"), "Scorpione"},
                    {RBsag = radio(signs, "RBsag", "Sagittario"), "Sagittario"},
                    {RBcap = radio(signs, "RBcap", "Capricorno"), "Capricorno"},
                    {RBacq = radio(signs, "RBacq", "Acquario"), "Acquario"},
                    {RBpes = radio(signs, "RBpes", "Pesci"), "Pesci"},
                    {RBNoSeg = radio(signs, "RBNoSeg", kAnySignature), kAnySignature}};
    for (auto& [b, w] : planetButtons_) {
        planetLayout->addWidget(b);
        connect(b, &QRadioButton::clicked, this, [this] { Guarded([this] { RBsolClick(); }); });
    }
    for (auto& [b, w] : signButtons_) {
        signLayout->addWidget(b);
        connect(b, &QRadioButton::clicked, this, [this] { Guarded([this] { RBsolClick(); }); });
    }
    RBNoPia->setChecked(true);
    RBNoSeg->setChecked(true);

    EdPianeta = NamedEdit(this, QStringLiteral("EdPianeta"));
    EdSegno = NamedEdit(this, QStringLiteral("EdSegno"));
    EdPianeta->setText(ToQ(kAnySignature));
    EdSegno->setText(ToQ(kAnySignature));
    BBRicerca = NamedButton(this, "BBRicerca", "Avvia Ricerca Rimedi...");
    EdTot = NamedEdit(this, QStringLiteral("EdTot"));
    EdTot->setText(QStringLiteral("0"));
    EdPage = NamedEdit(this, QStringLiteral("EdPage"));
    BBseguito = NamedButton(this, "BBseguito", ">>");
    BBseguito->setToolTip(ToQ("Pagina seguente"));
    BBAnticipo = NamedButton(this, "BBAnticipo", "<<");
    BBAnticipo->setToolTip(ToQ("Pagina precedente"));
    BBpulisci = NamedButton(this, "BBpulisci", "Pulisci");
    BitBtnRitorna = NamedButton(this, "BitBtnRitorna", "&Ritorna al Menu");

    LabNota = new QLabel(ToQ("Per conoscere la segnatura astrologica di un rimedio selezionare il rimedio sulla lista "
                             "Rimedi.\nPer isolare i rimedi con una determinata segnatura astrologica, specificare "
                             "qui sotto la segnatura richiesta."),
                         this);
    LabNota->setObjectName(QStringLiteral("LabNota"));
    LabNota->setWordWrap(true);

    auto* left = new QVBoxLayout();
    left->addWidget(new QLabel(ToQ("Rimedi"), this));
    left->addWidget(EditCerca);
    left->addWidget(ListBox2, 1);

    auto* search = new QGridLayout();
    search->addWidget(LabNota, 0, 0, 1, 2);
    search->addWidget(planets, 1, 0);
    search->addWidget(signs, 1, 1);
    search->addWidget(EdPianeta, 2, 0);
    search->addWidget(EdSegno, 2, 1);
    search->addWidget(BBRicerca, 3, 0, 1, 2);
    auto* totals = new QHBoxLayout();
    totals->addWidget(new QLabel(ToQ("Trovati"), this));
    totals->addWidget(EdTot);
    totals->addWidget(new QLabel(ToQ("Pagina"), this));
    totals->addWidget(EdPage);
    search->addLayout(totals, 4, 0, 1, 2);

    auto* buttons = new QHBoxLayout();
    buttons->addWidget(BBAnticipo);
    buttons->addWidget(BBseguito);
    buttons->addStretch();
    buttons->addWidget(BBpulisci);
    buttons->addWidget(BitBtnRitorna);

    auto* middle = new QVBoxLayout();
    middle->addLayout(rows);
    middle->addLayout(buttons);
    middle->addStretch();

    auto* root = new QHBoxLayout(this);
    root->addLayout(left);
    root->addLayout(middle, 1);
    root->addLayout(search);

    connect(ListBox2, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { Guarded([&] { ListBox2Click(ListBox2->row(item)); }); });
    connect(BBRicerca, &QPushButton::clicked, this, [this] { Guarded([this] { BBRicercaClick(); }); });
    connect(BBseguito, &QPushButton::clicked, this, [this] { Guarded([this] { BBseguitoClick(); }); });
    connect(BBAnticipo, &QPushButton::clicked, this, [this] { Guarded([this] { BBAnticipoClick(); }); });
    connect(BBpulisci, &QPushButton::clicked, this, [this] { Guarded([this] { BBpulisciClick(); }); });
    connect(BitBtnRitorna, &QPushButton::clicked, this, &QDialog::accept);
}

void TFoSegnat::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    Guarded([this] { FormActivate(); });
}

void TFoSegnat::FormActivate()
{
    used_.fill(false);
    ListBox2->clear();
    ListBox1->clear();
    names_.clear();
    entries_ = WriteRemedyIndex();
    for (const RemedyListEntry& entry : entries_) {
        names_.push_back(entry.name);
        ListBox2->addItem(ToQ(entry.name));
    }
}

bool TFoSegnat::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == EditCerca) {
        if (event->type() == QEvent::MouseButtonPress) {
            Guarded([this] { EditCercaClick(); });
            return false;
        }
        if (event->type() == QEvent::KeyPress) {
            auto* key = static_cast<QKeyEvent*>(event);
            if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)
                return true;
            if (key->key() == Qt::Key_Backspace) {
                Guarded([this] { EditCercaKey('\b'); });
                return true;
            }
            const std::string typed = FromQ(key->text());
            if (typed.size() == 1 && static_cast<unsigned char>(typed[0]) >= 32) {
                Guarded([&] { EditCercaKey(typed[0]); });
                return true;
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TFoSegnat::EditCercaKey(char key)
{
    TypeSearchKey(searchText_, key, true);
    EditCerca->setText(ToQ(searchText_));
    const int at = FindListPrefix(names_, searchText_);
    if (at >= 0)
        ListBox2->setCurrentRow(at);
}

void TFoSegnat::EditCercaClick()
{
    searchText_.clear();
    EditCerca->clear();
}

void TFoSegnat::RBsolClick()
{
    for (const auto& [b, w] : planetButtons_)
        if (b->isChecked())
            EdPianeta->setText(ToQ(w));
    for (const auto& [b, w] : signButtons_)
        if (b->isChecked())
            EdSegno->setText(ToQ(w));
}

void TFoSegnat::ClearRows()
{
    for (int k = 0; k < kRows; ++k)
        FillRow(k, {});
    used_.fill(false);
}

void TFoSegnat::FillRow(int k, const SignatureRow& row)
{
    EdP[k]->setText(ToQ(row.name));
    EdD[k]->setText(ToQ(row.primary));
    EdE[k]->setText(ToQ(row.secondary));
    EdF[k]->setText(ToQ(row.zodiac));
    EdP[k]->setCursorPosition(0);
    EdF[k]->setCursorPosition(0);
}

void TFoSegnat::ListBox2Click(int row)
{
    if (row < 0 || static_cast<std::size_t>(row) >= entries_.size())
        return;
    if (searchMode_) {
        ClearRows();
        SetEditColours(EdPage, kColourWhite, kColourBlack);
        EdPage->clear();
        EdTot->clear();
        searchMode_ = false;
        page_ = 1;
        pages_ = 0;
    }
    // The list was built with the first record of every name.
    const RemedyRecord r = ReadRemedy(entries_[static_cast<std::size_t>(row)].record);
    for (int k = 0; k < kRows; ++k)
        if (!used_[k]) {
            used_[k] = true;
            FillRow(k, SignatureRowOf(r));
            return;
        }
}

void TFoSegnat::BBRicercaClick()
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    struct RestoreCursor {
        ~RestoreCursor() { QApplication::restoreOverrideCursor(); }
    } restore;
    ClearRows();
    searchMode_ = true;
    const std::vector<SignatureRow> found =
        SearchSignatures(names_, FromQ(EdPianeta->text()), FromQ(EdSegno->text()));
    EdTot->setText(QString::number(found.size()));
    SetEditColours(EdPage, found.size() > kRows ? kColourRed : kColourWhite, kColourBlack);
    pages_ = SignaturePageCount(found.size());
    page_ = 1;
    EdPage->setText(ToQ(SignaturePageText(page_, pages_)));
    ShowPage(page_);
}

void TFoSegnat::ShowPage(std::size_t n)
{
    ClearRows();
    const std::vector<SignatureRow> rows = ReadSignaturePage(n);
    for (int k = 0; k < kRows; ++k) {
        FillRow(k, rows[static_cast<std::size_t>(k)]);
        used_[k] = !rows[static_cast<std::size_t>(k)].name.empty();
    }
}

void TFoSegnat::BBseguitoClick()
{
    if (!searchMode_ || page_ >= pages_)
        return;
    ++page_;
    SetEditColours(EdPage, kColourWhite, kColourBlack);
    EdPage->setText(ToQ(SignaturePageText(page_, pages_)));
    ShowPage(page_);
}

void TFoSegnat::BBAnticipoClick()
{
    if (!searchMode_ || page_ <= 1)
        return;
    --page_;
    EdPage->setText(ToQ(SignaturePageText(page_, pages_)));
    ShowPage(page_);
}

void TFoSegnat::BBpulisciClick()
{
    ClearRows();
}
