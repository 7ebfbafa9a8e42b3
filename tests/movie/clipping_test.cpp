// Clipping beyond the timeline's clip depths: masks set by scripts, scroll rectangles,
// strokes inside masks, and the nine-slice scaling grid.
#include <gtest/gtest.h>

#include "movie/format/tag_codes.h"
#include "movie_fixtures.h"
#include "script_fixtures.h"
#include "tools/swf/actions.h"

using movie::Player;
using namespace movie_test;

namespace {

int count(const std::vector<uint32_t>& px, uint32_t rgb) {
  int n = 0;
  for (uint32_t v : px) n += rgbOf(v) == rgb;
  return n;
}

uint32_t at(const std::vector<uint32_t>& px, int x, int y) { return rgbOf(px[size_t(y) * 100 + size_t(x)]); }

// name.method(arg) where arg is another clip by name, or null.
swf::Actions callWithClip(const std::string& self, const std::string& method, const std::string& arg) {
  swf::Actions a;
  if (arg.empty()) a.push({swf::PushValue::null()});
  else a.push({arg}).op(0x1C);  // GetVariable
  a.push({1, self}).op(0x1C).push({method}).op(0x52).op(0x17);  // CallMethod, Pop
  return a;
}

// name.scrollRect = new flash.geom.Rectangle(x, y, w, h)
swf::Actions setScrollRect(const std::string& clip, double x, double y, double w, double h) {
  swf::Actions a;
  a.push({clip}).op(0x1C);
  a.push({"scrollRect", h, w, y, x, 4, "flash"}).op(0x1C).push({"geom"}).op(0x4E).push({"Rectangle"});
  a.op(0x53).op(0x4F);  // NewMethod, SetMember
  return a;
}

// Root: a sprite "clip" showing a full red square, a sprite "mask" showing a green left
// half over it, then the frame's actions.
swf::TagList clipAndMask(const swf::Actions& actions) {
  swf::TagList t;
  t.setBackgroundColor(swf::rgb(kWhite));
  t.defineShape(1, rectShape(0, 0, 100, 100, kRed));
  t.defineShape(2, rectShape(0, 0, 50, 100, kGreen));
  defineSpriteOf(t, 3, 1);
  defineSpriteOf(t, 4, 2);
  swf::Place clip = placeAt(1, 3);
  clip.name = "clip";
  t.placeObject2(clip);
  swf::Place mask = placeAt(2, 4);
  mask.name = "mask";
  t.placeObject2(mask);
  swf::doAction(t, actions);
  return t;
}

std::vector<uint32_t> renderOf(const swf::TagList& t, int frames = 1) {
  Player p;
  load(p, movieOf(t));
  for (int i = 1; i < frames; ++i) p.tick();
  return renderPixels(p, 100, 100);
}

}  // namespace

TEST(ScriptClipping, SetMaskClipsAClipAndHidesTheMask) {
  swf::TagList t = clipAndMask(callWithClip("clip", "setMask", "mask"));
  t.showFrame();
  t.end();
  auto px = renderOf(t);
  EXPECT_EQ(count(px, kGreen), 0);
  EXPECT_EQ(count(px, kRed), 50 * 100);
  EXPECT_EQ(at(px, 75, 50), kWhite);
}

TEST(ScriptClipping, SetMaskWithNullRemovesTheMask) {
  swf::Actions a = callWithClip("clip", "setMask", "mask");
  swf::Actions undo = callWithClip("clip", "setMask", "");
  swf::TagList t = clipAndMask(a);
  swf::doAction(t, undo);
  t.showFrame();
  t.end();
  auto px = renderOf(t);
  EXPECT_EQ(count(px, kGreen), 50 * 100);
  EXPECT_EQ(count(px, kRed), 50 * 100);
}

TEST(ScriptClipping, AMaskGivenToASecondClipLeavesTheFirst) {
  // "mask" masks "clip", then masks "other" (a blue square under the left half's top):
  // "clip" shows whole again.
  swf::TagList t = clipAndMask(callWithClip("clip", "setMask", "mask"));
  t.defineShape(5, rectShape(0, 0, 100, 20, kBlue));
  defineSpriteOf(t, 6, 5);
  swf::Place other = placeAt(3, 6);
  other.name = "other";
  t.placeObject2(other);
  swf::doAction(t, callWithClip("other", "setMask", "mask"));
  t.showFrame();
  t.end();
  auto px = renderOf(t);
  EXPECT_EQ(count(px, kGreen), 0);
  EXPECT_EQ(count(px, kBlue), 50 * 20);
  EXPECT_EQ(count(px, kRed), 100 * 100 - 50 * 20);
}

TEST(ScriptClipping, RemovingTheMaskClipUnmasksTheClip) {
  swf::TagList t = clipAndMask(callWithClip("clip", "setMask", "mask"));
  t.showFrame();
  t.removeObject2(2);
  t.showFrame();
  t.end();
  auto first = renderOf(t, 1);
  EXPECT_EQ(count(first, kRed), 50 * 100);
  auto second = renderOf(t, 2);
  EXPECT_EQ(count(second, kRed), 100 * 100);
}

TEST(ScriptClipping, ScrollRectClipsAndMovesTheContent) {
  // A sprite at (10, 10) holds a red square with a blue 5 x 5 mark at (20, 30); its
  // scroll rectangle (20, 30, 40, 20) shows that part at the sprite's origin.
  swf::TagList inner;
  inner.placeObject2(placeAt(1, 1));
  inner.placeObject2(placeAt(2, 2, 20, 30));
  inner.showFrame();
  inner.end();
  swf::TagList t;
  t.setBackgroundColor(swf::rgb(kWhite));
  t.defineShape(1, rectShape(0, 0, 100, 100, kRed));
  t.defineShape(2, rectShape(0, 0, 5, 5, kBlue));
  t.defineSprite(3, inner);
  swf::Place clip = placeAt(1, 3, 10, 10);
  clip.name = "clip";
  t.placeObject2(clip);
  swf::doAction(t, setScrollRect("clip", 20, 30, 40, 20));
  t.showFrame();
  t.end();
  auto px = renderOf(t);
  EXPECT_EQ(count(px, kRed) + count(px, kBlue), 40 * 20);
  EXPECT_EQ(count(px, kBlue), 5 * 5);
  EXPECT_EQ(at(px, 10, 10), kBlue);
  EXPECT_EQ(at(px, 16, 16), kRed);
  EXPECT_EQ(at(px, 49, 29), kRed);
  EXPECT_EQ(at(px, 50, 20), kWhite);
  EXPECT_EQ(at(px, 20, 30), kWhite);
}

TEST(ScriptClipping, ScrollRectReadsBackAsARectangle) {
  auto traceScrollRect = [](swf::Actions a) {
    a.push({"_root"}).op(0x1C).push({"scrollRect"}).op(0x4E).op(0x26);  // trace(_root.scrollRect)
    return traceOf(a);
  };
  EXPECT_EQ(traceScrollRect(swf::Actions()), std::vector<std::string>{"undefined"});
  EXPECT_EQ(traceScrollRect(setScrollRect("_root", 1, 2, 30, 40)),
            std::vector<std::string>{"(x=1, y=2, w=30, h=40)"});
  swf::Actions removed = setScrollRect("_root", 1, 2, 30, 40);
  removed.push({"_root"}).op(0x1C).push({"scrollRect", swf::PushValue::undefined()}).op(0x4F);
  EXPECT_EQ(traceScrollRect(removed), std::vector<std::string>{"undefined"});
}

TEST(Masks, StrokesCoverAMask) {
  // The mask is a 20-pixel-wide line across the middle, with no fill.
  swf::Shape line;
  swf::LineStyle pen;
  pen.width = swf::twips(20);
  pen.color = swf::rgb(kGreen);
  line.setStyles(0, 0, line.addLine(pen));
  line.moveTo(swf::twips(-20), swf::twips(50));
  line.lineTo(swf::twips(120), swf::twips(50));
  swf::TagList t;
  t.setBackgroundColor(swf::rgb(kWhite));
  t.defineShape(1, line);
  t.defineShape(2, rectShape(0, 0, 100, 100, kRed));
  swf::Place mask = placeAt(1, 1);
  mask.clipDepth = 2;
  t.placeObject2(mask);
  t.placeObject2(placeAt(2, 2));
  t.showFrame();
  t.end();
  auto px = renderOf(t);
  EXPECT_EQ(count(px, kGreen), 0);
  EXPECT_EQ(count(px, kRed), 100 * 20);
  EXPECT_EQ(at(px, 50, 45), kRed);
  EXPECT_EQ(at(px, 50, 35), kWhite);
}

namespace {

// A 40 x 40 sprite: red, a blue 10 x 10 top-left corner and a green top edge between
// x 10 and 30; its grid (10, 10)-(30, 30) when asked; placed at twice its size.
std::vector<uint32_t> gridSprite(bool withGrid) {
  swf::Shape s;
  int red = s.addFill(swf::FillStyle::solid(swf::rgb(kRed)));
  int blue = s.addFill(swf::FillStyle::solid(swf::rgb(kBlue)));
  int green = s.addFill(swf::FillStyle::solid(swf::rgb(kGreen)));
  s.rect(0, 0, swf::twips(40), swf::twips(40), red);
  s.rect(0, 0, swf::twips(10), swf::twips(10), blue);
  s.rect(swf::twips(10), 0, swf::twips(20), swf::twips(10), green);
  swf::TagList t;
  t.setBackgroundColor(swf::rgb(kWhite));
  t.defineShape(1, s);
  defineSpriteOf(t, 2, 1);
  if (withGrid) {
    swf::BitWriter w;
    w.writeU16(2);
    w.writeBytes(swf::encodeRect({swf::twips(10), swf::twips(30), swf::twips(10), swf::twips(30)}));
    t.raw(movie::format::kDefineScalingGrid, w.bytes());
  }
  swf::Place p = placeAt(1, 2);
  p.matrix = swf::Matrix::transform(2, 2, 0, 0, 0);
  t.placeObject2(p);
  t.showFrame();
  t.end();
  return renderOf(t);
}

}  // namespace

TEST(ScalingGrid, CornersKeepTheirSizeAndEdgesStretchOneWay) {
  auto plain = gridSprite(false);
  EXPECT_EQ(count(plain, kBlue), 20 * 20);
  EXPECT_EQ(count(plain, kGreen), 40 * 20);
  auto grid = gridSprite(true);
  EXPECT_EQ(count(grid, kBlue), 10 * 10);
  EXPECT_EQ(count(grid, kGreen), 60 * 10);
  EXPECT_EQ(count(grid, kRed) + count(grid, kBlue) + count(grid, kGreen), 80 * 80);
  EXPECT_EQ(at(grid, 79, 79), kRed);
  EXPECT_EQ(at(grid, 80, 80), kWhite);
}

TEST(ScalingGrid, AGridNamingNoSpriteIsIgnored) {
  swf::TagList t;
  t.setBackgroundColor(swf::rgb(kWhite));
  t.defineShape(1, rectShape(0, 0, 10, 10, kRed));
  swf::BitWriter w;
  w.writeU16(1);
  w.writeBytes(swf::encodeRect({0, swf::twips(5), 0, swf::twips(5)}));
  t.raw(movie::format::kDefineScalingGrid, w.bytes());
  t.raw(movie::format::kDefineScalingGrid, {1});  // truncated
  swf::Place p = placeAt(1, 1);
  p.matrix = swf::Matrix::transform(3, 3, 0, 0, 0);
  t.placeObject2(p);
  t.showFrame();
  t.end();
  EXPECT_EQ(count(renderOf(t), kRed), 30 * 30);
}
