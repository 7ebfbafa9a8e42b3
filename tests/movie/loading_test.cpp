// Loading while a movie plays: addresses resolved against the movie's own, variables
// into clips, LoadVars, movies into clips (MovieClipLoader's listeners told) and into
// level 0, and what a failed or damaged load leaves.
#include <gtest/gtest.h>

#include "movie/address.h"
#include "movie_fixtures.h"
#include "picture_bytes.h"
#include "tools/swf/actions.h"

using swf::Actions;
using Lines = std::vector<std::string>;

namespace {

// Records what the player asks for; the test answers.
struct RecordingFetcher : movie::Fetcher {
  struct Request {
    int id;
    std::string url;
    bool post;
    std::string body;
  };
  std::vector<Request> requests;
  std::vector<int> cancelled;
  void fetch(int id, const std::string& url, bool post, const std::string& body) override {
    requests.push_back({id, url, post, body});
  }
  void cancel(int id) override { cancelled.push_back(id); }
};

struct LoadRun {
  RecordingFetcher fetcher;
  movie::Player player;
  Lines lines;
  explicit LoadRun(const swf::Bytes& movie) {
    player.setTraceHandler([this](const std::string& l) { lines.push_back(l); });
    player.setFetcher(&fetcher);
    player.setMovieAddress("http://lessons.test/edu/3/01.swf");
    movie_test::load(player, movie);
    player.setViewport(100, 100);
  }
  void answer(size_t index, const std::string& text, bool ok = true) {
    ASSERT_LT(index, fetcher.requests.size());
    player.fetchDone(fetcher.requests[index].id, ok, reinterpret_cast<const uint8_t*>(text.data()), text.size());
  }
  void answer(size_t index, const swf::Bytes& bytes) {
    ASSERT_LT(index, fetcher.requests.size());
    player.fetchDone(fetcher.requests[index].id, true, bytes.data(), bytes.size());
  }
};

// object.method(one string argument), result dropped.
Actions& call(Actions& a, const std::string& object, const std::string& method, const std::string& arg) {
  a.push({arg, 1, object}).op(Actions::kGetVariable).push({method}).op(Actions::kCallMethod).op(Actions::kPop);
  return a;
}

// object[name] = function (params) { body }
Actions& handler(Actions& a, const std::string& object, const std::string& name, const std::vector<std::string>& params,
                 const Actions& body) {
  a.push({object}).op(Actions::kGetVariable).push({name});
  a.function("", params, body);
  return a.op(Actions::kSetMember);
}

Actions traceVariable(const std::string& name) {
  Actions a;
  a.push({name}).op(Actions::kGetVariable).op(Actions::kTrace);
  return a;
}

}  // namespace

TEST(Addresses, RelativeAddressesFollowTheMoviesOwn) {
  const std::string base = "http://lessons.test/edu/3/01.swf?x=1";
  EXPECT_EQ(movie::resolveAddress(base, "vars.txt"), "http://lessons.test/edu/3/vars.txt");
  EXPECT_EQ(movie::resolveAddress(base, "../4/./02.swf"), "http://lessons.test/edu/4/02.swf");
  EXPECT_EQ(movie::resolveAddress(base, "/../../top.txt"), "http://lessons.test/top.txt");
  EXPECT_EQ(movie::resolveAddress(base, "//other.test/a"), "http://other.test/a");
  EXPECT_EQ(movie::resolveAddress(base, "HTTPS://other.test/b"), "HTTPS://other.test/b");
  EXPECT_EQ(movie::resolveAddress(base, "?y=2"), "http://lessons.test/edu/3/01.swf?y=2");
  EXPECT_EQ(movie::resolveAddress("http://lessons.test", "a.txt"), "http://lessons.test/a.txt");
  // Nothing but the web: no files, no scripts, no address without a base or host.
  EXPECT_EQ(movie::resolveAddress(base, "file:///C:/secret.txt"), "");
  EXPECT_EQ(movie::resolveAddress(base, "javascript:alert(1)"), "");
  EXPECT_EQ(movie::resolveAddress("", "vars.txt"), "");
  EXPECT_EQ(movie::resolveAddress("file:///C:/a.swf", "vars.txt"), "");
  EXPECT_EQ(movie::resolveAddress(base, "http:///nohost"), "");
}

TEST(Loading, VariablesArriveInTheClipAndItsOnDataRuns) {
  Actions a;
  handler(a, "box", "onData", {}, traceVariable("box.greeting"));
  call(a, "box", "loadVariables", "vars.txt");
  LoadRun run(movie_test::boxMovie(a));
  ASSERT_EQ(run.fetcher.requests.size(), 1u);
  EXPECT_EQ(run.fetcher.requests[0].url, "http://lessons.test/edu/3/vars.txt");
  EXPECT_TRUE(run.lines.empty()) << "nothing arrives within the call that asked";
  run.answer(0, "\xEF\xBB\xBFgreeting=hello%20there&n=3");
  EXPECT_EQ(run.lines, (Lines{"hello there"}));
}

TEST(Loading, LoadVarsHearsWhetherItsTextCame) {
  // lv = new LoadVars(); lv.onLoad = function (ok) { trace(ok); trace(this.name); };
  // lv.load("../data/v.txt"); lv.load("missing.txt");
  Actions body;
  body.push({"ok"}).op(Actions::kGetVariable).op(Actions::kTrace);
  body.push({"this"}).op(Actions::kGetVariable).push({"name"}).op(Actions::kGetMember).op(Actions::kTrace);
  Actions a;
  a.push({"lv", 0, "LoadVars"}).op(Actions::kNewObject).op(Actions::kSetVariable);
  handler(a, "lv", "onLoad", {"ok"}, body);
  call(a, "lv", "load", "../data/v.txt");
  call(a, "lv", "load", "missing.txt");
  LoadRun run(movie_test::boxMovie(a));
  ASSERT_EQ(run.fetcher.requests.size(), 2u);
  EXPECT_EQ(run.fetcher.requests[0].url, "http://lessons.test/edu/data/v.txt");
  run.answer(0, "name=Tom");
  run.answer(1, "", false);
  EXPECT_EQ(run.lines, (Lines{"true", "Tom", "false", "Tom"}));
}

TEST(Loading, AMovieLoadedIntoAClipShowsThereAndTheLoaderIsTold) {
  // The child: a green square whose first frame traces "child".
  Actions childActions;
  childActions.trace("child");
  swf::Bytes child = movie_test::boxMovie(childActions, movie_test::kGreen);
  // l = new MovieClipLoader(); l.onLoadInit = function (c) { trace(c._name); };
  // l.onLoadError = function (c, e) { trace(e); }; l.loadClip("child.swf", box);
  Actions init;
  init.push({"c"}).op(Actions::kGetVariable).push({"_name"}).op(Actions::kGetMember).op(Actions::kTrace);
  Actions a;
  a.push({"l", 0, "MovieClipLoader"}).op(Actions::kNewObject).op(Actions::kSetVariable);
  handler(a, "l", "onLoadInit", {"c"}, init);
  handler(a, "l", "onLoadError", {"c", "e"}, traceVariable("e"));
  a.push({"box"}).op(Actions::kGetVariable).push({"child.swf", 2, "l"}).op(Actions::kGetVariable);
  a.push({"loadClip"}).op(Actions::kCallMethod).op(Actions::kPop);
  a.push({"box"}).op(Actions::kGetVariable).push({"broken.swf", 2, "l"}).op(Actions::kGetVariable);
  a.push({"loadClip"}).op(Actions::kCallMethod).op(Actions::kPop);
  LoadRun run(movie_test::boxMovie(a));
  ASSERT_EQ(run.fetcher.requests.size(), 2u);
  EXPECT_EQ(movie_test::rgbOf(movie_test::renderPixels(run.player, 100, 100)[5050]), movie_test::kRed);
  run.answer(1, std::string("FWS\x08garbage"));
  run.answer(0, child);
  EXPECT_TRUE(run.lines.empty()) << "movies that arrived show at the end of the next frame";
  run.player.tick();
  EXPECT_EQ(run.lines, (Lines{"LoadNeverCompleted", "child", "box"}));
  EXPECT_EQ(movie_test::rgbOf(movie_test::renderPixels(run.player, 100, 100)[5050]), movie_test::kGreen);
}

TEST(Loading, AMovieLoadedIntoLevelZeroReplacesTheMovie) {
  Actions next;
  next.trace("next lesson");
  Actions a;
  a.getUrl("02.swf", "_level0");
  LoadRun run(movie_test::boxMovie(a));
  ASSERT_EQ(run.fetcher.requests.size(), 1u);
  EXPECT_EQ(run.fetcher.requests[0].url, "http://lessons.test/edu/3/02.swf");
  run.answer(0, movie_test::boxMovie(next, movie_test::kBlue));
  EXPECT_EQ(run.lines, (Lines{"next lesson"}));
  EXPECT_EQ(movie_test::rgbOf(movie_test::renderPixels(run.player, 100, 100)[5050]), movie_test::kBlue);
}

TEST(Loading, NothingIsFetchedOutsideTheWebOrWithoutAFetcher) {
  Actions a;
  call(a, "box", "loadVariables", "file:///C:/boot.ini");
  call(a, "box", "loadMovie", "javascript:x");
  LoadRun run(movie_test::boxMovie(a));
  EXPECT_TRUE(run.fetcher.requests.empty());
  Actions b;
  call(b, "box", "loadVariables", "vars.txt");
  movie::Player alone;
  movie_test::load(alone, movie_test::boxMovie(b));  // no fetcher: nothing happens, nothing breaks
  EXPECT_EQ(alone.state(), movie::LoadState::Complete);
}

TEST(Loading, PendingFetchesAreCancelledWithTheMovie) {
  Actions a;
  call(a, "box", "loadVariables", "vars.txt");
  LoadRun run(movie_test::boxMovie(a));
  ASSERT_EQ(run.fetcher.requests.size(), 1u);
  run.player.reset();
  EXPECT_EQ(run.fetcher.cancelled, std::vector<int>{run.fetcher.requests[0].id});
  run.answer(0, "late=1");  // an answer after the reset is dropped
  EXPECT_TRUE(run.lines.empty());
}

TEST(Loading, VariablesSentWithPostGoInTheBodyAndWithGetInTheAddress) {
  // name = "Tom & Jerry"; box.loadVariables("form.php", "POST"); box.loadVariables("form.php", "GET");
  Actions a;
  a.push({"name", "Tom & Jerry"}).op(Actions::kSetVariable);
  for (const char* method : {"POST", "GET"}) {
    a.push({method, "form.php", 2, "box"}).op(Actions::kGetVariable).push({"loadVariables"});
    a.op(Actions::kCallMethod).op(Actions::kPop);
  }
  LoadRun run(movie_test::boxMovie(a));
  ASSERT_EQ(run.fetcher.requests.size(), 2u);
  EXPECT_TRUE(run.fetcher.requests[0].post);
  EXPECT_EQ(run.fetcher.requests[0].url, "http://lessons.test/edu/3/form.php");
  EXPECT_EQ(run.fetcher.requests[0].body, "name=Tom%20%26%20Jerry");
  EXPECT_FALSE(run.fetcher.requests[1].post);
  EXPECT_EQ(run.fetcher.requests[1].url, "http://lessons.test/edu/3/form.php?name=Tom%20%26%20Jerry");
  EXPECT_EQ(run.fetcher.requests[1].body, "");
}

TEST(Loading, ABrowserWindowGetsTheVariablesOfAPostInItsAddress) {
  // name = "Tom"; getURL("page.htm", "_blank", "POST");
  Actions a;
  a.push({"name", "Tom"}).op(Actions::kSetVariable);
  a.push({"page.htm", "_blank"}).getUrl2(2);  // POST
  std::vector<std::pair<std::string, std::string>> opened;
  RecordingFetcher fetcher;
  movie::Player player;
  player.setUrlHandler([&](const std::string& url, const std::string& target) { opened.emplace_back(url, target); });
  movie_test::load(player, movie_test::boxMovie(a));
  ASSERT_EQ(opened.size(), 1u);
  EXPECT_EQ(opened[0].first, "page.htm?name=Tom");
  EXPECT_EQ(opened[0].second, "_blank");
}

namespace {

// l = new MovieClipLoader();
// l.broadcastMessage = function (e, c, a, b) { trace(e + " " + c + " " + a + " " + b); };
// l.loadClip(url, box)
Actions loadClipIntoBoxTracingEvents(const std::string& url) {
  Actions body;
  body.push({"e"}).op(Actions::kGetVariable);
  for (const char* param : {"c", "a", "b"})
    body.push({" "}).op(Actions::kAdd2).push({param}).op(Actions::kGetVariable).op(Actions::kAdd2);
  body.op(Actions::kTrace);
  Actions a;
  a.push({"l", 0, "MovieClipLoader"}).op(Actions::kNewObject).op(Actions::kSetVariable);
  handler(a, "l", "broadcastMessage", {"e", "c", "a", "b"}, body);
  a.push({"box"}).op(Actions::kGetVariable).push({url, 2, "l"}).op(Actions::kGetVariable);
  return a.push({"loadClip"}).op(Actions::kCallMethod).op(Actions::kPop);
}

Lines loadEvents(size_t bytes) {
  std::string size = std::to_string(bytes);
  return {"onLoadStart _level0.box undefined undefined", "onLoadProgress _level0.box " + size + " " + size,
          "onLoadComplete _level0.box 0 undefined", "onLoadInit _level0.box undefined undefined"};
}

}  // namespace

TEST(Loading, PicturesLoadIntoAClipAtItsOrigin) {
  struct Picture {
    const char* name;
    swf::Bytes bytes;
    int width, height;
  };
  const Picture pictures[] = {{"a.png", movie_test::pngOf(20, 10, movie_test::kGreen), 20, 10},
                              {"a.jpg", movie_test::jpegOf(24, 16, movie_test::kGreen), 24, 16},
                              {"a.gif", movie_test::gifPixelOf(movie_test::kGreen, false), 1, 1},
                              {"b.gif", movie_test::gifPixelOf(movie_test::kGreen, true), 1, 1},
                              {"png-named.gif", movie_test::pngOf(2, 2, movie_test::kGreen), 2, 2}};
  for (const Picture& p : pictures) {
    SCOPED_TRACE(p.name);
    LoadRun run(movie_test::boxMovie(loadClipIntoBoxTracingEvents(p.name)));
    ASSERT_EQ(run.fetcher.requests.size(), 1u);
    run.answer(0, p.bytes);
    EXPECT_TRUE(run.lines.empty());
    run.player.tick();
    EXPECT_EQ(run.lines, loadEvents(p.bytes.size()));
    std::vector<uint32_t> pixels = movie_test::renderPixels(run.player, 100, 100);
    auto at = [&](int x, int y) { return pixels[size_t(y) * 100 + x]; };
    uint32_t inside = at(p.width / 2, p.height / 2);
    EXPECT_LT((inside >> 16) & 0xFF, 40u);
    EXPECT_GT((inside >> 8) & 0xFF, 215u);
    EXPECT_LT(inside & 0xFF, 40u);
    // The picture took the place of the box's red square: the background shows beside it.
    EXPECT_EQ(movie_test::rgbOf(at(p.width + 1, p.height + 1)), movie_test::kWhite);
  }
}

TEST(Loading, WhatIsNeitherAMovieNorAPictureLoadsAsNothing) {
  for (const std::string& text : {std::string("just some text"), std::string("\x89PNG\r\n\x1a\nbroken")}) {
    LoadRun run(movie_test::boxMovie(loadClipIntoBoxTracingEvents("a.txt")));
    run.answer(0, text);
    run.player.tick();
    EXPECT_EQ(run.lines, loadEvents(0));
    EXPECT_EQ(movie_test::rgbOf(movie_test::renderPixels(run.player, 100, 100)[5050]), movie_test::kWhite);
  }
}

TEST(Loading, AClipKeepsItsScriptObjectAcrossALoadButNotItsVariables) {
  // box.note = "old"; keep = box; box.loadMovie("child.swf"); then, a frame later:
  // trace(keep.note); trace(keep._name); keep.unloadMovie(); trace(keep == box)
  Actions first;
  first.push({"box"}).op(Actions::kGetVariable).push({"note", "old"}).op(Actions::kSetMember);
  first.push({"keep", "box"}).op(Actions::kGetVariable).op(Actions::kSetVariable);
  call(first, "box", "loadMovie", "child.swf");
  Actions later;
  later.push({"keep"}).op(Actions::kGetVariable).push({"note"}).op(Actions::kGetMember).op(Actions::kTrace);
  later.push({"keep"}).op(Actions::kGetVariable).push({"_name"}).op(Actions::kGetMember).op(Actions::kTrace);
  later.push({0, "keep"}).op(Actions::kGetVariable).push({"unloadMovie"}).op(Actions::kCallMethod).op(Actions::kPop);
  later.push({"keep"}).op(Actions::kGetVariable).push({"box"}).op(Actions::kGetVariable).op(Actions::kEquals2);
  later.op(Actions::kTrace).op(Actions::kStop);
  swf::TagList tags;
  tags.defineShape(1, movie_test::rectShape(0, 0, 100, 100, movie_test::kRed), 3);
  movie_test::defineSpriteOf(tags, 2, 1);
  swf::Place p = movie_test::placeAt(1, 2);
  p.name = "box";
  tags.placeObject2(p);
  swf::doAction(tags, first);
  tags.showFrame();
  tags.showFrame();
  swf::doAction(tags, later);
  tags.showFrame();
  tags.end();
  LoadRun run(movie_test::movieOf(tags));
  ASSERT_EQ(run.fetcher.requests.size(), 1u);
  run.answer(0, movie_test::boxMovie(Actions{}, movie_test::kBlue));
  run.player.tick();
  EXPECT_EQ(movie_test::rgbOf(movie_test::renderPixels(run.player, 100, 100)[5050]), movie_test::kBlue);
  run.player.tick();
  EXPECT_EQ(run.lines, (Lines{"undefined", "box", "true"}));
  EXPECT_EQ(movie_test::rgbOf(movie_test::renderPixels(run.player, 100, 100)[5050]), movie_test::kWhite);
}
