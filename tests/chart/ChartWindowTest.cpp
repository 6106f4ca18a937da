// The chart window driven offscreen for the sample subject of the built
// program folder: the first drawing, every page button with its title, the
// clicks on the stored symbol centres, the panels, and the close with OK;
// and the main window's button that opens it.
#include "archive/CurrentSubject.h"
#include "chart/UgrVelko.h"
#include "chart/Wheel.h"
#include "main/Forms.h"
#include "main/Startup.h"
#include "main/UnVelKor.h"
#include "platform/Application.h"
#include "platform/Cp1252Q.h"
#include "platform/Dialogs.h"
#include "platform/RecordingCanvas.h"
#include "shell/OrbSettings.h"
#include "shell/SharedState.h"
#include "support/TempFolder.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QtTest>
#include <memory>

namespace {

bool HasText(const RecordingCanvas& canvas, const std::string& text)
{
    for (const auto& c : canvas.CallsOf(RecordingCanvas::Op::TextOut))
        if (c.text == text)
            return true;
    return false;
}

} // namespace

class ChartWindowTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TempFolder> dir_;
    std::unique_ptr<Dialogs::Script> script_;
    std::unique_ptr<TFgrVelko> form_;
    RecordingCanvas canvas_;

    void Open()
    {
        form_ = std::make_unique<TFgrVelko>();
        form_->SetCanvasOverride(&canvas_);
        form_->resize(1280, 800);
        for (QPushButton* b : {form_->BBEnergi, form_->BBantisce, form_->BBdodecate, form_->BBmarbeck, form_->BBmaestri})
            b->setEnabled(true);
        form_->show();
        QTRY_VERIFY(form_->Centres().drawn);
    }

    void Click(PagePoint p) { QTest::mouseClick(form_.get(), Qt::LeftButton, {}, form_->PixelOf(p)); }

private slots:
    void init()
    {
        dir_ = std::make_unique<TempFolder>();
        dir_->CopyTemplate();
        script_ = std::make_unique<Dialogs::Script>();
        ApplyStartupDefaults({1280, 800, false, 0});
        script_->Clear(); // the start-up's printer warning
        ReadOrbSettings();
        LoadCurrentSubjectData();
        canvas_.Clear();
    }

    void cleanup()
    {
        form_.reset();
        QVERIFY2(script_->Messages().empty(), script_->Messages().empty() ? "" : script_->Texts().front().c_str());
        script_.reset();
        dir_.reset();
    }

    void firstDrawingShowsTheWheelAndTheData()
    {
        Open();
        // The wheel with its furniture: the badge's caption, and the name and
        // the birth date below the rings.
        QVERIFY(HasText(canvas_, "Drevith 3"));
        QVERIFY(HasText(canvas_, Wheel::BirthDateText()));
        QVERIFY(HasText(canvas_, CurrentSubject.Name));
        QCOMPARE(FromQ(form_->EdNome->text()), CurrentSubject.Name);
        QVERIFY(!form_->EdJd->text().isEmpty());
        QVERIFY(!form_->Memo1->toPlainText().isEmpty());
        QVERIFY(dir_->Has("OpzioneT/PosiPian.txt"));
        QVERIFY(dir_->Has("OpzioneT/PosiSegn.txt"));
        QCOMPARE(ChartForm, static_cast<DrawingForm*>(form_.get()));
    }

    void pageButtonsDrawTheirTitles_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("clicks");
        QTest::addColumn<QString>("title");
        QTest::newRow("coordi0") << "BBcoordi" << 1 << ToQ("LONGITUDINI PLANETARIE");
        QTest::newRow("coordi2") << "BBcoordi" << 3 << ToQ("LATITUDINI PLANETARIE");
        QTest::newRow("stoffa0") << "BBstoffa" << 1 << ToQ("STOFFA ELEMENTARE");
        QTest::newRow("stoffa1") << "BBstoffa" << 2 << ToQ("ATTRIBUZIONE UMORALE");
        QTest::newRow("stoffa2") << "BBstoffa" << 3 << ToQ("STOFFA STAGIONALE");
        QTest::newRow("aspetti1") << "BBaspetti" << 2 << ToQ("(Solo aspetti maggiori)");
        QTest::newRow("aspetti2") << "BBaspetti" << 3 << ToQ("ASPETTI PLANETARI");
        QTest::newRow("marbeck") << "BBmarbeck" << 1 << ToQ("POTENZE PLANETARIE");
        QTest::newRow("maestri0") << "BBmaestri" << 1 << ToQ("MAESTRI \"ASC\", \"MC\", \"Ora Planetaria\"");
        QTest::newRow("maestri1") << "BBmaestri" << 2 << ToQ("MAESTRI dell'ANNO e del CICLO");
        QTest::newRow("archetip") << "BBarchetip" << 1 << ToQ("STRUTTURA ARCHETIPALE");
        QTest::newRow("aspetti3") << "BBaspetti" << 4 << ToQ("DISTANZE SFERICHE");
        QTest::newRow("energi2") << "BBEnergi" << 3 << ToQ("Solilunari");
        QTest::newRow("antisce1") << "BBantisce" << 2 << ToQ("Contrantisce");
        QTest::newRow("dodecate") << "BBdodecate" << 1 << ToQ("(Sul cerchio interno)");
    }

    void pageButtonsDrawTheirTitles()
    {
        QFETCH(QString, button);
        QFETCH(int, clicks);
        QFETCH(QString, title);
        Open();
        auto* b = form_->findChild<QPushButton*>(button);
        QVERIFY(b);
        for (int i = 0; i < clicks; ++i) {
            canvas_.Clear();
            b->click();
        }
        QVERIFY2(HasText(canvas_, FromQ(title)), qPrintable(title));
    }

    void aspectListsGoToThePanel()
    {
        Open();
        form_->BBaspetti->click();
        QVERIFY(!form_->Panel3->isHidden());
        QVERIFY(form_->MemoAspetti->toPlainText().contains(ToQ("pi\xF9 \xE8 piccolo il numero che lo precede")));
        form_->BBFont->click();
        QCOMPARE(form_->BBFont->text(), QStringLiteral("Font -"));
        form_->BBchiudiAsp->click();
        QVERIFY(form_->Panel3->isHidden());
    }

    void clicksOnTheMoonShowAttributionsThenPlants()
    {
        Open();
        const PagePoint moon = form_->Centres().bodies[1];
        Click(moon);
        QCOMPARE(form_->SelectedPlanet(), 2);
        QVERIFY(!form_->PanelBase->isHidden());
        QCOMPARE(FromQ(form_->LabSpecific->text()), std::string("ATTRIBUZIONI SPECIFICHE al PIANETA"));
        QVERIFY(form_->MemoL1->toPlainText().startsWith(QStringLiteral("LUNA ")));
        QVERIFY(form_->MemoL1->document()->blockCount() > 3);
        QVERIFY(!form_->MemoL2->toPlainText().isEmpty());
        QCOMPARE(FromQ(form_->LbExtraPia->text()), std::string("Luna"));
        Click(moon);
        QVERIFY(!form_->PanelTovr->isHidden());
        Click(moon);
        QVERIFY(form_->PanelTovr->isHidden());
    }

    void anglesStopAfterTheirAttributions()
    {
        Open();
        const PagePoint asc = form_->Centres().bodies[9];
        Click(asc);
        QCOMPARE(form_->SelectedPlanet(), 10);
        QVERIFY(form_->MemoL1->toPlainText().startsWith(QStringLiteral("ASCENDENTE ")));
        const QString section = form_->Memo1->toPlainText();
        // No plants and no antiscia for the angles: later clicks only
        // select the Ascendant again.
        for (int i = 0; i < 3; ++i) {
            Click(asc);
            QCOMPARE(form_->SelectedPlanet(), 10);
            QVERIFY(form_->PanelTovr->isHidden());
            QCOMPARE(form_->Memo1->toPlainText(), section);
        }
        // A page button starts the cycles again.
        form_->BBcoordi->click();
        QVERIFY(form_->PanelBase->isHidden());
        QVERIFY(form_->MemoL1->toPlainText().isEmpty());
    }

    void plantWorkOpensThePlantsWithTheWindow()
    {
        PlantPanelMode = true;
        Open();
        PlantPanelMode = false;
        QVERIFY(!form_->PanelTovr->isHidden());
        QVERIFY(form_->ListBoxPiante->count() > 0);
    }

    void pageButtonClosesTheSignatureLists()
    {
        Open();
        form_->BBextraOk->click();
        QVERIFY(!form_->PanelSegnaPato->isHidden());
        form_->BBstoffa->click();
        QVERIFY(form_->PanelSegnaPato->isHidden());
    }

    void clickOnASignAndNowhere()
    {
        Open();
        Click(form_->Centres().signs[4]);
        QCOMPARE(form_->SelectedSign(), 5);
        QCOMPARE(FromQ(form_->LabGeneral->text()), std::string("ATTRIBUZIONI GENERALI al SEGNO"));
        QCOMPARE(FromQ(form_->LbExtraSeg->text()), std::string("Leone"));
        QTest::mouseClick(form_.get(), Qt::LeftButton, {}, QPoint(2, 2));
        QCOMPARE(form_->SelectedSign(), 0);
    }

    void tablePagePlanetOpensItsPlants()
    {
        Open();
        form_->BBcoordi->click();
        QCOMPARE(form_->LastPage().planetCount, 7);
        Click(form_->LastPage().planets[0]);
        QCOMPARE(form_->SelectedPlanet(), 1);
        QVERIFY(!form_->PanelTovr->isHidden());
        form_->BBsuGiu->click();
        QCOMPARE(FromQ(form_->BBsuGiu->text()), std::string("Riduci"));
        form_->BBsuGiu->click();
        QCOMPARE(FromQ(form_->BBsuGiu->text()), std::string("Espandi"));
    }

    void signatureSearchOnTheStarterKnowledgeBase()
    {
        Open();
        form_->BBextraOk->click();
        QVERIFY(!form_->PanelSegnaPato->isHidden());
        QVERIFY(form_->ListExtra1->count() >= 1);
        QVERIFY(form_->ListExtra1->item(0)->text().startsWith(QStringLiteral("RIMEDI con Segnatura ")));
        form_->BBextraOk->click();
        QVERIFY(form_->ListExtra2->item(0)->text().startsWith(QStringLiteral("PATOLOGIE con Segnatura ")));
    }

    void powersPageIgnoresClicks()
    {
        Open();
        form_->BBmarbeck->click();
        Click(form_->Centres().bodies[0]);
        QCOMPARE(form_->SelectedPlanet(), 0);
        QVERIFY(dir_->Has("FileDum/Dati3.dum"));
    }

    void fontToggle()
    {
        Open();
        form_->BBsizeFont->click();
        QVERIFY(form_->LargeFont());
        QCOMPARE(form_->EdNome->font().pointSize(), 12);
        QCOMPARE(form_->BBcoordi->font().pointSize(), 10);
        QCOMPARE(form_->BBsizeFont->property("glyph").toString(), QStringLiteral("RiduciFont"));
        form_->BBsizeFont->click();
        QCOMPARE(form_->EdNome->font().pointSize(), 10);
    }

    void ritornaClosesWithOk()
    {
        form_ = std::make_unique<TFgrVelko>();
        form_->SetCanvasOverride(&canvas_);
        QTimer::singleShot(50, form_.get(), [this] {
            QTRY_VERIFY(form_->Centres().drawn);
            form_->BBprivato->click();
        });
        QCOMPARE(form_->exec(), int(QDialog::Accepted));
        QCOMPARE(ChartForm, static_cast<DrawingForm*>(nullptr));
        QCOMPARE(ZoomFactor, 1.0L);
    }

    void mainWindowOpensTheChartWindow()
    {
        CreateForms();
        FoVelkor->show();
        QTRY_VERIFY(FoVelkor->ActivationCount() >= 1);
        // The further pages start disabled; the main window enables them
        // when it opens the window.
        QVERIFY(!FgrVelko->BBEnergi->isEnabled());
        QVERIFY(!FgrVelko->BBmaestri->isEnabled());
        bool drawn = false, wasChartWindow = false, pagesEnabled = false;
        QTimer::singleShot(50, FoVelkor, [&] {
            auto* dialog = qobject_cast<TFgrVelko*>(QApplication::activeModalWidget());
            wasChartWindow = dialog == FgrVelko;
            if (!dialog)
                return;
            QTRY_VERIFY(dialog->Centres().drawn);
            drawn = true;
            pagesEnabled = true;
            for (QPushButton* b :
                 {dialog->BBEnergi, dialog->BBantisce, dialog->BBdodecate, dialog->BBmarbeck, dialog->BBmaestri})
                pagesEnabled = pagesEnabled && b->isEnabled();
            dialog->BBprivato->click();
        });
        FoVelkor->BBProped->click();
        QVERIFY(wasChartWindow);
        QVERIFY(drawn);
        QVERIFY(pagesEnabled);
        DestroyForms();
    }
};

int main(int argc, char** argv)
{
    QuillonApplication app(argc, argv);
    ChartWindowTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "ChartWindowTest.moc"
