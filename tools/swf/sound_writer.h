#pragma once
// Sound tags for the SWF writer: DefineSound, StartSound with its sound-info record,
// SoundStreamHead2 and SoundStreamBlock, and MP3 files cut into per-frame stream blocks.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "tools/swf/swf_writer.h"

namespace swf {

enum SoundTag : uint16_t {
  kTagDefineSound = 14,
  kTagStartSound = 15,
  kTagDefineButtonSound = 17,
  kTagSoundStreamHead = 18,
  kTagSoundStreamBlock = 19,
  kTagSoundStreamHead2 = 45,
  kTagStartSound2 = 89,
};

enum SoundCodec : uint8_t { kPcmPlatform = 0, kAdpcm = 1, kMp3 = 2, kPcmLittle = 3 };

// The format byte: codec (4 bits), rate 5512/11025/22050/44100 (2), 16-bit (1), stereo (1).
uint8_t soundFormat(SoundCodec codec, int rate, bool sixteenBit, bool stereo);

struct SoundEnvelopePoint {
  uint32_t pos44 = 0;
  uint16_t left = 32768, right = 32768;
};

struct SoundInfo {
  bool stop = false, noMultiple = false;
  std::optional<uint32_t> inPoint, outPoint;
  std::optional<uint16_t> loops;
  std::vector<SoundEnvelopePoint> envelope;
};
Bytes encodeSoundInfo(const SoundInfo& info);

void defineSound(TagList& tags, uint16_t id, uint8_t format, uint32_t sampleCount, const Bytes& data);
void startSound(TagList& tags, uint16_t id, const SoundInfo& info = {});
// A button's sounds, one per transition: over-up to idle, idle to over-up, over-up to
// over-down, over-down to over-up (sound id 0: none).
struct ButtonSound {
  uint16_t soundId = 0;
  SoundInfo info;
};
void defineButtonSound(TagList& tags, uint16_t buttonId, const ButtonSound (&sounds)[4]);
void soundStreamHead2(TagList& tags, uint8_t format, uint16_t samplesPerFrame, int16_t latencySeek = 0);
void soundStreamBlock(TagList& tags, const Bytes& block);

// 16-bit little-endian bytes of interleaved samples.
Bytes pcm16(const std::vector<int16_t>& samples);

// The MP3 frames of a file (leading ID3v2 tag skipped), with their sample counts.
struct Mp3Frame {
  size_t offset = 0, size = 0;
  int samples = 0, rate = 0, channels = 0;
};
std::vector<Mp3Frame> mp3Frames(const Bytes& file);

// An MP3 file laid onto movie frames at a frame rate: block f holds the MP3 frames whose
// first sample falls in frame f (with the block's sample count and seek prefix).
struct Mp3Stream {
  int rate = 0, channels = 0;
  uint16_t samplesPerFrame = 0;
  std::vector<Bytes> blocks;  // one per movie frame, as long as the sound lasts
};
Mp3Stream mp3StreamBlocks(const Bytes& file, double frameRate);

}  // namespace swf
