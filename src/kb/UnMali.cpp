#include "kb/UnMali.h"

#include "kb/KbRebuild.h"
#include "platform/Application.h"
#include "platform/Cp1252Q.h"

#include <QApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

constexpr const char* kAny = "Qualsiasi";

QPushButton* NamedButton(QWidget* parent, const char* name, const char* caption)
{
    auto* b = new QPushButton(ToQ(caption), parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoDefault(false);
    return b;
}

// A radio group of the words and "Qualsiasi" (checked); a click writes the
// word into the edit.
QGroupBox* WordGroup(QWidget* parent, const char* caption, const std::vector<SignatureFile>& files,
                     std::vector<QRadioButton*>& buttons, QLineEdit* edit)
{
    auto* group = new QGroupBox(ToQ(caption), parent);
    auto* grid = new QGridLayout(group);
    std::vector<std::string> words;
    for (const SignatureFile& f : files)
        words.push_back(f.word);
    words.push_back(kAny);
    for (std::size_t i = 0; i < words.size(); ++i) {
        auto* rb = new QRadioButton(ToQ(words[i]), group);
        rb->setObjectName(ToQ("RB" + words[i]));
        grid->addWidget(rb, static_cast<int>(i % 5), static_cast<int>(i / 5));
        buttons.push_back(rb);
        const QString word = ToQ(words[i]);
        QObject::connect(rb, &QRadioButton::clicked, edit, [edit, word] { edit->setText(word); });
    }
    buttons.back()->setChecked(true);
    return group;
}

} // namespace

TFoMali::TFoMali(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FoMali"));
    setWindowTitle(ToQ("Debilit\xE0 Astrologiche / T"));
    setModal(true);

    EdPianeta = new QLineEdit(ToQ(kAny), this);
    EdPianeta->setObjectName(QStringLiteral("EdPianeta"));
    EdPianeta->setReadOnly(true);
    EdSegno = new QLineEdit(ToQ(kAny), this);
    EdSegno->setObjectName(QStringLiteral("EdSegno"));
    EdSegno->setReadOnly(true);
    auto* planets = WordGroup(this, "Segnatura Planetaria", PlanetFiles(), RBpianeti, EdPianeta);
    auto* signs = WordGroup(this, "Segnatura Zodiacale", SignFiles(), RBsegni, EdSegno);
    BBRicerca = NamedButton(this, "BBRicerca", "Avvia Ricerca Patologie...");
    ListBox1 = new QListWidget(this);
    ListBox1->setObjectName(QStringLiteral("ListBox1"));
    ListBox1->setMinimumWidth(300);
    EdTot = new QLineEdit(QStringLiteral("0"), this);
    EdTot->setObjectName(QStringLiteral("EdTot"));
    EdTot->setReadOnly(true);
    Memo1 = new QPlainTextEdit(this);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setReadOnly(true);
    Memo1->setMinimumWidth(420);
    BBpulisci = NamedButton(this, "BBpulisci", "Pulisci");
    BitBtnRitorna = NamedButton(this, "BitBtnRitorna", "&Ritorna al Menu");

    auto* left = new QVBoxLayout();
    left->addWidget(new QLabel(ToQ("Per isolare le patologie curate da rimedi con una determinata segnatura "
                                   "astrologica, specificare qui sotto la segnatura richiesta."),
                               this));
    left->itemAt(0)->widget()->setProperty("wordWrap", true);
    left->addWidget(planets);
    left->addWidget(EdPianeta);
    left->addWidget(signs);
    left->addWidget(EdSegno);
    left->addWidget(BBRicerca);
    left->addStretch();
    auto* middle = new QVBoxLayout();
    middle->addWidget(new QLabel(ToQ("Patologie (clic per i rimedi)"), this));
    middle->addWidget(ListBox1, 1);
    auto* tot = new QHBoxLayout();
    tot->addWidget(new QLabel(ToQ("Totale"), this));
    tot->addWidget(EdTot);
    middle->addLayout(tot);
    auto* right = new QVBoxLayout();
    right->addWidget(new QLabel(ToQ("Rimedi della patologia"), this));
    right->addWidget(Memo1, 1);
    auto* bottom = new QHBoxLayout();
    bottom->addWidget(BBpulisci);
    bottom->addStretch();
    bottom->addWidget(BitBtnRitorna);
    right->addLayout(bottom);
    auto* root = new QHBoxLayout(this);
    root->addLayout(left);
    root->addLayout(middle, 1);
    root->addLayout(right, 1);

    connect(BBRicerca, &QPushButton::clicked, this, [this] { Guarded([this] { BBRicercaClick(); }); });
    connect(ListBox1, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { Guarded([&] { ListBox1Click(item); }); });
    connect(BBpulisci, &QPushButton::clicked, this, [this] { Clear(); });
    connect(BitBtnRitorna, &QPushButton::clicked, this, &QDialog::accept);
}

void TFoMali::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    Clear();
}

void TFoMali::Clear()
{
    found_.clear();
    ListBox1->clear();
    Memo1->clear();
    EdTot->setText(QStringLiteral("0"));
}

void TFoMali::BBRicercaClick()
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    struct Restore {
        ~Restore() { QApplication::restoreOverrideCursor(); }
    } restore;
    std::vector<DebilityPathology> found = FindDebilities(FromQ(EdPianeta->text()), FromQ(EdSegno->text()));
    Clear();
    found_ = std::move(found);
    for (const DebilityPathology& p : found_)
        ListBox1->addItem(ToQ(DebilityListLine(p)));
    EdTot->setText(ToQ(std::to_string(found_.size())));
}

void TFoMali::ListBox1Click(QListWidgetItem* item)
{
    const int row = item ? ListBox1->row(item) : -1;
    if (row < 0 || static_cast<std::size_t>(row) >= found_.size())
        return;
    Memo1->clear();
    for (const std::string& line : DebilityDetailLines(found_[static_cast<std::size_t>(row)]))
        Memo1->appendPlainText(ToQ(line));
}
