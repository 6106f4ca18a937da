// The psychic-synthesis, plant and principle windows driven offscreen: on
// small knowledge bases written for each case, and on the starter knowledge
// base of the built program folder.
#include "kb/KbRecords.h"
#include "kb/PrinciplesArchive.h"
#include "kb/UnPiante.h"
#include "kb/UnPrinci.h"
#include "kb/UnSintesi.h"
#include "platform/Cp1252Q.h"
#include "platform/Dialogs.h"
#include "platform/TextFile.h"
#include "support/KbWindowTesting.h"
#include "support/TempFolder.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>
#include <filesystem>
#include <memory>

namespace {

RemedyRecord Remedy(std::string name, std::string synthesis)
{
    RemedyRecord r;
    r.Name = std::move(name);
    r.Indications = "Disturbo di " + r.Name;
    r.PsychicSynthesis = std::move(synthesis);
    return r;
}

QString T(const char* cp1252) { return ToQ(cp1252); }

} // namespace

class RemedyTextWindowsTest : public QObject {
    Q_OBJECT

    KbWindowFixture f_;

private slots:
    void init() { f_.Begin(); }
    void cleanup() { f_.End(); }

    void synthesisAndWordSearch()
    {
        WritePrimaryDatabase({ReservedRemedy(), Remedy("MSA Melissa", "Persona sensibile e impressionabile"),
                              Remedy("MSA Melissa", "Tensione e insonnia"), Remedy("MSA Timo", "ok")});
        TFoSintesi form;
        form.show();
        QCOMPARE(form.LabelMemo->text(), T("Sintesi Psichica del  Rimedio"));
        ClickLine(form.ListBox2, T("MSA Melissa"));
        QCOMPARE(form.LabelMemo->text(), T("Sintesi Psichica di MSA Melissa"));
        QCOMPARE(form.MemoNote->toPlainText(), T("Persona sensibile e impressionabile"));
        ClickLine(form.ListBox2, T("MSA Timo"));
        QCOMPARE(form.MemoNote->toPlainText(), T("Non è riportata una Sintesi Psichica"));

        // Found in the second use of Melissa: listed, shown from its first
        // record with the word in front.
        form.EditCerca->setText(QStringLiteral("insonnia"));
        form.BBcerca->click();
        QCOMPARE(form.LabelMemo->text(), T("Sintesi Psichica del Rimedio"));
        QVERIFY(form.MemoNote->toPlainText().isEmpty());
        QCOMPARE(Items(form.ListBox3), QStringList {T("MSA Melissa")});
        ClickLine(form.ListBox3, T("MSA Melissa"));
        QCOMPARE(form.MemoNote->toPlainText(), T("INSONNIAPersona sensibile e impressionabile"));

        form.EditCerca->setText(QStringLiteral("Sensibile"));
        form.BBcerca->click();
        ClickLine(form.ListBox3, T("MSA Melissa"));
        QCOMPARE(form.MemoNote->toPlainText(), T("Persona SENSIBILE e impressionabile"));

        form.EditCerca->clear();
        form.BBcerca->click();
        QCOMPARE(Items(form.ListBox3), QStringList {T("**NESSUN RISULTATO**")});
        ClickLine(form.ListBox3, T("**NESSUN RISULTATO**"));
        QCOMPARE(form.LabelMemo->text(), T("Sintesi Psichica del Rimedio"));
        QVERIFY(f_.script->Messages().empty());
    }

    void aDamagedDatabaseIsReportedAndNothingIsShown()
    {
        std::vector<RemedyRecord> entries {Remedy("MSA Melissa", "Persona sensibile")};
        entries.insert(entries.begin(), ReservedRemedy());
        WritePrimaryDatabase(entries);
        f_.dir->Put("OpzioneH/DBmain.rnd", f_.dir->Get("OpzioneH/DBmain.rnd") + "xy");
        TFoSintesi synthesis;
        synthesis.show();
        QCOMPARE(synthesis.ListBox2->count(), 0);
        QCOMPARE(f_.script->Messages().size(), std::size_t(1));
        QVERIFY(f_.script->Texts().at(0).find("DBmain.rnd") != std::string::npos);
        QVERIFY(!f_.dir->Has("FileDum/Prdts.dum"));

        std::filesystem::remove(f_.dir->Path() / "OpzioneH" / "DBmain.rnd");
        f_.script->Clear();
        TFoPiante plants;
        plants.show();
        QCOMPARE(f_.script->Messages().size(), std::size_t(1));
        QCOMPARE(plants.ListBox2->count(), 0);
        plants.BBcerca->click();
        QCOMPARE(f_.script->Messages().size(), std::size_t(2));
        QCOMPARE(plants.ListBox3->count(), 0);
    }

    void starterKnowledgeBase()
    {
        f_.dir->CopyTemplate();
        TFoPiante plants;
        plants.show();
        QVERIFY(plants.ListBox2->count() > 100);
        ClickLine(plants.ListBox2, T("MSA Melissa"));
        QCOMPARE(plants.LabelMemo->text(), T("Composizione di MSA Melissa"));
        QVERIFY(plants.MemoNote->toPlainText().startsWith(QStringLiteral("Melissa officinalis")));
        plants.EditCerca->setText(QStringLiteral("citrale"));
        plants.BBcerca->click();
        QCOMPARE(plants.LabelMemo->text(), T("Composizione del Rimedio"));
        QVERIFY(Items(plants.ListBox3).contains(T("MSA Melissa")));
        ClickLine(plants.ListBox3, T("MSA Melissa"));
        QVERIFY(plants.MemoNote->toPlainText().contains(QStringLiteral("(CITRALE,")));
        plants.EditCerca->setText(QStringLiteral("nessunapiantacosi"));
        plants.BBcerca->click();
        QCOMPARE(Items(plants.ListBox3), QStringList {T("**NESSUN RISULTATO**")});

        QTest::mouseClick(plants.Panel1, Qt::LeftButton);
        QCOMPARE(f_.script->Messages().size(), std::size_t(1));
        QVERIFY(f_.script->Texts().at(0).find("[Cerca]") != std::string::npos);

        TFoPrinci principles;
        principles.show();
        principles.Button1->click();
        const std::vector<PrincipleRecord> stored = ReadPrinciplesArchive();
        QCOMPARE(stored.size(), std::size_t(15));
        QCOMPARE(stored[0][0], LineOrEmpty(ReadTextLines(kPrinciplesTextFile), 0));
        QCOMPARE(stored[0][1], std::string("NAFTODIANTRONI"));
    }

    void principlesWithoutTheirText()
    {
        TFoPrinci form;
        form.show();
        form.Button1->click();
        QCOMPARE(f_.script->Messages().size(), std::size_t(1));
        QVERIFY(f_.script->Texts().at(0).find("Principi.txt") != std::string::npos);
        QVERIFY(!f_.dir->Has("Principi.sto"));
    }
};

QTEST_MAIN(RemedyTextWindowsTest)
#include "RemedyTextWindowsTest.moc"
