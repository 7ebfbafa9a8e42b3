// Stroking polylines into polygons: segment quads, joins (round, bevel, miter) and caps
// (round, square, none).
#include "movie/render/stroker.h"

#include <algorithm>
#include <cmath>

namespace movie::render::detail {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kTolerance = 0.1;  // device pixels of chord error on round parts
constexpr double kMaxHalfWidth = 1e6;
// Round parts take at least 16 chords a turn: the references' round joins of narrow pens
// (2.5 px) are that fine, where the tolerance alone would give them 12.
constexpr double kMaxArcStep = kPi / 8;

class Outline {
 public:
  Outline(Rasterizer& ras, double r, const Linear* toDevice)
      : ras_(ras), r_(r), map_(toDevice), bulge_(ras.antiAlias() != AntiAlias::None) {
    // Angle step for arcs of radius r within the tolerance, never coarser than a sixteenth
    // of a turn.
    step_ = r > kTolerance ? 2 * std::acos(1 - kTolerance / r) : kMaxArcStep;
    step_ = std::clamp(step_, 2 * kPi / 256, kMaxArcStep);
  }

  // Polygons go to the rasterizer counter-clockwise in device space (y down), whatever
  // order their points were built in.
  void polygon(Point* p, size_t n) {
    if (map_) {
      const Linear& m = *map_;
      for (size_t i = 0; i < n; ++i) p[i] = {m.a * p[i].x + m.c * p[i].y, m.b * p[i].x + m.d * p[i].y};
    }
    double area = 0;
    for (size_t i = 0; i < n; ++i) {
      const Point& a = p[i];
      const Point& b = p[(i + 1) % n];
      area += a.x * b.y - b.x * a.y;
    }
    if (area < 0) std::reverse(p, p + n);
    ras_.addPolygon(p, n);
  }

  // Radius of the points between an arc's ends, for chords of `angle` radians. Smooth
  // edges put them slightly outside the circle so that the chords' area matches the
  // arc's; aliased edges keep them on it, so that no pixel centre outside the circle is
  // taken in (the references' round joins and caps never reach past their radius).
  double chordRadius(double angle) const {
    if (!bulge_ || std::fabs(angle) <= 1e-9) return r_;
    return r_ * std::sqrt(angle / std::sin(angle));
  }

  // Pie slice around c from angle a0 through sweep (radians), from the point first to
  // the point last on the circle: the neighbouring quads' own corners, so that the edges
  // they share are the very same edges.
  void pie(Point c, double a0, double sweep, Point first, Point last) {
    // A sweep of a whole number of steps (a quarter turn at the coarsest step) takes
    // exactly that many chords, whatever the rounding of the angles.
    int n = std::clamp(int(std::ceil(std::fabs(sweep) / step_ - 1e-9)), 1, 256);
    double angle = sweep / n;
    double outer = chordRadius(angle);
    pts_.clear();
    pts_.push_back(c);
    pts_.push_back(first);
    for (int i = 1; i < n; ++i) {
      double t = a0 + angle * i;
      pts_.push_back({c.x + outer * std::cos(t), c.y + outer * std::sin(t)});
    }
    pts_.push_back(last);
    polygon(pts_.data(), pts_.size());
  }

  void circle(Point c) {
    int n = std::clamp(int(std::ceil(2 * kPi / step_)), 8, 256);
    double angle = 2 * kPi / n, rad = chordRadius(angle);
    pts_.clear();
    for (int i = 0; i < n; ++i) pts_.push_back({c.x + rad * std::cos(angle * i), c.y + rad * std::sin(angle * i)});
    polygon(pts_.data(), pts_.size());
  }

  // p0 to p1 with unit direction d. Aliased, the ends keep p0 and p1 as corners: joins
  // and caps start from those points, and an end edge cut there meets them edge for edge
  // (with the end points rounded, a straight end edge through p1 and a join's edge from
  // p1 no longer lie on one line, and pixel centres fall between them). Smooth edges
  // cover by area, where such a sliver is far below one coverage step.
  void segment(Point p0, Point p1, Point d) {
    double nx = -d.y * r_, ny = d.x * r_;
    Point q[6] = {{p0.x + nx, p0.y + ny}, {p1.x + nx, p1.y + ny}, p1, {p1.x - nx, p1.y - ny}, {p0.x - nx, p0.y - ny}, p0};
    if (bulge_) {
      q[2] = q[3], q[3] = q[4];
      polygon(q, 4);
    } else {
      polygon(q, 6);
    }
  }

  // Cap at p, where d points out of the line.
  void cap(Point p, Point d, Cap kind) {
    if (kind == Cap::Round) {
      pie(p, std::atan2(d.y, d.x) - kPi / 2, kPi, {p.x + d.y * r_, p.y - d.x * r_}, {p.x - d.y * r_, p.y + d.x * r_});
    } else if (kind == Cap::Square) {
      double nx = -d.y * r_, ny = d.x * r_, ex = d.x * r_, ey = d.y * r_;
      Point q[4] = {{p.x + nx, p.y + ny}, {p.x + nx + ex, p.y + ny + ey}, {p.x - nx + ex, p.y - ny + ey}, {p.x - nx, p.y - ny}};
      polygon(q, 4);
    }
  }

  // Join at p between incoming direction d0 and outgoing d1.
  void join(Point p, Point d0, Point d1, const StrokeStyle& style) {
    double cross = d0.x * d1.y - d0.y * d1.x, dot = d0.x * d1.x + d0.y * d1.y;
    if (dot > 0 && std::fabs(cross) < 1e-9) return;  // straight on: the quads meet flush
    double side = cross > 0 ? -1 : 1;                  // outer side of the turn
    Point n0{-d0.y * side, d0.x * side}, n1{-d1.y * side, d1.x * side};
    Point a{p.x + n0.x * r_, p.y + n0.y * r_}, b{p.x + n1.x * r_, p.y + n1.y * r_};
    if (style.join == Join::Round) {
      // Nearly straight: the bevel is within tolerance of the arc.
      double cosHalf = std::sqrt(std::max(0.0, (1 + dot) / 2));
      if (r_ * (1 - cosHalf) < kTolerance / 2) {
        Point q[3] = {p, a, b};
        polygon(q, 3);
      } else {
        double sweep = std::atan2(n0.x * n1.y - n0.y * n1.x, n0.x * n1.x + n0.y * n1.y);
        // A path that doubles back has no shorter way round: the join goes out ahead of
        // the path point, along d0 (a half turn from n0 passes (-n0.y, n0.x) midway).
        if (std::fabs(sweep) > kPi - 1e-9) sweep = n0.x * d0.y - n0.y * d0.x > 0 ? kPi : -kPi;
        pie(p, std::atan2(n0.y, n0.x), sweep, a, b);
      }
      return;
    }
    double ndot = n0.x * n1.x + n0.y * n1.y;
    if (style.join == Join::Miter && ndot > -1 + 1e-12) {
      // Tip distance over half width is 1 / cos(half the turn).
      double ratio = std::sqrt(2 / (1 + ndot));
      if (ratio <= style.miterLimit) {
        double k = r_ / (1 + ndot);
        Point tip{p.x + (n0.x + n1.x) * k, p.y + (n0.y + n1.y) * k};
        Point q[4] = {p, a, tip, b};
        polygon(q, 4);
        return;
      }
    }
    Point q[3] = {p, a, b};
    polygon(q, 3);
  }

 private:
  Rasterizer& ras_;
  double r_, step_;
  const Linear* map_;  // pen space -> device; nullptr when already in device space
  bool bulge_;         // chord points between arc ends sit outside the circle
  std::vector<Point> pts_;
};

Point direction(Point a, Point b) {
  double dx = b.x - a.x, dy = b.y - a.y, len = std::sqrt(dx * dx + dy * dy);
  return {dx / len, dy / len};
}

bool same(Point a, Point b) { return std::fabs(a.x - b.x) < 1e-6 && std::fabs(a.y - b.y) < 1e-6; }

// Strokes each subpath: segment quads, joins between them, caps or a closing join. toDevice
// maps the outline from pen space to the device; nullptr when the polylines are on it.
void strokeOutlines(const Polylines& lines, double halfWidth, const StrokeStyle& style, Rasterizer& ras,
                    const Linear* toDevice) {
  if (!(halfWidth > 0)) return;
  Outline out(ras, std::min(halfWidth, kMaxHalfWidth), toDevice);
  std::vector<Point> pts;
  for (size_t s = 0; s < lines.count(); ++s) {
    // Zero-length steps carry no direction; drop them.
    pts.clear();
    for (size_t i = lines.begin(s); i < lines.end(s); ++i) {
      const Point& p = lines.points[i];
      if (pts.empty() || !same(pts.back(), p)) pts.push_back(p);
    }
    if (pts.empty()) continue;
    if (pts.size() == 1) {
      // A dot: its caps alone.
      if (style.startCap == Cap::Round) out.circle(pts[0]);
      if (style.startCap == Cap::Square) {
        out.cap(pts[0], {1, 0}, Cap::Square);
        out.cap(pts[0], {-1, 0}, Cap::Square);
      }
      continue;
    }
    const bool closed = !style.noClose && pts.size() > 2 && same(pts.front(), lines.points[lines.end(s) - 1]) &&
                        same(pts.front(), pts.back());
    if (closed) pts.pop_back();
    const size_t n = pts.size();
    const size_t segments = closed ? n : n - 1;
    Point first = direction(pts[0], pts[1]);
    Point prev = first;
    for (size_t i = 0; i < segments; ++i) {
      Point a = pts[i], b = pts[(i + 1) % n];
      Point d = direction(a, b);
      if (i > 0) out.join(a, prev, d, style);
      out.segment(a, b, d);
      prev = d;
    }
    if (closed) {
      out.join(pts[0], prev, first, style);
    } else {
      out.cap(pts[0], {-first.x, -first.y}, style.startCap);
      out.cap(pts[n - 1], prev, style.endCap);
    }
  }
}

}  // namespace

double deviceStrokeWidth(const StrokeStyle& style, const Matrix& m) {
  double sx = std::hypot(double(m.a), double(m.b)), sy = std::hypot(double(m.c), double(m.d));
  double scale = 1;
  switch (style.scaling) {
    case StrokeScaling::Normal: scale = (sx + sy) / 2; break;
    case StrokeScaling::Horizontal: scale = sx; break;
    case StrokeScaling::Vertical: scale = sy; break;
    case StrokeScaling::None: scale = style.unscaledPixelsPerUnit; break;
  }
  double w = double(style.width) * scale;
  return std::isfinite(w) && w > 0 ? w : 0;
}

bool needsEllipticalPen(const Matrix& m, Linear& linear) {
  linear = {m.a, m.b, m.c, m.d};
  double scale = std::fabs(linear.a) + std::fabs(linear.b) + std::fabs(linear.c) + std::fabs(linear.d);
  if (!(scale > 0) || !std::isfinite(scale)) return false;
  const double eps = 1e-4 * scale;
  // A similarity is [a c; b d] with d = a, c = -b (or, mirrored, d = -a, c = b).
  bool similar = (std::fabs(linear.a - linear.d) < eps && std::fabs(linear.b + linear.c) < eps) ||
                 (std::fabs(linear.a + linear.d) < eps && std::fabs(linear.b - linear.c) < eps);
  return !similar;
}

Stretch stretchOf(const Linear& m) {
  const double e = (m.a + m.d) / 2, f = (m.a - m.d) / 2, g = (m.b + m.c) / 2, h = (m.b - m.c) / 2;
  const double q = std::hypot(e, h), r = std::hypot(f, g);
  return {std::fabs(q - r), q + r};
}

void strokePolylines(const Polylines& lines, double halfWidth, const StrokeStyle& style, Rasterizer& ras) {
  strokeOutlines(lines, halfWidth, style, ras, nullptr);
}

void strokePolylines(const Polylines& lines, double halfWidth, const StrokeStyle& style, Rasterizer& ras,
                     const Linear& penToDevice) {
  strokeOutlines(lines, halfWidth, style, ras, &penToDevice);
}

}  // namespace movie::render::detail
