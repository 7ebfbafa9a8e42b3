#pragma once
// A colour transform: multiply then add, per channel, alpha included.
#include "movie/value/color.h"

namespace movie {

// result = clamp(channel * mul + add), with add in 0..255 units, alpha included.
struct ColorTransform {
  float rm = 1, gm = 1, bm = 1, am = 1;
  float ra = 0, ga = 0, ba = 0, aa = 0;
  ColorTransform then(const ColorTransform& outer) const;
  Color apply(Color c) const;
};

}  // namespace movie
