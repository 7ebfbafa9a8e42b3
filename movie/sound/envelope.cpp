#include "movie/sound/envelope.h"

#include <algorithm>

namespace movie::sound {

Envelope::Envelope(std::vector<format::EnvelopePoint> points) : points_(std::move(points)) {
  // Points out of order are taken in order of position.
  std::stable_sort(points_.begin(), points_.end(),
                   [](const auto& a, const auto& b) { return a.pos44 < b.pos44; });
  for (auto& p : points_) {
    p.left = std::min<uint16_t>(p.left, 32768);
    p.right = std::min<uint16_t>(p.right, 32768);
  }
}

void Envelope::levels(uint64_t pos44, int& left, int& right) const {
  if (points_.empty()) {
    left = right = 32768;
    return;
  }
  auto next = std::upper_bound(points_.begin(), points_.end(), pos44,
                               [](uint64_t p, const format::EnvelopePoint& e) { return p < e.pos44; });
  if (next == points_.begin()) {
    left = next->left;
    right = next->right;
    return;
  }
  const auto& a = *(next - 1);
  if (next == points_.end()) {
    left = a.left;
    right = a.right;
    return;
  }
  const auto& b = *next;
  const int64_t span = int64_t(b.pos44) - int64_t(a.pos44);
  const int64_t at = int64_t(pos44) - int64_t(a.pos44);
  left = int(a.left + (int64_t(b.left) - a.left) * at / span);
  right = int(a.right + (int64_t(b.right) - a.right) * at / span);
}

}  // namespace movie::sound
