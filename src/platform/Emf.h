#pragma once
// Enhanced metafiles in Microsoft's record format, written as a canvas
// backend: whatever is drawn on an EmfCanvas becomes EMF records in device
// units (one logical unit per device unit), little-endian, each record a
// multiple of 4 bytes. Pens, brushes and fonts become GDI objects created
// when selected and deleted when released; texts are written in UTF-16 from
// their Windows-1252 bytes, fonts with the ANSI character set.
#include "platform/Canvas.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace Emf {
// Record types the writer emits.
enum RecordType : std::uint32_t {
    Header = 1, PolygonL = 3, PolylineL = 4, Eof = 14, SetBkMode = 18, SetPolyFillMode = 19, SetTextAlign = 22,
    SetTextColor = 24, SetBkColor = 25, MoveToEx = 27, SelectObject = 37, CreatePen = 38,
    CreateBrushIndirect = 39, DeleteObject = 40, Ellipse = 42, Rectangle = 43, Arc = 45,
    LineTo = 54, ExtCreateFontIndirectW = 82, ExtTextOutW = 84, Polygon16 = 86, Polyline16 = 87,
};
// Stock objects a fresh device context starts with.
constexpr std::uint32_t StockWhiteBrush = 0x80000000u, StockBlackPen = 0x80000007u;

// Whether the bytes are a metafile the player takes: a header first, an end
// record last and exactly at the end, every record size a multiple of 4, at
// least as large as its record type needs and inside the file, every count
// of points or characters inside its record.
bool IsValid(std::string_view bytes);

// Replays a metafile onto a canvas, stretching the picture's bounds into
// `box`. The whole file is checked first (IsValid): a file that fails is
// refused and nothing is drawn (false). Unknown records are skipped. Every
// object the playback selects is released before it returns, and the
// canvas's text colours, background mode, fill mode and current point are
// as they were before.
bool Play(std::string_view bytes, Canvas& canvas, const CanvasRect& box);
} // namespace Emf

// A picture held in memory as the bytes of a checked enhanced metafile.
class Metafile {
public:
    // Reads and checks a file of the program folder (names as ProgramPath
    // resolves them). Throws IoError("lettura") when the file is missing or
    // unreadable, and when its content is not a metafile the player takes
    // (detail "metafile non valido").
    static Metafile Load(std::string_view fileName);
    // The picture of the bytes, or nothing when they fail Emf::IsValid.
    static std::optional<Metafile> FromBytes(std::string bytes);

    const std::string& Bytes() const { return bytes_; }
    // Writes the bytes atomically; throws IoError.
    void Save(std::string_view fileName) const;

    // The picture's bounds in device units, right and bottom one past the
    // last unit drawn (empty for an empty picture).
    CanvasRect Bounds() const;
    // The frame in hundredths of a millimetre, inclusive, as the header
    // stores it.
    CanvasRect Frame() const;

private:
    explicit Metafile(std::string bytes) : bytes_(std::move(bytes)) {}
    std::string bytes_;
};

class EmfCanvas : public Canvas {
public:
    // A picture of `size` device units at `dotsPerInch`; the frame and the
    // reference device's millimetres follow from the two.
    explicit EmfCanvas(CanvasSize size, int dotsPerInch = 96);

    // The whole file as drawn so far: header, records, end-of-file record.
    std::string Bytes() const;
    // Writes Bytes() atomically; throws IoError.
    void Save(std::string_view fileName) const;
    // The picture drawn so far.
    Metafile Picture() const;

    // Measured with the advance widths of the installed font the face
    // resolves to (platform/FontMetrics.h): the sum of the advances and the
    // cell (ascent plus descent), rounded to device units.
    CanvasSize TextExtent(std::string_view text) const override;

protected:
    void OnStateChange(StateChange change) override;
    void DoMoveTo(CanvasPoint p) override;
    void DoLine(CanvasPoint from, CanvasPoint to) override;
    void DoPolyline(const std::vector<CanvasPoint>& points) override;
    void DoPolygon(const std::vector<CanvasPoint>& points) override;
    void DoRectangle(const CanvasRect& box) override;
    void DoEllipse(const CanvasRect& box) override;
    void DoArc(const CanvasRect& box, CanvasPoint start, CanvasPoint end) override;
    void DoTextOut(CanvasPoint at, std::string_view text, unsigned align) override;

private:
    class Record;
    void Append(const Record& r);
    std::uint32_t NewHandle();
    void FreeHandle(std::uint32_t h);
    void Select(std::uint32_t h);
    std::uint32_t CreatePenObject(const CanvasPen& pen);
    std::uint32_t CreateBrushObject(const CanvasBrush& brush);
    std::uint32_t CreateFontObject(const CanvasFont& font);
    void Release(std::vector<std::uint32_t>& stack);
    void Touch(int left, int top, int right, int bottom);
    void Poly(std::uint32_t type16, std::uint32_t type32, const std::vector<CanvasPoint>& points);
    void SyncTextState(unsigned align);

    CanvasSize size_;
    int dotsPerInch_;
    std::string records_; // every record after the header, before EOF
    std::uint32_t recordCount_ = 0;
    std::vector<bool> handlesInUse_{true}; // index 0 is the metafile itself
    std::vector<std::uint32_t> pens_, brushes_, fonts_; // handles, stock first
    bool hasBounds_ = false;
    int boundsLeft_ = 0, boundsTop_ = 0, boundsRight_ = 0, boundsBottom_ = 0;
    CanvasPoint position_;
    // Text state as last written (the device context's defaults at start).
    CanvasColor textColor_ = 0, backgroundColor_ = 0xFFFFFF;
    BackgroundMode backgroundMode_ = BackgroundMode::Opaque;
    unsigned align_ = 0;
    PolyFillMode fillMode_ = PolyFillMode::Alternate;
};
