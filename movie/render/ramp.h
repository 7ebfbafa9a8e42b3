#pragma once
// A gradient's colour ramp, colour transform applied, premultiplied: a table of entries
// for the smooth stretches, and exact colours where the table is too coarse.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>

#include "movie/render/render.h"

namespace movie::render::detail {

// Entries of the table: finer than the 256 ratio steps so that a gradient spread over
// many pixels changes colour smoothly instead of in visible bands.
constexpr int kRampBits = 10;
constexpr int kRampSize = 1 << kRampBits;
constexpr int kRampLast = kRampSize - 1;

// Positions along the gradient in fixed point with kRampFraction bits (kRampOne = the
// end of the gradient); enough bits that stepping along a row drifts by far less than a
// ratio step's hundredth.
constexpr int kRampFraction = 24;
constexpr int64_t kRampOne = int64_t(1) << kRampFraction;

class Ramp {
 public:
  void build(const Gradient& g, const ColorTransform& ct);

  // True when some entries stand for a stretch whose colour changes by more than the
  // table can show; only then need colourAt look past the table.
  bool hasSteps() const { return hasSteps_; }

  // The colour at a position 0..kRampOne (spread already applied). Within a steep
  // stretch (two stops sharing a ratio, say) the colour is worked out from the position.
  uint32_t colourAt(int64_t position) const {
    const int i = indexOf(position);
    return steep_[size_t(i)] ? exactColourAt(position) : entries_[size_t(i)];
  }
  // The table's colour alone, for ramps without steep stretches; positions outside
  // 0..kRampOne take the end entries (padding).
  uint32_t entryAt(int64_t position) const {
    const int64_t i = position >> (kRampFraction - kRampBits);
    return entries_[size_t(i < 0 ? 0 : i > kRampLast ? kRampLast : i)];
  }
  uint32_t last() const { return entries_[kRampLast]; }

  // Table colours of len pixels from position t on, dt apart, padded (ramps without steep
  // stretches): the row splits where it enters and leaves the gradient, so the middle
  // needs no clamping.
  void padRow(int64_t t, int64_t dt, int len, uint32_t* out) const;

 private:
  // A colour's channels before they are cut to 8 bits: sRGB values, or linear-light
  // values on the 0..255 scale (alpha is never linearised).
  struct Value {
    double r, g, b, a;
  };

  static int indexOf(int64_t position) { return std::min(kRampLast, int(position >> (kRampFraction - kRampBits))); }
  uint32_t colourAtRatio(double ratio) const;
  uint32_t exactColourAt(int64_t position) const;
  void valuesAtRatios(const Gradient& g);

  std::array<uint32_t, kRampSize> entries_;
  std::array<uint8_t, kRampSize> steep_;
  std::array<Value, 256> atRatio_;  // the value at each whole ratio
  ColorTransform ct_;
  bool ctIdentity_ = true;
  bool linear_ = false;
  bool hasSteps_ = false;
};

// t in fixed point, rounded half up, clamped far beyond where spreading stops mattering.
// The floor is taken by hand: this runs for every pixel of a radial gradient.
inline int64_t toRampFixed(double t) {
  if (!(t == t)) return 0;
  t = t < -1e9 ? -1e9 : t > 1e9 ? 1e9 : t;
  const double x = t * double(kRampOne) + 0.5;
  const int64_t cut = int64_t(x);  // toward zero
  return double(cut) > x ? cut - 1 : cut;
}

// A fixed-point position along the gradient brought into 0..kRampOne by the spread mode.
inline int64_t spreadPosition(int64_t t, Spread spread) {
  if (spread == Spread::Repeat) return t & (kRampOne - 1);
  if (spread == Spread::Reflect) {
    t &= 2 * kRampOne - 1;
    return t > kRampOne ? 2 * kRampOne - t : t;
  }
  return t <= 0 ? 0 : t >= kRampOne ? kRampOne : t;
}

}  // namespace movie::render::detail
