#include "movie/paint/scaling_grid.h"

#include <algorithm>
#include <cmath>
#include <variant>

#include "movie/paint/grid_cuts.h"

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

render::Bend::Axis bendOf(const GridWarp::Axis& a) {
  render::Bend::Axis out;
  out.from = {a.min, a.lo, a.hi, a.max};
  out.to = {a.map(a.min), a.mapIn(a.lo, 0), a.mapIn(a.hi, 2), a.map(a.max)};
  return out;
}

}  // namespace

float GridWarp::Axis::mapIn(float v, int band) const {
  if (band == 0) return min + (v - min) * outer;
  if (band == 2) return max - (max - v) * outer;
  return min + (lo - min) * outer + (v - lo) * middle;
}

bool GridWarp::set(const format::Rect& grid, const format::Rect& bounds, float xScale, float yScale) {
  if (grid.xMax <= grid.xMin || grid.yMax <= grid.yMin) return false;
  if (!makeAxis(float(bounds.xMin), float(grid.xMin), float(grid.xMax), float(bounds.xMax), xScale, x_) ||
      !makeAxis(float(bounds.yMin), float(grid.yMin), float(grid.yMax), float(bounds.yMax), yScale, y_))
    return false;
  bend_ = std::make_shared<const render::Bend>(render::Bend{bendOf(x_), bendOf(y_)});
  return true;
}

// Every piece lies in one band of each axis once cut; all its points, control points
// included, move with that band, so lines stay lines and curves stay exact.
render::Path GridWarp::bend(const render::Path& path, const Matrix& m) const {
  render::Path sprite = transformed(path, m);
  render::Path out;
  forEachGridPiece(sprite, {x_.lo, x_.hi}, {y_.lo, y_.hi}, [&](const GridPiece& piece) {
    int bx = x_.bandOf(piece.middleX), by = y_.bandOf(piece.middleY);
    auto at = [&](int i) { return std::pair{x_.mapIn(piece.points[2 * i], bx), y_.mapIn(piece.points[2 * i + 1], by)}; };
    if (piece.verb == render::Path::MoveTo) {
      auto [px, py] = at(0);
      out.moveTo(px, py);
    } else if (piece.verb == render::Path::LineTo) {
      auto [px, py] = at(0);
      out.lineTo(px, py);
    } else {
      auto [cx, cy] = at(0);
      auto [px, py] = at(1);
      out.quadTo(cx, cy, px, py);
    }
  });
  return out;
}

Drawable GridWarp::warp(const Drawable& d, const Matrix& m) const {
  Drawable out;
  out.items.reserve(d.items.size());
  for (const DrawItem& item : d.items) {
    DrawItem w = item;
    w.path = bend(item.path, m);
    if (auto* g = std::get_if<render::Gradient>(&w.paint)) g->matrix = g->matrix.then(m);
    if (auto* b = std::get_if<render::BitmapFill>(&w.paint)) {
      b->matrix = b->matrix.then(m);
      b->bend = bend_;
    }
    out.items.push_back(std::move(w));
  }
  return out;
}

}  // namespace movie::paint
