// A clip's sound settings belong to the clip, not to the memory it lived in: a clip made
// where a removed one was (the allocator reuses addresses) starts with settings of its own.
#include <gtest/gtest.h>

#include <new>

#include "movie/format/movie_def.h"
#include "movie/script_sounds.h"
#include "movie/sound/mixer.h"
#include "movie/sound/timeline_sound.h"
#include "movie/timeline/display_list.h"

namespace {

using movie::timeline::SpriteInstance;

struct SoundLayer {
  movie::format::MovieDef movie;
  movie::sound::Mixer mixer;
  movie::sound::TimelineSound timeline{movie, mixer};
  movie::ScriptSounds scripts{timeline, mixer};
  movie::timeline::Budget budget;
  movie::format::Timeline empty;

  // A clip made in the given storage, as an allocator that reuses memory would.
  SpriteInstance* clipIn(void* storage) { return new (storage) SpriteInstance(empty, movie.characters, budget, 0); }
};

TEST(ClipSoundIdentity, AClipMadeWhereARemovedOneLivedKeepsNoneOfItsSettings) {
  SoundLayer s;
  alignas(SpriteInstance) unsigned char storage[sizeof(SpriteInstance)];
  SpriteInstance* removed = s.clipIn(storage);
  s.scripts.setMix(removed, {10, 0, 100, 100, 0});  // quiet, both channels to the right
  s.scripts.setPan(removed, -50);
  const int removedOwner = s.timeline.ownerOf(removed);
  EXPECT_EQ(s.scripts.mix(removed).volume, 10);
  removed->~SpriteInstance();

  SpriteInstance* made = s.clipIn(storage);
  EXPECT_NE(s.timeline.ownerOf(made), removedOwner);
  const movie::script::SoundMix fresh = s.scripts.mix(made);
  EXPECT_EQ(fresh.volume, 100);
  EXPECT_EQ(fresh.ll, 100);
  EXPECT_EQ(fresh.rr, 100);
  EXPECT_EQ(s.scripts.pan(made), 0);
  made->~SpriteInstance();
}

TEST(ClipSoundIdentity, EachClipHasItsOwnNumberAndKeepsIt) {
  SoundLayer s;
  SpriteInstance a(s.empty, s.movie.characters, s.budget, 0), b(s.empty, s.movie.characters, s.budget, 0);
  EXPECT_NE(a.identity(), b.identity());
  EXPECT_EQ(s.timeline.ownerOf(&a), s.timeline.ownerOf(&a));
  EXPECT_NE(s.timeline.ownerOf(&a), s.timeline.ownerOf(&b));
  EXPECT_EQ(s.timeline.ownerOf(nullptr), 0);  // the movie as a whole
}

}  // namespace
