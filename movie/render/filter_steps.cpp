// Shared filter steps over premultiplied surfaces.
#include "movie/render/filter_steps.h"

#include <algorithm>
#include <cmath>

#include "movie/render/filters.h"
#include "movie/render/pixel.h"

namespace movie::render::detail {

namespace {

constexpr float kMaxOffset = 4096;  // pixels: a shadow further away than this is nowhere

}  // namespace

EffectPlace effectPlaceOf(const Filter& f) {
  if (f.inner) return EffectPlace::Inside;
  return f.onTop ? EffectPlace::OnTop : EffectPlace::Behind;
}

Surface blurredAlpha(const Surface& layer, const Filter& f, bool invert) {
  Surface out(layer.width(), layer.height());
  for (int y = 0; y < layer.height(); ++y) {
    const uint32_t* s = layer.row(y);
    uint32_t* d = out.row(y);
    for (int x = 0; x < layer.width(); ++x) {
      uint32_t a = s[x] >> 24;
      if (invert) a = 255 - a;
      d[x] = a * 0x01010101u;
    }
  }
  blurSurface(out, f.blurX, f.blurY, f.passes);
  return out;
}

void strengthen(Surface& s, float strength) {
  if (strength == 1) return;
  if (!(strength > 0)) strength = 0;  // none, negative or not a number: no effect
  for (uint32_t& p : s.pixels()) {
    if (!p) continue;
    uint32_t out = 0;
    for (int c = 0; c < 32; c += 8) out |= uint32_t(std::min(255.0f, float((p >> c) & 255) * strength)) << c;
    p = out;
  }
}

void offsetOf(const Filter& f, float scale, float& dx, float& dy) {
  float d = std::clamp(f.distance * scale, -kMaxOffset, kMaxOffset);
  float angle = std::isfinite(f.angle) ? f.angle : 0;
  dx = std::isfinite(d) ? std::cos(angle) * d : 0;
  dy = std::isfinite(d) ? std::sin(angle) * d : 0;
}

Surface shifted(const Surface& s, float dx, float dy) {
  int ox = int(std::lround(std::clamp(dx, -kMaxOffset, kMaxOffset)));
  int oy = int(std::lround(std::clamp(dy, -kMaxOffset, kMaxOffset)));
  if (ox == 0 && oy == 0) return s;
  Surface out(s.width(), s.height());
  int x0 = std::max(0, ox), x1 = std::min(s.width(), s.width() + ox);
  for (int y = std::max(0, oy); y < std::min(s.height(), s.height() + oy); ++y)
    if (x0 < x1) std::copy(s.row(y - oy) + (x0 - ox), s.row(y - oy) + (x1 - ox), out.row(y) + x0);
  return out;
}

void combine(Surface& layer, const Surface& effect, const Filter& f) {
  EffectPlace place = effectPlaceOf(f);
  bool showSource = f.compositeSource && !f.knockout;
  for (int y = 0; y < layer.height(); ++y) {
    uint32_t* d = layer.row(y);
    const uint32_t* e = effect.row(y);
    for (int x = 0; x < layer.width(); ++x) {
      uint32_t src = d[x];
      unsigned sa = src >> 24;
      switch (place) {
        case EffectPlace::Inside: {
          uint32_t inside = scalePixel(e[x], sa);  // the effect where the layer is
          // Over the object, the effect covers it as far as the effect is dense but
          // never makes it more opaque than it is.
          d[x] = showSource ? inside + scalePixel(src, 255 - (e[x] >> 24)) : inside;
          break;
        }
        case EffectPlace::OnTop:
          d[x] = showSource ? srcOver(src, e[x]) : e[x];
          break;
        case EffectPlace::Behind:
          if (showSource) d[x] = srcOver(e[x], src);
          else d[x] = f.knockout ? scalePixel(e[x], 255 - sa) : e[x];
          break;
      }
    }
  }
}

}  // namespace movie::render::detail
