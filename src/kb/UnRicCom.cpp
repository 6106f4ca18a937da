#include "kb/UnRicCom.h"

#include "kb/KbRecords.h"
#include "kb/ListSearch.h"
#include "platform/Application.h"
#include "platform/Cp1252Q.h"
#include "platform/TextFile.h"
#include "shell/UnControlli.h"

#include <QApplication>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QPushButton* NamedButton(QWidget* parent, const char* name, const char* caption)
{
    auto* b = new QPushButton(ToQ(caption), parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoDefault(false);
    return b;
}

std::string TwoDigits(std::size_t k)
{
    return (k < 10 ? "0" : "") + std::to_string(k);
}

// Hourglass cursor for the duration of a search.
struct WaitCursor {
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
};

} // namespace

TCriteriaForm::TCriteriaForm(const char* objectName, const char* caption, const char* listCaption, QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QString::fromLatin1(objectName));
    setWindowTitle(ToQ(caption));
    setModal(true);

    ListBox1 = new QListWidget(this);
    ListBox1->setObjectName(QStringLiteral("ListBox1"));
    ListBox1->setMinimumWidth(320);
    EdCerca = new QLineEdit(this);
    EdCerca->setObjectName(QStringLiteral("EdCerca"));
    EdCerca->installEventFilter(this);
    BBTrova = NamedButton(this, "BBTrova", "Trova");

    auto* left = new QVBoxLayout();
    left->addWidget(new QLabel(ToQ(listCaption), this));
    left->addWidget(ListBox1, 1);
    auto* find = new QHBoxLayout();
    find->addWidget(EdCerca, 1);
    find->addWidget(BBTrova);
    left->addLayout(find);

    auto* boxes = new QGridLayout();
    for (std::size_t k = 0; k < kCriteriaCount; ++k) {
        const std::string n = TwoDigits(k + 1);
        LabBox[k] = new QLabel(ToQ(n + ")"), this);
        Ed[k] = new QLineEdit(this);
        Ed[k]->setObjectName(ToQ("Ed" + n));
        Ed[k]->setMinimumWidth(300);
        BB[k] = NamedButton(this, ("BB" + n).c_str(), "X");
        BB[k]->setMaximumWidth(28);
        boxes->addWidget(LabBox[k], static_cast<int>(k), 0);
        boxes->addWidget(Ed[k], static_cast<int>(k), 1);
        boxes->addWidget(BB[k], static_cast<int>(k), 2);
        QLineEdit* box = Ed[k];
        connect(box, &QLineEdit::textChanged, this, [this] { Guarded([this] { EdChange(); }); });
        connect(BB[k], &QPushButton::clicked, this, [box] { box->clear(); });
    }
    BBricerca = NamedButton(this, "BBricerca", "Avvia Ricerca");
    BBpuliTutto = NamedButton(this, "BBpuliTutto", "Pulisci Tutto");
    auto* middle = new QVBoxLayout();
    middle->addLayout(boxes);
    auto* searchRow = new QHBoxLayout();
    searchRow->addWidget(BBricerca);
    searchRow->addWidget(BBpuliTutto);
    middle->addLayout(searchRow);
    middle->addStretch();

    ListBox2 = new QListWidget(this);
    ListBox2->setObjectName(QStringLiteral("ListBox2"));
    ListBox2->setVisible(false);
    LabRisultati = new QLabel(ToQ("Clic per sviluppare"), this);
    ListBox3 = new QListWidget(this);
    ListBox3->setObjectName(QStringLiteral("ListBox3"));
    ListBox3->setMinimumWidth(320);
    Memo1 = new QPlainTextEdit(this);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setReadOnly(true);
    BBpuliMemo = NamedButton(this, "BBpuliMemo", "Pulisci");
    BitBtnRitorna = NamedButton(this, "BitBtnRitorna", "&Ritorna al Menu");
    auto* right = new QVBoxLayout();
    right->addWidget(LabRisultati);
    right->addWidget(ListBox3, 1);
    right->addWidget(Memo1, 1);
    auto* bottom = new QHBoxLayout();
    bottom->addWidget(BBpuliMemo);
    bottom->addStretch();
    bottom->addWidget(BitBtnRitorna);
    right->addLayout(bottom);

    auto* root = new QHBoxLayout(this);
    root->addLayout(left, 1);
    root->addLayout(middle);
    root->addLayout(right, 1);

    connect(ListBox1, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { Guarded([&] { ListBox1Click(item); }); });
    connect(ListBox3, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { Guarded([&] { ListBox3Click(item); }); });
    connect(BBricerca, &QPushButton::clicked, this, [this] { Guarded([this] { BBricercaClick(); }); });
    connect(BBpuliTutto, &QPushButton::clicked, this, [this] { Guarded([this] { BBpuliTuttoClick(); }); });
    connect(BBpuliMemo, &QPushButton::clicked, Memo1, &QPlainTextEdit::clear);
    connect(BBTrova, &QPushButton::clicked, this, [this] { Guarded([this] { BBTrovaClick(); }); });
    connect(BitBtnRitorna, &QPushButton::clicked, this, &QDialog::accept);
    BBricerca->setEnabled(false);
    ResetColours();
}

std::vector<std::string> TCriteriaForm::Criteria() const
{
    std::vector<std::string> c;
    for (const QLineEdit* e : Ed)
        c.push_back(FromQ(e->text()));
    return c;
}

void TCriteriaForm::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    Guarded([this] { FormActivate(); });
}

void TCriteriaForm::FormActivate()
{
    for (QLineEdit* box : Ed)
        box->clear();
    filled_.fill(false);
    searchText_.clear();
    findPosition_ = 0;
    EdCerca->clear();
    ListBox1->clear();
    lines_.clear();
    lines_ = ActivateLists();
    for (const std::string& line : lines_)
        ListBox1->addItem(ToQ(line));
    EdCerca->setFocus();
}

void TCriteriaForm::ListBox1Click(QListWidgetItem* item)
{
    EdChange();
    if (!item)
        return;
    const auto free = FirstEmptyCriterion(Criteria());
    if (free)
        Ed[*free]->setText(item->text());
    EdChange();
}

void TCriteriaForm::EdChange()
{
    bool any = false;
    for (std::size_t k = 0; k < kCriteriaCount; ++k) {
        filled_[k] = !Ed[k]->text().isEmpty();
        any = any || filled_[k];
    }
    BBricerca->setEnabled(any);
    if (!any) {
        ResetColours();
        ListBox3->clear();
        Memo1->clear();
    }
}

void TCriteriaForm::BBricercaClick()
{
    WaitCursor wait;
    ListBox2->clear();
    Memo1->clear();
    const std::vector<RankedRemedy> ranked = RunSearch(Criteria());
    ListBox3->clear();
    // ListBox2 holds the ranking in ascending order, ListBox3 reversed.
    for (auto it = ranked.rbegin(); it != ranked.rend(); ++it)
        ListBox2->addItem(ToQ(RankedItemText(*it)));
    for (const RankedRemedy& r : ranked)
        ListBox3->addItem(ToQ(RankedItemText(r)));
}

void TCriteriaForm::ListBox3Click(QListWidgetItem* item)
{
    ResetColours();
    if (!item)
        return;
    const SearchDetail d = RunDetail(FromQ(item->text()), Criteria());
    for (const std::string& line : d.lines)
        Memo1->appendPlainText(ToQ(line));
    for (std::size_t k = 0; k < kCriteriaCount && k < d.covered.size(); ++k)
        if (d.covered[k])
            SetEditColours(Ed[k], kColourLightYellow, kColourBlack);
}

void TCriteriaForm::BBpuliTuttoClick()
{
    for (QLineEdit* box : Ed)
        box->clear();
    BBricerca->setEnabled(false);
    ResetColours();
    ListBox3->clear();
    Memo1->clear();
}

void TCriteriaForm::BBTrovaClick()
{
    const auto line = FindLineContaining(lines_, FromQ(EdCerca->text()), findPosition_);
    if (!line)
        return;
    SelectLine(static_cast<int>(*line));
    findPosition_ = *line + 1;
}

void TCriteriaForm::ResetColours()
{
    for (QLineEdit* box : Ed)
        SetEditColours(box, kColourSilver, kColourBlack);
}

void TCriteriaForm::SelectLine(int line)
{
    if (line < 0 || line >= ListBox1->count())
        return;
    ListBox1->setCurrentRow(line);
    ListBox1->scrollToItem(ListBox1->item(line));
}

bool TCriteriaForm::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == EdCerca) {
        if (event->type() == QEvent::MouseButtonPress) {
            // A click empties the box and starts the search and the find over.
            EdCerca->clear();
            searchText_.clear();
            findPosition_ = 0;
        } else if (event->type() == QEvent::KeyPress) {
            auto* key = static_cast<QKeyEvent*>(event);
            char c = 0;
            if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)
                return true;
            if (key->key() == Qt::Key_Backspace)
                c = '\b';
            else if (!key->text().isEmpty() && key->text().at(0).isPrint())
                c = FromQ(key->text().left(1))[0];
            if (c != 0) {
                Guarded([&] {
                    TypeSearchKey(searchText_, c, false);
                    EdCerca->setText(ToQ(searchText_));
                    SelectLine(FindListPrefix(lines_, searchText_));
                });
                return true;
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}

// ---- TFoRicCom -----------------------------------------------------------------

TFoRicCom::TFoRicCom(QWidget* parent) : TCriteriaForm("FoRicCom", "SINTOMI MULTIPLI", "Sintomi", parent) {}

std::vector<std::string> TFoRicCom::ActivateLists()
{
    return ReadTextLines(kSymptomListFile);
}

std::vector<RankedRemedy> TFoRicCom::RunSearch(const std::vector<std::string>& criteria)
{
    return MultipleSymptomSearch(criteria);
}

SearchDetail TFoRicCom::RunDetail(const std::string& item, const std::vector<std::string>& criteria)
{
    return MultipleSymptomDetail(item, criteria);
}
