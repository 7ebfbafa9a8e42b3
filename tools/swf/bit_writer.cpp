// Bit packing for SWF records: fields fill bytes from the most significant bit.
#include "tools/swf/swf_writer.h"

#include <cmath>
#include <stdexcept>

namespace swf {

void BitWriter::writeUB(uint32_t value, int bits) {
  if (bits < 0 || bits > 32) throw std::invalid_argument("bit field wider than 32 bits");
  for (int i = bits - 1; i >= 0; --i) {
    pending_ = uint8_t((pending_ << 1) | ((value >> i) & 1u));
    if (++pendingBits_ == 8) {
      out_.push_back(pending_);
      pending_ = 0;
      pendingBits_ = 0;
    }
  }
}

void BitWriter::writeSB(int32_t value, int bits) {
  if (bits < bitsForSigned(value)) throw std::invalid_argument("signed value does not fit its field");
  writeUB(static_cast<uint32_t>(value), bits);
}

void BitWriter::writeFB(double value, int bits) {
  if (!(value > -32768.0 && value < 32768.0)) throw std::invalid_argument("fixed-point value out of range");
  writeSB(static_cast<int32_t>(std::lround(value * 65536.0)), bits);
}

void BitWriter::align() {
  if (pendingBits_ > 0) writeUB(0, 8 - pendingBits_);
}

void BitWriter::writeU8(uint8_t v) {
  align();
  out_.push_back(v);
}

void BitWriter::writeU16(uint16_t v) {
  writeU8(uint8_t(v));
  writeU8(uint8_t(v >> 8));
}

void BitWriter::writeU32(uint32_t v) {
  writeU16(uint16_t(v));
  writeU16(uint16_t(v >> 16));
}

void BitWriter::writeBytes(const Bytes& b) {
  align();
  out_.insert(out_.end(), b.begin(), b.end());
}

void BitWriter::writeString(const std::string& s) {
  align();
  out_.insert(out_.end(), s.begin(), s.end());
  out_.push_back(0);
}

const Bytes& BitWriter::bytes() {
  align();
  return out_;
}

int bitsForUnsigned(uint32_t value) {
  int bits = 0;
  while (value != 0) {
    ++bits;
    value >>= 1;
  }
  return bits;
}

int bitsForSigned(int32_t value) {
  if (value == 0) return 0;
  // Magnitude bits of the value (or of its complement when negative) plus the sign bit.
  uint32_t magnitude = value < 0 ? ~static_cast<uint32_t>(value) : static_cast<uint32_t>(value);
  return bitsForUnsigned(magnitude) + 1;
}

int bitsForFixed(double value) {
  if (!(value > -32768.0 && value < 32768.0)) throw std::invalid_argument("fixed-point value out of range");
  return bitsForSigned(static_cast<int32_t>(std::lround(value * 65536.0)));
}

}  // namespace swf
