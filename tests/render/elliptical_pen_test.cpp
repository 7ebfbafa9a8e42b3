// Strokes under a non-uniform scale, drawn aliased: a pixel is in when its centre is, so
// the pixels at the pen's edges follow from the pen's semi-axes by hand.
#include <gtest/gtest.h>

#include "render_test_support.h"

using namespace render_test;

namespace {

constexpr double kPi = 3.14159265358979323846;

StrokeStyle pen(float width, StrokeScaling scaling, Cap cap = Cap::None) {
  StrokeStyle s;
  s.width = width;
  s.startCap = s.endCap = cap;
  s.scaling = scaling;
  s.unscaledPixelsPerUnit = 1;
  return s;
}

Mask stroked(const Path& p, const StrokeStyle& style, const Matrix& m) {
  Mask mask(100, 100);
  strokeMask(mask, p, style, m, AntiAlias::None);
  return mask;
}

bool in(const Mask& m, int x, int y) { return m.row(y)[x] != 0; }

}  // namespace

TEST(EllipticalPen, ScaledStrokeWidensWithTheOutline) {
  // x3, y1: a pen of width 2 is an ellipse with semi-axes 3 and 1 on the device.
  const Matrix wide{3, 0, 0, 1, 0, 0};
  // A vertical line at device x = 30 covers x 27..33: pixels 27 to 32.
  Mask v = stroked(segment(10, 10, 10, 70), pen(2, StrokeScaling::Normal), wide);
  EXPECT_FALSE(in(v, 26, 40));
  EXPECT_TRUE(in(v, 27, 40));
  EXPECT_TRUE(in(v, 32, 40));
  EXPECT_FALSE(in(v, 33, 40));
  // A horizontal line at device y = 50 covers y 49..51: rows 49 and 50.
  Mask h = stroked(segment(5, 50, 25, 50), pen(2, StrokeScaling::Normal), wide);
  EXPECT_FALSE(in(h, 40, 48));
  EXPECT_TRUE(in(h, 40, 49));
  EXPECT_TRUE(in(h, 40, 50));
  EXPECT_FALSE(in(h, 40, 51));
}

TEST(EllipticalPen, UnscaledStrokeKeepsItsWidthAlongTheNarrowAxis) {
  // x4, y2, an unscaled pen 4 device pixels wide: the narrow (vertical) side keeps the 4
  // pixels, and the pen stretches as the matrix does, to 8 pixels across. A round pen
  // would make both 4; a pen scaled like the outline, 8 and 16.
  const Matrix wide{4, 0, 0, 2, 0, 0};
  // Vertical line at device x = 40: x 36..44, pixels 36 to 43.
  Mask v = stroked(segment(10, 5, 10, 35), pen(4, StrokeScaling::None), wide);
  EXPECT_FALSE(in(v, 35, 40));
  EXPECT_TRUE(in(v, 36, 40));
  EXPECT_TRUE(in(v, 43, 40));
  EXPECT_FALSE(in(v, 44, 40));
  // Horizontal line at device y = 60: y 58..62, rows 58 to 61.
  Mask h = stroked(segment(5, 30, 20, 30), pen(4, StrokeScaling::None), wide);
  EXPECT_FALSE(in(h, 50, 57));
  EXPECT_TRUE(in(h, 50, 58));
  EXPECT_TRUE(in(h, 50, 61));
  EXPECT_FALSE(in(h, 50, 62));
}

TEST(EllipticalPen, ArcsAreCutForTheNarrowSide) {
  // x8, y1, a dot with a round cap of width 5: on the device an ellipse with semi-axes 20
  // and 2.5. Its arc is cut as a circle of radius 2.5 would be, in 16 chords, with points
  // at multiples of 22.5 degrees before the stretch. A pixel centre at 11.25 degrees and
  // radius 2.47 before the stretch is inside the ellipse but outside the chord from 0 to
  // 22.5 degrees (2.5 cos 11.25 = 2.452 there): the references leave such centres out.
  const Matrix wide{8, 0, 0, 1, 0, 0};
  const double angle = 11.25 * kPi / 180;
  const float cx = float(50.5 - 8 * 2.47 * std::cos(angle)) / 8, cy = float(50.5 - 2.47 * std::sin(angle));
  Mask m = stroked(segment(cx, cy, cx, cy), pen(5, StrokeScaling::Normal, Cap::Round), wide);
  EXPECT_FALSE(in(m, 50, 50));
  // Radius 2.44 at 5 degrees is inside the chord (2.452 / cos 6.25 = 2.467 there).
  const double near = 5 * kPi / 180;
  const float nx = float(50.5 - 8 * 2.44 * std::cos(near)) / 8, ny = float(50.5 - 2.44 * std::sin(near));
  Mask n = stroked(segment(nx, ny, nx, ny), pen(5, StrokeScaling::Normal, Cap::Round), wide);
  EXPECT_TRUE(in(n, 50, 50));
}
