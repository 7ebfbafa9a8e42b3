#pragma once
// The header in front of every tag: a 10-bit code and a 6-bit length, the length
// followed by 32 bits of its own when it reads 0x3F.
#include <cstddef>
#include <cstdint>

namespace movie::format {

struct TagHeader {
  uint16_t code = 0;
  size_t headerSize = 0;  // 2 or 6 bytes
  size_t length = 0;      // of the body that follows
};

// Reads the header at data, of which avail bytes are here; false while it is incomplete.
bool readTagHeader(const uint8_t* data, size_t avail, TagHeader& out);

}  // namespace movie::format
