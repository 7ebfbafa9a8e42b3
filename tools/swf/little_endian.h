#pragma once
// Little-endian integers appended to a byte buffer, the byte order of the file format.
#include <cstdint>

#include "tools/swf/swf_writer.h"

namespace swf {

inline void put16(Bytes& b, uint16_t v) {
  b.push_back(uint8_t(v));
  b.push_back(uint8_t(v >> 8));
}

inline void put32(Bytes& b, uint32_t v) {
  put16(b, uint16_t(v));
  put16(b, uint16_t(v >> 16));
}

}  // namespace swf
