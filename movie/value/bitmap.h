#pragma once
// Decoded pixels of a bitmap.
#include <cstdint>
#include <vector>

namespace movie {

// Premultiplied 0xAARRGGBB pixels, row after row.
struct Bitmap {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;
};

}  // namespace movie
