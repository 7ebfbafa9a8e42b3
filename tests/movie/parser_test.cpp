// The container, header and tags as the parser reads them.
#include "movie/format/movie_parser.h"

#include <gtest/gtest.h>

#include <variant>

#include "movie/format/tag_codes.h"
#include "movie_fixtures.h"

using movie::format::Character;
using movie::format::MovieParser;
using movie::format::PlaceTag;
using movie::format::RemoveTag;
using namespace movie_test;

namespace {

MovieParser& parse(MovieParser& p, const swf::Bytes& bytes) {
  p.append(bytes.data(), bytes.size());
  p.finish();
  return p;
}

swf::TagList oneRectMovie() {
  swf::TagList t;
  t.setBackgroundColor(swf::rgb(0x102030));
  t.defineShape(1, rectShape(10, 10, 50, 50, kRed));
  t.placeObject2(placeAt(1, 1));
  t.showFrame();
  t.end();
  return t;
}

}  // namespace

TEST(MovieParser, ReadsThePlainHeader) {
  swf::MovieHeader h;
  h.version = 9;
  h.stage = {0, swf::twips(550), 0, swf::twips(400)};
  h.frameRate = 24.5;
  swf::TagList t = oneRectMovie();
  MovieParser p;
  parse(p, swf::writeMovie(h, t));
  ASSERT_EQ(p.state(), MovieParser::State::Done) << p.error();
  const auto& m = p.movie();
  EXPECT_FALSE(m.compressed);
  EXPECT_EQ(m.version, 9);
  EXPECT_EQ(m.stage.xMax, 11000);
  EXPECT_EQ(m.stage.yMax, 8000);
  EXPECT_FLOAT_EQ(m.frameRate, 24.5f);
  EXPECT_EQ(m.frameCount, 1);
  EXPECT_EQ(m.background.r, 0x10);
  EXPECT_EQ(m.background.b, 0x30);
  EXPECT_EQ(m.root.frames.size(), 1u);
}

TEST(MovieParser, ReadsCompressedMovies) {
  MovieParser p;
  parse(p, movieOf(oneRectMovie(), 100, 100, true));
  ASSERT_EQ(p.state(), MovieParser::State::Done) << p.error();
  EXPECT_TRUE(p.movie().compressed);
  EXPECT_EQ(p.movie().characters.count(1), 1u);
}

TEST(MovieParser, RefusesLzmaAndForeignFiles) {
  swf::Bytes lzma = movieOf(oneRectMovie());
  lzma[0] = 'Z';
  MovieParser a;
  parse(a, lzma);
  EXPECT_EQ(a.state(), MovieParser::State::Failed);
  EXPECT_NE(a.error().find("LZMA"), std::string::npos);

  const char text[] = "<html><body>not found</body></html>";
  MovieParser b;
  b.append(reinterpret_cast<const uint8_t*>(text), sizeof text);
  EXPECT_EQ(b.state(), MovieParser::State::Failed);
  EXPECT_EQ(b.error(), "This is not a movie file.");
}

TEST(MovieParser, CompressedBodyLargerThanTheHeaderSaysFails) {
  swf::Bytes good = movieOf(oneRectMovie());
  swf::Bytes body(good.begin() + 8, good.end());
  body.resize(body.size() + 5000, 0);  // more bytes inflate than the header states
  swf::Bytes packed = swf::zlibCompress(body);
  swf::Bytes file(good.begin(), good.begin() + 8);
  file[0] = 'C';
  file.insert(file.end(), packed.begin(), packed.end());
  MovieParser p;
  parse(p, file);
  EXPECT_EQ(p.state(), MovieParser::State::Failed);
  EXPECT_EQ(p.error(), "The movie is larger than its header says.");
}

TEST(MovieParser, StatedLengthOverTheCapFails) {
  swf::Bytes file = movieOf(oneRectMovie());
  uint32_t huge = 200u << 20;
  for (int i = 0; i < 4; ++i) file[4 + i] = uint8_t(huge >> (8 * i));
  MovieParser p;
  p.append(file.data(), file.size());
  EXPECT_EQ(p.state(), MovieParser::State::Failed);
  EXPECT_EQ(p.error(), "The movie is too large.");
}

TEST(MovieParser, TruncatedMovieFailsOnFinish) {
  swf::Bytes file = movieOf(oneRectMovie());
  file.resize(file.size() - 6);
  MovieParser p;
  p.append(file.data(), file.size());
  EXPECT_EQ(p.state(), MovieParser::State::Tags);
  p.finish();
  EXPECT_EQ(p.state(), MovieParser::State::Failed);
  EXPECT_EQ(p.error(), "The movie file is truncated.");
}

TEST(MovieParser, TagLongerThanTheFileFails) {
  swf::TagList t;
  t.raw(movie::format::kDefineShape, swf::Bytes(10, 0));
  swf::Bytes file = movieOf(t);
  // Rewrite the tag header as a long tag claiming a million bytes.
  size_t at = file.size() - 12;
  file.resize(at);
  uint16_t head = uint16_t((movie::format::kDefineShape << 6) | 0x3F);
  file.push_back(uint8_t(head));
  file.push_back(uint8_t(head >> 8));
  for (uint32_t v = 1000000, i = 0; i < 4; ++i) file.push_back(uint8_t(v >> (8 * i)));
  uint32_t len = uint32_t(file.size());
  for (int i = 0; i < 4; ++i) file[4 + i] = uint8_t(len >> (8 * i));
  MovieParser p;
  p.append(file.data(), file.size());
  EXPECT_EQ(p.state(), MovieParser::State::Failed);
}

TEST(MovieParser, FramesAppearAsTheirTagsArrive) {
  swf::TagList t;
  t.defineShape(1, rectShape(0, 0, 10, 10, kRed));
  t.placeObject2(placeAt(1, 1));
  t.showFrame();
  t.removeObject2(1);
  t.showFrame();
  t.end();
  swf::Bytes file = movieOf(t);
  MovieParser p;
  size_t seenOne = 0;
  for (size_t i = 0; i < file.size(); ++i) {
    p.append(&file[i], 1);
    if (p.movie().root.frames.size() == 1 && !seenOne) seenOne = i + 1;
  }
  EXPECT_EQ(p.state(), MovieParser::State::Done);
  EXPECT_EQ(p.movie().root.frames.size(), 2u);
  EXPECT_GT(seenOne, 0u);
  EXPECT_LT(seenOne, file.size() - 4);  // the first frame was there before the rest
}

TEST(MovieParser, PlaceObjectFieldsAreKept) {
  swf::TagList t;
  t.defineShape(1, rectShape(0, 0, 10, 10, kRed));
  swf::Place p3 = placeAt(4, 1, 5, 6);
  p3.name = "ball";
  p3.ratio = 300;
  p3.clipDepth = 9;
  p3.colorTransform = swf::ColorTransform::alpha(0.5);
  p3.blendMode = 3;
  p3.cacheAsBitmap = true;
  p3.visible = false;
  t.placeObject3(p3);
  t.showFrame();
  t.end();
  MovieParser p;
  parse(p, movieOf(t));
  ASSERT_EQ(p.state(), MovieParser::State::Done) << p.error();
  ASSERT_EQ(p.movie().root.frames.at(0).tags.size(), 1u);
  const auto& tag = std::get<PlaceTag>(p.movie().root.frames[0].tags[0]);
  EXPECT_EQ(tag.version, 3);
  EXPECT_EQ(tag.depth, 4);
  EXPECT_EQ(*tag.characterId, 1);
  EXPECT_EQ(tag.matrix->tx, 100);
  EXPECT_EQ(tag.matrix->ty, 120);
  EXPECT_EQ(*tag.name, "ball");
  EXPECT_EQ(*tag.ratio, 300);
  EXPECT_EQ(*tag.clipDepth, 9);
  EXPECT_NEAR(tag.colorTransform->am, 0.5, 0.01);
  EXPECT_EQ(*tag.blendMode, 3);
  EXPECT_TRUE(*tag.cacheAsBitmap);
  EXPECT_FALSE(*tag.visible);
}

TEST(MovieParser, PlaceObject3FiltersAreRead) {
  // flags: has character + matrix; flags2: filter list + blend mode.
  swf::Bytes body = {0x06, 0x03, 0x02, 0x00, 0x01, 0x00, 0x00 /* empty matrix */, 2 /* filters */,
                     1 /* blur */};
  for (int i = 0; i < 9; ++i) body.push_back(uint8_t(i));
  body.push_back(2);  // glow
  for (int i = 0; i < 15; ++i) body.push_back(0xEE);
  body.push_back(5);  // blend: overlay... kept as a number
  swf::TagList t;
  t.defineShape(1, rectShape(0, 0, 10, 10, kRed));
  t.raw(movie::format::kPlaceObject3, body);
  t.showFrame();
  t.end();
  MovieParser p;
  parse(p, movieOf(t));
  const auto& tag = std::get<PlaceTag>(p.movie().root.frames.at(0).tags.at(0));
  ASSERT_EQ(tag.filters.size(), 2u);
  const movie::Filter& blur = tag.filters[0];
  EXPECT_EQ(blur.kind, movie::Filter::Blur);
  EXPECT_NEAR(blur.blurX, double(0x03020100) / 65536, 1e-3);
  EXPECT_EQ(blur.blurY, 1024);  // 1798 pixels asked for: bounded
  EXPECT_EQ(blur.passes, 1);
  const movie::Filter& glow = tag.filters[1];
  EXPECT_EQ(glow.kind, movie::Filter::Glow);
  EXPECT_EQ(glow.color.r, 0xEE);
  EXPECT_EQ(glow.blurX, 0);  // negative: no blur
  EXPECT_TRUE(glow.inner);
  EXPECT_TRUE(glow.knockout);
  EXPECT_EQ(glow.passes, 14);
  EXPECT_EQ(*tag.blendMode, 5);
}

TEST(MovieParser, LabelsActionsSoundsAndMovieTags) {
  swf::TagList t;
  t.fileAttributes();
  t.raw(movie::format::kMetadata, {'<', 'x', '/', '>', 0});
  t.raw(movie::format::kProtect, {});
  t.raw(movie::format::kScriptLimits, {0x20, 0x00, 0x0A, 0x00});
  t.defineShape(7, rectShape(0, 0, 10, 10, kRed));
  t.raw(movie::format::kExportAssets, {1, 0, 7, 0, 'b', 'o', 'x', 0});
  t.frameLabel("start");
  t.raw(movie::format::kDoAction, {0x07, 0x00});
  t.raw(movie::format::kStartSound, {3, 0, 0});
  t.raw(250, {1, 2, 3});  // unknown: skipped by its length
  t.showFrame();
  t.frameLabel("second");
  t.showFrame();
  t.end();
  MovieParser p;
  parse(p, movieOf(t));
  ASSERT_EQ(p.state(), MovieParser::State::Done) << p.error();
  const auto& m = p.movie();
  EXPECT_EQ(m.fileAttributes & 0xFF, 0x01u);
  EXPECT_EQ(m.metadata, "<x/>");
  EXPECT_TRUE(m.isProtected);
  EXPECT_EQ(m.maxRecursion, 32);
  EXPECT_EQ(m.scriptTimeout, 10);
  EXPECT_EQ(m.exports.at("box"), 7);
  EXPECT_EQ(m.root.findLabel("start"), 0);
  EXPECT_EQ(m.root.findLabel("second"), 1);
  EXPECT_EQ(m.root.findLabel("none"), -1);
  ASSERT_EQ(m.root.frames[0].actions.size(), 1u);
  EXPECT_EQ(m.root.frames[0].actions[0], (std::vector<uint8_t>{0x07, 0x00}));
  ASSERT_EQ(m.root.frames[0].sounds.size(), 1u);
  EXPECT_EQ(m.root.frames[0].sounds[0].soundId, 3);
}

TEST(MovieParser, SpritesHaveTheirOwnTimelines) {
  swf::TagList inner;
  inner.placeObject2(placeAt(1, 1));
  inner.showFrame();
  inner.removeObject2(1);
  inner.frameLabel("gone");
  inner.showFrame();
  inner.showFrame();
  inner.end();
  swf::TagList t;
  t.defineShape(1, rectShape(0, 0, 10, 10, kRed));
  t.defineSprite(2, inner);
  t.placeObject2(placeAt(1, 2));
  t.showFrame();
  t.end();
  MovieParser p;
  parse(p, movieOf(t));
  ASSERT_EQ(p.state(), MovieParser::State::Done) << p.error();
  const Character& c = p.movie().characters.at(2);
  ASSERT_EQ(c.kind, Character::Sprite);
  EXPECT_EQ(c.sprite->timeline.frames.size(), 3u);
  EXPECT_EQ(c.sprite->timeline.declaredFrames, 3);
  EXPECT_EQ(c.sprite->timeline.findLabel("gone"), 1);
  EXPECT_TRUE(std::holds_alternative<RemoveTag>(c.sprite->timeline.frames[1].tags.at(0)));
}

TEST(MovieParser, FirstDefinitionOfAnIdWins) {
  swf::TagList t;
  t.defineShape(1, rectShape(0, 0, 10, 10, kRed));
  t.defineShape(1, rectShape(0, 0, 10, 10, kBlue));
  t.showFrame();
  t.end();
  MovieParser p;
  parse(p, movieOf(t));
  const auto& fills = p.movie().characters.at(1).shape->outline.groups.at(0).fills;
  EXPECT_EQ(fills.at(0).color.r, 255);
}

TEST(MovieParser, PlaceObjectAndRemoveObjectVersionOne) {
  swf::BitWriter w;
  w.writeU16(1);  // character
  w.writeU16(3);  // depth
  w.writeBytes(swf::encodeMatrix(swf::Matrix::translate(40, 60)));
  swf::ColorTransform cx;
  cx.multG = 0;
  w.writeBytes(swf::encodeColorTransform(cx, false));
  swf::TagList t;
  t.defineShape(1, rectShape(0, 0, 10, 10, kRed));
  t.raw(movie::format::kPlaceObject, w.bytes());
  t.showFrame();
  t.raw(movie::format::kRemoveObject, {1, 0, 3, 0});
  t.showFrame();
  t.end();
  MovieParser p;
  parse(p, movieOf(t));
  ASSERT_EQ(p.state(), MovieParser::State::Done) << p.error();
  const auto& place = std::get<PlaceTag>(p.movie().root.frames.at(0).tags.at(0));
  EXPECT_EQ(place.version, 1);
  EXPECT_EQ(*place.characterId, 1);
  EXPECT_EQ(place.depth, 3);
  EXPECT_EQ(place.matrix->tx, 40);
  ASSERT_TRUE(place.colorTransform);
  EXPECT_EQ(place.colorTransform->gm, 0.0f);
  EXPECT_EQ(place.colorTransform->am, 1.0f);
  const auto& remove = std::get<RemoveTag>(p.movie().root.frames.at(1).tags.at(0));
  EXPECT_EQ(remove.depth, 3);
  EXPECT_EQ(*remove.characterId, 1);
}
