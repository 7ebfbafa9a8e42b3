// Rasterises the banner pictures: a pixel is inside when its centre is inside.
#include "tools/sample-content/banner_images.h"

#include <cmath>
#include <numbers>

namespace sample {

namespace {

constexpr int kSize = 40;

bool insidePolygon(const std::vector<std::pair<double, double>>& poly, double x, double y) {
  bool inside = false;
  for (size_t i = 0, j = poly.size() - 1; i < poly.size(); j = i++) {
    const auto [xi, yi] = poly[i];
    const auto [xj, yj] = poly[j];
    if ((yi > y) != (yj > y) && x < (xj - xi) * (y - yi) / (yj - yi) + xi) inside = !inside;
  }
  return inside;
}

}  // namespace

GifImage twinklingStar() {
  GifImage img;
  img.width = img.height = kSize;
  img.palette = {0xFFFFFF, 0xFFD43B, 0xF08C00, 0xFFF3BF};  // 0 is transparent
  img.transparentIndex = 0;
  const int frames = 8;
  for (int f = 0; f < frames; ++f) {
    const double turn = f * (2 * std::numbers::pi / 5) / frames;  // a fifth of a turn per loop
    const double outer = 17 + 2 * std::sin(2 * std::numbers::pi * f / frames), inner = outer * 0.45;
    std::vector<std::pair<double, double>> star, core;
    for (int i = 0; i < 10; ++i) {
      const double r = i % 2 ? inner : outer, a = -std::numbers::pi / 2 + turn + i * std::numbers::pi / 5;
      star.emplace_back(20 + r * std::cos(a), 20 + r * std::sin(a));
      core.emplace_back(20 + (r - 4) * std::cos(a), 20 + (r - 4) * std::sin(a));
    }
    GifFrame frame;
    frame.delayCentiseconds = 12;
    frame.indices.resize(kSize * kSize);
    for (int y = 0; y < kSize; ++y)
      for (int x = 0; x < kSize; ++x) {
        const double px = x + 0.5, py = y + 0.5;
        uint8_t v = 0;
        if (insidePolygon(star, px, py)) v = insidePolygon(core, px, py) ? 1 : 2;
        if (v == 1 && std::hypot(px - 17, py - 16) < 3) v = 3;  // shine
        frame.indices[y * kSize + x] = v;
      }
    img.frames.push_back(std::move(frame));
  }
  return img;
}

GifImage bouncingBall() {
  GifImage img;
  img.width = img.height = kSize;
  img.palette = {0xFFFFFF, 0xFA5252, 0xC92A2A, 0x51CF66, 0xFFFFFF};
  img.transparentIndex = 0;
  const int frames = 10;
  for (int f = 0; f < frames; ++f) {
    const double lift = std::fabs(std::sin(std::numbers::pi * f / frames));
    const double cy = 29 - 20 * lift, r = 8;
    GifFrame frame;
    frame.delayCentiseconds = 8;
    frame.indices.resize(kSize * kSize);
    for (int y = 0; y < kSize; ++y)
      for (int x = 0; x < kSize; ++x) {
        const double px = x + 0.5, py = y + 0.5, d = std::hypot(px - 20, py - cy);
        uint8_t v = 0;
        if (y >= 37 && y < 39 && x >= 6 && x < 34) v = 3;
        if (d < r) v = d > r - 2 ? 2 : 1;
        if (std::hypot(px - 17, py - (cy - 3)) < 2) v = 4;
        frame.indices[y * kSize + x] = v;
      }
    img.frames.push_back(std::move(frame));
  }
  return img;
}

}  // namespace sample
