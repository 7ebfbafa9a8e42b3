#pragma once
// The level of each channel along a sound, from its envelope points: constant before
// the first and after the last point, linear between them.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "movie/format/sound_records.h"

namespace movie::sound {

class Envelope {
 public:
  explicit Envelope(std::vector<format::EnvelopePoint> points);
  bool empty() const { return points_.empty(); }
  // Levels 0..32768 at a position in 44.1 kHz samples from the sound's start.
  void levels(uint64_t pos44, int& left, int& right) const;

 private:
  std::vector<format::EnvelopePoint> points_;
};

}  // namespace movie::sound
