// The backup window driven offscreen through its controls, on a fake
// volume tree: choosing a volume in the drop-down, backup, restore answered
// Yes and No, and "OK" only after copies that all succeeded.
#include "archive/Backup.h"
#include "archive/UnBakMod1.h"
#include "platform/Application.h"
#include "platform/Cp1252Q.h"
#include "platform/Dialogs.h"
#include "platform/TextFile.h"
#include "shell/DateTexts.h"
#include "shell/SharedState.h"
#include "shell/UnControlli.h"
#include "support/TempFolder.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QtTest>
#include <memory>

namespace fs = std::filesystem;

namespace {

const char* const kSettings = "1\r\n0\r\n0\r\n1\r\n 1.00000000000000E+0000\r\nDa definire\r\n"
                              " 1.00000000000000E+0000\r\n 1.00000000000000E+0000\r\n";

std::vector<std::string> Items(const QListWidget* list)
{
    std::vector<std::string> out;
    for (int i = 0; i < list->count(); ++i)
        out.push_back(FromQ(list->item(i)->text()));
    return out;
}

} // namespace

class BackupWindowTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TempFolder> dir_;
    std::unique_ptr<Dialogs::Script> script_;
    std::unique_ptr<TFoBakMod1> form_;
    fs::path usb_;

    void Open()
    {
        form_ = std::make_unique<TFoBakMod1>();
        form_->show();
    }

    // Drops the drive list down with its button and clicks the volume.
    void ChooseVolume(const fs::path& volume)
    {
        QComboBox* combo = form_->DriveComboBox1;
        const int index = combo->findData(ToQ(volume.string()));
        QVERIFY2(index >= 0, volume.c_str());
        QTest::mouseClick(form_->BBCambiaDest, Qt::LeftButton);
        QAbstractItemView* view = combo->view();
        QTRY_VERIFY(view->isVisible());
        const QRect item = view->visualRect(view->model()->index(index, 0));
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, item.center());
        QTRY_VERIFY(!view->isVisible());
    }

    std::string Program(const char* name) const { return dir_->Get(name); }
    std::string Texts() const
    {
        std::string all;
        for (const auto& t : script_->Texts())
            all += t + "|";
        return all;
    }

private slots:
    void init()
    {
        dir_ = std::make_unique<TempFolder>();
        dir_->Put("FileSet/MMVarLas.stt", kSettings);
        dir_->Put("BASE.ST1", "indice");
        dir_->Put("BASE.ST2", "soggetti");
        dir_->Put("BASE.ST3", "note");
        dir_->Put("BASEtxt/FlagTxt.set", "1\r\n");
        dir_->Put("BASEtxt/00001.txt", "testo\r\n");
        const fs::path volumes = dir_->Path() / "volumi";
        usb_ = volumes / "media" / "anna" / "USB";
        fs::create_directories(usb_ / "Foto");
        fs::create_directories(volumes / "home" / "anna");
        SetWindowVolumeRoots(VolumeRoots {{volumes / "media" / "anna"}, volumes / "home" / "anna"});
        script_ = std::make_unique<Dialogs::Script>();
        PrintSettings = PrintSettingsState {};
    }

    void cleanup()
    {
        form_.reset();
        script_.reset();
        SetWindowVolumeRoots(std::nullopt);
        dir_.reset();
    }

    void activationShowsThePlaceholderAndTheVolumes()
    {
        Open();
        QCOMPARE(FromQ(form_->windowTitle()), std::string("Backup/Ripristino Archivio BASE"));
        QCOMPARE(FromQ(form_->EditDest->text()), std::string("?:\\ZarvekinBck"));
        QCOMPARE(EditColour(form_->EditDest), kColourRed);
        QCOMPARE(PrintSettings.BackupFolder, std::string(kBackupPlaceholder));
        QCOMPARE(FromQ(form_->EditData->text()), std::string("Mai"));
        QCOMPARE(FromQ(form_->LabDest->text()), std::string("Unità:"));
        QVERIFY(!form_->LabOkDati->isVisible());
        QVERIFY(form_->LabDef1->isVisible() && form_->LabDef2->isVisible());
        QCOMPARE(FromQ(form_->LabDef1->text()), std::string("Definire l'Unità su cui copiare o"));
        QCOMPARE(FromQ(form_->LabDef2->text()), std::string("dalla quale attingere i dati."));
        const std::pair<QPushButton*, const char*> captions[] = {
            {form_->BBCambiaDest, "Definisci Unità Backup"}, {form_->BBchiudiScelta, "X"},
            {form_->BBbackup, "Backup"}, {form_->BBRestore, "Ripristino"}, {form_->BitBtnRitorna, "Ritorna"}};
        for (const auto& [button, caption] : captions)
            QCOMPARE(FromQ(button->text()), std::string(caption));
        QCOMPARE(form_->DriveComboBox1->count(), 2);
        QCOMPARE(FromQ(form_->DriveComboBox1->itemText(1)), usb_.string());
        QCOMPARE(form_->DirectoryListBox1->count(), 0);

        // "X" closes the dropped-down list without choosing.
        QTest::mouseClick(form_->BBCambiaDest, Qt::LeftButton);
        QTRY_VERIFY(form_->DriveComboBox1->view()->isVisible());
        QTest::mouseClick(form_->BBchiudiScelta, Qt::LeftButton);
        QTRY_VERIFY(!form_->DriveComboBox1->view()->isVisible());
        QCOMPARE(FromQ(form_->EditDest->text()), std::string("?:\\ZarvekinBck"));

        form_.reset();
        dir_->Put("FileDum/MMbakMod1.dum", "14/11/2023\r\n");
        Open();
        QCOMPARE(FromQ(form_->EditData->text()), std::string("14/11/2023"));
    }

    void backupBeforeChoosingAVolumeCopiesNothing()
    {
        Open();
        QTest::mouseClick(form_->BBbackup, Qt::LeftButton);
        QCOMPARE(Texts(), std::string("Necessario definire l'Unità di backup|"));
        QCOMPARE(script_->Messages()[0].kind, Dialogs::Kind::Information);
        QCOMPARE(FromQ(form_->LabDest->text()), std::string("Destinaz.:"));
        QVERIFY(!form_->LabOkDati->isVisible());
        QVERIFY(!fs::exists(usb_ / "ZarvekinBck"));
        // Restore before choosing puts the label back.
        QTest::mouseClick(form_->BBRestore, Qt::LeftButton);
        QCOMPARE(FromQ(form_->LabDest->text()), std::string("Unità:"));
    }

    void chosenVolumeThenBackupAndRestore()
    {
        Open();
        ChooseVolume(usb_);
        const std::string folder = usb_.string() + "/ZarvekinBck";
        QCOMPARE(FromQ(form_->EditDest->text()), folder);
        QCOMPARE(EditColour(form_->EditDest), kColourAqua);
        QVERIFY(!form_->LabDef1->isVisible() && !form_->LabDef2->isVisible());
        QCOMPARE(Items(form_->DirectoryListBox1), std::vector<std::string> {"Foto"});
        QCOMPARE(ReadTextLines("FileSet\\MMVarLas.stt")[5], folder);
        QCOMPARE(ReadTextLines("FileSet\\MMVarLas.stt")[4], std::string(" 1.00000000000000E+0000"));

        QTest::mouseClick(form_->BBbackup, Qt::LeftButton);
        QVERIFY2(script_->Texts().empty(), Texts().c_str());
        QVERIFY(form_->LabOkDati->isVisible());
        QCOMPARE(FromQ(form_->LabOkDati->text()), std::string("OK"));
        QCOMPARE(FromQ(form_->EditData->text()), TodayText());
        QVERIFY(fs::exists(usb_ / "ZarvekinBck" / "DatiBase" / "BASE.ST2"));
        QVERIFY(fs::exists(usb_ / "ZarvekinBck" / "BASEtxt" / "00001.txt"));

        dir_->Put("BASE.ST1", "indice cambiato");
        script_->AnswerNext(false);
        QTest::mouseClick(form_->BBRestore, Qt::LeftButton);
        QCOMPARE(Texts(), std::string("SOSTITUIRE i dati attuali con una COPIA?|"));
        QCOMPARE(script_->Messages()[0].kind, Dialogs::Kind::Question);
        QCOMPARE(FromQ(form_->LabDest->text()), std::string("Origine:"));
        QVERIFY(!form_->LabOkDati->isVisible());
        QCOMPARE(Program("BASE.ST1"), std::string("indice cambiato"));

        script_->Clear();
        script_->AnswerNext(true);
        QTest::mouseClick(form_->BBRestore, Qt::LeftButton);
        QCOMPARE(Texts(), std::string("SOSTITUIRE i dati attuali con una COPIA?|"));
        QCOMPARE(Program("BASE.ST1"), std::string("indice"));
        QVERIFY(form_->LabOkDati->isVisible());
        QCOMPARE(FromQ(form_->LabDest->text()), std::string("Unità:"));
    }

    void failedBackupShowsTheFileAndNoOk()
    {
        Open();
        ChooseVolume(usb_);
        QTest::mouseClick(form_->BBbackup, Qt::LeftButton);
        QVERIFY(form_->LabOkDati->isVisible());
        const fs::path text = usb_ / "ZarvekinBck" / "BASEtxt" / "00001.txt";
        fs::remove(text);
        fs::create_directory(text);
        dir_->Put("BASE.ST1", "indice nuovo");
        QTest::mouseClick(form_->BBbackup, Qt::LeftButton);
        QVERIFY(!form_->LabOkDati->isVisible());
        QCOMPARE(script_->Messages().size(), std::size_t(1));
        QCOMPARE(script_->Messages()[0].kind, Dialogs::Kind::Error);
        QVERIFY2(script_->Texts()[0].find(text.string()) != std::string::npos, Texts().c_str());
        QCOMPARE(dir_->Get("volumi/media/anna/USB/ZarvekinBck/DatiBase/BASE.ST1"), std::string("indice"));
    }

    void ritornaCloses()
    {
        Open();
        QTest::mouseClick(form_->BitBtnRitorna, Qt::LeftButton);
        QVERIFY(!form_->isVisible());
        QCOMPARE(form_->result(), int(QDialog::Accepted));
    }
};

int main(int argc, char** argv)
{
    QuillonApplication app(argc, argv);
    BackupWindowTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "BackupWindowTest.moc"
