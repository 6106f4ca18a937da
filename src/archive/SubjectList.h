#pragma once
// The archive chooser and the nine-line name list shared by the recall and
// deletion windows: archives from the ????.ST1 files, the binary search on
// the typed prefix, the list window centred on an entry, the scroll bar.
// The controls belong to the form; this class drives them.
#include "archive/SubjectArchive.h"

#include <QObject>
#include <optional>
#include <string>
#include <vector>

class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QScrollBar;
class QVBoxLayout;
class QWidget;

inline constexpr int kListLines = 9;

// First and last index entries shown for `last` entries around `centre`:
// all of 1..last when last < 10, else centre-4..centre+4.
struct ListWindow {
    std::size_t first = 0;
    std::size_t last = 0; // inclusive; first > last means empty
};
ListWindow VisibleEntries(std::size_t last, std::size_t centre);
// Centre kept where the nine lines stay inside 1..last (5..last-4).
std::size_t ClampCentre(std::size_t last, long long centre);

// The chooser and list controls, created on a form under their names
// (ListaArchivi, EditArchi, EditSoggetto, ListaNomi, ScrollBar1), and the two
// columns that lay them out: the archives, and the prefix with the names.
struct SubjectListControls {
    QListWidget* archives;
    QLineEdit* archiveEdit;
    QLineEdit* prefixEdit;
    QListWidget* names;
    QScrollBar* scroll;
    QVBoxLayout* archiveColumn;
    QVBoxLayout* nameColumn;
};
SubjectListControls CreateSubjectListControls(QWidget* form);

class SubjectList : public QObject {
    Q_OBJECT
public:
    SubjectList(QListWidget* archives, QLineEdit* archiveEdit, QLineEdit* prefixEdit, QListWidget* names,
                QScrollBar* scroll, QObject* parent = nullptr);

    // Fills the archive list (TMPR excluded) and opens BASE.
    void Activate();
    // Opens an archive by name; reports "Nome Archivio Non Ammesso" or the
    // damage of its files. Returns false when nothing could be opened.
    bool Open(const std::string& name);
    bool IsOpen() const { return archive_.has_value(); }
    const SubjectArchive& Archive() const { return *archive_; }
    std::size_t Last() const { return texts_.empty() ? 0 : texts_.size() - 1; }
    std::size_t Centre() const { return centre_; }
    const std::string& Prefix() const { return prefix_; }

    // A key typed in the prefix edit (upper-cased; backspace removes one).
    void TypeKey(const QString& text, bool backspace);
    // The entry shown at a visible line, nothing past the list.
    std::optional<IndexEntry> EntryAtLine(int line) const;
    // Re-reads the open archive (after a deletion) and refills the list
    // around what the typed prefix leads to.
    void Reload();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

signals:
    // A line was chosen by click, Enter or double click.
    void LineChosen(int line);

private:
    void Fill();
    void Search();
    void ScrollTo(int value);

    QListWidget* archives_;
    QLineEdit* archiveEdit_;
    QLineEdit* prefixEdit_;
    QListWidget* names_;
    QScrollBar* scroll_;
    std::optional<SubjectArchive> archive_;
    std::vector<std::string> texts_; // ST1 short strings, template included
    std::vector<std::size_t> shown_; // index entry of each visible line
    std::size_t centre_ = 0;
    std::string prefix_; // text[80]
    bool filling_ = false;
};
