// Curves cut into chords: evenly, or spaced by their bend.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>

#include "movie/render/flatten.h"

namespace render_test {
namespace {

using movie::render::Matrix;
using movie::render::Path;
using movie::render::detail::Box;
using movie::render::detail::CurveCut;
using movie::render::detail::Point;
using movie::render::detail::Polylines;

const Box kEverywhere{-1e9, -1e9, 1e9, 1e9};

Point pointAt(Point p0, Point p1, Point p2, double t) {
  double u = 1 - t;
  return {u * u * p0.x + 2 * u * t * p1.x + t * t * p2.x, u * u * p0.y + 2 * u * t * p1.y + t * t * p2.y};
}

double distanceToSegment(Point p, Point a, Point b) {
  double dx = b.x - a.x, dy = b.y - a.y, len2 = dx * dx + dy * dy;
  double t = len2 > 0 ? std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy) / len2, 0.0, 1.0) : 0;
  return std::hypot(p.x - a.x - t * dx, p.y - a.y - t * dy);
}

// The chords of one curve, and how far the curve strays from them at most.
struct Cut {
  std::vector<Point> points;
  double worst = 0;
};

Cut cutCurve(Point p0, Point p1, Point p2, const CurveCut& cut) {
  Path path;
  path.moveTo(float(p0.x), float(p0.y));
  path.quadTo(float(p1.x), float(p1.y), float(p2.x), float(p2.y));
  Polylines lines;
  movie::render::detail::flattenPath(path, Matrix{}, kEverywhere, lines, cut);
  Cut c{lines.points};
  // Each sample of the curve lies near some chord; the nearest gives its error.
  for (int k = 0; k <= 2000; ++k) {
    Point s = pointAt({float(p0.x), float(p0.y)}, {float(p1.x), float(p1.y)}, {float(p2.x), float(p2.y)}, k / 2000.0);
    double best = 1e9;
    for (size_t i = 0; i + 1 < c.points.size(); ++i)
      best = std::min(best, distanceToSegment(s, c.points[i], c.points[i + 1]));
    c.worst = std::max(c.worst, best);
  }
  return c;
}

const CurveCut kEven{0.1, 0, false};
const CurveCut kByBend{0.1, 0, true};

TEST(CurveCuts, BendSpacedChordsKeepToTheToleranceWithFewerPoints) {
  std::mt19937 random(7);
  std::uniform_real_distribution<double> coordinate(0, 200);
  size_t evenPoints = 0, bendPoints = 0;
  for (int i = 0; i < 200; ++i) {
    Point p0{coordinate(random), coordinate(random)}, p1{coordinate(random), coordinate(random)},
        p2{coordinate(random), coordinate(random)};
    Cut even = cutCurve(p0, p1, p2, kEven), byBend = cutCurve(p0, p1, p2, kByBend);
    EXPECT_LE(byBend.worst, 0.115) << i;  // the integral is approximated to within a few per cent
    evenPoints += even.points.size();
    bendPoints += byBend.points.size();
  }
  EXPECT_LT(bendPoints * 10, evenPoints * 8);
}

TEST(CurveCuts, StraightAndDegenerateCurvesEndCleanly) {
  // A control point on the line through the ends, beyond them, or on an end: nothing to
  // measure the bend by, so even steps take over; the chords still reach the far end.
  for (Point ctrl : {Point{5, 5}, Point{20, 20}, Point{0, 0}, Point{10, 10}}) {
    Cut c = cutCurve({0, 0}, ctrl, {10, 10}, kByBend);
    ASSERT_FALSE(c.points.empty());
    EXPECT_EQ(c.points.back().x, 10);
    EXPECT_LE(c.worst, 0.1) << ctrl.x;
  }
  // Huge and tiny curves stay bounded in points.
  EXPECT_LE(cutCurve({0, 0}, {1e7, 0}, {1e7, 1e7}, kByBend).points.size(), 202u);
  EXPECT_LE(cutCurve({0, 0}, {1e-6, 0}, {1e-6, 1e-6}, kByBend).points.size(), 3u);
}

}  // namespace
}  // namespace render_test
