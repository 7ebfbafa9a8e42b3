#include "movie/sound/sound_decoder.h"

#include <algorithm>

#include "movie/sound/adpcm_decoder.h"
#include "movie/sound/pcm_decoder.h"

namespace movie::sound {
namespace {

using format::SoundCodec;

bool isPcm(uint8_t codec) {
  return codec == uint8_t(SoundCodec::PcmPlatform) || codec == uint8_t(SoundCodec::PcmLittle);
}

}  // namespace

bool decodeSound(const format::SoundDef& def, const Mp3DecoderFactory& mp3, Audio& out,
                 std::string& why) {
  const format::SoundFormat& f = def.format;
  const uint8_t* data = def.data.data();
  const size_t size = def.data.size();
  if (isPcm(f.codec)) {
    decodePcm(f, data, size, out);
  } else if (f.codec == uint8_t(SoundCodec::Adpcm)) {
    decodeAdpcm(f, data, size, out);
  } else if (f.codec == uint8_t(SoundCodec::Mp3)) {
    auto decoder = mp3 ? mp3() : nullptr;
    if (!decoder) {
      why = "No MP3 decoder is available.";
      return false;
    }
    if (size < 2) {
      why = "An MP3 sound is truncated.";
      return false;
    }
    // The first two bytes say how many samples of encoder delay to drop.
    const int seek = int16_t(uint16_t(data[0] | (data[1] << 8)));
    out.rate = f.rate;
    out.channels = f.channels();
    decoder->decode(data + 2, size - 2, out);
    if (out.frames() > kMaxDecodedFrames) out.samples.resize(kMaxDecodedFrames * size_t(out.channels));
    if (seek > 0) {
      const size_t drop = std::min(out.samples.size(), size_t(seek) * size_t(out.channels));
      out.samples.erase(out.samples.begin(), out.samples.begin() + std::ptrdiff_t(drop));
    }
  } else {
    why = "A sound uses a codec the player does not play.";
    return false;
  }
  if (out.samples.empty()) {
    why = "A sound holds no samples.";
    return false;
  }
  return true;
}

StreamDecoder::StreamDecoder(const format::SoundFormat& format, const Mp3DecoderFactory& mp3)
    : format_(format) {
  if (format.codec == uint8_t(SoundCodec::Mp3) && mp3) mp3_ = mp3();
}

StreamDecoder::~StreamDecoder() = default;

bool StreamDecoder::decodeBlock(const uint8_t* data, size_t size, Audio& out) {
  const uint8_t codec = format_.codec;
  if (isPcm(codec)) {
    decodePcm(format_, data, size, out);
    return true;
  }
  if (codec == uint8_t(SoundCodec::Adpcm)) return decodeAdpcm(format_, data, size, out);
  if (codec != uint8_t(SoundCodec::Mp3) || !mp3_ || size < format::kMp3BlockPrefixBytes) return false;
  if (out.samples.empty()) {
    out.rate = format_.rate;
    out.channels = format_.channels();
  }
  return mp3_->decode(data + format::kMp3BlockPrefixBytes, size - format::kMp3BlockPrefixBytes, out);
}

size_t blockFrameCount(const format::SoundFormat& format, const uint8_t* data, size_t size) {
  if (isPcm(format.codec)) return size / (size_t(format.sixteenBit ? 2 : 1) * size_t(format.channels()));
  if (format.codec == uint8_t(SoundCodec::Mp3)) {
    auto prefix = format::readMp3BlockPrefix(data, size);
    return prefix ? prefix->sampleCount : 0;
  }
  if (format.codec == uint8_t(SoundCodec::Adpcm) && size > 0) {
    // Each packet: 22 header bits and (n - 1) codes per channel; count whole frames.
    const size_t bits = size * 8 - 2;
    const size_t codeBits = size_t((data[0] >> 6) + 2);
    const size_t ch = size_t(format.channels());
    const size_t packetBits = ch * (22 + 4095 * codeBits);
    size_t frames = (bits / packetBits) * 4096;
    const size_t rest = bits % packetBits;
    if (rest >= 22 * ch) frames += 1 + (rest - 22 * ch) / (codeBits * ch);
    return frames;
  }
  return 0;
}

}  // namespace movie::sound
