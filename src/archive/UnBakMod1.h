#pragma once
// Backup and restore of the personal archive BASE and its texts.
//
// The user picks a volume in DriveComboBox1 (the drop-down opened by
// "Definisci Unità Backup", closed by "X"); its ZarvekinBck folder becomes
// the backup folder, shown in EditDest and stored as line 6 of
// MMVarLas.stt. "Backup" copies BASE and its texts there, "Ripristino"
// copies them back after a Yes/No question. LabOkDati shows "OK" only after
// a command whose every copy succeeded. The copying is the logic of
// archive/Backup.h. A new instance is created each time the window opens.
#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

class TFoBakMod1 : public QDialog {
    Q_OBJECT
public:
    explicit TFoBakMod1(QWidget* parent = nullptr);

    QLineEdit *EditDest, *EditData;
    QLabel *LabDest, *LabOkDati, *LabDef1, *LabDef2;
    QComboBox* DriveComboBox1;
    QListWidget* DirectoryListBox1;
    QPushButton *BBCambiaDest, *BBchiudiScelta, *BBbackup, *BBRestore, *BitBtnRitorna;

protected:
    void showEvent(QShowEvent* e) override;

private:
    void FormActivate();
    void FillDriveList();
    void DriveComboBox1Change(int index);
    void BBCambiaDestClick();
    void BBchiudiSceltaClick();
    void BBbackupClick();
    void BBRestoreClick();
    void SetLabDest(const char* text, int colour);
};
