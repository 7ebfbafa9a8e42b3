// Shape records and the fill semantics that turn them into paths.
#include <gtest/gtest.h>

#include "movie/format/shape_parser.h"
#include "movie/format/tag_codes.h"
#include "movie/paint/shape_builder.h"
#include "movie_fixtures.h"

using namespace movie;
using namespace movie_test;

namespace {

// The body of a DefineShape tag as the writer makes it.
swf::Bytes shapeBody(uint16_t id, const swf::Shape& shape, int version) {
  swf::TagList t;
  t.defineShape(id, shape, version);
  swf::Bytes tag = t.bytes();
  size_t header = (tag[0] & 0x3F) == 0x3F ? 6 : 2;
  return swf::Bytes(tag.begin() + header, tag.end());
}

format::ShapeDef parsed(const swf::Shape& shape, int version = 3) {
  swf::Bytes body = shapeBody(5, shape, version);
  format::ShapeDef def;
  std::string error;
  EXPECT_TRUE(format::parseShape(body.data(), body.size(), version, nullptr, def, error)) << error;
  return def;
}

// Pixels of the surface whose colour is rgb.
int countColour(const render::Surface& s, uint32_t rgb) {
  int n = 0;
  for (int y = 0; y < s.height(); ++y)
    for (int x = 0; x < s.width(); ++x) n += (s.row(y)[x] & 0xFFFFFF) == rgb;
  return n;
}

render::Surface draw(const paint::Drawable& d, int w = 100, int h = 100) {
  render::Surface s(w, h);
  s.clear({255, 255, 255, 255});
  render::DrawState state;
  state.toDevice.a = state.toDevice.d = 1.0f / 20;
  state.antiAlias = render::AntiAlias::None;
  for (const auto& item : d.items) {
    if (item.stroke)
      render::strokePath(s, item.path, item.style, item.paint, state);
    else
      render::fillPath(s, item.path, item.paint, render::FillRule::EvenOdd, state);
  }
  return s;
}

}  // namespace

TEST(ShapeParser, ReadsStylesAndEdges) {
  swf::Shape s;
  int red = s.addFill(swf::FillStyle::solid(swf::rgb(kRed, 128)));
  swf::LineStyle line;
  line.width = 40;
  line.color = swf::rgb(kBlue);
  int blue = s.addLine(line);
  s.setStyles(0, red, blue);
  s.moveTo(200, 200);
  s.lineTo(1000, 200);
  s.curveTo(1200, 600, 1000, 1000);
  s.lineTo(200, 200);
  format::ShapeDef def = parsed(s);
  EXPECT_EQ(def.id, 5);
  ASSERT_EQ(def.outline.groups.size(), 1u);
  const auto& g = def.outline.groups[0];
  ASSERT_EQ(g.fills.size(), 1u);
  EXPECT_EQ(g.fills[0].color.r, 255);
  EXPECT_EQ(g.fills[0].color.a, 128);
  ASSERT_EQ(g.lines.size(), 1u);
  EXPECT_EQ(g.lines[0].stroke.width, 40);
  EXPECT_EQ(g.lines[0].fill.color.b, 255);
  ASSERT_EQ(def.outline.edges.size(), 3u);
  const auto& curve = def.outline.edges[1];
  EXPECT_TRUE(curve.curve);
  EXPECT_EQ(curve.x0, 1000);
  EXPECT_EQ(curve.cx, 1200);
  EXPECT_EQ(curve.cy, 600);
  EXPECT_EQ(curve.x1, 1000);
  EXPECT_EQ(curve.y1, 1000);
  EXPECT_EQ(curve.fill1, 1);
  EXPECT_EQ(curve.fill0, 0);
  EXPECT_EQ(curve.line, 1);
  EXPECT_FALSE(def.outline.edges[2].curve);
  EXPECT_EQ(def.outline.edges[2].x1, 200);
}

TEST(ShapeParser, VersionOneAndTwoColoursAreOpaque) {
  swf::Shape s = rectShape(0, 0, 10, 10, kGreen);
  format::ShapeDef def = parsed(s, 1);
  EXPECT_EQ(def.outline.groups[0].fills[0].color.g, 255);
  EXPECT_EQ(def.outline.groups[0].fills[0].color.a, 255);
  EXPECT_EQ(def.outline.edges.size(), 4u);
}

TEST(ShapeParser, GradientsAndLineStyle2) {
  swf::Shape s;
  int f = s.addFill(swf::FillStyle::focalRadial(swf::Matrix::gradientBox(0, 0, 2000, 2000),
                                                 {{0, swf::rgb(kRed)}, {128, swf::rgb(kGreen)}, {255, swf::rgb(kBlue)}},
                                                 -0.5));
  swf::LineStyle l;
  l.width = 100;
  l.startCap = 1;
  l.endCap = 2;
  l.join = 2;
  l.miterLimit = 4.5;
  int line = s.addLine(l);
  s.rect(0, 0, 2000, 2000, f, line);
  format::ShapeDef def = parsed(s, 4);
  const auto& g = def.outline.groups.at(0);
  ASSERT_EQ(g.fills.size(), 1u);
  const auto& grad = g.fills[0].gradient;
  EXPECT_EQ(g.fills[0].kind, format::FillStyle::Gradient);
  EXPECT_EQ(grad.kind, render::Gradient::Focal);
  ASSERT_EQ(grad.stops.size(), 3u);
  EXPECT_EQ(grad.stops[1].ratio, 128);
  EXPECT_EQ(grad.stops[1].color.g, 255);
  EXPECT_NEAR(grad.focal, -0.5, 0.01);
  const auto& stroke = g.lines.at(0).stroke;
  EXPECT_EQ(stroke.startCap, render::Cap::None);
  EXPECT_EQ(stroke.endCap, render::Cap::Square);
  EXPECT_EQ(stroke.join, render::Join::Miter);
  EXPECT_NEAR(stroke.miterLimit, 4.5, 0.01);
}

TEST(ShapeParser, NewStyleArraysStartANewGroup) {
  // Hand-made records: a red square, then new styles with a blue square.
  swf::BitWriter w;
  w.writeU16(9);
  w.writeBytes(swf::encodeRect({0, 2000, 0, 2000}));
  auto styles = [&w](uint32_t rgb) {
    w.writeU8(1);
    w.writeU8(0x00);
    w.writeU8(uint8_t(rgb >> 16)), w.writeU8(uint8_t(rgb >> 8)), w.writeU8(uint8_t(rgb)), w.writeU8(255);
    w.writeU8(0);  // no line styles
  };
  auto square = [&w](int x, int y) {
    w.writeUB(0, 1);
    w.writeUB(0b00101, 5);  // fill1 + move
    w.writeUB(12, 5);
    w.writeSB(x, 12);
    w.writeSB(y, 12);
    w.writeUB(1, 1);  // fill1 = 1
    const int d[4][2] = {{400, 0}, {0, 400}, {-400, 0}, {0, -400}};
    for (auto& e : d) {
      w.writeUB(1, 1), w.writeUB(1, 1), w.writeUB(9, 4), w.writeUB(1, 1);
      w.writeSB(e[0], 11);
      w.writeSB(e[1], 11);
    }
  };
  styles(kRed);
  w.writeUB(1, 4);
  w.writeUB(0, 4);
  square(0, 0);
  w.writeUB(0, 1);
  w.writeUB(0b10000, 5);  // new styles
  w.align();
  styles(kBlue);
  w.writeUB(1, 4);
  w.writeUB(0, 4);
  square(1000, 1000);
  w.writeUB(0, 6);
  swf::Bytes body = w.bytes();
  format::ShapeDef def;
  std::string error;
  ASSERT_TRUE(format::parseShape(body.data(), body.size(), 3, nullptr, def, error)) << error;
  ASSERT_EQ(def.outline.groups.size(), 2u);
  ASSERT_EQ(def.outline.edges.size(), 8u);
  EXPECT_EQ(def.outline.edges[0].group, 0);
  EXPECT_EQ(def.outline.edges[7].group, 1);
  render::Surface s = draw(paint::buildDrawable(def.outline));
  EXPECT_EQ(countColour(s, kRed), 400);
  EXPECT_EQ(countColour(s, kBlue), 400);
  EXPECT_EQ(s.row(55)[55] & 0xFFFFFF, kBlue);
}

TEST(ShapeParser, TruncatedRecordsFail) {
  swf::Bytes body = shapeBody(5, rectShape(0, 0, 10, 10, kRed), 3);
  body.resize(body.size() - 3);
  format::ShapeDef def;
  std::string error;
  EXPECT_FALSE(format::parseShape(body.data(), body.size(), 3, nullptr, def, error));
  EXPECT_FALSE(error.empty());
}

TEST(ShapeParser, UnknownFillTypeFails) {
  swf::Bytes body = shapeBody(5, rectShape(0, 0, 10, 10, kRed), 3);
  // id(2) + rect(1 byte of bit count... find the fill type after the rect).
  movie::io::BitReader r(body.data(), body.size());
  r.u16();
  format::readRect(r);
  size_t fillType = r.position() + 1;
  body[fillType] = 0x77;
  format::ShapeDef def;
  std::string error;
  EXPECT_FALSE(format::parseShape(body.data(), body.size(), 3, nullptr, def, error));
}

TEST(FillSemantics, LeftAndRightFillsBoundTheSameRegion) {
  // One square drawn clockwise with fill1, another anticlockwise with fill0.
  format::ShapeOutline o;
  o.groups.resize(1);
  format::FillStyle red, blue;
  red.color = {255, 0, 0, 255};
  blue.color = {0, 0, 255, 255};
  o.groups[0].fills = {red, blue};
  auto edge = [&o](float x0, float y0, float x1, float y1, uint16_t f0, uint16_t f1) {
    format::Edge e;
    e.x0 = x0, e.y0 = y0, e.x1 = x1, e.y1 = y1, e.cx = (x0 + x1) / 2, e.cy = (y0 + y1) / 2;
    e.fill0 = f0, e.fill1 = f1;
    o.edges.push_back(e);
  };
  // Red: clockwise on screen, fill on the right.
  edge(0, 0, 400, 0, 0, 1);
  edge(400, 0, 400, 400, 0, 1);
  edge(400, 400, 0, 400, 0, 1);
  edge(0, 400, 0, 0, 0, 1);
  // Blue: anticlockwise, fill on the left, edges out of order.
  edge(1000, 1400, 1400, 1400, 2, 0);
  edge(1000, 1000, 1000, 1400, 2, 0);
  edge(1400, 1000, 1000, 1000, 2, 0);
  edge(1400, 1400, 1400, 1000, 2, 0);
  render::Surface s = draw(paint::buildDrawable(o));
  EXPECT_EQ(countColour(s, kRed), 400);
  EXPECT_EQ(countColour(s, kBlue), 400);
}

TEST(FillSemantics, SharedEdgeSeparatesTwoFills) {
  // Two halves of a rectangle share the middle edge.
  format::ShapeOutline o;
  o.groups.resize(1);
  format::FillStyle red, blue;
  red.color = {255, 0, 0, 255};
  blue.color = {0, 0, 255, 255};
  o.groups[0].fills = {red, blue};
  auto edge = [&o](float x0, float y0, float x1, float y1, uint16_t f0, uint16_t f1) {
    format::Edge e;
    e.x0 = x0, e.y0 = y0, e.x1 = x1, e.y1 = y1, e.cx = (x0 + x1) / 2, e.cy = (y0 + y1) / 2;
    e.fill0 = f0, e.fill1 = f1;
    o.edges.push_back(e);
  };
  edge(0, 0, 400, 0, 0, 1);
  edge(400, 0, 800, 0, 0, 2);
  edge(800, 0, 800, 400, 0, 2);
  edge(800, 400, 400, 400, 0, 2);
  edge(400, 400, 0, 400, 0, 1);
  edge(0, 400, 0, 0, 0, 1);
  // Upwards on screen (y points down): red on its left, blue on its right.
  edge(400, 400, 400, 0, 1, 2);
  render::Surface s = draw(paint::buildDrawable(o));
  int reds = countColour(s, kRed), blues = countColour(s, kBlue);
  EXPECT_EQ(reds + blues, 800);
  EXPECT_EQ(reds, 400);
  EXPECT_EQ(s.row(10)[5] & 0xFFFFFF, kRed);
  EXPECT_EQ(s.row(10)[35] & 0xFFFFFF, kBlue);
}

TEST(FillSemantics, StrokesFollowFillsAndJoinConsecutiveEdges) {
  swf::Shape s;
  int f = s.addFill(swf::FillStyle::solid(swf::rgb(kRed)));
  swf::LineStyle l;
  l.width = 60;
  l.color = swf::rgb(kBlue);
  int line = s.addLine(l);
  s.rect(200, 200, 1200, 1200, f, line);
  format::ShapeDef def = parsed(s);
  paint::Drawable d = paint::buildDrawable(def.outline);
  ASSERT_EQ(d.items.size(), 2u);
  EXPECT_FALSE(d.items[0].stroke);
  EXPECT_TRUE(d.items[1].stroke);
  // One moveTo: the four edges form one subpath.
  int moves = 0;
  for (auto v : d.items[1].path.verbs) moves += v == render::Path::MoveTo;
  EXPECT_EQ(moves, 1);
  render::Surface surface = draw(d);
  EXPECT_EQ(surface.row(40)[40] & 0xFFFFFF, kRed);
  EXPECT_EQ(surface.row(40)[10] & 0xFFFFFF, kBlue);  // the left side, 3 px wide at x = 10
  EXPECT_EQ(surface.row(5)[5] & 0xFFFFFF, kWhite);
}

TEST(FillSemantics, StopsSharingARatio) {
  using render::GradientStop;
  std::vector<GradientStop> stops = {{0, {1, 0, 0, 255}}, {0, {2, 0, 0, 255}}, {128, {3, 0, 0, 255}},
                                     {128, {4, 0, 0, 255}}, {128, {5, 0, 0, 255}}, {255, {6, 0, 0, 255}},
                                     {255, {7, 0, 0, 255}}};
  auto out = paint::effectiveStops(stops);
  ASSERT_EQ(out.size(), 4u);
  EXPECT_EQ(out[0].color.r, 2);  // the last at 0
  EXPECT_EQ(out[1].color.r, 3);  // a step at 128: first and last
  EXPECT_EQ(out[2].color.r, 5);
  EXPECT_EQ(out[3].color.r, 6);  // the first at 255
}
