#include "movie/sound/resampler.h"

#include <algorithm>

namespace movie::sound {
namespace {

void frameAt(const Audio& a, size_t i, int& l, int& r) {
  if (a.channels == 2) {
    l = a.samples[2 * i];
    r = a.samples[2 * i + 1];
  } else {
    l = r = a.samples[i];
  }
}

}  // namespace

void Resampler::setRate(int sourceRate) {
  sourceRate = std::clamp(sourceRate, 1000, 192000);
  step_ = (uint64_t(sourceRate) << 32) / uint64_t(kOutputRate);
}

void Resampler::read(const Audio& audio, size_t end, int& left, int& right) {
  const size_t i = frame();
  if (end == 0) {
    left = right = 0;
    return;
  }
  const size_t a = std::min(i, end - 1), b = std::min(i + 1, end - 1);
  int l0, r0, l1, r1;
  frameAt(audio, a, l0, r0);
  frameAt(audio, b, l1, r1);
  const int64_t frac = int64_t((position_ >> 16) & 0xFFFF);  // 16 bits are plenty here
  left = l0 + int((int64_t(l1 - l0) * frac) >> 16);
  right = r0 + int((int64_t(r1 - r0) * frac) >> 16);
  position_ += step_;
}

}  // namespace movie::sound
