// The debilities window and the plant tables by planet and by sign, driven
// offscreen on a copy of the shipped knowledge base: the radio choices, the
// lists, the details, and "Crea Database" with its confirmation and its
// missing source.
#include "kb/UnMali.h"
#include "kb/UnSintom2.h"
#include "kb/UnSintom3.h"
#include "platform/Cp1252Q.h"
#include "platform/Dialogs.h"
#include "support/KbWindowTesting.h"
#include "support/TempFolder.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>
#include <filesystem>
#include <memory>
#include <sstream>

class DebilitiesPlantsWindowTest : public QObject {
    Q_OBJECT

    KbWindowFixture f_;

    template <class Form>
    static void ClickRadio(Form& form, const char* word)
    {
        auto* rb = form.template findChild<QRadioButton*>(ToQ(std::string("RB") + word));
        QVERIFY2(rb, word);
        QTest::mouseClick(rb, Qt::LeftButton, {}, QPoint(4, rb->height() / 2));
        QVERIFY(rb->isChecked());
    }

    static void ClickRow(QListWidget* list, int row)
    {
        QListWidgetItem* item = list->item(row);
        QVERIFY(item);
        list->scrollToItem(item);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(item).center());
    }

    static int Row(const QListWidget* list, const char* text)
    {
        const auto found = list->findItems(ToQ(text), Qt::MatchExactly);
        return found.isEmpty() ? -1 : list->row(found.first());
    }

private slots:
    void init()
    {
        f_.Begin();
        f_.dir->CopyTemplate();
    }
    void cleanup() { f_.End(); }

    void plantsByPlanet()
    {
        TFoSintom3 form;
        form.show();
        const int all = form.ListBox1->count();
        QVERIFY(all > 20);
        QCOMPARE(form.EdTot->text().toInt(), all);
        ClickRadio(form, "Venere");
        QCOMPARE(FromQ(form.EdScelta->text()), std::string("Venere"));
        QVERIFY(form.ListBox1->count() > 0 && form.ListBox1->count() < all);
        QCOMPARE(form.EdTot->text().toInt(), form.ListBox1->count());
        const int altea = Row(form.ListBox1, "Altea");
        QVERIFY(altea >= 0);
        ClickRow(form.ListBox1, altea);
        const std::string memo = FromQ(form.Memo1->toPlainText());
        QVERIFY(memo.find("= Acidit\xE0 di stomaco") != std::string::npos);
        QVERIFY(memo.find("Rimedio: MSA Altea") != std::string::npos);
        QVERIFY(memo.find("Pianeta: Venere") != std::string::npos);
        ClickRadio(form, "Luna");
        QCOMPARE(Row(form.ListBox1, "Altea"), -1);
        QVERIFY(form.Memo1->toPlainText().isEmpty());
        QVERIFY(f_.script->Messages().empty());
    }

    void plantsBySignAndRebuild()
    {
        const std::string table = f_.dir->Get("OpzioneS/DataStf.rnd");
        TFoSintom2 form;
        form.show();
        ClickRadio(form, "Toro");
        QVERIFY(Row(form.ListBox1, "Altea") >= 0);

        // Refused: nothing is written.
        f_.dir->Put("OpzioneS/DataStf.rnd", table.substr(0, 2 * 599));
        f_.script->AnswerNext(false);
        QTest::mouseClick(form.BBCrea, Qt::LeftButton);
        QCOMPARE(f_.dir->Get("OpzioneS/DataStf.rnd").size(), std::size_t(2 * 599));
        // Confirmed: the table is built again from its text source.
        f_.script->AnswerNext(true);
        QTest::mouseClick(form.BBCrea, Qt::LeftButton);
        QVERIFY(f_.dir->Get("OpzioneS/DataStf.rnd") == table);
        QVERIFY(Row(form.ListBox1, "Altea") >= 0);
        QVERIFY(f_.script->Messages().back().kind == Dialogs::Kind::Information);

        // Without the source: a message, the table as it was.
        std::filesystem::remove(f_.dir->Path() / "OpzioneS/DbTesto.Txt");
        f_.script->Clear();
        f_.script->AnswerNext(true);
        QTest::mouseClick(form.BBCrea, Qt::LeftButton);
        QVERIFY(f_.dir->Get("OpzioneS/DataStf.rnd") == table);
        QVERIFY(f_.script->Messages().back().kind == Dialogs::Kind::Error);
        QVERIFY(f_.script->Texts().back().find("DbTesto") != std::string::npos);

        // A damaged table: a message, an empty list.
        f_.dir->Put("OpzioneS/DataStf.rnd", table + "x");
        f_.script->Clear();
        ClickRadio(form, "Pesci");
        QCOMPARE(form.ListBox1->count(), 0);
        QCOMPARE(f_.script->Messages().size(), std::size_t(1));
    }

    void debilitiesBySignature()
    {
        TFoMali form;
        form.show();
        ClickRadio(form, "Marte");
        ClickRadio(form, "Ariete");
        QCOMPARE(FromQ(form.EdPianeta->text()), std::string("Marte"));
        QCOMPARE(FromQ(form.EdSegno->text()), std::string("Ariete"));
        QTest::mouseClick(form.BBRicerca, Qt::LeftButton);
        const int found = form.ListBox1->count();
        QVERIFY(found > 0);
        QCOMPARE(form.EdTot->text().toInt(), found);
        // Every remedy shown carries both words.
        for (int row = 0; row < found; ++row) {
            ClickRow(form.ListBox1, row);
            std::istringstream memo(FromQ(form.Memo1->toPlainText()));
            std::string line;
            int remedies = 0;
            while (std::getline(memo, line)) {
                if (line.rfind("= ", 0) == 0)
                    ++remedies;
                if (line.rfind("   Segnatura planetaria: ", 0) == 0)
                    QVERIFY2(line.find("Marte") != std::string::npos, line.c_str());
                if (line.rfind("   Segnatura zodiacale: ", 0) == 0)
                    QVERIFY2(line.find("Ariete") != std::string::npos, line.c_str());
            }
            const std::string item = FromQ(form.ListBox1->item(row)->text());
            QVERIFY2(item.find("(" + std::to_string(remedies) + ")") != std::string::npos, item.c_str());
        }
        // Any planet with the same sign: at least as many pathologies.
        ClickRadio(form, "Qualsiasi");
        QTest::mouseClick(form.BBRicerca, Qt::LeftButton);
        QVERIFY(form.ListBox1->count() >= found);
        QTest::mouseClick(form.BBpulisci, Qt::LeftButton);
        QCOMPARE(form.ListBox1->count(), 0);
        QVERIFY(f_.script->Messages().empty());
    }
};

QTEST_MAIN(DebilitiesPlantsWindowTest)
#include "DebilitiesPlantsWindowTest.moc"
