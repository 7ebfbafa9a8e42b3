// Movies loaded into levels above the main one, and what a loaded movie brings of its
// own: its init actions, its fonts, its exported symbols and sounds, its stage kept or not.
#include <gtest/gtest.h>

#include <functional>

#include "fetch_run.h"
#include "movie_fixtures.h"
#include "tools/swf/actions.h"
#include "tools/swf/button_writer.h"
#include "tools/swf/sound_writer.h"
#include "tools/swf/text_writer.h"

using swf::Actions;
using Lines = std::vector<std::string>;
using movie_test::rgbOf;

namespace {

using LevelRun = movie_test::FetchRun;

Actions traceThis() {
  Actions a;
  a.push({"this"}).op(Actions::kGetVariable).op(Actions::kTrace);
  return a;
}

// A movie of one frame per entry, each with those actions; a square of colour at the
// given box (pixels) on the first frame.
swf::Bytes framesMovie(const std::vector<Actions>& frames, uint32_t color, double x, double w,
                       int widthPx = 100, int heightPx = 100) {
  swf::TagList tags;
  tags.defineShape(1, movie_test::rectShape(x, 0, w, 100, color), 3);
  tags.placeObject2(movie_test::placeAt(1, 1));
  for (const Actions& a : frames) {
    swf::doAction(tags, a);
    tags.showFrame();
  }
  tags.end();
  return movie_test::movieOf(tags, widthPx, heightPx);
}

// Box glyphs 'A' (a square) of the given font id.
swf::Font squareFont(uint16_t id) {
  swf::Font f;
  f.id = id;
  f.name = "Squares";
  f.glyphs.push_back(swf::boxGlyph('A', 0, -1024, 1024, 0, 1024));
  return f;
}

// box.loadMovie("child.swf"); stop();
Actions loadIntoBox() {
  Actions a;
  a.push({"child.swf", 1, "box"}).op(Actions::kGetVariable).push({"loadMovie"}).op(Actions::kCallMethod);
  return a.op(Actions::kPop).op(Actions::kStop);
}

// A main movie of one frame: a red square clip "box" that loads child.swf into itself;
// `more` adds definitions first.
swf::Bytes boxLoadingChild(const std::function<void(swf::TagList&)>& more = {}) {
  swf::TagList main;
  if (more) more(main);
  main.defineShape(2, movie_test::rectShape(0, 0, 100, 100, movie_test::kRed), 3);
  movie_test::defineSpriteOf(main, 3, 2);
  swf::Place p = movie_test::placeAt(1, 3);
  p.name = "box";
  main.placeObject2(p);
  swf::doAction(main, loadIntoBox());
  main.showFrame();
  main.end();
  return movie_test::movieOf(main);
}

// this[property] = value
Actions setOwn(const char* property, double value) {
  Actions a;
  a.push({"this"}).op(Actions::kGetVariable).push({property, value}).op(Actions::kSetMember);
  return a;
}

}  // namespace

TEST(Levels, AMovieInALevelIsDrawnAboveAndGoesWhenUnloaded) {
  // Frame 1 loads top.swf into level 2; frame 2 traces _level2 and unloads it; frame 3 stops.
  Actions load, unload, end;
  load.getUrl("top.swf", "_level2");
  unload.push({"_level2"}).op(Actions::kGetVariable).op(Actions::kTrace);
  unload.getUrl("", "_level2");
  unload.push({"_level2"}).op(Actions::kGetVariable).op(Actions::kTrace);
  end.push({"_level2"}).op(Actions::kGetVariable).op(Actions::kTrace).op(Actions::kStop);
  LevelRun run(framesMovie({load, Actions{}, unload, end}, movie_test::kRed, 0, 100));
  ASSERT_EQ(run.fetcher.requests.size(), 1u);
  EXPECT_EQ(run.fetcher.requests[0].second, "http://lessons.test/edu/3/top.swf");
  // The top movie covers the left half in green and names itself at the end of the
  // next frame.
  run.answer(0, framesMovie({traceThis()}, movie_test::kGreen, 0, 50));
  EXPECT_TRUE(run.lines.empty());
  run.player.tick();
  EXPECT_EQ(run.lines, (Lines{"_level2"}));
  EXPECT_EQ(run.pixel(25, 50), movie_test::kGreen);
  EXPECT_EQ(run.pixel(75, 50), movie_test::kRed);
  run.player.tick();
  // Still there within the script that unloads it; gone once the frame is over.
  EXPECT_EQ(run.lines, (Lines{"_level2", "_level2", "_level2"}));
  EXPECT_EQ(run.pixel(25, 50), movie_test::kRed);
  run.player.tick();
  EXPECT_EQ(run.lines.back(), "undefined");
}

TEST(Levels, ALevelLoadedAgainReplacesTheMovieThere) {
  Actions load;
  load.getUrl("a.swf", "_level1").getUrl("b.swf", "_level1");
  LevelRun run(framesMovie({load}, movie_test::kRed, 0, 100));
  ASSERT_EQ(run.fetcher.requests.size(), 2u);
  run.answer(0, framesMovie({traceThis()}, movie_test::kGreen, 0, 50));
  run.player.tick();
  run.answer(1, framesMovie({traceThis()}, movie_test::kBlue, 50, 50));
  run.player.tick();
  EXPECT_EQ(run.lines, (Lines{"_level1", "_level1"}));
  EXPECT_EQ(run.pixel(25, 50), movie_test::kRed);
  EXPECT_EQ(run.pixel(75, 50), movie_test::kBlue);
}

TEST(Levels, ALevelMovedOrHiddenByItsScriptIsDrawnSo) {
  Actions load;
  load.getUrl("moved.swf", "_level1").getUrl("hidden.swf", "_level2");
  LevelRun run(framesMovie({load}, movie_test::kRed, 0, 100));
  ASSERT_EQ(run.fetcher.requests.size(), 2u);
  // Level 1 draws green on the left half and moves itself right by half the stage;
  // level 2 covers everything in blue and hides itself.
  run.answer(0, framesMovie({setOwn("_x", 50)}, movie_test::kGreen, 0, 50));
  run.answer(1, framesMovie({setOwn("_visible", 0)}, movie_test::kBlue, 0, 100));
  run.player.tick();
  EXPECT_EQ(run.pixel(25, 50), movie_test::kRed);
  EXPECT_EQ(run.pixel(75, 50), movie_test::kGreen);
}

TEST(Levels, AMovieInLevelZeroKeepsTheStageButBringsItsBackground) {
  Actions load;
  load.getUrl("next.swf", "_level0");
  LevelRun run(framesMovie({load}, movie_test::kRed, 0, 100));
  swf::TagList tags;
  tags.setBackgroundColor(swf::rgb(movie_test::kBlue));
  tags.showFrame();
  tags.end();
  run.answer(0, movie_test::movieOf(tags, 400, 50));
  EXPECT_EQ(run.player.stageWidth(), 100);
  EXPECT_EQ(run.player.stageHeight(), 100);
  EXPECT_EQ(run.player.backgroundColor(), movie_test::kBlue);
  EXPECT_EQ(run.pixel(50, 90), movie_test::kBlue);
}

TEST(LoadedMovies, RunTheirOwnInitActionsOnceBeforeTheirFrame) {
  // The child: frame 1 traces "one"; frame 2 comes with init actions for sprite 5 (twice,
  // the second never runs) and traces "two"; then it stops.
  swf::TagList child;
  Actions one, two, init, again;
  one.trace("one");
  two.trace("two").op(Actions::kStop);
  init.trace("init");
  init.push({"this"}).op(Actions::kGetVariable).op(Actions::kTrace);
  again.trace("init again");
  child.defineSprite(5, swf::TagList{});
  swf::doAction(child, one);
  child.showFrame();
  swf::doInitAction(child, 5, init);
  swf::doInitAction(child, 5, again);
  swf::doAction(child, two);
  child.showFrame();
  child.end();
  LevelRun run(movie_test::boxMovie(loadIntoBox()));
  ASSERT_EQ(run.fetcher.requests.size(), 1u);
  run.answer(0, movie_test::movieOf(child));
  run.player.tick();
  EXPECT_EQ(run.lines, (Lines{"one"}));
  run.player.tick();
  EXPECT_EQ(run.lines, (Lines{"one", "init", "_level0.box", "two"}));
}

TEST(LoadedMovies, DrawTextWithTheirOwnFontsAndAttachTheirOwnSymbols) {
  // The main movie's font 1 has no glyph at all; the child's font 1 is a square 'A'.
  swf::TagList child;
  child.setBackgroundColor(swf::rgb(movie_test::kWhite));
  swf::add(child, swf::encodeDefineFont(squareFont(1), 2));
  swf::TextRecord r;
  r.fontId = 1;
  r.height = uint16_t(swf::twips(20));
  r.color = swf::rgb(movie_test::kBlue);
  r.x = int16_t(swf::twips(10));
  r.y = int16_t(swf::twips(40));
  r.glyphs = {{0, swf::twips(20)}};
  swf::add(child, swf::encodeDefineText(2, {0, swf::twips(100), 0, swf::twips(100)}, swf::Matrix{}, {r}, 1));
  child.placeObject2(movie_test::placeAt(1, 2));
  // A green square exported as "patch", attached by the child's own script at (60, 60).
  child.defineShape(3, movie_test::rectShape(60, 60, 20, 20, movie_test::kGreen), 3);
  movie_test::defineSpriteOf(child, 4, 3);
  swf::exportAssets(child, {{4, "patch"}});
  Actions attach;
  attach.push({5, "p", "patch", 3, "this"}).op(Actions::kGetVariable).push({"attachMovie"});
  attach.op(Actions::kCallMethod).op(Actions::kTrace).op(Actions::kStop);
  swf::doAction(child, attach);
  child.showFrame();
  child.end();

  swf::Font empty;
  empty.id = 1;
  empty.name = "Empty";
  LevelRun run(boxLoadingChild([&](swf::TagList& main) { swf::add(main, swf::encodeDefineFont(empty, 2)); }));
  ASSERT_EQ(run.fetcher.requests.size(), 1u);
  run.answer(0, movie_test::movieOf(child));
  run.player.tick();
  EXPECT_EQ(run.lines, (Lines{"_level0.box.p"}));
  EXPECT_EQ(run.pixel(20, 30), movie_test::kBlue) << "the glyph of the child's own font";
  EXPECT_EQ(run.pixel(70, 70), movie_test::kGreen) << "the child's own symbol";
}

TEST(LoadedMovies, ATextFieldAsTheTargetTakesNeitherAMovieNorIsBroken) {
  // createTextField("t", 5, 0, 0, 50, 20); loadMovie("child.swf", "t"); loadVariables("v.txt", "t");
  Actions a;
  a.push({20, 50, 0, 0, 5, "t", 6, "this"}).op(Actions::kGetVariable).push({"createTextField"});
  a.op(Actions::kCallMethod).op(Actions::kPop);
  a.push({"child.swf", "t"}).getUrl2(0x40);
  a.push({"v.txt", "t"}).getUrl2(0xC0);
  a.op(Actions::kStop);
  LevelRun run(movie_test::boxMovie(a));
  ASSERT_EQ(run.fetcher.requests.size(), 2u);
  run.answer(0, framesMovie({traceThis()}, movie_test::kGreen, 0, 100));
  const std::string vars = "x=1";
  run.player.fetchDone(run.fetcher.requests[1].first, true, reinterpret_cast<const uint8_t*>(vars.data()), vars.size());
  run.player.tick();
  EXPECT_TRUE(run.lines.empty());
  EXPECT_EQ(run.pixel(50, 50), movie_test::kRed);
}

namespace {

// A movie with one button over the box (pixels) that traces name + " press" when pressed;
// the movie for level 0 loads "top.swf" into level 1 first, the one for level 1 has its
// button trace name + " k" on the key K.
swf::Bytes buttonMovie(const std::string& name, double x, double w, bool loadsLevel) {
  swf::TagList tags;
  tags.defineShape(1, movie_test::rectShape(x, 0, w, 100, movie_test::kGreen));
  Actions press, key, first;
  press.trace(name + " press");
  key.trace(name + " k");
  std::vector<swf::ButtonAction> actions{{swf::kOverUpToOverDown, 0, press}};
  if (!loadsLevel) actions.push_back({0, 'k', key});
  swf::defineButton2(tags, 2, swf::threeStates(1, 1, 1), actions);
  tags.placeObject2(movie_test::placeAt(1, 2));
  if (loadsLevel) first.getUrl("top.swf", "_level1");
  swf::doAction(tags, first.op(Actions::kStop));
  tags.showFrame();
  tags.end();
  return movie_test::movieOf(tags);
}

}  // namespace

TEST(Levels, ThePointerReachesButtonsInTheHighestLevelFirst) {
  LevelRun run(buttonMovie("level0", 0, 100, true));
  run.player.setViewport(100, 100);
  run.answer(0, buttonMovie("level1", 0, 50, false));
  run.player.tick();  // the loaded movie shows at the end of the frame
  run.player.pointerMove(25, 50);
  run.player.pointerDown(25, 50);
  run.player.pointerUp();
  run.player.pointerMove(75, 50);  // beside the top button: the one below answers
  run.player.pointerDown(75, 50);
  run.player.pointerUp();
  EXPECT_EQ(run.lines, (Lines{"level1 press", "level0 press"}));
}

TEST(Levels, ButtonsInEveryLevelWaitForKeys) {
  LevelRun run(buttonMovie("level0", 0, 100, true));
  run.answer(0, buttonMovie("level1", 0, 50, false));
  run.player.tick();  // the loaded movie shows at the end of the frame
  run.player.keyDown('K', U'k');
  EXPECT_EQ(run.lines, (Lines{"level1 k"}));
}

TEST(LoadedMovies, AttachTheirOwnExportedSounds) {
  // The child exports a 0.2 s sound as "beep"; the main movie exports nothing. A Sound
  // of the child's clip finds it, a Sound of the whole (main) movie does not.
  constexpr int kFrames = 4410;
  swf::TagList child;
  swf::defineSound(child, 7, swf::soundFormat(swf::kPcmLittle, 22050, true, false), kFrames,
                   swf::pcm16(std::vector<int16_t>(kFrames, 8000)));
  swf::exportAssets(child, {{7, "beep"}});
  Actions a;
  a.push({"own"}).push({"this"}).op(Actions::kGetVariable).push({1, "Sound"}).op(Actions::kNewObject);
  a.op(Actions::kSetVariable);
  a.push({"main", 0, "Sound"}).op(Actions::kNewObject).op(Actions::kSetVariable);
  for (const char* sound : {"own", "main"}) {
    a.push({"beep", 1, sound}).op(Actions::kGetVariable).push({"attachSound"}).op(Actions::kCallMethod);
    a.op(Actions::kPop);
    a.push({sound}).op(Actions::kGetVariable).push({"duration"}).op(Actions::kGetMember).op(Actions::kTrace);
  }
  a.push({0, "own"}).op(Actions::kGetVariable).push({"start"}).op(Actions::kCallMethod).op(Actions::kPop);
  swf::doAction(child, a.op(Actions::kStop));
  child.showFrame();
  child.end();

  LevelRun run(boxLoadingChild());
  run.player.setSoundEnabled(true);
  run.player.play();
  ASSERT_EQ(run.fetcher.requests.size(), 1u);
  run.answer(0, movie_test::movieOf(child));
  run.player.tick();
  EXPECT_EQ(run.lines, (Lines{"200", "undefined"}));
  std::vector<int16_t> out(2 * 2048);
  run.player.mixAudio(out.data(), 2048);
  int loud = 0;
  for (int16_t v : out) loud += std::abs(v) > 1000;
  EXPECT_GT(loud, 1000) << "the child's own sound plays";
}
