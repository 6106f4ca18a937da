// The archive windows driven offscreen on a copy of the built program
// folder: a subject typed into registration lands sorted in its archive and
// becomes current; recall finds it by prefix; modification and deletion keep
// the archive sorted.
#include "archive/CurrentSubject.h"
#include "archive/SubjectArchive.h"
#include "archive/SubjectList.h"
#include "archive/UnCancel.h"
#include "archive/UnModifi.h"
#include "archive/UnRegVlk.h"
#include "archive/UnitRich.h"
#include "platform/Application.h"
#include "platform/Cp1252Q.h"
#include "platform/Dialogs.h"
#include "platform/FloatText.h"
#include "platform/RecordFile.h"
#include "platform/TextFile.h"
#include "shell/DateTexts.h"
#include "shell/SharedState.h"
#include "shell/SubjectFields.h"
#include "shell/Texts.h"
#include "shell/UnControlli.h"
#include "support/TempFolder.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QtTest>
#include <memory>
#include <set>

namespace {

struct Birth {
    const char* name;
    const char* date; // dd/mm/yyyy hh:mm
    const char* zone; // stored correction
    const char* place;
    const char* coords;
};

void SetBirthInput(const Birth& b)
{
    BirthInput = BirthInputState {};
    BirthInput.Name = b.name;
    BirthInput.DisplayDate = b.date;
    BirthInput.Place = b.place;
    BirthInput.CoordText = b.coords;
    BirthInput.ZoneText = b.zone;
    BirthInput.Nationality = "Italia";
    BirthInput.Calendar = 1;
    SplitDisplayDate(b.date);
    BirthInput.JD = JulianDay(1, CurrentSubject.Day, CurrentSubject.Month, CurrentSubject.Year, CurrentSubject.Hour,
                              CurrentSubject.Minute) +
                    *ParseLocaleReal(b.zone) / 24.0L;
}

std::vector<std::string> Names(const std::string& archive)
{
    std::vector<std::string> names;
    for (const IndexEntry& e : SubjectArchive(archive).Entries())
        names.push_back(e.name);
    return names;
}

std::string CurrentName()
{
    return TrimRightBlanks(DecodeIndexText(RecordFile("TMPR.ST1", kSt1Size).Read(0)));
}

void ClickLine(QListWidget* list, const QString& text)
{
    const auto items = list->findItems(text, Qt::MatchExactly);
    QVERIFY2(!items.isEmpty(), qPrintable(text));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(items[0]).center());
}

} // namespace

class ArchiveWindowsTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TempFolder> dir_;
    std::unique_ptr<Dialogs::Script> script_;

    void Register(const Birth& b, const char* newArchive = "", const std::vector<const char*>& notes = {},
                  bool text = false)
    {
        SetBirthInput(b);
        TFormRegVlk form;
        form.show();
        form.EditNuovoArch->setText(QString::fromLatin1(newArchive));
        QLineEdit* lines[] = {form.EditNota1, form.EditNota2, form.EditNota3, form.EditNota4};
        for (std::size_t i = 0; i < notes.size(); ++i)
            lines[i]->setText(ToQ(notes[i]));
        form.CheckBoxTesto->setChecked(text);
        form.BBRegistra->click();
    }

private slots:
    void init()
    {
        dir_ = std::make_unique<TempFolder>();
        dir_->CopyTemplate();
        EnsurePersonalArchive();
        script_ = std::make_unique<Dialogs::Script>();
    }

    void cleanup()
    {
        script_.reset();
        dir_.reset();
    }

    void registrationStoresSortedAndMakesCurrent()
    {
        Register({"Rossi Mario", "15/03/1950 12:30", "-1", "Milano*MI*", "45N28 009E11"});
        Register({"Bianchi Anna", "02/11/1972 06:05", "-1", "Torino*TO*", "45N04 007E41"});
        Register({"Verdi Luca", "30/06/1990 23:59", "-2", "Roma*RM*", "41N54 012E29"},
                 "", {"Prima nota", "seconda--"});
        QCOMPARE(Names("BASE"), (std::vector<std::string> {"Bianchi Anna", "Rossi Mario", "Verdi Luca"}));
        QCOMPARE(CurrentName(), std::string("Verdi Luca"));
        QCOMPARE(LineOrEmpty(ReadTextLines(kAnnotationsFile), 0), std::string("Prima nota seconda"));

        // The subject loads back with the Julian day the input computed.
        const long double jd = BirthInput.JD;
        LoadCurrentSubjectData();
        QCOMPARE(double(CurrentSubject.JD), double(jd));
        QCOMPARE(CurrentSubject.Place, std::string("Roma(RM)"));
        QCOMPARE(CurrentSubject.ZoneDisplay, std::string("+2.00"));
        QCOMPARE(script_->Texts().back(), std::string("Soggetto registrato nell'archivio BASE"));
    }

    void registrationIntoANewArchiveWithText()
    {
        Register({"Neri Paola", "01/01/2000 00:00", "-1", "Bari*BA*", "41N07 016E52"}, "prov", {"nota"}, true);
        QCOMPARE(Names("PROV"), std::vector<std::string> {"Neri Paola"});
        QCOMPARE(SubjectArchive("PROV").EntryCount(), std::size_t(2)); // template and subject
        QVERIFY(SplitTextLines(dir_->Get("FileDum/MMordina.dum")) == std::vector<std::string> {"PROV"} ||
                SplitTextLines(dir_->Get("FileDum/MMordina.dum")).back() == "PROV");
        QCOMPARE(SplitTextLines(dir_->Get("PROVtxt/00001.txt")).at(0).substr(0, 10), std::string("Neri Paola"));
        QCOMPARE(SplitTextLines(dir_->Get("FileDum/StrText.dum")),
                 (std::vector<std::string> {"PROV", "00001"}));
    }

    void registrationRefusesABadArchiveName()
    {
        const std::string before = dir_->Get("BASE.ST1");
        Register({"Neri Paola", "01/01/2000 00:00", "-1", "Bari*BA*", "41N07 016E52"}, "AB");
        QCOMPARE(script_->Texts().back(), std::string("Nome Archivio Non Ammesso"));
        QCOMPARE(dir_->Get("BASE.ST1"), before);
        QVERIFY(!dir_->Has("AB.ST1"));
    }

    void recallFindsByPrefixAndMakesCurrent()
    {
        Register({"Rossi Mario", "15/03/1950 12:30", "-1", "Milano*MI*", "45N28 009E11"});
        Register({"Bianchi Anna", "02/11/1972 06:05", "-1", "Torino*TO*", "45N04 007E41"}, "", {"Nota di Anna"});
        Register({"Verdi Luca", "30/06/1990 23:59", "-2", "Roma*RM*", "41N54 012E29"});

        TFormRich form;
        form.show();
        QCOMPARE(form.ListaNomi->count(), 3);
        QVERIFY(form.ListaArchivi->findItems(QStringLiteral("BASE (personale)"), Qt::MatchExactly).size() == 1);
        QVERIFY(form.ListaArchivi->findItems(QStringLiteral("TMPR"), Qt::MatchStartsWith).isEmpty());
        QVERIFY(!form.BitBtnInverti->isEnabled());

        QTest::keyClicks(form.EditSoggetto, QStringLiteral("bi"));
        QCOMPARE(form.EditSoggetto->text(), QStringLiteral("BI"));
        QCOMPARE(EditColour(form.EditSoggetto), kColourAqua);
        QCOMPARE(form.ListaNomi->currentItem()->text(), QStringLiteral("Bianchi Anna"));
        QTest::keyClicks(form.EditSoggetto, QStringLiteral("x"));
        QCOMPARE(EditColour(form.EditSoggetto), kColourRed);
        QTest::keyClick(form.EditSoggetto, Qt::Key_Backspace);
        QCOMPARE(form.EditSoggetto->text(), QStringLiteral("BI"));

        ClickLine(form.ListaNomi, QStringLiteral("Bianchi Anna"));
        QCOMPARE(form.EditNome->text(), QStringLiteral("Bianchi Anna"));
        QCOMPARE(form.EditData->text(), QStringLiteral("02/11/1972 06:05"));
        QCOMPARE(form.EditCorr->text(), QStringLiteral("+1")); // as typed: stored "-1"
        QCOMPARE(form.EditLocal->text(), QStringLiteral("Torino(TO)"));
        QCOMPARE(form.EditCal->text(), QStringLiteral("GREG"));
        QCOMPARE(FromQ(form.MemoAnnotaz->toPlainText()), std::string("Nota di Anna"));
        QVERIFY(form.BitBtnInverti->isEnabled());
        form.BitBtnInverti->click();
        QCOMPARE(form.EditNome->text(), QStringLiteral("Anna Bianchi"));
        form.BitBtnInverti->click();
        QCOMPARE(form.EditNome->text(), QStringLiteral("Bianchi Anna"));

        form.BitBtnOK->click();
        QCOMPARE(CurrentName(), std::string("Bianchi Anna"));
        QCOMPARE(LineOrEmpty(ReadTextLines(kAnnotationsFile), 0), std::string("Nota di Anna"));
        QVERIFY(!dir_->Has("FileDum/StrText.dum")); // no text: no stale text hand-over
        QCOMPARE(SplitTextLines(dir_->Get("FileDum/PointGlo.dum")).at(1), std::string("BASE"));
        const SubjectRecord current = DecodeSubject(RecordFile("TMPR.ST2", kSt2Size).Read(0));
        QCOMPARE(current.CoordPlace, std::string("45N04 007E41Torino(TO)"));
        QCOMPARE(SplitTextLines(dir_->Get("FileDum/MMDatArc.dum")).at(1), std::string("BI"));
    }

    void recallCancelLeavesTheCurrentSubject()
    {
        Register({"Rossi Mario", "15/03/1950 12:30", "-1", "Milano*MI*", "45N28 009E11"});
        Register({"Bianchi Anna", "02/11/1972 06:05", "-1", "Torino*TO*", "45N04 007E41"});
        const std::string annotations = dir_->Get("FileDum/Annotaz.dum");
        TFormRich form;
        form.show();
        ClickLine(form.ListaNomi, QStringLiteral("Rossi Mario"));
        form.BitBtnAnnulla->click();
        QCOMPARE(CurrentName(), std::string("Bianchi Anna"));
        QCOMPARE(dir_->Get("FileDum/Annotaz.dum"), annotations);
    }

    void recallScrollsAndFindsTheLastEntry()
    {
        SubjectArchive base("BASE");
        for (char c = 'A'; c <= 'P'; ++c) { // 16 subjects
            SetBirthInput({"x", "01/01/1980 10:00", "-1", "Roma*RM*", "41N54 012E29"});
            base.AddSubject(std::string(1, c) + "lfa", RecordFromBirthInput(), nullptr);
        }
        TFormRich form;
        form.show();
        QCOMPARE(form.ListaNomi->count(), kListLines);
        QCOMPARE(form.ListaNomi->item(0)->text(), QStringLiteral("Alfa"));
        QVERIFY(form.ScrollBar1->isEnabled());
        form.ScrollBar1->setValue(form.ScrollBar1->maximum());
        QCOMPARE(form.ListaNomi->item(kListLines - 1)->text(), QStringLiteral("Plfa"));
        form.ScrollBar1->setValue(form.ScrollBar1->minimum());
        QTest::keyClicks(form.EditSoggetto, QStringLiteral("P"));
        QCOMPARE(form.ListaNomi->currentItem()->text(), QStringLiteral("Plfa"));
        QTest::keyClick(form.EditSoggetto, Qt::Key_Backspace);
        QTest::keyClicks(form.EditSoggetto, QStringLiteral("HZ"));
        QCOMPARE(EditColour(form.EditSoggetto), kColourRed);
        QVERIFY(!form.ListaNomi->findItems(QStringLiteral("Hlfa"), Qt::MatchExactly).isEmpty()); // a prefix that matches nothing still shows the nearest names
    }

    void recallOfAnEmptyArchive()
    {
        TFormRich form;
        form.show();
        QCOMPARE(form.ListaNomi->count(), 1);
        QCOMPARE(form.ListaNomi->item(0)->text(), QStringLiteral("ARCHIVIO VUOTO"));
        QVERIFY(!form.EditSoggetto->isEnabled());
        QVERIFY(!form.BitBtnOK->isEnabled());
        form.EditArchi->setText(QStringLiteral("XY"));
        QTest::keyClick(form.EditArchi, Qt::Key_Return);
        QCOMPARE(script_->Texts().back(), std::string("Nome Archivio Non Ammesso"));
    }

    void wordOrdersOfThreeWords()
    {
        const std::string name = "Rossi Maria Grazia";
        std::set<std::string> seen;
        for (int step = 0; step < 6; ++step)
            seen.insert(NextWordOrder(name, step));
        QCOMPARE(seen.size(), std::size_t(6));
        QCOMPARE(NextWordOrder(name, 6), name);
        QCOMPARE(NextWordOrder(name, 3), std::string("Maria Grazia Rossi"));
        QCOMPARE(NextWordOrder("Solo", 1), std::string("Solo"));
    }

    void deletionKeepsTheArchiveSortedAndTheCurrentSubject()
    {
        Register({"Rossi Mario", "15/03/1950 12:30", "-1", "Milano*MI*", "45N28 009E11"});
        Register({"Bianchi Anna", "02/11/1972 06:05", "-1", "Torino*TO*", "45N04 007E41"});
        Register({"Verdi Luca", "30/06/1990 23:59", "-2", "Roma*RM*", "41N54 012E29"});
        const std::string st2 = dir_->Get("BASE.ST2");
        TFoCancel form;
        form.show();
        ClickLine(form.ListaNomi, QStringLiteral("Rossi Mario"));
        QVERIFY(form.BBElimina->isEnabled());
        script_->AnswerNext(false);
        form.BBElimina->click();
        QCOMPARE(Names("BASE").size(), std::size_t(3));

        ClickLine(form.ListaNomi, QStringLiteral("Verdi Luca"));
        script_->AnswerNext(true);
        form.BBElimina->click();
        QCOMPARE(script_->Messages().back().kind, Dialogs::Kind::Question);
        QCOMPARE(Names("BASE"), (std::vector<std::string> {"Bianchi Anna", "Rossi Mario"}));
        QCOMPARE(dir_->Get("BASE.ST2"), st2); // subject data stay where they are
        QCOMPARE(CurrentName(), std::string("Verdi Luca")); // the current subject is left as it was
        QCOMPARE(form.ListaNomi->count(), 2);
    }

    // Between choosing and confirming, quillon-tool (or another window) may
    // change the archive: the subject chosen is the one deleted, and one that
    // is gone is reported, nothing deleted in its place.
    void deletionDeletesTheSubjectChosenWhateverChangedMeanwhile()
    {
        Register({"Rossi Mario", "15/03/1950 12:30", "-1", "Milano*MI*", "45N28 009E11"});
        Register({"Verdi Luca", "30/06/1990 23:59", "-2", "Roma*RM*", "41N54 012E29"});
        TFoCancel form;
        form.show();
        QTest::keyClicks(form.EditSoggetto, QStringLiteral("VER"));
        ClickLine(form.ListaNomi, QStringLiteral("Verdi Luca"));
        SetBirthInput({"Abate Primo", "01/01/1960 10:00", "-1", "Roma*RM*", "41N54 012E29"});
        SubjectArchive("BASE").AddSubject("Abate Primo", RecordFromBirthInput(), nullptr); // Verdi moves down
        script_->AnswerNext(true);
        form.BBElimina->click();
        QCOMPARE(Names("BASE"), (std::vector<std::string> {"Abate Primo", "Rossi Mario"}));
        // The list stays on what was typed.
        QCOMPARE(form.EditSoggetto->text(), QStringLiteral("VER"));
        QCOMPARE(form.ListaNomi->currentItem()->text(), QStringLiteral("Rossi Mario"));

        ClickLine(form.ListaNomi, QStringLiteral("Rossi Mario"));
        SubjectArchive("BASE").DeleteNamed("Rossi Mario");
        script_->AnswerNext(true);
        form.BBElimina->click();
        QVERIFY(script_->Texts().back().find("Rossi Mario non è più nell'archivio BASE") != std::string::npos);
        QCOMPARE(Names("BASE"), (std::vector<std::string> {"Abate Primo"}));
    }

    void modificationRenamesAndMovesTheEntry()
    {
        Register({"Rossi Mario", "15/03/1950 12:30", "-1", "Milano*MI*", "45N28 009E11"});
        Register({"Bianchi Anna", "02/11/1972 06:05", "-1", "Torino*TO*", "45N04 007E41"});
        {
            TFormRich recall;
            recall.show();
            ClickLine(recall.ListaNomi, QStringLiteral("Rossi Mario"));
            recall.BitBtnOK->click();
        }
        TFoModifi form;
        form.show();
        QVERIFY(form.StoredCopy().has_value());
        QCOMPARE(form.EditNome->text(), QStringLiteral("Rossi Mario"));
        QCOMPARE(form.EditCorr->text(), QStringLiteral("+1"));
        QCOMPARE(form.EditLocal->text(), QStringLiteral("Milano*MI*"));
        form.EditNome->setText(QStringLiteral("Albani Mario"));
        form.EditOra->setText(QStringLiteral("13"));
        form.EditNota1->setText(QStringLiteral("Ora corretta dal certificato"));
        form.BBSalva->click();
        QCOMPARE(Names("BASE"), (std::vector<std::string> {"Albani Mario", "Bianchi Anna"}));
        QCOMPARE(CurrentName(), std::string("Albani Mario"));
        LoadCurrentSubjectData();
        QCOMPARE(CurrentSubject.DisplayDate, std::string("15/03/1950 13:30"));
        QCOMPARE(CurrentSubject.Place, std::string("Milano(MI)"));
        const SubjectArchive base("BASE");
        const SubjectRecord stored = base.Subject(base.Entry(1).st2);
        QCOMPARE(stored.DateKey, std::string("195003151330-1"));
        QCOMPARE(base.Notes(stored).value()[0].substr(0, 28), std::string("Ora corretta dal certificato"));
    }

    void modificationRefusesBadData_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("message");
        QTest::newRow("31 February") << QStringLiteral("EditGiorno") << QStringLiteral("31") << ToQ("Data Scorretta");
        QTest::newRow("hour 24") << QStringLiteral("EditOra") << QStringLiteral("24") << ToQ("Data Scorretta");
        QTest::newRow("correction letters") << QStringLiteral("EditCorr") << QStringLiteral("uno") << ToQ("Manca correzione Coordinate Totale");
        QTest::newRow("coordinates") << QStringLiteral("EditCoord") << QStringLiteral("45N78 009E11") << ToQ("Coordinate Errate o Mancanti");
        QTest::newRow("name") << QStringLiteral("EditNome") << QStringLiteral("") << ToQ("Manca il Nome del Soggetto");
    }

    void modificationRefusesBadData()
    {
        QFETCH(QString, field);
        QFETCH(QString, value);
        QFETCH(QString, message);
        Register({"Rossi Mario", "15/02/1950 12:30", "-1", "Milano*MI*", "45N28 009E11"});
        const std::string st2 = dir_->Get("BASE.ST2");
        const std::string tmpr = dir_->Get("TMPR.ST2");
        TFoModifi form;
        form.show();
        form.findChild<QLineEdit*>(field)->setText(value);
        form.BBSalva->click();
        QCOMPARE(ToQ(script_->Texts().back()), message);
        QCOMPARE(dir_->Get("BASE.ST2"), st2);
        QCOMPARE(dir_->Get("TMPR.ST2"), tmpr);
    }

    void modificationCreatesTheText()
    {
        Register({"Rossi Mario", "15/03/1950 12:30", "-1", "Milano*MI*", "45N28 009E11"});
        TFoModifi form;
        form.show();
        form.BBCreaTesto->click();
        QVERIFY(dir_->Has("BASEtxt/00001.txt"));
        QCOMPARE(SplitTextLines(dir_->Get("FileDum/StrText.dum")), (std::vector<std::string> {"BASE", "00001"}));
        QCOMPARE(SplitTextLines(dir_->Get("FileDum/DatModif.dum")).at(0), std::string("BASEtxt/00001.txt"));
        const SubjectArchive base("BASE");
        QCOMPARE(TextNumberOf(base.Notes(base.Subject(base.Entry(1).st2)).value()), std::string("00001"));
        form.BBCreaTesto->click(); // a second press keeps the same text
        QVERIFY(!dir_->Has("BASEtxt/00002.txt"));
    }
};

int main(int argc, char** argv)
{
    QuillonApplication app(argc, argv);
    ArchiveWindowsTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "ArchiveWindowsTest.moc"
