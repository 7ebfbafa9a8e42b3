// Dragging: a clip follows the pointer after startDrag (the method and the version 4
// action), keeping its distance or with its origin on the pointer, held within its
// limits in its parent's coordinates, until stopDrag; _droptarget names the clip it
// was dropped on.
#include <gtest/gtest.h>

#include "movie_fixtures.h"
#include "tools/swf/actions.h"

namespace {

using namespace movie_test;

// clip.method(args...), its result dropped, added to a.
swf::Actions& callOn(swf::Actions& a, const std::string& clip, const std::string& method,
                     std::vector<swf::PushValue> args) {
  std::vector<swf::PushValue> pushed(args.rbegin(), args.rend());
  pushed.push_back(int(args.size()));
  pushed.push_back(clip);
  return a.push(pushed).op(swf::Actions::kGetVariable).push({method}).op(swf::Actions::kCallMethod).op(swf::Actions::kPop);
}

swf::Actions callOn(const std::string& clip, const std::string& method, std::vector<swf::PushValue> args) {
  swf::Actions a;
  return callOn(a, clip, method, std::move(args));
}

// trace(clip.property)
swf::Actions& traceMember(swf::Actions& a, const std::string& clip, const std::string& property) {
  return a.push({clip}).op(swf::Actions::kGetVariable).push({property}).op(swf::Actions::kGetMember).op(swf::Actions::kTrace);
}

swf::Actions tracePosition(const std::string& clip) {
  swf::Actions a;
  traceMember(a, clip, "_x");
  return traceMember(a, clip, "_y");
}

// A 200 x 200 stage: "target", a sprite of a blue 40 x 40 square at (140, 140); "holder"
// (scaled by xscale, yscale at (0, 0)) holding "box", a sprite of a red 20 x 20 square
// at (50, 50) in its coordinates; one frame for each action list, the last one stops.
swf::Bytes dragMovie(std::vector<swf::Actions> frames, double xscale = 1, double yscale = 1) {
  swf::TagList t;
  t.setBackgroundColor(swf::rgb(kWhite));
  t.defineShape(1, rectShape(0, 0, 20, 20, kRed));
  defineSpriteOf(t, 2, 1);
  t.defineShape(3, rectShape(0, 0, 40, 40, kBlue));
  defineSpriteOf(t, 4, 3);
  swf::TagList inner;
  swf::Place box = placeAt(1, 2, 50, 50);
  box.name = "box";
  inner.placeObject2(box);
  inner.showFrame();
  inner.end();
  t.defineSprite(5, inner);
  swf::Place target = placeAt(1, 4, 140, 140);
  target.name = "target";
  t.placeObject2(target);
  swf::Place holder = placeAt(2, 5);
  holder.name = "holder";
  holder.matrix = swf::Matrix::transform(xscale, yscale, 0, 0, 0);
  t.placeObject2(holder);
  frames.back().op(swf::Actions::kStop);
  for (const swf::Actions& a : frames) {
    if (!a.body().empty()) swf::doAction(t, a);
    t.showFrame();
  }
  t.end();
  return movieOf(t, 200, 200);
}

struct Stage : TracingStage {
  explicit Stage(const swf::Bytes& movie) : TracingStage(movie, 200, 200) {}
  uint32_t at(int x, int y) { return rgbAt(x, y); }
};

const std::string kBox = "holder.box";

TEST(Dragging, TheClipKeepsItsDistanceFromThePointer) {
  Stage s(dragMovie({{}, callOn(kBox, "startDrag", {}), tracePosition(kBox)}));
  s.player.pointerMove(55, 55);
  s.player.tick();  // the drag starts with the pointer 5 pixels into the square
  s.player.pointerMove(105, 75);
  EXPECT_EQ(s.at(101, 71), kRed);
  EXPECT_EQ(s.at(60, 60), kWhite);
  s.player.tick();
  EXPECT_EQ(s.lines, (std::vector<std::string>{"100", "70"}));
}

TEST(Dragging, LockCenterPutsTheOriginOnThePointerAndLimitsHoldIt) {
  swf::Actions start = callOn(kBox, "startDrag", {true, 10, 20, 60, 40});
  Stage s(dragMovie({{}, start, tracePosition(kBox)}));
  s.player.pointerMove(30, 30);
  s.player.tick();
  s.player.pointerMove(190, 5);
  s.player.tick();
  EXPECT_EQ(s.lines, (std::vector<std::string>{"60", "20"}));
}

TEST(Dragging, LimitsAreInTheParentsCoordinates) {
  // The holder doubles everything: the pointer at (100, 60) is (50, 30) inside it.
  swf::Actions start = callOn(kBox, "startDrag", {true, 0, 0, 40, 100});
  Stage s(dragMovie({{}, start, tracePosition(kBox)}, 2, 2));
  s.player.pointerMove(100, 60);
  s.player.tick();
  s.player.tick();
  EXPECT_EQ(s.lines, (std::vector<std::string>{"40", "30"}));
  EXPECT_EQ(s.at(81, 61), kRed);
}

TEST(Dragging, TheVersion4ActionTakesTargetLockAndLimits) {
  // startDrag("/holder/box", true, 0, 0, 100, 30): pushed left, top, right, bottom,
  // then constrain, lock centre and the target.
  swf::Actions start;
  start.push({0, 0, 100, 30, true, true, "/holder/box"}).op(swf::Actions::kStartDrag);
  swf::Actions stop;
  stop.op(swf::Actions::kEndDrag);
  Stage s(dragMovie({{}, start, tracePosition(kBox), stop, tracePosition(kBox)}));
  s.player.pointerMove(20, 20);
  s.player.tick();
  s.player.pointerMove(150, 10);
  s.player.tick();
  s.player.tick();
  s.player.pointerMove(5, 5);
  s.player.tick();
  EXPECT_EQ(s.lines, (std::vector<std::string>{"100", "10", "100", "10"}));
}

TEST(Dragging, StopDragEndsItAndDropTargetNamesTheClipBelow) {
  swf::Actions stop = callOn(kBox, "stopDrag", {});
  traceMember(stop, kBox, "_droptarget");
  swf::Actions moved = tracePosition(kBox);
  Stage s(dragMovie({{}, callOn(kBox, "startDrag", {true}), stop, moved}));
  s.player.pointerMove(10, 10);
  s.player.tick();
  s.player.pointerMove(150, 150);  // over the blue target
  s.player.tick();
  s.player.pointerMove(20, 30);
  s.player.tick();
  EXPECT_EQ(s.lines, (std::vector<std::string>{"/target", "150", "150"}));
}

TEST(Dragging, DropTargetIsEmptyOverNothingAndForClipsNeverDragged) {
  swf::Actions stop;
  stop.op(swf::Actions::kEndDrag);
  traceMember(stop, kBox, "_droptarget");
  traceMember(stop, "target", "_droptarget");
  Stage s(dragMovie({{}, callOn(kBox, "startDrag", {}), stop}));
  s.player.pointerMove(55, 55);
  s.player.tick();
  s.player.pointerMove(10, 150);
  s.player.tick();
  EXPECT_EQ(s.lines, (std::vector<std::string>{"", ""}));
}

TEST(Dragging, ANewDragEndsTheOldOne) {
  swf::Actions both = callOn(kBox, "startDrag", {true});
  callOn(both, "target", "startDrag", {true});
  swf::Actions after = tracePosition(kBox);
  traceMember(after, "target", "_x");
  Stage s(dragMovie({{}, both, after}));
  s.player.pointerMove(30, 30);
  s.player.tick();
  s.player.pointerMove(70, 80);
  s.player.tick();
  EXPECT_EQ(s.lines, (std::vector<std::string>{"30", "30", "70"}));
}

TEST(Dragging, RemovingTheDraggedClipEndsTheDrag) {
  swf::Actions start = callOn(kBox, "startDrag", {true});
  swf::Actions swapped;  // a clip put at a script depth can be removed
  callOn(swapped, kBox, "swapDepths", {10});
  callOn(swapped, kBox, "removeMovieClip", {});
  Stage s(dragMovie({{}, start, swapped, {}}));
  s.player.pointerMove(30, 30);
  s.player.tick();
  s.player.tick();
  s.player.pointerMove(90, 90);
  s.player.tick();
  EXPECT_EQ(s.at(95, 95), kWhite);
  EXPECT_EQ(s.at(31, 31), kWhite);
}

}  // namespace
