// The multiple-symptom and composite-therapy windows driven offscreen on a
// copy of the shipped knowledge base: choosing symptoms into the boxes,
// the ranking, the detail with the box colours, the clear buttons, the
// incremental search and "Trova", and the missing lists.
#include "kb/KbRecords.h"
#include "kb/UnRicCom.h"
#include "kb/UnTerCom.h"
#include "platform/Cp1252Q.h"
#include "platform/Dialogs.h"
#include "platform/TextFile.h"
#include "shell/UnControlli.h"
#include "support/KbWindowTesting.h"
#include "support/TempFolder.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>
#include <filesystem>
#include <map>
#include <memory>
#include <set>

class MultipleSearchWindowTest : public QObject {
    Q_OBJECT

    KbWindowFixture f_;

    static void ClickItem(QListWidget* list, const std::string& text) { ClickLine(list, ToQ(text)); }

    static std::vector<std::string> ListTexts(const QListWidget* list)
    {
        std::vector<std::string> out;
        for (int i = 0; i < list->count(); ++i)
            out.push_back(FromQ(list->item(i)->text()));
        return out;
    }

    static std::string Current(const QListWidget* list)
    {
        return list->currentItem() ? FromQ(list->currentItem()->text()) : std::string();
    }

private slots:
    void init()
    {
        f_.Begin();
        f_.dir->CopyTemplate();
    }
    void cleanup() { f_.End(); }

    void symptomsRankedAndDetailed()
    {
        TFoRicCom form;
        form.show();
        QCOMPARE(ListTexts(form.ListBox1), ReadTextLines(kSymptomListFile));
        QVERIFY(!form.BBricerca->isEnabled());

        ClickItem(form.ListBox1, "Insonnia da agitazione nervosa");
        ClickItem(form.ListBox1, "Palpitazioni di origine nervosa");
        ClickItem(form.ListBox1, "Insonnia da agitazione nervosa");
        QCOMPARE(FromQ(form.Ed[0]->text()), std::string("Insonnia da agitazione nervosa"));
        QCOMPARE(FromQ(form.Ed[2]->text()), std::string("Insonnia da agitazione nervosa"));
        QVERIFY(form.BBricerca->isEnabled());

        QTest::mouseClick(form.BBricerca, Qt::LeftButton);
        const auto ranked = ListTexts(form.ListBox3);
        QVERIFY(!ranked.empty());
        QVERIFY(std::find(ranked.begin(), ranked.end(), "03 MSA Melissa") != ranked.end());
        QVERIFY(ranked.front().rfind("03 ", 0) == 0);
        // Every remedy treating the insomnia counts it twice.
        for (const std::string& item : ranked)
            QVERIFY2(item.rfind("01 ", 0) == 0 || item.rfind("02 ", 0) == 0 || item.rfind("03 ", 0) == 0,
                     item.c_str());
        QCOMPARE(form.ListBox2->count(), form.ListBox3->count());
        QCOMPARE(FromQ(form.ListBox2->item(0)->text()), ranked.back());

        ClickItem(form.ListBox3, "03 MSA Melissa");
        const std::string memo = FromQ(form.Memo1->toPlainText());
        QVERIFY(memo.find("= Insonnia da agitazione nervosa\n- ") == 0);
        QVERIFY(memo.find("= Palpitazioni di origine nervosa") != std::string::npos);
        QVERIFY(memo.find(kDetailSeparator) != std::string::npos);
        for (int k : {0, 1, 2})
            QCOMPARE(EditColour(form.Ed[k]), kColourLightYellow);
        QCOMPARE(EditColour(form.Ed[3]), kColourSilver);
        // The detail stays until "Pulisci"; a second click adds to it.
        ClickItem(form.ListBox3, "03 MSA Melissa");
        QVERIFY(FromQ(form.Memo1->toPlainText()).size() > memo.size());
        QTest::mouseClick(form.BBpuliMemo, Qt::LeftButton);
        QVERIFY(form.Memo1->toPlainText().isEmpty());

        QTest::mouseClick(form.BB[1], Qt::LeftButton);
        QVERIFY(form.Ed[1]->text().isEmpty());
        QVERIFY(form.BBricerca->isEnabled());
        QTest::mouseClick(form.BBpuliTutto, Qt::LeftButton);
        for (QLineEdit* e : form.Ed)
            QVERIFY(e->text().isEmpty());
        QVERIFY(!form.BBricerca->isEnabled());
        QCOMPARE(form.ListBox3->count(), 0);
        QVERIFY(f_.script->Messages().empty());
    }

    void sixteenthSymptomChangesNothing()
    {
        TFoRicCom form;
        form.show();
        QVERIFY(form.ListBox1->count() > 16);
        for (int i = 0; i < 15; ++i)
            ClickItem(form.ListBox1, FromQ(form.ListBox1->item(i)->text()));
        const auto before = form.Criteria();
        QCOMPARE(before.back(), FromQ(form.ListBox1->item(14)->text()));
        ClickItem(form.ListBox1, FromQ(form.ListBox1->item(15)->text()));
        QCOMPARE(form.Criteria(), before);
    }

    void incrementalSearchAndFind()
    {
        TFoRicCom form;
        form.show();
        QTest::mouseClick(form.EdCerca, Qt::LeftButton);
        QTest::keyClicks(form.EdCerca, QStringLiteral("pal"));
        QCOMPARE(FromQ(form.EdCerca->text()), std::string("Pal"));
        QVERIFY(Current(form.ListBox1).rfind("Pal", 0) == 0);
        QTest::keyClick(form.EdCerca, Qt::Key_Backspace);
        QCOMPARE(form.SearchText(), std::string("Pa"));
        // Capitals typed after the first letter still find the line, and the
        // first line with that beginning is chosen.
        QTest::mouseClick(form.EdCerca, Qt::LeftButton);
        QTest::keyClicks(form.EdCerca, QStringLiteral("INS"));
        QCOMPARE(FromQ(form.EdCerca->text()), std::string("INS"));
        int firstIns = -1;
        for (int i = 0; i < form.ListBox1->count() && firstIns < 0; ++i)
            if (form.ListBox1->item(i)->text().startsWith(QStringLiteral("ins"), Qt::CaseInsensitive))
                firstIns = i;
        QVERIFY(firstIns >= 0);
        QCOMPARE(form.ListBox1->currentRow(), firstIns);

        QTest::mouseClick(form.EdCerca, Qt::LeftButton);
        QVERIFY(form.EdCerca->text().isEmpty());
        QTest::keyClicks(form.EdCerca, QStringLiteral("nervosa"));
        QTest::mouseClick(form.BBTrova, Qt::LeftButton);
        const int first = form.ListBox1->currentRow();
        QVERIFY(Current(form.ListBox1).find("nervosa") != std::string::npos);
        QTest::mouseClick(form.BBTrova, Qt::LeftButton);
        QVERIFY(form.ListBox1->currentRow() > first);
        QVERIFY(Current(form.ListBox1).find("nervosa") != std::string::npos);
        // A search text of 200 characters selects a line and nothing breaks.
        QTest::mouseClick(form.EdCerca, Qt::LeftButton);
        QTest::keyClicks(form.EdCerca, QString(200, QLatin1Char('z')));
        QVERIFY(form.ListBox1->currentRow() >= 0);
        QVERIFY(f_.script->Messages().empty());
    }

    void missingOrEmptySymptomList()
    {
        std::filesystem::remove(f_.dir->Path() / "OpzioneH/Sintomi.txt");
        {
            TFoRicCom form;
            form.show();
            QCOMPARE(form.ListBox1->count(), 0);
            QCOMPARE(f_.script->Messages().size(), std::size_t(1));
            QVERIFY(f_.script->Texts()[0].find("Sintomi.txt") != std::string::npos);
        }
        f_.dir->Put("OpzioneH/Sintomi.txt", "");
        f_.script->Clear();
        TFoRicCom form;
        form.show();
        QCOMPARE(form.ListBox1->count(), 0);
        QVERIFY(f_.script->Messages().empty());
    }

    void compositeTherapiesOnTheRepertory()
    {
        // The remedy prescribed for most pathologies, and three of them.
        const auto records = ReadRepertory();
        std::map<std::string, std::set<std::string>> byRemedy;
        for (std::size_t i = 1; i < records.size(); ++i)
            byRemedy[records[i].Remedy].insert(records[i].Pathology);
        auto best = byRemedy.begin();
        for (auto it = byRemedy.begin(); it != byRemedy.end(); ++it)
            if (it->second.size() > best->second.size())
                best = it;
        QVERIFY(best->second.size() >= 3);
        const std::vector<std::string> chosen(best->second.begin(), std::next(best->second.begin(), 3));

        TFoTerCom form;
        form.show();
        QCOMPARE(ListTexts(form.ListBox1), ReadTextLines(kPathologyListFile));
        QVERIFY(f_.dir->Has("OpzioneH/ProdotR.txt"));
        QVERIFY(f_.dir->Has("OpzioneH/TerCom.Rnd"));
        for (const std::string& p : chosen)
            ClickItem(form.ListBox1, p);
        QTest::mouseClick(form.BBricerca, Qt::LeftButton);
        std::size_t pairs = 0;
        for (std::size_t i = 1; i < records.size(); ++i)
            if (records[i].Remedy == best->first &&
                std::find(chosen.begin(), chosen.end(), records[i].Pathology) != chosen.end())
                ++pairs;
        const std::string item = "0" + std::to_string(pairs) + " " + best->first;
        const auto ranked = ListTexts(form.ListBox3);
        QVERIFY2(std::find(ranked.begin(), ranked.end(), item) != ranked.end(), item.c_str());
        QVERIFY(ranked.front().rfind("0" + std::to_string(pairs), 0) == 0);

        ClickItem(form.ListBox3, item);
        const std::string memo = FromQ(form.Memo1->toPlainText());
        // The posology of each pathology-remedy pair.
        for (std::size_t i = 1; i < records.size(); ++i)
            if (records[i].Remedy == best->first && records[i].Pathology == chosen[0])
                QVERIFY(memo.find("= " + chosen[0] + "\n- " + records[i].Posology) != std::string::npos);
        for (int k : {0, 1, 2})
            QCOMPARE(EditColour(form.Ed[k]), kColourLightYellow);
        QVERIFY(f_.script->Messages().empty());
    }
};

QTEST_MAIN(MultipleSearchWindowTest)
#include "MultipleSearchWindowTest.moc"
