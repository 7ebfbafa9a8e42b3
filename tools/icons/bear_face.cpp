#include "tools/icons/artwork.h"

namespace {
constexpr Rgb kBackground{255, 248, 222};
constexpr Rgb kOutline{74, 44, 18};
constexpr Rgb kFur{250, 200, 40};
constexpr Rgb kInnerEar{240, 150, 60};
constexpr Rgb kMuzzle{255, 236, 170};
constexpr Rgb kCheek{250, 150, 130};
constexpr Rgb kWhite{255, 255, 255};

// A filled ellipse ringed by the dark outline.
void OutlinedEllipse(IconCanvas& c, double cx, double cy, double rx, double ry, Rgb fill, double line) {
    c.Paint(Ellipse(cx, cy, rx + line, ry + line), kOutline);
    c.Paint(Ellipse(cx, cy, rx, ry), fill);
}
}  // namespace

std::vector<Pixel> DrawBearFace() {
    IconCanvas c;
    // Pale tile with softly rounded corners: only the corner pixels stay see-through.
    c.Paint(RoundRect(0, 0, 32, 32, 3.5), kBackground);
    // Ears behind the head.
    OutlinedEllipse(c, 7.5, 8.5, 5.0, 5.0, kFur, 1.3);
    OutlinedEllipse(c, 24.5, 8.5, 5.0, 5.0, kFur, 1.3);
    c.Paint(Ellipse(7.5, 8.5, 2.6, 2.6), kInnerEar);
    c.Paint(Ellipse(24.5, 8.5, 2.6, 2.6), kInnerEar);
    // Head.
    OutlinedEllipse(c, 16, 18, 12.2, 11.0, kFur, 1.4);
    // Muzzle, cheeks.
    c.Paint(Ellipse(16, 22.3, 6.3, 4.8), kMuzzle);
    c.Paint(Ellipse(8.2, 21.5, 2.3, 1.6), kCheek);
    c.Paint(Ellipse(23.8, 21.5, 2.3, 1.6), kCheek);
    // Eyes with a glint.
    c.Paint(Ellipse(11.2, 15.3, 1.9, 2.4), kOutline);
    c.Paint(Ellipse(20.8, 15.3, 1.9, 2.4), kOutline);
    c.Paint(Ellipse(11.8, 14.4, 0.7, 0.7), kWhite);
    c.Paint(Ellipse(21.4, 14.4, 0.7, 0.7), kWhite);
    // Nose and smile.
    c.Paint(Ellipse(16, 19.7, 2.4, 1.6), kOutline);
    c.Paint(ArcBand(16, 19.5, 4.0, 5.2, 22.0), kOutline);
    c.Paint(RoundRect(15.4, 19.8, 16.6, 23.6, 0.5), kOutline);
    return c.Resolve();
}
