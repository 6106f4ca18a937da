// Draws the pictures of the main window and encodes them: the emblem as a
// JPEG (libjpeg), the close and lock buttons as 24-bit BMP files.
// Usage: mkimages OUTPUT_DIR
// The drawing is our own: shapes given by distance functions, 4x4
// supersampled, so the output is the same on every machine.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include <jpeglib.h> // after <cstdio>: it needs FILE and size_t

namespace {

constexpr double kPi = 3.14159265358979323846;

struct Rgb {
    double r, g, b;
};

struct Image {
    int w, h;
    std::vector<Rgb> px;
    Image(int width, int height, Rgb fill) : w(width), h(height), px(static_cast<std::size_t>(width * height), fill) {}
    Rgb& at(int x, int y) { return px[static_cast<std::size_t>(y * w + x)]; }
};

// Paints `colour` where inside(x, y) holds, with 4x4 coverage.
void Paint(Image& img, Rgb colour, const std::function<bool(double, double)>& inside)
{
    for (int y = 0; y < img.h; ++y)
        for (int x = 0; x < img.w; ++x) {
            int hits = 0;
            for (int sy = 0; sy < 4; ++sy)
                for (int sx = 0; sx < 4; ++sx)
                    hits += inside(x + (sx + 0.5) / 4.0, y + (sy + 0.5) / 4.0) ? 1 : 0;
            if (hits == 0)
                continue;
            const double a = hits / 16.0;
            Rgb& p = img.at(x, y);
            p = {p.r + (colour.r - p.r) * a, p.g + (colour.g - p.g) * a, p.b + (colour.b - p.b) * a};
        }
}

double SegmentDistance(double px, double py, double ax, double ay, double bx, double by)
{
    const double vx = bx - ax, vy = by - ay;
    const double t = std::clamp(((px - ax) * vx + (py - ay) * vy) / (vx * vx + vy * vy), 0.0, 1.0);
    return std::hypot(px - (ax + t * vx), py - (ay + t * vy));
}

Image Emblem()
{
    const int n = 180;
    const double c = n / 2.0;
    Image img(n, n, {0.96, 0.94, 0.88});
    const Rgb navy {0.10, 0.16, 0.36}, gold {0.85, 0.66, 0.20}, green {0.22, 0.48, 0.24}, cream {0.98, 0.96, 0.90};
    auto r = [c](double x, double y) { return std::hypot(x - c, y - c); };
    // Zodiac ring with twelve divisions.
    Paint(img, navy, [&](double x, double y) { return r(x, y) <= 86 && r(x, y) >= 62; });
    Paint(img, gold, [&](double x, double y) {
        const double d = r(x, y);
        if (d > 85 || d < 63)
            return false;
        const double a = std::atan2(y - c, x - c);
        const double k = std::fmod(a + 2 * kPi, kPi / 6);
        return std::min(k, kPi / 6 - k) * d < 0.9;
    });
    // Twelve gold dots, one a sign.
    for (int i = 0; i < 12; ++i) {
        const double a = (i + 0.5) * kPi / 6;
        const double dx = c + 74 * std::cos(a), dy = c + 74 * std::sin(a);
        Paint(img, gold, [&](double x, double y) { return std::hypot(x - dx, y - dy) <= 4.2; });
    }
    Paint(img, gold, [&](double x, double y) { return std::abs(r(x, y) - 61) <= 1.2; });
    // Sun: a disc with eight rays.
    Paint(img, gold, [&](double x, double y) {
        const double d = r(x, y);
        if (d <= 22)
            return true;
        const double a = std::atan2(y - c, x - c);
        const double k = std::fmod(a + 2 * kPi, kPi / 4);
        const double off = std::min(k, kPi / 4 - k);
        return d <= 44 && off * d < 4.5 * (44 - d) / 22;
    });
    // Crescent moon across the sun.
    Paint(img, cream, [&](double x, double y) {
        return std::hypot(x - (c - 4), y - c) <= 17 && std::hypot(x - (c + 4), y - (c - 3)) > 14;
    });
    // A sprig: stem and two leaves under the sun.
    Paint(img, green, [&](double x, double y) {
        if (SegmentDistance(x, y, c, c + 20, c, c + 50) <= 1.6)
            return true;
        auto leaf = [&](double cx, double cy, double ang) {
            const double u = (x - cx) * std::cos(ang) + (y - cy) * std::sin(ang);
            const double v = -(x - cx) * std::sin(ang) + (y - cy) * std::cos(ang);
            return (u * u) / (10.0 * 10.0) + (v * v) / (4.0 * 4.0) <= 1.0;
        };
        return leaf(c - 9, c + 38, -0.6) || leaf(c + 9, c + 32, 0.6);
    });
    return img;
}

Image CloseButton(bool pressed)
{
    const int n = 40;
    Image img(n, n, {0.93, 0.93, 0.93});
    const Rgb ring = pressed ? Rgb {0.55, 0.08, 0.08} : Rgb {0.78, 0.14, 0.12};
    const double c = n / 2.0 + (pressed ? 1 : 0);
    Paint(img, ring, [&](double x, double y) { return std::hypot(x - c, y - c) <= 17; });
    Paint(img, {1, 1, 1}, [&](double x, double y) {
        return std::abs(std::hypot(x - c, y - c) - 9) <= 1.8 && (y > c - 4 || std::abs(x - c) > 5);
    });
    Paint(img, {1, 1, 1}, [&](double x, double y) { return SegmentDistance(x, y, c, c - 12, c, c - 1) <= 1.8; });
    return img;
}

Image Lock(bool open)
{
    const int n = 24;
    Image img(n, n, {0.93, 0.93, 0.93});
    const Rgb body = open ? Rgb {0.15, 0.55, 0.20} : Rgb {0.35, 0.35, 0.40};
    Paint(img, body, [&](double x, double y) { return x >= 5 && x <= 19 && y >= 11 && y <= 21; });
    Paint(img, body, [&](double x, double y) {
        const double cx = open ? 16.0 : 12.0;
        const double d = std::hypot(x - cx, y - 10);
        return std::abs(d - 5) <= 1.4 && y <= 11.5 && (y <= 10 || std::abs(x - cx) >= 4);
    });
    Paint(img, {1, 1, 1}, [&](double x, double y) { return std::hypot(x - 12, y - 16) <= 1.7; });
    return img;
}

unsigned char Byte(double v)
{
    return static_cast<unsigned char>(std::lround(std::clamp(v, 0.0, 1.0) * 255));
}

bool WriteJpeg(const Image& img, const std::string& path)
{
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f)
        return false;
    jpeg_compress_struct info {};
    jpeg_error_mgr err {};
    info.err = jpeg_std_error(&err);
    jpeg_create_compress(&info);
    jpeg_stdio_dest(&info, f);
    info.image_width = static_cast<JDIMENSION>(img.w);
    info.image_height = static_cast<JDIMENSION>(img.h);
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 92, TRUE);
    jpeg_start_compress(&info, TRUE);
    std::vector<unsigned char> row(static_cast<std::size_t>(img.w * 3));
    for (int y = 0; y < img.h; ++y) {
        for (int x = 0; x < img.w; ++x) {
            const Rgb& p = img.px[static_cast<std::size_t>(y * img.w + x)];
            row[static_cast<std::size_t>(3 * x)] = Byte(p.r);
            row[static_cast<std::size_t>(3 * x + 1)] = Byte(p.g);
            row[static_cast<std::size_t>(3 * x + 2)] = Byte(p.b);
        }
        JSAMPROW r = row.data();
        jpeg_write_scanlines(&info, &r, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    return std::fclose(f) == 0;
}

void Le(std::string& s, std::uint32_t v, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        s += static_cast<char>((v >> (8 * i)) & 0xFF);
}

bool WriteBmp(const Image& img, const std::string& path)
{
    const int stride = (img.w * 3 + 3) & ~3;
    const std::uint32_t dataSize = static_cast<std::uint32_t>(stride * img.h);
    std::string s = "BM";
    Le(s, 54 + dataSize, 4);
    Le(s, 0, 4);
    Le(s, 54, 4);
    Le(s, 40, 4);
    Le(s, static_cast<std::uint32_t>(img.w), 4);
    Le(s, static_cast<std::uint32_t>(img.h), 4);
    Le(s, 1, 2);
    Le(s, 24, 2);
    Le(s, 0, 4);
    Le(s, dataSize, 4);
    Le(s, 2835, 4);
    Le(s, 2835, 4);
    Le(s, 0, 4);
    Le(s, 0, 4);
    for (int y = img.h - 1; y >= 0; --y) {
        int written = 0;
        for (int x = 0; x < img.w; ++x) {
            const Rgb& p = img.px[static_cast<std::size_t>(y * img.w + x)];
            s += static_cast<char>(Byte(p.b));
            s += static_cast<char>(Byte(p.g));
            s += static_cast<char>(Byte(p.r));
            written += 3;
        }
        for (; written < stride; ++written)
            s += '\0';
    }
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f)
        return false;
    const bool ok = std::fwrite(s.data(), 1, s.size(), f) == s.size();
    return std::fclose(f) == 0 && ok;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "uso: mkimages CARTELLA\n");
        return 2;
    }
    const std::string dir = argv[1];
    const bool ok = WriteJpeg(Emblem(), dir + "/emblem.jpg") && WriteBmp(CloseButton(false), dir + "/FineProg.bmp") &&
                    WriteBmp(CloseButton(true), dir + "/FineProgClic.bmp") &&
                    WriteBmp(Lock(false), dir + "/LockShut.bmp") && WriteBmp(Lock(true), dir + "/LockOpen.bmp");
    if (!ok) {
        std::fprintf(stderr, "mkimages: scrittura non riuscita in %s\n", dir.c_str());
        return 1;
    }
    return 0;
}
