// quillon-tool export of the test sheet into every format, each file read
// back by something other than its writer: the metafile by libemf2svg and by
// our player, the PDF by pdftoppm, the SVG by an XML reader, the PNG by Qt.
// The PDF's rendering and the metafile's playback must show the same page.
#include "app/ExportCommand.h"
#include "chart/AnalysisPages.h"
#include "platform/Emf.h"
#include "platform/QtCanvas.h"
#include "platform/RecordingCanvas.h"
#include "platform/TextFile.h"
#include "support/TempFolder.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QXmlStreamReader>
#include <QtTest>

#include <emf2svg.h>

#include <cstdlib>
#include <string>

namespace {

// The page is 279 x 202 mm; at 101.6 dots per inch that is 1116 x 808
// pixels, large enough for the finest dots (0.3 mm) to survive the
// metafile's whole-unit coordinates.
constexpr int SmallWidth = 1116, SmallHeight = 808;

int Grey(QRgb p) { return (qRed(p) * 30 + qGreen(p) * 59 + qBlue(p) * 11) / 100; }

// Share of pixels (in thousandths) darker than the paper.
int InkPerMille(const QImage& image)
{
    long ink = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            ink += Grey(image.pixel(x, y)) < 200;
    return int(ink * 1000 / (long(image.width()) * image.height()));
}

// Share of pixels (in thousandths) where two images differ clearly, each
// pixel compared with the best match within one pixel of it in the other
// image (anti-aliasing and rounding move edges by a pixel).
int DifferencePerMille(const QImage& a, const QImage& b)
{
    long differ = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            int best = 255;
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx) {
                    const int bx = x + dx, by = y + dy;
                    if (bx < 0 || by < 0 || bx >= b.width() || by >= b.height())
                        continue;
                    best = std::min(best, std::abs(Grey(a.pixel(x, y)) - Grey(b.pixel(bx, by))));
                }
            differ += best > 96;
        }
    return int(differ * 1000 / (long(a.width()) * a.height()));
}

// The metafile converted to SVG by libemf2svg, an independent reader.
std::string SvgOfMetafile(const std::string& file)
{
    const std::string bytes = ReadFileBytes(file);
    generatorOptions options{};
    options.nameSpace = const_cast<char*>("svg");
    options.svgDelimiter = true;
    options.imgWidth = SmallWidth;
    options.imgHeight = SmallHeight;
    char* out = nullptr;
    std::size_t length = 0;
    if (emf2svg(const_cast<char*>(bytes.data()), bytes.size(), &out, &length, &options) != 1)
        return {};
    const std::string svg(out, length);
    std::free(out);
    return svg;
}

} // namespace

class ExportTest : public QObject {
    Q_OBJECT

    TempFolder folder_;
    QString Out(const char* name) const { return QString::fromStdString((folder_.Path() / name).string()); }
    int Export(const char* format, const QString& out)
    {
        return RunExportCommand({"--page", "test", "--format", format, "--out", out.toStdString()});
    }

private slots:
    void initTestCase()
    {
        folder_.CopyTemplate(); // the symbol metafiles
        for (const char* format : {"emf", "svg", "pdf", "png"})
            QCOMPARE(Export(format, Out((std::string("sheet.") + format).c_str())), 0);
    }

    void metafileReadByAnIndependentReader()
    {
        const std::string svg = SvgOfMetafile(Out("sheet.emf").toStdString());
        QVERIFY(!svg.empty());
        const auto count = [&](const std::string& what) {
            std::size_t n = 0;
            for (std::size_t at = svg.find(what); at != std::string::npos; at = svg.find(what, at + 1))
                ++n;
            return n;
        };
        QVERIFY(svg.find("Drevith 3") != std::string::npos);
        QVERIFY(svg.find("Font 21") != std::string::npos);
        QVERIFY(svg.find("Liberation") != std::string::npos || svg.find("Arial") != std::string::npos);
        // 32 symbols and the glyphs, circles and dots: many shapes.
        QVERIFY2(count("<svg:path") + count("<svg:polygon") + count("<svg:ellipse") > 300,
                 qPrintable(QString::number(count("<svg:path"))));
    }

    void metafilePlaysBackBalanced()
    {
        const Metafile picture = Metafile::Load(Out("sheet.emf").toStdString());
        RecordingCanvas canvas;
        canvas.StretchDraw(picture, picture.Bounds());
        QVERIFY(canvas.SelectionsBalanced());
        QVERIFY(canvas.CallsOf(RecordingCanvas::Op::Polygon).size() > 32); // every symbol is filled outlines
        QVERIFY(canvas.CallsOf(RecordingCanvas::Op::TextOut).size() > 30);
    }

    void svgParses()
    {
        QFile f(Out("sheet.svg"));
        QVERIFY(f.open(QIODevice::ReadOnly));
        QXmlStreamReader xml(&f);
        int shapes = 0, texts = 0;
        while (!xml.atEnd()) {
            xml.readNext();
            if (!xml.isStartElement())
                continue;
            const auto name = xml.name();
            shapes += name == QLatin1String("path") || name == QLatin1String("polyline") ||
                      name == QLatin1String("polygon");
            texts += name == QLatin1String("text");
        }
        QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
        QVERIFY(shapes > 100);
        QVERIFY(texts > 30);
    }

    // The PDF rendered by pdftoppm, the metafile played by our player and
    // the PNG show the same page.
    void formatsAgree()
    {
        const QString pdftoppm = QStandardPaths::findExecutable(QStringLiteral("pdftoppm"));
        QVERIFY2(!pdftoppm.isEmpty(), "pdftoppm (poppler-utils) is part of the set-up");
        const QString stem = Out("pdf-rendered");
        QProcess p;
        p.start(pdftoppm, {QStringLiteral("-r"), QStringLiteral("101.6"), QStringLiteral("-png"),
                           QStringLiteral("-singlefile"), Out("sheet.pdf"), stem});
        QVERIFY(p.waitForFinished(60000));
        QCOMPARE(p.exitCode(), 0);
        const QImage pdf = QImage(stem + QStringLiteral(".png")).convertToFormat(QImage::Format_RGB32);
        QVERIFY(qAbs(pdf.width() - SmallWidth) <= 1 && qAbs(pdf.height() - SmallHeight) <= 1);

        // The metafile's bounds are where its drawing lies on the page.
        const Metafile picture = Metafile::Load(Out("sheet.emf").toStdString());
        const CanvasRect b = picture.Bounds();
        const double k = double(SmallWidth) / 2790;
        ImageCanvas played(pdf.width(), pdf.height());
        played.StretchDraw(picture, {int(std::lround(b.left * k)), int(std::lround(b.top * k)),
                                     int(std::lround(b.right * k)), int(std::lround(b.bottom * k))});
        const QImage emf = played.Finish().convertToFormat(QImage::Format_RGB32);

        const QImage png = QImage(Out("sheet.png"))
                               .scaled(pdf.width(), pdf.height(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                               .convertToFormat(QImage::Format_RGB32);

        QVERIFY2(InkPerMille(pdf) > 30, "the sheet is drawn");
        const int emfVsPdf = DifferencePerMille(emf, pdf), pngVsPdf = DifferencePerMille(png, pdf);
        qInfo("pixels that differ clearly: metafile vs PDF %d per mille, PNG vs PDF %d per mille", emfVsPdf,
              pngVsPdf);
        QVERIFY2(emfVsPdf <= 8, qPrintable(QString::number(emfVsPdf)));
        QVERIFY2(pngVsPdf <= 8, qPrintable(QString::number(pngVsPdf)));
    }

    // Every page of the chart window, for the sample subject of the
    // template, exported as a metafile that the independent reader reads,
    // with the page's title (the subject's name on the wheel) in it.
    void chartPagesExport_data()
    {
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("text");
        const std::vector<std::pair<const char*, const char*>> pages = {
            {"wheel", "Ferraris Giulia"},         {"coordi0", "LONGITUDINI PLANETARIE"},
            {"coordi1", "LONGITUDINI PLANETARIE"}, {"coordi2", "LATITUDINI PLANETARIE"},
            {"stoffa0", "STOFFA ELEMENTARE"},     {"stoffa1", "ATTRIBUZIONE UMORALE"},
            {"stoffa2", "STOFFA STAGIONALE"},     {"stoffa3", "ATTRIBUZIONE UMORALE"},
            {"archetip", "STRUTTURA ARCHETIPALE"}, {"aspetti1", "Solo aspetti maggiori"},
            {"aspetti2", "ASPETTI PLANETARI"},    {"aspetti3", "DISTANZE SFERICHE"},
            {"energi0", "Magnetiche"},            {"energi1", "Magnetiche"},
            {"energi2", "Solilunari"},            {"antisce0", "Antisce"},
            {"antisce1", "Contrantisce"},         {"antisce2", "ANTISCE E CONTRANTISCE"},
            {"antisce3", "ANTISCE E CONTRANTISCE"}, {"dodecate", "DODECATEMORIE"},
            {"marbeck", "POTENZE PLANETARIE"},    {"maestri0", "Ora Planetaria: "},
            {"maestri1", "del CICLO"},
        };
        QCOMPARE(pages.size(), AnalysisPages::NamedPages().size());
        for (const auto& [page, text] : pages)
            QTest::newRow(page) << QString::fromLatin1(page) << QString::fromLatin1(text);
    }

    void chartPagesExport()
    {
        QFETCH(QString, page);
        QFETCH(QString, text);
        const QString out = Out(qPrintable(page + QStringLiteral(".emf")));
        QCOMPARE(RunExportCommand({"--page", page.toStdString(), "--format", "emf", "--out", out.toStdString()}), 0);
        const std::string svg = SvgOfMetafile(out.toStdString());
        QVERIFY(!svg.empty());
        QVERIFY2(svg.find(text.toStdString()) != std::string::npos, qPrintable(text));
    }

    void badArguments_data()
    {
        QTest::addColumn<QString>("args");
        QTest::newRow("unknown page") << QStringLiteral("--page ruota --format emf --out x.emf");
        QTest::newRow("unknown format") << QStringLiteral("--page test --format bmp --out x.bmp");
        QTest::newRow("no output") << QStringLiteral("--page test --format png");
        QTest::newRow("missing value") << QStringLiteral("--page test --format");
        QTest::newRow("unknown option") << QStringLiteral("--page test --colour red");
    }
    void badArguments()
    {
        QFETCH(QString, args);
        std::vector<std::string> a;
        for (const QString& s : args.split(QLatin1Char(' ')))
            a.push_back(s.toStdString());
        QCOMPARE(RunExportCommand(a), 2);
    }

    void unwritableFileFails()
    {
        const QString out = Out("missing-folder/sheet.png");
        QCOMPARE(Export("png", out), 1);
        QVERIFY(!QFile::exists(out));
    }
};

QTEST_MAIN(ExportTest)
#include "ExportTest.moc"
