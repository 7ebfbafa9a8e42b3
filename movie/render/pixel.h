#pragma once
// Premultiplied 0xAARRGGBB pixel arithmetic, two channels per 32-bit multiply.
#include <algorithm>
#include <cmath>
#include <cstdint>

#include "movie/render/render.h"

namespace movie::render::detail {

// a * b / 255, rounded, for a and b in 0..255.
inline unsigned mul255(unsigned a, unsigned b) {
  unsigned t = a * b + 128;
  return (t + (t >> 8)) >> 8;
}

// Every channel of p times a / 255.
inline uint32_t scalePixel(uint32_t p, unsigned a) {
  uint32_t rb = (p & 0x00FF00FFu) * a + 0x00800080u;
  rb = ((rb + ((rb >> 8) & 0x00FF00FFu)) >> 8) & 0x00FF00FFu;
  uint32_t ag = ((p >> 8) & 0x00FF00FFu) * a + 0x00800080u;
  ag = (ag + ((ag >> 8) & 0x00FF00FFu)) & 0xFF00FF00u;
  return rb | ag;
}

// Source over destination, both premultiplied.
inline uint32_t srcOver(uint32_t dst, uint32_t src) { return src + scalePixel(dst, 255 - (src >> 24)); }

// A computed channel value rounded into 0..255; anything not finite counts as 0.
inline uint8_t channelOf(float v) { return uint8_t(std::isfinite(v) ? std::clamp(v, 0.0f, 255.0f) + 0.5f : 0.0f); }

inline uint32_t premultiply(Color c) {
  return (uint32_t(c.a) << 24) | (mul255(c.r, c.a) << 16) | (mul255(c.g, c.a) << 8) | mul255(c.b, c.a);
}

inline Color unpremultiply(uint32_t p) {
  unsigned a = p >> 24;
  if (a == 0) return {0, 0, 0, 0};
  auto un = [a](unsigned c) { return uint8_t(c >= a ? 255 : (c * 255 + a / 2) / a); };
  return {un((p >> 16) & 255), un((p >> 8) & 255), un(p & 255), uint8_t(a)};
}

}  // namespace movie::render::detail
