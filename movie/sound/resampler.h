#pragma once
// Reads decoded sound at its own rate as 44.1 kHz stereo frames, interpolating linearly
// between neighbouring frames. The position is kept in 32.32 fixed point source frames.
#include <cstddef>
#include <cstdint>

#include "movie/sound/audio.h"

namespace movie::sound {

constexpr int kOutputRate = 44100;

class Resampler {
 public:
  void setRate(int sourceRate);
  // The frame at the position, from frames [0, end) of audio; then steps on.
  void read(const Audio& audio, size_t end, int& left, int& right);
  size_t frame() const { return size_t(position_ >> 32); }
  void seek(size_t frame) { position_ = uint64_t(frame) << 32; }
  void moveBack(size_t frames) { position_ -= uint64_t(frames) << 32; }

 private:
  uint64_t position_ = 0;
  uint64_t step_ = uint64_t(1) << 32;
};

}  // namespace movie::sound
