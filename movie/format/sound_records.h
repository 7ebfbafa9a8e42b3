#pragma once
// The sound records of the movie file: DefineSound, the sound-info record of
// StartSound / StartSound2, SoundStreamHead(2) and the sample-count prefix of MP3
// stream blocks. Parsing only: decoding and mixing live in movie/sound/.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace movie::format {

enum class SoundCodec : uint8_t {
  PcmPlatform = 0,  // uncompressed, the byte order of the machine that wrote it
  Adpcm = 1,
  Mp3 = 2,
  PcmLittle = 3,    // uncompressed, little endian
};

struct SoundFormat {
  uint8_t codec = 0;    // a SoundCodec value, or another code the engine cannot play
  int rate = 5512;      // 5512, 11025, 22050 or 44100 samples per second
  bool sixteenBit = true;
  bool stereo = false;
  int channels() const { return stereo ? 2 : 1; }
  bool playable() const { return codec <= uint8_t(SoundCodec::PcmLittle); }
};

// Reads the 4+2+1+1 bit format fields (codec, rate, size, type) from one byte.
SoundFormat soundFormatFromByte(uint8_t bits);

struct SoundDef {
  uint16_t id = 0;
  SoundFormat format;
  uint32_t sampleCount = 0;   // as stated; per channel
  std::vector<uint8_t> data;  // the codec's data (MP3: the seek-samples prefix included)
};

struct EnvelopePoint {
  uint32_t pos44 = 0;  // in 44 100 Hz samples from the start of the sound
  uint16_t left = 32768, right = 32768;  // 0 .. 32768
};

struct SoundInfo {
  bool stop = false;        // stop the sound instead of starting it
  bool noMultiple = false;  // do not start it when it plays already
  std::optional<uint32_t> inPoint, outPoint;  // in 44 100 Hz samples
  uint16_t loops = 1;       // times played in all (0 counts as once)
  std::vector<EnvelopePoint> envelope;
};

// A StartSound (id given) or StartSound2 (class name given) as the timeline keeps it.
struct SoundStart {
  uint16_t soundId = 0;
  std::string className;
  SoundInfo info;
};

struct StreamHead {
  SoundFormat playback;  // the suggested output format (informative)
  SoundFormat stream;    // the format of the blocks
  uint16_t samplesPerFrame = 0;
  int16_t latencySeek = 0;  // MP3 only
};

bool parseDefineSound(const uint8_t* body, size_t size, SoundDef& out, std::string& why);
// StartSound (code 15) or StartSound2 (code 89).
bool parseStartSound(uint16_t code, const uint8_t* body, size_t size, SoundStart& out,
                     std::string& why);
bool parseSoundInfo(const uint8_t* body, size_t size, SoundInfo& out);
bool parseStreamHead(const uint8_t* body, size_t size, StreamHead& out, std::string& why);

// The prefix of an MP3 stream block: samples in the block and samples to skip.
struct Mp3BlockPrefix {
  uint16_t sampleCount = 0;
  int16_t seekSamples = 0;
};
constexpr size_t kMp3BlockPrefixBytes = 4;
std::optional<Mp3BlockPrefix> readMp3BlockPrefix(const uint8_t* block, size_t size);

}  // namespace movie::format
