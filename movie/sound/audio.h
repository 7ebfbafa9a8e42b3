#pragma once
// Decoded sound: interleaved signed 16-bit samples at the sound's own rate.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace movie::sound {

struct Audio {
  int rate = 44100;
  int channels = 1;  // 1 or 2
  std::vector<int16_t> samples;
  size_t frames() const { return channels > 0 ? samples.size() / size_t(channels) : 0; }
};

// Appends interleaved samples with `channels` channels to out, turned into out's channel
// count (mono doubled, or stereo averaged).
inline void appendSamples(Audio& out, const int16_t* s, size_t count, int channels) {
  if (channels == out.channels) {
    out.samples.insert(out.samples.end(), s, s + count);
  } else if (out.channels == 2) {
    for (size_t i = 0; i < count; ++i) out.samples.insert(out.samples.end(), {s[i], s[i]});
  } else {
    for (size_t i = 0; i + 1 < count; i += 2) out.samples.push_back(int16_t((s[i] + s[i + 1]) / 2));
  }
}

// One sound may decode to at most this many sample frames (five minutes at 44.1 kHz), so
// a small definition that claims an absurd length cannot exhaust memory.
constexpr size_t kMaxDecodedFrames = size_t(44100) * 300;

}  // namespace movie::sound
