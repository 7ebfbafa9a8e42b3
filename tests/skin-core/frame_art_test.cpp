// The bitmap-drawn frame style's artwork and the bitmap files made from it.
#include <gtest/gtest.h>

#include <cctype>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "tools/frame-art/bmp_writer.h"
#include "tools/frame-art/frame_art.h"

namespace {

const ArtPixel kWhite{255, 255, 255};

std::vector<std::uint8_t> ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), {});
}

}  // namespace

TEST(FrameArt, ThirteenPiecesAtTheirSizes) {
  const std::vector<std::pair<std::string, std::pair<int, int>>> expected = {
      {"ICQTOPLEFT", {16, 28}},    {"ICQTOPRIGHT", {16, 28}},   {"ICQBTMLEFT", {14, 13}},
      {"ICQBTMRGHT", {15, 16}},    {"ICQMINUPBTN", {15, 15}},   {"ICQMINHLBTN", {15, 15}},
      {"ICQMINDOWNBTN", {15, 15}}, {"ICQMAXUPBTN", {15, 15}},   {"ICQMAXHLBTN", {15, 15}},
      {"ICQMAXDOWNBTN", {15, 15}}, {"ICQCLOSEUPBTN", {15, 15}}, {"ICQCLOSEHLBTN", {15, 15}},
      {"ICQCLOSEDOWNBTN", {15, 15}}};
  auto images = DrawFrameBitmaps();
  ASSERT_EQ(images.size(), expected.size());
  for (size_t i = 0; i < images.size(); ++i) {
    EXPECT_EQ(images[i].name, expected[i].first);
    EXPECT_EQ(images[i].width, expected[i].second.first);
    EXPECT_EQ(images[i].height, expected[i].second.second);
    EXPECT_EQ(images[i].pixels.size(), size_t(images[i].width) * images[i].height);
  }
}

TEST(FrameArt, WhiteOnlyOutsideTheShapes) {
  for (const ArtImage& img : DrawFrameBitmaps()) {
    int white = 0;
    for (const ArtPixel& p : img.pixels) white += p == kWhite;
    EXPECT_GT(white, 0) << img.name;                                         // a transparent outside
    EXPECT_LT(white, static_cast<int>(img.pixels.size()) / 2) << img.name;  // a shape that shows
    EXPECT_NE(img.At(img.width / 2, img.height / 2), kWhite) << img.name;
  }
  auto images = DrawFrameBitmaps();
  EXPECT_EQ(images[0].At(0, 0), kWhite);     // top-left: rounded away at the outer corner
  EXPECT_NE(images[0].At(15, 27), kWhite);
  EXPECT_EQ(images[1].At(15, 0), kWhite);    // top-right mirrors it
  EXPECT_NE(images[1].At(0, 27), kWhite);
  EXPECT_EQ(images[4].At(0, 0), kWhite);     // buttons have rounded corners
}

TEST(FrameArt, FacesDifferByStateAndTheGlyphMovesWhenPressed) {
  auto images = DrawFrameBitmaps();
  for (int button = 0; button < 3; ++button) {
    const ArtImage &up = images[4 + 3 * button], &hot = images[5 + 3 * button], &down = images[6 + 3 * button];
    EXPECT_NE(up.pixels, hot.pixels);
    EXPECT_NE(up.pixels, down.pixels);
  }
  const ArtImage &closeUp = images[10], &closeDown = images[12];
  EXPECT_EQ(closeUp.At(4, 4), (ArtPixel{250, 250, 250}));  // the cross starts at (4, 4)...
  EXPECT_EQ(closeDown.At(5, 5), (ArtPixel{250, 250, 250}));  // ...one pixel further when pressed
  EXPECT_NE(closeDown.At(4, 4), (ArtPixel{250, 250, 250}));
}

TEST(FrameArt, BitmapFileLayout) {
  ArtImage img{"X", 3, 2, {{1, 2, 3}, {4, 5, 6}, {7, 8, 9}, {10, 11, 12}, {13, 14, 15}, {16, 17, 18}}};
  auto bytes = EncodeBmp24(img);
  ASSERT_EQ(bytes.size(), 14u + 40 + 2 * 12);  // rows of 9 bytes padded to 12
  EXPECT_EQ(bytes[0], 'B');
  EXPECT_EQ(bytes[28], 24);                   // bits per pixel
  EXPECT_EQ(bytes[54], 12);                   // the bottom row first, blue first
  EXPECT_EQ(bytes[55], 11);
  EXPECT_EQ(bytes[56], 10);
  EXPECT_EQ(bytes[54 + 12], 3);
}

TEST(FrameArt, TheResourceFilesAreTheGeneratorsOutput) {
  for (const ArtImage& img : DrawFrameBitmaps()) {
    std::string file = img.name;
    for (char& c : file) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    EXPECT_EQ(ReadFile(std::string(BRIMBLO_SOURCE_DIR) + "/resources/" + file + ".bmp"), EncodeBmp24(img))
        << file << ": run make-frame-bitmaps resources";
  }
}
