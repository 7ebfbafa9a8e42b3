// The player as the host sees it: loading states, the frame clock, the view, drawing.
#include "movie/player.h"

#include <gtest/gtest.h>

#include "movie/format/tag_codes.h"
#include "movie_fixtures.h"

using movie::LoadState;
using movie::Player;
using namespace movie_test;

namespace {

// Frame 0: red square at (10,10)-(50,50); frame 1: it moves to (50,50); frame 2: removed.
swf::TagList threeFrames(uint32_t background = 0x336699) {
  swf::TagList t;
  t.setBackgroundColor(swf::rgb(background));
  t.defineShape(1, rectShape(10, 10, 40, 40, kRed));
  t.placeObject2(placeAt(1, 1));
  t.showFrame();
  swf::Place move;
  move.depth = 1;
  move.move = true;
  move.matrix = swf::Matrix::translate(swf::twips(40), swf::twips(40));
  t.placeObject2(move);
  t.showFrame();
  t.removeObject2(1);
  t.showFrame();
  t.end();
  return t;
}

uint32_t pixel(Player& p, int w, int h, int x, int y) {
  return rgbOf(renderPixels(p, w, h)[size_t(y) * w + x]);
}

}  // namespace

TEST(Player, StartsEmptyAndReportsTheHeader) {
  Player p;
  EXPECT_EQ(p.state(), LoadState::Empty);
  EXPECT_EQ(p.bytesTotal(), 0u);
  swf::Bytes file = movieOf(threeFrames(), 200, 150);
  load(p, file);
  EXPECT_EQ(p.state(), LoadState::Complete);
  EXPECT_EQ(p.stageWidth(), 200);
  EXPECT_EQ(p.stageHeight(), 150);
  EXPECT_EQ(p.frameCount(), 3);
  EXPECT_DOUBLE_EQ(p.frameRate(), 12.0);
  EXPECT_EQ(p.backgroundColor(), 0x336699u);
  EXPECT_EQ(p.bytesLoaded(), file.size());
  EXPECT_EQ(p.bytesTotal(), file.size());
}

TEST(Player, DrawsTheFirstFrame) {
  Player p;
  load(p, movieOf(threeFrames()));
  auto px = renderPixels(p, 100, 100);
  EXPECT_EQ(rgbOf(px[30 * 100 + 30]), kRed);
  EXPECT_EQ(rgbOf(px[5 * 100 + 5]), 0x336699u);
  EXPECT_EQ(px[5 * 100 + 5] >> 24, 0xFFu);  // opaque
}

TEST(Player, TicksForwardAndLoops) {
  Player p;
  load(p, movieOf(threeFrames()));
  EXPECT_TRUE(p.playing());
  EXPECT_TRUE(p.loop());
  EXPECT_TRUE(p.tick());
  EXPECT_EQ(p.currentFrame(), 1);
  EXPECT_EQ(pixel(p, 100, 100, 70, 70), kRed);
  EXPECT_EQ(pixel(p, 100, 100, 30, 30), 0x336699u);
  p.tick();
  EXPECT_EQ(pixel(p, 100, 100, 70, 70), 0x336699u);
  p.tick();
  EXPECT_EQ(p.currentFrame(), 0);
  EXPECT_EQ(pixel(p, 100, 100, 30, 30), kRed);
}

TEST(Player, StopsAtTheEndWithoutLoop) {
  Player p;
  load(p, movieOf(threeFrames()));
  p.setLoop(false);
  p.tick();
  p.tick();
  EXPECT_FALSE(p.tick());
  EXPECT_EQ(p.currentFrame(), 2);
  EXPECT_FALSE(p.playing());
}

TEST(Player, RewindForwardAndBackStop) {
  Player p;
  load(p, movieOf(threeFrames()));
  p.forward();
  EXPECT_FALSE(p.playing());
  EXPECT_EQ(p.currentFrame(), 1);
  EXPECT_FALSE(p.tick());  // stopped: the clock does nothing
  p.forward();
  p.back();
  EXPECT_EQ(p.currentFrame(), 1);
  EXPECT_EQ(pixel(p, 100, 100, 70, 70), kRed);  // rebuilt when going back
  p.rewind();
  EXPECT_EQ(p.currentFrame(), 0);
  EXPECT_EQ(pixel(p, 100, 100, 30, 30), kRed);
  p.back();
  EXPECT_EQ(p.currentFrame(), 0);
  p.play();
  EXPECT_TRUE(p.tick());
}

TEST(Player, ProgressiveLoadingShowsTheFirstFrameEarly) {
  swf::Bytes file = movieOf(threeFrames(), 100, 100, true);
  Player p;
  p.append(file.data(), 4);
  EXPECT_EQ(p.state(), LoadState::Loading);
  EXPECT_EQ(p.bytesTotal(), 0u);
  size_t readyAt = 0;
  for (size_t i = 4; i < file.size(); ++i) {
    p.append(&file[i], 1);
    if (p.state() == LoadState::Ready && !readyAt) {
      readyAt = i;
      EXPECT_EQ(pixel(p, 100, 100, 30, 30), kRed);
      // The next frame has not arrived: the clock waits.
      if (p.frameCount() > 1) {
        size_t before = p.currentFrame();
        p.tick();
        EXPECT_EQ(size_t(p.currentFrame()), before);
      }
    }
  }
  p.finish();
  EXPECT_EQ(p.state(), LoadState::Complete);
  EXPECT_GT(readyAt, 0u);
  EXPECT_LT(readyAt + 8, file.size());
}

TEST(Player, ShowAllLetterboxesWithTheBackground) {
  Player p;
  // A stage of 100 x 50 filled red, shown in 200 x 200: scale 2, bands above and below.
  swf::TagList t;
  t.setBackgroundColor(swf::rgb(kGreen));
  t.defineShape(1, rectShape(0, 0, 100, 50, kRed));
  t.placeObject2(placeAt(1, 1));
  t.showFrame();
  t.end();
  load(p, movieOf(t, 100, 50));
  auto px = renderPixels(p, 200, 200);
  auto at = [&](int x, int y) { return rgbOf(px[size_t(y) * 200 + x]); };
  EXPECT_EQ(at(100, 49), kGreen);
  EXPECT_EQ(at(100, 51), kRed);
  EXPECT_EQ(at(0, 100), kRed);
  EXPECT_EQ(at(199, 148), kRed);
  EXPECT_EQ(at(100, 151), kGreen);
  int red = 0;
  for (uint32_t v : px) red += rgbOf(v) == kRed;
  EXPECT_EQ(red, 200 * 100);
}

TEST(Player, ContentOutsideTheStageIsCovered) {
  swf::TagList t;
  t.setBackgroundColor(swf::rgb(kWhite));
  t.defineShape(1, rectShape(-50, -50, 300, 300, kRed));  // larger than the stage
  t.placeObject2(placeAt(1, 1));
  t.showFrame();
  t.end();
  Player p;
  load(p, movieOf(t, 100, 100));
  auto px = renderPixels(p, 300, 100);  // bands left and right
  EXPECT_EQ(rgbOf(px[50 * 300 + 10]), kWhite);
  EXPECT_EQ(rgbOf(px[50 * 300 + 150]), kRed);
  EXPECT_EQ(rgbOf(px[50 * 300 + 290]), kWhite);
}

TEST(Player, ZoomMagnifiesAroundAPointAndShowAllResets) {
  swf::TagList t;
  t.setBackgroundColor(swf::rgb(kWhite));
  t.defineShape(1, rectShape(40, 40, 20, 20, kRed));
  t.placeObject2(placeAt(1, 1));
  t.showFrame();
  t.end();
  Player p;
  load(p, movieOf(t));
  EXPECT_EQ(pixel(p, 100, 100, 35, 50), kWhite);
  p.zoom(2.0, 50, 50);  // the square now spans 30..70
  EXPECT_EQ(pixel(p, 100, 100, 35, 50), kRed);
  EXPECT_EQ(pixel(p, 100, 100, 25, 50), kWhite);
  p.zoom(0.5, 50, 50);
  EXPECT_EQ(pixel(p, 100, 100, 35, 50), kWhite);
  p.zoom(4.0, 40, 40);
  EXPECT_EQ(pixel(p, 100, 100, 41, 41), kRed);
  p.showAll();
  EXPECT_EQ(pixel(p, 100, 100, 35, 50), kWhite);
  EXPECT_EQ(pixel(p, 100, 100, 45, 50), kRed);
}

TEST(Player, QualityChangesEdges) {
  swf::TagList t;
  t.setBackgroundColor(swf::rgb(kWhite));
  swf::Shape s;
  int f = s.addFill(swf::FillStyle::solid(swf::rgb(0)));
  s.circle(swf::twips(50), swf::twips(50), swf::twips(30), f);
  t.defineShape(1, s);
  t.placeObject2(placeAt(1, 1));
  t.showFrame();
  t.end();
  Player p;
  load(p, movieOf(t));
  auto greys = [&] {
    int n = 0;
    for (uint32_t v : renderPixels(p, 100, 100)) n += rgbOf(v) != 0 && rgbOf(v) != kWhite;
    return n;
  };
  EXPECT_EQ(p.quality(), movie::Quality::High);
  EXPECT_GT(greys(), 50);
  p.setQuality(movie::Quality::Low);
  EXPECT_EQ(greys(), 0);
}

TEST(Player, RendersIntoAStridedTarget) {
  Player p;
  load(p, movieOf(threeFrames()));
  std::vector<uint32_t> big(120 * 100, 0xDEADBEEF);
  p.render({big.data(), 100, 100, 120});
  EXPECT_EQ(rgbOf(big[30 * 120 + 30]), kRed);
  EXPECT_EQ(big[30 * 120 + 110], 0xDEADBEEFu);  // past the width: untouched
}

TEST(Player, ResetDropsTheMovie) {
  Player p;
  load(p, movieOf(threeFrames()));
  p.setLoop(false);
  p.reset();
  EXPECT_EQ(p.state(), LoadState::Empty);
  EXPECT_FALSE(p.loop());  // settings stay
  auto px = renderPixels(p, 10, 10);
  EXPECT_EQ(px[0] >> 24, 0xFFu);
  load(p, movieOf(threeFrames(0x112233)));
  EXPECT_EQ(p.backgroundColor(), 0x112233u);
}

TEST(Player, TickSaysWhetherThePictureMayHaveChanged) {
  swf::TagList still;
  still.defineShape(1, rectShape(0, 0, 10, 10, kRed));
  still.placeObject2(placeAt(1, 1));
  still.showFrame();
  still.end();
  Player a;
  load(a, movieOf(still));
  EXPECT_FALSE(a.tick());  // one frame, nothing animating

  swf::TagList inner;
  inner.placeObject2(placeAt(1, 1));
  inner.showFrame();
  inner.showFrame();
  inner.end();
  swf::TagList animated;
  animated.defineShape(1, rectShape(0, 0, 10, 10, kRed));
  animated.defineSprite(2, inner);
  animated.placeObject2(placeAt(1, 2));
  animated.showFrame();
  animated.end();
  Player b;
  load(b, movieOf(animated));
  EXPECT_TRUE(b.tick());  // the sprite inside moves on
}

TEST(Player, ANewMovieStartsShownWhole) {
  Player p;
  load(p, movieOf(threeFrames()));
  p.setViewport(100, 100);
  p.zoom(4.0, 0, 0);
  p.reset();
  load(p, movieOf(threeFrames()));
  EXPECT_EQ(pixel(p, 100, 100, 30, 30), kRed);
  EXPECT_EQ(pixel(p, 100, 100, 5, 5), 0x336699u);
}
