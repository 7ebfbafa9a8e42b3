#include "tools/icons/canvas.h"

#include <algorithm>
#include <cmath>

IconCanvas::IconCanvas() : samples_(kSize * kSamples * kSize * kSamples) {}

void IconCanvas::Paint(const Region& region, Rgb colour) {
    const int n = kSize * kSamples;
    for (int sy = 0; sy < n; ++sy)
        for (int sx = 0; sx < n; ++sx) {
            double x = (sx + 0.5) / kSamples, y = (sy + 0.5) / kSamples;
            if (region(x, y)) samples_[sy * n + sx] = {colour, true};
        }
}

std::vector<Pixel> IconCanvas::Resolve() const {
    const int n = kSize * kSamples;
    std::vector<Pixel> pixels(kSize * kSize);
    for (int py = 0; py < kSize; ++py)
        for (int px = 0; px < kSize; ++px) {
            int count = 0, r = 0, g = 0, b = 0;
            for (int dy = 0; dy < kSamples; ++dy)
                for (int dx = 0; dx < kSamples; ++dx) {
                    const Sample& s = samples_[(py * kSamples + dy) * n + px * kSamples + dx];
                    if (!s.painted) continue;
                    ++count;
                    r += s.colour.r;
                    g += s.colour.g;
                    b += s.colour.b;
                }
            Pixel& p = pixels[py * kSize + px];
            p.opaque = count * 2 >= kSamples * kSamples;
            if (count > 0)
                p.colour = {static_cast<std::uint8_t>(r / count), static_cast<std::uint8_t>(g / count),
                            static_cast<std::uint8_t>(b / count)};
        }
    return pixels;
}

Region Ellipse(double cx, double cy, double rx, double ry) {
    return [=](double x, double y) {
        double u = (x - cx) / rx, v = (y - cy) / ry;
        return u * u + v * v <= 1.0;
    };
}

Region RoundRect(double x0, double y0, double x1, double y1, double radius) {
    return [=](double x, double y) {
        if (x < x0 || x > x1 || y < y0 || y > y1) return false;
        double cx = std::clamp(x, x0 + radius, x1 - radius);
        double cy = std::clamp(y, y0 + radius, y1 - radius);
        double dx = x - cx, dy = y - cy;
        return dx * dx + dy * dy <= radius * radius;
    };
}

Region ArcBand(double cx, double cy, double inner, double outer, double min_y) {
    return [=](double x, double y) {
        double d = std::hypot(x - cx, y - cy);
        return y >= min_y && d >= inner && d <= outer;
    };
}
