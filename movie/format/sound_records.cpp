#include "movie/format/sound_records.h"

#include "movie/io/bit_reader.h"

namespace movie::format {
namespace {

constexpr size_t kMaxEnvelopePoints = 255;  // the count is one byte
constexpr int kRates[4] = {5512, 11025, 22050, 44100};

bool readSoundInfo(io::BitReader& r, SoundInfo& out) {
  uint8_t flags = r.u8();
  out.stop = flags & 0x20;
  out.noMultiple = flags & 0x10;
  bool hasEnvelope = flags & 0x08, hasLoops = flags & 0x04;
  bool hasOut = flags & 0x02, hasIn = flags & 0x01;
  if (hasIn) out.inPoint = r.u32();
  if (hasOut) out.outPoint = r.u32();
  if (hasLoops) out.loops = r.u16();
  if (hasEnvelope) {
    size_t count = r.u8();
    for (size_t i = 0; i < count && i < kMaxEnvelopePoints && !r.overrun(); ++i) {
      EnvelopePoint p;
      p.pos44 = r.u32();
      p.left = r.u16();
      p.right = r.u16();
      if (!r.overrun()) out.envelope.push_back(p);
    }
  }
  return !r.overrun();
}

}  // namespace

SoundFormat soundFormatFromByte(uint8_t bits) {
  SoundFormat f;
  f.codec = bits >> 4;
  f.rate = kRates[(bits >> 2) & 3];
  f.sixteenBit = bits & 2;
  f.stereo = bits & 1;
  return f;
}

bool parseDefineSound(const uint8_t* body, size_t size, SoundDef& out, std::string& why) {
  io::BitReader r(body, size);
  out.id = r.u16();
  out.format = soundFormatFromByte(r.u8());
  out.sampleCount = r.u32();
  if (r.overrun()) {
    why = "A sound definition is truncated.";
    return false;
  }
  out.data.assign(r.cursor(), r.cursor() + r.remaining());
  return true;
}

bool parseStartSound(uint16_t code, const uint8_t* body, size_t size, SoundStart& out,
                     std::string& why) {
  io::BitReader r(body, size);
  if (code == 15)
    out.soundId = r.u16();
  else
    out.className = r.string();
  if (!readSoundInfo(r, out.info)) {
    why = "A sound start is truncated.";
    return false;
  }
  return true;
}

bool parseSoundInfo(const uint8_t* body, size_t size, SoundInfo& out) {
  io::BitReader r(body, size);
  return readSoundInfo(r, out);
}

bool parseStreamHead(const uint8_t* body, size_t size, StreamHead& out, std::string& why) {
  io::BitReader r(body, size);
  out.playback = soundFormatFromByte(r.u8());
  out.stream = soundFormatFromByte(r.u8());
  out.samplesPerFrame = r.u16();
  if (r.overrun()) {
    why = "A sound stream head is truncated.";
    return false;
  }
  // The latency field follows only for MP3 and is often left out; it is optional.
  if (out.stream.codec == uint8_t(SoundCodec::Mp3) && r.remaining() >= 2) out.latencySeek = r.s16();
  return true;
}

std::optional<Mp3BlockPrefix> readMp3BlockPrefix(const uint8_t* block, size_t size) {
  if (size < kMp3BlockPrefixBytes) return std::nullopt;
  Mp3BlockPrefix p;
  p.sampleCount = uint16_t(block[0] | (block[1] << 8));
  p.seekSamples = int16_t(uint16_t(block[2] | (block[3] << 8)));
  return p;
}

}  // namespace movie::format
