// Drawing the display tree: colour transforms down the tree, masks, morph shapes.
#include <gtest/gtest.h>

#include "movie/format/tag_codes.h"
#include "movie_fixtures.h"

using movie::Player;
using namespace movie_test;

namespace {

int count(const std::vector<uint32_t>& px, uint32_t rgb) {
  int n = 0;
  for (uint32_t v : px) n += rgbOf(v) == rgb;
  return n;
}

// SHAPE records (fill and line bit counts, then records) of a writer shape with one
// solid RGBA fill and no line styles: the style arrays take the first 7 bytes.
swf::Bytes recordsOf(const swf::Shape& s) {
  swf::Bytes all = s.encode(3);
  return swf::Bytes(all.begin() + 7, all.end());
}

// Two squares of one fill drawn the same way round, overlapping in the middle.
swf::Shape overlappingSquares() {
  swf::Shape s;
  int fill = s.addFill(swf::FillStyle::solid(swf::rgb(kRed)));
  s.rect(swf::twips(10), swf::twips(10), swf::twips(50), swf::twips(50), fill);
  s.rect(swf::twips(30), swf::twips(30), swf::twips(50), swf::twips(50), fill);
  return s;
}

swf::Bytes morphBody(uint16_t id, uint32_t startRgb, uint32_t endRgb, double startSize, double endSize) {
  swf::Bytes start = recordsOf(rectShape(0, 0, startSize, startSize, startRgb));
  swf::Bytes end = recordsOf(rectShape(0, 0, endSize, endSize, endRgb));
  swf::BitWriter w;
  w.writeU16(id);
  w.writeBytes(swf::encodeRect({0, swf::twips(startSize), 0, swf::twips(startSize)}));
  w.writeBytes(swf::encodeRect({0, swf::twips(endSize), 0, swf::twips(endSize)}));
  swf::Bytes styles = {1, 0x00, uint8_t(startRgb >> 16), uint8_t(startRgb >> 8), uint8_t(startRgb), 255,
                       uint8_t(endRgb >> 16), uint8_t(endRgb >> 8), uint8_t(endRgb), 255, 0};
  w.writeU32(uint32_t(styles.size() + start.size()));
  w.writeBytes(styles);
  w.writeBytes(start);
  w.writeBytes(end);
  return w.bytes();
}

}  // namespace

TEST(Stage, ColourTransformsComposeDownTheTree) {
  // A sprite with red multiplied to half holds a white square whose blue is removed.
  swf::TagList inner;
  swf::Place p = placeAt(1, 1);
  swf::ColorTransform noBlue;
  noBlue.multB = 0;
  p.colorTransform = noBlue;
  inner.placeObject2(p);
  inner.showFrame();
  inner.end();
  swf::TagList t;
  t.setBackgroundColor(swf::rgb(0));
  t.defineShape(1, rectShape(0, 0, 50, 50, kWhite));
  t.defineSprite(2, inner);
  swf::Place outer = placeAt(1, 2);
  swf::ColorTransform halfRed;
  halfRed.multR = 128;
  halfRed.addG = -55;
  outer.colorTransform = halfRed;
  t.placeObject2(outer);
  t.showFrame();
  t.end();
  Player player;
  load(player, movieOf(t));
  uint32_t c = rgbOf(renderPixels(player, 100, 100)[25 * 100 + 25]);
  EXPECT_NEAR(int(c >> 16), 128, 1);
  EXPECT_EQ(int((c >> 8) & 0xFF), 200);
  EXPECT_EQ(int(c & 0xFF), 0);
}

TEST(Stage, AlphaTransformBlendsWithTheBackground) {
  swf::TagList t;
  t.setBackgroundColor(swf::rgb(0));
  t.defineShape(1, rectShape(0, 0, 50, 50, kWhite));
  swf::Place p = placeAt(1, 1);
  p.colorTransform = swf::ColorTransform::alpha(0.5);
  t.placeObject2(p);
  t.showFrame();
  t.end();
  Player player;
  load(player, movieOf(t));
  uint32_t c = rgbOf(renderPixels(player, 100, 100)[25 * 100 + 25]);
  EXPECT_NEAR(int(c & 0xFF), 128, 2);
}

TEST(Stage, ClipDepthMasksTheDepthsAboveIt) {
  // Mask: left half at depth 1 clipping up to depth 3; a full red square at 2 and a full
  // blue one at 4 (not clipped).
  swf::TagList t;
  t.setBackgroundColor(swf::rgb(kWhite));
  t.defineShape(1, rectShape(0, 0, 50, 100, kGreen));
  t.defineShape(2, rectShape(0, 0, 100, 50, kRed));
  t.defineShape(3, rectShape(0, 60, 100, 40, kBlue));
  swf::Place mask = placeAt(1, 1);
  mask.clipDepth = 3;
  t.placeObject2(mask);
  t.placeObject2(placeAt(2, 2));
  t.placeObject2(placeAt(4, 3));
  t.showFrame();
  t.end();
  Player p;
  load(p, movieOf(t));
  auto px = renderPixels(p, 100, 100);
  EXPECT_EQ(count(px, kGreen), 0);  // masks are not drawn
  EXPECT_EQ(count(px, kRed), 50 * 50);
  EXPECT_EQ(count(px, kBlue), 100 * 40);
}

TEST(Stage, NestedMasksIntersect) {
  // Outer mask: left half (depth 1 clips to 10). Inner mask: top half (depth 2 clips to
  // 5). Red at depth 3 shows only in the top-left quarter; blue at depth 6 in the left half.
  swf::TagList t;
  t.setBackgroundColor(swf::rgb(kWhite));
  t.defineShape(1, rectShape(0, 0, 50, 100, kGreen));
  t.defineShape(2, rectShape(0, 0, 100, 50, kGreen));
  t.defineShape(3, rectShape(0, 0, 100, 100, kRed));
  t.defineShape(4, rectShape(0, 50, 100, 50, kBlue));
  swf::Place outer = placeAt(1, 1);
  outer.clipDepth = 10;
  swf::Place inner = placeAt(2, 2);
  inner.clipDepth = 5;
  t.placeObject2(outer);
  t.placeObject2(inner);
  t.placeObject2(placeAt(3, 3));
  t.placeObject2(placeAt(6, 4));
  t.showFrame();
  t.end();
  Player p;
  load(p, movieOf(t));
  auto px = renderPixels(p, 100, 100);
  EXPECT_EQ(count(px, kRed), 50 * 50);
  EXPECT_EQ(count(px, kBlue), 50 * 50);
  EXPECT_EQ(rgbOf(px[75 * 100 + 75]), kWhite);
}

TEST(Stage, SpriteAsMaskUsesItsWholeSubtree) {
  swf::TagList inner;
  inner.placeObject2(placeAt(1, 1));
  inner.placeObject2(placeAt(2, 1, 50, 50));
  inner.showFrame();
  inner.end();
  swf::TagList t;
  t.setBackgroundColor(swf::rgb(kWhite));
  t.defineShape(1, rectShape(0, 0, 50, 50, kGreen));
  t.defineSprite(2, inner);
  t.defineShape(3, rectShape(0, 0, 100, 100, kRed));
  swf::Place mask = placeAt(1, 2);
  mask.clipDepth = 2;
  t.placeObject2(mask);
  t.placeObject2(placeAt(2, 3));
  t.showFrame();
  t.end();
  Player p;
  load(p, movieOf(t));
  auto px = renderPixels(p, 100, 100);
  EXPECT_EQ(count(px, kRed), 2 * 50 * 50);
  EXPECT_EQ(rgbOf(px[25 * 100 + 25]), kRed);
  EXPECT_EQ(rgbOf(px[25 * 100 + 75]), kWhite);
}

TEST(Stage, MorphShapesDrawAtTheirRatio) {
  swf::TagList t;
  t.setBackgroundColor(swf::rgb(kWhite));
  t.raw(movie::format::kDefineMorphShape, morphBody(1, 0xFF0000, 0x0000FF, 20, 60), true);
  swf::Place p = placeAt(1, 1);
  p.ratio = 0;
  t.placeObject2(p);
  t.showFrame();
  swf::Place half;
  half.depth = 1;
  half.move = true;
  half.ratio = 32768;
  t.placeObject2(half);
  t.showFrame();
  swf::Place full = half;
  full.ratio = 65535;
  t.placeObject2(full);
  t.showFrame();
  t.end();
  Player player;
  load(player, movieOf(t));
  auto px = renderPixels(player, 100, 100);
  EXPECT_EQ(count(px, kRed), 400);
  player.tick();
  px = renderPixels(player, 100, 100);
  uint32_t mid = rgbOf(px[20 * 100 + 20]);
  EXPECT_NEAR(int(mid >> 16), 128, 2);
  EXPECT_NEAR(int(mid & 0xFF), 128, 2);
  EXPECT_EQ(rgbOf(px[45 * 100 + 45]), kWhite);
  player.tick();
  px = renderPixels(player, 100, 100);
  EXPECT_EQ(count(px, kBlue), 3600);
}

TEST(Stage, InvisibleObjectsAreNotDrawn) {
  swf::TagList t;
  t.setBackgroundColor(swf::rgb(kWhite));
  t.defineShape(1, rectShape(0, 0, 50, 50, kRed));
  swf::Place p = placeAt(1, 1);
  p.visible = false;
  t.placeObject3(p);
  t.showFrame();
  t.end();
  Player player;
  load(player, movieOf(t));
  EXPECT_EQ(count(renderPixels(player, 100, 100), kRed), 0);
}

TEST(Stage, ShapesOfVersionFourMayAskForTheNonZeroRule) {
  for (bool nonZero : {false, true}) {
    swf::TagList t;
    t.setBackgroundColor(swf::rgb(kWhite));
    t.defineShape(1, overlappingSquares(), 4, nonZero);
    t.placeObject2(placeAt(1, 1));
    t.showFrame();
    t.end();
    Player player;
    load(player, movieOf(t));
    auto px = renderPixels(player, 100, 100);
    EXPECT_EQ(rgbOf(px[20 * 100 + 20]), kRed);
    EXPECT_EQ(rgbOf(px[70 * 100 + 70]), kRed);
    // The overlap is a hole under even-odd and filled under non-zero.
    EXPECT_EQ(rgbOf(px[45 * 100 + 45]), nonZero ? kRed : kWhite) << "non-zero " << nonZero;
  }
}

TEST(Stage, MorphColoursInBetweenAreCutToWholeValues) {
  // Red to blue at ratio 43691: red 255 - 255 * 43691 / 65535 = 84.997 and blue
  // 255 * 43691 / 65535 = 170.003 are cut to 84 and 170.
  swf::TagList t;
  t.setBackgroundColor(swf::rgb(kWhite));
  t.raw(movie::format::kDefineMorphShape, morphBody(1, 0xFF0000, 0x0000FF, 40, 40), true);
  swf::Place p = placeAt(1, 1);
  p.ratio = 43691;
  t.placeObject2(p);
  t.showFrame();
  t.end();
  Player player;
  load(player, movieOf(t));
  auto px = renderPixels(player, 100, 100);
  EXPECT_EQ(rgbOf(px[20 * 100 + 20]), 0x5400AAu);
}
