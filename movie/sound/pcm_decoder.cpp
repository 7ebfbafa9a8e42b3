#include "movie/sound/pcm_decoder.h"

#include <algorithm>

namespace movie::sound {

void decodePcm(const format::SoundFormat& format, const uint8_t* data, size_t size, Audio& out,
               size_t maxFrames) {
  out.rate = format.rate;
  out.channels = format.channels();
  const size_t bytesPerSample = format.sixteenBit ? 2 : 1;
  const size_t frameBytes = bytesPerSample * size_t(out.channels);
  const size_t room = maxFrames > out.frames() ? maxFrames - out.frames() : 0;
  const size_t frames = std::min(size / frameBytes, room);
  const size_t count = frames * size_t(out.channels);
  out.samples.reserve(out.samples.size() + count);
  for (size_t i = 0; i < count; ++i) {
    if (format.sixteenBit)
      out.samples.push_back(int16_t(uint16_t(data[2 * i] | (data[2 * i + 1] << 8))));
    else
      out.samples.push_back(int16_t((int(data[i]) - 128) << 8));
  }
}

}  // namespace movie::sound
