#include "platform/QtCanvas.h"

#include "platform/Cp1252Q.h"

#include <QFontMetricsF>
#include <QMarginsF>
#include <QPageSize>
#include <QPolygon>
#include <QPrinter>
#include <QSvgGenerator>
#include <cmath>

namespace {

QPolygon ToQPolygon(const std::vector<CanvasPoint>& points) {
    QPolygon poly;
    poly.reserve(int(points.size()));
    for (const CanvasPoint& p : points) poly.append(QPoint(p.x, p.y));
    return poly;
}

// The box as Qt strokes it: a one-unit pen then covers left..right-1 and
// top..bottom-1, as the device-context convention has it.
QRect ToQRect(const CanvasRect& box) {
    return QRect(box.left, box.top, box.right - box.left - 1, box.bottom - box.top - 1);
}

} // namespace

QColor ToQColor(CanvasColor color) { return QColor(RedOf(color), GreenOf(color), BlueOf(color)); }

PainterCanvas::PainterCanvas(QPainter& painter) : painter_(&painter) {}

QFont PainterCanvas::QtFont() const {
    const CanvasFont& f = CurrentFont();
    QFont font(ToQ(ResolveFontFace(f.face)));
    font.setBold(f.bold);
    font.setItalic(f.italic);
    if (f.height < 0) {
        font.setPixelSize(-f.height);
    } else {
        // A positive height is the whole cell: scale the em so that ascent
        // plus descent come to it.
        const int cell = f.height > 0 ? f.height : 16;
        font.setPixelSize(100);
        const QFontMetricsF m(font, painter_->device());
        const double ratio = m.height() > 0 ? 100.0 / m.height() : 1.0;
        font.setPixelSize(std::max(1, int(std::lround(cell * ratio))));
    }
    return font;
}

void PainterCanvas::UsePen(bool withBrush) {
    const CanvasPen& p = CurrentPen();
    if (p.style == PenStyle::Null) {
        painter_->setPen(Qt::NoPen);
    } else {
        QPen pen(ToQColor(p.color));
        pen.setWidth(std::max(0, p.width));
        pen.setStyle(p.style == PenStyle::Dash  ? Qt::DashLine
                     : p.style == PenStyle::Dot ? Qt::DotLine
                                                : Qt::SolidLine);
        pen.setCapStyle(p.style == PenStyle::Solid ? Qt::RoundCap : Qt::FlatCap);
        pen.setJoinStyle(Qt::RoundJoin);
        painter_->setPen(pen);
    }
    const CanvasBrush& b = CurrentBrush();
    if (withBrush && b.style == BrushStyle::Solid)
        painter_->setBrush(QBrush(ToQColor(b.color)));
    else
        painter_->setBrush(Qt::NoBrush);
}

CanvasSize PainterCanvas::TextExtent(std::string_view text) const {
    const QFontMetricsF m(QtFont(), painter_->device());
    return {int(std::lround(m.horizontalAdvance(ToQ(text)))), int(std::lround(m.height()))};
}

void PainterCanvas::DoLine(CanvasPoint from, CanvasPoint to) {
    UsePen(false);
    painter_->drawLine(QPoint(from.x, from.y), QPoint(to.x, to.y));
}

void PainterCanvas::DoPolyline(const std::vector<CanvasPoint>& points) {
    UsePen(false);
    painter_->drawPolyline(ToQPolygon(points));
}

void PainterCanvas::DoPolygon(const std::vector<CanvasPoint>& points) {
    UsePen(true);
    painter_->drawPolygon(ToQPolygon(points), FillMode() == PolyFillMode::Winding ? Qt::WindingFill : Qt::OddEvenFill);
}

void PainterCanvas::DoRectangle(const CanvasRect& box) {
    UsePen(true);
    painter_->drawRect(ToQRect(box));
}

void PainterCanvas::DoEllipse(const CanvasRect& box) {
    UsePen(true);
    painter_->drawEllipse(ToQRect(box));
}

void PainterCanvas::DoArc(const CanvasRect& box, CanvasPoint start, CanvasPoint end) {
    UsePen(false);
    const ArcAngles a = ArcAnglesOf(box, start, end);
    painter_->drawArc(ToQRect(box), int(std::lround(a.startDegrees * 16)), int(std::lround(a.sweepDegrees * 16)));
}

void PainterCanvas::DoTextOut(CanvasPoint at, std::string_view text, unsigned align) {
    const QFont font = QtFont();
    const QString s = ToQ(text);
    const QFontMetricsF m(font, painter_->device());
    const double width = m.horizontalAdvance(s);
    double x = at.x;
    switch (align & TextAlign::HorizontalMask) {
    case TextAlign::Right: x -= width; break;
    case TextAlign::Center: x -= width / 2; break;
    default: break;
    }
    double baseline = at.y + m.ascent();
    switch (align & TextAlign::VerticalMask) {
    case TextAlign::Baseline: baseline = at.y; break;
    case TextAlign::Bottom: baseline = at.y - m.descent(); break;
    default: break;
    }
    if (Background() == BackgroundMode::Opaque)
        painter_->fillRect(QRectF(x, baseline - m.ascent(), width, m.ascent() + m.descent()),
                           ToQColor(BackgroundColor()));
    painter_->setFont(font);
    painter_->setPen(ToQColor(TextColor()));
    painter_->drawText(QPointF(x, baseline), s);
}

ImageCanvas::ImageCanvas(int width, int height)
    : PainterCanvas(painter_), image_(width, height, QImage::Format_RGB32) {
    image_.fill(Qt::white);
    painter_.begin(&image_);
}

ImageCanvas::~ImageCanvas() = default;

const QImage& ImageCanvas::Finish() {
    if (painter_.isActive()) painter_.end();
    return image_;
}

bool ImageCanvas::SavePng(const QString& path) { return Finish().save(path, "PNG"); }

PdfCanvas::PdfCanvas(const QString& path, int width, int height, int dotsPerInch)
    : PainterCanvas(painter_), printer_(std::make_unique<QPrinter>(QPrinter::HighResolution)) {
    printer_->setOutputFormat(QPrinter::PdfFormat);
    printer_->setOutputFileName(path);
    printer_->setResolution(dotsPerInch);
    printer_->setFullPage(true);
    printer_->setPageSize(QPageSize(QSizeF(width * 72.0 / dotsPerInch, height * 72.0 / dotsPerInch),
                                    QPageSize::Point, QString(), QPageSize::ExactMatch));
    printer_->setPageMargins(QMarginsF(0, 0, 0, 0));
    painter_.begin(printer_.get());
}

PdfCanvas::~PdfCanvas() { Finish(); }

bool PdfCanvas::Finish() { return painter_.isActive() ? painter_.end() : true; }

SvgCanvas::SvgCanvas(const QString& path, int width, int height)
    : PainterCanvas(painter_), generator_(std::make_unique<QSvgGenerator>()) {
    generator_->setFileName(path);
    generator_->setSize(QSize(width, height));
    generator_->setViewBox(QRect(0, 0, width, height));
    painter_.begin(generator_.get());
}

SvgCanvas::~SvgCanvas() { Finish(); }

bool SvgCanvas::Finish() { return painter_.isActive() ? painter_.end() : true; }
