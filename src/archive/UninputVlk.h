#pragma once
// Birth-data input: name, local date and time, the place from the Italian
// or the foreign gazetteer (or typed coordinates), and the correction from
// the local clock to universal time from the historical time regimes of the
// place. "OK Prosegui" checks everything, fills BirthInput and opens the
// registration window.
#include "archive/BirthInput.h"

#include <QDialog>
#include <optional>

class QCheckBox;
class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QScrollBar;
class QWidget;

class TFoInputVlk : public QDialog {
    Q_OBJECT
public:
    explicit TFoInputVlk(QWidget* parent = nullptr);

    QLineEdit *EditSogg, *EditGiorno, *EditMese, *EditAnno, *EditOra, *EditMinuti;
    QPushButton* BitBtnOggi;
    QDateEdit* DateTimePicker1;
    QLineEdit* EditLocal;
    QListWidget* ListBox1;
    QLabel* LabLocal; // says why the list is empty
    QScrollBar* ScrollBar1;
    QPushButton *BBItalia, *BBperson;
    QWidget* PanelMan;
    QLineEdit *EditGrdLat, *EditNS, *EditPriLat, *EditGrdLon, *EditEWgrd, *EditPriLon;
    QLineEdit *EditOreLon, *EditMinLon, *EditSecLon, *EditEWore;
    QPushButton *BitBtn1, *BitBtn2;
    QWidget* PanelResult;
    QLineEdit *EditDataEstesa, *EditJD, *EditLocEstesa, *EditCoord, *EditFuso, *EditCalend, *EditStato;
    QCheckBox* CheckBoxLocale;
    QComboBox* ComboBox2;
    QLabel* LabNote;
    QPushButton *BBLock, *BBprosegui, *BBRitorna;

protected:
    void showEvent(QShowEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormActivate();
    void SetGazetteer(bool italy);
    void EditLocalChange();
    void ListBox1DblClick();
    bool CheckDate(bool report);
    // The typed date and time when complete and valid (no message).
    std::optional<LocalBirth> TypedBirth() const;
    int CalendarFor(const LocalBirth& b) const;
    // The result panel follows every change of date, time, place, calendar
    // or local-time choice: recomputed, or emptied while the date is
    // incomplete, so that nothing stale can be registered.
    void InputChanged();
    void ComputeResult();
    void CalendarEdited();
    void CorrectionEdited();
    void FillDate(int day, int month, int year);
    void SetResultLocked(bool locked);
    void BBprosegiuClick();
    void BitBtnOggiClick();
    void ManualOk();

    bool italy_ = true;
    bool locked_ = true;
    std::optional<PlaceRecord> place_;
    std::vector<RegimeRecord> regimes_; // of the chosen place
    std::optional<int> calendarTyped_;  // typed in the result panel, until the date or place changes
    bool filling_ = false;              // several edits filled at once: one recomputation
    std::vector<std::size_t> matches_;
    LocalBirth birth_;
};
