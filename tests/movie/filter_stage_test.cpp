// Filtered objects on the stage, in small movies made with the SWF writer, and the
// cache that keeps their filtered pictures while they do not change.
#include <gtest/gtest.h>

#include "cached_stage.h"
#include "movie_fixtures.h"

using movie::Player;
using namespace movie_test;

namespace {

constexpr double kPi = 3.14159265358979;

// A white stage with a red 20 x 20 pixel square at (40, 40), placed with the filters.
swf::Bytes filteredSquare(const std::vector<swf::FilterRecord>& filters, uint32_t rgb = kRed) {
  swf::TagList t;
  t.setBackgroundColor(swf::rgb(kWhite));
  t.defineShape(1, rectShape(0, 0, 20, 20, rgb));
  swf::Place p = placeAt(1, 1, 40, 40);
  p.filters = filters;
  t.placeObject3(p);
  t.showFrame();
  t.end();
  return movieOf(t);
}

uint32_t pixelAt(const swf::Bytes& movie, int x, int y) {
  Player player;
  load(player, movie);
  return rgbOf(renderPixels(player, 100, 100)[size_t(y) * 100 + x]);
}

swf::FilterRecord unblurred(swf::FilterRecord::Kind kind) {
  swf::FilterRecord f;
  f.kind = kind;
  f.passes = 1;
  return f;
}

}  // namespace

TEST(FilteredStage, DropShadowFallsAtItsAngleAndDistance) {
  swf::FilterRecord f = unblurred(swf::FilterRecord::kDropShadow);
  f.color = swf::rgb(kBlue);
  f.distance = 10;
  f.angle = kPi / 2;  // down
  swf::Bytes movie = filteredSquare({f});
  EXPECT_EQ(pixelAt(movie, 50, 50), kRed);
  EXPECT_EQ(pixelAt(movie, 50, 65), kBlue);   // below the square, within the shadow
  EXPECT_EQ(pixelAt(movie, 65, 50), kWhite);  // nothing to the right
}

TEST(FilteredStage, InnerBevelLightsTheTopLeftEdges) {
  swf::FilterRecord f = unblurred(swf::FilterRecord::kBevel);
  f.color = swf::rgb(kBlue);       // highlight
  f.shadowColor = swf::rgb(0x000000);
  f.distance = 2;
  f.angle = kPi / 4;
  f.inner = true;
  swf::Bytes movie = filteredSquare({f});
  EXPECT_EQ(pixelAt(movie, 40, 50), kBlue);      // left edge, lit
  EXPECT_EQ(pixelAt(movie, 50, 40), kBlue);      // top edge, lit
  EXPECT_EQ(pixelAt(movie, 59, 50), 0x000000u);  // right edge, in shadow
  EXPECT_EQ(pixelAt(movie, 50, 50), kRed);       // the middle untouched
  EXPECT_EQ(pixelAt(movie, 38, 50), kWhite);     // nothing outside
}

TEST(FilteredStage, GradientGlowColoursByItsRamp) {
  swf::FilterRecord f = unblurred(swf::FilterRecord::kGradientGlow);
  f.stops = {{0, swf::rgb(kGreen, 0)}, {255, swf::rgb(kGreen)}};
  f.distance = 10;
  f.angle = 0;  // right
  swf::Bytes movie = filteredSquare({f});
  EXPECT_EQ(pixelAt(movie, 65, 50), kGreen);
  EXPECT_EQ(pixelAt(movie, 45, 50), kRed);  // the square stays over it
}

TEST(FilteredStage, ConvolutionWeighsNeighbours) {
  swf::FilterRecord f = unblurred(swf::FilterRecord::kConvolution);
  f.matrixX = f.matrixY = 1;
  f.kernel = {2};
  f.preserveAlpha = true;
  swf::Bytes movie = filteredSquare({f}, 0x402010);
  EXPECT_EQ(pixelAt(movie, 50, 50), 0x804020u);
}

TEST(FilteredStage, KnockoutGlowShowsOnlyTheGlow) {
  swf::FilterRecord f = unblurred(swf::FilterRecord::kGlow);
  f.color = swf::rgb(kBlue);
  f.blurX = f.blurY = 4;
  f.strength = 8;
  f.knockout = true;
  swf::Bytes movie = filteredSquare({f});
  EXPECT_EQ(pixelAt(movie, 50, 50), kWhite);  // the square is cut out
  EXPECT_EQ(pixelAt(movie, 39, 50), kBlue);   // its glow is dense at the edge
}

namespace {

// A red 20 x 20 square at (40.5, 10.5) with an unblurred blue shadow `distance` pixels
// straight down, drawn without anti-aliasing: the pixel at (x, y).
uint32_t halfwayShadowedPixel(double distance, int x, int y) {
  swf::FilterRecord f = unblurred(swf::FilterRecord::kDropShadow);
  f.color = swf::rgb(kBlue);
  f.distance = distance;
  f.angle = kPi / 2;
  swf::TagList t;
  t.setBackgroundColor(swf::rgb(kWhite));
  t.defineShape(1, rectShape(0, 0, 20, 20, kRed));
  swf::Place p = placeAt(1, 1, 40.5, 10.5);
  p.filters = {f};
  t.placeObject3(p);
  t.showFrame();
  t.end();
  Player player;
  load(player, movieOf(t));
  player.setQuality(movie::Quality::Low);
  return rgbOf(renderPixels(player, 100, 100)[size_t(y) * 100 + x]);
}

}  // namespace

// The filtered bitmap starts the filter's margin (here the shadow's distance) before the
// square and is rounded to a whole pixel half-way away from zero; the square keeps its
// margin from there. Across, the margin is 0: 40.5 rounds to 41. Down, a distance of 12
// puts the start at 10.5 - 12 = -1.5, which rounds to -2: the square starts at row 10 and
// its shadow, 12 rows lower, covers rows 22 to 41.
TEST(FilteredStage, HalfwayBitmapStartBelowZeroRoundsAwayFromZero) {
  EXPECT_EQ(halfwayShadowedPixel(12, 40, 20), kWhite);
  EXPECT_EQ(halfwayShadowedPixel(12, 41, 20), kRed);
  EXPECT_EQ(halfwayShadowedPixel(12, 60, 20), kRed);
  EXPECT_EQ(halfwayShadowedPixel(12, 61, 20), kWhite);
  EXPECT_EQ(halfwayShadowedPixel(12, 50, 9), kWhite);
  EXPECT_EQ(halfwayShadowedPixel(12, 50, 10), kRed);
  EXPECT_EQ(halfwayShadowedPixel(12, 50, 29), kRed);
  EXPECT_EQ(halfwayShadowedPixel(12, 50, 30), kBlue);
  EXPECT_EQ(halfwayShadowedPixel(12, 50, 41), kBlue);
  EXPECT_EQ(halfwayShadowedPixel(12, 50, 42), kWhite);
}

// With a distance of 8 the start, 10.5 - 8 = 2.5, rounds to 3: the square starts at row 11
// and its shadow ends at row 38.
TEST(FilteredStage, HalfwayBitmapStartAboveZeroRoundsAwayFromZero) {
  EXPECT_EQ(halfwayShadowedPixel(8, 50, 10), kWhite);
  EXPECT_EQ(halfwayShadowedPixel(8, 50, 11), kRed);
  EXPECT_EQ(halfwayShadowedPixel(8, 50, 30), kRed);
  EXPECT_EQ(halfwayShadowedPixel(8, 50, 31), kBlue);
  EXPECT_EQ(halfwayShadowedPixel(8, 50, 38), kBlue);
  EXPECT_EQ(halfwayShadowedPixel(8, 50, 39), kWhite);
}

namespace {

// A glowing square at (20, 20); frame 2 moves it right by 10 pixels, frame 3 changes
// nothing, frame 4 doubles its width, frame 5 tints it.
swf::Bytes changingGlow() {
  swf::TagList t;
  t.setBackgroundColor(swf::rgb(kWhite));
  t.defineShape(1, rectShape(0, 0, 10, 10, kRed));
  swf::FilterRecord glow;
  glow.kind = swf::FilterRecord::kGlow;
  glow.color = swf::rgb(kBlue);
  glow.blurX = glow.blurY = 3;
  glow.strength = 8;
  swf::Place p = placeAt(1, 1, 20, 20);
  p.filters = {glow};
  t.placeObject3(p);
  t.showFrame();
  auto move = [&t](const swf::Matrix& m, std::optional<swf::ColorTransform> cx = {}) {
    swf::Place q;
    q.depth = 1;
    q.move = true;
    q.matrix = m;
    q.colorTransform = cx;
    t.placeObject2(q);
  };
  move(swf::Matrix::translate(swf::twips(30), swf::twips(20)));
  t.showFrame();
  t.showFrame();
  move(swf::Matrix::transform(2, 1, 0, swf::twips(30), swf::twips(20)));
  t.showFrame();
  swf::ColorTransform noRed;
  noRed.multR = 0;
  move(swf::Matrix::transform(2, 1, 0, swf::twips(30), swf::twips(20)), noRed);
  t.showFrame();
  t.end();
  return movieOf(t);
}

}  // namespace

TEST(FilterCache, UnchangedClipIsDrawnFromItsPictureAndChangedOneAnew) {
  CachedStage stage(changingGlow());
  stage.draw();
  EXPECT_EQ(stage.filters().redrawn(), 1);
  EXPECT_EQ(stage.rgbAt(25, 25), kRed);
  EXPECT_EQ(stage.rgbAt(19, 25), kBlue);

  stage.next();  // moved by whole pixels only: the same picture, elsewhere
  stage.draw();
  EXPECT_EQ(stage.filters().redrawn(), 1);
  EXPECT_EQ(stage.filters().reused(), 1);
  EXPECT_EQ(stage.rgbAt(35, 25), kRed);
  EXPECT_EQ(stage.rgbAt(29, 25), kBlue);
  EXPECT_EQ(stage.rgbAt(19, 25), kWhite);

  stage.next();  // nothing changes
  stage.draw();
  EXPECT_EQ(stage.filters().redrawn(), 1);
  EXPECT_EQ(stage.filters().reused(), 2);

  stage.next();  // scaled: drawn anew
  stage.draw();
  EXPECT_EQ(stage.filters().redrawn(), 2);
  EXPECT_EQ(stage.rgbAt(45, 25), kRed);

  stage.next();  // tinted: drawn anew
  stage.draw();
  EXPECT_EQ(stage.filters().redrawn(), 3);
  EXPECT_EQ(stage.rgbAt(45, 25), 0x000000u);
}

TEST(FilterCache, ChangeInsideTheSubtreeDrawsTheClipAnew) {
  // A sprite whose own timeline swaps its square's colour on its second frame.
  swf::TagList inner;
  inner.placeObject2(placeAt(1, 1));
  inner.showFrame();
  inner.removeObject2(1);
  inner.placeObject2(placeAt(1, 2));
  inner.showFrame();
  inner.end();
  swf::TagList t;
  t.setBackgroundColor(swf::rgb(kWhite));
  t.defineShape(1, rectShape(0, 0, 10, 10, kRed));
  t.defineShape(2, rectShape(0, 0, 10, 10, kGreen));
  t.defineSprite(3, inner);
  swf::Place p = placeAt(1, 3, 20, 20);
  p.filters = {unblurred(swf::FilterRecord::kBlur)};
  t.placeObject3(p);
  t.showFrame();
  t.showFrame();
  t.end();
  CachedStage stage(movieOf(t));
  stage.draw();
  EXPECT_EQ(stage.rgbAt(25, 25), kRed);
  stage.next();
  stage.draw();
  EXPECT_EQ(stage.filters().redrawn(), 2);
  EXPECT_EQ(stage.rgbAt(25, 25), kGreen);
}

namespace {

// A blurred clip at depth 1, at (20, 20), holding a clip with a red 10 x 10 square; a
// clip with a 10 x 10 square at depth 2, over it.
swf::Bytes filteredClipBesideAMask() {
  swf::TagList t;
  t.setBackgroundColor(swf::rgb(kWhite));
  t.defineShape(1, rectShape(0, 0, 10, 10, kRed));
  defineSpriteOf(t, 2, 1);
  defineSpriteOf(t, 3, 2);
  swf::Place p = placeAt(1, 3, 20, 20);
  p.filters = {unblurred(swf::FilterRecord::kBlur)};
  t.placeObject3(p);
  t.placeObject2(placeAt(2, 2, 20, 20));
  t.showFrame();
  t.end();
  return movieOf(t);
}

movie::timeline::SpriteInstance& innerClip(movie::timeline::SpriteInstance& outer) {
  return *outer.displayList().begin()->second.sprite;
}

}  // namespace

TEST(FilterCache, ScriptClippingInsideTheClipDrawsItAnew) {
  CachedStage stage(filteredClipBesideAMask());
  movie::timeline::SpriteInstance& inner = innerClip(stage.clipAt(1));
  stage.clipAt(2).setVisible(false);
  stage.draw();
  EXPECT_EQ(stage.rgbAt(27, 25), kRed);

  movie::script::Bounds right;  // the square's right half, shown at the clip's origin
  right.xMin = 5 * 20, right.xMax = 10 * 20, right.yMax = 10 * 20, right.empty = false;
  inner.setScrollRect(&right);
  stage.draw();
  EXPECT_EQ(stage.filters().redrawn(), 2);
  EXPECT_EQ(stage.rgbAt(22, 25), kRed);
  EXPECT_EQ(stage.rgbAt(27, 25), kWhite);
}

TEST(FilterCache, AMaskOutsideTheClipThatMovesDrawsItAnew) {
  CachedStage stage(filteredClipBesideAMask());
  movie::timeline::SpriteInstance& mask = stage.clipAt(2);
  innerClip(stage.clipAt(1)).setMask(&mask);
  stage.draw();
  EXPECT_EQ(stage.rgbAt(25, 25), kRed);  // the mask covers the square and is not drawn

  movie::Matrix away = mask.matrix();
  away.tx += 30 * 20;
  mask.setMatrix(away);
  stage.draw();
  EXPECT_EQ(stage.filters().redrawn(), 2);
  EXPECT_EQ(stage.rgbAt(25, 25), kWhite);
}

TEST(FilterCache, ADrawingInsideTheClipThatChangesDrawsItAnew) {
  CachedStage stage(filteredClipBesideAMask());
  stage.clipAt(2).setVisible(false);
  movie::script::DrawingPen* pen = innerClip(stage.clipAt(1)).drawingPen();
  ASSERT_NE(pen, nullptr);
  auto square = [pen](movie::Color c) {
    pen->clear();
    pen->beginFill(c);
    pen->moveTo(0, 0);
    for (auto [x, y] : {std::pair{400, 0}, {400, 400}, {0, 400}}) pen->lineTo(x, y);
    pen->endFill();
  };
  square({0, 255, 0, 255});
  stage.draw();
  EXPECT_EQ(stage.rgbAt(25, 25), kRed);  // the drawing lies beneath the clip's square
  EXPECT_EQ(stage.rgbAt(35, 35), kGreen);
  stage.draw();
  EXPECT_EQ(stage.filters().redrawn(), 1);
  square({0, 0, 255, 255});
  stage.draw();
  EXPECT_EQ(stage.filters().redrawn(), 2);
  EXPECT_EQ(stage.rgbAt(35, 35), kBlue);
}

TEST(FilteredStage, HostileFiltersEndCleanly) {
  swf::FilterRecord blur = unblurred(swf::FilterRecord::kBlur);
  blur.blurX = blur.blurY = 30000;
  blur.passes = 31;
  swf::FilterRecord bevel = unblurred(swf::FilterRecord::kGradientBevel);
  bevel.strength = 127;
  bevel.distance = 30000;
  bevel.passes = 0;
  bevel.stops = {{200, swf::rgb(kBlue)}, {10, swf::rgb(kGreen)}};  // out of order
  swf::FilterRecord kernel = unblurred(swf::FilterRecord::kConvolution);
  kernel.matrixX = kernel.matrixY = 31;
  kernel.kernel.assign(31 * 31, 1e30f);
  kernel.divisor = 0;
  swf::FilterRecord tooBig = unblurred(swf::FilterRecord::kConvolution);
  tooBig.matrixX = tooBig.matrixY = 255;  // over the parser's limit: the list is dropped
  tooBig.kernel.assign(255 * 255, 1);
  for (const auto& filters : {std::vector{blur, bevel, kernel}, std::vector{tooBig}}) {
    Player player;
    load(player, filteredSquare(filters));
    std::vector<uint32_t> px = renderPixels(player, 100, 100);
    EXPECT_NE(player.state(), movie::LoadState::Failed);
  }
}

// A red 20 x 20 square at (40.5, 10.5) with an unblurred blue shadow 12 pixels down; the
// second frame moves it 20 pixels down. The bitmap's start, 12 pixels above the square,
// lies half-way below zero in the first frame (-1.5: the square draws at row 10) and
// half-way above it in the second (18.5: the square draws at row 31, not 30).
TEST(FilterCache, MoveAcrossTheStageTopRedrawsWhereTheBitmapRoundsTheOtherWay) {
  swf::FilterRecord f = unblurred(swf::FilterRecord::kDropShadow);
  f.color = swf::rgb(kBlue);
  f.distance = 12;
  f.angle = kPi / 2;
  swf::TagList t;
  t.setBackgroundColor(swf::rgb(kWhite));
  t.defineShape(1, rectShape(0, 0, 20, 20, kRed));
  swf::Place p = placeAt(1, 1, 40.5, 10.5);
  p.filters = {f};
  t.placeObject3(p);
  t.showFrame();
  swf::Place q;
  q.depth = 1;
  q.move = true;
  q.matrix = swf::Matrix::translate(swf::twips(40.5), swf::twips(30.5));
  t.placeObject2(q);
  t.showFrame();
  t.end();
  CachedStage stage(movieOf(t));
  stage.draw();
  EXPECT_EQ(stage.rgbAt(50, 10), kRed);
  stage.next();
  stage.draw();
  EXPECT_EQ(stage.rgbAt(50, 30), kWhite);
  EXPECT_EQ(stage.rgbAt(50, 31), kRed);
  EXPECT_EQ(stage.rgbAt(50, 50), kRed);
  EXPECT_EQ(stage.rgbAt(50, 51), kBlue);
  std::vector<uint32_t> kept = stage.pixels();
  stage.draw(false);
  EXPECT_EQ(kept, stage.pixels());
}
