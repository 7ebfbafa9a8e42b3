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

TEST(Filters, BlurBoxKeepsItsPixelsWhenTheViewScales) {
  Surface s = dot();
  movie::render::applyFilter(s, blur(3, 3, 1), 2);  // still a box of 3 pixels
  EXPECT_EQ(s.row(4)[4], 0x1C1C1C1Cu);
  EXPECT_EQ(s.row(4)[6], 0u);
  Surface faint = dot();
  movie::render::applyFilter(faint, blur(1.5f, 1.5f, 1), 2);  // below 2: no blur
  EXPECT_EQ(faint.pixels(), dot().pixels());
}

namespace {

// A dot blurred by `amount` both ways: the grey at the middle, two pixels right of it,
// two right and two up, and three right.
struct DotBlur {
  float amount;
  uint32_t middle, twoRight, twoRightTwoUp, threeRight;
};

void expectDotBlur(const DotBlur& want) {
  Surface s = dot();
  movie::render::applyFilter(s, blur(want.amount, want.amount, 1), 1);
  EXPECT_EQ(s.row(4)[4], want.middle) << want.amount;
  EXPECT_EQ(s.row(4)[6], want.twoRight) << want.amount;
  EXPECT_EQ(s.row(2)[6], want.twoRightTwoUp) << want.amount;
  EXPECT_EQ(s.row(4)[7], want.threeRight) << want.amount;
}

}  // namespace

TEST(Filters, BoxEndsCountByTheShareTheBoxCovers) {
  // 4: three whole pixels and a half either end. Across: 255 / 4 = 63.75 gives 63 at the
  // middle, 255 * 0.5 / 4 = 31.9 gives 31 two pixels aside; down the same: 63 -> 15,
  // 31 -> 7, and 31 * 0.5 / 4 -> 3.
  expectDotBlur({4, 0x0F0F0F0Fu, 0x07070707u, 0x03030303u, 0});
  // 3.5: three whole pixels and a quarter either end, weights 64/256: divisor 3 * 256 +
  // 2 * 64 = 896. Across: 255 * 256 / 896 = 72.9 gives 72, 255 * 64 / 896 = 18.2 gives 18;
  // down: 72 -> 20, 18 -> 5, 18 * 64 / 896 -> 1.
  expectDotBlur({3.5f, 0x14141414u, 0x05050505u, 0x01010101u, 0});
}

TEST(Filters, AmountsFromTwoToThreeTakeThreeWholePixels) {
  for (float amount : {2.0f, 2.5f}) expectDotBlur({amount, 0x1C1C1C1Cu, 0, 0, 0});  // 255 / 3 / 3
}

TEST(Filters, BoxAveragesAreTruncated) {
  Surface s = dot();
  movie::render::applyFilter(s, blur(12, 12, 1), 1);  // 11 whole pixels and two halves
  // 255 / 12 = 21.25 gives 21, then 21 / 12 = 1.75 gives 1.
  EXPECT_EQ(s.row(4)[4], 0x01010101u);
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

namespace {

// A red knockout glow of 3 pixels at the given strength, on the dot.
Surface knockoutGlow(float strength) {
  Surface s = dot();
  Filter f;
  f.kind = Filter::Glow;
  f.color = {255, 0, 0, 255};
  f.blurX = f.blurY = 3;
  f.strength = strength;
  f.knockout = true;
  movie::render::applyFilter(s, f, 1);
  return s;
}

}  // namespace

TEST(Filters, KnockoutGlowLeavesOnlyTheGlow) {
  Surface s = knockoutGlow(1);
  EXPECT_EQ(s.row(4)[4], 0u);  // cut out where the dot was
  EXPECT_EQ(s.row(4)[5], 0x1C1C0000u);
}

TEST(Filters, GlowStrengthBelowOneFadesTheGlow) {
  // The blurred alpha beside the dot, 28, halved and truncated: 14.
  EXPECT_EQ(knockoutGlow(0.5f).row(4)[5], 0x0E0E0000u);
  EXPECT_EQ(knockoutGlow(0).row(4)[5], 0u);   // no strength, no glow
  EXPECT_EQ(knockoutGlow(-3).row(4)[5], 0u);  // nor a negative one
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

namespace {

// A 5 x 1 layer with opaque white at x = 1..3.
Surface bar() {
  Surface s(5, 1);
  for (int x = 1; x <= 3; ++x) s.row(0)[x] = 0xFFFFFFFFu;
  return s;
}

// A bevel one pixel to the right, unblurred: lit at x = 0 and 1, shaded at 3 and 4.
Filter bevelRight() {
  Filter f;
  f.kind = Filter::Bevel;
  f.color = {0, 0, 255, 255};      // highlight: blue
  f.shadowColor = {255, 0, 0, 128}; // shadow: half red, 0x80800000 premultiplied
  f.distance = 1;
  f.angle = 0;
  f.passes = 1;
  return f;
}

std::vector<uint32_t> row(const Surface& s) { return {s.row(0), s.row(0) + s.width()}; }

constexpr uint32_t kBlue = 0xFF0000FFu, kHalfRed = 0x80800000u, kWhite = 0xFFFFFFFFu;
constexpr uint32_t kHalfRedOverWhite = 0xFFFF7F7Fu;  // 0x80 + 0xFF * 127 / 255 = 0xFF; 0 + 127

}  // namespace

TEST(Filters, InnerBevelLightsTheEdgeAwayFromTheAngle) {
  Surface s = bar();
  Filter f = bevelRight();
  f.inner = true;
  movie::render::applyFilter(s, f, 1);
  EXPECT_EQ(row(s), (std::vector<uint32_t>{0, kBlue, kWhite, kHalfRedOverWhite, 0}));
}

TEST(Filters, InnerBevelOverAHalfClearObjectKeepsItsOpacity) {
  Surface s(5, 1);
  for (int x = 1; x <= 3; ++x) s.row(0)[x] = 0x80808080u;  // white at alpha 128
  Filter f = bevelRight();
  f.inner = true;
  movie::render::applyFilter(s, f, 1);
  // x = 1 lit: blue at 128 (0x80000080), inside an object of alpha 128: 0x40000040, over
  // the object's white let through by 255 - 128: 0x40404040. x = 3 shaded: half red at
  // 128 (0x40400000), inside: 0x20200000, over the white let through by 255 - 64:
  // 0x60606060. Alpha stays the object's 0x80 where the effect lies.
  EXPECT_EQ(row(s), (std::vector<uint32_t>{0, 0x80404080u, 0x80808080u, 0x80806060u, 0}));
}

TEST(Filters, OuterBevelLiesBehindTheObject) {
  Surface s = bar();
  movie::render::applyFilter(s, bevelRight(), 1);
  EXPECT_EQ(row(s), (std::vector<uint32_t>{kBlue, kWhite, kWhite, kWhite, kHalfRed}));
}

TEST(Filters, FullBevelLiesOverTheObject) {
  Surface s = bar();
  Filter f = bevelRight();
  f.onTop = true;
  movie::render::applyFilter(s, f, 1);
  EXPECT_EQ(row(s), (std::vector<uint32_t>{kBlue, kBlue, kWhite, kHalfRedOverWhite, kHalfRed}));
}

TEST(Filters, KnockoutBevelsLeaveOnlyTheirEdges) {
  Surface inner = bar(), outer = bar();
  Filter f = bevelRight();
  f.knockout = true;
  f.inner = true;
  movie::render::applyFilter(inner, f, 1);
  EXPECT_EQ(row(inner), (std::vector<uint32_t>{0, kBlue, 0, kHalfRed, 0}));
  f.inner = false;
  movie::render::applyFilter(outer, f, 1);
  EXPECT_EQ(row(outer), (std::vector<uint32_t>{kBlue, 0, 0, 0, kHalfRed}));
}

TEST(Filters, BevelStrengthScalesItsEdges) {
  Surface s = bar();
  Filter f = bevelRight();
  f.strength = 0.5f;  // 255 * 0.5 = 127
  f.knockout = true;
  movie::render::applyFilter(s, f, 1);
  EXPECT_EQ(s.row(0)[0], 0x7F00007Fu);
  EXPECT_EQ(s.row(0)[4], 0x40400000u);  // 0x80 * 127 / 255, rounded
}

TEST(Filters, GradientBevelTakesLightFromTheStartAndShadowFromTheEnd) {
  Surface s = bar();
  Filter f = bevelRight();
  f.kind = Filter::GradientBevel;
  f.stops = {{0, {0, 0, 255, 255}}, {128, {0, 0, 0, 0}}, {255, {255, 0, 0, 255}}};
  f.knockout = true;
  f.onTop = true;
  movie::render::applyFilter(s, f, 1);
  // Lit: ratio 0; shaded: 255; the middle, where both copies agree: 128, clear.
  EXPECT_EQ(row(s), (std::vector<uint32_t>{kBlue, kBlue, 0, 0xFFFF0000u, 0xFFFF0000u}));
}

TEST(Filters, GradientGlowLooksTheBlurredAlphaUpInItsRamp) {
  Surface s = dot();
  Filter f;
  f.kind = Filter::GradientGlow;
  f.blurX = f.blurY = 3;
  f.passes = 1;
  f.stops = {{0, {0, 255, 0, 0}}, {255, {0, 255, 0, 255}}};
  f.knockout = true;
  movie::render::applyFilter(s, f, 1);
  // Blurred alpha 28 (see above): green at alpha 28, premultiplied.
  EXPECT_EQ(s.row(4)[5], 0x1C001C00u);
  EXPECT_EQ(s.row(4)[4], 0u);  // knocked out where the dot was
  EXPECT_EQ(s.row(4)[6], 0u);
}

TEST(Filters, GradientGlowMovesByItsDistance) {
  Surface s = dot();
  Filter f;
  f.kind = Filter::GradientGlow;
  f.stops = {{0, {0, 0, 0, 0}}, {255, {0, 255, 0, 255}}};
  f.distance = 2;
  f.angle = 1.5707964f;  // straight down
  movie::render::applyFilter(s, f, 1);
  EXPECT_EQ(s.row(6)[4], 0xFF00FF00u);
  EXPECT_EQ(s.row(4)[4], 0xFFFFFFFFu);
}

namespace {

// Opaque greys 0, 100 and 200 in a row.
Surface greys() {
  Surface s(3, 1);
  s.row(0)[0] = 0xFF000000u;
  s.row(0)[1] = 0xFF646464u;
  s.row(0)[2] = 0xFFC8C8C8u;
  return s;
}

Filter kernel121() {
  Filter f;
  f.kind = Filter::Convolution;
  f.matrixX = 3;
  f.matrixY = 1;
  f.kernel = {1, 2, 1};
  f.divisor = 4;
  f.clamp = true;
  f.preserveAlpha = true;
  return f;
}

}  // namespace

TEST(Filters, ConvolutionRepeatsEdgePixelsWhenClamped) {
  Surface s = greys();
  movie::render::applyFilter(s, kernel121(), 1);
  // (0 + 0 + 100) / 4 = 25; (0 + 200 + 200) / 4 = 100; (100 + 400 + 200) / 4 = 175.
  EXPECT_EQ(row(s), (std::vector<uint32_t>{0xFF191919u, 0xFF646464u, 0xFFAFAFAFu}));
}

TEST(Filters, ConvolutionUsesTheDefaultColourOutsideAndItsBias) {
  Surface s = greys();
  Filter f = kernel121();
  f.clamp = false;
  f.defaultColor = {255, 255, 255, 255};
  f.bias = 10;
  movie::render::applyFilter(s, f, 1);
  // (255 + 0 + 100) / 4 + 10 = 98.75; 100 + 10; (100 + 400 + 255) / 4 + 10 = 198.75.
  EXPECT_EQ(row(s), (std::vector<uint32_t>{0xFF636363u, 0xFF6E6E6Eu, 0xFFC7C7C7u}));
}

TEST(Filters, ConvolutionOfAlphaWhenAsked) {
  Surface s = greys();
  Filter f = kernel121();
  f.clamp = false;
  f.defaultColor = {0, 0, 0, 0};  // outside: clear
  f.preserveAlpha = false;
  movie::render::applyFilter(s, f, 1);
  // Alpha (0 + 510 + 255) / 4 = 191; grey 25 at alpha 191 is 19 premultiplied.
  EXPECT_EQ(s.row(0)[0], 0xBF131313u);
  EXPECT_EQ(s.row(0)[1], 0xFF646464u);
}

TEST(Filters, ReachCoversBlurPassesAndDistance) {
  Filter f;
  f.kind = Filter::DropShadow;
  f.blurX = f.blurY = 4;  // boxes of 4: two pixels each way per pass
  f.passes = 2;
  f.distance = 5;
  EXPECT_GE(movie::render::filterReach(f, 1), 2 * 2 + 5);
  EXPECT_LE(movie::render::filterReach(f, 1), 2 * 3 + 5);
  Filter huge = blur(1e9f, 1e9f, 1000);
  EXPECT_LE(movie::render::filterReach(huge, 1e9f), 1024);
}

TEST(Filters, HostileBevelsConvolutionsAndGradientsEndCleanly) {
  Surface s(64, 64);
  for (uint32_t& p : s.pixels()) p = 0xFF808080u;
  Filter bevel = bevelRight();
  bevel.kind = Filter::GradientBevel;
  bevel.strength = 1e30f;
  bevel.angle = std::numeric_limits<float>::quiet_NaN();
  bevel.distance = std::numeric_limits<float>::infinity();
  bevel.blurX = bevel.blurY = 1e9f;
  bevel.passes = 1000;
  for (int i = 0; i < 255; ++i) bevel.stops.push_back({uint8_t(255 - i), {uint8_t(i), 0, 0, 255}});
  movie::render::applyFilter(s, bevel, 1);
  Filter glow = bevel;
  glow.kind = Filter::GradientGlow;
  glow.stops.clear();  // no stops: nothing to show
  movie::render::applyFilter(s, glow, 1);
  Filter wrongSize = kernel121();
  wrongSize.matrixX = 200;  // more cells than the kernel holds: ignored
  movie::render::applyFilter(s, wrongSize, 1);
  Filter nan = kernel121();
  nan.divisor = 0;
  nan.kernel = {std::numeric_limits<float>::quiet_NaN(), 1e38f, -1e38f};
  movie::render::applyFilter(s, nan, 1);
  EXPECT_EQ(s.width(), 64);
}

TEST(Filters, ConvolutionTooBigForItsLayerIsLeftUndrawn) {
  // 255 x 255 cells over 1000 x 1000 pixels would be 65 G samples.
  Surface s(1000, 1000);
  for (uint32_t& p : s.pixels()) p = 0xFF808080u;
  Filter f;
  f.kind = Filter::Convolution;
  f.matrixX = f.matrixY = 255;
  f.kernel.assign(255 * 255, 1.0f);
  movie::render::applyFilter(s, f, 1);
  EXPECT_EQ(s.row(500)[500], 0xFF808080u);
}

// Where a filtered bitmap starts before its object: each blur amount, rounded up, once
// per pass, plus the offset along the axis in whole pixels; bounded whatever the parameters say.
TEST(Filters, MarginIsTheBlurPerPassPlusTheOffset) {
  using movie::render::filterMargin;
  EXPECT_EQ(filterMargin(blur(30, 4, 1), 1, false), 30);
  EXPECT_EQ(filterMargin(blur(30, 4, 1), 1, true), 4);
  EXPECT_EQ(filterMargin(blur(2.5f, 2.5f, 3), 1, false), 9);  // 3 pixels, three times
  Filter shadow;
  shadow.kind = Filter::DropShadow;
  shadow.blurX = shadow.blurY = 5;
  shadow.distance = 15;
  shadow.angle = 3.14159265f;  // to the left
  EXPECT_EQ(filterMargin(shadow, 1, false), 20);
  EXPECT_EQ(filterMargin(shadow, 1, true), 5);  // a hair off the axis: no whole pixel
  EXPECT_EQ(filterMargin(shadow, 2, false), 35);  // the distance scales with the view, the blur does not
  Filter matrix;
  matrix.kind = Filter::ColorMatrix;
  EXPECT_EQ(filterMargin(matrix, 1, false), 0);
  const float nan = std::numeric_limits<float>::quiet_NaN(), inf = std::numeric_limits<float>::infinity();
  EXPECT_EQ(filterMargin(blur(nan, -5, 1), 1, false), 0);
  EXPECT_EQ(filterMargin(blur(nan, -5, 1), 1, true), 0);
  EXPECT_EQ(filterMargin(blur(inf, 1e30f, 1000), 1, true), 1024);
  shadow.distance = 1e30f;
  shadow.angle = nan;
  EXPECT_EQ(filterMargin(shadow, 1e9f, false), 1024);
  EXPECT_EQ(filterMargin(shadow, nan, false), 5);
}
