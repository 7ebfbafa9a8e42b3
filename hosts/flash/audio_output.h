#pragma once
// Where the movie's mixed sound goes: 44 100 Hz, 16-bit stereo, pulled on a thread of
// the output's own so that drawing never holds the sound up.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>

namespace hosts::flash {

class AudioOutput {
 public:
  static constexpr int kRate = 44100;
  // Fills `frames` stereo frames; called on the output's thread.
  using Source = std::function<void(int16_t* out, size_t frames)>;
  // Frames heard so far (counted over everything Source gave); on the output's thread.
  using Heard = std::function<void(uint64_t frames)>;

  virtual ~AudioOutput() = default;
  // False when there is no device: the caller then plays without sound.
  virtual bool start(Source source, Heard heard) = 0;
  // Drops what is queued but not yet heard (a new movie must not finish the old sound).
  virtual void flush() = 0;
};

using AudioOutputFactory = std::function<std::unique_ptr<AudioOutput>()>;

}  // namespace hosts::flash
