// GIF decoding with GIFs built here: an LZW encoder, colour tables, transparency,
// animation timing, disposal, interlacing and broken data.
#include "page/image/gif.h"

#include <gtest/gtest.h>

#include <vector>

#include "gif_builder.h"

namespace page {
namespace {

using test::buildGif;
using test::GifFrame;
using test::lzwEncode;

constexpr uint32_t kRed = 0xFFFF0000, kGreen = 0xFF00FF00, kBlue = 0xFF0000FF, kBlack = 0xFF000000;

TEST(Gif, LzwRoundTripsLongRuns) {
  std::vector<uint8_t> in;
  for (int i = 0; i < 20000; ++i) in.push_back(uint8_t((i / 7 + i % 3) & 3));
  std::vector<uint8_t> code = lzwEncode(in, 2);
  std::vector<uint8_t> out(in.size());
  EXPECT_EQ(decodeLzw(code.data(), code.size(), 2, out.data(), out.size()), in.size());
  EXPECT_EQ(out, in);
  // The "code not yet in the table" case: a run of one value.
  std::vector<uint8_t> same(500, 3), back(500);
  code = lzwEncode(same, 2);
  EXPECT_EQ(decodeLzw(code.data(), code.size(), 2, back.data(), back.size()), same.size());
  EXPECT_EQ(back, same);
}

TEST(Gif, SingleFrameColours) {
  auto gif = buildGif(2, 2, {{0, 0, 2, 2, {1, 2, 3, 0}}});
  auto img = decodeGif(gif.data(), gif.size());
  ASSERT_NE(img, nullptr);
  EXPECT_EQ(img->width, 2);
  ASSERT_EQ(img->frames.size(), 1u);
  EXPECT_EQ(img->frames[0].pixels, (std::vector<uint32_t>{kRed, kGreen, kBlue, kBlack}));
  EXPECT_EQ(img->frames[0].delayMs, 0);
  EXPECT_FALSE(img->animated());
}

TEST(Gif, TransparentIndexLeavesPixelsClear) {
  auto gif = buildGif(2, 1, {{0, 0, 2, 1, {1, 0}, 0, 0}});
  auto img = decodeGif(gif.data(), gif.size());
  ASSERT_NE(img, nullptr);
  EXPECT_EQ(img->frames[0].pixels[0], kRed);
  EXPECT_EQ(img->frames[0].pixels[1], 0u);
}

TEST(Gif, AnimationFramesComposeWithTiming) {
  GifFrame a{0, 0, 2, 2, {1, 1, 1, 1}, 10};
  GifFrame b{1, 1, 1, 1, {2}, 50};   // a patch over the first frame
  GifFrame c{0, 0, 1, 1, {3}, 1};    // "as fast as possible": shown at 100 ms
  auto gif = buildGif(2, 2, {a, b, c}, 0);
  auto img = decodeGif(gif.data(), gif.size());
  ASSERT_NE(img, nullptr);
  ASSERT_EQ(img->frames.size(), 3u);
  EXPECT_TRUE(img->animated());
  EXPECT_EQ(img->loopCount, 0);
  EXPECT_EQ(img->frames[0].delayMs, 100);
  EXPECT_EQ(img->frames[1].delayMs, 500);
  EXPECT_EQ(img->frames[2].delayMs, 100);
  EXPECT_EQ(img->frames[1].pixels, (std::vector<uint32_t>{kRed, kRed, kRed, kGreen}));
  EXPECT_EQ(img->frames[2].pixels, (std::vector<uint32_t>{kBlue, kRed, kRed, kGreen}));
}

TEST(Gif, DisposalToBackgroundAndToPrevious) {
  GifFrame a{0, 0, 2, 1, {1, 1}, 10, -1, 2};  // cleared after showing
  GifFrame b{1, 0, 1, 1, {2}, 10, -1, 3};     // restored to what was before it
  GifFrame c{0, 0, 1, 1, {3}, 10};
  auto gif = buildGif(2, 1, {a, b, c}, 3);
  auto img = decodeGif(gif.data(), gif.size());
  ASSERT_NE(img, nullptr);
  EXPECT_EQ(img->loopCount, 3);
  EXPECT_EQ(img->frames[1].pixels, (std::vector<uint32_t>{0, kGreen}));
  EXPECT_EQ(img->frames[2].pixels, (std::vector<uint32_t>{kBlue, 0}));
}

TEST(Gif, InterlacedRowsLandInPlace) {
  std::vector<uint8_t> rows;  // stored in pass order 0,4 | 2 | 1,3 for 5 rows (values = row index & 3)
  for (int r : {0, 4, 2, 1, 3}) rows.push_back(uint8_t(r & 3));
  GifFrame f{0, 0, 1, 5, rows};
  f.interlaced = true;
  auto gif = buildGif(1, 5, {f});
  auto img = decodeGif(gif.data(), gif.size());
  ASSERT_NE(img, nullptr);
  EXPECT_EQ(img->frames[0].pixels, (std::vector<uint32_t>{kBlack, kRed, kGreen, kBlue, kBlack}));
}

TEST(Gif, FrameOutsideTheCanvasIsClipped) {
  auto gif = buildGif(2, 2, {{1, 1, 3, 3, std::vector<uint8_t>(9, 1)}});
  auto img = decodeGif(gif.data(), gif.size());
  ASSERT_NE(img, nullptr);
  EXPECT_EQ(img->frames[0].pixels, (std::vector<uint32_t>{0, 0, 0, kRed}));
}

TEST(Gif, TruncatedFileKeepsTheFramesBeforeTheBreak) {
  GifFrame a{0, 0, 2, 2, {1, 1, 1, 1}, 10};
  auto gif = buildGif(2, 2, {a, a, a});
  for (size_t cut = 0; cut < gif.size(); ++cut) {
    auto img = decodeGif(gif.data(), cut);  // never crashes, at any length
    if (img) {
      EXPECT_LE(img->frames.size(), 3u);
    }
  }
  auto whole = decodeGif(gif.data(), gif.size());
  ASSERT_NE(whole, nullptr);
  EXPECT_EQ(whole->frames.size(), 3u);
}

TEST(Gif, RejectsNonGifAndAbsurdSizes) {
  const uint8_t junk[] = "not a gif at all";
  EXPECT_EQ(decodeGif(junk, sizeof junk), nullptr);
  auto gif = buildGif(2, 2, {{0, 0, 2, 2, {1, 1, 1, 1}}});
  gif[6] = gif[7] = gif[8] = gif[9] = 0xFF;  // 65535 x 65535
  EXPECT_EQ(decodeGif(gif.data(), gif.size()), nullptr);
}

TEST(Gif, DecodeImageDispatchesAndRejectsGarbage) {
  auto gif = buildGif(1, 1, {{0, 0, 1, 1, {2}}});
  auto img = decodeImage(gif.data(), gif.size());
  ASSERT_NE(img, nullptr);
  EXPECT_EQ(img->frames[0].pixels[0], kGreen);
  const uint8_t png[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0, 0, 0, 13, 'I', 'H', 'D', 'R'};
  EXPECT_EQ(decodeImage(png, sizeof png), nullptr);
  EXPECT_EQ(decodeImage(nullptr, 0), nullptr);
}

}  // namespace
}  // namespace page
