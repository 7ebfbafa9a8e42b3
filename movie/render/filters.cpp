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
constexpr int kMaxBoxHalf = 4096;

// A box blur of a real width: the box spans `amount` pixels centred on each pixel, so
// whole pixels inside it count fully and the two pixels its ends cut into count by the
// part they cover. Weights are in 1/256ths; the average is truncated, so a faint tail
// fades out rather than lingering at 1.
struct BlurBox {
  int half = 0;      // whole pixels counted fully either side
  uint32_t edge = 0;  // weight of the pixel just beyond them, each side (0..255)
  uint32_t divisor = 256;
  bool blurs() const { return half > 0 || edge > 0; }
};

BlurBox boxOf(float amount, int limit) {
  BlurBox box;
  if (!(amount >= 2)) return box;
  // The smallest blur still takes a whole pixel either side.
  // Sums stay within 32 bits: 255 * 256 * 8193 < 2^31.
  float width = std::clamp(amount, 3.0f, float(2 * std::min(limit, kMaxBoxHalf) + 1));
  box.half = int((width - 1) / 2);
  float cut = (width - float(2 * box.half + 1)) / 2;  // 0 <= cut < 1
  box.edge = uint32_t(std::lround(cut * 256));
  if (box.edge >= 256) ++box.half, box.edge = 0;
  box.divisor = uint32_t(2 * box.half + 1) * 256 + 2 * box.edge;
  return box;
}

// x / d truncated, as a multiply and a shift: exact for x below 2^31 and d below 2^22.
struct Divider {
  uint64_t multiplier;
  int shift;
  explicit Divider(uint32_t d) {
    int bits = 0;
    while ((uint64_t(1) << bits) < d) ++bits;
    shift = 31 + bits;
    multiplier = (uint64_t(1) << shift) / d + 1;
  }
  uint32_t operator()(uint32_t x) const { return uint32_t((x * multiplier) >> shift); }
};

// One box along a line of n pixels spaced by stride, in place. The line is copied with
// clear pixels beyond both ends, as far as the box reaches.
void boxLine(uint32_t* p, int n, int stride, const BlurBox& box, const Divider& divide, std::vector<uint32_t>& line) {
  const int half = box.half, margin = half + 1;
  line.assign(size_t(n + 2 * margin), 0);
  uint32_t* v = line.data() + margin;  // v[-margin .. n + margin - 1]
  for (int i = 0; i < n; ++i) v[i] = p[size_t(i) * stride];
  uint32_t sum[4] = {0, 0, 0, 0};
  for (int i = -half; i < half; ++i)
    for (int c = 0; c < 4; ++c) sum[c] += (v[i] >> (c * 8)) & 255;
  for (int i = 0; i < n; ++i) {
    uint32_t in = v[i + half], gone = v[i - half], before = v[i - half - 1], after = v[i + half + 1];
    uint32_t out = 0;
    for (int c = 0; c < 4; ++c) {
      int s = c * 8;
      sum[c] += (in >> s) & 255;
      uint32_t ends = ((before >> s) & 255) + ((after >> s) & 255);
      out |= divide(sum[c] * 256 + box.edge * ends) << s;
      sum[c] -= (gone >> s) & 255;
    }
    p[size_t(i) * stride] = out;
  }
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
    p = detail::premultiply({detail::channelOf(out[0]), detail::channelOf(out[1]), detail::channelOf(out[2]),
                             detail::channelOf(out[3])});
  }
}

// How far passes boxes of about `pixels` spread one pixel.
int blurReach(float pixels, int passes) {
  BlurBox box = boxOf(pixels, kMaxReach);
  return box.blurs() ? passes * (box.half + 2) : 0;
}

}  // namespace

void blurSurface(Surface& layer, float width, float height, int passes) {
  passes = std::clamp(passes, 0, kMaxPasses);
  int w = layer.width(), h = layer.height();
  BlurBox bx = boxOf(width, w), by = boxOf(height, h);
  Divider divideX(bx.divisor), divideY(by.divisor);
  std::vector<uint32_t> line;
  for (int pass = 0; pass < passes; ++pass) {
    if (bx.blurs())
      for (int y = 0; y < h; ++y) boxLine(layer.row(y), w, 1, bx, divideX, line);
    if (by.blurs())
      for (int x = 0; x < w; ++x) boxLine(layer.pixels().data() + x, h, w, by, divideY, line);
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

int filterMargin(const Filter& f, float scale, bool vertical) {
  if (f.kind == Filter::ColorMatrix || f.kind == Filter::Convolution) return 0;
  float amount = vertical ? f.blurY : f.blurX;
  double blur = std::isfinite(amount) && amount > 0 ? std::ceil(double(amount)) * passesOf(f) : 0;
  float dx = 0, dy = 0;
  if (f.kind != Filter::Blur && f.kind != Filter::Glow) detail::offsetOf(f, scale, dx, dy);
  double offset = std::fabs(std::round(vertical ? dy : dx));  // whole pixels, as the effect moves
  return int(std::min(double(kMaxReach), blur + offset));
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
