// The mixer: event sounds with in and out points, loops, envelopes, no-multiple and stop;
// sound transforms; streams fed ahead and the frame being heard; resampling keeps pitch.
#include <gtest/gtest.h>

#include <memory>

#include "movie/sound/mixer.h"
#include "tests/movie/tone_analysis.h"

namespace {

using movie::format::SoundInfo;
using movie::sound::Audio;
using movie::sound::Mixer;
using movie::sound::SoundTransform;
using namespace movie_test;

std::shared_ptr<const Audio> toneAudio(int rate, double freq, double level, size_t frames) {
  auto a = std::make_shared<Audio>();
  a->rate = rate;
  a->channels = 1;
  a->samples = sine(rate, freq, level, frames);
  return a;
}

std::shared_ptr<const Audio> constant(int16_t value, size_t frames, int rate = 44100) {
  auto a = std::make_shared<Audio>();
  a->rate = rate;
  a->samples.assign(frames, value);
  return a;
}

std::vector<int16_t> mixFrames(Mixer& m, size_t frames) {
  std::vector<int16_t> out(frames * 2);
  m.mix(out.data(), frames);
  return out;
}

TEST(Mixer, SilenceWithoutSounds) {
  Mixer m;
  auto out = mixFrames(m, 512);
  EXPECT_EQ(peakLevel(out), 0);
  EXPECT_EQ(m.mixedClock(), 512u);
}

TEST(Mixer, ResamplesToTheOutputRateKeepingPitchAndLevel) {
  for (int rate : {5512, 11025, 22050, 44100}) {
    Mixer m;
    m.startSound(1, toneAudio(rate, 500, 0.5, size_t(rate)), SoundInfo{});
    auto out = mixFrames(m, 44100);
    EXPECT_NEAR(toneFrequency(channel(out, 2, 0), 44100), 500, 2) << rate;
    EXPECT_NEAR(rmsLevel(channel(out, 2, 1), 1000, 40000), 0.5 / std::sqrt(2.0), 0.02) << rate;
  }
}

TEST(Mixer, InAndOutPointsCutTheSound) {
  Mixer m;
  SoundInfo info;
  info.inPoint = 1000;
  info.outPoint = 3000;
  const int play = m.startSound(1, constant(1000, 10000), info);
  EXPECT_TRUE(m.playActive(play));
  auto out = mixFrames(m, 4000);
  size_t heard = 0;
  for (size_t i = 0; i < 4000; ++i) heard += out[2 * i] == 1000;
  EXPECT_EQ(heard, 2000u);
  EXPECT_FALSE(m.soundPlaying(1));
  EXPECT_FALSE(m.playActive(play));
  EXPECT_EQ(m.takeFinished(), (std::vector<int>{play}));
}

TEST(Mixer, LoopsPlayTheSoundAgain) {
  Mixer m;
  SoundInfo info;
  info.loops = 3;
  m.startSound(1, constant(500, 100), info);
  auto out = mixFrames(m, 1000);
  size_t heard = 0;
  for (size_t i = 0; i < 1000; ++i) heard += out[2 * i] == 500;
  EXPECT_EQ(heard, 300u);
}

TEST(Mixer, EnvelopeFadesEachChannel) {
  Mixer m;
  SoundInfo info;
  // Left fades in over one second, right fades out.
  info.envelope = {{0, 0, 32768}, {44100, 32768, 0}};
  m.startSound(1, constant(10000, 44100), info);
  auto out = mixFrames(m, 44100);
  EXPECT_NEAR(out[0], 0, 2);
  EXPECT_NEAR(out[1], 10000, 2);
  EXPECT_NEAR(out[2 * 22050], 5000, 3);
  EXPECT_NEAR(out[2 * 22050 + 1], 5000, 3);
  EXPECT_NEAR(out[2 * 44000], 9977, 5);
  EXPECT_NEAR(out[2 * 44000 + 1], 23, 5);
}

TEST(Mixer, EnvelopePositionsCountIn44kSamplesAtAnyRate) {
  Mixer m;
  SoundInfo info;
  info.envelope = {{0, 32768, 32768}, {22050, 0, 0}};  // silent after half a second
  m.startSound(1, constant(8000, 11025, 11025), info);
  auto out = mixFrames(m, 44100);
  EXPECT_NEAR(out[2 * 11025], 4000, 30);  // a quarter second in: half way down
  EXPECT_EQ(out[2 * 30000], 0);
}

TEST(Mixer, NoMultipleDoesNotStartASecondCopy) {
  Mixer m;
  SoundInfo once;
  once.noMultiple = true;
  m.startSound(1, constant(1000, 1000), SoundInfo{});
  m.startSound(1, constant(1000, 1000), once);
  EXPECT_EQ(m.voiceCount(), 1u);
  m.startSound(1, constant(1000, 1000), SoundInfo{});
  EXPECT_EQ(m.voiceCount(), 2u);
  auto out = mixFrames(m, 10);
  EXPECT_EQ(out[0], 2000);  // two copies add up
}

TEST(Mixer, StopInfoAndStopAllSilence) {
  Mixer m;
  m.startSound(1, constant(1000, 100000), SoundInfo{});
  m.startSound(2, constant(1000, 100000), SoundInfo{});
  SoundInfo stop;
  stop.stop = true;
  m.startSound(1, nullptr, stop);
  EXPECT_FALSE(m.soundPlaying(1));
  EXPECT_TRUE(m.soundPlaying(2));
  m.stopAll();
  EXPECT_EQ(peakLevel(mixFrames(m, 100)), 0);
}

TEST(Mixer, SumsClipInsteadOfWrapping) {
  Mixer m;
  m.startSound(1, constant(30000, 100), SoundInfo{});
  m.startSound(2, constant(30000, 100), SoundInfo{});
  EXPECT_EQ(mixFrames(m, 10)[0], 32767);
}

TEST(Mixer, TransformsSetVolumeAndPan) {
  Mixer m;
  m.setTransform(0, SoundTransform::fromPan(100, 50));  // right only, half volume
  m.startSound(1, constant(10000, 1000), SoundInfo{});
  auto out = mixFrames(m, 10);
  EXPECT_EQ(out[0], 0);
  EXPECT_EQ(out[1], 5000);
  // A clip's transform sits inside the movie's.
  m.setTransform(0, SoundTransform{});
  SoundTransform swap;
  swap.leftToLeft = swap.rightToRight = 0;
  swap.leftToRight = swap.rightToLeft = 100;
  m.setTransform(7, swap);
  auto stereo = std::make_shared<Audio>();
  stereo->channels = 2;
  stereo->samples = {100, 200, 100, 200};
  m.stopAll();
  m.startSound(2, stereo, SoundInfo{}, 7);
  out = mixFrames(m, 1);
  EXPECT_EQ(out[0], 200);
  EXPECT_EQ(out[1], 100);
  EXPECT_EQ(SoundTransform::fromPan(-40).pan(), -40);
  EXPECT_EQ(SoundTransform::fromPan(25).pan(), 25);
}

// Stream blocks of uncompressed 44.1 kHz mono, each 100 frames holding its own number.
std::vector<uint8_t> numberedBlock(int n, size_t frames = 100) {
  std::vector<uint8_t> b;
  for (size_t i = 0; i < frames; ++i) {
    b.push_back(uint8_t(n));
    b.push_back(0);
  }
  return b;
}

movie::format::SoundFormat pcm44() {
  movie::format::SoundFormat f;
  f.codec = 3;
  f.rate = 44100;
  return f;
}

TEST(Mixer, StreamPlaysQueuedBlocksInOrderAndTellsWhichIsHeard) {
  Mixer m;
  int s = m.openStream(pcm44());
  for (int n = 1; n <= 4; ++n) m.queueBlock(s, numberedBlock(n), uint64_t(n));
  EXPECT_FALSE(m.streamHeard(s));  // nothing played yet
  auto out = mixFrames(m, 250);
  EXPECT_EQ(out[0], 1);
  EXPECT_EQ(out[2 * 150], 2);
  EXPECT_EQ(out[2 * 249], 3);
  EXPECT_EQ(m.streamHeard(s), 3u);
  // With the speaker 120 frames behind the mix, block 2 is what is heard.
  m.setPlayedClock(130);
  EXPECT_EQ(m.streamHeard(s), 2u);
}

TEST(Mixer, StreamRunsDryWithoutMovingAndEndsWhenTold) {
  Mixer m;
  int s = m.openStream(pcm44());
  m.queueBlock(s, numberedBlock(1), 1);
  auto out = mixFrames(m, 300);
  EXPECT_EQ(out[2 * 299], 0);   // dry: silence
  EXPECT_TRUE(m.streamOpen(s));  // but still waiting for blocks
  m.queueBlock(s, numberedBlock(2), 2);
  out = mixFrames(m, 50);
  EXPECT_EQ(out[0], 2);          // goes on where it stopped
  m.endStream(s);
  mixFrames(m, 100);
  EXPECT_FALSE(m.streamOpen(s));
}

TEST(Mixer, ClosingAStreamSilencesItAtOnce) {
  Mixer m;
  int s = m.openStream(pcm44());
  for (int n = 1; n <= 4; ++n) m.queueBlock(s, numberedBlock(n), uint64_t(n));
  mixFrames(m, 50);
  m.closeStream(s);
  EXPECT_EQ(peakLevel(mixFrames(m, 100)), 0);
}

TEST(Mixer, VoicesAreLimited) {
  Mixer m;
  for (int i = 0; i < 100; ++i) m.startSound(uint16_t(i), constant(1, 1000), SoundInfo{});
  EXPECT_EQ(m.voiceCount(), Mixer::kMaxVoices);
}

}  // namespace
