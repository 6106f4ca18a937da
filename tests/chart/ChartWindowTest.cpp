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

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QTimer>
#include <QtTest>
#include <algorithm>
#include <climits>
#include <cmath>
#include <memory>

namespace {

using Op = RecordingCanvas::Op;

bool HasText(const RecordingCanvas& canvas, const std::string& text)
{
    for (const auto& c : canvas.CallsOf(Op::TextOut))
        if (c.text == text)
            return true;
    return false;
}

// Contrast ratio of two colours (1 for equal colours, 21 for black on
// white), from their relative luminance.
double Contrast(CanvasColor a, CanvasColor b)
{
    auto luminance = [](CanvasColor c) {
        auto channel = [](int v) {
            const double s = v / 255.0;
            return s <= 0.03928 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * channel(RedOf(c)) + 0.7152 * channel(GreenOf(c)) + 0.0722 * channel(BlueOf(c));
    };
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QString Hex(CanvasColor c) { return QStringLiteral("#%1").arg(c, 6, 16, QLatin1Char('0')); }

// Follows a recorded drawing and finds the texts that cannot be read on
// what lies under them: the fills drawn before them (the last one on top)
// over the ground of the surface, or the text's own cell when it is drawn
// opaque. Every character is tested at the centre of its cell, the cell
// of the recording canvas's metrics.
class TextOnFill {
public:
    explicit TextOnFill(CanvasColor ground) : ground_(ground) {}

    // The calls of `canvas` from `from` to `to`; faults are named after `where`.
    void Read(const RecordingCanvas& canvas, std::size_t from, std::size_t to, const QString& where)
    {
        const auto& calls = canvas.Calls();
        for (std::size_t i = from; i < to && i < calls.size(); ++i) {
            const RecordingCanvas::Call& c = calls[i];
            if (c.op == Op::Rectangle || c.op == Op::Ellipse || c.op == Op::Polygon)
                AddFill(c);
            else if (c.op == Op::TextOut)
                CheckText(c, where);
        }
    }

    const QStringList& Faults() const { return faults_; }

private:
    struct Fill {
        Op shape;
        CanvasRect box;
        std::vector<CanvasPoint> points;
        PolyFillMode mode;
        CanvasColor color;
    };

    static CanvasRect Bounds(const std::vector<CanvasPoint>& points)
    {
        CanvasRect r {INT_MAX, INT_MAX, INT_MIN, INT_MIN};
        for (const CanvasPoint& p : points)
            r = {std::min(r.left, p.x), std::min(r.top, p.y), std::max(r.right, p.x + 1), std::max(r.bottom, p.y + 1)};
        return r;
    }

    void AddFill(const RecordingCanvas::Call& c)
    {
        if (c.brush.style != BrushStyle::Solid)
            return;
        Fill f {c.op, c.op == Op::Polygon ? Bounds(c.points) : c.box, c.points, c.fillMode, c.brush.color};
        // A rectangle hides whatever lies wholly inside it.
        if (f.shape == Op::Rectangle)
            std::erase_if(fills_, [&](const Fill& old) {
                return old.box.left >= f.box.left && old.box.right <= f.box.right && old.box.top >= f.box.top &&
                       old.box.bottom <= f.box.bottom;
            });
        fills_.push_back(std::move(f));
    }

    static bool Inside(const Fill& f, double x, double y)
    {
        if (x < f.box.left || x >= f.box.right || y < f.box.top || y >= f.box.bottom)
            return false;
        if (f.shape == Op::Rectangle)
            return true;
        if (f.shape == Op::Ellipse) {
            const double rx = (f.box.right - f.box.left) / 2.0, ry = (f.box.bottom - f.box.top) / 2.0;
            const double dx = (x - f.box.left - rx) / rx, dy = (y - f.box.top - ry) / ry;
            return dx * dx + dy * dy <= 1;
        }
        int winding = 0, crossings = 0;
        const std::size_t n = f.points.size();
        for (std::size_t i = 0; i < n; ++i) {
            const CanvasPoint a = f.points[i], b = f.points[(i + 1) % n];
            if ((a.y <= y) != (b.y <= y)) {
                const double xs = a.x + (y - a.y) * (b.x - a.x) / double(b.y - a.y);
                if (xs > x) {
                    ++crossings;
                    winding += b.y > a.y ? 1 : -1;
                }
            }
        }
        return f.mode == PolyFillMode::Winding ? winding != 0 : crossings % 2 == 1;
    }

    CanvasColor Under(double x, double y) const
    {
        for (auto it = fills_.rbegin(); it != fills_.rend(); ++it)
            if (Inside(*it, x, y))
                return it->color;
        return ground_;
    }

    void CheckText(const RecordingCanvas::Call& c, const QString& where)
    {
        const int h = std::abs(c.font.height);
        const double w = h / 2.0;
        const double width = w * double(c.text.size());
        double left = c.points[0].x;
        if ((c.align & TextAlign::HorizontalMask) == TextAlign::Center)
            left -= width / 2;
        else if ((c.align & TextAlign::HorizontalMask) == TextAlign::Right)
            left -= width;
        double top = c.points[0].y;
        if ((c.align & TextAlign::VerticalMask) == TextAlign::Bottom)
            top -= h;
        else if ((c.align & TextAlign::VerticalMask) == TextAlign::Baseline)
            top -= h * 0.8;
        for (std::size_t i = 0; i < c.text.size(); ++i) {
            if (c.text[i] == ' ')
                continue;
            const double x = left + (double(i) + 0.5) * w, y = top + h / 2.0;
            const CanvasColor under = c.backgroundMode == BackgroundMode::Opaque ? c.backgroundColor : Under(x, y);
            if (Contrast(c.textColor, under) < 1.5) {
                faults_ << QStringLiteral("%1: \"%2\" %3 on %4")
                               .arg(where, ToQ(c.text), Hex(c.textColor), Hex(under));
                return;
            }
        }
    }

    CanvasColor ground_;
    std::vector<Fill> fills_;
    QStringList faults_;
};

// A second screen surface standing for the print preview.
class PreviewForm : public DrawingForm {
public:
    Canvas& FormCanvas() override { return canvas_; }
    bool FormVisible() const override { return false; }

private:
    RecordingCanvas canvas_;
};

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

    // The window drawing on its own image, as the user sees it.
    void OpenOnScreen()
    {
        form_ = std::make_unique<TFgrVelko>();
        form_->resize(1280, 800);
        form_->show();
        QTRY_VERIFY(form_->Centres().drawn);
    }

    // What the left area shows now.
    QImage DrawingArea()
    {
        const QPoint corner = form_->PixelOf({195, 195});
        return form_->grab(QRect(QPoint(0, 0), corner)).toImage().convertToFormat(QImage::Format_RGB32);
    }

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

    // Every page of every page button, and the overlays of the symbol
    // clicks, drawn on each target: no text in a colour that cannot be told
    // from what lies under it.
    void textsReadableOnEveryTarget_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<bool>("blackWhite");
        QTest::addColumn<bool>("preview");
        for (const char* target : {"screen", "printer", "metafile"}) {
            QTest::newRow(target) << QString::fromLatin1(target) << false << false;
            QTest::newRow(qPrintable(QStringLiteral("%1 black-white").arg(QLatin1String(target))))
                << QString::fromLatin1(target) << true << false;
            QTest::newRow(qPrintable(QStringLiteral("%1 black-white with preview").arg(QLatin1String(target))))
                << QString::fromLatin1(target) << true << true;
        }
    }

    void textsReadableOnEveryTarget()
    {
        QFETCH(QString, target);
        QFETCH(bool, blackWhite);
        QFETCH(bool, preview);
        RecordingCanvas paper;
        PreviewForm previewForm;
        const bool screen = target == QLatin1String("screen");
        ToPrinter = target == QLatin1String("printer");
        ToMetafile = target == QLatin1String("metafile");
        PrinterCanvas = ToPrinter ? &paper : nullptr;
        MetafileCanvas = ToMetafile ? &paper : nullptr;
        BlackWhite = blackWhite;
        AuxForm = preview ? &previewForm : nullptr;
        RecordingCanvas& drawn = screen ? canvas_ : paper;

        std::vector<std::pair<std::size_t, QString>> marks {{0, QStringLiteral("wheel")}};
        auto mark = [&](const QString& what) { marks.emplace_back(drawn.Calls().size(), what); };
        auto clickSymbols = [&](const QString& page) {
            for (int i = 1; i <= 4; ++i) {
                mark(QStringLiteral("%1, Sun click %2").arg(page).arg(i));
                Click(form_->Centres().bodies[0]);
            }
            for (int i = 1; i <= 4; ++i) {
                mark(QStringLiteral("%1, Leo click %2").arg(page).arg(i));
                Click(form_->Centres().signs[4]);
            }
        };
        Open();
        clickSymbols(QStringLiteral("wheel"));
        using Wheel::Page;
        const std::pair<QPushButton*, Page> buttons[] = {
            {form_->BBcoordi, Page::Coordi},     {form_->BBstoffa, Page::Stoffa},   {form_->BBarchetip, Page::Archetip},
            {form_->BBaspetti, Page::Aspetti},   {form_->BBEnergi, Page::Energi},   {form_->BBantisce, Page::Antisce},
            {form_->BBdodecate, Page::Dodecate}, {form_->BBmarbeck, Page::Marbeck}, {form_->BBmaestri, Page::Maestri}};
        for (const auto& [button, page] : buttons)
            for (int sub = 0; sub < Wheel::SubPageCount(page); ++sub) {
                const QString name = QStringLiteral("%1 %2").arg(button->objectName()).arg(sub);
                mark(name);
                button->click();
                if (form_->Centres().drawn && sub == 0)
                    clickSymbols(name);
            }
        mark({});

        ToPrinter = ToMetafile = BlackWhite = false;
        PrinterCanvas = MetafileCanvas = nullptr;
        AuxForm = nullptr;
        QVERIFY(drawn.CallsOf(Op::TextOut).size() > 500);
        TextOnFill reader(screen ? CanvasRgb(0, 0, 0) : CanvasRgb(255, 255, 255));
        for (std::size_t i = 0; i + 1 < marks.size(); ++i)
            reader.Read(drawn, marks[i].first, marks[i + 1].first, marks[i].second);
        QVERIFY2(reader.Faults().isEmpty(), qPrintable(reader.Faults().mid(0, 12).join(QLatin1Char('\n'))));
    }

    // The antiscia of a body are drawn over the wheel; the next selection
    // starts from the wheel drawn again, as it would show for that
    // selection alone.
    void newSelectionRedrawsWhatThePreviousOneDrew_data()
    {
        QTest::addColumn<QString>("page");
        QTest::newRow("wheel") << QString();
        QTest::newRow("antiscia page") << QStringLiteral("BBantisce");
        QTest::newRow("archetypal page") << QStringLiteral("BBarchetip");
    }

    void newSelectionRedrawsWhatThePreviousOneDrew()
    {
        QFETCH(QString, page);
        auto showPage = [&] {
            if (!page.isEmpty())
                form_->findChild<QPushButton*>(page)->click();
        };
        auto alone = [&](bool sign) {
            OpenOnScreen();
            showPage();
            Click(sign ? form_->Centres().signs[4] : form_->Centres().bodies[0]);
            return DrawingArea();
        };
        const QImage leoAlone = alone(true), sunAlone = alone(false);
        const PagePoint sun = form_->Centres().bodies[0], leo = form_->Centres().signs[4];

        OpenOnScreen();
        showPage();
        const QImage before = DrawingArea();
        for (int i = 0; i < 4; ++i)
            Click(sun);
        QVERIFY(DrawingArea() != before); // the Sun's antiscia
        Click(leo);
        QCOMPARE(form_->SelectedSign(), 5);
        QVERIFY(DrawingArea() == leoAlone);
        // Leo's own antiscia, then the Sun: its attributions on a clean wheel.
        for (int i = 0; i < 3; ++i)
            Click(leo);
        QVERIFY(DrawingArea() != leoAlone);
        Click(sun);
        QCOMPARE(form_->SelectedPlanet(), 1);
        QCOMPARE(FromQ(form_->LabSpecific->text()), std::string("ATTRIBUZIONI SPECIFICHE al PIANETA"));
        QVERIFY(DrawingArea() == sunAlone);
    }

    // The second click shows the plants below the information memo, which
    // keeps its whole text in view; expanded, the plants reach up over the
    // page buttons, and reduced again they leave the memo whole.
    void plantsLeaveTheInformationWhole_data()
    {
        QTest::addColumn<bool>("sign");
        QTest::newRow("planet") << false;
        QTest::newRow("sign") << true;
    }

    void plantsLeaveTheInformationWhole()
    {
        QFETCH(bool, sign);
        Open();
        const PagePoint at = sign ? form_->Centres().signs[4] : form_->Centres().bodies[0];
        Click(at);
        Click(at);
        QVERIFY(form_->PanelTovr->isVisible());
        QVERIFY(form_->Memo1->toPlainText().startsWith(QStringLiteral("PIANTE ASSOCIATE")));
        auto whole = [this] {
            QCoreApplication::processEvents();
            return !form_->PanelTovr->geometry().intersects(form_->PanelInfo->geometry()) &&
                   form_->Memo1->verticalScrollBar()->maximum() == 0;
        };
        QVERIFY(whole());
        QVERIFY(!form_->PanelTovr->geometry().intersects(form_->PanelExtra->geometry()));
        QVERIFY(form_->geometry().contains(form_->PanelTovr->geometry().translated(form_->pos())));
        const int reduced = form_->Memo3->height();
        form_->BBsuGiu->click();
        QVERIFY(form_->Memo3->height() > reduced);
        QVERIFY(form_->PanelTovr->geometry().intersects(form_->PanelPulsanti->geometry()));
        form_->BBsuGiu->click();
        QCOMPARE(form_->Memo3->height(), reduced);
        QVERIFY(whole());
    }

    // A plant picked in the list, typed in the combo or stepped to with the
    // spin button shows in all three, with its record.
    void plantPickedAnywhereShowsEverywhere()
    {
        Open();
        const PagePoint sun = form_->Centres().bodies[0];
        Click(sun);
        Click(sun);
        QListWidget* list = form_->ListBoxPiante;
        QComboBox* combo = form_->ComboBoxPiante;
        QVERIFY(list->count() >= 3);
        QCOMPARE(combo->currentText(), list->item(0)->text());

        QListWidgetItem* second = list->item(1);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(second).center());
        QCOMPARE(list->currentItem(), second);
        QCOMPARE(combo->currentText(), second->text());
        QCOMPARE(form_->SpinButton1->value(), 1);
        QVERIFY(form_->Memo4->toPlainText().contains(second->text()));

        const QString third = list->item(2)->text();
        combo->lineEdit()->clear();
        QTest::keyClicks(combo->lineEdit(), third.toLower());
        QTest::keyClick(combo->lineEdit(), Qt::Key_Return);
        QCOMPARE(list->currentRow(), 2);
        QCOMPARE(form_->SpinButton1->value(), 2);
        QVERIFY(form_->Memo4->toPlainText().contains(third));
        QCOMPARE(combo->count(), list->count()); // a typed name adds nothing

        form_->SpinButton1->setValue(0);
        QCOMPARE(list->currentRow(), 0);
        QCOMPARE(combo->currentText(), list->item(0)->text());
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
