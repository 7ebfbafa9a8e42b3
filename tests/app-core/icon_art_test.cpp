// The icon artwork and its .ico encoding.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "tools/icons/artwork.h"
#include "tools/icons/ico_writer.h"

namespace {
uint32_t Read32(const std::vector<uint8_t>& b, size_t at) {
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<uint32_t>(b[at + 3]) << 24;
}
uint16_t Read16(const std::vector<uint8_t>& b, size_t at) { return static_cast<uint16_t>(b[at] | b[at + 1] << 8); }

int Opaque(const std::vector<Pixel>& pixels) {
    int n = 0;
    for (const Pixel& p : pixels) n += p.opaque;
    return n;
}
const Pixel& At(const std::vector<Pixel>& pixels, int x, int y) { return pixels[y * 32 + x]; }
bool Yellow(Rgb c) { return c.r > 200 && c.g > 150 && c.b < 100; }
}  // namespace

TEST(IconArt, BearFaceIsYellowOnAnAlmostOpaquePaleTile) {
    auto bear = DrawBearFace();
    ASSERT_EQ(bear.size(), 1024u);
    EXPECT_GT(Opaque(bear), 1000);
    EXPECT_LT(Opaque(bear), 1024);  // the rounded corners show through
    EXPECT_FALSE(At(bear, 0, 0).opaque);
    EXPECT_TRUE(Yellow(At(bear, 16, 12).colour));   // forehead
    const Rgb tile = At(bear, 1, 16).colour;        // left edge, beside the head
    EXPECT_GT(tile.r + tile.g + tile.b, 3 * 200);
    const Rgb eye = At(bear, 11, 15).colour;
    EXPECT_LT(eye.r + eye.g + eye.b, 3 * 110);      // dark
}

TEST(IconArt, BooksArePinkRedAndBlueOnATransparentGround) {
    auto books = DrawBookStack();
    ASSERT_EQ(books.size(), 1024u);
    EXPECT_FALSE(At(books, 0, 0).opaque);
    EXPECT_FALSE(At(books, 31, 0).opaque);
    EXPECT_FALSE(At(books, 16, 1).opaque);
    EXPECT_LT(Opaque(books), 900);
    const Rgb pink = At(books, 16, 12).colour, red = At(books, 16, 20).colour, blue = At(books, 16, 28).colour;
    EXPECT_TRUE(pink.r > 200 && pink.b > 150 && pink.g < 180);
    EXPECT_TRUE(red.r > 150 && red.g < 80 && red.b < 80);
    EXPECT_TRUE(blue.b > 150 && blue.r < 100);
    const Rgb pages = At(books, 22, 9).colour;  // the pink book's page edges
    EXPECT_EQ(pages.r, pages.g);
    EXPECT_EQ(pages.g, pages.b);
}

TEST(IconEncoding, OneImageOf32By32In256ColoursWithAMask) {
    auto pixels = DrawBearFace();
    auto ico = EncodeIcon(pixels);
    ASSERT_EQ(ico.size(), 6u + 16 + 40 + 1024 + 1024 + 128);
    EXPECT_EQ(Read16(ico, 0), 0);
    EXPECT_EQ(Read16(ico, 2), 1);  // icon
    EXPECT_EQ(Read16(ico, 4), 1);  // one image
    EXPECT_EQ(ico[6], 32);
    EXPECT_EQ(ico[7], 32);
    EXPECT_EQ(Read16(ico, 12), 8);
    EXPECT_EQ(Read32(ico, 14), ico.size() - 22);
    EXPECT_EQ(Read32(ico, 18), 22u);
    EXPECT_EQ(Read32(ico, 22), 40u);
    EXPECT_EQ(Read32(ico, 26), 32u);
    EXPECT_EQ(Read32(ico, 30), 64u);  // colour rows and mask rows
    EXPECT_EQ(Read16(ico, 36), 8);
}

TEST(IconEncoding, MaskAndColoursFollowThePixels) {
    auto pixels = DrawBookStack();
    auto ico = EncodeIcon(pixels);
    const size_t palette = 22 + 40, colours = palette + 1024, mask = colours + 1024;
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            int row = 31 - y;  // rows are stored bottom up
            bool transparent = ico[mask + row * 4 + x / 8] & (0x80 >> (x % 8));
            const Pixel& p = pixels[y * 32 + x];
            ASSERT_EQ(transparent, !p.opaque) << x << "," << y;
            uint8_t index = ico[colours + row * 32 + x];
            if (!p.opaque) {
                EXPECT_EQ(index, 0);
                continue;
            }
            const uint8_t* entry = &ico[palette + index * 4];  // blue, green, red
            EXPECT_LE(std::abs(entry[2] - p.colour.r) + std::abs(entry[1] - p.colour.g) +
                          std::abs(entry[0] - p.colour.b),
                      24)
                << x << "," << y;
        }
}

TEST(IconEncoding, ManyColoursAreCoarsenedIntoThePalette) {
    std::vector<Pixel> rainbow(1024);
    for (int i = 0; i < 1024; ++i)
        rainbow[i] = {Rgb{static_cast<uint8_t>(i * 7), static_cast<uint8_t>(i * 13), static_cast<uint8_t>(i)}, true};
    auto ico = EncodeIcon(rainbow);
    ASSERT_EQ(ico.size(), 6u + 16 + 40 + 1024 + 1024 + 128);
    for (size_t k = ico.size() - 128; k < ico.size(); ++k) EXPECT_EQ(ico[k], 0);  // all opaque
}

namespace {
std::vector<uint8_t> FileBytes(const std::string& path) {
    std::vector<uint8_t> bytes;
    if (std::FILE* f = std::fopen(path.c_str(), "rb")) {
        int c;
        while ((c = std::fgetc(f)) != EOF && bytes.size() < (1u << 20)) bytes.push_back(static_cast<uint8_t>(c));
        std::fclose(f);
    }
    return bytes;
}
}  // namespace

TEST(IconEncoding, CommittedIconsAreWhatTheMakerDraws) {
    const std::string dir = std::string(BRIMBLO_SOURCE_DIR) + "/resources/";
    EXPECT_EQ(FileBytes(dir + "bear.ico"), EncodeIcon(DrawBearFace()));
    EXPECT_EQ(FileBytes(dir + "books.ico"), EncodeIcon(DrawBookStack()));
}
