// Shape records: exact bytes for a small rectangle, and outlines read back.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "bit_string.h"
#include "swf_test_reader.h"
#include "tools/swf/swf_writer.h"

using swf::Bytes;

namespace {

swftest::ShapeInfo defineAndRead(const swf::Shape& s, int version) {
  swf::TagList tags;
  tags.defineShape(7, s, version);
  bool clean = false;
  auto parsed = swftest::readTags(tags.bytes().data(), tags.bytes().size(), &clean);
  EXPECT_EQ(parsed.size(), 1u);
  auto info = swftest::readShape(parsed.at(0));
  EXPECT_TRUE(info.has_value());
  return info.value_or(swftest::ShapeInfo{});
}

}  // namespace

TEST(ShapeTest, SolidSquareBytes) {
  swf::Shape s;
  const int f = s.addFill(swf::FillStyle::solid(swf::rgb(0xFF0000)));
  s.rect(0, 0, 20, 20, f);
  const Bytes expected = [] {
    Bytes b{0x01, 0x00, 0xFF, 0x00, 0x00, 0xFF, 0x00};  // one solid RGBA fill, no lines
    const Bytes records = bitsToBytes(
        "0001 0000"                       // 1 fill bit, 0 line bits
        "0 0 1 1 1 1 00000 0 1"           // style change: line, fill1, fill0, move to 0,0
        "1 1 0100 0 0 010100"             // right 20
        "1 1 0100 0 1 010100"             // down 20
        "1 1 0100 0 0 101100"             // left 20
        "1 1 0100 0 1 101100"             // up 20
        "000000");                        // end of shape
    b.insert(b.end(), records.begin(), records.end());
    return b;
  }();
  EXPECT_EQ(s.encode(3), expected);
  const swf::Rect bounds = s.bounds();
  EXPECT_EQ(bounds.xMin, 0);
  EXPECT_EQ(bounds.xMax, 20);
  EXPECT_EQ(bounds.yMax, 20);
}

TEST(ShapeTest, RgbColoursBelowVersion3) {
  swf::Shape s;
  s.rect(0, 0, 20, 20, s.addFill(swf::FillStyle::solid(swf::rgb(0x102030))));
  const Bytes b = s.encode(1);
  EXPECT_EQ((Bytes{b[0], b[1], b[2], b[3], b[4], b[5]}), (Bytes{0x01, 0x00, 0x10, 0x20, 0x30, 0x00}));
}

TEST(ShapeTest, CircleIsClosedAndRound) {
  swf::Shape s;
  const int f = s.addFill(swf::FillStyle::solid(swf::rgb(0x00FF00)));
  const int l = s.addLine({40, swf::rgb(0)});
  s.circle(1000, 2000, 600, f, l);
  const swftest::ShapeInfo info = defineAndRead(s, 3);
  ASSERT_EQ(info.paths.size(), 1u);
  const auto& path = info.paths[0];
  EXPECT_EQ(path.curves, 8);
  EXPECT_EQ(path.fill1, f);
  EXPECT_EQ(path.line, l);
  EXPECT_EQ(path.points.front(), path.points.back());
  for (auto [x, y] : path.points) EXPECT_NEAR(std::hypot(x - 1000, y - 2000), 600, 1.5);
  EXPECT_TRUE(info.ended);
  // Bounds hold the control points and half the line width.
  EXPECT_LE(info.bounds.xMin, info.minX - 20);
  EXPECT_GE(info.bounds.xMax, info.maxX + 20);
  EXPECT_LE(info.bounds.yMin, 2000 - 600 - 20);
}

TEST(ShapeTest, LongEdgesAreSplitButEndWhereAsked) {
  swf::Shape s;
  const int f = s.addFill(swf::FillStyle::solid(swf::rgb(0)));
  s.setStyles(0, f, 0);
  s.moveTo(-100000, 5);
  s.lineTo(150000, -70000);
  s.curveTo(300000, 300000, -200000, 123457);
  s.lineTo(-100000, 5);
  const swftest::ShapeInfo info = defineAndRead(s, 2);
  ASSERT_EQ(info.paths.size(), 1u);
  const auto& pts = info.paths[0].points;
  EXPECT_GT(pts.size(), 4u);
  EXPECT_GT(info.paths[0].curves, 1);
  EXPECT_EQ(pts.front(), (std::pair<int32_t, int32_t>{-100000, 5}));
  EXPECT_EQ(pts.back(), (std::pair<int32_t, int32_t>{-100000, 5}));
  EXPECT_NE(std::find(pts.begin(), pts.end(), std::pair<int32_t, int32_t>{150000, -70000}), pts.end());
  EXPECT_NE(std::find(pts.begin(), pts.end(), std::pair<int32_t, int32_t>{-200000, 123457}), pts.end());
}

TEST(ShapeTest, ExplicitFillSidesAndStyleChangesMidPath) {
  swf::Shape s;
  const int a = s.addFill(swf::FillStyle::solid(swf::rgb(0xFF0000)));
  const int b = s.addFill(swf::FillStyle::solid(swf::rgb(0x0000FF)));
  const int l = s.addLine({20, swf::rgb(0)});
  s.setStyles(a, b, l);
  s.moveTo(0, 0);
  s.lineTo(100, 0);
  s.setStyles(-1, -1, 0);  // line off, fills kept
  s.lineTo(100, 100);
  const swftest::ShapeInfo info = defineAndRead(s, 3);
  ASSERT_EQ(info.paths.size(), 2u);
  EXPECT_EQ(info.paths[0].fill0, a);
  EXPECT_EQ(info.paths[0].fill1, b);
  EXPECT_EQ(info.paths[0].line, l);
  EXPECT_EQ(info.paths[1].fill0, a);
  EXPECT_EQ(info.paths[1].line, 0);
  EXPECT_EQ(info.paths[1].points.back(), (std::pair<int32_t, int32_t>{100, 100}));
}

TEST(ShapeTest, GradientAndBitmapFillsInEveryVersion) {
  swf::Shape s;
  const swf::Matrix box = swf::Matrix::gradientBox(0, 0, 2000, 1000, 45);
  s.rect(0, 0, 2000, 1000, s.addFill(swf::FillStyle::linear(box, {{0, swf::rgb(0)}, {255, swf::rgb(0xFFFFFF)}})));
  s.rect(0, 0, 500, 500, s.addFill(swf::FillStyle::radial(box, {{0, swf::rgb(0xFF0000)}})));
  s.rect(0, 0, 500, 500, s.addFill(swf::FillStyle::bitmap(20, swf::Matrix::bitmap(0, 0, 2), true, false)));
  for (int version = 1; version <= 3; ++version) {
    const swftest::ShapeInfo info = defineAndRead(s, version);
    EXPECT_EQ(info.fillTypes, (std::vector<uint8_t>{0x10, 0x12, 0x43})) << version;
    EXPECT_EQ(info.paths.size(), 3u) << version;
    EXPECT_TRUE(info.ended) << version;
  }
  s.rect(0, 0, 9, 9, s.addFill(swf::FillStyle::focalRadial(box, {{0, swf::rgb(1)}}, 0.5)));
  EXPECT_THROW(s.encode(3), std::invalid_argument);
  const swftest::ShapeInfo info = defineAndRead(s, 4);
  EXPECT_EQ(info.fillTypes.back(), 0x13);
  EXPECT_TRUE(info.ended);
}

TEST(ShapeTest, MiterLinesInDefineShape4) {
  swf::Shape s;
  swf::LineStyle miter{60, swf::rgb(0x123456)};
  miter.join = 2;
  const int l = s.addLine(miter);
  s.polygon({{0, 0}, {400, 0}, {200, 300}}, 0, l);
  const swftest::ShapeInfo info = defineAndRead(s, 4);
  EXPECT_EQ(info.lines, 1);
  ASSERT_EQ(info.paths.size(), 1u);
  EXPECT_EQ(info.paths[0].points.size(), 4u);
  EXPECT_EQ(info.bounds.xMin, -30);
  EXPECT_EQ(info.bounds.yMax, 330);
}

TEST(ShapeTest, RefusesBadStyles) {
  swf::Shape s;
  s.addFill(swf::FillStyle::solid(swf::rgb(0)));
  s.rect(0, 0, 10, 10, 2);  // only one fill exists
  EXPECT_THROW(s.encode(3), std::invalid_argument);
  EXPECT_THROW(s.encode(5), std::invalid_argument);

  swf::Shape many;
  for (int i = 0; i < 300; ++i) many.addFill(swf::FillStyle::solid(swf::rgb(uint32_t(i))));
  many.rect(0, 0, 10, 10, 300);
  EXPECT_THROW(many.encode(1), std::invalid_argument);  // DefineShape counts in one byte
  const swftest::ShapeInfo info = defineAndRead(many, 2);
  EXPECT_EQ(info.fills, 300);
  EXPECT_EQ(info.paths.at(0).fill1, 300);

  swf::Shape noStops;
  noStops.rect(0, 0, 10, 10, noStops.addFill(swf::FillStyle::linear(swf::Matrix{}, {})));
  EXPECT_THROW(noStops.encode(3), std::invalid_argument);
  swf::Shape tooMany;
  std::vector<swf::GradientStop> stops(16);
  tooMany.rect(0, 0, 10, 10, tooMany.addFill(swf::FillStyle::linear(swf::Matrix{}, stops)));
  EXPECT_THROW(tooMany.encode(3), std::invalid_argument);
}
