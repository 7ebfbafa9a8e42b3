// Blur as box blurs over premultiplied channels; shadows and glows as the layer's alpha
// in the filter's colour, blurred, moved, and put behind the layer (outer) or inside its
// shape (inner); the colour matrix as per-pixel arithmetic.
#include "movie/render/filters.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "movie/render/filter_steps.h"
#include "movie/render/pixel.h"

namespace movie::render {
namespace {

constexpr int kMaxPasses = 15;
constexpr int kMaxReach = 1024;  // pixels an effect may reach beyond its object

// One box of `size` (odd) pixels along a line of n pixels spaced by stride, in place. The
// average is truncated, so a faint tail fades out rather than lingering at 1.
void boxLine(uint32_t* p, int n, int stride, int size, std::vector<uint32_t>& line) {
  line.resize(size_t(n));
  for (int i = 0; i < n; ++i) line[size_t(i)] = p[size_t(i) * stride];
  int half = size / 2;
  uint32_t sum[4] = {0, 0, 0, 0};
  auto add = [&](int i, int sign) {
    if (i < 0 || i >= n) return;
    uint32_t v = line[size_t(i)];
    for (int c = 0; c < 4; ++c) sum[c] += uint32_t(sign) * ((v >> (c * 8)) & 255);
  };
  for (int i = -half; i < half; ++i) add(i, 1);
  for (int i = 0; i < n; ++i) {
    add(i + half, 1);
    uint32_t out = 0;
    for (int c = 0; c < 4; ++c) out |= (sum[c] / uint32_t(size)) << (c * 8);
    p[size_t(i) * stride] = out;
    add(i - half, -1);
  }
}

// The box for a blur amount: centred on its pixel, half the amount (whole pixels) either
// side, so amounts below 2 leave the picture as it is.
int boxSize(float amount, int limit) {
  if (!(amount >= 2)) return 1;
  int half = int(std::min(amount, 1e6f) / 2);
  return std::min(2 * half + 1, limit | 1);
}

int passesOf(const Filter& f) { return std::clamp(f.passes, 0, kMaxPasses); }

void shadowOrGlow(Surface& layer, const Filter& f, float scale) {
  Surface effect = detail::blurredAlpha(layer, f, f.inner);
  detail::strengthen(effect, f.strength);
  if (f.kind == Filter::DropShadow) {
    float dx, dy;
    detail::offsetOf(f, scale, dx, dy);
    effect = detail::shifted(effect, dx, dy);
  }
  uint32_t tint = detail::premultiply(f.color);
  for (uint32_t& p : effect.pixels()) p = p ? detail::scalePixel(tint, p >> 24) : 0;
  detail::combine(layer, effect, f);
}

uint8_t channel(float v) { return uint8_t(std::clamp(v, 0.0f, 255.0f) + 0.5f); }

void colorMatrix(Surface& layer, const float* m) {
  for (uint32_t& p : layer.pixels()) {
    Color c = detail::unpremultiply(p);
    float in[4] = {float(c.r), float(c.g), float(c.b), float(c.a)};
    float out[4];
    for (int row = 0; row < 4; ++row) {
      const float* k = m + row * 5;
      out[row] = k[0] * in[0] + k[1] * in[1] + k[2] * in[2] + k[3] * in[3] + k[4];
      if (!std::isfinite(out[row])) out[row] = 0;
    }
    p = detail::premultiply({channel(out[0]), channel(out[1]), channel(out[2]), channel(out[3])});
  }
}

// How far passes boxes of about `pixels` spread one pixel.
int blurReach(float pixels, int passes) {
  int box = boxSize(pixels, 2 * kMaxReach + 1);
  return box > 1 ? passes * (box / 2 + 1) : 0;
}

}  // namespace

void blurSurface(Surface& layer, float width, float height, int passes) {
  passes = std::clamp(passes, 0, kMaxPasses);
  int w = layer.width(), h = layer.height();
  int bx = boxSize(width, 2 * w + 1), by = boxSize(height, 2 * h + 1);
  std::vector<uint32_t> line;
  for (int pass = 0; pass < passes; ++pass) {
    if (bx > 1)
      for (int y = 0; y < h; ++y) boxLine(layer.row(y), w, 1, bx, line);
    if (by > 1)
      for (int x = 0; x < w; ++x) boxLine(layer.pixels().data() + x, h, w, by, line);
  }
}

int filterReach(const Filter& f, float scale) {
  float dx = 0, dy = 0;
  if (f.kind == Filter::DropShadow || f.kind == Filter::Bevel || f.kind == Filter::GradientGlow ||
      f.kind == Filter::GradientBevel)
    detail::offsetOf(f, scale, dx, dy);
  int reach = 0;
  switch (f.kind) {
    case Filter::ColorMatrix: return 0;
    case Filter::Convolution: return std::min(kMaxReach, std::max(f.matrixX, f.matrixY) / 2 + 1);
    default:
      reach = std::max(blurReach(f.blurX, passesOf(f)), blurReach(f.blurY, passesOf(f)));
      reach += int(std::ceil(std::max(std::fabs(dx), std::fabs(dy))));
      return std::min(kMaxReach, reach);
  }
}

void applyFilter(Surface& layer, const Filter& filter, float scale) {
  if (layer.width() == 0 || !std::isfinite(scale)) return;
  switch (filter.kind) {
    case Filter::Blur: return blurSurface(layer, filter.blurX, filter.blurY, filter.passes);
    case Filter::DropShadow:
    case Filter::Glow: return shadowOrGlow(layer, filter, scale);
    case Filter::Bevel:
    case Filter::GradientBevel: return bevel(layer, filter, scale);
    case Filter::GradientGlow: return gradientGlow(layer, filter, scale);
    case Filter::ColorMatrix: return colorMatrix(layer, filter.matrix);
    case Filter::Convolution: return convolve(layer, filter);
  }
}

}  // namespace movie::render
