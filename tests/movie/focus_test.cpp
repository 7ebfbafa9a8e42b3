// The keyboard focus of buttons and clips: Selection.setFocus gives it, Tab moves it in
// position order (Shift+Tab back), the focused button hears onKeyDown and onKeyUp, and
// Enter or Space press and release it while the user works with the keyboard.
#include <gtest/gtest.h>

#include "movie_fixtures.h"
#include "tools/swf/actions.h"
#include "tools/swf/button_writer.h"

namespace {

using namespace movie_test;
using A = swf::Actions;

constexpr int kTab = 0x09, kEnter = 0x0D, kShift = 0x10, kSpace = 0x20;

swf::Actions traceOnly(const std::string& text) {
  swf::Actions a;
  a.trace(text);
  return a;
}

// name.handler = function () { trace(text); }
void traceHandler(swf::Actions& a, const std::string& name, const std::string& handler, const std::string& text) {
  a.push({name}).op(A::kGetVariable).push({handler});
  a.function("", {}, traceOnly(text));
  a.op(A::kSetMember);
}

// Selection.setFocus(name)
void setFocus(swf::Actions& a, const std::string& name) {
  a.push({name}).op(A::kGetVariable).push({1, "Selection"}).op(A::kGetVariable);
  a.push({"setFocus"}).op(A::kCallMethod).op(A::kPop);
}

// A Selection listener that traces the object getting the focus.
void traceFocusChanges(swf::Actions& a) {
  swf::Actions body;
  body.push({"n"}).op(A::kGetVariable).op(A::kTrace);
  a.push({"l", 0, "Object"}).op(A::kNewObject).op(A::kSetVariable);
  a.push({"l"}).op(A::kGetVariable).push({"onSetFocus"});
  a.function("", {"o", "n"}, body);
  a.op(A::kSetMember);
  a.push({"l"}).op(A::kGetVariable).push({1, "Selection"}).op(A::kGetVariable);
  a.push({"addListener"}).op(A::kCallMethod).op(A::kPop);
}

// Three 20 x 20 buttons: "b3" at (10, 10), "b1" at (50, 10), "b2" at (10, 60) (so Tab
// visits b3, b1, b2), each tracing its press and release, then the frame's actions.
swf::Bytes buttonsMovie(const swf::Actions& actions, uint8_t version = 10) {
  swf::TagList t;
  t.defineShape(1, rectShape(0, 0, 20, 20, kRed));
  const struct {
    const char* name;
    uint16_t id, depth;
    double x, y;
  } buttons[] = {{"b1", 11, 1, 50, 10}, {"b2", 12, 2, 10, 60}, {"b3", 13, 3, 10, 10}};
  for (const auto& b : buttons) {
    std::string name = b.name;
    swf::defineButton2(t, b.id, swf::threeStates(1, 1, 1),
                       {{swf::kOverUpToOverDown, 0, traceOnly(name + " press")},
                        {swf::kOverDownToOverUp, 0, traceOnly(name + " release")}});
    swf::Place place = placeAt(b.depth, b.id, b.x, b.y);
    place.name = name;
    t.placeObject2(place);
  }
  swf::Actions all = actions;
  all.op(A::kStop);
  swf::doAction(t, all);
  t.showFrame();
  t.end();
  swf::MovieHeader header;
  header.stage = {0, swf::twips(100), 0, swf::twips(100)};
  header.version = version;
  return swf::writeMovie(header, t);
}

// name[member] = value
void setMember(swf::Actions& a, const std::string& name, const std::string& member, swf::PushValue value) {
  a.push({name}).op(A::kGetVariable).push({member, value}).op(A::kSetMember);
}

struct Stage : TracingStage {
  explicit Stage(const swf::Bytes& movie) : TracingStage(movie, 100, 100) {}
  void press(int key) {
    player.keyDown(key, key == kEnter ? U'\r' : key == kSpace ? U' ' : key == kTab ? U'\t' : 0);
    player.keyUp(key);
  }
};

TEST(Focus, TabVisitsButtonsTopToBottomAndLeftToRightAndShiftTabGoesBack) {
  swf::Actions a;
  traceFocusChanges(a);
  Stage s(buttonsMovie(a));
  for (int i = 0; i < 4; ++i) s.press(kTab);
  s.player.keyDown(kShift, 0);
  s.press(kTab);
  s.player.keyUp(kShift);
  EXPECT_EQ(s.lines, (std::vector<std::string>{"_level0.b3", "_level0.b1", "_level0.b2", "_level0.b3", "_level0.b2"}));
}

TEST(Focus, EnterAndSpacePressTheFocusedButton) {
  swf::Actions a;
  setFocus(a, "b2");
  Stage s(buttonsMovie(a));
  s.press(kEnter);
  s.press(kSpace);
  s.press('A');
  EXPECT_EQ(s.lines, (std::vector<std::string>{"b2 press", "b2 release", "b2 press", "b2 release"}));
}

TEST(Focus, TheFocusedButtonHearsItsKeyHandlers) {
  swf::Actions a;
  traceHandler(a, "b1", "onKeyDown", "b1 down");
  traceHandler(a, "b1", "onKeyUp", "b1 up");
  traceHandler(a, "b2", "onKeyDown", "b2 down");
  setFocus(a, "b1");
  Stage s(buttonsMovie(a));
  s.press('A');
  EXPECT_EQ(s.lines, (std::vector<std::string>{"b1 down", "b1 up"}));
}

TEST(Focus, MovingThePointerStopsKeysReachingTheFocusUntilItMovesAgain) {
  swf::Actions a;
  setFocus(a, "b1");
  Stage s(buttonsMovie(a));
  s.player.pointerMove(90, 90);
  s.press(kEnter);
  EXPECT_TRUE(s.lines.empty());
  s.press(kTab);  // b2 after b1
  s.press(kEnter);
  EXPECT_EQ(s.lines, (std::vector<std::string>{"b2 press", "b2 release"}));
}

TEST(Focus, GetFocusNamesTheFocusedButton) {
  swf::Actions a;
  setFocus(a, "b2");
  a.push({0, "Selection"}).op(A::kGetVariable).push({"getFocus"}).op(A::kCallMethod).op(A::kTrace);
  Stage s(buttonsMovie(a));
  EXPECT_EQ(s.lines, (std::vector<std::string>{"_level0.b2"}));
}

}  // namespace

namespace {

TEST(Focus, RemovingTheFocusedClipTakesTheFocusAway) {
  swf::Actions a;
  traceFocusChanges(a);
  a.push({5, "c", 2, "_root"}).op(A::kGetVariable).push({"createEmptyMovieClip"}).op(A::kCallMethod).op(A::kPop);
  setMember(a, "c", "focusEnabled", true);
  setFocus(a, "c");
  a.push({0, "c"}).op(A::kGetVariable).push({"removeMovieClip"}).op(A::kCallMethod).op(A::kPop);
  a.push({0, "Selection"}).op(A::kGetVariable).push({"getFocus"}).op(A::kCallMethod).op(A::kTrace);
  Stage s(buttonsMovie(a));
  EXPECT_EQ(s.lines, (std::vector<std::string>{"_level0.c", "null", "null"}));
}

TEST(Focus, HidingTheFocusedButtonTakesTheFocusAway) {
  swf::Actions a;
  traceFocusChanges(a);
  setFocus(a, "b1");
  setMember(a, "b2", "_visible", false);  // another one: the focus stays
  setMember(a, "b1", "_visible", false);
  setMember(a, "b1", "_visible", true);
  a.push({0, "Selection"}).op(A::kGetVariable).push({"getFocus"}).op(A::kCallMethod).op(A::kTrace);
  Stage s(buttonsMovie(a));
  EXPECT_EQ(s.lines, (std::vector<std::string>{"_level0.b1", "null", "null"}));
}

TEST(Focus, TheFocusRectOfTheRootIsThePlayersAndOthersHaveTheirOwn) {
  swf::Actions a;
  a.traceVariable("_focusrect");
  a.traceVariable("b1._focusrect");
  setMember(a, "b1", "_focusrect", 0);
  a.traceVariable("b1._focusrect");
  a.traceVariable("b2._focusrect");
  a.push({"_focusrect", "test"}).op(A::kSetVariable);  // any number but zero, NaN too
  a.traceVariable("_root._focusrect");
  a.push({"_focusrect", 0, "Object"}).op(A::kNewObject).op(A::kSetVariable);  // objects: off
  a.traceVariable("_focusrect");
  a.push({"_focusrect", 1.5}).op(A::kSetVariable);
  a.push({"_focusrect", swf::PushValue::null()}).op(A::kSetVariable);  // ignored
  a.traceVariable("_focusrect");
  Stage s(buttonsMovie(a));
  EXPECT_EQ(s.lines, (std::vector<std::string>{"true", "null", "false", "null", "true", "false", "true"}));
}

TEST(Focus, BeforeVersion6EveryFocusRectIsThePlayersAndANumber) {
  swf::Actions a;
  setMember(a, "b1", "_focusrect", false);
  a.traceVariable("_focusrect");
  a.traceVariable("b2._focusrect");
  Stage s(buttonsMovie(a, 5));
  EXPECT_EQ(s.lines, (std::vector<std::string>{"0", "0"}));
}

TEST(Focus, EnterPressesTheFocusedButtonOnlyWhileItIsFramed) {
  swf::Actions a;
  a.push({"_focusrect", false}).op(A::kSetVariable);
  setMember(a, "b1", "_focusrect", true);
  setFocus(a, "b2");
  Stage s(buttonsMovie(a));
  s.press(kEnter);
  EXPECT_TRUE(s.lines.empty());
  s.press(kTab);  // b3, then b1 (tab order b3, b1, b2)
  s.press(kTab);
  s.press(kEnter);
  EXPECT_EQ(s.lines, (std::vector<std::string>{"b1 press", "b1 release"}));
}

}  // namespace

namespace {

constexpr uint32_t kFrameYellow = 0xFFFF00;

TEST(Focus, AFrameShowsAroundTheFocusedButtonUntilThePointerMoves) {
  swf::Actions a;
  setFocus(a, "b1");  // b1 covers (50, 10) to (70, 30)
  Stage s(buttonsMovie(a));
  const uint32_t background = s.rgbAt(40, 50);
  EXPECT_EQ(s.rgbAt(48, 20), kFrameYellow);
  EXPECT_EQ(s.rgbAt(49, 20), kFrameYellow);
  EXPECT_EQ(s.rgbAt(60, 8), kFrameYellow);
  EXPECT_EQ(s.rgbAt(71, 31), kFrameYellow);
  EXPECT_EQ(s.rgbAt(47, 20), background);
  EXPECT_EQ(s.rgbAt(50, 20), kRed);
  s.player.pointerMove(90, 90);
  EXPECT_EQ(s.rgbAt(49, 20), background);
  s.press(kTab);  // b2, from the keyboard again
  EXPECT_EQ(s.rgbAt(49, 20), background);
  EXPECT_EQ(s.rgbAt(9, 70), kFrameYellow);
}

TEST(Focus, NoFrameShowsWhileFocusRectIsOff) {
  swf::Actions a;
  a.push({"_focusrect", false}).op(A::kSetVariable);
  setFocus(a, "b1");
  Stage s(buttonsMovie(a));
  EXPECT_EQ(s.rgbAt(49, 20), s.rgbAt(40, 50));
}

TEST(Focus, APressElsewhereTakesTheFocusFromAButtonAndOneOnItKeepsIt) {
  swf::Actions a;
  traceFocusChanges(a);
  setFocus(a, "b1");
  Stage s(buttonsMovie(a));
  s.player.pointerDown(55, 15);
  s.player.pointerUp();
  s.player.pointerDown(15, 15);
  s.player.pointerUp();
  EXPECT_EQ(s.lines, (std::vector<std::string>{"_level0.b1", "b1 press", "b1 release", "null", "b3 press",
                                               "b3 release"}));
}

}  // namespace

namespace {

TEST(Focus, FocusingByScriptRollsTheHighlightOverOnceTheScriptEnds) {
  swf::Actions a;
  for (const char* name : {"b1", "b2"}) {
    traceHandler(a, name, "onRollOver", std::string(name) + " over");
    traceHandler(a, name, "onRollOut", std::string(name) + " out");
  }
  setFocus(a, "b1");
  setFocus(a, "b2");
  a.push({0, "Selection"}).op(A::kGetVariable).push({"setFocus"}).op(A::kCallMethod).op(A::kPop);  // to nothing
  a.trace("done");
  Stage s(buttonsMovie(a));
  EXPECT_EQ(s.lines, (std::vector<std::string>{"done", "b1 over", "b1 out", "b2 over", "b2 out"}));
}

}  // namespace
