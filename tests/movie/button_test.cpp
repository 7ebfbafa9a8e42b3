// Buttons: their states as the pointer moves, presses and releases, the actions of each
// transition and of keys, precise hit areas, handler methods on clips, and damaged
// button tags.
#include <gtest/gtest.h>

#include "input_events.h"
#include "movie_fixtures.h"
#include "tools/swf/button_writer.h"

namespace {

using movie_test::rgbOf;

constexpr uint32_t kUp = 0xFF0000, kOver = 0x00FF00, kDown = 0x0000FF;

swf::Actions traceOnly(const std::string& text) {
  swf::Actions a;
  a.trace(text);
  return a;
}

// A 40 x 40 button (placed at (50, 50)): red up, green over, blue down, hit area its square.
void addButton(swf::TagList& tags, uint16_t id, std::vector<swf::ButtonAction> actions, bool trackAsMenu) {
  tags.defineShape(1, movie_test::rectShape(0, 0, 40, 40, kUp));
  tags.defineShape(2, movie_test::rectShape(0, 0, 40, 40, kOver));
  tags.defineShape(3, movie_test::rectShape(0, 0, 40, 40, kDown));
  swf::defineButton2(tags, id, swf::threeStates(1, 2, 3), actions, trackAsMenu);
}

std::vector<swf::ButtonAction> tracingActions() {
  return {{swf::kIdleToOverUp, 0, traceOnly("over")},
          {swf::kOverUpToIdle, 0, traceOnly("out")},
          {swf::kOverUpToOverDown, 0, traceOnly("press")},
          {swf::kOverDownToOverUp, 0, traceOnly("release")},
          {swf::kOverDownToOutDown, 0, traceOnly("dragOut")},
          {swf::kOutDownToOverDown, 0, traceOnly("dragOver")},
          {swf::kOutDownToIdle, 0, traceOnly("releaseOutside")},
          {0, 13, traceOnly("enter")}};
}

swf::Bytes buttonMovie(std::vector<swf::ButtonAction> actions, bool trackAsMenu = false) {
  swf::TagList tags;
  addButton(tags, 10, std::move(actions), trackAsMenu);
  swf::Place place = movie_test::placeAt(1, 10, 50, 50);
  place.name = "btn";
  tags.placeObject2(place);
  swf::Actions stop;
  stop.op(swf::Actions::kStop);
  swf::doAction(tags, stop);
  tags.showFrame();
  tags.end();
  return movie_test::movieOf(tags, 200, 200);
}

struct Stage {
  movie::Player player;
  std::vector<std::string> lines;
  explicit Stage(const swf::Bytes& movie) {
    player.setTraceHandler([this](const std::string& line) { lines.push_back(line); });
    movie_test::load(player, movie);
    player.setViewport(200, 200);
  }
  uint32_t at(int x, int y) {
    std::vector<uint32_t> pixels = movie_test::renderPixels(player, 200, 200);
    return rgbOf(pixels[size_t(y) * 200 + size_t(x)]);
  }
};

TEST(Buttons, ShowTheirStatesAndRunTheActionsOfEachTransition) {
  Stage s(buttonMovie(tracingActions()));
  EXPECT_EQ(s.at(70, 70), kUp);
  EXPECT_FALSE(s.player.handCursor());
  s.player.pointerMove(70, 70);
  EXPECT_EQ(s.at(70, 70), kOver);
  EXPECT_TRUE(s.player.handCursor());
  s.player.pointerDown(70, 70);
  EXPECT_EQ(s.at(70, 70), kDown);
  s.player.pointerUp();
  EXPECT_EQ(s.at(70, 70), kOver);
  s.player.pointerMove(10, 10);
  EXPECT_EQ(s.at(70, 70), kUp);
  EXPECT_FALSE(s.player.handCursor());
  EXPECT_EQ(s.lines, (std::vector<std::string>{"over", "press", "release", "out"}));
}

TEST(Buttons, KeepThePointerWhilePressedAndHearTheReleaseOutside) {
  Stage s(buttonMovie(tracingActions()));
  s.player.pointerMove(60, 60);
  s.player.pointerDown(60, 60);
  s.player.pointerMove(150, 150);
  s.player.pointerMove(60, 60);
  s.player.pointerMove(150, 150);
  s.player.pointerUp();
  EXPECT_EQ(s.at(70, 70), kUp);
  EXPECT_EQ(s.lines, (std::vector<std::string>{"over", "press", "dragOut", "dragOver", "dragOut",
                                               "releaseOutside"}));
}

std::vector<swf::ButtonAction> menuActions() {
  std::vector<swf::ButtonAction> actions = tracingActions();
  actions.push_back({swf::kIdleToOverDown, 0, traceOnly("menuOver")});
  actions.push_back({swf::kOverDownToIdle, 0, traceOnly("menuOut")});
  return actions;
}

TEST(Buttons, APointerPressedElsewhereLeavesAPushButtonAlone) {
  Stage s(buttonMovie(menuActions()));
  s.player.pointerMove(10, 10);
  s.player.pointerDown(10, 10);
  s.player.pointerMove(70, 70);
  EXPECT_EQ(s.at(70, 70), kUp);
  EXPECT_TRUE(s.lines.empty());
  s.player.pointerUp();  // over it once the button is up
  EXPECT_EQ(s.lines, (std::vector<std::string>{"over"}));
}

TEST(Buttons, AMenuButtonHearsAPointerPressedElsewhereAndItsRelease) {
  Stage s(buttonMovie(menuActions(), true));
  s.player.pointerMove(10, 10);
  s.player.pointerDown(10, 10);
  s.player.pointerMove(70, 70);
  EXPECT_EQ(s.at(70, 70), kDown);
  s.player.pointerUp();
  EXPECT_EQ(s.at(70, 70), kOver);
  EXPECT_EQ(s.lines, (std::vector<std::string>{"menuOver", "release"}));
}

TEST(Buttons, AMenuButtonLetsGoOfThePressWhenThePointerLeaves) {
  Stage s(buttonMovie(menuActions(), true));
  s.player.pointerMove(70, 70);
  s.player.pointerDown(70, 70);
  s.player.pointerMove(150, 150);
  EXPECT_EQ(s.at(70, 70), kUp);
  s.player.pointerUp();  // no release outside: it let go
  s.player.pointerDown(150, 150);
  s.player.pointerMove(60, 60);
  EXPECT_EQ(s.lines, (std::vector<std::string>{"over", "press", "menuOut", "menuOver"}));
}

TEST(Buttons, PressesOutsideTheHitAreaAndOtherKeysDoNothing) {
  Stage s(buttonMovie(tracingActions()));
  s.player.pointerMove(49, 70);
  s.player.pointerDown(49, 70);
  s.player.pointerUp();
  s.player.keyDown(0x41, U'a');
  EXPECT_TRUE(s.lines.empty());
  s.player.keyDown(0x0D, U'\r');
  EXPECT_EQ(s.lines, (std::vector<std::string>{"enter"}));
}

TEST(Buttons, HitAreasFollowTheShapeNotItsBox) {
  swf::TagList tags;
  swf::Shape disc;
  disc.circle(swf::twips(20), swf::twips(20), swf::twips(20), disc.addFill(swf::FillStyle::solid(swf::rgb(kUp))));
  tags.defineShape(1, disc);
  std::vector<swf::ButtonRecord> records(1);
  records[0].characterId = 1;
  swf::defineButton2(tags, 10, records, {{swf::kIdleToOverUp, 0, traceOnly("over")}});
  tags.placeObject2(movie_test::placeAt(1, 10, 50, 50));
  tags.showFrame();
  tags.end();
  Stage s(movie_test::movieOf(tags, 200, 200));
  s.player.pointerMove(52, 52);  // in the disc's box, outside the disc
  EXPECT_TRUE(s.lines.empty());
  s.player.pointerMove(70, 70);
  EXPECT_EQ(s.lines, (std::vector<std::string>{"over"}));
}

TEST(Buttons, FirstVersionButtonsActOnReleaseWithTheirTimelineAsTarget) {
  swf::TagList tags;
  tags.defineShape(1, movie_test::rectShape(0, 0, 40, 40, kUp));
  std::vector<swf::ButtonRecord> records(1);
  records[0].characterId = 1;
  swf::Actions named;
  named.traceVariable("_name");
  swf::defineButton(tags, 10, records, named);
  movie_test::defineSpriteOf(tags, 20, 10);
  swf::Place holder = movie_test::placeAt(1, 20, 50, 50);
  holder.name = "holder";
  tags.placeObject2(holder);
  tags.showFrame();
  tags.end();
  Stage s(movie_test::movieOf(tags, 200, 200));
  s.player.pointerMove(60, 60);
  s.player.pointerDown(60, 60);
  EXPECT_TRUE(s.lines.empty());
  s.player.pointerUp();
  EXPECT_EQ(s.lines, (std::vector<std::string>{"holder"}));
}

TEST(Buttons, ClipsWithPointerHandlersActAsButtons) {
  swf::TagList tags;
  tags.defineShape(1, movie_test::rectShape(0, 0, 40, 40, kUp));
  movie_test::defineSpriteOf(tags, 20, 1);
  swf::Place clip = movie_test::placeAt(1, 20, 50, 50);
  clip.name = "clip";
  tags.placeObject2(clip);
  swf::Actions setup;
  setup.push({"clip"}).op(swf::Actions::kGetVariable).push({"onRelease"});
  setup.function("", {}, traceOnly("clip released"));
  setup.op(swf::Actions::kSetMember);
  swf::doAction(tags, setup);
  tags.showFrame();
  tags.end();
  Stage s(movie_test::movieOf(tags, 200, 200));
  s.player.pointerMove(60, 60);
  EXPECT_TRUE(s.player.handCursor());
  s.player.pointerDown(60, 60);
  s.player.pointerUp();
  EXPECT_EQ(s.lines, (std::vector<std::string>{"clip released"}));
}

TEST(Buttons, DamagedButtonTagsLoseOnlyThemselves) {
  swf::TagList tags;
  tags.defineShape(1, movie_test::rectShape(0, 0, 40, 40, kUp));
  tags.raw(34, {10, 0, 0, 0xFF, 0x00, 0x0F, 1});  // offset far past the end, record cut short
  tags.raw(34, {11, 0, 0, 5, 0, 0x0F, 1, 0, 1, 0, 0, 0, 0x20, 0x00});  // actions at a bad offset
  tags.raw(7, {12});
  tags.placeObject2(movie_test::placeAt(1, 10, 0, 0));
  tags.placeObject2(movie_test::placeAt(2, 11, 0, 0));
  tags.placeObject2(movie_test::placeAt(3, 12, 0, 0));
  tags.showFrame();
  tags.end();
  Stage s(movie_test::movieOf(tags, 200, 200));
  EXPECT_NE(s.player.state(), movie::LoadState::Failed);
  for (int y : {1, 5, 20}) {
    s.player.pointerMove(y, y);
    s.player.pointerDown(y, y);
    s.player.pointerUp();
    s.player.keyDown(0x0D, U'\r');
  }
  s.player.tick();
}

TEST(ButtonInput, EventFilesAreReadLineByLine) {
  std::vector<swf_input::InputEvent> events;
  std::string why;
  ASSERT_TRUE(swf_input::parseInputEvents("# a click\n\n2 move 10 20.5\n2 down\r\n3 up\n4 key 13\n", events, why));
  ASSERT_EQ(events.size(), 4u);
  EXPECT_EQ(events[0].kind, swf_input::InputEvent::Move);
  EXPECT_DOUBLE_EQ(events[0].y, 20.5);
  EXPECT_EQ(events[2].frame, 3);
  EXPECT_EQ(events[3].virtualKey, 13);
  for (const char* bad : {"move 1 2", "0 down", "2 jump", "2 move 1", "2 key", "2 down now"}) {
    events.clear();
    EXPECT_FALSE(swf_input::parseInputEvents(bad, events, why)) << bad;
    EXPECT_NE(why.find("line 1"), std::string::npos);
  }
}

TEST(ButtonInput, EventsArriveBeforeTheirFrames) {
  swf::Bytes movie = buttonMovie(tracingActions());
  movie::Player player;
  std::vector<std::string> lines;
  player.setTraceHandler([&lines](const std::string& line) { lines.push_back(line); });
  movie_test::load(player, movie);
  player.setViewport(200, 200);
  std::vector<swf_input::InputEvent> events;
  std::string why;
  ASSERT_TRUE(swf_input::parseInputEvents("3 move 60 60\n2 key 13\n4 down\n9 up\n", events, why));
  swf_input::runFrames(player, 4, events, 1.0);
  EXPECT_EQ(lines, (std::vector<std::string>{"enter", "over", "press"}));
}

}  // namespace
