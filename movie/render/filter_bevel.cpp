// Bevels and gradient glows. A bevel compares the object's blurred alpha moved one way
// along its angle with the same moved the other way: where the copy towards the light is
// denser the edge is lit, where the other copy is denser it lies in shadow. Gradient
// filters look their colour up in a 256-entry ramp: a gradient glow by the blurred alpha
// (0 far out, 255 inside), a gradient bevel by light against shadow (0 lit, 128 neither,
// 255 in shadow).
#include <algorithm>
#include <array>
#include <vector>

#include "movie/render/filter_steps.h"
#include "movie/render/filters.h"
#include "movie/render/pixel.h"

namespace movie::render {
namespace {

using Ramp256 = std::array<uint32_t, 256>;

Ramp256 rampOf(std::vector<GradientStop> stops) {
  Ramp256 ramp{};
  if (stops.empty()) return ramp;
  std::stable_sort(stops.begin(), stops.end(), [](const GradientStop& a, const GradientStop& b) {
    return a.ratio < b.ratio;
  });
  size_t k = 0;
  for (int r = 0; r < 256; ++r) {
    while (k + 1 < stops.size() && stops[k + 1].ratio <= r) ++k;
    const GradientStop& s0 = stops[k];
    Color c = s0.color;
    if (r > s0.ratio && k + 1 < stops.size()) {
      const GradientStop& s1 = stops[k + 1];
      int span = s1.ratio - s0.ratio, t = r - s0.ratio;
      auto mix = [&](uint8_t a, uint8_t b) { return uint8_t((a * (span - t) + b * t + span / 2) / span); };
      c = {mix(s0.color.r, s1.color.r), mix(s0.color.g, s1.color.g), mix(s0.color.b, s1.color.b),
           mix(s0.color.a, s1.color.a)};
    }
    ramp[size_t(r)] = detail::premultiply(c);
  }
  return ramp;
}

unsigned strengthened(int v, float strength) {
  if (v <= 0) return 0;
  float s = float(v) * (strength > 0 ? strength : 0);
  return s >= 255 ? 255u : unsigned(s);
}

}  // namespace

void bevel(Surface& layer, const Filter& f, float scale) {
  Surface alpha = detail::blurredAlpha(layer, f, false);
  float dx, dy;
  detail::offsetOf(f, scale, dx, dy);
  Surface lit = detail::shifted(alpha, -dx, -dy);  // at p: the alpha at p + offset
  Surface dark = detail::shifted(alpha, dx, dy);   // at p: the alpha at p - offset
  bool gradient = f.kind == Filter::GradientBevel;
  Ramp256 ramp = gradient ? rampOf(f.stops) : Ramp256{};
  uint32_t highlight = detail::premultiply(f.color), shadow = detail::premultiply(f.shadowColor);
  Surface effect(layer.width(), layer.height());
  for (size_t i = 0; i < effect.pixels().size(); ++i) {
    int l = int(lit.pixels()[i] >> 24), d = int(dark.pixels()[i] >> 24);
    if (!l && !d) continue;  // no object near: no effect
    unsigned light = strengthened(l - d, f.strength), shade = strengthened(d - l, f.strength);
    uint32_t& out = effect.pixels()[i];
    if (gradient)
      out = ramp[size_t(std::clamp((int(shade) - int(light) + 256) / 2, 0, 255))];
    else
      out = light ? detail::scalePixel(highlight, light) : detail::scalePixel(shadow, shade);
  }
  detail::combine(layer, effect, f);
}

void gradientGlow(Surface& layer, const Filter& f, float scale) {
  Surface effect = detail::blurredAlpha(layer, f, f.inner);
  detail::strengthen(effect, f.strength);
  float dx, dy;
  detail::offsetOf(f, scale, dx, dy);
  effect = detail::shifted(effect, dx, dy);
  Ramp256 ramp = rampOf(f.stops);
  for (uint32_t& p : effect.pixels()) p = p ? ramp[p >> 24] : 0;
  detail::combine(layer, effect, f);
}

}  // namespace movie::render
