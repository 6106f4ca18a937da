#include "platform/FontMetrics.h"

#include <string>

const FontMetricsEntry& FontMetricsOf(const CanvasFont& font) {
    const std::string family = ResolveFontFace(font.face);
    const FontMetricsEntry* fallback = nullptr;
    for (std::size_t i = 0; i < kFontMetricsCount; ++i) {
        const FontMetricsEntry& e = kFontMetrics[i];
        if (e.bold != font.bold || e.italic != font.italic) continue;
        if (e.family == family) return e;
        if (e.family == "Liberation Sans") fallback = &e;
    }
    return fallback ? *fallback : kFontMetrics[0];
}

FontMeasure::FontMeasure(const CanvasFont& font) : m_(&FontMetricsOf(font)) {
    const double upem = m_->unitsPerEm > 0 ? m_->unitsPerEm : 2048;
    const int cellUnits = m_->ascent + m_->descent;
    if (font.height < 0) em_ = -font.height;
    else if (font.height > 0 && cellUnits > 0) em_ = font.height * upem / cellUnits;
    else em_ = 16 * upem / (cellUnits > 0 ? cellUnits : upem); // height 0: the default cell
}

double FontMeasure::Ascent() const { return em_ * m_->ascent / m_->unitsPerEm; }
double FontMeasure::Descent() const { return em_ * m_->descent / m_->unitsPerEm; }
double FontMeasure::Advance(unsigned char byte) const { return em_ * m_->advance[byte] / m_->unitsPerEm; }

double FontMeasure::Width(std::string_view text) const {
    long units = 0;
    for (char c : text) units += m_->advance[static_cast<unsigned char>(c)];
    return em_ * double(units) / m_->unitsPerEm;
}
