// Filters as box blurs over premultiplied channels and per-pixel colour arithmetic. A
// shadow or glow is the layer's alpha in the filter's colour, blurred, moved, and put
// behind the layer (outer) or inside its shape (inner).
#include "movie/render/filters.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "movie/render/pixel.h"

namespace movie::render {
namespace {

constexpr int kMaxPasses = 15;

// One box of `size` pixels along a line of n pixels spaced by stride, in place.
void boxLine(uint32_t* p, int n, int stride, int size, std::vector<uint32_t>& line) {
  line.resize(size_t(n));
  for (int i = 0; i < n; ++i) line[size_t(i)] = p[size_t(i) * stride];
  int before = size / 2, after = size - 1 - before;
  uint32_t sum[4] = {0, 0, 0, 0};
  auto add = [&](int i, int sign) {
    if (i < 0 || i >= n) return;
    uint32_t v = line[size_t(i)];
    for (int c = 0; c < 4; ++c) sum[c] += uint32_t(sign) * ((v >> (c * 8)) & 255);
  };
  for (int i = -before; i < after; ++i) add(i, 1);
  for (int i = 0; i < n; ++i) {
    add(i + after, 1);
    uint32_t out = 0;
    for (int c = 0; c < 4; ++c) out |= ((sum[c] + uint32_t(size / 2)) / uint32_t(size)) << (c * 8);
    p[size_t(i) * stride] = out;
    add(i - before, -1);
  }
}

int boxSize(float pixels, int limit) {
  if (!(pixels >= 2)) return 1;
  return std::min(int(std::lround(pixels)), limit);
}

// The layer's alpha in colour c times strength: what a shadow or glow starts from.
Surface tinted(const Surface& layer, Color c, float strength, bool invertAlpha) {
  Surface out(layer.width(), layer.height());
  uint32_t base = detail::premultiply({c.r, c.g, c.b, 255});
  float k = std::clamp(strength, 0.0f, 255.0f) * float(c.a) / 255.0f;
  for (int y = 0; y < layer.height(); ++y) {
    const uint32_t* s = layer.row(y);
    uint32_t* d = out.row(y);
    for (int x = 0; x < layer.width(); ++x) {
      unsigned a = s[x] >> 24;
      if (invertAlpha) a = 255 - a;
      d[x] = a ? detail::scalePixel(base, unsigned(std::min(255.0f, float(a) * k))) : 0;
    }
  }
  return out;
}

// Strength above 1 makes the blurred edge denser, as the blur thinned it.
void strengthen(Surface& s, float strength) {
  if (strength <= 1) return;
  for (uint32_t& p : s.pixels()) {
    if (!p) continue;
    uint32_t out = 0;
    for (int c = 0; c < 32; c += 8) out |= uint32_t(std::min(255.0f, float((p >> c) & 255) * strength)) << c;
    p = out;
  }
}

Surface shifted(const Surface& s, float dx, float dy) {
  int ox = int(std::lround(std::clamp(dx, -1e5f, 1e5f))), oy = int(std::lround(std::clamp(dy, -1e5f, 1e5f)));
  if (ox == 0 && oy == 0) return s;
  Surface out(s.width(), s.height());
  for (int y = 0; y < s.height(); ++y) {
    int sy = y - oy;
    if (sy < 0 || sy >= s.height()) continue;
    for (int x = 0; x < s.width(); ++x) {
      int sx = x - ox;
      if (sx >= 0 && sx < s.width()) out.row(y)[x] = s.row(sy)[sx];
    }
  }
  return out;
}

// Puts the effect and the layer together: outer effects go behind, inner ones inside.
void combine(Surface& layer, const Surface& effect, const Filter& f) {
  bool showSource = f.compositeSource && !f.knockout;
  for (int y = 0; y < layer.height(); ++y) {
    uint32_t* d = layer.row(y);
    const uint32_t* e = effect.row(y);
    for (int x = 0; x < layer.width(); ++x) {
      uint32_t src = d[x];
      unsigned sa = src >> 24;
      if (f.inner) {
        uint32_t inside = detail::scalePixel(e[x], sa);  // the effect where the layer is
        d[x] = showSource ? detail::srcOver(src, inside) : inside;
      } else if (showSource) {
        d[x] = detail::srcOver(e[x], src);
      } else {
        d[x] = f.knockout ? detail::scalePixel(e[x], 255 - sa) : e[x];
      }
    }
  }
}

void shadowOrGlow(Surface& layer, const Filter& f, float scale) {
  Surface effect = tinted(layer, f.color, 1, f.inner);
  blurSurface(effect, f.blurX * scale, f.blurY * scale, f.passes);
  strengthen(effect, f.strength);
  if (f.kind == Filter::DropShadow)
    effect = shifted(effect, std::cos(f.angle) * f.distance * scale, std::sin(f.angle) * f.distance * scale);
  combine(layer, effect, f);
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

void applyFilter(Surface& layer, const Filter& filter, float scale) {
  if (layer.width() == 0) return;
  switch (filter.kind) {
    case Filter::Blur: return blurSurface(layer, filter.blurX * scale, filter.blurY * scale, filter.passes);
    case Filter::DropShadow:
    case Filter::Glow: return shadowOrGlow(layer, filter, scale);
    case Filter::ColorMatrix: return colorMatrix(layer, filter.matrix);
    default: return;  // bevels, gradient filters and convolution are not drawn yet
  }
}

}  // namespace movie::render
