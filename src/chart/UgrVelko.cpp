#include "chart/UgrVelko.h"

#include "astro/Chart.h"
#include "astro/Houses.h"
#include "chart/AttributionKeys.h"
#include "chart/Attributions.h"
#include "chart/TraditionalRules.h"
#include "chart/UnCanvaVlk.h"
#include "platform/Application.h"
#include "platform/Cp1252Q.h"
#include "platform/Emf.h"
#include "platform/EventPump.h"
#include "platform/WindowPlacement.h"
#include "shell/SharedState.h"
#include "shell/UnServizi.h"

#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QSpinBox>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTimer>

#include <cmath>
#include <cstdio>

namespace {

// Ticks of the first-draw timer over the life of the program.
int timerTicks = 0;

constexpr CanvasColor kDarkFill = CanvasRgb(1, 0, 0);
constexpr CanvasColor kRedFill = CanvasRgb(255, 0, 0);
constexpr CanvasColor kBlueFill = CanvasRgb(0, 0, 255);

// A small glyph for the font and arrow buttons, named after the bitmap it
// stands for.
QIcon Glyph(const char* name)
{
    QPixmap pm(16, 16);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::black, 1.5));
    const std::string n = name;
    if (n == "AumentaFont" || n == "RiduciFont") {
        QFont f = p.font();
        f.setPixelSize(n == "AumentaFont" ? 13 : 9);
        p.setFont(f);
        p.drawText(QRect(0, 0, 16, 16), Qt::AlignCenter, QStringLiteral("A"));
    } else {
        const bool up = n == "FrecciaSu";
        QPolygonF tri;
        tri << QPointF(3, up ? 11 : 5) << QPointF(13, up ? 11 : 5) << QPointF(8, up ? 4 : 12);
        p.setBrush(Qt::black);
        p.drawPolygon(tri);
    }
    return QIcon(pm);
}

void SetGlyph(QPushButton* b, const char* name)
{
    b->setIcon(Glyph(name));
    b->setProperty("glyph", QString::fromLatin1(name));
}

QPushButton* Button(QWidget* parent, const char* name, const char* caption)
{
    auto* b = new QPushButton(ToQ(caption), parent);
    b->setObjectName(QString::fromLatin1(name));
    return b;
}

QPlainTextEdit* Memo(QWidget* parent, const char* name)
{
    auto* m = new QPlainTextEdit(parent);
    m->setObjectName(QString::fromLatin1(name));
    m->setReadOnly(true);
    m->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    return m;
}

QWidget* Panel(QWidget* parent, const char* name)
{
    auto* w = new QWidget(parent);
    w->setObjectName(QString::fromLatin1(name));
    w->setAutoFillBackground(true);
    return w;
}

void SetLines(QPlainTextEdit* memo, const std::vector<std::string>& lines)
{
    QStringList list;
    for (const std::string& l : lines)
        list << ToQ(l);
    memo->setPlainText(list.join(QLatin1Char('\n')));
}

void SetFontSize(QWidget* w, int points)
{
    QFont f = w->font();
    f.setPointSize(points);
    w->setFont(f);
}

// Pixels of a page length or position under the current transform.
int PxX(long double v) { return int(std::lround(v * PageScale * ZoomFactor / StretchX)); }
int PxY(long double v) { return int(std::lround(v * PageScale * ZoomFactor / StretchY)); }

void Place(QWidget* w, long double x, long double y, long double width, long double height)
{
    w->setGeometry(PxX(x), PxY(y), std::max(1, PxX(width)), std::max(1, PxY(height)));
}

} // namespace

// Pixels across a control needs to show `text` whole: the text in the
// control's font, the icon of a button, and the frame and margins its style
// puts around a button's contents.
int TextRoom(const QWidget* control, const QString& text)
{
    const int advance = control->fontMetrics().horizontalAdvance(text);
    const auto* button = qobject_cast<const QPushButton*>(control);
    if (!button)
        return advance + 2;
    QStyleOptionButton option;
    option.initFrom(button);
    option.rect = QRect(0, 0, 200, std::max(20, button->height()));
    option.text = text;
    const QRect contents = button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
    const int icon = button->icon().isNull() ? 0 : button->iconSize().width() + 4;
    return advance + icon + (option.rect.width() - contents.width()) + 4;
}

TFgrVelko::TFgrVelko(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FgrVelko"));
    setWindowTitle(ToQ("Modello Propedeutico Interattivo"));
    KeepOwnPlacement(this); // laid over the whole screen by the main window
    BuildControls();
    ResetImage();
}

TFgrVelko::~TFgrVelko()
{
    if (ChartForm == this)
        ChartForm = nullptr;
    if (imagePainter_.isActive())
        imagePainter_.end();
}

Canvas& TFgrVelko::FormCanvas()
{
    if (canvasOverride_)
        return *canvasOverride_;
    return *imageCanvas_;
}

bool TFgrVelko::FormVisible() const { return isVisible(); }

void TFgrVelko::BuildControls()
{
    Panel1 = Panel(this, "Panel1");
    Panel1->resize(10, 1);

    PanelDati = Panel(this, "PanelDati");
    const char* labels[7] = {"Soggetto", "Data Nasc", "Località", "Coordinate", "Domificazione", "Nodo Lunare",
                             "Giorno astronomico JD"};
    const char* edits[7] = {"EdNome", "EdData", "EdLocal", "EdCoordi", "EdDomif", "EdNodo", "EdJd"};
    QLineEdit** targets[7] = {&EdNome, &EdData, &EdLocal, &EdCoordi, &EdDomif, &EdNodo, &EdJd};
    for (int i = 0; i < 7; ++i) {
        auto* l = new QLabel(ToQ(labels[i]), PanelDati);
        l->setObjectName(QStringLiteral("LabDati%1").arg(i + 1));
        DatiLabels.push_back(l);
        auto* e = new QLineEdit(PanelDati);
        e->setObjectName(QString::fromLatin1(edits[i]));
        e->setReadOnly(true);
        *targets[i] = e;
    }

    PanelPulsanti = Panel(this, "PanelPulsanti");
    BBcoordi = Button(PanelPulsanti, "BBcoordi", "Coordinate Planetarie");
    BBstoffa = Button(PanelPulsanti, "BBstoffa", "Costituzione (Stoffa)");
    BBarchetip = Button(PanelPulsanti, "BBarchetip", "Struttura Archetipale");
    BBaspetti = Button(PanelPulsanti, "BBaspetti", "Aspetti Planetari");
    BBEnergi = Button(PanelPulsanti, "BBEnergi", "Affinità Energetiche");
    BBantisce = Button(PanelPulsanti, "BBantisce", "Antisce e Contrantisce");
    BBdodecate = Button(PanelPulsanti, "BBdodecate", "Dodecatemorie");
    BBmarbeck = Button(PanelPulsanti, "BBmarbeck", "Dominante Marbeck");
    BBmaestri = Button(PanelPulsanti, "BBmaestri", "Maestri");
    BBprivato = Button(PanelPulsanti, "BBprivato", "Ritorna");
    BBsizeFont = Button(PanelPulsanti, "BBsizeFont", "");
    BBsizeFont->setToolTip(ToQ("Ingrandisci/Riduci Caratteri"));
    SetGlyph(BBsizeFont, "AumentaFont");
    for (QPushButton* b : {BBEnergi, BBantisce, BBdodecate, BBmarbeck, BBmaestri})
        b->setEnabled(false);

    PanelBase = Panel(this, "PanelBase");
    LabSpecific = new QLabel(ToQ("ATTRIBUZIONI SPECIFICHE"), PanelBase);
    LabSpecific->setObjectName(QStringLiteral("LabSpecific"));
    MemoL1 = Memo(PanelBase, "MemoL1");
    LabGeneral = new QLabel(ToQ("ATTRIBUZIONI GENERALI"), PanelBase);
    LabGeneral->setObjectName(QStringLiteral("LabGeneral"));
    MemoL2 = Memo(PanelBase, "MemoL2");
    Image2 = new QLabel(PanelBase);
    Image2->setObjectName(QStringLiteral("Image2"));
    Image2->setScaledContents(true);
    PanelBase->hide();

    Panel3 = Panel(this, "Panel3");
    MemoAspetti = Memo(Panel3, "MemoAspetti");
    SetFontSize(MemoAspetti, 8);
    BBchiudiAsp = Button(Panel3, "BBchiudiAsp", "Chiudi");
    BBFont = Button(Panel3, "BBFont", "Font +");
    Panel3->hide();

    PanelInfo = Panel(this, "PanelInfo");
    Memo1 = Memo(PanelInfo, "Memo1");
    PanelInfo->setToolTip(ToQ("doppio clic per espandere/ridurre"));
    Memo1->setToolTip(PanelInfo->toolTip());
    Memo1->viewport()->installEventFilter(this);

    PanelTovr = Panel(this, "PanelTovr");
    LabPianta = new QLabel(ToQ("PIANTA associata"), PanelTovr);
    LabPianta->setObjectName(QStringLiteral("LabPianta"));
    ComboBoxPiante = new QComboBox(PanelTovr);
    ComboBoxPiante->setObjectName(QStringLiteral("ComboBoxPiante"));
    ComboBoxPiante->setEditable(true);
    ComboBoxPiante->setInsertPolicy(QComboBox::NoInsert); // a typed name only looks a plant up
    ListBoxPiante = new QListWidget(PanelTovr);
    ListBoxPiante->setObjectName(QStringLiteral("ListBoxPiante"));
    SpinButton1 = new QSpinBox(PanelTovr);
    SpinButton1->setObjectName(QStringLiteral("SpinButton1"));
    SpinButton1->setButtonSymbols(QAbstractSpinBox::UpDownArrows);
    Memo4 = Memo(PanelTovr, "Memo4");
    Memo3 = Memo(PanelTovr, "Memo3");
    Memo3->viewport()->installEventFilter(this);
    Image1 = new QLabel(PanelTovr);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setScaledContents(true);
    BBchiudiTovr = Button(PanelTovr, "BBchiudiTovr", "Chiudi");
    BBFontTovr = Button(PanelTovr, "BBFontTovr", "");
    SetGlyph(BBFontTovr, "AumentaFont");
    BBsuGiu = Button(PanelTovr, "BBsuGiu", "Espandi");
    SetGlyph(BBsuGiu, "FrecciaGiu");
    PanelTovr->hide();

    PanelExtra = Panel(this, "PanelExtra");
    LbExtraPia = Button(PanelExtra, "LbExtraPia", "Qualsiasi");
    LbExtraSeg = Button(PanelExtra, "LbExtraSeg", "Qualsiasi");
    BBextraOk = Button(PanelExtra, "BBextraOk", "cerca");

    PanelSegnaPato = Panel(this, "PanelSegnaPato");
    ListExtra1 = new QListWidget(PanelSegnaPato);
    ListExtra1->setObjectName(QStringLiteral("ListExtra1"));
    ListExtra2 = new QListWidget(PanelSegnaPato);
    ListExtra2->setObjectName(QStringLiteral("ListExtra2"));
    MemoExtra = Memo(PanelSegnaPato, "MemoExtra");
    BBchiudiExtra = Button(PanelSegnaPato, "BBchiudiExtra", "Chiudi");
    PanelSegnaPato->hide();

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(10);
    connect(Timer1, &QTimer::timeout, this, [this] { Guarded([this] { Timer1Timer(); }); });

    auto on = [this](QPushButton* b, auto handler) {
        connect(b, &QPushButton::clicked, this, [this, handler] { Guarded([this, handler] { handler(); }); });
    };
    using Wheel::Page;
    on(BBcoordi, [this] { PageButtonClick(Page::Coordi); });
    on(BBstoffa, [this] { PageButtonClick(Page::Stoffa); });
    on(BBarchetip, [this] { PageButtonClick(Page::Archetip); });
    on(BBaspetti, [this] { PageButtonClick(Page::Aspetti); });
    on(BBEnergi, [this] { PageButtonClick(Page::Energi); });
    on(BBantisce, [this] { PageButtonClick(Page::Antisce); });
    on(BBdodecate, [this] { PageButtonClick(Page::Dodecate); });
    on(BBmarbeck, [this] { PageButtonClick(Page::Marbeck); });
    on(BBmaestri, [this] { PageButtonClick(Page::Maestri); });
    connect(BBprivato, &QPushButton::clicked, this, [this] { done(QDialog::Accepted); });
    on(BBsizeFont, [this] { BBsizeFontClick(); });
    on(BBFont, [this] { BBFontClick(); });
    on(BBFontTovr, [this] { BBFontTovrClick(); });
    on(BBsuGiu, [this] { BBsuGiuClick(); });
    on(BBchiudiAsp, [this] { Panel3->hide(); });
    on(BBchiudiTovr, [this] { HidePlants(); });
    on(BBchiudiExtra, [this] { PanelSegnaPato->hide(); });
    on(BBextraOk, [this] { BBextraOkClick(); });
    on(LbExtraPia, [this] { LbExtraPiaClick(); });
    on(LbExtraSeg, [this] { LbExtraSegClick(); });
    connect(ListBoxPiante, &QListWidget::currentRowChanged, this,
            [this] { Guarded([this] { ListBoxPianteClick(); }); });
    connect(ComboBoxPiante, &QComboBox::activated, this, [this] { Guarded([this] { ComboBoxPianteClick(); }); });
    connect(ComboBoxPiante->lineEdit(), &QLineEdit::returnPressed, this,
            [this] { Guarded([this] { ComboBoxPianteClick(); }); });
    connect(SpinButton1, &QSpinBox::valueChanged, this, [this](int v) {
        if (v >= 0 && v < ListBoxPiante->count())
            ListBoxPiante->setCurrentRow(v);
    });
    SetDataFonts();
    SetPlantFonts();
}

// ---- Layout ------------------------------------------------------------------

// The right column, from x = 197 to the window's right edge and down its
// whole height, at the window's scale, from the top: the data (2-52), the
// page buttons (53-91), the information memo (from 92, 42 units and half of
// what the window has beyond the page's 202), the attributions (the rest,
// down to 10 units above the bottom) and the signature search (the bottom
// 9 units). Across the column everything keeps its proportions to the
// column's design width of 82 units. The aspect lists and the plants lie
// over the attributions, below the information memo, which stays whole in
// view; the expanded plants reach up over the page buttons.
void TFgrVelko::LayoutFromPageUnits()
{
    using Wheel::kColumnDesignWidth;
    const long double x = Wheel::kColumnLeft, w = columnWidth_, f = w / kColumnDesignWidth;
    const long double bottom = columnBottom_;
    const long double extra = std::max(0.0L, bottom - Wheel::kColumnDesignBottom) / 2;
    const long double infoHeight = 42 + extra;
    const long double attrTop = 92 + infoHeight + 1, attrBottom = bottom - 10, attrHeight = attrBottom - attrTop;
    // A control inside a column panel, its x and width in design units.
    auto in = [f](QWidget* c, long double cx, long double y, long double cw, long double h) {
        Place(c, cx * f, y, cw * f, h);
    };

    Place(PanelDati, x, 2, w, 50);
    QLineEdit* const edits[7] = {EdNome, EdData, EdLocal, EdCoordi, EdDomif, EdNodo, EdJd};
    for (int i = 0; i < 7; ++i) {
        in(DatiLabels[std::size_t(i)], 1, 1 + i * 7, 33, 6);
        in(edits[i], 35, 1 + i * 7, 46, 6);
    }
    Place(PanelPulsanti, x, 53, w, 38);
    QPushButton* buttons[11] = {BBcoordi, BBstoffa,  BBarchetip, BBaspetti, BBEnergi, BBantisce,
                                BBdodecate, BBmarbeck, BBmaestri, BBprivato, BBsizeFont};
    for (int i = 0; i < 10; ++i)
        in(buttons[i], 1 + (i % 2) * 39.5L, 1 + (i / 2) * 6, 38.5L, 5.6L);
    // The glyph buttons keep their size in a wider column.
    const long double glyph = 10 * std::min(f, 1.0L);
    Place(BBsizeFont, f, 31, glyph, 5.6L);

    // Expanded by a double click, the memo reaches down over the
    // attributions. With the plants shown below it, it keeps the height its
    // text needs and leaves the rest to them.
    long double infoShown = infoExpanded_ ? attrBottom - 92 : infoHeight;
    const bool plantsBelow = !plantsExpanded_ && !infoExpanded_ && PanelTovr->isVisibleTo(this);
    if (plantsBelow)
        infoShown = std::clamp(InfoTextHeight(w - 1) + 1, 12.0L, infoHeight);
    Place(PanelInfo, x, 92, w, infoShown);
    Place(Memo1, 0.5L, 0.5L, w - 1, infoShown - 1);

    const long double grow = (attrHeight - 57) / 2;
    Place(PanelBase, x, attrTop, w, attrHeight);
    in(LabSpecific, 1, 0.5L, 62, 4);
    in(MemoL1, 1, 5, 80, 24 + grow);
    in(LabGeneral, 1, 29.5L + grow, 62, 4);
    in(MemoL2, 1, 34 + grow, 80, attrHeight - 35 - grow);
    Place(Image2, w - 6, 0.5L, 4.5L, 4.5L);

    Place(Panel3, x, attrTop, w, attrHeight);
    in(MemoAspetti, 0.5L, 0.5L, 81, attrHeight - 8);
    in(BBchiudiAsp, 1, attrHeight - 6.5L, 30, 6);
    in(BBFont, 33, attrHeight - 6.5L, 20, 6);

    const long double plantsTop = plantsExpanded_ ? 25 : plantsBelow ? 92 + infoShown + 1 : attrTop;
    const long double th = attrBottom - plantsTop;
    Place(PanelTovr, x, plantsTop, w, th);
    in(LabPianta, 1, 0.5L, 40, 4);
    Place(Image1, w - 10, 0.5L, 8, 8);
    in(ComboBoxPiante, 1, 5, 50, 6);
    in(SpinButton1, 52, 5, 12, 6);
    in(ListBoxPiante, 1, 11.5L, 35, 18);
    in(Memo4, 37, 11.5L, 44, 18);
    in(Memo3, 1, 30, 80, th - 37.5L);
    const long double by = th - 7;
    in(BBchiudiTovr, 1, by, 25, 6);
    Place(BBFontTovr, 27 * f, by, glyph, 6);
    in(BBsuGiu, 38, by, 25, 6);

    Place(PanelExtra, x, bottom - 9, w, 8);
    in(LbExtraPia, 1, 1, 28, 6);
    in(LbExtraSeg, 30, 1, 28, 6);
    in(BBextraOk, 59, 1, 20, 6);

    Place(PanelSegnaPato, 100, 100, 95, 95);
    Place(ListExtra1, 1, 1, 46, 50);
    Place(ListExtra2, 48, 1, 46, 50);
    Place(MemoExtra, 1, 52, 93, 35);
    Place(BBchiudiExtra, 1, 88, 25, 6);
}

// Page units of height the information memo needs to show its whole text
// at a width of `width` page units.
long double TFgrVelko::InfoTextHeight(long double width) const
{
    const int frame = Memo1->frameWidth(), margin = int(std::ceil(Memo1->document()->documentMargin()));
    const int room = std::max(1, PxX(width) - 2 * (frame + margin));
    const QRect text = Memo1->fontMetrics().boundingRect(QRect(0, 0, room, 1 << 20), Qt::TextWordWrap,
                                                         Memo1->toPlainText());
    // One line more than the text takes, for the memo's own rounding.
    const int pixels = text.height() + Memo1->fontMetrics().lineSpacing() + 2 * (frame + margin);
    return pixels / (PageScale * ZoomFactor / StretchY);
}

// The pixels the right column needs across so that no caption is cut: for
// each control with a text, the width its text (and icon) takes against the
// width the design gives it in the 82-unit column.
int TFgrVelko::ColumnMinimumPixels() const
{
    struct Need {
        QWidget* control;
        long double designWidth; // page units in the 82-unit column
        std::vector<std::string> texts;
    };
    std::vector<std::string> filters {Attributions::kAnyFilter};
    for (int b = 1; b <= Wheel::kBodies; ++b)
        filters.push_back(Attributions::PlanetWord(b));
    for (int s = 1; s <= 12; ++s)
        filters.push_back(Attributions::SignWord(s));
    std::vector<Need> needs = {
        {LbExtraPia, 28, filters},
        {LbExtraSeg, 28, filters},
        {BBextraOk, 20, {"cerca"}},
        {BBchiudiAsp, 30, {"Chiudi"}},
        {BBFont, 20, {"Font +", "Font -"}},
        {BBchiudiTovr, 25, {"Chiudi"}},
        {BBFontTovr, 10, {""}},
        {BBsuGiu, 25, {"Espandi", "Riduci"}},
        {LabPianta, 40, {"PIANTA associata"}},
        {LabSpecific, 62, {"ATTRIBUZIONI SPECIFICHE al PIANETA", "ATTRIBUZIONI SPECIFICHE al SEGNO"}},
        {LabGeneral, 62, {"ATTRIBUZIONI GENERALI al PIANETA", "ATTRIBUZIONI GENERALI al SEGNO"}},
    };
    for (QPushButton* b : PanelPulsanti->findChildren<QPushButton*>())
        needs.push_back({b, b == BBsizeFont ? 10.0L : 38.5L, {FromQ(b->text())}});
    for (QLabel* l : DatiLabels)
        needs.push_back({l, 33, {FromQ(l->text())}});
    long double perUnit = 0;
    for (const Need& n : needs)
        for (const std::string& text : n.texts)
            perUnit = std::max(perUnit, TextRoom(n.control, ToQ(text)) / n.designWidth);
    return int(std::ceil(perUnit * Wheel::kColumnDesignWidth));
}

// The window's scale and column for its size: the drawing as large as the
// window allows with the column whole beside it. When the scale changes on
// a window already drawn, the drawing is made again at the new scale.
void TFgrVelko::FitToWindow()
{
    const long double zoom = ZoomFactor;
    const Wheel::WindowFit fit = Wheel::FitWindow(width(), height(), ColumnMinimumPixels());
    ZoomFactor = fit.zoom;
    columnWidth_ = fit.columnWidth;
    columnBottom_ = fit.columnBottom;
    LayoutFromPageUnits();
    if (drawn_ && ChartForm == this && ZoomFactor != zoom) {
        ResetImage();
        DrawPageFrame(*this);
        RedrawView();
        RedrawDots();
        update();
    }
}

// The window covers the screen it opens on: the one of the window that
// opens it, else its own.
void TFgrVelko::CoverScreen()
{
    const QWidget* opener = QApplication::activeWindow();
    QScreen* target = opener && opener != this ? opener->screen() : screen();
    if (!target)
        return;
    setGeometry(target->geometry());
    setWindowState(windowState() | Qt::WindowFullScreen);
}

void TFgrVelko::ResetImage()
{
    const qreal ratio = devicePixelRatioF();
    const QSize logical = size().expandedTo(QSize(PxX(kScreenPageWidth), PxY(kScreenPageHeight)));
    if (imagePainter_.isActive())
        imagePainter_.end();
    image_ = QImage(logical * ratio, QImage::Format_RGB32);
    image_.setDevicePixelRatio(ratio);
    image_.fill(Qt::black);
    imagePainter_.begin(&image_);
    imagePainter_.setRenderHint(QPainter::Antialiasing);
    imagePainter_.setRenderHint(QPainter::TextAntialiasing);
    imageCanvas_ = std::make_unique<PainterCanvas>(imagePainter_);
}

QPoint TFgrVelko::PixelOf(PagePoint p) const { return {DeviceX(p.x), DeviceY(p.y)}; }

// ---- Events --------------------------------------------------------------------

void TFgrVelko::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    Guarded([this] { FormActivate(); });
}

void TFgrVelko::resizeEvent(QResizeEvent* e)
{
    QDialog::resizeEvent(e);
    if (image_.size() != size() * devicePixelRatioF() && size().width() > image_.width() / devicePixelRatioF()) {
        const QImage old = image_;
        ResetImage();
        imagePainter_.drawImage(0, 0, old);
    }
    if (isVisible())
        Guarded([this] { FitToWindow(); });
}

void TFgrVelko::setVisible(bool visible)
{
    if (visible && !isVisible())
        CoverScreen();
    QDialog::setVisible(visible);
}

void TFgrVelko::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.drawImage(0, 0, image_);
}

void TFgrVelko::mousePressEvent(QMouseEvent* e)
{
    const QPoint at = e->position().toPoint();
    Guarded([this, at] { ClickAt(at.x(), at.y()); });
}

void TFgrVelko::mouseReleaseEvent(QMouseEvent*)
{
    Guarded([this] { RedrawDots(); });
}

bool TFgrVelko::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonDblClick) {
        if (watched == Memo3->viewport()) {
            Guarded([this] { BBsuGiuClick(); });
            return true;
        }
        if (watched == Memo1->viewport()) {
            // Double click: the information memo grows over the panels below
            // it, or back.
            infoExpanded_ = !infoExpanded_;
            LayoutFromPageUnits();
            PanelInfo->raise();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TFgrVelko::done(int result)
{
    FormClose();
    QDialog::done(result);
}

// ---- Activation and the first drawing ----------------------------------------

void TFgrVelko::FormActivate()
{
    // The zoom is the window's fit to its screen: 1 when the window covers
    // the screen the page scale was taken from, unless the column needs more
    // of the width than the page leaves it.
    drawn_ = false;
    OriginX = OriginY = 0;
    infoExpanded_ = plantsExpanded_ = false;
    BBsuGiu->setText(ToQ("Espandi"));
    SetGlyph(BBsuGiu, "FrecciaGiu");
    FitToWindow();
    ResetImage();
    ChartForm = this;
    MemoL1->clear();
    MemoL2->clear();
    pageCounters_.fill(0);
    bodyCycles_.fill(0);
    signCycles_.fill(0);
    selectedPlanet_ = selectedSign_ = 0;
    pageShown_ = false;
    overlay_ = false;
    lastPage_ = {};
    centres_ = {};
    planetFilter_ = signFilter_ = Attributions::kAnyFilter;
    LbExtraPia->setText(ToQ(planetFilter_));
    LbExtraSeg->setText(ToQ(signFilter_));
    signatureClicks_ = 0;
    PanelBase->hide();
    Panel3->hide();
    HidePlants();
    PanelSegnaPato->hide();
    hour_ = ComputeCurrentSubjectChart().Hour;
    ShowSection(1);
    // With the plant work enabled in the main window, the plants panel
    // opens with the window, on every plant.
    if (PlantPanelMode)
        ShowPlants();
    Timer1->start();
}

void TFgrVelko::Timer1Timer()
{
    // The very first tick of the program only counts; the timer stays on so
    // that the next tick draws.
    if (timerTicks++ == 0)
        return;
    Timer1->stop();
    PrinterLandscape = true;
    DrawPageFrame(*this);
    if (pageShown_ && currentPage_ == Wheel::Page::Archetip) {
        ClearToGround(2, 2, 195, 195);
        AnalysisPages::PageContext context {hour_, &centres_};
        lastPage_ = AnalysisPages::DrawPage(currentPage_, 0, context);
    } else {
        ClearToGround(0, 0, kScreenPageWidth, kScreenPageHeight);
        DrawMainWheel();
    }
    drawn_ = true;
    update();
}

void TFgrVelko::DrawMainWheel()
{
    Wheel::DrawMainWheel(centres_);
    pageShown_ = false;
    lastPage_ = {};
    EdNome->setText(ToQ(CurrentSubject.Name));
    EdData->setText(ToQ(Wheel::BirthDateText()));
    EdLocal->setText(ToQ(CurrentSubject.Place + " " + CurrentSubject.Nationality));
    EdCoordi->setText(ToQ(CurrentSubject.CoordText));
    EdDomif->setText(ToQ(HouseSystemDisplayName()));
    EdNodo->setText(ToQ(NodeKind));
    char jd[64];
    std::snprintf(jd, sizeof jd, "%.12Lf", CurrentSubject.JD);
    EdJd->setText(ToQ(jd));
}

void TFgrVelko::ShowSection(int n)
{
    const std::vector<std::string> lines = Wheel::InfoSection(n);
    SetLines(n <= 33 ? Memo1 : MemoExtra, lines);
    if (n <= 33 && PanelTovr->isVisibleTo(this))
        LayoutFromPageUnits(); // the plants below take what the text leaves
}

// ---- Page buttons ----------------------------------------------------------------

void TFgrVelko::PageButtonClick(Wheel::Page page)
{
    lastPage_.planetCount = 0;                                      // 1
    for (int p = int(page) + 1; p < Wheel::kPageCount; ++p)         // 2
        pageCounters_[std::size_t(p)] = 0;
    bodyCycles_.fill(0);
    signCycles_.fill(0);
    Panel3->hide();                                                 // 3
    HidePlants();
    PanelSegnaPato->hide(); // its lists lie over the drawing area
    PanelBase->hide();      // emptied below; a click on a symbol shows it again
    Image1->clear();
    Image2->clear();
    ClearToGround(2, 2, 195, 195);                                  // 4
    MemoL1->clear();
    MemoL2->clear();
    LabSpecific->clear();
    LabGeneral->clear();
    const int sub = Wheel::NextSubPage(page, pageCounters_[std::size_t(page)]); // 5
    // Only a page with a wheel has symbols to click on.
    centres_.drawn = false;
    AnalysisPages::PageContext context {hour_, &centres_};
    lastPage_ = AnalysisPages::DrawPage(page, sub, context);
    currentPage_ = page;
    currentSub_ = sub;
    pageShown_ = true;
    overlay_ = false;
    if (lastPage_.listPanel) {
        // The aspect lists are set in columns, unbroken; the attribution
        // texts of the other pages wrap at the panel's edge.
        const bool columns = page == Wheel::Page::Aspetti;
        QFont font = columns ? QFont(QStringLiteral("Liberation Mono")) : QFont();
        font.setStyleHint(columns ? QFont::Monospace : QFont::SansSerif);
        font.setPointSize(largeAspettiFont_ ? 10 : 8);
        MemoAspetti->setFont(font);
        MemoAspetti->setLineWrapMode(columns ? QPlainTextEdit::NoWrap : QPlainTextEdit::WidgetWidth);
        SetLines(MemoAspetti, lastPage_.lines);
        Panel3->show();
        Panel3->raise();
    }
    if (lastPage_.section > 0)
        ShowSection(lastPage_.section);
    update();
}

// ---- Clicks on symbols -----------------------------------------------------------

void TFgrVelko::ShowSymbolImages(const std::string& file)
{
    ImageCanvas canvas(96, 96);
    const Metafile m = Metafile::Load(file);
    canvas.StretchDraw(m, {0, 0, 96, 96});
    const QPixmap pm = QPixmap::fromImage(canvas.Finish());
    Image1->setPixmap(pm);
    Image2->setPixmap(pm);
    Image1->show();
    Image2->show();
}

void TFgrVelko::ClickAt(int x, int y)
{
    if (pageShown_ && lastPage_.ignoreClicks)
        return;
    // 1. The planets of a table page.
    for (int i = 0; i < lastPage_.planetCount; ++i) {
        const PagePoint p = lastPage_.planets[std::size_t(i)];
        if (Wheel::Hits(x, y, p.x, p.y)) {
            ShowSymbolImages("Simboli\\PiaX" + AttributionKeys::TwoDigits(i + 1) + ".emf");
            selectedPlanet_ = i + 1;
            selectedSign_ = 0;
            planetFilter_ = Attributions::PlanetWord(i + 1);
            LbExtraPia->setText(ToQ(planetFilter_));
            ShowPlants();
            return;
        }
    }
    if (!centres_.drawn)
        return;
    // 2. The bodies of the wheel.
    for (int b = 1; b <= Wheel::kBodies; ++b) {
        const PagePoint p = centres_.bodies[std::size_t(b - 1)];
        if (!Wheel::Hits(x, y, p.x, p.y))
            continue;
        if (overlay_)
            RedrawView();
        PanelBase->show();
        SetInkColor(0);
        TextLeft(std::string(50, ' '), 1, 197, 2);
        Wheel::DrawClickDot(p, kRedFill);
        selectedPlanet_ = b;
        selectedSign_ = 0;
        if (!Attributions::PlanetWord(b).empty()) {
            planetFilter_ = Attributions::PlanetWord(b);
            LbExtraPia->setText(ToQ(planetFilter_));
        }
        if (b < 8)
            ShowSymbolImages("Simboli\\PiaX" + AttributionKeys::TwoDigits(b) + ".emf");
        else {
            Image1->clear();
            Image2->clear();
        }
        const Wheel::SymbolStep step = Wheel::NextBodyStep(b, bodyCycles_[std::size_t(b - 1)]);
        switch (step) {
        case Wheel::SymbolStep::SelectOnly:
            break;
        case Wheel::SymbolStep::Plants:
            ShowPlants();
            break;
        case Wheel::SymbolStep::Antiscia:
            DrawAntiscia(Wheel::BodyPosition(b), Attributions::BodyName(b));
            break;
        default:
            HidePlants();
            ShowAttributions(true, b);
            break;
        }
        if (Wheel::BodySection(step) > 0)
            ShowSection(Wheel::BodySection(step));
        update();
        return;
    }
    // 3. The signs.
    for (int s = 1; s <= 12; ++s) {
        const PagePoint p = centres_.signs[std::size_t(s - 1)];
        if (!Wheel::Hits(x, y, p.x, p.y))
            continue;
        if (overlay_)
            RedrawView();
        Wheel::DrawClickDot(p, kRedFill);
        selectedSign_ = s;
        selectedPlanet_ = 0;
        signFilter_ = Attributions::SignWord(s);
        LbExtraSeg->setText(ToQ(signFilter_));
        ShowSymbolImages("Zodiaco\\SegM" + AttributionKeys::TwoDigits(s) + ".emf");
        PanelBase->show();
        const Wheel::SymbolStep step = Wheel::NextSignStep(signCycles_[std::size_t(s - 1)]);
        switch (step) {
        case Wheel::SymbolStep::Plants:
            ShowPlants();
            break;
        case Wheel::SymbolStep::Antiscia:
            DrawAntiscia(s * 30.0L - 15, Attributions::SignName(s));
            break;
        default:
            HidePlants();
            ShowAttributions(false, s);
            break;
        }
        ShowSection(Wheel::SignSection(step));
        update();
        return;
    }
    // 4. Nothing hit.
    selectedPlanet_ = selectedSign_ = 0;
}

void TFgrVelko::RedrawDots()
{
    if (!centres_.drawn || (pageShown_ && lastPage_.ignoreClicks))
        return;
    for (const PagePoint& p : centres_.signs)
        Wheel::DrawClickDot(p, kDarkFill);
    for (const PagePoint& p : centres_.bodies)
        Wheel::DrawClickDot(p, kDarkFill);
    if (selectedPlanet_ > 0)
        Wheel::DrawClickDot(centres_.bodies[std::size_t(selectedPlanet_ - 1)], kBlueFill);
    else if (selectedSign_ > 0)
        Wheel::DrawClickDot(centres_.signs[std::size_t(selectedSign_ - 1)], kBlueFill);
    update();
}

void TFgrVelko::ShowAttributions(bool body, int number)
{
    const Attributions::Result r = body ? Attributions::ForBody(number) : Attributions::ForSign(number);
    MemoL1->clear();
    for (const std::string& line : r.specific) {
        MemoL1->appendPlainText(ToQ(line));
        EventPump::ProcessPending();
    }
    SetLines(MemoL2, r.general);
    LabSpecific->setText(ToQ(r.specificLabel));
    LabGeneral->setText(ToQ(r.generalLabel));
    PanelBase->show();
    PanelBase->raise();
}

// What the left area shows, the wheel or the page, drawn again over what a
// selection drew on it: the next selection starts from a clean wheel.
void TFgrVelko::RedrawView()
{
    overlay_ = false;
    ClearToGround(2, 2, 195, 195);
    if (!pageShown_) {
        Wheel::DrawMainWheel(centres_);
        return;
    }
    AnalysisPages::PageContext context {hour_, &centres_};
    lastPage_ = AnalysisPages::DrawPage(currentPage_, currentSub_, context);
}

void TFgrVelko::DrawAntiscia(long double longitude, const std::string& label)
{
    overlay_ = true;
    const long double asc = HouseCusps[1];
    const long double points[2] = {TraditionalRules::Antiscion(longitude),
                                   TraditionalRules::ContraAntiscion(longitude)};
    SelectPen(2);
    for (long double p : points) {
        const PagePoint a = PolarPoint(Wheel::kCX, Wheel::kCY, Wheel::kSignInner, longitude, asc);
        const PagePoint b = PolarPoint(Wheel::kCX, Wheel::kCY, Wheel::kSignInner, p, asc);
        DashedLine(a.x, a.y, b.x, b.y);
        DrawCircle(b.x, b.y, 1.2L);
    }
    ReleasePen();
    // The positions in the top left corner, clear of the wheel and of a
    // page's centred title.
    ClearToGround(2, 2, 50, 23);
    SetInkColor(0);
    TextLeft("ANTISCE e CONTRANTISCE", 1, 4, 4);
    TextLeft(label + ":", 0, 4, 9);
    TextLeft("Antisce " + LongitudeFullText("", points[0]), 0, 4, 13);
    TextLeft("Contrantisce " + LongitudeFullText("", points[1]), 0, 4, 17);
}

// ---- Plants ------------------------------------------------------------------------

void TFgrVelko::ShowPlants()
{
    ListBoxPiante->clear();
    ComboBoxPiante->clear();
    for (const std::string& name : Attributions::PlantNames(planetFilter_, signFilter_)) {
        ListBoxPiante->addItem(ToQ(name));
        ComboBoxPiante->addItem(ToQ(name));
    }
    SpinButton1->setRange(0, std::max(0, ListBoxPiante->count() - 1));
    Memo4->clear();
    Memo3->clear();
    LabPianta->setText(ToQ("PIANTA associata"));
    PanelTovr->show();
    PanelTovr->raise();
    LayoutFromPageUnits();
    if (ListBoxPiante->count() > 0)
        ListBoxPiante->setCurrentRow(0);
}

void TFgrVelko::HidePlants()
{
    PanelTovr->hide();
    LayoutFromPageUnits();
}

// The list, the combo above it and the spin button show one plant: a pick
// in any of them moves the other two.
void TFgrVelko::ListBoxPianteClick()
{
    QListWidgetItem* item = ListBoxPiante->currentItem();
    if (!item)
        return;
    const Attributions::PlantTexts t = Attributions::PlantDetails(FromQ(item->text()));
    SetLines(Memo4, t.details);
    SetLines(Memo3, t.remedies);
    const int row = ListBoxPiante->currentRow();
    if (ComboBoxPiante->currentIndex() != row || ComboBoxPiante->currentText() != item->text()) {
        ComboBoxPiante->setCurrentIndex(row);
        ComboBoxPiante->setEditText(item->text());
    }
    SpinButton1->setValue(row);
}

void TFgrVelko::ComboBoxPianteClick()
{
    const QString text = ComboBoxPiante->currentText();
    const QList<QListWidgetItem*> inList = ListBoxPiante->findItems(text, Qt::MatchFixedString);
    if (!inList.isEmpty()) {
        if (ListBoxPiante->currentItem() != inList.front())
            ListBoxPiante->setCurrentItem(inList.front()); // shows it through ListBoxPianteClick
        else
            ListBoxPianteClick();
        return;
    }
    // A plant typed that the list does not hold: its record all the same.
    const Attributions::PlantTexts t = Attributions::PlantDetails(FromQ(text));
    SetLines(Memo4, t.details);
    SetLines(Memo3, t.remedies);
}

void TFgrVelko::SetPlantFonts()
{
    for (QWidget* w : {static_cast<QWidget*>(Memo3), static_cast<QWidget*>(Memo4)})
        SetFontSize(w, largePlantFont_ ? 10 : 8);
}

void TFgrVelko::BBFontTovrClick()
{
    largePlantFont_ = !largePlantFont_;
    SetPlantFonts();
    SetGlyph(BBFontTovr, largePlantFont_ ? "RiduciFont" : "AumentaFont");
}

void TFgrVelko::BBsuGiuClick()
{
    plantsExpanded_ = !plantsExpanded_;
    BBsuGiu->setText(ToQ(plantsExpanded_ ? "Riduci" : "Espandi"));
    SetGlyph(BBsuGiu, plantsExpanded_ ? "FrecciaSu" : "FrecciaGiu");
    LayoutFromPageUnits();
}

// ---- Signature search --------------------------------------------------------------

void TFgrVelko::BBextraOkClick()
{
    const bool pathologies = signatureClicks_ % 2 == 1;
    ++signatureClicks_;
    const Attributions::SignatureResult r = Attributions::SignatureSearch(planetFilter_, signFilter_, pathologies);
    QListWidget* list = pathologies ? ListExtra2 : ListExtra1;
    list->clear();
    list->addItem(ToQ(r.heading));
    for (const std::string& item : r.items)
        list->addItem(ToQ(item));
    PanelSegnaPato->show();
    PanelSegnaPato->raise();
    ShowSection(pathologies ? AttributionKeys::kSectionSignaturePathologies
                            : AttributionKeys::kSectionSignatureRemedies);
}

void TFgrVelko::LbExtraPiaClick()
{
    planetFilter_ = Attributions::kAnyFilter;
    LbExtraPia->setText(ToQ(planetFilter_));
}

void TFgrVelko::LbExtraSegClick()
{
    signFilter_ = Attributions::kAnyFilter;
    LbExtraSeg->setText(ToQ(signFilter_));
}

// ---- Fonts -------------------------------------------------------------------------

void TFgrVelko::BBsizeFontClick()
{
    largeFont_ = !largeFont_;
    SetDataFonts();
    // Larger captions may need a wider column.
    FitToWindow();
}

void TFgrVelko::SetDataFonts()
{
    const int size = largeFont_ ? 10 : 8;
    for (QPushButton* b : PanelPulsanti->findChildren<QPushButton*>())
        SetFontSize(b, size);
    for (QLabel* l : DatiLabels)
        SetFontSize(l, size);
    for (QLineEdit* e : PanelDati->findChildren<QLineEdit*>())
        SetFontSize(e, size);
    SetFontSize(EdNome, largeFont_ ? 12 : 10);
    SetGlyph(BBsizeFont, largeFont_ ? "RiduciFont" : "AumentaFont");
}

void TFgrVelko::BBFontClick()
{
    largeAspettiFont_ = !largeAspettiFont_;
    SetFontSize(MemoAspetti, largeAspettiFont_ ? 10 : 8);
    BBFont->setText(ToQ(largeAspettiFont_ ? "Font -" : "Font +"));
}

void TFgrVelko::FormClose()
{
    Timer1->stop();
    ZoomFactor = 1;
    OriginX = OriginY = 0;
    if (ChartForm == this)
        ChartForm = nullptr;
}
