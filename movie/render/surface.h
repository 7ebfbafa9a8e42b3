#pragma once
// The premultiplied 32-bit pixels everything is drawn into.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "movie/value/color.h"

namespace movie::render {

// A surface (or mask) asked for a negative size, a side over 32768 or more than 64M pixels
// is empty; drawing into an empty one does nothing.
class Surface {
 public:
  Surface() = default;
  Surface(int width, int height);
  void resize(int width, int height);
  void clear(Color c);
  int width() const { return width_; }
  int height() const { return height_; }
  uint32_t* row(int y) { return pixels_.data() + size_t(y) * width_; }
  const uint32_t* row(int y) const { return pixels_.data() + size_t(y) * width_; }
  std::vector<uint32_t>& pixels() { return pixels_; }

 private:
  int width_ = 0, height_ = 0;
  std::vector<uint32_t> pixels_;
};

}  // namespace movie::render
