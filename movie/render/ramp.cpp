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

// Linear-light ramps with translucent stops come out darker in the reference images:
// the colour in linear light is scaled by linear(alpha) / alpha, as though it were
// premultiplied in sRGB, taken to linear light and divided by the plain alpha there.
double translucentDimming(double alpha255) {
  if (alpha255 >= 255 || alpha255 <= 0) return 1;
  const double a = alpha255 / 255;
  const double l = a <= 0.04045 ? a / 12.92 : std::pow((a + 0.055) / 1.055, 2.4);
  return l / a;
}

// A ramp entry's channels before they are cut to 8 bits: sRGB values, or linear-light
// values on the 0..255 scale (alpha is never linearised).
struct RampValue {
  double r = 0, g = 0, b = 0, a = 0;
};

RampValue lerpValue(const RampValue& x, const RampValue& y, double t) {
  return {x.r + (y.r - x.r) * t, x.g + (y.g - x.g) * t, x.b + (y.b - x.b) * t, x.a + (y.a - x.a) * t};
}

RampValue stopValue(Color c, bool linear) {
  if (!linear) return {double(c.r), double(c.g), double(c.b), double(c.a)};
  return {double(toLinear8(c.r)), double(toLinear8(c.g)), double(toLinear8(c.b)), double(c.a)};
}

// Channels are truncated, not rounded: a ramp between two stops then steps at the same
// places as the reference images of the test corpus do. Linear light is rounded to
// whole steps before it goes back to sRGB. The small allowance keeps whole values that
// interpolation computes a hair short of themselves.
uint8_t cut8(double v) { return uint8_t(std::clamp(v + 1e-7, 0.0, 255.0)); }

Color finish(const RampValue& v, bool linear) {
  if (!linear) return {cut8(v.r), cut8(v.g), cut8(v.b), cut8(v.a)};
  const double dim = translucentDimming(v.a);
  auto ch = [dim](double l) { return fromLinear(std::floor(l + 0.5) * dim); };
  return {ch(v.r), ch(v.g), ch(v.b), cut8(v.a)};
}

// The value at each whole ratio 0..255. Where two stops share a ratio the earlier one
// holds that ratio and the later one the next: the reference images blend such a pair
// over one ratio step instead of switching within it.
using RatioValues = std::array<RampValue, 256>;

void valuesAtRatios(const Gradient& g, bool linear, RatioValues& out) {
  const size_t n = std::min<size_t>(g.stops.size(), 15);
  size_t k = 0;  // last stop before the current ratio, or the first stop
  for (int r = 0; r < 256; ++r) {
    while (k + 1 < n && g.stops[k + 1].ratio < r) ++k;
    const GradientStop& s0 = g.stops[k];
    if (r <= s0.ratio || k + 1 >= n) {
      out[size_t(r)] = stopValue(s0.color, linear);
      continue;
    }
    const GradientStop& s1 = g.stops[k + 1];
    const double t = (r - s0.ratio) / double(s1.ratio - s0.ratio);
    out[size_t(r)] = lerpValue(stopValue(s0.color, linear), stopValue(s1.color, linear), t);
  }
}

}  // namespace

void buildRamp(const Gradient& g, const ColorTransform& ct, Ramp& out) {
  if (g.stops.empty()) {
    out.fill(0);
    return;
  }
  const bool linear = g.interpolation == Interpolation::LinearRGB;
  RatioValues atRatio;
  valuesAtRatios(g, linear, atRatio);
  for (int i = 0; i < kRampSize; ++i) {
    // Entry i stands for the positions i/kRampSize..(i+1)/kRampSize and takes its colour
    // at their middle. Positions 0..1 span 256 ratio steps, each ratio at its step's
    // centre: ratio = t * 256 - 0.5; between whole ratios the values blend.
    const double r = std::clamp((i + 0.5) * 256.0 / kRampSize - 0.5, 0.0, 255.0);
    const int r0 = std::min(int(r), 254);
    const RampValue v = lerpValue(atRatio[size_t(r0)], atRatio[size_t(r0 + 1)], r - r0);
    out[size_t(i)] = premultiply(ct.apply(finish(v, linear)));
  }
}

}  // namespace movie::render::detail
