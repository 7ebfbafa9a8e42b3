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

// Text asks for a finer cut of its own, at even steps.
detail::CurveCut withTextTolerance(detail::CurveCut cut, const DrawState& state) {
  if (state.curveTolerance > 0) cut.tolerance = state.curveTolerance, cut.bendSpaced = false, cut.grid = 0;
  return cut;
}

// Aliased fills are cut by the bend wherever they are drawn. Aliased strokes drawn
// straight onto the stage keep even steps with their chord points on the twip grid; drawn
// into an object's own bitmap they are cut by the bend too.
detail::CurveCut fillCutFor(const DrawState& state) {
  return withTextTolerance(detail::curveCut(state.antiAlias, false), state);
}
detail::CurveCut strokeCutFor(const DrawState& state) {
  return withTextTolerance(detail::curveCut(state.antiAlias, state.strokeChordsOnTwips), state);
}

// Pen space for a stroke under a non-uniform scale or skew: the device with the matrix's
// stretch undone, measured in device pixels along the stretch's narrow axis.
struct PenSpace {
  float unit;                 // device pixels per path unit along the narrow axis
  detail::Linear fromDevice;  // device -> pen space
  detail::Linear toDevice;    // pen space -> device
};

PenSpace penSpaceOf(const detail::Linear& m, double det, float unit) {
  return {unit,
          {unit * m.d / det, -unit * m.b / det, -unit * m.c / det, unit * m.a / det},
          {m.a / unit, m.b / unit, m.c / unit, m.d / unit}};
}

detail::Point mapLinear(const detail::Linear& m, double x, double y) { return {m.a * x + m.c * y, m.b * x + m.d * y}; }

// The path's polylines in pen space, culled against what lies within margin device
// pixels of the target.
void flattenIntoPenSpace(const Path& path, const Matrix& toDevice, const PenSpace& pen, double margin,
                         int width, int height, AntiAlias aa, Polylines& out) {
  // Flattening scales the path by the unit; the rest of the way is a shift.
  Box cull{1e300, 1e300, -1e300, -1e300};
  for (double x : {-margin, width + margin})
    for (double y : {-margin, height + margin}) {
      detail::Point c = mapLinear(pen.fromDevice, x - toDevice.tx, y - toDevice.ty);
      cull = {std::min(cull.x0, c.x), std::min(cull.y0, c.y), std::max(cull.x1, c.x), std::max(cull.y1, c.y)};
    }
  detail::flattenPath(path, Matrix{pen.unit, 0, 0, pen.unit, 0, 0}, cull, out, detail::curveCut(aa, false));
  const detail::Point shift = mapLinear(pen.fromDevice, toDevice.tx, toDevice.ty);
  for (detail::Point& p : out.points) p = {p.x + shift.x, p.y + shift.y};
}

// The pen's radius in path units: a scaling stroke's is half its width; an unscaled
// one's makes the pen's narrow side the unscaled device width (under a uniform scale, the
// plain unscaled pen).
double pathHalfWidth(const StrokeStyle& style, const Matrix& toDevice, double narrowScale) {
  if (style.scaling == StrokeScaling::None) return detail::deviceStrokeWidth(style, toDevice) / 2 / narrowScale;
  return double(style.width) / 2;
}

// A stroke under a non-uniform scale or skew is built in pen space, where the pen is a
// circle and curves and arcs are cut as finely as the narrow axis needs on the device (the
// references cut them no finer); each outline polygon is mapped back, so the pen is the
// ellipse the matrix makes of it. False when the caller's round pen should draw it.
bool rasterizeElliptical(int width, int height, const Path& path, const StrokeStyle& style,
                         const Matrix& toDevice, AntiAlias aa, const detail::Linear& linear) {
  const double det = linear.a * linear.d - linear.b * linear.c;
  if (!std::isfinite(det) || std::fabs(det) < 1e-12) return false;
  const detail::Stretch stretch = detail::stretchOf(linear);
  const float unit = float(stretch.least);
  if (!(unit > 0) || !std::isfinite(unit)) return false;
  const double half = pathHalfWidth(style, toDevice, unit);
  // A hairline, or a pen no wider than a device pixel in any direction, is drawn one
  // device pixel wide whatever the matrix: the caller's round pen does that.
  if (!(half * stretch.most > 0.5)) return false;
  // Otherwise the pen's narrow side is never thinner than one device pixel.
  const double penHalf = std::min(std::max(half * unit, 0.5), 1e6 * unit / stretch.most);
  const PenSpace pen = penSpaceOf(linear, det, unit);
  Scratch& s = scratch();
  flattenIntoPenSpace(path, toDevice, pen, penHalf * stretch.most / unit + 1, width, height, aa, s.lines);
  s.ras.reset(width, height, aa);
  detail::strokePolylines(s.lines, penHalf, style, s.ras, pen.toDevice);
  return true;
}

// Strokes that scale with the matrix, or not at all, take an elliptical pen under a
// non-uniform scale or skew; those that scale along one axis only keep a round one.
bool takesEllipticalPen(StrokeScaling scaling) {
  return scaling == StrokeScaling::Normal || scaling == StrokeScaling::None;
}

// The stroke's outline into the scratch rasterizer, to be swept NonZero.
void rasterizeStroke(int width, int height, const Path& path, const StrokeStyle& style, const Matrix& toDevice,
                     AntiAlias aa, const detail::CurveCut& cut) {
  Scratch& s = scratch();
  detail::Linear linear;
  if (takesEllipticalPen(style.scaling) && detail::needsEllipticalPen(toDevice, linear) &&
      rasterizeElliptical(width, height, path, style, toDevice, aa, linear))
    return;
  // Hairline minimum: never thinner than one device pixel.
  double half = std::max(detail::deviceStrokeWidth(style, toDevice), 1.0) / 2;
  double margin = std::min(half, 1e6) + 1;
  Box cull{-margin, -margin, width + margin, height + margin};
  detail::flattenPath(path, toDevice, cull, s.lines, cut);
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
  detail::flattenPath(path, state.toDevice, cull, s.lines, fillCutFor(state));
  s.ras.reset(target.width(), target.height(), state.antiAlias);
  s.ras.addClosed(s.lines);
  paintCoverage(target, s.ras, rule, paint, state);
}

void strokePath(Surface& target, const Path& path, const StrokeStyle& style, const Paint& paint, const DrawState& state) {
  if (target.width() <= 0 || target.height() <= 0 || path.empty()) return;
  rasterizeStroke(target.width(), target.height(), path, style, state.toDevice, state.antiAlias, strokeCutFor(state));
  paintCoverage(target, scratch().ras, FillRule::NonZero, paint, state);
}

void fillMask(Mask& mask, const Path& path, FillRule rule, const Matrix& toDevice, AntiAlias aa) {
  if (mask.width() <= 0 || mask.height() <= 0 || path.empty()) return;
  Scratch& s = scratch();
  Box cull{0, 0, double(mask.width()), double(mask.height())};
  // Mask outlines keep their chord points where the curve puts them, off the twip grid.
  detail::flattenPath(path, toDevice, cull, s.lines, detail::curveCut(aa, false));
  s.ras.reset(mask.width(), mask.height(), aa);
  s.ras.addClosed(s.lines);
  addCoverage(mask, s.ras, rule);
}

void strokeMask(Mask& mask, const Path& path, const StrokeStyle& style, const Matrix& toDevice, AntiAlias aa) {
  if (mask.width() <= 0 || mask.height() <= 0 || path.empty()) return;
  rasterizeStroke(mask.width(), mask.height(), path, style, toDevice, aa, detail::curveCut(aa, false));
  addCoverage(mask, scratch().ras, FillRule::NonZero);
}

}  // namespace movie::render
