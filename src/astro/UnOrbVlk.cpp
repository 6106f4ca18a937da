#include "astro/UnOrbVlk.h"

#include "platform/Application.h"
#include "platform/Cp1252Q.h"
#include "platform/Dialogs.h"
#include "platform/Errors.h"
#include "platform/FloatText.h"
#include "shell/OrbSettings.h"
#include "shell/SharedState.h"
#include "shell/UnControlli.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace {

constexpr long double kAspectOrbMax = 15.0L; // degrees
constexpr long double kSharedOrbMax = 6.0L;  // degrees
constexpr int kEditWidth = 64;
constexpr int kColumnWidth = kEditWidth + 20; // room for the bevel around the edits

// An orb as typed in the edits: decimal comma, at least one decimal
// ("10,0", "0,5", "0,25").
QString OrbEditText(long double x)
{
    std::string t = GeneralFloatText(x, ',');
    if (t.find(',') == std::string::npos && t.find('E') == std::string::npos)
        t += ",0";
    return ToQ(t);
}

QLineEdit* OrbEdit(QWidget* parent, const std::string& name)
{
    auto* e = new QLineEdit(parent);
    e->setObjectName(ToQ(name));
    e->setFixedWidth(kEditWidth);
    e->setAlignment(Qt::AlignRight);
    return e;
}

QLabel* Label(QWidget* parent, const char* text)
{
    return new QLabel(ToQ(text), parent);
}

QFrame* Bevel(QWidget* parent, const char* name)
{
    auto* b = new QFrame(parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setFrameShape(QFrame::Box);
    b->setFrameShadow(QFrame::Raised);
    b->setLineWidth(2);
    return b;
}

QPushButton* Button(QWidget* parent, const char* name, const char* caption)
{
    auto* b = new QPushButton(ToQ(caption), parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoDefault(false);
    return b;
}

// One edit: a text that is no number turns it red; a number turns it aqua
// and is written back with the comma; then a value outside 0..hi turns it
// red and empties it.
void CheckOrbEdit(QLineEdit* edit, long double hi, bool& ok)
{
    bool err = false;
    ParseRealEdit(edit, err);
    MarkEdit(edit, err);
    CheckRealRange(edit, hi, 0.0L, err);
    if (err)
        ok = false;
}

} // namespace

TFoOrbVlk::TFoOrbVlk(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FoOrbVlk"));
    setWindowTitle(ToQ("Variazione Orbite Aspetti"));
    setModal(true);

    auto* root = new QVBoxLayout(this);
    auto* grid = new QGridLayout();
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(2);
    root->addLayout(grid);

    // The bevels first, so that the edits lie above them.
    BevelA = Bevel(this, "BevelA");
    BevelB = Bevel(this, "BevelB");
    BevelC = Bevel(this, "BevelC");
    const int rows = static_cast<int>(kAspects.size()) + 2; // header, aspects, "Adotta"
    QFrame* bevels[] = {BevelA, BevelB, BevelC};
    const char* headers[] = {"A (normali)", "B (personali)", "C (personali)"};
    for (int s = 0; s < 3; ++s) {
        grid->addWidget(bevels[s], 0, s + 1, rows, 1);
        grid->setColumnMinimumWidth(s + 1, kColumnWidth);
        grid->addWidget(Label(this, headers[s]), 0, s + 1, Qt::AlignHCenter);
    }
    grid->addWidget(Label(this, "Aspetto"), 0, 0);

    for (std::size_t i = 0; i < kAspects.size(); ++i) {
        const int row = static_cast<int>(i) + 1;
        const std::string stem = kAspects[i].stem;
        grid->addWidget(Label(this, kAspects[i].caption), row, 0);
        EditsA[i] = OrbEdit(this, "Edit" + stem + "A");
        EditsA[i]->setText(ToQ(OrbTextA(static_cast<int>(i))));
        EditsA[i]->setReadOnly(true);
        EditsA[i]->setFocusPolicy(Qt::NoFocus);
        EditsB[i] = OrbEdit(this, "Edit" + stem + "B");
        EditsC[i] = OrbEdit(this, "Edit" + stem + "C");
        grid->addWidget(EditsA[i], row, 1, Qt::AlignHCenter);
        grid->addWidget(EditsB[i], row, 2, Qt::AlignHCenter);
        grid->addWidget(EditsC[i], row, 3, Qt::AlignHCenter);
    }
    BitBtn3 = Button(this, "BitBtn3", "Adotta");
    BitBtn2 = Button(this, "BitBtn2", "Adotta");
    BitBtn1 = Button(this, "BitBtn1", "Adotta");
    grid->addWidget(BitBtn3, rows - 1, 1, Qt::AlignHCenter);
    grid->addWidget(BitBtn2, rows - 1, 2, Qt::AlignHCenter);
    grid->addWidget(BitBtn1, rows - 1, 3, Qt::AlignHCenter);

    // Limits of the aspect orbs.
    auto* limits = new QVBoxLayout();
    for (const char* t : {"Valore", "Massimo", "Orbite", "± 15°"})
        limits->addWidget(Label(this, t), 0, Qt::AlignHCenter);
    limits->addStretch();
    grid->addLayout(limits, 1, 4, rows - 2, 1);

    // The orbs shared by the three sets.
    auto* shared = new QGridLayout();
    EditParal = OrbEdit(this, "EditParal");
    EditAntis = OrbEdit(this, "EditAntis");
    shared->addWidget(Label(this, "Paralleli di Declinazione"), 0, 0);
    shared->addWidget(Label(this, "e Contro-Paralleli"), 1, 0);
    shared->addWidget(Label(this, "Orbita ±"), 0, 1, 2, 1);
    shared->addWidget(EditParal, 0, 2, 2, 1);
    shared->addWidget(Label(this, "Antisce"), 2, 0);
    shared->addWidget(Label(this, "e Contro-Antisce"), 3, 0);
    shared->addWidget(Label(this, "Orbita ±°"), 2, 1, 2, 1);
    shared->addWidget(EditAntis, 2, 2, 2, 1);
    shared->addWidget(Label(this, "Per queste orbite"), 0, 3);
    shared->addWidget(Label(this, "non sono accettati valori"), 1, 3);
    shared->addWidget(Label(this, "superiori a ± 6°,00"), 2, 3);
    shared->setColumnStretch(4, 1);
    root->addLayout(shared);

    auto* bottom = new QHBoxLayout();
    LabelOrbite = new QLabel(ToQ("Set di Orbite Attualmente Selezionato = A"), this);
    LabelOrbite->setObjectName(QStringLiteral("LabelOrbite"));
    Edit1 = new QLineEdit(this);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setReadOnly(true);
    Edit1->setFocusPolicy(Qt::NoFocus);
    Edit1->setFixedWidth(28);
    BitBtnRitorna = Button(this, "BitBtnRitorna", "Ritorna a Menu Principale");
    bottom->addWidget(LabelOrbite);
    bottom->addWidget(Edit1);
    bottom->addStretch();
    bottom->addWidget(BitBtnRitorna);
    root->addLayout(bottom);

    idleTimer_ = new QTimer(this);
    idleTimer_->setObjectName(QStringLiteral("IdleTimer"));
    idleTimer_->setSingleShot(true);
    idleTimer_->setInterval(0);
    connect(idleTimer_, &QTimer::timeout, this, [this] { Guarded([this] { MyIdleHandler(); }); });

    for (std::size_t i = 0; i < kAspects.size(); ++i)
        for (QLineEdit* e : {EditsB[i], EditsC[i]})
            connect(e, &QLineEdit::textEdited, this, [this] { EditCongBChange(); });
    for (QLineEdit* e : {EditParal, EditAntis})
        connect(e, &QLineEdit::textEdited, this, [this] { EditParalChange(); });
    connect(BitBtn3, &QPushButton::clicked, this, [this] { Guarded([this] { AdottaClick("A"); }); });
    connect(BitBtn2, &QPushButton::clicked, this, [this] { Guarded([this] { AdottaClick("B"); }); });
    connect(BitBtn1, &QPushButton::clicked, this, [this] { Guarded([this] { AdottaClick("C"); }); });
    connect(BitBtnRitorna, &QPushButton::clicked, this, [this] { Guarded([this] { BitBtnRitornaClick(); }); });
}

void TFoOrbVlk::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    Guarded([this] { FormActivate(); });
}

void TFoOrbVlk::FormActivate()
{
    idleTimer_->stop();
    const auto read = ReadOrbValues();
    ShowOrbFileValues(read);
    valid_ = true;
    sharedUnchanged_ = true;
    BitBtnRitorna->setEnabled(true);
    Edit1->setText(ToQ(VisibleBevelLetter()));
    ReadOrbSettings();
    // A missing value file is reported; the dialog goes on with the default
    // values, which closing writes back.
    if (!read)
        throw IoError(kOrbValuesFile, "lettura");
}

void TFoOrbVlk::ShowOrbFile()
{
    const auto read = ReadOrbValues();
    if (!read)
        throw IoError(kOrbValuesFile, "lettura");
    ShowOrbFileValues(read);
}

void TFoOrbVlk::ShowOrbFileValues(const std::optional<OrbValues>& read)
{
    OrbValues v = read.value_or(DefaultOrbValues());
    if (!read)
        v.letter = OrbSetLetter == "B" || OrbSetLetter == "C" ? OrbSetLetter : std::string("A");
    for (std::size_t i = 0; i < kAspects.size(); ++i) {
        EditsB[i]->setText(OrbEditText(v.b[i]));
        EditsC[i]->setText(OrbEditText(v.c[i]));
    }
    EditParal->setText(OrbEditText(v.parallel));
    EditAntis->setText(OrbEditText(v.antiscia));
    for (QLineEdit* e : EditsB)
        MarkEdit(e, false);
    for (QLineEdit* e : EditsC)
        MarkEdit(e, false);
    MarkEdit(EditParal, false);
    MarkEdit(EditAntis, false);
    LabelOrbite->setText(ToQ("Set di Orbite Attualmente Selezionato = " + v.letter));
    BevelA->setVisible(v.letter == "A");
    BevelB->setVisible(v.letter == "B");
    BevelC->setVisible(v.letter == "C");
}

void TFoOrbVlk::EditCongBChange()
{
    valid_ = false;
    idleTimer_->start();
}

void TFoOrbVlk::EditParalChange()
{
    valid_ = false;
    sharedUnchanged_ = false;
    idleTimer_->start();
}

void TFoOrbVlk::MyIdleHandler()
{
    if (valid_)
        return;
    bool ok = true;
    for (std::size_t i = 0; i < kAspects.size(); ++i) {
        CheckOrbEdit(EditsB[i], kAspectOrbMax, ok);
        CheckOrbEdit(EditsC[i], kAspectOrbMax, ok);
    }
    CheckOrbEdit(EditParal, kSharedOrbMax, ok);
    CheckOrbEdit(EditAntis, kSharedOrbMax, ok);
    valid_ = ok;
    BitBtnRitorna->setEnabled(ok);
}

void TFoOrbVlk::AdottaClick(const char* letter)
{
    if (!valid_) {
        Dialogs::Error("Errore Impostazione Orbite");
        return;
    }
    Edit1->setText(QString::fromLatin1(letter));
    AdoptSet(letter);
}

void TFoOrbVlk::AdoptSet(const std::string& letter)
{
    OrbValues v = TypedValues();
    v.letter = letter;
    WriteOrbValues(v);                    // 1: the values and the letter
    ShowOrbFile();                        // 2: bevel and label move to the letter
    WriteAdoptedSet(v, letter);           // 3
    if (ShowOrbItem)                      // 4
        ShowOrbItem(OrbSetItem(letter));
    ReadOrbSettings();                    // 5
}

void TFoOrbVlk::BitBtnRitornaClick()
{
    if (valid_)
        accept();
}

void TFoOrbVlk::done(int result)
{
    Guarded([this] { FormClose(); });
    QDialog::done(result);
}

void TFoOrbVlk::FormClose()
{
    // A change typed just before closing is checked now rather than at an
    // idle time that will not come.
    idleTimer_->stop();
    MyIdleHandler();
    if (!valid_)
        return;
    OrbValues v = TypedValues();
    v.letter = VisibleBevelLetter();
    WriteOrbValues(v);
    if (!sharedUnchanged_) {
        sharedUnchanged_ = true;
        AdoptSet(FromQ(Edit1->text()));
    }
}

OrbValues TFoOrbVlk::TypedValues() const
{
    OrbValues v;
    for (std::size_t i = 0; i < kAspects.size(); ++i) {
        v.b[i] = ReadLocaleReal(FromQ(EditsB[i]->text()));
        v.c[i] = ReadLocaleReal(FromQ(EditsC[i]->text()));
    }
    v.parallel = ReadLocaleReal(FromQ(EditParal->text()));
    v.antiscia = ReadLocaleReal(FromQ(EditAntis->text()));
    v.letter = VisibleBevelLetter();
    return v;
}

std::string TFoOrbVlk::VisibleBevelLetter() const
{
    if (!BevelB->isHidden())
        return "B";
    if (!BevelC->isHidden())
        return "C";
    return "A";
}
