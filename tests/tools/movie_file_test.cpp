// Whole movies: header fields, tag stream, CWS compression and tag bodies.
#include <gtest/gtest.h>

#include <zlib.h>

#include "swf_test_reader.h"
#include "tools/swf/swf_writer.h"

using swf::Bytes;

namespace {

swf::TagList smallTimeline() {
  swf::TagList tags;
  tags.fileAttributes(true);
  tags.setBackgroundColor(swf::rgb(0x336699));
  swf::Shape s;
  s.rect(0, 0, 200, 200, s.addFill(swf::FillStyle::solid(swf::rgb(0xFFCC00))));
  tags.defineShape(1, s, 3);
  swf::Place p;
  p.characterId = 1;
  p.matrix = swf::Matrix::translate(100, 100);
  tags.placeObject2(p);
  tags.showFrame();
  tags.frameLabel("two");
  tags.showFrame();
  tags.end();
  return tags;
}

std::vector<uint16_t> codes(const std::vector<swftest::Tag>& tags) {
  std::vector<uint16_t> c;
  for (const auto& t : tags) c.push_back(t.code);
  return c;
}

Bytes inflate(const Bytes& packed, size_t size) {
  Bytes out(size);
  uLongf n = uLongf(size);
  EXPECT_EQ(uncompress(out.data(), &n, packed.data(), uLong(packed.size())), Z_OK);
  EXPECT_EQ(n, size);
  return out;
}

}  // namespace

TEST(MovieFileTest, HeaderAndTagStreamReadBack) {
  swf::MovieHeader h;
  h.version = 9;
  h.frameRate = 24.5;
  const Bytes file = swf::writeMovie(h, smallTimeline());
  const auto movie = swftest::readMovie(file);
  ASSERT_TRUE(movie);
  EXPECT_STREQ(movie->signature, "FWS");
  EXPECT_EQ(movie->version, 9);
  EXPECT_EQ(movie->fileLength, file.size());
  EXPECT_EQ(movie->stage.xMax, 11000);
  EXPECT_EQ(movie->stage.yMax, 8000);
  EXPECT_EQ(movie->frameRate88, 0x1880);  // 24.5 in 8.8 fixed point
  EXPECT_EQ(movie->frameCount, 2);
  EXPECT_EQ(codes(movie->tags), (std::vector<uint16_t>{69, 9, 32, 26, 1, 43, 1, 0}));
  EXPECT_TRUE(movie->tagsClean);
  EXPECT_EQ(movie->tags[0].body, (Bytes{0x01, 0, 0, 0}));  // network access allowed
  EXPECT_EQ(movie->tags[1].body, (Bytes{0x33, 0x66, 0x99}));
  EXPECT_EQ(movie->tags[5].body, (Bytes{'t', 'w', 'o', 0}));
}

TEST(MovieFileTest, CompressedFileInflatesToTheSameMovie) {
  swf::MovieHeader h;
  const Bytes plain = swf::writeMovie(h, smallTimeline());
  h.compressed = true;
  const Bytes packed = swf::writeMovie(h, smallTimeline());
  ASSERT_GT(packed.size(), 8u);
  EXPECT_EQ(Bytes(packed.begin(), packed.begin() + 3), (Bytes{'C', 'W', 'S'}));
  EXPECT_EQ(Bytes(packed.begin() + 3, packed.begin() + 8), Bytes(plain.begin() + 3, plain.begin() + 8));
  const Bytes body = inflate(Bytes(packed.begin() + 8, packed.end()), plain.size() - 8);
  EXPECT_EQ(body, Bytes(plain.begin() + 8, plain.end()));
  const auto movie = swftest::readMovie(packed);
  ASSERT_TRUE(movie);
  EXPECT_EQ(movie->uncompressed, plain);
}

TEST(MovieFileTest, FrameCountCanBeOverriddenForDamagedMovies) {
  swf::MovieHeader h;
  h.frameCount = 500;
  swf::TagList tags;
  tags.raw(1, {});  // a ShowFrame written raw is not counted
  const auto movie = swftest::readMovie(swf::writeMovie(h, tags));
  ASSERT_TRUE(movie);
  EXPECT_EQ(movie->frameCount, 500);
  EXPECT_FALSE(movie->tagsClean);  // no End tag
  EXPECT_THROW(
      [] {
        swf::MovieHeader bad;
        bad.frameRate = 300;
        return swf::writeMovie(bad, swf::TagList{});
      }(),
      std::invalid_argument);
}

TEST(MovieFileTest, RawTagsAreWrittenVerbatim) {
  swf::TagList tags;
  tags.raw(1023, {0xDE, 0xAD});
  tags.raw(2, {1, 2, 3}, true);
  const Bytes& b = tags.bytes();
  EXPECT_EQ(b, (Bytes{0xC2, 0xFF, 0xDE, 0xAD, 0xBF, 0x00, 3, 0, 0, 0, 1, 2, 3}));
  const auto parsed = swftest::readTags(b.data(), b.size());
  ASSERT_EQ(parsed.size(), 2u);
  EXPECT_TRUE(parsed[1].longHeader);
  EXPECT_EQ(tags.frameCount(), 0);
}

TEST(SpriteTest, HoldsItsOwnFrames) {
  swf::TagList sprite;
  swf::Place p;
  p.characterId = 1;
  sprite.placeObject2(p);
  sprite.showFrame();
  swf::Place move;
  move.move = true;
  move.matrix = swf::Matrix::translate(40, 0);
  sprite.placeObject2(move);
  sprite.showFrame();
  sprite.showFrame();
  sprite.end();
  swf::TagList tags;
  tags.defineSprite(5, sprite);
  const auto outer = swftest::readTags(tags.bytes().data(), tags.bytes().size());
  ASSERT_EQ(outer.size(), 1u);
  EXPECT_EQ(outer[0].code, 39);
  const Bytes& body = outer[0].body;
  ASSERT_GE(body.size(), 4u);
  EXPECT_EQ(body[0] | body[1] << 8, 5);
  EXPECT_EQ(body[2] | body[3] << 8, 3);
  bool clean = false;
  const auto inner = swftest::readTags(body.data() + 4, body.size() - 4, &clean);
  EXPECT_EQ(codes(inner), (std::vector<uint16_t>{26, 1, 26, 1, 1, 0}));
  EXPECT_TRUE(clean);
  EXPECT_EQ(tags.frameCount(), 0);  // the sprite's frames are not the movie's
}

TEST(PlaceObjectTest, EveryFieldOfPlaceObject2) {
  swf::Place p;
  p.depth = 0x0203;
  p.characterId = 0x0405;
  p.move = true;
  p.matrix = swf::Matrix::translate(20, -20);
  p.colorTransform = swf::ColorTransform::alpha(0.5);
  p.ratio = 0x0607;
  p.name = "ball";
  p.clipDepth = 0x0809;
  swf::TagList tags;
  tags.placeObject2(p);
  const auto parsed = swftest::readTags(tags.bytes().data(), tags.bytes().size());
  ASSERT_EQ(parsed.size(), 1u);
  swftest::BitReader r(parsed[0].body);
  EXPECT_EQ(r.u8(), 0x7F);  // clip depth, name, ratio, colour transform, matrix, character, move
  EXPECT_EQ(r.u16(), 0x0203);
  EXPECT_EQ(r.u16(), 0x0405);
  const swftest::Matrix m = swftest::readMatrix(r);
  EXPECT_EQ(m.tx, 20);
  EXPECT_EQ(m.ty, -20);
  EXPECT_EQ(swftest::readCxform(r, true).mult[3], 128);
  EXPECT_EQ(r.u16(), 0x0607);
  EXPECT_EQ(r.str(), "ball");
  EXPECT_EQ(r.u16(), 0x0809);
  EXPECT_EQ(r.pos(), parsed[0].body.size());
}

TEST(PlaceObjectTest, MoveOnlyAndPlaceObject3Extras) {
  swf::Place p;
  p.depth = 3;
  p.move = true;
  swf::TagList tags;
  tags.placeObject2(p);
  EXPECT_EQ(tags.bytes(), (Bytes{0x83, 0x06, 0x01, 0x03, 0x00}));

  swf::TagList three;
  swf::Place q;
  q.depth = 1;
  q.characterId = 2;
  q.blendMode = 3;
  q.cacheAsBitmap = true;
  q.visible = false;
  three.placeObject3(q);
  const auto parsed = swftest::readTags(three.bytes().data(), three.bytes().size());
  ASSERT_EQ(parsed.size(), 1u);
  EXPECT_EQ(parsed[0].code, 70);
  EXPECT_EQ(parsed[0].body, (Bytes{0x02, 0x26, 0x01, 0x00, 0x02, 0x00, 3, 1, 0}));
}

TEST(DisplayListTest, RemoveAndLabels) {
  swf::TagList tags;
  tags.removeObject2(0x1234);
  tags.frameLabel("a", true);
  EXPECT_EQ(tags.bytes(), (Bytes{0x02, 0x07, 0x34, 0x12, 0xC3, 0x0A, 'a', 0, 1}));
}

TEST(BitmapTest, LosslessPixelsAreXRGB) {
  swf::TagList tags;
  tags.defineBitsLossless(9, 2, 1, {0xFF102030, 0x80405060});
  const auto parsed = swftest::readTags(tags.bytes().data(), tags.bytes().size());
  ASSERT_EQ(parsed.size(), 1u);
  EXPECT_EQ(parsed[0].code, 20);
  EXPECT_TRUE(parsed[0].longHeader);  // bitmaps always use the long form
  const Bytes& b = parsed[0].body;
  EXPECT_EQ(Bytes(b.begin(), b.begin() + 7), (Bytes{9, 0, 5, 2, 0, 1, 0}));
  EXPECT_EQ(inflate(Bytes(b.begin() + 7, b.end()), 8), (Bytes{0, 0x10, 0x20, 0x30, 0, 0x40, 0x50, 0x60}));
}

TEST(BitmapTest, Lossless2IsPremultiplied) {
  swf::TagList tags;
  tags.defineBitsLossless2(1, 1, 2, {0x80FF8000, 0x00FFFFFF});
  const auto parsed = swftest::readTags(tags.bytes().data(), tags.bytes().size());
  ASSERT_EQ(parsed.size(), 1u);
  EXPECT_EQ(parsed[0].code, 36);
  const Bytes& b = parsed[0].body;
  EXPECT_EQ(inflate(Bytes(b.begin() + 7, b.end()), 8), (Bytes{0x80, 0x80, 0x40, 0, 0, 0, 0, 0}));
}

TEST(BitmapTest, ColormappedRowsArePaddedToFourBytes) {
  swf::TagList tags;
  tags.defineBitsColormapped(2, 3, 2, {0xFF0000FF, 0x7F00FF00}, {0, 1, 0, 1, 1, 1}, true);
  const auto parsed = swftest::readTags(tags.bytes().data(), tags.bytes().size());
  ASSERT_EQ(parsed.size(), 1u);
  const Bytes& b = parsed[0].body;
  EXPECT_EQ(Bytes(b.begin(), b.begin() + 8), (Bytes{2, 0, 3, 3, 0, 2, 0, 1}));
  EXPECT_EQ(inflate(Bytes(b.begin() + 8, b.end()), 8 + 8),
            (Bytes{0, 0, 0xFF, 0xFF, 0, 0xFF, 0, 0x7F, 0, 1, 0, 0, 1, 1, 1, 0}));
  EXPECT_THROW(tags.defineBitsLossless(1, 2, 2, {1, 2, 3}), std::invalid_argument);
  EXPECT_THROW(tags.defineBitsColormapped(1, 1, 1, {}, {0}, false), std::invalid_argument);
}

TEST(ZlibTest, DecompressIsBounded) {
  const Bytes data(10000, 'x');
  const Bytes packed = swf::zlibCompress(data);
  EXPECT_EQ(swf::zlibDecompress(packed, 10000), data);
  EXPECT_FALSE(swf::zlibDecompress(packed, 9999));
  EXPECT_FALSE(swf::zlibDecompress(Bytes(packed.begin(), packed.end() - 6), 10000));
  EXPECT_FALSE(swf::zlibDecompress(Bytes{1, 2, 3, 4}, 100));
  EXPECT_FALSE(swf::zlibDecompress(Bytes{}, 100));
}
