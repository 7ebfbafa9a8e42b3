#pragma once
// A gradient's 256-entry colour ramp, colour transform applied, premultiplied.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>

#include "movie/render/render.h"

namespace movie::render::detail {

// Entries of a ramp: finer than the 256 ratio steps so that a gradient spread over many
// pixels changes colour smoothly instead of in visible bands.
constexpr int kRampBits = 10;
constexpr int kRampSize = 1 << kRampBits;
constexpr int kRampLast = kRampSize - 1;
using Ramp = std::array<uint32_t, kRampSize>;

void buildRamp(const Gradient& g, const ColorTransform& ct, Ramp& out);

// Position along the gradient (0..1 inside it) to a ramp index under the spread mode.
inline int rampIndex(double t, Spread spread) {
  if (!(t == t)) t = 0;
  if (spread == Spread::Repeat) {
    t -= std::floor(t);
  } else if (spread == Spread::Reflect) {
    t = std::fabs(t);
    t -= 2 * std::floor(t / 2);
    if (t > 1) t = 2 - t;
  }
  // kRampSize equal steps over 0..1, the last one closed.
  if (t <= 0) return 0;
  if (t >= 1) return kRampLast;
  return std::min(kRampLast, int(t * kRampSize));
}

// The same for t in fixed point with kRampFraction bits (1 << kRampFraction = the end of
// the gradient); enough bits that stepping along a row drifts by far less than a step.
constexpr int kRampFraction = 24;
constexpr int64_t kRampOne = int64_t(1) << kRampFraction;

inline int rampIndexFixed(int64_t t, Spread spread) {
  if (spread == Spread::Repeat) {
    t &= kRampOne - 1;
  } else if (spread == Spread::Reflect) {
    t &= 2 * kRampOne - 1;
    if (t > kRampOne) t = 2 * kRampOne - t;
  } else if (t <= 0) {
    return 0;
  } else if (t >= kRampOne) {
    return kRampLast;
  }
  return std::min(kRampLast, int(t >> (kRampFraction - kRampBits)));
}

// t to fixed point, clamped far beyond where spreading stops mattering.
inline int64_t toRampFixed(double t) {
  if (!(t == t)) return 0;
  t = t < -1e9 ? -1e9 : t > 1e9 ? 1e9 : t;
  return int64_t(std::floor(t * double(kRampOne) + 0.5));
}

}  // namespace movie::render::detail
