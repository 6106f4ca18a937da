// The main window driven offscreen on a copy of the built program folder:
// start-up, activation, every button, the administrator codes, the node and
// orb selectors, the edit-box helpers and where the forms open.
#include "archive/SubjectArchive.h"
#include "archive/SubjectRecord.h"
#include "main/Forms.h"
#include "main/Startup.h"
#include "main/UnVelKor.h"
#include "platform/Application.h"
#include "platform/Cp1252Q.h"
#include "platform/Dialogs.h"
#include "platform/Shell.h"
#include "platform/TextFile.h"
#include "shell/SharedState.h"
#include "shell/UnControlli.h"
#include "support/TempFolder.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>
#include <QtTest>
#include <cmath>
#include <functional>
#include <memory>

namespace {

std::vector<std::string> g_opened;
bool RecordOpen(const std::string& path)
{
    g_opened.push_back(path);
    return true;
}

// Answers the next modal window: records its title and presses Ritorna.
class ModalCloser : public QObject {
public:
    explicit ModalCloser(std::function<void(QDialog*)> inspect = {}) : inspect_(std::move(inspect))
    {
        timer_.setInterval(5);
        connect(&timer_, &QTimer::timeout, this, [this] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            timer_.stop();
            title = FromQ(dialog->windowTitle());
            if (inspect_)
                inspect_(dialog);
            if (auto* back = dialog->findChild<QPushButton*>(QStringLiteral("BBRitorna")))
                back->click();
            else
                dialog->reject();
        });
        timer_.start();
    }
    std::string title;

private:
    QTimer timer_;
    std::function<void(QDialog*)> inspect_;
};

std::vector<std::string> Lines(const QPlainTextEdit* memo)
{
    std::vector<std::string> out;
    for (const QString& l : memo->toPlainText().split(QLatin1Char('\n')))
        out.push_back(FromQ(l));
    return out;
}

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TempFolder> dir_;
    std::unique_ptr<Dialogs::Script> script_;

    // A fresh program folder and the start-up sequence of the program.
    void Start(const std::function<void(TempFolder&)>& prepare = {})
    {
        dir_ = std::make_unique<TempFolder>();
        dir_->CopyTemplate();
        if (prepare)
            prepare(*dir_);
        script_ = std::make_unique<Dialogs::Script>();
        ApplyStartupDefaults({1280, 800, false, 0});
        CreateForms();
        FoVelkor->show();
        QTRY_VERIFY(FoVelkor->ActivationCount() >= 1);
    }

    std::string File(const char* name) const { return dir_->Get(name); }

private slots:
    void init() { g_opened.clear(); SetOpenHandler(&RecordOpen); }

    void cleanup()
    {
        DestroyForms();
        script_.reset();
        dir_.reset();
        SetOpenHandler(nullptr);
    }

    void firstStartShowsTheSampleSubject()
    {
        Start();
        QCOMPARE(FromQ(FoVelkor->windowTitle()), std::string("Orvessa® ITA Basic - QUILLON"));
        const auto lines = Lines(FoVelkor->MemoDati);
        QCOMPARE(lines.size(), std::size_t(6));
        QCOMPARE(lines[0], std::string("Ferraris Giulia"));
        QCOMPARE(lines[1], std::string("Nascita 21/04/1968 15:45  Correz. +1.00"));
        QCOMPARE(lines[2], std::string("Località: Torino(TO)"));
        QCOMPARE(lines[5], std::string("Calendario GREGORIANO"));
        QVERIFY(!FoVelkor->MemoAnnotaz->isVisible());
        QVERIFY(!FoVelkor->BBApriTesto->isVisible());

        // The start-up warning about the printer, once.
        QCOMPARE(script_->Messages().size(), std::size_t(1));
        QCOMPARE(script_->Messages()[0].text, std::string("OCCORRE INSTALLARE DRIVER STAMPANTE - VEDERE MANUALE (inizio)"));

        // First activation: personal archive, user-name file, run log.
        QCOMPARE(File("BASE.ST1").size(), std::size_t(44));
        QCOMPARE(File("BASE.ST2").size(), std::size_t(385));
        QCOMPARE(File("BASE.ST3").size(), std::size_t(284));
        QCOMPARE(File("FileTmp/Personal.Tmp"), std::string("Nome\r\nCognome\r\n"));
        QVERIFY(FoVelkor->BitBtnNomeCognome->text().trimmed().isEmpty());
        QCOMPARE(SplitTextLines(File("OpzioneT/Sole.tm1")).at(2), std::string("2"));
        QCOMPARE(FoVelkor->Cbox1->count(), 1);
        QVERIFY(!FoVelkor->ComboNodo->isEnabled());
        QVERIFY(!FoVelkor->ComboOrb->isEnabled());
        QCOMPARE(FromQ(FoVelkor->ComboNodo->currentText()), std::string("MEDIO"));
        QCOMPARE(FromQ(FoVelkor->ComboOrb->currentText()), std::string("A (normali)"));
        QCOMPARE(FoVelkor->PageControl1->count(), 3);
        QCOMPARE(FromQ(FoVelkor->PageControl1->tabText(1)), std::string("Consultazione Rimedi"));
        QVERIFY(!FoVelkor->Image1->pixmap().isNull());
        QVERIFY(CurrentSubject.JD > 2439968.11 && CurrentSubject.JD < 2439968.12);
        // Loading the subject computes its chart: the Sun at 1°33' Taurus,
        // the Ascendant at 21°24' Virgo (as quillon-tool chart prints them).
        QVERIFY(std::fabs(double(std::fabs(BodyLongitude[1])) - 31.5469) < 0.001);
        QVERIFY(std::fabs(double(HouseCusps[1]) - 171.3934) < 0.001);
    }

    void activationAgainReadsTheNameButLogsTheRunOnce()
    {
        Start();
        const std::string base = File("BASE.ST1");
        FoVelkor->FormActivate();
        QCOMPARE(FromQ(FoVelkor->BitBtnNomeCognome->text()), std::string("Nome Cognome"));
        QCOMPARE(SplitTextLines(File("OpzioneT/Luna.tm1")).size(), std::size_t(1));
        QCOMPARE(File("BASE.ST1"), base);
    }

    void staleBackupFolderIsReplacedAtActivation()
    {
        Start([](TempFolder& d) {
            auto lines = SplitTextLines(d.Get("FileSet/MMVarLas.stt"));
            lines[5] = "F:\\Zk6Backup";
            std::string text;
            for (auto& l : lines)
                text += l + "\r\n";
            d.Put("FileSet/MMVarLas.stt", text);
        });
        QCOMPARE(SplitTextLines(File("FileSet/MMVarLas.stt")).at(5), std::string("Da definire"));
        QCOMPARE(PrintSettings.BackupFolder, std::string("Da definire"));
    }

    void missingCurrentSubjectIsReportedNotFatal()
    {
        Start([](TempFolder& d) { std::filesystem::remove(d.Path() / "TMPR.ST2"); });
        bool reported = false;
        for (const auto& m : script_->Messages())
            reported = reported || (m.kind == Dialogs::Kind::Error && m.text.find("TMPR.ST2") != std::string::npos);
        QVERIFY(reported);
        QVERIFY(FoVelkor->isVisible());
    }

    void everyButtonOpensItsWindowAndReturns_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("caption");
        const char* rows[][2] = {
            {"BitBtnDati", "Richiamo Dati da Archivio"},
            {"BitBtnInputA", "Introduzione Dati di Nascita"},
            {"BitBtnCancel", "Eliminaz Dati Nascita"},
            {"BitBtn1", "Modifica Dati Nascita / Crea Testo"},
            {"BBProped", "Modello Propedeutico Interattivo"},
            {"BBOriz", "Anteprima di Stampa"},
            {"BBVert", "Anteprima di Stampa"},
            {"BitBtnVarOrbAsp", "Variazione Orbite Aspetti"},
            {"BBCerchio", "Rotondità Cerchi e Ridimensionamento Schermo"},
            {"BitBtn22", "Spessore Linee"},
            {"SBtipoStamp", "Stampante"},
            {"BBSintomi", "SINTOMI e Rimedi Correlati"},
            {"BitBtn2", "RIMEDI e Sintomi correlati"},
            {"BitBtn3", "TERAPIE"},
            {"Btovr1", "Piante per Pianeta"},
            {"Btovr2", "Piante per Segno"},
            {"Button1", "Manutenzione"},
            {"BitBtn4", "DATABASE  PRIMARIO"},
            {"BBaggRep", "REPERTORIO TERAPIE"},
            {"BitBtn5", "SEGNATURE  ASTROLOGICHE"},
            {"BitBtn7", "PIANTE e PRINCIPI ATTIVI"},
            {"BitBtn8", "PRINCIPI CURATIVI"},
            {"BitBtn9", "SINTESI PSICHICA"},
            {"BBriceCompo", "SINTOMI MULTIPLI"},
            {"BitBtn10", "TERAPIE COMPOSITE"},
            {"BButility", "Utility Ricerca"},
            {"EdAggiorna", "SITUAZIONE AGGIORNAMENTI"},
            {"BBistruz", "Selezionare"},
            {"BitBtnNomeCognome", "Cambio Nome Utente"},
            {"BBSalva", "Backup/Ripristino Archivio BASE"},
        };
        for (const auto& r : rows)
            QTest::newRow(r[0]) << QString::fromLatin1(r[0]) << ToQ(r[1]);
    }

    void everyButtonOpensItsWindowAndReturns()
    {
        QFETCH(QString, button);
        QFETCH(QString, caption);
        Start();
        auto* b = FoVelkor->findChild<QAbstractButton*>(button);
        QVERIFY(b);
        QVERIFY(b->isEnabled());
        const int before = FoVelkor->ActivationCount();
        ModalCloser closer;
        b->click();
        QCOMPARE(ToQ(closer.title), caption);
        QCOMPARE(FoVelkor->ActivationCount(), before + 1);
    }

    // The summary buttons leave the exchange-mark flag and the marks of the
    // archetypal structure in the shared state the summary drawing reads:
    // "Orizzontale 2" alone goes without them.
    void summaryButtonsHandOverTheExchangeMarks_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<bool>("marks");
        QTest::newRow("Orizzontale 1") << "BBOriz" << true;
        QTest::newRow("Orizzontale 2") << "BBoriz2" << false;
        QTest::newRow("Verticale 1") << "BBVert" << true;
        QTest::newRow("Verticale 2") << "BBvert2" << true;
    }

    void summaryButtonsHandOverTheExchangeMarks()
    {
        QFETCH(QString, button);
        QFETCH(bool, marks);
        // 3 July 2000, noon at Milan: the Sun in Cancer and the Moon in Leo,
        // each in the other's domicile; no other planet in an exchange.
        Start([](TempFolder&) {
            SubjectRecord r;
            r.DateKey = "200007031200" + ZoneKeyText(-2);
            r.CoordPlace = "45N28 009E11Milano";
            r.Calendar = "GR";
            r.Nationality = "Italia";
            MakeCurrent("Prova Scambio", r);
        });
        auto* b = FoVelkor->findChild<QPushButton*>(button);
        QVERIFY(b);
        b->setEnabled(true); // the second layouts are disabled in the form
        SummaryExchangeMarks = !marks;
        PlanetExchangeMarks.fill(99);
        ModalCloser closer;
        b->click();
        QCOMPARE(closer.title, std::string("Anteprima di Stampa"));
        QCOMPARE(SummaryExchangeMarks, marks);
        const std::array<int, 8> expected = marks ? std::array<int, 8> {0, 21, 21, 0, 0, 0, 0, 0} : std::array<int, 8> {};
        QCOMPARE(PlanetExchangeMarks, expected);
    }

    void formsOpenedAnewAreNewInstances()
    {
        Start();
        {
            ModalCloser closer;
            FoVelkor->BBSintomi->click();
        }
        // A marker on the first instance, not its address: the new one may
        // be allocated where the deleted one was.
        QVERIFY(FoSintom1);
        FoSintom1->setProperty("openedBefore", true);
        ModalCloser closer;
        FoVelkor->BBSintomi->click();
        QVERIFY(FoSintom1);
        QVERIFY(!FoSintom1->property("openedBefore").isValid());
    }

    void disabledButtonsStayDisabled()
    {
        Start();
        QVERIFY(!FoVelkor->BBoriz2->isEnabled());
        QVERIFY(!FoVelkor->BBvert2->isEnabled());
        QVERIFY(!FoVelkor->BitBtn6->isEnabled());
        QVERIFY(FoVelkor->Btovr1->isHidden());
        QVERIFY(FoVelkor->Button1->isHidden());
        QVERIFY(FoVelkor->BBriceCompo->isHidden());
    }

    void graphicWindowsAreLaidOutFullScreen()
    {
        Start();
        QCOMPARE(FgrVelko->geometry().topLeft(), QPoint(0, 0));
        QCOMPARE(FgrVelko->size(), PrimaryScreenRectSize());
        QCOMPARE(FgrVelko->Panel1->y() + FgrVelko->Panel1->height(), FgrVelko->height());
        QCOMPARE(FgrNaVlk->Panel1->width(), FgrNaVlk->width());
        QVERIFY(!FgrTxtVlk->isVisible());
    }

    void administratorCodes()
    {
        Start();
        auto hiddenAdminButtons = [] {
            return FoVelkor->BBriceCompo->isHidden() && FoVelkor->BitBtn10->isHidden() &&
                   !FoVelkor->BitBtn6->isEnabled();
        };
        QVERIFY(hiddenAdminButtons());
        FoVelkor->SBpass->click();
        QVERIFY(FoVelkor->EdPass->isVisible());
        QTest::keyClicks(FoVelkor->EdPass, QStringLiteral("keld"));
        QCOMPARE(FoVelkor->EdPass->text(), QStringLiteral("****"));
        QCOMPARE(FoVelkor->TypedCode(), std::string("KELD"));
        QTest::keyClicks(FoVelkor->EdPass, QStringLiteral("orvin"));
        QVERIFY(!FoVelkor->EdPass->isVisible());
        QCOMPARE(FoVelkor->EdPass->text(), QStringLiteral("OK"));
        QVERIFY(!FoVelkor->Cbox1->isHidden());
        QVERIFY(!FoVelkor->BButility->isHidden());
        for (QWidget* w : FoMainArc->AdminControls())
            QVERIFY(!w->isHidden());
        for (QWidget* w : FoAggRep->AdminControls())
            QVERIFY(!w->isHidden());
        // The code that reveals the editors also reaches the multiple
        // symptoms, the composite therapies and the debilities, with a click
        // of the user's on the knowledge-base page.
        QVERIFY(!FoVelkor->BBriceCompo->isHidden());
        QVERIFY(!FoVelkor->BitBtn10->isHidden());
        QVERIFY(FoVelkor->BitBtn6->isEnabled());
        FoVelkor->PageControl1->setCurrentIndex(1);
        const std::pair<QPushButton*, const char*> reached[] = {{FoVelkor->BBriceCompo, "SINTOMI MULTIPLI"},
                                                                {FoVelkor->BitBtn10, "TERAPIE COMPOSITE"},
                                                                {FoVelkor->BitBtn6, "Debilit\xE0 Astrologiche / T"}};
        for (const auto& [button, caption] : reached) {
            QVERIFY(button->isVisible());
            ModalCloser closer;
            QTest::mouseClick(button, Qt::LeftButton);
            QCOMPARE(ToQ(closer.title), ToQ(caption));
        }
        QVERIFY(FoVelkor->SBpass->toolTip().contains(QStringLiteral("Sintomi Multipli")));

        // A click on the code box hides it, clears the code and the editors.
        FoVelkor->SBpass->click();
        QTest::mouseClick(FoVelkor->EdPass, Qt::LeftButton);
        QVERIFY(!FoVelkor->EdPass->isVisible());
        QCOMPARE(FoVelkor->TypedCode(), std::string());
        QVERIFY(FoMainArc->BBRico->isHidden());
        QVERIFY(hiddenAdminButtons());

        FoVelkor->SBpass->click();
        QTest::keyClicks(FoVelkor->EdPass, QStringLiteral("PRAVELTOM"));
        QVERIFY(!FoVelkor->Btovr1->isHidden());
        QVERIFY(!FoVelkor->Btovr2->isHidden());
        QVERIFY(PlantPanelMode);

        // The run-dates list hides on a double click.
        QTest::mouseDClick(FoVelkor->Cbox1, Qt::LeftButton);
        QVERIFY(FoVelkor->Cbox1->isHidden());
    }

    void lockToggleColoursTheSelectors()
    {
        Start();
        FoVelkor->BBlk->click();
        QVERIFY(FoVelkor->ComboOrb->isEnabled());
        QVERIFY(FoVelkor->ComboNodo->isEnabled());
        QCOMPARE(EditColour(FoVelkor->ComboOrb->lineEdit()), kColourAqua);
        FoVelkor->BBlk->click();
        QVERIFY(!FoVelkor->ComboOrb->isEnabled());
        QCOMPARE(EditColour(FoVelkor->ComboOrb->lineEdit()), kColourGrey);
    }

    void nodeSelectorRewritesLine18AtIdle()
    {
        Start();
        FoVelkor->BBlk->click();
        QTest::mouseDClick(FoVelkor->ComboNodo->lineEdit(), Qt::LeftButton);
        QCOMPARE(NodeKind, std::string("VERO"));
        QTRY_COMPARE(SplitTextLines(File("FileSet/OrbiDomi.stt")).at(17), std::string("VERO"));
        QTest::mouseDClick(FoVelkor->ComboNodo->lineEdit(), Qt::LeftButton);
        QTRY_COMPARE(SplitTextLines(File("FileSet/OrbiDomi.stt")).at(17), std::string("MEDIO"));

        // Any other text typed falls back to the mean node.
        FoVelkor->ComboNodo->lineEdit()->selectAll();
        QTest::keyClicks(FoVelkor->ComboNodo->lineEdit(), QStringLiteral("X"));
        QTRY_COMPARE(FromQ(FoVelkor->ComboNodo->currentText()), std::string("MEDIO"));
        QCOMPARE(NodeKind, std::string("MEDIO"));
        QCOMPARE(SplitTextLines(File("FileSet/OrbiDomi.stt")).size(), std::size_t(20));
    }

    void orbSelectorAdoptsTheSetAtIdle()
    {
        Start();
        FoVelkor->BBlk->click();
        FoVelkor->ComboOrb->setCurrentIndex(2);
        emit FoVelkor->ComboOrb->activated(2);
        QTRY_COMPARE(SplitTextLines(File("FileSet/OrbiDomi.stt")).at(18), std::string("C"));
        QCOMPARE(OrbSetLetter, std::string("C"));
        const auto orbi = SplitTextLines(File("FileSet/OrbiDomi.stt"));
        QCOMPARE(orbi.at(0), std::string(" 5.00000000000000E+0000"));
        QCOMPARE(orbi.at(18), std::string("C"));
        QCOMPARE(SplitTextLines(File("FileDum/MMVarOrb.dum")).at(34), std::string("C"));
        QCOMPARE(FromQ(FoVelkor->ComboOrb->currentText()), std::string("C (personali)"));

        // After the next activation the selector still shows the set in force.
        FoVelkor->FormActivate();
        QCOMPARE(FromQ(FoVelkor->ComboOrb->currentText()), std::string("C (personali)"));
    }

    void unknownOrbTextFallsBackToSetA()
    {
        Start([](TempFolder& d) { std::filesystem::remove(d.Path() / "FileDum/MMVarOrb.dum"); });
        script_->Clear();
        FoVelkor->BBlk->click();
        FoVelkor->ComboOrb->lineEdit()->selectAll();
        QTest::keyClicks(FoVelkor->ComboOrb->lineEdit(), QStringLiteral("Z"));
        QTRY_COMPARE(FromQ(FoVelkor->ComboOrb->currentText()), std::string("A (normali)"));
        QCOMPARE(OrbSetLetter, std::string("A"));
        QCOMPARE(script_->Texts().at(0), std::string("Manca File \"MMVarOrb.dum\""));
        QCOMPARE(script_->Messages().at(0).kind, Dialogs::Kind::Error);
        QCOMPARE(SplitTextLines(File("FileSet/OrbiDomi.stt")).at(0), std::string("10"));
    }

    void annotationsShowAndHideOnClick()
    {
        Start();
        QTest::mouseClick(FoVelkor->MemoDati->viewport(), Qt::LeftButton);
        QVERIFY(FoVelkor->MemoAnnotaz->isVisible());
        QCOMPARE(FromQ(FoVelkor->MemoAnnotaz->toPlainText()),
                 std::string("Soggetto di esempio fornito con il programma. I dati sono inventati."));
        QTest::mouseClick(FoVelkor->MemoAnnotaz->viewport(), Qt::LeftButton);
        QVERIFY(!FoVelkor->MemoAnnotaz->isVisible());
    }

    void subjectTextOpensWhenItExists()
    {
        Start([](TempFolder& d) { d.Put("FileDum/StrText.dum", "BASE\r\n00003\r\n"); });
        QVERIFY2(FoVelkor->BBApriTesto->isHidden(), "no text file yet");
        dir_->Put("BASEtxt/00003.txt", "Ferraris Giulia\r\n");
        FoVelkor->FormActivate();
        QVERIFY(!FoVelkor->BBApriTesto->isHidden());
        FoVelkor->BBApriTesto->click();
        QCOMPARE(File("FileDum/DatModif.dum"), std::string("BASEtxt/00003.txt\r\n"));
        QCOMPARE(g_opened.size(), std::size_t(1));
        QVERIFY(QString::fromStdString(g_opened[0]).endsWith(QStringLiteral("BASEtxt/00003.txt")));
    }

    void dispensaOpensThroughTheDesktopOrIsReported()
    {
        Start();
        script_->Clear();
        FoVelkor->BBdispensa->click();
        QCOMPARE(script_->Texts().at(0), std::string("Impossibile aprire il documento \"Dispensa.pdf\""));
        dir_->Put("Dispensa.pdf", "%PDF-1.4\n");
        FoVelkor->BBdispensa->click();
        QCOMPARE(g_opened.size(), std::size_t(1));
    }

    void closeImageEndsTheProgram()
    {
        Start();
        QTest::mousePress(FoVelkor->Image9, Qt::LeftButton);
        QVERIFY(FoVelkor->isVisible());
        QTest::mouseRelease(FoVelkor->Image9, Qt::LeftButton);
        QVERIFY(!FoVelkor->isVisible());
    }

    void formsOpenOverTheMainWindow()
    {
        Start();
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        FoVelkor->move(screen.left() + 30, screen.top() + 150);
        const QRect main = FoVelkor->frameGeometry();
        for (QPushButton* button : {FoVelkor->BitBtnDati, FoVelkor->BitBtnVarOrbAsp, FoVelkor->BitBtnNomeCognome, FoVelkor->BBSalva}) {
            QRect at;
            ModalCloser closer([&](QDialog* d) { at = d->frameGeometry(); });
            button->click();
            const std::string name = FromQ(button->text());
            QVERIFY2((at.center() - main.center()).manhattanLength() <= 2, name.c_str());
            QVERIFY2(screen.contains(at.topLeft()) && screen.contains(at.bottomRight()), name.c_str());
        }
    }

    void editChecksColourAndClear()
    {
        QLineEdit edit;
        bool ok = true;
        edit.setText(QStringLiteral(" 12 "));
        CheckIntEdit(&edit, 0, 59, false, ok);
        QVERIFY(ok);
        QCOMPARE(edit.text(), QStringLiteral("12"));
        QCOMPARE(EditColour(&edit), kColourAqua);

        edit.setText(QStringLiteral("-"));
        CheckIntEdit(&edit, -12, 12, true, ok);
        QVERIFY(ok);
        QCOMPARE(edit.text(), QStringLiteral("-"));

        for (const char* bad : {"60", "1a", "-", ""}) {
            ok = true;
            edit.setText(QString::fromLatin1(bad));
            CheckIntEdit(&edit, 0, 59, false, ok);
            QVERIFY2(!ok, bad);
            QVERIFY(edit.text().isEmpty());
            QCOMPARE(EditColour(&edit), kColourRed);
        }

        bool err = false;
        edit.setText(QStringLiteral("1.5"));
        const std::optional<long double> value = ParseRealEdit(&edit, err);
        QVERIFY(!err);
        QCOMPARE(value.value_or(0), 1.5L);
        QCOMPARE(edit.text(), QStringLiteral("1,5"));
        CheckRealRange(&edit, 15, 0, err);
        QVERIFY(!err);
        edit.setText(QStringLiteral("15,1"));
        CheckRealRange(&edit, 15, 0, err);
        QVERIFY(err);
        QVERIFY(edit.text().isEmpty());
        edit.setText(QStringLiteral("x"));
        err = false;
        ParseRealEdit(&edit, err);
        QVERIFY(err);
    }

private:
    static QSize PrimaryScreenRectSize()
    {
        const ScreenRect s = PrimaryScreen();
        return {s.width, s.height};
    }
};

int main(int argc, char** argv)
{
    QuillonApplication app(argc, argv);
    MainWindowTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "MainWindowTest.moc"
