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
#include "platform/FileSystem.h"
#include "platform/FloatText.h"
#include "shell/DateTexts.h"
#include "shell/SharedState.h"
#include "shell/SubjectFields.h"
#include "shell/Texts.h"
#include "shell/UnControlli.h"
#include "support/TempFolder.h"

#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <QtTest>
#include <functional>
#include <memory>

namespace {
// Presses "Registra" in the registration window once it is shown modally,
// noting what the window shows.
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
            date = form->EditData->text();
            correction = form->EditCorr->text();
            calendar = form->EditCal->text();
            form->BBRegistra->click();
        });
        timer_.start();
    }
    bool shown = false;
    QString date, correction, calendar;

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

    // Types any text key by key, letters of other scripts and combining
    // marks too (keyClicks knows the Latin-1 keys only).
    static void TypeText(QLineEdit* edit, const QString& text)
    {
        for (const QChar c : text) {
            QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
            QApplication::sendEvent(edit, &press);
            QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(c));
            QApplication::sendEvent(edit, &release);
        }
    }

    long double Local(int calendar, int d, int m, int y, int h, int min)
    {
        return JulianDay(calendar, d, m, y, h, min);
    }

    // The Gregorian Julian day of a "dd/mm/yyyy hh:mm" text.
    long double JulianDayOfText(const std::string& text)
    {
        SplitDisplayDate(text);
        return JulianDay(1, CurrentSubject.Day, CurrentSubject.Month, CurrentSubject.Year, CurrentSubject.Hour,
                         CurrentSubject.Minute);
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
        FileSystem::FixClock(std::nullopt);
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
        QTest::newRow("Roma, first moment of winter time 2020")
            << true << QStringLiteral("Roma") << QStringLiteral("Roma(RM)") << QStringLiteral("25/10/2020 03:00")
            << QStringLiteral("+1.00");
        QTest::newRow("Hanoi 1972, north Vietnam") << false << QStringLiteral("Hanoi") << QStringLiteral("Hanoi")
                                                   << QStringLiteral("01/06/1972 12:00") << QStringLiteral("+7.00");
        QTest::newRow("Parigi 1990") << false << QStringLiteral("Parigi") << QStringLiteral("Parigi = Paris")
                                     << QStringLiteral("15/01/1990 12:00") << QStringLiteral("+1.00");
    }

    // The first line of the list as the user types: the place's own name,
    // or the other name it was found by before it.
    void placesAsTyped_data()
    {
        QTest::addColumn<bool>("italy");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("first");
        QTest::newRow("Forli") << true << QStringLiteral("Forli") << ToQ("Forlì(FC)");
        QTest::newRow("Forli'") << true << QStringLiteral("Forli'") << ToQ("Forlì(FC)");
        QTest::newRow("decomposed accent") << true << QString::fromUtf8(reinterpret_cast<const char*>(u8"Forli\u0300")) << ToQ("Forlì(FC)");
        QTest::newRow("Citta di Castello") << true << QStringLiteral("citta di castello") << ToQ("Città di Castello(PG)");
        QTest::newRow("Bozen") << true << QStringLiteral("Bozen") << QStringLiteral("Bozen = Bolzano(BZ)");
        QTest::newRow("Reggio Emilia") << true << QStringLiteral("Reggio Emilia")
                                       << QStringLiteral("Reggio Emilia = Reggio nell'Emilia(RE)");
        QTest::newRow("full official name") << true << QStringLiteral("Sant'Ambrogio di Valpolicella")
                                            << QStringLiteral("Sant'Ambrogio di Valpolicella = Sant'Ambrogio Valpolicella(VR)");
        QTest::newRow("Parigi") << false << QStringLiteral("Parigi") << ToQ("Parigi = Paris  (Francia, Île-de-France)");
        QTest::newRow("Munchen") << false << QStringLiteral("Munchen") << ToQ("München = Munich  (Germania, Bavaria)");
    }

    void placesAsTyped()
    {
        QFETCH(bool, italy);
        QFETCH(QString, typed);
        QFETCH(QString, first);
        (italy ? form_->BBItalia : form_->BBperson)->click();
        TypeText(form_->EditLocal, typed);
        QVERIFY(form_->ListBox1->count() > 0);
        QCOMPARE(form_->ListBox1->item(0)->text(), first);
    }

    // A place whose coordinates once read "44N60" is registered with the
    // minutes carried into the degrees.
    void placeOnAWholeDegreeIsRegistered()
    {
        Type("Prova", "15", "02", "1971", "10", "30");
        ChoosePlace(true, "Altavilla Monferrato", "Altavilla Monferrato(AL)");
        QCOMPARE(form_->EditCoord->text(), QStringLiteral("45N00 008E23"));
        RegisterWhenShown registration;
        form_->BBprosegui->click();
        QVERIFY(registration.shown);
        QCOMPARE(BirthInput.CoordText, std::string("45N00 008E23"));
        QCOMPARE(BirthInput.Place, std::string("Altavilla Monferrato*AL*"));
    }

    // A foreign place found by its Italian name is stored as the gazetteer
    // names it.
    void placeFoundByItsItalianNameIsRegistered()
    {
        Type("Prova", "15", "02", "1971", "10", "30");
        ChoosePlace(false, "Londra", "Londra = London");
        QCOMPARE(form_->EditLocEstesa->text(), QStringLiteral("London"));
        QCOMPARE(form_->EditFuso->text(), QStringLiteral("+1.00")); // British Standard Time, 1968-71
        RegisterWhenShown registration;
        form_->BBprosegui->click();
        QVERIFY(registration.shown);
        QCOMPARE(BirthInput.Place, std::string("London"));
    }

    void badPlaceTexts_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("message");
        QTest::newRow("Cyrillic") << QString::fromUtf8(reinterpret_cast<const char*>(u8"Москва"))
                                  << ToQ("Il nome della località contiene lettere di un alfabeto non latino: "
                                         "scriverlo in lettere latine (per esempio Mosca, Pechino, Atene)");
        QTest::newRow("Chinese") << QString::fromUtf8(reinterpret_cast<const char*>(u8"北京"))
                                 << ToQ("Il nome della località contiene lettere di un alfabeto non latino: "
                                        "scriverlo in lettere latine (per esempio Mosca, Pechino, Atene)");
        QTest::newRow("lone apostrophe") << QStringLiteral("'") << ToQ("Scrivere le prime lettere del nome della località");
        QTest::newRow("too long") << QString(200, QLatin1Char('a'))
                                  << ToQ("Nome della località troppo lungo: al più 55 caratteri");
    }

    // A text that cannot be searched: the message in the list, the edit
    // red, and nothing stored on "OK Prosegui".
    void badPlaceTexts()
    {
        QFETCH(QString, typed);
        QFETCH(QString, message);
        Type("Prova", "15", "02", "1971", "10", "30");
        form_->EditCalend->setText(QStringLiteral("GREG"));
        TypeText(form_->EditLocal, typed);
        QCOMPARE(form_->ListBox1->count(), 1);
        QCOMPARE(form_->ListBox1->item(0)->text(), message);
        QCOMPARE(form_->EditLocal->palette().color(QPalette::Base), QColor(255, 0, 0));
        emit form_->ListBox1->itemActivated(form_->ListBox1->item(0));
        QVERIFY(form_->EditLocEstesa->text().isEmpty());
        const std::string base = dir_->Get("BASE.ST1");
        form_->BBprosegui->click();
        QCOMPARE(script_->Texts().back(), std::string("Manca Nome Località"));
        QCOMPARE(dir_->Get("BASE.ST1"), base);
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

    void todayReplacesAnOldDate()
    {
        FileSystem::FixClock(FileSystem::LocalTime {2024, 7, 15, 9, 41, 0});
        Type("Prova Oggi", "01", "01", "1500", "12", "00");
        ChoosePlace(true, "Milano", "Milano(MI)");
        QCOMPARE(form_->EditCalend->text(), QStringLiteral("GIUL"));
        QCOMPARE(form_->EditFuso->text(), QStringLiteral("+0.61"));

        form_->BitBtnOggi->click();
        QCOMPARE(form_->EditGiorno->text() + form_->EditMese->text() + form_->EditAnno->text(),
                 QStringLiteral("15072024"));
        // The result is today's before anything can be registered.
        QCOMPARE(form_->EditCalend->text(), QStringLiteral("GREG"));
        QCOMPARE(form_->EditFuso->text(), QStringLiteral("+2.00"));
        QVERIFY(form_->ComboBox2->currentText().endsWith(QStringLiteral(" CEST")));
        const long double ut = Local(1, 15, 7, 2024, 10, 0);
        QCOMPARE(form_->EditJD->text(), ToQ(FixedDigits(13, ut)));

        RegisterWhenShown registration;
        form_->BBprosegui->click();
        QVERIFY(registration.shown);
        QCOMPARE(registration.date, QStringLiteral("15/07/2024 12:00"));
        QCOMPARE(registration.calendar, QStringLiteral("GREG"));
        QCOMPARE(registration.correction, QStringLiteral("+2"));
        const SubjectArchive base("BASE");
        const SubjectRecord stored = base.Subject(base.Entry(1).st2);
        QCOMPARE(stored.DateKey, std::string("202407151200-2"));
        QCOMPARE(stored.Calendar, std::string("GR"));
        QCOMPARE(stored.Nationality, std::string("Italia"));
        LoadCurrentSubjectData();
        QCOMPARE(CurrentSubject.DisplayDate, std::string("15/07/2024 12:00"));
        QVERIFY(std::fabs(double(CurrentSubject.JD - ut)) < 1e-9);
    }

    // From Milano, 15/07/1944 10:30 (summer time, +2), one change at a time:
    // the calendar, the correction, the regime shown and the Julian day
    // follow it at once.
    void resultFollowsEveryChange_data()
    {
        QTest::addColumn<QString>("change");
        QTest::addColumn<QString>("calendar");
        QTest::addColumn<QString>("fuso");
        QTest::addColumn<QString>("regime");
        QTest::addColumn<QString>("jd"); // FixedDigits(13) of universal time, or empty
        auto ut = [](int calendar, int d, int m, int y, int h, int min) {
            const bool saved = CurrentSubject.InEphemerisRange;
            const QString t = ToQ(FixedDigits(13, JulianDay(calendar, d, m, y, h, min)));
            CurrentSubject.InEphemerisRange = saved;
            return t;
        };
        QTest::newRow("hour typed") << "EditOra=23" << "GREG" << "+2.00" << "CEST" << ut(1, 15, 7, 1944, 21, 30);
        QTest::newRow("winter month") << "EditMese=01" << "GREG" << "+1.00" << "CET" << ut(1, 15, 1, 1944, 9, 30);
        QTest::newRow("year of Rome mean time") << "EditAnno=1880" << "GREG" << "+0.83" << "RMT" << QString();
        QTest::newRow("year before the reform") << "EditAnno=1500" << "GIUL" << "+0.61" << "LMT" << QString();
        QTest::newRow("calendar typed") << "calendar=GIUL" << "GIUL" << "+2.00" << "CEST" << ut(0, 15, 7, 1944, 8, 30);
        QTest::newRow("local mean time") << "locale" << "GREG" << "+0.61" << "LMT" << QString();
        QTest::newRow("another place") << "place=New York" << "GREG" << "-4.00" << "EWT" << ut(1, 15, 7, 1944, 14, 30);
        QTest::newRow("year emptied") << "EditAnno=" << "" << "" << "" << "";
    }

    void resultFollowsEveryChange()
    {
        QFETCH(QString, change);
        QFETCH(QString, calendar);
        QFETCH(QString, fuso);
        QFETCH(QString, regime);
        QFETCH(QString, jd);
        Type("Prova", "15", "07", "1944", "10", "30");
        ChoosePlace(true, "Milano", "Milano(MI)");
        QCOMPARE(form_->EditFuso->text(), QStringLiteral("+2.00"));
        const QString before = form_->EditJD->text();

        const QString what = change.section(QLatin1Char('='), 0, 0);
        const QString value = change.section(QLatin1Char('='), 1);
        if (what == QStringLiteral("calendar")) {
            form_->BBLock->click(); // "Modifica Manuale"
            form_->EditCalend->clear();
            QTest::keyClicks(form_->EditCalend, value);
        } else if (what == QStringLiteral("locale")) {
            form_->CheckBoxLocale->setChecked(true);
        } else if (what == QStringLiteral("place")) {
            ChoosePlace(false, FromQ(value).c_str(), FromQ(value).c_str());
        } else {
            auto* edit = form_->findChild<QLineEdit*>(what);
            edit->clear();
            QTest::keyClicks(edit, value);
        }
        QCOMPARE(form_->EditCalend->text(), calendar);
        QCOMPARE(form_->EditFuso->text(), fuso);
        if (regime.isEmpty())
            QCOMPARE(form_->ComboBox2->currentIndex(), -1);
        else
            QVERIFY2(form_->ComboBox2->currentText().endsWith(QLatin1Char(' ') + regime),
                     qPrintable(form_->ComboBox2->currentText()));
        if (!jd.isEmpty() || calendar.isEmpty())
            QCOMPARE(form_->EditJD->text(), jd);
        else
            QVERIFY(form_->EditJD->text() != before);
    }

    void theRegimeInForceIsShown()
    {
        Type("Prova", "15", "07", "1944", "10", "30");
        ChoosePlace(true, "Milano", "Milano(MI)");
        const int summer = form_->ComboBox2->currentIndex();
        QVERIFY(summer > 0);
        QVERIFY(form_->ComboBox2->currentText().endsWith(QStringLiteral(" CEST")));
        QVERIFY2(!form_->ComboBox2->currentText().startsWith(QStringLiteral("01/01/-4712")), "not the first entry");
        // The entry in force starts before the birth, the next one after it.
        const std::string start = FromQ(form_->ComboBox2->itemText(summer)).substr(0, 16);
        QVERIFY(JulianDayOfText(start) < Local(1, 15, 7, 1944, 10, 30));
        const std::string next = FromQ(form_->ComboBox2->itemText(summer + 1)).substr(0, 16);
        QVERIFY(JulianDayOfText(next) > Local(1, 15, 7, 1944, 10, 30));
    }

    void saysWhatIsMissingInOrder()
    {
        const std::string base = dir_->Get("BASE.ST1");
        auto pressed = [&] {
            form_->BBprosegui->click();
            return script_->Texts().empty() ? std::string() : script_->Texts().back();
        };
        form_->EditSogg->clear();
        QCOMPARE(pressed(), std::string("Manca il Nome del Soggetto"));
        form_->EditSogg->setText(QStringLiteral("Prova"));
        QCOMPARE(pressed(), std::string("Inserire Data di Nascita"));
        Type("Prova", "15", "02", "1971", "10", "30");
        QCOMPARE(pressed(), std::string("Manca Nome Localit\xE0"));

        // A place that matches nothing says so, and where else to look.
        QTest::keyClicks(form_->EditLocal, QStringLiteral("Zzqxw"));
        QCOMPARE(form_->ListBox1->count(), 0);
        QCOMPARE(EditColour(form_->EditLocal), kColourRed);
        QVERIFY(form_->LabLocal->isVisible());
        QVERIFY(form_->LabLocal->text().contains(QStringLiteral("\"Zzqxw\"")));
        QCOMPARE(pressed(), std::string("Manca Nome Localit\xE0"));
        form_->EditLocal->clear();
        QTest::keyClicks(form_->EditLocal, QStringLiteral("New York C"));
        QVERIFY(form_->LabLocal->text().contains(QStringLiteral("Archivio Estero")));

        // Places listed, none chosen.
        form_->EditLocal->clear();
        QTest::keyClicks(form_->EditLocal, QStringLiteral("Milan"));
        QVERIFY(form_->ListBox1->count() > 0);
        QVERIFY(!form_->LabLocal->isVisible());
        QCOMPARE(EditColour(form_->EditLocal), kColourAqua);
        QCOMPARE(pressed(), std::string("Doppio Clic sull'Elenco Localit\xE0"));
        QCOMPARE(dir_->Get("BASE.ST1"), base);
    }

    void nationOfThePlace_data()
    {
        QTest::addColumn<bool>("italy");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("nation");
        QTest::newRow("Italian town") << true << "Milano" << "Milano(MI)" << "Italia";
        QTest::newRow("San Marino") << true << "San Marino" << "San Marino(RSM)" << "San Marino";
        QTest::newRow("foreign town") << false << "New York City" << "New York City" << "USA, New York";
    }

    void nationOfThePlace()
    {
        QFETCH(bool, italy);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QFETCH(QString, nation);
        Type("Prova", "15", "02", "1971", "10", "30");
        ChoosePlace(italy, FromQ(typed).c_str(), FromQ(shown).c_str());
        QCOMPARE(form_->EditStato->text(), nation);
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
