// Filters on small layers against pixels worked out by hand, and hostile parameters.
#include <gtest/gtest.h>

#include <algorithm>
#include <limits>

#include "movie/render/filters.h"

using movie::Filter;
using movie::render::Surface;

namespace {

// A 9 x 9 layer with one opaque white pixel in the middle.
Surface dot() {
  Surface s(9, 9);
  s.row(4)[4] = 0xFFFFFFFFu;
  return s;
}

Filter blur(float x, float y, int passes) {
  Filter f;
  f.kind = Filter::Blur;
  f.blurX = x;
  f.blurY = y;
  f.passes = passes;
  return f;
}

}  // namespace

TEST(Filters, BoxBlurSpreadsOnePixelOverItsBox) {
  Surface s = dot();
  movie::render::applyFilter(s, blur(3, 3, 1), 1);
  // 255 / 3 across, then / 3 down: 85 then 28.
  EXPECT_EQ(s.row(4)[4], 0x1C1C1C1Cu);
  EXPECT_EQ(s.row(3)[5], 0x1C1C1C1Cu);
  EXPECT_EQ(s.row(2)[4], 0u);
  EXPECT_EQ(s.row(4)[6], 0u);
}

TEST(Filters, BlurSizeFollowsTheScale) {
  Surface s = dot();
  movie::render::applyFilter(s, blur(1.5f, 1.5f, 1), 2);  // 3 layer pixels
  EXPECT_EQ(s.row(4)[4], 0x1C1C1C1Cu);
}

TEST(Filters, ZeroPassesChangeNothing) {
  Surface s = dot();
  movie::render::applyFilter(s, blur(5, 5, 0), 1);
  EXPECT_EQ(s.pixels(), dot().pixels());
}

TEST(Filters, ColourMatrixSwapsRedAndBlue) {
  Surface s(1, 1);
  s.row(0)[0] = 0xFFC86432u;
  Filter f;
  f.kind = Filter::ColorMatrix;
  float swap[20] = {0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 1, 0};
  std::copy(swap, swap + 20, f.matrix);
  movie::render::applyFilter(s, f, 1);
  EXPECT_EQ(s.row(0)[0], 0xFF3264C8u);
}

TEST(Filters, DropShadowLiesBehindAtItsDistance) {
  Surface s = dot();
  Filter f;
  f.kind = Filter::DropShadow;
  f.color = {0, 0, 255, 255};
  f.distance = 2;
  f.angle = 0;  // to the right
  f.passes = 1;
  movie::render::applyFilter(s, f, 1);
  EXPECT_EQ(s.row(4)[4], 0xFFFFFFFFu);  // the layer itself on top
  EXPECT_EQ(s.row(4)[6], 0xFF0000FFu);  // its unblurred shadow two pixels right
  EXPECT_EQ(s.row(4)[5], 0u);
}

TEST(Filters, KnockoutGlowLeavesOnlyTheGlow) {
  Surface s = dot();
  Filter f;
  f.kind = Filter::Glow;
  f.color = {255, 0, 0, 255};
  f.blurX = f.blurY = 3;
  f.knockout = true;
  movie::render::applyFilter(s, f, 1);
  EXPECT_EQ(s.row(4)[4], 0u);  // cut out where the dot was
  EXPECT_EQ(s.row(4)[5], 0x1C1C0000u);
}

TEST(Filters, HostileParametersEndInBoundedTime) {
  Surface s(64, 64);
  for (uint32_t& p : s.pixels()) p = 0xFF808080u;
  Filter f = blur(1e9f, 1e9f, 1000);  // clamped to the layer and to 15 passes
  movie::render::applyFilter(s, f, 1e9f);
  Filter glow;
  glow.kind = Filter::Glow;
  glow.strength = 1e30f;
  glow.blurX = glow.blurY = -5;
  movie::render::applyFilter(s, glow, 1);
  Filter shadow;
  shadow.kind = Filter::DropShadow;
  shadow.distance = 1e30f;
  shadow.angle = 1e30f;
  movie::render::applyFilter(s, shadow, 1);
  Filter matrix;
  matrix.kind = Filter::ColorMatrix;
  for (float& v : matrix.matrix) v = std::numeric_limits<float>::quiet_NaN();
  movie::render::applyFilter(s, matrix, 1);
  EXPECT_EQ(s.width(), 64);
}
