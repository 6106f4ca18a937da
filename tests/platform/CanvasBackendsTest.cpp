// One small scene drawn by one routine through the recording canvas and the
// QPainter backends: the PNG's pixels, the SVG's elements and text, the PDF
// rendered back to pixels by pdftoppm.
#include "platform/Cp1252Q.h"
#include "platform/Emf.h"
#include "platform/QtCanvas.h"
#include "platform/RecordingCanvas.h"
#include "support/CanvasScene.h"
#include "support/TempFolder.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QWidget>
#include <QXmlStreamReader>
#include <QtTest>

namespace {

constexpr int Width = 200, Height = 150;

QString FileIn(const TempFolder& dir, const char* name) {
    return QString::fromStdString((dir.Path() / name).string());
}

bool Near(QRgb pixel, int r, int g, int b) {
    return qAbs(qRed(pixel) - r) < 16 && qAbs(qGreen(pixel) - g) < 16 && qAbs(qBlue(pixel) - b) < 16;
}

// The scene's known pixels; an empty string when they all hold.
QString CheckScenePixels(const QImage& image) {
    struct Probe {
        int x, y, r, g, b;
        const char* what;
    };
    const Probe probes[] = {
        {60, 50, 255, 0, 0, "inside the red rectangle"},
        {100, 120, 0, 0, 0, "on the black line"},
        {100, 119, 0, 0, 0, "on the black line, one row above its axis"},
        {5, 5, 255, 255, 255, "background"},
        {150, 50, 255, 255, 255, "inside the ellipse with a null brush"},
        {40, 95, 0, 255, 0, "inside the triangle"},
        {110, 50, 255, 255, 255, "right of the rectangle"},
    };
    for (const Probe& p : probes) {
        const QRgb px = image.pixel(p.x, p.y);
        if (!Near(px, p.r, p.g, p.b))
            return QStringLiteral("(%1,%2) %3: got %4,%5,%6")
                .arg(p.x).arg(p.y).arg(QLatin1String(p.what))
                .arg(qRed(px)).arg(qGreen(px)).arg(qBlue(px));
    }
    // The arc runs counter-clockwise from the right of its circle (centre
    // 150,50, radius 20) to the top: through 45°, not through 225°.
    const auto blueNear = [&](int cx, int cy) {
        for (int y = cy - 2; y <= cy + 2; ++y)
            for (int x = cx - 2; x <= cx + 2; ++x) {
                const QRgb px = image.pixel(x, y);
                if (qBlue(px) > 150 && qRed(px) < 150 && qGreen(px) < 150) return true;
            }
        return false;
    };
    if (!blueNear(164, 36)) return QStringLiteral("the arc misses its 45° point");
    if (blueNear(136, 64)) return QStringLiteral("the arc passes its 225° point");
    return {};
}

// A window that paints the scene in its paint event, as the chart window does.
class SceneWidget : public QWidget {
public:
    SceneWidget() {
        setFixedSize(Width, Height);
        setAutoFillBackground(true);
        QPalette p = palette();
        p.setColor(QPalette::Window, Qt::white);
        setPalette(p);
    }
    bool balanced = false;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        PainterCanvas canvas(painter);
        Draw(canvas);
        balanced = canvas.SelectionsBalanced();
    }
};

} // namespace

class CanvasBackendsTest : public QObject {
    Q_OBJECT

private slots:
    void recordingSeesTheSceneBalanced() {
        RecordingCanvas rec;
        Draw(rec);
        QVERIFY(rec.SelectionsBalanced());
        const auto rects = rec.CallsOf(RecordingCanvas::Op::Rectangle);
        QCOMPARE(rects.size(), size_t(1));
        QCOMPARE(rects[0].brush.color, Red);
        const auto lines = rec.CallsOf(RecordingCanvas::Op::LineTo);
        QCOMPARE(lines.size(), size_t(1));
        QVERIFY((lines[0].points == std::vector<CanvasPoint>{{10, 120}, {190, 120}}));
        QCOMPARE(lines[0].pen.width, 3);
    }

    void pngHasTheScenePixels() {
        TempFolder dir;
        ImageCanvas canvas(Width, Height);
        Draw(canvas);
        QVERIFY(canvas.SelectionsBalanced());
        const QString path = FileIn(dir, "scene.png");
        QVERIFY(canvas.SavePng(path));
        const QImage image(path);
        QCOMPARE(image.size(), QSize(Width, Height));
        const QString failure = CheckScenePixels(image);
        QVERIFY2(failure.isEmpty(), qPrintable(failure));
        // On pixels the rectangle {20, 20, 100, 80} covers 20..99 × 20..79.
        QVERIFY(Near(image.pixel(20, 20), 255, 0, 0) && Near(image.pixel(99, 79), 255, 0, 0));
        QVERIFY(Near(image.pixel(100, 50), 255, 255, 255) && Near(image.pixel(60, 80), 255, 255, 255));
        QVERIFY(Near(image.pixel(19, 50), 255, 255, 255));

        // The caption is drawn, centred on X = 100 and above Y = 145.
        int dark = 0, left = Width, right = 0;
        for (int y = 125; y < Height; ++y)
            for (int x = 0; x < Width; ++x)
                if (qGray(image.pixel(x, y)) < 128) {
                    ++dark;
                    left = qMin(left, x);
                    right = qMax(right, x);
                }
        QVERIFY(dark > 20);
        QVERIFY2(qAbs((left + right) / 2 - 100) <= 3, qPrintable(QStringLiteral("%1..%2").arg(left).arg(right)));
        for (int x = 0; x < Width; ++x) QVERIFY(qGray(image.pixel(x, 146)) >= 128);
    }

    // The text's cell, filled by the opaque background, against the anchor.
    void textAlignmentPlacesTheCell_data() {
        QTest::addColumn<unsigned>("align");
        QTest::addColumn<int>("edge"); // 0 left, 1 right, 2 top, 3 bottom, 4 ink bottom
        QTest::newRow("left top: cell starts at the anchor") << (TextAlign::Left | TextAlign::Top) << 0;
        QTest::newRow("left top: cell's top at the anchor") << (TextAlign::Left | TextAlign::Top) << 2;
        QTest::newRow("right: cell ends at the anchor") << (TextAlign::Right | TextAlign::Top) << 1;
        QTest::newRow("bottom: cell ends at the anchor") << (TextAlign::Left | TextAlign::Bottom) << 3;
        QTest::newRow("baseline: the letters stand on the anchor") << (TextAlign::Left | TextAlign::Baseline) << 4;
    }

    void textAlignmentPlacesTheCell() {
        QFETCH(unsigned, align);
        QFETCH(int, edge);
        const int ax = 50, ay = 40;
        ImageCanvas canvas(100, 80);
        canvas.SelectFont({"Arial", -20});
        canvas.SetBackgroundMode(BackgroundMode::Opaque);
        canvas.SetBackgroundColor(CanvasRgb(0, 255, 0));
        canvas.SetTextColor(Black);
        canvas.TextOut({ax, ay}, "HH", align);
        canvas.ReleaseFont();
        const QImage image = canvas.Finish();
        int left = 100, right = -1, top = 80, bottom = -1, inkBottom = -1;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const QRgb px = image.pixel(x, y);
                if (px == qRgb(255, 255, 255)) continue;
                left = qMin(left, x), right = qMax(right, x), top = qMin(top, y), bottom = qMax(bottom, y);
                if (qGray(px) < 100) inkBottom = qMax(inkBottom, y);
            }
        const int got[] = {left, right + 1, top, bottom + 1, inkBottom + 1};
        const int want[] = {ax, ax, ay, ay, ay};
        QVERIFY2(qAbs(got[edge] - want[edge]) <= 1,
                 qPrintable(QStringLiteral("cell %1..%2 × %3..%4, ink to %5")
                                .arg(left).arg(right).arg(top).arg(bottom).arg(inkBottom)));
    }

    // The scene as a metafile, stretched at scale 1 onto the image where it
    // was drawn: the same pixels as drawing it directly.
    void metafileStretchedOntoThePngGivesTheScene() {
        EmfCanvas emf({Width, Height});
        Draw(emf);
        const Metafile picture = emf.Picture();
        QCOMPARE(picture.Bounds(), (CanvasRect{9, 20, 192, 145}));
        ImageCanvas canvas(Width, Height);
        canvas.StretchDraw(picture, picture.Bounds());
        QVERIFY(canvas.SelectionsBalanced());
        const QString failure = CheckScenePixels(canvas.Finish());
        QVERIFY2(failure.isEmpty(), qPrintable(failure));
    }

    void widgetPaintsTheScene() {
        SceneWidget w;
        const QImage image = w.grab().toImage();
        QVERIFY(w.balanced);
        QCOMPARE(image.size(), QSize(Width, Height));
        const QString failure = CheckScenePixels(image);
        QVERIFY2(failure.isEmpty(), qPrintable(failure));
    }

    void textExtentFollowsTheResolvedFont() {
        ImageCanvas canvas(10, 10);
        canvas.SelectFont({"Courier", -20});
        // Liberation Mono: every character advances 0.6 em.
        QCOMPARE(canvas.TextExtent("MMMMMMMMMM").cx, 120);
        canvas.ReleaseFont();
        canvas.SelectFont({"Arial", 40});
        QVERIFY(qAbs(canvas.TextExtent("x").cy - 40) <= 1);
        canvas.ReleaseFont();
        QVERIFY(canvas.SelectionsBalanced());
    }

    void svgParsesWithShapesAndText() {
        TempFolder dir;
        const QString path = FileIn(dir, "scene.svg");
        {
            SvgCanvas canvas(path, Width, Height);
            Draw(canvas);
            QVERIFY(canvas.Finish());
        }
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QVERIFY(f.size() > 0);
        QXmlStreamReader xml(&f);
        bool shape = false;
        QString text;
        while (!xml.atEnd()) {
            xml.readNext();
            if (xml.isStartElement() && (xml.name() == QLatin1String("path") || xml.name() == QLatin1String("rect") ||
                                         xml.name() == QLatin1String("polygon")))
                shape = true;
            if (xml.isCharacters()) text += xml.text();
        }
        QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
        QVERIFY(shape);
        QVERIFY2(text.contains(ToQ(Caption)), qPrintable(text.simplified()));
    }

    void pdfIsValidAndRendersTheScene() {
        TempFolder dir;
        const QString path = FileIn(dir, "scene.pdf");
        {
            PdfCanvas canvas(path, Width, Height, 96);
            Draw(canvas);
            QVERIFY(canvas.SelectionsBalanced());
            QVERIFY(canvas.Finish());
        }
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.read(5), QByteArray("%PDF-"));

        const QString pdftoppm = QStandardPaths::findExecutable(QStringLiteral("pdftoppm"));
        if (pdftoppm.isEmpty()) {
            qInfo("pdftoppm not installed: the PDF is not rendered back");
            return;
        }
        const QString stem = FileIn(dir, "rendered");
        QProcess p;
        p.start(pdftoppm, {QStringLiteral("-r"), QStringLiteral("96"), QStringLiteral("-png"),
                           QStringLiteral("-singlefile"), path, stem});
        QVERIFY(p.waitForFinished(30000));
        QCOMPARE(p.exitCode(), 0);
        const QImage image(stem + QStringLiteral(".png"));
        // The page is 150 × 112.5 points: the renderer rounds it to whole pixels.
        QVERIFY2(qAbs(image.width() - Width) <= 1 && qAbs(image.height() - Height) <= 1,
                 qPrintable(QStringLiteral("%1x%2").arg(image.width()).arg(image.height())));
        const QString failure = CheckScenePixels(image);
        QVERIFY2(failure.isEmpty(), qPrintable(failure));
    }
};

QTEST_MAIN(CanvasBackendsTest)
#include "CanvasBackendsTest.moc"
