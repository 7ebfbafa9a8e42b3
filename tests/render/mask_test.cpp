// Clip masks: drawing through a mask, and nested masks by intersection.
#include <gtest/gtest.h>

#include "render_test_support.h"

using namespace render_test;

namespace {

TEST(ClipMask, DrawingIsLimitedToTheMask) {
  Mask clip(40, 40);
  fillMask(clip, rect(0, 0, 20, 40), FillRule::NonZero, {}, AntiAlias::Full);
  Surface s(40, 40);
  s.clear({0, 0, 0, 255});
  DrawState st;
  st.clip = &clip;
  fillPath(s, rect(0, 0, 40, 40), Color{255, 255, 255, 255}, FillRule::NonZero, st);
  EXPECT_EQ(s.row(10)[10], 0xFFFFFFFFu);
  EXPECT_EQ(s.row(10)[30], 0xFF000000u);
}

TEST(ClipMask, PartialMaskCoverageScalesTheSource) {
  Mask clip(10, 1);
  fillMask(clip, rect(0.5f, 0, 9.5f, 1), FillRule::NonZero, {}, AntiAlias::Full);
  ASSERT_NEAR(clip.row(0)[0], 128, 1);
  Surface s(10, 1);
  s.clear({0, 0, 0, 0});
  DrawState st;
  st.clip = &clip;
  fillPath(s, rect(0, 0, 10, 1), Color{255, 255, 255, 255}, FillRule::NonZero, st);
  EXPECT_NEAR(alphaOf(s.row(0)[0]), 128, 1);
  EXPECT_EQ(alphaOf(s.row(0)[5]), 255u);
}

TEST(ClipMask, ClipAppliesToGradientsAndStrokes) {
  Mask clip(40, 40);
  fillMask(clip, rect(0, 0, 40, 20), FillRule::NonZero, {}, AntiAlias::Full);
  DrawState st;
  st.clip = &clip;
  Surface s(40, 40);
  s.clear({0, 0, 0, 0});
  Gradient g;
  g.stops = {{0, {255, 0, 0, 255}}, {255, {0, 255, 0, 255}}};
  g.matrix = {40.0f / 32768, 0, 0, 1, 20, 0};
  fillPath(s, rect(0, 0, 40, 40), g, FillRule::NonZero, st);
  EXPECT_EQ(alphaOf(s.row(10)[10]), 255u);
  EXPECT_EQ(s.row(30)[10], 0u);
  Path line;
  line.moveTo(20, 0);
  line.lineTo(20, 40);
  StrokeStyle style;
  style.width = 4;
  style.unscaledPixelsPerUnit = 1;
  s.clear({0, 0, 0, 0});
  strokePath(s, line, style, Color{255, 255, 255, 255}, st);
  EXPECT_EQ(alphaOf(s.row(10)[20]), 255u);
  EXPECT_EQ(s.row(30)[20], 0u);
}

TEST(ClipMask, NestedMasksIntersect) {
  Mask outer(40, 40), inner(40, 40);
  fillMask(outer, rect(0, 0, 20, 40), FillRule::NonZero, {}, AntiAlias::Full);
  fillMask(inner, rect(0, 0, 40, 20), FillRule::NonZero, {}, AntiAlias::Full);
  inner.intersect(outer);
  EXPECT_EQ(inner.row(10)[10], 255);
  EXPECT_EQ(inner.row(10)[30], 0);
  EXPECT_EQ(inner.row(30)[10], 0);
  EXPECT_NEAR(coverageSum(inner), 400, 1e-9);
  Surface s(40, 40);
  s.clear({0, 0, 0, 0});
  DrawState st;
  st.clip = &inner;
  fillPath(s, rect(0, 0, 40, 40), Color{0, 0, 255, 255}, FillRule::NonZero, st);
  EXPECT_EQ(s.row(10)[10], 0xFF0000FFu);
  EXPECT_EQ(s.row(30)[30], 0u);
  EXPECT_EQ(s.row(10)[30], 0u);
}

TEST(ClipMask, IntersectMultipliesPartialCoverage) {
  Mask a(4, 1), b(4, 1);
  fillMask(a, rect(0.5f, 0, 3.5f, 1), FillRule::NonZero, {}, AntiAlias::Full);
  fillMask(b, rect(0.5f, 0, 3.5f, 1), FillRule::NonZero, {}, AntiAlias::Full);
  a.intersect(b);
  EXPECT_NEAR(a.row(0)[0], 64, 1);
  EXPECT_EQ(a.row(0)[2], 255);
}

TEST(ClipMask, IntersectWithSmallerMaskClearsTheRest) {
  Mask a(8, 8), b(4, 4);
  fillMask(a, rect(0, 0, 8, 8), FillRule::NonZero, {}, AntiAlias::Full);
  fillMask(b, rect(0, 0, 4, 4), FillRule::NonZero, {}, AntiAlias::Full);
  a.intersect(b);
  EXPECT_EQ(a.row(1)[1], 255);
  EXPECT_EQ(a.row(1)[6], 0);
  EXPECT_EQ(a.row(6)[1], 0);
}

}  // namespace
