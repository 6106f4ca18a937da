#include "kb/UnRemedyText.h"

#include "kb/KbRecords.h"
#include "kb/ListOrder.h"
#include "platform/Application.h"
#include "platform/Cp1252Q.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

TRemedyTextForm::TRemedyTextForm(const char* objectName, RemedyTextKind kind, const RemedyTextCaptions& captions,
                                 QWidget* parent)
    : QDialog(parent), kind_(kind), captions_(captions)
{
    setObjectName(QString::fromLatin1(objectName));
    setWindowTitle(ToQ(captions.window));
    setModal(true);

    ListBox2 = new QListWidget(this);
    ListBox2->setObjectName(QStringLiteral("ListBox2"));
    ListBox3 = new QListWidget(this);
    ListBox3->setObjectName(QStringLiteral("ListBox3"));
    EditCerca = new QLineEdit(this);
    EditCerca->setObjectName(QStringLiteral("EditCerca"));
    BBcerca = new QPushButton(ToQ("Cerca "), this);
    BBcerca->setObjectName(QStringLiteral("BBcerca"));
    BBcerca->setAutoDefault(false);
    LabelMemo = new QLabel(ToQ(captions.memoTitle), this);
    LabelMemo->setObjectName(QStringLiteral("LabelMemo"));
    MemoNote = new QPlainTextEdit(this);
    MemoNote->setObjectName(QStringLiteral("MemoNote"));
    MemoNote->setReadOnly(true);
    MemoNote->setMinimumWidth(380);
    BitBtnRitorna = new QPushButton(ToQ("&Ritorna al Menu"), this);
    BitBtnRitorna->setObjectName(QStringLiteral("BitBtnRitorna"));
    BitBtnRitorna->setAutoDefault(false);

    listColumn_ = new QVBoxLayout();
    listColumn_->addWidget(new QLabel(ToQ(captions.listTitle), this));
    listColumn_->addWidget(ListBox2, 2);
    auto* search = new QHBoxLayout();
    search->addWidget(new QLabel(ToQ(captions.searchLabel), this));
    search->addWidget(EditCerca, 1);
    search->addWidget(BBcerca);
    listColumn_->addLayout(search);
    listColumn_->addWidget(new QLabel(ToQ(captions.foundTitle), this));
    listColumn_->addWidget(ListBox3, 1);

    paneColumn_ = new QVBoxLayout();
    paneColumn_->addWidget(LabelMemo);
    paneColumn_->addWidget(MemoNote, 1);
    auto* buttons = new QHBoxLayout();
    buttons->addStretch();
    buttons->addWidget(BitBtnRitorna);
    paneColumn_->addLayout(buttons);

    auto* root = new QHBoxLayout(this);
    root->addLayout(listColumn_);
    root->addLayout(paneColumn_, 1);

    connect(ListBox2, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { Guarded([&] { ListBox2Click(ListBox2->row(item)); }); });
    connect(ListBox3, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { Guarded([&] { ListBox3Click(ListBox3->row(item)); }); });
    connect(BBcerca, &QPushButton::clicked, this, [this] { Guarded([this] { BBcercaClick(); }); });
    connect(BitBtnRitorna, &QPushButton::clicked, this, &QDialog::accept);
}

void TRemedyTextForm::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    Guarded([this] { FormActivate(); });
}

void TRemedyTextForm::FormActivate()
{
    ListBox2->clear();
    names_.clear();
    entries_ = WriteRemedyIndex();
    for (const RemedyListEntry& entry : entries_) {
        names_.push_back(entry.name);
        ListBox2->addItem(ToQ(entry.name));
    }
}

const RemedyListEntry* TRemedyTextForm::Entry(std::string_view name) const
{
    for (const RemedyListEntry& e : entries_)
        if (e.name == name)
            return &e;
    return nullptr;
}

void TRemedyTextForm::ListBox2Click(int row)
{
    if (row < 0 || static_cast<std::size_t>(row) >= entries_.size())
        return;
    const RemedyListEntry& entry = entries_[static_cast<std::size_t>(row)];
    // The list holds the first record of every name.
    const RemedyRecord r = ReadRemedy(entry.record);
    LabelMemo->setText(ToQ(std::string(captions_.shownTitle) + entry.name));
    MemoNote->setPlainText(ToQ(ShownText(r)));
}

void TRemedyTextForm::BBcercaClick()
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    struct RestoreCursor {
        ~RestoreCursor() { QApplication::restoreOverrideCursor(); }
    } restore;
    ListBox3->clear();
    MemoNote->clear();
    LabelMemo->setText(ToQ(captions_.searchTitle));
    word_ = UpperCase1252(FromQ(EditCerca->text()));
    for (const std::string& name : FindRemedies(names_, ReadPrimaryDatabase(kRemedyName | RemedyTextField(kind_)), word_, kind_))
        ListBox3->addItem(ToQ(name));
}

void TRemedyTextForm::ListBox3Click(int row)
{
    if (row < 0)
        return;
    const std::string name = FromQ(ListBox3->item(row)->text());
    const RemedyListEntry* entry = Entry(name);
    if (name == kNoResultLine || !entry)
        return;
    const RemedyRecord r = ReadRemedy(entry->record);
    LabelMemo->setText(ToQ(std::string(captions_.shownTitle) + name));
    MemoNote->setPlainText(ToQ(ShowFoundWord(RemedyText(r, kind_), word_)));
}
