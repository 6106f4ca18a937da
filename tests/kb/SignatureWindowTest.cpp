// The signature window driven offscreen: on small knowledge bases written
// for each case, and on the starter knowledge base of the built program
// folder.
#include "kb/KbRebuild.h"
#include "kb/KbRecords.h"
#include "kb/UnSegnat.h"
#include "platform/Cp1252Q.h"
#include "platform/Dialogs.h"
#include "platform/TextFile.h"
#include "shell/UnControlli.h"
#include "support/KbWindowTesting.h"
#include "support/TempFolder.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>
#include <memory>

namespace {

RemedyRecord Remedy(std::string name, std::string primary, std::string secondary, std::string zodiac)
{
    RemedyRecord r;
    r.Name = std::move(name);
    r.Indications = "Disturbo di " + r.Name;
    r.PrimarySignature = std::move(primary);
    r.SecondarySignature = std::move(secondary);
    r.ZodiacSignature = std::move(zodiac);
    return r;
}

QString T(const char* cp1252) { return ToQ(cp1252); }

// Fifteen Jupiter remedies in Sagittarius and one other.
void WriteSixteen()
{
    std::vector<RemedyRecord> entries;
    for (int i = 1; i <= 15; ++i)
        entries.push_back(Remedy("MSA Pianta " + std::string(i < 10 ? "0" : "") + std::to_string(i), "Sole",
                                 "Giove", "Sagittario - Pesci"));
    entries.push_back(Remedy("TSA Altra", "Saturno", "", "Capricorno"));
    WriteDb(entries);
}

} // namespace

class SignatureWindowTest : public QObject {
    Q_OBJECT

    KbWindowFixture f_;

private slots:
    void init() { f_.Begin(); }
    void cleanup() { f_.End(); }

    void signaturesOfClickedRemediesFillTheRowsInTurn()
    {
        WriteDb({Remedy("MSA Melissa", "Giove", "Luna - Venere", "Cancro - Toro"),
                 Remedy("MSA Melissa (1)", "Giove", "", "Cancro"), Remedy("TSA Iperico", "Sole", "Giove", "Leone")});
        TFoSegnat form;
        form.show();
        QCOMPARE(Items(form.ListBox2), (QStringList {T("MSA Melissa"), T("MSA Melissa (1)"), T("TSA Iperico")}));
        QCOMPARE(SplitTextLines(f_.dir->Get("FileDum/Prdts.dum")), (std::vector<std::string> {"1", "2", "3"}));
        QCOMPARE(form.EdPianeta->text(), T("Qualsiasi"));
        QCOMPARE(form.EdTot->text(), T("0"));

        ClickLine(form.ListBox2, T("TSA Iperico"));
        ClickLine(form.ListBox2, T("MSA Melissa"));
        QCOMPARE(form.EdP[0]->text(), T("TSA Iperico"));
        QCOMPARE(form.EdD[0]->text(), T("Sole"));
        QCOMPARE(form.EdE[0]->text(), T("Giove"));
        QCOMPARE(form.EdF[0]->text(), T("Leone"));
        QCOMPARE(form.EdP[1]->text(), T("MSA Melissa"));
        QCOMPARE(form.EdE[1]->text(), T("Luna - Venere"));
        QCOMPARE(form.EdF[1]->text(), T("Cancro - Toro"));
        QVERIFY(form.EdP[2]->text().isEmpty());

        // Only fourteen rows: the fifteenth click finds none free.
        for (int i = 0; i < 13; ++i)
            ClickLine(form.ListBox2, T("MSA Melissa (1)"));
        QCOMPARE(form.EdP[13]->text(), T("MSA Melissa (1)"));
        QCOMPARE(form.EdP[0]->text(), T("TSA Iperico"));

        form.BBpulisci->click();
        for (int k = 0; k < TFoSegnat::kRows; ++k)
            QVERIFY(form.EdP[k]->text().isEmpty() && form.EdF[k]->text().isEmpty());
        ClickLine(form.ListBox2, T("MSA Melissa"));
        QCOMPARE(form.EdP[0]->text(), T("MSA Melissa"));
    }

    void searchPagesThroughFifteenMatches()
    {
        WriteSixteen();
        TFoSegnat form;
        form.show();
        // The planet in the secondary signature is enough.
        form.RBgio->click();
        form.RBsag->click();
        QCOMPARE(form.EdPianeta->text(), T("Giove"));
        QCOMPARE(form.EdSegno->text(), T("Sagittario"));
        form.BBRicerca->click();
        QCOMPARE(form.EdTot->text(), T("15"));
        QCOMPARE(form.EdPage->text(), T("1/2"));
        QCOMPARE(EditColour(form.EdPage), kColourRed);
        QCOMPARE(form.EdP[0]->text(), T("MSA Pianta 01"));
        QCOMPARE(form.EdP[13]->text(), T("MSA Pianta 14"));
        QCOMPARE(form.EdF[13]->text(), T("Sagittario - Pesci"));
        QCOMPARE(SplitTextLines(f_.dir->Get("FileDum/Segnat.dum")).size(), std::size_t(60));

        form.BBseguito->click();
        QCOMPARE(form.CurrentPage(), std::size_t(2));
        QCOMPARE(form.EdPage->text(), T("2/2"));
        QCOMPARE(EditColour(form.EdPage), kColourWhite);
        QCOMPARE(form.EdP[0]->text(), T("MSA Pianta 15"));
        QVERIFY(form.EdP[1]->text().isEmpty());
        form.BBseguito->click(); // no third page
        QCOMPARE(form.CurrentPage(), std::size_t(2));
        form.BBAnticipo->click();
        QCOMPARE(form.EdP[13]->text(), T("MSA Pianta 14"));
        form.BBAnticipo->click();
        QCOMPARE(form.CurrentPage(), std::size_t(1));

        // A click in the list leaves the search: rows, total and page cleared.
        ClickLine(form.ListBox2, T("TSA Altra"));
        QVERIFY(!form.SearchMode());
        QCOMPARE(form.EdP[0]->text(), T("TSA Altra"));
        QVERIFY(form.EdP[1]->text().isEmpty());
        QVERIFY(form.EdTot->text().isEmpty());
        QVERIFY(form.EdPage->text().isEmpty());
        QCOMPARE(EditColour(form.EdPage), kColourWhite);
        form.BBseguito->click(); // nothing to page through now
        QCOMPARE(form.EdP[0]->text(), T("TSA Altra"));

        form.RBNoPia->click();
        form.RBcap->click();
        form.BBRicerca->click();
        QCOMPARE(form.EdTot->text(), T("1"));
        QCOMPARE(form.EdPage->text(), T("1/1"));
        QCOMPARE(EditColour(form.EdPage), kColourWhite);
        form.RBpes->click();
        form.RBlun->click();
        form.BBRicerca->click();
        QCOMPARE(form.EdTot->text(), T("0"));
        QVERIFY(form.EdP[0]->text().isEmpty());
    }

    void incrementalSearchMovesTheSelection()
    {
        WriteSixteen();
        TFoSegnat form;
        form.show();
        QTest::keyClicks(form.EditCerca, QStringLiteral("tsa"));
        QCOMPARE(form.EditCerca->text(), T("TSA"));
        QCOMPARE(form.ListBox2->currentItem()->text(), T("TSA Altra"));
        QTest::keyClick(form.EditCerca, Qt::Key_Backspace);
        QTest::keyClick(form.EditCerca, Qt::Key_Backspace);
        QTest::keyClick(form.EditCerca, Qt::Key_Backspace);
        QTest::keyClicks(form.EditCerca, QStringLiteral("msa pianta 07"));
        QCOMPARE(form.ListBox2->currentItem()->text(), T("MSA Pianta 07"));
        QTest::keyClick(form.EditCerca, Qt::Key_Return);
        QCOMPARE(form.EditCerca->text(), T("MSA PIANTA 07"));
        QTest::mouseClick(form.EditCerca, Qt::LeftButton);
        QVERIFY(form.EditCerca->text().isEmpty());
        QTest::keyClicks(form.EditCerca, QString(200, QLatin1Char('z')));
        QCOMPARE(form.ListBox2->currentItem()->text(), T("TSA Altra"));
    }

    void aDamagedDatabaseIsReportedAndNothingIsShown()
    {
        WriteSixteen();
        f_.dir->Put("OpzioneH/DBmain.rnd", f_.dir->Get("OpzioneH/DBmain.rnd") + "xy");
        TFoSegnat form;
        form.show();
        QCOMPARE(form.ListBox2->count(), 0);
        QCOMPARE(f_.script->Messages().size(), std::size_t(1));
        QVERIFY(f_.script->Texts().at(0).find("DBmain.rnd") != std::string::npos);
        QVERIFY(!f_.dir->Has("FileDum/Prdts.dum"));
        form.BBRicerca->click(); // no list: nothing found, nothing breaks
        QVERIFY(form.EdP[0]->text().isEmpty());
    }

    void starterKnowledgeBase()
    {
        f_.dir->CopyTemplate();
        TFoSegnat form;
        form.show();
        const int remedies = form.ListBox2->count();
        QVERIFY(remedies > 100);
        QCOMPARE(SplitTextLines(f_.dir->Get("FileDum/Prdts.dum")).size(), std::size_t(remedies));
        form.BBRicerca->click();
        QCOMPARE(form.EdTot->text(), QString::number(remedies));
        QCOMPARE(form.EdPage->text(), QStringLiteral("1/") + QString::number((remedies + 13) / 14));
        QCOMPARE(EditColour(form.EdPage), kColourRed);

        // Every remedy listed for the Sun really carries it.
        form.RBsol->click();
        form.RBleo->click();
        form.BBRicerca->click();
        const int sun = form.EdTot->text().toInt();
        QVERIFY(sun > 0 && sun < remedies);
        const std::vector<std::string> lines = SplitTextLines(f_.dir->Get("FileDum/Segnat.dum"));
        QCOMPARE(lines.size(), std::size_t(4 * sun));
        for (std::size_t i = 0; i < lines.size(); i += 4) {
            QVERIFY((lines[i + 1] + lines[i + 2]).find("Sole") != std::string::npos);
            QVERIFY(lines[i + 3].find("Leone") != std::string::npos);
        }
        QCOMPARE(FromQ(form.EdP[0]->text()), lines[0]);
    }
};

QTEST_MAIN(SignatureWindowTest)
#include "SignatureWindowTest.moc"
