// GIF's variable-width LZW. Codes grow from minCodeSize + 1 up to 12 bits; a clear code
// resets the table; the end code (or the end of the data) stops.
#include <vector>

#include "page/image/gif.h"

namespace page {

size_t decodeLzw(const uint8_t* data, size_t size, int minCodeSize, uint8_t* out, size_t pixelCount) {
  if (minCodeSize < 1 || minCodeSize > 11) return 0;
  const int clear = 1 << minCodeSize;
  const int end = clear + 1;
  constexpr int kMaxCodes = 4096;
  std::vector<uint16_t> prefix(kMaxCodes);
  std::vector<uint8_t> suffix(kMaxCodes), stack(kMaxCodes + 1);
  for (int i = 0; i < clear; ++i) suffix[i] = uint8_t(i);
  int codeSize = minCodeSize + 1;
  int next = clear + 2;
  int previous = -1;
  uint8_t firstOfPrevious = 0;
  uint32_t bits = 0;
  int bitCount = 0;
  size_t pos = 0, written = 0;
  while (written < pixelCount) {
    while (bitCount < codeSize) {
      if (pos >= size) return written;
      bits |= uint32_t(data[pos++]) << bitCount;
      bitCount += 8;
    }
    int code = int(bits & ((1u << codeSize) - 1));
    bits >>= codeSize;
    bitCount -= codeSize;
    if (code == clear) {
      codeSize = minCodeSize + 1;
      next = clear + 2;
      previous = -1;
      continue;
    }
    if (code == end) break;
    if (previous < 0) {
      if (code >= clear) return written;  // a stream must start with a literal
      out[written++] = uint8_t(code);
      previous = code;
      firstOfPrevious = uint8_t(code);
      continue;
    }
    int in = code;
    size_t depth = 0;
    if (code >= next) {
      if (code > next) return written;  // corrupt
      stack[depth++] = firstOfPrevious;
      code = previous;
    }
    while (code >= clear && depth < stack.size()) {
      stack[depth++] = suffix[code];
      code = prefix[code];
    }
    if (depth >= stack.size()) return written;
    stack[depth++] = uint8_t(code);
    uint8_t first = uint8_t(code);
    while (depth > 0 && written < pixelCount) out[written++] = stack[--depth];
    if (next < kMaxCodes) {
      prefix[next] = uint16_t(previous);
      suffix[next] = first;
      ++next;
      if (next == (1 << codeSize) && codeSize < 12) ++codeSize;
    }
    previous = in;
    firstOfPrevious = first;
  }
  return written;
}

}  // namespace page
