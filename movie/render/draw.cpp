// The drawing entry points: flatten, rasterize, paint.
#include <algorithm>
#include <cmath>

#include "movie/render/flatten.h"
#include "movie/render/paint.h"
#include "movie/render/rasterizer.h"
#include "movie/render/render.h"
#include "movie/render/stroker.h"

namespace movie::render {

namespace {

using detail::Box;
using detail::Polylines;
using detail::Rasterizer;

// Scratch kept between draws so a frame of many shapes allocates nothing once warm.
struct Scratch {
  Rasterizer ras;
  Polylines lines;
};

Scratch& scratch() {
  thread_local Scratch s;
  return s;
}

void paintCoverage(Surface& target, Rasterizer& ras, FillRule rule, const Paint& paint, const DrawState& state) {
  const Mask* clip = state.clip;
  if (clip && (clip->width() < target.width() || clip->height() < target.height())) clip = nullptr;
  detail::Painter painter(paint, state);
  ras.sweep(rule, [&](int y, const detail::Span* spans, size_t n) {
    painter.paintRow(target.row(y), y, spans, n, clip ? clip->row(y) : nullptr);
  });
}

// Drawn straight onto the stage, aliased curves keep their chord points on the twip grid;
// drawn into an object's own bitmap they do not.
double chordGridFor(const DrawState& state) {
  return state.curvePointsOnTwips ? detail::chordGrid(state.antiAlias) : detail::kNoChordGrid;
}

// A stroke under a non-uniform scale or skew: the path is flattened on the device, taken
// back into pen space (the device with the matrix's linear part undone), stroked there
// with a round pen of the path-space width, and each outline polygon is mapped back, so
// the pen is the ellipse the matrix makes of it. False when the matrix cannot be undone.
bool rasterizeElliptical(int width, int height, const Path& path, const StrokeStyle& style,
                         const Matrix& toDevice, AntiAlias aa, double chordGrid, const detail::Linear& pen) {
  const double det = pen.a * pen.d - pen.b * pen.c;
  if (!std::isfinite(det) || std::fabs(det) < 1e-12) return false;
  // Singular values of the linear part: the pen's device semi-axes per path unit.
  const double e = (pen.a + pen.d) / 2, f = (pen.a - pen.d) / 2, g = (pen.b + pen.c) / 2, h = (pen.b - pen.c) / 2;
  const double q = std::hypot(e, h), r = std::hypot(f, g);
  const double sMax = q + r, sMin = std::fabs(q - r);
  if (!(sMin > 0)) return false;
  // A hairline, or a pen no wider than a device pixel in any direction, is drawn one
  // device pixel wide whatever the matrix: the caller's round pen does that.
  if (!(double(style.width) / 2 * sMax > 0.5)) return false;
  // Otherwise the pen's narrow side is never thinner than one device pixel.
  double half = std::max(double(style.width) / 2, 0.5 / sMin);
  if (!std::isfinite(half)) return false;
  half = std::min(half, 1e6 / sMax);
  const double deviceHalf = half * sMax;
  Scratch& s = scratch();
  double margin = deviceHalf + 1;
  Box cull{-margin, -margin, width + margin, height + margin};
  detail::flattenPath(path, toDevice, cull, s.lines, detail::curveTolerance(aa), chordGrid);
  const double ia = pen.d / det, ib = -pen.b / det, ic = -pen.c / det, id = pen.a / det;
  for (detail::Point& p : s.lines.points) p = {ia * p.x + ic * p.y, ib * p.x + id * p.y};
  s.ras.reset(width, height, aa);
  detail::strokePolylines(s.lines, half, style, s.ras, pen, deviceHalf);
  return true;
}

// The stroke's outline into the scratch rasterizer, to be swept NonZero.
void rasterizeStroke(int width, int height, const Path& path, const StrokeStyle& style, const Matrix& toDevice,
                     AntiAlias aa, double chordGrid) {
  Scratch& s = scratch();
  detail::Linear pen;
  if (style.scaling == StrokeScaling::Normal && detail::needsEllipticalPen(toDevice, pen) &&
      rasterizeElliptical(width, height, path, style, toDevice, aa, chordGrid, pen))
    return;
  // Hairline minimum: never thinner than one device pixel.
  double half = std::max(detail::deviceStrokeWidth(style, toDevice), 1.0) / 2;
  double margin = std::min(half, 1e6) + 1;
  Box cull{-margin, -margin, width + margin, height + margin};
  detail::flattenPath(path, toDevice, cull, s.lines, detail::curveTolerance(aa), chordGrid);
  s.ras.reset(width, height, aa);
  detail::strokePolylines(s.lines, half, style, s.ras);
}

// Adds what the scratch rasterizer covers to a mask (union, saturating).
void addCoverage(Mask& mask, Rasterizer& ras, FillRule rule) {
  ras.sweep(rule, [&](int y, const detail::Span* spans, size_t n) {
    uint8_t* row = mask.row(y);
    for (size_t i = 0; i < n; ++i) {
      const detail::Span& sp = spans[i];
      uint8_t* d = row + sp.x;
      for (int k = 0; k < sp.len; ++k) {
        unsigned sum = d[k] + unsigned(sp.covers ? sp.covers[k] : sp.alpha);
        d[k] = uint8_t(sum > 255 ? 255 : sum);
      }
    }
  });
}

}  // namespace

void fillPath(Surface& target, const Path& path, const Paint& paint, FillRule rule, const DrawState& state) {
  if (target.width() <= 0 || target.height() <= 0 || path.empty()) return;
  Scratch& s = scratch();
  Box cull{0, 0, double(target.width()), double(target.height())};
  detail::flattenPath(path, state.toDevice, cull, s.lines, detail::curveTolerance(state.antiAlias),
                      chordGridFor(state));
  s.ras.reset(target.width(), target.height(), state.antiAlias);
  s.ras.addClosed(s.lines);
  paintCoverage(target, s.ras, rule, paint, state);
}

void strokePath(Surface& target, const Path& path, const StrokeStyle& style, const Paint& paint, const DrawState& state) {
  if (target.width() <= 0 || target.height() <= 0 || path.empty()) return;
  rasterizeStroke(target.width(), target.height(), path, style, state.toDevice, state.antiAlias, chordGridFor(state));
  paintCoverage(target, scratch().ras, FillRule::NonZero, paint, state);
}

void fillMask(Mask& mask, const Path& path, FillRule rule, const Matrix& toDevice, AntiAlias aa) {
  if (mask.width() <= 0 || mask.height() <= 0 || path.empty()) return;
  Scratch& s = scratch();
  Box cull{0, 0, double(mask.width()), double(mask.height())};
  // Mask outlines keep their chord points where the curve puts them, off the twip grid.
  detail::flattenPath(path, toDevice, cull, s.lines, detail::curveTolerance(aa), detail::kNoChordGrid);
  s.ras.reset(mask.width(), mask.height(), aa);
  s.ras.addClosed(s.lines);
  addCoverage(mask, s.ras, rule);
}

void strokeMask(Mask& mask, const Path& path, const StrokeStyle& style, const Matrix& toDevice, AntiAlias aa) {
  if (mask.width() <= 0 || mask.height() <= 0 || path.empty()) return;
  rasterizeStroke(mask.width(), mask.height(), path, style, toDevice, aa, detail::kNoChordGrid);
  addCoverage(mask, scratch().ras, FillRule::NonZero);
}

}  // namespace movie::render
