// Colour transforms: multiply then add, per channel, alpha included.
#include <cmath>

#include "movie/value/color_transform.h"

namespace movie {

namespace {
uint8_t clampChannel(float v) {
  if (!(v > 0)) return 0;  // also NaN
  if (v >= 255) return 255;
  return uint8_t(v + 0.5f);
}
}  // namespace

ColorTransform ColorTransform::then(const ColorTransform& o) const {
  ColorTransform r;
  r.rm = rm * o.rm;
  r.gm = gm * o.gm;
  r.bm = bm * o.bm;
  r.am = am * o.am;
  r.ra = ra * o.rm + o.ra;
  r.ga = ga * o.gm + o.ga;
  r.ba = ba * o.bm + o.ba;
  r.aa = aa * o.am + o.aa;
  return r;
}

Color ColorTransform::apply(Color c) const {
  return {clampChannel(c.r * rm + ra), clampChannel(c.g * gm + ga), clampChannel(c.b * bm + ba),
          clampChannel(c.a * am + aa)};
}

}  // namespace movie
