// Blend modes on the stage: clips with a mode drawn in layers of their own, against
// pixels worked out by hand.
#include <gtest/gtest.h>

#include <optional>

#include "movie_fixtures.h"

using movie::Player;
using namespace movie_test;

namespace {

constexpr uint32_t kBeneath = 0xC86432;  // (200, 100, 50)
constexpr uint8_t kLayerMode = 2, kMultiplyMode = 3, kAlphaMode = 11, kEraseMode = 12;

// A 100 x 100 stage of kBeneath; sprite 10, placed with `mode`, holds a red square over
// (0..40, 0..40) and, when childMode is given, a black square of alpha childAlpha over
// (20..60, 0..40) drawn with childMode.
std::vector<uint32_t> renderLayered(uint8_t mode, std::optional<uint8_t> childMode, uint8_t childAlpha) {
  swf::TagList t;
  t.setBackgroundColor(swf::rgb(kBeneath));
  t.defineShape(1, rectShape(0, 0, 40, 40, kRed), 3);
  t.defineShape(2, rectShape(0, 0, 40, 40, 0x000000, childAlpha), 3);
  swf::TagList inner;
  inner.placeObject2(placeAt(1, 1));
  if (childMode) {
    swf::Place child = placeAt(2, 2, 20, 0);
    child.blendMode = *childMode;
    inner.placeObject3(child);
  }
  inner.showFrame();
  inner.end();
  t.defineSprite(10, inner);
  swf::Place p = placeAt(1, 10);
  p.blendMode = mode;
  t.placeObject3(p);
  t.showFrame();
  t.end();
  Player player;
  load(player, movieOf(t));
  return renderPixels(player, 100, 100);
}

uint32_t at(const std::vector<uint32_t>& px, int x, int y) { return rgbOf(px[size_t(y) * 100 + x]); }

}  // namespace

TEST(BlendStage, MultiplyTakesTheColourBeneath) {
  auto px = renderLayered(kMultiplyMode, std::nullopt, 255);
  EXPECT_EQ(at(px, 10, 10), 0xC80000u);  // red (255, 0, 0) times (200, 100, 50)
  EXPECT_EQ(at(px, 50, 10), kBeneath);
}

TEST(BlendStage, AlphaChildScalesItsLayerWhereItCovers) {
  // Within the layer: red at alpha 128/255 where the child covers it, red elsewhere.
  // Put over (200, 100, 50): 255 * 128/255 + 200 * 127/255 = 227.6, 100 * 127/255 = 49.8,
  // 50 * 127/255 = 24.9.
  auto px = renderLayered(kLayerMode, kAlphaMode, 128);
  EXPECT_EQ(at(px, 10, 10), 0xFF0000u);  // not under the child: untouched
  uint32_t half = at(px, 30, 10);
  EXPECT_NEAR(int(half >> 16), 228, 1);
  EXPECT_NEAR(int((half >> 8) & 0xFF), 50, 1);
  EXPECT_NEAR(int(half & 0xFF), 25, 1);
  EXPECT_EQ(at(px, 50, 10), kBeneath);   // the child alone draws nothing
  EXPECT_EQ(at(px, 10, 50), kBeneath);
}

TEST(BlendStage, EraseChildClearsItsLayerWhereItCovers) {
  auto px = renderLayered(kLayerMode, kEraseMode, 255);
  EXPECT_EQ(at(px, 10, 10), 0xFF0000u);
  EXPECT_EQ(at(px, 30, 10), kBeneath);  // red erased: the stage shows through
  EXPECT_EQ(at(px, 50, 10), kBeneath);
}

TEST(BlendStage, AlphaAndEraseOutsideALayerDrawNothing) {
  // With a plain parent, the child's mode has no layer to work on.
  auto alpha = renderLayered(1, kAlphaMode, 128);
  auto erase = renderLayered(1, kEraseMode, 255);
  EXPECT_EQ(at(alpha, 30, 10), 0xFF0000u);
  EXPECT_EQ(at(erase, 30, 10), 0xFF0000u);
  EXPECT_EQ(at(alpha, 50, 10), kBeneath);
}
