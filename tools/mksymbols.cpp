// Draws the symbol metafiles of the program folder:
// - Simboli\PiaXnn.emf, the planets and points 01..20, in colour for the
//   chart window's black background; Simboli\PiaXBnn.emf in white (black and
//   white on the screen) and Simboli\PiaXNnn.emf in black (black and white on
//   paper and in metafiles);
// - Zodiaco\SegMnn.emf, the signs 01 Aries .. 12 Pisces, with SegMBnn.emf
//   and SegMNnn.emf likewise.
// Usage: mksymbols FONT_FILE OUTPUT_DIR
//
// Each glyph is the outline of a character of the font file (DejaVu Sans,
// Debian's fonts-dejavu-core), flattened into filled polygons with a null
// pen, one for each island of ink with its holes. The picture is a fixed square of PictureUnits, with the glyph
// scaled to GlyphUnits in its larger dimension and centred: the players
// stretch a picture's bounds into the target square, so every symbol keeps
// its proportions and its centre whatever its shape. The bounds are held to
// the whole square by a frame rectangle drawn with a null pen and a null
// brush, which leaves the margin transparent. The symbols carry no click dot:
// the wheel draws it on top.
//
// The output depends only on the font file and the tables below: the same
// bytes on every run.
#include "platform/Canvas.h"
#include "platform/Emf.h"
#include "platform/ProgramPath.h"

#include <QGuiApplication>
#include <QList>
#include <QPainterPath>
#include <QPolygonF>
#include <QRawFont>
#include <QString>
#include <QTransform>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

constexpr int PictureUnits = 1000; // side of the square picture, device units
constexpr int GlyphUnits = 880;    // larger side of the glyph: a margin of 6% on each side
constexpr int DotsPerInch = 2540;  // so that the picture's frame is 10 mm square

struct Symbol {
    int number;             // file number, two digits in the name
    std::u32string text;    // the characters whose outlines make the glyph
    CanvasColor color;      // colour on the chart window's black background
};

// Planets and points. Traditional colours of middle brightness, so that
// they read both on the chart window's black and on white paper (the
// colour files are also printed and exported when not in black and white):
//   01 Sun          gold            (255, 200,   0)
//   02 Moon         silver          (140, 150, 200)
//   03 Mercury      orange          (255, 150,  40)
//   04 Venus        green           ( 40, 210,  90)
//   05 Mars         red             (255,  50,  40)
//   06 Jupiter      royal blue      ( 90, 130, 255)
//   07 Saturn       lead brown      (190, 150, 100)
//   08 Uranus       electric cyan   (  0, 225, 255)
//   09 Neptune      sea green       ( 40, 200, 170)
//   10 Pluto        crimson         (235,  60, 150)
//   11 north node   grey            (140, 140, 140)
//   12 Black Moon   violet          (175, 115, 235)
//   13 south node   grey            (140, 140, 140)
//   14 Ascendant    amber           (215, 155,   0)  "AS"
//   15 Midheaven    amber           (215, 155,   0)  "MC"
//   16 Ceres        wheat           (200, 160,  80)
//   17 Pallas       steel blue      (150, 180, 215)
//   18 Juno         pink            (255, 135, 185)
//   19 Vesta        coral           (255, 140, 120)
//   20 Chiron       light green     (165, 215, 120)
const std::vector<Symbol>& Planets() {
    static const std::vector<Symbol> table = {
        {1, U"\u2609", CanvasRgb(255, 200, 0)},    // SUN
        {2, U"\u263D", CanvasRgb(140, 150, 200)},  // FIRST QUARTER MOON
        {3, U"\u263F", CanvasRgb(255, 150, 40)},   // MERCURY
        {4, U"\u2640", CanvasRgb(40, 210, 90)},    // FEMALE SIGN (Venus)
        {5, U"\u2642", CanvasRgb(255, 50, 40)},    // MALE SIGN (Mars)
        {6, U"\u2643", CanvasRgb(90, 130, 255)},   // JUPITER
        {7, U"\u2644", CanvasRgb(190, 150, 100)},  // SATURN
        {8, U"\u2645", CanvasRgb(0, 225, 255)},    // URANUS
        {9, U"\u2646", CanvasRgb(40, 200, 170)},   // NEPTUNE
        {10, U"\u2647", CanvasRgb(235, 60, 150)},  // PLUTO
        {11, U"\u260A", CanvasRgb(140, 140, 140)}, // ASCENDING NODE
        {12, U"\u26B8", CanvasRgb(175, 115, 235)}, // BLACK MOON LILITH
        {13, U"\u260B", CanvasRgb(140, 140, 140)}, // DESCENDING NODE
        {14, U"AS", CanvasRgb(215, 155, 0)},
        {15, U"MC", CanvasRgb(215, 155, 0)},
        {16, U"\u26B3", CanvasRgb(200, 160, 80)}, // CERES
        {17, U"\u26B4", CanvasRgb(150, 180, 215)}, // PALLAS
        {18, U"\u26B5", CanvasRgb(255, 135, 185)}, // JUNO
        {19, U"\u26B6", CanvasRgb(255, 140, 120)}, // VESTA
        {20, U"\u26B7", CanvasRgb(165, 215, 120)}, // CHIRON
    };
    return table;
}

// Signs, coloured by element: fire red, earth green, air yellow, water blue.
constexpr CanvasColor Fire = CanvasRgb(255, 70, 50);
constexpr CanvasColor Earth = CanvasRgb(60, 205, 70);
constexpr CanvasColor Air = CanvasRgb(225, 180, 0);
constexpr CanvasColor Water = CanvasRgb(50, 170, 255);

const std::vector<Symbol>& Signs() {
    static const std::vector<Symbol> table = {
        {1, U"\u2648", Fire},   {2, U"\u2649", Earth},  {3, U"\u264A", Air},    // Aries, Taurus, Gemini
        {4, U"\u264B", Water},  {5, U"\u264C", Fire},   {6, U"\u264D", Earth},  // Cancer, Leo, Virgo
        {7, U"\u264E", Air},    {8, U"\u264F", Water},  {9, U"\u2650", Fire},   // Libra, Scorpio, Sagittarius
        {10, U"\u2651", Earth}, {11, U"\u2652", Air},   {12, U"\u2653", Water}, // Capricorn, Aquarius, Pisces
    };
    return table;
}

// The outline of the text in font units of the raw font (pixels at its
// size, Y downwards, the baseline at 0), the glyphs set side by side by
// their advances.
QPainterPath OutlineOf(const QRawFont& font, const std::u32string& text) {
    const QString s = QString::fromUcs4(text.data(), qsizetype(text.size()));
    const QList<quint32> glyphs = font.glyphIndexesForString(s);
    const QList<QPointF> advances = font.advancesForGlyphIndexes(glyphs);
    QPainterPath path;
    QPointF origin(0, 0);
    for (qsizetype i = 0; i < glyphs.size(); ++i) {
        if (glyphs[i] == 0) throw std::runtime_error("a character has no glyph in the font");
        QPainterPath glyph = font.pathForGlyph(glyphs[i]);
        glyph.translate(origin);
        path.addPath(glyph);
        origin += advances[i];
    }
    if (path.isEmpty()) throw std::runtime_error("empty glyph outline");
    return path;
}

QRectF BoundsOf(const QList<QPolygonF>& rings) {
    QRectF r;
    for (const QPolygonF& ring : rings) r = r.united(ring.boundingRect());
    return r;
}

// The closed rings of the glyph in picture units: scaled so that its larger
// side is GlyphUnits, centred in the picture, rounded to whole units, with
// repeated points and rings that rounding flattened dropped.
std::vector<std::vector<CanvasPoint>> RingsOf(const QPainterPath& outline) {
    // Curves are flattened after the transform, to half a picture unit;
    // the first pass only measures the flattened extent.
    const QRectF rough = outline.boundingRect();
    const double k = PictureUnits / std::max(rough.width(), rough.height());
    const QRectF measured = BoundsOf(outline.toSubpathPolygons(QTransform::fromScale(k, k)));
    const double scale = k * GlyphUnits / std::max(measured.width(), measured.height());
    const QPointF centre = measured.center() / k * scale;
    QTransform t;
    t.translate(PictureUnits / 2.0 - centre.x(), PictureUnits / 2.0 - centre.y());
    t.scale(scale, scale);

    std::vector<std::vector<CanvasPoint>> rings;
    for (const QPolygonF& flat : outline.toSubpathPolygons(t)) {
        std::vector<CanvasPoint> ring;
        for (const QPointF& p : flat) {
            const CanvasPoint q{int(std::lround(p.x())), int(std::lround(p.y()))};
            if (ring.empty() || ring.back() != q) ring.push_back(q);
        }
        if (ring.size() > 1 && ring.back() == ring.front()) ring.pop_back();
        if (ring.size() < 3) continue;
        ring.push_back(ring.front()); // closed explicitly: the joins below start and end on it
        rings.push_back(std::move(ring));
    }
    if (rings.empty()) throw std::runtime_error("glyph outline without area");
    return rings;
}

using Ring = std::vector<CanvasPoint>; // closed: the last point repeats the first

// Twice the signed area; positive for a ring that turns clockwise on the
// device (Y downwards).
long long TwiceArea(const Ring& r) {
    long long a = 0;
    for (std::size_t i = 0; i + 1 < r.size(); ++i)
        a += (long long)r[i].x * r[i + 1].y - (long long)r[i + 1].x * r[i].y;
    return a;
}

bool Inside(CanvasPoint p, const Ring& r) {
    bool in = false;
    for (std::size_t i = 0; i + 1 < r.size(); ++i) {
        const CanvasPoint a = r[i], b = r[i + 1];
        if ((a.y > p.y) != (b.y > p.y) &&
            p.x < a.x + double(b.x - a.x) * double(p.y - a.y) / double(b.y - a.y))
            in = !in;
    }
    return in;
}

long long Distance2(CanvasPoint a, CanvasPoint b) {
    const long long dx = a.x - b.x, dy = a.y - b.y;
    return dx * dx + dy * dy;
}

// Joins a hole to the island's outline at their nearest vertices: the
// outline up to that vertex, the whole hole from its nearest vertex round
// to it again, back to the outline's vertex and on. The bridge is run once
// each way, so it adds nothing to either fill rule, and it crosses only the
// ink between the hole and the outline.
void Bridge(Ring& outline, const Ring& hole) {
    std::size_t bi = 0, bj = 0;
    long long best = -1;
    for (std::size_t i = 0; i + 1 < outline.size(); ++i)
        for (std::size_t j = 0; j + 1 < hole.size(); ++j)
            if (const long long d = Distance2(outline[i], hole[j]); best < 0 || d < best) best = d, bi = i, bj = j;
    Ring joined(outline.begin(), outline.begin() + std::ptrdiff_t(bi) + 1);
    joined.insert(joined.end(), hole.begin() + std::ptrdiff_t(bj), hole.end() - 1);
    joined.insert(joined.end(), hole.begin(), hole.begin() + std::ptrdiff_t(bj) + 1);
    joined.insert(joined.end(), outline.begin() + std::ptrdiff_t(bi), outline.end());
    outline = std::move(joined);
}

// The glyph as one polygon per island of ink: each outer ring with the holes
// directly inside it bridged in, so that no join runs through a hole or
// outside the glyph (a reader that outlines the filled shape with a hairline
// would show it). Outer rings turn clockwise and holes the other way, so
// that the alternate and the winding rule fill them alike.
std::vector<Ring> IslandsOf(std::vector<Ring> rings) {
    const std::size_t n = rings.size();
    std::vector<int> depth(n, 0);
    for (std::size_t i = 0; i < n; ++i)
        for (std::size_t j = 0; j < n; ++j)
            if (i != j && Inside(rings[i][0], rings[j])) ++depth[i];
    for (std::size_t i = 0; i < n; ++i)
        if ((TwiceArea(rings[i]) < 0) == (depth[i] % 2 == 0)) std::reverse(rings[i].begin(), rings[i].end());

    std::vector<Ring> islands;
    for (std::size_t o = 0; o < n; ++o) {
        if (depth[o] % 2) continue;
        Ring island = rings[o];
        std::vector<std::size_t> holes;
        for (std::size_t h = 0; h < n; ++h)
            if (depth[h] == depth[o] + 1 && Inside(rings[h][0], rings[o])) holes.push_back(h);
        // Nearest holes first, so that a later bridge meets the earlier ones.
        const auto gap = [&](std::size_t h) {
            long long best = -1;
            for (const CanvasPoint& a : rings[o])
                for (const CanvasPoint& b : rings[h])
                    if (const long long d = Distance2(a, b); best < 0 || d < best) best = d;
            return best;
        };
        std::vector<std::pair<long long, std::size_t>> order;
        for (const std::size_t h : holes) order.push_back({gap(h), h});
        std::sort(order.begin(), order.end());
        for (const auto& [d, h] : order) Bridge(island, rings[h]);
        islands.push_back(std::move(island));
    }
    return islands;
}

void WriteSymbol(const std::string& name, const std::vector<Ring>& islands, CanvasColor color) {
    EmfCanvas canvas({PictureUnits, PictureUnits}, DotsPerInch);
    // The transparent frame that holds the bounds to the square.
    canvas.SelectPen({0, color, PenStyle::Null});
    canvas.SelectBrush({color, BrushStyle::Null});
    canvas.Rectangle({0, 0, PictureUnits, PictureUnits});
    canvas.ReleaseBrush();
    canvas.ReleasePen();
    // The glyph, in the device context's default alternate fill.
    canvas.SelectPen({0, color, PenStyle::Null});
    canvas.SelectBrush({color, BrushStyle::Solid});
    for (const Ring& island : islands) canvas.Polygon(island);
    canvas.ReleaseBrush();
    canvas.ReleasePen();
    canvas.Save(name);
}

std::string TwoDigits(int n) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "%02d", n);
    return buf;
}

void WriteSet(const QRawFont& font, const std::vector<Symbol>& table, const std::string& prefix) {
    constexpr CanvasColor White = CanvasRgb(255, 255, 255), Black = CanvasRgb(0, 0, 0);
    for (const Symbol& s : table) {
        const std::vector<Ring> islands = IslandsOf(RingsOf(OutlineOf(font, s.text)));
        const std::string n = TwoDigits(s.number);
        WriteSymbol(prefix + n + ".emf", islands, s.color);
        WriteSymbol(prefix + "B" + n + ".emf", islands, White);
        WriteSymbol(prefix + "N" + n + ".emf", islands, Black);
    }
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "uso: mksymbols FILE_FONT CARTELLA_USCITA\n");
        return 2;
    }
    // The font database needs a GUI application; no screen is needed.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("offscreen"));
    int qtArgc = 1;
    QGuiApplication app(qtArgc, argv);
    try {
        // A large pixel size keeps the outline's coordinates precise.
        const QRawFont font(QString::fromLocal8Bit(argv[1]), 1000.0, QFont::PreferNoHinting);
        if (!font.isValid()) throw std::runtime_error(std::string("cannot load the font ") + argv[1]);
        const std::filesystem::path out = argv[2];
        std::filesystem::create_directories(out);
        ProgramPath::SetRoot(out);
        WriteSet(font, Planets(), "Simboli\\PiaX");
        WriteSet(font, Signs(), "Zodiaco\\SegM");
    } catch (const std::exception& e) {
        std::fprintf(stderr, "mksymbols: %s\n", e.what());
        return 1;
    }
    return 0;
}
