// Decoding the three codecs: uncompressed tones (both sample sizes), ADPCM against
// blocks worked out by hand, MP3 tones through the decoder interface; bad data ends
// cleanly.
#include <gtest/gtest.h>

#include "movie/format/sound_records.h"
#include "movie/sound/adpcm_decoder.h"
#include "movie/sound/mpg123_decoder.h"
#include "movie/sound/pcm_decoder.h"
#include "movie/sound/sound_decoder.h"
#include "tests/movie/mp3_decoder_checks.h"
#include "tests/movie/tone_analysis.h"
#include "tools/sound-assets/sound_assets.h"
#include "tools/swf/sound_writer.h"

namespace {

using movie::format::SoundDef;
using movie::format::SoundFormat;
using movie::format::soundFormatFromByte;
using movie::sound::Audio;
using namespace movie_test;

SoundFormat format(swf::SoundCodec codec, int rate, bool sixteen, bool stereo) {
  return soundFormatFromByte(swf::soundFormat(codec, rate, sixteen, stereo));
}

TEST(SoundFormat, ReadsCodecRateSizeAndChannels) {
  SoundFormat f = format(swf::kMp3, 22050, true, true);
  EXPECT_EQ(f.codec, 2);
  EXPECT_EQ(f.rate, 22050);
  EXPECT_TRUE(f.sixteenBit);
  EXPECT_EQ(f.channels(), 2);
  EXPECT_EQ(format(swf::kAdpcm, 5512, false, false).rate, 5512);
  EXPECT_FALSE(soundFormatFromByte(0x60).playable());  // a codec the engine does not play
}

TEST(PcmDecoder, SixteenBitToneKeepsFrequencyAndLevel) {
  const auto tone = sine(11025, 441, 0.5, 11025);
  const swf::Bytes bytes = swf::pcm16(tone);
  Audio a;
  movie::sound::decodePcm(format(swf::kPcmLittle, 11025, true, false), bytes.data(), bytes.size(), a);
  ASSERT_EQ(a.frames(), 11025u);
  EXPECT_EQ(a.rate, 11025);
  EXPECT_NEAR(toneFrequency(a.samples, a.rate), 441, 1);
  EXPECT_NEAR(peakLevel(a.samples), 0.5, 0.01);
  EXPECT_NEAR(rmsLevel(a.samples), 0.5 / std::sqrt(2.0), 0.01);
}

TEST(PcmDecoder, EightBitSamplesAreUnsignedAroundTheMiddle) {
  const uint8_t bytes[] = {128, 255, 0, 192, 64};
  Audio a;
  movie::sound::decodePcm(format(swf::kPcmPlatform, 5512, false, false), bytes, sizeof bytes, a);
  EXPECT_EQ(a.samples, (std::vector<int16_t>{0, 127 << 8, -128 << 8, 64 << 8, -64 << 8}));
}

TEST(PcmDecoder, StereoInterleavedAndATrailingHalfFrameIgnored) {
  const uint8_t bytes[] = {0x01, 0x00, 0xFF, 0xFF, 0x10, 0x00};  // left 1, right -1, then half a frame
  Audio a;
  movie::sound::decodePcm(format(swf::kPcmLittle, 44100, true, true), bytes, sizeof bytes, a);
  EXPECT_EQ(a.channels, 2);
  EXPECT_EQ(a.samples, (std::vector<int16_t>{1, -1}));
}

// Blocks worked out by hand from the step and index tables.
TEST(AdpcmDecoder, TwoBitCodes) {
  // code size 0 (2 bits) | sample 1000 | index 0 | codes 01 01 11 00
  const uint8_t block[] = {0x00, 0xFA, 0x00, 0x5C};
  Audio a;
  ASSERT_TRUE(movie::sound::decodeAdpcm(format(swf::kAdpcm, 22050, true, false), block, sizeof block, a));
  EXPECT_EQ(a.samples, (std::vector<int16_t>{1000, 1010, 1023, 1007, 1013}));
}

TEST(AdpcmDecoder, ThreeBitCodes) {
  // code size 1 (3 bits) | sample 100 | index 10 (step 19) | code 011: 19/4 + 19 + 9 = 32 up
  const uint8_t block[] = {0x40, 0x19, 0x0A, 0x60};
  Audio a;
  ASSERT_TRUE(movie::sound::decodeAdpcm(format(swf::kAdpcm, 22050, true, false), block, sizeof block, a));
  ASSERT_GE(a.samples.size(), 2u);
  EXPECT_EQ(a.samples[0], 100);
  EXPECT_EQ(a.samples[1], 132);
}

TEST(AdpcmDecoder, FourBitCodesMoveTheStepIndex) {
  // code size 2 (4 bits) | sample 0 | index 0 | codes 0111 (+11, index 8) 1111 (-30)
  const uint8_t block[] = {0x80, 0x00, 0x00, 0x7F};
  Audio a;
  ASSERT_TRUE(movie::sound::decodeAdpcm(format(swf::kAdpcm, 22050, true, false), block, sizeof block, a));
  EXPECT_EQ(a.samples, (std::vector<int16_t>{0, 11, -19}));
}

TEST(AdpcmDecoder, FiveBitCodes) {
  // code size 3 (5 bits) | sample 0 | index 0 | code 11000: down by 7
  const uint8_t block[] = {0xC0, 0x00, 0x00, 0xC0};
  Audio a;
  ASSERT_TRUE(movie::sound::decodeAdpcm(format(swf::kAdpcm, 22050, true, false), block, sizeof block, a));
  EXPECT_EQ(a.samples, (std::vector<int16_t>{0, -7}));
}

TEST(AdpcmDecoder, StereoPacketsStartBothChannels) {
  // 2 bits | left 1000 index 0 | right -1000 index 0 | left 01, right 00
  // bits: 00 0000001111101000 000000 1111110000011000 000000 01 00
  const uint8_t block[] = {0x00, 0xFA, 0x00, 0xFC, 0x18, 0x01, 0x00};
  Audio a;
  ASSERT_TRUE(movie::sound::decodeAdpcm(format(swf::kAdpcm, 22050, true, true), block, sizeof block, a));
  ASSERT_GE(a.samples.size(), 4u);
  EXPECT_EQ(a.samples[0], 1000);
  EXPECT_EQ(a.samples[1], -1000);
  EXPECT_EQ(a.samples[2], 1010);
  EXPECT_EQ(a.samples[3], -997);  // code 00: up by step/2 = 3
}

TEST(AdpcmDecoder, TruncatedPacketsEndCleanly) {
  const uint8_t block[] = {0x80, 0x00};  // a packet header cut short
  Audio a;
  EXPECT_TRUE(movie::sound::decodeAdpcm(format(swf::kAdpcm, 22050, true, false), block, sizeof block, a));
  EXPECT_TRUE(a.samples.empty());
  EXPECT_FALSE(movie::sound::decodeAdpcm(format(swf::kAdpcm, 22050, true, false), block, 0, a));
}

TEST(AdpcmDecoder, FrameCountFromBytesMatchesTheDecoder) {
  std::vector<uint8_t> data(9000, 0x5A);
  data[0] = 0x80;
  Audio a;
  movie::sound::decodeAdpcm(format(swf::kAdpcm, 22050, true, true), data.data(), data.size(), a);
  EXPECT_EQ(movie::sound::blockFrameCount(format(swf::kAdpcm, 22050, true, true), data.data(), data.size()),
            a.frames());
}

// The same MP3 streams go through every decoder behind the interface (the Windows
// build runs these checks with the platform's codec).
TEST(Mp3Decoder, MonoToneAsAnEventSound) { expectMonoTone(movie::sound::mpg123DecoderFactory()); }
TEST(Mp3Decoder, StereoToneKeepsItsChannelsApart) { expectStereoTone(movie::sound::mpg123DecoderFactory()); }
TEST(Mp3Decoder, StreamBlocksDecodeInOrder) { expectStreamBlocksInOrder(movie::sound::mpg123DecoderFactory()); }
TEST(Mp3Decoder, GarbageGivesNoSamplesAndNoCrash) { expectGarbageRefused(movie::sound::mpg123DecoderFactory()); }

TEST(SoundDecoder, WithoutAnMp3DecoderAnMp3SoundIsRefused) {
  SoundDef def;
  def.format = format(swf::kMp3, 44100, true, false);
  def.data = sound_assets::toneMono22k();
  Audio a;
  std::string why;
  EXPECT_FALSE(movie::sound::decodeSound(def, nullptr, a, why));
  EXPECT_FALSE(why.empty());
}

TEST(SoundDecoder, AbsurdSampleCountsDoNotDecideTheSize) {
  SoundDef def;
  def.format = format(swf::kPcmLittle, 44100, true, false);
  def.sampleCount = 0xFFFFFFFF;
  def.data = {1, 0, 2, 0};
  Audio a;
  std::string why;
  ASSERT_TRUE(movie::sound::decodeSound(def, nullptr, a, why));
  EXPECT_EQ(a.frames(), 2u);
}

TEST(SoundRecords, TruncatedRecordsAreRefused) {
  SoundDef def;
  std::string why;
  const uint8_t shortDefine[] = {1, 0, 0x3E, 0, 0};
  EXPECT_FALSE(movie::format::parseDefineSound(shortDefine, sizeof shortDefine, def, why));
  movie::format::SoundStart start;
  const uint8_t shortStart[] = {1, 0, 0x0F, 1};  // says in and out points, loops, envelope
  EXPECT_FALSE(movie::format::parseStartSound(15, shortStart, sizeof shortStart, start, why));
  movie::format::StreamHead head;
  const uint8_t shortHead[] = {0x0A, 0x2A};
  EXPECT_FALSE(movie::format::parseStreamHead(shortHead, sizeof shortHead, head, why));
}

TEST(SoundRecords, SoundInfoRoundTrips) {
  swf::SoundInfo info;
  info.noMultiple = true;
  info.inPoint = 100;
  info.outPoint = 5000;
  info.loops = 3;
  info.envelope = {{0, 0, 32768}, {44100, 32768, 0}};
  const swf::Bytes bytes = swf::encodeSoundInfo(info);
  movie::format::SoundInfo read;
  ASSERT_TRUE(movie::format::parseSoundInfo(bytes.data(), bytes.size(), read));
  EXPECT_TRUE(read.noMultiple);
  EXPECT_FALSE(read.stop);
  EXPECT_EQ(read.inPoint, 100u);
  EXPECT_EQ(read.outPoint, 5000u);
  EXPECT_EQ(read.loops, 3);
  ASSERT_EQ(read.envelope.size(), 2u);
  EXPECT_EQ(read.envelope[1].pos44, 44100u);
  EXPECT_EQ(read.envelope[1].right, 0);
}

}  // namespace
