#pragma once
// Bounded reader over a byte range with SWF's bit fields (most significant bit first).
// Reading past the end never faults: it yields zeros and sets a sticky overrun flag
// that callers check once after a record.
#include <cstddef>
#include <cstdint>
#include <string>

namespace movie::io {

class BitReader {
 public:
  BitReader(const uint8_t* data, size_t size) : data_(data), size_(size) {}

  uint8_t u8();
  uint16_t u16();
  uint32_t u32();
  int16_t s16() { return int16_t(u16()); }
  float fixed8();   // signed 8.8
  float fixed16();  // signed 16.16
  float f32();      // IEEE single, little endian
  uint32_t ub(int bits);
  int32_t sb(int bits);
  float fb(int bits);  // signed 16.16 bit field
  void align() {
    if (bit_) {
      bit_ = 0;
      ++pos_;
    }
  }
  std::string string();  // zero-terminated; the terminator is consumed
  void skip(size_t bytes);

  size_t position() const { return pos_; }
  size_t remaining() const { return pos_ < size_ ? size_ - pos_ : 0; }
  const uint8_t* cursor() const { return data_ + (pos_ < size_ ? pos_ : size_); }
  bool overrun() const { return overrun_; }
  bool atEnd() const { return pos_ >= size_; }

 private:
  const uint8_t* data_;
  size_t size_;
  size_t pos_ = 0;
  int bit_ = 0;  // bits already used in data_[pos_]
  bool overrun_ = false;
};

}  // namespace movie::io
