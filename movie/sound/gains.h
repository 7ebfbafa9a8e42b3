#pragma once
// A sound transform made ready for per-sample use: each term in 1/10000.
#include <cstdint>

#include "movie/sound/sound_transform.h"

namespace movie::sound {

struct Gains {
  int64_t ll = 10000, lr = 0, rl = 0, rr = 10000;
  static Gains of(const SoundTransform& t) {
    return Gains{int64_t(t.leftToLeft) * t.volume, int64_t(t.leftToRight) * t.volume,
                 int64_t(t.rightToLeft) * t.volume, int64_t(t.rightToRight) * t.volume};
  }
  void apply(int left, int right, int32_t* out) const {
    out[0] += int32_t((left * ll + right * rl) / 10000);
    out[1] += int32_t((left * lr + right * rr) / 10000);
  }
};

}  // namespace movie::sound
