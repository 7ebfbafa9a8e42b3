// Blend modes against pixels worked out by hand, and layers put back within a clip.
#include <gtest/gtest.h>

#include "movie/render/blend.h"

using movie::render::BlendMode;
using movie::render::blendPixel;

namespace {

constexpr uint32_t kBeneath = 0xFFC86432;  // opaque (200, 100, 50)
constexpr uint32_t kLayer = 0xFF80FF00;    // opaque (128, 255, 0)

uint32_t blend(BlendMode mode) { return blendPixel(kBeneath, kLayer, mode); }

}  // namespace

TEST(Blend, SeparableModesOnOpaquePixels) {
  EXPECT_EQ(blend(BlendMode::Normal), kLayer);
  EXPECT_EQ(blend(BlendMode::Layer), kLayer);
  EXPECT_EQ(blend(BlendMode::Multiply), 0xFF646400u);    // 200*128/255, 100*255/255, 0
  EXPECT_EQ(blend(BlendMode::Screen), 0xFFE4FF32u);      // 128+200-100.4, 255, 50
  EXPECT_EQ(blend(BlendMode::Lighten), 0xFFC8FF32u);
  EXPECT_EQ(blend(BlendMode::Darken), 0xFF806400u);
  EXPECT_EQ(blend(BlendMode::Difference), 0xFF489B32u);  // 72, 155, 50
  EXPECT_EQ(blend(BlendMode::Hardlight), 0xFFC8FF00u);   // 200.2, 255, 0
  EXPECT_EQ(blend(BlendMode::Overlay), 0xFFC8C800u);     // 200.2, 200, 0
}

TEST(Blend, ArithmeticModesOnOpaquePixels) {
  EXPECT_EQ(blend(BlendMode::Add), 0xFFFFFF32u);
  EXPECT_EQ(blend(BlendMode::Subtract), 0xFF480032u);
  EXPECT_EQ(blend(BlendMode::Invert), 0xFF379BCDu);  // 255 minus what lies beneath
  EXPECT_EQ(blend(BlendMode::Alpha), kBeneath);      // an opaque layer keeps all
  EXPECT_EQ(blend(BlendMode::Erase), 0u);            // and erases all
}

TEST(Blend, TranslucentLayerWeighsTheMode) {
  // Half-covered (premultiplied 50% white) multiply leaves half the colour beneath
  // and multiplies the other half by white: the colour beneath again.
  EXPECT_EQ(blendPixel(kBeneath, 0x80808080u, BlendMode::Multiply), kBeneath);
  // Half-alpha erase keeps half of what lies beneath.
  EXPECT_EQ(blendPixel(kBeneath, 0x80000000u, BlendMode::Erase), 0x7F643219u);
  EXPECT_EQ(blendPixel(0u, 0u, BlendMode::Screen), 0u);
}

TEST(Blend, FileValuesOutsideTheModesAreNormal) {
  EXPECT_EQ(movie::render::blendModeOf(0), BlendMode::Normal);
  EXPECT_EQ(movie::render::blendModeOf(3), BlendMode::Multiply);
  EXPECT_EQ(movie::render::blendModeOf(14), BlendMode::Hardlight);
  EXPECT_EQ(movie::render::blendModeOf(15), BlendMode::Normal);
  EXPECT_EQ(movie::render::blendModeOf(255), BlendMode::Normal);
}

TEST(Blend, ClipCoverageWeighsTheLayer) {
  movie::render::Surface target(2, 1), layer(2, 1);
  target.row(0)[0] = target.row(0)[1] = kBeneath;
  layer.row(0)[0] = layer.row(0)[1] = kLayer;
  movie::render::Mask clip(2, 1);
  clip.row(0)[0] = 255;
  clip.row(0)[1] = 0;
  movie::render::compositeLayer(target, layer, BlendMode::Difference, &clip);
  EXPECT_EQ(target.row(0)[0], 0xFF489B32u);
  EXPECT_EQ(target.row(0)[1], kBeneath);
}

TEST(Blend, AlphaLayerLeavesWhatItDoesNotCover) {
  // An Alpha layer scales what lies beneath by its own alpha where it covers it, and
  // leaves the rest: a clear layer pixel is no instruction to clear.
  movie::render::Surface target(3, 1), layer(3, 1);
  target.row(0)[0] = target.row(0)[1] = target.row(0)[2] = kBeneath;
  layer.row(0)[0] = 0xFF000000u;  // opaque: keeps all
  layer.row(0)[1] = 0x80000000u;  // half: (200, 100, 50) at 128/255 -> 100, 50, 25 at alpha 128
  layer.row(0)[2] = 0;            // clear: untouched
  movie::render::compositeLayer(target, layer, BlendMode::Alpha, nullptr);
  EXPECT_EQ(target.row(0)[0], kBeneath);
  EXPECT_EQ(target.row(0)[1], 0x80643219u);
  EXPECT_EQ(target.row(0)[2], kBeneath);
}
