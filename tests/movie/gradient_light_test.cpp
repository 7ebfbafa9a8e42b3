// Gradient fills whose stops are translucent, interpolated in sRGB or in linear light.
#include <gtest/gtest.h>

#include "movie_fixtures.h"

using namespace movie_test;

namespace {

// A white stage `width` pixels wide and 10 high covered by a rectangle filled with a
// gradient across it, drawn without anti-aliasing; returns the middle row's colours.
std::vector<uint32_t> rowOfGradientFill(std::vector<swf::GradientStop> stops, uint8_t interpolationMode,
                                        int width) {
  swf::Shape shape;
  swf::FillStyle fill =
      swf::FillStyle::linear(swf::Matrix::gradientBox(0, 0, swf::twips(width), swf::twips(10)), std::move(stops));
  fill.interpolationMode = interpolationMode;
  shape.rect(0, 0, swf::twips(width), swf::twips(10), shape.addFill(fill));
  swf::TagList t;
  t.setBackgroundColor(swf::rgb(kWhite));
  t.defineShape(1, shape, 4);
  t.placeObject2(placeAt(1, 1));
  t.showFrame();
  t.end();
  movie::Player player;
  load(player, movieOf(t, width, 10));
  player.setQuality(movie::Quality::Low);
  std::vector<uint32_t> px = renderPixels(player, width, 10);
  std::vector<uint32_t> row(px.begin() + 5 * width, px.begin() + 6 * width);
  for (uint32_t& p : row) p = rgbOf(p);
  return row;
}

uint32_t centreOfGradientFill(swf::Rgba from, swf::Rgba to, uint8_t interpolationMode) {
  return rowOfGradientFill({{0, from}, {255, to}}, interpolationMode, 100)[50];
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

// Two stops at one ratio blend over the next ratio step. On a gradient 512 pixels wide
// pixel x lies at ratio x / 2 - 1/4 (ratio = t * 256 - 1/2), and the colour is taken
// there, not at the middle of a table entry: pixel 257 is a quarter of the way from ratio
// 128 (still red) to 129 (blue), red 255 * 3/4 = 191, blue 255 / 4 = 63; pixel 258 three
// quarters, both cut to whole values.
TEST(GradientLight, StopsSharingARatioBlendOverOneRatioStep) {
  std::vector<uint32_t> row =
      rowOfGradientFill({{0, swf::rgb(kRed)}, {128, swf::rgb(kRed)}, {128, swf::rgb(kBlue)}, {255, swf::rgb(kBlue)}},
                        kSrgb, 512);
  EXPECT_EQ(row[256], kRed);
  EXPECT_EQ(row[257], 0xBF003Fu);
  EXPECT_EQ(row[258], 0x3F00BFu);
  EXPECT_EQ(row[259], kBlue);
}
