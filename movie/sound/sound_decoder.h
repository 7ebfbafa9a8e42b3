#pragma once
// Turns the sound data of the movie file into samples: whole event sounds, and the
// blocks of a stream one after the other. Uncompressed and ADPCM are decoded here, MP3
// by the decoder the host supplies.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "movie/format/sound_records.h"
#include "movie/sound/audio.h"
#include "movie/sound/mp3_decoder.h"

namespace movie::sound {

// Decodes a DefineSound's data whole. False (with a reason) when its codec is not one
// the engine plays, MP3 has no decoder, or nothing could be decoded.
bool decodeSound(const format::SoundDef& def, const Mp3DecoderFactory& mp3, Audio& out,
                 std::string& why);

// The blocks of one stream, in order: MP3 blocks share one decoder, since a frame's bits
// may lie in the block before it.
class StreamDecoder {
 public:
  StreamDecoder(const format::SoundFormat& format, const Mp3DecoderFactory& mp3);
  ~StreamDecoder();
  // Appends the block's samples to out; false when it cannot be decoded.
  bool decodeBlock(const uint8_t* data, size_t size, Audio& out);
  const format::SoundFormat& format() const { return format_; }

 private:
  format::SoundFormat format_;
  std::unique_ptr<Mp3Decoder> mp3_;
};

// Sample frames a block holds, as far as its bytes tell without decoding (MP3: the
// block's own count). Used to place frames on the stream's time line.
size_t blockFrameCount(const format::SoundFormat& format, const uint8_t* data, size_t size);

}  // namespace movie::sound
