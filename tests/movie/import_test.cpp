// Characters a movie imports from another (ImportAssets): fetched relative to the
// importing movie, bound to its ids with what they place found in their own movie, their
// movie's init actions run; and imports that cannot or must not be followed.
#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "movie/asset_imports.h"
#include "fetch_run.h"
#include "movie_fixtures.h"
#include "tools/swf/actions.h"
#include "tools/swf/sound_writer.h"

using swf::Actions;
using Lines = std::vector<std::string>;
using movie_test::rgbOf;

namespace {

using ImportRun = movie_test::FetchRun;

// The library: shape 3 (green, over the stage) in sprite 4 exported as "patch", and init
// actions for sprite 4 and for sprite 5 (not imported) that trace this.
swf::Bytes library(const std::function<void(swf::TagList&)>& more = {}) {
  swf::TagList tags;
  if (more) more(tags);
  tags.defineShape(3, movie_test::rectShape(0, 0, 100, 100, movie_test::kGreen), 3);
  movie_test::defineSpriteOf(tags, 4, 3);
  tags.defineSprite(5, swf::TagList{});
  swf::exportAssets(tags, {{4, "patch"}, {5, "other"}});
  for (uint16_t sprite : {4, 5}) {
    Actions init;
    init.trace("init " + std::to_string(sprite));
    init.push({"this"}).op(Actions::kGetVariable).op(Actions::kTrace);
    swf::doInitAction(tags, sprite, init);
  }
  tags.showFrame();
  tags.end();
  return movie_test::movieOf(tags);
}

// The importer: its own shape 3 is red (under everything); it imports "patch" as 10 from
// url and places it on its second frame, where it stops.
swf::Bytes importer(const std::string& url, bool version2 = false) {
  swf::TagList tags;
  tags.defineShape(3, movie_test::rectShape(0, 0, 100, 100, movie_test::kRed), 3);
  tags.placeObject2(movie_test::placeAt(1, 3));
  swf::importAssets(tags, url, {{10, "patch"}}, version2);
  tags.showFrame();
  tags.placeObject2(movie_test::placeAt(2, 10));
  Actions stop;
  stop.op(Actions::kStop);
  swf::doAction(tags, stop);
  tags.showFrame();
  tags.end();
  return movie_test::movieOf(tags);
}

}  // namespace

TEST(Imports, ImportedSymbolsShowWithTheirOwnCharactersAndTheirInitActionsRun) {
  for (bool version2 : {false, true}) {
    ImportRun run(importer("lib/assets.swf", version2));
    ASSERT_EQ(run.fetcher.requests.size(), 1u);
    EXPECT_EQ(run.fetcher.requests[0].second, "http://lessons.test/edu/3/lib/assets.swf");
    run.answerNext(library());
    EXPECT_EQ(run.lines, (Lines{"init 4", "_level0", "init 5", "_level0"}));
    run.player.tick();
    EXPECT_EQ(run.pixel(50, 50), movie_test::kGreen) << "sprite 4 placed shape 3 of its own movie";
  }
}

TEST(Imports, ImportedSymbolsCanBeAttachedByTheirImportedNames) {
  swf::TagList tags;
  swf::importAssets(tags, "assets.swf", {{10, "patch"}});
  tags.showFrame();
  Actions attach;
  attach.push({1, "p", "patch", 3, "this"}).op(Actions::kGetVariable).push({"attachMovie"});
  attach.op(Actions::kCallMethod).op(Actions::kTrace).op(Actions::kStop);
  swf::doAction(tags, attach);
  tags.showFrame();
  tags.end();
  ImportRun run(movie_test::movieOf(tags));
  run.answerNext(library());
  run.player.tick();
  EXPECT_EQ(run.lines.back(), "_level0.p");
  EXPECT_EQ(run.pixel(50, 50), movie_test::kGreen);
}

TEST(Imports, AMovieLoadedIntoAClipImportsRelativeToItsOwnAddress) {
  // box.loadMovie("sub/child.swf"); the child imports "assets.swf".
  Actions load;
  load.push({"sub/child.swf", 1, "box"}).op(Actions::kGetVariable).push({"loadMovie"}).op(Actions::kCallMethod);
  load.op(Actions::kPop);
  ImportRun run(movie_test::boxMovie(load));
  run.answerNext(importer("assets.swf"));
  run.player.tick();
  ASSERT_EQ(run.fetcher.requests.size(), 2u);
  EXPECT_EQ(run.fetcher.requests[1].second, "http://lessons.test/edu/3/sub/assets.swf");
  run.answerNext(library());
  EXPECT_EQ(run.lines, (Lines{"init 4", "_level0.box", "init 5", "_level0.box"}));
  run.player.tick();
  EXPECT_EQ(run.pixel(50, 50), movie_test::kGreen);
}

TEST(Imports, MissingOrDamagedLibrariesLeaveTheImportedIdsEmpty) {
  for (int kind = 0; kind < 3; ++kind) {
    ImportRun run(importer("assets.swf"));
    swf::Bytes damaged = library();
    damaged.resize(damaged.size() / 2);
    if (kind == 0) run.answerNext({}, false);
    if (kind == 1) run.answerNext(damaged);
    if (kind == 2) run.answerNext(swf::Bytes{'n', 'o', 't', ' ', 'a', ' ', 'm', 'o', 'v', 'i', 'e'});
    run.player.tick();
    EXPECT_TRUE(run.lines.empty());
    EXPECT_EQ(run.pixel(50, 50), movie_test::kRed);
    EXPECT_EQ(run.player.state(), movie::LoadState::Complete);
  }
}

TEST(Imports, CyclesAndSelfImportsAreNotFollowed) {
  // The movie imports itself (by a relative and an absolute address): nothing is fetched.
  ImportRun self(importer("01.swf"));
  EXPECT_TRUE(self.fetcher.requests.empty());
  ImportRun absolute(importer("http://lessons.test/edu/3/01.swf"));
  EXPECT_TRUE(absolute.fetcher.requests.empty());
  // The library imports the movie that imports it, and itself: neither is fetched.
  ImportRun run(importer("assets.swf"));
  run.answerNext(library([](swf::TagList& t) {
    swf::importAssets(t, "01.swf", {{20, "x"}});
    swf::importAssets(t, "assets.swf", {{21, "y"}});
  }));
  EXPECT_EQ(run.fetcher.requests.size(), 1u);
  run.player.tick();
  EXPECT_EQ(run.pixel(50, 50), movie_test::kGreen);
}

TEST(Imports, ChainsAndCountsAreBounded) {
  // Each library imports the next (a.swf -> a1.swf -> a11.swf ...): a few are followed.
  ImportRun chain(importer("a.swf"));
  for (int i = 0; i < 10 && chain.answered < chain.fetcher.requests.size(); ++i) {
    std::string next = chain.fetcher.requests[chain.answered].second;
    next = next.substr(next.rfind('/') + 1);
    next.insert(next.size() - 4, "1");
    chain.answerNext(library([&](swf::TagList& t) { swf::importAssets(t, next, {{30, "patch"}}); }));
  }
  EXPECT_LE(chain.fetcher.requests.size(), movie::AssetImports::kMaxChain);
  EXPECT_GE(chain.fetcher.requests.size(), 2u);
  // A hundred imports of thousands of names each: a bounded number is fetched.
  swf::TagList tags;
  std::vector<std::pair<uint16_t, std::string>> names;
  for (int i = 0; i < 3000; ++i) names.emplace_back(uint16_t(100 + i), "name" + std::to_string(i));
  for (int i = 0; i < 100; ++i) swf::importAssets(tags, "lib" + std::to_string(i) + ".swf", names);
  tags.showFrame();
  tags.end();
  ImportRun many(movie_test::movieOf(tags));
  EXPECT_LE(many.fetcher.requests.size(), movie::AssetImports::kMaxImportedMovies);
  while (many.answered < many.fetcher.requests.size()) many.answerNext(library());
  many.player.tick();
  EXPECT_EQ(many.player.state(), movie::LoadState::Complete);
}

namespace {

// The library defines what `define` adds and a sprite 4 that runs `script`, and exports
// them as "clip" and otherName (its character otherId). The importer imports "clip" as
// 10 and otherName as importedId, places 10 on its second frame and stops; the run has
// answered the fetch and shown that frame.
std::unique_ptr<ImportRun> runImportedClip(const std::function<void(swf::TagList&)>& define, Actions script,
                                           uint16_t otherId, const std::string& otherName, uint16_t importedId) {
  swf::TagList lib;
  define(lib);
  swf::TagList sprite;
  swf::doAction(sprite, script.op(Actions::kStop));
  sprite.showFrame();
  sprite.end();
  lib.defineSprite(4, sprite);
  swf::exportAssets(lib, {{4, "clip"}, {otherId, otherName}});
  lib.showFrame();
  lib.end();

  swf::TagList tags;
  swf::importAssets(tags, "assets.swf", {{10, "clip"}, {importedId, otherName}});
  tags.showFrame();
  tags.placeObject2(movie_test::placeAt(1, 10));
  Actions stop;
  swf::doAction(tags, stop.op(Actions::kStop));
  tags.showFrame();
  tags.end();
  auto run = std::make_unique<ImportRun>(movie_test::movieOf(tags));
  run->answerNext(movie_test::movieOf(lib));
  run->player.tick();
  run->player.tick();
  return run;
}

}  // namespace

TEST(Imports, AnImportedClipsSoundFindsTheSoundItsImporterNames) {
  // Sprite 4 attaches "tone" to a Sound of itself. The importer imports the library's
  // sound 7 as 11, so "tone" names 11 in the importer's dictionary, not in the library's,
  // where 11 is nothing.
  constexpr int kFrames = 4410;
  Actions a;
  a.push({"s"}).push({"this"}).op(Actions::kGetVariable).push({1, "Sound"}).op(Actions::kNewObject);
  a.op(Actions::kSetVariable);
  a.push({"tone", 1, "s"}).op(Actions::kGetVariable).push({"attachSound"}).op(Actions::kCallMethod).op(Actions::kPop);
  a.push({"s"}).op(Actions::kGetVariable).push({"duration"}).op(Actions::kGetMember).op(Actions::kTrace);
  auto run = runImportedClip(
      [](swf::TagList& lib) {
        swf::defineSound(lib, 7, swf::soundFormat(swf::kPcmLittle, 22050, true, false), kFrames,
                         swf::pcm16(std::vector<int16_t>(kFrames, 8000)));
      },
      a, 7, "tone", 11);
  EXPECT_EQ(run->lines, (Lines{"200"}));
}

TEST(Imports, AnImportedClipAttachesTheSymbolsItsImporterNames) {
  // Sprite 4 attaches "dot" (the library's sprite 6, imported as 12) to itself.
  Actions a;
  a.push({1, "d", "dot", 3, "this"}).op(Actions::kGetVariable).push({"attachMovie"});
  a.op(Actions::kCallMethod).op(Actions::kTrace);
  auto run = runImportedClip(
      [](swf::TagList& lib) {
        lib.defineShape(3, movie_test::rectShape(0, 0, 100, 100, movie_test::kGreen), 3);
        movie_test::defineSpriteOf(lib, 6, 3);
      },
      a, 6, "dot", 12);
  ASSERT_EQ(run->lines.size(), 1u);
  EXPECT_EQ(run->lines[0], "_level0.instance1.d");
  EXPECT_EQ(run->pixel(50, 50), movie_test::kGreen);
}
