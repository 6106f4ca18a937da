// The orb dialog driven offscreen on a copy of the built program folder:
// what activation shows, the idle-time checks of the typed orbs, adoption of
// each set into FileSet\OrbiDomi.stt and FileDum\MMVarOrb.dum, the refusal
// of invalid values, and the close rules.
#include "astro/UnOrbVlk.h"
#include "platform/Application.h"
#include "platform/Cp1252Q.h"
#include "platform/Dialogs.h"
#include "platform/FloatText.h"
#include "platform/TextFile.h"
#include "shell/OrbSettings.h"
#include "shell/SharedState.h"
#include "shell/UnControlli.h"
#include "support/TempFolder.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QtTest>
#include <filesystem>
#include <memory>

namespace {

const char* const kOrbi = "FileSet/OrbiDomi.stt";
const char* const kVarOrb = "FileDum/MMVarOrb.dum";

std::string Float(long double x)
{
    return DefaultFloatText(x);
}

} // namespace

class OrbDialogTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TempFolder> dir_;
    std::unique_ptr<Dialogs::Script> script_;
    std::unique_ptr<TFoOrbVlk> form_;
    std::vector<std::string> shownItems_;

    std::vector<std::string> Lines(const char* name) const { return SplitTextLines(dir_->Get(name)); }

    void Open()
    {
        form_ = std::make_unique<TFoOrbVlk>();
        form_->ShowOrbItem = [this](const std::string& item) { shownItems_.push_back(item); };
        form_->show();
    }

    QLineEdit* Edit(const QString& name) const
    {
        auto* e = form_->findChild<QLineEdit*>(name);
        if (!e)
            qFatal("no edit %s", qPrintable(name));
        return e;
    }

    // Types a text over the edit's contents, as the user does, and lets the
    // idle-time check run.
    void Type(QLineEdit* edit, const QString& text)
    {
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Delete);
        QTest::keyClicks(edit, text);
        QVERIFY(!form_->ValuesValid()); // a change waits for the check
        const auto* idle = form_->findChild<QTimer*>(QStringLiteral("IdleTimer"));
        QVERIFY(idle && idle->isActive());
        QTRY_VERIFY(!idle->isActive());
    }

    std::string VisibleBevels() const
    {
        std::string s;
        if (!form_->BevelA->isHidden())
            s += "A";
        if (!form_->BevelB->isHidden())
            s += "B";
        if (!form_->BevelC->isHidden())
            s += "C";
        return s;
    }

private slots:
    void init()
    {
        dir_ = std::make_unique<TempFolder>();
        dir_->CopyTemplate();
        script_ = std::make_unique<Dialogs::Script>();
        shownItems_.clear();
    }

    void cleanup()
    {
        form_.reset();
        script_.reset();
        dir_.reset();
    }

    void activationShowsTheValueFile()
    {
        OrbValues v = DefaultOrbValues();
        for (std::size_t i = 0; i < 14; ++i) {
            v.b[i] = static_cast<long double>(i) + 0.25L;
            v.c[i] = static_cast<long double>(i) + 0.5L;
        }
        v.parallel = 2;
        v.antiscia = 3.5L;
        v.letter = std::string(1, 'C');
        WriteOrbValues(v);
        Open();

        QCOMPARE(form_->windowTitle(), ToQ("Variazione Orbite Aspetti"));
        QCOMPARE(Edit(QStringLiteral("EditCongA"))->text(), ToQ("± 10"));
        QCOMPARE(Edit(QStringLiteral("EditQuadA"))->text(), ToQ("± 6"));
        QVERIFY(Edit(QStringLiteral("EditOppoA"))->isReadOnly());
        QCOMPARE(Edit(QStringLiteral("EditCongB"))->text(), QStringLiteral("0,25"));
        QCOMPARE(Edit(QStringLiteral("EditOppoB"))->text(), QStringLiteral("13,25"));
        QCOMPARE(Edit(QStringLiteral("EditSmStC"))->text(), QStringLiteral("1,5"));
        QCOMPARE(Edit(QStringLiteral("EditOppoC"))->text(), QStringLiteral("13,5"));
        QCOMPARE(form_->EditParal->text(), QStringLiteral("2,0"));
        QCOMPARE(form_->EditAntis->text(), QStringLiteral("3,5"));
        QCOMPARE(FromQ(form_->LabelOrbite->text()), std::string("Set di Orbite Attualmente Selezionato = C"));
        QCOMPARE(VisibleBevels(), std::string("C"));
        QCOMPARE(form_->Edit1->text(), QStringLiteral("C"));
        QVERIFY(form_->ValuesValid());
        QVERIFY(form_->BitBtnRitorna->isEnabled());
        QCOMPARE(form_->BitBtn3->text(), QStringLiteral("Adotta"));
        QCOMPARE(FromQ(form_->BitBtnRitorna->text()), std::string("Ritorna a Menu Principale"));
        QVERIFY(script_->Texts().empty());
    }

    void typedOrbIsChecked_data()
    {
        QTest::addColumn<QString>("edit");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<QString>("shown");
        QTest::newRow("B at the aspect limit 15,0") << "EditCongB" << "15,0" << true << "15,0";
        QTest::newRow("B above the aspect limit 15,1") << "EditCongB" << "15,1" << false << "";
        QTest::newRow("C below zero") << "EditOppoC" << "-0,5" << false << "";
        QTest::newRow("C zero") << "EditSettC" << "0" << true << "0";
        QTest::newRow("B point turned into comma") << "EditTrigB" << "4.5" << true << "4,5";
        QTest::newRow("B not a number stays, red") << "EditQuadB" << "4,x" << false << "4,x";
        QTest::newRow("parallel at the shared limit 6,0") << "EditParal" << "6,0" << true << "6,0";
        QTest::newRow("parallel above the shared limit 6,5") << "EditParal" << "6,5" << false << "";
        QTest::newRow("antiscia above the shared limit 6,1") << "EditAntis" << "6,1" << false << "";
        QTest::newRow("antiscia within the aspect limit only 7") << "EditAntis" << "7" << false << "";
    }

    void typedOrbIsChecked()
    {
        QFETCH(QString, edit);
        QFETCH(QString, typed);
        QFETCH(bool, accepted);
        QFETCH(QString, shown);
        Open();
        QLineEdit* e = Edit(edit);
        Type(e, typed);
        QCOMPARE(form_->ValuesValid(), accepted);
        QCOMPARE(form_->BitBtnRitorna->isEnabled(), accepted);
        QCOMPARE(e->text(), shown);
        QCOMPARE(EditColour(e), accepted ? kColourAqua : kColourRed);
        if (!accepted) {
            // Ritorna does nothing while a value is wrong; a good value
            // enables it again.
            form_->BitBtnRitorna->click();
            QVERIFY(form_->isVisible());
            Type(e, QStringLiteral("1,0"));
            QVERIFY(form_->ValuesValid());
            QVERIFY(form_->BitBtnRitorna->isEnabled());
            QCOMPARE(EditColour(e), kColourAqua);
        }
    }

    void adoptingAWritesTheFixedOrbs()
    {
        Open();
        Type(Edit(QStringLiteral("EditCongB")), QStringLiteral("3,5"));
        Type(Edit(QStringLiteral("EditCongC")), QStringLiteral("2,5"));
        form_->BitBtn3->click();
        const auto orbi = Lines(kOrbi);
        QCOMPARE(orbi.size(), std::size_t(20));
        QCOMPARE(std::vector<std::string>(orbi.begin(), orbi.begin() + 14),
                 (std::vector<std::string> {"10", "1", "1", "1", "1", "1", "4", "1", "6", "8", "1", "1", "1", "9"}));
        QCOMPARE(orbi.at(18), std::string("A"));
        const auto var = Lines(kVarOrb);
        QCOMPARE(var.at(2), Float(3.5L)); // B and C are kept for later
        QCOMPARE(var.at(18), Float(2.5L));
        QCOMPARE(var.at(34), std::string("A"));
        QCOMPARE(OrbSetLetter, std::string("A"));
        QCOMPARE(AspectOrb[1], 10.0L);
        QCOMPARE(shownItems_, (std::vector<std::string> {"A (normali)"}));
    }

    void adoptingBOrCWritesItsValues_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("letter");
        QTest::addColumn<QString>("item");
        QTest::addColumn<double>("conjunction");
        QTest::newRow("B") << "BitBtn2" << "B" << "B (personali)" << 12.5;
        QTest::newRow("C") << "BitBtn1" << "C" << "C (personali)" << 7.25;
    }

    void adoptingBOrCWritesItsValues()
    {
        QFETCH(QString, button);
        QFETCH(QString, letter);
        QFETCH(QString, item);
        QFETCH(double, conjunction);
        const auto before = Lines(kOrbi);
        Open();
        Type(Edit(QStringLiteral("EditCongB")), QStringLiteral("12,5"));
        Type(Edit(QStringLiteral("EditCongC")), QStringLiteral("7,25"));
        Type(form_->EditAntis, QStringLiteral("0,5"));
        QCOMPARE(VisibleBevels(), std::string("A"));
        form_->findChild<QPushButton*>(button)->click();

        const std::string l = FromQ(letter);
        const auto orbi = Lines(kOrbi);
        QCOMPARE(orbi.size(), std::size_t(20));
        QCOMPARE(orbi.at(0), Float(static_cast<long double>(conjunction)));
        const OrbValues defaults = DefaultOrbValues();
        QCOMPARE(orbi.at(8), Float(l == "B" ? defaults.b[8] : defaults.c[8])); // square
        QCOMPARE(orbi.at(14), Float(1));
        QCOMPARE(orbi.at(15), Float(0.5L));
        QCOMPARE(orbi.at(16), before.at(16)); // house system, node and Black Moon kept
        QCOMPARE(orbi.at(17), before.at(17));
        QCOMPARE(orbi.at(18), l);
        QCOMPARE(orbi.at(19), before.at(19));
        QCOMPARE(Lines(kVarOrb).at(34), l);
        QCOMPARE(VisibleBevels(), l);
        QCOMPARE(FromQ(form_->LabelOrbite->text()), "Set di Orbite Attualmente Selezionato = " + l);
        QCOMPARE(form_->Edit1->text(), letter);
        QCOMPARE(OrbSetLetter, l);
        QCOMPARE(AspectOrb[1], static_cast<long double>(conjunction));
        QCOMPARE(AntisciaOrb, 0.5L);
        QCOMPARE(shownItems_, (std::vector<std::string> {FromQ(item)}));
    }

    void invalidValuesAreNeverWritten()
    {
        Open();
        Type(Edit(QStringLiteral("EditCongB")), QStringLiteral("15,1"));
        QVERIFY(!form_->ValuesValid());
        const std::string orbi = dir_->Get(kOrbi);
        const std::string var = dir_->Get(kVarOrb);
        for (QPushButton* b : {form_->BitBtn3, form_->BitBtn2, form_->BitBtn1})
            b->click();
        QCOMPARE(script_->Texts(), (std::vector<std::string>(3, "Errore Impostazione Orbite")));
        QVERIFY(shownItems_.empty());
        QCOMPARE(VisibleBevels(), std::string("A"));
        form_->reject(); // closing with a wrong value writes nothing either
        QVERIFY(dir_->Get(kOrbi) == orbi);
        QVERIFY(dir_->Get(kVarOrb) == var);
    }

    void closingAfterASharedOrbChangeReadoptsTheSet()
    {
        Open();
        form_->BitBtn2->click(); // set B current
        shownItems_.clear();
        Type(form_->EditParal, QStringLiteral("2,5"));
        form_->BitBtnRitorna->click();
        QVERIFY(!form_->isVisible());
        const auto orbi = Lines(kOrbi);
        QCOMPARE(orbi.at(0), Float(10)); // set B's conjunction
        QCOMPARE(orbi.at(14), Float(2.5L));
        QCOMPARE(orbi.at(18), std::string("B"));
        QCOMPARE(ParallelOrb, 2.5L);
        const auto var = Lines(kVarOrb);
        QCOMPARE(var.at(0), Float(2.5L));
        QCOMPARE(var.at(16), Float(2.5L));
        QCOMPARE(var.at(32), Float(2.5L));
        QCOMPARE(var.at(34), std::string("B"));
        QCOMPARE(shownItems_, (std::vector<std::string> {"B (personali)"}));
    }

    void closingAfterASetChangeOnlyKeepsTheAdoptedSet()
    {
        Open();
        const std::string orbi = dir_->Get(kOrbi);
        Type(Edit(QStringLiteral("EditCongB")), QStringLiteral("9,5"));
        form_->reject();
        QVERIFY(dir_->Get(kOrbi) == orbi);
        const auto var = Lines(kVarOrb);
        QCOMPARE(var.at(2), Float(9.5L));
        QCOMPARE(var.at(34), std::string("A"));
        QVERIFY(shownItems_.empty());
    }

    void missingValueFileIsReportedAndRewritten()
    {
        std::filesystem::remove(dir_->Path() / kVarOrb);
        Open();
        QCOMPARE(script_->Texts().size(), std::size_t(1));
        QVERIFY(script_->Texts()[0].find("MMVarOrb.dum") != std::string::npos);
        QCOMPARE(Edit(QStringLiteral("EditCongB"))->text(), QStringLiteral("10,0"));
        QCOMPARE(Edit(QStringLiteral("EditCongC"))->text(), QStringLiteral("5,0"));
        QCOMPARE(VisibleBevels(), std::string("A"));
        QVERIFY(form_->BitBtnRitorna->isEnabled());
        form_->BitBtnRitorna->click();
        const auto var = Lines(kVarOrb);
        QCOMPARE(var.size(), std::size_t(35));
        QCOMPARE(var.at(2), Float(10));
        QCOMPARE(var.at(34), std::string("A"));
    }
};

int main(int argc, char** argv)
{
    QuillonApplication app(argc, argv);
    OrbDialogTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "OrbDialogTest.moc"
