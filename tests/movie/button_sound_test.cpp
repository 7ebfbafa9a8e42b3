// Button sounds: each change of a button's shown state (idle to over, over to down, down
// to over, over to idle) starts the sound the button has for it, with its sound info, and
// damaged button sound tags end cleanly.
#include <gtest/gtest.h>

#include <functional>

#include "movie/player.h"
#include "movie/sound/mixer.h"
#include "movie_fixtures.h"
#include "tests/movie/tone_analysis.h"
#include "tools/swf/button_writer.h"
#include "tools/swf/sound_writer.h"

namespace {

using movie::Player;

constexpr uint16_t kButton = 10;
// One sound per change, each a constant level that tells which it is.
constexpr uint16_t kOutSound = 20, kOverSound = 21, kPressSound = 22, kReleaseSound = 23;
constexpr int kSoundFrames = 2205;  // 0.1 s at 22 050 Hz: 4410 frames of output

int16_t levelOf(uint16_t sound) { return int16_t(1000 * (sound - kOutSound + 1)); }

void defineLevelSound(swf::TagList& t, uint16_t id) {
  swf::defineSound(t, id, swf::soundFormat(swf::kPcmLittle, 22050, true, false), kSoundFrames,
                   swf::pcm16(std::vector<int16_t>(kSoundFrames, levelOf(id))));
}

// A 40 x 40 button at (50, 50) with the given sounds, on a stopped one-frame movie.
swf::Bytes buttonSoundMovie(const swf::ButtonSound (&sounds)[4]) {
  swf::TagList t;
  for (uint16_t id : {kOutSound, kOverSound, kPressSound, kReleaseSound}) defineLevelSound(t, id);
  t.defineShape(1, movie_test::rectShape(0, 0, 40, 40, 0xFF0000));
  t.defineShape(2, movie_test::rectShape(0, 0, 40, 40, 0x00FF00));
  t.defineShape(3, movie_test::rectShape(0, 0, 40, 40, 0x0000FF));
  swf::defineButton2(t, kButton, swf::threeStates(1, 2, 3), {});
  swf::defineButtonSound(t, kButton, sounds);
  t.placeObject2(movie_test::placeAt(1, kButton, 50, 50));
  swf::Actions stop;
  stop.op(swf::Actions::kStop);
  swf::doAction(t, stop);
  t.showFrame();
  t.end();
  return movie_test::movieOf(t, 200, 200);
}

// A player with sound on, showing the movie at its own size.
struct Stage {
  explicit Stage(const swf::Bytes& movie, bool sound = true) {
    player.setSoundEnabled(sound);
    movie_test::load(player, movie);
    player.setViewport(200, 200);
  }
  // Mixes what the output would take next.
  std::vector<int16_t> hear(size_t frames) {
    std::vector<int16_t> out(frames * 2);
    player.mixAudio(out.data(), frames);
    return out;
  }
  Player player;
};

const swf::ButtonSound kPlainSounds[4] = {{kOutSound, {}}, {kOverSound, {}}, {kPressSound, {}},
                                          {kReleaseSound, {}}};

TEST(ButtonSounds, EachChangeOfStateStartsItsOwnSound) {
  Stage s(buttonSoundMovie(kPlainSounds));
  EXPECT_EQ(movie_test::peakLevel(s.hear(1000)), 0);
  const struct {
    const char* change;
    std::function<void(Player&)> act;
    uint16_t sound;
  } steps[] = {
      {"idle to over", [](Player& p) { p.pointerMove(70, 70); }, kOverSound},
      {"over to down", [](Player& p) { p.pointerDown(70, 70); }, kPressSound},
      {"down to over", [](Player& p) { p.pointerUp(); }, kReleaseSound},
      {"over to idle", [](Player& p) { p.pointerMove(10, 10); }, kOutSound},
  };
  for (const auto& step : steps) {
    SCOPED_TRACE(step.change);
    step.act(s.player);
    EXPECT_EQ(s.player.mixer().voiceCount(), 1u);
    EXPECT_TRUE(s.player.mixer().soundPlaying(step.sound));
    const auto heard = s.hear(5000);  // the whole 0.1 s sound and a little quiet
    EXPECT_NEAR(heard[1000 * 2], levelOf(step.sound), 1);
    EXPECT_EQ(heard[4800 * 2], 0);
  }
}

TEST(ButtonSounds, DraggingOutAndBackPlaysTheOverAndDownSounds) {
  Stage s(buttonSoundMovie(kPlainSounds));
  s.player.pointerMove(70, 70);
  s.player.pointerDown(70, 70);
  s.player.mixer().stopAll();
  s.player.pointerMove(10, 10);  // pressed and dragged out: the button shows over
  EXPECT_TRUE(s.player.mixer().soundPlaying(kReleaseSound));
  s.player.pointerMove(70, 70);  // back over, still pressed
  EXPECT_TRUE(s.player.mixer().soundPlaying(kPressSound));
  s.player.mixer().stopAll();
  s.player.pointerMove(10, 10);
  s.player.pointerUp();  // released outside: back to idle
  EXPECT_TRUE(s.player.mixer().soundPlaying(kOutSound));
}

TEST(ButtonSounds, PlayWithTheirSoundInfo) {
  swf::ButtonSound sounds[4] = {};
  sounds[1].soundId = kOverSound;
  sounds[1].info.loops = 3;                       // heard three times over
  sounds[1].info.envelope = {{0, 16384, 16384}};  // at half level
  sounds[2].soundId = kOverSound;
  sounds[2].info.stop = true;  // pressing stops the over sound
  Stage s(buttonSoundMovie(sounds));
  s.player.pointerMove(70, 70);
  auto heard = s.hear(11000);  // 0.25 s of a 0.3 s sound
  EXPECT_NEAR(heard[1000 * 2], levelOf(kOverSound) / 2, 2);
  EXPECT_NEAR(heard[10000 * 2], levelOf(kOverSound) / 2, 2);
  s.player.pointerDown(70, 70);
  EXPECT_FALSE(s.player.mixer().soundPlaying(kOverSound));
  EXPECT_EQ(movie_test::peakLevel(s.hear(1000)), 0);
}

TEST(ButtonSounds, NoMultipleKeepsOneSoundPlaying) {
  swf::ButtonSound sounds[4] = {};
  sounds[0] = {kOverSound, {}};
  sounds[1].soundId = kOverSound;
  sounds[1].info.noMultiple = true;
  Stage s(buttonSoundMovie(sounds));
  s.player.pointerMove(70, 70);
  s.player.pointerMove(10, 10);  // the out sound is the same sound, started again
  EXPECT_EQ(s.player.mixer().voiceCount(), 2u);
  s.player.pointerMove(70, 70);  // not while it plays
  EXPECT_EQ(s.player.mixer().voiceCount(), 2u);
}

TEST(ButtonSounds, WithoutSoundNothingStarts) {
  Stage s(buttonSoundMovie(kPlainSounds), false);
  s.player.pointerMove(70, 70);
  s.player.pointerDown(70, 70);
  EXPECT_EQ(s.player.mixer().voiceCount(), 0u);
}

TEST(ButtonSounds, DamagedButtonSoundTagsEndCleanly) {
  for (const swf::Bytes& body : {swf::Bytes{kButton, 0, kOverSound},          // id cut short
                                 swf::Bytes{kButton, 0, 0, 0, kOverSound, 0},   // info missing
                                 swf::Bytes{kButton, 0, 0, 0, kOverSound, 0, 0x08, 200, 1},  // envelope cut
                                 swf::Bytes{99, 0, 0, 0, kOverSound, 0, 0}}) {  // no such button
    swf::TagList t;
    defineLevelSound(t, kOverSound);
    t.defineShape(1, movie_test::rectShape(0, 0, 40, 40, 0xFF0000));
    swf::defineButton2(t, kButton, swf::threeStates(1, 1, 1), {});
    t.raw(swf::kTagDefineButtonSound, body);
    t.placeObject2(movie_test::placeAt(1, kButton, 50, 50));
    t.showFrame();
    t.end();
    Stage s(movie_test::movieOf(t, 200, 200));
    s.player.pointerMove(70, 70);
    EXPECT_NE(s.player.state(), movie::LoadState::Failed);
    EXPECT_EQ(s.player.mixer().voiceCount(), 0u);
  }
}

}  // namespace
