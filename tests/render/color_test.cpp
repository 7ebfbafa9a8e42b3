// Matrix and colour transform maths, and source-over compositing of premultiplied pixels.
#include <gtest/gtest.h>

#include "render_test_support.h"

using namespace render_test;

namespace {

void expectPoint(const Matrix& m, float x, float y, float ex, float ey) {
  EXPECT_NEAR(m.a * x + m.c * y + m.tx, ex, 1e-3);
  EXPECT_NEAR(m.b * x + m.d * y + m.ty, ey, 1e-3);
}

TEST(MatrixMaths, ThenAppliesThisFirst) {
  Matrix scale{2, 0, 0, 3, 0, 0};
  Matrix move{1, 0, 0, 1, 10, 20};
  expectPoint(scale.then(move), 1, 1, 12, 23);
  expectPoint(move.then(scale), 1, 1, 22, 63);
  Matrix rot{0, 1, -1, 0, 0, 0};  // 90 degrees
  expectPoint(rot.then(move), 1, 0, 10, 21);
}

TEST(MatrixMaths, InvertedUndoes) {
  Matrix m{1.5f, 0.3f, -0.7f, 2.0f, 11, -4};
  Matrix both = m.then(m.inverted());
  expectPoint(both, 3, 7, 3, 7);
  expectPoint(both, -20, 5, -20, 5);
}

TEST(MatrixMaths, SingularInvertsToIdentity) {
  Matrix m{0, 0, 0, 0, 5, 5};
  Matrix inv = m.inverted();
  EXPECT_EQ(inv.a, 1);
  EXPECT_EQ(inv.d, 1);
  EXPECT_EQ(inv.tx, 0);
}

TEST(ColorTransformMaths, MultiplyAndAddPerChannelClamped) {
  ColorTransform t;
  t.rm = 0.5f;
  t.ga = 20;
  t.bm = 2;
  t.am = 0.5f;
  t.aa = -10;
  Color c = t.apply({100, 50, 200, 255});
  EXPECT_EQ(c.r, 50);
  EXPECT_EQ(c.g, 70);
  EXPECT_EQ(c.b, 255);  // 400 clamps
  EXPECT_EQ(c.a, 118);  // 127.5 - 10, rounded
  ColorTransform neg;
  neg.ra = -300;
  EXPECT_EQ(neg.apply({100, 0, 0, 255}).r, 0);
}

TEST(ColorTransformMaths, ThenComposesInnerFirst) {
  ColorTransform inner, outer;
  inner.rm = 0.5f;
  inner.ra = 10;
  outer.rm = 2;
  outer.ra = 5;
  Color c = inner.then(outer).apply({100, 0, 0, 255});
  EXPECT_EQ(c.r, (100 * 0.5 + 10) * 2 + 5);
  Color d = outer.apply(inner.apply({100, 0, 0, 255}));
  EXPECT_EQ(c.r, d.r);
}

TEST(Compositing, SourceOverPremultiplied) {
  Surface s(4, 4);
  s.clear({0, 0, 255, 255});
  EXPECT_EQ(s.row(0)[0], 0xFF0000FFu);
  fillPath(s, rect(0, 0, 4, 4), Color{255, 0, 0, 128}, FillRule::NonZero, {});
  uint32_t p = s.row(1)[1];
  EXPECT_EQ(alphaOf(p), 255u);
  EXPECT_EQ(redOf(p), 128u);
  EXPECT_EQ(blueOf(p), 127u);
  EXPECT_EQ(greenOf(p), 0u);
}

TEST(Compositing, OverTransparentKeepsPremultipliedSource) {
  Surface s(4, 4);
  s.clear({0, 0, 0, 0});
  fillPath(s, rect(0, 0, 4, 4), Color{200, 100, 50, 128}, FillRule::NonZero, {});
  uint32_t p = s.row(2)[2];
  EXPECT_EQ(alphaOf(p), 128u);
  EXPECT_EQ(redOf(p), 100u);  // 200 * 128 / 255
  EXPECT_EQ(greenOf(p), 50u);
  EXPECT_EQ(blueOf(p), 25u);
}

TEST(Compositing, PartialCoverageScalesSource) {
  Surface s(4, 1);
  s.clear({0, 0, 0, 255});
  fillPath(s, rect(0.5f, 0, 3, 1), Color{255, 255, 255, 255}, FillRule::NonZero, {});
  EXPECT_EQ(s.row(0)[0], 0xFF808080u);  // half of white over black
  EXPECT_EQ(s.row(0)[1], 0xFFFFFFFFu);
}

TEST(Compositing, ColorTransformAppliesToSolidFill) {
  Surface s(4, 4);
  s.clear({0, 0, 0, 0});
  DrawState st;
  st.colorTransform.rm = 0.5f;
  st.colorTransform.ga = 20;
  st.colorTransform.am = 0.5f;
  fillPath(s, rect(0, 0, 4, 4), Color{100, 50, 200, 255}, FillRule::NonZero, st);
  uint32_t p = s.row(1)[1];
  EXPECT_EQ(alphaOf(p), 128u);
  EXPECT_EQ(redOf(p), 25u);  // 50 premultiplied by 128/255
  EXPECT_EQ(greenOf(p), 35u);
  EXPECT_EQ(blueOf(p), 100u);
}

TEST(Compositing, FullyTransparentPaintLeavesSurface) {
  Surface s(4, 4);
  s.clear({10, 20, 30, 255});
  uint32_t before = s.row(0)[0];
  DrawState st;
  st.colorTransform.am = 0;
  fillPath(s, rect(0, 0, 4, 4), Color{255, 255, 255, 255}, FillRule::NonZero, st);
  EXPECT_EQ(s.row(0)[0], before);
}

}  // namespace
