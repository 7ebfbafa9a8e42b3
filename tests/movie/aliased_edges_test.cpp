// Aliased (low quality) edges: which pixel a centre lying a hair from an edge goes to.
// Edge points are rounded to a 256th of a pixel, and a parent's scale moves a child by
// whole twips only; a centre exactly on a left edge is inside.
#include <gtest/gtest.h>

#include "movie_fixtures.h"
#include "tools/swf/text_writer.h"

using movie::Player;
using namespace movie_test;

namespace {

std::vector<uint32_t> renderLow(const swf::TagList& t, int width, int height) {
  Player player;
  load(player, movieOf(t, width, height));
  player.setQuality(movie::Quality::Low);
  player.setViewport(width, height);
  return renderPixels(player, width, height);
}

// One shape placed at the origin on a white stage.
std::vector<uint32_t> renderShapeLow(const swf::Shape& s, int width, int height) {
  swf::TagList t;
  t.setBackgroundColor(swf::rgb(kWhite));
  t.defineShape(1, s, 3);
  t.placeObject2(placeAt(1, 1));
  t.showFrame();
  t.end();
  return renderLow(t, width, height);
}

uint32_t at(const std::vector<uint32_t>& px, int width, int x, int y) {
  return rgbOf(px[size_t(y) * size_t(width) + size_t(x)]);
}

}  // namespace

TEST(AliasedEdges, EdgePointsAreRoundedToA256thOfAPixel) {
  // A left edge from (258.75, 81.95) up to (261.85, 61.15). At the centre line of row 63
  // (y 63.5) it lies at 261.4998, a 4000th of a pixel left of the centre of pixel 261.
  // Rounded to 256ths its top end is 261.8516 and its bottom 81.9492, which puts the
  // crossing at 261.5010: right of the centre, so pixel 261 stays outside.
  swf::Shape s;
  int fill = s.addFill(swf::FillStyle::solid(swf::rgb(kRed)));
  s.polygon({{5175, 1639}, {5237, 1223}, {6000, 1223}, {6000, 1639}}, fill);
  auto px = renderShapeLow(s, 320, 100);
  EXPECT_EQ(at(px, 320, 261, 63), kWhite);
  EXPECT_EQ(at(px, 320, 262, 63), kRed);
}

TEST(AliasedEdges, AScaledParentMovesAChildByWholeTwips) {
  // A 900-twip square at -450 inside a clip scaled by 0.214935 at x 2847 twips: its left
  // edge is at 2847 - 96.72 twips, kept on the twip grid as 2750 (137.5 px). A centre on
  // a left edge is inside, so column 137 is filled; unrounded (137.514) it would not be.
  swf::TagList inner;
  inner.placeObject2(placeAt(1, 1, -22.5, -22.5));
  inner.showFrame();
  inner.end();
  swf::TagList t;
  t.setBackgroundColor(swf::rgb(kWhite));
  t.defineShape(1, rectShape(0, 0, 45, 45, kRed), 3);
  t.defineSprite(2, inner);
  swf::Place p;
  p.depth = 1;
  p.characterId = 2;
  p.matrix = swf::Matrix::transform(0.214935302734375, 0.214935302734375, 0, 2847, 600);
  t.placeObject2(p);
  t.showFrame();
  t.end();
  auto px = renderLow(t, 200, 60);
  EXPECT_EQ(at(px, 200, 136, 30), kWhite);
  EXPECT_EQ(at(px, 200, 137, 30), kRed);
  EXPECT_EQ(at(px, 200, 146, 30), kRed);
  EXPECT_EQ(at(px, 200, 147, 30), kWhite);
}

TEST(AliasedEdges, AFillOnTheStageIsCutByTheBend) {
  // A curve from (2469, 1956) through control (2835, 1851) to (3288, 1686) twips bounds a
  // fill to its right. Spaced by its bend it is cut into two chords, which cross the
  // centre lines of rows 88, 89 and 93 at x 152.31, 149.43 and 137.37 px: left of the
  // pixel centres, so pixels 152, 149 and 137 are in. Four even steps, rounded to twips or
  // not, cross at 152.57 (152.61 rounded), 149.62 (149.65) and 137.52 (137.54), which
  // would leave those pixels out.
  swf::Shape s;
  int fill = s.addFill(swf::FillStyle::solid(swf::rgb(kRed)));
  s.setStyles(0, fill, 0);
  s.moveTo(2469, 1956);
  s.curveTo(2835, 1851, 3288, 1686);
  s.lineTo(3400, 1686);
  s.lineTo(3400, 2000);
  s.lineTo(2469, 2000);
  s.lineTo(2469, 1956);
  auto px = renderShapeLow(s, 200, 120);
  for (auto [x, y] : {std::pair{152, 88}, {149, 89}, {137, 93}}) {
    EXPECT_EQ(at(px, 200, x, y), kRed) << x << "," << y;
    EXPECT_EQ(at(px, 200, x - 1, y), kWhite) << x - 1 << "," << y;
  }
}

TEST(AliasedEdges, AMaskKeepsItsCurvePointsOffTheTwipGrid) {
  // A circle of radius 2000 twips from eight curves, placed at (3800, 1800) twips as the
  // mask of a red rectangle. Its curves are cut into nine chords each. Unrounded, the
  // chord through row 95 crosses its centre line just left of the centre of pixel 323 (the
  // pixel is in) and the chord through row 114 just right of the centre of pixel 224 (the
  // pixel is out). Chord points rounded to whole twips would turn both pixels round.
  swf::Shape circle;
  int fill = circle.addFill(swf::FillStyle::solid(swf::rgb(kBlue)));
  circle.setStyles(0, fill, 0);
  circle.moveTo(3415, 3415);
  circle.curveTo(2829, 4000, 2000, 4000);
  circle.curveTo(1172, 4000, 586, 3415);
  circle.curveTo(0, 2829, 0, 2000);
  circle.curveTo(0, 1172, 586, 586);
  circle.curveTo(1172, 0, 2000, 0);
  circle.curveTo(2829, 0, 3415, 586);
  circle.curveTo(4000, 1172, 4000, 2000);
  circle.curveTo(4000, 2829, 3415, 3415);
  swf::TagList t;
  t.setBackgroundColor(swf::rgb(kWhite));
  t.defineShape(1, circle, 3);
  t.defineShape(2, rectShape(0, 0, 400, 300, kRed), 3);
  swf::Place mask = placeAt(1, 1, 190, 90);
  mask.clipDepth = 2;
  t.placeObject2(mask);
  t.placeObject2(placeAt(2, 2));
  t.showFrame();
  t.end();
  auto px = renderLow(t, 400, 300);
  EXPECT_EQ(at(px, 400, 323, 95), kRed);
  EXPECT_EQ(at(px, 400, 224, 114), kWhite);
  EXPECT_EQ(at(px, 400, 322, 95), kRed);
  EXPECT_EQ(at(px, 400, 225, 114), kRed);
  EXPECT_EQ(at(px, 400, 290, 190), kRed);
  EXPECT_EQ(at(px, 400, 10, 10), kWhite);
}

namespace {

// A curve from (5459, 1869) through (5496, 1838) to (5538, 1837) twips, in a shape whose bounds lie on whole pixels (272, 91) to
// (286, 95), so that drawing it into a bitmap of its own does not move it.
swf::Shape halfTwipCurve() {
  swf::Shape s;
  int fill = s.addFill(swf::FillStyle::solid(swf::rgb(kRed)));
  s.setStyles(0, fill, 0);
  s.moveTo(5459, 1869);
  s.curveTo(5496, 1838, 5538, 1837);
  s.lineTo(5700, 1837);
  s.lineTo(5700, 1820);
  s.lineTo(5720, 1820);
  s.lineTo(5720, 1900);
  s.lineTo(5440, 1900);
  s.lineTo(5440, 1869);
  s.lineTo(5459, 1869);
  return s;
}

std::vector<uint32_t> renderHalfTwipCurve(bool cachedAsBitmap) {
  swf::TagList t;
  t.setBackgroundColor(swf::rgb(kWhite));
  t.defineShape(1, halfTwipCurve(), 3);
  swf::Place p = placeAt(1, 1);
  p.cacheAsBitmap = cachedAsBitmap;
  t.placeObject3(p);
  t.showFrame();
  t.end();
  return renderLow(t, 300, 100);
}

// The same outline as a glyph of a font of 20480 units to the em, shown 20480 twips high
// at the origin: one font unit is one twip.
std::vector<uint32_t> renderHalfTwipGlyph(bool cachedAsBitmap) {
  swf::Font font;
  font.glyphs.push_back({'A', halfTwipCurve(), 6000});
  swf::TextRecord r;
  r.fontId = font.id;
  r.height = 20480;
  r.color = swf::rgb(kRed);
  r.x = 0;
  r.y = 0;
  r.glyphs = {{0, 6000}};
  swf::TagList t;
  t.setBackgroundColor(swf::rgb(kWhite));
  swf::add(t, swf::encodeDefineFont(font, 3));
  swf::add(t, swf::encodeDefineText(2, {5440, 5720, 1820, 1900}, swf::Matrix{}, {r}, 1));
  swf::Place p = placeAt(1, 2);
  p.cacheAsBitmap = cachedAsBitmap;
  t.placeObject3(p);
  t.showFrame();
  t.end();
  return renderLow(t, 300, 100);
}

}  // namespace

TEST(AliasedEdges, OnTheStageAndInItsOwnBitmapAFillIsCutAlike) {
  // Drawn onto the stage or into a bitmap of its own, the curve is cut into two chords
  // whose shared point is where the curve's bend halves, at t = 0.509: (5497.96, 1845.22)
  // twips. The chord crosses row 92's centre line at x 274.506 px, right of the centre of
  // pixel 274, which stays out. Even steps would put the point at t = 0.5,
  // (5497.25, 1845.5), and the crossing at 274.496, taking the pixel in.
  for (bool cachedAsBitmap : {false, true}) {
    auto px = renderHalfTwipCurve(cachedAsBitmap);
    EXPECT_EQ(at(px, 300, 274, 92), kWhite) << cachedAsBitmap;
    EXPECT_EQ(at(px, 300, 275, 92), kRed) << cachedAsBitmap;
    EXPECT_EQ(at(px, 300, 273, 93), kRed) << cachedAsBitmap;
    EXPECT_EQ(at(px, 300, 271, 93), kWhite) << cachedAsBitmap;
  }
}

// Glyphs follow their curves closely, cut finely at even steps, on the stage as in an
// object's own bitmap: unlike the shape's two chords, theirs take pixel 274 of row 92 in,
// as the curve itself does.
TEST(AliasedEdges, GlyphsFollowTheirCurvesClosely) {
  for (bool cachedAsBitmap : {false, true}) {
    auto px = renderHalfTwipGlyph(cachedAsBitmap);
    EXPECT_EQ(at(px, 300, 274, 92), kRed) << cachedAsBitmap;
    EXPECT_EQ(at(px, 300, 275, 92), kRed) << cachedAsBitmap;
    EXPECT_EQ(at(px, 300, 273, 92), kWhite) << cachedAsBitmap;
  }
}
