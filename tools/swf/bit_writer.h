#pragma once
// Bit-level output for SWF records and the fewest-bits rules of their fields.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace swf {

using Bytes = std::vector<uint8_t>;

// Bit-level output, most significant bit first, as SWF bit fields are stored.
class BitWriter {
 public:
  void writeUB(uint32_t value, int bits);   // unsigned field, 0..32 bits
  void writeSB(int32_t value, int bits);    // signed (two's complement) field
  void writeFB(double value, int bits);     // signed 16.16 fixed-point field
  void align();                             // pad with zero bits to a whole byte
  void writeU8(uint8_t v);                  // byte-aligned fields (align first)
  void writeU16(uint16_t v);                // little endian
  void writeU32(uint32_t v);
  void writeBytes(const Bytes& b);
  void writeString(const std::string& s);   // bytes then a terminating zero
  const Bytes& bytes();                     // aligns, then returns the buffer
  size_t size() const { return out_.size(); }

 private:
  Bytes out_;
  uint8_t pending_ = 0;
  int pendingBits_ = 0;
};

// Fewest bits that hold the value as an unsigned / signed field. Zero needs no bits;
// a positive signed value needs a sign bit too (1 -> 2 bits, -1 -> 1 bit).
int bitsForUnsigned(uint32_t value);
int bitsForSigned(int32_t value);
// Bits for a 16.16 fixed-point value stored as FB (same rule as signed).
int bitsForFixed(double value);

}  // namespace swf
