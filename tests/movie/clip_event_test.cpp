// Clip events: onClipEvent handlers of placements (load, enterFrame, mouse and key
// events, on(press) and its kin), the matching handler methods, and damaged handler
// lists.
#include <gtest/gtest.h>

#include "movie_fixtures.h"
#include "tools/swf/clip_actions.h"

namespace {

using Lines = std::vector<std::string>;

swf::Actions traceOnly(const std::string& text) {
  swf::Actions a;
  a.trace(text);
  return a;
}

// A 40 x 40 clip named "clip" at (50, 50) with the handlers, and frame actions.
swf::Bytes clipMovie(const std::vector<swf::ClipHandler>& handlers, const swf::Actions* frameActions = nullptr) {
  swf::TagList tags;
  tags.defineShape(1, movie_test::rectShape(0, 0, 40, 40, movie_test::kRed));
  movie_test::defineSpriteOf(tags, 20, 1);
  swf::Place clip = movie_test::placeAt(1, 20, 50, 50);
  clip.name = "clip";
  swf::placeWithHandlers(tags, clip, handlers);
  if (frameActions) swf::doAction(tags, *frameActions);
  tags.showFrame();
  tags.end();
  return movie_test::movieOf(tags, 200, 200);
}

struct ClipRun {
  movie::Player player;
  Lines lines;
  explicit ClipRun(const swf::Bytes& movie) {
    player.setTraceHandler([this](const std::string& line) { lines.push_back(line); });
    movie_test::load(player, movie);
    player.setViewport(200, 200);
  }
};

// clip[name] = function () { trace(text); }
swf::Actions setHandler(const std::string& target, const std::string& name, const std::string& text) {
  swf::Actions a;
  a.push({target}).op(swf::Actions::kGetVariable).push({name});
  a.function("", {}, traceOnly(text));
  a.op(swf::Actions::kSetMember);
  return a;
}

TEST(ClipEvents, LoadRunsOnceAndEnterFrameEveryFrame) {
  ClipRun run(clipMovie({{0x01, 0, traceOnly("load")}, {0x02, 0, traceOnly("enter")}}));
  run.player.tick();
  run.player.tick();
  EXPECT_EQ(run.lines, (Lines{"load", "enter", "enter"}));
}

TEST(ClipEvents, EnterFrameMethodsRunOnClipsAndTheRoot) {
  swf::Actions both;
  for (const char* target : {"clip", "_root"}) {
    both.push({target}).op(swf::Actions::kGetVariable).push({"onEnterFrame"});
    both.function("", {}, traceOnly(std::string(target) + " tick"));
    both.op(swf::Actions::kSetMember);
  }
  ClipRun run(clipMovie({}, &both));
  run.player.tick();
  run.player.tick();
  EXPECT_EQ(run.lines, (Lines{"clip tick", "_root tick", "clip tick", "_root tick"}));
}

TEST(ClipEvents, MouseEventsReachEveryClipWhereverThePointerIs) {
  swf::Actions methods = setHandler("clip", "onMouseUp", "method up");
  ClipRun run(clipMovie({{0x10, 0, traceOnly("down")}, {0x08, 0, traceOnly("move")}}, &methods));
  run.player.pointerMove(5, 5);
  run.player.pointerDown(5, 5);
  run.player.pointerUp();
  EXPECT_EQ(run.lines, (Lines{"move", "down", "method up"}));
}

TEST(ClipEvents, PressAndReleaseHandlersMakeTheClipClickable) {
  ClipRun run(clipMovie({{0x400, 0, traceOnly("press")}, {0x800, 0, traceOnly("release")}}));
  run.player.pointerMove(5, 5);
  run.player.pointerDown(5, 5);
  run.player.pointerUp();
  EXPECT_TRUE(run.lines.empty());
  run.player.pointerMove(60, 60);
  EXPECT_TRUE(run.player.handCursor());
  run.player.pointerDown(60, 60);
  run.player.pointerUp();
  EXPECT_EQ(run.lines, (Lines{"press", "release"}));
}

TEST(ClipEvents, KeyPressHandlersWaitForTheirKey) {
  ClipRun run(clipMovie({{0x20000, 13, traceOnly("enter")}, {0x40, 0, traceOnly("key down")}}));
  run.player.keyDown('A', U'a');
  run.player.keyDown(0x0D, U'\r');
  EXPECT_EQ(run.lines, (Lines{"key down", "key down", "enter"}));
}

// var l = new Object(); l[handler] = function () { trace(body) }; source.addListener(l);
swf::Actions listener(const std::string& source, const std::string& handler, const swf::Actions& body) {
  swf::Actions a;
  a.push({"l", 0, "Object"}).op(swf::Actions::kNewObject).op(swf::Actions::kSetVariable);
  a.push({"l"}).op(swf::Actions::kGetVariable).push({handler});
  a.function("", {}, body);
  a.op(swf::Actions::kSetMember);
  a.push({"l"}).op(swf::Actions::kGetVariable).push({1, source}).op(swf::Actions::kGetVariable);
  a.push({"addListener"}).op(swf::Actions::kCallMethod).op(swf::Actions::kPop);
  return a;
}

TEST(InputObjects, KeyListenersHearKeysAndKeyTellsWhichOne) {
  swf::Actions body;
  body.push({0, "Key"}).op(swf::Actions::kGetVariable).push({"getCode"}).op(swf::Actions::kCallMethod);
  body.op(swf::Actions::kTrace);
  swf::Actions setup = listener("Key", "onKeyDown", body);
  ClipRun run(clipMovie({}, &setup));
  run.player.keyDown(0x41, U'a');
  run.player.keyUp(0x41);
  run.player.keyDown(0x26, 0);
  EXPECT_EQ(run.lines, (Lines{"65", "38"}));
}

TEST(InputObjects, MouseListenersHearPressesAndClipsKnowThePointer) {
  swf::Actions body;
  body.push({"clip"}).op(swf::Actions::kGetVariable).push({"_xmouse"}).op(swf::Actions::kGetMember);
  body.op(swf::Actions::kTrace);
  swf::Actions setup = listener("Mouse", "onMouseDown", body);
  ClipRun run(clipMovie({}, &setup));
  run.player.pointerDown(70.5, 10);
  EXPECT_EQ(run.lines, (Lines{"20.5"}));
}

TEST(InputObjects, MouseListenersHearTheWheelAndWhatIsUnderThePointer) {
  // function (delta, over) { trace(delta); trace(over); }
  swf::Actions body;
  body.push({"delta"}).op(swf::Actions::kGetVariable).op(swf::Actions::kTrace);
  body.push({"over"}).op(swf::Actions::kGetVariable).op(swf::Actions::kTrace);
  swf::Actions setup;
  setup.push({"l", 0, "Object"}).op(swf::Actions::kNewObject).op(swf::Actions::kSetVariable);
  setup.push({"l"}).op(swf::Actions::kGetVariable).push({"onMouseWheel"});
  setup.function("", {"delta", "over"}, body);
  setup.op(swf::Actions::kSetMember);
  setup.push({"l"}).op(swf::Actions::kGetVariable).push({1, "Mouse"}).op(swf::Actions::kGetVariable);
  setup.push({"addListener"}).op(swf::Actions::kCallMethod).op(swf::Actions::kPop);
  ClipRun run(clipMovie({{0x400, 0, traceOnly("press")}}, &setup));
  run.player.pointerMove(10, 10);
  run.player.wheel(1);
  run.player.pointerMove(70, 70);
  run.player.wheel(-2);
  EXPECT_EQ(run.lines, (Lines{"3", "undefined", "-6", "_level0.clip"}));
}

TEST(ClipEvents, DamagedHandlerListsKeepThePlacement) {
  swf::TagList tags;
  tags.defineShape(1, movie_test::rectShape(0, 0, 40, 40, movie_test::kRed));
  movie_test::defineSpriteOf(tags, 20, 1);
  // PlaceObject2 with a character at depth 1, then handlers whose size runs past the end.
  tags.raw(26, {0x82, 1, 0, 20, 0, 0, 0, 0x01, 0, 0, 0, 0x01, 0, 0, 0, 0xFF, 0xFF, 0, 0, 0x96});
  tags.raw(26, {0x82, 2, 0, 20, 0, 0, 0});
  tags.showFrame();
  tags.end();
  ClipRun run(movie_test::movieOf(tags, 200, 200));
  EXPECT_NE(run.player.state(), movie::LoadState::Failed);
  run.player.tick();
  std::vector<uint32_t> pixels = movie_test::renderPixels(run.player, 200, 200);
  EXPECT_EQ(movie_test::rgbOf(pixels[10 * 200 + 10]), movie_test::kRed);
}

}  // namespace
