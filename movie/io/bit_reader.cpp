#include "movie/io/bit_reader.h"

#include <cstring>

namespace movie::io {

uint8_t BitReader::u8() {
  align();
  if (pos_ >= size_) {
    overrun_ = true;
    return 0;
  }
  return data_[pos_++];
}

uint16_t BitReader::u16() {
  uint16_t lo = u8();
  return uint16_t(lo | (uint16_t(u8()) << 8));
}

uint32_t BitReader::u32() {
  uint32_t lo = u16();
  return lo | (uint32_t(u16()) << 16);
}

float BitReader::fixed8() { return float(s16()) / 256.0f; }

float BitReader::fixed16() { return float(int32_t(u32())) / 65536.0f; }

float BitReader::f32() {
  uint32_t bits = u32();
  float f;
  std::memcpy(&f, &bits, sizeof f);
  return f;
}

uint32_t BitReader::ub(int bits) {
  if (bits <= 0) return 0;
  if (bits > 32) bits = 32;
  uint32_t value = 0;
  for (int i = 0; i < bits; ++i) {
    if (pos_ >= size_) {
      overrun_ = true;
      return 0;
    }
    uint32_t bit = (data_[pos_] >> (7 - bit_)) & 1;
    value = (value << 1) | bit;
    if (++bit_ == 8) {
      bit_ = 0;
      ++pos_;
    }
  }
  return value;
}

int32_t BitReader::sb(int bits) {
  if (bits <= 0) return 0;
  if (bits > 32) bits = 32;
  uint32_t value = ub(bits);
  if (bits < 32 && (value & (1u << (bits - 1)))) value |= ~0u << bits;
  return int32_t(value);
}

float BitReader::fb(int bits) { return float(sb(bits)) / 65536.0f; }

std::string BitReader::string() {
  align();
  std::string out;
  while (pos_ < size_) {
    char c = char(data_[pos_++]);
    if (c == 0) return out;
    out.push_back(c);
  }
  overrun_ = true;
  return out;
}

void BitReader::skip(size_t bytes) {
  align();
  if (bytes > remaining()) {
    overrun_ = true;
    pos_ = size_;
  } else {
    pos_ += bytes;
  }
}

}  // namespace movie::io
