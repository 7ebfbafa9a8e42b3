#pragma once
// Clipping coverage, one byte per pixel.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace movie::render {

// 8-bit coverage, the size of a surface; masks nest by intersecting.
class Mask {
 public:
  Mask(int width, int height);
  void intersect(const Mask& other);
  uint8_t* row(int y) { return cover_.data() + size_t(y) * width_; }
  const uint8_t* row(int y) const { return cover_.data() + size_t(y) * width_; }
  int width() const { return width_; }
  int height() const { return height_; }

 private:
  int width_, height_;
  std::vector<uint8_t> cover_;
};

}  // namespace movie::render
