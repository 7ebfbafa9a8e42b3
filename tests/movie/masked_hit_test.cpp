// What the pointer finds under masks: a button covered by a timeline mask, by a mask
// set from a script, or inside a scroll rectangle is hit only where it shows.
#include <gtest/gtest.h>

#include "movie_fixtures.h"
#include "tools/swf/actions.h"
#include "tools/swf/button_writer.h"

namespace {

using namespace movie_test;

// A 40 x 40 button (id 10) at (0, 0) of its parent whose roll over traces "over".
void addButton(swf::TagList& tags) {
  tags.defineShape(1, rectShape(0, 0, 40, 40, kRed));
  swf::Actions over;
  over.trace("over");
  swf::defineButton2(tags, 10, swf::threeStates(1, 1, 1), {{swf::kIdleToOverUp, 0, over}});
}

struct Stage : TracingStage {
  explicit Stage(const swf::TagList& tags) : TracingStage(movieOf(tags), 100, 100) {}
  // Whether the button rolls over at (x, y), the pointer coming from outside it.
  bool overAt(double x, double y) {
    player.pointerMove(99, 99);
    lines.clear();
    player.pointerMove(x, y);
    return lines == std::vector<std::string>{"over"};
  }
};

// A mask, a 20 x 40 rectangle at (10, 10) on depth 1, covers depths up to 2; the button
// is at (10, 10) on buttonDepth.
swf::TagList timelineMask(uint16_t buttonDepth) {
  swf::TagList t;
  addButton(t);
  t.defineShape(2, rectShape(0, 0, 20, 40, kGreen));
  swf::Place mask = placeAt(1, 2, 10, 10);
  mask.clipDepth = 2;
  t.placeObject2(mask);
  t.placeObject2(placeAt(buttonDepth, 10, 10, 10));
  t.showFrame();
  t.end();
  return t;
}

TEST(MaskedHits, ATimelineMaskLimitsTheButtonToWhereItShows) {
  Stage s(timelineMask(2));
  EXPECT_TRUE(s.overAt(15, 30));
  EXPECT_FALSE(s.overAt(40, 30)) << "the button's right half is masked away";
  EXPECT_FALSE(s.player.handCursor());
}

TEST(MaskedHits, AMaskAboveADepthRangeLeavesTheDepthsAboveIt) {
  Stage s(timelineMask(3));
  EXPECT_TRUE(s.overAt(40, 30));
}

// A clip "holder" at (10, 10) holding the button, a clip "mask" (a 40 x 20 rectangle at
// (10, 10)) and the frame's actions.
swf::TagList holderAndMask(const swf::Actions& actions) {
  swf::TagList t;
  addButton(t);
  swf::TagList inner;
  inner.placeObject2(placeAt(1, 10));
  inner.showFrame();
  inner.end();
  t.defineSprite(3, inner);
  t.defineShape(4, rectShape(0, 0, 40, 20, kGreen));
  defineSpriteOf(t, 5, 4);
  swf::Place holder = placeAt(1, 3, 10, 10);
  holder.name = "holder";
  t.placeObject2(holder);
  swf::Place mask = placeAt(2, 5, 10, 10);
  mask.name = "mask";
  t.placeObject2(mask);
  swf::doAction(t, actions);
  t.showFrame();
  t.end();
  return t;
}

TEST(MaskedHits, AScriptMaskLimitsTheClipsButtons) {
  swf::Actions a;  // holder.setMask(mask)
  a.push({"mask"}).op(swf::Actions::kGetVariable).push({1, "holder"}).op(swf::Actions::kGetVariable);
  a.push({"setMask"}).op(swf::Actions::kCallMethod).op(swf::Actions::kPop);
  Stage s(holderAndMask(a));
  EXPECT_TRUE(s.overAt(30, 15));
  EXPECT_FALSE(s.overAt(30, 40)) << "below the mask";
}

TEST(MaskedHits, WithoutTheScriptMaskTheWholeButtonIsHit) {
  Stage s(holderAndMask({}));
  EXPECT_TRUE(s.overAt(30, 40));
}

TEST(MaskedHits, AScrollRectangleLimitsTheClipsButtons) {
  // holder.scrollRect = new flash.geom.Rectangle(0, 0, 10, 40): only the button's left
  // quarter shows, at the holder's origin.
  swf::Actions a;
  a.push({"holder"}).op(swf::Actions::kGetVariable);
  a.push({"scrollRect", 40, 10, 0, 0, 4, "flash"}).op(swf::Actions::kGetVariable);
  a.push({"geom"}).op(swf::Actions::kGetMember).push({"Rectangle"});
  a.op(swf::Actions::kNewMethod).op(swf::Actions::kSetMember);
  Stage s(holderAndMask(a));
  EXPECT_TRUE(s.overAt(15, 30));
  EXPECT_FALSE(s.overAt(30, 30)) << "outside the scroll rectangle";
}

}  // namespace
