#include "tools/icons/ico_writer.h"

#include <algorithm>
#include <cstdio>
#include <limits>

namespace {
constexpr int kSize = IconCanvas::kSize;

void Put16(std::vector<std::uint8_t>& out, unsigned v) {
    out.push_back(v & 0xFF);
    out.push_back((v >> 8) & 0xFF);
}
void Put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

// The distinct colours of the opaque pixels, coarsened until they fit in 255 entries
// (index 0 stays black for the transparent pixels).
std::vector<Rgb> MakePalette(const std::vector<Pixel>& pixels) {
    for (int drop = 0; drop < 8; ++drop) {
        std::uint8_t keep = static_cast<std::uint8_t>(0xFF << drop);
        std::vector<Rgb> palette;
        for (const Pixel& p : pixels) {
            if (!p.opaque) continue;
            Rgb c{static_cast<std::uint8_t>(p.colour.r & keep), static_cast<std::uint8_t>(p.colour.g & keep),
                  static_cast<std::uint8_t>(p.colour.b & keep)};
            if (std::find(palette.begin(), palette.end(), c) == palette.end()) palette.push_back(c);
        }
        if (palette.size() <= 255) return palette;
    }
    return {};
}

std::uint8_t Nearest(const std::vector<Rgb>& palette, Rgb c) {
    int best = 0, best_distance = std::numeric_limits<int>::max();
    for (size_t i = 0; i < palette.size(); ++i) {
        int dr = palette[i].r - c.r, dg = palette[i].g - c.g, db = palette[i].b - c.b;
        int d = dr * dr + dg * dg + db * db;
        if (d < best_distance) best_distance = d, best = static_cast<int>(i);
    }
    return static_cast<std::uint8_t>(best + 1);
}
}  // namespace

std::vector<std::uint8_t> EncodeIcon(const std::vector<Pixel>& pixels) {
    const std::vector<Rgb> palette = MakePalette(pixels);
    const std::uint32_t xor_bytes = kSize * kSize;       // 32 bytes per row: already aligned
    const std::uint32_t and_bytes = kSize * 4;           // 32 bits per row
    const std::uint32_t image_bytes = 40 + 256 * 4 + xor_bytes + and_bytes;
    std::vector<std::uint8_t> out;
    // Icon directory with one entry.
    Put16(out, 0);
    Put16(out, 1);
    Put16(out, 1);
    out.push_back(kSize);
    out.push_back(kSize);
    out.push_back(0);  // 256 colours
    out.push_back(0);
    Put16(out, 1);     // planes
    Put16(out, 8);     // bits per pixel
    Put32(out, image_bytes);
    Put32(out, 6 + 16);
    // Bitmap header: the height counts the colour rows and the mask rows.
    Put32(out, 40);
    Put32(out, kSize);
    Put32(out, kSize * 2);
    Put16(out, 1);
    Put16(out, 8);
    Put32(out, 0);
    Put32(out, xor_bytes + and_bytes);
    Put32(out, 0);
    Put32(out, 0);
    Put32(out, 256);
    Put32(out, 0);
    for (int i = 0; i < 256; ++i) {
        Rgb c = i >= 1 && static_cast<size_t>(i) <= palette.size() ? palette[i - 1] : Rgb{};
        out.push_back(c.b);
        out.push_back(c.g);
        out.push_back(c.r);
        out.push_back(0);
    }
    for (int y = kSize - 1; y >= 0; --y)  // rows bottom up
        for (int x = 0; x < kSize; ++x) {
            const Pixel& p = pixels[y * kSize + x];
            out.push_back(p.opaque ? Nearest(palette, p.colour) : 0);
        }
    for (int y = kSize - 1; y >= 0; --y)
        for (int byte = 0; byte < 4; ++byte) {
            std::uint8_t bits = 0;
            for (int bit = 0; bit < 8; ++bit)
                if (!pixels[y * kSize + byte * 8 + bit].opaque) bits |= 0x80 >> bit;
            out.push_back(bits);
        }
    return out;
}

bool WriteFileBytes(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return std::fclose(f) == 0 && ok;
}
