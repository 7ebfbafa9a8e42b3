// Transforming and flattening paths into device space.
#include "movie/render/flatten.h"

#include <algorithm>
#include <cmath>

namespace movie::render::detail {

namespace {

constexpr double kSmoothCurveTolerance = 0.1;

bool outside(const Box& b, Point p0, Point p1, Point p2) {
  return (p0.x < b.x0 && p1.x < b.x0 && p2.x < b.x0) || (p0.x > b.x1 && p1.x > b.x1 && p2.x > b.x1) ||
         (p0.y < b.y0 && p1.y < b.y0 && p2.y < b.y0) || (p0.y > b.y1 && p1.y > b.y1 && p2.y > b.y1);
}

void flattenQuad(Point p0, Point p1, Point p2, const Box& cull, double tolerance, double chordGrid,
                 std::vector<Point>& out) {
  if (outside(cull, p0, p1, p2)) {
    out.push_back(p2);
    return;
  }
  // A quadratic's chord error with n equal steps is |p0 - 2 p1 + p2| / (4 n^2).
  double ddx = p0.x - 2 * p1.x + p2.x, ddy = p0.y - 2 * p1.y + p2.y;
  double dd = std::sqrt(ddx * ddx + ddy * ddy);
  double steps = std::ceil(std::sqrt(dd / (4 * tolerance)));
  int n = steps < 1 ? 1 : steps > kMaxCurveSteps ? kMaxCurveSteps : int(steps);
  for (int i = 1; i < n; ++i) {
    double t = double(i) / n, u = 1 - t;
    Point p{u * u * p0.x + 2 * u * t * p1.x + t * t * p2.x, u * u * p0.y + 2 * u * t * p1.y + t * t * p2.y};
    if (chordGrid > 0) p = {roundToGridUnshifted(p.x, chordGrid), roundToGridUnshifted(p.y, chordGrid)};
    out.push_back(p);
  }
  out.push_back(p2);
}

}  // namespace

double curveTolerance(AntiAlias aa) { return aa == AntiAlias::None ? kCurveTolerance : kSmoothCurveTolerance; }

double chordGrid(AntiAlias aa) { return aa == AntiAlias::None ? kAliasedChordGrid : 0; }

void flattenPath(const Path& path, const Matrix& m, const Box& cull, Polylines& out, double tolerance,
                 double grid) {
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
        flattenQuad(current, ctrl, end, cull, tolerance, grid, out.points);
        current = end;
      }
    }
    c += need;
    left -= need;
  }
}

}  // namespace movie::render::detail
