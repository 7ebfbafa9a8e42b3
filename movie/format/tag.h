#pragma once
// One whole tag of the movie file: its code and its body.
#include <cstddef>
#include <cstdint>

namespace movie::format {

struct Tag {
  uint16_t code = 0;
  const uint8_t* body = nullptr;
  size_t size = 0;
};

}  // namespace movie::format
