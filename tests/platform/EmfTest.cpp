// The metafile writer: the header's fields, a walk of the records of a
// small scene, and the same scene read back by an independent reader
// (libemf2svg) that must find its shapes and its caption.
#include "platform/Emf.h"
#include "platform/Errors.h"
#include "platform/FontMetrics.h"
#include "platform/RecordingCanvas.h"
#include "platform/TextFile.h"
#include "support/CanvasScene.h"
#include "support/TempFolder.h"

#include <emf2svg.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

std::uint32_t U32(const std::string& b, std::size_t at) {
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i) v = (v << 8) | static_cast<unsigned char>(b[at + i]);
    return v;
}
int I32(const std::string& b, std::size_t at) { return int(std::int32_t(U32(b, at))); }

struct Rec {
    std::uint32_t type;
    std::size_t offset, size;
};

// Walks the records; fails the test on a size that is not a multiple of 4
// or runs past the end.
std::vector<Rec> Walk(const std::string& b) {
    std::vector<Rec> out;
    std::size_t at = 0;
    while (at + 8 <= b.size()) {
        const std::uint32_t size = U32(b, at + 4);
        EXPECT_EQ(size % 4, 0u) << "record at " << at;
        EXPECT_GE(size, 8u);
        EXPECT_LE(at + size, b.size()) << "record at " << at;
        if (size < 8 || size % 4 || at + size > b.size()) break;
        out.push_back({U32(b, at), at, size});
        at += size;
    }
    EXPECT_EQ(at, b.size());
    return out;
}

std::string SceneBytes() {
    EmfCanvas canvas({200, 150}, 96);
    Draw(canvas);
    EXPECT_TRUE(canvas.SelectionsBalanced());
    return canvas.Bytes();
}

TEST(EmfWriter, HeaderDescribesTheFile) {
    const std::string b = SceneBytes();
    ASSERT_GE(b.size(), 108u);
    EXPECT_EQ(U32(b, 0), Emf::Header);
    EXPECT_EQ(U32(b, 40), 0x464D4520u); // " EMF"
    EXPECT_EQ(b.substr(40, 4), std::string(" EMF"));
    EXPECT_EQ(U32(b, 48), b.size()); // nBytes
    const std::vector<Rec> recs = Walk(b);
    EXPECT_EQ(U32(b, 52), recs.size()); // nRecords
    ASSERT_FALSE(recs.empty());
    EXPECT_EQ(recs.back().type, Emf::Eof);
    // Bounds, inclusive: the line's pen (3 wide) reaches x 9..191; the text
    // and rectangle reach the top and bottom.
    EXPECT_EQ(I32(b, 8), 9);
    EXPECT_EQ(I32(b, 12), 20);
    EXPECT_EQ(I32(b, 16), 191);
    EXPECT_EQ(I32(b, 20), 144);
    // Frame in 0.01 mm: 200 x 150 pixels at 96 dpi are 52.92 x 39.69 mm.
    EXPECT_EQ(I32(b, 24), 0);
    EXPECT_EQ(I32(b, 28), 0);
    EXPECT_EQ(I32(b, 32), 5291);
    EXPECT_EQ(I32(b, 36), 3968);
    // The reference device: its pixels and millimetres.
    EXPECT_EQ(I32(b, 72), 200);
    EXPECT_EQ(I32(b, 76), 150);
    EXPECT_EQ(I32(b, 80), 53);
    EXPECT_EQ(I32(b, 84), 40);
    // Handles: every object created must fit below nHandles.
    const std::uint32_t nHandles = U32(b, 56) & 0xFFFF;
    for (const Rec& r : recs) {
        if (r.type == Emf::CreatePen || r.type == Emf::CreateBrushIndirect ||
            r.type == Emf::ExtCreateFontIndirectW) {
            EXPECT_LT(U32(b, r.offset + 8), nHandles);
        }
    }
}

TEST(EmfWriter, EmptyPictureHasEmptyBoundsAndOnlyItsFrameRecords) {
    const std::string b = EmfCanvas({10, 10}).Bytes();
    EXPECT_EQ(I32(b, 8), 0);
    EXPECT_EQ(I32(b, 16), -1);
    const std::vector<Rec> recs = Walk(b);
    EXPECT_EQ(U32(b, 48), b.size());
    EXPECT_EQ(U32(b, 52), recs.size());
}

TEST(EmfWriter, SceneRecordsComeInDrawingOrder) {
    using namespace Emf;
    const std::string b = SceneBytes();
    std::vector<std::uint32_t> types;
    for (const Rec& r : Walk(b)) types.push_back(r.type);
    const std::vector<std::uint32_t> expected = {
        Header,
        ExtCreateFontIndirectW, SelectObject, // the canvas's own Arial
        CreatePen, SelectObject, CreateBrushIndirect, SelectObject, Rectangle,
        SelectObject, DeleteObject, SelectObject, DeleteObject,
        CreatePen, SelectObject, MoveToEx, LineTo, SelectObject, DeleteObject,
        CreatePen, SelectObject, CreateBrushIndirect, SelectObject, Ellipse, Arc,
        SelectObject, DeleteObject, SelectObject, DeleteObject,
        CreatePen, SelectObject, CreateBrushIndirect, SelectObject, Polygon16,
        SelectObject, DeleteObject, SelectObject, DeleteObject,
        ExtCreateFontIndirectW, SelectObject, SetBkMode, SetTextAlign, ExtTextOutW,
        SelectObject, DeleteObject,
        Eof};
    EXPECT_EQ(types, expected);

    const std::vector<Rec> recs = Walk(b);
    // Releasing restores the stock objects: the brush first, then the pen.
    EXPECT_EQ(U32(b, recs[8].offset + 8), StockWhiteBrush);
    EXPECT_EQ(U32(b, recs[10].offset + 8), StockBlackPen);
    // The red brush: BS_SOLID with 0x000000FF.
    EXPECT_EQ(U32(b, recs[5].offset + 12), 0u);
    EXPECT_EQ(U32(b, recs[5].offset + 16), 0x0000FFu);
    // The null pen of the triangle is PS_NULL.
    EXPECT_EQ(U32(b, recs[28].offset + 12), 5u);
    // The font: height -14, ANSI charset, face "Arial" in UTF-16.
    const Rec& font = recs[37];
    EXPECT_EQ(I32(b, font.offset + 12), -14);
    EXPECT_EQ(static_cast<unsigned char>(b[font.offset + 12 + 23]), 0u);
    const std::string face = b.substr(font.offset + 12 + 28, 12);
    EXPECT_EQ(face, std::string("A\0r\0i\0a\0l\0\0\0", 12));
    // The text: reference point, alignment, and "àè" as U+00E0 U+00E8.
    EXPECT_EQ(U32(b, recs[40].offset + 8), TextAlign::Center | TextAlign::Bottom);
    const Rec& text = recs[41];
    EXPECT_EQ(I32(b, text.offset + 36), 100);
    EXPECT_EQ(I32(b, text.offset + 40), 145);
    const std::uint32_t n = U32(b, text.offset + 44), off = U32(b, text.offset + 48);
    ASSERT_EQ(n, 8u);
    ASSERT_LE(off + 2 * n, text.size);
    EXPECT_EQ(b.substr(text.offset + off + 12, 4), std::string("\xE0\0\xE8\0", 4));
    EXPECT_LE(U32(b, text.offset + 72) + 4 * n, text.size); // offDx inside
}

TEST(EmfWriter, FarPointsUse32BitPolyline) {
    EmfCanvas canvas({100, 100});
    canvas.Polyline({{0, 0}, {40000, 10}});
    canvas.Polyline({{0, 0}, {10, 10}, {20, 0}});
    const std::string b = canvas.Bytes();
    const std::vector<Rec> recs = Walk(b);
    ASSERT_EQ(recs.size(), 6u);
    EXPECT_EQ(recs[3].type, Emf::PolylineL);
    EXPECT_EQ(I32(b, recs[3].offset + 24 + 4 + 8), 40000);
    EXPECT_EQ(recs[4].type, Emf::Polyline16);
    EXPECT_EQ(recs[4].size, 28u + 12u);
}

// Text is measured with the Liberation fonts' own advances: a wide letter is
// wider than a narrow one, the mono face has one width for all, bold is
// wider, and the character spacing written with the text adds up to the
// measured width.
TEST(EmfWriter, MeasuresTextWithTheFontsAdvances) {
    EmfCanvas canvas({200, 100});
    canvas.SelectFont({"Arial", -20});
    const CanvasSize w = canvas.TextExtent("WWWW"), i = canvas.TextExtent("iiii");
    EXPECT_GT(w.cx, 2 * i.cx);
    // Liberation Sans: 'W' advances 1933 and 'i' 455 of 2048 units; the cell
    // is ascent 1854 plus descent 434.
    EXPECT_EQ(w.cx, 76);
    EXPECT_EQ(i.cx, 18);
    EXPECT_EQ(w.cy, 22);
    EXPECT_EQ(canvas.TextExtent("").cx, 0);
    canvas.ReleaseFont();

    canvas.SelectFont({"Arial", -20, true});
    EXPECT_GT(canvas.TextExtent("Prova").cx, FontMeasure({"Arial", -20}).Width("Prova"));
    canvas.ReleaseFont();

    canvas.SelectFont({"Courier", -20});
    EXPECT_EQ(canvas.TextExtent("WWWW").cx, canvas.TextExtent("iiii").cx);
    canvas.ReleaseFont();

    // A positive height is the cell: the em is smaller by ascent + descent.
    canvas.SelectFont({"Arial", 22});
    EXPECT_EQ(canvas.TextExtent("W").cy, 22);
    EXPECT_NEAR(FontMeasure(canvas.CurrentFont()).Em(), 22 * 2048.0 / 2288, 1e-9);
    const std::string text = "Venere \xE0 Mercurio";
    canvas.TextOut({10, 10}, text);
    const CanvasSize extent = canvas.TextExtent(text);
    canvas.ReleaseFont();

    const std::string b = canvas.Bytes();
    const std::vector<Rec> recs = Walk(b);
    const Rec* out = nullptr;
    for (const Rec& r : recs)
        if (r.type == Emf::ExtTextOutW) out = &r;
    ASSERT_NE(out, nullptr);
    const std::uint32_t n = U32(b, out->offset + 44), offDx = U32(b, out->offset + 72);
    ASSERT_EQ(n, text.size());
    int sum = 0;
    for (std::uint32_t k = 0; k < n; ++k) sum += I32(b, out->offset + offDx + 4 * k);
    EXPECT_EQ(sum, extent.cx);
    // The text's box in the record is its cell at the anchor.
    EXPECT_EQ(I32(b, out->offset + 8), 10);
    EXPECT_EQ(I32(b, out->offset + 16), 10 + extent.cx);
    EXPECT_EQ(I32(b, out->offset + 20), 10 + extent.cy);
}

// Every face of the program measures with a font of the table, by style.
TEST(FontMetrics, FacesResolveToTheirFamilyAndStyle) {
    EXPECT_EQ(FontMetricsOf({"Arial"}).family, "Liberation Sans");
    EXPECT_EQ(FontMetricsOf({"courier new", 10, true, true}).family, "Liberation Mono");
    EXPECT_TRUE(FontMetricsOf({"courier new", 10, true, true}).bold);
    EXPECT_TRUE(FontMetricsOf({"courier new", 10, true, true}).italic);
    EXPECT_EQ(FontMetricsOf({"Times New Roman"}).family, "Liberation Serif");
    EXPECT_EQ(FontMetricsOf({"Nessuna Famiglia", 10, false, true}).family, "Liberation Sans");
    EXPECT_TRUE(FontMetricsOf({"Nessuna Famiglia", 10, false, true}).italic);
    // The euro sign (0x80) and the accented letters have their own glyphs.
    const FontMetricsEntry& sans = FontMetricsOf({"Arial"});
    EXPECT_EQ(sans.advance[0x80], 1139);
    EXPECT_EQ(sans.advance[0xE0], sans.advance['a']);
    EXPECT_EQ(sans.unitsPerEm, 2048);
}

TEST(EmfWriter, SavesTheFile) {
    TempFolder dir;
    const std::string name = (dir.Path() / "sub" / "scena.emf").string();
    EmfCanvas canvas({200, 150});
    Draw(canvas);
    canvas.Save(name);
    EXPECT_EQ(ReadFileBytes(name), canvas.Bytes());
}

TEST(EmfWriter, IndependentReaderFindsTheShapesAndTheCaption) {
    std::string b = SceneBytes();
    generatorOptions options{};
    options.nameSpace = const_cast<char*>("svg");
    options.svgDelimiter = true;
    options.imgWidth = 200;
    options.imgHeight = 150;
    char* out = nullptr;
    std::size_t outLength = 0;
    ASSERT_EQ(emf2svg(b.data(), b.size(), &out, &outLength, &options), 1);
    ASSERT_NE(out, nullptr);
    const std::string svg(out, outLength);
    std::free(out);
    SCOPED_TRACE(svg);
    const auto has = [&](const char* s) { return svg.find(s) != std::string::npos; };
    EXPECT_TRUE(has("#FF0000") || has("#ff0000")) << "the red fill";
    EXPECT_TRUE(has("#00FF00") || has("#00ff00")) << "the green triangle";
    EXPECT_TRUE(has("<svg:rect") || has("<svg:path")) << "the rectangle";
    EXPECT_TRUE(has("<svg:ellipse") || has("<svg:path")) << "the ellipse";
    EXPECT_TRUE(has("Arial"));
    EXPECT_TRUE(has("Prova \xC3\xA0\xC3\xA8") || has("Prova &#224;&#232;") || has("Prova &#xe0;&#xe8;"))
        << "the caption";
}

// The scene written and played back at its own size: the recording canvas
// sees the scene's drawing again.
TEST(EmfPlayer, ReplaysTheSceneOntoAnyCanvas) {
    using Op = RecordingCanvas::Op;
    const std::string b = SceneBytes();
    RecordingCanvas rec;
    // The bounds are 9..191 x 20..144: a box of that size plays at scale 1.
    ASSERT_TRUE(Emf::Play(b, rec, {9, 20, 192, 145}));
    EXPECT_TRUE(rec.SelectionsBalanced());

    const auto rects = rec.CallsOf(Op::Rectangle);
    ASSERT_EQ(rects.size(), 1u);
    EXPECT_EQ(rects[0].box, (CanvasRect{20, 20, 100, 80}));
    EXPECT_EQ(rects[0].brush.color, Red);
    EXPECT_EQ(rects[0].pen.color, Red);

    const auto lines = rec.CallsOf(Op::LineTo);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].points, (std::vector<CanvasPoint>{{10, 120}, {190, 120}}));
    EXPECT_EQ(lines[0].pen.width, 3);

    const auto ellipses = rec.CallsOf(Op::Ellipse);
    ASSERT_EQ(ellipses.size(), 1u);
    EXPECT_EQ(ellipses[0].brush.style, BrushStyle::Null);
    const auto arcs = rec.CallsOf(Op::Arc);
    ASSERT_EQ(arcs.size(), 1u);
    EXPECT_EQ(arcs[0].box, (CanvasRect{130, 30, 170, 70}));
    EXPECT_EQ(arcs[0].points, (std::vector<CanvasPoint>{{170, 50}, {150, 30}}));

    const auto polys = rec.CallsOf(Op::Polygon);
    ASSERT_EQ(polys.size(), 1u);
    EXPECT_EQ(polys[0].points, (std::vector<CanvasPoint>{{20, 90}, {60, 90}, {40, 110}}));
    EXPECT_EQ(polys[0].pen.style, PenStyle::Null);
    EXPECT_EQ(polys[0].brush.color, CanvasRgb(0, 255, 0));

    const auto texts = rec.CallsOf(Op::TextOut);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].text, Caption);
    EXPECT_EQ(texts[0].points[0], (CanvasPoint{100, 145}));
    EXPECT_EQ(texts[0].align, TextAlign::Center | TextAlign::Bottom);
    EXPECT_EQ(texts[0].font.face, "Arial");
    EXPECT_EQ(texts[0].font.height, -14);
    EXPECT_EQ(texts[0].backgroundMode, BackgroundMode::Transparent);
}

TEST(EmfPlayer, StretchesIntoTheBox) {
    EmfCanvas canvas({100, 100});
    canvas.Rectangle({0, 0, 10, 20}); // bounds 0..9 x 0..19
    RecordingCanvas rec;
    ASSERT_TRUE(Emf::Play(canvas.Bytes(), rec, {100, 200, 130, 240}));
    const auto rects = rec.CallsOf(RecordingCanvas::Op::Rectangle);
    ASSERT_EQ(rects.size(), 1u);
    EXPECT_EQ(rects[0].box, (CanvasRect{100, 200, 130, 240}));
}

// A self-crossing polygon fills differently by winding and by alternation:
// the mode travels with the polygon, and playback leaves the canvas's own
// mode as it found it.
TEST(EmfPlayer, PolygonFillModeTravelsWithThePolygon) {
    EmfCanvas canvas({100, 100});
    const std::vector<CanvasPoint> star{{10, 10}, {90, 50}, {10, 90}, {60, 0}, {60, 100}};
    canvas.Polygon(star);
    canvas.SetPolyFillMode(PolyFillMode::Winding);
    canvas.Polygon(star);
    canvas.Polygon(star);
    std::size_t modeRecords = 0;
    for (const Rec& r : Walk(canvas.Bytes())) modeRecords += r.type == Emf::SetPolyFillMode;
    EXPECT_EQ(modeRecords, 1u);

    RecordingCanvas rec;
    ASSERT_TRUE(Emf::Play(canvas.Bytes(), rec, {0, 0, 100, 100}));
    const auto polys = rec.CallsOf(RecordingCanvas::Op::Polygon);
    ASSERT_EQ(polys.size(), 3u);
    EXPECT_EQ(polys[0].fillMode, PolyFillMode::Alternate);
    EXPECT_EQ(polys[1].fillMode, PolyFillMode::Winding);
    EXPECT_EQ(polys[2].fillMode, PolyFillMode::Winding);
    EXPECT_EQ(rec.FillMode(), PolyFillMode::Alternate);
}

// Damaged files: nothing is drawn and the file is refused; the reader never
// reads past the end (run under the sanitizers, a fault here shows).
TEST(EmfPlayer, RefusesDamagedFilesWithoutDrawing) {
    const std::string good = SceneBytes();
    const std::vector<Rec> recs = Walk(good);
    const Rec& text = recs[recs.size() - 4];
    ASSERT_EQ(text.type, Emf::ExtTextOutW);
    const Rec& poly = recs[32];
    ASSERT_EQ(poly.type, Emf::Polygon16);
    const auto with32 = [&](std::size_t at, std::uint32_t v) {
        std::string b = good;
        for (int i = 0; i < 4; ++i) b[at + i] = char((v >> (8 * i)) & 0xFF);
        return b;
    };
    struct Case {
        const char* what;
        std::string bytes;
    };
    const std::vector<Case> cases = {
        {"empty", ""},
        {"header only, cut", good.substr(0, 60)},
        {"cut inside a record", good.substr(0, recs[7].offset + 10)},
        {"cut before the end record", good.substr(0, recs.back().offset)},
        {"bad signature", with32(40, 0x12345678)},
        {"record size past the end", with32(recs[7].offset + 4, 0x7FFFFFF0)},
        {"record size not a multiple of 4", with32(recs[7].offset + 4, 26)},
        {"record size zero", with32(recs[7].offset + 4, 0)},
        {"rectangle too short for its box", with32(recs[7].offset + 4, 12)},
        {"text length past its record", with32(text.offset + 44, 0x40000000)},
        {"text offset past its record", with32(text.offset + 48, 0xFFFFFFF0)},
        {"polygon count past its record", with32(poly.offset + 24, 1000)},
        {"no header first", with32(0, Emf::Rectangle)},
        {"header size past the end", with32(4, std::uint32_t(good.size() + 4))},
        {"record size 4 past the end", with32(recs[recs.size() - 2].offset + 4,
                                              std::uint32_t(good.size() - recs[recs.size() - 2].offset + 4))},
        {"record swallowing the end record", with32(recs[recs.size() - 2].offset + 4,
                                                    std::uint32_t(good.size() - recs[recs.size() - 2].offset))},
        {"polygon count of 2^32 - 1", with32(poly.offset + 24, 0xFFFFFFFFu)},
        {"polygon count wrapping 32-bit sizes", with32(poly.offset + 24, 0x40000001u)},
        {"text length wrapping 32-bit sizes", with32(text.offset + 44, 0x80000002u)},
        {"font record too short for its face", with32(recs[37].offset + 4, 100)},
    };
    for (const Case& c : cases) {
        RecordingCanvas rec;
        EXPECT_FALSE(Emf::Play(c.bytes, rec, {0, 0, 100, 100})) << c.what;
        EXPECT_TRUE(rec.Calls().empty()) << c.what;
    }
}

// Every prefix of a good file is refused, and no single damaged byte makes
// the player read outside the file (the sanitizers watch): it either refuses
// the file or plays it with every selection released.
TEST(EmfPlayer, SurvivesEveryCutAndEveryDamagedByte) {
    const std::string good = SceneBytes();
    for (std::size_t n = 0; n < good.size(); ++n) {
        RecordingCanvas rec;
        ASSERT_FALSE(Emf::Play(good.substr(0, n), rec, {0, 0, 100, 100})) << "cut at " << n;
    }
    for (std::size_t at = 0; at < good.size(); ++at) {
        for (const char value : {'\xFF', '\x80', '\0'}) {
            std::string b = good;
            b[at] = value;
            RecordingCanvas rec;
            Emf::Play(b, rec, {0, 0, 100, 100});
            ASSERT_TRUE(rec.SelectionsBalanced()) << "byte " << at;
        }
    }
}

TEST(EmfPlayer, SkipsUnknownRecords) {
    EmfCanvas canvas({50, 50});
    canvas.Rectangle({0, 0, 10, 10});
    std::string b = canvas.Bytes();
    const std::vector<Rec> recs = Walk(b);
    // An unknown record of 16 bytes before the rectangle.
    std::string unknown("\x99\x01\0\0\x10\0\0\0\xAA\xAA\xAA\xAA\xBB\xBB\xBB\xBB", 16);
    b.insert(recs[3].offset, unknown);
    RecordingCanvas rec;
    ASSERT_TRUE(Emf::Play(b, rec, {0, 0, 10, 10}));
    EXPECT_EQ(rec.CallsOf(RecordingCanvas::Op::Rectangle).size(), 1u);
}

// ---- Metafiles in files ---------------------------------------------------

TEST(Metafile, SavesAndLoadsThroughTheProgramFolder) {
    TempFolder dir;
    EmfCanvas canvas({200, 150});
    Draw(canvas);
    const Metafile picture = canvas.Picture();
    picture.Save("Emf\\Scena.emf");
    EXPECT_EQ(dir.Get("Emf/Scena.emf"), canvas.Bytes());
    // Names are matched without regard to letter case.
    const Metafile back = Metafile::Load("EMF\\SCENA.EMF");
    EXPECT_EQ(back.Bytes(), picture.Bytes());
    EXPECT_EQ(back.Bounds(), (CanvasRect{9, 20, 192, 145}));
    EXPECT_EQ(back.Frame(), (CanvasRect{0, 0, 5291, 3968}));
    EXPECT_EQ(EmfCanvas({10, 10}).Picture().Bounds(), CanvasRect{});
}

TEST(Metafile, MissingAndDamagedFilesThrowIoErrors) {
    TempFolder dir;
    try {
        Metafile::Load("Simboli\\PiaX01.emf");
        FAIL() << "no error for a missing file";
    } catch (const IoError& e) {
        EXPECT_EQ(e.Operation(), "lettura");
        EXPECT_EQ(e.File(), "Simboli\\PiaX01.emf");
    }
    std::string damaged = SceneBytes();
    damaged.resize(damaged.size() - 20); // no end record
    dir.Put("Simboli/PiaX02.emf", damaged);
    try {
        Metafile::Load("Simboli\\PiaX02.emf");
        FAIL() << "no error for a damaged file";
    } catch (const IoError& e) {
        EXPECT_EQ(e.Operation(), "lettura");
        EXPECT_EQ(e.Detail(), "metafile non valido");
        EXPECT_NE(ErrorMessageFor(e).find("PiaX02.emf"), std::string::npos);
    }
    EXPECT_FALSE(Metafile::FromBytes(damaged).has_value());
    EXPECT_FALSE(Metafile::FromBytes("").has_value());
    EXPECT_TRUE(Metafile::FromBytes(SceneBytes()).has_value());
}

// StretchDraw plays the picture through the canvas: the recording canvas
// keeps the call, then the picture's own drawing, stretched into the box,
// and the canvas's state is as it was.
TEST(Metafile, StretchDrawPlaysIntoTheBox) {
    using Op = RecordingCanvas::Op;
    EmfCanvas source({100, 100});
    source.SelectBrush({Red});
    source.Rectangle({0, 0, 10, 20}); // bounds 0..9 x 0..19
    source.ReleaseBrush();
    source.SetTextColor(CanvasRgb(0, 0, 255));
    source.SetBackgroundMode(BackgroundMode::Transparent);
    source.TextOut({1, 1}, "x"); // inside the rectangle's bounds
    const Metafile picture = source.Picture();

    RecordingCanvas rec;
    rec.SetTextColor(CanvasRgb(1, 2, 3));
    rec.MoveTo({7, 7});
    rec.Clear();
    rec.StretchDraw(picture, {100, 200, 120, 240});
    ASSERT_FALSE(rec.Calls().empty());
    EXPECT_EQ(rec.Calls().front().op, Op::StretchDraw);
    EXPECT_EQ(rec.Calls().front().box, (CanvasRect{100, 200, 120, 240}));
    EXPECT_EQ(rec.Calls().front().metafile, &picture);
    const auto rects = rec.CallsOf(Op::Rectangle);
    ASSERT_EQ(rects.size(), 1u);
    EXPECT_EQ(rects[0].box, (CanvasRect{100, 200, 120, 240}));
    EXPECT_EQ(rects[0].brush.color, Red);
    const auto texts = rec.CallsOf(Op::TextOut);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].points[0], (CanvasPoint{102, 202}));
    EXPECT_EQ(texts[0].textColor, CanvasRgb(0, 0, 255));
    EXPECT_EQ(texts[0].font.height, 32); // the stock font's 16-unit cell, stretched twice
    EXPECT_TRUE(rec.SelectionsBalanced());
    EXPECT_EQ(rec.TextColor(), CanvasRgb(1, 2, 3));
    EXPECT_EQ(rec.Background(), BackgroundMode::Opaque);
    EXPECT_EQ(rec.CurrentPoint(), (CanvasPoint{7, 7}));
}

} // namespace
