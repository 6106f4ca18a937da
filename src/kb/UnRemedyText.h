#pragma once
// The common form of the two windows that show one long text of a remedy
// (its psychic synthesis, or its composition kept in the notes) and find
// the remedies whose text holds a word: the remedy list, the search box,
// the list of the remedies found and the text pane.
#include "kb/KbRebuild.h"
#include "kb/RemedyTextSearch.h"

#include <QDialog>
#include <string>
#include <vector>

class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QVBoxLayout;

struct RemedyTextCaptions {
    const char* window;     // window caption
    const char* memoTitle;  // LabelMemo at start
    const char* searchTitle; // LabelMemo after a search
    const char* shownTitle; // LabelMemo before the remedy name
    const char* listTitle;  // over the remedy list
    const char* foundTitle; // over the list of the remedies found
    const char* searchLabel; // beside the search box
};

class TRemedyTextForm : public QDialog {
    Q_OBJECT
public:
    TRemedyTextForm(const char* objectName, RemedyTextKind kind, const RemedyTextCaptions& captions,
                    QWidget* parent);

    QListWidget* ListBox2; // the remedies
    QListWidget* ListBox3; // the remedies found
    QLineEdit* EditCerca;
    QPushButton* BBcerca;
    QLabel* LabelMemo;
    QPlainTextEdit* MemoNote;
    QPushButton* BitBtnRitorna;

protected:
    void showEvent(QShowEvent* e) override;
    virtual void FormActivate();
    virtual void ListBox2Click(int row);
    // The text of a remedy as shown when it is chosen in the remedy list.
    virtual std::string ShownText(const RemedyRecord& r) const = 0;
    void BBcercaClick();
    void ListBox3Click(int row);

    // Layout hooks: the column of the lists, and the pane column.
    QVBoxLayout* listColumn_;
    QVBoxLayout* paneColumn_;

    RemedyTextKind kind_;
    RemedyTextCaptions captions_;
    std::vector<RemedyListEntry> entries_;
    std::vector<std::string> names_;
    std::string word_; // the last word searched, upper-cased

private:
    const RemedyListEntry* Entry(std::string_view name) const;
};
