#pragma once
// "Modello Propedeutico Interattivo": the chart window. The left side shows
// the wheel of the current subject or one of the analysis pages; the right
// column holds the subject's data, the page buttons, the information memo,
// and the panels of the attributions, aspect lists, plants and signature
// searches. A click on the red dot of a planet or a sign selects it and
// shows, click after click, its attributions, its plants and its antiscia.
//
// Everything is drawn with the primitives of UnCanvaVlk on the form's
// canvas: an offscreen image the paint event shows, at the screen's pixel
// ratio, so that the primitives can draw at any moment.
#include "astro/PlanetaryHour.h"
#include "chart/AnalysisPages.h"
#include "chart/Wheel.h"
#include "platform/QtCanvas.h"
#include "shell/SharedState.h"

#include <QDialog>
#include <QImage>
#include <QPainter>
#include <array>
#include <memory>
#include <string>
#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;
class QTimer;

// Pixels across a control needs to show `text` whole, with a button's icon,
// frame and margins.
int TextRoom(const QWidget* control, const QString& text);

class TFgrVelko : public QDialog, public DrawingForm {
    Q_OBJECT
public:
    explicit TFgrVelko(QWidget* parent = nullptr);
    ~TFgrVelko() override;

    Canvas& FormCanvas() override;
    bool FormVisible() const override;

    // Tests record the drawing on their own canvas instead of the image.
    void SetCanvasOverride(Canvas* canvas) { canvasOverride_ = canvas; }

    // Bottom button panel, placed by the main window's activation.
    QWidget* Panel1;

    QWidget* PanelDati;
    QLineEdit *EdNome, *EdData, *EdLocal, *EdCoordi, *EdDomif, *EdNodo, *EdJd;
    std::vector<QLabel*> DatiLabels;

    QWidget* PanelPulsanti;
    QPushButton *BBcoordi, *BBstoffa, *BBarchetip, *BBaspetti, *BBEnergi, *BBantisce, *BBdodecate, *BBmarbeck,
        *BBmaestri, *BBprivato, *BBsizeFont;

    QWidget* PanelBase;
    QLabel *LabSpecific, *LabGeneral, *Image2;
    QPlainTextEdit *MemoL1, *MemoL2;

    QWidget* Panel3;
    QPlainTextEdit* MemoAspetti;
    QPushButton *BBchiudiAsp, *BBFont;

    QWidget* PanelInfo;
    QPlainTextEdit* Memo1;

    QWidget* PanelTovr;
    QLabel *LabPianta, *Image1;
    QComboBox* ComboBoxPiante;
    QListWidget* ListBoxPiante;
    QSpinBox* SpinButton1;
    QPlainTextEdit *Memo4, *Memo3;
    QPushButton *BBchiudiTovr, *BBFontTovr, *BBsuGiu;

    QWidget* PanelExtra;
    QPushButton *LbExtraPia, *LbExtraSeg, *BBextraOk;

    QWidget* PanelSegnaPato;
    QListWidget *ListExtra1, *ListExtra2;
    QPlainTextEdit* MemoExtra;
    QPushButton* BBchiudiExtra;

    QTimer* Timer1;

    // Per-window state, readable by tests.
    int SelectedPlanet() const { return selectedPlanet_; }
    int SelectedSign() const { return selectedSign_; }
    const Wheel::Centres& Centres() const { return centres_; }
    const AnalysisPages::PageResult& LastPage() const { return lastPage_; }
    bool LargeFont() const { return largeFont_; }

    // The device pixel of a page point under the window's transform.
    QPoint PixelOf(PagePoint p) const;

    void FormActivate();
    void Timer1Timer();
    void PageButtonClick(Wheel::Page page);
    void ClickAt(int x, int y);
    void BBsizeFontClick();
    void BBFontClick();
    void BBFontTovrClick();
    void BBsuGiuClick();
    void BBextraOkClick();
    void LbExtraPiaClick();
    void LbExtraSegClick();
    void ListBoxPianteClick();
    void ComboBoxPianteClick();
    void FormClose();

    void setVisible(bool visible) override;

protected:
    void showEvent(QShowEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void done(int result) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildControls();
    void CoverScreen();
    void FitToWindow();
    int ColumnMinimumPixels() const;
    long double InfoTextHeight(long double width) const;
    void LayoutFromPageUnits();
    void ResetImage();
    void DrawMainWheel();
    void ShowSection(int n);
    void ShowAttributions(bool body, int number);
    void ShowPlants();
    void HidePlants();
    void DrawAntiscia(long double longitude, const std::string& label);
    void RedrawView();
    void ShowSymbolImages(const std::string& file);
    void RedrawDots();
    void SetPlantFonts();
    void SetDataFonts();

    QImage image_;
    QPainter imagePainter_;
    std::unique_ptr<PainterCanvas> imageCanvas_;
    Canvas* canvasOverride_ = nullptr;

    int selectedPlanet_ = 0, selectedSign_ = 0;
    std::array<int, Wheel::kPageCount> pageCounters_ {};
    std::array<int, Wheel::kBodies> bodyCycles_ {};
    std::array<int, 12> signCycles_ {};
    Wheel::Centres centres_;
    AnalysisPages::PageResult lastPage_;
    bool pageShown_ = false;
    Wheel::Page currentPage_ = Wheel::Page::Coordi;
    int currentSub_ = 0;
    bool overlay_ = false; // a selection has drawn over the wheel (its antiscia)
    std::string planetFilter_ = "Qualsiasi", signFilter_ = "Qualsiasi";
    int signatureClicks_ = 0;
    bool largeFont_ = false, largeAspettiFont_ = false, largePlantFont_ = false, plantsExpanded_ = false;
    bool infoExpanded_ = false;
    bool drawn_ = false; // the first drawing of this opening is made
    long double columnWidth_ = Wheel::kColumnDesignWidth;   // page units
    long double columnBottom_ = Wheel::kColumnDesignBottom; // page units
    PlanetaryHourResult hour_;
};
