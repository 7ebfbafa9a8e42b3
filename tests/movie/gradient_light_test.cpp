// Gradient fills whose stops are translucent, interpolated in sRGB or in linear light.
#include <gtest/gtest.h>

#include "movie_fixtures.h"

using namespace movie_test;

namespace {

// A white stage covered by a rectangle filled with a two-stop gradient, drawn without
// anti-aliasing; returns the colour at the stage's centre.
uint32_t centreOfGradientFill(swf::Rgba from, swf::Rgba to, uint8_t interpolationMode) {
  swf::Shape shape;
  swf::FillStyle fill = swf::FillStyle::linear(swf::Matrix::gradientBox(0, 0, swf::twips(100), swf::twips(100)),
                                               {{0, from}, {255, to}});
  fill.interpolationMode = interpolationMode;
  shape.rect(0, 0, swf::twips(100), swf::twips(100), shape.addFill(fill));
  swf::TagList t;
  t.setBackgroundColor(swf::rgb(kWhite));
  t.defineShape(1, shape, 4);
  t.placeObject2(placeAt(1, 1));
  t.showFrame();
  t.end();
  movie::Player player;
  load(player, movieOf(t));
  player.setQuality(movie::Quality::Low);
  return rgbOf(renderPixels(player, 100, 100)[50 * 100 + 50]);
}

constexpr uint8_t kSrgb = 0, kLinearLight = 1;

}  // namespace

// Blue at alpha 140 over white: 140 of blue plus 115 of the white in every channel.
TEST(GradientLight, TranslucentStopsInSrgbKeepTheirColour) {
  swf::Rgba blue = swf::rgb(kBlue, 140);
  EXPECT_EQ(centreOfGradientFill(blue, blue, kSrgb), 0x7373FFu);
}

// In linear light the blue (linear 255) is scaled by linear(0.549) / 0.549 = 0.478 to
// linear 121.8, sRGB 184; at alpha 140 that is 101, plus the white's 115: 216.
TEST(GradientLight, TranslucentStopsInLinearLightComeOutDarker) {
  swf::Rgba blue = swf::rgb(kBlue, 140);
  EXPECT_EQ(centreOfGradientFill(blue, blue, kLinearLight), 0x7373D8u);
}

// Opaque stops are not dimmed: the same blue at alpha 255 stays pure blue.
TEST(GradientLight, OpaqueStopsInLinearLightKeepTheirColour) {
  swf::Rgba blue = swf::rgb(kBlue, 255);
  EXPECT_EQ(centreOfGradientFill(blue, blue, kLinearLight), 0x0000FFu);
}
