#pragma once
// Deletion of a subject from an archive: choose the archive and the subject
// (the same search as the recall window), confirm, and the index entry is
// removed so that the archive stays sorted. The subject's ST2 and ST3
// records stay where they are (other entries point at them by number); the
// current subject is left as it is.
#include "archive/SubjectArchive.h"

#include <QDialog>
#include <optional>

class QLineEdit;
class QListWidget;
class QPushButton;
class QScrollBar;
class SubjectList;

class TFoCancel : public QDialog {
    Q_OBJECT
public:
    explicit TFoCancel(QWidget* parent = nullptr);

    QListWidget* ListaArchivi;
    QLineEdit* EditArchi;
    QLineEdit* EditSoggetto;
    QListWidget* ListaNomi;
    QScrollBar* ScrollBar1;
    QLineEdit *EditNome, *EditData, *EditLocal;
    QPushButton *BBElimina, *BBRitorna;

    SubjectList* List() const { return list_; }

protected:
    void showEvent(QShowEvent* e) override;

private:
    void ListaNomiSelect(int line);
    void BBEliminaClick();

    SubjectList* list_;
    std::optional<IndexEntry> chosen_; // the entry to delete, as the list showed it
};
