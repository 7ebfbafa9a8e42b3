// Damaged and hostile movies end in a clean state; what was shown stays shown.
#include <gtest/gtest.h>

#include <random>

#include "movie/format/tag_codes.h"
#include "movie/player.h"
#include "movie_fixtures.h"

using movie::LoadState;
using movie::Player;
using namespace movie_test;

namespace {

swf::TagList richMovie() {
  swf::TagList t;
  t.setBackgroundColor(swf::rgb(0x224466));
  t.defineBitsLossless2(9, 2, 2, {0xFFFF0000, 0x8000FF00, 0xFF0000FF, 0});
  swf::Shape s;
  int f = s.addFill(swf::FillStyle::linear(swf::Matrix::gradientBox(0, 0, 2000, 2000),
                                           {{0, swf::rgb(kRed)}, {255, swf::rgb(kBlue)}}));
  int b = s.addFill(swf::FillStyle::bitmap(9, swf::Matrix::bitmap(0, 0, 5)));
  swf::LineStyle l;
  l.width = 40;
  int line = s.addLine(l);
  s.rect(0, 0, 2000, 2000, f, line);
  s.circle(1000, 1000, 500, b);
  t.defineShape(1, s, 4);
  swf::TagList inner;
  inner.placeObject2(placeAt(1, 1));
  inner.showFrame();
  inner.showFrame();
  inner.end();
  t.defineSprite(2, inner);
  t.placeObject2(placeAt(1, 2));
  swf::Place mask = placeAt(2, 1, 10, 10);
  mask.clipDepth = 5;
  t.placeObject2(mask);
  t.placeObject2(placeAt(3, 1, 20, 20));
  t.showFrame();
  t.removeObject2(1);
  t.showFrame();
  t.end();
  return t;
}

void exercise(Player& p) {
  std::vector<uint32_t> px(64 * 48);
  for (int i = 0; i < 3; ++i) {
    p.render({px.data(), 64, 48, 64});
    p.tick();
  }
}

}  // namespace

TEST(BadInput, EveryTruncationEndsCleanly) {
  for (bool compressed : {false, true}) {
    swf::Bytes file = movieOf(richMovie(), 100, 100, compressed);
    for (size_t n = 0; n < file.size(); n += 1 + n / 64) {
      Player p;
      p.append(file.data(), n);
      p.finish();
      if (p.state() == LoadState::Complete) {
        // Only the end tag is missing: every frame arrived, so the movie plays.
        EXPECT_EQ(p.frameCount(), 2) << n;
      } else {
        EXPECT_TRUE(p.state() == LoadState::Failed || p.state() == LoadState::Empty) << n;
        if (n > 0) {
          EXPECT_FALSE(p.error().empty()) << n;
        }
      }
      exercise(p);
    }
  }
}

TEST(BadInput, RandomDamageNeverCrashes) {
  std::mt19937 rng(1234);
  for (bool compressed : {false, true}) {
    swf::Bytes good = movieOf(richMovie(), 100, 100, compressed);
    for (int round = 0; round < 300; ++round) {
      swf::Bytes file = good;
      int flips = 1 + int(rng() % 8);
      for (int i = 0; i < flips; ++i) file[8 + rng() % (file.size() - 8)] = uint8_t(rng());
      Player p;
      size_t pos = 0;
      while (pos < file.size()) {
        size_t step = std::min(file.size() - pos, size_t(1 + rng() % 97));
        p.append(file.data() + pos, step);
        pos += step;
      }
      p.finish();
      exercise(p);
      p.rewind();
      p.forward();
      p.back();
    }
  }
}

TEST(BadInput, FailureKeepsWhatWasShown) {
  swf::Bytes file = movieOf(richMovie());
  Player p;
  // The first frame arrives, then damage: a long tag claiming more than the file holds.
  size_t cut = file.size() - 8;  // after the first ShowFrame
  p.append(file.data(), cut);
  ASSERT_EQ(p.state(), LoadState::Ready);
  auto before = renderPixels(p, 50, 50);
  const uint8_t bogus[] = {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F};
  p.append(bogus, sizeof bogus);
  EXPECT_EQ(p.state(), LoadState::Failed);
  EXPECT_FALSE(p.error().empty());
  EXPECT_EQ(renderPixels(p, 50, 50), before);
  EXPECT_FALSE(p.tick());
}

TEST(BadInput, HostFailureIsAPlainMessage) {
  Player p;
  p.fail("The movie could not be fetched.");
  EXPECT_EQ(p.state(), LoadState::Failed);
  EXPECT_EQ(p.error(), "The movie could not be fetched.");
  swf::Bytes file = movieOf(richMovie());
  p.append(file.data(), file.size());  // ignored after a failure
  EXPECT_EQ(p.state(), LoadState::Failed);
  p.reset();
  EXPECT_EQ(p.state(), LoadState::Empty);
  EXPECT_TRUE(p.error().empty());
}

TEST(BadInput, AbsurdStyleCountsAreBounded) {
  // A shape claiming 65535 fill styles in a few bytes, and a sprite claiming many frames.
  swf::Bytes shape = {1, 0, 0x00 /* empty rect */, 0xFF, 0xFF, 0xFF, 0x00, 1, 2, 3};
  swf::Bytes sprite = {2, 0, 0xFF, 0xFF};
  swf::TagList t;
  t.raw(movie::format::kDefineShape3, shape);
  t.raw(movie::format::kDefineSprite, sprite);
  t.placeObject2(placeAt(1, 1));
  t.placeObject2(placeAt(2, 2));
  t.showFrame();
  t.end();
  Player p;
  load(p, movieOf(t));
  EXPECT_EQ(p.state(), LoadState::Complete);
  exercise(p);
}

TEST(BadInput, ZeroFrameRateAndEmptyStage) {
  swf::MovieHeader h;
  h.frameRate = 0;
  h.stage = {0, 0, 0, 0};
  swf::TagList t;
  t.showFrame();
  t.end();
  Player p;
  load(p, swf::writeMovie(h, t));
  EXPECT_GT(p.frameRate(), 0);
  EXPECT_EQ(p.stageWidth(), 0);
  exercise(p);
}

TEST(BadInput, DeepMaskNesting) {
  // Each depth masks the next: masks nest 200 deep.
  swf::TagList t;
  t.defineShape(1, rectShape(0, 0, 100, 100, kRed));
  for (int d = 1; d <= 200; ++d) {
    swf::Place m = placeAt(uint16_t(d), 1);
    m.clipDepth = 1000;
    t.placeObject2(m);
  }
  t.placeObject2(placeAt(1001, 1));
  t.showFrame();
  t.end();
  Player p;
  load(p, movieOf(t));
  auto px = renderPixels(p, 100, 100);
  EXPECT_EQ(rgbOf(px[50 * 100 + 50]), kRed);
}
