#pragma once
// Device-space points in double precision, and the guard that keeps hostile coordinates
// (NaN, infinities, 1e30) inside a range the fixed-point rasterizer can hold.
#include <cmath>
#include <cstdint>
#include <vector>

#include "movie/render/render.h"

namespace movie::render::detail {

struct Point {
  double x = 0, y = 0;
};

// Far enough outside any surface to behave like infinity, small enough for 24.8 fixed point
// after clipping and for squared lengths in double.
constexpr double kCoordLimit = 1e7;

inline double saneCoord(double v) {
  if (!(v == v)) return 0;  // NaN
  if (v > kCoordLimit) return kCoordLimit;
  if (v < -kCoordLimit) return -kCoordLimit;
  return v;
}

inline Point transform(const Matrix& m, double x, double y) {
  return {saneCoord(double(m.a) * x + double(m.c) * y + m.tx), saneCoord(double(m.b) * x + double(m.d) * y + m.ty)};
}

// v rounded to the nearest multiple of grid as the stage would place it without its tie
// shift, then shifted back: points halfway between grid lines go the same way whether or
// not the shift is in the matrix.
inline double roundToGridUnshifted(double v, double grid) {
  return std::nearbyint((v + kTieShift) / grid) * grid - kTieShift;
}

// Flattened subpaths: all points in one array, each subpath a range [starts[i], starts[i+1]).
struct Polylines {
  std::vector<Point> points;
  std::vector<uint32_t> starts;
  void clear() {
    points.clear();
    starts.clear();
  }
  size_t count() const { return starts.size(); }
  size_t begin(size_t i) const { return starts[i]; }
  size_t end(size_t i) const { return i + 1 < starts.size() ? starts[i + 1] : points.size(); }
};

// Axis-aligned box used to cull curves and polygons that cannot touch the surface.
struct Box {
  double x0, y0, x1, y1;
};

}  // namespace movie::render::detail
