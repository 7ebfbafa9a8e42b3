// Transforming and flattening paths into device space.
#include "movie/render/flatten.h"

#include <algorithm>
#include <cmath>

namespace movie::render::detail {

namespace {

constexpr double kAliasedChordGrid = 1.0 / 20;

bool outside(const Box& b, Point p0, Point p1, Point p2) {
  return (p0.x < b.x0 && p1.x < b.x0 && p2.x < b.x0) || (p0.x > b.x1 && p1.x > b.x1 && p2.x > b.x1) ||
         (p0.y < b.y0 && p1.y < b.y0 && p2.y < b.y0) || (p0.y > b.y1 && p1.y > b.y1 && p2.y > b.y1);
}

Point pointAt(Point p0, Point p1, Point p2, double t) {
  double u = 1 - t;
  return {u * u * p0.x + 2 * u * t * p1.x + t * t * p2.x, u * u * p0.y + 2 * u * t * p1.y + t * t * p2.y};
}

// n chords at even steps of t: a quadratic's chord error is then |p0 - 2 p1 + p2| / (4 n^2).
void cutEvenly(Point p0, Point p1, Point p2, const CurveCut& cut, std::vector<Point>& out) {
  double ddx = p0.x - 2 * p1.x + p2.x, ddy = p0.y - 2 * p1.y + p2.y;
  double steps = std::ceil(std::sqrt(std::sqrt(ddx * ddx + ddy * ddy) / (4 * cut.tolerance)));
  int n = steps < 1 ? 1 : steps > kMaxCurveSteps ? kMaxCurveSteps : int(steps);
  for (int i = 1; i < n; ++i) {
    Point p = pointAt(p0, p1, p2, double(i) / n);
    if (cut.grid > 0) p = {roundToGridUnshifted(p.x, cut.grid), roundToGridUnshifted(p.y, cut.grid)};
    out.push_back(p);
  }
}

// Close approximations of the integral of (1 + 4x^2)^-1/4 (the square root of a unit
// parabola's curvature along it) and of that integral's inverse.
double bendIntegral(double x) {
  constexpr double d = 0.67;
  return x / (1 - d + std::sqrt(std::sqrt(d * d * d * d + 0.25 * x * x)));
}
double inverseBendIntegral(double v) {
  constexpr double b = 0.39;
  return v * (1 - b + std::sqrt(b * b + 0.25 * v * v));
}

// Every quadratic is a stretch of the parabola y = x^2, scaled and turned; x0 and x2 are
// where its ends lie on it. Chord points are spaced evenly in the bend integral between
// them, which spreads the chord error evenly. False (nothing added) for a curve with no
// bend to measure, whose control point lies on the line through its ends.
bool cutByBend(Point p0, Point p1, Point p2, const CurveCut& cut, std::vector<Point>& out) {
  double ddx = 2 * p1.x - p0.x - p2.x, ddy = 2 * p1.y - p0.y - p2.y;
  double cross = (p2.x - p0.x) * ddy - (p2.y - p0.y) * ddx, perCross = 1 / cross;
  double x0 = ((p1.x - p0.x) * ddx + (p1.y - p0.y) * ddy) * perCross;
  double x2 = ((p2.x - p1.x) * ddx + (p2.y - p1.y) * ddy) * perCross;
  double scale = std::abs(cross) / (std::sqrt(ddx * ddx + ddy * ddy) * std::abs(x2 - x0));
  if (!std::isfinite(x0) || !std::isfinite(x2) || !std::isfinite(scale) || !(scale > 0)) return false;
  double a0 = bendIntegral(x0), a2 = bendIntegral(x2), rootTol = std::sqrt(cut.tolerance);
  double bend = std::abs(a2 - a0) * std::sqrt(scale);
  // A curve whose ends lie on either side of the parabola's vertex, where it bends most,
  // is measured against the stretch around the vertex that one chord at the tolerance
  // spans instead, which keeps a sharp turn from being cut finer than it needs.
  if ((x0 < 0) != (x2 < 0)) bend = rootTol * std::abs(a2 - a0) / bendIntegral(rootTol / std::sqrt(scale));
  double steps = std::ceil(0.5 * bend / rootTol);
  if (!(steps <= kMaxCurveSteps)) return false;
  int n = std::max(1, int(steps));
  double u0 = inverseBendIntegral(a0), uScale = 1 / (inverseBendIntegral(a2) - u0);
  for (int i = 1; i < n; ++i) {
    double t = (inverseBendIntegral(a0 + (a2 - a0) * i / n) - u0) * uScale;
    out.push_back(pointAt(p0, p1, p2, t));
  }
  return true;
}

void flattenQuad(Point p0, Point p1, Point p2, const Box& cull, const CurveCut& cut, std::vector<Point>& out) {
  // A curve whose chord strays no more than the tolerance (a quarter of the second
  // difference) is its chord, however it is spaced: most curves of a detailed shape are.
  double ddx = p0.x - 2 * p1.x + p2.x, ddy = p0.y - 2 * p1.y + p2.y;
  bool oneChord = ddx * ddx + ddy * ddy <= 16 * cut.tolerance * cut.tolerance;
  if (!oneChord && !outside(cull, p0, p1, p2) && !(cut.bendSpaced && cutByBend(p0, p1, p2, cut, out)))
    cutEvenly(p0, p1, p2, cut, out);
  out.push_back(p2);
}

}  // namespace

CurveCut curveCut(AntiAlias aa, bool pointsOnTwips) {
  if (aa != AntiAlias::None) return {};
  if (pointsOnTwips) return {kCurveTolerance, kAliasedChordGrid, false};
  return {kCurveTolerance, 0, true};
}

void flattenPath(const Path& path, const Matrix& m, const Box& cull, Polylines& out, const CurveCut& cut) {
  out.clear();
  const float* c = path.coords.data();
  size_t left = path.coords.size();
  Point current{transform(m, 0, 0)};
  bool open = false;
  auto startSubpath = [&](Point p) {
    out.starts.push_back(uint32_t(out.points.size()));
    out.points.push_back(p);
    open = true;
  };
  for (Path::Verb v : path.verbs) {
    size_t need = v == Path::QuadTo ? 4 : 2;
    if (left < need) break;  // malformed path: stop at what is complete
    if (v == Path::MoveTo) {
      current = transform(m, c[0], c[1]);
      open = false;
    } else {
      if (!open) startSubpath(current);
      if (v == Path::LineTo) {
        current = transform(m, c[0], c[1]);
        out.points.push_back(current);
      } else {
        Point ctrl = transform(m, c[0], c[1]);
        Point end = transform(m, c[2], c[3]);
        flattenQuad(current, ctrl, end, cull, cut, out.points);
        current = end;
      }
    }
    c += need;
    left -= need;
  }
}

}  // namespace movie::render::detail
