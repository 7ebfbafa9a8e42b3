// Sound through the player as a host drives it: frames start event sounds, a stream
// paces the timeline and stays within one frame of the pictures over a minute of movie
// time (with an output that lags and drawing that stalls), a new movie or a loop back
// silences the old sound, and bad sound data ends cleanly.
#include <gtest/gtest.h>

#include <cmath>
#include <deque>

#include "movie/player.h"
#include "movie/sound/mixer.h"
#include "movie/sound/mpg123_decoder.h"
#include "movie_fixtures.h"
#include "tests/movie/tone_analysis.h"
#include "tools/sound-assets/sound_assets.h"
#include "tools/swf/sound_writer.h"

namespace {

using movie::Player;
using namespace movie_test;

constexpr int kOut = 44100;

// A recording output: mixes buffers as a device thread would and keeps everything.
struct Recorder {
  explicit Recorder(Player& p) : player(p) {}
  std::vector<int16_t> pull(size_t frames) {
    std::vector<int16_t> out(frames * 2);
    player.mixAudio(out.data(), frames);
    recorded.insert(recorded.end(), out.begin(), out.end());
    return out;
  }
  Player& player;
  std::vector<int16_t> recorded;
};

// Sound on, MP3 through the native decoder, as a host with an output sets it.
void enableSound(Player& p) {
  p.setMp3Decoder(movie::sound::mpg123DecoderFactory());
  p.setSoundEnabled(true);
}

swf::TagList withShape() {
  swf::TagList t;
  t.defineShape(1, rectShape(0, 0, 100, 100, kRed), 3);
  return t;
}

void show(swf::TagList& t, int frames) {
  for (int i = 0; i < frames; ++i) t.showFrame();
}

// A 0.2 s constant "tone" as 16-bit 22 kHz uncompressed.
swf::Bytes constantPcm(int16_t value, int frames) { return swf::pcm16(std::vector<int16_t>(size_t(frames), value)); }

TEST(SoundPlayer, FramesStartTheirEventSounds) {
  swf::TagList t = withShape();
  swf::defineSound(t, 5, swf::soundFormat(swf::kPcmLittle, 22050, true, false), 4410, constantPcm(8000, 4410));
  t.placeObject2(placeAt(1, 1));
  t.showFrame();
  swf::startSound(t, 5);
  t.showFrame();
  t.end();
  Player p;
  p.setSoundEnabled(true);
  load(p, movieOf(t));
  Recorder r(p);
  EXPECT_EQ(peakLevel(r.pull(1000)), 0);  // frame 1 is silent
  p.tick();
  auto heard = r.pull(1000);
  EXPECT_NEAR(heard[500 * 2], 8000, 1);
  EXPECT_TRUE(p.mixer().soundPlaying(5));
}

TEST(SoundPlayer, WithoutSoundNothingIsStartedOrDecoded) {
  swf::TagList t = withShape();
  swf::defineSound(t, 5, swf::soundFormat(swf::kPcmLittle, 22050, true, false), 100, constantPcm(8000, 100));
  swf::startSound(t, 5);
  t.showFrame();
  t.end();
  Player p;
  load(p, movieOf(t));
  EXPECT_EQ(p.mixer().voiceCount(), 0u);
}

TEST(SoundPlayer, StopInfoAndStopAllSounds) {
  swf::TagList t = withShape();
  swf::defineSound(t, 5, swf::soundFormat(swf::kPcmLittle, 22050, true, false), 22050, constantPcm(8000, 22050));
  swf::startSound(t, 5);
  t.showFrame();
  swf::SoundInfo stop;
  stop.stop = true;
  swf::startSound(t, 5, stop);
  t.showFrame();
  t.showFrame();
  t.end();
  Player p;
  p.setSoundEnabled(true);
  load(p, movieOf(t));
  EXPECT_TRUE(p.mixer().soundPlaying(5));
  p.tick();
  EXPECT_FALSE(p.mixer().soundPlaying(5));
  p.gotoFrame(0);
  EXPECT_TRUE(p.mixer().soundPlaying(5));  // a jump starts the frame's sounds
  p.stopAllSounds();
  EXPECT_EQ(p.mixer().voiceCount(), 0u);
}

TEST(SoundPlayer, LoopingBackStopsTheLastPassesSounds) {
  swf::TagList t = withShape();
  swf::defineSound(t, 5, swf::soundFormat(swf::kPcmLittle, 22050, true, false), 44100, constantPcm(8000, 44100));
  swf::startSound(t, 5);
  show(t, 3);
  t.end();
  Player p;
  p.setSoundEnabled(true);
  load(p, movieOf(t));
  p.tick();
  p.tick();
  EXPECT_EQ(p.mixer().voiceCount(), 1u);
  p.tick();  // back to the first frame, which starts the sound once more
  EXPECT_EQ(p.mixer().voiceCount(), 1u);
}

// A movie whose stream blocks each hold the number of their frame as a constant sample,
// so what is heard tells which frame's sound it is.
swf::Bytes numberedStreamMovie(int frames, double fps, int rate) {
  swf::TagList t = withShape();
  const int perFrame = int(std::lround(rate / fps));
  swf::soundStreamHead2(t, swf::soundFormat(swf::kPcmLittle, rate, true, false), uint16_t(perFrame));
  t.placeObject2(placeAt(1, 1));
  for (int f = 0; f < frames; ++f) {
    swf::soundStreamBlock(t, constantPcm(int16_t(10 * (f + 1)), perFrame));
    t.showFrame();
  }
  t.end();
  swf::MovieHeader h;
  h.frameRate = fps;
  h.stage = {0, swf::twips(100), 0, swf::twips(100)};
  return swf::writeMovie(h, t);
}

int frameOfSample(int16_t s) { return int(std::lround(s / 10.0)) - 1; }

TEST(SoundPlayer, StreamStaysWithinOneFrameOfThePicturesOverAMinute) {
  const double fps = 12;
  const int frames = 24 * 12;  // a 24 s movie that loops: a minute is two loops and more
  Player p;
  p.setSoundEnabled(true);
  load(p, numberedStreamMovie(frames, fps, 22050));
  Recorder r(p);
  // The device: 1024-frame buffers, three queued ahead of the speaker. The host's timer
  // comes every half frame; drawing stalls now and then for 0.4 s.
  const size_t buffer = 1024;
  const int queued = 3;
  std::deque<size_t> inDevice;
  uint64_t heard = 0;
  double nextTick = 0;
  int worst = 0, checks = 0, skippedTicks = 0;
  for (double now = 0; now < 60.0; now += double(buffer) / kOut) {
    while (inDevice.size() < size_t(queued)) {
      r.pull(buffer);
      inDevice.push_back(buffer);
    }
    heard += inDevice.front();
    inDevice.pop_front();
    p.audioPlayed(heard);
    while (nextTick <= now) {
      const bool stalled = std::fmod(nextTick, 7.0) < 0.4;  // drawing fell behind
      nextTick += 0.5 / fps;
      if (stalled) {
        ++skippedTicks;
        continue;
      }
      p.tick();
      ASSERT_TRUE(p.pacedBySound());
      // What the speaker plays now, against the frame on screen.
      const int16_t sample = r.recorded[size_t(heard - 1) * 2];
      const int heardFrame = frameOfSample(sample);
      int diff = std::abs(heardFrame - p.currentFrame());
      diff = std::min(diff, frames - diff);  // across the loop
      worst = std::max(worst, diff);
      ++checks;
    }
  }
  EXPECT_GT(checks, 1000);
  EXPECT_GT(skippedTicks, 0);
  EXPECT_LE(worst, 1);
  // The sound ran on through the stalls: no frame's sound is missing or repeated.
  int expected = 0, jumps = 0;
  for (size_t i = 0; i + 1 < r.recorded.size(); i += 2 * 64) {
    const int f = frameOfSample(r.recorded[i]);
    if (f != expected) {
      jumps += f != (expected + 1) % frames;
      expected = f;
    }
  }
  EXPECT_EQ(jumps, 0);
}

TEST(SoundPlayer, WithoutAnyOutputTheFrameClockTakesOver) {
  Player p;
  p.setSoundEnabled(true);
  load(p, numberedStreamMovie(300, 12, 22050));
  for (int i = 0; i < 200; ++i) p.tick();  // nothing pulls the mix
  EXPECT_FALSE(p.pacedBySound());
  EXPECT_GT(p.currentFrame(), 100);  // a wait of a few seconds at most, then a frame a tick
}

TEST(SoundPlayer, ANewMovieSilencesTheOldWithinOneBuffer) {
  Player p;
  p.setSoundEnabled(true);
  load(p, numberedStreamMovie(100, 12, 22050));
  Recorder r(p);
  for (int i = 0; i < 10; ++i) {
    r.pull(1024);
    p.tick();
  }
  EXPECT_GT(peakLevel(r.pull(1024)), 0);
  p.reset();  // the host sets another movie
  EXPECT_EQ(peakLevel(r.pull(1024)), 0);
}

TEST(SoundPlayer, SpeakingLessonStreamDecodesThroughTheMp3Decoder) {
  swf::TagList t = withShape();
  const auto stream = swf::mp3StreamBlocks(sound_assets::speech01(), 12);
  swf::soundStreamHead2(t, swf::soundFormat(swf::kMp3, stream.rate, true, false), stream.samplesPerFrame);
  t.placeObject2(placeAt(1, 1));
  for (const auto& b : stream.blocks) {
    swf::soundStreamBlock(t, b);
    t.showFrame();
  }
  show(t, 6);
  t.end();
  Player p;
  enableSound(p);
  load(p, movieOf(t));
  Recorder r(p);
  for (size_t f = 0; f < stream.blocks.size(); ++f) {
    r.pull(size_t(kOut / 12));
    p.tick();
  }
  EXPECT_GT(rmsLevel(r.recorded), 0.02);  // speech, not silence
  EXPECT_GE(p.currentFrame(), int(stream.blocks.size()) - 2);
}

TEST(SoundPlayer, BadSoundDataEndsCleanly) {
  swf::TagList t = withShape();
  // Impossible codec, truncated definitions, absurd counts, garbage MP3 and ADPCM.
  swf::defineSound(t, 5, 0xF0, 0xFFFFFFFF, {1, 2, 3});
  t.raw(swf::kTagDefineSound, {6, 0});
  swf::defineSound(t, 7, swf::soundFormat(swf::kMp3, 44100, true, true), 0xFFFFFFFF, swf::Bytes(300, 0xFF));
  swf::defineSound(t, 8, swf::soundFormat(swf::kAdpcm, 5512, true, true), 100000, {0xC0});
  for (uint16_t id : {5, 6, 7, 8, 9}) swf::startSound(t, id);
  t.raw(swf::kTagStartSound, {7, 0, 0x0F});  // info cut short
  t.raw(swf::kTagSoundStreamHead2, {0x0F});
  swf::soundStreamBlock(t, {1, 2, 3});
  t.showFrame();
  swf::soundStreamHead2(t, swf::soundFormat(swf::kMp3, 5512, true, true), 65535);
  swf::soundStreamBlock(t, {0xFF, 0xFF});
  t.showFrame();
  swf::soundStreamHead2(t, swf::soundFormat(swf::kAdpcm, 44100, true, true), 1);
  swf::soundStreamBlock(t, swf::Bytes(5000, 0xAB));
  t.showFrame();
  t.end();
  Player p;
  enableSound(p);
  load(p, movieOf(t));
  Recorder r(p);
  for (int i = 0; i < 8; ++i) {
    r.pull(4000);
    p.tick();
  }
  EXPECT_NE(p.state(), movie::LoadState::Failed);
}

}  // namespace
