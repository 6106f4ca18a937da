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
    void ComputeResult();
    void SetResultLocked(bool locked);
    void BBprosegiuClick();
    void BitBtnOggiClick();
    void ManualOk();

    bool italy_ = true;
    bool locked_ = true;
    std::optional<PlaceRecord> place_;
    std::vector<std::size_t> matches_;
    LocalBirth birth_;
};
