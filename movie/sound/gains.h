#pragma once
// A sound transform made ready for per-sample use: each term in 1/10000.
#include <algorithm>
#include <cstdint>

#include "movie/sound/sound_transform.h"

namespace movie::sound {

struct Gains {
  int64_t ll = 10000, lr = 0, rl = 0, rr = 10000;
  static Gains of(const SoundTransform& t) {
    return Gains{int64_t(t.leftToLeft) * t.volume, int64_t(t.leftToRight) * t.volume,
                 int64_t(t.rightToLeft) * t.volume, int64_t(t.rightToRight) * t.volume};
  }
  // Loud transforms are cut at 1024 times full scale, so that every voice summed still
  // fits the accumulator.
  void apply(int left, int right, int32_t* out) const {
    out[0] += int32_t(std::clamp<int64_t>((left * ll + right * rl) / 10000, -kLoudest, kLoudest));
    out[1] += int32_t(std::clamp<int64_t>((left * lr + right * rr) / 10000, -kLoudest, kLoudest));
  }
  static constexpr int64_t kLoudest = int64_t(32768) * 1024;
};

}  // namespace movie::sound
