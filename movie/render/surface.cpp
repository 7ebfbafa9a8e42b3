// Pixel surfaces and coverage masks.
#include <algorithm>

#include "movie/render/pixel.h"
#include "movie/render/render.h"

namespace movie::render {

namespace {
// Negative or absurd sizes become empty rather than huge allocations.
constexpr int64_t kMaxPixels = int64_t(1) << 26;
int saneSize(int v) { return v > 0 && v <= 32768 ? v : 0; }
bool saneArea(int w, int h) { return w > 0 && h > 0 && int64_t(w) * h <= kMaxPixels; }
}  // namespace

Surface::Surface(int width, int height) { resize(width, height); }

void Surface::resize(int width, int height) {
  width_ = saneSize(width);
  height_ = saneSize(height);
  if (!saneArea(width_, height_)) width_ = height_ = 0;
  pixels_.assign(size_t(width_) * height_, 0);
}

void Surface::clear(Color c) { std::fill(pixels_.begin(), pixels_.end(), detail::premultiply(c)); }

Mask::Mask(int width, int height) : width_(saneSize(width)), height_(saneSize(height)) {
  if (!saneArea(width_, height_)) width_ = height_ = 0;
  cover_.assign(size_t(width_) * height_, 0);
}

void Mask::intersect(const Mask& other) {
  int h = std::min(height_, other.height_), w = std::min(width_, other.width_);
  for (int y = 0; y < height_; ++y) {
    uint8_t* d = row(y);
    if (y >= h) {
      std::fill(d, d + width_, 0);
      continue;
    }
    const uint8_t* s = other.row(y);
    for (int x = 0; x < w; ++x) d[x] = uint8_t(detail::mul255(d[x], s[x]));
    std::fill(d + w, d + width_, 0);
  }
}

}  // namespace movie::render
