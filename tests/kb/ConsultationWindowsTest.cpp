// The symptom, remedy and therapy windows driven offscreen: on the shipped
// starter knowledge base (list, click, rows, incremental search, row
// cycles, pop-ups and zooms inside the window) and on small databases for
// the page count, the longest texts and damaged files.
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

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
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

// A pop-up box lies inside its window and on the window's screen.
void VerifyInside(const QWidget* popup, const QWidget* form)
{
    QVERIFY(popup->isVisible());
    QVERIFY2(form->rect().contains(popup->geometry()),
             qPrintable(QStringLiteral("%1 at %2,%3 %4x%5 in %6x%7")
                            .arg(popup->objectName())
                            .arg(popup->x())
                            .arg(popup->y())
                            .arg(popup->width())
                            .arg(popup->height())
                            .arg(form->width())
                            .arg(form->height())));
    const QRect global(popup->mapToGlobal(QPoint(0, 0)), popup->size());
    QVERIFY(form->screen()->availableGeometry().contains(global));
}

// A double click on a row box shows its whole text in the zoom, wrapped, over
// the box and inside the window, with nothing left to scroll.
void VerifyZoomShowsAll(TFoConsulta& form, QLineEdit* box)
{
    QTest::mouseDClick(box, Qt::LeftButton);
    QVERIFY(form.MemoZoom->isVisible());
    QCOMPARE(form.MemoZoom->toPlainText(), box->text());
    VerifyInside(form.MemoZoom, &form);
    QApplication::processEvents();
    QCOMPARE(form.MemoZoom->verticalScrollBar()->maximum(), 0);
    QCOMPARE(form.MemoZoom->horizontalScrollBar()->maximum(), 0);
    QTest::mouseClick(form.MemoZoom->viewport(), Qt::LeftButton);
    QVERIFY(!form.MemoZoom->isVisible());
}

// The DBmain.rnd entries "R1".."Rn" of one indication.
void WriteMatches(int n, const std::string& indication)
{
    std::vector<RemedyRecord> db;
    for (int i = 1; i <= n; ++i) {
        RemedyRecord r;
        r.Name = "R" + std::to_string(i);
        r.Indications = indication;
        db.push_back(r);
    }
    WriteDb(db);
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
        // Exactly 14 remedies: one page, and no button leads to an empty one.
        QCOMPARE(form.Edit1->text(), Q("1/1"));
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
        // The pop-up of the last row stays inside the window, every word shown.
        QTest::mouseDClick(form.EdA[13], Qt::LeftButton);
        VerifyInside(form.list, &form);
        QCOMPARE(form.list->verticalScrollBar()->maximum(), 0);

        // The posology and the name of a row read in full.
        VerifyZoomShowsAll(form, form.EdD[0]);
        VerifyZoomShowsAll(form, form.EdD[13]);
        VerifyZoomShowsAll(form, form.EdP[13]);

        // "Seguenti" has no further page to lead to: the rows stay.
        form.BBseguito->click();
        QCOMPARE(FilledRows(form), 14);
        QCOMPARE(form.Edit1->text(), Q("1/1"));
        QCOMPARE(form.EdDist->text(), Q("Insonnia da agitazione nervosa"));

        // A new search closes the pop-up and the zoom of the previous one,
        // and so does typing a new search text.
        QTest::mouseDClick(form.EdA[0], Qt::LeftButton);
        QVERIFY(form.list->isVisible());
        ClickLine(form.ListBox1, Q("Gotta"));
        QVERIFY(!form.list->isVisible());
        QTest::mouseDClick(form.EdS[0], Qt::LeftButton);
        QTest::mouseDClick(form.EdD[1], Qt::LeftButton);
        QVERIFY(form.MemoZoom->isVisible());
        QTest::keyClicks(form.EdCerca, Q("t"));
        QVERIFY(!form.list->isVisible());
        QVERIFY(!form.MemoZoom->isVisible());
        ClickLine(form.ListBox1, Q("Insonnia da agitazione nervosa"));

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

    void symptomWindowPageCount_data()
    {
        QTest::addColumn<int>("matches");
        QTest::addColumn<QString>("first");
        QTest::addColumn<int>("colour");
        QTest::addColumn<QString>("afterNext");
        QTest::addColumn<int>("rowsAfterNext");
        QTest::newRow("13 results") << 13 << Q("1/1") << kColourAqua << Q("1/1") << 13;
        QTest::newRow("14 results") << 14 << Q("1/1") << kColourAqua << Q("1/1") << 14;
        QTest::newRow("15 results") << 15 << Q("1/2") << kColourRed << Q("2/2") << 1;
    }

    void symptomWindowPageCount()
    {
        QFETCH(int, matches);
        QFETCH(QString, first);
        QFETCH(int, colour);
        QFETCH(QString, afterNext);
        QFETCH(int, rowsAfterNext);
        WriteMatches(matches, "Tosse");
        WriteTextLines(kSymptomListFile, {"Tosse"});
        TFoSintom1 form;
        form.show();
        ClickLine(form.ListBox1, Q("Tosse"));
        QCOMPARE(form.Edit1->text(), first);
        QCOMPARE(EditColour(form.Edit1), colour);
        QCOMPARE(FilledRows(form), std::min(matches, 14));
        // "Seguenti", twice: it stops at the last page, which is never empty.
        form.BBseguito->click();
        form.BBseguito->click();
        QCOMPARE(form.Edit1->text(), afterNext);
        QCOMPARE(FilledRows(form), rowsAfterNext);
        QCOMPARE(form.EdP[0]->text(), matches > 14 ? Q("R15") : Q("R1"));
        form.SB[0]->click();
        QCOMPARE(form.LabNote->text(), matches > 14 ? Q("R15 - Avvertenze") : Q("R1 - Avvertenze"));
        form.BBAnticipo->click();
        QCOMPARE(form.Edit1->text(), first);
        QCOMPARE(FilledRows(form), std::min(matches, 14));
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
        // The first remedy that begins with the text, whatever the case.
        QTest::mouseClick(form.EdCerca, Qt::LeftButton);
        QTest::keyClicks(form.EdCerca, Q("tsa v"));
        QCOMPARE(form.EdCerca->text(), Q("TSA V"));
        QCOMPARE(form.ListBox1->currentItem()->text(), Q("TSA Valeriana"));

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
        // The search box has the keys from the start; the first pathology
        // that begins with the text is chosen without regard to case.
        QCOMPARE(form.focusWidget(), form.EditCerca);
        QTest::keyClicks(form.EditCerca, Q("ins"));
        QCOMPARE(form.EditCerca->text(), Q("INS"));
        QCOMPARE(form.ListBox1->currentItem()->text(), Q("Insonnia"));
        QTest::mouseClick(form.EditCerca, Qt::LeftButton);
        QTest::keyClicks(form.EditCerca, Q("tosse s"));
        QCOMPARE(form.EditCerca->text(), Q("TOSSE S"));
        QCOMPARE(form.ListBox1->currentItem()->text(), Q("Tosse secca"));

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

        VerifyZoomShowsAll(form, form.EdD[0]);
        QTest::mouseDClick(form.EdD[0], Qt::LeftButton);
        form.BitBtn2->click();
        QVERIFY(!form.MemoZoom->isVisible());
        QVERIFY(form.MemoInfo->isVisible());
        QVERIFY(f_.script->Messages().empty());
    }

    void therapyZoomReadsTheLongestPosologyInFull()
    {
        // Posology and remedy at their capacities, in the last row.
        std::vector<RepertoryRecord> rep {ReservedRepertory()};
        for (int i = 1; i <= 14; ++i) {
            std::string posology;
            while (posology.size() < FieldOf(kRepertoryFields, &RepertoryRecord::Posology).Capacity() - 12)
                posology += "20 gocce " + std::to_string(i) + " ";
            rep.push_back({"Cefalea", posology, "QSPC Remedio dal nome lunghissimo " + std::string(60, 'x'), ""});
        }
        WriteRepertory(rep);
        WriteTextLines(kPathologyListFile, {"Cefalea"});
        TFoTerapi form;
        form.show();
        ClickLine(form.ListBox1, Q("Cefalea"));
        QCOMPARE(FilledRows(form), 14);
        VerifyZoomShowsAll(form, form.EdD[0]);
        VerifyZoomShowsAll(form, form.EdD[13]);
        VerifyZoomShowsAll(form, form.EdP[13]);
        // An empty row has nothing to zoom.
        form.BitBtn1->click();
        QTest::mouseDClick(form.EdD[0], Qt::LeftButton);
        QVERIFY(!form.MemoZoom->isVisible());
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
