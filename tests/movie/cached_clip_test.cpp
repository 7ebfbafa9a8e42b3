// Clips cached as bitmaps without filters: drawn from a kept picture while they and
// their subtree stay the same, at whole pixels, and otherwise as they draw uncached.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "cached_stage.h"
#include "movie_fixtures.h"
#include "script_fixtures.h"

using movie::Player;
using namespace movie_test;

namespace {

// A sprite (id 3) holding an outlined, gradient-filled ellipse turned by 20 degrees, so
// that its edges are anti-aliased; its second frame changes nothing, its third moves the
// ellipse, its fourth changes nothing again.
void defineEllipseSprite(swf::TagList& t) {
  swf::Shape s;
  int fill = s.addFill(swf::FillStyle::linear(swf::Matrix::gradientBox(-300, -200, 600, 400, 30),
                                              {{0, swf::rgb(0xFFCC00)}, {255, swf::rgb(0x3366CC)}}));
  swf::LineStyle edge;
  edge.width = 30;
  edge.color = swf::rgb(0x222222);
  int line = s.addLine(edge);
  s.circle(0, 0, 300, fill, line);
  t.defineShape(1, s, 3);
  t.defineShape(2, rectShape(0, 0, 10, 10, kBlue));
  swf::TagList inner;
  swf::Place p;
  p.depth = 1;
  p.characterId = 1;
  p.matrix = swf::Matrix::transform(1.4, 0.8, 20, 0, 0);
  inner.placeObject2(p);
  inner.showFrame();
  inner.showFrame();
  swf::Place move;
  move.depth = 1;
  move.move = true;
  move.matrix = swf::Matrix::transform(1.4, 0.8, 20, 100, 60);
  inner.placeObject2(move);
  inner.showFrame();
  inner.showFrame();
  t.defineSprite(3, inner);
}

// The ellipse sprite at (xTwips, yTwips), cached or not, and a blue square at depth 2.
swf::TagList ellipseAt(int xTwips, int yTwips, bool cached) {
  swf::TagList t;
  t.setBackgroundColor(swf::rgb(kWhite));
  defineEllipseSprite(t);
  swf::Place p;
  p.depth = 1;
  p.characterId = 3;
  p.matrix = swf::Matrix::translate(xTwips, yTwips);
  if (cached) p.cacheAsBitmap = true;
  t.placeObject3(p);
  t.placeObject2(placeAt(2, 2, 5, 80));
  return t;
}

std::vector<uint32_t> firstFrame(swf::TagList t) {
  t.showFrame();
  t.end();
  Player player;
  load(player, movieOf(t));
  return renderPixels(player, 100, 100);
}

// Pixels whose channels differ by more than `tolerance` between two pictures.
int differing(const std::vector<uint32_t>& a, const std::vector<uint32_t>& b, int tolerance) {
  if (a.size() != b.size()) return int(std::max(a.size(), b.size()));
  int n = 0;
  for (size_t i = 0; i < a.size(); ++i)
    for (int shift : {0, 8, 16, 24}) {
      int d = int((a[i] >> shift) & 255) - int((b[i] >> shift) & 255);
      if (d > tolerance || -d > tolerance) {
        ++n;
        break;
      }
    }
  return n;
}

// The cached picture is composed in a layer of its own before it meets the stage: where
// the outline's anti-aliased rim overlaps the fill, rounding moves a channel by a level
// or two; everywhere else the pictures are the same.
void expectSameDrawing(const std::vector<uint32_t>& cached, const std::vector<uint32_t>& plain) {
  EXPECT_EQ(differing(cached, plain, 2), 0);
  EXPECT_LT(differing(cached, plain, 0), 120);
}

void moveDepth(swf::TagList& t, uint16_t depth, const swf::Matrix& m) {
  swf::Place q;
  q.depth = depth;
  q.move = true;
  q.matrix = m;
  t.placeObject2(q);
}

}  // namespace

// The sprite's bounds start 500 twips left of and 387 above its origin: placed 7 twips
// below a whole pixel, they start on one.
TEST(CacheAsBitmap, WithBoundsOnWholePixelsDrawsAsUncached) {
  expectSameDrawing(firstFrame(ellipseAt(swf::twips(50), swf::twips(40) + 7, true)),
                    firstFrame(ellipseAt(swf::twips(50), swf::twips(40) + 7, false)));
}

TEST(CacheAsBitmap, InsideAScaledParentDrawsAsUncached) {
  auto nested = [](bool cached) {
    // Bounds on whole pixels both on the stage and under the parent's scale.
    swf::TagList t = ellipseAt(swf::twips(20), swf::twips(10) + 7, cached);
    swf::TagList outer;
    swf::Place p;
    p.depth = 1;
    p.characterId = 3;
    p.matrix = swf::Matrix::translate(swf::twips(20), swf::twips(10) + 7);
    if (cached) p.cacheAsBitmap = true;
    outer.placeObject3(p);
    outer.showFrame();
    t.defineSprite(4, outer);
    swf::Place parent = placeAt(3, 4);
    parent.matrix = swf::Matrix::transform(2, 2, 0, 0, 0);  // the clip lands at (40, 20.7)
    t.placeObject2(parent);
    return firstFrame(t);
  };
  expectSameDrawing(nested(true), nested(false));
}

TEST(CacheAsBitmap, SnapsToTheNearestWholePixel) {
  // The sprite's bounds start 500 twips left of and 387 above its origin. Placed at
  // (50.3, 40.65) pixels they start at (25.3, 21.3), so the clip draws 0.3 pixels left and
  // up: as the uncached clip at (50, 40.35).
  expectSameDrawing(firstFrame(ellipseAt(1006, 813, true)), firstFrame(ellipseAt(1000, 807, false)));
  EXPECT_GT(differing(firstFrame(ellipseAt(1006, 813, false)), firstFrame(ellipseAt(1000, 807, false)), 2), 120);
  // At (50, 40) they start at (25, 20.65): the clip draws 0.35 pixels lower.
  expectSameDrawing(firstFrame(ellipseAt(1000, 800, true)), firstFrame(ellipseAt(1000, 807, false)));
}

TEST(CacheAsBitmap, StillClipIsDrawnFromItsPictureWhileTheStageMoves) {
  // Frame 1 places; the square moves every frame; the clip moves by a fraction of a
  // pixel in frame 2 (its bounds then start elsewhere within their pixel: a new picture)
  // and by whole pixels in frame 4 (the same picture, moved); its content changes in
  // frame 3.
  swf::TagList t = ellipseAt(1000, 800, true);
  t.showFrame();
  moveDepth(t, 2, swf::Matrix::translate(swf::twips(15), swf::twips(80)));
  moveDepth(t, 1, swf::Matrix::translate(1004, 800));
  t.showFrame();
  moveDepth(t, 2, swf::Matrix::translate(swf::twips(25), swf::twips(80)));
  t.showFrame();
  moveDepth(t, 2, swf::Matrix::translate(swf::twips(35), swf::twips(80)));
  moveDepth(t, 1, swf::Matrix::translate(1004 + swf::twips(3), 800 - swf::twips(2)));
  t.showFrame();
  moveDepth(t, 1, swf::Matrix::transform(1.5, 1, 0, 1000, 800));
  t.showFrame();
  t.end();
  CachedStage stage(movieOf(t));
  stage.draw();
  EXPECT_EQ(stage.filters().redrawn(), 1);
  EXPECT_EQ(stage.rgbAt(6, 81), kBlue);
  stage.next();
  stage.draw();
  EXPECT_EQ(stage.filters().redrawn(), 2);
  EXPECT_EQ(stage.filters().reused(), 0);
  EXPECT_EQ(stage.rgbAt(16, 81), kBlue);
  stage.next();  // the sprite's third frame moves the ellipse within it
  stage.draw();
  EXPECT_EQ(stage.filters().redrawn(), 3);
  stage.next();
  stage.draw();
  EXPECT_EQ(stage.filters().redrawn(), 3);
  EXPECT_EQ(stage.filters().reused(), 1);
  stage.next();  // scaled: a new picture
  stage.draw();
  EXPECT_EQ(stage.filters().redrawn(), 4);
}

TEST(CacheAsBitmap, PictureMovedByWholePixelsMatchesAFreshDrawing) {
  swf::TagList t = ellipseAt(1000, 800, true);
  t.showFrame();
  moveDepth(t, 1, swf::Matrix::translate(1000 + swf::twips(7), 800 - swf::twips(5)));
  t.showFrame();
  t.end();
  CachedStage stage(movieOf(t));
  stage.draw();
  stage.next();
  stage.draw();
  ASSERT_EQ(stage.filters().reused(), 1);
  std::vector<uint32_t> kept = stage.pixels();
  stage.draw(false);
  EXPECT_EQ(kept, stage.pixels());
}

TEST(CacheAsBitmap, ClipsCanBeCachedThroughTheirNode) {
  swf::TagList t = ellipseAt(1000, 800, false);
  t.showFrame();
  t.end();
  CachedStage stage(movieOf(t));
  stage.draw();
  EXPECT_EQ(stage.filters().redrawn(), 0);
  stage.clipAt(1).setCacheAsBitmap(true);
  EXPECT_TRUE(stage.clipAt(1).cacheAsBitmap());
  stage.draw();
  stage.draw();
  EXPECT_EQ(stage.filters().redrawn(), 1);
  EXPECT_EQ(stage.filters().reused(), 1);
  stage.clipAt(1).setCacheAsBitmap(false);
  stage.draw();
  EXPECT_EQ(stage.filters().redrawn(), 1);
  EXPECT_EQ(stage.filters().reused(), 1);
}

TEST(CacheAsBitmap, ScriptsSetAndReadTheProperty) {
  swf::Actions a;
  a.push({"box"}).op(0x1C).push({"cacheAsBitmap"}).op(0x4E).op(0x26);  // trace(box.cacheAsBitmap)
  a.push({"box"}).op(0x1C).push({"cacheAsBitmap", true}).op(0x4F);     // box.cacheAsBitmap = true
  a.push({"box"}).op(0x1C).push({"cacheAsBitmap"}).op(0x4E).op(0x26);
  a.push({"box"}).op(0x1C).push({"cacheAsBitmap", 0}).op(0x4F);
  a.push({"box"}).op(0x1C).push({"cacheAsBitmap"}).op(0x4E).op(0x26);
  EXPECT_EQ(runTrace(boxMovie(a)), (std::vector<std::string>{"false", "true", "false"}));
}

TEST(CacheAsBitmap, CachingAChildRedrawsTheCachedParent) {
  swf::TagList t;
  t.setBackgroundColor(swf::rgb(kWhite));
  defineEllipseSprite(t);
  swf::TagList outer;
  // Its bounds are its parent's, already on the pixel grid: caching it moves nothing,
  // yet the parent's picture holds what is cached within.
  outer.placeObject2(placeAt(1, 3, 10.5, 10.5));
  outer.showFrame();
  t.defineSprite(4, outer);
  swf::Place p = placeAt(1, 4, 30, 30);
  p.cacheAsBitmap = true;
  t.placeObject3(p);
  t.showFrame();
  t.end();
  CachedStage stage(movieOf(t));
  stage.draw();
  stage.draw();
  EXPECT_EQ(stage.filters().redrawn(), 1);
  EXPECT_EQ(stage.filters().reused(), 1);
  stage.clipAt(1).displayList().at(1).sprite->setCacheAsBitmap(true);
  stage.draw();
  EXPECT_EQ(stage.filters().redrawn(), 3);  // the parent anew, and the child's own picture
}

namespace {

// A red star of 48 curves around (800, 800) twips with odd control points (or of straight
// edges through the same points), outlined in blue 3.35 pixels wide: many points of its
// edges and outline fall on half twips.
swf::Shape star(bool curved = true) {
  swf::Shape s;
  int fill = s.addFill(swf::FillStyle::solid(swf::rgb(kRed)));
  swf::LineStyle edge;
  edge.width = 67;
  edge.color = swf::rgb(kBlue);
  int line = s.addLine(edge);
  s.setStyles(0, fill, line);
  constexpr int kCurves = 48;
  auto pointAt = [](int i, int radius, int32_t& px, int32_t& py) {
    double a = 2 * 3.14159265358979 * i / (2 * kCurves);
    px = (800 + int32_t(std::lround(radius * std::cos(a)))) | 1;
    py = (800 + int32_t(std::lround(radius * std::sin(a)))) | 1;
  };
  int32_t px, py, cx, cy;
  pointAt(0, 700, px, py);
  s.moveTo(px, py);
  for (int i = 0; i < kCurves; ++i) {
    pointAt(2 * i + 1, 780 + 40 * (i % 3), cx, cy);
    pointAt(2 * i + 2, 600 + 100 * (i % 2), px, py);
    if (curved) {
      s.curveTo(cx, cy, px, py);
    } else {
      s.lineTo(cx, cy);
      s.lineTo(px, py);
    }
  }
  return s;
}

// The star placed at (x, y) twips, drawn without anti-aliasing.
std::vector<uint32_t> aliasedStar(int32_t x, int32_t y, bool cached, bool curved = true) {
  swf::TagList t;
  t.setBackgroundColor(swf::rgb(kWhite));
  t.defineShape(1, star(curved));
  swf::Place p;
  p.depth = 1;
  p.characterId = 1;
  p.matrix = swf::Matrix::translate(x, y);
  if (cached) p.cacheAsBitmap = true;
  t.placeObject3(p);
  t.showFrame();
  t.end();
  Player player;
  load(player, movieOf(t));
  player.setQuality(movie::Quality::Low);
  return renderPixels(player, 100, 100);
}

}  // namespace

// Placed with its bounds half a pixel off the grid, the cached clip draws moved half a
// pixel right and down, and there its aliased edges fall exactly as those of the cached
// clip placed there with its bounds on the grid, which is not moved: points and pixel
// centres that lie half-way go the same way whether or not the clip was moved. (The
// uncached clip differs: on the stage its curve points are rounded to the twip grid.)
TEST(CacheAsBitmap, OnThePixelGridAliasedEdgesFallAsWhereTheyArePlaced) {
  swf::Rect b = star().bounds();
  for (int32_t x : {0, 20, 40, 60}) {
    int32_t left = x - b.xMin + 10, top = 2 * x - b.yMin + 10;  // bounds half-way between pixels
    EXPECT_EQ(differing(aliasedStar(left, top, true), aliasedStar(left + 10, top + 10, true), 0), 0) << x;
  }
}

// A star of straight edges, whose points are not rounded anywhere: cached half a pixel off
// the grid it is moved onto the grid, and there it draws exactly as the uncached star
// placed there, exact ties included.
TEST(CacheAsBitmap, MovedOntoThePixelGridStraightEdgesSettleTiesAsOnTheStage) {
  swf::Rect b = star(false).bounds();
  for (int32_t x : {0, 20, 40, 60}) {
    int32_t left = x - b.xMin + 10, top = 2 * x - b.yMin + 10;  // bounds half-way between pixels
    EXPECT_EQ(differing(aliasedStar(left, top, true, false), aliasedStar(left + 10, top + 10, false, false), 0), 0) << x;
  }
}
