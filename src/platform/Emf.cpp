#include "platform/Emf.h"

#include "platform/Cp1252.h"
#include "platform/Errors.h"
#include "platform/FontMetrics.h"
#include "platform/TextFile.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <stdexcept>

namespace {
constexpr std::uint32_t Signature = 0x464D4520; // " EMF"
constexpr std::uint32_t HeaderSize = 108;       // with the pixel format and micrometre fields
constexpr std::uint32_t EofSize = 20;

void Put32(std::string& out, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back(char((v >> (8 * i)) & 0xFF));
}
void Set32(std::string& out, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) out[at + i] = char((v >> (8 * i)) & 0xFF);
}

std::uint32_t PenStyleOf(PenStyle s) {
    switch (s) {
    case PenStyle::Solid: return 0; // PS_SOLID
    case PenStyle::Dash: return 1;  // PS_DASH
    case PenStyle::Dot: return 2;   // PS_DOT
    case PenStyle::Null: return 5;  // PS_NULL
    }
    return 0;
}
} // namespace

// One record being put together: type and size first, the size filled in
// when the record is appended, padded to 4 bytes.
class EmfCanvas::Record {
public:
    explicit Record(std::uint32_t type) { Put32(bytes_, type); Put32(bytes_, 0); }
    Record& U32(std::uint32_t v) { Put32(bytes_, v); return *this; }
    Record& I32(int v) { return U32(std::uint32_t(v)); }
    Record& F32(float v) { std::uint32_t u; std::memcpy(&u, &v, 4); return U32(u); }
    Record& U16(std::uint16_t v) { bytes_.push_back(char(v & 0xFF)); bytes_.push_back(char(v >> 8)); return *this; }
    Record& U8(std::uint8_t v) { bytes_.push_back(char(v)); return *this; }
    Record& Point(CanvasPoint p) { return I32(p.x).I32(p.y); }
    Record& Rect(int l, int t, int r, int b) { return I32(l).I32(t).I32(r).I32(b); }
    Record& Box(const CanvasRect& b) { return Rect(b.left, b.top, b.right, b.bottom); }
    Record& Pad() { while (bytes_.size() % 4) bytes_.push_back(0); return *this; }
    std::size_t Size() const { return bytes_.size(); }
    std::string Finished() const {
        std::string out = bytes_;
        while (out.size() % 4) out.push_back(0);
        Set32(out, 4, std::uint32_t(out.size()));
        return out;
    }

private:
    std::string bytes_;
};

EmfCanvas::EmfCanvas(CanvasSize size, int dotsPerInch)
    : size_(size), dotsPerInch_(dotsPerInch > 0 ? dotsPerInch : 96) {
    pens_.push_back(Emf::StockBlackPen);
    brushes_.push_back(Emf::StockWhiteBrush);
    // The canvas starts with its own font (Arial), not the device's system font.
    fonts_.push_back(CreateFontObject(CurrentFont()));
    Select(fonts_.back());
}

void EmfCanvas::Append(const Record& r) {
    records_ += r.Finished();
    ++recordCount_;
}

std::uint32_t EmfCanvas::NewHandle() {
    for (std::uint32_t i = 1; i < handlesInUse_.size(); ++i)
        if (!handlesInUse_[i]) { handlesInUse_[i] = true; return i; }
    handlesInUse_.push_back(true);
    return std::uint32_t(handlesInUse_.size() - 1);
}

void EmfCanvas::FreeHandle(std::uint32_t h) {
    if (h & 0x80000000u) return;
    Append(Record(Emf::DeleteObject).U32(h));
    handlesInUse_[h] = false;
}

void EmfCanvas::Select(std::uint32_t h) { Append(Record(Emf::SelectObject).U32(h)); }

std::uint32_t EmfCanvas::CreatePenObject(const CanvasPen& pen) {
    const std::uint32_t h = NewHandle();
    Append(Record(Emf::CreatePen).U32(h).U32(PenStyleOf(pen.style)).I32(pen.width).I32(0).U32(pen.color));
    return h;
}

std::uint32_t EmfCanvas::CreateBrushObject(const CanvasBrush& brush) {
    const std::uint32_t h = NewHandle();
    Append(Record(Emf::CreateBrushIndirect).U32(h)
               .U32(brush.style == BrushStyle::Null ? 1 : 0) // BS_NULL : BS_SOLID
               .U32(brush.color).U32(0));
    return h;
}

std::uint32_t EmfCanvas::CreateFontObject(const CanvasFont& font) {
    const std::uint32_t h = NewHandle();
    Record r(Emf::ExtCreateFontIndirectW);
    r.U32(h).I32(font.height).I32(0).I32(0).I32(0).I32(font.bold ? 700 : 400);
    r.U8(font.italic ? 1 : 0).U8(0).U8(0).U8(0 /* ANSI_CHARSET */);
    r.U8(0).U8(0).U8(0).U8(0); // precisions, quality, pitch and family: defaults
    const std::size_t n = std::min<std::size_t>(font.face.size(), 31);
    for (std::size_t i = 0; i < 32; ++i)
        r.U16(i < n ? std::uint16_t(Cp1252::ToUnicode(static_cast<unsigned char>(font.face[i]))) : 0);
    Append(r);
    return h;
}

void EmfCanvas::Release(std::vector<std::uint32_t>& stack) {
    const std::uint32_t released = stack.back();
    stack.pop_back();
    Select(stack.back());
    FreeHandle(released);
}

void EmfCanvas::OnStateChange(StateChange change) {
    switch (change) {
    case StateChange::SelectPen: pens_.push_back(CreatePenObject(CurrentPen())); Select(pens_.back()); break;
    case StateChange::SelectBrush: brushes_.push_back(CreateBrushObject(CurrentBrush())); Select(brushes_.back()); break;
    case StateChange::SelectFont: fonts_.push_back(CreateFontObject(CurrentFont())); Select(fonts_.back()); break;
    case StateChange::ReleasePen: Release(pens_); break;
    case StateChange::ReleaseBrush: Release(brushes_); break;
    case StateChange::ReleaseFont: Release(fonts_); break;
    }
}

void EmfCanvas::Touch(int left, int top, int right, int bottom) {
    if (!hasBounds_) {
        boundsLeft_ = left, boundsTop_ = top, boundsRight_ = right, boundsBottom_ = bottom;
        hasBounds_ = true;
        return;
    }
    boundsLeft_ = std::min(boundsLeft_, left);
    boundsTop_ = std::min(boundsTop_, top);
    boundsRight_ = std::max(boundsRight_, right);
    boundsBottom_ = std::max(boundsBottom_, bottom);
}

void EmfCanvas::DoMoveTo(CanvasPoint p) {
    Append(Record(Emf::MoveToEx).Point(p));
    position_ = p;
}

void EmfCanvas::DoLine(CanvasPoint from, CanvasPoint to) {
    if (from != position_) DoMoveTo(from);
    Append(Record(Emf::LineTo).Point(to));
    position_ = to;
    const int w = std::max(1, CurrentPen().width) / 2;
    Touch(std::min(from.x, to.x) - w, std::min(from.y, to.y) - w, std::max(from.x, to.x) + w,
          std::max(from.y, to.y) + w);
}

void EmfCanvas::Poly(std::uint32_t type16, std::uint32_t type32, const std::vector<CanvasPoint>& points) {
    int l = points[0].x, t = points[0].y, r = l, b = t;
    bool small = true;
    for (const CanvasPoint& p : points) {
        l = std::min(l, p.x), t = std::min(t, p.y), r = std::max(r, p.x), b = std::max(b, p.y);
        small = small && p.x >= -32768 && p.x <= 32767 && p.y >= -32768 && p.y <= 32767;
    }
    Record rec(small ? type16 : type32);
    rec.Rect(l, t, r, b).U32(std::uint32_t(points.size()));
    for (const CanvasPoint& p : points) {
        if (small) rec.U16(std::uint16_t(std::int16_t(p.x))).U16(std::uint16_t(std::int16_t(p.y)));
        else rec.Point(p);
    }
    Append(rec);
    Touch(l, t, r, b);
}

void EmfCanvas::DoPolyline(const std::vector<CanvasPoint>& points) {
    Poly(Emf::Polyline16, Emf::PolylineL, points);
}

void EmfCanvas::DoPolygon(const std::vector<CanvasPoint>& points) {
    if (FillMode() != fillMode_) {
        fillMode_ = FillMode();
        Append(Record(Emf::SetPolyFillMode).U32(std::uint32_t(fillMode_)));
    }
    Poly(Emf::Polygon16, Emf::PolygonL, points);
}

void EmfCanvas::DoRectangle(const CanvasRect& box) {
    Append(Record(Emf::Rectangle).Box(box));
    Touch(box.left, box.top, box.right - 1, box.bottom - 1);
}

void EmfCanvas::DoEllipse(const CanvasRect& box) {
    Append(Record(Emf::Ellipse).Box(box));
    Touch(box.left, box.top, box.right - 1, box.bottom - 1);
}

void EmfCanvas::DoArc(const CanvasRect& box, CanvasPoint start, CanvasPoint end) {
    Append(Record(Emf::Arc).Box(box).Point(start).Point(end));
    Touch(box.left, box.top, box.right - 1, box.bottom - 1);
}

void EmfCanvas::SyncTextState(unsigned align) {
    if (TextColor() != textColor_) {
        textColor_ = TextColor();
        Append(Record(Emf::SetTextColor).U32(textColor_));
    }
    if (Background() != backgroundMode_) {
        backgroundMode_ = Background();
        Append(Record(Emf::SetBkMode).U32(std::uint32_t(backgroundMode_)));
    }
    if (backgroundMode_ == BackgroundMode::Opaque && BackgroundColor() != backgroundColor_) {
        backgroundColor_ = BackgroundColor();
        Append(Record(Emf::SetBkColor).U32(backgroundColor_));
    }
    if (align != align_) {
        align_ = align;
        Append(Record(Emf::SetTextAlign).U32(align_));
    }
}

CanvasSize EmfCanvas::TextExtent(std::string_view text) const {
    const FontMeasure m(CurrentFont());
    return {int(std::lround(m.Width(text))), int(std::lround(m.Ascent() + m.Descent()))};
}

void EmfCanvas::DoTextOut(CanvasPoint at, std::string_view text, unsigned align) {
    SyncTextState(align);
    const FontMeasure m(CurrentFont());
    const CanvasSize extent = TextExtent(text);
    int left = at.x;
    if ((align & TextAlign::HorizontalMask) == TextAlign::Center) left -= extent.cx / 2;
    else if ((align & TextAlign::HorizontalMask) == TextAlign::Right) left -= extent.cx;
    int top = at.y;
    if ((align & TextAlign::VerticalMask) == TextAlign::Bottom) top -= extent.cy;
    else if ((align & TextAlign::VerticalMask) == TextAlign::Baseline) top -= int(std::lround(m.Ascent()));
    const int right = left + extent.cx, bottom = top + extent.cy;

    const auto n = std::uint32_t(text.size());
    constexpr std::uint32_t offString = 76;
    const std::uint32_t offDx = offString + ((2 * n + 3) & ~3u);
    Record r(Emf::ExtTextOutW);
    r.Rect(left, top, right, bottom);
    r.U32(1 /* GM_COMPATIBLE */).F32(1.0f).F32(1.0f);
    r.Point(at).U32(n).U32(offString).U32(0 /* no options */).Rect(left, top, right, bottom).U32(offDx);
    for (char c : text) r.U16(std::uint16_t(Cp1252::ToUnicode(static_cast<unsigned char>(c))));
    r.Pad();
    // The spacing of each character: differences of the rounded running
    // advance, so that the steps add up to the measured width.
    double run = 0;
    for (char c : text) {
        const double next = run + m.Advance(static_cast<unsigned char>(c));
        r.I32(int(std::lround(next)) - int(std::lround(run)));
        run = next;
    }
    Append(r);
    if (extent.cx > 0) Touch(left, top, right - 1, bottom - 1);
}

std::string EmfCanvas::Bytes() const {
    const auto frame = [&](int units) { return int(std::lround(units * 2540.0 / dotsPerInch_)) - 1; };
    const auto millimetres = [&](int units) { return int(std::lround(units * 25.4 / dotsPerInch_)); };
    const auto micrometres = [&](int units) { return int(std::lround(units * 25400.0 / dotsPerInch_)); };
    std::string out;
    out.reserve(HeaderSize + records_.size() + EofSize);
    Put32(out, Emf::Header);
    Put32(out, HeaderSize);
    if (hasBounds_) {
        Put32(out, std::uint32_t(boundsLeft_)); Put32(out, std::uint32_t(boundsTop_));
        Put32(out, std::uint32_t(boundsRight_)); Put32(out, std::uint32_t(boundsBottom_));
    } else { // an empty picture
        Put32(out, 0); Put32(out, 0); Put32(out, std::uint32_t(-1)); Put32(out, std::uint32_t(-1));
    }
    Put32(out, 0); Put32(out, 0); Put32(out, std::uint32_t(frame(size_.cx))); Put32(out, std::uint32_t(frame(size_.cy)));
    Put32(out, Signature);
    Put32(out, 0x10000); // version
    Put32(out, std::uint32_t(HeaderSize + records_.size() + EofSize));
    Put32(out, recordCount_ + 2);
    Put32(out, std::uint32_t(handlesInUse_.size()) & 0xFFFF); // nHandles, reserved 0
    Put32(out, 0); Put32(out, 0); // no description
    Put32(out, 0);                // no palette
    Put32(out, std::uint32_t(size_.cx)); Put32(out, std::uint32_t(size_.cy));
    Put32(out, std::uint32_t(millimetres(size_.cx))); Put32(out, std::uint32_t(millimetres(size_.cy)));
    Put32(out, 0); Put32(out, 0); Put32(out, 0); // no pixel format, no OpenGL
    Put32(out, std::uint32_t(micrometres(size_.cx))); Put32(out, std::uint32_t(micrometres(size_.cy)));
    out += records_;
    Put32(out, Emf::Eof); Put32(out, EofSize); Put32(out, 0); Put32(out, 16); Put32(out, EofSize);
    return out;
}

void EmfCanvas::Save(std::string_view fileName) const { WriteFileAtomic(fileName, Bytes()); }

Metafile EmfCanvas::Picture() const {
    std::optional<Metafile> m = Metafile::FromBytes(Bytes());
    if (!m) throw std::logic_error("metafile writer produced a file its player refuses");
    return std::move(*m);
}

namespace {
struct Reader {
    std::string_view b;
    std::uint32_t U32(std::size_t at) const {
        std::uint32_t v = 0;
        for (int i = 3; i >= 0; --i) v = (v << 8) | static_cast<unsigned char>(b[at + i]);
        return v;
    }
    int I32(std::size_t at) const { return int(std::int32_t(U32(at))); }
    int I16(std::size_t at) const {
        return int(std::int16_t(std::uint16_t(static_cast<unsigned char>(b[at]) |
                                              (static_cast<unsigned char>(b[at + 1]) << 8))));
    }
};

// The smallest size a record of a played type may have.
std::uint32_t MinimumSize(std::uint32_t type) {
    switch (type) {
    case Emf::Header: return 88;
    case Emf::Eof: return 20;
    case Emf::SetBkMode: case Emf::SetPolyFillMode: case Emf::SetTextAlign: case Emf::SetTextColor: case Emf::SetBkColor:
    case Emf::SelectObject: case Emf::DeleteObject: return 12;
    case Emf::MoveToEx: case Emf::LineTo: return 16;
    case Emf::Rectangle: case Emf::Ellipse: return 24;
    case Emf::Arc: return 40;
    case Emf::CreatePen: return 28;
    case Emf::CreateBrushIndirect: return 24;
    case Emf::ExtCreateFontIndirectW: return 104;
    case Emf::ExtTextOutW: return 76;
    case Emf::PolygonL: case Emf::PolylineL: case Emf::Polygon16: case Emf::Polyline16: return 28;
    default: return 8;
    }
}
} // namespace

bool Emf::IsValid(std::string_view bytes) {
    const Reader r{bytes};
    if (bytes.size() < 88 || r.U32(0) != Header || r.U32(40) != 0x464D4520) return false;
    bool sawEof = false;
    for (std::size_t at = 0; at < bytes.size();) {
        if (bytes.size() - at < 8) return false;
        const std::uint32_t type = r.U32(at), size = r.U32(at + 4);
        if (size < 8 || size % 4 || size > bytes.size() - at || size < MinimumSize(type)) return false;
        if ((at == 0) != (type == Header)) return false;
        const std::size_t end = at + size;
        if (type == PolygonL || type == PolylineL || type == Polygon16 || type == Polyline16) {
            const std::uint64_t n = r.U32(at + 24), each = (type == Polygon16 || type == Polyline16) ? 4 : 8;
            if (n > (size - 28) / each) return false;
        } else if (type == ExtTextOutW) {
            const std::uint64_t n = r.U32(at + 44), off = r.U32(at + 48);
            if (n > size || off > size || off + 2 * n > size) return false;
        }
        at = end;
        if (type == Eof) { sawEof = true; if (at != bytes.size()) return false; }
    }
    return sawEof;
}

bool Emf::Play(std::string_view bytes, Canvas& canvas, const CanvasRect& box) {
    // Check every record before drawing anything.
    if (!IsValid(bytes)) return false;
    const Reader r{bytes};

    // Bounds and coordinates in double: damaged values must not overflow.
    const double bl = r.I32(8), bt = r.I32(12), bw = r.I32(16) - bl + 1, bh = r.I32(20) - bt + 1;
    const double sx = bw > 0 ? (double(box.right) - box.left) / bw : 1.0;
    const double sy = bh > 0 ? (double(box.bottom) - box.top) / bh : 1.0;
    const auto clamp = [](double v) { return int(std::lround(std::clamp(v, -1e9, 1e9))); };
    const auto X = [&](int x) { return clamp(box.left + (x - bl) * sx); };
    const auto Y = [&](int y) { return clamp(box.top + (y - bt) * sy); };
    const auto P = [&](std::size_t at) { return CanvasPoint{X(r.I32(at)), Y(r.I32(at + 4))}; };
    const auto B = [&](std::size_t at) { return CanvasRect{X(r.I32(at)), Y(r.I32(at + 4)), X(r.I32(at + 8)), Y(r.I32(at + 12))}; };

    struct Object { int kind = 0; CanvasPen pen; CanvasBrush brush; CanvasFont font; }; // 1 pen, 2 brush, 3 font
    std::vector<Object> objects(std::max<std::uint32_t>(1, r.U32(56) & 0xFFFF));
    bool penSelected = false, brushSelected = false, fontSelected = false;
    const auto usePen = [&](const CanvasPen& p) { if (penSelected) canvas.ReleasePen(); canvas.SelectPen(p); penSelected = true; };
    const auto useBrush = [&](const CanvasBrush& b) { if (brushSelected) canvas.ReleaseBrush(); canvas.SelectBrush(b); brushSelected = true; };
    const auto useFont = [&](const CanvasFont& f) { if (fontSelected) canvas.ReleaseFont(); canvas.SelectFont(f); fontSelected = true; };
    const auto slot = [&](std::uint32_t h) -> Object* { return h < objects.size() ? &objects[h] : nullptr; };
    unsigned align = 0;
    // The canvas's state, put back after the picture as a device context's
    // playback does.
    const PolyFillMode fillModeBefore = canvas.FillMode();
    const CanvasColor textColorBefore = canvas.TextColor(), backgroundBefore = canvas.BackgroundColor();
    const BackgroundMode modeBefore = canvas.Background();
    const CanvasPoint positionBefore = canvas.CurrentPoint();

    for (std::size_t at = r.U32(4); at < bytes.size(); at += r.U32(at + 4)) {
        const std::uint32_t type = r.U32(at), size = r.U32(at + 4);
        switch (type) {
        case CreatePen: if (Object* o = slot(r.U32(at + 8))) {
            const std::uint32_t style = r.U32(at + 12) & 0xF;
            o->kind = 1;
            o->pen = {clamp(r.I32(at + 16) * sy), r.U32(at + 24) & 0xFFFFFF,
                      style == 1 ? PenStyle::Dash : style == 2 ? PenStyle::Dot : style == 5 ? PenStyle::Null : PenStyle::Solid};
        } break;
        case CreateBrushIndirect: if (Object* o = slot(r.U32(at + 8))) {
            o->kind = 2;
            o->brush = {r.U32(at + 16) & 0xFFFFFF, r.U32(at + 12) == 1 ? BrushStyle::Null : BrushStyle::Solid};
        } break;
        case ExtCreateFontIndirectW: if (Object* o = slot(r.U32(at + 8))) {
            o->kind = 3;
            o->font.height = clamp(r.I32(at + 12) * sy);
            o->font.bold = r.I32(at + 28) >= 600;
            o->font.italic = bytes[at + 32] != 0;
            o->font.face.clear();
            for (std::size_t i = 0; i < 32; ++i) {
                const char32_t c = std::uint16_t(r.I16(at + 40 + 2 * i));
                if (c == 0) break;
                const int byte = Cp1252::FromUnicode(c);
                o->font.face.push_back(byte < 0 ? '?' : char(byte));
            }
        } break;
        case SelectObject: {
            const std::uint32_t h = r.U32(at + 8);
            if (h == StockBlackPen) usePen({});
            else if (h == 0x80000008u) usePen({0, 0, PenStyle::Null});
            else if (h == StockWhiteBrush) useBrush({});
            else if (h == 0x80000005u) useBrush({0, BrushStyle::Null});
            else if (const Object* o = slot(h)) {
                if (o->kind == 1) usePen(o->pen);
                else if (o->kind == 2) useBrush(o->brush);
                else if (o->kind == 3) useFont(o->font);
            }
        } break;
        case DeleteObject: if (Object* o = slot(r.U32(at + 8))) o->kind = 0; break;
        case MoveToEx: canvas.MoveTo(P(at + 8)); break;
        case LineTo: canvas.LineTo(P(at + 8)); break;
        case Rectangle: canvas.Rectangle(B(at + 8)); break;
        case Ellipse: canvas.Ellipse(B(at + 8)); break;
        case Arc: canvas.Arc(B(at + 8), P(at + 24), P(at + 32)); break;
        case PolygonL: case PolylineL: case Polygon16: case Polyline16: {
            const bool small = type == Polygon16 || type == Polyline16;
            std::vector<CanvasPoint> pts(r.U32(at + 24));
            for (std::size_t i = 0; i < pts.size(); ++i) {
                const std::size_t p = at + 28 + i * (small ? 4 : 8);
                pts[i] = small ? CanvasPoint{X(r.I16(p)), Y(r.I16(p + 2))} : P(p);
            }
            if (type == Polygon16 || type == PolygonL) canvas.Polygon(pts);
            else canvas.Polyline(pts);
        } break;
        case SetTextColor: canvas.SetTextColor(r.U32(at + 8) & 0xFFFFFF); break;
        case SetBkColor: canvas.SetBackgroundColor(r.U32(at + 8) & 0xFFFFFF); break;
        case SetBkMode: canvas.SetBackgroundMode(r.U32(at + 8) == 1 ? BackgroundMode::Transparent : BackgroundMode::Opaque); break;
        case SetPolyFillMode: canvas.SetPolyFillMode(r.U32(at + 8) == 2 ? PolyFillMode::Winding : PolyFillMode::Alternate); break;
        case SetTextAlign: align = r.U32(at + 8) & (TextAlign::HorizontalMask | TextAlign::VerticalMask); break;
        case ExtTextOutW: {
            const std::uint32_t n = r.U32(at + 44), off = r.U32(at + 48);
            std::string text;
            for (std::uint32_t i = 0; i < n; ++i) {
                const int byte = Cp1252::FromUnicode(char32_t(std::uint16_t(r.I16(at + off + 2 * i))));
                text.push_back(byte < 0 ? '?' : char(byte));
            }
            canvas.TextOut(P(at + 36), text, align);
        } break;
        default: break;
        }
        (void)size;
    }
    canvas.SetPolyFillMode(fillModeBefore);
    canvas.SetTextColor(textColorBefore);
    canvas.SetBackgroundColor(backgroundBefore);
    canvas.SetBackgroundMode(modeBefore);
    if (canvas.CurrentPoint() != positionBefore) canvas.MoveTo(positionBefore);
    if (penSelected) canvas.ReleasePen();
    if (brushSelected) canvas.ReleaseBrush();
    if (fontSelected) canvas.ReleaseFont();
    return true;
}

Metafile Metafile::Load(std::string_view fileName) {
    std::string bytes = ReadFileBytes(fileName);
    std::optional<Metafile> m = FromBytes(std::move(bytes));
    if (!m) throw IoError(std::string(fileName), "lettura", "metafile non valido");
    return std::move(*m);
}

std::optional<Metafile> Metafile::FromBytes(std::string bytes) {
    if (!Emf::IsValid(bytes)) return std::nullopt;
    return Metafile(std::move(bytes));
}

void Metafile::Save(std::string_view fileName) const { WriteFileAtomic(fileName, bytes_); }

CanvasRect Metafile::Bounds() const {
    const Reader r{bytes_};
    const int l = r.I32(8), t = r.I32(12), rt = r.I32(16), b = r.I32(20);
    if (rt < l || b < t) return {};
    // Inclusive edges become one-past edges; the header's values may be
    // anything a damaged writer put there, so stay inside int.
    const auto past = [](int v) { return v == std::numeric_limits<int>::max() ? v : v + 1; };
    return {l, t, past(rt), past(b)};
}

CanvasRect Metafile::Frame() const {
    const Reader r{bytes_};
    return {r.I32(24), r.I32(28), r.I32(32), r.I32(36)};
}
