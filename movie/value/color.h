#pragma once
// A straight (not premultiplied) RGBA colour, as the movie file stores it.
#include <cstdint>

namespace movie {

struct Color {
  uint8_t r = 0, g = 0, b = 0, a = 255;
};

}  // namespace movie
