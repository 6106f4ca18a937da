#include "archive/SubjectList.h"

#include "platform/Application.h"
#include "platform/Cp1252Q.h"
#include "platform/Dialogs.h"
#include "platform/Errors.h"
#include "shell/Texts.h"
#include "shell/UnControlli.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QVBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QScrollBar>
#include <algorithm>

ListWindow VisibleEntries(std::size_t last, std::size_t centre)
{
    if (last == 0)
        return {1, 0};
    if (last < 10)
        return {1, last};
    const std::size_t c = ClampCentre(last, static_cast<long long>(centre));
    return {c - 4, c + 4};
}

std::size_t ClampCentre(std::size_t last, long long centre)
{
    if (last < 10)
        return static_cast<std::size_t>(std::clamp<long long>(centre, 0, static_cast<long long>(last)));
    return static_cast<std::size_t>(std::clamp<long long>(centre, 5, static_cast<long long>(last) - 4));
}

SubjectListControls CreateSubjectListControls(QWidget* form)
{
    SubjectListControls c {};
    c.archives = new QListWidget(form);
    c.archives->setObjectName(QStringLiteral("ListaArchivi"));
    c.archives->setMaximumWidth(170);
    c.archiveEdit = new QLineEdit(form);
    c.archiveEdit->setObjectName(QStringLiteral("EditArchi"));
    c.archiveEdit->setMaxLength(4);
    c.archiveEdit->setText(QStringLiteral("BASE"));
    c.prefixEdit = new QLineEdit(form);
    c.prefixEdit->setObjectName(QStringLiteral("EditSoggetto"));
    c.prefixEdit->setToolTip(ToQ("Scrivere le prime lettere del Nome"));
    c.names = new QListWidget(form);
    c.names->setObjectName(QStringLiteral("ListaNomi"));
    c.names->setToolTip(ToQ("Doppio Click per selezionare"));
    c.names->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    c.names->setFixedHeight(c.names->fontMetrics().lineSpacing() * kListLines + 16);
    c.scroll = new QScrollBar(Qt::Vertical, form);
    c.scroll->setObjectName(QStringLiteral("ScrollBar1"));

    c.archiveColumn = new QVBoxLayout();
    c.archiveColumn->addWidget(new QLabel(ToQ("ARCHIVI disponibili"), form));
    c.archiveColumn->addWidget(c.archives);
    c.archiveColumn->addWidget(c.archiveEdit);
    c.nameColumn = new QVBoxLayout();
    c.nameColumn->addWidget(new QLabel(ToQ("Scrivere le prime lettere del Nome"), form));
    c.nameColumn->addWidget(c.prefixEdit);
    auto* listRow = new QHBoxLayout();
    listRow->addWidget(c.names);
    listRow->addWidget(c.scroll);
    c.nameColumn->addLayout(listRow);
    return c;
}

SubjectList::SubjectList(QListWidget* archives, QLineEdit* archiveEdit, QLineEdit* prefixEdit, QListWidget* names,
                         QScrollBar* scroll, QObject* parent)
    : QObject(parent), archives_(archives), archiveEdit_(archiveEdit), prefixEdit_(prefixEdit), names_(names),
      scroll_(scroll)
{
    scroll_->setSingleStep(1);
    scroll_->setPageStep(kListLines);
    prefixEdit_->installEventFilter(this);
    connect(scroll_, &QScrollBar::valueChanged, this, [this](int v) { Guarded([&] { ScrollTo(v); }); });
    connect(archives_, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        Guarded([&] { Open(FromQ(item->text()).substr(0, 4)); });
    });
    connect(archiveEdit_, &QLineEdit::returnPressed, this,
            [this] { Guarded([&] { Open(FromQ(archiveEdit_->text())); }); });
    connect(names_, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) { emit LineChosen(names_->row(item)); });
    connect(names_, &QListWidget::itemActivated, this,
            [this](QListWidgetItem* item) { emit LineChosen(names_->row(item)); });
}

void SubjectList::Activate()
{
    prefix_.clear();
    prefixEdit_->clear();
    MarkEdit(prefixEdit_, true);
    archives_->clear();
    for (const std::string& name : ListArchives(false))
        archives_->addItem(ToQ(ArchiveLabel(name)));
    archiveEdit_->setText(QStringLiteral("BASE"));
    for (int i = 0; i < archives_->count(); ++i)
        if (archives_->item(i)->text().startsWith(QStringLiteral("BASE")))
            archives_->setCurrentRow(i);
    Open("BASE");
}

bool SubjectList::Open(const std::string& typed)
{
    std::string name = TrimBlanks(typed);
    UpperCaseInPlace(name);
    archive_.reset();
    texts_.clear();
    shown_.clear();
    names_->clear();
    centre_ = 0;
    if (!ValidArchiveName(name) || name == kCurrentArchive) {
        Dialogs::Error("Nome Archivio Non Ammesso");
        return false;
    }
    archiveEdit_->setText(ToQ(name));
    SubjectArchive archive(name);
    try {
        archive.Check();
        texts_ = archive.IndexTexts();
    } catch (const std::exception& e) {
        // The archive cannot be used; the window stays open on no archive.
        Dialogs::Error(ErrorMessageFor(e));
        texts_.clear();
        return false;
    }
    archive_ = archive;
    const bool empty = Last() == 0;
    prefixEdit_->setEnabled(!empty);
    scroll_->setEnabled(!empty && Last() > kListLines);
    if (empty) {
        names_->addItem(QStringLiteral("ARCHIVIO VUOTO"));
        return true;
    }
    centre_ = Last() < 9 ? 0 : 5;
    Fill();
    return true;
}

void SubjectList::Reload()
{
    // Reopened where the user was: on what the prefix leads to.
    if (archive_ && Open(archive_->Name()) && Last() > 0 && !prefix_.empty())
        Search();
}

void SubjectList::Fill()
{
    filling_ = true;
    names_->clear();
    shown_.clear();
    const ListWindow w = VisibleEntries(Last(), centre_);
    for (std::size_t i = w.first; i <= w.last && i < texts_.size(); ++i) {
        shown_.push_back(i);
        names_->addItem(ToQ(TrimRightBlanks(texts_[i].substr(0, 38))));
        if (i == centre_)
            names_->setCurrentRow(static_cast<int>(shown_.size() - 1));
    }
    if (Last() > kListLines) {
        scroll_->setRange(5, static_cast<int>(Last()) - 4);
        scroll_->setValue(static_cast<int>(ClampCentre(Last(), static_cast<long long>(centre_))));
    } else {
        scroll_->setRange(1, std::max<int>(1, static_cast<int>(Last())));
    }
    filling_ = false;
}

void SubjectList::ScrollTo(int value)
{
    if (filling_ || !archive_ || Last() <= kListLines)
        return;
    centre_ = ClampCentre(Last(), value);
    Fill();
}

void SubjectList::TypeKey(const QString& text, bool backspace)
{
    if (!archive_ || Last() == 0)
        return;
    if (backspace) {
        if (!prefix_.empty())
            prefix_.pop_back();
    } else {
        std::string typed = FromQ(text);
        UpperCaseInPlace(typed);
        prefix_ = Bounded(prefix_ + typed, 80);
    }
    prefixEdit_->setText(ToQ(prefix_));
    Search();
}

void SubjectList::Search()
{
    const SearchResult r = SearchPrefix(texts_, prefix_);
    MarkEdit(prefixEdit_, !(r.matches || prefix_.empty()));
    // The found entry stays inside the nine lines even at the end of the
    // archive (the window ends at the last entry).
    centre_ = Last() < 10 ? r.centre : ClampCentre(Last(), static_cast<long long>(r.centre));
    Fill();
    for (std::size_t line = 0; line < shown_.size(); ++line)
        if (shown_[line] == r.centre)
            names_->setCurrentRow(static_cast<int>(line));
}

std::optional<IndexEntry> SubjectList::EntryAtLine(int line) const
{
    if (!archive_ || line < 0 || static_cast<std::size_t>(line) >= shown_.size())
        return std::nullopt;
    return archive_->Entry(shown_[static_cast<std::size_t>(line)]);
}

bool SubjectList::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != prefixEdit_ || event->type() != QEvent::KeyPress)
        return QObject::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)
        return true; // Enter chooses in the list, not here
    if (key->key() == Qt::Key_Backspace) {
        Guarded([&] { TypeKey({}, true); });
        return true;
    }
    const QString text = key->text();
    if (!text.isEmpty() && text.at(0).isPrint()) {
        Guarded([&] { TypeKey(text, false); });
        return true;
    }
    return QObject::eventFilter(watched, event); // arrows, Tab
}
