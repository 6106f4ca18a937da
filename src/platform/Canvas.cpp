#include "platform/Canvas.h"

#include "platform/Emf.h"

#include <cctype>
#include <cmath>
#include <numbers>

namespace {

bool SameFace(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

// Parameter angle of the ellipse point on the ray from the centre through p.
double ParameterDegrees(const CanvasRect& box, CanvasPoint p) {
    const double cx = (box.left + box.right) / 2.0, cy = (box.top + box.bottom) / 2.0;
    const double a = std::abs(box.right - box.left) / 2.0, b = std::abs(box.bottom - box.top) / 2.0;
    const double dx = p.x - cx, dy = cy - p.y; // upwards positive: counter-clockwise on the device
    if (a == 0 || b == 0 || (dx == 0 && dy == 0)) return 0;
    double deg = std::atan2(dy / b, dx / a) * 180.0 / std::numbers::pi;
    if (deg < 0) deg += 360;
    return deg;
}

} // namespace

std::string ResolveFontFace(std::string_view face) {
    struct Alias {
        std::string_view face, family;
    };
    static constexpr Alias aliases[] = {
        {"Arial", "Liberation Sans"},
        {"Courier", "Liberation Mono"},
        {"Courier New", "Liberation Mono"},
        {"Times New Roman", "Liberation Serif"},
    };
    for (const Alias& a : aliases)
        if (SameFace(face, a.face)) return std::string(a.family);
    return std::string(face);
}

ArcAngles ArcAnglesOf(const CanvasRect& box, CanvasPoint start, CanvasPoint end) {
    ArcAngles r;
    r.startDegrees = ParameterDegrees(box, start);
    const double e = ParameterDegrees(box, end);
    double sweep = e - r.startDegrees;
    if (sweep <= 0) sweep += 360;
    r.sweepDegrees = sweep;
    return r;
}

Canvas::Canvas() : pens_{CanvasPen{}}, brushes_{CanvasBrush{}}, fonts_{CanvasFont{}} {}

Canvas::~Canvas() = default;

void Canvas::SelectPen(const CanvasPen& pen) {
    pens_.push_back(pen);
    OnStateChange(StateChange::SelectPen);
}

void Canvas::ReleasePen() {
    if (pens_.size() <= 1) {
        ++strayReleases_;
        return;
    }
    pens_.pop_back();
    OnStateChange(StateChange::ReleasePen);
}

void Canvas::SelectBrush(const CanvasBrush& brush) {
    brushes_.push_back(brush);
    OnStateChange(StateChange::SelectBrush);
}

void Canvas::ReleaseBrush() {
    if (brushes_.size() <= 1) {
        ++strayReleases_;
        return;
    }
    brushes_.pop_back();
    OnStateChange(StateChange::ReleaseBrush);
}

void Canvas::SelectFont(const CanvasFont& font) {
    fonts_.push_back(font);
    OnStateChange(StateChange::SelectFont);
}

void Canvas::ReleaseFont() {
    if (fonts_.size() <= 1) {
        ++strayReleases_;
        return;
    }
    fonts_.pop_back();
    OnStateChange(StateChange::ReleaseFont);
}

int Canvas::OpenSelections() const {
    return int(pens_.size() - 1 + brushes_.size() - 1 + fonts_.size() - 1);
}

void Canvas::MoveTo(CanvasPoint p) {
    position_ = p;
    DoMoveTo(p);
}

void Canvas::LineTo(CanvasPoint p) {
    const CanvasPoint from = position_;
    position_ = p;
    DoLine(from, p);
}

void Canvas::Polyline(const std::vector<CanvasPoint>& points) {
    if (points.size() >= 2) DoPolyline(points);
}

void Canvas::Polygon(const std::vector<CanvasPoint>& points) {
    if (points.size() >= 2) DoPolygon(points);
}

void Canvas::Rectangle(const CanvasRect& box) { DoRectangle(box); }

void Canvas::Ellipse(const CanvasRect& box) { DoEllipse(box); }

void Canvas::Arc(const CanvasRect& box, CanvasPoint start, CanvasPoint end) { DoArc(box, start, end); }

void Canvas::TextOut(CanvasPoint at, std::string_view text, unsigned align) {
    if (!text.empty()) DoTextOut(at, text, align);
}

void Canvas::StretchDraw(const Metafile& metafile, const CanvasRect& box) {
    DoStretchDraw(metafile, box);
    Emf::Play(metafile.Bytes(), *this, box);
}
