// The GIF encoder's output decodes, frame for frame and pixel for pixel.
#include <gtest/gtest.h>

#include "gif_decode.h"
#include "tools/sample-content/banner_images.h"
#include "tools/sample-content/gif_encoder.h"

using sample::GifFrame;
using sample::GifImage;

namespace {

GifImage patterned(int width, int height, int colours, int frames) {
  GifImage img;
  img.width = width, img.height = height;
  for (int i = 0; i < colours; ++i) img.palette.push_back(uint32_t(i * 0x010203 + 0x102030) & 0xFFFFFF);
  for (int f = 0; f < frames; ++f) {
    GifFrame fr;
    fr.delayCentiseconds = 5 + f;
    for (int i = 0; i < width * height; ++i) fr.indices.push_back(uint8_t((i * 7 + f * 3) % colours));
    img.frames.push_back(fr);
  }
  return img;
}

void expectDecodesTo(const GifImage& img) {
  const DecodedGif d = decodeGif(sample::encodeGif(img));
  ASSERT_EQ(d.frames, int(img.frames.size()));
  ASSERT_EQ(d.width, img.width);
  ASSERT_EQ(d.height, img.height);
  for (int f = 0; f < d.frames; ++f) {
    EXPECT_EQ(d.delaysMs[f], img.frames[f].delayCentiseconds * 10);
    for (int i = 0; i < img.width * img.height; ++i) {
      const uint32_t c = img.palette[img.frames[f].indices[i]];
      const uint8_t* px = &d.rgba[(size_t(f) * img.width * img.height + i) * 4];
      ASSERT_EQ(px[0], uint8_t(c >> 16)) << "frame " << f << " pixel " << i;
      ASSERT_EQ(px[1], uint8_t(c >> 8));
      ASSERT_EQ(px[2], uint8_t(c));
      ASSERT_EQ(px[3], 255);
    }
  }
}

}  // namespace

TEST(GifEncoderTest, SmallPaletteManyPixelsPassesClearCodes) {
  // Four colours, code size 2: a clear code every 2 literals, 3-bit codes.
  expectDecodesTo(patterned(37, 23, 4, 3));
}

TEST(GifEncoderTest, OddPaletteSizes) {
  expectDecodesTo(patterned(5, 5, 2, 1));
  expectDecodesTo(patterned(16, 9, 7, 2));
  expectDecodesTo(patterned(64, 64, 200, 2));  // 8-bit codes, blocks of 255 bytes
  expectDecodesTo(patterned(1, 1, 256, 1));
}

TEST(GifEncoderTest, HeaderAndLoopExtension) {
  const std::vector<uint8_t> file = sample::encodeGif(patterned(3, 2, 4, 2));
  ASSERT_GT(file.size(), 40u);
  EXPECT_EQ(std::string(file.begin(), file.begin() + 6), "GIF89a");
  EXPECT_EQ(file[6] | file[7] << 8, 3);
  EXPECT_EQ(file[8] | file[9] << 8, 2);
  EXPECT_EQ(file[10], 0x80 | 1 << 4 | 1);  // global table of 4 colours
  EXPECT_EQ(file.back(), 0x3B);
  const std::string text(file.begin(), file.end());
  EXPECT_NE(text.find("NETSCAPE2.0"), std::string::npos);
}

TEST(GifEncoderTest, TransparentIndexDecodesClear) {
  GifImage img = patterned(4, 4, 4, 1);
  img.transparentIndex = 0;
  const DecodedGif d = decodeGif(sample::encodeGif(img));
  ASSERT_EQ(d.frames, 1);
  EXPECT_EQ(d.rgba[3], 0);    // pixel 0 has index 0
  EXPECT_EQ(d.rgba[7], 255);  // pixel 1 has index 3
}

TEST(GifEncoderTest, RefusesBadInput) {
  GifImage img = patterned(4, 4, 4, 1);
  img.frames[0].indices[5] = 9;  // beyond a 4-colour table
  EXPECT_THROW(sample::encodeGif(img), std::invalid_argument);
  img = patterned(4, 4, 4, 1);
  img.frames[0].indices.pop_back();
  EXPECT_THROW(sample::encodeGif(img), std::invalid_argument);
  img = patterned(4, 4, 4, 1);
  img.palette.resize(1);
  EXPECT_THROW(sample::encodeGif(img), std::invalid_argument);
  img = patterned(4, 4, 4, 1);
  img.frames.clear();
  EXPECT_THROW(sample::encodeGif(img), std::invalid_argument);
}

TEST(BannerImageTest, StarAndBallAnimate) {
  for (const GifImage& img : {sample::twinklingStar(), sample::bouncingBall()}) {
    const DecodedGif d = decodeGif(sample::encodeGif(img));
    ASSERT_GT(d.frames, 1);
    EXPECT_EQ(d.width, 40);
    EXPECT_EQ(d.height, 40);
    const size_t frameBytes = size_t(d.width) * d.height * 4;
    EXPECT_NE(std::vector<uint8_t>(d.rgba.begin(), d.rgba.begin() + frameBytes),
              std::vector<uint8_t>(d.rgba.begin() + frameBytes, d.rgba.begin() + 2 * frameBytes));
    int opaque = 0, clear = 0;
    for (size_t i = 3; i < frameBytes; i += 4) (d.rgba[i] ? opaque : clear)++;
    EXPECT_GT(opaque, 100);  // something is drawn
    EXPECT_GT(clear, 400);   // on a transparent ground
  }
}
