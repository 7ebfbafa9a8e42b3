// Gradient ramps: stops interpolated per ratio step, in sRGB or in linear light.
#include "movie/render/ramp.h"

#include <cmath>

#include "movie/render/pixel.h"

namespace movie::render::detail {

namespace {

// Linear-light values are kept at 8 bits, truncated, as the reference images show: dark
// stop channels lose their low steps (sRGB 20 -> linear 1 -> sRGB 13).
int toLinear8(uint8_t c) {
  double v = c / 255.0;
  v = v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
  return int(v * 255 + 1e-9);
}

uint8_t fromLinear(double l) {
  l /= 255;
  double c = l <= 0.0031308 ? l * 12.92 : 1.055 * std::pow(l, 1 / 2.4) - 0.055;
  c = c * 255 + 0.5;
  return uint8_t(c <= 0 ? 0 : c >= 255 ? 255 : c);
}

// sRGB of each whole linear-light step, the common case of an opaque colour.
const std::array<uint8_t, 256>& fromLinearSteps() {
  static const std::array<uint8_t, 256> table = [] {
    std::array<uint8_t, 256> t{};
    for (int i = 0; i < 256; ++i) t[size_t(i)] = fromLinear(i);
    return t;
  }();
  return table;
}

// Linear-light ramps with translucent stops come out darker in the reference images:
// the colour in linear light is scaled by linear(alpha) / alpha, as though it were
// premultiplied in sRGB, taken to linear light and divided by the plain alpha there.
double translucentDimming(double alpha255) {
  if (alpha255 >= 255 || alpha255 <= 0) return 1;
  const double a = alpha255 / 255;
  const double l = a <= 0.04045 ? a / 12.92 : std::pow((a + 0.055) / 1.055, 2.4);
  return l / a;
}

// Channels are truncated, not rounded: a ramp between two stops then steps at the same
// places as the reference images of the test corpus do. Linear light is rounded to
// whole steps before it goes back to sRGB. The small allowance keeps whole values that
// interpolation computes a hair short of themselves.
uint8_t cut8(double v) { return uint8_t(std::clamp(v + 1e-7, 0.0, 255.0)); }

uint8_t linearStepToSrgb(double l, double dim) {
  const int step = int(std::clamp(l, 0.0, 255.0) + 0.5);
  return dim == 1 ? fromLinearSteps()[size_t(step)] : fromLinear(step * dim);
}

// Entries whose colour differs from a neighbour's by more than this in some channel
// cover a stretch too steep for the table: their pixels get exact colours.
constexpr int kSteepChannelStep = 4;

// Whether some channel of two premultiplied colours differs by more than kSteepChannelStep.
bool farApart(uint32_t p, uint32_t q) {
  for (int shift = 0; shift < 32; shift += 8) {
    const int d = int((p >> shift) & 255) - int((q >> shift) & 255);
    if (d > kSteepChannelStep || d < -kSteepChannelStep) return true;
  }
  return false;
}

bool leavesColoursAlone(const ColorTransform& t) {
  return t.rm == 1 && t.gm == 1 && t.bm == 1 && t.am == 1 && t.ra == 0 && t.ga == 0 && t.ba == 0 && t.aa == 0;
}

}  // namespace

// The value at each whole ratio 0..255. Where two stops share a ratio the earlier one
// holds that ratio and the later one the next: the reference images blend such a pair
// over one ratio step instead of switching within it.
void Ramp::valuesAtRatios(const Gradient& g) {
  auto stopValue = [this](Color c) -> Value {
    if (!linear_) return {double(c.r), double(c.g), double(c.b), double(c.a)};
    return {double(toLinear8(c.r)), double(toLinear8(c.g)), double(toLinear8(c.b)), double(c.a)};
  };
  const size_t n = std::min<size_t>(g.stops.size(), 15);
  size_t k = 0;  // last stop before the current ratio, or the first stop
  for (int r = 0; r < 256; ++r) {
    while (k + 1 < n && g.stops[k + 1].ratio < r) ++k;
    const GradientStop& s0 = g.stops[k];
    if (r <= s0.ratio || k + 1 >= n) {
      atRatio_[size_t(r)] = stopValue(s0.color);
      continue;
    }
    const GradientStop& s1 = g.stops[k + 1];
    const double t = (r - s0.ratio) / double(s1.ratio - s0.ratio);
    const Value x = stopValue(s0.color), y = stopValue(s1.color);
    atRatio_[size_t(r)] = {x.r + (y.r - x.r) * t, x.g + (y.g - x.g) * t, x.b + (y.b - x.b) * t, x.a + (y.a - x.a) * t};
  }
}

// Positions 0..1 span 256 ratio steps, each ratio at its step's centre: ratio = t * 256
// - 0.5; between whole ratios the values blend.
uint32_t Ramp::colourAtRatio(double ratio) const {
  const double r = std::clamp(ratio, 0.0, 255.0);
  const int r0 = std::min(int(r), 254);
  const double f = r - r0;
  const Value& x = atRatio_[size_t(r0)];
  const Value& y = atRatio_[size_t(r0 + 1)];
  const Value v{x.r + (y.r - x.r) * f, x.g + (y.g - x.g) * f, x.b + (y.b - x.b) * f, x.a + (y.a - x.a) * f};
  Color c{cut8(v.r), cut8(v.g), cut8(v.b), cut8(v.a)};
  if (linear_) {
    const double dim = translucentDimming(v.a);
    c = {linearStepToSrgb(v.r, dim), linearStepToSrgb(v.g, dim), linearStepToSrgb(v.b, dim), c.a};
  }
  return premultiply(ctIdentity_ ? c : ct_.apply(c));
}

// The blend between whole ratios is taken in 256ths of a ratio step, rounded: a pixel
// lying on a whole ratio but for the rounding of its position keeps that ratio's colour.
uint32_t Ramp::exactColourAt(int64_t position) const {
  constexpr int kShift = kRampFraction - 16;  // position to 256ths of a ratio step
  const int64_t steps = ((position + (int64_t(1) << (kShift - 1))) >> kShift) - 128;
  return colourAtRatio(double(steps) / 256);
}

void Ramp::build(const Gradient& g, const ColorTransform& ct) {
  ct_ = ct;
  ctIdentity_ = leavesColoursAlone(ct);
  linear_ = g.interpolation == Interpolation::LinearRGB;
  if (g.stops.empty()) {
    entries_.fill(0);
    steep_.fill(0);
    hasSteps_ = false;
    return;
  }
  valuesAtRatios(g);
  // Entry i stands for the positions i/kRampSize..(i+1)/kRampSize and takes its colour
  // at their middle. An entry whose colour lies far from a neighbour's covers a steep
  // stretch.
  hasSteps_ = false;
  steep_[0] = 0;
  uint32_t previous = entries_[0] = colourAtRatio(0.5 * 256.0 / kRampSize - 0.5);
  for (int i = 1; i < kRampSize; ++i) {
    const uint32_t c = colourAtRatio((i + 0.5) * 256.0 / kRampSize - 0.5);
    entries_[size_t(i)] = c;
    const bool steep = farApart(c, previous);
    steep_[size_t(i)] = steep;
    steep_[size_t(i - 1)] |= uint8_t(steep);
    hasSteps_ = hasSteps_ || steep;
    previous = c;
  }
}

void Ramp::padRow(int64_t t, int64_t dt, int len, uint32_t* out) const {
  constexpr int kShift = kRampFraction - kRampBits;
  const uint32_t first = entries_[0], end = entries_[kRampLast];
  int i = 0;
  if (dt >= 0) {
    for (; i < len && t < 0; ++i, t += dt) out[i] = first;
    for (; i < len && t < kRampOne; ++i, t += dt) out[i] = entries_[size_t(t >> kShift)];
    for (; i < len; ++i) out[i] = end;
  } else {
    for (; i < len && t >= kRampOne; ++i, t += dt) out[i] = end;
    for (; i < len && t >= 0; ++i, t += dt) out[i] = entries_[size_t(t >> kShift)];
    for (; i < len; ++i) out[i] = first;
  }
}

}  // namespace movie::render::detail
