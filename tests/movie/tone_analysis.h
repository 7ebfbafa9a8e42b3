#pragma once
// Measures generated tones in decoded or mixed sound: frequency by zero crossings,
// level by peak and root mean square.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>
#include <algorithm>

namespace movie_test {

// One channel of interleaved samples.
inline std::vector<int16_t> channel(const std::vector<int16_t>& samples, int channels, int which) {
  std::vector<int16_t> out;
  for (size_t i = size_t(which); i < samples.size(); i += size_t(channels)) out.push_back(samples[i]);
  return out;
}

// Frequency from the upward zero crossings between the first and the last one. A crossing
// counts only after the wave went well below zero, so near-silent noise (an encoder's
// lead-in and padding) adds none.
inline double toneFrequency(const std::vector<int16_t>& s, int rate) {
  int peak = 0;
  for (int16_t v : s) peak = std::max(peak, std::abs(int(v)));
  const int low = -peak / 4;
  double first = -1, last = -1;
  int crossings = 0;
  bool armed = false;
  for (size_t i = 1; i < s.size(); ++i) {
    if (s[i] < low) armed = true;
    if (armed && s[i - 1] < 0 && s[i] >= 0) {
      armed = false;
      const double at = double(i - 1) + double(-s[i - 1]) / double(s[i] - s[i - 1]);
      if (first < 0) first = at; else ++crossings;
      last = at;
    }
  }
  return crossings > 0 ? crossings * rate / (last - first) : 0;
}

inline double rmsLevel(const std::vector<int16_t>& s, size_t from = 0, size_t to = SIZE_MAX) {
  to = std::min(to, s.size());
  if (to <= from) return 0;
  double sum = 0;
  for (size_t i = from; i < to; ++i) sum += double(s[i]) * s[i];
  return std::sqrt(sum / double(to - from)) / 32768.0;
}

inline double peakLevel(const std::vector<int16_t>& s) {
  int peak = 0;
  for (int16_t v : s) peak = std::max(peak, std::abs(int(v)));
  return peak / 32768.0;
}

// A sine of the given level (fraction of full scale), as 16-bit samples.
inline std::vector<int16_t> sine(int rate, double frequency, double level, size_t frames) {
  std::vector<int16_t> out(frames);
  for (size_t i = 0; i < frames; ++i)
    out[i] = int16_t(std::lround(level * 32767 * std::sin(2 * 3.14159265358979323846 * frequency * double(i) / rate)));
  return out;
}

}  // namespace movie_test
