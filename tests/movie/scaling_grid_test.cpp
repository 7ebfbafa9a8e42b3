// The nine-slice scaling grid on clips that are rotated or skewed, on clips used as
// masks, and with bitmap fills, against pixels worked out from the grid's own layout.
#include <gtest/gtest.h>

#include <cmath>
#include <optional>

#include "movie/format/tag_codes.h"
#include "movie_fixtures.h"

using movie::Player;
using namespace movie_test;

namespace {

// The gridded clip: 40 x 40 pixels, red, with a blue 10 x 10 top-left corner and a green
// top edge from x 10 to 30; its grid is (10, 10)-(30, 30).
constexpr double kSide = 40, kCorner = 10;

void defineGrid(swf::TagList& t, uint16_t spriteId) {
  swf::BitWriter w;
  w.writeU16(spriteId);
  w.writeBytes(swf::encodeRect({swf::twips(kCorner), swf::twips(kSide - kCorner), swf::twips(kCorner),
                                swf::twips(kSide - kCorner)}));
  t.raw(movie::format::kDefineScalingGrid, w.bytes());
}

swf::Shape paintedShape() {
  swf::Shape s;
  int red = s.addFill(swf::FillStyle::solid(swf::rgb(kRed)));
  int blue = s.addFill(swf::FillStyle::solid(swf::rgb(kBlue)));
  int green = s.addFill(swf::FillStyle::solid(swf::rgb(kGreen)));
  s.rect(0, 0, swf::twips(kSide), swf::twips(kSide), red);
  s.rect(0, 0, swf::twips(kCorner), swf::twips(kCorner), blue);
  s.rect(swf::twips(kCorner), 0, swf::twips(kSide - 2 * kCorner), swf::twips(kCorner), green);
  return s;
}

// The same picture as a 40 x 40 bitmap filling the square, sampled without smoothing.
swf::Shape bitmapShape(swf::TagList& t, uint16_t bitmapId) {
  std::vector<uint32_t> argb(size_t(kSide * kSide));
  for (int y = 0; y < kSide; ++y)
    for (int x = 0; x < kSide; ++x) {
      uint32_t rgb = y >= kCorner ? kRed : x < kCorner ? kBlue : x < kSide - kCorner ? kGreen : kRed;
      argb[size_t(y * kSide + x)] = 0xFF000000u | rgb;
    }
  t.defineBitsLossless(bitmapId, int(kSide), int(kSide), argb);
  swf::Shape s;
  int fill = s.addFill(swf::FillStyle::bitmap(bitmapId, swf::Matrix::bitmap(0, 0), true, false));
  s.rect(0, 0, swf::twips(kSide), swf::twips(kSide), fill);
  return s;
}

// The matrix as the file keeps it: 16.16 fixed point.
double fixed(double v) { return std::round(v * 65536) / 65536; }

// Where the grid puts things along one of the clip's axes scaled by s: the corner
// bands keep 10 stage pixels, that is 10 / s of the clip's own units.
int bandAlong(double own, double s) {
  double corner = kCorner / s;
  return own < corner ? 0 : own <= kSide - corner ? 1 : 2;
}

// The colour the gridded clip shows at a stage point, or none outside it.
std::optional<uint32_t> expectedAt(const swf::Matrix& m, double px, double py) {
  double a = fixed(m.scaleX), b = fixed(m.rotateSkew0), c = fixed(m.rotateSkew1), d = fixed(m.scaleY);
  double x = px - m.translateX / 20.0, y = py - m.translateY / 20.0, det = a * d - b * c;
  double ox = (d * x - c * y) / det, oy = (a * y - b * x) / det;
  if (ox < 0 || oy < 0 || ox > kSide || oy > kSide) return std::nullopt;
  int bx = bandAlong(ox, std::hypot(a, b)), by = bandAlong(oy, std::hypot(c, d));
  if (by != 0) return kRed;
  return bx == 0 ? kBlue : bx == 1 ? kGreen : kRed;
}

// A pixel whose corners all lie in one band of the clip (or all outside it) shows that
// band's colour exactly; the others lie on an edge and are not judged.
int checkPixels(const std::vector<uint32_t>& px, const swf::Matrix& m, uint32_t outside) {
  int judged = 0;
  for (int y = 0; y < 100; ++y)
    for (int x = 0; x < 100; ++x) {
      std::optional<uint32_t> want = expectedAt(m, x + 0.5, y + 0.5);
      bool same = true;
      for (auto [cx, cy] : {std::pair{x, y}, {x + 1, y}, {x, y + 1}, {x + 1, y + 1}})
        same = same && expectedAt(m, cx, cy) == want;
      if (!same) continue;
      ++judged;
      EXPECT_EQ(rgbOf(px[size_t(y) * 100 + x]), want.value_or(outside)) << "at " << x << ", " << y;
    }
  return judged;
}

std::vector<uint32_t> render(swf::TagList& t) {
  t.showFrame();
  t.end();
  Player p;
  load(p, movieOf(t));
  return renderPixels(p, 100, 100);
}

std::vector<uint32_t> gridClip(const swf::Matrix& m, bool bitmap = false) {
  swf::TagList t;
  t.setBackgroundColor(swf::rgb(kWhite));
  t.defineShape(1, bitmap ? bitmapShape(t, 9) : paintedShape());
  defineSpriteOf(t, 2, 1);
  defineGrid(t, 2);
  swf::Place p = placeAt(1, 2);
  p.matrix = m;
  t.placeObject2(p);
  return render(t);
}

int count(const std::vector<uint32_t>& px, uint32_t rgb) {
  int n = 0;
  for (uint32_t v : px) n += rgbOf(v) == rgb;
  return n;
}

}  // namespace

TEST(ScalingGridTransformed, RotatedClipKeepsItsCornersAlongItsOwnAxes) {
  swf::Matrix m = swf::Matrix::transform(2, 1.5, 30, swf::twips(30), swf::twips(4));
  EXPECT_GT(checkPixels(gridClip(m), m, kWhite), 3000);
}

TEST(ScalingGridTransformed, QuarterTurnMovesCornersOnly) {
  swf::Matrix m = swf::Matrix::transform(2, 2, 90, swf::twips(90), swf::twips(10));
  auto px = gridClip(m);
  EXPECT_GT(checkPixels(px, m, kWhite), 6000);
  EXPECT_EQ(count(px, kBlue), 10 * 10);
  EXPECT_EQ(count(px, kGreen), 60 * 10);
}

TEST(ScalingGridTransformed, SkewedClipStretchesBandsAlongSkewedAxes) {
  swf::Matrix m;
  m.scaleX = 1.5, m.rotateSkew0 = 0.5, m.rotateSkew1 = -0.75, m.scaleY = 1.75;
  m.translateX = swf::twips(32), m.translateY = swf::twips(5);
  EXPECT_GT(checkPixels(gridClip(m), m, kWhite), 3000);
}

TEST(ScalingGridTransformed, MirroredClipKeepsItsCorners) {
  swf::Matrix m = swf::Matrix::transform(-2, 2, 0, swf::twips(90), swf::twips(10));
  auto px = gridClip(m);
  EXPECT_GT(checkPixels(px, m, kWhite), 6000);
  EXPECT_EQ(count(px, kBlue), 10 * 10);
}

TEST(ScalingGridBitmap, EachBandOfTheBitmapScalesWithItsBand) {
  swf::Matrix m = swf::Matrix::transform(2, 2, 0, swf::twips(10), swf::twips(10));
  auto px = gridClip(m, true);
  EXPECT_EQ(count(px, kBlue), 10 * 10);
  EXPECT_EQ(count(px, kGreen), 60 * 10);
  EXPECT_GT(checkPixels(px, m, kWhite), 9000);
}

TEST(ScalingGridBitmap, RotatedBitmapBandsFollowTheClip) {
  swf::Matrix m = swf::Matrix::transform(2, 1.5, -20, swf::twips(2), swf::twips(30));
  EXPECT_GT(checkPixels(gridClip(m, true), m, kWhite), 3000);
}

namespace {

// A green stage-sized square under the gridded clip used as a mask; the clip's shape
// is only its blue corner and a 1-pixel dot at its far corner (which sets its bounds).
swf::TagList maskedByGrid(const swf::Matrix& m, bool byScript) {
  swf::TagList t;
  t.setBackgroundColor(swf::rgb(kWhite));
  swf::Shape s;
  int blue = s.addFill(swf::FillStyle::solid(swf::rgb(kBlue)));
  s.rect(0, 0, swf::twips(kCorner), swf::twips(kCorner), blue);
  s.rect(swf::twips(kSide - 1), swf::twips(kSide - 1), swf::twips(1), swf::twips(1), blue);
  t.defineShape(1, s);
  defineSpriteOf(t, 2, 1);
  defineGrid(t, 2);
  t.defineShape(3, rectShape(0, 0, 100, 100, kGreen));
  defineSpriteOf(t, 4, 3);
  swf::Place mask = placeAt(1, 2);
  mask.matrix = m;
  mask.name = "mask";
  if (!byScript) mask.clipDepth = 2;
  t.placeObject2(mask);
  swf::Place content = placeAt(2, 4);
  content.name = "content";
  t.placeObject2(content);
  if (byScript) {
    swf::Actions a;
    a.push({"mask"}).op(0x1C);
    a.push({1, "content"}).op(0x1C).push({"setMask"}).op(0x52).op(0x17);
    swf::doAction(t, a);
  }
  return t;
}

}  // namespace

TEST(ScalingGridMask, GriddedClipMasksWithItsCornersKept) {
  swf::TagList t = maskedByGrid(swf::Matrix::transform(2, 2, 0, swf::twips(10), swf::twips(10)), false);
  auto px = render(t);
  EXPECT_EQ(count(px, kGreen), 10 * 10 + 1);
  EXPECT_EQ(rgbOf(px[15 * 100 + 15]), kGreen);
  EXPECT_EQ(rgbOf(px[25 * 100 + 25]), kWhite);  // within the corner only when unbent
  EXPECT_EQ(rgbOf(px[89 * 100 + 89]), kGreen);  // the dot, still 1 pixel at the far corner
  EXPECT_EQ(count(px, kBlue), 0);               // a mask is not drawn
}

TEST(ScalingGridMask, RotatedGriddedClipAsAScriptMask) {
  swf::Matrix m = swf::Matrix::transform(2, 2, 90, swf::twips(90), swf::twips(10));
  swf::TagList t = maskedByGrid(m, true);
  auto px = render(t);
  EXPECT_EQ(count(px, kGreen), 10 * 10 + 1);
  EXPECT_EQ(rgbOf(px[15 * 100 + 85]), kGreen);  // the corner, turned to the top right
  EXPECT_EQ(rgbOf(px[25 * 100 + 75]), kWhite);
}
