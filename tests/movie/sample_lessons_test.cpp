// Every sample lesson loads, draws something besides its background, animates and loops.
#include <gtest/gtest.h>

#include <set>

#include "movie_fixtures.h"
#include "tools/sample-content/lesson_movie.h"

using movie::LoadState;
using movie::Player;

TEST(SampleLessons, EachPlaysAndLoops) {
  for (int lesson = 1; lesson <= 38; ++lesson) {
    SCOPED_TRACE("lesson " + std::to_string(lesson));
    swf::Bytes file = sample::makeLessonMovie(lesson);
    Player p;
    // Arrives in network-sized pieces.
    for (size_t pos = 0; pos < file.size(); pos += 1460)
      p.append(file.data() + pos, std::min<size_t>(1460, file.size() - pos));
    p.finish();
    ASSERT_EQ(p.state(), LoadState::Complete) << p.error();
    ASSERT_GT(p.stageWidth(), 0);
    const int w = 160, h = 120;
    auto first = movie_test::renderPixels(p, w, h);
    std::set<uint32_t> colours(first.begin(), first.end());
    EXPECT_GT(colours.size(), 8u);
    int frames = p.frameCount();
    ASSERT_GT(frames, 1);
    EXPECT_TRUE(p.tick());
    EXPECT_NE(movie_test::renderPixels(p, w, h), first);
    for (int i = 1; i < frames; ++i) p.tick();
    EXPECT_EQ(p.currentFrame(), 0);  // looped
  }
}
