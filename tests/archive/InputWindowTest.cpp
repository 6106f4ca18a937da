// The birth-data input window on a copy of the built program folder, with
// the real gazetteers and time regimes: a place found by its first letters,
// the correction in force on the day, the Julian day in universal time, and
// the subject registered and made current with that same day.
#include "archive/CurrentSubject.h"
#include "archive/SubjectArchive.h"
#include "archive/UnRegVlk.h"
#include "archive/UninputVlk.h"
#include "platform/Application.h"
#include "platform/Cp1252Q.h"
#include "platform/Dialogs.h"
#include "platform/FloatText.h"
#include "shell/DateTexts.h"
#include "shell/SharedState.h"
#include "shell/Texts.h"
#include "shell/UnControlli.h"
#include "support/TempFolder.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <QtTest>
#include <functional>
#include <memory>

namespace {
// Presses "Registra" in the registration window once it is shown modally.
class RegisterWhenShown : public QObject {
public:
    RegisterWhenShown()
    {
        timer_.setInterval(5);
        connect(&timer_, &QTimer::timeout, this, [this] {
            auto* form = qobject_cast<TFormRegVlk*>(QApplication::activeModalWidget());
            if (!form)
                return;
            timer_.stop();
            shown = true;
            form->BBRegistra->click();
        });
        timer_.start();
    }
    bool shown = false;

private:
    QTimer timer_;
};
} // namespace

class InputWindowTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TempFolder> dir_;
    std::unique_ptr<Dialogs::Script> script_;
    std::unique_ptr<TFoInputVlk> form_;

    void Type(const char* name, const char* day, const char* month, const char* year, const char* hour,
              const char* minute)
    {
        form_->EditSogg->setText(ToQ(name));
        form_->EditGiorno->setText(QString::fromLatin1(day));
        form_->EditMese->setText(QString::fromLatin1(month));
        form_->EditAnno->setText(QString::fromLatin1(year));
        form_->EditOra->setText(QString::fromLatin1(hour));
        form_->EditMinuti->setText(QString::fromLatin1(minute));
    }

    void ChoosePlace(bool italy, const char* typed, const char* shown)
    {
        (italy ? form_->BBItalia : form_->BBperson)->click();
        form_->EditLocal->clear();
        QTest::keyClicks(form_->EditLocal, ToQ(typed));
        const auto items = form_->ListBox1->findItems(ToQ(shown), Qt::MatchStartsWith);
        QVERIFY2(!items.isEmpty(), shown);
        form_->ListBox1->setCurrentItem(items[0]);
        emit form_->ListBox1->itemActivated(items[0]);
    }

    long double Local(int calendar, int d, int m, int y, int h, int min)
    {
        return JulianDay(calendar, d, m, y, h, min);
    }

private slots:
    void init()
    {
        dir_ = std::make_unique<TempFolder>();
        dir_->CopyTemplate();
        EnsurePersonalArchive();
        script_ = std::make_unique<Dialogs::Script>();
        FormRegVlk = new TFormRegVlk();
        form_ = std::make_unique<TFoInputVlk>();
        form_->show();
    }

    void cleanup()
    {
        form_.reset();
        delete FormRegVlk;
        FormRegVlk = nullptr;
        script_.reset();
        dir_.reset();
    }

    void warTimeInMilanAndRegistration()
    {
        QCOMPARE(form_->EditSogg->text(), QStringLiteral("OGGI"));
        Type("Gatti Elena", "15", "07", "1944", "10", "30");
        ChoosePlace(true, "Milano", "Milano(MI)");
        QCOMPARE(form_->EditFuso->text(), QStringLiteral("+2.00"));
        QCOMPARE(form_->EditCalend->text(), QStringLiteral("GREG"));
        QCOMPARE(form_->EditLocEstesa->text(), QStringLiteral("Milano(MI)"));
        QVERIFY(form_->ComboBox2->count() > 10);
        const long double ut = Local(1, 15, 7, 1944, 8, 30);
        QCOMPARE(form_->EditJD->text(), ToQ(FixedDigits(13, ut)));

        RegisterWhenShown registration;
        form_->BBprosegui->click();
        QVERIFY(registration.shown);
        QCOMPARE(BirthInput.ZoneText, std::string("-2,00"));
        QCOMPARE(BirthInput.Place, std::string("Milano*MI*"));
        QVERIFY(std::fabs(double(BirthInput.JD - ut)) < 1e-9);
        const std::vector<IndexEntry> entries = SubjectArchive("BASE").Entries();
        QCOMPARE(entries.size(), std::size_t(1));
        QCOMPARE(entries[0].name, std::string("Gatti Elena"));
        LoadCurrentSubjectData();
        QCOMPARE(CurrentSubject.Name, std::string("Gatti Elena"));
        QVERIFY(std::fabs(double(CurrentSubject.JD - ut)) < 1e-9);
        QCOMPARE(CurrentSubject.DisplayDate, std::string("15/07/1944 10:30"));
    }

    void corrections_data()
    {
        QTest::addColumn<bool>("italy");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("date");
        QTest::addColumn<QString>("fuso");
        QTest::newRow("New York, summer 1976") << false << QStringLiteral("New York") << QStringLiteral("New York")
                                               << QStringLiteral("04/07/1976 12:00") << QStringLiteral("-4.00");
        QTest::newRow("Roma 1880, Rome mean time") << true << QStringLiteral("Roma") << QStringLiteral("Roma(RM)")
                                                   << QStringLiteral("01/01/1880 12:00") << QStringLiteral("+0.83");
        QTest::newRow("Roma 1967 winter") << true << QStringLiteral("Roma") << QStringLiteral("Roma(RM)")
                                          << QStringLiteral("15/01/1967 12:00") << QStringLiteral("+1.00");
        QTest::newRow("Roma 1967 summer") << true << QStringLiteral("Roma") << QStringLiteral("Roma(RM)")
                                          << QStringLiteral("15/07/1967 12:00") << QStringLiteral("+2.00");
    }

    void corrections()
    {
        QFETCH(bool, italy);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QFETCH(QString, date);
        QFETCH(QString, fuso);
        const std::string d = FromQ(date);
        Type("Prova", d.substr(0, 2).c_str(), d.substr(3, 2).c_str(), d.substr(6, 4).c_str(), d.substr(11, 2).c_str(),
             d.substr(14, 2).c_str());
        ChoosePlace(italy, FromQ(typed).c_str(), FromQ(shown).c_str());
        QCOMPARE(form_->EditFuso->text(), fuso);
    }

    void badDatesAreRefused_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("value");
        QTest::newRow("hour 24") << QStringLiteral("EditOra") << QStringLiteral("24");
        QTest::newRow("year 2081") << QStringLiteral("EditAnno") << QStringLiteral("2081");
        QTest::newRow("month 0") << QStringLiteral("EditMese") << QStringLiteral("0");
        QTest::newRow("letters") << QStringLiteral("EditMinuti") << QStringLiteral("x5");
        QTest::newRow("31 February") << QStringLiteral("EditGiorno") << QStringLiteral("31");
    }

    void badDatesAreRefused()
    {
        QFETCH(QString, field);
        QFETCH(QString, value);
        Type("Prova", "15", "02", "1971", "10", "30");
        ChoosePlace(true, "Torino", "Torino(TO)");
        form_->findChild<QLineEdit*>(field)->setText(value);
        const std::string base = dir_->Get("BASE.ST1");
        form_->BBprosegui->click();
        QVERIFY(!script_->Texts().empty());
        QCOMPARE(script_->Texts().back(), std::string("Data Scorretta"));
        QCOMPARE(dir_->Get("BASE.ST1"), base);
    }

    void missingPlaceOrName()
    {
        Type("Prova", "15", "02", "1971", "10", "30");
        form_->EditCalend->setText(QStringLiteral("GREG"));
        form_->BBprosegui->click();
        QCOMPARE(script_->Texts().back(), std::string("Manca Nome Località"));
        QTest::keyClicks(form_->EditLocal, QStringLiteral("Zzqxw"));
        QCOMPARE(form_->ListBox1->count(), 0);
        form_->EditSogg->clear();
        form_->BBprosegui->click();
        QCOMPARE(script_->Texts().back(), std::string("Manca il Nome del Soggetto"));
    }

    void manualCoordinates()
    {
        Type("Prova", "15", "02", "1971", "10", "30");
        ChoosePlace(true, "Torino", "Torino(TO)");
        QTest::mouseDClick(form_->EditCoord, Qt::LeftButton);
        QVERIFY(form_->PanelMan->isVisible());
        form_->EditGrdLat->setText(QStringLiteral("89"));
        form_->EditNS->setText(QStringLiteral("N"));
        form_->EditPriLat->setText(QStringLiteral("00"));
        form_->EditGrdLon->setText(QStringLiteral("012"));
        form_->EditEWgrd->setText(QStringLiteral("E"));
        form_->EditPriLon->setText(QStringLiteral("30"));
        form_->BitBtn1->click();
        QCOMPARE(form_->EditCoord->text(), QStringLiteral("89N00 012E30"));
        QVERIFY(!form_->PanelMan->isVisible());
        QTest::mouseDClick(form_->EditCoord, Qt::LeftButton);
        form_->EditGrdLat->setText(QStringLiteral("95"));
        form_->BitBtn1->click();
        QCOMPARE(script_->Texts().back(), std::string("Coordinate Scorrette"));
    }
};

int main(int argc, char** argv)
{
    QuillonApplication app(argc, argv);
    InputWindowTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "InputWindowTest.moc"
