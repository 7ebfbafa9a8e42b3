#pragma once
// Shapes and measurements shared by the drawing-layer tests.
#include <cmath>
#include <cstdint>

#include "movie/render/render.h"

namespace render_test {

using namespace movie::render;

inline Path rect(float x, float y, float w, float h) {
  Path p;
  p.moveTo(x, y);
  p.lineTo(x + w, y);
  p.lineTo(x + w, y + h);
  p.lineTo(x, y + h);
  p.lineTo(x, y);
  return p;
}

// A circle of eight quadratic arcs, each control point on the tangents' meeting point.
// One straight segment (a dot when both ends are the same point).
inline Path segment(float x0, float y0, float x1, float y1) {
  Path p;
  p.moveTo(x0, y0);
  p.lineTo(x1, y1);
  return p;
}

inline Path circle(float cx, float cy, float r) {
  Path p;
  const double pi = 3.14159265358979323846;
  const double k = r / std::cos(pi / 8);
  p.moveTo(cx + r, cy);
  for (int i = 1; i <= 8; ++i) {
    double mid = (i - 0.5) * pi / 4, end = i * pi / 4;
    p.quadTo(float(cx + k * std::cos(mid)), float(cy + k * std::sin(mid)), float(cx + r * std::cos(end)),
             float(cy + r * std::sin(end)));
  }
  return p;
}

// Total coverage of a mask in pixels (255 = one pixel).
inline double coverageSum(const Mask& m) {
  double sum = 0;
  for (int y = 0; y < m.height(); ++y)
    for (int x = 0; x < m.width(); ++x) sum += m.row(y)[x];
  return sum / 255.0;
}

inline double coverageOf(const Path& p, int w, int h, FillRule rule = FillRule::NonZero,
                         AntiAlias aa = AntiAlias::Full, const Matrix& m = {}) {
  Mask mask(w, h);
  fillMask(mask, p, rule, m, aa);
  return coverageSum(mask);
}

inline unsigned alphaOf(uint32_t p) { return p >> 24; }
inline unsigned redOf(uint32_t p) { return (p >> 16) & 255; }
inline unsigned greenOf(uint32_t p) { return (p >> 8) & 255; }
inline unsigned blueOf(uint32_t p) { return p & 255; }

}  // namespace render_test
