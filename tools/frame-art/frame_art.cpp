#include "tools/frame-art/frame_art.h"

#include <cmath>
#include <functional>

namespace {

const ArtPixel kDeep{31, 75, 142}, kBright{75, 122, 191}, kEdge{216, 220, 231}, kWhite{255, 255, 255};

ArtPixel Mix(ArtPixel a, ArtPixel b, double t) {
    auto m = [t](int x, int y) { return static_cast<std::uint8_t>(std::lround(x + (y - x) * t)); };
    return ArtPixel{m(a.r, b.r), m(a.g, b.g), m(a.b, b.b)};
}

// Never pure white inside a shape, so that only the outside is transparent.
ArtPixel Opaque(ArtPixel p) {
    if (p == kWhite) p.b = 254;
    return p;
}

ArtImage Blank(const std::string& name, int w, int h) {
    return ArtImage{name, w, h, std::vector<ArtPixel>(static_cast<size_t>(w) * h)};
}

void Paint(ArtImage& img, const std::function<bool(int, int)>& inside, const std::function<ArtPixel(int, int)>& colour) {
    for (int y = 0; y < img.height; ++y)
        for (int x = 0; x < img.width; ++x)
            if (inside(x, y)) img.pixels[static_cast<size_t>(y) * img.width + x] = Opaque(colour(x, y));
}

// A top corner: a quarter disc of radius r around (cx, r) filled with the caption's
// gradient, with a darker rim; mirrored for the right-hand side.
ArtImage TopCorner(const std::string& name, bool right) {
    ArtImage img = Blank(name, 16, 28);
    const double r = 15.5;
    auto local = [right](int x) { return right ? 15 - x : x; };
    auto distance = [&](int x, int y) {
        double dx = local(x) + 0.5 - r, dy = y + 0.5 - r;
        return (local(x) + 0.5 >= r || y + 0.5 >= r) ? 0.0 : std::sqrt(dx * dx + dy * dy);
    };
    Paint(img, [&](int x, int y) { return distance(x, y) <= r; },
          [&](int x, int y) {
              ArtPixel body = Mix(kBright, kDeep, y / 27.0);
              return distance(x, y) > r - 1.5 ? Mix(body, ArtPixel{10, 30, 70}, 0.6) : body;
          });
    return img;
}

// A bottom corner: a quarter disc in the border colour with a darker rim.
ArtImage BottomCorner(const std::string& name, int w, int h, bool right) {
    ArtImage img = Blank(name, w, h);
    const double r = std::min(w, h) - 0.5;
    auto distance = [&](int x, int y) {
        double lx = right ? w - 1 - x : x;
        double dx = lx + 0.5 - r, dy = (h - 1 - y) + 0.5 - r;
        if (lx + 0.5 >= r || (h - 1 - y) + 0.5 >= r) return 0.0;
        return std::sqrt(dx * dx + dy * dy);
    };
    Paint(img, [&](int x, int y) { return distance(x, y) <= r; },
          [&](int x, int y) { return distance(x, y) > r - 1.5 ? Mix(kEdge, kDeep, 0.5) : kEdge; });
    return img;
}

enum class Glyph { Minimise, Maximise, Close };
enum class Face { Up, Hot, Down };

bool GlyphAt(Glyph g, int x, int y) {
    switch (g) {
        case Glyph::Minimise: return y >= 10 && y <= 11 && x >= 4 && x <= 10;
        case Glyph::Maximise:
            return x >= 4 && x <= 10 && y >= 4 && y <= 10 && (y <= 5 || y == 10 || x == 4 || x == 10);
        case Glyph::Close: return x >= 4 && x <= 10 && (std::abs(x - y) <= 0 || std::abs(x + y - 14) <= 0 ||
                                                      std::abs(x - y) == 1 || std::abs(x + y - 14) == 1) &&
                                  y >= 4 && y <= 10;
    }
    return false;
}

ArtImage Button(const std::string& name, Glyph glyph, Face face) {
    ArtImage img = Blank(name, 15, 15);
    const ArtPixel top = face == Face::Hot ? ArtPixel{120, 170, 235} : face == Face::Down ? kDeep : kBright;
    const ArtPixel bottom = face == Face::Hot ? kBright : face == Face::Down ? kBright : kDeep;
    const ArtPixel closeTint{200, 60, 40};
    auto corner = [](int x, int y) {
        int cx = x < 3 ? 3 - x : x > 11 ? x - 11 : 0, cy = y < 3 ? 3 - y : y > 11 ? y - 11 : 0;
        return cx * cx + cy * cy > 9;
    };
    const int shift = face == Face::Down ? 1 : 0;
    Paint(img, [&](int x, int y) { return !corner(x, y); },
          [&](int x, int y) {
              ArtPixel base = Mix(top, bottom, y / 14.0);
              if (glyph == Glyph::Close) base = Mix(base, closeTint, 0.55);
              bool rim = x == 0 || y == 0 || x == 14 || y == 14 || corner(x + (x < 7 ? -1 : 1), y) ||
                         corner(x, y + (y < 7 ? -1 : 1));
              if (rim) return ArtPixel{192, 192, 192};
              return GlyphAt(glyph, x - shift, y - shift) ? ArtPixel{250, 250, 250} : base;
          });
    return img;
}

}  // namespace

std::vector<ArtImage> DrawFrameBitmaps() {
    std::vector<ArtImage> out = {TopCorner("ICQTOPLEFT", false), TopCorner("ICQTOPRIGHT", true),
                                 BottomCorner("ICQBTMLEFT", 14, 13, false), BottomCorner("ICQBTMRGHT", 15, 16, true)};
    const struct {
        const char* prefix;
        Glyph glyph;
    } buttons[] = {{"ICQMIN", Glyph::Minimise}, {"ICQMAX", Glyph::Maximise}, {"ICQCLOSE", Glyph::Close}};
    for (const auto& b : buttons) {
        out.push_back(Button(std::string(b.prefix) + "UPBTN", b.glyph, Face::Up));
        out.push_back(Button(std::string(b.prefix) + "HLBTN", b.glyph, Face::Hot));
        out.push_back(Button(std::string(b.prefix) + "DOWNBTN", b.glyph, Face::Down));
    }
    return out;
}
