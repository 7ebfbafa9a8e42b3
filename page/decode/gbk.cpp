// GBK decoding from the generated run table (see gbk_table_gen.cpp).
#include <algorithm>
#include <cstdint>
#include <iterator>

#include "page/decode/charset.h"

namespace page {
namespace {

struct Run {
  uint16_t first;
  uint16_t count;
  uint16_t codePoint;
};

constexpr Run kRuns[] = {
#include "page/decode/gbk_table.inc"
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

}  // namespace page
