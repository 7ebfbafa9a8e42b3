// The Sound object of scripts: exported sounds attached and started, stopped, their
// volume, pan and channel mix, position and duration, onSoundComplete, and the
// StopSounds action; calls with bad arguments change nothing and end cleanly.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "movie/player.h"
#include "movie/sound/mixer.h"
#include "movie_fixtures.h"
#include "tests/movie/tone_analysis.h"
#include "tools/swf/actions.h"
#include "tools/swf/sound_writer.h"

namespace {

using movie::Player;
using swf::Actions;
using swf::PushValue;

constexpr uint16_t kBeep = 5;
constexpr int kBeepFrames = 4410;  // 0.2 s at 22 050 Hz
constexpr int16_t kBeepLevel = 8000;

// variable.method(args...), its result dropped.
Actions& callOn(Actions& a, const std::string& variable, const std::string& method, std::vector<PushValue> args) {
  std::vector<PushValue> pushed(args.rbegin(), args.rend());
  pushed.push_back(int(args.size()));
  pushed.push_back(variable);
  a.push(pushed).op(Actions::kGetVariable).push({method}).op(Actions::kCallMethod).op(Actions::kPop);
  return a;
}

// variable = new Sound(target), target given as a path (none: the whole movie).
Actions& newSound(Actions& a, const std::string& variable, const char* target = nullptr) {
  if (target) a.push({variable, target, 1, "Sound"});
  else a.push({variable, 0, "Sound"});
  return a.op(Actions::kNewObject).op(Actions::kSetVariable);
}

// trace(variable.member)
Actions& traceMember(Actions& a, const std::string& variable, const std::string& member) {
  return a.push({variable}).op(Actions::kGetVariable).push({member}).op(Actions::kGetMember).op(Actions::kTrace);
}

// A version 8 movie exporting a constant 0.2 s sound as "beep"; frame 1 runs `first`, the
// frames after it `later` (one frame each), and `timelineSound` starts the sound on frame 1.
swf::Bytes soundMovie(const Actions& first, const std::vector<Actions>& later = {}, bool timelineSound = false) {
  swf::TagList t;
  swf::defineSound(t, kBeep, swf::soundFormat(swf::kPcmLittle, 22050, true, false), kBeepFrames,
                   swf::pcm16(std::vector<int16_t>(kBeepFrames, kBeepLevel)));
  swf::exportAssets(t, {{kBeep, "beep"}});
  if (timelineSound) swf::startSound(t, kBeep);
  swf::doAction(t, first);
  t.showFrame();
  for (const Actions& a : later) {
    if (!a.body().empty()) swf::doAction(t, a);
    t.showFrame();
  }
  t.end();
  swf::MovieHeader header;
  header.version = 8;
  header.stage = {0, swf::twips(100), 0, swf::twips(100)};
  return swf::writeMovie(header, t);
}

struct ScriptRun {
  explicit ScriptRun(const swf::Bytes& movie, bool sound = true) {
    player.setTraceHandler([this](const std::string& line) { lines.push_back(line); });
    player.setSoundEnabled(sound);
    movie_test::load(player, movie);
    player.play();
  }
  std::vector<int16_t> pull(size_t frames) {
    std::vector<int16_t> out(frames * 2);
    player.mixAudio(out.data(), frames);
    return out;
  }
  Player player;
  std::vector<std::string> lines;
};

TEST(SoundObject, AttachedSoundStartsAndTellsItsDuration) {
  Actions a;
  newSound(a, "s");
  callOn(a, "s", "attachSound", {"beep"});
  callOn(a, "s", "start", {});
  traceMember(a, "s", "duration");
  ScriptRun run(soundMovie(a));
  EXPECT_EQ(run.lines, (std::vector<std::string>{"200"}));
  EXPECT_TRUE(run.player.mixer().soundPlaying(kBeep));
  auto out = run.pull(1000);
  EXPECT_NEAR(out[2 * 500], kBeepLevel, 1);
  EXPECT_NEAR(out[2 * 500 + 1], kBeepLevel, 1);
}

TEST(SoundObject, StartAtAnOffsetAndLoops) {
  Actions a;
  newSound(a, "s");
  callOn(a, "s", "attachSound", {"beep"});
  callOn(a, "s", "start", {0.1, 3});  // the last 0.1 s, three times
  ScriptRun run(soundMovie(a));
  auto out = run.pull(44100);
  size_t heard = 0;
  for (size_t i = 0; i < out.size(); i += 2) heard += out[i] != 0;
  EXPECT_NEAR(double(heard), 3 * 4410.0, 10);
}

TEST(SoundObject, VolumeAndPanShapeTheClipsSoundAndReadBack) {
  Actions a;
  newSound(a, "s");
  callOn(a, "s", "attachSound", {"beep"});
  callOn(a, "s", "setVolume", {50});
  callOn(a, "s", "setPan", {-100});
  callOn(a, "s", "start", {});
  a.push({0, "s"}).op(Actions::kGetVariable).push({"getVolume"}).op(Actions::kCallMethod).op(Actions::kTrace);
  a.push({0, "s"}).op(Actions::kGetVariable).push({"getPan"}).op(Actions::kCallMethod).op(Actions::kTrace);
  ScriptRun run(soundMovie(a));
  EXPECT_EQ(run.lines, (std::vector<std::string>{"50", "-100"}));
  auto out = run.pull(1000);
  EXPECT_NEAR(out[2 * 500], kBeepLevel / 2, 1);  // left at half volume
  EXPECT_EQ(out[2 * 500 + 1], 0);                // right panned away
}

TEST(SoundObject, TransformSwapsTheChannels) {
  Actions a;
  newSound(a, "s");
  callOn(a, "s", "attachSound", {"beep"});
  // s.setTransform({ll: 0, lr: 100, rr: 0, rl: 0}): the left source to the right only.
  a.push({"ll", 0, "lr", 100, "rr", 0, "rl", 0, 4}).op(Actions::kInitObject);
  a.push({1, "s"}).op(Actions::kGetVariable).push({"setTransform"}).op(Actions::kCallMethod).op(Actions::kPop);
  callOn(a, "s", "start", {});
  a.push({0, "s"}).op(Actions::kGetVariable).push({"getTransform"}).op(Actions::kCallMethod);
  a.push({"lr"}).op(Actions::kGetMember).op(Actions::kTrace);
  ScriptRun run(soundMovie(a));
  EXPECT_EQ(run.lines, (std::vector<std::string>{"100"}));
  auto out = run.pull(1000);
  EXPECT_EQ(out[2 * 500], 0);
  EXPECT_NEAR(out[2 * 500 + 1], kBeepLevel, 1);
}

TEST(SoundObject, AClipsTransformReachesItsTimelineSoundsOnly) {
  // The root's Sound at volume 0 silences the sound its frame started; a Sound of the
  // whole movie started afterwards is still heard.
  Actions a;
  newSound(a, "root", "_root");
  callOn(a, "root", "setVolume", {0});
  newSound(a, "all");
  callOn(a, "all", "attachSound", {"beep"});
  callOn(a, "all", "setVolume", {100});
  Actions later;
  callOn(later, "all", "start", {});
  ScriptRun run(soundMovie(a, {later}, true));
  EXPECT_EQ(movie_test::peakLevel(run.pull(500)), 0);
  run.player.tick();
  auto out = run.pull(500);
  EXPECT_NEAR(out[2 * 250], kBeepLevel, 1);
}

TEST(SoundObject, StopSoundsActionSilencesEverything) {
  Actions a;
  newSound(a, "s");
  callOn(a, "s", "attachSound", {"beep"});
  callOn(a, "s", "start", {});
  Actions stopAll;
  stopAll.op(0x09);  // StopSounds
  ScriptRun run(soundMovie(a, {stopAll}, true));
  EXPECT_EQ(run.player.mixer().voiceCount(), 2u);  // the frame's and the script's
  run.player.tick();
  EXPECT_EQ(run.player.mixer().voiceCount(), 0u);
}

TEST(SoundObject, StopActsOnItsClipOrOnANamedSound) {
  Actions a;
  newSound(a, "s");
  callOn(a, "s", "attachSound", {"beep"});
  callOn(a, "s", "start", {});
  newSound(a, "root", "_root");
  Actions stopRoot;
  callOn(stopRoot, "root", "stop", {});  // the root's own sound (its frame started it)
  Actions stopBeep;
  callOn(stopBeep, "s", "stop", {"beep"});
  ScriptRun run(soundMovie(a, {stopRoot, stopBeep}, true));
  EXPECT_EQ(run.player.mixer().voiceCount(), 2u);
  run.player.tick();
  EXPECT_EQ(run.player.mixer().voiceCount(), 1u);
  run.player.tick();
  EXPECT_EQ(run.player.mixer().voiceCount(), 0u);
}

TEST(SoundObject, PositionAdvancesAndOnSoundCompleteIsCalledOnce) {
  Actions a;
  newSound(a, "s");
  callOn(a, "s", "attachSound", {"beep"});
  Actions done;
  done.trace("complete");
  a.push({"s"}).op(Actions::kGetVariable).push({"onSoundComplete"});
  a.function("", {}, done);
  a.op(Actions::kSetMember);
  callOn(a, "s", "start", {});
  Actions later;
  traceMember(later, "s", "position");
  ScriptRun run(soundMovie(a, {later, Actions(), Actions()}));
  run.pull(4410);  // 0.1 s
  run.player.tick();
  ASSERT_EQ(run.lines.size(), 1u);
  EXPECT_NEAR(std::stod(run.lines[0]), 100, 1);
  run.pull(44100);  // past its end
  run.player.tick();
  run.player.tick();
  EXPECT_EQ(run.lines, (std::vector<std::string>{run.lines[0], "complete"}));
}

TEST(SoundObject, BadCallsChangeNothing) {
  Actions a;
  newSound(a, "s");
  callOn(a, "s", "start", {});                        // nothing attached
  callOn(a, "s", "attachSound", {"no such sound"});
  callOn(a, "s", "start", {-5, "many"});
  traceMember(a, "s", "duration");
  newSound(a, "t", "_root");
  callOn(a, "t", "attachSound", {"beep"});
  callOn(a, "t", "setVolume", {1e300});
  callOn(a, "t", "start", {1e300, 1e300});         // an offset past the end: silent
  newSound(a, "gone", "/nowhere");
  callOn(a, "gone", "setVolume", {0});             // no such clip: the movie keeps its volume
  ScriptRun run(soundMovie(a));
  EXPECT_EQ(run.lines, (std::vector<std::string>{"undefined"}));
  EXPECT_EQ(movie_test::peakLevel(run.pull(2000)), 0);
  EXPECT_EQ(run.player.mixer().transform(0).volume, 100);
}

TEST(SoundObject, WithoutSoundNothingStarts) {
  Actions a;
  newSound(a, "s");
  callOn(a, "s", "attachSound", {"beep"});
  callOn(a, "s", "start", {});
  ScriptRun run(soundMovie(a), false);
  EXPECT_EQ(run.player.mixer().voiceCount(), 0u);
}

}  // namespace
