// What scripts draw into clips (moveTo, lineTo, curveTo, beginFill, beginGradientFill,
// lineStyle, endFill, clear): pixels, bounds, hit tests, masks, pointer hits and what
// bad input does, in small movies made with the SWF writer.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "movie/timeline/clip_drawing.h"
#include "movie_fixtures.h"
#include "script_fixtures.h"
#include "tools/swf/actions.h"

using movie::Player;
using namespace movie_test;
using swf::Actions;
using swf::PushValue;

namespace {

// An argument: a literal, or a variable's value.
struct Arg {
  Arg(PushValue v) : value(std::move(v)) {}
  Arg(const char* s) : value(s) {}
  Arg(int i) : value(i) {}
  Arg(double d) : value(d) {}
  static Arg variable(std::string name) {
    Arg a(0);
    a.name = std::move(name);
    return a;
  }
  PushValue value;
  std::string name;  // set: the variable's value
};

void pushArgs(Actions& a, std::vector<Arg> args) {
  std::reverse(args.begin(), args.end());
  for (const Arg& arg : args) {
    if (arg.name.empty()) a.push({arg.value});
    else a.push({arg.name}).op(Actions::kGetVariable);
  }
  a.push({int(args.size())});
}

// target.method(args), the result left on the stack.
Actions& invoke(Actions& a, const std::string& target, const std::string& method, const std::vector<Arg>& args) {
  pushArgs(a, args);
  return a.push({target}).op(Actions::kGetVariable).push({method}).op(Actions::kCallMethod);
}

// target.method(args);
Actions& call(Actions& a, const std::string& target, const std::string& method, const std::vector<Arg>& args = {}) {
  return invoke(a, target, method, args).op(Actions::kPop);
}

// trace(target.method(args))
Actions& traceCall(Actions& a, const std::string& target, const std::string& method, const std::vector<Arg>& args) {
  return invoke(a, target, method, args).op(Actions::kTrace);
}

// trace(target.member)
Actions& traceMember(Actions& a, const std::string& target, const std::string& member) {
  return a.push({target}).op(Actions::kGetVariable).push({member}).op(Actions::kGetMember).op(Actions::kTrace);
}

// name = [values]
Actions& setArray(Actions& a, const std::string& name, std::vector<PushValue> values) {
  a.push({name});
  std::reverse(values.begin(), values.end());
  values.push_back(int(values.size()));
  return a.push(values).op(Actions::kInitArray).op(Actions::kSetVariable);
}

// name = {key: value, ...}
Actions& setObject(Actions& a, const std::string& name, const std::vector<std::pair<std::string, PushValue>>& fields) {
  a.push({name});
  for (const auto& [key, value] : fields) a.push({key, value});
  return a.push({int(fields.size())}).op(Actions::kInitObject).op(Actions::kSetVariable);
}

// A clip "c" made by the script, at depth 1 of the root.
Actions withClip() {
  Actions a;
  call(a, "_root", "createEmptyMovieClip", {"c", 1});
  return a;
}

// A clip "c" and the arrays and box of a two-stop gradient over the 100 x 100 stage:
// colors, alphas (both opaque), ratios (0, 255) and box.
Actions withTwoStopGradient(int from, int to) {
  Actions a = withClip();
  setArray(a, "colors", {from, to});
  setArray(a, "alphas", {100, 100});
  setArray(a, "ratios", {0, 255});
  setObject(a, "box", {{"matrixType", "box"}, {"x", 0}, {"y", 0}, {"w", 100}, {"h", 100}, {"r", 0}});
  return a;
}

// A closed or open path through pixel points, after a moveTo to the first.
void path(Actions& a, const std::string& clip, const std::vector<std::pair<int, int>>& points) {
  call(a, clip, "moveTo", {points[0].first, points[0].second});
  for (size_t i = 1; i < points.size(); ++i) call(a, clip, "lineTo", {points[i].first, points[i].second});
}

const std::vector<std::pair<int, int>> kBox = {{10, 10}, {60, 10}, {60, 40}, {10, 40}, {10, 10}};  // 50 x 30
const std::vector<std::pair<int, int>> kOpenBox = {{10, 10}, {60, 10}, {60, 40}, {10, 40}};

std::vector<uint32_t> stageOf(const std::vector<Actions>& frames, int shown = 1) {
  swf::TagList t;
  t.setBackgroundColor(swf::rgb(kWhite));
  for (const Actions& a : frames) {
    swf::doAction(t, a);
    t.showFrame();
  }
  t.end();
  Player p;
  load(p, movieOf(t));
  for (int i = 1; i < shown; ++i) p.tick();
  return renderPixels(p, 100, 100);
}

std::vector<uint32_t> stageOf(const Actions& a) { return stageOf(std::vector<Actions>{a}); }

int count(const std::vector<uint32_t>& px, uint32_t rgb) {
  return int(std::count_if(px.begin(), px.end(), [rgb](uint32_t v) { return rgbOf(v) == rgb; }));
}

uint32_t at(const std::vector<uint32_t>& px, int x, int y) { return rgbOf(px[size_t(y) * 100 + size_t(x)]); }

}  // namespace

TEST(ScriptDrawing, AFilledRectangleCoversItsPixels) {
  Actions a = withClip();
  call(a, "c", "beginFill", {0xFF0000});
  path(a, "c", kBox);
  call(a, "c", "endFill");
  auto px = stageOf(a);
  EXPECT_EQ(count(px, kRed), 50 * 30);
  EXPECT_EQ(at(px, 10, 10), kRed);
  EXPECT_EQ(at(px, 59, 39), kRed);
  EXPECT_EQ(at(px, 60, 25), kWhite);
}

TEST(ScriptDrawing, AnOpenFillIsClosedByEndFillByTheNextFillOrByAMove) {
  for (const char* closer : {"endFill", "beginFill", "moveTo"}) {
    SCOPED_TRACE(closer);
    Actions a = withClip();
    call(a, "c", "beginFill", {0xFF0000});
    path(a, "c", kOpenBox);
    if (std::string(closer) == "moveTo") call(a, "c", "moveTo", {90, 90});
    else if (std::string(closer) == "beginFill") call(a, "c", "beginFill", {0x0000FF});
    call(a, "c", "endFill");
    EXPECT_EQ(count(stageOf(a), kRed), 50 * 30);
  }
}

TEST(ScriptDrawing, AFillBeginsWhereThePenIs) {
  // beginFill before the first moveTo: the move starts the fill's outline anew.
  Actions a = withClip();
  call(a, "c", "beginFill", {0x00FF00});
  path(a, "c", kOpenBox);
  call(a, "c", "endFill");
  EXPECT_EQ(count(stageOf(a), kGreen), 50 * 30);
}

TEST(ScriptDrawing, ACurveBoundsItsFill) {
  // From (0, 50) through the control point (50, 0) to (100, 50): the curve's top is at
  // y = 25 in the middle and at y = 41 at x = 10.
  Actions a = withClip();
  call(a, "c", "beginFill", {0xFF0000});
  call(a, "c", "moveTo", {0, 50});
  call(a, "c", "curveTo", {50, 0, 100, 50});
  call(a, "c", "endFill");
  auto px = stageOf(a);
  EXPECT_EQ(at(px, 50, 27), kRed);
  EXPECT_EQ(at(px, 50, 23), kWhite);
  EXPECT_EQ(at(px, 10, 43), kRed);
  EXPECT_EQ(at(px, 10, 39), kWhite);
  EXPECT_EQ(at(px, 50, 51), kWhite);
}

TEST(ScriptDrawing, AGradientBoxSpreadsItsColoursAcrossTheBox) {
  Actions a = withTwoStopGradient(0xFF0000, 0x0000FF);
  call(a, "c", "beginGradientFill",
       {"linear", Arg::variable("colors"), Arg::variable("alphas"), Arg::variable("ratios"), Arg::variable("box")});
  path(a, "c", {{0, 0}, {100, 0}, {100, 100}, {0, 100}});
  call(a, "c", "endFill");
  auto px = stageOf(a);
  auto red = [&](int x) { return int(at(px, x, 50) >> 16); };
  auto blue = [&](int x) { return int(at(px, x, 50) & 0xFF); };
  EXPECT_GT(red(1), 245);
  EXPECT_LT(blue(1), 10);
  EXPECT_GT(blue(98), 245);
  EXPECT_NEAR(red(50), 128, 6);
  EXPECT_NEAR(blue(50), 128, 6);
  for (int x = 10; x < 100; x += 10) EXPECT_LT(red(x), red(x - 10));
  EXPECT_EQ(at(px, 30, 10), at(px, 30, 90));  // linear: the same down each column

  // The 3 x 3 form: a square one pixel wide scaled to 100 and centred at (50, 50).
  Actions b = withClip();
  setArray(b, "colors", {0xFF0000, 0x0000FF});
  setArray(b, "alphas", {100, 100});
  setArray(b, "ratios", {0, 255});
  setObject(b, "m", {{"a", 100}, {"b", 0}, {"c", 0}, {"d", 0}, {"e", 100}, {"f", 0}, {"g", 50}, {"h", 50}, {"i", 1}});
  call(b, "c", "beginGradientFill",
       {"linear", Arg::variable("colors"), Arg::variable("alphas"), Arg::variable("ratios"), Arg::variable("m")});
  path(b, "c", {{0, 0}, {100, 0}, {100, 100}, {0, 100}});
  call(b, "c", "endFill");
  EXPECT_EQ(stageOf(b), px);
}

TEST(ScriptDrawing, ARadialGradientIsBrightestAtItsCentre) {
  Actions a = withTwoStopGradient(0xFFFFFF, 0x000000);
  call(a, "c", "beginGradientFill",
       {"radial", Arg::variable("colors"), Arg::variable("alphas"), Arg::variable("ratios"), Arg::variable("box")});
  path(a, "c", {{0, 0}, {100, 0}, {100, 100}, {0, 100}});
  call(a, "c", "endFill");
  auto px = stageOf(a);
  auto grey = [&](int x, int y) { return int(at(px, x, y) & 0xFF); };
  EXPECT_GT(grey(50, 50), 240);
  EXPECT_GT(grey(50, 50), grey(70, 50));
  EXPECT_GT(grey(70, 50), grey(90, 50));
  EXPECT_EQ(grey(70, 49), grey(49, 70));  // the same distance, the same shade
  EXPECT_LT(grey(2, 2), 10);
}

// A focal point given by a script is held in 8.8 fixed point, cut toward zero, as a
// gradient in the file would hold it: 230.9 / 256 draws as 230 / 256, not as 231 / 256.
TEST(ScriptDrawing, AFocalPointIsHeldInEightEightFixedPoint) {
  auto drawFocal = [](double focal) {
    Actions a = withTwoStopGradient(0xFFFFFF, 0x000000);
    call(a, "c", "beginGradientFill",
         {"radial", Arg::variable("colors"), Arg::variable("alphas"), Arg::variable("ratios"), Arg::variable("box"),
          "reflect", "RGB", PushValue(focal)});
    path(a, "c", {{0, 0}, {100, 0}, {100, 100}, {0, 100}});
    call(a, "c", "endFill");
    return stageOf(a);
  };
  auto cut = drawFocal(230.9 / 256);
  EXPECT_EQ(cut, drawFocal(230.0 / 256));
  EXPECT_NE(cut, drawFocal(231.0 / 256));
  EXPECT_EQ(drawFocal(-230.9 / 256), drawFocal(-230.0 / 256));
}

TEST(ScriptDrawing, ABadGradientMakesNoFill) {
  // Arrays of different lengths, an unknown kind, a ratio past 255: no fill begins.
  Actions a = withClip();
  setArray(a, "colors", {0xFF0000, 0x0000FF});
  setArray(a, "short", {100});
  setArray(a, "alphas", {100, 100});
  setArray(a, "ratios", {0, 255});
  setArray(a, "past", {0, 256});
  setObject(a, "box", {{"matrixType", "box"}, {"x", 0}, {"y", 0}, {"w", 100}, {"h", 100}, {"r", 0}});
  const std::vector<std::vector<Arg>> bad = {
      {"linear", Arg::variable("colors"), Arg::variable("short"), Arg::variable("ratios"), Arg::variable("box")},
      {"conic", Arg::variable("colors"), Arg::variable("alphas"), Arg::variable("ratios"), Arg::variable("box")},
      {"linear", Arg::variable("colors"), Arg::variable("alphas"), Arg::variable("past"), Arg::variable("box")},
      {"linear", Arg::variable("colors"), Arg::variable("alphas"), Arg::variable("ratios")},
  };
  for (const auto& args : bad) {
    call(a, "c", "beginGradientFill", args);
    path(a, "c", kBox);
    call(a, "c", "endFill");
  }
  EXPECT_EQ(count(stageOf(a), kWhite), 100 * 100);
}

TEST(ScriptDrawing, ClearRemovesTheDrawingAndTheStyles) {
  Actions a = withClip();
  call(a, "c", "lineStyle", {4, 0x0000FF});
  call(a, "c", "beginFill", {0xFF0000});
  path(a, "c", kBox);
  call(a, "c", "clear");
  path(a, "c", kBox);  // no fill and no line any more
  call(a, "c", "endFill");
  EXPECT_EQ(count(stageOf(a), kWhite), 100 * 100);

  Actions again = withClip();
  call(again, "c", "beginFill", {0xFF0000});
  path(again, "c", kBox);
  call(again, "c", "clear");
  call(again, "c", "beginFill", {0x00FF00});
  path(again, "c", {{70, 70}, {80, 70}, {80, 80}, {70, 80}});
  call(again, "c", "endFill");
  auto px = stageOf(again);
  EXPECT_EQ(count(px, kRed), 0);
  EXPECT_EQ(count(px, kGreen), 10 * 10);
}

TEST(ScriptDrawing, ClearOnALaterFrameRemovesWhatWasShown) {
  Actions first = withClip();
  call(first, "c", "beginFill", {0xFF0000});
  path(first, "c", kBox);
  Actions second;
  call(second, "c", "clear");
  EXPECT_EQ(count(stageOf({first, second}, 1), kRed), 50 * 30);
  EXPECT_EQ(count(stageOf({first, second}, 2), kRed), 0);
}

TEST(ScriptDrawing, LinesAndFillsKeepTheirOrder) {
  // A blue line across a red fill, drawn with the fill, lies on it; a green fill begun
  // later covers both.
  Actions a = withClip();
  call(a, "c", "beginFill", {0xFF0000});
  path(a, "c", kBox);
  call(a, "c", "endFill");
  call(a, "c", "lineStyle", {4, 0x0000FF});
  path(a, "c", {{0, 25}, {100, 25}});
  call(a, "c", "lineStyle");
  call(a, "c", "beginFill", {0x00FF00});
  path(a, "c", {{50, 0}, {100, 0}, {100, 100}, {50, 100}});
  call(a, "c", "endFill");
  auto px = stageOf(a);
  EXPECT_EQ(at(px, 30, 25), kBlue);
  EXPECT_EQ(at(px, 5, 25), kBlue);
  EXPECT_EQ(at(px, 30, 15), kRed);
  EXPECT_EQ(at(px, 75, 25), kGreen);
  EXPECT_EQ(at(px, 55, 15), kGreen);
}

TEST(ScriptDrawing, AHairlineIsOnePixelWide) {
  Actions a = withClip();
  call(a, "c", "lineStyle", {0, 0x0000FF});
  call(a, "c", "moveTo", {0, PushValue(10.125)});
  call(a, "c", "lineTo", {100, PushValue(10.125)});
  for (const char* scale : {"_xscale", "_yscale"})
    a.push({"c"}).op(Actions::kGetVariable).push({scale, 400}).op(Actions::kSetMember);
  auto px = stageOf(a);
  int rows = 0;
  for (int y = 0; y < 100; ++y) rows += at(px, 50, y) != kWhite;
  EXPECT_EQ(rows, 1);  // not scaled with the clip
  EXPECT_EQ(at(px, 50, 40), kBlue);
}

TEST(ScriptDrawing, TheDrawingLiesBeneathTheClipsChildren) {
  Actions a = withClip();
  call(a, "c", "createEmptyMovieClip", {"k", 1});
  call(a, "c.k", "beginFill", {0x0000FF});
  path(a, "c.k", {{20, 20}, {30, 20}, {30, 30}, {20, 30}});
  call(a, "c", "beginFill", {0xFF0000});  // drawn after the child, still beneath it
  path(a, "c", kBox);
  call(a, "c", "endFill");
  auto px = stageOf(a);
  EXPECT_EQ(count(px, kBlue), 10 * 10);
  EXPECT_EQ(count(px, kRed), 50 * 30 - 10 * 10);
}

TEST(ScriptDrawing, TheRootDrawsToo) {
  Actions a;
  call(a, "_root", "beginFill", {0xFF0000});
  path(a, "_root", kBox);
  EXPECT_EQ(count(stageOf(a), kRed), 50 * 30);
}

TEST(ScriptDrawing, BoundsFollowTheDrawingAndItsLines) {
  Actions a = withClip();
  call(a, "c", "beginFill", {0xFF0000});
  path(a, "c", kBox);
  call(a, "c", "endFill");
  traceMember(a, "c", "_width");
  traceMember(a, "c", "_height");
  a.push({"b"});
  invoke(a, "c", "getBounds", {Arg::variable("_root")});
  a.op(Actions::kSetVariable);
  for (const char* edge : {"xMin", "yMin", "xMax", "yMax"}) traceMember(a, "b", edge);
  // A 10 pixel line reaches 5 pixels past its ends and either side.
  call(a, "_root", "createEmptyMovieClip", {"l", 2});
  call(a, "l", "lineStyle", {10, 0});
  path(a, "l", {{0, 0}, {50, 0}});
  traceMember(a, "l", "_width");
  traceMember(a, "l", "_height");
  // A curve's bounds reach its top, not its control point.
  call(a, "_root", "createEmptyMovieClip", {"k", 3});
  call(a, "k", "beginFill", {0});
  call(a, "k", "moveTo", {0, 50});
  call(a, "k", "curveTo", {50, 0, 100, 50});
  traceMember(a, "k", "_height");
  EXPECT_EQ(traceOf(a), (std::vector<std::string>{"50", "30", "10", "10", "60", "40", "60", "10", "25"}));
}

TEST(ScriptDrawing, HitTestSeesTheBoxOrTheShape) {
  // A triangle: (50, 20) is inside its box but outside the shape; (95, 95) is outside both.
  Actions a = withClip();
  call(a, "c", "beginFill", {0xFF0000});
  path(a, "c", {{10, 10}, {90, 90}, {10, 90}});
  call(a, "c", "endFill");
  traceCall(a, "c", "hitTest", {50, 20});
  traceCall(a, "c", "hitTest", {50, 20, true});
  traceCall(a, "c", "hitTest", {20, 70, true});
  traceCall(a, "c", "hitTest", {95, 95});
  a.push({"c"}).op(Actions::kGetVariable).push({"_x", 100}).op(Actions::kSetMember);
  traceCall(a, "c", "hitTest", {20, 70, true});
  traceCall(a, "c", "hitTest", {120, 70, true});
  EXPECT_EQ(traceOf(a), (std::vector<std::string>{"true", "false", "true", "false", "false", "true"}));
  // A false shape flag asks for the box.
  Actions b = withClip();
  call(b, "c", "beginFill", {0xFF0000});
  path(b, "c", {{10, 10}, {90, 90}, {10, 90}});
  traceCall(b, "c", "hitTest", {50, 20, false});
  EXPECT_EQ(traceOf(b), std::vector<std::string>{"true"});
}

TEST(ScriptDrawing, ADrawnMaskClipsItsClip) {
  // "c" fills the stage red; "m", a drawn left half, masks it.
  Actions a = withClip();
  call(a, "c", "beginFill", {0xFF0000});
  path(a, "c", {{0, 0}, {100, 0}, {100, 100}, {0, 100}});
  call(a, "_root", "createEmptyMovieClip", {"m", 2});
  call(a, "m", "beginFill", {0x00FF00});
  path(a, "m", {{0, 0}, {50, 0}, {50, 100}, {0, 100}});
  call(a, "c", "setMask", {Arg::variable("m")});
  auto px = stageOf(a);
  EXPECT_EQ(count(px, kRed), 50 * 100);
  EXPECT_EQ(count(px, kGreen), 0);
  EXPECT_EQ(at(px, 75, 50), kWhite);
}

TEST(ScriptDrawing, AMaskSetByAScriptTakesTheFillsOnly) {
  // The mask's 20 pixel line along its right edge covers nothing of "c".
  Actions a = withClip();
  call(a, "c", "beginFill", {0xFF0000});
  path(a, "c", {{0, 0}, {100, 0}, {100, 100}, {0, 100}});
  call(a, "_root", "createEmptyMovieClip", {"m", 2});
  call(a, "m", "beginFill", {0x00FF00});
  path(a, "m", {{0, 0}, {50, 0}});
  call(a, "m", "lineStyle", {20, 0x0000FF});
  call(a, "m", "lineTo", {50, 100});
  call(a, "m", "lineStyle");
  call(a, "m", "lineTo", {0, 100});
  call(a, "m", "endFill");
  traceCall(a, "c", "setMask", {"_level0:m"});
  auto px = stageOf(a);
  EXPECT_EQ(count(px, kRed), 50 * 100);
  EXPECT_EQ(at(px, 55, 50), kWhite);
  EXPECT_EQ(traceOf(a), std::vector<std::string>{"true"});
}

TEST(ScriptDrawing, SetMaskAnswersWhetherItFoundTheMask) {
  Actions a = withClip();
  call(a, "_root", "createEmptyMovieClip", {"m", 2});
  traceCall(a, "c", "setMask", {});
  traceCall(a, "c", "setMask", {"nothing"});
  traceCall(a, "c", "setMask", {"m"});
  traceCall(a, "c", "setMask", {PushValue::null()});
  EXPECT_EQ(traceOf(a), (std::vector<std::string>{"undefined", "false", "true", "true"}));
}

TEST(ScriptDrawing, ThePointerHitsADrawnClip) {
  Actions a = withClip();
  call(a, "c", "beginFill", {0xFF0000});
  path(a, "c", kBox);
  // c.onPress = function () { trace("pressed"); }
  Actions body;
  body.trace("pressed");
  a.push({"c"}).op(Actions::kGetVariable).push({"onPress"});
  a.function("", {}, body);
  a.op(Actions::kSetMember);
  swf::TagList t;
  swf::doAction(t, a);
  t.showFrame();
  t.end();
  std::vector<std::string> lines;
  Player p;
  p.setTraceHandler([&lines](const std::string& line) { lines.push_back(line); });
  load(p, movieOf(t));
  p.setViewport(100, 100);
  p.pointerMove(80, 80);
  p.pointerDown(80, 80);
  p.pointerUp();
  EXPECT_TRUE(lines.empty());
  p.pointerMove(30, 20);
  p.pointerDown(30, 20);
  p.pointerUp();
  EXPECT_EQ(lines, std::vector<std::string>{"pressed"});
}

TEST(ScriptDrawing, ADuplicateTakesTheDrawing) {
  Actions a = withClip();
  call(a, "c", "beginFill", {0xFF0000});
  path(a, "c", kBox);
  call(a, "c", "endFill");
  call(a, "c", "duplicateMovieClip", {"d", 5});
  a.push({"d"}).op(Actions::kGetVariable).push({"_y", 50}).op(Actions::kSetMember);
  EXPECT_EQ(count(stageOf(a), kRed), 2 * 50 * 30);
}

TEST(ScriptDrawing, BadCoordinatesAreIgnoredOrBroughtIn) {
  // NaN and infinite points leave the pen where it was; huge ones draw and end cleanly.
  Actions a = withClip();
  call(a, "c", "beginFill", {0xFF0000});
  call(a, "c", "moveTo", {10, 10});
  call(a, "c", "lineTo", {PushValue(std::nan("")), 50});
  call(a, "c", "lineTo", {60, 10});
  call(a, "c", "lineTo", {PushValue(1.0 / 0.0), PushValue(1.0 / 0.0)});
  call(a, "c", "curveTo", {PushValue(std::nan("")), 0, 0, 0});
  call(a, "c", "lineTo", {60, 40});
  call(a, "c", "lineTo", {10, 40});
  call(a, "c", "endFill");
  EXPECT_EQ(count(stageOf(a), kRed), 50 * 30);

  Actions huge = withClip();
  call(huge, "c", "lineStyle", {255, 0x0000FF});
  call(huge, "c", "beginFill", {0xFF0000});
  call(huge, "c", "moveTo", {-1e300, -1e300});
  call(huge, "c", "curveTo", {1e300, -1e300, 1e300, 1e300});
  call(huge, "c", "lineTo", {-1e300, 1e300});
  call(huge, "c", "endFill");
  traceMember(huge, "c", "_width");
  huge.trace("done");
  auto lines = traceOf(huge);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[1], "done");
  EXPECT_GT(std::stod(lines[0]), 1e6);
  EXPECT_EQ(count(stageOf(huge), kBlue) + count(stageOf(huge), kRed), 100 * 100);
}

TEST(ScriptDrawing, HugeGradientArraysAreReadOnlyAsFarAsAGradientGoes) {
  Actions a = withClip();
  for (const char* name : {"colors", "alphas", "ratios"}) {
    a.push({name, 200000, 1, "Array"}).op(Actions::kNewObject).op(Actions::kSetVariable);
  }
  setObject(a, "box", {{"matrixType", "box"}, {"x", 0}, {"y", 0}, {"w", 100}, {"h", 100}, {"r", 0}});
  call(a, "c", "beginGradientFill",
       {"linear", Arg::variable("colors"), Arg::variable("alphas"), Arg::variable("ratios"), Arg::variable("box")});
  path(a, "c", kBox);
  call(a, "c", "endFill");
  a.trace("done");
  EXPECT_EQ(traceOf(a), std::vector<std::string>{"done"});
}

namespace {

// for (i = 0; i < times; ++i) { c.lineTo(1, 1); c.lineTo(0, 0); }
Actions zigzag(int times) {
  Actions a;
  a.push({"i", 0}).op(Actions::kSetVariable);
  Actions::Label top = a.label(), done = a.label();
  a.mark(top);
  a.push({"i"}).op(Actions::kGetVariable).push({times}).op(Actions::kLess2).op(Actions::kNot).ifTrue(done);
  call(a, "c", "lineTo", {1, 1});
  call(a, "c", "lineTo", {0, 0});
  a.push({"i", "i"}).op(Actions::kGetVariable).op(Actions::kIncrement).op(Actions::kSetVariable);
  a.jump(top);
  a.mark(done);
  return a;
}

}  // namespace

TEST(ScriptDrawing, EndlessDrawingIsStoppedByTheFramesBudget) {
  // Ten million lines: the frame's budget stops the loop, and the movie plays on.
  Actions first = withClip();
  call(first, "c", "lineStyle", {1, 0});
  Actions endless = zigzag(10000000);
  endless.trace("not reached");
  Actions after;
  traceMember(after, "c", "_width");
  EXPECT_EQ(runTrace(scriptedMovie({first, endless, after}), 3), std::vector<std::string>{"2"});
}

TEST(ClipDrawing, OneDrawingKeepsABoundedNumberOfEdges) {
  movie::timeline::DrawingAllowance allowance;
  movie::timeline::ClipDrawing drawing(allowance);
  movie::StrokeStyle line;
  drawing.lineStyle(&line, movie::Color{});
  for (size_t i = 0; i < movie::timeline::ClipDrawing::kMaxEdges + 1000; ++i) drawing.lineTo(20.0 * (i % 2), 0);
  drawing.lineTo(100000, 0);  // past the bound: not kept
  EXPECT_EQ(drawing.outline().edges.size(), movie::timeline::ClipDrawing::kMaxEdges);
  EXPECT_EQ(allowance.edges, movie::timeline::ClipDrawing::kMaxEdges);
  EXPECT_DOUBLE_EQ(drawing.bounds().xMax, 20 + 10);
  drawing.clear();
  EXPECT_EQ(allowance.edges, 0u);
}

TEST(ClipDrawing, TheTreesDrawingsShareOneBound) {
  movie::timeline::DrawingAllowance allowance;
  allowance.maxEdges = 10;
  movie::timeline::ClipDrawing first(allowance);
  first.beginFill(movie::Color{});
  for (int i = 0; i < 8; ++i) first.lineTo(20.0 * i, 20.0 * (i % 2));
  {
    movie::timeline::ClipDrawing second(allowance);
    second.beginFill(movie::Color{});
    for (int i = 0; i < 8; ++i) second.lineTo(20.0 * i, 20.0 * (i % 2));
    EXPECT_EQ(second.outline().edges.size(), 2u);
    EXPECT_EQ(allowance.edges, 10u);
  }
  EXPECT_EQ(allowance.edges, 8u);  // what a drawing held is given back when it goes
}
