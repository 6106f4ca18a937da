#pragma once
// The canvas on a QPainter, in the painter's device units: a widget's
// pixels in its paint event, a QImage's pixels, a printer's dots, an SVG
// file's user units. The owners below open a painter on a PNG image, a PDF
// file and an SVG file; a widget or a printer job makes its own QPainter
// and wraps it in a PainterCanvas.
#include "platform/Canvas.h"

#include <QImage>
#include <QPainter>
#include <QString>
#include <memory>

class QPrinter;
class QSvgGenerator;

class PainterCanvas : public Canvas {
public:
    explicit PainterCanvas(QPainter& painter); // not owned; must be active
    CanvasSize TextExtent(std::string_view text) const override;

protected:
    void DoLine(CanvasPoint from, CanvasPoint to) override;
    void DoPolyline(const std::vector<CanvasPoint>& points) override;
    void DoPolygon(const std::vector<CanvasPoint>& points) override;
    void DoRectangle(const CanvasRect& box) override;
    void DoEllipse(const CanvasRect& box) override;
    void DoArc(const CanvasRect& box, CanvasPoint start, CanvasPoint end) override;
    void DoTextOut(CanvasPoint at, std::string_view text, unsigned align) override;

private:
    void UsePen(bool withBrush);
    QFont QtFont() const;
    QPainter* painter_;
};

// QColor of a program colour 0x00BBGGRR.
QColor ToQColor(CanvasColor color);

// A white image of the given size in pixels, drawn on until Save.
class ImageCanvas : public PainterCanvas {
public:
    ImageCanvas(int width, int height);
    ~ImageCanvas() override;
    // Ends the drawing (no further calls) and returns the image.
    const QImage& Finish();
    // Finish and write a PNG file; false when it cannot be written.
    bool SavePng(const QString& path);

private:
    QImage image_;
    QPainter painter_;
};

// A PDF file whose single page is width × height dots at the resolution.
// The file is complete after Finish (or destruction).
class PdfCanvas : public PainterCanvas {
public:
    PdfCanvas(const QString& path, int width, int height, int dotsPerInch);
    ~PdfCanvas() override;
    bool Finish(); // false when the file could not be written

private:
    std::unique_ptr<QPrinter> printer_;
    QPainter painter_;
};

// An SVG file of width × height user units. Complete after Finish (or
// destruction).
class SvgCanvas : public PainterCanvas {
public:
    SvgCanvas(const QString& path, int width, int height);
    ~SvgCanvas() override;
    bool Finish();

private:
    std::unique_ptr<QSvgGenerator> generator_;
    QPainter painter_;
};
