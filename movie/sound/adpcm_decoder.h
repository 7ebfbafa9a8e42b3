#pragma once
// The movie format's ADPCM: a 2-bit code size (2..5 bits per sample), then packets of
// up to 4096 sample frames. Each packet starts every channel afresh with a 16-bit
// sample and a 6-bit step index; 4095 codes per channel follow, interleaved when stereo.
#include <cstddef>
#include <cstdint>

#include "movie/format/sound_records.h"
#include "movie/sound/audio.h"

namespace movie::sound {

// Appends the decoded samples to out (rate and channels from format). A packet cut
// short ends the data cleanly after its last whole sample frame. Returns false when not
// even the code size is there.
bool decodeAdpcm(const format::SoundFormat& format, const uint8_t* data, size_t size, Audio& out,
                 size_t maxFrames = kMaxDecodedFrames);

}  // namespace movie::sound
