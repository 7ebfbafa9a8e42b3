#pragma once
// The four-byte header of an MPEG audio layer III frame: what a decoder must know
// before the first frame (rate, channels) and where the next frame begins.
#include <cstddef>
#include <cstdint>
#include <optional>

namespace movie::sound {

struct Mp3FrameHeader {
  int rate = 0;
  int channels = 0;
  int samples = 0;   // per channel: 1152 (MPEG-1) or 576 (MPEG-2 and 2.5)
  int bitrate = 0;   // kilobits per second
  size_t size = 0;   // bytes, header included
};

std::optional<Mp3FrameHeader> readMp3FrameHeader(const uint8_t* data, size_t size);

}  // namespace movie::sound
