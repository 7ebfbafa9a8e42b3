#pragma once
// Uncompressed sound data: 8-bit unsigned or 16-bit signed samples, interleaved when
// stereo. Both uncompressed codes are read little endian, the byte order every movie
// writer for this format has used.
#include <cstddef>
#include <cstdint>

#include "movie/format/sound_records.h"
#include "movie/sound/audio.h"

namespace movie::sound {

// Appends the samples of data to out (out.rate and out.channels are set from format).
// A trailing partial sample frame is ignored; at most maxFrames frames are appended.
void decodePcm(const format::SoundFormat& format, const uint8_t* data, size_t size, Audio& out,
               size_t maxFrames = kMaxDecodedFrames);

}  // namespace movie::sound
