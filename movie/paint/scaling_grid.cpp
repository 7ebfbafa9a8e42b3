#include "movie/paint/scaling_grid.h"

#include <algorithm>
#include <cmath>
#include <variant>

namespace movie::paint {
namespace {

// The axis for a sprite spanning [min, max] with its centre band [lo, hi] under scale s:
// the outer bands keep their authored length once scaled (own length = authored / s);
// when the scaled sprite is too small for both, they shrink alike and the centre vanishes.
bool makeAxis(float min, float lo, float hi, float max, float s, GridWarp::Axis& axis) {
  if (!(max > min) || !(s > 0) || !std::isfinite(s)) return false;
  lo = std::clamp(lo, min, max);
  hi = std::clamp(hi, lo, max);
  float fixed = (lo - min) + (max - hi);
  float total = max - min;
  float outer = 1 / s;
  if (fixed * outer > total) outer = fixed > 0 ? total / fixed : 1;
  float middleOwn = total - fixed * outer;
  axis = {min, lo, hi, max, outer, hi > lo ? middleOwn / (hi - lo) : 0};
  return true;
}

}  // namespace

float GridWarp::Axis::map(float v) const {
  if (v < lo) return min + (v - min) * outer;
  if (v > hi) return max - (max - v) * outer;
  return min + (lo - min) * outer + (v - lo) * middle;
}

bool GridWarp::set(const format::Rect& grid, const format::Rect& bounds, float xScale, float yScale) {
  if (grid.xMax <= grid.xMin || grid.yMax <= grid.yMin) return false;
  return makeAxis(float(bounds.xMin), float(grid.xMin), float(grid.xMax), float(bounds.xMax), xScale, x_) &&
         makeAxis(float(bounds.yMin), float(grid.yMin), float(grid.yMax), float(bounds.yMax), yScale, y_);
}

Drawable GridWarp::warp(const Drawable& d, const Matrix& m) const {
  Drawable out;
  out.items.reserve(d.items.size());
  for (const DrawItem& item : d.items) {
    DrawItem w = item;
    std::vector<float>& c = w.path.coords;
    for (size_t i = 0; i + 1 < c.size(); i += 2) {
      float px = c[i], py = c[i + 1];
      c[i] = x_.map(m.a * px + m.c * py + m.tx);
      c[i + 1] = y_.map(m.b * px + m.d * py + m.ty);
    }
    if (auto* g = std::get_if<render::Gradient>(&w.paint)) g->matrix = g->matrix.then(m);
    if (auto* b = std::get_if<render::BitmapFill>(&w.paint)) b->matrix = b->matrix.then(m);
    out.items.push_back(std::move(w));
  }
  return out;
}

}  // namespace movie::paint
