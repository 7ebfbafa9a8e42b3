#pragma once
// Checks that every MP3 decoder behind the engine's interface must pass, on the same
// streams: tones of known frequency and level, as event sounds and as stream blocks.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "movie/format/sound_records.h"
#include "movie/sound/sound_decoder.h"
#include "tests/movie/tone_analysis.h"
#include "tools/sound-assets/sound_assets.h"
#include "tools/swf/sound_writer.h"

namespace movie_test {

inline movie::format::SoundDef mp3Sound(const std::vector<uint8_t>& file, int rate, bool stereo) {
  movie::format::SoundDef def;
  def.format = movie::format::soundFormatFromByte(swf::soundFormat(swf::kMp3, rate, true, stereo));
  def.data = {0, 0};  // no samples to skip
  def.data.insert(def.data.end(), file.begin(), file.end());
  return def;
}

inline void expectMonoTone(const movie::sound::Mp3DecoderFactory& factory) {
  movie::sound::Audio a;
  std::string why;
  ASSERT_TRUE(movie::sound::decodeSound(mp3Sound(sound_assets::toneMono22k(), 22050, false), factory, a, why)) << why;
  EXPECT_EQ(a.rate, 22050);
  EXPECT_EQ(a.channels, 1);
  EXPECT_NEAR(double(a.frames()), 22050, 2400);  // whole MP3 frames, encoder delay and padding
  EXPECT_NEAR(toneFrequency(a.samples, a.rate), 440, 2);
  EXPECT_NEAR(rmsLevel(a.samples, 4000, 18000), 0.5 / std::sqrt(2.0), 0.03);
}

inline void expectStereoTone(const movie::sound::Mp3DecoderFactory& factory) {
  movie::sound::Audio a;
  std::string why;
  ASSERT_TRUE(movie::sound::decodeSound(mp3Sound(sound_assets::toneStereo44k(), 44100, true), factory, a, why)) << why;
  ASSERT_EQ(a.channels, 2);
  EXPECT_EQ(a.rate, 44100);
  EXPECT_NEAR(toneFrequency(channel(a.samples, 2, 0), 44100), 440, 2);
  EXPECT_NEAR(toneFrequency(channel(a.samples, 2, 1), 44100), 660, 2);
  EXPECT_NEAR(rmsLevel(channel(a.samples, 2, 0), 8000, 36000), 0.25 / std::sqrt(2.0), 0.02);
}

inline void expectStreamBlocksInOrder(const movie::sound::Mp3DecoderFactory& factory) {
  const auto stream = swf::mp3StreamBlocks(sound_assets::toneMono22k(), 12);
  ASSERT_GT(stream.blocks.size(), 10u);
  movie::sound::StreamDecoder decoder(movie::format::soundFormatFromByte(swf::soundFormat(swf::kMp3, 22050, true, false)),
                                      factory);
  movie::sound::Audio a;
  size_t stated = 0;
  for (const auto& b : stream.blocks) {
    EXPECT_TRUE(decoder.decodeBlock(b.data(), b.size(), a));
    stated += movie::sound::blockFrameCount(decoder.format(), b.data(), b.size());
  }
  // A decoder may hold back at most one frame until the next one arrives.
  EXPECT_LE(a.frames(), stated);
  EXPECT_GE(a.frames() + 1152, stated);
  EXPECT_NEAR(toneFrequency(a.samples, 22050), 440, 2);
}

inline void expectGarbageRefused(const movie::sound::Mp3DecoderFactory& factory) {
  movie::format::SoundDef def = mp3Sound(std::vector<uint8_t>(5000, 0xFF), 44100, false);
  movie::sound::Audio a;
  std::string why;
  EXPECT_FALSE(movie::sound::decodeSound(def, factory, a, why));
  // Truncated: only part of the first frames.
  const auto& tone = sound_assets::toneMono22k();
  def = mp3Sound(std::vector<uint8_t>(tone.begin(), tone.begin() + 100), 22050, false);
  a = movie::sound::Audio{};
  movie::sound::decodeSound(def, factory, a, why);
  EXPECT_LT(a.frames(), 1200u);
}

}  // namespace movie_test
