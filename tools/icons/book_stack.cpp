#include "tools/icons/artwork.h"

namespace {
constexpr Rgb kPages{214, 214, 214};
constexpr Rgb kPageLines{160, 160, 160};
constexpr Rgb kEdge{60, 40, 50};

struct Book {
    double x0, y0, x1, y1;
    Rgb cover, spine;
};

// One closed book lying flat: the cover wraps the top, the bottom and the spine on the left;
// the page edges show on the right.
void PaintBook(IconCanvas& c, const Book& b) {
    c.Paint(RoundRect(b.x0 - 0.8, b.y0 - 0.8, b.x1 + 0.8, b.y1 + 0.8, 1.6), kEdge);
    c.Paint(RoundRect(b.x0, b.y0, b.x1, b.y1, 1.2), b.cover);
    c.Paint(RoundRect(b.x0, b.y0, b.x0 + 3.2, b.y1, 1.2), b.spine);
    double py0 = b.y0 + 1.6, py1 = b.y1 - 1.6;
    c.Paint(RoundRect(b.x0 + 8, py0, b.x1 + 0.01, py1, 0.3), kPages);
    for (double y = py0 + 1.2; y < py1 - 0.4; y += 1.3)
        c.Paint(RoundRect(b.x0 + 9, y, b.x1, y + 0.35, 0), kPageLines);
}
}  // namespace

std::vector<Pixel> DrawBookStack() {
    IconCanvas c;
    // Bottom first: blue, then red, then the pink one on top, each shifted a little.
    PaintBook(c, {3.0, 22.0, 29.0, 29.5, Rgb{50, 90, 200}, Rgb{30, 60, 150}});
    PaintBook(c, {5.0, 14.0, 28.0, 21.5, Rgb{210, 40, 40}, Rgb{150, 25, 25}});
    PaintBook(c, {3.5, 6.0, 27.0, 13.5, Rgb{250, 140, 190}, Rgb{220, 95, 150}});
    return c.Resolve();
}
