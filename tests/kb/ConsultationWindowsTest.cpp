// The symptom, remedy and therapy windows driven offscreen: on the shipped
// starter knowledge base (list, click, rows, incremental search, row
// cycles, pop-ups) and on small databases for paging and damaged files.
#include "kb/KbRecords.h"
#include "kb/UnRimed.h"
#include "kb/UnSintom1.h"
#include "kb/UnTerapi.h"
#include "platform/Cp1252Q.h"
#include "platform/Dialogs.h"
#include "platform/TextFile.h"
#include "shell/UnControlli.h"
#include "support/KbWindowTesting.h"
#include "support/TempFolder.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>
#include <memory>

namespace {

QString Q(const char* s) { return ToQ(s); }

int FilledRows(const TFoConsulta& f)
{
    int n = 0;
    for (QLineEdit* e : f.EdP)
        n += e->text().isEmpty() ? 0 : 1;
    return n;
}

} // namespace

class ConsultationWindowsTest : public QObject {
    Q_OBJECT

    KbWindowFixture f_;

private slots:
    void init() { f_.Begin(); }
    void cleanup() { f_.End(); }

    void symptomWindowOnTheStarterBase()
    {
        f_.dir->CopyTemplate();
        TFoSintom1 form;
        form.show();
        QCOMPARE(form.windowTitle(), Q("SINTOMI e Rimedi Correlati"));
        const std::vector<std::string> lines = ReadTextLines(kSymptomListFile);
        QCOMPARE(form.ListBox1->count(), static_cast<int>(lines.size()));
        QVERIFY(f_.script->Messages().empty());

        // Typing moves the selection to the first line with that beginning.
        QTest::keyClicks(form.EdCerca, Q("insonnia da"));
        QCOMPARE(form.EdCerca->text(), Q("Insonnia da"));
        QVERIFY(form.ListBox1->currentItem());
        QVERIFY(form.ListBox1->currentItem()->text().startsWith(Q("Insonnia da")));
        QTest::keyClick(form.EdCerca, Qt::Key_Backspace);
        QCOMPARE(form.EdCerca->text(), Q("Insonnia d"));
        QTest::mouseClick(form.EdCerca, Qt::LeftButton);
        QCOMPARE(form.EdCerca->text(), QString());

        ClickLine(form.ListBox1, Q("Insonnia da agitazione nervosa"));
        QCOMPARE(form.EdDist->text(), Q("Insonnia da agitazione nervosa"));
        QCOMPARE(FilledRows(form), 14);
        QCOMPARE(form.Edit1->text(), Q("1/2"));
        QCOMPARE(EditColour(form.Edit1), kColourAqua);
        QCOMPARE(form.EdP[0]->text(), Q("MSA Melissa"));
        QCOMPARE(form.EdA[0]->text(), Q("Giove Luna - Venere"));
        QCOMPARE(form.EdS[0]->text(), Q("Cancro - Toro"));
        QVERIFY(form.EdD[0]->text().startsWith(Q("40 gocce")));
        QCOMPARE(form.SB[13]->text(), Q("14\xB0"));

        form.SB[0]->click();
        QCOMPARE(form.LabNote->text(), Q("MSA Melissa - Avvertenze"));
        QVERIFY(form.MemoNote->toPlainText().startsWith(Q("Non superare le dosi consigliate")));
        form.SB[0]->click();
        QCOMPARE(form.LabNote->text(), Q("MSA Melissa - Sintesi Psichica"));

        // Signature pop-up: planets with the primary marked, signs bare.
        QTest::mouseDClick(form.EdA[0], Qt::LeftButton);
        QVERIFY(form.list->isVisible());
        QCOMPARE(form.list->count(), 3);
        QCOMPARE(form.list->item(0)->text(), Q("\xA7 Giove"));
        QCOMPARE(form.list->item(2)->text(), Q("Venere"));
        QTest::mouseClick(form.EdA[0], Qt::LeftButton);
        QVERIFY(!form.list->isVisible());
        QTest::mouseDClick(form.EdS[0], Qt::LeftButton);
        QCOMPARE(form.list->item(0)->text(), Q("Cancro"));

        // The second page is empty; back to the first.
        form.BBseguito->click();
        QCOMPARE(FilledRows(form), 0);
        QCOMPARE(form.EdDist->text(), Q("Insonnia da agitazione nervosa"));
        form.BBAnticipo->click();
        QCOMPARE(FilledRows(form), 14);

        form.BitBtn2->click();
        QVERIFY(form.MemoInfo->isVisible());
        QVERIFY(form.MemoInfo->toPlainText().startsWith(Q("Individuare il Disturbo (o Sintomo) ")));
        form.BitBtn2->click();
        QVERIFY(!form.MemoInfo->isVisible());

        form.BitBtn1->click();
        QCOMPARE(FilledRows(form), 0);
        QCOMPARE(form.EdDist->text(), QString());
        QCOMPARE(form.LabNote->text(), Q("Note"));
        QVERIFY(f_.script->Messages().empty());
    }

    void symptomWindowPagesPastTheRows()
    {
        std::vector<RemedyRecord> db;
        for (int i = 1; i <= 15; ++i) {
            RemedyRecord r;
            r.Name = "R" + std::to_string(i);
            r.Indications = "Tosse";
            db.push_back(r);
        }
        WriteDb(db);
        WriteTextLines(kSymptomListFile, {"Tosse"});
        TFoSintom1 form;
        form.show();
        ClickLine(form.ListBox1, Q("Tosse"));
        QCOMPARE(EditColour(form.Edit1), kColourRed);
        QCOMPARE(form.EdP[13]->text(), Q("R14"));
        form.BBseguito->click();
        QCOMPARE(form.Edit1->text(), Q("2/2"));
        QCOMPARE(form.EdP[0]->text(), Q("R15"));
        QCOMPARE(FilledRows(form), 1);
        form.SB[0]->click();
        QCOMPARE(form.LabNote->text(), Q("R15 - Avvertenze"));
    }

    void damagedDatabaseAndMissingListAreReported()
    {
        TFoSintom1 missing;
        missing.show();
        QCOMPARE(f_.script->Messages().size(), std::size_t(1));
        QVERIFY(f_.script->Messages()[0].text.find("Sintomi.txt") != std::string::npos);
        QCOMPARE(missing.ListBox1->count(), 0);
        f_.script->Clear();

        WriteDb({});
        WriteTextLines(kSymptomListFile, {"Tosse"});
        f_.dir->Put("OpzioneH/DBmain.rnd", f_.dir->Get("OpzioneH/DBmain.rnd") + "abc");
        TFoSintom1 form;
        form.show();
        QVERIFY(f_.script->Messages().empty());
        ClickLine(form.ListBox1, Q("Tosse"));
        QCOMPARE(f_.script->Messages().size(), std::size_t(1));
        QVERIFY(f_.script->Messages()[0].text.find("danneggiato") != std::string::npos);
        QCOMPARE(FilledRows(form), 0);

        // A 200-character search text is only a search that finds no prefix.
        QTest::keyClicks(form.EdCerca, QString(200, QLatin1Char('x')));
        QCOMPARE(form.EdCerca->text().size(), 200);
        QCOMPARE(form.ListBox1->currentRow(), 0);
    }

    void remedyWindowOnTheStarterBase()
    {
        f_.dir->CopyTemplate();
        TFoRimed form;
        form.show();
        QCOMPARE(form.windowTitle(), Q("RIMEDI e Sintomi correlati"));
        QVERIFY(form.ListBox1->count() > 0);
        QTest::keyClicks(form.EdCerca, Q("msa me"));
        QCOMPARE(form.EdCerca->text(), Q("MSA ME"));

        ClickLine(form.ListBox1, Q("MSA Melissa"));
        QCOMPARE(form.EdRime->text(), Q("MSA Melissa"));
        QCOMPARE(FilledRows(form), 3);
        QCOMPARE(form.EdD[0]->text(), Q("Insonnia da agitazione nervosa"));
        QCOMPARE(form.LabSpeci->text(), Q("(Macerato Spagirico-Alchemico)"));
        QVERIFY(form.EdAvve->text().startsWith(Q("Non superare le dosi")));
        QVERIFY(form.MemoNote->toPlainText().startsWith(Q("Persona sensibile")));
        QVERIFY(form.MemoPare->isHidden());
        QCOMPARE(form.Edit1->text(), Q("1/1"));

        form.SB[1]->click();
        QCOMPARE(form.LabNote->text(), Q("MSA Melissa - Posologia"));
        QTest::mouseDClick(form.EdAvve, Qt::LeftButton);
        QVERIFY(form.MemoAvveLarge->isVisible());
        QCOMPARE(form.MemoAvveLarge->toPlainText(), form.EdAvve->text());
        QTest::mouseClick(form.MemoAvveLarge->viewport(), Qt::LeftButton);
        QVERIFY(!form.MemoAvveLarge->isVisible());

        // The display line of the same remedy finds the same rows.
        const std::vector<std::string> lines = ReadTextLines(kDisplayListFile);
        std::string display;
        for (const std::string& l : lines)
            if (l.size() > 70 && l.substr(70) == "MSA Melissa")
                display = l;
        QVERIFY(!display.empty());
        ClickLine(form.ListBox1, ToQ(display));
        QCOMPARE(form.EdRime->text(), Q("MSA Melissa"));
        QCOMPARE(FilledRows(form), 3);

        form.BitBtn1->click();
        QCOMPARE(form.EdRime->text(), QString());
        QCOMPARE(form.EdAvve->text(), QString());
        QCOMPARE(form.LabSpeci->text(), QString());
        QVERIFY(f_.script->Messages().empty());
    }

    void therapyWindowOnTheStarterBase()
    {
        f_.dir->CopyTemplate();
        TFoTerapi form;
        form.show();
        QCOMPARE(form.windowTitle(), Q("TERAPIE"));
        QTest::keyClicks(form.EditCerca, Q("tosse s"));
        QCOMPARE(form.EditCerca->text(), Q("TOSSE S"));

        ClickLine(form.ListBox1, Q("Tosse secca"));
        QCOMPARE(form.EdPato->text(), Q("Tosse secca"));
        QCOMPARE(FilledRows(form), 6);
        QCOMPARE(form.EdP[0]->text(), Q("TSA Drosera"));
        QVERIFY(form.EdD[0]->text().startsWith(Q("20 gocce in acqua calda")));

        form.SB[1]->click();
        QCOMPARE(form.LabNote->text(), Q("Note su MSA Altea / Tosse secca"));
        QVERIFY(form.MemoNote->toPlainText().startsWith(Q("Altea: assumere")));
        form.SB[1]->click();
        QCOMPARE(form.LabNote->text(), Q("MSA Altea - Avvertenze"));

        QTest::mouseDClick(form.EdD[0], Qt::LeftButton);
        QVERIFY(form.MemoZoom->isVisible());
        QCOMPARE(form.MemoZoom->toPlainText(), form.EdD[0]->text());
        form.BitBtn2->click();
        QVERIFY(!form.MemoZoom->isVisible());
        QVERIFY(form.MemoInfo->isVisible());
        QVERIFY(f_.script->Messages().empty());
    }

    void therapyWindowWithoutItsList()
    {
        TFoTerapi form;
        form.show();
        QCOMPARE(form.ListBox1->count(), 0);
        QTest::keyClicks(form.EditCerca, Q("a"));
        QVERIFY(f_.script->Messages().empty());
    }
};

QTEST_MAIN(ConsultationWindowsTest)
#include "ConsultationWindowsTest.moc"
