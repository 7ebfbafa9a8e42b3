// Bitmap definitions: lossless formats and palettes, JPEG with tables and alpha planes.
#include <gtest/gtest.h>

#include "movie/format/bitmap_parser.h"
#include "movie/format/tag_codes.h"
#include "movie_fixtures.h"

#include "tools/stb_write_private.h"

using namespace movie;
using namespace movie_test;

namespace {

std::shared_ptr<movie::Bitmap> parseTag(const swf::TagList& t, const std::vector<uint8_t>& tables = {}) {
  const swf::Bytes& tag = t.bytes();
  uint16_t head = uint16_t(tag[0] | (tag[1] << 8));
  size_t len = head & 0x3F, at = 2;
  if (len == 0x3F) {
    len = tag[2] | (tag[3] << 8) | (tag[4] << 16) | (size_t(tag[5]) << 24);
    at = 6;
  }
  uint16_t id = 0;
  std::string error;
  auto b = format::parseBitmap(uint16_t(head >> 6), tag.data() + at, len, tables, id, error);
  EXPECT_TRUE(b) << error;
  return b;
}

// A 16 x 8 JPEG of the RGB pixels.
swf::Bytes encodeJpeg(const std::vector<uint8_t>& rgb, int quality) {
  swf::Bytes out;
  stbi_write_jpg_to_func([](void* ctx, void* data, int size) {
    auto* o = static_cast<swf::Bytes*>(ctx);
    o->insert(o->end(), static_cast<uint8_t*>(data), static_cast<uint8_t*>(data) + size);
  }, &out, 16, 8, 3, rgb.data(), quality);
  return out;
}

// A 16 x 8 JPEG: left half red, right half blue.
swf::Bytes makeJpeg() {
  std::vector<uint8_t> rgb(16 * 8 * 3);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 16; ++x) {
      uint8_t* p = &rgb[(y * 16 + x) * 3];
      p[0] = x < 8 ? 255 : 0;
      p[2] = x < 8 ? 0 : 255;
    }
  return encodeJpeg(rgb, 95);
}

void expectRedBlue(const movie::Bitmap& b) {
  ASSERT_EQ(b.width, 16);
  ASSERT_EQ(b.height, 8);
  uint32_t left = b.pixels[4 * 16 + 2], right = b.pixels[4 * 16 + 13];
  EXPECT_GT((left >> 16) & 0xFF, 200u);
  EXPECT_LT(left & 0xFF, 60u);
  EXPECT_GT(right & 0xFF, 200u);
  EXPECT_LT((right >> 16) & 0xFF, 60u);
}

swf::Bytes withId(uint16_t id, const swf::Bytes& rest) {
  swf::Bytes b = {uint8_t(id), uint8_t(id >> 8)};
  b.insert(b.end(), rest.begin(), rest.end());
  return b;
}

// The bitmap of a DefineBitsJPEG3 tag (id 1) holding the JPEG and the alpha plane.
std::shared_ptr<movie::Bitmap> parseJpeg3(const swf::Bytes& jpeg, const std::vector<uint8_t>& alpha) {
  swf::Bytes packed = swf::zlibCompress(alpha);
  swf::Bytes body = withId(1, {});
  uint32_t off = uint32_t(jpeg.size());
  for (int k = 0; k < 4; ++k) body.push_back(uint8_t(off >> (8 * k)));
  body.insert(body.end(), jpeg.begin(), jpeg.end());
  body.insert(body.end(), packed.begin(), packed.end());
  swf::TagList t;
  t.raw(format::kDefineBitsJPEG3, body, true);
  return parseTag(t);
}

}  // namespace

TEST(Bitmaps, LosslessTrueColourIsOpaque) {
  swf::TagList t;
  t.defineBitsLossless(1, 2, 2, {0xFF112233, 0x00445566, 0xFF778899, 0x80AABBCC});
  auto b = parseTag(t);
  ASSERT_EQ(b->pixels.size(), 4u);
  EXPECT_EQ(b->pixels[0], 0xFF112233u);
  EXPECT_EQ(b->pixels[1], 0xFF445566u);  // version 1 has no alpha
  EXPECT_EQ(b->pixels[3], 0xFFAABBCCu);
}

TEST(Bitmaps, Lossless2KeepsPremultipliedAlpha) {
  swf::TagList t;
  t.defineBitsLossless2(1, 2, 1, {0xFFFF0000, 0x80FF0000});
  auto b = parseTag(t);
  EXPECT_EQ(b->pixels[0], 0xFFFF0000u);
  uint32_t half = b->pixels[1];
  EXPECT_EQ(half >> 24, 0x80u);
  EXPECT_NEAR(int((half >> 16) & 0xFF), 0x80, 1);  // premultiplied red
}

TEST(Bitmaps, ColourMappedWithPaddedRows) {
  // 3 x 2 pixels: rows are padded to 4 bytes in the stored data.
  swf::TagList v1, v2;
  std::vector<uint32_t> palette = {0xFF000000, 0xFFFF0000, 0x8000FF00};
  std::vector<uint8_t> idx = {0, 1, 2, 2, 1, 0};
  v1.defineBitsColormapped(1, 3, 2, palette, idx, false);
  v2.defineBitsColormapped(1, 3, 2, palette, idx, true);
  auto a = parseTag(v1), b = parseTag(v2);
  EXPECT_EQ(a->pixels[1], 0xFFFF0000u);
  EXPECT_EQ(a->pixels[2], 0xFF00FF00u);  // no alpha in version 1
  EXPECT_EQ(a->pixels[3], 0xFF00FF00u);
  EXPECT_EQ(a->pixels[5], 0xFF000000u);
  EXPECT_EQ(b->pixels[2] >> 24, 0x80u);
  EXPECT_EQ(b->pixels[4], 0xFFFF0000u);
}

TEST(Bitmaps, FifteenBitPixels) {
  // Format 4: one 16-bit big-endian pixel per entry, rows padded to 4 bytes.
  swf::Bytes raw = {0x7C, 0x00, 0x00, 0x00,   // red, padding
                    0x03, 0xE0, 0x00, 0x00};  // green
  swf::Bytes packed = swf::zlibCompress(raw);
  swf::Bytes body = withId(1, {4, 1, 0, 2, 0});
  body.insert(body.end(), packed.begin(), packed.end());
  swf::TagList t;
  t.raw(format::kDefineBitsLossless, body, true);
  auto b = parseTag(t);
  EXPECT_EQ(b->pixels[0], 0xFFFF0000u);
  EXPECT_EQ(b->pixels[1], 0xFF00FF00u);
}

TEST(Bitmaps, ShortLosslessDataReadsAsZero) {
  swf::Bytes packed = swf::zlibCompress({1, 2, 3, 4});
  swf::Bytes body = withId(1, {5, 4, 0, 4, 0});
  body.insert(body.end(), packed.begin(), packed.end());
  swf::TagList t;
  t.raw(format::kDefineBitsLossless2, body, true);
  auto b = parseTag(t);
  EXPECT_EQ(b->pixels.size(), 16u);
  EXPECT_EQ(b->pixels[15], 0u);
}

TEST(Bitmaps, AbsurdSizesAreRefused) {
  swf::Bytes body = withId(1, {5, 0xFF, 0xFF, 0xFF, 0xFF, 0x78, 0x9C});
  uint16_t id;
  std::string error;
  EXPECT_EQ(format::parseBitmap(format::kDefineBitsLossless, body.data(), body.size(), {}, id, error), nullptr);
  EXPECT_FALSE(error.empty());
}

TEST(Bitmaps, Jpeg2DecodesAndToleratesAStrayEndMarker) {
  swf::Bytes jpeg = makeJpeg();
  swf::Bytes stray = {0xFF, 0xD9, 0xFF, 0xD8};
  stray.insert(stray.end(), jpeg.begin(), jpeg.end());
  swf::TagList t;
  t.raw(format::kDefineBitsJPEG2, withId(1, stray), true);
  expectRedBlue(*parseTag(t));
}

TEST(Bitmaps, DefineBitsUsesTheMovieTables) {
  // Split the JPEG: quantisation and Huffman tables go to JPEGTables, the rest stays.
  swf::Bytes jpeg = makeJpeg();
  swf::Bytes tables = {0xFF, 0xD8}, image = {0xFF, 0xD8};
  size_t i = 2;
  while (i + 4 <= jpeg.size() && jpeg[i] == 0xFF && jpeg[i + 1] != 0xDA) {
    size_t len = (size_t(jpeg[i + 2]) << 8) | jpeg[i + 3];
    swf::Bytes& to = (jpeg[i + 1] == 0xDB || jpeg[i + 1] == 0xC4) ? tables : image;
    to.insert(to.end(), jpeg.begin() + i, jpeg.begin() + i + 2 + len);
    i += 2 + len;
  }
  image.insert(image.end(), jpeg.begin() + i, jpeg.end());
  tables.push_back(0xFF);
  tables.push_back(0xD9);
  swf::TagList t;
  t.raw(format::kDefineBits, withId(1, image), true);
  expectRedBlue(*parseTag(t, tables));
}

TEST(Bitmaps, Jpeg3AppliesItsAlphaPlane) {
  std::vector<uint8_t> alpha(16 * 8, 255);
  for (int y = 0; y < 8; ++y) alpha[y * 16 + 2] = 0x40;
  auto b = parseJpeg3(makeJpeg(), alpha);
  uint32_t p = b->pixels[4 * 16 + 2];
  EXPECT_EQ(p >> 24, 0x40u);
  EXPECT_LE((p >> 16) & 0xFF, 0x40u);  // premultiplied
  EXPECT_GT((p >> 16) & 0xFF, 0x30u);
  EXPECT_EQ(b->pixels[4 * 16 + 13] >> 24, 0xFFu);
}

// The JPEG's colours are stored already multiplied by the alpha plane: grey 96 under
// alpha 128 stays 96 (not 48), and a channel above its alpha is clamped to it.
TEST(Bitmaps, Jpeg3ColoursAreStoredPremultiplied) {
  std::vector<uint8_t> rgb(16 * 8 * 3, 96);
  for (int i = 0; i < 16 * 8; ++i) rgb[size_t(i) * 3] = 200;  // red above the alpha
  auto b = parseJpeg3(encodeJpeg(rgb, 100), std::vector<uint8_t>(16 * 8, 128));
  uint32_t p = b->pixels[4 * 16 + 8];
  EXPECT_EQ(p >> 24, 128u);
  EXPECT_EQ((p >> 16) & 0xFF, 128u);
  EXPECT_NEAR(int((p >> 8) & 0xFF), 96, 2);
  EXPECT_NEAR(int(p & 0xFF), 96, 2);
}

TEST(Bitmaps, UndecodableJpegIsReported) {
  swf::TagList t;
  t.raw(format::kDefineBitsJPEG2, withId(1, {0xFF, 0xD8, 0x00, 0x01, 0x02}), true);
  const swf::Bytes& tag = t.bytes();
  uint16_t id;
  std::string error;
  EXPECT_EQ(format::parseBitmap(format::kDefineBitsJPEG2, tag.data() + 6, tag.size() - 6, {}, id, error), nullptr);
  EXPECT_EQ(id, 1);
}

TEST(Bitmaps, BitmapFillsAndPlacedBitmapsDraw) {
  swf::TagList t;
  t.setBackgroundColor(swf::rgb(kWhite));
  t.defineBitsLossless(1, 2, 2, {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFF000000});
  swf::Shape s;
  // Each bitmap pixel 10 stage pixels wide, clipped, not smoothed.
  int f = s.addFill(swf::FillStyle::bitmap(1, swf::Matrix::bitmap(0, 0, 10.0), true, false));
  s.rect(0, 0, swf::twips(20), swf::twips(20), f);
  t.defineShape(2, s);
  t.placeObject2(placeAt(1, 2));
  t.showFrame();
  t.end();
  movie::Player p;
  load(p, movieOf(t, 40, 40));
  auto px = renderPixels(p, 40, 40);
  EXPECT_EQ(rgbOf(px[5 * 40 + 5]), kRed);
  EXPECT_EQ(rgbOf(px[5 * 40 + 15]), kGreen);
  EXPECT_EQ(rgbOf(px[15 * 40 + 5]), kBlue);
  EXPECT_EQ(rgbOf(px[15 * 40 + 15]), 0u);
  EXPECT_EQ(rgbOf(px[30 * 40 + 30]), kWhite);
}

TEST(Bitmaps, TinyDataClaimingAHugePictureIsRefused) {
  swf::Bytes packed = swf::zlibCompress({1, 2, 3, 4});
  swf::Bytes body = withId(1, {5, 0x00, 0x10, 0x00, 0x10});  // 4096 x 4096
  body.insert(body.end(), packed.begin(), packed.end());
  uint16_t id;
  std::string error;
  EXPECT_EQ(format::parseBitmap(format::kDefineBitsLossless2, body.data(), body.size(), {}, id, error), nullptr);
  EXPECT_EQ(error, "A bitmap's data is too short for its size.");
}

namespace {

// A black and a white bitmap pixel side by side, each 20 stage pixels wide, with the
// fill's smoothing flag as given; the pixel midway between the two texel centres.
uint32_t midwayPixel(bool smoothedFill, movie::Quality quality) {
  swf::TagList t;
  t.setBackgroundColor(swf::rgb(kRed));
  t.defineBitsLossless(1, 2, 1, {0xFF000000, 0xFFFFFFFF});
  swf::Shape s;
  int f = s.addFill(swf::FillStyle::bitmap(1, swf::Matrix::bitmap(0, 0, 20.0), true, smoothedFill));
  s.rect(0, 0, swf::twips(40), swf::twips(20), f);
  t.defineShape(2, s);
  t.placeObject2(placeAt(1, 2));
  t.showFrame();
  t.end();
  movie::Player p;
  p.setQuality(quality);
  load(p, movieOf(t, 40, 20));
  auto px = renderPixels(p, 40, 20);
  return px[10 * 40 + 20];
}

}  // namespace

TEST(Bitmaps, SmoothingFollowsTheFillFlagAtEveryQuality) {
  // Smoothed: between the texel centres (10 and 30) the grey ramps; pixel 20 is midway.
  for (movie::Quality q : {movie::Quality::High, movie::Quality::Medium, movie::Quality::Low}) {
    uint32_t smooth = midwayPixel(true, q);
    EXPECT_NEAR(int((smooth >> 8) & 0xFF), 128, 16) << int(q);
  }
  // Unsmoothed: the nearest texel, white.
  EXPECT_EQ(rgbOf(midwayPixel(false, movie::Quality::High)), kWhite);
  EXPECT_EQ(rgbOf(midwayPixel(false, movie::Quality::Low)), kWhite);
}
