#pragma once
// Decodes action records: a code byte, and for codes from 0x80 a 16-bit length and a
// payload. Every read is bounded by the code range; a record running past it ends the
// code (as the End action would).
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace movie::script {

struct ActionRecord {
  uint8_t code = 0;
  size_t offset = 0;        // where the record starts
  size_t next = 0;          // where the following record starts
  const uint8_t* payload = nullptr;
  size_t length = 0;
};

// Reads the record at offset, within [0, end) of bytes. False at the end or when the
// record does not fit.
bool readAction(const uint8_t* bytes, size_t end, size_t offset, ActionRecord& out);

// Bounded readers over a payload.
class PayloadReader {
 public:
  PayloadReader(const uint8_t* data, size_t size) : data_(data), size_(size) {}
  bool atEnd() const { return pos_ >= size_; }
  size_t remaining() const { return pos_ < size_ ? size_ - pos_ : 0; }
  uint8_t u8();
  uint16_t u16();
  uint32_t u32();
  double f32();
  double f64();   // the byte order of the Push action's doubles (high word first)
  std::string string();  // zero-terminated; the rest when no zero
  bool failed() const { return failed_; }

 private:
  const uint8_t* data_;
  size_t size_;
  size_t pos_ = 0;
  bool failed_ = false;
};

}  // namespace movie::script
