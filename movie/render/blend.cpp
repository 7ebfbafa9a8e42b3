// Blend modes on premultiplied pixels. The separable modes follow the usual compositing
// algebra: result = S(1 - Da) + D(1 - Sa) + Sa Da B(S/Sa, D/Da), alpha = Sa + Da - Sa Da,
// with B worked out in premultiplied terms so no division is needed.
#include "movie/render/blend.h"

#include <algorithm>
#include <cstdlib>

#include "movie/render/pixel.h"

namespace movie::render {
namespace {

// Channels on a 0..255*255 scale where products of two 0..255 values live.
using Blend = int (*)(int s, int d, int sa, int da);

int multiply(int s, int d, int, int) { return s * d; }
int screen(int s, int d, int sa, int da) { return s * da + d * sa - s * d; }
int lighten(int s, int d, int sa, int da) { return std::max(s * da, d * sa); }
int darken(int s, int d, int sa, int da) { return std::min(s * da, d * sa); }
int difference(int s, int d, int sa, int da) { return std::abs(s * da - d * sa); }
int hardlight(int s, int d, int sa, int da) {
  return 2 * s <= sa ? 2 * s * d : sa * da - 2 * (da - d) * (sa - s);
}
int overlay(int s, int d, int sa, int da) { return hardlight(d, s, da, sa); }

uint32_t separable(uint32_t dst, uint32_t src, Blend blend) {
  int sa = int(src >> 24), da = int(dst >> 24);
  if (sa == 0) return dst;
  auto channel = [&](int shift) {
    int s = int((src >> shift) & 255), d = int((dst >> shift) & 255);
    int v = s * (255 - da) + d * (255 - sa) + blend(s, d, sa, da);
    return uint32_t(std::clamp((v + 127) / 255, 0, 255));
  };
  uint32_t a = uint32_t(sa + da - int(detail::mul255(unsigned(sa), unsigned(da))));
  return (a << 24) | (channel(16) << 16) | (channel(8) << 8) | channel(0);
}

uint32_t perChannel(uint32_t dst, uint32_t src, int sign) {
  uint32_t out = 0;
  for (int shift = 0; shift < 32; shift += 8) {
    int s = int((src >> shift) & 255), d = int((dst >> shift) & 255);
    int v = shift == 24 ? s + d - int(detail::mul255(unsigned(s), unsigned(d))) : d + sign * s;
    out |= uint32_t(std::clamp(v, 0, 255)) << shift;
  }
  return out;
}

// a where weight is 255, b where it is 0, per channel (no carry between channels).
uint32_t mix(uint32_t a, uint32_t b, unsigned weight) {
  uint32_t out = 0;
  for (int shift = 0; shift < 32; shift += 8) {
    int ca = int((a >> shift) & 255), cb = int((b >> shift) & 255);
    int v = cb + ((ca - cb) * int(weight) + (ca >= cb ? 127 : -127)) / 255;
    out |= uint32_t(std::clamp(v, 0, 255)) << shift;
  }
  return out;
}

// The colour beneath turned to its complement where the layer covers it.
uint32_t invert(uint32_t dst, uint32_t src) {
  unsigned sa = src >> 24, da = dst >> 24;
  uint32_t inverted = (da << 24) | (((da << 16) | (da << 8) | da) - (dst & 0xFFFFFF));
  return mix(inverted, dst, sa);
}

}  // namespace

BlendMode blendModeOf(uint8_t value) {
  return value >= 2 && value <= 14 ? BlendMode(value) : BlendMode::Normal;
}

uint32_t blendPixel(uint32_t dst, uint32_t src, BlendMode mode) {
  switch (mode) {
    case BlendMode::Multiply: return separable(dst, src, multiply);
    case BlendMode::Screen: return separable(dst, src, screen);
    case BlendMode::Lighten: return separable(dst, src, lighten);
    case BlendMode::Darken: return separable(dst, src, darken);
    case BlendMode::Difference: return separable(dst, src, difference);
    case BlendMode::Overlay: return separable(dst, src, overlay);
    case BlendMode::Hardlight: return separable(dst, src, hardlight);
    case BlendMode::Add: return perChannel(dst, src, 1);
    case BlendMode::Subtract: return perChannel(dst, src, -1);
    case BlendMode::Invert: return invert(dst, src);
    case BlendMode::Alpha: return detail::scalePixel(dst, src >> 24);
    case BlendMode::Erase: return detail::scalePixel(dst, 255 - (src >> 24));
    case BlendMode::Normal:
    case BlendMode::Layer:
    default: return detail::srcOver(dst, src);
  }
}

void compositeLayer(Surface& target, const Surface& layer, BlendMode mode, const Mask* clip, int originX,
                    int originY) {
  int w = target.width(), h = target.height();
  if (clip) w = std::min(w, clip->width()), h = std::min(h, clip->height());
  // Every mode, Alpha too, touches only the pixels the layer covers: where an Alpha
  // layer is clear, what lies beneath stays as it was.
  int x0 = std::max(0, originX), x1 = std::min(w, originX + layer.width());
  int y0 = std::max(0, originY), y1 = std::min(h, originY + layer.height());
  for (int y = y0; y < y1; ++y) {
    uint32_t* d = target.row(y);
    const uint32_t* s = layer.row(y - originY);
    const uint8_t* c = clip ? clip->row(y) : nullptr;
    for (int x = x0; x < x1; ++x) {
      uint32_t src = s[x - originX];
      if (src == 0) continue;
      unsigned cover = c ? c[x] : 255;
      if (cover == 0) continue;
      uint32_t blended = blendPixel(d[x], src, mode);
      d[x] = cover == 255 ? blended : mix(blended, d[x], cover);
    }
  }
}

}  // namespace movie::render
