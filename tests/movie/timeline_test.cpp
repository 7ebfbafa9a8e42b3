// The display list: placing, moving, removing, sprites, going forwards and back.
#include "movie/timeline/display_list.h"

#include <gtest/gtest.h>

#include "movie/format/movie_parser.h"
#include "movie/format/tag_codes.h"
#include "movie_fixtures.h"

using namespace movie;
using namespace movie_test;

namespace {

struct Loaded {
  format::MovieParser parser;
  timeline::Budget budget;
  std::unique_ptr<timeline::SpriteInstance> root;
  explicit Loaded(const swf::TagList& tags) {
    swf::Bytes file = movieOf(tags);
    parser.append(file.data(), file.size());
    parser.finish();
    root = std::make_unique<timeline::SpriteInstance>(parser.movie().root, parser.movie().characters, budget, 0);
    root->start();
  }
  const timeline::DisplayObject* at(uint16_t depth) const {
    auto it = root->displayList().find(depth);
    return it == root->displayList().end() ? nullptr : &it->second;
  }
};

swf::Place moveTo(uint16_t depth, double x, double y) {
  swf::Place p;
  p.depth = depth;
  p.move = true;
  p.matrix = swf::Matrix::translate(swf::twips(x), swf::twips(y));
  return p;
}

// Frame 0: A at depth 1; 1: A moves, B at depth 2; 2: A removed; 3: B moves.
swf::TagList fourFrames() {
  swf::TagList t;
  t.defineShape(1, rectShape(0, 0, 10, 10, kRed));
  t.defineShape(2, rectShape(0, 0, 10, 10, kBlue));
  t.placeObject2(placeAt(1, 1));
  t.showFrame();
  t.placeObject2(moveTo(1, 30, 0));
  t.placeObject2(placeAt(2, 2, 50, 50));
  t.showFrame();
  t.removeObject2(1);
  t.showFrame();
  t.placeObject2(moveTo(2, 70, 70));
  t.showFrame();
  t.end();
  return t;
}

}  // namespace

TEST(Timeline, PlacesMovesAndRemoves) {
  Loaded m(fourFrames());
  ASSERT_EQ(m.root->frameCount(), 4);
  EXPECT_EQ(m.root->currentFrame(), 0);
  ASSERT_NE(m.at(1), nullptr);
  EXPECT_EQ(m.at(1)->matrix.tx, 0);
  EXPECT_EQ(m.at(2), nullptr);
  m.root->advance(true, true);
  EXPECT_EQ(m.at(1)->matrix.tx, 600);
  ASSERT_NE(m.at(2), nullptr);
  EXPECT_EQ(m.at(2)->characterId, 2);
  m.root->advance(true, true);
  EXPECT_EQ(m.at(1), nullptr);
  m.root->advance(true, true);
  EXPECT_EQ(m.at(2)->matrix.tx, 1400);
  EXPECT_EQ(m.root->currentFrame(), 3);
}

TEST(Timeline, GoingBackRebuildsTheDisplayList) {
  Loaded m(fourFrames());
  m.root->gotoFrame(3);
  EXPECT_EQ(m.at(1), nullptr);
  m.root->gotoFrame(1);
  ASSERT_NE(m.at(1), nullptr);
  EXPECT_EQ(m.at(1)->matrix.tx, 600);
  EXPECT_EQ(m.at(2)->matrix.tx, 1000);  // as placed, not as moved later
  m.root->gotoFrame(0);
  EXPECT_EQ(m.at(2), nullptr);
  EXPECT_EQ(m.at(1)->matrix.tx, 0);
  m.root->gotoFrame(99);  // clamped to the last frame
  EXPECT_EQ(m.root->currentFrame(), 3);
}

TEST(Timeline, LoopsOrStopsAtTheEnd) {
  Loaded m(fourFrames());
  m.root->gotoFrame(3);
  EXPECT_FALSE(m.root->advance(false, true));
  EXPECT_EQ(m.root->currentFrame(), 3);
  EXPECT_FALSE(m.root->advance(true, false));  // more frames may still come
  EXPECT_TRUE(m.root->advance(true, true));
  EXPECT_EQ(m.root->currentFrame(), 0);
  EXPECT_EQ(m.at(2), nullptr);
}

TEST(Timeline, SpritesRunTheirOwnTimelines) {
  swf::TagList inner;
  inner.placeObject2(placeAt(1, 1));
  inner.showFrame();
  inner.placeObject2(moveTo(1, 10, 0));
  inner.showFrame();
  inner.placeObject2(moveTo(1, 20, 0));
  inner.showFrame();
  inner.end();
  swf::TagList t;
  t.defineShape(1, rectShape(0, 0, 10, 10, kRed));
  t.defineSprite(2, inner);
  t.placeObject2(placeAt(1, 2));
  t.showFrame();
  t.showFrame();
  t.end();
  Loaded m(t);
  ASSERT_NE(m.at(1)->sprite, nullptr);
  EXPECT_EQ(m.at(1)->sprite->currentFrame(), 0);
  m.root->advance(true, true);
  EXPECT_EQ(m.at(1)->sprite->currentFrame(), 1);
  EXPECT_EQ(m.at(1)->sprite->displayList().at(1).matrix.tx, 200);
  const timeline::SpriteInstance* before = m.at(1)->sprite.get();
  m.root->advance(true, true);  // the root loops; the sprite placed on frame 0 runs on
  EXPECT_EQ(m.root->currentFrame(), 0);
  EXPECT_EQ(m.at(1)->sprite.get(), before);
  EXPECT_EQ(m.at(1)->sprite->currentFrame(), 2);
  m.root->advance(true, true);
  m.root->advance(false, true);  // the root stays on its last frame; the sprite runs on
  EXPECT_EQ(m.root->currentFrame(), 1);
  EXPECT_EQ(m.at(1)->sprite->currentFrame(), 1);
  m.root->advance(false, true);
  EXPECT_EQ(m.at(1)->sprite->currentFrame(), 2);
  m.root->advance(false, true);
  EXPECT_EQ(m.at(1)->sprite->currentFrame(), 0);  // sprites always loop
}

TEST(Timeline, GoingBackRecreatesObjectsPlacedLater) {
  // A sprite placed on frame 1 stays when going back to frame 1, goes before it, and
  // is made anew when frame 1 is reached again.
  swf::TagList inner;
  inner.placeObject2(placeAt(1, 1));
  inner.showFrame();
  inner.showFrame();
  inner.showFrame();
  inner.end();
  swf::TagList t;
  t.defineShape(1, rectShape(0, 0, 10, 10, kRed));
  t.defineSprite(2, inner);
  t.showFrame();
  t.placeObject2(placeAt(1, 2));
  t.showFrame();
  t.showFrame();
  t.end();
  Loaded m(t);
  m.root->advance(true, true);
  m.root->advance(true, true);
  EXPECT_EQ(m.at(1)->sprite->currentFrame(), 1);
  m.root->gotoFrame(1);
  EXPECT_EQ(m.at(1)->sprite->currentFrame(), 1);  // same placement: kept as it was
  m.root->gotoFrame(0);
  EXPECT_EQ(m.at(1), nullptr);
  m.root->gotoFrame(2);
  EXPECT_EQ(m.at(1)->sprite->currentFrame(), 0);  // placed anew on the way forward
}

TEST(Timeline, ReplacingTheCharacterAtADepth) {
  swf::TagList t;
  t.defineShape(1, rectShape(0, 0, 10, 10, kRed));
  t.defineShape(2, rectShape(0, 0, 10, 10, kBlue));
  swf::Place first = placeAt(1, 1, 5, 5);
  first.name = "thing";
  t.placeObject2(first);
  t.showFrame();
  swf::Place swap;
  swap.depth = 1;
  swap.move = true;
  swap.characterId = 2;
  t.placeObject2(swap);
  t.showFrame();
  t.end();
  Loaded m(t);
  m.root->advance(true, true);
  EXPECT_EQ(m.at(1)->characterId, 2);
  EXPECT_EQ(m.at(1)->matrix.tx, 100);  // kept from before
  EXPECT_EQ(m.at(1)->name, "thing");
}

TEST(Timeline, MissingCharactersAreEmptyPlaces) {
  swf::TagList t;
  t.placeObject2(placeAt(1, 77));
  swf::Place nothing;  // a move at an empty depth does nothing
  nothing.depth = 5;
  nothing.move = true;
  t.placeObject2(nothing);
  t.showFrame();
  t.end();
  Loaded m(t);
  ASSERT_NE(m.at(1), nullptr);
  EXPECT_FALSE(m.at(1)->known);
  EXPECT_EQ(m.at(5), nullptr);
}

TEST(Timeline, SelfPlacingSpriteIsBoundedByTheNestingLimit) {
  // Sprite 3 places character 3 (itself) once defined: cyclic nesting.
  swf::TagList inner;
  inner.placeObject2(placeAt(1, 3));
  inner.showFrame();
  inner.end();
  swf::TagList t;
  t.defineSprite(3, inner);
  t.placeObject2(placeAt(1, 3));
  t.showFrame();
  t.showFrame();
  t.end();
  Loaded m(t);
  int depth = 0;
  const timeline::SpriteInstance* s = m.root.get();
  while (s && s->displayList().count(1) && s->displayList().at(1).sprite) {
    s = s->displayList().at(1).sprite.get();
    ++depth;
  }
  EXPECT_EQ(depth, m.budget.maxNesting);
  for (int i = 0; i < 5; ++i) m.root->advance(true, true);
  m.root.reset();
  EXPECT_EQ(m.budget.objects, 0);  // every instance was counted out again
}

TEST(Timeline, ObjectBudgetStopsRunawayPlacement) {
  swf::TagList t;
  t.defineShape(1, rectShape(0, 0, 1, 1, kRed));
  for (int d = 1; d <= 300; ++d) t.placeObject2(placeAt(uint16_t(d), 1));
  t.showFrame();
  t.end();
  swf::Bytes file = movieOf(t);
  format::MovieParser parser;
  parser.append(file.data(), file.size());
  timeline::Budget budget;
  budget.maxObjects = 100;
  timeline::SpriteInstance root(parser.movie().root, parser.movie().characters, budget, 0);
  root.start();
  EXPECT_EQ(root.displayList().size(), 100u);
}
