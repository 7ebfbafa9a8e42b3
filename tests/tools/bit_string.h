#pragma once
// Expected encodings written as bit strings ("0110 1..."): spaces are ignored and
// the last byte is padded with zero bits, as the writer pads aligned records.
#include <cstdint>
#include <string_view>
#include <vector>

inline std::vector<uint8_t> bitsToBytes(std::string_view bits) {
  std::vector<uint8_t> out;
  int n = 0;
  uint8_t acc = 0;
  for (char c : bits) {
    if (c != '0' && c != '1') continue;
    acc = uint8_t(acc << 1 | (c - '0'));
    if (++n == 8) out.push_back(acc), n = 0, acc = 0;
  }
  if (n > 0) out.push_back(uint8_t(acc << (8 - n)));
  return out;
}
