// GBK decoding from the generated run table (see gbk_table_gen.cpp).
#include "textcodec/gbk.h"

#include <algorithm>
#include <iterator>

namespace textcodec {
namespace {

struct Run {
  uint16_t first;
  uint16_t count;
  uint16_t codePoint;
};

constexpr Run kRuns[] = {
#include "textcodec/gbk_table.inc"
};

}  // namespace

char32_t gbkToUnicode(uint8_t lead, uint8_t trail) {
  if (lead < 0x81 || lead > 0xFE || trail < 0x40 || trail > 0xFE || trail == 0x7F) return 0;
  const unsigned index = (lead - 0x81) * 191u + (trail - 0x40u);
  auto it = std::upper_bound(std::begin(kRuns), std::end(kRuns), index,
                             [](unsigned i, const Run& r) { return i < r.first; });
  if (it == std::begin(kRuns)) return 0;
  --it;
  if (index >= unsigned(it->first) + it->count) return 0;
  return char32_t(it->codePoint + (index - it->first));
}

std::u32string decodeGbk(const uint8_t* data, size_t size) {
  std::u32string out;
  out.reserve(size);
  for (size_t i = 0; i < size; ++i) {
    uint8_t b = data[i];
    if (b < 0x80) {
      out += char32_t(b);
    } else if (b == 0x80) {
      out += U'\u20AC';  // the euro sign of code page 936
    } else if (b == 0xFF || i + 1 >= size) {
      out += U'\uFFFD';
    } else {
      char32_t c = gbkToUnicode(b, data[i + 1]);
      if (c) {
        out += c;
        ++i;
      } else {
        out += U'\uFFFD';
        // A trail byte in the ASCII range is a character of its own.
        if (data[i + 1] >= 0x40) ++i;
      }
    }
  }
  return out;
}

}  // namespace textcodec
