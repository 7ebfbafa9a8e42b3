// Hostile and degenerate input: nothing crashes or hangs, and what can be drawn is right.
#include <gtest/gtest.h>

#include <limits>
#include <random>

#include "render_test_support.h"

using namespace render_test;

namespace {

const float kNaN = std::numeric_limits<float>::quiet_NaN();
const float kInf = std::numeric_limits<float>::infinity();

DrawState antiAliased(AntiAlias aa) {
  DrawState s;
  s.antiAlias = aa;
  return s;
}
DrawState transformed(const Matrix& m) {
  DrawState s;
  s.toDevice = m;
  return s;
}
DrawState clipped(const Mask* clip) {
  DrawState s;
  s.clip = clip;
  return s;
}

TEST(Degenerate, EmptyPathDrawsNothing) {
  Surface s(10, 10);
  s.clear({0, 0, 0, 0});
  fillPath(s, Path{}, Color{255, 0, 0, 255}, FillRule::NonZero, {});
  strokePath(s, Path{}, StrokeStyle{}, Color{255, 0, 0, 255}, {});
  Path moveOnly;
  moveOnly.moveTo(3, 3);
  fillPath(s, moveOnly, Color{255, 0, 0, 255}, FillRule::NonZero, {});
  for (uint32_t p : s.pixels()) EXPECT_EQ(p, 0u);
}

TEST(Degenerate, NaNAndInfinityCoordinatesAreSurvivable) {
  Surface s(50, 50);
  Path p;
  p.moveTo(kNaN, 10);
  p.lineTo(40, kNaN);
  p.quadTo(kInf, -kInf, 10, 40);
  p.lineTo(kNaN, kNaN);
  fillPath(s, p, Color{255, 0, 0, 255}, FillRule::NonZero, {});
  fillPath(s, p, Color{255, 0, 0, 255}, FillRule::EvenOdd, antiAliased(AntiAlias::None));
  strokePath(s, p, StrokeStyle{}, Color{255, 0, 0, 255}, {});
  Matrix bad{kNaN, 0, 0, kInf, 0, 0};
  fillPath(s, rect(0, 0, 10, 10), Color{255, 0, 0, 255}, FillRule::NonZero, transformed(bad));
  StrokeStyle nanWidth;
  nanWidth.width = kNaN;
  strokePath(s, rect(0, 0, 10, 10), nanWidth, Color{255, 0, 0, 255}, transformed(bad));
  SUCCEED();
}

TEST(Degenerate, HugeCoordinatesClampAndStillCover) {
  Surface s(32, 32);
  s.clear({0, 0, 0, 0});
  fillPath(s, rect(-1e30f, -1e30f, 2e30f, 2e30f), Color{0, 255, 0, 255}, FillRule::NonZero, {});
  for (uint32_t p : s.pixels()) ASSERT_EQ(p, 0xFF00FF00u);
  // A curve reaching far out, partly visible.
  Path c;
  c.moveTo(0, 0);
  c.quadTo(1e30f, 16, 0, 32);
  c.lineTo(0, 0);
  fillPath(s, c, Color{255, 0, 0, 255}, FillRule::NonZero, {});
  StrokeStyle wide;
  wide.width = 1e30f;
  strokePath(s, c, wide, Color{0, 0, 255, 255}, {});
  EXPECT_EQ(s.row(16)[16], 0xFF0000FFu);
}

TEST(Degenerate, ZeroAndNegativeSizeSurfacesAndMasks) {
  Surface s(0, 0);
  fillPath(s, rect(0, 0, 10, 10), Color{255, 0, 0, 255}, FillRule::NonZero, {});
  strokePath(s, rect(0, 0, 10, 10), StrokeStyle{}, Color{255, 0, 0, 255}, {});
  Surface n(-5, 10);
  EXPECT_EQ(n.width(), 0);
  Surface absurd(30000, 30000);  // beyond the pixel budget: empty, not 3.6 GB
  EXPECT_EQ(absurd.width(), 0);
  EXPECT_EQ(absurd.height(), 0);
  Mask absurdMask(1 << 20, 4);
  EXPECT_EQ(absurdMask.width(), 0);
  fillPath(n, rect(0, 0, 10, 10), Color{255, 0, 0, 255}, FillRule::NonZero, {});
  Mask m(0, 7);
  fillMask(m, rect(0, 0, 10, 10), FillRule::NonZero, {}, AntiAlias::Full);
  Mask other(3, 3);
  m.intersect(other);
  other.intersect(m);
  EXPECT_EQ(other.row(1)[1], 0);
}

TEST(Degenerate, MaskSmallerThanSurfaceIsIgnoredNotOverrun) {
  Mask small(2, 2);
  Surface s(20, 20);
  s.clear({0, 0, 0, 0});
  fillPath(s, rect(0, 0, 20, 20), Color{255, 255, 255, 255}, FillRule::NonZero, clipped(&small));
  SUCCEED();
}

TEST(Degenerate, MalformedPathStopsAtMissingCoordinates) {
  Path p;
  p.moveTo(0, 0);
  p.lineTo(10, 0);
  p.lineTo(10, 10);
  p.verbs.push_back(Path::QuadTo);  // no points behind it
  p.verbs.push_back(Path::LineTo);
  EXPECT_NEAR(coverageOf(p, 20, 20), 50, 0.3);
}

TEST(Degenerate, PaintsWithoutContent) {
  Surface s(10, 10);
  s.clear({0, 0, 0, 0});
  Gradient none;
  fillPath(s, rect(0, 0, 10, 10), none, FillRule::NonZero, {});
  Gradient flat;
  flat.stops = {{0, {255, 0, 0, 255}}, {255, {0, 0, 255, 255}}};
  flat.matrix = {0, 0, 0, 0, 0, 0};
  fillPath(s, rect(0, 0, 10, 10), flat, FillRule::NonZero, {});
  EXPECT_EQ(s.row(5)[5], 0xFF0000FFu);  // squeezed to nothing: its last colour
  BitmapFill empty;
  fillPath(s, rect(0, 0, 10, 10), empty, FillRule::NonZero, {});
  auto b = std::make_shared<Bitmap>();
  b->width = 4;
  b->height = 4;  // pixels missing
  BitmapFill broken{b, {}, true, true, nullptr};
  fillPath(s, rect(0, 0, 10, 10), broken, FillRule::NonZero, {});
  Gradient hostile;
  for (int i = 0; i < 40; ++i) hostile.stops.push_back({uint8_t(250 - i * 6), {uint8_t(i), 0, 0, 255}});
  hostile.spread = Spread::Reflect;
  hostile.kind = Gradient::Focal;
  hostile.focal = 5;
  hostile.matrix = {1e-30f, 0, 0, 1e-30f, 5, 5};
  fillPath(s, rect(0, 0, 10, 10), hostile, FillRule::NonZero, {});
  SUCCEED();
}

TEST(Degenerate, ManyOverlappingEdgesStayBounded) {
  Path p;
  for (int i = 0; i < 20000; ++i) {
    p.moveTo(0.3f, 0.2f);
    p.lineTo(0.7f, 0.9f);
    p.lineTo(0.1f, 0.6f);
  }
  Mask m(2, 2);
  fillMask(m, p, FillRule::NonZero, {}, AntiAlias::Full);
  EXPECT_GT(m.row(0)[0], 0);
  Mask e(2, 2);
  fillMask(e, p, FillRule::EvenOdd, {}, AntiAlias::Full);
  SUCCEED();
}

TEST(Degenerate, RandomHostilePathsInEveryModeStayInBounds) {
  std::mt19937 rng(1234);
  const float oddValues[] = {kNaN, kInf, -kInf, 1e30f, -1e30f, 0, 1e-30f, 16, 33.3f};
  auto coord = [&]() {
    if (rng() % 8 == 0) return oddValues[rng() % 9];
    return float(int(rng() % 2000) - 1000) / 10.0f;
  };
  Surface s(64, 48);
  Mask clip(64, 48);
  for (int round = 0; round < 200; ++round) {
    Path p;
    int n = 1 + int(rng() % 12);
    for (int i = 0; i < n; ++i) {
      switch (rng() % 3) {
        case 0: p.moveTo(coord(), coord()); break;
        case 1: p.lineTo(coord(), coord()); break;
        default: p.quadTo(coord(), coord(), coord(), coord()); break;
      }
    }
    DrawState st;
    st.antiAlias = AntiAlias(rng() % 3);
    st.toDevice = {1 + coord() / 100, coord() / 1000, coord() / 1000, 1 + coord() / 100, coord(), coord()};
    st.clip = round % 2 ? &clip : nullptr;
    FillRule rule = rng() % 2 ? FillRule::EvenOdd : FillRule::NonZero;
    fillMask(clip, p, rule, st.toDevice, st.antiAlias);
    fillPath(s, p, Color{uint8_t(rng()), uint8_t(rng()), uint8_t(rng()), uint8_t(rng())}, rule, st);
    StrokeStyle style;
    style.width = rng() % 4 == 0 ? coord() : float(rng() % 40);
    style.join = Join(rng() % 3);
    style.startCap = Cap(rng() % 3);
    style.endCap = Cap(rng() % 3);
    style.miterLimit = float(rng() % 5);
    style.scaling = StrokeScaling(rng() % 4);
    style.noClose = rng() % 2;
    strokePath(s, p, style, Color{200, 10, 10, 255}, st);
  }
  // Source-over of valid premultiplied colours keeps every channel within its alpha.
  for (uint32_t px : s.pixels()) {
    ASSERT_LE(redOf(px), alphaOf(px));
    ASSERT_LE(greenOf(px), alphaOf(px));
    ASSERT_LE(blueOf(px), alphaOf(px));
  }
}

TEST(Degenerate, SkewedStrokeWithInfiniteTranslationDrawsNothing) {
  // Under a skew the stroke is built in pen space, where an infinite translation puts
  // every path point at infinity; mapped back, outline corners become a mix of infinities
  // and NaNs. In every quality such polygons are dropped whole.
  Path p;
  p.moveTo(2, 2);
  p.lineTo(8, 2);
  p.lineTo(8, 8);
  StrokeStyle style;
  style.width = 4;
  style.join = Join::Round;
  for (float tx : {-kInf, kInf})
    for (AntiAlias aa : {AntiAlias::None, AntiAlias::Medium, AntiAlias::Full}) {
      Mask m(20, 20);
      strokeMask(m, p, style, Matrix{1, -0.12f, 0.06f, 2.5f, tx, 5}, aa);
      EXPECT_EQ(coverageSum(m), 0);
    }
}

}  // namespace
