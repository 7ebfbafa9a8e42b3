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

// Blended channels are truncated, not rounded: a ramp between two stops then steps at
// the same places as the reference images of the test corpus do.
uint8_t lerp8(uint8_t a, uint8_t b, double t) { return uint8_t(a + (b - a) * t); }

Color mix(Color a, Color b, double t, bool linear) {
  if (!linear) return {lerp8(a.r, b.r, t), lerp8(a.g, b.g, t), lerp8(a.b, b.b, t), lerp8(a.a, b.a, t)};
  const uint8_t alpha = lerp8(a.a, b.a, t);
  const double dim = translucentDimming(a.a + (b.a - a.a) * t);
  auto ch = [t, dim](uint8_t x, uint8_t y) {
    const int lx = toLinear8(x), ly = toLinear8(y);
    return fromLinear(std::floor(lx + (ly - lx) * t + 0.5) * dim);
  };
  return {ch(a.r, b.r), ch(a.g, b.g), ch(a.b, b.b), alpha};
}

}  // namespace

void buildRamp(const Gradient& g, const ColorTransform& ct, Ramp& out) {
  if (g.stops.empty()) {
    out.fill(0);
    return;
  }
  const size_t n = std::min<size_t>(g.stops.size(), 15);
  const bool linear = g.interpolation == Interpolation::LinearRGB;
  size_t k = 0;  // last stop at or before the current ratio
  for (int i = 0; i < kRampSize; ++i) {
    // Entry i stands for the positions i/kRampSize..(i+1)/kRampSize and takes its colour
    // at their middle. Positions 0..1 span 256 ratio steps, each ratio at its step's
    // centre: ratio = t * 256 - 0.5.
    const double r = (i + 0.5) * 256.0 / kRampSize - 0.5;
    while (k + 1 < n && g.stops[k + 1].ratio <= r) ++k;
    const GradientStop& s0 = g.stops[k];
    Color c;
    if (r <= s0.ratio || k + 1 >= n) {
      // Before the first stop or after the last; linear light still goes through its
      // 8-bit round trip.
      c = mix(s0.color, s0.color, 0, linear);
    } else {
      const GradientStop& s1 = g.stops[k + 1];
      double t = (r - s0.ratio) / double(s1.ratio - s0.ratio);
      c = mix(s0.color, s1.color, t, linear);
    }
    out[size_t(i)] = premultiply(ct.apply(c));
  }
}

}  // namespace movie::render::detail
