#include "movie/script/action_reader.h"

#include <cstring>

namespace movie::script {

bool readAction(const uint8_t* bytes, size_t end, size_t offset, ActionRecord& out) {
  if (!bytes || offset >= end) return false;
  out.code = bytes[offset];
  out.offset = offset;
  out.payload = nullptr;
  out.length = 0;
  if (out.code < 0x80) {
    out.next = offset + 1;
    return true;
  }
  if (end - offset < 3) return false;
  size_t length = size_t(bytes[offset + 1]) | (size_t(bytes[offset + 2]) << 8);
  if (end - offset - 3 < length) return false;
  out.payload = bytes + offset + 3;
  out.length = length;
  out.next = offset + 3 + length;
  return true;
}

uint8_t PayloadReader::u8() {
  if (pos_ >= size_) {
    failed_ = true;
    return 0;
  }
  return data_[pos_++];
}

uint16_t PayloadReader::u16() {
  uint16_t lo = u8();
  return uint16_t(lo | (u8() << 8));
}

uint32_t PayloadReader::u32() {
  uint32_t lo = u16();
  return lo | (uint32_t(u16()) << 16);
}

double PayloadReader::f32() {
  uint32_t bits = u32();
  float f;
  std::memcpy(&f, &bits, 4);
  return f;
}

double PayloadReader::f64() {
  uint64_t high = u32();
  uint64_t low = u32();
  uint64_t bits = (high << 32) | low;
  double d;
  std::memcpy(&d, &bits, 8);
  return d;
}

std::string PayloadReader::string() {
  size_t start = pos_;
  while (pos_ < size_ && data_[pos_] != 0) ++pos_;
  std::string s(reinterpret_cast<const char*>(data_ + start), pos_ - start);
  if (pos_ < size_) ++pos_;
  else failed_ = true;
  return s;
}

}  // namespace movie::script
