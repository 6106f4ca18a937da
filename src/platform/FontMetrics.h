#pragma once
// Advance widths of the installed fonts the program's faces resolve to, for
// measuring text where no rasteriser is at hand (the metafile writer). The
// table is generated at build time from the TrueType files (tools/
// mkfontmetrics): for each font the advance of every Windows-1252 byte and
// the ascent and descent, all in font units.
#include "platform/Canvas.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

struct FontMetricsEntry {
    std::string_view family; // installed family, as ResolveFontFace names it
    bool bold = false;
    bool italic = false;
    int unitsPerEm = 2048;
    int ascent = 0;  // font units above the baseline
    int descent = 0; // font units below the baseline, positive
    std::array<std::uint16_t, 256> advance{}; // font units, by Windows-1252 byte
};

// The generated table.
extern const FontMetricsEntry kFontMetrics[];
extern const std::size_t kFontMetricsCount;

// The metrics of a font of the program: its face resolved to the installed
// family, then the style. A family not in the table measures as Liberation
// Sans (what the font matcher substitutes for an unknown sans face).
const FontMetricsEntry& FontMetricsOf(const CanvasFont& font);

// A font's measures in device units, from its height (the device-context
// convention: negative the em, positive the cell).
class FontMeasure {
public:
    explicit FontMeasure(const CanvasFont& font);
    double Em() const { return em_; }
    double Ascent() const;
    double Descent() const;
    double Advance(unsigned char byte) const;
    // Sum of the advances of the text, unrounded.
    double Width(std::string_view text) const;

private:
    const FontMetricsEntry* m_;
    double em_; // device units per em
};
