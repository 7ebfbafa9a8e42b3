#include "movie/format/tag_header.h"

namespace movie::format {

bool readTagHeader(const uint8_t* data, size_t avail, TagHeader& out) {
  if (avail < 2) return false;
  uint16_t head = uint16_t(data[0] | (data[1] << 8));
  out.code = head >> 6;
  out.length = head & 0x3F;
  out.headerSize = 2;
  if (out.length == 0x3F) {
    if (avail < 6) return false;
    out.length = size_t(data[2]) | (size_t(data[3]) << 8) | (size_t(data[4]) << 16) | (size_t(data[5]) << 24);
    out.headerSize = 6;
  }
  return true;
}

}  // namespace movie::format
