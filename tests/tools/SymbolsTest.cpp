// The symbol metafiles of the built program folder: every file the drawing
// code loads is there, plays back whole through our player, sits centred
// in the target square with its proportions, in the colour of its variant;
// its filled shape, holes included, is the font's glyph; an independent
// reader (libemf2svg) reads it; and the generator gives the same bytes on
// every run. A contact sheet of the whole set is written to the build tree
// for a look.
#include "platform/Emf.h"
#include "platform/ProgramPath.h"
#include "platform/QtCanvas.h"
#include "platform/RecordingCanvas.h"
#include "platform/TextFile.h"
#include "support/TempFolder.h"

#include <emf2svg.h>
#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QRawFont>
#include <QString>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

enum class Variant { Colour, White, Black };

struct SymbolCase {
    std::string file;    // as the drawing code names it, "Simboli\PiaXB01.emf"
    std::u32string text; // the font characters the glyph is made of
    Variant variant;
};

// The characters each symbol must show: planets and points 01..20, signs
// 01 Aries .. 12 Pisces.
const std::u32string PlanetTexts[20] = {
    U"\u2609", U"\u263D", U"\u263F", U"\u2640", U"\u2642", U"\u2643", U"\u2644", U"\u2645", U"\u2646", U"\u2647",
    U"\u260A", U"\u26B8", U"\u260B", U"AS",     U"MC",     U"\u26B3", U"\u26B4", U"\u26B5", U"\u26B6", U"\u26B7"};

void PrintTo(const SymbolCase& s, std::ostream* os) { *os << s.file; }

std::string TwoDigits(int n) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "%02d", n);
    return buf;
}

std::vector<SymbolCase> AllSymbols() {
    std::vector<SymbolCase> all;
    const std::pair<const char*, Variant> variants[] = {{"", Variant::Colour}, {"B", Variant::White}, {"N", Variant::Black}};
    for (const auto& [letter, variant] : variants)
        for (int n = 1; n <= 20; ++n)
            all.push_back({"Simboli\\PiaX" + std::string(letter) + TwoDigits(n) + ".emf", PlanetTexts[n - 1], variant});
    for (const auto& [letter, variant] : variants)
        for (int n = 1; n <= 12; ++n)
            all.push_back({"Zodiaco\\SegM" + std::string(letter) + TwoDigits(n) + ".emf", std::u32string(1, char32_t(0x2647 + n)),
                           variant});
    return all;
}

std::string CaseName(const testing::TestParamInfo<SymbolCase>& info) {
    std::string name = info.param.file.substr(info.param.file.find('\\') + 1);
    return name.substr(0, name.size() - 4);
}

// The built template, read in place (nothing here writes to it): ctest runs
// every case in a process of its own, and a copy of the whole folder for
// each would cost more than the checks.
void Program() {
    const char* folder = std::getenv("QUILLON_TEMPLATE");
    if (!folder) throw std::runtime_error("QUILLON_TEMPLATE not set");
    ProgramPath::SetRoot(folder);
}

// Fonts and painting need a GUI application; no screen.
void NeedGui() {
    static int argc = 1;
    static char name[] = "symbols_test";
    static char* argv[] = {name, nullptr};
    static const std::unique_ptr<QGuiApplication> app = [] {
        qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("offscreen"));
        return std::make_unique<QGuiApplication>(argc, argv);
    }();
}

std::string Bytes(const SymbolCase& s) {
    Program();
    return ReadFileBytes(s.file);
}

// The colours a recorded call puts on the device: its pen unless null, its
// brush when it fills and is not null.
std::vector<CanvasColor> VisibleColours(const RecordingCanvas& rec) {
    using Op = RecordingCanvas::Op;
    std::vector<CanvasColor> colours;
    for (const auto& c : rec.Calls()) {
        const bool draws = c.op == Op::LineTo || c.op == Op::Polyline || c.op == Op::Polygon || c.op == Op::Rectangle ||
                           c.op == Op::Ellipse || c.op == Op::Arc;
        const bool fills = c.op == Op::Polygon || c.op == Op::Rectangle || c.op == Op::Ellipse;
        if (draws && c.pen.style != PenStyle::Null) colours.push_back(c.pen.color);
        if (fills && c.brush.style != BrushStyle::Null) colours.push_back(c.brush.color);
        if (c.op == Op::TextOut) colours.push_back(c.textColor);
    }
    return colours;
}

// The background a variant is shown on: the black chart window, or white
// paper for the black variant.
QRgb PaperOf(Variant v) { return v == Variant::Black ? qRgb(255, 255, 255) : qRgb(0, 0, 0); }

// The symbol played into an image of side × side pixels of the paper
// colour, at the whole image.
QImage Render(const std::string& bytes, int side, QRgb paper, PolyFillMode mode = PolyFillMode::Alternate) {
    NeedGui();
    QImage image(side, side, QImage::Format_RGB32);
    image.fill(paper);
    QPainter painter(&image);
    PainterCanvas canvas(painter);
    canvas.SetPolyFillMode(mode);
    EXPECT_TRUE(Emf::Play(bytes, canvas, {0, 0, side, side}));
    EXPECT_TRUE(canvas.SelectionsBalanced());
    painter.end();
    return image;
}

class Symbols : public testing::TestWithParam<SymbolCase> {};

// Played into squares of the glyph sizes on screen and on paper, at an
// offset: the glyph is filled polygons inside the square, centred, its
// larger side about 0.88 of the square (the margin), in its variant's
// colour.
TEST_P(Symbols, PlayCentredInsideTheSquareInTheVariantsColour) {
    const std::string bytes = Bytes(GetParam());
    for (const int side : {18, 35, 700}) {
        SCOPED_TRACE(side);
        const CanvasRect box{40, 60, 40 + side, 60 + side};
        RecordingCanvas rec;
        ASSERT_TRUE(Emf::Play(bytes, rec, box));
        EXPECT_TRUE(rec.SelectionsBalanced());
        const auto polygons = rec.CallsOf(RecordingCanvas::Op::Polygon);
        ASSERT_FALSE(polygons.empty());
        int l = box.right, t = box.bottom, r = box.left, b = box.top;
        for (const auto& p : polygons)
            for (const CanvasPoint& q : p.points) l = std::min(l, q.x), t = std::min(t, q.y), r = std::max(r, q.x), b = std::max(b, q.y);
        EXPECT_GE(l, box.left);
        EXPECT_GE(t, box.top);
        EXPECT_LE(r, box.right);
        EXPECT_LE(b, box.bottom);
        const double tolerance = std::max(1.0, 0.01 * side);
        EXPECT_NEAR((l + r) / 2.0, (box.left + box.right) / 2.0, tolerance);
        EXPECT_NEAR((t + b) / 2.0, (box.top + box.bottom) / 2.0, tolerance);
        EXPECT_NEAR(std::max(r - l, b - t), 0.88 * side, tolerance + 1);

        const std::vector<CanvasColor> colours = VisibleColours(rec);
        ASSERT_FALSE(colours.empty());
        for (const CanvasColor c : colours) {
            switch (GetParam().variant) {
            case Variant::White: EXPECT_EQ(c, CanvasRgb(255, 255, 255)); break;
            case Variant::Black: EXPECT_EQ(c, CanvasRgb(0, 0, 0)); break;
            case Variant::Colour: // on the black chart window: neither black nor white
                EXPECT_NE(c, CanvasRgb(0, 0, 0));
                EXPECT_NE(c, CanvasRgb(255, 255, 255));
                break;
            }
        }
    }
}

// The filled shape is the font's glyph, holes included: played at 300
// pixels and compared with the glyph filled by Qt in the same box. Pixels
// along the edges may differ; none may differ farther than 2 pixels from
// the other shape (a hole filled in, a shape lost, a seam between parts).
// The shape does not depend on the fill rule, and the joins between the
// rings of an outline lie in the ink.
TEST_P(Symbols, FillTheFontsGlyphWithItsHoles) {
    constexpr int side = 300;
    const QRgb paper = PaperOf(GetParam().variant);
    const QImage ours = Render(Bytes(GetParam()), side, paper);
    const auto inked = [&](const QImage& im, int x, int y) { return im.pixel(x, y) != paper; };
    // The file leaves the fill rule to the device context's default; a
    // reader that fills by the winding rule must see the same shape.
    EXPECT_TRUE(Render(Bytes(GetParam()), side, paper, PolyFillMode::Winding) == ours) << "differs by the fill rule";

    int l = side, t = side, r = -1, b = -1, area = 0;
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x)
            if (inked(ours, x, y)) l = std::min(l, x), t = std::min(t, y), r = std::max(r, x), b = std::max(b, y), ++area;
    ASSERT_GT(area, 0);

    const QRawFont font(QStringLiteral(QUILLON_SYMBOL_FONT), 1000.0, QFont::PreferNoHinting);
    ASSERT_TRUE(font.isValid());
    const std::u32string& text = GetParam().text;
    const QList<quint32> glyphs = font.glyphIndexesForString(QString::fromUcs4(text.data(), qsizetype(text.size())));
    const QList<QPointF> advances = font.advancesForGlyphIndexes(glyphs);
    QPainterPath glyph;
    QPointF origin;
    for (qsizetype i = 0; i < glyphs.size(); ++i) {
        ASSERT_NE(glyphs[i], 0u);
        glyph.addPath(font.pathForGlyph(glyphs[i]).translated(origin));
        origin += advances[i];
    }
    glyph.setFillRule(Qt::WindingFill);
    const QRectF g = glyph.boundingRect();
    QImage reference(side, side, QImage::Format_RGB32);
    reference.fill(paper);
    {
        QPainter p(&reference);
        p.translate(l, t);
        p.scale((r + 1 - l) / g.width(), (b + 1 - t) / g.height());
        p.translate(-g.topLeft());
        p.fillPath(glyph, paper == qRgb(0, 0, 0) ? Qt::white : Qt::black);
    }

    const auto nearby = [&](const QImage& im, int x, int y, bool want) {
        for (int dy = -2; dy <= 2; ++dy)
            for (int dx = -2; dx <= 2; ++dx) {
                const int u = x + dx, v = y + dy;
                const bool ink = u >= 0 && v >= 0 && u < side && v < side && inked(im, u, v);
                if (ink == want) return true;
            }
        return false;
    };
    int far = 0;
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x) {
            const bool a = inked(ours, x, y), e = inked(reference, x, y);
            if (a != e && !nearby(reference, x, y, a)) ++far;
        }
    EXPECT_EQ(far, 0) << "of " << area << " inked pixels";

    // An edge that a polygon runs both ways joins a hole or a part to the
    // rest; it must lie in the ink, where a reader that outlines the
    // filled shape does not show it.
    RecordingCanvas rec;
    ASSERT_TRUE(Emf::Play(Bytes(GetParam()), rec, {0, 0, side, side}));
    int outside = 0;
    for (const auto& polygon : rec.CallsOf(RecordingCanvas::Op::Polygon)) {
        const std::vector<CanvasPoint>& v = polygon.points;
        for (std::size_t i = 0; i + 1 < v.size(); ++i) {
            bool twice = false;
            for (std::size_t j = 0; j + 1 < v.size() && !twice; ++j) twice = v[j] == v[i + 1] && v[j + 1] == v[i];
            if (!twice || v[i] == v[i + 1]) continue;
            for (const double f : {0.25, 0.5, 0.75}) {
                const int x = int(std::lround(v[i].x + f * (v[i + 1].x - v[i].x)));
                const int y = int(std::lround(v[i].y + f * (v[i + 1].y - v[i].y)));
                if (!nearby(reference, x, y, true)) ++outside;
            }
        }
    }
    EXPECT_EQ(outside, 0) << "points of joins outside the glyph";
}

INSTANTIATE_TEST_SUITE_P(Template, Symbols, testing::ValuesIn(AllSymbols()), CaseName);

// libemf2svg, a reader written apart from ours, reads a few symbols of each
// kind into an SVG with a filled path of the symbol's colour.
TEST(SymbolFiles, IndependentReaderFindsTheFilledGlyph) {
    const struct { const char* file; const char* colour; } cases[] = {
        {"Simboli\\PiaX01.emf", "#FFC800"},  {"Simboli\\PiaXB12.emf", "#FFFFFF"}, {"Simboli\\PiaXN14.emf", "#000000"},
        {"Zodiaco\\SegM05.emf", "#FF4632"}, {"Zodiaco\\SegMN12.emf", "#000000"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        Program();
        std::string b = ReadFileBytes(c.file);
        generatorOptions options{};
        options.nameSpace = const_cast<char*>("svg");
        options.svgDelimiter = true;
        options.imgWidth = 100;
        options.imgHeight = 100;
        char* out = nullptr;
        std::size_t outLength = 0;
        ASSERT_EQ(emf2svg(b.data(), b.size(), &out, &outLength, &options), 1);
        ASSERT_NE(out, nullptr);
        std::string svg(out, outLength);
        std::free(out);
        std::transform(svg.begin(), svg.end(), svg.begin(), [](unsigned char ch) { return char(std::toupper(ch)); });
        EXPECT_NE(svg.find("<SVG:PATH"), std::string::npos) << svg;
        EXPECT_NE(svg.find(std::string("FILL=\"") + c.colour), std::string::npos) << svg;
    }
}

// The generator run again gives the same bytes as the build's; without its
// font it fails instead of writing empty pictures.
TEST(SymbolFiles, GeneratorIsReproducibleAndNeedsItsFont) {
    TempFolder again;
    const std::string command = std::string("QT_QPA_PLATFORM=offscreen '") + QUILLON_MKSYMBOLS + "' '" +
                                QUILLON_SYMBOL_FONT + "' '" + again.Path().string() + "'";
    ASSERT_EQ(std::system(command.c_str()), 0);
    for (const SymbolCase& s : AllSymbols()) {
        ProgramPath::SetRoot(again.Path());
        const std::string fresh = ReadFileBytes(s.file);
        EXPECT_EQ(fresh, Bytes(s)) << s.file;
    }

    TempFolder none;
    const std::string missing = std::string("QT_QPA_PLATFORM=offscreen '") + QUILLON_MKSYMBOLS + "' '" +
                                (none.Path() / "nessuno.ttf").string() + "' '" + none.Path().string() + "' 2>/dev/null";
    EXPECT_NE(std::system(missing.c_str()), 0);
    EXPECT_FALSE(std::filesystem::exists(none.Path() / "Simboli"));
}

// At the decan glyph size (3.5 page units, about 18 pixels on screen) every
// symbol still shows ink. The whole set is laid out on a contact sheet in
// the build tree, each at 64 and at 18 pixels: the colour and white rows on
// black as in the chart window, the black rows on white paper.
TEST(SymbolFiles, EveryGlyphShowsAtTheSmallestSizeOnTheContactSheet) {
    constexpr int big = 64, small = 18, pad = 8, bigColumns = 20;
    const std::vector<SymbolCase> all = AllSymbols();
    const int rowHeight = big + 2 * pad, smallLeft = bigColumns * (big + pad) + 4 * pad;
    const int width = smallLeft + bigColumns * (small + pad) + pad, height = 6 * rowHeight;
    NeedGui();
    QImage sheet(width, height, QImage::Format_RGB32);
    sheet.fill(QColor(60, 60, 60));
    QPainter painter(&sheet);
    PainterCanvas canvas(painter);
    for (std::size_t i = 0; i < all.size(); ++i) {
        const SymbolCase& s = all[i];
        SCOPED_TRACE(s.file);
        // Rows: planets in colour, white, black; then the signs.
        const int row = int(i < 60 ? i / 20 : 3 + (i - 60) / 12), column = int(i < 60 ? i % 20 : (i - 60) % 12);
        const QRgb paper = PaperOf(s.variant);
        const std::string bytes = Bytes(s);

        const QImage tiny = Render(bytes, small, paper);
        int ink = 0;
        for (int y = 0; y < small; ++y)
            for (int x = 0; x < small; ++x) ink += tiny.pixel(x, y) != paper;
        EXPECT_GE(ink, 12);

        const int top = row * rowHeight + pad;
        const CanvasRect bigBox{pad + column * (big + pad), top, pad + column * (big + pad) + big, top + big};
        const CanvasRect smallBox{smallLeft + column * (small + pad), top + (big - small) / 2,
                                  smallLeft + column * (small + pad) + small, top + (big - small) / 2 + small};
        for (const CanvasRect& box : {bigBox, smallBox}) {
            painter.fillRect(QRect(box.left, box.top, box.right - box.left, box.bottom - box.top), QColor(paper));
            EXPECT_TRUE(Emf::Play(bytes, canvas, box));
        }
    }
    painter.end();
    const QString path = QStringLiteral(QUILLON_BUILD_DIR "/symbols-sheet.png");
    EXPECT_TRUE(sheet.save(path, "PNG"));
}

} // namespace
