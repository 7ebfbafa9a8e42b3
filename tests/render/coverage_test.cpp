// The rasterizer's coverage against shapes whose area is known.
#include <gtest/gtest.h>

#include <set>

#include "render_test_support.h"

using namespace render_test;

namespace {

TEST(Coverage, RectangleAtFractionalOffsetsSumsToItsArea) {
  for (float dx : {0.0f, 0.25f, 0.5f, 0.13f, 0.77f}) {
    for (float dy : {0.0f, 0.31f, 0.6f, 0.9f}) {
      float w = 50.25f, h = 30.6f;
      double got = coverageOf(rect(10 + dx, 20 + dy, w, h), 100, 80);
      EXPECT_NEAR(got, double(w) * h, 0.4) << dx << "," << dy;
    }
  }
}

TEST(Coverage, RectangleInteriorFullAndOutsideEmpty) {
  Mask m(40, 40);
  fillMask(m, rect(5.5f, 5.5f, 20, 20), FillRule::NonZero, {}, AntiAlias::Full);
  EXPECT_EQ(m.row(15)[15], 255);
  EXPECT_EQ(m.row(2)[15], 0);
  EXPECT_EQ(m.row(15)[30], 0);
  EXPECT_NEAR(m.row(15)[5], 128, 1);  // half the pixel inside
  EXPECT_NEAR(m.row(5)[5], 64, 1);    // a quarter
}

TEST(Coverage, CircleOfQuadraticsIsCloseToPiRSquared) {
  const double r = 40;
  double got = coverageOf(circle(50.3f, 50.7f, float(r)), 110, 110);
  EXPECT_NEAR(got, 3.14159265358979 * r * r, 0.005 * 3.14159 * r * r);
}

TEST(Coverage, TriangleArea) {
  Path p;
  p.moveTo(10, 10);
  p.lineTo(90, 20);
  p.lineTo(30, 70);
  // Left open: fills close each subpath back to its start.
  EXPECT_NEAR(coverageOf(p, 100, 100), 2300, 0.5);
}

TEST(Coverage, WindingDirectionDoesNotMatter) {
  Path p;
  p.moveTo(10.5f, 10.5f);
  p.lineTo(10.5f, 40.5f);
  p.lineTo(40.5f, 40.5f);
  p.lineTo(40.5f, 10.5f);
  EXPECT_NEAR(coverageOf(p, 50, 50), 900, 0.3);
}

TEST(Coverage, TransformMatrixScalesArea) {
  Matrix m;
  m.a = 0.05f;
  m.d = 0.05f;  // twips to pixels
  m.tx = 3.25f;
  EXPECT_NEAR(coverageOf(rect(0, 0, 400, 200), 40, 20, FillRule::NonZero, AntiAlias::Full, m), 20 * 10, 0.2);
}

TEST(Coverage, NonZeroUnitesOverlappingLoopsEvenOddCutsTheOverlap) {
  Path p = rect(10, 10, 40, 40);
  Path q = rect(30, 30, 40, 40);
  p.verbs.insert(p.verbs.end(), q.verbs.begin(), q.verbs.end());
  p.coords.insert(p.coords.end(), q.coords.begin(), q.coords.end());
  EXPECT_NEAR(coverageOf(p, 100, 100, FillRule::NonZero), 1600 + 1600 - 400, 0.5);
  EXPECT_NEAR(coverageOf(p, 100, 100, FillRule::EvenOdd), 1600 + 1600 - 800, 0.5);
  Mask m(100, 100);
  fillMask(m, p, FillRule::EvenOdd, {}, AntiAlias::Full);
  EXPECT_EQ(m.row(40)[40], 0);  // the overlap is a hole
  EXPECT_EQ(m.row(20)[20], 255);
}

TEST(Coverage, EvenOddWithOppositeLoopsMatchesNonZeroHole) {
  // Inner loop wound the other way: a hole under both rules.
  Path p = rect(10, 10, 60, 60);
  p.moveTo(20, 20);
  p.lineTo(20, 50);
  p.lineTo(50, 50);
  p.lineTo(50, 20);
  p.lineTo(20, 20);
  EXPECT_NEAR(coverageOf(p, 80, 80, FillRule::NonZero), 3600 - 900, 0.5);
  EXPECT_NEAR(coverageOf(p, 80, 80, FillRule::EvenOdd), 3600 - 900, 0.5);
}

TEST(Coverage, AliasedGivesOnlyFullOrNoCoverageAtPixelCentres) {
  Mask m(100, 100);
  fillMask(m, circle(50.3f, 49.6f, 30.2f), FillRule::NonZero, {}, AntiAlias::None);
  std::set<int> values;
  for (int y = 0; y < 100; ++y)
    for (int x = 0; x < 100; ++x) values.insert(m.row(y)[x]);
  EXPECT_EQ(values, (std::set<int>{0, 255}));
  EXPECT_NEAR(coverageSum(m), 3.14159 * 30.2 * 30.2, 40);
  // Pixel centre rule: a rectangle from 10.4 to 20.6 covers centres 10.5 .. 20.5.
  Mask r(30, 30);
  fillMask(r, rect(10.4f, 10.4f, 10.2f, 10.2f), FillRule::NonZero, {}, AntiAlias::None);
  EXPECT_EQ(r.row(15)[10], 255);
  EXPECT_EQ(r.row(15)[20], 255);
  EXPECT_EQ(r.row(15)[21], 0);
  EXPECT_EQ(r.row(15)[9], 0);
  EXPECT_DOUBLE_EQ(coverageSum(r), 11 * 11);
}

TEST(Coverage, AliasedEvenOdd) {
  Path p = rect(10, 10, 40, 40);
  Path q = rect(30, 30, 40, 40);
  p.verbs.insert(p.verbs.end(), q.verbs.begin(), q.verbs.end());
  p.coords.insert(p.coords.end(), q.coords.begin(), q.coords.end());
  EXPECT_DOUBLE_EQ(coverageOf(p, 100, 100, FillRule::EvenOdd, AntiAlias::None), 2400);
}

TEST(Coverage, MediumQualityIsCloseToExactArea) {
  double got = coverageOf(rect(10.3f, 20.55f, 50.25f, 30.6f), 100, 80, FillRule::NonZero, AntiAlias::Medium);
  EXPECT_NEAR(got, 50.25 * 30.6, 50.25 * 0.25 + 30.6 * 0.25);
  Mask m(100, 80);
  fillMask(m, rect(10.3f, 20.55f, 50.25f, 30.6f), FillRule::NonZero, {}, AntiAlias::Medium);
  int partial = 0;
  for (int x = 0; x < 100; ++x) partial += m.row(30)[x] != 0 && m.row(30)[x] != 255;
  EXPECT_GT(partial, 0);  // still anti-aliased
}

TEST(Coverage, ShapesPartlyOutsideAreClippedToTheSurface) {
  // Left, top and right parts outside: only the visible part counts.
  EXPECT_NEAR(coverageOf(rect(-10.5f, -5, 30.75f, 20), 50, 50), 20.25 * 15, 0.3);
  EXPECT_NEAR(coverageOf(rect(40.5f, 10, 30, 20), 50, 50), 9.5 * 20, 0.3);
  EXPECT_NEAR(coverageOf(rect(-100, -100, 300, 300), 50, 50), 2500, 1e-9);
  EXPECT_NEAR(coverageOf(circle(0, 0, 20), 50, 50), 3.14159 * 400 / 4, 3);
}

TEST(Coverage, MaskFillAddsCoverageOfTwoHalvesWithoutSeam) {
  Mask m(20, 20);
  fillMask(m, rect(2, 2, 8.5f, 10), FillRule::NonZero, {}, AntiAlias::Full);
  fillMask(m, rect(10.5f, 2, 8, 10), FillRule::NonZero, {}, AntiAlias::Full);
  EXPECT_EQ(m.row(5)[10], 255);
  EXPECT_NEAR(coverageSum(m), 16.5 * 10, 0.2);
}

TEST(Coverage, FillPathCoverageMatchesMaskCoverage) {
  Surface s(60, 60);
  s.clear({0, 0, 0, 0});
  fillPath(s, circle(30, 30, 20.5f), Color{255, 255, 255, 255}, FillRule::NonZero, {});
  Mask m(60, 60);
  fillMask(m, circle(30, 30, 20.5f), FillRule::NonZero, {}, AntiAlias::Full);
  for (int y = 0; y < 60; ++y)
    for (int x = 0; x < 60; ++x) ASSERT_EQ(alphaOf(s.row(y)[x]), m.row(y)[x]) << x << "," << y;
}

}  // namespace
