// The Color object tints clips through their colour transform; the Stage object tells
// the stage's size and keeps the whole stage shown.
#include <gtest/gtest.h>

#include "movie_fixtures.h"
#include "script_fixtures.h"

using movie_test::traceOf;
using swf::Actions;
using swf::PushValue;
using Lines = std::vector<std::string>;

namespace {

// object.method(args...) with the result left on the stack.
Actions& callMethod(Actions& a, const std::string& object, const std::string& method, std::vector<PushValue> args) {
  std::vector<PushValue> pushed(args.rbegin(), args.rend());
  pushed.push_back(int(args.size()));
  pushed.push_back(object);
  a.push(pushed).op(Actions::kGetVariable).push({method}).op(Actions::kCallMethod);
  return a;
}

// object.member, traced.
Actions& traceMember(Actions& a, const std::string& object, const std::string& member) {
  return a.push({object}).op(Actions::kGetVariable).push({member}).op(Actions::kGetMember).op(Actions::kTrace);
}

// name = new Color(clip)
Actions& newColor(Actions& a, const std::string& name, const std::string& clip) {
  a.push({name, clip}).op(Actions::kGetVariable).push({1, "Color"}).op(Actions::kNewObject);
  return a.op(Actions::kSetVariable);
}

}  // namespace

TEST(ColorObject, SetRgbTintsTheClipAndGetRgbReadsItBack) {
  Actions a;
  newColor(a, "c", "box");
  callMethod(a, "c", "setRGB", {0x336699}).op(Actions::kPop);
  callMethod(a, "c", "getRGB", {}).op(Actions::kTrace);
  movie::Player player;
  std::vector<std::string> lines;
  player.setTraceHandler([&](const std::string& l) { lines.push_back(l); });
  movie_test::load(player, movie_test::boxMovie(a));
  EXPECT_EQ(lines, (Lines{std::to_string(0x336699)}));
  std::vector<uint32_t> pixels = movie_test::renderPixels(player, 100, 100);
  EXPECT_EQ(movie_test::rgbOf(pixels[50 * 100 + 50]), 0x336699u) << "the red square is drawn in the tint";
}

TEST(ColorObject, TransformsKeepEightEightFactorsAndSixteenBitOffsets) {
  Actions a;
  newColor(a, "c", "box");
  // t = {ra: 50, rb: 65546, ga: 0.5}: the offset wraps to 10, the factor to 0.390625%.
  a.push({"t", "ra", 50, "rb", 65546, "ga", 0.5, 3}).op(Actions::kInitObject).op(Actions::kSetVariable);
  a.push({"t"}).op(Actions::kGetVariable).push({1, "c"}).op(Actions::kGetVariable);
  a.push({"setTransform"}).op(Actions::kCallMethod).op(Actions::kPop);
  a.push({0, "c"}).op(Actions::kGetVariable).push({"getTransform"}).op(Actions::kCallMethod);
  a.push({"u"}).op(Actions::kStackSwap).op(Actions::kSetVariable);
  for (const char* field : {"ra", "rb", "ga", "gb", "aa"}) traceMember(a, "u", field);
  EXPECT_EQ(movie_test::runTrace(movie_test::boxMovie(a)), (Lines{"50", "10", "0.390625", "0", "100"}));
}

TEST(ColorObject, WithoutAClipItAnswersNothing) {
  Actions a;
  newColor(a, "c", "nothingHere");
  callMethod(a, "c", "getRGB", {}).op(Actions::kTrace);
  callMethod(a, "c", "getTransform", {}).op(Actions::kTrace);
  EXPECT_EQ(movie_test::runTrace(movie_test::boxMovie(a)), (Lines{"undefined", "undefined"}));
}

TEST(StageObject, TellsTheStageSizeAndStaysShownWhole) {
  Actions a;
  traceMember(a, "Stage", "width");
  traceMember(a, "Stage", "height");
  a.push({"Stage"}).op(Actions::kGetVariable).push({"scaleMode", "noScale"}).op(Actions::kSetMember);
  a.push({"Stage"}).op(Actions::kGetVariable).push({"width", 5}).op(Actions::kSetMember);
  a.push({"Stage"}).op(Actions::kGetVariable).push({"align", "bxl"}).op(Actions::kSetMember);
  traceMember(a, "Stage", "scaleMode");
  traceMember(a, "Stage", "width");
  traceMember(a, "Stage", "align");
  a.push({"Stage"}).op(Actions::kGetVariable).push({1, "Stage"}).op(Actions::kGetVariable);
  a.push({"addListener"}).op(Actions::kCallMethod).op(Actions::kTrace);
  swf::TagList tags;
  swf::doAction(tags, a);
  tags.showFrame();
  tags.end();
  EXPECT_EQ(movie_test::runTrace(movie_test::movieOf(tags, 320, 240)),
            (Lines{"320", "240", "showAll", "320", "LB", "true"}));
}
