#pragma once
// The engine does not decode MP3 itself: the host supplies a decoder behind this
// interface (the platform's codec on Windows, a system library natively).
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>

#include "movie/sound/audio.h"

namespace movie::sound {

class Mp3Decoder {
 public:
  virtual ~Mp3Decoder() = default;
  // Decodes the MP3 frames in data and appends their samples to out. Data may end in the
  // middle of a frame; the rest comes with the next call. The first call that yields
  // samples sets out.rate and out.channels from the stream; later samples are converted
  // to that channel count. Returns false when the data cannot be decoded at all.
  virtual bool decode(const uint8_t* data, size_t size, Audio& out) = 0;
};

using Mp3DecoderFactory = std::function<std::unique_ptr<Mp3Decoder>()>;

}  // namespace movie::sound
