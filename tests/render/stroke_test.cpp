// Strokes: widths, caps, joins, closing, hairlines and scaling modes.
#include <gtest/gtest.h>

#include "render_test_support.h"

using namespace render_test;

namespace {

constexpr double kPi = 3.14159265358979323846;

// Coverage of a stroke drawn white on a transparent surface.
Surface stroked(const Path& p, StrokeStyle style, int w = 100, int h = 100, const Matrix& m = {}) {
  Surface s(w, h);
  s.clear({0, 0, 0, 0});
  DrawState st;
  st.toDevice = m;
  strokePath(s, p, style, Color{255, 255, 255, 255}, st);
  return s;
}

double alphaSum(const Surface& s) {
  double sum = 0;
  for (int y = 0; y < s.height(); ++y)
    for (int x = 0; x < s.width(); ++x) sum += alphaOf(s.row(y)[x]);
  return sum / 255;
}

StrokeStyle width(float w, Cap cap, Join join = Join::Round) {
  StrokeStyle s;
  s.width = w;
  s.startCap = s.endCap = cap;
  s.join = join;
  s.scaling = StrokeScaling::Normal;
  return s;
}

TEST(Stroke, HorizontalLineAreaWithEachCap) {
  Path p = segment(20, 50.5f, 80, 50.5f);
  EXPECT_NEAR(alphaSum(stroked(p, width(10, Cap::None))), 600, 0.5);
  EXPECT_NEAR(alphaSum(stroked(p, width(10, Cap::Square))), 700, 0.5);
  EXPECT_NEAR(alphaSum(stroked(p, width(10, Cap::Round))), 600 + kPi * 25, 1.5);
}

TEST(Stroke, SquareCapsExtendByHalfTheWidth) {
  Path p = segment(20, 50, 80, 50);
  Surface none = stroked(p, width(10, Cap::None));
  Surface square = stroked(p, width(10, Cap::Square));
  EXPECT_EQ(alphaOf(none.row(50)[18]), 0u);
  EXPECT_EQ(alphaOf(square.row(50)[16]), 255u);
  EXPECT_EQ(alphaOf(square.row(50)[84]), 255u);
  EXPECT_EQ(alphaOf(square.row(50)[85]), 0u);
  EXPECT_EQ(alphaOf(square.row(46)[16]), 255u);  // square corners, not rounded
}

TEST(Stroke, DiagonalLineArea) {
  Path p = segment(20, 20, 80, 80);
  double len = std::sqrt(2.0) * 60;
  EXPECT_NEAR(alphaSum(stroked(p, width(6, Cap::None))), len * 6, 1);
}

Path corner() {
  Path p;
  p.moveTo(20, 20);
  p.lineTo(60, 20);
  p.lineTo(60, 60);
  return p;
}

TEST(Stroke, MiterFillsTheCornerBevelCutsIt) {
  // Outer corner of the right angle at (60, 20) with half width 5 is (65, 15).
  Surface miter = stroked(corner(), width(10, Cap::None, Join::Miter));
  Surface bevel = stroked(corner(), width(10, Cap::None, Join::Bevel));
  Surface round = stroked(corner(), width(10, Cap::None, Join::Round));
  EXPECT_EQ(alphaOf(miter.row(15)[64]), 255u);
  EXPECT_EQ(alphaOf(bevel.row(16)[64]), 0u);
  EXPECT_EQ(alphaOf(round.row(16)[64]), 0u);
  EXPECT_EQ(alphaOf(round.row(17)[62]), 255u);  // inside the round join's arc
  EXPECT_EQ(alphaOf(bevel.row(17)[61]), 255u);
  // Areas: the miter adds a 5 x 5 square, the bevel half of it, the round join a quarter disc.
  double base = 40 * 10 + 40 * 10 - 25;  // two legs sharing the inner square
  EXPECT_NEAR(alphaSum(miter), base + 25, 1);
  EXPECT_NEAR(alphaSum(bevel), base + 12.5, 1);
  EXPECT_NEAR(alphaSum(round), base + kPi * 25 / 4, 1.5);
}

TEST(Stroke, MiterBeyondTheLimitFallsBackToBevel) {
  StrokeStyle s = width(10, Cap::None, Join::Miter);
  s.miterLimit = 1.2f;  // a right angle needs sqrt(2)
  Surface limited = stroked(corner(), s);
  Surface bevel = stroked(corner(), width(10, Cap::None, Join::Bevel));
  EXPECT_EQ(alphaOf(limited.row(15)[64]), 0u);
  EXPECT_NEAR(alphaSum(limited), alphaSum(bevel), 1e-9);
}

Path square(bool closeIt) {
  Path p;
  p.moveTo(20, 20);
  p.lineTo(60, 20);
  p.lineTo(60, 60);
  p.lineTo(20, 60);
  if (closeIt) p.lineTo(20, 20);
  return p;
}

TEST(Stroke, ClosedSubpathIsJoinedNotCapped) {
  Surface closed = stroked(square(true), width(10, Cap::None, Join::Miter));
  EXPECT_EQ(alphaOf(closed.row(15)[15]), 255u);  // mitred start corner
  EXPECT_NEAR(alphaSum(closed), 50 * 50 - 30 * 30, 1);
  StrokeStyle open = width(10, Cap::None, Join::Miter);
  open.noClose = true;
  Surface unclosed = stroked(square(true), open);
  EXPECT_EQ(alphaOf(unclosed.row(16)[16]), 0u);
  EXPECT_NEAR(alphaSum(unclosed), 50 * 50 - 30 * 30 - 25, 1);
  Surface notEnded = stroked(square(false), width(10, Cap::None, Join::Miter));
  EXPECT_EQ(alphaOf(notEnded.row(30)[20]), 0u);  // the left side was never drawn
}

TEST(Stroke, HairlineIsAtLeastOnePixel) {
  Path p = segment(10, 50, 90, 50);
  double area = alphaSum(stroked(p, width(0, Cap::None)));
  EXPECT_NEAR(area, 80, 0.5);
  Matrix tiny{0.001f, 0, 0, 0.001f, 0, 0};
  Path big = segment(10000, 50000, 90000, 50000);
  EXPECT_NEAR(alphaSum(stroked(big, width(20, Cap::None), 100, 100, tiny)), 80, 0.5);
}

// A hairline stays one device pixel wide under unequal x and y scales, in both
// directions, and so does a pen that the matrix leaves thinner than a pixel.
TEST(Stroke, HairlineUnderUnequalScaleIsOnePixelWide) {
  Matrix tall{1, 0, 0, 8, 0, 0};
  Path h = segment(10, 5, 90, 5);
  EXPECT_NEAR(alphaSum(stroked(h, width(0, Cap::None), 100, 100, tall)), 80, 0.5);
  Path v = segment(50, 1, 50, 11);
  EXPECT_NEAR(alphaSum(stroked(v, width(0, Cap::None), 100, 100, tall)), 80, 0.5);
  Matrix skew{1, 0, 3, 0.5f, 0, 0};
  // Under a skew the line runs 10 * |(3, 0.5)| device pixels.
  EXPECT_NEAR(alphaSum(stroked(v, width(0, Cap::None), 100, 100, skew)), 10 * std::hypot(3.0, 0.5), 1.5);
  Matrix thin{0.02f, 0, 0, 0.05f, 0, 0};
  Path bigH = segment(500, 1000, 4500, 1000);
  EXPECT_NEAR(alphaSum(stroked(bigH, width(10, Cap::None), 100, 100, thin)), 80, 0.5);
}

TEST(Stroke, WidthScalesWithTheMatrixUnlessUnscaled) {
  Matrix twice{2, 0, 0, 2, 0, 0};
  Path p = segment(10, 25, 40, 25);
  EXPECT_NEAR(alphaSum(stroked(p, width(5, Cap::None), 100, 100, twice)), 60 * 10, 1);
  StrokeStyle fixed = width(5, Cap::None);
  fixed.scaling = StrokeScaling::None;
  fixed.unscaledPixelsPerUnit = 1;
  EXPECT_NEAR(alphaSum(stroked(p, fixed, 100, 100, twice)), 60 * 5, 1);
  Matrix wide{4, 0, 0, 1, 0, 0};
  StrokeStyle vertical = width(5, Cap::None);
  vertical.scaling = StrokeScaling::Vertical;
  Path v = segment(10, 10, 10, 70);
  EXPECT_NEAR(alphaSum(stroked(v, vertical, 100, 100, wide)), 60 * 5, 1);
  StrokeStyle horizontal = width(5, Cap::None);
  horizontal.scaling = StrokeScaling::Horizontal;
  EXPECT_NEAR(alphaSum(stroked(v, horizontal, 100, 100, wide)), 60 * 20, 1);
}

TEST(Stroke, NonUniformScaleStretchesThePenLikeTheOutline) {
  // Under x4 horizontally, a vertical line's pen is 4 times wider than a horizontal one's
  // is tall: the pen is the ellipse the matrix makes of a circle.
  Matrix wide{4, 0, 0, 1, 0, 0};
  Path v = segment(10, 10, 10, 70);
  EXPECT_NEAR(alphaSum(stroked(v, width(5, Cap::None), 100, 100, wide)), 60 * 20, 1);
  Path h = segment(5, 50, 20, 50);
  EXPECT_NEAR(alphaSum(stroked(h, width(5, Cap::None), 100, 100, wide)), 60 * 5, 1);
  // A round cap is a half ellipse: semi-axes 10 and 2.5 on the device.
  Path dot;
  dot.moveTo(12, 50);
  dot.lineTo(12.0001f, 50);
  EXPECT_NEAR(alphaSum(stroked(dot, width(5, Cap::Round), 100, 100, wide)), kPi * 10 * 2.5, 1.5);
}

TEST(Stroke, CurvedStrokeOfACircleIsARing) {
  Surface s = stroked(circle(50, 50, 30), width(6, Cap::None));
  EXPECT_NEAR(alphaSum(s), kPi * (33 * 33 - 27 * 27), 12);
  EXPECT_EQ(alphaOf(s.row(50)[50]), 0u);
  EXPECT_EQ(alphaOf(s.row(50)[80]), 255u);
}

TEST(Stroke, DotWithRoundCapsIsADisc) {
  Path p = segment(50, 50, 50, 50);
  EXPECT_NEAR(alphaSum(stroked(p, width(20, Cap::Round))), kPi * 100, 3);
  EXPECT_NEAR(alphaSum(stroked(p, width(20, Cap::Square))), 400, 1);
  EXPECT_DOUBLE_EQ(alphaSum(stroked(p, width(20, Cap::None))), 0);
}

TEST(Stroke, ReversingLineCoversItsLengthOnce) {
  Path p;
  p.moveTo(20, 50);
  p.lineTo(80, 50);
  p.lineTo(50, 50);
  EXPECT_NEAR(alphaSum(stroked(p, width(10, Cap::None, Join::Miter))), 600, 1);
}

}  // namespace

TEST(Stroke, AliasedRoundCapsTakeNoCentreOutsideTheirCircle) {
  // Round caps of radius 10 at many sub-pixel positions: a pixel is in when its centre
  // is, and the cap's chords stay on or inside the circle, so no centre beyond the
  // radius is taken in, while every centre clearly inside it (within the chord error)
  // is.
  const float r = 10;
  int outside = 0, missing = 0;
  for (int i = 0; i < 40; ++i) {
    float ex = 50 + i * 0.137f, ey = 50 + i * 0.071f;
    Mask m(100, 100);
    strokeMask(m, segment(10, ey, ex, ey), width(2 * r, Cap::Round), {}, AntiAlias::None);
    for (int y = 0; y < 100; ++y)
      for (int x = int(ex) + 1; x < 100; ++x) {
        double d = std::hypot(x + 0.5 - ex, y + 0.5 - ey);
        bool in = m.row(y)[x] != 0;
        if (in && d > r) ++outside;
        if (!in && d < r - 0.1) ++missing;
      }
  }
  EXPECT_EQ(outside, 0);
  EXPECT_EQ(missing, 0);
}

TEST(Stroke, SmallAliasedRoundCapsTakeSixteenChords) {
  // A dot of radius 2.5: the tolerance alone would cut its circle in 12 chords (2.415 from
  // the centre at 15 degrees); 16 chords put the chord from 0 to 22.5 degrees at
  // 2.452 / cos 3.75 = 2.457 there, so a pixel centre at radius 2.44 and 15 degrees is in.
  const double angle = 15 * kPi / 180;
  const float cx = float(50.5 - 2.44 * std::cos(angle)), cy = float(50.5 - 2.44 * std::sin(angle));
  Mask m(100, 100);
  strokeMask(m, segment(cx, cy, cx, cy), width(5, Cap::Round), {}, AntiAlias::None);
  EXPECT_NE(m.row(50)[50], 0);
}

TEST(Stroke, AliasedRoundJoinSharesItsEdgesWithTheSegments) {
  // The join at (6.5, 21.4) turns from a steep segment into a nearly level one. The
  // centre of pixel (6, 21), (6.5, 21.5), is 0.1 px from the join point, deep inside the
  // 4 px pen. With edge points rounded for aliased edges, a segment end cut straight
  // through the join point and the join's own edge from it would no longer coincide, and
  // that centre would fall between them.
  Path p;
  p.moveTo(10.1f, 7.05f);
  p.lineTo(6.5f, 21.4f);
  p.lineTo(26.7f, 21.45f);
  Mask m(32, 32);
  strokeMask(m, p, width(4, Cap::None), {}, AntiAlias::None);
  EXPECT_EQ(m.row(21)[6], 255);
  EXPECT_EQ(m.row(21)[5], 255);
  EXPECT_EQ(m.row(21)[7], 255);
}

TEST(Stroke, RoundJoinWherePathDoublesBackGoesOutAhead) {
  // Half turns at (30, 10) and, closing, at (10, 10); and an open path turning back at
  // (30, 30). Each round join is the half disc beyond its point: pixels (32, y) and
  // (7, 10) lie wholly within 3.2 px of the turning points, inside the 4 px radius.
  Path p;
  p.moveTo(10, 10);
  p.lineTo(30, 10);
  p.lineTo(10, 10);
  p.moveTo(10, 30);
  p.lineTo(30, 30);
  p.lineTo(20, 30);
  for (AntiAlias aa : {AntiAlias::None, AntiAlias::Full}) {
    Mask m(50, 50);
    strokeMask(m, p, width(8, Cap::None), {}, aa);
    EXPECT_EQ(m.row(10)[32], 255);
    EXPECT_EQ(m.row(10)[7], 255);
    EXPECT_EQ(m.row(30)[32], 255);
    EXPECT_EQ(m.row(30)[36], 0);
  }
}
