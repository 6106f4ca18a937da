// Reads TrueType fonts and writes the C++ table of platform/FontMetrics.h:
// units per em (head), ascent and descent (hhea), and the advance width
// (hmtx) of the glyph that the Unicode character map (cmap, format 4 or 12)
// gives each Windows-1252 byte. A byte without a glyph takes the advance of
// glyph 0, the missing-glyph box a renderer shows for it.
//
//   mkfontmetrics OUT.cpp FAMILY:BOLD:ITALIC:FILE.ttf ...
#include "platform/Cp1252.h"

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <iterator>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

struct Font {
    std::string bytes;
    std::map<std::string, std::pair<std::uint32_t, std::uint32_t>> tables; // tag -> offset, length

    void Need(std::size_t at, std::size_t n) const {
        if (at > bytes.size() || n > bytes.size() - at) throw std::runtime_error("font file cut short");
    }
    std::uint32_t U8(std::size_t at) const { Need(at, 1); return static_cast<unsigned char>(bytes[at]); }
    std::uint32_t U16(std::size_t at) const { return (U8(at) << 8) | U8(at + 1); }
    std::int32_t S16(std::size_t at) const { return std::int16_t(std::uint16_t(U16(at))); }
    std::uint32_t U32(std::size_t at) const { return (U16(at) << 16) | U16(at + 2); }
    std::size_t Table(const std::string& tag) const {
        const auto it = tables.find(tag);
        if (it == tables.end()) throw std::runtime_error("no " + tag + " table");
        Need(it->second.first, it->second.second);
        return it->second.first;
    }
};

Font Open(const std::string& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) throw std::runtime_error("cannot open " + file);
    Font f{std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>()), {}};
    const std::uint32_t n = f.U16(4);
    for (std::uint32_t i = 0; i < n; ++i) {
        const std::size_t rec = 12 + 16 * i;
        f.Need(rec, 16);
        f.tables[f.bytes.substr(rec, 4)] = {f.U32(rec + 8), f.U32(rec + 12)};
    }
    return f;
}

// Glyph of a code point through one cmap subtable, 0 when none.
std::uint32_t GlyphFormat4(const Font& f, std::size_t sub, char32_t cp) {
    if (cp > 0xFFFF) return 0;
    const std::uint32_t segX2 = f.U16(sub + 6);
    const std::size_t ends = sub + 14, starts = ends + segX2 + 2, deltas = starts + segX2, ranges = deltas + segX2;
    for (std::uint32_t s = 0; s < segX2; s += 2) {
        const std::uint32_t end = f.U16(ends + s), start = f.U16(starts + s);
        if (cp > end) continue;
        if (cp < start) return 0;
        const std::uint32_t delta = f.U16(deltas + s), range = f.U16(ranges + s);
        if (range == 0) return (cp + delta) & 0xFFFF;
        const std::uint32_t g = f.U16(ranges + s + range + 2 * (cp - start));
        return g == 0 ? 0 : (g + delta) & 0xFFFF;
    }
    return 0;
}

std::uint32_t GlyphFormat12(const Font& f, std::size_t sub, char32_t cp) {
    const std::uint32_t groups = f.U32(sub + 12);
    for (std::uint32_t i = 0; i < groups; ++i) {
        const std::size_t g = sub + 16 + 12 * std::size_t(i);
        const std::uint32_t start = f.U32(g), end = f.U32(g + 4);
        if (cp >= start && cp <= end) return f.U32(g + 8) + (cp - start);
    }
    return 0;
}

struct Measured {
    int unitsPerEm, ascent, descent;
    std::vector<unsigned> advance;
};

Measured Measure(const std::string& file) {
    const Font f = Open(file);
    Measured m;
    m.unitsPerEm = int(f.U16(f.Table("head") + 18));
    const std::size_t hhea = f.Table("hhea");
    m.ascent = f.S16(hhea + 4);
    m.descent = -f.S16(hhea + 6);
    const std::uint32_t longMetrics = f.U16(hhea + 34);
    const std::size_t hmtx = f.Table("hmtx");
    if (longMetrics == 0) throw std::runtime_error("no horizontal metrics");
    const auto advanceOf = [&](std::uint32_t glyph) {
        return f.U16(hmtx + 4 * std::size_t(glyph < longMetrics ? glyph : longMetrics - 1));
    };

    // The Windows Unicode subtable: full repertoire (3,10) first, else BMP (3,1).
    const std::size_t cmap = f.Table("cmap");
    std::optional<std::size_t> sub;
    int rank = 0;
    for (std::uint32_t i = 0, n = f.U16(cmap + 2); i < n; ++i) {
        const std::size_t rec = cmap + 4 + 8 * i;
        const std::uint32_t platform = f.U16(rec), encoding = f.U16(rec + 2);
        const int r = platform == 3 && encoding == 10 ? 3 : platform == 3 && encoding == 1 ? 2 : platform == 0 ? 1 : 0;
        if (r > rank) rank = r, sub = cmap + f.U32(rec + 4);
    }
    if (!sub) throw std::runtime_error("no Unicode character map");
    const std::uint32_t format = f.U16(*sub);
    if (format != 4 && format != 12) throw std::runtime_error("character map format " + std::to_string(format));
    for (unsigned b = 0; b < 256; ++b) {
        const char32_t cp = Cp1252::ToUnicode(static_cast<unsigned char>(b));
        const std::uint32_t glyph = format == 4 ? GlyphFormat4(f, *sub, cp) : GlyphFormat12(f, *sub, cp);
        m.advance.push_back(advanceOf(glyph));
    }
    return m;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::cerr << "usage: mkfontmetrics OUT.cpp FAMILY:BOLD:ITALIC:FILE.ttf ...\n";
        return 2;
    }
    try {
        std::string out = "// Generated by tools/mkfontmetrics from the installed TrueType files.\n"
                          "#include \"platform/FontMetrics.h\"\n\n"
                          "const FontMetricsEntry kFontMetrics[] = {\n";
        for (int i = 2; i < argc; ++i) {
            const std::string arg = argv[i];
            const std::size_t a = arg.find(':'), b = arg.find(':', a + 1), c = arg.find(':', b + 1);
            if (c == std::string::npos) throw std::runtime_error("bad font argument " + arg);
            const std::string family = arg.substr(0, a), file = arg.substr(c + 1);
            const bool bold = arg.substr(a + 1, b - a - 1) == "1", italic = arg.substr(b + 1, c - b - 1) == "1";
            const Measured m = Measure(file);
            out += "    {\"" + family + "\", " + (bold ? "true" : "false") + ", " + (italic ? "true" : "false") + ", " +
                   std::to_string(m.unitsPerEm) + ", " + std::to_string(m.ascent) + ", " +
                   std::to_string(m.descent) + ",\n     {";
            for (unsigned k = 0; k < 256; ++k) {
                if (k % 16 == 0) out += "\n      ";
                out += std::to_string(m.advance[k]) + ",";
            }
            out += "}},\n";
        }
        out += "};\n\nconst std::size_t kFontMetricsCount = " + std::to_string(argc - 2) + ";\n";
        // Rewrite only on change, so that the library is not rebuilt for nothing.
        std::ifstream old(argv[1], std::ios::binary);
        if (old && std::string((std::istreambuf_iterator<char>(old)), std::istreambuf_iterator<char>()) == out) return 0;
        std::ofstream f(argv[1], std::ios::binary | std::ios::trunc);
        f << out;
        if (!f.flush()) throw std::runtime_error(std::string("cannot write ") + argv[1]);
    } catch (const std::exception& e) {
        std::cerr << "mkfontmetrics: " << e.what() << "\n";
        return 1;
    }
    return 0;
}
