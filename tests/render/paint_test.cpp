// Gradients and bitmap fills: ramps, spread modes, radial and focal geometry, sampling.
#include <gtest/gtest.h>

#include "render_test_support.h"

using namespace render_test;

namespace {

constexpr Color kRed{255, 0, 0, 255};
constexpr Color kBlue{0, 0, 255, 255};

// Linear red-to-blue gradient whose square spans x = 20..60 on a 100 x 1 surface.
Surface drawLinear(Spread spread, Interpolation interp = Interpolation::Normal, Color from = kRed,
                   Color to = kBlue) {
  Gradient g;
  g.kind = Gradient::Linear;
  g.stops = {{0, from}, {255, to}};
  g.spread = spread;
  g.interpolation = interp;
  g.matrix = {40.0f / 32768, 0, 0, 40.0f / 32768, 40, 0};
  Surface s(100, 1);
  s.clear({0, 0, 0, 0});
  fillPath(s, rect(0, 0, 100, 1), g, FillRule::NonZero, {});
  return s;
}

TEST(LinearGradient, RampEndpointsAndMiddle) {
  Surface s = drawLinear(Spread::Pad);
  // Pixel 20 sits at t = 1/80: nearly the first stop.
  EXPECT_GE(redOf(s.row(0)[20]), 250u);
  EXPECT_LE(blueOf(s.row(0)[20]), 5u);
  EXPECT_EQ(alphaOf(s.row(0)[20]), 255u);
  EXPECT_GE(blueOf(s.row(0)[59]), 250u);
  uint32_t mid = s.row(0)[40];  // t = 0.5125
  EXPECT_NEAR(redOf(mid), 124, 2);
  EXPECT_NEAR(blueOf(mid), 131, 2);
}

TEST(LinearGradient, WideRampChangesSmoothlyAndEndsAtTheStops) {
  // Black to white over ratios 0..128, about 500 pixels: two colour levels per ratio
  // step, but about half a level per pixel, so no two neighbours may differ by more than
  // one level.
  Gradient g;
  g.stops = {{0, Color{0, 0, 0, 255}}, {128, Color{255, 255, 255, 255}}};
  g.matrix = {1000.0f / 32768, 0, 0, 1.0f / 32768, 500, 0};
  Surface s(1000, 1);
  s.clear({0, 0, 0, 0});
  fillPath(s, rect(0, 0, 1000, 1), g, FillRule::NonZero, {});
  for (int x = 1; x < 1000; ++x) {
    ASSERT_LE(redOf(s.row(0)[x]) - redOf(s.row(0)[x - 1]), 1u) << "at " << x;
    ASSERT_GE(redOf(s.row(0)[x]), redOf(s.row(0)[x - 1])) << "at " << x;
  }
  EXPECT_EQ(redOf(s.row(0)[0]), 0u);
  EXPECT_EQ(redOf(s.row(0)[999]), 255u);
}

TEST(LinearGradient, PadRepeatReflectOutsideTheSquare) {
  Surface pad = drawLinear(Spread::Pad);
  EXPECT_EQ(pad.row(0)[5], 0xFFFF0000u);
  EXPECT_EQ(pad.row(0)[70], 0xFF0000FFu);
  Surface rep = drawLinear(Spread::Repeat);
  EXPECT_EQ(rep.row(0)[70], rep.row(0)[30]);  // t 1.2625 repeats 0.2625
  EXPECT_NE(rep.row(0)[70], pad.row(0)[70]);
  EXPECT_EQ(rep.row(0)[5], rep.row(0)[45]);   // t -0.3625 repeats 0.6375
  Surface ref = drawLinear(Spread::Reflect);
  EXPECT_EQ(ref.row(0)[70], ref.row(0)[49]);  // t 1.2625 mirrors to 0.7375
  EXPECT_EQ(ref.row(0)[10], ref.row(0)[29]);  // t -0.2375 mirrors to 0.2375
}

// A gradient turned end for end walks the row backwards: padded past both ends, and
// each pixel the colour of its mirror image in the gradient drawn forwards.
TEST(LinearGradient, MirroredGradientPadsBothEnds) {
  Surface forward = drawLinear(Spread::Pad);
  Gradient g;
  g.stops = {{0, kRed}, {255, kBlue}};
  g.matrix = {-40.0f / 32768, 0, 0, 40.0f / 32768, 40, 0};
  Surface s(100, 1);
  s.clear({0, 0, 0, 0});
  fillPath(s, rect(0, 0, 100, 1), g, FillRule::NonZero, {});
  EXPECT_EQ(s.row(0)[5], 0xFF0000FFu);
  EXPECT_EQ(s.row(0)[90], 0xFFFF0000u);
  for (int x = 1; x < 80; ++x) ASSERT_EQ(s.row(0)[x], forward.row(0)[79 - x]) << "at " << x;
}

TEST(LinearGradient, ManyStopsHitEachStopColour) {
  Gradient g;
  for (int i = 0; i < 15; ++i) g.stops.push_back({uint8_t(i * 255 / 14), Color{uint8_t(i * 17), 0, 0, 255}});
  g.matrix = {255.0f / 32768, 0, 0, 1, 127.5f, 0};  // t = x / 255
  Surface s(256, 1);
  s.clear({0, 0, 0, 0});
  fillPath(s, rect(0, 0, 256, 1), g, FillRule::NonZero, {});
  for (int i = 0; i < 15; ++i) EXPECT_NEAR(redOf(s.row(0)[i * 255 / 14]), i * 17, 2) << i;
}

TEST(LinearGradient, LinearRgbMiddleIsBrighter) {
  Surface normal = drawLinear(Spread::Pad, Interpolation::Normal, {0, 0, 0, 255}, {255, 255, 255, 255});
  Surface linear = drawLinear(Spread::Pad, Interpolation::LinearRGB, {0, 0, 0, 255}, {255, 255, 255, 255});
  // Pixel 39 sits at t = 0.4875.
  EXPECT_NEAR(greenOf(normal.row(0)[39]), 124, 2);
  EXPECT_NEAR(greenOf(linear.row(0)[39]), 185, 3);  // sRGB of that fraction of the light
  EXPECT_EQ(linear.row(0)[5], 0xFF000000u);  // the stops themselves are unchanged
  EXPECT_EQ(linear.row(0)[80], 0xFFFFFFFFu);
}

// Linear light is held at 8 bits: a dark stop channel comes back from it coarsened
// (sRGB 20 is linear step 1, which is sRGB 13; 25 is step 2, sRGB 22), at the stops and
// in the padded area beyond them alike, while full channels are kept.
TEST(LinearGradient, LinearRgbKeepsLightAtEightBits) {
  Surface s = drawLinear(Spread::Pad, Interpolation::LinearRGB, {255, 20, 25, 255}, {14, 20, 255, 255});
  EXPECT_EQ(s.row(0)[5], 0xFFFF0D16u);
  EXPECT_EQ(s.row(0)[90], 0xFF0D0DFFu);
  // Halfway the light of each channel is halved, not its sRGB value.
  EXPECT_NEAR(redOf(s.row(0)[39]), 190, 3);
  EXPECT_EQ(greenOf(s.row(0)[39]), 13);
}

// Two stops sharing ratio 100 blend black to white over ratio positions 100..101 (t * 256
// - 0.5). On a square 2048 pixels wide, pixel x sits at ratio position (x + 0.5) / 8 -
// 0.5, between the quarter steps a 1024-entry table holds: the grey is worked out from
// the pixel's own position and cut to whole levels.
TEST(LinearGradient, SteepStretchTakesEachPixelsOwnPosition) {
  Gradient g;
  g.stops = {{100, Color{0, 0, 0, 255}}, {100, Color{255, 255, 255, 255}}};
  g.matrix = {2048.0f / 32768, 0, 0, 1.0f / 32768, 1024, 0};
  Surface s(2048, 1);
  s.clear({0, 0, 0, 0});
  fillPath(s, rect(0, 0, 2048, 1), g, FillRule::NonZero, {});
  EXPECT_EQ(s.row(0)[804], 0xFF0F0F0Fu);  // 100.0625: 255 * 0.0625 = 15.9 -> 15 (table: 31)
  EXPECT_EQ(s.row(0)[805], 0xFF2F2F2Fu);  // 100.1875: 47.8 -> 47 (a quarter-step table: 31)
  EXPECT_EQ(s.row(0)[806], 0xFF4F4F4Fu);  // 100.3125: 79.7 -> 79 (table: 95)
  EXPECT_EQ(s.row(0)[807], 0xFF6F6F6Fu);  // 100.4375: 111.6 -> 111 (table: 95)
  EXPECT_EQ(s.row(0)[808], 0xFF8F8F8Fu);  // 100.5625: 143.4 -> 143 (table: 159)
  EXPECT_EQ(s.row(0)[803], 0xFF000000u);  // 99.9375: still the first stop
  EXPECT_EQ(s.row(0)[813], 0xFFFFFFFFu);  // 101.1875: the second
}

TEST(LinearGradient, ColorTransformAppliesToRamp) {
  Gradient g;
  g.stops = {{0, kRed}, {255, kBlue}};
  g.matrix = {40.0f / 32768, 0, 0, 1, 40, 0};
  DrawState st;
  st.colorTransform.am = 0.5f;
  st.colorTransform.ga = 255;
  Surface s(100, 1);
  s.clear({0, 0, 0, 0});
  fillPath(s, rect(0, 0, 100, 1), g, FillRule::NonZero, st);
  uint32_t p = s.row(0)[5];
  EXPECT_EQ(alphaOf(p), 128u);
  EXPECT_EQ(greenOf(p), 128u);
  EXPECT_EQ(redOf(p), 128u);
}

Gradient radial(float focal, Gradient::Kind kind) {
  Gradient g;
  g.kind = kind;
  g.focal = focal;
  g.stops = {{0, kRed}, {255, kBlue}};
  g.matrix = {40.0f / 16384, 0, 0, 40.0f / 16384, 50, 50};  // radius 40 around (50, 50)
  return g;
}

TEST(RadialGradient, CentreEdgeAndOutside) {
  Surface s(100, 100);
  s.clear({0, 0, 0, 0});
  fillPath(s, rect(0, 0, 100, 100), radial(0, Gradient::Radial), FillRule::NonZero, {});
  EXPECT_GE(redOf(s.row(50)[50]), 249u);        // centre, 0.7 px off: first stop
  EXPECT_EQ(s.row(50)[95], 0xFF0000FFu);        // beyond the radius: padded last stop
  uint32_t half = s.row(50)[70];                // distance 20.5 of 40
  EXPECT_NEAR(blueOf(half), 131, 3);
  EXPECT_EQ(s.row(30)[50], s.row(50)[30]);      // round
  EXPECT_EQ(s.row(70)[50], s.row(50)[70]);
}

TEST(RadialGradient, FocalMovesTheFirstColourToTheFocus) {
  Surface s(100, 100);
  s.clear({0, 0, 0, 0});
  fillPath(s, rect(0, 0, 100, 100), radial(0.5f, Gradient::Focal), FillRule::NonZero, {});
  // Focus at x = 50 + 0.5 * 40 = 70.
  EXPECT_GE(redOf(s.row(50)[69]), 250u);
  // The centre lies a third of the way from the focus to the circle on the far side.
  EXPECT_NEAR(redOf(s.row(50)[50]), 255 * 2 / 3, 4);
  // The circle itself is still the last stop.
  EXPECT_EQ(s.row(50)[9], 0xFF0000FFu);
  EXPECT_EQ(s.row(50)[90], 0xFF0000FFu);
  EXPECT_GE(blueOf(s.row(50)[11]), 247u);  // t = 0.975
  // Zero focal is the plain radial gradient.
  Surface r(100, 100), f(100, 100);
  fillPath(r, rect(0, 0, 100, 100), radial(0, Gradient::Radial), FillRule::NonZero, {});
  fillPath(f, rect(0, 0, 100, 100), radial(0, Gradient::Focal), FillRule::NonZero, {});
  for (int x = 0; x < 100; x += 7) EXPECT_NEAR(double(redOf(r.row(40)[x])), double(redOf(f.row(40)[x])), 1) << x;
}

std::shared_ptr<Bitmap> checker() {
  auto b = std::make_shared<Bitmap>();
  b->width = 2;
  b->height = 2;
  b->pixels = {0xFFFF0000u, 0xFF00FF00u, 0xFF0000FFu, 0xFFFFFFFFu};
  return b;
}

Surface drawBitmap(bool repeat, bool smooth, AntiAlias aa = AntiAlias::Full) {
  BitmapFill f;
  f.bitmap = checker();
  f.matrix = {10, 0, 0, 10, 0, 0};  // each texel 10 x 10 pixels
  f.repeat = repeat;
  f.smooth = smooth;
  DrawState st;
  st.antiAlias = aa;
  Surface s(40, 40);
  s.clear({0, 0, 0, 0});
  fillPath(s, rect(0, 0, 40, 40), f, FillRule::NonZero, st);
  return s;
}

TEST(BitmapFillSampling, NearestPicksTexels) {
  Surface s = drawBitmap(true, false);
  EXPECT_EQ(s.row(5)[5], 0xFFFF0000u);
  EXPECT_EQ(s.row(5)[15], 0xFF00FF00u);
  EXPECT_EQ(s.row(15)[5], 0xFF0000FFu);
  EXPECT_EQ(s.row(15)[15], 0xFFFFFFFFu);
  EXPECT_EQ(s.row(9)[9], 0xFFFF0000u);
  EXPECT_EQ(s.row(10)[10], 0xFFFFFFFFu);
}

TEST(BitmapFillSampling, RepeatWrapsClampHoldsTheEdge) {
  Surface rep = drawBitmap(true, false);
  EXPECT_EQ(rep.row(5)[25], 0xFFFF0000u);
  EXPECT_EQ(rep.row(35)[35], 0xFFFFFFFFu);
  Surface clamp = drawBitmap(false, false);
  EXPECT_EQ(clamp.row(5)[25], 0xFF00FF00u);
  EXPECT_EQ(clamp.row(35)[5], 0xFF0000FFu);
  EXPECT_EQ(clamp.row(35)[35], 0xFFFFFFFFu);
}

TEST(BitmapFillSampling, SmoothBlendsNeighboursWithOrWithoutAntiAliasing) {
  Surface s = drawBitmap(false, true);
  uint32_t p = s.row(5)[9];  // u = 0.45 texels past the first centre
  EXPECT_NEAR(redOf(p), 255 * 0.55, 3);
  EXPECT_NEAR(greenOf(p), 255 * 0.45, 3);
  EXPECT_EQ(s.row(2)[2], 0xFFFF0000u);  // clamped corner stays the texel
  Surface low = drawBitmap(false, true, AntiAlias::None);
  EXPECT_EQ(low.row(5)[9], p);
}

TEST(BitmapFillSampling, ColorTransformOnSamples) {
  BitmapFill f;
  f.bitmap = checker();
  f.matrix = {10, 0, 0, 10, 0, 0};
  f.smooth = false;
  DrawState st;
  st.colorTransform.am = 0.5f;
  Surface s(20, 20);
  s.clear({0, 0, 0, 0});
  fillPath(s, rect(0, 0, 20, 20), f, FillRule::NonZero, st);
  EXPECT_EQ(s.row(5)[5], 0x80800000u);
  st.colorTransform.am = 1;
  st.colorTransform.rm = 0;
  st.colorTransform.ba = 100;
  Surface t(20, 20);
  t.clear({0, 0, 0, 0});
  fillPath(t, rect(0, 0, 20, 20), f, FillRule::NonZero, st);
  EXPECT_EQ(t.row(5)[5], 0xFF000064u);
  EXPECT_EQ(t.row(15)[15], 0xFF00FFFFu);
}

TEST(BitmapFillSampling, RotatedMatrixMapsThroughTheInverse) {
  BitmapFill f;
  f.bitmap = checker();
  f.matrix = {0, 10, -10, 0, 20, 0};  // 90 degrees: texel x runs down, texel y runs left
  f.smooth = false;
  f.repeat = false;
  Surface s(20, 20);
  fillPath(s, rect(0, 0, 20, 20), f, FillRule::NonZero, {});
  EXPECT_EQ(s.row(5)[15], 0xFFFF0000u);
  EXPECT_EQ(s.row(15)[15], 0xFF00FF00u);
  EXPECT_EQ(s.row(5)[5], 0xFF0000FFu);
}

}  // namespace

namespace {

// A 4 x 1 bitmap, one texel per pixel, filled under a bend that stretches the middle two
// texels from 2 pixels to 6 and leaves the outer ones at 1.
Surface drawBent(bool smooth) {
  auto b = std::make_shared<Bitmap>();
  b->width = 4;
  b->height = 1;
  b->pixels = {0xFFFF0000u, 0xFF00FF00u, 0xFF0000FFu, 0xFFFFFFFFu};
  auto bend = std::make_shared<Bend>();
  bend->x.from = {0, 1, 3, 4};
  bend->x.to = {0, 1, 7, 8};
  bend->y.from = bend->y.to = {0, 0, 1, 1};  // pieces of no length at both ends
  BitmapFill f;
  f.bitmap = b;
  f.repeat = false;
  f.smooth = smooth;
  f.bend = bend;
  Surface s(10, 1);
  s.clear({0, 0, 0, 0});
  fillPath(s, rect(0, 0, 8, 1), f, FillRule::NonZero, {});
  return s;
}

}  // namespace

TEST(BentBitmapFill, EachPieceOfTheBitmapStretchesWithItsPiece) {
  Surface s = drawBent(false);
  EXPECT_EQ(s.row(0)[0], 0xFFFF0000u);
  for (int x = 1; x <= 3; ++x) EXPECT_EQ(s.row(0)[x], 0xFF00FF00u) << x;
  for (int x = 4; x <= 6; ++x) EXPECT_EQ(s.row(0)[x], 0xFF0000FFu) << x;
  EXPECT_EQ(s.row(0)[7], 0xFFFFFFFFu);
  EXPECT_EQ(s.row(0)[8], 0u);
}

TEST(BentBitmapFill, SmoothSamplingFollowsTheBend) {
  Surface s = drawBent(true);
  EXPECT_EQ(s.row(0)[0], 0xFFFF0000u);            // clamped at the edge
  EXPECT_EQ(s.row(0)[2], 0xFF00FF00u);            // unbent 1.5: the green texel's centre
  uint32_t p = s.row(0)[3];                       // unbent 1.83: a third of the way to blue
  EXPECT_NEAR(greenOf(p), 255 * 2 / 3.0, 3);
  EXPECT_NEAR(blueOf(p), 255 / 3.0, 3);
}

TEST(Bend, UnbendsPieceByPieceAndContinuesPastTheEnds) {
  Bend::Axis a;
  a.from = {0, 10, 30, 40};
  a.to = {0, 5, 75, 80};
  EXPECT_DOUBLE_EQ(a.unbend(2.5), 5);
  EXPECT_DOUBLE_EQ(a.unbend(40), 20);
  EXPECT_DOUBLE_EQ(a.unbend(77.5), 35);
  EXPECT_DOUBLE_EQ(a.unbend(-5), -10);  // the first piece continues
  EXPECT_DOUBLE_EQ(a.unbend(85), 50);   // so does the last
  a.to = {0, 0, 80, 80};                // outer pieces squeezed to nothing
  EXPECT_DOUBLE_EQ(a.unbend(40), 20);
  EXPECT_DOUBLE_EQ(a.unbend(-8), 8);   // before the middle: its stretch continues
}
